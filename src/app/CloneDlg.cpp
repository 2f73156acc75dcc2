#include "app/CloneDlg.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>
#include <type_traits>

#include "app/DialogButtons.h"
#include "app/LinkThread.h"
#include "app/PasswordDlg.h"
#include "framework/EditControls.h"
#include "link/CloneLink.h"
#include "model/ConfigFile.h"
#include "model/FreshStart.h"
#include "model/Privilege.h"
#include "model/RadioImage.h"
#include "platform/Beep.h"
#include "platform/ControlIds.h"
#include "platform/serial/PosixSerialPort.h"

namespace {
ILinkClock* g_cloneClock;  // set by the fresh start below
}  // namespace

void SetCloneClock(ILinkClock* clock) { g_cloneClock = clock; }

namespace {
void FreshCloneClock() { SetCloneClock(nullptr); }  // the real clock
const FreshStartReset kFreshStart(&FreshCloneClock);
}  // namespace

ILinkClock* CloneClock() { return g_cloneClock; }

CCloneDlg::CCloneDlg(QWidget* parent)
    : QDialog(parent), m_port(std::make_unique<CPosixSerialPort>(ComPortDevicePath(g_config.GetComPortIndex()))) {
  setWindowTitle(QStringLiteral("RP58"));
  auto* layout = new QVBoxLayout(this);
  m_title = AddControlLabel(this, layout, kCloneTitleId);
  m_title->setAlignment(Qt::AlignCenter);
  m_status1 = AddControlLabel(this, layout, kCloneStatus1Id);
  m_status2 = AddControlLabel(this, layout, kCloneStatus2Id);
  m_counter = AddControlLabel(this, layout, kCloneCounterId);
  m_progress = new QProgressBar(this);
  SetControlId(m_progress, kCloneProgressId);
  m_progress->setRange(0, 100);
  m_progress->setValue(0);
  m_progress->setTextVisible(false);
  layout->addWidget(m_progress);

  auto* oneBlock = new QHBoxLayout;
  m_oneBlockBox = new QCheckBox(QStringLiteral("only one block"), this);
  SetControlId(m_oneBlockBox, kCloneOneBlockId);
  oneBlock->addWidget(m_oneBlockBox);
  m_blockEdit = new QLineEdit(this);
  SetControlId(m_blockEdit, kCloneBlockEditId);
  oneBlock->addWidget(m_blockEdit);
  m_rangeHint = AddControlLabel(this, oneBlock, kCloneRangeHintId);
  layout->addLayout(oneBlock);
  m_serial = new CFiveToneEdit(this);
  SetControlId(m_serial, kCloneSerialId);
  layout->addWidget(m_serial);

  auto* buttons = new QHBoxLayout;
  m_start = AddControlButton(this, buttons, kCloneStartId, QStringLiteral("Start"));
  m_cancelButton = AddControlButton(this, buttons, kCloneCancelId, QStringLiteral("Cancel"));
  m_ok = AddControlButton(this, buttons, kCloneOkId, QStringLiteral("OK"));
  m_nextRadio = AddControlButton(this, buttons, kCloneNextRadioId, QStringLiteral("Next Radio"));
  m_continue = AddControlButton(this, buttons, kCloneContinueId, QStringLiteral("Continue"));
  layout->addLayout(buttons);
  // Wide enough for the longest status line, so the window doesn't jump.
  setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("back ON to start uploading")) * 3 / 2);

  // Send-only controls and the buttons of a finished transfer start hidden.
  for (QWidget* w : std::initializer_list<QWidget*>{m_oneBlockBox, m_blockEdit, m_rangeHint, m_serial, m_ok,
                                                    m_nextRadio, m_continue})
    w->hide();

  connect(m_start, &QPushButton::clicked, this, &CCloneDlg::OnStart);
  connect(m_cancelButton, &QPushButton::clicked, this, &CCloneDlg::reject);
  connect(m_ok, &QPushButton::clicked, this, [this] {
    MessageBeep();
    done(0);
  });
  connect(m_oneBlockBox, &QCheckBox::toggled, this, &CCloneDlg::OnOnlyOneBlock);
  connect(m_nextRadio, &QPushButton::clicked, this, &CCloneDlg::OnNextRadio);
  connect(m_continue, &QPushButton::clicked, this, [this] {
    MessageBeep();
    FinishSerialEntry(true);
  });
  m_blockEdit->setMaxLength(10);
  // The serial number's four digits.
  m_serial->m_inputMode = 7;
  m_serial->setMaxLength(4);
  m_startTimer.setSingleShot(true);
  m_startTimer.setInterval(kCloneStartTimerMs);
  connect(&m_startTimer, &QTimer::timeout, this, &CCloneDlg::OnTimer);

  SetDirection(kCloneRead);
  m_start->setFocus();
}

CCloneDlg::~CCloneDlg() {
  if (m_worker.joinable()) {
    // Only when the dialog is torn down under a running transfer: stop it,
    // and keep serving its calls to this thread until it has ended.
    m_cancel = true;
    m_closingDown = true;
    while (!m_workerEnded) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    JoinWorker();
  }
  m_port->Close();
}

void CCloneDlg::SetDirection(unsigned direction) {
  m_direction = direction;
  const bool read = direction == kCloneRead;
  m_title->setText(read ? QStringLiteral("R e a d   f r o m   R a d i o") : QStringLiteral("S e n d    t o    R a d i o"));
  m_oneBlockBox->setVisible(!read && g_config.IsRomEditorMode());
  m_rangeHint->setText(QString::asprintf("H(0-%.2xH)", g_config.GetBlockCount() - 1));
}

void CCloneDlg::OnOnlyOneBlock(bool on) {
  MessageBeep();
  m_oneBlock = on ? 1 : 0;
  m_blockEdit->setVisible(on);
  m_rangeHint->setVisible(on);
  if (on) m_blockEdit->setFocus();
}

void CCloneDlg::OnNextRadio() {
  m_status1->clear();
  m_counter->clear();
  m_ok->hide();
  m_nextRadio->hide();
  // The next radio is plugged in before Start opens the port again.
  m_port->Release();
  m_start->show();
  m_cancelButton->show();
  m_start->setFocus();
  m_progress->setValue(0);
}

void CCloneDlg::OnStart() {
  MessageBeep();
  for (QWidget* w : std::initializer_list<QWidget*>{m_start, m_cancelButton, m_oneBlockBox, m_blockEdit, m_rangeHint})
    w->hide();
  m_startTimer.start();
}

CCloneDlg::Job CCloneDlg::MakeJob(CCloneLink& link) {
  return m_direction == kCloneRead ? MakeReadJob(link) : MakeSendJob(link);
}

CCloneDlg::Job CCloneDlg::MakeSendJob(CCloneLink& link) {
  m_sendSettings = CurrentSendSettings(g_manufacturerMode, g_serviceMode);
  m_sendSettings.oneBlockText.reset();
  if (m_oneBlock) m_sendSettings.oneBlockText = m_blockEdit->text().toStdString();
  const SendHooks model = ModelSendHooks([this](const std::string& digits) { return AskSerialNumber(digits); });
  // The data model, its questions and the serial-number entry belong to this thread.
  m_sendHooks = {};
  m_sendHooks.anyChannelProgrammed = OnGuiThreadHook(model.anyChannelProgrammed);
  m_sendHooks.confirmNarrowband = OnGuiThreadHook(model.confirmNarrowband);
  m_sendHooks.packScreens = OnGuiThreadHook(model.packScreens);
  m_sendHooks.recordsBeyondImage = OnGuiThreadHook(model.recordsBeyondImage);
  m_sendHooks.recordFields = OnGuiThreadHook(model.recordFields);
  m_sendHooks.loadAdjustment = OnGuiThreadHook(model.loadAdjustment);
  m_sendHooks.unpackRadioInfo = OnGuiThreadHook(model.unpackRadioInfo);
  m_sendHooks.serialText = OnGuiThreadHook(model.serialText);
  m_sendHooks.storeSerial = OnGuiThreadHook(model.storeSerial);
  m_sendHooks.askSerialNumber = OnGuiThreadHook(model.askSerialNumber);
  m_sender = std::make_unique<CRadioSender>(link, m_sendSettings, m_sendHooks);
  Job job;
  job.run = [this] { return m_sender->SendAll(); };
  job.commit = [this] { m_sender->Commit(); };
  job.undo = model.saveRecords();
  job.completedText = "Download is completed";
  return job;
}

std::optional<std::string> CCloneDlg::AskSerialNumber(const std::string& digits) {
  m_serial->setText(QString::fromStdString(digits));
  m_serial->show();
  m_continue->show();
  m_continue->setFocus();
  // Waits on the event loop, so the window lives and Esc can leave.
  QEventLoop loop;
  m_serialLoop = &loop;
  m_serialAccepted = false;
  loop.exec();
  m_serialLoop = nullptr;
  m_serial->hide();
  m_continue->hide();
  if (!m_serialAccepted) return std::nullopt;
  return m_serial->text().toStdString();
}

void CCloneDlg::FinishSerialEntry(bool accepted) {
  if (m_serialLoop == nullptr) return;
  m_serialAccepted = accepted;
  m_serialLoop->quit();
}

CCloneDlg::Job CCloneDlg::MakeReadJob(CCloneLink& link) {
  m_readSettings = CurrentReadSettings(g_manufacturerMode);
  m_readHooks = ModelReadHooks([this]() -> std::optional<std::string> {
    std::optional<std::string> entry;
    OnGuiThread([&] {
      CRadioPasswordDlg dlg(this);
      if (dlg.exec() == QDialog::Accepted) entry = dlg.Entry();
    });
    return entry;
  });
  m_reader = std::make_unique<CRadioReader>(link, m_readSettings, m_readHooks);
  Job job;
  job.run = [this] { return m_reader->ReceiveAll(); };
  // The commit runs on this thread: its hooks reach the data model directly.
  job.commit = [this] {
    m_reader->Commit();
    // The records now hold exactly what the radio holds.
    g_dataModified = false;
  };
  job.completedText = "Upload is completed";
  return job;
}

void CCloneDlg::OnGuiThread(const std::function<void()>& fn) {
  if (QThread::currentThread() == thread())
    fn();
  else
    QMetaObject::invokeMethod(this, fn, Qt::BlockingQueuedConnection);
}

void CCloneDlg::OnTimer() {
  m_startTimer.stop();
  if (m_running || m_worker.joinable()) return;
  m_running = true;
  m_result = -1;
  m_cancel = false;
  m_boxShown = false;
  m_workerEnded = false;
  m_status = std::make_unique<QtCloneStatus>(this, m_status1, m_status2, m_counter, m_progress, m_boxShown);
  m_link = std::make_unique<CCloneLink>(*m_port, g_cloneClock ? *g_cloneClock : m_systemClock, m_cancel, *m_status);
  m_job = MakeJob(*m_link);
  m_messages = std::make_unique<GuiThreadMessages>(this, m_boxShown);
  m_worker = std::thread([this] {
    const int result = m_job.run();
    m_workerEnded = true;
    QMetaObject::invokeMethod(this, [this, result] { OnTransferDone(result); }, Qt::QueuedConnection);
  });
}

void CCloneDlg::JoinWorker() {
  if (m_worker.joinable()) m_worker.join();
  m_messages.reset();
}

void CCloneDlg::OnTransferDone(int result) {
  if (m_closingDown) return;
  JoinWorker();
  m_running = false;
  m_result = result;
  if (result == kTransferDone) {
    if (m_job.commit) m_job.commit();
    m_status1->setText(QString::fromLatin1(m_job.completedText));
    // A production run goes on with the next radio.
    QPushButton* next = m_direction != kCloneRead && g_serviceMode ? m_nextRadio : m_ok;
    next->show();
    next->setFocus();
    g_cloneOk = true;
    return;
  }
  if (m_job.undo) m_job.undo();
  if (result == kTransferFailed && !m_boxShown) {
    // The reason is in the status lines only: keep them on screen until the
    // user has read them.
    m_ok->show();
    m_ok->setFocus();
    return;
  }
  done(0);
}

bool CCloneDlg::PreviewKey(QKeyEvent* event) {
  if (TransferKey(event)) return true;
  const int key = event->key();
  return key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool CCloneDlg::TransferKey(QKeyEvent* event) {
  const int key = event->key();
  const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
  if (m_serialLoop != nullptr && enter) {
    FinishSerialEntry(true);
    return true;
  }
  if (key == Qt::Key_Escape && m_running) {
    FinishSerialEntry(false);
    m_cancel = true;
    return true;
  }
  // No button is shown while the transfer runs.
  return enter && m_running;
}

void CCloneDlg::reject() {
  if (m_running) {
    FinishSerialEntry(false);
    m_cancel = true;
    return;
  }
  QDialog::reject();
}

void CCloneDlg::closeEvent(QCloseEvent* e) {
  if (m_running) {
    // Closing the window mid-transfer stops it like Esc; the dialog closes
    // once the engine has let go of the port.
    FinishSerialEntry(false);
    m_cancel = true;
    e->ignore();
    return;
  }
  QDialog::closeEvent(e);
}
