#include "model/GridSpec.h"

ChoiceRows ToChoiceRows(Choices choices) {
  ChoiceRows rows;
  rows.reserve(choices.size());
  for (const Choice& c : choices) rows.push_back({c.text, c.value});
  return rows;
}

int RowOfChoiceRow(const ChoiceRows& rows, std::uint32_t value, int fallbackRow) {
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (rows[i].value == value) return static_cast<int>(i);
  return fallbackRow;
}

FieldRef GridLine::FieldOf(int item) const {
  if (item == kDefaultItem) return defaultField ? defaultField() : FieldRef{};
  return field ? field(item) : FieldRef{};
}

ChoiceRows GridLine::Rows(int item) const { return buildChoices ? buildChoices(item) : ToChoiceRows(choices); }

std::string GridLine::Text(int item) const {
  const std::uint32_t value = Value(item);
  if (text) return text(item, value);
  if (!buildChoices) return ChoiceText(choices, value, fallbackRow);
  const ChoiceRows rows = buildChoices(item);
  const int row = RowOfChoiceRow(rows, value, fallbackRow);
  return row >= 0 && static_cast<std::size_t>(row) < rows.size() ? rows[static_cast<std::size_t>(row)].text
                                                                  : std::string();
}

void GridLine::Store(int item, std::uint32_t value, int itemCount) const {
  const auto mayStore = [this](int i) { return !storable || storable(i); };
  if (item != kDefaultItem) {
    if (mayStore(item)) FieldOf(item).Set(value);
    return;
  }
  FieldOf(item).Set(value);
  if (!fanOut) return;
  for (int i = 0; i < itemCount; ++i)
    if ((!fanOutTo || fanOutTo(i)) && mayStore(i)) FieldOf(i).Set(value);
}
