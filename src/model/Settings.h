#pragma once
// The settings vocabulary shared by records, pages and print routines: a
// setting's choices (text and stored value, in row order), the bits of a
// record byte or word that hold it, and the text of a stored value. Free of
// any widget, so a print routine reads the same texts a page shows.
#include <cstdint>
#include <span>

struct Choice {
  const char* text;
  std::uint32_t value;
};
using Choices = std::span<const Choice>;

// The two rows "Disable" = 0 and "Enable" = 1 of so many settings.
inline constexpr Choice kDisableEnable[] = {{"Disable", 0}, {"Enable", 1}};

// Bits low .. low + count - 1 of a container (bit 0 the least significant);
// the value is kept shifted down to bit 0. count 8 is a whole byte.
struct BitRange {
  std::uint8_t low = 0;
  std::uint8_t count = 8;

  constexpr std::uint32_t Mask() const {
    return (count >= 32 ? 0xFFFFFFFFu : ((1u << count) - 1u)) << low;
  }
  constexpr std::uint32_t Get(std::uint32_t container) const { return (container & Mask()) >> low; }
  // The container with the value in the range and every other bit kept.
  constexpr std::uint32_t Put(std::uint32_t container, std::uint32_t value) const {
    return (container & ~Mask()) | ((value << low) & Mask());
  }
  bool operator==(const BitRange&) const = default;
};
constexpr BitRange Bit(int n) { return {static_cast<std::uint8_t>(n), 1}; }
constexpr BitRange Bits(int first, int last) {
  return {static_cast<std::uint8_t>(first), static_cast<std::uint8_t>(last - first + 1)};
}
inline constexpr BitRange kWholeByte{0, 8};
inline constexpr BitRange kWholeWord16{0, 16};

// Where a setting keeps its value: a bit range of one byte or of one 16-bit
// word (the group words), or a whole 32-bit word. A null reference reads 0
// and stores nothing.
class FieldRef {
public:
  FieldRef() = default;
  FieldRef(std::uint8_t* byte, BitRange bits) : byte_(byte), bits_(bits) {}
  FieldRef(std::uint16_t* word16, BitRange bits) : word16_(word16), bits_(bits) {}
  explicit FieldRef(std::uint32_t* word) : word_(word) {}

  bool IsNull() const { return byte_ == nullptr && word16_ == nullptr && word_ == nullptr; }
  std::uint32_t Get() const;
  void Set(std::uint32_t value) const;
  bool operator==(const FieldRef&) const = default;

private:
  std::uint8_t* byte_ = nullptr;
  std::uint16_t* word16_ = nullptr;
  std::uint32_t* word_ = nullptr;
  BitRange bits_;
};

// The row of a stored value: the first row with that value, else `fallbackRow`.
int RowOfChoice(Choices choices, std::uint32_t value, int fallbackRow);
// The text of that row ("" when the fallback row does not exist): what a
// printed table shows for a setting.
const char* ChoiceText(Choices choices, std::uint32_t value, int fallbackRow);
