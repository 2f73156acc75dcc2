// The help window as the user meets it: asked for from a modal dialog while
// the main window runs modally as the program runs it, clicked through the
// window system (where a modal dialog blocks what is not its own), with its
// Back and Home buttons.
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <functional>

#include "MainDlgFixture.h"
#include "app/Help.h"
#include "pages/signalling/FiveToneDialogs.h"
#include "pages/signalling/FiveTonePage.h"
#include "platform/ControlIds.h"

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
    bool seen = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* dialog = dynamic_cast<Dialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr || seen) return;
      seen = true;
      poll.stop();
      if (!QTest::qWaitFor([dialog] { return QApplication::activeWindow() == dialog; }))
        ADD_FAILURE() << "the dialog is not active";
      work(*dialog);
      if (dialog->isVisible()) dialog->reject();  // never leaves the test waiting
    });
    poll.start();
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center(), kPressMs);
    EXPECT_TRUE(seen) << "the button opened its dialog";
  }
};

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
      QTabBar* tabs = dlg->TabBar();
      const int fiveTone = tabs->count() - 1;
      ASSERT_EQ(tabs->tabText(fiveTone), "5-Tone");
      QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(fiveTone).center(), kPressMs);
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
