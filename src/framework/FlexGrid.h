#pragma once
// The cell grid of the 5-Tone page and dialogs, on QTableWidget: fixed
// heading rows and columns drawn as headings, column widths in twips (15 a
// pixel), alignments by the nine-position code (0 left-top .. 8
// right-bottom), merged equal heading texts, cell texts and a check mark we
// draw ourselves, a current cell with a change notification, the cell under
// the mouse, typed characters, and each cell's rectangle for a floating
// editor. The grid never edits a cell itself: its owner opens an editor.
#include <QLineEdit>
#include <QPointer>
#include <QTableWidget>
#include <functional>
#include <set>

inline constexpr int kTwipsPerPixel = 15;

class CFlexGrid : public QTableWidget {
public:
  explicit CFlexGrid(QWidget* parent = nullptr);

  void SetShape(int rows, int cols, int fixedRows, int fixedCols);
  int Rows() const { return rowCount(); }
  int Cols() const { return columnCount(); }
  int FixedRows() const { return fixedRows_; }
  int FixedCols() const { return fixedCols_; }
  void SetColWidth(int col, int twips);
  void SetColAlignment(int col, int code);
  void SetFixedAlignment(int col, int code);
  // Widens each column, where needed, to the widest text of its own cells
  // (merged heading cells left out), so no text is cut.
  void FitColumnsToText();
  void FitColumnToText(int col);
  // Equal neighbouring texts of the row show as one cell.
  void SetMergeRow(int row, bool merge);

  void SetTextMatrix(int row, int col, const QString& text);
  QString TextMatrix(int row, int col) const;
  // The current cell's text.
  QString Text() const { return TextMatrix(Row(), Col()); }
  void SetCellCheck(int row, int col, bool check);
  bool CellCheck(int row, int col) const;

  int Row() const { return currentRow(); }
  int Col() const { return currentColumn(); }
  void SetCurrent(int row, int col);
  // The cell under the mouse at its last press or double click; -1 for none.
  int MouseRow() const { return mouseRow_; }
  int MouseCol() const { return mouseCol_; }
  // A cell's rectangle in the coordinates of `widget` (the grid's own by default).
  QRect CellRect(int row, int col, const QWidget* widget = nullptr) const;
  bool IsCell(int row, int col) const { return row >= 0 && col >= 0 && row < Rows() && col < Cols(); }

  // The current cell moved (by the user or the owner).
  std::function<void(int row, int col)> onRowColChange;
  // A printable character was typed on the grid.
  std::function<void(QChar c)> onKeyPress;
  // A key press or double click, before the grid's own handling; true stops it.
  std::function<bool(QEvent* event)> onGridEvent;

  // The alignment a nine-position code stands for.
  static Qt::Alignment AlignmentOf(int code);

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
  QTableWidgetItem* Item(int row, int col);
  void NoteMouse(const QPoint& pos);
  bool IsFixed(int row, int col) const { return row < fixedRows_ || col < fixedCols_; }
  void StyleCell(int row, int col);
  void ApplyMerges(int row);

  int fixedRows_ = 0;
  int fixedCols_ = 0;
  std::vector<int> colAlign_;
  std::vector<int> fixedAlign_;
  std::set<int> mergeRows_;
  int mouseRow_ = -1;
  int mouseCol_ = -1;
};

// The floating editor of a grid's cells. It remembers the grid and cell it
// was opened on and commits there, whatever cell is current by then, when it
// loses the focus or when its owner says so (Enter, closing: Commit; Esc:
// Cancel). Each page or dialog owns its own.
class CGridCellEditor : public QObject {
public:
  using CommitFn = std::function<void(CFlexGrid& grid, int row, int col, const QString& text)>;
  // `edit` is the owner's hidden edit; its parent is where it floats.
  CGridCellEditor(QLineEdit* edit, CommitFn commit);

  bool IsOpen() const { return open_; }
  CFlexGrid* Grid() const { return grid_; }
  int EditRow() const { return row_; }
  int EditCol() const { return col_; }
  QLineEdit* Edit() const { return edit_; }

  // Opens over the cell (one pixel outside it on each side) with `text`,
  // all of it selected, and takes the focus.
  void Open(CFlexGrid& grid, int row, int col, const QString& text);
  // Stores the text at the cell it was opened on (nothing when the grid or
  // the cell is gone) and hides the editor; when the editor had the focus,
  // the grid takes it.
  void Commit();
  // Puts `cellText` (the cell's text as the editor takes it) back, then commits it.
  void Cancel(const QString& cellText);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QPointer<QLineEdit> edit_;
  CommitFn commit_;
  QPointer<CFlexGrid> grid_;
  int row_ = -1;
  int col_ = -1;
  bool open_ = false;
};

// Typed letters show in upper case, as an edit with upper-case conversion does.
void UpperCaseAsTyped(QLineEdit* edit);
