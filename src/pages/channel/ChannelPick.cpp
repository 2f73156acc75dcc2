#include "pages/channel/ChannelPick.h"

#include <cstdio>
#include <vector>

#include "model/ChoiceList.h"
#include "model/FamilyModel.h"

namespace {
// The rows the radio data fills, kept as the grid binder's choice rows.
class CRowCollector : public IChoiceList {
public:
  void Clear() override { rows.clear(); }
  int Append(const std::string& text) override {
    rows.push_back({text, 0});
    return static_cast<int>(rows.size()) - 1;
  }
  void SetRowValue(int row, std::uint32_t value) override {
    if (row >= 0 && static_cast<std::size_t>(row) < rows.size()) rows[static_cast<std::size_t>(row)].value = value;
  }
  void Select(int) override {}  // the row to open on is ChannelPickRow's
  ChoiceRows rows;
};
}  // namespace

ChoiceRows ChannelPickRows(Family family) {
  CRowCollector collector;
  if (family == kPortable)
    g_portableData.FillChannelList(collector, repeater_word::kEmpty);
  else
    g_mobileData.FillChannelList(collector, repeater_word::kEmpty);
  return std::move(collector.rows);
}

int ChannelPickRow(const ChoiceRows& rows, std::uint32_t channel) {
  // Rows hold only programmed channels and "None"; anything else opens on "None".
  return RowOfChoiceRow(rows, channel, 0);
}

std::optional<std::uint16_t> ChannelOfPickRow(const ChoiceRows& rows, int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= rows.size()) return std::nullopt;
  return static_cast<std::uint16_t>(rows[static_cast<std::size_t>(row)].value & repeater_word::kChannelMask);
}

std::string ChannelNumberText(std::uint32_t channel) {
  if (channel >= static_cast<std::uint32_t>(kChannelCount)) return "None";
  char text[8];
  std::snprintf(text, sizeof text, "%3u", static_cast<unsigned>(channel + 1));
  return text;
}

void UseChannelPick(GridLine& line, Family family) {
  line.buildChoices = [family](int) { return ChannelPickRows(family); };
  line.fallbackRow = 0;
  line.text = [](int, std::uint32_t value) { return ChannelNumberText(value); };
}
