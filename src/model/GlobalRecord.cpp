#include "model/GlobalRecord.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "model/ConfigFile.h"
#include "model/FamilyModel.h"
#include "model/GlobalRecordFields.h"
#include "model/GlobalRecordText.h"
#include "model/MessageBox.h"

namespace {

const GlobalRecordFamily kMobileGlobal = {kMobile, 0xE0, 97, 96, kNoZone};
// The portable model group is the code masked like every later unpack does
// (185 AND 0x80), so the band reads the same before and after a load.
const GlobalRecordFamily kPortableGlobal = {kPortable, 0x80, 185, 0x80, 0};

// Image positions the record handles by hand.
namespace pos {
constexpr std::size_t kSystemOptions = 30;
constexpr std::size_t kModelCode = 32;
constexpr std::size_t kHardware = 33;
constexpr std::size_t kPassword = 34;
constexpr std::size_t kSqlLevel = 43;
constexpr std::size_t kQalsOptions = 202;
constexpr std::size_t kFirstDigitDelay = 213;
constexpr std::size_t kDataZone = 211;
constexpr std::size_t kDsubGroups = 732;
constexpr std::size_t kLastChannelBlock = 252;
constexpr std::size_t kLastGroupBlock = 253;
constexpr std::size_t kEmergencyCode = 646;
}  // namespace pos

// The bits the pack forces and the checks read are named in GlobalRecordFields.h.
constexpr std::uint8_t kModelByteDefault = 0x2F;  // mobile 249 of a fresh radio

// Bytes of a fresh mobile radio that no record keeps; only the default image
// writes them.
namespace fresh {
// 254-255: EEPROM word 127, the validity marker, as a completed send leaves
// it (0xA55A; an image word is stored low byte first).
constexpr std::size_t kValidMarkerWord = 254;
constexpr std::uint16_t kValidMarker = 0xA55A;
// 706-718: the special area between the display flags (705) and the ACC
// Port1 output (719), all zero.
constexpr std::size_t kSpecialFirst = 706;
constexpr std::size_t kSpecialEnd = 719;
// 724 and 729: the ACC Port6 output and ACC Port5 input slots, lines the
// connector does not have; zero.
constexpr std::size_t kNoPort6Output = 724;
constexpr std::size_t kNoPort5Input = 729;
// 749-754 (after Ignition Sense) and 759 (after Ext. Mic Sense): 10 each.
constexpr std::size_t kTensFirst = 749;
constexpr std::size_t kTensEnd = 755;
constexpr std::size_t kAfterMicSense = 759;
constexpr std::uint8_t kTen = 10;
// 760-763: the last bytes of the mobile area, as the factory sets them.
constexpr std::size_t kTail = 760;
constexpr std::uint8_t kTailBytes[] = {0x80, 0xA8, 0x1B, 0x00};
}  // namespace fresh

enum Families : std::uint8_t { kBoth, kMobileOnly };
enum Handling : std::uint8_t {
  kPlain,       // pack writes the copy as it stands
  kByHand,      // pack works the byte out itself
  kUnpackOnly,  // read, never written by Pack
  kBlocks,      // written by pass 1
};

constexpr int kNoDefault = -1;  // the byte keeps its value until the first unpack

struct ByteCopy {
  std::uint16_t image;
  std::uint8_t* field;
  Families families;
  Handling handling;
  int mobileDefault;
  int portableDefault;
};

struct GroupPair {
  std::uint16_t groupImage;
  std::uint16_t zoneImage;
  std::uint8_t* group;
  std::uint8_t* zone;
};

// The absolute index of the zone's first group.
int FirstGroupOf(const IRadioDataView& data, int zone) {
  int first = 0;
  for (int z = 0; z < zone; ++z) first += data.GroupCount(z);
  return first;
}

// Whether an absolute group is one of the zone's own groups.
bool GroupOfZone(const IRadioDataView& data, std::uint8_t group, std::uint8_t zone) {
  if (group == kNoGroup || zone >= kZoneCount) return false;
  const int first = FirstGroupOf(data, zone);
  return group >= first && group < first + data.GroupCount(zone);
}

bool ZoneProgrammed(const IRadioDataView& data, std::uint8_t zone) {
  return zone != kNoZone && data.IsZoneEnabled(zone);
}

bool GroupProgrammed(const IRadioDataView& data, std::uint8_t group) {
  return group != kNoGroup && data.IsGroupEnabled(group);
}

int Refuse(const char* text) {
  ShowMessageBox(text, kMsgOk);
  return 0;
}

// Every image byte the record keeps a copy of, in image order.
std::vector<ByteCopy> ByteTable(CGlobalRecord& r) {
  return {
      {30, &r.systemOptions, kBoth, kByHand, 0x20, 0x20},
      {31, &r.optionByte31, kBoth, kPlain, 0x9F, 0x9F},
      {42, &r.lcdOptions, kBoth, kPlain, 8, 8},
      {43, &r.sqlLevelOffset, kBoth, kByHand, 0x88, 4},
      {182, &r.displayOptions, kBoth, kPlain, 0x18, 0x18},
      {183, &r.scanResumeTimes, kBoth, kPlain, 0x33, 0x33},
      {184, &r.dualWatchTimeA, kBoth, kPlain, 7, 7},
      {185, &r.toneOptions, kBoth, kPlain, 0x1C, 0x1C},
      {186, &r.saveOptions, kBoth, kPlain, 0, 0},
      {187, &r.dualWatchTimeB, kBoth, kPlain, 0x0A, 0x0A},
      {200, &r.totTimes, kBoth, kPlain, 0, 0},
      {202, &r.qalsOptions, kBoth, kByHand, 0, 0},
      {204, &r.pttOptions, kBoth, kPlain, 0, 0},
      {205, &r.advancedOptions, kBoth, kPlain, 0x30, 0x30},
      {206, &r.emergencyTimes, kBoth, kPlain, 0x33, 0x33},
      {207, &r.emergencyOptions, kBoth, kPlain, 0, 0},
      {208, &r.powerOnOptions, kBoth, kPlain, 1, 1},
      {209, &r.emergencyKeyOptions, kBoth, kPlain, 0x0D, 0x0D},
      {212, &r.aniSpeedOptions, kBoth, kPlain, 0x99, 0x99},
      {213, &r.firstDigitDelayOptions, kBoth, kByHand, 0x48, 0x48},
      {222, &r.microphoneSens, kBoth, kPlain, 0x50, 0x50},
      {223, &r.beepLevel, kBoth, kPlain, 0x40, 0x40},
      {224, &r.carried224, kBoth, kPlain, 0xFF, 0xFF},
      {225, &r.carried225, kBoth, kPlain, 0xFF, 0xFF},
      {226, &r.afMinVrLevel, kBoth, kPlain, 1, 0},
      {227, &r.carried227, kBoth, kPlain, 0xFE, 0xFE},
      {228, &r.carried228, kBoth, kPlain, 0xFF, 0xFF},
      {229, &r.carried229, kBoth, kPlain, 0xFF, 0xFF},
      {230, &r.carried230, kBoth, kPlain, 0x33, 0x33},
      {231, &r.carried231, kBoth, kPlain, 0xFE, 0xFE},
      {232, &r.carried232, kBoth, kPlain, 0x0F, 0x0F},
      {233, &r.dataModeOptions, kBoth, kPlain, 0x25, 0x25},
      {236, &r.carried236, kMobileOnly, kUnpackOnly, 0x37, kNoDefault},
      {244, &r.backLightDimmer, kMobileOnly, kPlain, 0xFF, kNoDefault},
      {246, &r.zoneScanOptions, kMobileOnly, kPlain, 0x20, kNoDefault},
      {247, &r.optionBoard, kMobileOnly, kPlain, 0x9F, kNoDefault},
      {249, &r.modelByte, kBoth, kUnpackOnly, kNoDefault, kNoDefault},
      {251, &r.featureByte, kMobileOnly, kPlain, 0xF8, kNoDefault},
      {252, &r.lastChannelBlock, kBoth, kBlocks, 0xB8, 0xA6},
      {253, &r.lastGroupBlock, kBoth, kBlocks, 0, 0},
      {704, &r.hornExtPttBits, kMobileOnly, kPlain, 0x90, kNoDefault},
      {705, &r.displayFlashOptions, kMobileOnly, kPlain, 0x10, kNoDefault},
      {719, &r.accOutput[0], kMobileOnly, kPlain, 0, kNoDefault},
      {720, &r.accOutput[1], kMobileOnly, kPlain, 0, kNoDefault},
      {721, &r.accOutput[2], kMobileOnly, kPlain, 0, kNoDefault},
      {722, &r.accOutput[3], kMobileOnly, kPlain, 0, kNoDefault},
      {723, &r.accOutput[4], kMobileOnly, kPlain, 0, kNoDefault},
      {725, &r.accInput[0], kMobileOnly, kPlain, 0, kNoDefault},
      {726, &r.accInput[1], kMobileOnly, kPlain, 0, kNoDefault},
      {727, &r.accInput[2], kMobileOnly, kPlain, 0, kNoDefault},
      {728, &r.accInput[3], kMobileOnly, kPlain, 0, kNoDefault},
      {730, &r.accInput[4], kMobileOnly, kPlain, 0, kNoDefault},
      {731, &r.dsubZone, kMobileOnly, kPlain, 0xFF, kNoDefault},
      {748, &r.ignitionBits, kMobileOnly, kPlain, 0x19, kNoDefault},
      {755, &r.ledOnTime, kMobileOnly, kPlain, 1, kNoDefault},
      {756, &r.ledOffTime, kMobileOnly, kPlain, 0x14, kNoDefault},
      {757, &r.ledOptions, kMobileOnly, kPlain, 0x90, kNoDefault},
      {758, &r.extMicSense, kMobileOnly, kPlain, 0x50, kNoDefault},
  };
}

// Group/zone pairs in image order; the group byte is the zone byte - 1.
std::array<GroupPair, CGlobalRecord::kGroupPairCount> PairTable(CGlobalRecord& r) {
  return {{
      {140, 141, &r.homeGroup, &r.homeZone},
      {210, 211, &r.dataGroup, &r.dataZone},
      {214, 215, &r.shortcut1Group, &r.shortcut1Zone},
      {216, 217, &r.shortcut2Group, &r.shortcut2Zone},
      {218, 219, &r.shortcut3Group, &r.shortcut3Zone},
      {220, 221, &r.shortcut4Group, &r.shortcut4Zone},
      {234, 235, &r.emergencyGroup, &r.emergencyZone},
  }};
}

}  // namespace

CGlobalRecord::CGlobalRecord(const GlobalRecordFamily& family) : family_(&family) {
  modelCode = family.constructedModel;
  modelGroup = family.constructedGroup;
  SetDefaults();
}

CMobileGlobalRecord::CMobileGlobalRecord() : CGlobalRecord(kMobileGlobal) {}
CPortableGlobalRecord::CPortableGlobalRecord() : CGlobalRecord(kPortableGlobal) {}

std::uint8_t* CGlobalRecord::FieldOfImageByte(int imageByte) {
  for (const ByteCopy& c : ByteTable(*this)) {
    if (c.image == imageByte && (c.families == kBoth || IsMobile())) return c.field;
  }
  return nullptr;
}

void CGlobalRecord::SetDefaults() {
  const bool mobile = IsMobile();
  for (const ByteCopy& c : ByteTable(*this)) {
    const int value = mobile ? c.mobileDefault : c.portableDefault;
    if (value != kNoDefault) *c.field = static_cast<std::uint8_t>(value);
  }
  for (const GroupPair& p : PairTable(*this)) *p.group = *p.zone = kNoGroup;
  keptPairGroups_.fill({});
  keptDsubGroups_.fill({});
  dataZone = family_->dataZoneDefault;
  hardwareByte = 0;
  passwordText.clear();
  radioPassword.fill(0);
  emergencyCode.fill(0);
  dsubZone = kNoZone;
  dsubGroup.fill(kNoGroup);
  // The back light follows the default bytes (182 b6 and 42 b2 clear); the
  // pack writes those bits from this value.
  backLight = 0;
}

// ---------------------------------------------------------------------------
// Groups

std::uint8_t CGlobalRecord::ToZoneGroup(const CFamilyModel& model, std::uint8_t absolute) {
  if (absolute == kNoGroup) return kNoGroup;
  const IRadioDataView& data = model.RadioDataView();
  int rest = absolute;
  for (int zone = 0; zone < kZoneCount; ++zone) {
    const int count = data.GroupCount(zone);
    if (rest < count) return static_cast<std::uint8_t>(rest);
    rest -= count;
  }
  return kNoGroup;  // beyond every zone's groups
}

std::uint8_t CGlobalRecord::ToAbsoluteGroup(const CFamilyModel& model, std::uint8_t group, std::uint8_t zone) {
  if (group == kNoGroup || zone >= kZoneCount) return kNoGroup;
  const int absolute = group + FirstGroupOf(model.RadioDataView(), zone);
  return absolute < kGroupCount ? static_cast<std::uint8_t>(absolute) : kNoGroup;
}

std::uint8_t CGlobalRecord::UnpackGroup(const CFamilyModel& model, std::uint8_t imageByte, std::uint8_t zone,
                                        KeptGroupByte& kept) {
  const std::uint8_t group = ToAbsoluteGroup(model, imageByte, zone);
  kept = {};
  if (imageByte != kNoGroup && !GroupOfZone(model.RadioDataView(), group, zone)) kept = {true, imageByte, group, zone};
  return group;
}

// Packed from the absolute index, a group its zone does not have would land
// in a later zone and move on every save.
std::uint8_t CGlobalRecord::PackGroup(const CFamilyModel& model, std::uint8_t group, std::uint8_t zone,
                                      const KeptGroupByte& kept) {
  if (kept.kept && group == kept.group && zone == kept.zone && !GroupOfZone(model.RadioDataView(), group, zone))
    return kept.imageByte;
  return ToZoneGroup(model, group);
}

// ---------------------------------------------------------------------------
// Unpack

void CGlobalRecord::Unpack(const CFamilyModel& model, const std::uint8_t* image) {
  const bool mobile = IsMobile();
  for (const ByteCopy& c : ByteTable(*this)) {
    if (c.families == kBoth || mobile) *c.field = image[c.image];
  }
  if (!mobile) sqlLevelOffset &= 0x0F;  // the high nibble is the radio's own
  modelCode = image[pos::kModelCode];
  modelGroup = modelCode & family_->modelMask;
  std::memcpy(radioPassword.data(), image + pos::kPassword, radioPassword.size());
  passwordText = PasswordText(*this);
  // Zones first: a group is placed by the zone read with it.
  const auto pairs = PairTable(*this);
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    *pairs[i].zone = image[pairs[i].zoneImage];
    *pairs[i].group = UnpackGroup(model, image[pairs[i].groupImage], *pairs[i].zone, keptPairGroups_[i]);
  }
  if (mobile) {
    for (std::size_t i = 0; i < dsubGroup.size(); ++i)
      dsubGroup[i] = UnpackGroup(model, image[pos::kDsubGroups + i], dsubZone, keptDsubGroups_[i]);
  }
  std::copy_n(image + pos::kEmergencyCode, emergencyCode.size(), emergencyCode.begin());
  Resolve(*this, global::kLcdBit5).Set(0);
  Resolve(*this, global::kAdvancedBit4).Set(1);
  backLight = ValueOf(*this, mobile ? global::kMobileBackLight : global::kPortableBackLight);
  if (!mobile && (optionByte31 & 0x04) != 0 && ((optionByte31 >> 3) & 0x0F) != 3)
    optionByte31 = static_cast<std::uint8_t>((optionByte31 & ~0x78) | (3 << 3));
}

// ---------------------------------------------------------------------------
// Pack

bool CGlobalRecord::CheckSettings(const CFamilyModel& model) const {
  const IRadioDataView& data = model.RadioDataView();
  const CKeyAssignRecord& keys = model.keys;
  const bool revertGroup1 = ValueOf(*this, global::kRevertGroup) == global::kRevertGroupHome;
  if (keys.HasCode(kKeyHome) || ValueOf(*this, global::kHomeGrpScan) != 0 || revertGroup1) {
    if (!ZoneProgrammed(data, homeZone)) return Refuse(kHomeSystemRefusal);
    if (!GroupProgrammed(data, homeGroup)) return Refuse(kHomeGroupRefusal);
  }
  if (ValueOf(*this, global::kPowerOnStatus) == global::kPowerOnZone1 &&
      !(data.IsZoneEnabled(0) && data.IsGroupEnabled(0)))
    return Refuse(kSystem1Refusal);
  const std::uint8_t shortcuts[4][2] = {{shortcut1Zone, shortcut1Group},
                                        {shortcut2Zone, shortcut2Group},
                                        {shortcut3Zone, shortcut3Group},
                                        {shortcut4Zone, shortcut4Group}};
  for (int n = 0; n < 4; ++n) {
    if (keys.HasCode(static_cast<std::uint8_t>(kKeyShortCut1 + n)) &&
        !(ZoneProgrammed(data, shortcuts[n][0]) && GroupProgrammed(data, shortcuts[n][1])))
      return Refuse(kShortCutRefusals[n]);
  }
  if (keys.HasCode(kKeyEmergency)) {
    if (!ZoneProgrammed(data, emergencyZone)) return Refuse(kEmergencySystemRefusal);
    if (!GroupProgrammed(data, emergencyGroup)) return Refuse(kEmergencyGroupRefusal);
  }
  return true;
}

void CGlobalRecord::ApplyPackEdits(const CFamilyModel& model, bool defaultImage) {
  const bool mobile = IsMobile();
  Resolve(*this, global::kLcdBit4).Set(0);
  // A portable flag of 2 sets 0x2A bit 2 alone.
  if (!mobile) Resolve(*this, global::kPortableBackLight).Set(backLight != 0 ? 1 : 0);
  Resolve(*this, global::kMobileBackLight).Set(backLight == 1 ? 1 : 0);
  Resolve(*this, global::kAdvancedBit4).Set(1);
  Resolve(*this, global::kMicrophone).Set(1);
  if (model.dtmf.AnyPagingDecodeOn()) Resolve(*this, global::kPagingAllowed).Set(0);
  Resolve(*this, global::kSaveBit4).Set(0);
  Resolve(*this, global::kQalsBit1).Set(1);
  if (model.keys.HasCode(kKeyPhone))
    Resolve(*this, global::kRevertGroup).Set(global::kRevertGroupLastBusy);
  if (!mobile) afMinVrLevel = 0;
  if (mobile && defaultImage) afMinVrLevel = 1;
  if (mobile && !defaultImage) Resolve(*this, global::kDisplayFlashBit6).Set(1);
}

int CGlobalRecord::PackSettings(const CFamilyModel& model, std::uint8_t* image, bool defaultImage) {
  // Every check runs before anything is written, so a refusal leaves the
  // image and the record as they were.
  if (!CheckSettings(model)) return 0;
  ApplyPackEdits(model, defaultImage);

  const bool mobile = IsMobile();
  for (const ByteCopy& c : ByteTable(*this)) {
    if (c.handling == kPlain && (c.families == kBoth || mobile)) image[c.image] = *c.field;
  }
  // System Scan always set, bit 6 always clear.
  const std::uint32_t system = global::kSystemBit6.bits.Put(systemOptions, 0);
  image[pos::kSystemOptions] = static_cast<std::uint8_t>(global::kSystemScan.bits.Put(system, 1));
  image[pos::kModelCode] = static_cast<std::uint8_t>(modelCode);
  std::memcpy(image + pos::kPassword, radioPassword.data(), radioPassword.size());
  // The portable radio keeps its own setting in the high nibble of 43.
  image[pos::kSqlLevel] = (mobile || defaultImage)
                              ? sqlLevelOffset
                              : static_cast<std::uint8_t>((image[pos::kSqlLevel] & 0xF0) | sqlLevelOffset);
  const std::uint8_t qalsHigh = defaultImage ? 0 : image[pos::kQalsOptions] & 0xF0;
  image[pos::kQalsOptions] = static_cast<std::uint8_t>(qalsHigh | global::kQalsBit1.bits.Put(qalsOptions & 0x0F, 1));
  image[pos::kFirstDigitDelay] = static_cast<std::uint8_t>((firstDigitDelayOptions & ~0x06) | 0x09);
  const auto pairs = PairTable(*this);
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    image[pairs[i].groupImage] = PackGroup(model, *pairs[i].group, *pairs[i].zone, keptPairGroups_[i]);
    image[pairs[i].zoneImage] = *pairs[i].zone;
  }
  if (!mobile && !defaultImage) image[pos::kDataZone] = dataZone & 0x1F;
  if (mobile) {
    for (std::size_t i = 0; i < dsubGroup.size(); ++i)
      image[pos::kDsubGroups + i] = PackGroup(model, dsubGroup[i], dsubZone, keptDsubGroups_[i]);
  }
  std::copy(emergencyCode.begin(), emergencyCode.end(), image + pos::kEmergencyCode);

  if (defaultImage) {
    // What a radio fresh from the factory holds beyond the settings.
    image[pos::kHardware] = hardwareByte;
    if (mobile) {
      image[236] = carried236;
      image[249] = kModelByteDefault;
      image[fresh::kValidMarkerWord] = static_cast<std::uint8_t>(fresh::kValidMarker & 0xFF);
      image[fresh::kValidMarkerWord + 1] = static_cast<std::uint8_t>(fresh::kValidMarker >> 8);
      std::fill(image + fresh::kSpecialFirst, image + fresh::kSpecialEnd, 0);
      image[fresh::kNoPort6Output] = 0;
      image[fresh::kNoPort5Input] = 0;
      std::fill(image + fresh::kTensFirst, image + fresh::kTensEnd, fresh::kTen);
      image[fresh::kAfterMicSense] = fresh::kTen;
      std::copy(std::begin(fresh::kTailBytes), std::end(fresh::kTailBytes), image + fresh::kTail);
    } else {
      std::fill(image + 240, image + 245, 0xFF);
      image[246] = 0x20;
      image[247] = 0x9F;
    }
  }
  return 1;
}

int CGlobalRecord::PackBlocks(const CFamilyModel& model, std::uint8_t* image) {
  const IRadioDataView& data = model.RadioDataView();
  for (int i = kChannelCount - 1; i >= 0; --i) {
    if (!data.IsChannelProgrammed(i)) continue;
    // Mobile: five 25-byte channels a block; portable: 22-byte channels.
    const int block = IsMobile() ? 57 + i / 5 : 57 + (22 * (i + 1)) / 128;
    const CConfigFileBase& config = IsMobile() ? static_cast<const CConfigFileBase&>(g_config) : g_portableConfig;
    lastChannelBlock = static_cast<std::uint8_t>(std::min<int>(block, config.GetLastChannelBlock()));
    break;
  }
  for (int g = kGroupCount - 1; g >= 0; --g) {
    if (!data.IsGroupEnabled(g)) continue;
    lastGroupBlock = static_cast<std::uint8_t>(25 + (16 * g) / 128);
    break;
  }
  image[pos::kLastChannelBlock] = lastChannelBlock;
  image[pos::kLastGroupBlock] = lastGroupBlock;
  return 1;
}

int CGlobalRecord::Pack(const CFamilyModel& model, std::uint8_t* image, int pass) {
  return pass == 0 ? PackSettings(model, image, false) : PackBlocks(model, image);
}

int CGlobalRecord::PackDefault(const CFamilyModel& model, std::uint8_t* image, int pass) {
  return pass == 0 ? PackSettings(model, image, true) : PackBlocks(model, image);
}
