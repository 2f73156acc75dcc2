#include <gtest/gtest.h>

#include <QComboBox>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include "framework/FocusNavigation.h"
#include "framework/SettingsBinder.h"
#include "model/RadioImage.h"

namespace {

constexpr Choice kThree[] = {{"one", 1}, {"three", 3}, {"five", 5}};

struct BinderFixture : ::testing::Test {
  void SetUp() override {
    g_dataModified = 0;
    window.resize(300, 200);
    for (auto*& c : combos) c = new QComboBox(&window);
    window.show();
  }
  // Chooses a row the way a user does: the list pops up, the row is clicked.
  static void UserChooses(QComboBox* combo, int row) {
    combo->setCurrentIndex(row);
    emit combo->activated(row);
  }
  QWidget window;
  std::array<QComboBox*, 3> combos{};
  CSettingsBinder binder;
};

TEST_F(BinderFixture, RefreshFillsSelectsAndNeverMarksTheDataChanged) {
  std::uint8_t byte = 0xA5;  // bits 4-6 = 2: no row; bits 0-2 = 5
  binder.Bind({combos[0], kThree, 1, FieldRef(&byte, Bits(0, 2)), 0, {}});
  binder.Bind({combos[1], kThree, 2, FieldRef(&byte, Bits(4, 6)), 0, {}});
  QSignalSpy activated(combos[0], &QComboBox::activated);
  combos[0]->addItem("stale");
  for (int pass = 0; pass < 2; ++pass) {  // a second refresh empties the lists first
    binder.Refresh();
    ASSERT_EQ(combos[0]->count(), 3);
    EXPECT_EQ(combos[0]->itemText(1), "three");
    EXPECT_EQ(combos[0]->currentIndex(), 2);
    EXPECT_EQ(combos[1]->currentIndex(), 2);  // fallback
  }
  EXPECT_EQ(activated.count(), 0);
  EXPECT_EQ(g_dataModified, 0);
  EXPECT_EQ(byte, 0xA5);  // a value that matches no row stays until the user picks one
}

TEST_F(BinderFixture, UserChoiceStoresIntoItsBitsOnlyMarksDirtyAndRunsTheFollowUp) {
  std::uint8_t byte = 0xFF;
  std::uint32_t word = 7;
  int followUps = 0;
  binder.Bind({combos[0], kThree, 0, FieldRef(&byte, Bits(2, 4)), 0, [&] { ++followUps; }});
  binder.Bind({combos[1], kThree, 0, FieldRef(&word), 0, {}});
  binder.Refresh();
  UserChooses(combos[0], 0);
  EXPECT_EQ(byte, 0xE7);  // 1 in bits 2-4, the rest kept
  EXPECT_EQ(g_dataModified, 1);
  EXPECT_EQ(followUps, 1);
  UserChooses(combos[1], 2);
  EXPECT_EQ(word, 5u);
  // A combo the binder does not know stores nothing.
  g_dataModified = 0;
  UserChooses(combos[2], 0);
  EXPECT_EQ(g_dataModified, 0);
}

TEST_F(BinderFixture, ListsOfOneFieldShowTheSameChoice) {
  std::uint8_t byte = 0;
  binder.Bind({combos[0], kThree, 0, FieldRef(&byte, Bits(0, 2)), 0, {}});
  binder.Bind({combos[1], kThree, 0, FieldRef(&byte, Bits(0, 2)), 0, {}});
  binder.Bind({combos[2], kThree, 0, FieldRef(&byte, Bits(0, 3)), 0, {}});  // overlaps, not the same
  binder.Refresh();
  UserChooses(combos[1], 2);
  EXPECT_EQ(byte, 5);
  EXPECT_EQ(combos[0]->currentIndex(), 2);
  EXPECT_EQ(combos[2]->currentIndex(), 0);
  UserChooses(combos[0], 1);
  EXPECT_EQ(combos[1]->currentIndex(), 1);
}

TEST_F(BinderFixture, GroupsEnableTogetherAndClearForgetsTheBindings) {
  std::uint8_t byte = 0;
  binder.Bind({combos[0], kThree, 0, FieldRef(&byte, Bit(0)), 1, {}});
  binder.Bind({combos[1], kThree, 0, FieldRef(&byte, Bit(1)), 1, {}});
  binder.Bind({combos[2], kThree, 0, FieldRef(&byte, Bit(2)), 2, {}});
  binder.SetGroupEnabled(1, false);
  EXPECT_FALSE(combos[0]->isEnabled());
  EXPECT_FALSE(combos[1]->isEnabled());
  EXPECT_TRUE(combos[2]->isEnabled());
  binder.Clear();
  binder.Refresh();
  EXPECT_EQ(combos[2]->count(), 0);
  UserChooses(combos[2], 0);
  EXPECT_EQ(g_dataModified, 0);
}

TEST(FocusNavigation, NextAndPreviousWalkTheEnabledVisibleTabStopsAndWrap) {
  QWidget outside;
  QWidget page(&outside);
  auto* a = new QComboBox(&page);
  auto* hidden = new QComboBox(&page);
  auto* disabled = new QComboBox(&page);
  auto* b = new QComboBox(&page);
  auto* elsewhere = new QComboBox(&outside);  // not the page's: never reached
  hidden->hide();
  disabled->setEnabled(false);
  (void)elsewhere;
  outside.show();
  QApplication::setActiveWindow(&outside);
  a->setFocus();
  EXPECT_EQ(OnNextControl(&page), 0);
  EXPECT_EQ(QApplication::focusWidget(), b);
  OnNextControl(&page);
  EXPECT_EQ(QApplication::focusWidget(), a);
  OnPrevControl(&page);
  EXPECT_EQ(QApplication::focusWidget(), b);
}

}  // namespace
