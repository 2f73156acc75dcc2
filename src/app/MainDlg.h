#pragma once
// The one window of the program: menu, toolbar, the file, model and serial
// lines, and the tab control whose pages follow the current radio family.
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/CommandLine.h"
#include "app/CommandTable.h"
#include "app/PageTable.h"
#include "app/RecordAccess.h"
#include "app/RomEditDlg.h"
#include "app/SaveQuestion.h"
#include "model/ScreenData.h"
#include "pages/PageBase.h"
#include "platform/KeyPreview.h"
#include "platform/UserMessages.h"

class CPageSet;
class QAction;
class QLabel;
class QLineEdit;
class QTabBar;
class CAnchorTabCtrl;
class CUpperEdit;

inline constexpr int kModelTimerId = 2;
inline constexpr int kModelTimerMs = 500;

// Controls of template 102.
enum MainControl : int {
  kTabControlId = 1024,
  kSerialEditId = 1044,
  kFileLineId = 1519,
  kModelLineId = 1520,
};

class CMainDlg : public QDialog,
                 public IMainDialog,
                 public IDataFileView,
                 public ISaveTarget,
                 public KeyPreview,
                 public UserMessageTarget,
                 private ICommandLineTarget {
  Q_OBJECT
public:
  // The commands come from a table that must outlive the window.
  explicit CMainDlg(std::unique_ptr<IRecordAccess> records = MakeRecordAccess(), QWidget* parent = nullptr,
                    std::span<const CommandRow> commands = MainCommands());
  ~CMainDlg() override;

  // Start-up in its order: configuration files, command line, title, zone
  // tables, serial edit, data load. Returns an exit code when the program
  // must end (1 after the usage box, 1 when no image could be had).
  std::optional<int> OnInitDialog(const std::vector<std::string>& args, const std::string& startFolder);

  // Tabs and pages.
  void RebuildTabs() override;
  void CloseCurrentPage();
  void ShowPage();
  int CurrentTab() const;
  void SelectTab(int position);  // as the Menu items do: close, select, show
  int ZoneSubPage() const { return m_zoneSubPage; }
  CPageSet& Pages() { return *m_pages; }
  QTabBar* TabBar() const;

  // Commands: the handlers of the command table's rows.
  void RunCommand(int command);
  QAction* Action(int command) const { return m_commands.Action(command); }
  void OnOpenFile();
  bool OnSaveFile();
  void OnExit();
  void OnConfigure();
  void OnHelpTopics();
  void OnGetStarted();
  void OnAbout();
  void OnRomEditCommand();
  void OnReadFromRadio();
  void OnSendToRadio();
  // The clone dialog with the memory editor's mode set (romEditor) or cleared
  // on both families' configurations. A read asks the save question first;
  // true when it replaced the image.
  bool ReadFromRadio(bool romEditor);
  void SendToRadio(bool romEditor);
  // Loads a data file as Open does, after the question was asked; true
  // when it was loaded.
  bool LoadFile(const std::string& name);
  // The shown page again, from the records.
  void RefreshPage();
  // The alignment start, then the alignment window of the radio's family.
  void OnAlignment();
  // File Convert: the save question, the source file, the File Convert
  // dialog; a converted file is written beside the source and loaded.
  void OnFileConvert();
  // Adjustment Recover: the save question, then the recovery dialog.
  void OnAdjustmentRecover();
  void OnPageCommand(int command);  // the "&Menu" items
  // The "&Print" menu: a table print of the current family, or the picture
  // of the Key Assignment page (switching to its tab and back).
  void OnPrintTable(int command);
  void PrintKeyPageBitmap();

  // IMainDialog: for callers that drop the data after a No.
  int ConfirmSaveChanges() override { return ConfirmSaveChanges(AfterNo::kDrop); }
  int ConfirmSaveChanges(AfterNo afterNo);
  // Opens the memory editor unless it is open and visible.
  void OnRomEdit() override;
  CRomEditDlg* RomEditor() const { return m_romEdit; }
  QWidget* Window() override { return this; }
  void ShowHelp(int controlId) override;
  void ShowHelpPage(const std::string& fileName) override;

  // User messages 0x40A-0x413 and 0x416-0x418.
  LParam OnUserMessage(unsigned msg, WParam wParam, LParam lParam) override;
  void OnModelTimer();  // timer 2
  // After a successful Read from Radio, which may have switched the family:
  // the new family's Global 1 page and tab row, the zone table as the Zone
  // tab's page, no file line, the read serial and model; tabs disabled until
  // timer 2 re-creates Global 1.
  void AfterRadioRead();
  const QTimer& ModelTimer() const { return m_modelTimer; }

  // IDataFileView
  void SetFileLine(const std::string& text) override;
  void SetSerialText(const std::string& text) override;
  void UpdateModelLine() override;

  QString FileLine() const;
  QString ModelLine() const;
  QLineEdit* SerialEdit() const;

  bool PreviewKey(QKeyEvent* event) override;

protected:
  void customEvent(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void reject() override;

private:
  // ISaveTarget
  bool SaveFile() override { return OnSaveFile(); }
  std::string FileLineText() const override;
  // ICommandLineTarget
  void SetComPortIndex(int index) override;
  void SetLptPortIndex(int index) override;
  bool CheckManufacturerPassword() override;
  bool CheckServicePassword() override;
  void SetManufacturerMode(bool on) override;
  void SetServiceMode(bool on) override;

  // Sizes the window to show the largest page whole, within the screen.
  void FitToLargestPage(bool growOnly = false);
  void OpenZoneSubPage(unsigned msg, WParam wParam, LParam lParam);
  void OnChannelDeleted(WParam channel);
  void OnModelChanged(LParam model);
  void OnHardwareTextEdited(WParam control);
  void ShowGlobal1OfCurrentFamily();
  bool CreatePageWindow(PageSlot slot);
  void DestroyPageWindow(PageSlot slot);
  Family CurrentFamily() const { return g_isPortable ? kPortable : kMobile; }
  void Finish();

  std::unique_ptr<IRecordAccess> m_records;
  std::unique_ptr<CPageSet> m_pages;
  CCommandSet m_commands;
  CAnchorTabCtrl* m_tabCtrl = nullptr;
  QTabBar* m_tabs = nullptr;
  QLabel* m_fileLine = nullptr;
  QLabel* m_modelLine = nullptr;
  CUpperEdit* m_serialEdit = nullptr;
  bool m_sizedToPages = false;  // the window took its size from the first page
  Family m_sizedFamily = kMobile;  // the family whose first page gave it
  QTimer m_modelTimer;
  int m_zoneSubPage = 163;
  bool m_closing = false;
  std::string m_programDir;
  QPointer<CRomEditDlg> m_romEdit;  // null once the editor has gone
};

// The title: "RP58 for TM-6600 LTR/730A ( Version 3.01 )" with "(M)" or "(S)".
QString MainTitle(bool manufacturer, bool service);
