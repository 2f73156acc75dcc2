#include <QAction>
#include <QComboBox>
#include <QTest>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <map>
#include <utility>

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

// Each menu item's popup path, "&Files>&Print", by command id.
void MenuPaths(const QList<QAction*>& actions, const std::string& path, std::map<int, std::string>& out) {
  for (QAction* a : actions) {
    if (a->menu() != nullptr)
      MenuPaths(a->menu()->actions(), (path.empty() ? "" : path + ">") + a->text().toStdString(), out);
    else if (!a->isSeparator())
      out[a->data().toInt()] = path;
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
    "    &Global 32800",
    "    &Key 32863",
    "    &DTMF 32864",
    "    &Zone 32801",
    "    &RF ch 32862",
    "    &5-Tone Common/System 32875",
    "    5-Tone Encode/Decode 32876",
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
    "  &Alignment 32866",
    "  Adjustment Recover 32818",
    "&Help",
    "  &Help Topics 32791",
    "  ---",
    "  &Get Started 32793",
    "  &About RP58... 32794",
};

}  // namespace

TEST_F(MainDlgTest, MenuHoldsItsItemsInOrderWithTheirEnableStates) {
  {
    // Before the first tab row: "&5-Tone" and its prints are greyed.
    CMainDlg fresh;
    std::vector<std::string> expected = kMobileMenu;
    for (std::string& line : expected)
      if (line == "  &5-Tone 32867" || line == "    &5-Tone Common/System 32875" || line == "    5-Tone Encode/Decode 32876")
        line += " grey";
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

// Shift+F9 is no shortcut of the window: the page with the focus asks its
// own configuration, the window's own handler asks the mobile one.
TEST_F(MainDlgTest, ShiftF9GoesToThePageWithTheFocusElseToTheWindow) {
  WriteWholeFile("MB925.CFG", {0, 0, 0, 0, 0x7F, 0, 0x00, 0x80, 0x03, 0x00});  // the mobile factory file only
  WriteDataFile(dir.File("p.P58"), kPortable);
  ASSERT_FALSE(Start({"p.P58"}));
  QAction* romEdit = dlg->Action(kCmdRomEdit);
  ASSERT_NE(romEdit, nullptr);
  EXPECT_TRUE(romEdit->shortcut().isEmpty());
  EXPECT_TRUE(dlg->actions().contains(romEdit));

  auto* combo = dlg->Pages().Page(PageSlot::kPortableGlobal1).Body()->findChild<QComboBox*>();
  ASSERT_NE(combo, nullptr);
  msgs.clear();
  QTest::keyClick(combo, Qt::Key_F9, Qt::ShiftModifier);
  EXPECT_EQ(msgs.texts(), std::vector<std::string>{"ROM Editor can't be carried out\n"});
  EXPECT_EQ(dlg->findChild<CRomEditDlg*>(), nullptr);

  msgs.clear();
  QTest::keyClick(dlg->SerialEdit(), Qt::Key_F9, Qt::ShiftModifier);
  EXPECT_TRUE(msgs.texts().empty());
  EXPECT_NE(dlg->findChild<CRomEditDlg*>(), nullptr);
}

TEST_F(MainDlgTest, EveryRowOfTheCommandTableSitsWhereItsRowSays) {
  ASSERT_FALSE(Start());
  std::map<int, std::string> paths;
  MenuPaths(dlg->findChild<QMenuBar*>()->actions(), "", paths);
  const QList<QAction*> buttons = dlg->findChild<QToolBar*>()->actions();
  for (const CommandRow& row : MainCommands()) {
    QAction* a = dlg->Action(row.id);
    ASSERT_NE(a, nullptr) << row.id;
    EXPECT_EQ(a->data().toInt(), row.id);
    EXPECT_EQ(a->text().toStdString(), row.text) << row.id;
    if (row.menu != nullptr) {
      EXPECT_EQ(paths[row.id], row.menu) << row.text;
    } else if (row.icon != kNoIcon) {
      EXPECT_TRUE(buttons.contains(a)) << row.text;
    } else {
      EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromLatin1(row.shortcut))) << row.id;
      EXPECT_TRUE(dlg->actions().contains(a)) << row.id;
    }
  }
  // Nothing on the menu or the toolbar that has no row.
  std::size_t shown = paths.size();
  for (QAction* a : buttons) shown += a->isSeparator() ? 0 : 1;
  std::size_t rows = 0;
  for (const CommandRow& row : MainCommands()) rows += row.menu != nullptr || row.icon != kNoIcon ? 1 : 0;
  EXPECT_EQ(shown, rows);
}

namespace {

std::vector<std::pair<CMainDlg*, int>> g_ran;
void Record(CMainDlg& dlg, int command) { g_ran.emplace_back(&dlg, command); }

// Rows as a new command would be added: into a popup, a new submenu, a new
// popup, the toolbar and the window's keys.
const CommandRow kTestRows[] = {
    {.id = 40001, .menu = "&Files", .text = "&Convert File", .run = Record},
    {.id = 40002, .menu = "&Files>&Print", .text = "&Alignment data", .separatorBefore = true, .run = Record},
    {.id = 40003, .menu = "&Tools", .text = "&Memory Editor", .enable = CommandEnable::kWithTabRow, .run = Record},
    {.id = 40004, .menu = "&Tools", .text = "Not yet"},
    {.id = 40005, .text = "Convert", .icon = QStyle::SP_FileIcon, .separatorBefore = true, .run = Record},
    {.id = 40006, .shortcut = "Ctrl+F12", .run = Record},
};

}  // namespace

TEST_F(MainDlgTest, ARowOfATableBecomesItsMenuItemButtonOrKeyAndRunsItsHandler) {
  g_ran.clear();
  CMainDlg window(MakeRecordAccess(), nullptr, kTestRows);
  const std::vector<std::string> menu = {
      "&Files", "  &Convert File 40001", "  &Print",   "    ---", "    &Alignment data 40002",
      "&Tools", "  &Memory Editor 40003 grey", "  Not yet 40004 grey",
  };
  EXPECT_EQ(MenuLines(&window), menu);
  const QList<QAction*> buttons = window.findChild<QToolBar*>()->actions();
  ASSERT_EQ(buttons.size(), 2);
  EXPECT_TRUE(buttons[0]->isSeparator());
  EXPECT_EQ(buttons[1], window.Action(40005));
  EXPECT_EQ(buttons[1]->toolTip(), "Convert");
  EXPECT_EQ(buttons[1]->icon().pixmap(16).toImage(),
            window.style()->standardIcon(QStyle::SP_FileIcon).pixmap(16).toImage());
  EXPECT_EQ(window.Action(40006)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F12));
  EXPECT_TRUE(window.actions().contains(window.Action(40006)));

  for (const int id : {40001, 40002, 40005, 40006}) window.Action(id)->trigger();
  window.RunCommand(40003);
  window.RunCommand(40004);  // no handler
  window.RunCommand(32775);  // not in this table
  const std::vector<std::pair<CMainDlg*, int>> expected = {
      {&window, 40001}, {&window, 40002}, {&window, 40005}, {&window, 40006}, {&window, 40003}};
  EXPECT_EQ(g_ran, expected);
  g_ran.clear();
}
