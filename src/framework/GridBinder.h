#pragma once
// The cell grids of the zone, group, channel and repeater pages. A page
// places its cells and pick lists and hands each line (a GridLine and the
// widgets that show it) to one CGridBinder, which then:
// - writes every cell's text, enabled state and look from the records;
// - opens the line's shared pick list over a clicked cell (or on Enter), on
//   the row of the stored value, without storing or marking anything;
// - commits the chosen row on Enter or a double-click: exactly the field's
//   bits (a Default choice also into the items it fans out to), then the
//   line's afterCommit, the grid refreshed, the focus moved on to the next
//   control (so it lands on what the commit has just enabled) and the data
//   marked changed;
// - closes the list on Esc without committing.
// Edit cells (aliases, tags, counts) commit through the page's function
// when they lose the focus; edit cells that report every keystroke
// (identifiers, dial strings) store through `edited` as they are typed.
#include <QColor>
#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <cstdint>
#include <functional>
#include <vector>

#include "framework/ButtonsAndLists.h"
#include "model/GridSpec.h"
#include "platform/UserMessages.h"

// The four looks of a grid cell.
enum class CellLook {
  Editable,       // white, enabled
  Disabled,       // grey, disabled: takes no clicks
  ReadOnly,       // grey, enabled: a value shown only
  DefaultColumn,  // light grey: the "Default" column
};
QColor CellLookColor(CellLook look);

inline constexpr int kNoItem = -2;        // a column past the last item
inline constexpr int kDefaultColumn = -1;  // the "Default" column

// A line of pick-list cells.
struct GridListLine {
  GridLine line;
  CHotListBox* list = nullptr;
  std::vector<CLinkStatic*> cells;  // one per item column, left to right
  CLinkStatic* defaultCell = nullptr;
  int listRows = 2;  // the open list's height in cell heights
  // Runs after each commit, before the refresh: follow-up fields, resets.
  // A line with a null field stores nothing itself and does its store here.
  std::function<void(int item, std::uint32_t oldValue, std::uint32_t newValue)> afterCommit;
  // The field only shows the value; afterCommit makes the whole store (a
  // choice that runs a rule of the model rather than setting bits).
  bool hookStores = false;
  // The user's own change of the list's row commits at once (a click on a
  // row, an arrow key); opening the list never does.
  bool commitOnSelect = false;
  // Where the list opens for a column (kDefaultColumn, 0..), in its
  // parent's pixels; unset: beside the cell.
  std::function<QRect(int column)> fixedPlace{};
};

// What a keystroke in an edit cell came to.
enum class EditOutcome {
  kStored,   // the value went into the data: marked changed
  kRefused,  // not a value (the page has said so): the cell shows the stored one again
  kNothing,
};

// A line of edit cells.
struct GridEditLine {
  std::vector<QLineEdit*> edits;  // one per item column
  std::function<QString(int item)> text;
  // Called when an edit loses the focus; true when it stored, which marks
  // the data changed and refreshes the grid.
  std::function<bool(int item, const QString& text)> commit;
  // The "Default" column's edit, if any (its item is kDefaultItem).
  QLineEdit* defaultEdit = nullptr;
  // Called on the edit's own report of a change (the page forwards
  // UM_VALUE_EDITED and UM_NAME_EDITED): the item is that of the edit's own
  // column. A stored Default value refreshes the grid, keeping the caret.
  std::function<EditOutcome(int item, const QString& text)> edited{};
  // Whether an item's edit is shown at all (unset: always).
  std::function<bool(int item)> shown{};
};

class CGridBinder : public QObject {
public:
  // The grid's lines are numbered in the order they are added, list and
  // edit lines alike; the look rule gets that number.
  int AddLine(GridListLine line);
  int AddEditLine(GridEditLine line);
  // Where a list line's list opens: its width in cell widths (plus 5
  // pixels), and the columns where it opens to the left of its cell (unset:
  // the last column), so it stays on the page.
  void SetListPlacement(int line, int widthCells, std::function<bool(int column)> opensLeft);
  // Forgets every line; the page's window is going.
  void Clear();
  // Runs the commit of the edit cell that has the focus, as its losing the
  // focus would (before the page goes, or refreshes under it).
  void CommitFocusedEdit();

  // Column c shows item FirstItem() + c while that is below ItemCount().
  void SetItemCount(std::function<int()> count) { itemCount_ = std::move(count); }
  void SetFirstItem(int first) { first_ = first; }
  int FirstItem() const { return first_; }
  int ItemCount() const { return itemCount_ ? itemCount_() : 0; }
  int ItemOfColumn(int column) const;

  // The look of an item's cell (unset: every cell Editable). Default
  // cells always look DefaultColumn; cells past the last item, Disabled.
  void SetLookRule(std::function<CellLook(int line, int item)> rule) { lookRule_ = std::move(rule); }
  // The look of a line's "Default" cell (unset: DefaultColumn); a
  // Disabled Default cell takes no clicks.
  void SetDefaultLookRule(std::function<CellLook(int line)> rule) { defaultLookRule_ = std::move(rule); }

  // Writes every cell's text and look. Never stores, never marks.
  void Refresh() const;

  // Opens the list of the cell's line over it (nothing for a disabled or
  // unbound cell); any other open list closes first.
  void Open(CLinkStatic* cell);
  // Commits the open list's selected row; nothing when no list is open.
  void Commit();
  // Closes the open list without committing; the focus goes back to its cell.
  void Close();
  // Hides the open list without committing; the focus stays where it is
  // (the grid is scrolling under it).
  void Dismiss() { HideList(); }

  // Runs at the end of every Refresh: the page's own controls (captions,
  // buttons) follow the data with the cells.
  void SetAfterRefresh(std::function<void()> hook) { afterRefresh_ = std::move(hook); }

  // The page forwards its user messages: Enter on a cell (UM_CELL_ACTIVATE)
  // opens its list, Enter in the open list (UM_LIST_CHOSEN) commits, an
  // edit's report of a change (UM_VALUE_EDITED, UM_NAME_EDITED) runs its
  // line's `edited`. true when the message was the binder's.
  bool OnUserMessage(unsigned msg, WParam id);

  CHotListBox* OpenList() const { return open_.list; }
  // The column of the open list or of the edit last focused.
  int CurrentColumn() const { return currentColumn_; }
  // The text the edit last focused had when it took the focus, or after its
  // last store: a commit can tell a text typed from one merely passed through.
  const QString& FocusText() const { return focusText_; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  struct CellAt {
    int line = -1;
    int column = kNoItem;
  };
  struct OpenState {
    QPointer<CHotListBox> list;
    QPointer<CLinkStatic> cell;
    int line = -1;
    int item = kNoItem;
    ChoiceRows rows;
  };
  struct Line {
    GridListLine list;
    GridEditLine edit;
    bool isEdit = false;
    int listWidthCells = 1;
    std::function<bool(int column)> opensLeft;
  };

  CellAt Find(const QWidget* cell) const;
  QRect ListPlace(const CLinkStatic* cell, const QWidget* listParent, int column, int rows) const;
  static bool OpensLeft(const Line& l, int column);
  void RefreshLine(int index) const;
  void EditFocused(const CellAt& at);
  void EditLeft(const CellAt& at, const QLineEdit* edit);
  void Edited(const CellAt& at, QLineEdit* edit);
  void HideList();

  std::vector<Line> lines_;
  std::vector<QMetaObject::Connection> connections_;
  std::vector<QPointer<QObject>> filtered_;  // edits carrying this filter
  std::function<int()> itemCount_;
  std::function<CellLook(int, int)> lookRule_;
  std::function<CellLook(int)> defaultLookRule_;
  std::function<void()> afterRefresh_;
  int first_ = 0;
  int currentColumn_ = kNoItem;
  QString focusText_;
  OpenState open_;
  bool opening_ = false;  // the list being filled and shown: no row change is the user's
};
