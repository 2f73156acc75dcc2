#include "model/PrintTable.h"

#include <algorithm>
#include <cstdio>

#include "model/Digits.h"
#include "model/FamilyModel.h"
#include "model/RadioImage.h"

void PrintFittedText(IPrintCanvas& canvas, int x, int y, int room, const std::string& text) {
  const int width = canvas.TextWidth(text);
  if (width <= room || room <= 0) {
    canvas.TextOut(x, y, text);
    return;
  }
  const PrintFont selected = canvas.SelectedFont();
  const int height = canvas.TextMetrics().height;
  // In proportion first; hinting keeps widths from scaling exactly, so
  // then down by half points until it fits.
  PrintFont smaller = selected;
  smaller.pointTenths =
      std::max(kSmallestFittedPointTenths, static_cast<int>(static_cast<long long>(selected.pointTenths) * room / width));
  canvas.SelectFont(smaller);
  while (canvas.TextWidth(text) > room && smaller.pointTenths > kSmallestFittedPointTenths) {
    smaller.pointTenths = std::max(kSmallestFittedPointTenths, smaller.pointTenths - 5);
    canvas.SelectFont(smaller);
  }
  const int drop = selected.escapement == 0 ? (height - canvas.TextMetrics().height) / 2 : 0;
  canvas.TextOut(x, y + drop, text);
  canvas.SelectFont(selected);
}

void PrintCursor::Text(int column, const std::string& text, int advance, int until) {
  if (until > column)
    PrintFittedText(canvas, X(column), y, X(until) - X(column) - u / 2, text);
  else
    canvas.TextOut(X(column), y, text);
  if (advance == 1) y += h;
}

void PrintCursor::Value(int v, int r, const std::string& text, int advance) {
  canvas.Rectangle({X(v), y, X(r), y + h - 20});
  // Clear of the box's right edge and its pen.
  PrintFittedText(canvas, X(v), y, X(r) - X(v) - u / 4, text);
  if (advance == 1) y += h;
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
