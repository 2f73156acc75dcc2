#pragma once
// One setting of a cell grid, free of widgets: a row of the zone table (one
// cell per zone), a row of a group page (one cell per group) or a column of
// a channel list (one cell per channel). An item is the index of the zone,
// group or channel a cell shows; kDefaultItem stands for the "Default"
// column's cell. Pages bind these to their cells; print routines read the
// same texts from them.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/Settings.h"

inline constexpr int kDefaultItem = -1;

// A choice whose text is made when a list opens ("Grp %2d" of a zone's
// groups, the programmed channels).
struct ChoiceRow {
  std::string text;
  std::uint32_t value;
  bool operator==(const ChoiceRow&) const = default;
};
using ChoiceRows = std::vector<ChoiceRow>;

ChoiceRows ToChoiceRows(Choices choices);
// The first row with that value, else `fallbackRow`.
int RowOfChoiceRow(const ChoiceRows& rows, std::uint32_t value, int fallbackRow);

struct GridLine {
  const char* caption = "";
  // Fixed choices, in list order; `buildChoices` replaces them where set.
  Choices choices;
  // The row shown when the stored value matches none.
  int fallbackRow = 0;
  // The field a cell of `item` shows and stores.
  std::function<FieldRef(int item)> field;
  // Lists whose rows depend on the item or on other data, built each time
  // they open (and for the cell text, unless `text` is set).
  std::function<ChoiceRows(int item)> buildChoices;
  // The "Default" column's own record; unset: the line has no Default cell.
  std::function<FieldRef()> defaultField;
  // Whether a Default choice is also written into the items, and into which
  // (unset: every one).
  bool fanOut = true;
  std::function<bool(int item)> fanOutTo;
  // The items a choice may be stored into (unset: every one); a store into
  // any other item, or a fan-out to it, writes nothing.
  std::function<bool(int item)> storable;
  // A value made of several fields (a function spread over three bytes):
  // what the cells show and the lists open on (unset: the field's). Such a
  // line stores through its page's own rule.
  std::function<std::uint32_t(int item)> valueOf;
  // The text of a stored value where the rows cannot say it (an absolute
  // group number, a frequency).
  std::function<std::string(int item, std::uint32_t value)> text;

  bool HasDefault() const { return static_cast<bool>(defaultField); }
  // The field behind a cell; kDefaultItem is the Default record's.
  FieldRef FieldOf(int item) const;
  std::uint32_t Value(int item) const { return valueOf ? valueOf(item) : FieldOf(item).Get(); }
  ChoiceRows Rows(int item) const;
  // The row a list opens on: that of the stored value, never of a text.
  int RowOf(int item, const ChoiceRows& rows) const { return RowOfChoiceRow(rows, Value(item), fallbackRow); }
  // What a cell (or a printed table) shows for the stored value.
  std::string Text(int item) const;

  // Stores a choice: into the item's bits, or for kDefaultItem into the
  // Default record and then into each of items 0 .. itemCount - 1 it fans
  // out to (and may be stored into). Every other bit of each container stays.
  void Store(int item, std::uint32_t value, int itemCount) const;
};
