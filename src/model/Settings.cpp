#include "model/Settings.h"

std::uint32_t FieldRef::Get() const {
  if (word_ != nullptr) return *word_;
  if (word16_ != nullptr) return bits_.Get(*word16_);
  if (byte_ != nullptr) return bits_.Get(*byte_);
  return 0;
}

void FieldRef::Set(std::uint32_t value) const {
  if (word_ != nullptr) *word_ = value;
  if (word16_ != nullptr) *word16_ = static_cast<std::uint16_t>(bits_.Put(*word16_, value));
  if (byte_ != nullptr) *byte_ = static_cast<std::uint8_t>(bits_.Put(*byte_, value));
}

int RowOfChoice(Choices choices, std::uint32_t value, int fallbackRow) {
  for (std::size_t i = 0; i < choices.size(); ++i)
    if (choices[i].value == value) return static_cast<int>(i);
  return fallbackRow;
}

const char* ChoiceText(Choices choices, std::uint32_t value, int fallbackRow) {
  const int row = RowOfChoice(choices, value, fallbackRow);
  return row >= 0 && static_cast<std::size_t>(row) < choices.size() ? choices[static_cast<std::size_t>(row)].text : "";
}
