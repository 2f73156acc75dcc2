#include "app/AlignStartDlg.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AlignDlg.h"
#include "app/AlignTexts.h"
#include "app/CloneDlg.h"
#include "app/DialogButtons.h"
#include "app/LinkThread.h"
#include "app/PasswordDlg.h"
#include "model/ConfigFile.h"
#include "model/Privilege.h"
#include "platform/Beep.h"
#include "platform/ControlIds.h"
#include "platform/serial/PosixSerialPort.h"

CAlignPresetDlg::CAlignPresetDlg(Family family, std::uint8_t familyCode, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("RP58"));
  auto* layout = new QVBoxLayout(this);
  QLabel* prompt = AddControlLabel(this, layout, kAlignTitleId, AlignShownText(AlignPresetPrompt(family, familyCode)));
  QFont fixed = prompt->font();
  fixed.setStyleHint(QFont::TypeWriter);
  fixed.setFamily(QStringLiteral("monospace"));
  prompt->setFont(fixed);
  for (const int id : {kAlignStatus1Id, kAlignStatus2Id, kAlignStatus3Id}) AddControlLabel(this, layout, id);
  auto* buttons = new QHBoxLayout;
  QPushButton* start = AddControlButton(this, buttons, kAlignStartId, QStringLiteral("Start"));
  QPushButton* cancel = AddControlButton(this, buttons, kAlignCancelId, QStringLiteral("Cancel"));
  layout->addLayout(buttons);
  start->setDefault(true);
  // Enter on a focused Cancel cancels instead of starting.
  cancel->setAutoDefault(true);
  start->setFocus();
  connect(start, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

CAlignStartDlg::CAlignStartDlg(Family family, QWidget* parent)
    : QDialog(parent), m_family(family),
      m_port(std::make_unique<CPosixSerialPort>(ComPortDevicePath(g_config.GetComPortIndex()))) {
  setWindowTitle(QStringLiteral("RP58"));
  auto* layout = new QVBoxLayout(this);
  QLabel* title = AddControlLabel(this, layout, kAlignTitleId, QStringLiteral("A L I G N M E N T"));
  title->setAlignment(Qt::AlignCenter);
  m_status1 = AddControlLabel(this, layout, kAlignStatus1Id);
  m_status2 = AddControlLabel(this, layout, kAlignStatus2Id);
  m_status3 = AddControlLabel(this, layout, kAlignStatus3Id);
  m_counter = AddControlLabel(this, layout, kAlignCounterId);
  m_progress = new QProgressBar(this);
  SetControlId(m_progress, kAlignProgressId);
  m_progress->setTextVisible(false);
  layout->addWidget(m_progress);
  auto* buttons = new QHBoxLayout;
  QPushButton* start = AddControlButton(this, buttons, kAlignStartId, QStringLiteral("Start"));
  QPushButton* cancel = AddControlButton(this, buttons, kAlignCancelId, QStringLiteral("Cancel"));
  m_ok = AddControlButton(this, buttons, kAlignOkId, QStringLiteral("OK"));
  layout->addLayout(buttons);
  start->hide();
  cancel->hide();
  m_ok->hide();
  setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Now uploading alignment data. Wait...")) * 3 / 2);
  connect(m_ok, &QPushButton::clicked, this, [this] {
    MessageBeep();
    m_continue = true;
    done(0);
  });
  m_timer.setSingleShot(true);
  m_timer.setInterval(kCloneStartTimerMs);
  connect(&m_timer, &QTimer::timeout, this, &CAlignStartDlg::OnTimer);
  m_timer.start();
}

CAlignStartDlg::~CAlignStartDlg() {
  if (m_worker.joinable()) {
    m_cancel = true;
    m_closingDown = true;
    while (!m_workerEnded) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    m_worker.join();
  }
  m_messages.reset();
  m_port->Close();
}

ILinkClock& CAlignStartDlg::Clock() { return CloneClock() ? *CloneClock() : m_systemClock; }

void CAlignStartDlg::OnGuiThread(const std::function<void()>& fn) {
  if (QThread::currentThread() == thread())
    fn();
  else
    QMetaObject::invokeMethod(this, fn, Qt::BlockingQueuedConnection);
}

void CAlignStartDlg::OnTimer() {
  if (m_running || m_worker.joinable()) return;
  m_running = true;
  m_cancel = false;
  m_workerEnded = false;
  m_status = std::make_unique<QtCloneStatus>(this, m_status1, m_status2, m_counter, m_progress, m_boxShown);
  m_link = std::make_unique<CCloneLink>(*m_port, Clock(), m_cancel, *m_status);
  m_align = std::make_unique<CAlignLink>(*m_link, m_family);
  m_settings = CurrentAlignStartSettings(g_manufacturerMode);
  m_settings.currentFamily = m_family;
  m_hooks.askRadioPassword = [this]() -> std::optional<std::string> {
    std::optional<std::string> entry;
    OnGuiThread([&] {
      CRadioPasswordDlg dlg(this);
      if (dlg.exec() == QDialog::Accepted) entry = dlg.Entry();
    });
    return entry;
  };
  m_presetAnswer.reset();
  m_hooks.askPreset = [this](Family family, std::uint8_t code) {
    bool start = false;
    OnGuiThread([&] {
      CAlignPresetDlg dlg(family, code, this);
      start = dlg.exec() == QDialog::Accepted;
      m_presetAnswer = start;
    });
    return start;
  };
  m_messages = std::make_unique<GuiThreadMessages>(this, m_boxShown);
  m_worker = std::thread([this] {
    const int result = RunAlignStart(*m_align, m_settings, m_hooks, m_data);
    m_workerEnded = true;
    QMetaObject::invokeMethod(this, [this, result] { OnDone(result); }, Qt::QueuedConnection);
  });
}

void CAlignStartDlg::OnDone(int result) {
  if (m_closingDown) return;
  if (m_worker.joinable()) m_worker.join();
  m_messages.reset();
  m_running = false;
  m_result = result;
  if (result == kAlignOk) {
    // Enter on it goes on to the alignment window.
    m_ok->setDefault(true);
    m_ok->show();
    m_ok->setFocus();
    return;
  }
  if (ClosesAfter(result)) done(0);
}

bool CAlignStartDlg::ClosesAfter(int result) const {
  if (m_family == kMobile) return true;
  // The portable start stays open after a failure it has told, until the
  // user closes it. Esc closes it, while waiting for the radio or during
  // the upload, and so does a cancelled preset or an upload that timed out.
  if (m_presetAnswer == true) return result == kAlignUploadCancelled || result == kAlignTimeout;
  return result == kAlignIoError || m_presetAnswer == false;
}

bool CAlignStartDlg::PreviewKey(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Escape) {
    if (m_running) {
      m_cancel = true;
      return true;
    }
    return false;
  }
  // Enter reaches OK only once it is shown.
  return (key == Qt::Key_Return || key == Qt::Key_Enter) && !m_ok->isVisible();
}

void CAlignStartDlg::reject() {
  if (m_running) {
    m_cancel = true;
    return;
  }
  QDialog::reject();
}

void CAlignStartDlg::closeEvent(QCloseEvent* e) {
  if (m_running) {
    m_cancel = true;
    e->ignore();
    return;
  }
  QDialog::closeEvent(e);
}
