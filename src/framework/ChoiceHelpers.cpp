#include "framework/ChoiceHelpers.h"

#include "framework/TextFit.h"

#include <QSignalBlocker>

int RowOfValue(ValueTable table, int rows, std::uint32_t value) {
  for (int i = 0; i < rows && static_cast<std::size_t>(i) + 1 < table.size(); ++i)
    if (table[static_cast<std::size_t>(i) + 1] == value) return i;
  return -1;
}

void FillCombo(QComboBox* combo, const QStringList& texts, int select) {
  for (int i = 0; i < texts.size(); ++i) combo->insertItem(i, texts[i]);
  combo->setCurrentIndex(select);
}

void FillListBox(QListWidget* list, const QStringList& texts, int select) {
  for (int i = 0; i < texts.size(); ++i) list->insertItem(i, texts[i]);
  list->setCurrentRow(select);
}

void AppendListBox(QListWidget* list, const QStringList& texts, int select) {
  list->addItems(texts);
  list->setCurrentRow(select);
}

int SelectComboByValue(QComboBox* combo, ValueTable table, int rows, std::uint32_t value) {
  const int row = RowOfValue(table, rows, value);
  if (row < 0) return rows;
  combo->setCurrentIndex(row);
  return row;
}

int SelectModelComboByValue(QComboBox* combo, ValueTable table, std::uint8_t modelCode, std::uint8_t modelByte) {
  const int nibble = modelByte >> 4;
  const bool mobileWord = nibble == 0x2 || modelByte < 0x10;
  const bool portableWord = nibble == 0x3 || nibble == 0x1;
  for (int i = 0; i < 4 && static_cast<std::size_t>(i) + 1 < table.size(); ++i) {
    if (table[static_cast<std::size_t>(i) + 1] != modelCode) continue;
    if (i < 2 ? mobileWord : portableWord) {
      combo->setCurrentIndex(i);
      return i;
    }
  }
  return -1;
}

QString ChoiceTextByValue(const QListWidget* list, ValueTable table, int rows, std::uint32_t value) {
  int row = RowOfValue(table, rows, value);
  if (row < 0) row = table.empty() ? 0 : static_cast<int>(table[0]);
  const QListWidgetItem* item = list->item(row);
  return item != nullptr ? item->text() : QString();
}

QString ChoiceTextByValue21(const QListWidget* list, ValueTable table, std::uint32_t value) {
  if (list->count() == 0) return QStringLiteral("None");
  return ChoiceTextByValue(list, table, 21, value);
}

void ShowPickerList(QListWidget* list, int x, int y, int width, int height, int row, bool redraw, bool growsLeft) {
  const int fitted = std::max(width, PickListWidth(list, height));
  if (growsLeft) x -= fitted - width;
  width = fitted;
  list->show();
  list->raise();  // it floats over the cells made after it
  list->setGeometry(x, y, width, height);
  if (list->count() > 0) {
    const QSignalBlocker block(list);
    list->setCurrentRow(row >= 0 && row < list->count() ? row : 0);
  }
  if (redraw && list->parentWidget() != nullptr) list->parentWidget()->repaint();
  list->setFocus();
}
