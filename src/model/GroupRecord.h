#pragma once
// A talk group: its settings bytes, RF channel word, tag and on/off flags.
// Both families store a group in the same 16-byte image slot; the flags live
// apart from the slot, in three group bit arrays of the image.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/Settings.h"

// The 16-byte image slot of a group.
namespace group_slot {
inline constexpr std::size_t kSettings = 0;     // six settings bytes, in record order
inline constexpr std::size_t kSettingsCount = 6;
inline constexpr std::size_t kChannelWord = 6;  // big-endian
inline constexpr std::size_t kTag = 8;          // 8 characters, no terminator
inline constexpr std::size_t kSize = 16;
}  // namespace group_slot

// Indexes into the settings bytes.
namespace group_byte {
inline constexpr int kOptions0 = 0;
inline constexpr int kOptions1 = 1;
inline constexpr int kTone = 2;     // bits 3-5 signalling type, bits 0-2 sub-setting
inline constexpr int kOptions3 = 3; // bit 3 needs a tone on a conventional zone
inline constexpr int kOptions4 = 4;
inline constexpr int kOptions5 = 5;
}  // namespace group_byte

// The channel word: its RF channel bits (group_field::kChannel) and the
// value that names no channel. Its other bits are settings (group_field).
namespace group_word {
inline constexpr std::uint16_t kChannelMask = 0x03FF;
inline constexpr std::uint16_t kNoChannel = 0x03FF;
}  // namespace group_word

// Bits of the flags byte and the image bit array that keeps each. An array
// bit is set when its flag is clear.
namespace group_flag {
inline constexpr std::uint8_t kEnabled = 0x01;  // array 0x246
inline constexpr std::uint8_t kSetting1 = 0x02; // array 0x096
inline constexpr std::uint8_t kSetting4 = 0x10; // array 0x266
}  // namespace group_flag

// The sub-audible types of the tone byte, and the code byte of no tone.
enum SubAudibleType : std::uint8_t {
  kSubAudibleNone = 0,
  kSubAudibleCtcss = 1,
  kSubAudibleDcs = 2,
  kSubAudibleDcsInvert = 3
};
inline constexpr std::uint8_t kNoToneCode = 0xFF;

// A setting of a group: bits of one of its settings bytes, of its channel
// word or of its flags byte.
struct GroupField {
  enum class In : std::uint8_t { kSettings, kWord, kFlags };
  In in = In::kSettings;
  int byte = 0;  // the settings byte, for kSettings
  BitRange bits = kWholeByte;
};
constexpr GroupField GroupSetting(int byte, BitRange bits = kWholeByte) {
  return {GroupField::In::kSettings, byte, bits};
}
constexpr GroupField GroupWord(BitRange bits) { return {GroupField::In::kWord, 0, bits}; }
constexpr GroupField GroupFlags(BitRange bits) { return {GroupField::In::kFlags, 0, bits}; }

// Every group setting, named once: the group pages, the signalling rules,
// the write checks and the zone print read them here. Bytes 4 and 5 and the
// bits shared by a mobile and a portable setting carry a name for each.
namespace group_field {
// 2nd TX Power: 7 none, 0 High, 4 and 5 the two mobile Low levels.
inline constexpr GroupField kSecondTxPower = GroupSetting(group_byte::kOptions0, Bits(0, 2));
inline constexpr GroupField kMobileEncryption = GroupSetting(group_byte::kOptions0, Bits(3, 4));
inline constexpr GroupField kPortableEncryption = GroupSetting(group_byte::kOptions0, Bit(4));
inline constexpr GroupField kTxInhibit = GroupSetting(group_byte::kOptions0, Bit(5));
inline constexpr GroupField kCompander = GroupSetting(group_byte::kOptions0, Bit(6));
inline constexpr GroupField kMonitor = GroupSetting(group_byte::kOptions0, Bit(7));
// The conventional signalling (or paging) number: a paging location or a system.
inline constexpr GroupField kFunctionNumber = GroupSetting(group_byte::kOptions1, Bits(0, 3));
// The signalling (or paging) function: this bit, plus 2 x its high bit, which
// is byte 1 bit 6 on a mobile radio of product code 11 or 39 and byte 3 bit 7
// on any other.
inline constexpr GroupField kFunction = GroupSetting(group_byte::kOptions1, Bit(4));
inline constexpr GroupField kAniMonitor = GroupSetting(group_byte::kOptions1, Bit(5));  // mobile
inline constexpr GroupField kFunctionHighCode1139 = GroupSetting(group_byte::kOptions1, Bit(6));
inline constexpr GroupField kAni = GroupSetting(group_byte::kOptions1, Bit(7));
inline constexpr GroupField kTxSubAudible = GroupSetting(group_byte::kTone, Bits(0, 2));  // SubAudibleType
inline constexpr GroupField kRxSubAudible = GroupSetting(group_byte::kTone, Bits(3, 5));
inline constexpr GroupField kFlatAf = GroupSetting(group_byte::kTone, Bit(6));  // mobile
inline constexpr GroupField kTxSave = GroupSetting(group_byte::kTone, Bit(6));  // portable
inline constexpr GroupField kRxSave = GroupSetting(group_byte::kTone, Bit(7));  // portable
inline constexpr GroupField kClearedOnStore = GroupSetting(group_byte::kOptions3, Bit(2));
// Call Alert [Horn]; on a conventional zone it needs a tone.
inline constexpr GroupField kCallAlert = GroupSetting(group_byte::kOptions3, Bit(3));
inline constexpr GroupField kTalkAroundFixed = GroupSetting(group_byte::kOptions3, Bit(4));
inline constexpr GroupField kTalkAroundUser = GroupSetting(group_byte::kOptions3, Bit(5));
inline constexpr GroupField kFunctionHigh = GroupSetting(group_byte::kOptions3, Bit(7));
inline constexpr GroupField kTxId = GroupSetting(group_byte::kOptions4);  // LTR: 1..250, kNoGroupId
inline constexpr GroupField kRxId = GroupSetting(group_byte::kOptions5);
inline constexpr GroupField kTxCode = GroupSetting(group_byte::kOptions4);  // conventional: a tone or code row
inline constexpr GroupField kRxCode = GroupSetting(group_byte::kOptions5);
inline constexpr GroupField kChannel = GroupWord(Bits(0, 9));  // 0x3FF none
// Busy Lock Out on a conventional zone ("Correct" and "Incorrect" need a
// tone on a portable radio); a fresh LTR group has 1.
inline constexpr GroupField kBusyLockout = GroupWord(Bits(12, 13));
inline constexpr GroupField kTimer = GroupWord(Bit(14));  // Time Out Timer
inline constexpr GroupField kQals = GroupWord(Bit(15));   // range transpond
inline constexpr GroupField kEnabled = GroupFlags(Bit(0));
// Scan Memory as bits 1..4 of the flags: bits 2 and 3 are never set, so 9
// is both bits ("Enable"), 1 "User", 8 "Dealer".
inline constexpr GroupField kScanMemory = GroupFlags(Bits(1, 4));
}  // namespace group_field

// Scan Memory: bits 1 and 4 of a group's flags byte (and of the Default
// record's byte 5): both "Enable", bit 1 alone "User", bit 4 alone "Dealer",
// neither "Disable".
inline constexpr std::uint8_t kScanMemoryBits = group_flag::kSetting1 | group_flag::kSetting4;
const char* ScanMemoryText(std::uint8_t byte);
// Clears both bits, then sets both when `enable`; every other bit stays.
void SetScanMemory(std::uint8_t& byte, bool enable);

// The TX and RX IDs of an LTR group: 1..250, 255 = none.
inline constexpr std::uint8_t kNoGroupId = 0xFF;
inline constexpr int kMaxGroupId = 250;
// An ID as typed into its cell (read as atoi reads it): 1..250, or none for
// an empty text or a single blank; nullopt when refused.
std::optional<std::uint8_t> ParseGroupId(std::string_view text);
// What an ID cell shows: the decimal number, or nothing for none.
std::string GroupIdText(std::uint8_t id);

// Signalling types of the tone byte that count as a programmed CTCSS/DCS tone.
bool IsToneProgrammed(std::uint8_t toneByte);

class CGroupRecord {
public:
  std::array<std::uint8_t, group_slot::kSettingsCount> settings{0x87, 0, 0, 0, 0xFF, 0xFF};
  std::uint16_t channelWord = group_word::kNoChannel;
  std::array<char, 9> tag{};  // 8 characters and a terminator
  std::uint8_t flags = 0;

  bool operator==(const CGroupRecord&) const = default;

  // The record defaults for group g (0-based): tag "GROUP%3.3d" of g + 1;
  // group 0 is on channel 0 and enabled, every other group has no channel.
  void SetDefaults(int g);
  // Settings bytes of a fresh group of a zone; tag and flags stay.
  void ResetSettings(bool ltrZone);
  void SetTag(const char* text);
  // A tag as typed: its first 8 characters, padded with blanks to 8.
  void SetPaddedTag(std::string_view text);

  void LoadSlot(const std::uint8_t* slot);
  void StoreSlot(std::uint8_t* slot) const;

  // A setting's value, and where a page keeps it.
  std::uint32_t Value(GroupField field) const;
  FieldRef Ref(GroupField field);
  void Set(GroupField field, std::uint32_t value) { Ref(field).Set(value); }

  bool IsEnabled() const { return flags & group_flag::kEnabled; }
  std::uint8_t Tone() const { return settings[group_byte::kTone]; }
  // The RF channel index, or -1 when the word names none (0x3FF, or any
  // index past the last channel).
  int Channel() const;
};

// The twins share one record layout.
using CMobileGroupRecord = CGroupRecord;
using CPortableGroupRecord = CGroupRecord;

// The values of the "Default" column of the group pages: 8 bytes of their
// own layout (not a group record), reset with the radio data and never saved.
struct DefaultGroupField;
struct CDefaultGroupRecord {
  std::array<std::uint8_t, 6> bytes{};
  std::uint16_t word6 = 0;
  bool operator==(const CDefaultGroupRecord&) const = default;
  void SetDefaults();
  std::uint32_t Value(const DefaultGroupField& field) const;
  FieldRef Ref(const DefaultGroupField& field);
  void Set(const DefaultGroupField& field, std::uint32_t value) { Ref(field).Set(value); }
};

// A setting of the Default record: bits of one of its bytes, or of its word
// when `byte` is -1.
struct DefaultGroupField {
  int byte = -1;
  BitRange bits = kWholeWord16;
};
constexpr DefaultGroupField DefaultByte(int byte, BitRange bits) { return {byte, bits}; }
constexpr DefaultGroupField DefaultWord(BitRange bits) { return {-1, bits}; }

// The Default record's settings that both families keep in the same place.
namespace default_group_field {
inline constexpr DefaultGroupField kSecondTxPower = DefaultByte(0, Bits(0, 2));
inline constexpr DefaultGroupField kMobileEncryption = DefaultByte(0, Bits(3, 4));
inline constexpr DefaultGroupField kPortableEncryption = DefaultByte(0, Bit(4));
inline constexpr DefaultGroupField kTxInhibit = DefaultByte(0, Bit(5));
inline constexpr DefaultGroupField kCompander = DefaultByte(0, Bit(6));
inline constexpr DefaultGroupField kMonitor = DefaultByte(0, Bit(7));
// The function: this bit plus 2 x kFunctionHighCode1139 on a mobile radio
// of product code 11 or 39 (this bit alone on a portable one's conventional
// zone); on any other, kFunctionPair plus 2 x the family's functionHigh.
inline constexpr DefaultGroupField kFunction = DefaultByte(1, Bit(4));
inline constexpr DefaultGroupField kFunctionPair = DefaultByte(1, Bits(5, 6));
inline constexpr DefaultGroupField kAniMonitor = DefaultByte(1, Bit(7));  // mobile
inline constexpr DefaultGroupField kFunctionHighCode1139 = DefaultByte(2, Bit(0));
inline constexpr DefaultGroupField kFlatAf = DefaultByte(3, Bit(0));
inline constexpr DefaultGroupField kScanMemory = DefaultByte(5, Bits(1, 4));  // as group_field::kScanMemory
inline constexpr DefaultGroupField kBusyLockout = DefaultWord(Bits(12, 13));
inline constexpr DefaultGroupField kTimer = DefaultWord(Bit(14));
inline constexpr DefaultGroupField kQals = DefaultWord(Bit(15));
}  // namespace default_group_field

// The Default record's settings each family keeps in a place of its own.
struct DefaultGroupFamilyFields {
  DefaultGroupField callAlert, ani, talkAroundUser, talkAroundFixed, rxSave, txSave, functionHigh;
};
inline constexpr DefaultGroupFamilyFields kMobileDefaultGroupFields = {
    DefaultByte(3, Bit(5)), DefaultByte(2, Bit(1)), DefaultByte(3, Bit(7)), DefaultByte(3, Bit(6)),
    DefaultByte(3, Bit(1)), DefaultByte(3, Bit(0)), DefaultByte(4, Bit(1))};
inline constexpr DefaultGroupFamilyFields kPortableDefaultGroupFields = {
    DefaultByte(4, Bit(0)), DefaultByte(2, Bit(2)), DefaultByte(4, Bit(2)), DefaultByte(4, Bit(1)),
    DefaultByte(3, Bit(4)), DefaultByte(3, Bit(3)), DefaultByte(4, Bit(4))};
