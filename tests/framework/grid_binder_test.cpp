// The cell-grid binder on a small page: three zones of a fake record, a
// Default column, three pick-list rows (byte bits, a 16-bit word, a list
// built when it opens) and a row of edits, driven by clicks and keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QSignalSpy>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "QtTestSupport.h"
#include "framework/FocusNavigation.h"
#include "framework/GridBinder.h"
#include "framework/ScrollablePage.h"
#include "model/RadioImage.h"

namespace {

struct Zone {
  std::uint8_t opts = 0x80;  // bit 7 in use, bit 6 channel flag, bits 0-2 power
  std::uint16_t word = 0;    // bits 0-9 channel (0x3FF none), bit 15 scan
  std::string alias;
};
struct Defaults {
  std::uint8_t opts = 0;  // bits 0-2 power, bit 3 scan
};

// "Low" twice, on purpose: the second one must open on its own row.
constexpr Choice kPower[] = {{"High", 0}, {"Low", 4}, {"Off", 7}, {"Low", 5}};
constexpr int kPowerFallback = 1;
constexpr std::uint32_t kNoChannel = 0x3FF;

enum : int { kPowerLine, kScanLine, kChannelLine, kAliasLine };
enum : int { kPowerList = 1300, kScanList, kChannelList };

struct Commit {
  int item;
  std::uint32_t oldValue;
  std::uint32_t newValue;
  bool operator==(const Commit&) const = default;
};

class GridPage : public CScrollablePage {
public:
  GridPage(std::array<Zone, 3>& zones, Defaults& defaults, std::vector<int>& channels)
      : CScrollablePage(902, QSize(200, 120)), zones_(zones), defaults_(defaults), channels_(channels) {}

  CGridBinder grid;
  std::array<std::array<CLinkStatic*, 4>, 3> cells{};  // [line][Default, zone columns 0-2]
  std::array<CHotListBox*, 3> lists{};
  std::array<QLineEdit*, 3> aliases{};
  std::vector<Commit> commits;

  CLinkStatic* Cell(int line, int column) const { return cells[line][column + 1]; }

protected:
  bool OnInitDialog() override {
    CScrollablePage::OnInitDialog();
    for (int line = 0; line < 3; ++line) {
      for (int c = 0; c < 4; ++c) cells[line][c] = Place<CLinkStatic>(1100 + 10 * line + c, 10 + 40 * c, 10 + 14 * line, 36, 10);
      lists[line] = Place<CHotListBox>(kPowerList + line, 0, 0, 10, 10);
      lists[line]->hide();
    }
    for (int c = 0; c < 3; ++c) aliases[c] = Place<QLineEdit>(1200 + c, 50 + 40 * c, 52, 36, 12);

    grid.SetItemCount([] { return 3; });
    grid.SetLookRule([this](int, int item) {
      return zones_[item].opts & 0x80 ? CellLook::Editable : CellLook::Disabled;
    });

    GridLine power;
    power.caption = "Power";
    power.choices = kPower;
    power.fallbackRow = kPowerFallback;
    power.field = [this](int item) { return FieldRef(&zones_[item].opts, Bits(0, 2)); };
    power.defaultField = [this] { return FieldRef(&defaults_.opts, Bits(0, 2)); };
    power.fanOutTo = [this](int item) { return (zones_[item].opts & 0x80) != 0; };
    grid.AddLine({power, lists[0], Line(0), cells[0][0], 2, {}});

    GridLine scan;
    scan.caption = "Scan";
    scan.choices = kDisableEnable;
    scan.field = [this](int item) { return FieldRef(&zones_[item].word, Bit(15)); };
    scan.defaultField = [this] { return FieldRef(&defaults_.opts, Bit(3)); };
    grid.AddLine({scan, lists[1], Line(1), cells[1][0], 2, {}});

    // The list rows read differently from the cells: only the value can
    // tell which row a cell stands for.
    GridLine channel;
    channel.caption = "RF Channel #";
    channel.field = [this](int item) { return FieldRef(&zones_[item].word, Bits(0, 9)); };
    channel.buildChoices = [this](int) {
      ChoiceRows rows{{"None TX RX", kNoChannel}};
      for (int ch : channels_) rows.push_back({"CH" + std::to_string(ch + 1) + " 450.000", static_cast<std::uint32_t>(ch)});
      return rows;
    };
    channel.text = [](int, std::uint32_t value) {
      char text[8];
      std::snprintf(text, sizeof text, "%3u", value + 1);
      return value == kNoChannel ? std::string("None") : std::string(text);
    };
    grid.AddLine({channel, lists[2], Line(2), nullptr, 4, [this](int item, std::uint32_t oldValue, std::uint32_t value) {
                    commits.push_back({item, oldValue, value});
                    if (value != kNoChannel) zones_[item].opts |= 0x40;
                  }});

    grid.AddEditLine({{aliases.begin(), aliases.end()},
                      [this](int item) { return QString::fromStdString(zones_[item].alias); },
                      [this](int item, const QString& text) {
                        if (text.toStdString() == zones_[item].alias) return false;
                        zones_[item].alias = text.toStdString();
                        return true;
                      }});
    grid.Refresh();
    return true;
  }

  void OnDestroyWindow() override { grid.Clear(); }

  LParam OnUserMessage(unsigned msg, WParam id, LParam) override {
    if (msg == UM_NEXT_CONTROL) return OnNextControl(this);
    if (msg == UM_PREV_CONTROL) return OnPrevControl(this);
    grid.OnUserMessage(msg, id);
    return 0;
  }

private:
  std::vector<CLinkStatic*> Line(int line) const { return {cells[line].begin() + 1, cells[line].end()}; }
  std::array<Zone, 3>& zones_;
  Defaults& defaults_;
  std::vector<int>& channels_;
};

struct GridFixture : ::testing::Test {
  void SetUp() override {
    g_dataModified = 0;
    zones[0].opts = 0x84;           // Low
    zones[1].opts = 0x85;           // the second "Low"
    zones[1].word = 0x8000 | 4;     // scan on, channel 5
    zones[2].opts = 0x02;           // not in use; power matches no row
    zones[2].word = kNoChannel;
    zones[0].word = 7;              // a channel that is not programmed
    defaults.opts = 0x08 | 7;       // scan on, power Off
    ASSERT_TRUE(ShowActive(host, {600, 400}));
    ASSERT_TRUE(page.Create(&host));
    page.show();
  }
  void TearDown() override {
    page.DestroyWindow();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    g_dataModified = 0;
  }
  void Click(int line, int column) { QTest::mouseClick(page.Cell(line, column), Qt::LeftButton); }
  QString Text(int line, int column) const { return page.Cell(line, column)->text(); }

  std::array<Zone, 3> zones;
  Defaults defaults;
  std::vector<int> channels{1, 4, 6};
  RecordingKeysWindow host;
  GridPage page{zones, defaults, channels};
};

TEST_F(GridFixture, RefreshShowsEveryCellWithItsLookAndNeverMarksTheDataChanged) {
  const std::vector<std::vector<QString>> expected = {
      {"Off", "Low", "Low", "Low"},         // zone 2's power matches no row: the fallback row
      {"Enable", "Disable", "Enable", "Disable"},
      {"", "  8", "  5", "None"},           // no Default cell
  };
  for (int line = 0; line < 3; ++line)
    for (int column = kDefaultColumn; column < 3; ++column)
      EXPECT_EQ(Text(line, column), expected[line][column + 1]) << line << "/" << column;
  EXPECT_EQ(page.Cell(0, kDefaultColumn)->palette().color(QPalette::Window), CellLookColor(CellLook::DefaultColumn));
  EXPECT_EQ(page.Cell(1, 0)->palette().color(QPalette::Window), CellLookColor(CellLook::Editable));
  EXPECT_FALSE(page.Cell(1, 2)->isEnabled());  // zone 2 is not in use
  EXPECT_FALSE(page.aliases[2]->isEnabled());
  EXPECT_TRUE(page.Cell(1, 1)->isEnabled());

  page.grid.SetFirstItem(1);  // the last column is past the last zone
  page.grid.Refresh();
  EXPECT_EQ(Text(1, 0), "Enable");
  EXPECT_EQ(Text(1, 2), "");
  EXPECT_FALSE(page.Cell(1, 2)->isEnabled());
  EXPECT_EQ(g_dataModified, 0);
}

TEST_F(GridFixture, AListOpensOnTheRowOfTheStoredValueAndStoresNothing) {
  struct Case {
    int line, column, row;
    const char* why;
  } cases[] = {
      {kPowerLine, 1, 3, "value 5: the second \"Low\", not the first"},
      {kPowerLine, 0, 1, "value 4"},
      {kPowerLine, kDefaultColumn, 2, "the Default record's value"},
      {kChannelLine, 1, 2, "channel 5, whose cell reads \"  5\""},
      {kChannelLine, 0, 0, "a channel no row has: the fallback row"},
      {kScanLine, 1, 1, "a bit of the 16-bit word"},
  };
  const std::array<Zone, 3> before = zones;
  channels = {1, 4};  // built when the list opens, so the list follows the records
  for (const Case& c : cases) {
    QSignalSpy changed(page.lists[c.line], &QListWidget::currentRowChanged);
    Click(c.line, c.column);
    CHotListBox* list = page.lists[c.line];
    ASSERT_EQ(page.grid.OpenList(), list) << c.why;
    EXPECT_EQ(list->currentRow(), c.row) << c.why;
    EXPECT_EQ(changed.count(), 0) << c.why;
    EXPECT_EQ(page.grid.CurrentColumn(), c.column);
    EXPECT_EQ(page.Cell(c.line, c.column)->TextColor(), QColor(Qt::red));
    EXPECT_EQ(QApplication::focusWidget(), list);
  }
  EXPECT_EQ(page.lists[kChannelLine]->count(), 3);
  EXPECT_FALSE(page.lists[kPowerLine]->isVisible());  // opening one list closes the others
  EXPECT_EQ(page.Cell(kPowerLine, 1)->TextColor(), QColor(Qt::black));
  EXPECT_EQ(g_dataModified, 0);
  for (std::size_t i = 0; i < zones.size(); ++i) {
    EXPECT_EQ(zones[i].opts, before[i].opts);
    EXPECT_EQ(zones[i].word, before[i].word);
  }
}

TEST_F(GridFixture, EnterOpensAndCommitsEscClosesWithoutCommittingDoubleClickCommits) {
  BeepCounter beeps;
  CLinkStatic* cell = page.Cell(kPowerLine, 0);
  CHotListBox* list = page.lists[kPowerLine];
  cell->setFocus();
  QTest::keyClick(cell, Qt::Key_Return);
  ASSERT_TRUE(list->isVisible());
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Escape);
  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(zones[0].opts, 0x84);
  EXPECT_EQ(g_dataModified, 0);
  EXPECT_EQ(QApplication::focusWidget(), cell);
  EXPECT_EQ(cell->TextColor(), QColor(Qt::red));  // it has the focus back
  EXPECT_EQ(beeps.count(), 1);  // the opening only

  QTest::keyClick(cell, Qt::Key_Return);
  QTest::keyClick(list, Qt::Key_Down);  // "Off"
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(zones[0].opts, 0x87);
  EXPECT_EQ(Text(kPowerLine, 0), "Off");
  EXPECT_EQ(g_dataModified, 1);
  EXPECT_EQ(beeps.count(), 3);
  EXPECT_EQ(QApplication::focusWidget(), page.Cell(kPowerLine, 1));  // moved on to the next cell
  EXPECT_EQ(cell->TextColor(), QColor(Qt::black));

  Click(kScanLine, 0);
  CHotListBox* scan = page.lists[kScanLine];
  const QPoint enable = scan->visualItemRect(scan->item(1)).center();
  QTest::mouseClick(scan->viewport(), Qt::LeftButton, {}, enable);  // a single click only moves the choice
  EXPECT_TRUE(scan->isVisible());
  EXPECT_EQ(zones[0].word, 7);
  QTest::mouseDClick(scan->viewport(), Qt::LeftButton, {}, enable);
  EXPECT_FALSE(scan->isVisible());
  EXPECT_EQ(zones[0].word, 0x8007);
  EXPECT_EQ(Text(kScanLine, 0), "Enable");
  for (int key : {Qt::Key_Return, Qt::Key_Escape})  // Enter and Esc stay with the page
    EXPECT_EQ(std::count(host.keys.begin(), host.keys.end(), key), 0) << key;
}

TEST_F(GridFixture, ACommitChangesOnlyItsFieldsBits) {
  struct Case {
    int line, row;
    std::uint8_t opts;
    std::uint16_t word;
  } cases[] = {
      {kPowerLine, 0, 0xF8, 0xA5A5},  // bits 0-2 of the byte
      {kScanLine, 0, 0xFF, 0x25A5},   // bit 15 of the word
      {kChannelLine, 0, 0xFF, 0xA7FF}, // bits 0-9 of the word; bits 10-15 stay
  };
  for (const Case& c : cases) {
    for (Zone& z : zones) z = {0xFF, 0xA5A5, ""};
    defaults.opts = 0x5A;
    Click(c.line, 1);
    page.lists[c.line]->setCurrentRow(c.row);
    page.grid.Commit();
    EXPECT_EQ(zones[1].opts, c.opts) << c.line;
    EXPECT_EQ(zones[1].word, c.word) << c.line;
    for (int z : {0, 2}) {
      EXPECT_EQ(zones[z].opts, 0xFF) << c.line;
      EXPECT_EQ(zones[z].word, 0xA5A5) << c.line;
    }
    EXPECT_EQ(defaults.opts, 0x5A);
  }
}

TEST_F(GridFixture, ADefaultChoiceGoesToItsRecordAndToTheItemsItFansOutTo) {
  Click(kPowerLine, kDefaultColumn);
  page.lists[kPowerLine]->setCurrentRow(0);  // "High"
  page.grid.Commit();
  EXPECT_EQ(defaults.opts, 0x08);
  EXPECT_EQ(zones[0].opts, 0x80);
  EXPECT_EQ(zones[1].opts, 0x80);
  EXPECT_EQ(zones[2].opts, 0x02);  // filtered out: not in use
  EXPECT_EQ(Text(kPowerLine, kDefaultColumn), "High");
  EXPECT_EQ(Text(kPowerLine, 1), "High");

  zones[2].word = 0x8000 | kNoChannel;
  Click(kScanLine, kDefaultColumn);
  page.lists[kScanLine]->setCurrentRow(0);  // "Disable": every zone, in the 16-bit words
  page.grid.Commit();
  EXPECT_EQ(defaults.opts, 0x00);
  EXPECT_EQ(zones[1].word, 0x0004);
  EXPECT_EQ(zones[2].word, kNoChannel);
  EXPECT_EQ(g_dataModified, 1);
}

TEST_F(GridFixture, ADisabledCellOpensNothingByClickOrEnter) {
  BeepCounter beeps;
  Click(kPowerLine, 2);
  SendUserMessage(&page, UM_CELL_ACTIVATE, static_cast<WParam>(ControlId(page.Cell(kPowerLine, 2))), 0);
  EXPECT_EQ(page.grid.OpenList(), nullptr);
  EXPECT_FALSE(page.lists[kPowerLine]->isVisible());
  EXPECT_EQ(beeps.count(), 0);

  zones[2].opts |= 0x80;  // the rule is asked again at each refresh
  page.grid.Refresh();
  Click(kPowerLine, 2);
  EXPECT_EQ(page.grid.OpenList(), page.lists[kPowerLine]);
}

TEST_F(GridFixture, TheAfterCommitHookSeesOldAndNewValueBeforeTheRefresh) {
  Click(kChannelLine, 1);
  page.lists[kChannelLine]->setCurrentRow(3);  // channel 7
  page.grid.Commit();
  Click(kChannelLine, 0);
  page.lists[kChannelLine]->setCurrentRow(0);  // "None"
  page.grid.Commit();
  EXPECT_EQ(page.commits, (std::vector<Commit>{{1, 4, 6}, {0, 7, kNoChannel}}));
  EXPECT_EQ(zones[1].opts & 0x40, 0x40);
  EXPECT_EQ(zones[0].opts & 0x40, 0);
  EXPECT_EQ(Text(kChannelLine, 1), "  7");
  EXPECT_EQ(Text(kChannelLine, 0), "None");
}

TEST_F(GridFixture, AnEditCommitsWhenItLosesTheFocusAndClosesAnOpenList) {
  Click(kPowerLine, 0);
  page.aliases[1]->setFocus();
  EXPECT_EQ(page.grid.OpenList(), nullptr);
  EXPECT_FALSE(page.lists[kPowerLine]->isVisible());
  EXPECT_EQ(page.grid.CurrentColumn(), 1);
  EXPECT_EQ(page.Cell(kPowerLine, 0)->TextColor(), QColor(Qt::black));

  QTest::keyClicks(page.aliases[1], "HILL");
  EXPECT_EQ(zones[1].alias, "");  // not yet: the edit still has the focus
  page.Cell(kScanLine, 0)->setFocus();
  EXPECT_EQ(zones[1].alias, "HILL");
  EXPECT_EQ(g_dataModified, 1);

  g_dataModified = 0;
  page.aliases[0]->setFocus();  // left unchanged: the page stores nothing
  page.Cell(kScanLine, 0)->setFocus();
  EXPECT_EQ(g_dataModified, 0);
}

TEST_F(GridFixture, ThePageCanCommitTheFocusedEditDismissAListAndFollowEachRefresh) {
  int refreshes = 0;
  page.grid.SetAfterRefresh([&refreshes] { ++refreshes; });
  page.aliases[1]->setFocus();
  QTest::keyClicks(page.aliases[1], "PEAK");
  page.grid.CommitFocusedEdit();  // the page is going: the edit commits where it stands
  EXPECT_EQ(zones[1].alias, "PEAK");
  EXPECT_EQ(QApplication::focusWidget(), page.aliases[1]);
  EXPECT_EQ(refreshes, 1);

  Click(kPowerLine, 0);
  page.Cell(kScanLine, 1)->setFocus();
  page.grid.Dismiss();  // the grid scrolls under the open list
  EXPECT_FALSE(page.lists[kPowerLine]->isVisible());
  EXPECT_EQ(page.grid.OpenList(), nullptr);
  EXPECT_EQ(QApplication::focusWidget(), page.Cell(kScanLine, 1));
  EXPECT_EQ(page.Cell(kPowerLine, 0)->TextColor(), QColor(Qt::black));
  EXPECT_EQ(zones[0].opts, 0x84);

  page.grid.Refresh();
  EXPECT_EQ(refreshes, 2);
}

TEST_F(GridFixture, TheCellMarksReachTheScreen) {
  CLinkStatic* power = page.Cell(kPowerLine, 0);
  CHotListBox* list = page.lists[kPowerLine];
  const CellMarks plain = MarksOf(power);
  EXPECT_EQ(plain.red, 0);
  EXPECT_FALSE(plain.framed);

  // Open: red while its list is open; the list has the keyboard.
  Click(kPowerLine, 0);
  ASSERT_EQ(page.grid.OpenList(), list);
  EXPECT_GT(MarksOf(power).red, 0);
  EXPECT_FALSE(MarksOf(power).framed);

  // Esc: the cell has the focus back, red and framed.
  QTest::keyClick(list, Qt::Key_Escape);
  ASSERT_EQ(QApplication::focusWidget(), power);
  EXPECT_GT(MarksOf(power).red, 0);
  EXPECT_TRUE(MarksOf(power).framed);

  // Tab: the mark goes with the focus.
  QTest::keyClick(power, Qt::Key_Tab);
  auto* next = qobject_cast<CLinkStatic*>(QApplication::focusWidget());
  ASSERT_NE(next, nullptr);
  ASSERT_NE(next, power);
  EXPECT_EQ(MarksOf(power).red, 0);
  EXPECT_FALSE(MarksOf(power).framed);
  EXPECT_GT(MarksOf(next).red, 0);
  EXPECT_TRUE(MarksOf(next).framed);

  // A commit moves the focus on: only the cell that now has it is marked.
  QTest::keyClick(next, Qt::Key_Return);
  ASSERT_NE(page.grid.OpenList(), nullptr);
  QTest::keyClick(page.grid.OpenList(), Qt::Key_Return);
  EXPECT_EQ(MarksOf(next).red, 0);
  EXPECT_FALSE(MarksOf(next).framed);
  auto* after = qobject_cast<CLinkStatic*>(QApplication::focusWidget());
  ASSERT_NE(after, nullptr);
  EXPECT_TRUE(MarksOf(after).framed);

  // Into an edit: no cell keeps a mark.
  QTest::mouseClick(page.aliases[0], Qt::LeftButton);
  for (const auto& line : page.cells)
    for (CLinkStatic* cell : line) {
      EXPECT_EQ(MarksOf(cell).red, 0) << ControlId(cell);
      EXPECT_FALSE(MarksOf(cell).framed) << ControlId(cell);
    }
}

}  // namespace

// The description alone, as a print routine uses it.
TEST(GridLine, StoresIntoTheDefaultRecordAloneWhenItDoesNotFanOut) {
  std::array<std::uint8_t, 3> items{0xF0, 0xF0, 0xF0};
  std::uint8_t defaults = 0xF0;
  GridLine line;
  line.field = [&](int item) { return FieldRef(&items[static_cast<std::size_t>(item)], Bits(0, 1)); };
  line.defaultField = [&] { return FieldRef(&defaults, Bits(2, 3)); };
  line.fanOut = false;
  line.Store(kDefaultItem, 3, 3);
  EXPECT_EQ(defaults, 0xFC);
  EXPECT_EQ(items, (std::array<std::uint8_t, 3>{0xF0, 0xF0, 0xF0}));
  line.Store(1, 2, 3);
  EXPECT_EQ(items, (std::array<std::uint8_t, 3>{0xF0, 0xF2, 0xF0}));
  EXPECT_EQ(defaults, 0xFC);
}

TEST(GridLine, TheTextOfAStoredValue) {
  std::uint8_t byte = 0;
  GridLine built;
  built.field = [&](int) { return FieldRef(&byte, kWholeByte); };
  built.fallbackRow = 1;
  std::size_t rows = 2;
  built.buildChoices = [&](int item) {
    ChoiceRows r{{"None", 0}, {"Grp " + std::to_string(item + 1), 9}};
    r.resize(rows);
    return r;
  };
  struct Case {
    std::uint8_t value;
    std::size_t rows;
    const char* text;
  } cases[] = {{0, 2, "None"}, {9, 2, "Grp 3"}, {5, 2, "Grp 3"} /* fallback row */, {5, 1, ""} /* no fallback row */};
  for (const Case& c : cases) {
    byte = c.value;
    rows = c.rows;
    EXPECT_EQ(built.Text(2), c.text) << int{c.value} << "/" << c.rows;
  }
  built.text = [](int item, std::uint32_t value) { return std::to_string(item) + ":" + std::to_string(value); };
  EXPECT_EQ(built.Text(2), "2:5");  // the line's own text wins
}

// A line's list is as many rows high as the line asks, whatever the font does
// to a row: a two-choice list shows both choices whole and never scrolls.
TEST_F(GridFixture, AListShowsTheRowsItsLineAsksForWhole) {
  for (int font : {8, 14, 22}) {
    QFont big = page.lists[kScanLine]->font();
    big.setPointSize(font);
    page.lists[kScanLine]->setFont(big);
    Click(kScanLine, 1);
    CHotListBox* list = page.lists[kScanLine];
    ASSERT_EQ(page.grid.OpenList(), list);
    QCoreApplication::processEvents();
    ASSERT_EQ(list->count(), 2);
    const QRect view = list->viewport()->rect();
    for (int row = 0; row < list->count(); ++row)
      EXPECT_TRUE(view.contains(list->visualItemRect(list->item(row)))) << "row " << row << " at " << font << " pt";
    EXPECT_FALSE(list->verticalScrollBar()->isVisible()) << font << " pt";
    QTest::keyClick(list, Qt::Key_Escape);
  }
}
