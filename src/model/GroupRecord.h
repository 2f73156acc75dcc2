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

// Bits of the channel word.
namespace group_word {
inline constexpr std::uint16_t kChannelMask = 0x03FF;  // 0x3FF = no channel
inline constexpr std::uint16_t kNoChannel = 0x03FF;
inline constexpr int kHornAlertShift = 12;             // 2 bits; 2 and 3 need a tone
inline constexpr std::uint16_t kHornAlertMask = 0x3000;
inline constexpr std::uint16_t kRangeTranspond = 0x8000;
inline constexpr std::uint16_t kLtrBusyLockOut = 0x1000;  // set on a fresh LTR group
}  // namespace group_word

// Bits of the flags byte and the image bit array that keeps each. An array
// bit is set when its flag is clear.
namespace group_flag {
inline constexpr std::uint8_t kEnabled = 0x01;  // array 0x246
inline constexpr std::uint8_t kSetting1 = 0x02; // array 0x096
inline constexpr std::uint8_t kSetting4 = 0x10; // array 0x266
}  // namespace group_flag

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
struct CDefaultGroupRecord {
  std::array<std::uint8_t, 6> bytes{};
  std::uint16_t word6 = 0;
  bool operator==(const CDefaultGroupRecord&) const = default;
  void SetDefaults();
};
