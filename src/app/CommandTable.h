#pragma once
// The main window's commands as data. Each row is one menu item, toolbar
// button or window shortcut: where it sits, its text, when it can be chosen
// and what it runs. The menu bar, the toolbar and the dispatch are all built
// from the rows, so a new command is one new row.
#include <QStyle>
#include <functional>
#include <map>
#include <span>
#include <string>

#include "model/RadioImage.h"

class CMainDlg;
class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

// Commands of menu 131, toolbar 128 and accelerator table 138 (the page
// commands of the "&Menu" popup are in app/PageTable.h).
enum MainCommand : int {
  kCmdReadFromRadio = 32771,
  kCmdSendToRadio = 32773,
  kCmdRomEdit = 32774,
  kCmdOpenFile = 32775,
  kCmdSaveFile = 32776,
  kCmdExit = 32779,
  kCmdHelpTopics = 32791,
  kCmdGetStarted = 32793,
  kCmdAbout = 32794,
  kCmdPrintGlobal = 32800,
  kCmdPrintZone = 32801,
  kCmdAdjustmentRecover = 32818,
  kCmdConfigure = 32819,
  kCmdFileConvert = 32821,
  kCmdPrintRfChannels = 32862,
  kCmdPrintKey = 32863,
  kCmdPrintDtmf = 32864,
  kCmdAlignment = 32866,
  kCmdToolbarRead = 32871,
  kCmdToolbarSend = 32872,
  kCmdToolbarHelp = 32874,
  kCmdPrintFiveToneTable = 32875,
  kCmdPrintFiveToneCodes = 32876,
  kToolbarOpen = 57601,
  kToolbarSave = 57603,
};

// Runs a command on the main window; it is handed its own id.
using CommandHandler = void (*)(CMainDlg& dlg, int command);

// When a row can be chosen (a row that runs nothing yet is always greyed).
enum class CommandEnable {
  kAlways,
  kWithTabRow,    // greyed until the first tab row is built
  kMobileFamily,  // while the mobile family is loaded
};

struct CommandState {
  bool tabRowBuilt = false;
  Family family = kMobile;
};

inline constexpr QStyle::StandardPixmap kNoIcon = QStyle::SP_CustomBase;

// Where a row sits: a menu path ("&Files>&Print" is the "&Print" popup of
// "&Files"), else a toolbar button when it has an icon, else an action of the
// window (with its shortcut, if any; Shift+F9 is not one: the pages route it).
struct CommandRow {
  int id = 0;
  const char* menu = nullptr;
  const char* text = "";  // a button's text and tip
  QStyle::StandardPixmap icon = kNoIcon;
  const char* shortcut = nullptr;  // a key of the whole window, "Ctrl+F12"
  bool separatorBefore = false;
  CommandEnable enable = CommandEnable::kAlways;
  CommandHandler run = nullptr;
};

// The main window's rows, menu items in menu order, then the toolbar's
// buttons in order, then the shortcuts.
std::span<const CommandRow> MainCommands();

// The actions built from a table, each carrying its command id as its data.
class CCommandSet {
public:
  explicit CCommandSet(std::span<const CommandRow> rows) : m_rows(rows) {}

  // Every row into the bar, the toolbar or the window's own actions; a chosen
  // action calls trigger with its id.
  void Build(QMenuBar* menuBar, QToolBar* toolBar, QWidget* window, const std::function<void(int)>& trigger);
  void UpdateEnabled(const CommandState& state);

  QAction* Action(int id) const;
  const CommandRow* Row(int id) const;

private:
  QMenu* Popup(QMenuBar* menuBar, const std::string& path);

  std::span<const CommandRow> m_rows;
  std::map<int, QAction*> m_actions;
  std::map<std::string, QMenu*> m_popups;
};
