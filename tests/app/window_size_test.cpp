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
  // Opens a file of the family as File Open does.
  void Open(Family family) {
    const std::string name = family == kPortable ? "g.P58" : "g.K58";
    WriteDataFile(dir.File(name), family);
    files.Choose(dir.File(name));
    dlg->OnOpenFile();
    ASSERT_EQ(g_isPortable != 0, family == kPortable);
  }
  void CheckEveryPageShowsWhole();
  CScrollablePage* Shown() {
    const auto slot = ShownSlot();
    return slot ? dlg->Pages().Built(*slot) : nullptr;
  }
};

}  // namespace

// On a 1600x1200 screen: each tab clicked, and each of the Zone tab's pages
// opened as the zone table opens them, shows without scrolling.
void WindowSizeTest::CheckEveryPageShowsWhole() {
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

TEST_F(WindowSizeTest, OnALargeScreenEveryMobilePageShowsWhole) {
  StartOn(kMobile, QSize(1600, 1200));
  CheckEveryPageShowsWhole();
}
TEST_F(WindowSizeTest, OnALargeScreenEveryPortablePageShowsWhole) {
  StartOn(kPortable, QSize(1600, 1200));
  CheckEveryPageShowsWhole();
}

// A file of the other family opened after the start: its pages show whole
// too, and the window keeps what it had gained for the first family and stays
// on the screen.
TEST_F(WindowSizeTest, AfterOpeningAFileOfTheOtherFamilyEveryPageShowsWhole) {
  for (const auto& [first, then] : {std::pair{kMobile, kPortable}, std::pair{kPortable, kMobile}}) {
    SCOPED_TRACE(then == kPortable ? "mobile, then portable" : "portable, then mobile");
    StartOn(first, QSize(1600, 1200));
    const QSize before = dlg->size();
    // Against the screen's bottom right corner: growing keeps it on the screen.
    dlg->move(1600 - dlg->frameGeometry().width(), 1200 - dlg->frameGeometry().height());
    Open(then);
    EXPECT_TRUE(QRect(0, 0, 1600, 1200).contains(dlg->frameGeometry()));
    CheckEveryPageShowsWhole();
    EXPECT_GE(dlg->width(), before.width());
    EXPECT_GE(dlg->height(), before.height());
    dlg.reset();
    ResetProgramState();
  }
}

TEST_F(WindowSizeTest, OnASmallScreenTheWindowFitsAndThePageScrolls) {
  StartOn(kMobile, QSize(640, 480));
  EXPECT_LE(dlg->width(), 640);
  EXPECT_LE(dlg->height(), 480);
  CScrollablePage* page = Shown();
  ASSERT_NE(page, nullptr);
  EXPECT_GT(page->VMax(), 0);
}

// On a 640x480 screen the 5-Tone dialogs, the wider Encode/Decode among them,
// open with OK and Cancel on the screen.
TEST_F(WindowSizeTest, OnASmallScreenTheFiveToneDialogsShowTheirButtons) {
  const QRect screen(0, 0, 640, 480);
  for (Family family : {kMobile, kPortable}) {
    SCOPED_TRACE(family == kPortable ? "portable" : "mobile");
    StartOn(family, screen.size());
    QTabBar* tabs = dlg->TabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(tabs->count() - 1).center(), 20);
    for (int id : {five_tone_page::kCommonSystem, five_tone_page::kEncodeDecode}) {
      auto* button = FindControl<QPushButton>(dlg.get(), id);
      ASSERT_NE(button, nullptr) << id;
      WhileModal([button] { QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center(), 20); },
                 [&](QDialog& dialog) {
                   for (int buttonId : {1, 2}) {
                     auto* shown = FindControl<QPushButton>(&dialog, buttonId);
                     ASSERT_NE(shown, nullptr) << buttonId;
                     EXPECT_TRUE(screen.contains(QRect(shown->mapToGlobal(QPoint(0, 0)), shown->size())))
                         << id << " " << shown->text().toStdString();
                   }
                 });
    }
    dlg.reset();
    ResetProgramState();
  }
}
