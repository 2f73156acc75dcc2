#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

#include "MainDlgFixture.h"

namespace {

// One line per item, indented per popup: "text id", "grey" when disabled.
void DumpMenu(const QList<QAction*>& actions, const std::string& indent, std::vector<std::string>& out) {
  for (QAction* a : actions) {
    if (a->isSeparator()) {
      out.push_back(indent + "---");
    } else if (a->menu() != nullptr) {
      out.push_back(indent + a->text().toStdString());
      DumpMenu(a->menu()->actions(), indent + "  ", out);
    } else {
      out.push_back(indent + a->text().toStdString() + " " + std::to_string(a->data().toInt()) +
                    (a->isEnabled() ? "" : " grey"));
    }
  }
}

std::vector<std::string> MenuLines(QWidget* window) {
  std::vector<std::string> out;
  DumpMenu(window->findChild<QMenuBar*>()->actions(), "", out);
  return out;
}

// Menu 131 as the user sees it once the tab row is built, mobile family.
const std::vector<std::string> kMobileMenu = {
    "&Files",
    "  &Open File 32775",
    "  &Save File 32776",
    "  &Print",
    "    &Global 32800 grey",
    "    &Key 32863 grey",
    "    &DTMF 32864 grey",
    "    &Zone 32801 grey",
    "    &RF ch 32862 grey",
    "    &5-Tone Common/System 32875 grey",
    "    5-Tone Encode/Decode 32876 grey",
    "  &Configure 32819",
    "  &Exit 32779",
    "&Menu",
    "  Global&1 32785",
    "  Global&2 32786",
    "  &Mobile Special 32817",
    "  &Key Assignment 32787",
    "  &RF Ch. List 32788",
    "  &ZONE 32789",
    "  &DTMF ANI 32790",
    "  &5-Tone 32867",
    "&Radio",
    "  &Read from Radio 32771",
    "  &Send to Radio 32773",
    "  &Alignment 32866 grey",
    "  Adjustment Recover 32818 grey",
    "&Help",
    "  &Help Topics 32791",
    "  ---",
    "  &Get Started 32793",
    "  &About RP58... 32794",
};

}  // namespace

TEST_F(MainDlgTest, MenuHoldsItsItemsInOrderWithTheirEnableStates) {
  {
    // Before the first tab row: "&5-Tone" is greyed.
    CMainDlg fresh;
    std::vector<std::string> expected = kMobileMenu;
    for (std::string& line : expected)
      if (line == "  &5-Tone 32867") line += " grey";
    EXPECT_EQ(MenuLines(&fresh), expected);
  }
  ASSERT_FALSE(Start());
  EXPECT_EQ(MenuLines(dlg.get()), kMobileMenu);

  WriteDataFile(dir.File("p.P58"), kPortable);
  ASSERT_FALSE(Start({"p.P58"}));
  std::vector<std::string> portable = kMobileMenu;
  for (std::string& line : portable)
    if (line == "  &Mobile Special 32817") line += " grey";
  EXPECT_EQ(MenuLines(dlg.get()), portable);
}

TEST_F(MainDlgTest, ToolbarButtonsCarryTheirIconsAndTips) {
  ASSERT_FALSE(Start());
  const struct {
    int command;  // 0: a separator
    const char* tip;
    QStyle::StandardPixmap icon;
  } buttons[] = {
      {57601, "Open File", QStyle::SP_DialogOpenButton},
      {57603, "Save File", QStyle::SP_DialogSaveButton},
      {0, "", QStyle::SP_CustomBase},
      {32871, "Read from Radio", QStyle::SP_ArrowDown},
      {32872, "Send to Radio", QStyle::SP_ArrowUp},
      {0, "", QStyle::SP_CustomBase},
      {32874, "Help Topics", QStyle::SP_MessageBoxQuestion},
  };
  const QList<QAction*> actions = dlg->findChild<QToolBar*>()->actions();
  ASSERT_EQ(actions.size(), static_cast<qsizetype>(std::size(buttons)));
  for (std::size_t i = 0; i < std::size(buttons); ++i) {
    QAction* a = actions[static_cast<qsizetype>(i)];
    const auto& b = buttons[i];
    if (b.command == 0) {
      EXPECT_TRUE(a->isSeparator()) << i;
      continue;
    }
    EXPECT_EQ(a->data().toInt(), b.command) << i;
    EXPECT_EQ(dlg->Action(b.command), a) << i;
    EXPECT_EQ(a->toolTip().toStdString(), b.tip);
    EXPECT_EQ(a->text().toStdString(), b.tip);
    EXPECT_TRUE(a->isEnabled()) << b.tip;
    EXPECT_EQ(a->icon().pixmap(16).toImage(), dlg->style()->standardIcon(b.icon).pixmap(16).toImage()) << b.tip;
  }
}

TEST_F(MainDlgTest, ShiftF9IsTheMemoryEditorsShortcutOnTheWindow) {
  ASSERT_FALSE(Start());
  QAction* romEdit = dlg->Action(kCmdRomEdit);
  ASSERT_NE(romEdit, nullptr);
  EXPECT_EQ(romEdit->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F9));
  EXPECT_EQ(romEdit->shortcutContext(), Qt::WindowShortcut);
  EXPECT_TRUE(dlg->actions().contains(romEdit));
  EXPECT_TRUE(romEdit->text().isEmpty());
}
