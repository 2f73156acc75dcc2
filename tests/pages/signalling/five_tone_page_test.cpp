#include <QStyle>
#include <QTest>

#include "ShownTexts.h"
#include "../radio/RadioPageFixture.h"
#include "model/FiveTone.h"
#include "pages/signalling/SignallingPages.h"

namespace {

using namespace five_tone_page;
using FiveTonePage = RadioPageFixture<CMobileFiveTonePage, CPortableFiveTonePage>;

class FiveTonePageTest : public FiveTonePage {
protected:
  void SetUp() override {
    FiveTonePage::SetUp();
    QApplication::setActiveWindow(&host);
  }
  CFlexGrid* Grid() const { return Control<CFlexGrid>(kGrid); }
  QLineEdit* Editor() const { return Control<QLineEdit>(kEditor); }
  std::uint32_t UserTone(int i) const {
    return family == kMobile ? g_mobileModel.records.fiveToneCodes.tones[static_cast<std::size_t>(i)]
                             : g_portableModel.records.fiveToneTones.tones[static_cast<std::size_t>(i)];
  }
  void SetUserTone(int i, std::uint32_t hz) const {
    (family == kMobile ? g_mobileModel.records.fiveToneCodes.tones
                       : g_portableModel.records.fiveToneTones.tones)[static_cast<std::size_t>(i)] = hz;
  }
  // Puts the grid's current cell on (row, col) with the focus on the grid.
  void GoTo(int row, int col) {
    Grid()->setFocus();
    Grid()->SetCurrent(row, col);
    Settle();
  }
  void Key(QWidget* w, Qt::Key key) {
    QTest::keyClick(w, key);
    Settle();
  }
  // Types a value into a cell through the editor and commits it with Enter.
  void Enter(int row, int col, const char* text) {
    GoTo(row, col);
    Key(Grid(), Qt::Key_Return);
    ASSERT_TRUE(Editor()->isVisible()) << row << "," << col;
    Editor()->selectAll();
    QTest::keyClicks(Editor(), text);
    Key(Editor(), Qt::Key_Return);
  }
};

TEST_P(FiveTonePageTest, GridShowsTheSystemsAndTheUserColumn) {
  CFlexGrid* grid = Grid();
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->Rows(), 19);
  EXPECT_EQ(grid->Cols(), 6);
  EXPECT_EQ(grid->TextMatrix(0, 5), "NATEL/USER");
  EXPECT_EQ(grid->TextMatrix(17, 0), "Period Time[ms]");
  EXPECT_EQ(grid->TextMatrix(16, 0), "F");
  EXPECT_EQ(grid->TextMatrix(1, 1), " 2400");
  EXPECT_EQ(grid->columnWidth(0), 2000 / 15);
  EXPECT_FALSE(Editor()->isVisible());
  if (family == kPortable) {
    for (int c = 1; c <= 4; ++c) {
      EXPECT_EQ(grid->TextMatrix(17, c), (QStringList{"70", "100", "40", "33"}[c - 1]));
      EXPECT_EQ(grid->TextMatrix(18, c), (QStringList{"105", "150", "60", "50"}[c - 1]));
    }
    EXPECT_EQ(grid->TextMatrix(1, 5), " 1633");
  }
}

TEST_P(FiveTonePageTest, TypedDigitOpensTheEditorAndItsCellStoresOnLeaving) {
  const int col = family == kMobile ? 1 : 5;  // the mobile ZVEI period is the mobile's own
  GoTo(17, col);
  g_dataModified = 0;
  QTest::keyClicks(Grid(), "5");
  ASSERT_TRUE(Editor()->isVisible());
  EXPECT_EQ(Editor()->text(), "5");
  QTest::keyClicks(Editor(), "0");
  EXPECT_EQ(Editor()->text(), "50");
  Grid()->setFocus();  // leaving the editor commits
  Settle();
  EXPECT_FALSE(Editor()->isVisible());
  EXPECT_EQ(Grid()->TextMatrix(17, col), " 50");
  EXPECT_EQ(g_dataModified, 1);
  EXPECT_EQ(family == kMobile ? g_mobileModel.records.fiveToneCodes.period[0]
                              : g_portableModel.records.fiveToneTones.userPeriod,
            50);
  // A published tone never opens.
  GoTo(3, 2);
  QTest::keyClicks(Grid(), "7");
  Key(Grid(), Qt::Key_Return);
  EXPECT_FALSE(Editor()->isVisible());
}

TEST_P(FiveTonePageTest, OutOfRangeEntriesAreDroppedAndTheCellShowsTheRecord) {
  SetUserTone(2, 1500);
  Reopen();
  g_dataModified = 0;
  for (const char* text : {"3001", "299"}) {
    Enter(3, 5, text);
    EXPECT_EQ(UserTone(2), 1500u) << text;
    EXPECT_EQ(Grid()->TextMatrix(3, 5), " 1500") << text;
  }
  EXPECT_EQ(g_dataModified, 0);
  Enter(3, 5, "3000");
  EXPECT_EQ(UserTone(2), 3000u);
  EXPECT_EQ(g_dataModified, 1);
}

TEST_P(FiveTonePageTest, EditorTakesToneDigitsInUpperCaseUpToFour) {
  GoTo(2, 5);
  Key(Grid(), Qt::Key_Return);
  ASSERT_TRUE(Editor()->isVisible());
  Editor()->selectAll();
  QTest::keyClicks(Editor(), "1a2fB3");
  EXPECT_EQ(Editor()->text(), "1A2B");
}

TEST_P(FiveTonePageTest, AnEditLandsOnItsOwnCellWhateverIsCurrentWhenItCommits) {
  SetUserTone(4, 1000);
  SetUserTone(7, 2000);
  Reopen();
  GoTo(5, 5);
  QTest::keyClicks(Grid(), "1");
  QTest::keyClicks(Editor(), "234");
  // The user clicks another cell: the grid moves first, then the editor goes.
  Grid()->SetCurrent(8, 5);
  Grid()->setFocus();
  Settle();
  EXPECT_EQ(UserTone(4), 1234u);
  EXPECT_EQ(UserTone(7), 2000u);
  EXPECT_EQ(Grid()->TextMatrix(5, 5), " 1234");
  EXPECT_EQ(Grid()->TextMatrix(8, 5), " 2000");
}

TEST_P(FiveTonePageTest, EscPutsTheCellTextBackAndATabSwitchCommits) {
  SetUserTone(0, 1633);
  Reopen();
  GoTo(1, 5);
  QTest::keyClicks(Grid(), "9");
  g_dataModified = 0;
  Key(Editor(), Qt::Key_Escape);
  EXPECT_FALSE(Editor()->isVisible());
  EXPECT_EQ(UserTone(0), 1633u);
  EXPECT_EQ(g_dataModified, 1);  // the old text is committed again
  EXPECT_TRUE(page->isVisible());  // Esc never closes the page

  GoTo(1, 5);
  QTest::keyClicks(Grid(), "2");
  QTest::keyClicks(Editor(), "222");
  page->DestroyWindow();
  Settle();
  EXPECT_EQ(UserTone(0), 2222u);
  ASSERT_TRUE(page->Create(&host));
}

TEST_P(FiveTonePageTest, HeadingDoubleClickDoesNothingAndTabOnEncodeDecodeGoesToTheUserColumn) {
  CFlexGrid* grid = Grid();
  GoTo(4, 5);
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(0, 5, grid->viewport()).center());
  Settle();
  EXPECT_FALSE(Editor()->isVisible());
  EXPECT_EQ(grid->Row(), 4);
  // A double click on a user cell opens it with its text.
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(6, 5, grid->viewport()).center());
  Settle();
  ASSERT_TRUE(Editor()->isVisible());
  EXPECT_EQ(Editor()->text(), grid->TextMatrix(6, 5).trimmed());
  Key(Editor(), Qt::Key_Return);

  auto* button = Control<QPushButton>(kEncodeDecode);
  button->setFocus();
  Settle();
  Key(button, Qt::Key_Tab);
  EXPECT_TRUE(grid->hasFocus());
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(grid->Col(), 5);
}

TEST_P(FiveTonePageTest, PortableTimingOfThePublishedSystemsIsFixed) {
  for (const int row : {17, 18}) {
    GoTo(row, 2);
    QTest::keyClicks(Grid(), "5");
    EXPECT_EQ(Editor()->isVisible(), family == kMobile) << row;
    if (Editor()->isVisible()) Key(Editor(), Qt::Key_Return);
    Key(Grid(), Qt::Key_Return);  // Enter opens what a typed digit opens
    EXPECT_EQ(Editor()->isVisible(), family == kMobile) << row;
    if (Editor()->isVisible()) Key(Editor(), Qt::Key_Return);
  }
}

// Hand-typed tones through the page, a saved file, a reload and a new page.
TEST_P(FiveTonePageTest, TypedTonesAndTimesReloadFromTheSavedFile) {
  TempDir dir;
  const std::string file = LoadDefaultFile(dir);
  Reopen();
  Enter(1, 5, "1000");
  Enter(16, 5, "2999");
  Enter(17, 5, "120");
  Enter(18, 5, "500");
  if (family == kMobile) Enter(18, 3, "75");
  SaveAndReload(file, dir);
  Reopen();
  // The image keeps tones in steps of its factor x 0.0001 Hz: a tone reads
  // back within half a step.
  const int factor = GetBE16(g_pRadioImage + (family == kMobile ? 0x5E77 : 0x55CF));
  const auto near = [factor](const QString& shown, int hz) {
    return std::abs(shown.trimmed().toInt() - hz) <= factor / 20000 + 1;
  };
  EXPECT_TRUE(near(Grid()->TextMatrix(1, 5), 1000)) << Grid()->TextMatrix(1, 5).toStdString();
  EXPECT_TRUE(near(Grid()->TextMatrix(16, 5), 2999)) << Grid()->TextMatrix(16, 5).toStdString();
  EXPECT_EQ(Grid()->TextMatrix(17, 5), "120");
  EXPECT_EQ(Grid()->TextMatrix(18, 5), " 500");
  if (family == kMobile) {
    EXPECT_EQ(Grid()->TextMatrix(18, 3), "  75");
  }
}

// The buttons' texts ("Common/System") and every heading of the tone grid
// ("NATEL/USER") show whole at the page's font.
TEST_P(FiveTonePageTest, ButtonTextsAndGridHeadingsShowWhole) {
  EXPECT_EQ(CutTexts(page->Body()), std::vector<std::string>{});
  CFlexGrid* grid = Grid();
  const QFontMetrics fm = grid->fontMetrics();
  // The item view's text margin on each side, and the grid line.
  const int margins = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1) + 1;
  for (int c = 0; c < grid->Cols(); ++c)
    EXPECT_LE(fm.horizontalAdvance(grid->TextMatrix(0, c)), grid->columnWidth(c) - margins)
        << grid->TextMatrix(0, c).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Families, FiveTonePageTest, ::testing::Values(kMobile, kPortable), FamilyName);

}  // namespace
