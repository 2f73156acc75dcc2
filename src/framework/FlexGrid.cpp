#include "framework/FlexGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>

namespace {

constexpr int kCheckRole = Qt::UserRole + 1;

// Draws the cell as usual, then our own check mark in its middle.
class CheckDelegate : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    if (!index.data(kCheckRole).toBool()) return;
    const QRect r = option.rect;
    const int s = std::max(6, std::min(r.width(), r.height()) - 6);
    const QPointF o(r.center().x() - s / 2.0, r.center().y() - s / 2.0);
    QPainterPath tick;
    tick.moveTo(o + QPointF(0.1 * s, 0.55 * s));
    tick.lineTo(o + QPointF(0.4 * s, 0.85 * s));
    tick.lineTo(o + QPointF(0.9 * s, 0.2 * s));
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(option.palette.color(QPalette::Text), std::max(2.0, s / 6.0), Qt::SolidLine, Qt::RoundCap,
                         Qt::RoundJoin));
    painter->drawPath(tick);
    painter->restore();
  }
};

}  // namespace

CFlexGrid::CFlexGrid(QWidget* parent) : QTableWidget(parent) {
  horizontalHeader()->hide();
  verticalHeader()->hide();
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setTabKeyNavigation(false);
  setWordWrap(false);
  setItemDelegate(new CheckDelegate(this));
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int col, int, int) {
    if (onRowColChange && row >= 0 && col >= 0) onRowColChange(row, col);
  });
}

Qt::Alignment CFlexGrid::AlignmentOf(int code) {
  static constexpr Qt::Alignment kHorizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
  static constexpr Qt::Alignment kVertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
  if (code < 0 || code > 8) return Qt::AlignLeft | Qt::AlignVCenter;
  // Single-line cells: "top" reads as centred in the row, as the old grid drew it.
  const Qt::Alignment v = kVertical[code % 3] == Qt::AlignTop ? Qt::AlignVCenter : kVertical[code % 3];
  return kHorizontal[code / 3] | v;
}

void CFlexGrid::SetShape(int rows, int cols, int fixedRows, int fixedCols) {
  clearSpans();
  clear();
  setRowCount(rows);
  setColumnCount(cols);
  fixedRows_ = fixedRows;
  fixedCols_ = fixedCols;
  colAlign_.assign(static_cast<std::size_t>(cols), 0);
  fixedAlign_.assign(static_cast<std::size_t>(cols), 0);
  mergeRows_.clear();
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) StyleCell(r, c);
}

void CFlexGrid::SetColWidth(int col, int twips) {
  if (col >= 0 && col < Cols()) setColumnWidth(col, twips / kTwipsPerPixel);
}

void CFlexGrid::SetColAlignment(int col, int code) {
  if (col < 0 || col >= Cols()) return;
  colAlign_[static_cast<std::size_t>(col)] = code;
  for (int r = 0; r < Rows(); ++r) StyleCell(r, col);
}

void CFlexGrid::SetFixedAlignment(int col, int code) {
  if (col < 0 || col >= Cols()) return;
  fixedAlign_[static_cast<std::size_t>(col)] = code;
  for (int r = 0; r < Rows(); ++r) StyleCell(r, col);
}

void CFlexGrid::FitColumnsToText() {
  for (int c = 0; c < Cols(); ++c) FitColumnToText(c);
}

void CFlexGrid::FitColumnToText(int c) {
  if (c < 0 || c >= Cols()) return;
  const int padding = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 6;
  int widest = 0;
  for (int r = 0; r < Rows(); ++r) {
    if (columnSpan(r, c) > 1) continue;
    widest = std::max(widest, fontMetrics().horizontalAdvance(TextMatrix(r, c)));
  }
  if (widest + padding > columnWidth(c)) setColumnWidth(c, widest + padding);
}

void CFlexGrid::SetMergeRow(int row, bool merge) {
  if (merge) {
    mergeRows_.insert(row);
  } else {
    mergeRows_.erase(row);
  }
  ApplyMerges(row);
}

QTableWidgetItem* CFlexGrid::Item(int row, int col) {
  if (!IsCell(row, col)) return nullptr;
  QTableWidgetItem* it = item(row, col);
  if (it == nullptr) {
    it = new QTableWidgetItem;
    setItem(row, col, it);
  }
  return it;
}

void CFlexGrid::StyleCell(int row, int col) {
  QTableWidgetItem* it = Item(row, col);
  if (it == nullptr) return;
  const bool fixed = IsFixed(row, col);
  const auto c = static_cast<std::size_t>(col);
  it->setTextAlignment(AlignmentOf(fixed ? fixedAlign_[c] : colAlign_[c]));
  if (fixed) {
    it->setBackground(palette().button());
    it->setForeground(palette().buttonText());
    it->setFlags(Qt::ItemIsEnabled);
  } else {
    it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  }
}

void CFlexGrid::ApplyMerges(int row) {
  if (row < 0 || row >= Rows()) return;
  for (int c = 0; c < Cols(); ++c)
    if (rowSpan(row, c) > 1 || columnSpan(row, c) > 1) setSpan(row, c, 1, 1);
  if (mergeRows_.count(row) == 0) return;
  for (int c = 0; c < Cols();) {
    const QString text = TextMatrix(row, c);
    int end = c + 1;
    while (end < Cols() && !text.isEmpty() && TextMatrix(row, end) == text) ++end;
    if (end - c > 1) setSpan(row, c, 1, end - c);
    c = end;
  }
}

void CFlexGrid::SetTextMatrix(int row, int col, const QString& text) {
  QTableWidgetItem* it = Item(row, col);
  if (it == nullptr) return;
  it->setText(text);
  if (mergeRows_.count(row) != 0) ApplyMerges(row);
}

QString CFlexGrid::TextMatrix(int row, int col) const {
  const QTableWidgetItem* it = IsCell(row, col) ? item(row, col) : nullptr;
  return it != nullptr ? it->text() : QString();
}

void CFlexGrid::SetCellCheck(int row, int col, bool check) {
  if (QTableWidgetItem* it = Item(row, col)) it->setData(kCheckRole, check);
}

bool CFlexGrid::CellCheck(int row, int col) const {
  const QTableWidgetItem* it = IsCell(row, col) ? item(row, col) : nullptr;
  return it != nullptr && it->data(kCheckRole).toBool();
}

void CFlexGrid::SetCurrent(int row, int col) {
  if (IsCell(row, col)) setCurrentCell(row, col);
}

QRect CFlexGrid::CellRect(int row, int col, const QWidget* widget) const {
  if (!IsCell(row, col)) return {};
  QRect r = visualRect(model()->index(row, col));
  r.translate(viewport()->pos());
  if (widget != nullptr && widget != this) r.moveTopLeft(widget->mapFromGlobal(mapToGlobal(r.topLeft())));
  return r;
}

void CFlexGrid::NoteMouse(const QPoint& pos) {
  const QModelIndex at = indexAt(pos);
  mouseRow_ = at.isValid() ? at.row() : -1;
  mouseCol_ = at.isValid() ? at.column() : -1;
}

void CFlexGrid::keyPressEvent(QKeyEvent* event) {
  if (onGridEvent && onGridEvent(event)) return;
  const QString text = event->text();
  const bool ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
  if (!ctrl && text.size() == 1 && text[0].isPrint() && onKeyPress) {
    onKeyPress(text[0]);
    return;
  }
  // Space, Enter and Esc belong to the owner; the grid itself only moves.
  if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
      event->key() == Qt::Key_Escape) {
    event->ignore();
    return;
  }
  QTableWidget::keyPressEvent(event);
}

void CFlexGrid::mousePressEvent(QMouseEvent* event) {
  NoteMouse(event->position().toPoint());
  // A heading cell is never the current cell.
  if (mouseRow_ >= 0 && IsFixed(mouseRow_, mouseCol_)) {
    setFocus(Qt::MouseFocusReason);
    return;
  }
  QTableWidget::mousePressEvent(event);
}

void CFlexGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  NoteMouse(event->position().toPoint());
  // The double click acts on the cell it hit.
  if (mouseRow_ >= 0 && !IsFixed(mouseRow_, mouseCol_)) SetCurrent(mouseRow_, mouseCol_);
  if (onGridEvent) onGridEvent(event);
}

QModelIndex CFlexGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  const QModelIndex next = QTableWidget::moveCursor(action, modifiers);
  if (!next.isValid() || !IsFixed(next.row(), next.column())) return next;
  // Keys stop at the headings.
  return model()->index(std::max(next.row(), fixedRows_), std::max(next.column(), fixedCols_));
}

// ---------------------------------------------------------------------------

CGridCellEditor::CGridCellEditor(QLineEdit* edit, CommitFn commit)
    : QObject(edit), edit_(edit), commit_(std::move(commit)) {
  edit->hide();
  edit->installEventFilter(this);
}

void CGridCellEditor::Open(CFlexGrid& grid, int row, int col, const QString& text) {
  if (edit_ == nullptr || !grid.IsCell(row, col)) return;
  if (open_) Commit();
  grid_ = &grid;
  row_ = row;
  col_ = col;
  const QRect cell = grid.CellRect(row, col, edit_->parentWidget());
  edit_->setGeometry(cell.adjusted(-1, -1, 1, 1));
  edit_->setText(text);
  open_ = true;
  edit_->show();
  edit_->raise();
  edit_->setFocus(Qt::OtherFocusReason);
  edit_->end(false);
  edit_->selectAll();
}

void CGridCellEditor::Commit() {
  if (!open_) return;
  open_ = false;  // before anything that moves the focus and comes back here
  const QString text = edit_ != nullptr ? edit_->text() : QString();
  CFlexGrid* grid = grid_;
  if (grid != nullptr && grid->IsCell(row_, col_) && commit_) commit_(*grid, row_, col_, text);
  // Enter or Esc hand the focus back to the grid; a click elsewhere keeps it there.
  const bool hadFocus = edit_ != nullptr && edit_->hasFocus();
  if (edit_ != nullptr) edit_->hide();
  if (hadFocus && grid != nullptr && grid->isVisible()) grid->setFocus(Qt::OtherFocusReason);
}

void CGridCellEditor::Cancel(const QString& cellText) {
  if (!open_) return;
  if (edit_ != nullptr) edit_->setText(cellText);
  Commit();
}

bool CGridCellEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched != edit_) return false;
  // A click elsewhere, a tab switch, a closing window: the text goes to its own cell.
  if (event->type() == QEvent::FocusOut && open_) Commit();
  return false;
}

void UpperCaseAsTyped(QLineEdit* edit) {
  QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
    const QString upper = text.toUpper();
    if (upper == text) return;
    const int caret = edit->cursorPosition();
    edit->setText(upper);
    edit->setCursorPosition(caret);
  });
}
