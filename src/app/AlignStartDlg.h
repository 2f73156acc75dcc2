#pragma once
// Templates 105/126 "A L I G N M E N T" and 106/127: the alignment start
// dialog waits for the radio to power up into alignment mode, identifies it,
// checks its password, shows the preset prompt and uploads its alignment
// data; the engine runs on a worker thread like the clone's. The dialog owns
// the port and the link, which the alignment window then uses, and closes
// the port when it goes.
#include <QDialog>
#include <QTimer>
#include <atomic>
#include <memory>
#include <optional>
#include <thread>

#include "link/AlignLink.h"
#include "link/AlignStart.h"
#include "link/LinkClock.h"
#include "model/MessageBox.h"
#include "platform/KeyPreview.h"

class ISerialPort;
class QLabel;
class QProgressBar;
class QPushButton;

enum AlignStartControl : int {
  kAlignTitleId = 1012,
  kAlignStatus1Id = 1009,
  kAlignStatus2Id = 1011,
  kAlignStatus3Id = 1013,
  kAlignCounterId = 1019,
  kAlignProgressId = 1010,
  kAlignStartId = 1125,
  kAlignCancelId = 2,
  kAlignOkId = 1506,
};

// The preset prompt (1012), "Start" (1125) and "Cancel" (2).
class CAlignPresetDlg : public QDialog {
  Q_OBJECT
public:
  CAlignPresetDlg(Family family, std::uint8_t familyCode, QWidget* parent = nullptr);
};

class CAlignStartDlg : public QDialog, public KeyPreview {
  Q_OBJECT
public:
  // family: the family shown now, whose start dialog this is.
  explicit CAlignStartDlg(Family family, QWidget* parent = nullptr);
  ~CAlignStartDlg() override;

  // True once the upload finished and OK was pressed: the window may open.
  bool Continue() const { return m_continue; }
  bool Running() const { return m_running; }
  int Result() const { return m_result; }
  AlignData& Data() { return m_data; }
  CAlignLink& Link() { return *m_align; }
  ILinkClock& Clock();

  bool PreviewKey(QKeyEvent* event) override;
  void reject() override;

protected:
  void closeEvent(QCloseEvent* e) override;

private:
  void OnTimer();
  void OnDone(int result);
  // Whether the start ends the dialog after a failure with this result.
  bool ClosesAfter(int result) const;
  void OnGuiThread(const std::function<void()>& fn);

  Family m_family;
  std::unique_ptr<ISerialPort> m_port;
  CSystemClock m_systemClock;
  std::atomic<bool> m_cancel{false};
  std::unique_ptr<ICloneStatus> m_status;
  std::unique_ptr<CCloneLink> m_link;
  std::unique_ptr<CAlignLink> m_align;
  std::unique_ptr<IMessageSink> m_messages;
  std::atomic<bool> m_boxShown{false};
  std::thread m_worker;
  std::atomic<bool> m_workerEnded{false};
  bool m_closingDown = false;
  bool m_running = false;
  bool m_continue = false;
  int m_result = -1;
  // The preset prompt's answer: Start, Cancel, or not asked yet.
  std::optional<bool> m_presetAnswer;
  AlignStartSettings m_settings;
  AlignStartHooks m_hooks;
  AlignData m_data;
  QTimer m_timer;
  QLabel* m_status1;
  QLabel* m_status2;
  QLabel* m_status3;
  QLabel* m_counter;
  QProgressBar* m_progress;
  QPushButton* m_ok;
};
