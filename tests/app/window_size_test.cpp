// The main window's size as it opens: every page whole on a large screen,
// the scroll bars kept on a small one.
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include "MainDlgFixture.h"
#include "app/PageTable.h"
#include "pages/signalling/FiveTonePage.h"
#include "platform/ScreenArea.h"
#include "platform/UserMessages.h"

namespace {

class WindowSizeTest : public MainDlgTest {
protected:
  void TearDown() override {
    SetAvailableScreenArea(QRect());
    MainDlgTest::TearDown();
  }
  // Starts with a file of the family on a screen of the given size.
  void StartOn(Family family, QSize screen) {
    SetAvailableScreenArea(QRect(QPoint(0, 0), screen));
    const std::string name = family == kPortable ? "f.P58" : "f.K58";
    WriteDataFile(dir.File(name), family);
    ASSERT_FALSE(Start({name}));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
  }
  void CheckEveryPageShowsWhole(Family family);
  CScrollablePage* Shown() {
    const auto slot = ShownSlot();
    return slot ? dlg->Pages().Built(*slot) : nullptr;
  }
};

}  // namespace

// On a 1600x1200 screen: each tab clicked, and each of the Zone tab's pages
// opened as the zone table opens them, shows without scrolling.
void WindowSizeTest::CheckEveryPageShowsWhole(Family family) {
  StartOn(family, QSize(1600, 1200));
  EXPECT_LE(dlg->width(), 1600);
  EXPECT_LE(dlg->height(), 1200);
  QTabBar* tabs = dlg->TabBar();
  EXPECT_LE(tabs->tabRect(tabs->count() - 1).right(), tabs->width()) << "every tab shows";
  for (int t = 0; t < tabs->count(); ++t) {
    QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(t).center(), 20);
    CScrollablePage* page = Shown();
    ASSERT_NE(page, nullptr) << t;
    EXPECT_EQ(page->HMax(), 0) << tabs->tabText(t).toStdString();
    EXPECT_EQ(page->VMax(), 0) << tabs->tabText(t).toStdString();
    if (tabs->tabText(t) != QStringLiteral("5-Tone")) continue;
    // Its two buttons lie inside the window.
    for (int id : {five_tone_page::kCommonSystem, five_tone_page::kEncodeDecode}) {
      auto* button = FindControl<QPushButton>(dlg.get(), id);
      ASSERT_NE(button, nullptr);
      EXPECT_TRUE(dlg->rect().contains(QRect(button->mapTo(dlg.get(), QPoint(0, 0)), button->size()))) << id;
    }
  }
  for (unsigned msg = UM_OPEN_INTERCONNECT; msg <= UM_OPEN_CONV_GROUPS_BASIC; ++msg) {
    dlg->OnUserMessage(msg, 0, 0);
    CScrollablePage* page = Shown();
    ASSERT_NE(page, nullptr) << std::hex << msg;
    EXPECT_EQ(page->HMax(), 0) << "template " << page->TemplateId();
    EXPECT_EQ(page->VMax(), 0) << "template " << page->TemplateId();
  }
}

TEST_F(WindowSizeTest, OnALargeScreenEveryMobilePageShowsWhole) { CheckEveryPageShowsWhole(kMobile); }
TEST_F(WindowSizeTest, OnALargeScreenEveryPortablePageShowsWhole) { CheckEveryPageShowsWhole(kPortable); }

TEST_F(WindowSizeTest, OnASmallScreenTheWindowFitsAndThePageScrolls) {
  StartOn(kMobile, QSize(640, 480));
  EXPECT_LE(dlg->width(), 640);
  EXPECT_LE(dlg->height(), 480);
  CScrollablePage* page = Shown();
  ASSERT_NE(page, nullptr);
  EXPECT_GT(page->VMax(), 0);
}
