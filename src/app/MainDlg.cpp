#include "app/MainDlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>
#include <filesystem>

#include "app/AboutDlg.h"
#include "app/AdjustRecoverDlg.h"
#include "app/ChannelReferences.h"
#include "app/AlignDlg.h"
#include "app/AlignStartDlg.h"
#include "app/CloneDlg.h"
#include "app/ConfigDlg.h"
#include "app/CwdKeeper.h"
#include "app/FileConvertDlg.h"
#include "app/Help.h"
#include "app/PageSet.h"
#include "app/PasswordDlg.h"
#include "app/RomEditDlg.h"
#include "app/RomEditRoute.h"
#include "app/SerialNumber.h"
#include "framework/AnchorTabCtrl.h"
#include "framework/EditControls.h"
#include "model/ConfigFile.h"
#include "model/DataFile.h"
#include "model/FileConvert.h"
#include "model/MessageBox.h"
#include "model/Privilege.h"
#include "model/RadioImage.h"
#include "platform/Beep.h"
#include "platform/ControlIds.h"
#include "platform/FileDialogs.h"
#include "platform/ScreenArea.h"

namespace {

const char* const kOpenProblem = "Problem opening file\n    %s\n\n   Press any key";

std::string WithName(const char* format, const std::string& name) {
  std::string text = format;
  text.replace(text.find("%s"), 2, name);
  return text;
}

// The last three characters, upper-cased: the extension test ignores case.
std::string UpperTail(const std::string& name) {
  std::string tail = name.size() >= 3 ? name.substr(name.size() - 3) : name;
  for (char& c : tail) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return tail;
}

bool HasDotInName(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return path.find('.', slash == std::string::npos ? 0 : slash + 1) != std::string::npos;
}


}  // namespace

QString MainTitle(bool manufacturer, bool service) {
  QString title = QStringLiteral("RP58 for TM-6600 LTR/730A ( ") + QString::fromLatin1(kVersionText) + QStringLiteral(" )");
  if (manufacturer)
    title += QStringLiteral("(M)");
  else if (service)
    title += QStringLiteral("(S)");
  return title;
}

CMainDlg::CMainDlg(std::unique_ptr<IRecordAccess> records, QWidget* parent, std::span<const CommandRow> commands)
    : QDialog(parent), m_records(std::move(records)), m_commands(commands) {
  setWindowTitle(MainTitle(false, false));
  setWindowIcon(style()->standardIcon(QStyle::SP_ComputerIcon));
  setSizeGripEnabled(true);
  setWindowFlag(Qt::WindowMinMaxButtonsHint, true);

  auto* layout = new QVBoxLayout(this);
  auto* menuBar = new QMenuBar(this);
  layout->setMenuBar(menuBar);
  auto* toolBar = new QToolBar(this);
  toolBar->setMovable(false);
  toolBar->setIconSize(QSize(16, 16));
  layout->addWidget(toolBar);
  m_commands.Build(menuBar, toolBar, this, [this](int command) { RunCommand(command); });

  auto* info = new QHBoxLayout;
  m_fileLine = new QLabel(this);
  SetControlId(m_fileLine, kFileLineId);
  m_modelLine = new QLabel(this);
  SetControlId(m_modelLine, kModelLineId);
  info->addWidget(m_fileLine, 2);
  info->addWidget(m_modelLine, 2);
  info->addWidget(new QLabel(QStringLiteral("Serial No."), this));
  m_serialEdit = new CUpperEdit(this);
  SetControlId(m_serialEdit, kSerialEditId);
  m_serialEdit->SetEditLimits(this, kSerialLength);
  for (char c : {' ', '+', '-'}) m_serialEdit->AddRejectedChar(c);
  m_serialEdit->setFixedWidth(m_serialEdit->fontMetrics().horizontalAdvance(QStringLiteral("00000000MM")));
  m_serialEdit->installEventFilter(this);
  info->addWidget(m_serialEdit);
  layout->addLayout(info);

  m_tabCtrl = new CAnchorTabCtrl(this);
  SetControlId(m_tabCtrl, kTabControlId);
  m_tabs = m_tabCtrl->TabBar();
  layout->addWidget(m_tabCtrl, 1);
  m_pages = std::make_unique<CPageSet>();
  connect(m_tabs, &QTabBar::currentChanged, this, [this](int) {
    CloseCurrentPage();
    ShowPage();
  });

  m_modelTimer.setSingleShot(true);
  m_modelTimer.setInterval(kModelTimerMs);
  connect(&m_modelTimer, &QTimer::timeout, this, &CMainDlg::OnModelTimer);

  resize(760, 560);
  g_pMainDlg = this;
  g_pageRomEditRoute = RunPageRomEditCommand;
  SetDataFileView(this);
}

CMainDlg::~CMainDlg() {
  if (GetDataFileView() == this) SetDataFileView(nullptr);
  if (g_pMainDlg == this) g_pMainDlg = nullptr;
  g_pageRomEditRoute = nullptr;
  m_pages.reset();
}

void CMainDlg::RunCommand(int command) {
  const CommandRow* row = m_commands.Row(command);
  if (row != nullptr && row->run != nullptr) row->run(*this, command);
}

void CMainDlg::OnPageCommand(int command) {
  if (const auto position = MenuCommandTabPosition(CurrentFamily(), command)) SelectTab(*position);
}

// --- start-up ---

std::optional<int> CMainDlg::OnInitDialog(const std::vector<std::string>& args, const std::string& startFolder) {
  std::error_code ec;
  m_programDir = std::filesystem::current_path(ec).string();
  g_config.ReadConfig();
  g_portableConfig.ReadConfig();

  const CommandLineResult line = ParseCommandLine(args, *this);
  if (line.usage != kNoUsage) {
    ShowMessageBox(UsageMessage(line.usage));
    return 1;
  }
  if (line.dataFileCount > 0) {
    // A name from the command line means the folder the user started in.
    std::filesystem::path file(line.dataFileName);
    if (file.is_relative() && !startFolder.empty()) file = std::filesystem::path(startFolder) / file;
    g_dataFileName = file.string();
  }

  setWindowTitle(MainTitle(g_manufacturerMode, g_serviceMode));
  // The zone tables start at zone 0; one not made yet starts there anyway.
  for (const PageSlot slot : {PageSlot::kMobileSystem, PageSlot::kPortableSystem})
    if (auto* table = dynamic_cast<CFirstSystemPageBase*>(m_pages->Built(slot))) table->SetFirstSystem(0);
  m_zoneSubPage = ZoneTableTemplate(kMobile);
  g_takePageSize = true;
  m_serialEdit->setEnabled(g_manufacturerMode || g_serviceMode);

  if (!LoadStartupData(m_programDir)) return 1;
  return std::nullopt;
}

void CMainDlg::FitToLargestPage(bool growOnly) {
  // Every page scrolls against the reference page, the first page shown (a
  // Global 1 page), and the others' controls lie within it but where a page
  // made room for its texts (it grows the window as it opens): a page area as
  // large as it shows each page whole. Its template and controls are measured
  // in the desktop's font, so the window follows the font.
  const auto shown = m_pages->FirstWithWindow();
  if (!shown) return;
  // The tab row shows whole too.
  const QSize page = m_pages->Page(*shown).ScrollExtent().expandedTo(QSize(m_tabs->sizeHint().width(), 0));
  layout()->activate();
  const QSize around = size() - m_tabCtrl->DisplayRect().size();
  // A smaller screen keeps the scroll bars.
  const QRect area = AvailableScreenArea(this);
  QSize wanted = page + around;
  if (growOnly) wanted = wanted.expandedTo(size());
  resize(wanted.boundedTo(area.size()));
  m_sizedFamily = CurrentFamily();
  if (!growOnly) return;
  // Grown where it stands: what left the screen comes back onto it.
  QPoint place = pos();
  place.setX(std::max(area.left(), std::min(place.x(), area.right() + 1 - frameGeometry().width())));
  place.setY(std::max(area.top(), std::min(place.y(), area.bottom() + 1 - frameGeometry().height())));
  if (place != pos()) move(place);
}

void CMainDlg::SetComPortIndex(int index) { g_config.SetComPortIndex(static_cast<std::int16_t>(index)); }
void CMainDlg::SetLptPortIndex(int index) { g_config.SetLptPortIndex(static_cast<std::int16_t>(index)); }
bool CMainDlg::CheckManufacturerPassword() { return ::CheckManufacturerPassword() == 0; }
bool CMainDlg::CheckServicePassword() { return ::CheckServicePassword() == 0; }
void CMainDlg::SetManufacturerMode(bool on) { g_manufacturerMode = on; }
void CMainDlg::SetServiceMode(bool on) { g_serviceMode = on; }

// --- tabs and pages ---

int CMainDlg::CurrentTab() const { return m_tabs->currentIndex(); }
QTabBar* CMainDlg::TabBar() const { return m_tabs; }
QLineEdit* CMainDlg::SerialEdit() const { return m_serialEdit; }

void CMainDlg::showEvent(QShowEvent* e) {
  if (!e->spontaneous()) {
    RebuildTabs();
    // Sized from the first page, before the dialog centres itself on the screen.
    if (!m_sizedToPages) FitToLargestPage();
    m_sizedToPages = true;
  }
  QDialog::showEvent(e);
}

void CMainDlg::RebuildTabs() {
  // The image may have been replaced: an open editor shows it again.
  if (m_romEdit != nullptr) m_romEdit->ShowBlock();
  const QSignalBlocker block(m_tabs);
  if (m_tabs->count() > 0) {
    CloseCurrentPage();
    while (m_tabs->count() > 0) m_tabs->removeTab(0);
  }
  const Family family = CurrentFamily();
  // New data (a load, a read, a model change): a zone's sub-page kept from
  // before would open on a zone whose kind or use may have changed, so the
  // Zone tab starts again at the zone table.
  m_zoneSubPage = ZoneTableTemplate(family);
  for (const TabEntry& tab : TabRow(family)) m_tabs->addTab(QString::fromLatin1(tab.caption));
  m_commands.UpdateEnabled({.tabRowBuilt = true, .family = family});
  m_tabs->setCurrentIndex(0);
  // Always the current family's Global 1 page: its edits must reach the
  // current family's records.
  g_portableModelChange = false;
  CloseCurrentPage();
  // A window not shown yet gets its page when it is shown: building it now
  // would only build it twice.
  if (!isVisible()) return;
  CreatePageWindow(Global1Slot(family));
  // The other family's pages may be larger: the window grows to show them
  // whole as it did for the first family, and never shrinks under the user.
  if (m_sizedToPages && family != m_sizedFamily) FitToLargestPage(true);
}

void CMainDlg::CloseCurrentPage() {
  // At most one page window exists; closing all of them also finds a Global 1
  // page of the family that was current before a load.
  while (const auto slot = m_pages->FirstWithWindow()) DestroyPageWindow(*slot);
}

void CMainDlg::DestroyPageWindow(PageSlot slot) {
  if (!m_pages->HasWindow(slot)) return;
  CScrollablePage& page = m_pages->Page(slot);
  g_pageRect = page.geometry();  // the next page takes the same place
  page.DestroyWindow();
}

void CMainDlg::ShowPage() {
  const auto slot = PageForTab(CurrentFamily(), m_tabs->currentIndex(), m_zoneSubPage);
  if (slot) CreatePageWindow(*slot);
}

bool CMainDlg::CreatePageWindow(PageSlot slot) {
  CScrollablePage& page = m_pages->Page(slot);
  if (g_pageRect.isNull()) g_pageRect = m_tabCtrl->DisplayRect();
  if (!page.Create(m_tabCtrl)) {
    MessageBeep();
    ShowMessageBox("Not enough memory !");
    return false;
  }
  page.setGeometry(g_pageRect);
  page.show();
  // A page may have grown past the first one to show its texts and edits
  // whole: the window grows with it where the screen has room.
  if (m_sizedToPages) FitToLargestPage(true);
  return true;
}

void CMainDlg::SelectTab(int position) {
  CloseCurrentPage();
  {
    const QSignalBlocker block(m_tabs);
    if (position >= 0 && position < m_tabs->count()) m_tabs->setCurrentIndex(position);
  }
  ShowPage();
}

bool CMainDlg::PreviewKey(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_F1) return true;
  // A page that has the focus took Shift+F9 already (each page class asks its
  // own configuration); here it is the window's own.
  if (key == Qt::Key_F9 && (event->modifiers() & Qt::ShiftModifier)) {
    OnRomEditCommand();
    return true;
  }
  if (key >= Qt::Key_F2 && key <= Qt::Key_F7 && event->modifiers() == Qt::NoModifier) {
    if (const auto position = FunctionKeyTabPosition(key - Qt::Key_F1 + 1)) SelectTab(*position);
  }
  return false;
}

// --- user messages ---

void CMainDlg::customEvent(QEvent* e) {
  if (!DeliverUserMessage(e)) QDialog::customEvent(e);
}

LParam CMainDlg::OnUserMessage(unsigned msg, WParam wParam, LParam lParam) {
  if (ZoneRouteOf(msg)) {
    OpenZoneSubPage(msg, wParam, lParam);
  } else if (msg == UM_TEXT_EDITED) {
    OnHardwareTextEdited(wParam);
  } else if (msg == UM_CHANNEL_DELETED) {
    OnChannelDeleted(wParam);
  } else if (msg == UM_MODEL_CHANGED) {
    OnModelChanged(lParam);
  }
  return 0;
}

void CMainDlg::OpenZoneSubPage(unsigned msg, WParam wParam, LParam lParam) {
  const ZoneRoute route = *ZoneRouteOf(msg);
  const PageSlot slot = ZoneSubPageSlot(CurrentFamily(), route.opens);
  CloseCurrentPage();
  if (const auto zone = ZoneHandedOver(route, wParam, lParam)) m_pages->HandZone(slot, route.handOver, *zone);
  m_zoneSubPage = PageTemplate(slot);
  CreatePageWindow(slot);
}

void CMainDlg::OnChannelDeleted(WParam channel) {
  const auto index = static_cast<std::uint16_t>(channel);
  m_records->ForEachChannelReference([index](std::uint16_t& word) { ClearChannelReference(word, index); });
}

void CMainDlg::OnModelChanged(LParam model) {
  if (model >= 0 && model < static_cast<LParam>(kModelNames.size()))
    m_modelLine->setText(QString::fromLatin1(kModelNames[static_cast<std::size_t>(model)]));
  m_tabs->setEnabled(false);
  m_modelTimer.start();
}

void CMainDlg::OnModelTimer() {
  m_modelTimer.stop();
  m_tabs->setEnabled(true);
  DestroyPageWindow(PageSlot::kMobileGlobal1);
  DestroyPageWindow(PageSlot::kPortableGlobal1);
  CreatePageWindow(Global1Slot(CurrentFamily()));
}

void CMainDlg::AfterRadioRead() {
  CloseCurrentPage();
  ShowPage();
  SetFileLine("");
  SetSerialText(m_records->SerialText());
  if (m_pages->HasWindow(Global1Slot(CurrentFamily()))) UpdateModelLine();
  RebuildTabs();
  m_tabs->setEnabled(false);
  m_modelTimer.start();
}

void CMainDlg::OnSendToRadio() { SendToRadio(false); }

void CMainDlg::SendToRadio(bool romEditor) {
  CCloneDlg clone(this);
  // Before the direction: the dialog offers "only one block" in editor mode.
  // Both configurations: the send reads the mode of the image's family.
  g_config.SetRomEditorMode(romEditor);
  g_portableConfig.SetRomEditorMode(romEditor);
  clone.SetDirection(kCloneSend);
  clone.exec();
  // The send may have taken the radio's serial number and identity.
  SetSerialText(m_records->SerialText());
  UpdateModelLine();
}

void CMainDlg::OnHardwareTextEdited(WParam control) {
  if (control != kSerialEditId) return;
  const SerialEditResult r = ApplySerialEdit(m_serialEdit->text().toStdString(), m_records->SerialText());
  m_records->SetSerialText(r.stored);
  if (!r.textValid) {
    const QSignalBlocker block(m_serialEdit);
    m_serialEdit->setText(QString::fromStdString(r.restoredText));
  }
  if (r.clearRecoverSerial) m_records->ClearRecoverSerial();
  g_dataModified = true;
}

bool CMainDlg::eventFilter(QObject* watched, QEvent* event) {
  // Focusing the serial edit selects its whole text.
  if (watched == m_serialEdit && event->type() == QEvent::FocusIn)
    QTimer::singleShot(0, m_serialEdit, &QLineEdit::selectAll);
  return QDialog::eventFilter(watched, event);
}

// --- the information lines ---

void CMainDlg::SetFileLine(const std::string& text) { m_fileLine->setText(QString::fromStdString(text)); }

void CMainDlg::SetSerialText(const std::string& text) {
  m_records->SetSerialText(text);
  const QSignalBlocker block(m_serialEdit);
  m_serialEdit->setText(QString::fromStdString(text));
}

void CMainDlg::UpdateModelLine() {
  const int model = m_pages->Global1(CurrentFamily()).ModelIndex();
  if (model >= 0 && model < static_cast<int>(kModelNames.size()))
    m_modelLine->setText(QString::fromLatin1(kModelNames[static_cast<std::size_t>(model)]));
}

QString CMainDlg::FileLine() const { return m_fileLine->text(); }
QString CMainDlg::ModelLine() const { return m_modelLine->text(); }
std::string CMainDlg::FileLineText() const { return m_fileLine->text().toStdString(); }

// --- file commands ---

int CMainDlg::ConfirmSaveChanges(AfterNo afterNo) {
  // An edit that stores its text when it is left (the LED times) may still
  // hold what the user typed: leave it first, so the question knows of it.
  const QPointer<QWidget> focus = QApplication::focusWidget();
  if (focus != nullptr && isAncestorOf(focus)) focus->clearFocus();
  const int answer = ::ConfirmSaveChanges(*this, afterNo);
  if (focus != nullptr && focus->isVisible() && QApplication::focusWidget() == nullptr) focus->setFocus();
  return answer;
}

void CMainDlg::OnOpenFile() {
  if (ConfirmSaveChanges(AfterNo::kReplace) == 0) return;
  MessageBeep();
  const CwdKeeper cwd;
  FileDialogRequest request;
  request.title = "Select file";
  request.folder = "Data";
  request.filters = {{"RP58 Files (*.K58)", "*.K58"}, {"RP58 handheld Files (*.P58)", "*.P58"}};
  request.mustExist = true;
  std::string name;
  if (!ShowOpenFileDialog(request, name)) return;
  const std::string ext = UpperTail(name);
  if (ext != "K58" && ext != "P58") {
    ShowMessageBox(WithName(kOpenProblem, name));
    return;
  }
  LoadFile(name);
}

bool CMainDlg::LoadFile(const std::string& name) {
  SelectTab(0);
  MessageBeep();
  std::string shortfall;
  const int loaded =
      g_dataFile.LoadDataFile(name, m_programDir.empty() ? CwdKeeper().Path() : m_programDir, "", &shortfall);
  RefreshPage();
  UpdateModelLine();
  // A short file is told of over the data it loaded.
  if (!shortfall.empty()) ShowMessageBox(shortfall, kMsgOk | kMsgIconWarning);
  return loaded != 0;
}

void CMainDlg::RefreshPage() {
  CloseCurrentPage();
  ShowPage();
}

bool CMainDlg::OnSaveFile() {
  MessageBeep();
  const CwdKeeper cwd;
  const bool portable = CurrentFamily() == kPortable;
  const char* pattern = portable ? "*.P58" : "*.K58";
  FileDialogRequest request;
  request.title = "Select save file";
  request.folder = "Data";
  request.filters = {{pattern, pattern}};
  request.mustExist = false;  // a new file may be named
  std::string name;
  if (!ShowSaveFileDialog(request, name)) return false;
  MessageBeep();
  bool appended = false;
  if (!HasDotInName(name)) {
    name += portable ? ".P58" : ".K58";
    appended = true;
  }
  if (UpperTail(name) != (portable ? "P58" : "K58")) {
    ShowMessageBox(WithName(kOpenProblem, name));
    return false;
  }
  // The save dialog asked about the name it returned; a name completed here
  // may still hit an existing file.
  std::error_code ec;
  if (appended && std::filesystem::exists(name, ec)) {
    const std::string question = name + " already exists.\nDo you want to replace it?";
    if (ShowMessageBox(question, static_cast<unsigned>(kMsgYesNo) | kMsgIconWarning) != kIdYes) return false;
  }
  return g_dataFile.SaveDataFile(name);
}

void CMainDlg::OnExit() {
  if (ConfirmSaveChanges() != 1) return;
  MessageBeep();
  Finish();
}

void CMainDlg::Finish() {
  m_closing = true;
  QDialog::reject();
}

void CMainDlg::reject() {
  if (m_closing || ConfirmSaveChanges() == 1) Finish();
}

void CMainDlg::closeEvent(QCloseEvent* e) {
  if (m_closing || ConfirmSaveChanges() == 1) {
    m_closing = true;
    QDialog::closeEvent(e);
    return;
  }
  e->ignore();
}

void CMainDlg::OnConfigure() {
  CConfigDlg dlg;
  dlg.exec();
}

void CMainDlg::OnHelpTopics() { ShowHelpContext(kHelpTopicsContext); }
void CMainDlg::ShowHelpPage(const std::string& fileName) { ShowHelpFile(fileName); }

void CMainDlg::OnGetStarted() {
  CHelpDlg dlg;
  dlg.exec();
}

void CMainDlg::OnAbout() {
  CAboutDlg dlg(this);
  dlg.exec();
}

void CMainDlg::OnRomEditCommand() { AskRomEditor(g_config, this); }

void CMainDlg::ShowHelp(int controlId) {
  ShowHelpContext(controlId == 9 || controlId <= 0 ? kHelpTopicsContext : controlId);
}

void CMainDlg::OnRomEdit() {
  if (m_romEdit != nullptr && m_romEdit->isVisible()) return;
  if (m_romEdit != nullptr) m_romEdit->deleteLater();
  m_romEdit = new CRomEditDlg(*this);
  m_romEdit->show();
}

void CMainDlg::OnFileConvert() {
  if (ConfirmSaveChanges(AfterNo::kReplace) == 0) return;
  const std::optional<std::string> source = AskConvertSource();
  if (!source) return;
  CFileConvertDlg dialog(*source, ConvertSourceFamily(*source), this);
  if (dialog.exec() != QDialog::Accepted) return;
  // The working data changes only through the load of the written file.
  const std::string output = ConvertDataFile(*source, m_programDir.empty() ? CwdKeeper().Path() : m_programDir);
  if (!output.empty()) LoadFile(output);
}

void CMainDlg::OnAdjustmentRecover() {
  if (ConfirmSaveChanges(AfterNo::kReplace) == 0) return;
  // The repair may load the radio's default or saved file as the data.
  CAdjustRecoverDlg dialog([this](const std::string& path) { return LoadFile(path); }, this);
  dialog.exec();
  // A recovery that wrote the saved file with a new serial leaves the
  // program's data as the radio's, as a read does.
  if (dialog.SentTheData()) {
    SetFileLine("");
    RefreshPage();
  }
  SetSerialText(m_records->SerialText());
  UpdateModelLine();
}

void CMainDlg::OnAlignment() {
  // The start dialog owns the port; it closes it after the window.
  CAlignStartDlg start(CurrentFamily(), this);
  start.exec();
  if (!start.Continue()) return;
  CAlignDlg window(start.Link(), start.Data(), this);
  window.exec();
}

void CMainDlg::OnReadFromRadio() { ReadFromRadio(false); }

bool CMainDlg::ReadFromRadio(bool romEditor) {
  if (ConfirmSaveChanges(AfterNo::kReplace) == 0) return false;
  CCloneDlg clone(this);
  g_cloneOk = false;
  // Global 1 stays on screen while the radio is read.
  SelectTab(0);
  g_isPortableSaved = g_isPortable;
  clone.SetDirection(kCloneRead);
  g_config.SetRomEditorMode(romEditor);
  g_portableConfig.SetRomEditorMode(romEditor);
  clone.exec();
  if (!g_cloneOk) {
    g_isPortable = g_isPortableSaved;
    return false;
  }
  AfterRadioRead();
  return true;
}
