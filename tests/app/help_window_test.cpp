// The help window as the user meets it: asked for from a modal dialog while
// the main window runs modally as the program runs it, clicked through the
// window system (where a modal dialog blocks what is not its own), with its
// Back and Home buttons.
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <functional>

#include "MainDlgFixture.h"
#include "app/CommandTable.h"
#include "app/Help.h"
#include "app/PasswordDlg.h"
#include "pages/signalling/FiveToneDialogs.h"
#include "pages/signalling/FiveTonePage.h"
#include "platform/ControlIds.h"
#include "platform/ScreenArea.h"

namespace {

constexpr int kPressMs = 20;  // how long a key or button is held down

std::string PageName(const CHelpViewer& viewer) {
  return viewer.CurrentPage().section(QLatin1Char('/'), -1).toStdString();
}

// A click through the window system: refused there while a modal window
// blocks the window, as a user's click would be.
void ClickThroughWindow(QWidget* widget, QPoint at) {
  QWidget* window = widget->window();
  QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, widget->mapTo(window, at), kPressMs);
  QCoreApplication::processEvents();
}

// The middle of the first link to `href` on the page shown, scrolled into view.
std::optional<QPoint> LinkPoint(QTextBrowser* browser, const QString& href) {
  for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.charFormat().isAnchor() || fragment.charFormat().anchorHref() != href) continue;
      QTextCursor cursor(browser->document());
      cursor.setPosition(fragment.position() + fragment.length() / 2);
      browser->setTextCursor(cursor);
      browser->ensureCursorVisible();
      return browser->viewport()->mapTo(browser, browser->cursorRect(cursor).center());
    }
  }
  return std::nullopt;
}

class HelpWindowTest : public MainDlgTest {
protected:
  void SetUp() override {
    MainDlgTest::SetUp();
    SetHelpFolder(std::string(RP58_PROGRAM_DIR) + "/help");
  }
  void TearDown() override {
    SetAvailableScreenArea(QRect());
    MainDlgTest::TearDown();
  }

  // Starts the main window as main() does and runs it under exec();
  // `whileRunning` runs from its event loop, and the run ends after it.
  void RunAsTheProgramDoes(const std::vector<std::string>& args, const std::function<void()>& whileRunning) {
    dlg = std::make_unique<CMainDlg>();
    ASSERT_FALSE(dlg->OnInitDialog(args, dir.path()));
    QTimer::singleShot(0, dlg.get(), [&] {
      EXPECT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
      whileRunning();
      dlg->done(0);
    });
    dlg->exec();
  }

  // Clicks the button; `work` runs once the modal dialog it opens is up.
  template <class Dialog>
  void OpenWith(QPushButton* button, const std::function<void(Dialog&)>& work) {
    WhileModal(
        [button] { QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center(), kPressMs); },
        [&](QDialog& dialog) {
          auto* own = dynamic_cast<Dialog*>(&dialog);
          ASSERT_NE(own, nullptr) << "the button opened its dialog";
          work(*own);
        });
  }

  // Clicks the 5-Tone tab of the main window.
  void ShowFiveToneTab() {
    QTabBar* tabs = dlg->TabBar();
    const int fiveTone = tabs->count() - 1;
    ASSERT_EQ(tabs->tabText(fiveTone), "5-Tone");
    QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(fiveTone).center(), kPressMs);
  }
};

// Home, a link and Back of the shown help window, clicked through the window
// system: each changes the page.
void ExpectHelpAnswers(CHelpViewer& viewer) {
  auto* browser = viewer.findChild<QTextBrowser*>();
  auto* back = viewer.findChild<QPushButton*>(QStringLiteral("helpBack"));
  auto* home = viewer.findChild<QPushButton*>(QStringLiteral("helpHome"));
  ASSERT_TRUE(browser != nullptr && back != nullptr && home != nullptr);
  ASSERT_NE(PageName(viewer), "index.html");
  ClickThroughWindow(home, home->rect().center());
  ASSERT_EQ(PageName(viewer), "index.html") << "Home answers";
  const auto link = LinkPoint(browser, QStringLiteral("keyassign.html"));
  ASSERT_TRUE(link);
  ClickThroughWindow(browser, *link);
  EXPECT_EQ(PageName(viewer), "keyassign.html") << "a link answers";
  ClickThroughWindow(back, back->rect().center());
  EXPECT_EQ(PageName(viewer), "index.html") << "Back answers";
}

}  // namespace

TEST_F(HelpWindowTest, HelpFromAFiveToneDialogIsUsableOverItAndStaysWhenItCloses) {
  struct Case {
    int button;
    const char* page;  // what F1 in the dialog shows
  };
  WriteDataFile(dir.File("m.K58"), kMobile);
  for (const Case& c : {Case{five_tone_page::kCommonSystem, "15904.html"}, Case{five_tone_page::kEncodeDecode, "1595.html"}}) {
    SCOPED_TRACE(c.page);
    RunAsTheProgramDoes({"m.K58"}, [&] {
      ShowFiveToneTab();
      auto* button = FindControl<QPushButton>(dlg.get(), c.button);
      ASSERT_NE(button, nullptr);
      OpenWith<CFiveToneDialog>(button, [&](CFiveToneDialog& dialog) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1, Qt::NoModifier, kPressMs);
        CHelpViewer* viewer = CHelpViewer::Instance();
        ASSERT_NE(viewer, nullptr);
        EXPECT_TRUE(viewer->isVisible());
        EXPECT_EQ(PageName(*viewer), c.page);
        EXPECT_FALSE(viewer->frameGeometry().contains(dialog.frameGeometry())) << "the dialog stays in sight";
        // The link to the 5-Tone tab's page answers while the dialog is open.
        auto* browser = viewer->findChild<QTextBrowser*>();
        const auto link = LinkPoint(browser, QStringLiteral("fivetone.html"));
        ASSERT_TRUE(link);
        ClickThroughWindow(browser, *link);
        EXPECT_EQ(PageName(*viewer), "fivetone.html");
        EXPECT_TRUE(dialog.isVisible());
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Escape, Qt::NoModifier, kPressMs);
        EXPECT_FALSE(dialog.isVisible());
      });
      // The page stays open over the main window, and still answers.
      CHelpViewer* viewer = CHelpViewer::Instance();
      ASSERT_NE(viewer, nullptr);
      EXPECT_TRUE(viewer->isVisible());
      auto* back = viewer->findChild<QPushButton*>(QStringLiteral("helpBack"));
      ASSERT_NE(back, nullptr);
      ClickThroughWindow(back, back->rect().center());
      EXPECT_EQ(PageName(*viewer), c.page);
      viewer->close();
    });
  }
}

// Help shown first, then a modal dialog opened after it: the help still
// answers while the dialog is open, and after it closes, whether the dialog
// belongs to the main window or to no window at all.
TEST_F(HelpWindowTest, AHelpWindowShownBeforeAModalDialogAnswersWhileTheDialogIsOpen) {
  struct Case {
    const char* dialog;
    std::function<void()> open;
  };
  const auto command = [this](int id) { return [this, id] { dlg->RunCommand(id); }; };
  const Case cases[] = {
      {"Configuration", command(kCmdConfigure)},
      {"Get Started", command(kCmdGetStarted)},
      {"About", command(kCmdAbout)},
      {"Adjustment Recover", command(kCmdAdjustmentRecover)},
      {"password", [] { CheckManufacturerPassword(); }},
      {"Encode/Decode",
       [this] {
         ShowFiveToneTab();
         auto* button = FindControl<QPushButton>(dlg.get(), five_tone_page::kEncodeDecode);
         ASSERT_NE(button, nullptr);
         QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center(), kPressMs);
       }},
  };
  WriteDataFile(dir.File("m.K58"), kMobile);
  RunAsTheProgramDoes({"m.K58"}, [&] {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.dialog);
      ShowHelpFile("zone.html");
      CHelpViewer* viewer = CHelpViewer::Instance();
      ASSERT_NE(viewer, nullptr);
      ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer));
      WhileModal(c.open, [&](QDialog& dialog) {
        ExpectHelpAnswers(*viewer);
        EXPECT_TRUE(dialog.isVisible()) << "the dialog stays open";
        // A box the dialog shows: the help answers over both.
        ShowHelpFile("zone.html");
        WhileModal(
            [&] {
              QMessageBox box(QMessageBox::NoIcon, "RP58", "over the dialog", QMessageBox::Ok, &dialog);
              box.exec();
            },
            [&](QDialog&) { ExpectHelpAnswers(*viewer); });
        ShowHelpFile("zone.html");
        ExpectHelpAnswers(*viewer);
      });
      ASSERT_EQ(CHelpViewer::Instance(), viewer);
      EXPECT_TRUE(viewer->isVisible()) << "the help stays open over the main window";
      ShowHelpFile("zone.html");
      ExpectHelpAnswers(*viewer);
      viewer->close();
      ASSERT_TRUE(QTest::qWaitFor([] { return CHelpViewer::Instance() == nullptr; }));
    }
  });
}

// F1 in the 5-Tone Common/System dialog standing where a screen of the size
// places it: the help opens clear of the dialog wherever the screen has room
// beside it, narrower if need be, and always on the screen.
TEST_F(HelpWindowTest, HelpOpensClearOfTheDialogThatAskedWhereTheScreenHasRoom) {
  struct Case {
    QSize screen;
    bool leftEdge;  // the dialog at the screen's left edge, else centred
    bool roomBeside;
  };
  const Case cases[] = {
      {QSize(1600, 1200), false, true}, {QSize(1600, 1200), true, true}, {QSize(1280, 1024), false, true},
      {QSize(1024, 768), true, true},   {QSize(800, 600), false, false},
  };
  WriteDataFile(dir.File("m.K58"), kMobile);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.screen.width() << "x" << c.screen.height() << (c.leftEdge ? " left" : ""));
    const QRect area(QPoint(0, 0), c.screen);
    SetAvailableScreenArea(area);
    RunAsTheProgramDoes({"m.K58"}, [&] {
      ShowFiveToneTab();
      auto* button = FindControl<QPushButton>(dlg.get(), five_tone_page::kCommonSystem);
      ASSERT_NE(button, nullptr);
      OpenWith<CFiveToneDialog>(button, [&](CFiveToneDialog& dialog) {
        QRect place = dialog.frameGeometry();
        place.moveCenter(area.center());
        if (c.leftEdge) place.moveLeft(0);
        dialog.move(place.topLeft());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1, Qt::NoModifier, kPressMs);
        CHelpViewer* viewer = CHelpViewer::Instance();
        ASSERT_NE(viewer, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer));
        const QRect help = viewer->frameGeometry();
        EXPECT_TRUE(area.contains(help)) << "on the screen";
        if (c.roomBeside) {
          EXPECT_FALSE(help.intersects(dialog.frameGeometry())) << "clear of the dialog";
        } else {
          auto* cancel = FindControl<QPushButton>(&dialog, five_tone_dlg::kCancel);
          ASSERT_NE(cancel, nullptr);
          EXPECT_FALSE(help.intersects(QRect(cancel->mapToGlobal(QPoint(0, 0)), cancel->size())))
              << "Cancel stays in sight";
        }
        viewer->close();
      });
      ASSERT_TRUE(QTest::qWaitFor([] { return CHelpViewer::Instance() == nullptr; }));
    });
  }
}

TEST_F(HelpWindowTest, BackReturnsAlongTheLinksAndHomeShowsTheContents) {
  WriteDataFile(dir.File("m.K58"), kMobile);
  ASSERT_FALSE(Start({"m.K58"}));
  ShowHelpFile("ltrgroups.html");
  CHelpViewer* viewer = CHelpViewer::Instance();
  ASSERT_NE(viewer, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer));
  auto* browser = viewer->findChild<QTextBrowser*>();
  auto* back = viewer->findChild<QPushButton*>(QStringLiteral("helpBack"));
  auto* home = viewer->findChild<QPushButton*>(QStringLiteral("helpHome"));
  ASSERT_NE(back, nullptr);
  ASSERT_NE(home, nullptr);
  EXPECT_FALSE(back->isEnabled());  // nothing to go back to yet

  for (const char* href : {"ltrgroupsadvanced.html", "ltrgroups.html", "zone.html"}) {
    const auto link = LinkPoint(browser, QString::fromLatin1(href));
    ASSERT_TRUE(link) << href;
    ClickThroughWindow(browser, *link);
    EXPECT_EQ(PageName(*viewer), href);
  }
  ClickThroughWindow(home, home->rect().center());
  EXPECT_EQ(PageName(*viewer), "index.html");
  for (const char* page : {"zone.html", "ltrgroups.html", "ltrgroupsadvanced.html", "ltrgroups.html"}) {
    ASSERT_TRUE(back->isEnabled()) << page;
    ClickThroughWindow(back, back->rect().center());
    EXPECT_EQ(PageName(*viewer), page);
  }
  EXPECT_FALSE(back->isEnabled());
  viewer->close();
}

// The contents page lists the tabs in the window's order (the mobile row,
// which holds every tab).
TEST(HelpContents, TheTabsAreListedInTheWindowsOrder) {
  QFile file(QString::fromLatin1(RP58_PROGRAM_DIR "/help/index.html"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString page = QString::fromUtf8(file.readAll());
  const qsizetype from = page.indexOf(QStringLiteral("<h2>The tabs</h2>"));
  ASSERT_GE(from, 0);
  const QString list = page.mid(from, page.indexOf(QStringLiteral("</ul>"), from) - from);
  std::vector<std::string> listed;
  static const QRegularExpression kItem(QStringLiteral("<li><a href=\"[^\"]*\">([^<]*)</a>"));
  for (auto it = kItem.globalMatch(list); it.hasNext();) listed.push_back(it.next().captured(1).toStdString());
  std::vector<std::string> tabs;
  for (const TabEntry& tab : TabRow(kMobile)) tabs.emplace_back(tab.caption);
  EXPECT_EQ(listed, tabs);
}
