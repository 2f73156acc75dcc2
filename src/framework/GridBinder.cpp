#include "framework/GridBinder.h"

#include <QApplication>
#include <QEvent>
#include <QSignalBlocker>
#include <algorithm>

#include "framework/ChoiceHelpers.h"
#include "framework/FocusNavigation.h"
#include "framework/TextFit.h"
#include "model/RadioImage.h"
#include "platform/Beep.h"
#include "platform/Colors.h"
#include "platform/ControlIds.h"

QColor CellLookColor(CellLook look) {
  switch (look) {
    case CellLook::Editable:
      return FromColorRef(0xFFFFFF);
    case CellLook::DefaultColumn:
      return FromColorRef(0xE6E6E6);
    case CellLook::Disabled:
    case CellLook::ReadOnly:
      break;
  }
  return FromColorRef(0xC0C0C0);
}

namespace {
// The edit being typed in keeps its caret and selection where the text
// stays the same.
void SetEditText(QLineEdit* edit, const QString& text) {
  if (!edit->hasFocus() || edit->text() != text) {
    const int caret = edit->cursorPosition();
    edit->setText(text);
    if (edit->hasFocus()) edit->setCursorPosition(std::min(caret, static_cast<int>(text.size())));
    return;
  }
  const int start = edit->selectionStart();
  const int length = edit->selectionLength();
  const int caret = edit->cursorPosition();
  edit->setText(text);
  if (length > 0 && start >= 0)
    edit->setSelection(caret == start ? start + length : start, caret == start ? -length : length);
  else
    edit->setCursorPosition(caret);
}

void ApplyLook(QWidget* cell, CellLook look) {
  QPalette p = cell->palette();
  p.setColor(QPalette::Window, CellLookColor(look));  // a static's background
  p.setColor(QPalette::Base, CellLookColor(look));    // an edit's
  // A disabled cell still shows its value, darker than its grey ground.
  p.setColor(QPalette::Disabled, QPalette::WindowText, FromColorRef(0x606060));
  p.setColor(QPalette::Disabled, QPalette::Text, FromColorRef(0x606060));
  cell->setPalette(p);
  cell->setEnabled(look != CellLook::Disabled);
  // A greyed edit shows no selection, which would look like the keyboard's place.
  if (auto* edit = qobject_cast<QLineEdit*>(cell); edit != nullptr && look == CellLook::Disabled) edit->deselect();
}
}  // namespace

int CGridBinder::AddLine(GridListLine line) {
  const int index = static_cast<int>(lines_.size());
  std::vector<CLinkStatic*> cells = line.cells;
  if (line.defaultCell != nullptr) cells.push_back(line.defaultCell);
  // A cell makes room for the longest of its fixed choices.
  QStringList texts;
  for (const Choice& choice : line.line.choices) texts.append(QString::fromUtf8(choice.text));
  for (CLinkStatic* cell : cells) {
    SetFitTexts(cell, texts);
    connections_.push_back(connect(cell, &CLinkStatic::clicked, this, [this, cell] { Open(cell); }));
  }
  CHotListBox* list = line.list;
  connections_.push_back(connect(list, &CHotListBox::escaped, this, [this, list] {
    if (open_.list == list) Close();
  }));
  connections_.push_back(connect(list, &QListWidget::itemDoubleClicked, this, [this, list] {
    if (open_.list == list) Commit();
  }));
  if (line.commitOnSelect) {
    // A click on the row already selected changes no row, yet is a choice.
    const auto chosen = [this, list] {
      if (open_.list == list && !opening_) Commit();
    };
    connections_.push_back(connect(list, &QListWidget::currentRowChanged, this, chosen));
    connections_.push_back(connect(list, &QListWidget::itemClicked, this, chosen));
  }
  lines_.push_back({std::move(line), {}, false, 1, {}});
  return index;
}

void CGridBinder::SetListPlacement(int line, int widthCells, std::function<bool(int column)> opensLeft) {
  if (line < 0 || line >= static_cast<int>(lines_.size())) return;
  Line& l = lines_[static_cast<std::size_t>(line)];
  l.listWidthCells = widthCells;
  l.opensLeft = std::move(opensLeft);
}

int CGridBinder::AddEditLine(GridEditLine line) {
  const int index = static_cast<int>(lines_.size());
  std::vector<QLineEdit*> edits = line.edits;
  if (line.defaultEdit != nullptr) edits.push_back(line.defaultEdit);
  for (QLineEdit* edit : edits) {
    edit->installEventFilter(this);
    filtered_.emplace_back(edit);
  }
  lines_.push_back({{}, std::move(line), true, 1, {}});
  return index;
}

void CGridBinder::Clear() {
  for (const QMetaObject::Connection& c : connections_) disconnect(c);
  connections_.clear();
  for (const QPointer<QObject>& edit : filtered_)
    if (!edit.isNull()) edit->removeEventFilter(this);
  filtered_.clear();
  lines_.clear();
  afterRefresh_ = nullptr;
  open_ = {};
  currentColumn_ = kNoItem;
  focusText_.clear();
}

void CGridBinder::CommitFocusedEdit() {
  const auto* edit = qobject_cast<const QLineEdit*>(QApplication::focusWidget());
  const CellAt at = Find(edit);
  if (at.line >= 0 && lines_[static_cast<std::size_t>(at.line)].isEdit) EditLeft(at, edit);
}

int CGridBinder::ItemOfColumn(int column) const {
  if (column == kDefaultColumn) return kDefaultItem;
  if (column < 0) return kNoItem;
  const int item = first_ + column;
  return item < ItemCount() ? item : kNoItem;
}

CGridBinder::CellAt CGridBinder::Find(const QWidget* cell) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line& l = lines_[i];
    if (l.isEdit) {
      if (l.edit.defaultEdit == cell && cell != nullptr) return {static_cast<int>(i), kDefaultColumn};
      for (std::size_t c = 0; c < l.edit.edits.size(); ++c)
        if (l.edit.edits[c] == cell) return {static_cast<int>(i), static_cast<int>(c)};
      continue;
    }
    if (l.list.defaultCell == cell && cell != nullptr) return {static_cast<int>(i), kDefaultColumn};
    for (std::size_t c = 0; c < l.list.cells.size(); ++c)
      if (l.list.cells[c] == cell) return {static_cast<int>(i), static_cast<int>(c)};
  }
  return {};
}

void CGridBinder::Refresh() const {
  for (std::size_t i = 0; i < lines_.size(); ++i) RefreshLine(static_cast<int>(i));
  if (afterRefresh_) afterRefresh_();
}

void CGridBinder::RefreshLine(int index) const {
  const Line& l = lines_[static_cast<std::size_t>(index)];
  const auto lookOf = [&](int item) {
    if (item == kNoItem) return CellLook::Disabled;
    if (item == kDefaultItem) return CellLook::DefaultColumn;
    return lookRule_ ? lookRule_(index, item) : CellLook::Editable;
  };
  if (l.isEdit) {
    const auto write = [&](QLineEdit* edit, int item) {
      const QSignalBlocker block(edit);
      SetEditText(edit, item != kNoItem && l.edit.text ? l.edit.text(item) : QString());
      ApplyLook(edit, lookOf(item));
      if (l.edit.shown && item != kNoItem && item != kDefaultItem) edit->setVisible(l.edit.shown(item));
    };
    for (std::size_t c = 0; c < l.edit.edits.size(); ++c) write(l.edit.edits[c], ItemOfColumn(static_cast<int>(c)));
    if (l.edit.defaultEdit != nullptr) write(l.edit.defaultEdit, kDefaultItem);
    return;
  }
  const GridLine& line = l.list.line;
  for (std::size_t c = 0; c < l.list.cells.size(); ++c) {
    const int item = ItemOfColumn(static_cast<int>(c));
    CLinkStatic* cell = l.list.cells[c];
    cell->setText(item != kNoItem ? QString::fromStdString(line.Text(item)) : QString());
    ApplyLook(cell, lookOf(item));
  }
  if (l.list.defaultCell != nullptr && line.HasDefault()) {
    l.list.defaultCell->setText(QString::fromStdString(line.Text(kDefaultItem)));
    ApplyLook(l.list.defaultCell, defaultLookRule_ ? defaultLookRule_(index) : CellLook::DefaultColumn);
  }
}

bool CGridBinder::OpensLeft(const Line& l, int column) {
  // The last column opens to the left, so the list stays on the page.
  return column >= 0 && (l.opensLeft ? l.opensLeft(column) : column + 1 == static_cast<int>(l.list.cells.size()));
}

QRect CGridBinder::ListPlace(const CLinkStatic* cell, const QWidget* listParent, int column, int rows) const {
  const QRect r(cell->mapTo(listParent, QPoint(0, 0)), cell->size());
  const Line& l = lines_[static_cast<std::size_t>(open_.line)];
  const bool left = OpensLeft(l, column);
  const int width = l.listWidthCells * r.width();
  const int x = left ? r.left() - width - 5 : r.right() - 5;
  // The list is as many cells high as its line asks, but never shorter than
  // that many of its own rows: at the desktop's font a list row can be taller
  // than a cell, and a two-choice list would otherwise scroll its second row.
  const int shown = std::min(rows, l.list.list->count());
  const int fitted = shown > 0 ? shown * l.list.list->sizeHintForRow(0) + 2 * l.list.list->frameWidth() : 0;
  return {x, r.top() - 10, width + 5, std::max(rows * r.height(), fitted)};
}

void CGridBinder::Open(CLinkStatic* cell) {
  const CellAt at = Find(cell);
  if (at.line < 0 || lines_[static_cast<std::size_t>(at.line)].isEdit || !cell->isEnabled()) return;
  const GridListLine& l = lines_[static_cast<std::size_t>(at.line)].list;
  const int item = ItemOfColumn(at.column);
  if (item == kNoItem || (item == kDefaultItem && !l.line.HasDefault())) return;
  MessageBeep();
  HideList();
  currentColumn_ = at.column;
  open_ = {l.list, cell, at.line, item, l.line.Rows(item)};
  opening_ = true;
  {
    const QSignalBlocker block(l.list);
    l.list->clear();
    for (const ChoiceRow& row : open_.rows) l.list->addItem(QString::fromStdString(row.text));
  }
  const QRect place = l.fixedPlace ? l.fixedPlace(at.column) : ListPlace(cell, l.list->parentWidget(), at.column, l.listRows);
  const bool left = !l.fixedPlace && OpensLeft(lines_[static_cast<std::size_t>(at.line)], at.column);
  ShowPickerList(l.list, place.x(), place.y(), place.width(), place.height(), l.line.RowOf(item, open_.rows), false,
                 left);
  // After the list has taken the focus, whose leaving turns the cell black.
  cell->SetTextColor(Qt::red);
  opening_ = false;
}

void CGridBinder::Commit() {
  if (open_.list.isNull() || open_.cell.isNull()) return;
  const int row = open_.list->currentRow();
  if (row < 0 || static_cast<std::size_t>(row) >= open_.rows.size()) return;
  MessageBeep();
  const GridListLine& l = lines_[static_cast<std::size_t>(open_.line)].list;
  const std::uint32_t oldValue = l.line.Value(open_.item);
  const std::uint32_t value = open_.rows[static_cast<std::size_t>(row)].value;
  if (!l.hookStores) l.line.Store(open_.item, value, ItemCount());
  if (l.afterCommit) l.afterCommit(open_.item, oldValue, value);
  CLinkStatic* cell = open_.cell;
  Close();
  Refresh();
  OnNextControl(NotifyTargetOf(cell));
  g_dataModified = true;
}

void CGridBinder::Close() {
  if (open_.list.isNull()) return;
  // The cell takes the focus before the list goes, so it does not wander.
  if (!open_.cell.isNull()) open_.cell->setFocus();
  HideList();
}

void CGridBinder::HideList() {
  if (!open_.list.isNull()) open_.list->hide();
  open_ = {};
  // The cell that has the focus (the list's own, back from Esc) stays red.
  const auto unmark = [](CLinkStatic* cell) { cell->SetTextColor(cell->hasFocus() ? Qt::red : Qt::black); };
  for (const Line& l : lines_) {
    if (l.isEdit) continue;
    for (CLinkStatic* cell : l.list.cells) unmark(cell);
    if (l.list.defaultCell != nullptr) unmark(l.list.defaultCell);
  }
}

bool CGridBinder::OnUserMessage(unsigned msg, WParam id) {
  if (id == 0) return false;
  if (msg == UM_VALUE_EDITED || msg == UM_NAME_EDITED) {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      const Line& l = lines_[i];
      if (!l.isEdit || !l.edit.edited) continue;
      std::vector<QLineEdit*> edits = l.edit.edits;
      if (l.edit.defaultEdit != nullptr) edits.push_back(l.edit.defaultEdit);
      for (QLineEdit* edit : edits) {
        if (static_cast<WParam>(ControlId(edit)) != id) continue;
        Edited(Find(edit), edit);
        return true;
      }
    }
    return false;
  }
  for (const Line& l : lines_) {
    if (l.isEdit) continue;
    if (msg == UM_LIST_CHOSEN && static_cast<WParam>(ControlId(l.list.list)) == id) {
      if (open_.list == l.list.list) Commit();
      return true;
    }
    if (msg != UM_CELL_ACTIVATE) continue;
    std::vector<CLinkStatic*> cells = l.list.cells;
    if (l.list.defaultCell != nullptr) cells.push_back(l.list.defaultCell);
    for (CLinkStatic* cell : cells) {
      if (static_cast<WParam>(ControlId(cell)) == id) {
        Open(cell);
        return true;
      }
    }
  }
  return false;
}

bool CGridBinder::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
    const auto* edit = qobject_cast<const QLineEdit*>(watched);
    const CellAt at = Find(edit);
    if (at.line >= 0) {
      if (event->type() == QEvent::FocusIn)
        EditFocused(at);
      else
        EditLeft(at, edit);
    }
  }
  return QObject::eventFilter(watched, event);
}

void CGridBinder::EditFocused(const CellAt& at) {
  HideList();
  currentColumn_ = at.column;
  const GridEditLine& l = lines_[static_cast<std::size_t>(at.line)].edit;
  const QLineEdit* edit = at.column == kDefaultColumn ? l.defaultEdit : l.edits[static_cast<std::size_t>(at.column)];
  focusText_ = edit != nullptr ? edit->text() : QString();
}

void CGridBinder::Edited(const CellAt& at, QLineEdit* edit) {
  const GridEditLine& l = lines_[static_cast<std::size_t>(at.line)].edit;
  const int item = ItemOfColumn(at.column);
  if (item == kNoItem) return;
  switch (l.edited(item, edit->text())) {
    case EditOutcome::kStored:
      g_dataModified = true;
      if (item == kDefaultItem) Refresh();
      break;
    case EditOutcome::kRefused: {
      const QSignalBlocker block(edit);
      edit->setText(l.text ? l.text(item) : QString());
      break;
    }
    case EditOutcome::kNothing:
      break;
  }
}

void CGridBinder::EditLeft(const CellAt& at, const QLineEdit* edit) {
  const GridEditLine& l = lines_[static_cast<std::size_t>(at.line)].edit;
  const int item = ItemOfColumn(at.column);
  if (item == kNoItem || !l.commit || !l.commit(item, edit->text())) return;
  g_dataModified = true;
  Refresh();
  focusText_ = edit->text();
}
