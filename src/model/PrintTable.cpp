#include "model/PrintTable.h"

#include <cstdio>

#include "model/Digits.h"
#include "model/FamilyModel.h"
#include "model/RadioImage.h"

void PrintCursor::Text(int column, const std::string& text, int advance) {
  PrintTextLine(canvas, X(column), y, h, text, advance);
}

void PrintCursor::Value(int v, int r, const std::string& text, int advance) {
  canvas.Rectangle({X(v), y, X(r), y + h - 20});
  Text(v, text, advance);
}

void PrintCursor::Frame(int fromColumn, int toColumn, int lines) {
  canvas.Rectangle({X(fromColumn), y - 20, X(toColumn), y + lines * h + 5});
}

std::string NumberedText(const char* format, int index) {
  char text[32];
  std::snprintf(text, sizeof text, format, index + 1);
  return text;
}

std::string PairZoneText(const char* format, std::uint8_t zone) {
  return zone == kNoZone ? "None" : NumberedText(format, zone);
}

std::string PairGroupText(std::uint8_t zone, std::uint8_t group) {
  return zone == kNoZone || group == kNoGroup ? "None" : NumberedText("Grp %2d", group);
}

int CPickedText::Append(const std::string& text) {
  rows_.push_back(text);
  return static_cast<int>(rows_.size()) - 1;
}

std::string CPickedText::Text() const {
  return selected_ >= 0 && static_cast<std::size_t>(selected_) < rows_.size() ? rows_[static_cast<std::size_t>(selected_)]
                                                                              : std::string();
}

PrintedChannel ChannelForPrint(const CFamilyModel& model, int index) {
  if (index < 0 || index >= kChannelCount) return {};
  const auto i = static_cast<std::size_t>(index);
  if (model.family == kMobile) {
    const auto& c = static_cast<const CMobileRadioData&>(model.radioData).m_channels[i];
    // Width bits 6-7: both clear is narrow.
    return {true, c.m_rxFrequency, c.m_txFrequency, (c.m_mode & 0xC0) == 0, c.IsProgrammed()};
  }
  const auto& c = static_cast<const CPortableRadioData&>(model.radioData).m_channels[i];
  return {true, c.m_rxFrequency, c.m_txFrequency, !c.IsWide(), c.IsProgrammed()};
}

std::string FrequencyText(FrequencyCount count, int width) {
  char text[32];
  std::snprintf(text, sizeof text, "%*.5f", width, static_cast<double>(count) / kCountsPerMHz);
  return text;
}
