#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "framework/ChoiceHelpers.h"

namespace {
// Default row 2; rows 1 and 3 share the value 5.
const std::uint32_t kTable[] = {2, 0x10, 5, 0x20, 5};
}  // namespace

TEST(ChoiceHelpers, FillPutsTheTextsInOrderAheadOfWhatIsThereAndSelects) {
  QComboBox combo;
  combo.addItem("old");
  FillCombo3(&combo, "A", QString("B"), std::string("C"), 1);
  ASSERT_EQ(combo.count(), 4);
  EXPECT_EQ(combo.itemText(0), "A");
  EXPECT_EQ(combo.itemText(2), "C");
  EXPECT_EQ(combo.itemText(3), "old");
  EXPECT_EQ(combo.currentIndex(), 1);

  QListWidget list;
  list.addItem("old");
  FillListBox2(&list, "x", "y", 1);  // the two-row form appends
  ASSERT_EQ(list.count(), 3);
  EXPECT_EQ(list.item(1)->text(), "x");
  EXPECT_EQ(list.currentRow(), 1);  // the row index counts from the top
  FillListBox3(&list, "p", "q", "r", 0);  // the others insert at the top
  EXPECT_EQ(list.item(0)->text(), "p");
  EXPECT_EQ(list.count(), 6);
}

TEST(ChoiceHelpers, SelectTakesTheFirstMatchingRowAndKeepsTheSelectionOtherwise) {
  QComboBox combo;
  FillCombo4(&combo, "a", "b", "c", "d", 0);
  QSignalSpy activated(&combo, &QComboBox::activated);
  struct Case {
    std::uint32_t value;
    int result;
    int selected;
  } cases[] = {
      {0x20, 2, 2},
      {5, 1, 1},     // rows 1 and 3 share 5: the first wins
      {0x10, 0, 0},
      {0x99, 4, 0},  // no match: N returned, selection unchanged
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SelectComboByValue4(&combo, kTable, c.value), c.result) << c.value;
    EXPECT_EQ(combo.currentIndex(), c.selected) << c.value;
  }
  EXPECT_EQ(activated.count(), 0);  // a refresh is never a user's choice
}

TEST(ChoiceHelpers, ChoiceTextFallsBackToTheDefaultRow) {
  QListWidget list;
  FillListBox4(&list, "a", "b", "c", "d", 0);
  EXPECT_EQ(ChoiceTextByValue4(&list, kTable, 0x20), "c");
  EXPECT_EQ(ChoiceTextByValue4(&list, kTable, 5), "b");
  EXPECT_EQ(ChoiceTextByValue4(&list, kTable, 0x99), "c");  // default row 2

  QListWidget empty;
  EXPECT_EQ(ChoiceTextByValue21(&empty, kTable, 5), "None");
  EXPECT_EQ(ChoiceTextByValue4(&empty, kTable, 5), "");  // no row to read: nothing, no crash
}

TEST(ChoiceHelpers, ByteValueTablesServeTheToneAndCodeLists) {
  QListWidget tones;
  FillListBox(&tones, ToQStringList(g_ctcssToneTexts), 0);
  EXPECT_EQ(ChoiceTextByByteValue50(&tones, g_ctcssCodeValues, 39), "159.8");
  EXPECT_EQ(ChoiceTextByByteValue50(&tones, g_ctcssCodeValues, 255), " 67.0");  // none: default row 0
  QListWidget codes;
  FillListBox(&codes, ToQStringList(g_dcsCodeTexts), 0);
  EXPECT_EQ(ChoiceTextByByteValue106(&codes, g_dcsCodeValues, 105), "754");
}

TEST(ChoiceHelpers, ModelComboTellsTheFamiliesApartByTheModelByte) {
  const std::uint32_t model[] = {0, 0x61, 0x01, 0xB9, 0x3C};
  QComboBox combo;
  FillCombo4(&combo, "KS8B", "KR3B", "752A", "741A", 3);
  struct Case {
    std::uint8_t code, modelByte;
    int row;
  } cases[] = {
      {0x61, 0x25, 0}, {0x01, 0x05, 1},  // mobile: high nibble 2 or below 0x10
      {0xB9, 0x31, 2}, {0x3C, 0x12, 3},  // portable: high nibble 3 or 1
      {0x61, 0x31, -1},                  // mobile code with a portable model byte
      {0xB9, 0x25, -1},
  };
  for (const auto& c : cases) {
    combo.setCurrentIndex(3);
    EXPECT_EQ(SelectModelComboByValue(&combo, model, c.code, c.modelByte), c.row);
    EXPECT_EQ(combo.currentIndex(), c.row < 0 ? 3 : c.row);
  }
}

TEST(ChoiceHelpers, PickerListOpensOverTheCellOnTheGivenRowWithoutSignalling) {
  QWidget page;
  auto* list = new QListWidget(&page);
  list->hide();
  page.show();
  FillListBox3(list, " 67.0", "None", "None", 0);
  auto* laterCell = new QWidget(&page);  // made after the list, so stacked above it
  laterCell->setGeometry(10, 20, 60, 20);
  laterCell->show();
  QSignalSpy changed(list, &QListWidget::currentRowChanged);
  struct Case {
    int row;
    int selected;
  } cases[] = {{2, 2} /* the second "None" */, {1, 1}, {3, 0} /* no such row */, {-1, 0}};
  for (const auto& c : cases) {
    ShowPickerList(list, 10, 20, 60, 80, c.row, true);
    EXPECT_EQ(list->currentRow(), c.selected) << c.row;
  }
  EXPECT_EQ(changed.count(), 0);
  EXPECT_TRUE(list->isVisible());
  EXPECT_EQ(list->geometry(), QRect(10, 20, 60, 80));
  EXPECT_TRUE(list->isAncestorOf(page.childAt(30, 30)) || page.childAt(30, 30) == list);

  QListWidget empty(&page);
  ShowPickerList(&empty, 0, 0, 10, 10, 0, false);
  EXPECT_EQ(empty.currentRow(), -1);
}
