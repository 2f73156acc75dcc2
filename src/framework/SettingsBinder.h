#pragma once
// Choice settings as data. A page describes each drop-down list by a row:
// its choices (text and stored value, in row order), the row shown when the
// stored value matches none, and the bits of a record byte that hold the
// value. One binder fills and selects every list from the records, stores a
// user's choice into exactly its bits and marks the data changed. A page
// then writes code only for what its rows cannot say.
#include <QComboBox>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

struct Choice {
  const char* text;
  std::uint32_t value;
};
using Choices = std::span<const Choice>;

// The two rows "Disable" = 0 and "Enable" = 1 of so many settings.
inline constexpr Choice kDisableEnable[] = {{"Disable", 0}, {"Enable", 1}};

// Bits low .. low + count - 1 of a byte (bit 0 the least significant); the
// value is kept shifted down to bit 0. count 8 is the whole byte.
struct BitRange {
  std::uint8_t low = 0;
  std::uint8_t count = 8;

  constexpr std::uint32_t Mask() const { return ((1u << count) - 1u) << low; }
  constexpr std::uint32_t Get(std::uint32_t container) const { return (container & Mask()) >> low; }
  // The container with the value in the range and every other bit kept.
  constexpr std::uint32_t Put(std::uint32_t container, std::uint32_t value) const {
    return (container & ~Mask()) | ((value << low) & Mask());
  }
};
constexpr BitRange Bit(int n) { return {static_cast<std::uint8_t>(n), 1}; }
constexpr BitRange Bits(int first, int last) {
  return {static_cast<std::uint8_t>(first), static_cast<std::uint8_t>(last - first + 1)};
}
inline constexpr BitRange kWholeByte{0, 8};

// Where a setting keeps its value: a bit range of one byte, or a whole
// 32-bit word. A null reference reads 0 and stores nothing.
class FieldRef {
public:
  FieldRef() = default;
  FieldRef(std::uint8_t* byte, BitRange bits) : byte_(byte), bits_(bits) {}
  explicit FieldRef(std::uint32_t* word) : word_(word) {}

  bool IsNull() const { return byte_ == nullptr && word_ == nullptr; }
  std::uint32_t Get() const;
  void Set(std::uint32_t value) const;

private:
  std::uint8_t* byte_ = nullptr;
  std::uint32_t* word_ = nullptr;
  BitRange bits_;
};

// The row of a stored value: the first row with that value, else `fallbackRow`.
int RowOfChoice(Choices choices, std::uint32_t value, int fallbackRow);
// The text of that row ("" when the fallback row does not exist): what a
// printed table shows for a setting.
const char* ChoiceText(Choices choices, std::uint32_t value, int fallbackRow);

struct BoundSetting {
  QComboBox* combo = nullptr;
  Choices choices;
  int fallbackRow = 0;
  FieldRef field;
  int group = 0;  // enable group; 0 = in none
  // Runs after each store of a user's choice (mirrors, follow-up fields).
  std::function<void()> afterStore;
};

class CSettingsBinder {
public:
  // From now on a user's choice in the combo stores into the field.
  void Bind(BoundSetting setting);
  // Forgets every binding; the page's window is going.
  void Clear();

  // Empties and refills every list, then selects the row of its stored value
  // (the fallback row when none matches). Fires no user-choice signal and
  // never marks the data changed.
  void Refresh() const;
  // Selects the row of the stored value again, without refilling.
  void Reselect(const QComboBox* combo) const;
  // Enables or disables every list of an enable group.
  void SetGroupEnabled(int group, bool enabled) const;

  // What a user's choice of `row` does: the row's value into the field,
  // then the data marked changed, then the setting's afterStore.
  void Store(const QComboBox* combo, int row) const;

  const std::vector<BoundSetting>& Settings() const { return settings_; }

private:
  const BoundSetting* Find(const QComboBox* combo) const;
  static void Fill(const BoundSetting& s);
  static void Select(const BoundSetting& s);

  std::vector<BoundSetting> settings_;
};
