// The marks of the grid cells as they reach the screen, on every grid page
// of both families in the main window: a click opens a cell's list and turns
// its text red; Esc gives the cell the focus back, red and framed; Tab takes
// both marks on to the next control.
#include <QApplication>
#include <QTabBar>
#include <QTest>
#include <functional>
#include <string>

#include "MainDlgFixture.h"
#include "framework/ButtonsAndLists.h"
#include "framework/ScrollablePage.h"
#include "framework/TextFit.h"
#include "platform/ControlIds.h"

namespace {

struct GridPageCase {
  const char* name;
  std::function<void(CMainDlg&, Family)> open;
};

void OpenTab(CMainDlg& dlg, Family family, TabKind kind) { dlg.TabBar()->setCurrentIndex(*TabPosition(family, kind)); }

// A zone sub-page of zone 1, reached through the zone table as its buttons do.
std::function<void(CMainDlg&, Family)> ZoneMessage(unsigned msg, WParam wParam, LParam lParam) {
  return [=](CMainDlg& dlg, Family family) {
    OpenTab(dlg, family, TabKind::kZone);
    SendUserMessage(&dlg, msg, wParam, lParam);
  };
}

const GridPageCase kGridPages[] = {
    {"zone table", [](CMainDlg& dlg, Family family) { OpenTab(dlg, family, TabKind::kZone); }},
    {"LTR advanced", ZoneMessage(UM_OPEN_LTR_ADVANCED, 0, 0)},
    {"interconnect", ZoneMessage(UM_OPEN_INTERCONNECT, 0, 0)},
    {"repeater", ZoneMessage(UM_OPEN_REPEATER, 0, 0)},
    {"LTR groups", ZoneMessage(UM_OPEN_LTR_GROUPS_BASIC, 0, 0)},
    {"LTR groups advanced", ZoneMessage(UM_OPEN_LTR_GROUPS_ADVANCED, 0, 0)},
    {"conventional groups", ZoneMessage(UM_OPEN_CONV_GROUPS_BASIC, 0, 0)},
    {"conventional groups advanced", ZoneMessage(UM_OPEN_CONV_GROUPS_ADVANCED, 0, 0)},
    {"RF channel list", [](CMainDlg& dlg, Family family) { OpenTab(dlg, family, TabKind::kRfChannelList); }},
};

// The first cell of the page a user can click: shown on screen and enabled.
CLinkStatic* FirstLiveCell(QWidget* page) {
  for (CLinkStatic* cell : page->findChildren<CLinkStatic*>())
    if (cell->isVisible() && cell->isEnabled() && !cell->visibleRegion().isEmpty()) return cell;
  return nullptr;
}

class GridMarksTest : public MainDlgTest {
protected:
  // Opens each grid page of both families in the running main window, in
  // turn, and hands it to the check.
  void ForEachGridPage(const std::function<void(QWidget& page)>& check) {
    for (Family family : {kMobile, kPortable}) {
      WriteDataFile(dir.File("marks.dat"), family);
      ASSERT_FALSE(Start({dir.File("marks.dat")}));
      dlg->activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
      for (const GridPageCase& c : kGridPages) {
        SCOPED_TRACE(std::string(c.name) + (family == kPortable ? " (portable)" : " (mobile)"));
        c.open(*dlg, family);
        const std::optional<PageSlot> slot = ShownSlot();
        ASSERT_TRUE(slot.has_value());
        check(dlg->Pages().Page(*slot));
      }
      dlg.reset();
      ResetProgramState();
    }
  }
};

TEST_F(GridMarksTest, EveryGridPageShowsTheRedMarkAndTheFocusFrame) {
  ForEachGridPage([](QWidget& page) {
    CLinkStatic* cell = FirstLiveCell(&page);
    ASSERT_NE(cell, nullptr);
    const std::string id = std::to_string(ControlId(cell));

    QTest::mouseClick(cell, Qt::LeftButton);
    QWidget* list = QApplication::focusWidget();
    ASSERT_NE(qobject_cast<CHotListBox*>(list), nullptr) << id;
    EXPECT_GT(MarksOf(cell).red, 0) << id << ": red while its list is open";

    QTest::keyClick(list, Qt::Key_Escape);
    ASSERT_EQ(QApplication::focusWidget(), cell) << id;
    EXPECT_GT(MarksOf(cell).red, 0) << id << ": red while it has the focus";
    EXPECT_TRUE(MarksOf(cell).framed) << id;

    QTest::keyClick(cell, Qt::Key_Tab);
    EXPECT_EQ(MarksOf(cell).red, 0) << id << ": the marks go with the focus " << ControlId(QApplication::focusWidget())
                                    << " " << QApplication::focusWidget()->metaObject()->className() << " "
                                    << cell->TextColor().name().toStdString() << " " << cell->text().toStdString();
    EXPECT_FALSE(MarksOf(cell).framed) << id;
    if (auto* next = qobject_cast<CLinkStatic*>(QApplication::focusWidget()); next != nullptr && next != cell) {
      EXPECT_GT(MarksOf(next).red, 0) << ControlId(next);
      EXPECT_TRUE(MarksOf(next).framed) << ControlId(next);
    }
  });
}

// Every choice a live cell can show stays inside the focus frame: the frame
// is drawn over the cell, so text running into it loses its first and last
// letters ("Conventional" in the zone table did).
TEST_F(GridMarksTest, TheFocusFrameCutsNoChoiceOfAnyCell) {
  ForEachGridPage([](QWidget& page) {
    for (CLinkStatic* cell : page.findChildren<CLinkStatic*>()) {
      if (!cell->isVisible() || !cell->isEnabled() || cell->visibleRegion().isEmpty()) continue;
      const std::string id = std::to_string(ControlId(cell));
      QTest::mouseClick(cell, Qt::LeftButton);
      if (QWidget* list = QApplication::focusWidget(); qobject_cast<CHotListBox*>(list) != nullptr)
        QTest::keyClick(list, Qt::Key_Escape);
      ASSERT_EQ(QApplication::focusWidget(), cell) << id;
      const QString shown = cell->text();
      QStringList texts = cell->property(kFitTextsProperty).toStringList();
      texts.append(shown);
      for (const QString& text : texts) {
        cell->setText(text);
        const CellMarks marks = MarksOf(cell);
        EXPECT_TRUE(marks.framed) << id;
        EXPECT_TRUE(marks.textClearOfFrame) << id << " \"" << text.toStdString() << "\"";
      }
      cell->setText(shown);
    }
  });
}

}  // namespace
