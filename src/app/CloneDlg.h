#pragma once
// Template 136 "RP58": the small modal dialog that moves the whole radio
// memory over the programming cable. The transfer runs on a worker thread so
// the window keeps repainting; its status reaches the window as queued calls,
// and whatever must ask the user (message boxes, the radio password) runs
// back on this thread while the worker waits.
#include <QDialog>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <thread>

#include "link/CloneLink.h"
#include "link/LinkClock.h"
#include "link/RadioReader.h"
#include "link/RadioSender.h"
#include "model/MessageBox.h"
#include "platform/KeyPreview.h"

class CFiveToneEdit;
class ISerialPort;
class QCheckBox;
class QEventLoop;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// SetDirection values: 1 reads the radio, anything else sends to it.
inline constexpr unsigned kCloneRead = 1;
inline constexpr unsigned kCloneSend = 0;

// Controls of template 136.
enum CloneControl : int {
  kCloneStartId = 1125,
  kCloneCancelId = 2,
  kCloneTitleId = 1012,
  kCloneStatus1Id = 1009,
  kCloneStatus2Id = 1011,
  kCloneCounterId = 1019,
  kCloneProgressId = 1010,
  kCloneOneBlockId = 1126,
  kCloneBlockEditId = 1127,
  kCloneRangeHintId = 1128,
  kCloneOkId = 1506,
  kCloneNextRadioId = 1507,
  kCloneContinueId = 1508,
  kCloneSerialId = 1129,
};

inline constexpr int kCloneStartTimerMs = 100;

// The clock the transfers run on; nullptr restores the machine's own. Tests
// hand in one that doesn't sleep, so a read costs only what the wire takes.
void SetCloneClock(ILinkClock* clock);
// The clock handed in, or nullptr for the machine's own.
ILinkClock* CloneClock();

class CCloneDlg : public QDialog, public KeyPreview {
  Q_OBJECT
public:
  explicit CCloneDlg(QWidget* parent = nullptr);
  // Closes the port.
  ~CCloneDlg() override;

  void SetDirection(unsigned direction);
  unsigned Direction() const { return m_direction; }

  // "Start" (1125): hides the start controls and arms the 100 ms timer.
  void OnStart();
  // Timer 1: runs the transfer once, on the worker thread.
  void OnTimer();
  // True from the timer until the result has been shown.
  bool TransferRunning() const { return m_running; }
  // The transfer's result once it ended (kTransferDone, ...), -1 before.
  int Result() const { return m_result; }

  // Service mode: the serial-number entry is open, waiting for Enter or
  // "Continue" (Esc or closing the window cancels the send).
  bool SerialEntryOpen() const { return m_serialLoop != nullptr; }
  // "Next Radio" (1507): re-arms the dialog for the next radio of a run.
  void OnNextRadio();

  // Enter and Esc never close the dialog; Esc stops a running transfer.
  bool PreviewKey(QKeyEvent* event) override;
  void reject() override;

protected:
  void closeEvent(QCloseEvent* e) override;
  // The keys of a transfer under way: Enter ends the serial-number entry,
  // Esc cancels it and stops the transfer, and nothing else takes them.
  // True when the key was taken.
  bool TransferKey(QKeyEvent* event);

  // What one direction does over the link: `run` on the worker thread (the
  // engine call), `commit` back on this thread once `run` gave kTransferDone.
  // Both are made on this thread, which owns the data they start from.
  struct Job {
    std::function<int()> run;
    std::function<void()> commit;
    const char* completedText;
    // Back on this thread when `run` failed or was cancelled.
    std::function<void()> undo;
  };
  // The job of the dialog's direction; a dialog of another transfer
  // (adjustment recovery) makes its own.
  virtual Job MakeJob(CCloneLink& link);
  Job MakeReadJob(CCloneLink& link);
  Job MakeSendJob(CCloneLink& link);
  // A data-model hook made to run on this thread while the worker waits.
  template <class R, class... Args>
  std::function<R(Args...)> OnGuiThreadHook(std::function<R(Args...)> fn);
  // The serial-number entry, on this thread: the digits typed, or nothing.
  std::optional<std::string> AskSerialNumber(const std::string& digits);
  void FinishSerialEntry(bool accepted);
  void OnOnlyOneBlock(bool on);
  // Runs fn on this dialog's thread and waits for it (from the worker).
  void OnGuiThread(const std::function<void()>& fn);
  void OnTransferDone(int result);
  void JoinWorker();

  unsigned m_direction = kCloneRead;
  unsigned m_oneBlock = 0;
  std::unique_ptr<ISerialPort> m_port;
  CSystemClock m_systemClock;
  std::atomic<bool> m_cancel{false};
  std::unique_ptr<ICloneStatus> m_status;
  std::unique_ptr<CCloneLink> m_link;
  // The message sink of the transfer's lifetime.
  std::unique_ptr<IMessageSink> m_messages;
  std::thread m_worker;
  std::atomic<bool> m_workerEnded{false};
  bool m_closingDown = false;
  bool m_running = false;
  int m_result = -1;
  // The last thing the transfer told the user was a message box, not a
  // status line: a failure has then been told and the dialog may close.
  std::atomic<bool> m_boxShown{false};
  Job m_job;

  // The read's state, alive from the start until the dialog goes.
  ReadSettings m_readSettings;
  ReadHooks m_readHooks;
  std::unique_ptr<CRadioReader> m_reader;

  // The send's state, likewise.
  SendSettings m_sendSettings;
  SendHooks m_sendHooks;
  std::unique_ptr<CRadioSender> m_sender;
  QEventLoop* m_serialLoop = nullptr;
  bool m_serialAccepted = false;

  QTimer m_startTimer;
  QPushButton* m_start;
  QPushButton* m_cancelButton;
  QLabel* m_title;
  QLabel* m_status1;
  QLabel* m_status2;
  QLabel* m_counter;
  QProgressBar* m_progress;
  QCheckBox* m_oneBlockBox;
  QLineEdit* m_blockEdit;
  QLabel* m_rangeHint;
  QPushButton* m_ok;
  QPushButton* m_nextRadio;
  QPushButton* m_continue;
  CFiveToneEdit* m_serial;
};

template <class R, class... Args>
inline std::function<R(Args...)> CCloneDlg::OnGuiThreadHook(std::function<R(Args...)> fn) {
  if (!fn) return fn;
  return [this, fn](Args... args) -> R {
    if constexpr (std::is_void_v<R>) {
      OnGuiThread([&] { fn(args...); });
    } else {
      std::optional<R> result;
      OnGuiThread([&] { result.emplace(fn(args...)); });
      return std::move(*result);
    }
  };
}
