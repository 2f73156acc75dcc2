#pragma once
// Drawing helpers the printed tables share: the 4-unit black pen every
// table draws with, and a cursor over a table's columns and lines.
#include <cstdint>
#include <string>
#include <vector>

#include "model/ChoiceList.h"
#include "model/FrequencyRules.h"
#include "model/PrintCanvas.h"

// Selects the tables' solid black pen, 4 device units wide, for its life.
class CTablePen {
public:
  explicit CTablePen(IPrintCanvas& canvas) : canvas_(canvas), old_(canvas.SelectPen({4, PenStyle::kSolid, 0})) {}
  ~CTablePen() { canvas_.SelectPen(old_); }
  CTablePen(const CTablePen&) = delete;
  CTablePen& operator=(const CTablePen&) = delete;

private:
  IPrintCanvas& canvas_;
  PrintPen old_;
};

// The smallest size a text that does not fit is printed at: two thirds of
// the tables' nine points, still plain to read on paper.
inline constexpr int kSmallestFittedPointTenths = 60;

// Prints the text with its top-left corner at (x, y) so that it ends within
// `room` units: in the selected font when it fits, else in the largest
// smaller size that does (not below kSmallestFittedPointTenths), centred on
// the line the selected font takes. The selected font stays selected.
void PrintFittedText(IPrintCanvas& canvas, int x, int y, int room, const std::string& text);

// A table's columns (c: x0 + c * u) and its line cursor y. Boxes are drawn
// before the text in them, since a box is filled white.
struct PrintCursor {
  IPrintCanvas& canvas;
  int u;
  int x0;
  int h;
  int y;

  int X(int column) const { return x0 + column * u; }
  // The text at a column of the current line; advance 1 moves to the next line.
  // With `until` past the column, the text is fitted to end half a
  // character before column `until` (the next text or box on its line).
  void Text(int column, const std::string& text, int advance = 0, int until = 0);
  // A value box from column v to column r on the current line, then its
  // text at v, fitted inside the box.
  void Value(int v, int r, const std::string& text, int advance = 1);
  // A frame around n lines from the current one: 20 units above it, 5 below the last.
  void Frame(int fromColumn, int toColumn, int lines);
};

// "Sys %2d", "Zone %2d", "Grp %2d" and the like: the prefix and n + 1 padded to two places.
std::string NumberedText(const char* format, int index);
// A zone of a zone/group pair: "None" for 255.
std::string PairZoneText(const char* format, std::uint8_t zone);
// A group of a pair: "None" when it or its zone is 255.
std::string PairGroupText(std::uint8_t zone, std::uint8_t group);

// The text a pick list shows selected once it is filled: what a print
// prints for a value the page picks from a list the radio data fills.
class CPickedText : public IChoiceList {
public:
  void Clear() override { rows_.clear(); }
  int Append(const std::string& text) override;
  void SetRowValue(int, std::uint32_t) override {}
  void Select(int row) override { selected_ = row; }
  std::string Text() const;

private:
  std::vector<std::string> rows_;
  int selected_ = -1;
};

class CFamilyModel;

// An RF channel as the printed tables show it: its frequencies and whether
// it is narrow. An index past the channel table has none.
struct PrintedChannel {
  bool exists = false;
  FrequencyCount rx = 0;
  FrequencyCount tx = 0;
  bool narrow = false;
  bool programmed = false;  // in use: the channel list prints it
};
PrintedChannel ChannelForPrint(const CFamilyModel& model, int index);
// A frequency in MHz, "%9.5f" ("%10.5f" with width 10).
std::string FrequencyText(FrequencyCount count, int width = 9);
