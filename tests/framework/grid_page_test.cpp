// The grid-page base on a page made of rows and nothing else: a pick-list
// line and a line of count edits over four items of a fake record, two
// columns shown. The page only builds its rows (and says which item its
// first column shows); filling, refreshing, keys, selecting on entry and
// what the window's going stores are the base's, driven here by keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QTest>
#include <array>
#include <string>

#include "ProgramState.h"
#include "QtTestSupport.h"
#include "framework/EditControls.h"
#include "framework/GridPage.h"
#include "model/RadioImage.h"

namespace {

struct Item {
  std::uint8_t power = 0;  // bit 0: low
  int count = 0;
};
constexpr Choice kPower[] = {{"High", 0}, {"Low", 1}};
constexpr int kColumns = 2;

class RowsPage : public CGridPage {
public:
  explicit RowsPage(std::array<Item, 4>& items) : CGridPage(903, QSize(200, 80), 8), items_(items) {}

  int first = 0;  // the item of the first column
  std::array<CLinkStatic*, kColumns> cells{};
  std::array<CValueEdit*, kColumns> counts{};
  CHotListBox* list = nullptr;

protected:
  void BuildGrid() override {
    for (int c = 0; c < kColumns; ++c) {
      cells[c] = Place<CLinkStatic>(1100 + c, 10 + 40 * c, 10, 36, 10);
      counts[c] = Place<CValueEdit>(1200 + c, 10 + 40 * c, 24, 36, 12);
      counts[c]->SetupValueEdit({.intDigits = 3, .nextOnEnter = true});
    }
    list = Place<CHotListBox>(1300, 0, 0, 10, 10);
    list->hide();
    grid_.SetItemCount([] { return 4; });
    GridLine power;
    power.caption = "Power";
    power.choices = kPower;
    power.field = [this](int item) { return FieldRef(&items_[item].power, Bit(0)); };
    GridListLine line;
    line.line = power;
    line.list = list;
    line.cells.assign(cells.begin(), cells.end());
    grid_.AddLine(std::move(line));
    grid_.AddEditLine({{counts.begin(), counts.end()},
                       [this](int item) { return QString::number(items_[item].count); },
                       [this](int item, const QString& text) {
                         if (text.toInt() == items_[item].count) return false;
                         items_[item].count = text.toInt();
                         return true;
                       }});
  }
  int FirstShownItem() const override { return first; }

private:
  std::array<Item, 4>& items_;
};

struct GridPageFixture : ::testing::Test {
  void SetUp() override {
    items = {{{0, 10}, {1, 11}, {1, 12}, {0, 13}}};
    ASSERT_TRUE(ShowActive(host, {400, 200}));
    ASSERT_TRUE(page.Create(&host));
    page.show();
  }
  void TearDown() override {
    page.DestroyWindow();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  // What the columns show: the power cell and the count of each.
  std::array<std::string, 2 * kColumns> Shown() const {
    std::array<std::string, 2 * kColumns> shown;
    for (int c = 0; c < kColumns; ++c) {
      shown[2 * c] = page.cells[c]->text().toStdString();
      shown[2 * c + 1] = page.counts[c]->text().toStdString();
    }
    return shown;
  }
  // A user's typing into a count: the edit entered with a click, then keys.
  void TypeCount(int column, const char* keys) {
    QTest::mouseClick(page.counts[column], Qt::LeftButton);
    QCoreApplication::processEvents();  // the selection on entry comes after the focus
    QTest::keyClicks(page.counts[column], keys);
  }

  FreshProgramState fresh;
  std::array<Item, 4> items;
  RecordingKeysWindow host;
  RowsPage page{items};
};

TEST_F(GridPageFixture, ThePageShowsItsRowsAndFollowsTheDataEachTimeItIsShown) {
  EXPECT_EQ(Shown(), (std::array<std::string, 4>{"High", "10", "Low", "11"}));
  items[0] = {1, 20};
  page.hide();
  page.show();
  EXPECT_EQ(Shown(), (std::array<std::string, 4>{"Low", "20", "Low", "11"}));
  EXPECT_FALSE(g_dataModified);  // showing never marks the data changed
}

TEST_F(GridPageFixture, KeysOnTheCellsAndEditsReachTheGridAndMoveTheFocus) {
  page.cells[0]->setFocus();
  QTest::keyClick(page.cells[0], Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), page.counts[0]);
  page.cells[1]->setFocus();
  QTest::keyClick(page.cells[1], Qt::Key_Backtab);
  EXPECT_EQ(QApplication::focusWidget(), page.counts[0]);

  // Enter on a cell opens its list, Enter in the list stores the row.
  page.cells[1]->setFocus();
  QTest::keyClick(page.cells[1], Qt::Key_Return);
  ASSERT_EQ(page.Grid().OpenList(), page.list);
  QTest::keyClick(page.list, Qt::Key_Up);
  QTest::keyClick(page.list, Qt::Key_Return);
  EXPECT_EQ(items[1].power, 0);
  EXPECT_EQ(page.cells[1]->text(), "High");
  EXPECT_TRUE(g_dataModified);

  // Enter in a count moves on, which stores what was typed.
  TypeCount(0, "7");
  QTest::keyClick(page.counts[0], Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), page.cells[1]);
  EXPECT_EQ(items[0].count, 7);
}

TEST_F(GridPageFixture, AnEnteredEditSelectsItsTextSoTypingReplacesIt) {
  TypeCount(1, "5");
  EXPECT_EQ(page.counts[1]->text(), "5");  // not "115"
}

TEST_F(GridPageFixture, TypingIsStoredForItsOwnItemBeforeTheColumnsMoveOrTheWindowGoes) {
  TypeCount(0, "42");
  page.first = 2;
  page.RefreshGrid();
  EXPECT_EQ(items[0].count, 42);  // the item it was typed for, not item 2
  EXPECT_EQ(items[2].count, 12);
  EXPECT_EQ(Shown(), (std::array<std::string, 4>{"Low", "12", "High", "13"}));
  EXPECT_TRUE(g_dataModified);

  // A tab switch takes the window down with the focus still in the edit.
  TypeCount(1, "9");
  page.DestroyWindow();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(items[3].count, 9);

  // Built again, the grid holds the new window's cells only.
  ASSERT_TRUE(page.Create(&host));
  page.show();
  EXPECT_EQ(Shown(), (std::array<std::string, 4>{"Low", "12", "High", "9"}));
  QTest::mouseClick(page.cells[1], Qt::LeftButton);
  EXPECT_EQ(page.Grid().OpenList(), page.list);
}

}  // namespace
