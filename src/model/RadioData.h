#pragma once
// The radio data of one family: the 250 talk groups, the 32 zones (LTR or
// conventional "systems") with their setting bytes, names and repeater lists,
// the display texts, the per-radio tuning bytes and the adjustment header.
// Both families share one layout; what differs is data in RadioFamilyTraits
// and a few checks named where they are made.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "model/BandRecord.h"
#include "model/ChannelRecord.h"
#include "model/ChoiceList.h"
#include "model/GroupRecord.h"
#include "model/RadioImage.h"
#include "model/Settings.h"

class CFamilyModel;

// An image text of 8 characters kept with a terminator.
using Text9 = std::array<char, 9>;

inline constexpr int kZoneByteCount = 16;  // setting bytes per zone
inline constexpr int kRepeatersPerZone = 20;
inline constexpr int kStatusTextCount = 15;

// The 64-byte zone record of the image: the 16 setting bytes, then the 20
// repeater-list words. Bytes 56-63 belong to nobody and are never written.
namespace zone_slot {
inline constexpr std::size_t kBytes = 0;
inline constexpr std::size_t kRepeaterWords = 16;  // big-endian
inline constexpr std::size_t kWrittenSize = 56;
}  // namespace zone_slot

// The setting bytes of a zone. Bytes 2..9 hold the LTR fields of an LTR zone
// and the Connect Dial (a count and 15 digits, a nibble each) of any other.
namespace zone_byte {
inline constexpr int kPower = 0;
inline constexpr int kTimer = 1;
inline constexpr int kHome = 2;
inline constexpr int kInterconnectId = 3;  // 0xFF = not set
inline constexpr int kBlockStart1 = 4;
inline constexpr int kBlockEnd1 = 5;
inline constexpr int kBlockStart2 = 6;     // the TX inhibit IDs
inline constexpr int kBlockEnd2 = 7;
inline constexpr int kResume = 8;
inline constexpr int kLtrOption = 9;
inline constexpr int kRevertGroup = 10;    // an index within the zone; 0xFF none
inline constexpr int kDisconnect = 11;
inline constexpr int kType = 12;
inline constexpr int kHangTime = 13;
inline constexpr int kFadeTime = 14;
inline constexpr int kPrefix = 15;
}  // namespace zone_byte

// A setting of a zone: bits of one of its setting bytes.
struct ZoneField {
  int byte;
  BitRange bits = kWholeByte;
};

// Every zone setting, named once: the zone table, its LTR advanced and
// interconnect pages, the write checks and the zone print read them here.
namespace zone_field {
inline constexpr ZoneField kPrimaryTxPower{zone_byte::kPower, Bits(0, 2)};
inline constexpr ZoneField kInterconnectEndOfTxTone{zone_byte::kPower, Bit(3)};  // portable
inline constexpr ZoneField kEndOfTxTone{zone_byte::kPower, Bit(4)};              // portable
inline constexpr ZoneField kAutoInterconnect{zone_byte::kPower, Bit(5)};
inline constexpr ZoneField kInterconnectOnlyRx{zone_byte::kPower, Bit(6)};
inline constexpr ZoneField kPhoneInterconnect{zone_byte::kPower, Bit(7)};
inline constexpr ZoneField kInterconnectTimeout{zone_byte::kTimer, Bits(0, 3)};
inline constexpr ZoneField kTxTimeout{zone_byte::kTimer, Bits(4, 7)};
inline constexpr ZoneField kHomeRepeater{zone_byte::kHome, Bits(0, 6)};  // LTR: 1..20, 0 none
inline constexpr ZoneField kAreaCode{zone_byte::kHome, Bit(7)};          // LTR
inline constexpr ZoneField kConnectDialCount{zone_byte::kHome, Bits(4, 7)};  // any other zone
inline constexpr ZoneField kInterconnectId{zone_byte::kInterconnectId};
inline constexpr ZoneField kBlockStart{zone_byte::kBlockStart1};
inline constexpr ZoneField kBlockStop{zone_byte::kBlockEnd1};
inline constexpr ZoneField kInhibitStart{zone_byte::kBlockStart2};
inline constexpr ZoneField kInhibitStop{zone_byte::kBlockEnd2};
inline constexpr ZoneField kInhibitResume{zone_byte::kResume, Bits(0, 3)};  // 5 s steps
inline constexpr ZoneField kDecodeResume{zone_byte::kResume, Bits(4, 7)};
inline constexpr ZoneField kScanWords{zone_byte::kLtrOption, Bits(0, 3)};  // value + 5 words
inline constexpr ZoneField kRiseTime{zone_byte::kLtrOption, Bits(4, 7)};   // 5 ms steps
inline constexpr ZoneField kRevertGroup{zone_byte::kRevertGroup};
inline constexpr ZoneField kDisconnectDial{zone_byte::kDisconnect, Bits(4, 7)};
inline constexpr ZoneField kFormat{zone_byte::kType, Bits(2, 3)};  // ZoneKind: 1 LTR, 2 conventional
inline constexpr ZoneField kMultipleGroupDecode{zone_byte::kType, Bit(5)};
inline constexpr ZoneField kTalkPermitTone{zone_byte::kType, Bit(7)};
inline constexpr ZoneField kHangTime{zone_byte::kHangTime};
inline constexpr ZoneField kFadeTime{zone_byte::kFadeTime};
inline constexpr ZoneField kPrefixCode{zone_byte::kPrefix};
}  // namespace zone_field

namespace zone_flag {
inline constexpr std::uint8_t kEnabled = 0x01;  // pair-swapped array 0x08E
inline constexpr std::uint8_t kSetting4 = 0x10; // pair-swapped array 0x092
}  // namespace zone_flag

// Repeater-list word: bits 0-9 RF channel (0x3FF empty), 10/11 data phase,
// 13 interconnect, 14 dispatch.
namespace repeater_word {
inline constexpr std::uint16_t kChannelMask = 0x03FF;
inline constexpr std::uint16_t kEmpty = 0x03FF;
inline constexpr std::uint16_t kHomeMarks = 0x6000;  // interconnect and dispatch
}  // namespace repeater_word

inline constexpr int kZoneModeConventional = 2;  // InitSystem mode; anything else is LTR

// Band-dependent defaults of the adjustment header (0.1 MHz units).
struct AdjustmentDefaults {
  int word;
  std::uint8_t bytes[3];
  int entries[9];
};

// Everything the two families do differently, as data.
struct RadioFamilyTraits {
  Family family;
  std::uint8_t defaultFamilyCode;  // the radio-wide record's own default model code
  std::size_t tuningOffset;   // per-radio tuning bytes in the image
  int tuningCount;
  std::uint8_t ltrOptionByte; // zone byte 9 of a fresh LTR zone
  bool keepsSecondZoneBytes;  // the portable radio stores them, the mobile writes zeros
  const char* lastStatusText; // the fifteenth display status text
  AdjustmentDefaults uhfAdjust;
  AdjustmentDefaults vhfAdjust;
  int defaultRowCount;        // rows with fixed default bytes
  const std::uint8_t (*defaultRows)[8];
};

extern const RadioFamilyTraits kMobileFamilyTraits;
extern const RadioFamilyTraits kPortableFamilyTraits;

// What the channels read of the radio-wide records, which are kept and
// packed by their own code. The family model wires both when it builds its
// radio data; a radio data object of its own (a test's) reads the band of the
// radio-wide record's own default (UHF) and a split of 0.
struct RadioWideLinks {
  std::function<std::uint8_t()> familyCode;  // radio-wide model code
  std::function<double()> defaultSplitMHz;   // the default-split record

  // Links are wiring, not data: records compare by what they hold.
  bool operator==(const RadioWideLinks&) const { return true; }
};

inline constexpr int kKeyFunctionPhone = 16;
inline constexpr std::uint8_t kOptionBoardEncryption = 3;  // bits 0-2 of the option board byte

// Group, zone and display data of one family, with no channels.
class CRadioDataCore {
public:
  explicit CRadioDataCore(const RadioFamilyTraits& traits);

  const RadioFamilyTraits& Traits() const { return *traits_; }
  bool IsPortableFamily() const { return traits_->family == kPortable; }

  // --- the data, edited in place by the pages ---
  std::array<CGroupRecord, kGroupCount> m_groups;
  std::uint32_t m_productWord = 0;  // image byte 3 high, byte 2 low; bits 8-15 product code
  std::array<std::uint8_t, kZoneCount> m_groupCounts{};
  Text9 m_powerOnText{};
  std::array<Text9, kZoneCount> m_zoneNames{};
  std::array<Text9, kStatusTextCount> m_statusTexts{};
  std::array<std::uint8_t, kZoneCount> m_selectedGroup{};  // 0 none, else absolute 1-based group
  std::array<std::uint8_t, kZoneCount> m_secondZoneBytes{};
  std::array<std::uint8_t, kZoneCount> m_zoneFlags{};
  int m_groupSlots = kGroupCount;
  int m_channelCount = kChannelCount;
  int m_maxGroups = kGroupCount;
  int m_zoneCount = kZoneCount;
  // Row k holds setting byte k of every zone.
  std::array<std::array<std::uint8_t, kZoneCount>, kZoneByteCount> m_zoneBytes{};
  std::array<std::array<std::uint16_t, kRepeatersPerZone>, kZoneCount> m_repeaters{};
  std::array<std::uint8_t, 16> m_tuning{};  // per-radio tuning bytes (mobile 16, portable 14)
  // Nothing in the program reads m_spare0, m_spare1, m_spare3 and m_spare4
  // beyond the values the defaults give them; they are kept for the layout.
  int m_spare0 = 0;
  int m_spare1 = 0;
  int m_freeGroups = kGroupCount;  // group slots assigned to no zone
  int m_spare3 = 1;
  int m_spare4 = kChannelCount;
  int m_assignedGroups = 0;        // sum of the zones' group counts at the last load
  CDefaultGroupRecord m_defaultGroup;
  RadioWideLinks m_radioWide;

  bool operator==(const CRadioDataCore&) const = default;

  // --- zones and groups ---
  static bool IsValidZone(int zone) { return zone >= 0 && zone < kZoneCount; }
  // A zone setting's value, and where a page stores it (zone 0..31).
  std::uint32_t ZoneValue(int zone, ZoneField field) const {
    return field.bits.Get(m_zoneBytes[static_cast<std::size_t>(field.byte)][static_cast<std::size_t>(zone)]);
  }
  FieldRef ZoneRef(int zone, ZoneField field) {
    return FieldRef(&m_zoneBytes[static_cast<std::size_t>(field.byte)][static_cast<std::size_t>(zone)], field.bits);
  }
  bool IsZoneEnabled(int zone) const;
  bool IsLtrZone(int zone) const;
  int GetSystemGroupCount(int zone) const;
  // Absolute index of the zone's first group slot: the counts of the zones
  // before it, summed wide (it can pass 250 on a damaged image).
  int FirstGroupOf(int zone) const;
  // Absolute 1-based number of the zone's n-th group; 0 when n is 0 or the
  // zone does not exist.
  unsigned GroupIndex(int zone, int n) const;
  // The zone that owns group slot g, or -1 when no zone's run covers it.
  int ZoneOfGroup(int g) const;
  void ClearGroupFlags(int g, std::uint8_t bits);
  // First step of every pack: switches off the group slots past the zones'
  // groups. Counts whose true sum passes 250 get the load's repair first
  // (all 250 groups to zone 0), so no count can wrap.
  void DisableUnassignedGroups();
  void InitSystem(int zone, int mode);
  void ResetSystemGroups(int zone);

  // --- image ---
  // Everything but the group and channel records (and the tuning bytes).
  void LoadZonesFromImage(const std::uint8_t* image);
  void LoadGroup(int g, const std::uint8_t* image);
  // 1 stored; 0 refused (portable checks, message shown) or no such group.
  // The model's radio-wide record tells the mobile option board.
  int StoreGroup(const CFamilyModel& model, int g, std::uint8_t* image);
  // Packs the zone, text and bit-array areas after checking every zone
  // (against the model's key record). 1 packed; 0 refused with its message
  // shown, and then neither the image nor the data has been changed.
  int ValidateBeforeWrite(const CFamilyModel& model, std::uint8_t* image);

  // Defaults of everything but the channels and the adjustment header.
  void SetZoneDefaults();
  // The radio-wide record's model code, and whether it names a UHF radio.
  std::uint8_t FamilyCode() const;
  bool IsUhfBand() const { return IsUhfFamilyCode(FamilyCode()); }

  // --- pick lists ---
  std::string GetZoneText(int zone) const;
  void FillZoneCombo(IChoiceList& list, int currentZone) const;
  void FillGroupCombo(IChoiceList& list, int zone, int currentGroup) const;
  void FillGroupListBox(IChoiceList& list, int zone, int currentIndexInZone) const;

private:
  int SumGroupCounts() const;
  void GiveZone0AllGroups();
  bool CheckZones(const CFamilyModel& model) const;
  void WriteBitArrays(std::uint8_t* image) const;
  void WriteZoneRecord(int zone, std::uint8_t* image);
  // Refills the list with "None" and a "Grp %2d" row per enabled group of
  // the zone; each row's value is the absolute group index or, with
  // withinZone, the index within the zone. Selects the row of current, else "None".
  void FillGroupRows(IChoiceList& list, int zone, bool withinZone, int current) const;

  const RadioFamilyTraits* traits_;
};

void CopyImageText(Text9& text, const std::uint8_t* from);
void SetText(Text9& text, const char* value);

// A family's radio data with its 640 channels and its adjustment header.
template <class Channel, class Header>
class CRadioData : public CRadioDataCore {
public:
  CRadioData(const RadioFamilyTraits& traits, const CBandRecord& band);

  std::array<Channel, kChannelCount> m_channels;
  Header m_adjust;

  bool operator==(const CRadioData&) const = default;

  // What the channel codec reads from the records beside the channels.
  ChannelCodecContext ChannelContext() const;

  void SetDefaults();
  // Unpacks everything but the group and channel records.
  void LoadFromImage(const std::uint8_t* image);
  void LoadChannel(int i, const std::uint8_t* slot);
  void StoreChannel(int i, std::uint8_t* slot);
  // Copies the tuning bytes from the image; with decodeHeader 1 also the
  // adjustment header from the adjustment copy.
  void LoadAdjustmentData(const std::uint8_t* image, const std::uint8_t* adjustCopy, int decodeHeader);
  void StoreAdjustmentData(std::uint8_t* adjustCopy) const;
  void SetBandDefaultFrequencies(int uhf);
  void SetChannelRxFrequency(int i, FrequencyCount count);
  void SetChannelTxFrequency(int i, FrequencyCount count);
  // "None TX       RX" (value 0x3FF), then a row per programmed channel
  // (value its index). A current index past the last channel selects "None".
  void FillChannelList(IChoiceList& list, int current) const;

private:
  void SetAdjustmentDefaults();
  const CBandRecord* band_;
};

// A radio data object reads the band record it is given; with none, the
// family model's.
class CMobileRadioData : public CRadioData<CMobileChannelRecord, MobileAdjustmentHeader> {
public:
  CMobileRadioData();
  explicit CMobileRadioData(const CBandRecord& band);
};

class CPortableRadioData : public CRadioData<CPortableChannelRecord, PortableAdjustmentHeader> {
public:
  CPortableRadioData();
  explicit CPortableRadioData(const CBandRecord& band);
};

// Each family's radio data object, held by its family model (FamilyModel.h):
// the one record with a name of its own, for the many pages and link steps
// that work on a family's own radio data type.
extern CMobileRadioData& g_mobileData;
extern CPortableRadioData& g_portableData;
