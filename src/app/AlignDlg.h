#pragma once
// Templates 104 / 132: the alignment window of either family. It shows the
// radio's identity and the current alignment channel, offers the family's
// alignment items, and runs each exchange (Start, a value change, Ok,
// Cancel, the meter poll, a channel step) off this thread with the window
// disabled meanwhile. Every way of closing it runs the item's Cancel first,
// so the transmitter is never left keyed.
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "link/AlignItems.h"
#include "model/MessageBox.h"
#include "platform/KeyPreview.h"

class CMeterProgress;
class CMeterSlider;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

enum AlignWindowControl : int {
  kAlignSerialId = 1044,
  kAlignCpuId = 1045,
  kAlignRadioTypeId = 1047,
  kAlignIfId = 1048,
  kAlignChannelUpDownId = 1046,
  kAlignChSpaceId = 1050,
  kAlignRxId = 1051,
  kAlignTxId = 1052,
  kAlignStepTextId = 1053,
  kAlignSliderId = 1066,
  kAlignMeter1Id = 1067,
  kAlignMeter2Id = 1069,
  kAlignLabel1Id = 1424,
  kAlignLabel2Id = 1426,
  kAlignValueId = 1055,
  kAlignLimitId = 1073,
  kAlignMeterValueId = 1074,
  kAlignMeterLimitId = 1075,
  kAlignItemStartId = 1068,
  kAlignItemOkId = 1076,
  kAlignItemCancelId = 1077,
  kAlignExitId = 3,
};

inline constexpr int kAlignPollMs = 50;

// A text of the alignment dialogs as a widget shows it (their line breaks
// are "\r\n").
QString AlignShownText(const std::string& text);
// The item button of an item in a family's window; 0 for none.
int AlignItemButtonId(Family family, int item);
// "UHF" or "VHF" by the family code.
const char* AlignRadioTypeText(std::uint8_t familyCode);
// The channel static's id: 12772 (mobile) or 1277 (portable).
int AlignChannelLabelId(Family family);

class CAlignDlg : public QDialog, public KeyPreview {
  Q_OBJECT
public:
  CAlignDlg(CAlignLink& link, AlignData& data, QWidget* parent = nullptr);
  ~CAlignDlg() override;

  CAlignSession& Session() { return m_session; }
  // True while an exchange runs on the worker.
  bool Busy() const { return m_busy; }

  void OnItemButton(int item);
  void OnStart();
  void OnOk();
  void OnCancel();
  void OnExit();
  void OnSliderMoved(int value);
  void OnChannelStep(int direction);

  bool PreviewKey(QKeyEvent* event) override;
  void reject() override;

protected:
  void closeEvent(QCloseEvent* e) override;

private:
  // Runs fn on the worker; `after` on this thread once it is done. The
  // window is disabled meanwhile unless told otherwise.
  void Exchange(std::function<int()> fn, std::function<void(int)> after = {}, bool disable = true);
  // While an exchange runs: keeps the action for when it is done; true then.
  bool Later(void (CAlignDlg::*action)());
  void OnPollTimer();
  void RefreshChannel();
  // The value being adjusted on the slider, the first meter and its number.
  void ShowValue();
  // The controls of an item's measurement; kItemNone: idle.
  void ShowMeasuring(int item);
  void ShowIdle();
  void CloseAfterCancel();

  CAlignLink& m_link;
  AlignData& m_data;
  CAlignSession m_session;
  std::thread m_worker;
  bool m_busy = false;
  std::atomic<bool> m_boxShown{false};
  std::unique_ptr<IMessageSink> m_messages;
  std::optional<int> m_pendingValue;
  std::function<void()> m_pendingAction;
  QPointer<QWidget> m_focus;
  bool m_closing = false;
  int m_chosen = kItemNone;
  QTimer m_poll;
  std::map<int, QRadioButton*> m_items;
  // What shows with the slider and the first meter, and with the second.
  std::vector<QWidget*> m_firstMeter;
  std::vector<QWidget*> m_secondMeter;
  QWidget* m_body;
  QLabel* m_channel;
  QSpinBox* m_upDown;
  QLabel* m_chSpace;
  QLabel* m_rx;
  QLabel* m_tx;
  QLabel* m_if;
  QLabel* m_radioType;
  QPlainTextEdit* m_text;
  CMeterSlider* m_slider;
  CMeterProgress* m_meter1;
  CMeterProgress* m_meter2;
  QLabel* m_label1;
  QLabel* m_label2;
  QLabel* m_value;
  QLabel* m_limit;
  QLabel* m_meterValue;
  QLabel* m_meterLimit;
  QPushButton* m_start;
  QPushButton* m_ok;
  QPushButton* m_cancel;
  QPushButton* m_exit;
};
