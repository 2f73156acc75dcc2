#include "app/CommandTable.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <type_traits>

#include "app/MainDlg.h"
#include "app/PageTable.h"

namespace {

// A member of the main window as a row's handler; members that take an
// argument are handed the command id.
template <auto Member>
void Run(CMainDlg& dlg, int command) {
  if constexpr (std::is_invocable_v<decltype(Member), CMainDlg&, int>)
    (dlg.*Member)(command);
  else
    (dlg.*Member)();
}

constexpr const char* kFiles = "&Files";
constexpr const char* kPrint = "&Files>&Print";
constexpr const char* kPages = "&Menu";
constexpr const char* kRadio = "&Radio";
constexpr const char* kHelp = "&Help";

constexpr auto kPage = Run<&CMainDlg::OnPageCommand>;
constexpr auto kPrintTable = Run<&CMainDlg::OnPrintTable>;

// A row without a handler is greyed.
const CommandRow kMainCommands[] = {
    {.id = kCmdOpenFile, .menu = kFiles, .text = "&Open File", .run = Run<&CMainDlg::OnOpenFile>},
    {.id = kCmdSaveFile, .menu = kFiles, .text = "&Save File", .run = Run<&CMainDlg::OnSaveFile>},
    {.id = kCmdPrintGlobal, .menu = kPrint, .text = "&Global", .run = kPrintTable},
    {.id = kCmdPrintKey, .menu = kPrint, .text = "&Key", .run = Run<&CMainDlg::PrintKeyPageBitmap>},
    {.id = kCmdPrintDtmf, .menu = kPrint, .text = "&DTMF", .run = kPrintTable},
    {.id = kCmdPrintZone, .menu = kPrint, .text = "&Zone", .run = kPrintTable},
    {.id = kCmdPrintRfChannels, .menu = kPrint, .text = "&RF ch", .run = kPrintTable},
    {.id = kCmdPrintFiveToneTable, .menu = kPrint, .text = "&5-Tone Common/System", .enable = CommandEnable::kWithTabRow, .run = kPrintTable},
    {.id = kCmdPrintFiveToneCodes, .menu = kPrint, .text = "5-Tone Encode/Decode", .enable = CommandEnable::kWithTabRow, .run = kPrintTable},
    {.id = kCmdConfigure, .menu = kFiles, .text = "&Configure", .run = Run<&CMainDlg::OnConfigure>},
    {.id = kCmdExit, .menu = kFiles, .text = "&Exit", .run = Run<&CMainDlg::OnExit>},

    {.id = kCmdGlobal1, .menu = kPages, .text = "Global&1", .run = kPage},
    {.id = kCmdGlobal2, .menu = kPages, .text = "Global&2", .run = kPage},
    {.id = kCmdMobileSpecial, .menu = kPages, .text = "&Mobile Special", .enable = CommandEnable::kMobileFamily, .run = kPage},
    {.id = kCmdKeyAssign, .menu = kPages, .text = "&Key Assignment", .run = kPage},
    {.id = kCmdRfChannelList, .menu = kPages, .text = "&RF Ch. List", .run = kPage},
    {.id = kCmdZone, .menu = kPages, .text = "&ZONE", .run = kPage},
    {.id = kCmdDtmfAni, .menu = kPages, .text = "&DTMF ANI", .run = kPage},
    {.id = kCmdFiveTone, .menu = kPages, .text = "&5-Tone", .enable = CommandEnable::kWithTabRow, .run = kPage},

    {.id = kCmdReadFromRadio, .menu = kRadio, .text = "&Read from Radio", .run = Run<&CMainDlg::OnReadFromRadio>},
    {.id = kCmdSendToRadio, .menu = kRadio, .text = "&Send to Radio", .run = Run<&CMainDlg::OnSendToRadio>},
    {.id = kCmdAlignment, .menu = kRadio, .text = "&Alignment", .run = Run<&CMainDlg::OnAlignment>},
    {.id = kCmdAdjustmentRecover, .menu = kRadio, .text = "Adjustment Recover", .run = Run<&CMainDlg::OnAdjustmentRecover>},

    {.id = kCmdHelpTopics, .menu = kHelp, .text = "&Help Topics", .run = Run<&CMainDlg::OnHelpTopics>},
    {.id = kCmdGetStarted, .menu = kHelp, .text = "&Get Started", .separatorBefore = true, .run = Run<&CMainDlg::OnGetStarted>},
    {.id = kCmdAbout, .menu = kHelp, .text = "&About RP58...", .run = Run<&CMainDlg::OnAbout>},

    {.id = kToolbarOpen, .text = "Open File", .icon = QStyle::SP_DialogOpenButton, .run = Run<&CMainDlg::OnOpenFile>},
    {.id = kToolbarSave, .text = "Save File", .icon = QStyle::SP_DialogSaveButton, .run = Run<&CMainDlg::OnSaveFile>},
    {.id = kCmdToolbarRead, .text = "Read from Radio", .icon = QStyle::SP_ArrowDown, .separatorBefore = true, .run = Run<&CMainDlg::OnReadFromRadio>},
    {.id = kCmdToolbarSend, .text = "Send to Radio", .icon = QStyle::SP_ArrowUp, .run = Run<&CMainDlg::OnSendToRadio>},
    {.id = kCmdToolbarHelp, .text = "Help Topics", .icon = QStyle::SP_MessageBoxQuestion, .separatorBefore = true, .run = Run<&CMainDlg::OnHelpTopics>},

    {.id = kCmdRomEdit, .run = Run<&CMainDlg::OnRomEditCommand>},
    // No menu item, button or key carries the converter: RunCommand only.
    {.id = kCmdFileConvert, .run = Run<&CMainDlg::OnFileConvert>},
};

bool IsCommandEnabled(const CommandRow& row, const CommandState& state) {
  if (row.run == nullptr) return false;
  switch (row.enable) {
    case CommandEnable::kAlways: return true;
    case CommandEnable::kWithTabRow: return state.tabRowBuilt;
    case CommandEnable::kMobileFamily: return state.family == kMobile;
  }
  return false;
}

}  // namespace

std::span<const CommandRow> MainCommands() { return kMainCommands; }

QMenu* CCommandSet::Popup(QMenuBar* menuBar, const std::string& path) {
  if (const auto it = m_popups.find(path); it != m_popups.end()) return it->second;
  const auto cut = path.rfind('>');
  QMenu* menu = nullptr;
  if (cut == std::string::npos)
    menu = menuBar->addMenu(QString::fromStdString(path));
  else
    menu = Popup(menuBar, path.substr(0, cut))->addMenu(QString::fromStdString(path.substr(cut + 1)));
  m_popups[path] = menu;
  return menu;
}

void CCommandSet::Build(QMenuBar* menuBar, QToolBar* toolBar, QWidget* window,
                        const std::function<void(int)>& trigger) {
  for (const CommandRow& row : m_rows) {
    QWidget* owner = window;
    if (row.menu != nullptr)
      owner = Popup(menuBar, row.menu);
    else if (row.icon != kNoIcon)
      owner = toolBar;
    if (row.separatorBefore) {
      if (auto* menu = qobject_cast<QMenu*>(owner))
        menu->addSeparator();
      else if (owner == toolBar)
        toolBar->addSeparator();
    }
    auto* action = new QAction(QString::fromLatin1(row.text), owner);
    action->setData(row.id);
    if (owner == toolBar) {
      action->setIcon(window->style()->standardIcon(row.icon));
      action->setToolTip(action->text());
    }
    if (row.shortcut != nullptr) {
      action->setShortcut(QKeySequence(QString::fromLatin1(row.shortcut)));
      action->setShortcutContext(Qt::WindowShortcut);
    }
    const int id = row.id;
    QObject::connect(action, &QAction::triggered, window, [trigger, id] { trigger(id); });
    owner->addAction(action);
    m_actions[row.id] = action;
  }
  UpdateEnabled(CommandState{});
}

void CCommandSet::UpdateEnabled(const CommandState& state) {
  for (const CommandRow& row : m_rows)
    if (QAction* action = Action(row.id)) action->setEnabled(IsCommandEnabled(row, state));
}

QAction* CCommandSet::Action(int id) const {
  const auto it = m_actions.find(id);
  return it == m_actions.end() ? nullptr : it->second;
}

const CommandRow* CCommandSet::Row(int id) const {
  for (const CommandRow& row : m_rows)
    if (row.id == id) return &row;
  return nullptr;
}
