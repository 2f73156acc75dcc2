#include "model/RadioData.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "model/FamilyModel.h"
#include "model/MessageBox.h"
#include "model/ZoneGroups.h"

namespace {

// Fixed first eight bytes of the first mobile adjustment rows; both bands.
const std::uint8_t kMobileDefaultRows[8][8] = {
    {0, 0, 139, 133, 0, 0, 26, 3}, {0, 0, 137, 132, 0, 0, 19, 2}, {0, 0, 134, 131, 0, 0, 13, 1},
    {0, 0, 131, 129, 0, 0, 8, 1},  {0, 0, 0, 0, 0, 0, 0, 0},      {0, 0, 2, 1, 0, 0, 136, 130},
    {0, 0, 5, 2, 0, 0, 140, 132},  {0, 0, 8, 4, 0, 0, 143, 133},
};

const char* const kStatusTextDefaults[kStatusTextCount - 1] = {
    "-CALLED-", "-TAKARD-", "-TXSAVE-", "- SCAN -", "-Z SCAN-", "- SKIP -", "- STOP -",
    "-DW ON -", "-DW OFF-", "-FDW ON-", "-TA ON -", "-TA OFF-", "-TS ON -", "-TS OFF-",
};

const char* const kInterconnectIdMissing =
    "Please set up the Interconnect ID or disable the Phone Interconnect function.";
const char* const kConnectDialMissing = "Please set up the Connect Dial or disable the Phone Interconnect function.";
const char* const kHomeChannelMissing = "Home Channel of SYS # %d has not been programmed";
const char* const kBadBlockDecode = "LTR Block decode Start ID must be less than Block decode End ID on System %d ";
const char* const kToneMissing = "Please set up the CTCSS/DCS information or disable the Horn alert function.";
const char* const kQalsDcsMissing = "DCS code not been programmed for the QALS function on System %d";

inline constexpr int kMaxBlockId = 250;
inline constexpr std::uint8_t kNoBlockId = 0xFF;

std::string Format(const char* pattern, int value) {
  char text[128];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

void ShowPlain(const std::string& text) { ShowMessageBox(text, kMsgOk); }

// A block-decode ID pair passes when off (both 0xFF) or 1 <= start <= end <= 250.
bool IsBlockPairValid(std::uint8_t start, std::uint8_t end) {
  if (start == kNoBlockId && end == kNoBlockId) return true;
  return start != 0 && start <= end && end <= kMaxBlockId;
}

// Zone byte 1 of a damaged image: a zero nibble becomes 6.
std::uint8_t RepairTimerByte(std::uint8_t value) {
  if (value < 16) value = static_cast<std::uint8_t>((value & 15) | 0x60);
  if ((value & 0x0F) == 0) value = static_cast<std::uint8_t>((value & 0xF6) | 6);
  return value;
}

// The repeater-list index that zone byte 2 names, or -1 when it names none
// inside the zone's list. Home 0 names index 0, as the radio expects.
int HomeListIndex(int home) {
  if (home == 0) return 0;
  return home <= kRepeatersPerZone ? home - 1 : -1;
}

}  // namespace

const RadioFamilyTraits kMobileFamilyTraits = {
    kMobile,
    kFamilyMobileUhf,
    area::kMobileTuning,
    16,
    42,
    false,
    "- P A  -",
    {4700, {100, 40, 35}, {4500, 4550, 4600, 4650, 4700, 4750, 4800, 4850, 4900}},
    {1620, {100, 40, 35}, {1500, 1530, 1560, 1590, 1620, 1650, 1680, 1710, 1740}},
    8,
    kMobileDefaultRows,
};

// The portable adjustment rows start all zero: every offset they hold is a
// signed correction, and zero leaves the band tables' values as they are.
const RadioFamilyTraits kPortableFamilyTraits = {
    kPortable,
    kFamilyPortableUhf,
    area::kPortableTuning,
    14,
    10,
    true,
    "",
    {4701, {124, 19, 10}, {4500, 4550, 4600, 4650, 4700, 4770, 4830, 4898, 4970}},
    {1610, {100, 54, 47}, {1480, 1510, 1550, 1580, 1610, 1650, 1680, 1740, 1770}},
    0,
    nullptr,
};

CMobileRadioData::CMobileRadioData() : CMobileRadioData(g_mobileModel.records.band) {}
CMobileRadioData::CMobileRadioData(const CBandRecord& band) : CRadioData(kMobileFamilyTraits, band) {}
CPortableRadioData::CPortableRadioData() : CPortableRadioData(g_portableModel.records.band) {}
CPortableRadioData::CPortableRadioData(const CBandRecord& band) : CRadioData(kPortableFamilyTraits, band) {}


void CopyImageText(Text9& text, const std::uint8_t* from) {
  std::memcpy(text.data(), from, kTextLength);
  text[kTextLength] = 0;
}

void SetText(Text9& text, const char* value) {
  text.fill(0);
  std::memcpy(text.data(), value, strnlen(value, kTextLength));
}

CRadioDataCore::CRadioDataCore(const RadioFamilyTraits& traits) : traits_(&traits) {}

bool CRadioDataCore::IsZoneEnabled(int zone) const {
  return IsValidZone(zone) && (m_zoneFlags[zone] & zone_flag::kEnabled);
}

bool CRadioDataCore::IsLtrZone(int zone) const {
  return IsValidZone(zone) && ZoneValue(zone, zone_field::kFormat) == static_cast<std::uint32_t>(ZoneKind::kLtr);
}

int CRadioDataCore::GetSystemGroupCount(int zone) const { return IsValidZone(zone) ? m_groupCounts[zone] : 0; }

int CRadioDataCore::FirstGroupOf(int zone) const {
  int first = 0;
  for (int z = 0; z < zone && z < kZoneCount; ++z) first += m_groupCounts[z];
  return first;
}

unsigned CRadioDataCore::GroupIndex(int zone, int n) const {
  if (n == 0 || !IsValidZone(zone)) return 0;
  return static_cast<unsigned>(n + FirstGroupOf(zone));
}

int CRadioDataCore::ZoneOfGroup(int g) const {
  int end = 0;
  for (int z = 0; z < kZoneCount; ++z) {
    end += m_groupCounts[z];
    if (end > g) return z;
  }
  return -1;
}

void CRadioDataCore::ClearGroupFlags(int g, std::uint8_t bits) {
  if (g < 0 || g >= kGroupCount) return;
  m_groups[g].flags &= static_cast<std::uint8_t>(~bits);
}

int CRadioDataCore::SumGroupCounts() const {
  int total = 0;
  for (std::uint8_t count : m_groupCounts) total += count;
  return total;
}

void CRadioDataCore::GiveZone0AllGroups() {
  m_groupCounts.fill(0);
  m_groupCounts[0] = kGroupCount;
  m_assignedGroups = kGroupCount;
  m_freeGroups = 0;
}

void CRadioDataCore::DisableUnassignedGroups() {
  if (SumGroupCounts() > kGroupCount) GiveZone0AllGroups();
  for (int g = SumGroupCounts(); g < kGroupCount; ++g) ClearGroupFlags(g, group_flag::kEnabled);
}

void CRadioDataCore::InitSystem(int zone, int mode) {
  if (!IsValidZone(zone)) return;
  static constexpr std::uint8_t kConventional[kZoneByteCount] = {0, 0x66, 0, 0, 0, 0, 0, 0,
                                                                 0, 0,    0xFF, 0xF0, 0x88, 0, 0, 0};
  std::uint8_t ltr[kZoneByteCount] = {0, 0x66, 1, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                      17, 0, 0xFF, 0xF0, 0x84, 40, 4, 10};
  ltr[zone_byte::kLtrOption] = traits_->ltrOptionByte;
  const std::uint8_t* bytes = mode == kZoneModeConventional ? kConventional : ltr;
  for (int k = 0; k < kZoneByteCount; ++k) m_zoneBytes[k][zone] = bytes[k];
  m_repeaters[zone].fill(repeater_word::kEmpty);
}

void CRadioDataCore::ResetSystemGroups(int zone) {
  if (!IsValidZone(zone)) return;
  const int first = FirstGroupOf(zone);
  const int end = std::min(first + m_groupCounts[zone], kGroupCount);
  const bool ltr = IsLtrZone(zone);
  for (int g = first; g < end; ++g) m_groups[g].ResetSettings(ltr);
}

// ---------------------------------------------------------------- load

void CRadioDataCore::LoadZonesFromImage(const std::uint8_t* image) {
  m_productWord = static_cast<std::uint32_t>(image[area::kProductCode] << 8 | image[area::kIdentWord]);
  m_channelCount = kChannelCount;
  m_groupSlots = kGroupCount;
  m_maxGroups = kGroupCount;
  m_zoneCount = kZoneCount;
  m_freeGroups = kGroupCount;
  m_spare0 = 0;

  for (int g = 0; g < kGroupCount; ++g) {
    std::uint8_t& flags = m_groups[g].flags;
    flags = GetBitLsb(image + area::kGroupBits4, g) ? 0 : group_flag::kSetting4;
    if (GetBitLsb(image + area::kGroupBits0, g))
      flags &= 0xF0;
    else
      flags |= group_flag::kEnabled;
    if (GetBitLsb(image + area::kGroupBits1, g))
      flags &= static_cast<std::uint8_t>(~group_flag::kSetting1);
    else
      flags |= group_flag::kSetting1;
  }

  for (int z = 0; z < kZoneCount; ++z) {
    std::uint8_t& flags = m_zoneFlags[z];
    flags = GetPairSwappedBit(image + area::kZoneSecondBits, z) ? 0 : zone_flag::kSetting4;
    if (GetPairSwappedBit(image + area::kZoneEnableBits, z))
      flags &= static_cast<std::uint8_t>(~zone_flag::kEnabled);
    else
      flags |= zone_flag::kEnabled;
  }

  CopyImageText(m_powerOnText, image + area::kPowerOnText);
  for (int z = 0; z < kZoneCount; ++z) CopyImageText(m_zoneNames[z], image + area::kZoneNames + kTextLength * z);
  for (int t = 0; t < kStatusTextCount; ++t)
    CopyImageText(m_statusTexts[t], image + area::kStatusTexts + kTextLength * t);

  // Group counts, summed wide: an image whose counts pass 250 (one count or
  // their sum) gets the same repair as one that assigns no group at all.
  std::memcpy(m_groupCounts.data(), image + area::kZoneGroupCounts, kZoneCount);
  const int total = SumGroupCounts();
  m_freeGroups = std::max(0, kGroupCount - total);
  m_assignedGroups = total;
  if (total > kGroupCount || total == 0) GiveZone0AllGroups();

  // A selected group outside the zone's own groups reads as none.
  for (int z = 0; z < kZoneCount; ++z) {
    const std::uint8_t within = image[area::kZoneSelectedGroup + z];
    m_selectedGroup[z] = within < m_groupCounts[z] ? static_cast<std::uint8_t>(FirstGroupOf(z) + within + 1) : 0;
    m_secondZoneBytes[z] = image[area::kZoneSecondByte + z];
  }

  for (int z = 0; z < kZoneCount; ++z) {
    const std::uint8_t* record = image + ZoneRecordOffset(z);
    for (int k = 0; k < kZoneByteCount; ++k) m_zoneBytes[k][z] = record[zone_slot::kBytes + k];
    m_zoneBytes[zone_byte::kTimer][z] = RepairTimerByte(m_zoneBytes[zone_byte::kTimer][z]);
    for (int r = 0; r < kRepeatersPerZone; ++r)
      m_repeaters[z][r] = GetBE16(record + zone_slot::kRepeaterWords + 2 * r);
  }
}

void CRadioDataCore::LoadGroup(int g, const std::uint8_t* image) {
  if (g < 0 || g >= kGroupCount) return;
  m_groups[g].LoadSlot(image + GroupOffset(g));
}

// ---------------------------------------------------------------- write

int CRadioDataCore::StoreGroup(const CFamilyModel& model, int g, std::uint8_t* image) {
  if (g < 0 || g >= kGroupCount) return 0;
  CGroupRecord& group = m_groups[g];
  if (IsPortableFamily() && group.IsEnabled()) {
    // A slot that no zone owns is never used by the radio and is not tested.
    const int zone = ZoneOfGroup(g);
    if (zone >= 0) {
      const bool toneSet = IsToneProgrammed(group.Tone());
      if (group.Value(group_field::kBusyLockout) >= 2 && !toneSet) {
        ShowPlain(kToneMissing);
        return 0;
      }
      if (!IsLtrZone(zone) && group.Value(group_field::kCallAlert) && !toneSet) {
        ShowPlain(kToneMissing);
        return 0;
      }
      const std::uint32_t rx = group.Value(group_field::kRxSubAudible);
      const std::uint32_t tx = group.Value(group_field::kTxSubAudible);
      const bool dcsForQals =
          (rx == kSubAudibleDcs || rx == kSubAudibleDcsInvert) && (tx == kSubAudibleDcs || tx == kSubAudibleDcsInvert);
      if (group.Value(group_field::kQals) && !dcsForQals) {
        ShowPlain(Format(kQalsDcsMissing, zone + 1));
        return 0;
      }
    }
  }
  if (!IsPortableFamily() && (model.global.optionBoard & 0x07) == kOptionBoardEncryption)
    group.Set(group_field::kMobileEncryption, 0);
  group.Set(group_field::kClearedOnStore, 0);

  std::uint8_t* slot = image + GroupOffset(g);
  group.StoreSlot(slot);
  if (IsPortableFamily()) {
    // The portable radio has neither ANI Monitor nor the high function bit
    // in byte 1; the record keeps what a page set.
    CGroupRecord stored = group;
    stored.Set(group_field::kAniMonitor, 0);
    stored.Set(group_field::kFunctionHighCode1139, 0);
    slot[group_slot::kSettings + group_byte::kOptions1] = stored.settings[group_byte::kOptions1];
  }
  return 1;
}

bool CRadioDataCore::CheckZones(const CFamilyModel& model) const {
  const bool phoneKey = model.keys.HasCode(kKeyFunctionPhone);
  for (int z = 0; z < kZoneCount; ++z) {
    if (!IsZoneEnabled(z)) continue;
    const bool ltr = IsLtrZone(z);
    const auto byte = [&](int k) { return m_zoneBytes[k][z]; };
    if (phoneKey && ZoneValue(z, zone_field::kPhoneInterconnect)) {
      if (ltr && byte(zone_byte::kInterconnectId) == 0xFF) {
        ShowPlain(kInterconnectIdMissing);
        return false;
      }
      if (!ltr && ZoneValue(z, zone_field::kConnectDialCount) == 0) {
        ShowPlain(kConnectDialMissing);
        return false;
      }
    }
    if (!ltr) continue;
    // A home byte past the zone's 20 repeaters, or a repeater on no real
    // channel, leaves the zone without a home channel.
    const int home = static_cast<int>(ZoneValue(z, zone_field::kHomeRepeater));
    const bool homeSet = home >= 1 && home <= kRepeatersPerZone &&
                         (m_repeaters[z][home - 1] & repeater_word::kChannelMask) < kChannelCount;
    if (!homeSet) {
      ShowPlain(Format(kHomeChannelMissing, z + 1));
      return false;
    }
    if (!IsBlockPairValid(byte(zone_byte::kBlockStart1), byte(zone_byte::kBlockEnd1)) ||
        !IsBlockPairValid(byte(zone_byte::kBlockStart2), byte(zone_byte::kBlockEnd2))) {
      ShowPlain(Format(kBadBlockDecode, z + 1));
      return false;
    }
  }
  return true;
}

void CRadioDataCore::WriteBitArrays(std::uint8_t* image) const {
  // Each bit is written both ways, so a setting switched off is saved off;
  // the six bits past group 249 are nobody's and keep their value.
  for (int g = 0; g < kGroupCount; ++g) {
    const std::uint8_t flags = m_groups[g].flags;
    SetBitLsb(image + area::kGroupBits4, g, !(flags & group_flag::kSetting4));
    SetBitLsb(image + area::kGroupBits0, g, !(flags & group_flag::kEnabled));
    SetBitLsb(image + area::kGroupBits1, g, !(flags & group_flag::kSetting1));
  }
  for (int z = 0; z < kZoneCount; ++z) {
    SetPairSwappedBit(image + area::kZoneSecondBits, z, !(m_zoneFlags[z] & zone_flag::kSetting4));
    SetPairSwappedBit(image + area::kZoneEnableBits, z, !(m_zoneFlags[z] & zone_flag::kEnabled));
  }
}

void CRadioDataCore::WriteZoneRecord(int zone, std::uint8_t* image) {
  std::uint8_t* record = image + ZoneRecordOffset(zone);
  for (int k = 0; k < kZoneByteCount; ++k) record[zone_slot::kBytes + k] = m_zoneBytes[k][zone];
  // The radio wants interconnect and dispatch on its home repeater. On a
  // conventional zone the byte counts Connect Dial digits, so only an index
  // inside the zone's own list is marked.
  const int home = HomeListIndex(static_cast<int>(ZoneValue(zone, zone_field::kHomeRepeater)));
  if (home >= 0) m_repeaters[zone][home] |= repeater_word::kHomeMarks;
  for (int r = 0; r < kRepeatersPerZone; ++r)
    PutBE16(record + zone_slot::kRepeaterWords + 2 * r, m_repeaters[zone][r]);
}

int CRadioDataCore::ValidateBeforeWrite(const CFamilyModel& model, std::uint8_t* image) {
  // Every check runs before the first byte is written, so a refusal leaves
  // the image and the data as they were.
  if (!CheckZones(model)) return 0;

  WriteBitArrays(image);
  std::memcpy(image + area::kPowerOnText, m_powerOnText.data(), kTextLength);
  for (int z = 0; z < kZoneCount; ++z)
    std::memcpy(image + area::kZoneNames + kTextLength * z, m_zoneNames[z].data(), kTextLength);
  for (int t = 0; t < kStatusTextCount; ++t)
    std::memcpy(image + area::kStatusTexts + kTextLength * t, m_statusTexts[t].data(), kTextLength);
  // The radio picks its own selected group after programming.
  std::memset(image + area::kZoneSelectedGroup, 0xFF, kZoneCount);
  for (int z = 0; z < kZoneCount; ++z) {
    image[area::kZoneSecondByte + z] = traits_->keepsSecondZoneBytes ? m_secondZoneBytes[z] : 0;
    image[area::kZoneGroupCounts + z] = m_groupCounts[z];
  }
  for (int z = 0; z < kZoneCount; ++z) WriteZoneRecord(z, image);
  return 1;
}

// ---------------------------------------------------------------- defaults

std::uint8_t CRadioDataCore::FamilyCode() const {
  return m_radioWide.familyCode ? m_radioWide.familyCode() : traits_->defaultFamilyCode;
}

void CRadioDataCore::SetZoneDefaults() {
  m_groupCounts.fill(0);
  m_zoneFlags.fill(0);
  m_groupCounts[0] = 1;
  m_zoneFlags[0] = zone_flag::kEnabled | zone_flag::kSetting4;
  m_selectedGroup.fill(0);
  m_secondZoneBytes.fill(0);

  m_groupSlots = kGroupCount;
  m_channelCount = kChannelCount;
  m_maxGroups = kGroupCount;
  m_zoneCount = kZoneCount;
  m_assignedGroups = 0;
  m_spare0 = 0;
  m_spare1 = 0;
  m_freeGroups = kGroupCount - 1;
  m_spare3 = 1;
  m_spare4 = kChannelCount;

  for (int g = 0; g < kGroupCount; ++g) m_groups[g].SetDefaults(g);

  SetText(m_powerOnText, "SELFTEST");
  for (int z = 0; z < kZoneCount; ++z) {
    char name[24];
    std::snprintf(name, sizeof name, "ZONE  %2.2d", z + 1);
    SetText(m_zoneNames[z], name);
  }
  for (int t = 0; t < kStatusTextCount - 1; ++t) SetText(m_statusTexts[t], kStatusTextDefaults[t]);
  SetText(m_statusTexts[kStatusTextCount - 1], traits_->lastStatusText);

  for (int z = 0; z < kZoneCount; ++z) InitSystem(z, kZoneModeConventional);

  m_defaultGroup.SetDefaults();
}

// ---------------------------------------------------------------- pick lists

std::string CRadioDataCore::GetZoneText(int zone) const {
  if (zone == kNoZone) return "None";
  if (!IsZoneEnabled(zone)) return "";
  return Format("Zone %2d", zone + 1);
}

void CRadioDataCore::FillZoneCombo(IChoiceList& list, int currentZone) const {
  // The caller empties the list first; this only appends.
  const int none = list.Append("None");
  list.SetRowValue(none, kNoZone);
  int selected = currentZone > 254 ? none : -1;
  for (int z = 0; z < kZoneCount; ++z) {
    if (!IsZoneEnabled(z)) continue;
    const int row = list.Append(Format("Zone %2d", z + 1));
    list.SetRowValue(row, static_cast<std::uint32_t>(z));
    if (z == currentZone && selected < 0) selected = row;
  }
  list.Select(selected);
}

void CRadioDataCore::FillGroupRows(IChoiceList& list, int zone, bool withinZone, int current) const {
  list.Clear();
  list.SetRowValue(list.Append("None"), kNoGroup);
  int selected = 0;
  if (IsValidZone(zone)) {
    const int first = FirstGroupOf(zone);
    const int end = std::min(first + m_groupCounts[zone], kGroupCount);
    for (int g = first; g < end; ++g) {
      if (!m_groups[g].IsEnabled()) continue;
      const int value = withinZone ? g - first : g;
      const int row = list.Append(Format("Grp %2d", g + 1));
      list.SetRowValue(row, static_cast<std::uint32_t>(value));
      if (value == current && selected == 0) selected = row;
    }
  }
  list.Select(selected);
}

void CRadioDataCore::FillGroupCombo(IChoiceList& list, int zone, int currentGroup) const {
  FillGroupRows(list, zone, false, currentGroup);
}

void CRadioDataCore::FillGroupListBox(IChoiceList& list, int zone, int currentIndexInZone) const {
  FillGroupRows(list, zone, true, currentIndexInZone);
}

// ---------------------------------------------------------------- channels

template <class Channel, class Header>
CRadioData<Channel, Header>::CRadioData(const RadioFamilyTraits& traits, const CBandRecord& band)
    : CRadioDataCore(traits), band_(&band) {
  SetZoneDefaults();
  SetAdjustmentDefaults();
}

template <class Channel, class Header>
ChannelCodecContext CRadioData<Channel, Header>::ChannelContext() const {
  ChannelCodecContext ctx;
  ctx.modelCode = FamilyCode();
  ctx.productCode = static_cast<std::uint8_t>(m_productWord >> 8);
  ctx.defaultSplitMHz = m_radioWide.defaultSplitMHz ? m_radioWide.defaultSplitMHz() : 0.0;
  ctx.band = band_;
  ctx.adjust = AdjustmentView::Of(m_adjust);
  ctx.tuning = m_tuning.data();
  ctx.tuningSize = static_cast<std::size_t>(Traits().tuningCount);
  return ctx;
}

template <class Channel, class Header>
void CRadioData<Channel, Header>::SetAdjustmentDefaults() {
  const RadioFamilyTraits& traits = Traits();
  const AdjustmentDefaults& band = IsUhfBand() ? traits.uhfAdjust : traits.vhfAdjust;
  m_adjust = Header{};
  m_adjust.headerWord = band.word;
  std::copy(std::begin(band.bytes), std::end(band.bytes), m_adjust.bytes.begin());
  std::copy(std::begin(band.entries), std::end(band.entries), m_adjust.entryWords.begin());
  for (int r = 0; r < traits.defaultRowCount; ++r)
    std::copy(std::begin(traits.defaultRows[r]), std::end(traits.defaultRows[r]), m_adjust.Row(r));
}

template <class Channel, class Header>
void CRadioData<Channel, Header>::SetDefaults() {
  SetZoneDefaults();
  // The header first: the channel defaults take their tune levels from it,
  // and they should not depend on whatever radio was loaded before.
  SetAdjustmentDefaults();
  const ChannelCodecContext ctx = ChannelContext();
  for (int i = 0; i < kChannelCount; ++i) {
    Channel& channel = m_channels[i];
    channel.SetDefaults(ctx);
    char name[24];
    std::snprintf(name, sizeof name, " CH-%3.3d ", i + 1);
    channel.m_name = name;
    channel.m_programmed = i == 0 ? 1 : 0;
  }
}

template <class Channel, class Header>
void CRadioData<Channel, Header>::LoadFromImage(const std::uint8_t* image) {
  LoadZonesFromImage(image);
  // The image's own family code: the same band the radio-wide record has
  // just unpacked from it.
  SetBandDefaultFrequencies(IsUhfFamilyCode(image[area::kFamilyCode]));
}

template <class Channel, class Header>
void CRadioData<Channel, Header>::LoadChannel(int i, const std::uint8_t* slot) {
  if (i < 0 || i >= kChannelCount) return;
  m_channels[i].LoadFromSlotSettled(slot, ChannelContext());
}

template <class Channel, class Header>
void CRadioData<Channel, Header>::StoreChannel(int i, std::uint8_t* slot) {
  if (i < 0 || i >= kChannelCount) return;
  m_channels[i].StoreToSlot(slot, ChannelContext());
}

template <class Channel, class Header>
void CRadioData<Channel, Header>::LoadAdjustmentData(const std::uint8_t* image, const std::uint8_t* adjustCopy,
                                                     int decodeHeader) {
  const RadioFamilyTraits& traits = Traits();
  std::memcpy(m_tuning.data(), image + traits.tuningOffset, static_cast<std::size_t>(traits.tuningCount));
  if (decodeHeader != 1) return;
  const std::uint8_t* p = adjustCopy;
  m_adjust.headerWord = GetBE16(p);
  std::memcpy(m_adjust.bytes.data(), p + 2, m_adjust.bytes.size());
  p += 5;
  for (std::size_t k = 0; k < Header::kEntries; ++k) {
    m_adjust.entryWords[k] = GetBE16(p);
    p += 2;
    if (k == Header::kRows) break;
    std::memcpy(m_adjust.Row(k), p, Header::kRowSize);
    p += Header::kRowSize;
  }
}

template <class Channel, class Header>
void CRadioData<Channel, Header>::StoreAdjustmentData(std::uint8_t* adjustCopy) const {
  std::uint8_t* p = adjustCopy;
  PutBE16(p, static_cast<std::uint16_t>(m_adjust.headerWord));
  std::memcpy(p + 2, m_adjust.bytes.data(), m_adjust.bytes.size());
  p += 5;
  for (std::size_t k = 0; k < Header::kEntries; ++k) {
    PutBE16(p, static_cast<std::uint16_t>(m_adjust.entryWords[k]));
    p += 2;
    if (k == Header::kRows) break;
    std::memcpy(p, m_adjust.Row(k), Header::kRowSize);
    p += Header::kRowSize;
  }
}

template <class Channel, class Header>
void CRadioData<Channel, Header>::SetBandDefaultFrequencies(int uhf) {
  const FrequencyCount count = (uhf ? 450 : 150) * kCountsPerMHz;
  for (Channel& channel : m_channels) {
    channel.m_rxFrequency = count;
    channel.m_txFrequency = count;
  }
}

template <class Channel, class Header>
void CRadioData<Channel, Header>::SetChannelRxFrequency(int i, FrequencyCount count) {
  if (i >= 0 && i < kChannelCount) m_channels[i].m_rxFrequency = count;
}

template <class Channel, class Header>
void CRadioData<Channel, Header>::SetChannelTxFrequency(int i, FrequencyCount count) {
  if (i >= 0 && i < kChannelCount) m_channels[i].m_txFrequency = count;
}

template <class Channel, class Header>
void CRadioData<Channel, Header>::FillChannelList(IChoiceList& list, int current) const {
  list.Clear();
  const int none = list.Append("None TX       RX");
  list.SetRowValue(none, group_word::kNoChannel);
  int selected = current < 0 || current >= kChannelCount ? none : -1;
  for (int i = 0; i < kChannelCount; ++i) {
    const Channel& channel = m_channels[i];
    if (!channel.IsProgrammed()) continue;
    char text[64];
    std::snprintf(text, sizeof text, "%3d   %9.5f %9.5f %s", i + 1, CountToMHz(channel.m_txFrequency),
                  CountToMHz(channel.m_rxFrequency), channel.IsWide() ? "Wide" : "Narrow");
    const int row = list.Append(text);
    list.SetRowValue(row, static_cast<std::uint32_t>(i));
    if (i == current) selected = row;
  }
  list.Select(selected);
}

template class CRadioData<CMobileChannelRecord, MobileAdjustmentHeader>;
template class CRadioData<CPortableChannelRecord, PortableAdjustmentHeader>;
