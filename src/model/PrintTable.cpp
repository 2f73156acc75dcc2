#include "model/PrintTable.h"

#include <cstdio>

#include "model/Digits.h"
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
