#pragma once
// The rows of the group pages, free of widgets: per row its label, its
// cells (the "Default" cell and the six group columns' control numbers),
// its kind and, for a row of pick-list cells, the GridLine that reads and
// stores it. An item is an absolute group index (0..249); kDefaultItem is
// the family's Default record. The rows of one zone are made when the page
// window is built; every store refuses a group outside the zone.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/FamilyModel.h"
#include "model/GridSpec.h"

inline constexpr int kGroupColumns = 6;
using GroupCellIds = std::array<int, kGroupColumns>;

enum class GroupZoneKind { kLtr, kConventional };
enum class GroupView { kBasic, kAdvanced };

enum class GroupRowKind {
  kOnOff,     // the group on/off cells, open while the column is in the zone
  kValue,     // pick-list cells
  kTag,       // tag edits, stored at each keystroke
  kTxId,      // LTR TX ID edits: checked at each keystroke, copied to RX on leaving
  kRxId,      // LTR RX ID edits
  kReadOnly,  // shown only (a channel's frequencies and spacing)
};

// Whether a cell of a switched-on group inside the zone is open, disabled
// or only shows its value.
enum class GroupCellState { kOpen, kClosed, kReadOnly, kDefault };

struct GroupRow {
  const char* label = "";
  int labelId = 0;
  int y = 0;  // dialog units
  GroupRowKind kind = GroupRowKind::kValue;
  int defaultId = 0;  // 0: no "Default" cell
  GroupCellIds ids{};
  int listId = 0;
  int listRows = 2;     // the open list's height in cell heights
  int listColumns = 1;  // its width in cell widths; a wide list opens left from column 4
  GridLine line;
  std::function<void(int item, std::uint32_t oldValue, std::uint32_t newValue)> afterCommit;
  bool hookStores = false;
  // The state of the cell of group g, inside the zone (unset: open while the
  // group is on, closed while it is off).
  std::function<GroupCellState(int g)> state;
  // The state of the row's "Default" cell (unset: kDefault, the Default
  // column's look).
  std::function<GroupCellState()> defaultState;
  // A kReadOnly row's text of group g.
  std::function<std::string(int g)> readText;
};

struct GroupPageRows {
  std::vector<GroupRow> rows;
  // Labels that stand on a line of their own: number, text, y.
  struct Note {
    int id;
    const char* text;
    int y;
  };
  std::vector<Note> notes;
  const char* zoneFormat = "";  // the header's "Zone format"
  int viewButtonId = 0;
  const char* viewButtonText = "";
  unsigned viewMessage = 0;  // what the view button asks the main window
  const char* helpPage = "";  // the help file F1 shows
};

// The rows of the page of that kind and view for the zone.
GroupPageRows MakeGroupRows(Family family, GroupZoneKind kind, GroupView view, CFamilyModel& model, int zone);

// The cell state of the rows that follow the group's on/off state.
GroupCellState StateOfOnGroup(const CRadioDataCore& data, int g);
