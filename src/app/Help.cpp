#include "app/Help.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <array>

#include "model/FreshStart.h"
#include "model/MessageBox.h"
#include "pages/PageBase.h"
#include "platform/ControlIds.h"
#include "platform/ScreenArea.h"

namespace {

std::string g_helpFolder;
constexpr QSize kHelpSize(640, 520);
constexpr int kNarrowestHelp = 320;  // Back, Home and a readable line
QPointer<CHelpViewer> g_viewer;

// Identifier ranges that share one help context, the context first.
struct TopicRange {
  int first, last, context;
};
constexpr std::array<TopicRange, 14> kTopicRanges = {{
    {10981, 10981, 1099},
    {11001, 11001, 1099},
    {11011, 11011, 1099},
    {11021, 11021, 1099},
    {11031, 11031, 1099},
    {1808, 1826, 1807},
    {1718, 1722, 1717},
    {12971, 12971, 1293},
    {13011, 13011, 1293},
    {13051, 13051, 1293},
    {17151, 17151, 1118},
    {48575, 48575, 1137},
    // The 5-Tone Common/System dialog's controls share its page.
    {15904, 16234, 15904},
    {1608, 1608, 15904},
}};

const char* const kGetStartedPieces[] = {
    "GET STARTED\r\n\r\n",
    "(1)  Welcome to the RP58 programming software for the\r\n",
    "     Orlimar TM-6600 LTR Transceiver.\r\n",
    "     The TM-6600 LTR radio has numerous features and the Option\r\n",
    "     units are available.\r\n",
    "     Please take a few minutes to read all of the\r\n",
    "     Help - Get Started file to gain a basic\r\n",
    "     understanding of these features and options.\r\n\r\n",
    "(2)  Review the software configuration settings under\r\n",
    "     Files - Configure. Select this item as appropriate for\r\n",
    "     your COM port, which connect the programming\r\n",
    "     cable connection.\r\n\r\n",
    "(3)  Before you attempt to write any programming data, it is\r\n",
    "     usually necessary to upload (read) the programming file\r\n",
    "     from the radio. This upload will pre-set necessary\r\n",
    "     configuration items, such as frequency band and optional\r\n",
    "     keypad settings, correctly for this radio, and it will\r\n",
    "     allow the programmer access into the necessary areas\r\n",
    "     of the software to program option-specific items. To\r\n",
    "     upload from the radio:\r\n\r\n",
    "     - Connect the KCB-9 programming cable or KIF-20B/KCT-51B\r\n",
    "       between your 9-pin COM port or USB and the Microphone jack\r\n",
    "       on the TM-6600 LTR.\r\n",
    "     - Open \"Radio\" from the pull-down menus and select\r\n",
    "       \"Read from Radio\".\r\n",
    "     - Follow the instructions given on the screen. When the\r\n",
    "       \"read\" is in progress, the radio's display will read\r\n",
    "       \"PC-PROG\", and the computer screen will display\r\n",
    "       a count-up bar graph during the \"read\" function.\r\n",
    "     - Wait a few seconds until the software completes the\r\n",
    "       upload process.",
};

}  // namespace

int HelpContextOf(int controlId) {
  for (const TopicRange& r : kTopicRanges)
    if (controlId >= r.first && controlId <= r.last) return r.context;
  return controlId;
}

void SetHelpFolder(const std::string& folder) { g_helpFolder = folder; }

namespace {
// The folder beside the program, and no help window: one closed a moment
// ago is gone at once, not when the event loop next deletes it.
void FreshHelp() {
  SetHelpFolder("");
  delete g_viewer.data();
}
const FreshStartReset kFreshStart(&FreshHelp);
}  // namespace

std::string HelpFolder() {
  if (!g_helpFolder.empty()) return g_helpFolder;
  return (QCoreApplication::applicationDirPath() + QStringLiteral("/help")).toStdString();
}

std::string HelpPagePath(int context) {
  const std::string page = context == kHelpTopicsContext ? "index.html" : std::to_string(context) + ".html";
  return HelpFolder() + "/" + page;
}

namespace {
QWidget* MainWindow() { return g_pMainDlg != nullptr ? g_pMainDlg->Window() : nullptr; }

// Whether the window was opened from the help window (a box over it), which
// the help must wait for rather than stand over.
bool OpenedFromHelp(const QWidget* window) {
  for (const QWidget* w = window; w != nullptr; w = w->parentWidget())
    if (w == g_viewer.data()) return true;
  return false;
}

// The window the help stands over: the modal dialog on top (the main window
// itself runs modally), else the main window.
QWidget* HelpOwner() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal != nullptr && !OpenedFromHelp(modal)) return modal;
  return MainWindow();
}

void ShowHelpPath(const std::string& path) {
  if (!QFileInfo(QString::fromStdString(path)).isFile()) {
    ShowMessageBox("Not Exist Html Help File\n\n   File Path [ " + path + " ]");
    return;
  }
  if (g_viewer.isNull()) g_viewer = new CHelpViewer(MainWindow());
  g_viewer->Follow(HelpOwner());
  g_viewer->ShowPage(QString::fromStdString(path));
}
}  // namespace

void ShowHelpContext(int controlId) { ShowHelpPath(HelpPagePath(HelpContextOf(controlId))); }

void ShowHelpFile(const std::string& fileName) { ShowHelpPath(HelpFolder() + "/" + fileName); }

CHelpViewer* CHelpViewer::Instance() { return g_viewer.data(); }

CHelpViewer::CHelpViewer(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("RP58 Help"));
  setWindowFlag(Qt::Window, true);
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  auto* buttons = new QHBoxLayout;
  auto* back = new QPushButton(QStringLiteral("Back"), this);
  back->setObjectName(QStringLiteral("helpBack"));
  auto* home = new QPushButton(QStringLiteral("Home"), this);
  home->setObjectName(QStringLiteral("helpHome"));
  for (QPushButton* b : {back, home}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  buttons->addStretch();
  layout->addLayout(buttons);
  m_browser = new QTextBrowser(this);
  m_browser->setOpenExternalLinks(false);
  layout->addWidget(m_browser);
  back->setEnabled(false);
  connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
  connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
  // Home is the contents page, whichever page the window opened at.
  connect(home, &QPushButton::clicked, this, [] { ShowHelpContext(kHelpTopicsContext); });
  resize(kHelpSize);
}

void CHelpViewer::Follow(QWidget* owner) {
  if (m_owner == owner) return;
  if (m_owner != nullptr) m_owner->removeEventFilter(this);
  m_owner = owner;
  if (owner != nullptr) owner->installEventFilter(this);
  // A modal dialog blocks every window but its own and their transients:
  // as the owner's transient the help answers over it and stays above it.
  create();
  windowHandle()->setTransientParent(owner != nullptr ? owner->window()->windowHandle() : nullptr);
}

bool CHelpViewer::event(QEvent* e) {
  // A modal dialog opened after the help: stand over it instead.
  if (e->type() == QEvent::WindowBlocked) {
    if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && !OpenedFromHelp(modal)) Follow(modal);
  }
  return QDialog::event(e);
}

bool CHelpViewer::eventFilter(QObject* watched, QEvent* e) {
  // The owner closed: back to the window below it.
  if (watched == m_owner && e->type() == QEvent::Hide) Follow(HelpOwner());
  return QDialog::eventFilter(watched, e);
}

void CHelpViewer::ShowPage(const QString& path) {
  m_browser->setSource(QUrl::fromLocalFile(path));
  if (!isVisible()) PlaceBesideOwner();
  show();
  raise();
  activateWindow();
}

void CHelpViewer::PlaceBesideOwner() {
  const QWidget* owner = m_owner;
  if (owner == nullptr) return;
  // Beside the window that asked for help, on the side with more room and
  // narrowed to that room as far as the pages stay readable, so that window
  // stays in sight. Where neither side has room it covers the window's left part: the
  // buttons are on the right.
  const QRect area = AvailableScreenArea(owner);
  const QRect around = owner->frameGeometry();
  const QMargins frame = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
  const QSize frameSize(frame.left() + frame.right(), frame.top() + frame.bottom());
  const int roomLeft = around.left() - area.left() - frameSize.width();
  const int roomRight = area.right() - around.right() - frameSize.width();
  const bool right = roomRight > roomLeft && roomRight >= kNarrowestHelp;
  const int fitted = std::clamp(right ? roomRight : roomLeft, kNarrowestHelp, kHelpSize.width());
  resize(QSize(fitted, kHelpSize.height()).boundedTo(area.size() - frameSize));
  const QSize outer = size() + frameSize;
  const int x = right ? std::min(around.right() + 1, area.right() + 1 - outer.width())
                      : std::max(around.left() - outer.width(), area.left());
  const int y = std::clamp(around.top(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height()));
  move(x, y);
}

QString CHelpViewer::CurrentPage() const { return m_browser->source().toLocalFile(); }

QString GetStartedText() {
  QString text;
  for (const char* piece : kGetStartedPieces) text += QString::fromLatin1(piece);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

CHelpDlg::CHelpDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("HELP"));
  auto* layout = new QHBoxLayout(this);
  auto* edit = new QPlainTextEdit(this);
  SetControlId(edit, 1583);
  edit->setReadOnly(true);
  edit->setPlainText(GetStartedText());
  edit->setMinimumSize(420, 320);
  layout->addWidget(edit);
  auto* buttons = new QVBoxLayout;
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  SetControlId(ok, 1);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  buttons->addWidget(ok);
  buttons->addStretch();
  layout->addLayout(buttons);
}
