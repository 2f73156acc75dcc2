#include "app/AlignDlg.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "app/AlignTexts.h"
#include "app/LinkThread.h"
#include "framework/Meters.h"
#include "model/Digits.h"
#include "platform/Beep.h"
#include "platform/ControlIds.h"

namespace {
struct ItemButton {
  int item;
  int id;
  const char* mobile;    // nullptr: not in the mobile window
  const char* portable;  // nullptr: not in the portable window
  bool receiver;         // in the RX group
  const char* Text(Family family) const { return family == kPortable ? portable : mobile; }
};

const ItemButton kItemButtons[] = {
    {kItemPowerHigh, 3611, "Power High", "Power High", false},
    {kItemPowerLowHigh, 3612, "Power Low-High", "Power Low", false},
    {kItemPowerLowMid, 3620, "Power Low-Mid", nullptr, false},
    {kItemMaxDeviation, 3613, "Maximum deviation", "Maximum deviation", false},
    {kItemModBalance, 3614, "Modulation balance", "Modulation balance", false},
    {kItemCtcss, 3615, "CTCSS deviation", "CTCSS deviation", false},
    {kItemDcs, 3616, "DCS deviation", "DCS deviation", false},
    {kItemLtr, 3617, "LTR deviation", "LTR deviation", false},
    {kItemSeqTone, 3618, "Sequential tone deviation", "Sequential tone deviation", false},
    {kItemReference, 3619, "Reference frequency", "Reference frequency", false},
    {kItemStdDeviation, 3620, nullptr, "STD Deviation(Mic Gain)", false},
    {kItemTxVcv, 3621, "TX VCV", nullptr, false},
    {kItemTightNoise, 1070, "Tight Noise SQL", "Tight Noise SQL", true},
    {kItemThresholdNoise, 1071, "Threshold Noise SQL", "Threshold Noise SQL", true},
    {kItemRxTune, 1072, "RX Tune", "RX Tune", true},
    {kItemTightRssi, 1078, "Tight Noise Squelch RSSI", "Tight Noise Squelch RSSI", true},
    {kItemFullScaleRssi, 1079, "S Full Scale RSSI", "TX Save RSSI", true},
    {kItemRxVcv, 1080, "RX VCV", nullptr, true},
};

// Items a mobile radio of a mobile product code does not offer.
bool OfferedOnlyToOthers(int id) { return id == 3618 || id == 3619 || id == 1078 || id == 1079; }

bool IsReceiverItem(int item) {
  return item == kItemTightNoise || item == kItemThresholdNoise || item == kItemTightRssi || item == kItemFullScaleRssi;
}

// The items that read the second meter from the radio: the receiver items,
// RX Tune and the VCV items.
bool ReadsTheMeter(int item) { return item >= kItemTightNoise && item <= kItemRxVcv; }

// A control that comes and goes with the items keeps its place while
// hidden, and a caption the width of its widest text, so the window is
// sized once for all of them.
void KeepPlace(QWidget* w) {
  QSizePolicy policy = w->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  w->setSizePolicy(policy);
}

void FitWidest(QLabel* label, std::initializer_list<const char*> texts) {
  int widest = 0;
  for (const char* t : texts) widest = std::max(widest, label->fontMetrics().horizontalAdvance(QString::fromLatin1(t)));
  label->setMinimumWidth(widest);
  KeepPlace(label);
}


// The up-down beside the channel number: a step asks the window for the
// next programmed channel instead of changing the number itself.
class CChannelUpDown : public QSpinBox {
public:
  CChannelUpDown(QWidget* parent, std::function<void(int)> onStep) : QSpinBox(parent), onStep_(std::move(onStep)) {
    lineEdit()->setReadOnly(true);
  }
  void stepBy(int steps) override {
    if (steps != 0) onStep_(steps > 0 ? 1 : -1);
  }

protected:
  StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }

private:
  std::function<void(int)> onStep_;
};

QLabel* Labelled(QGridLayout* grid, QWidget* parent, int row, const char* caption, int id) {
  grid->addWidget(new QLabel(QString::fromLatin1(caption), parent), row, 0);
  auto* value = new QLabel(parent);
  SetControlId(value, id);
  grid->addWidget(value, row, 1);
  return value;
}
}  // namespace

int AlignItemButtonId(Family family, int item) {
  for (const ItemButton& b : kItemButtons)
    if (b.item == item && b.Text(family) != nullptr) return b.id;
  return 0;
}

QString AlignShownText(const std::string& text) {
  return QString::fromUtf8(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

const char* AlignRadioTypeText(std::uint8_t familyCode) { return IsUhfFamilyCode(familyCode) ? "UHF" : "VHF"; }

int AlignChannelLabelId(Family family) { return family == kPortable ? 1277 : 12772; }

CAlignDlg::CAlignDlg(CAlignLink& link, AlignData& data, QWidget* parent)
    : QDialog(parent), m_link(link), m_data(data), m_session(link, data, CurrentAlignRanges(data)) {
  setWindowTitle(QStringLiteral("RP58"));
  auto* outer = new QVBoxLayout(this);
  m_body = new QWidget(this);
  outer->addWidget(m_body);
  auto* layout = new QHBoxLayout(m_body);

  auto* left = new QVBoxLayout;
  left->addWidget(new QLabel(QStringLiteral("Alignment Software for TM-6600 LTR / TP-730A"), m_body));
  auto* identity = new QGridLayout;
  Labelled(identity, m_body, 0, "Serial No.", kAlignSerialId)->setText(QString::fromStdString(AlignSerialText(data)));
  Labelled(identity, m_body, 1, "CPU Ver.", kAlignCpuId)->setText(QString::asprintf("%04x", data.Word(0)));
  m_radioType = Labelled(identity, m_body, 2, "Radio Type", kAlignRadioTypeId);
  m_if = Labelled(identity, m_body, 3, "IF", kAlignIfId);
  identity->addWidget(new QLabel(QStringLiteral("Channel"), m_body), 4, 0);
  m_channel = new QLabel(QStringLiteral("1"), m_body);
  SetControlId(m_channel, AlignChannelLabelId(data.family));
  identity->addWidget(m_channel, 4, 1);
  m_upDown = new CChannelUpDown(m_body, [this](int direction) { OnChannelStep(direction); });
  SetControlId(m_upDown, kAlignChannelUpDownId);
  // The position is channel + 1: 1 .. the channel count.
  m_upDown->setRange(1, data.channelCount);
  identity->addWidget(m_upDown, 4, 2);
  m_chSpace = Labelled(identity, m_body, 5, "Ch Space", kAlignChSpaceId);
  m_rx = Labelled(identity, m_body, 6, "RX", kAlignRxId);
  m_tx = Labelled(identity, m_body, 7, "TX", kAlignTxId);
  left->addLayout(identity);

  auto* tx = new QGroupBox(QStringLiteral("TX"), m_body);
  SetControlId(tx, 1054);
  auto* rx = new QGroupBox(QStringLiteral("RX"), m_body);
  SetControlId(rx, 1061);
  auto* txLayout = new QVBoxLayout(tx);
  auto* rxLayout = new QVBoxLayout(rx);
  const bool mobileProduct = IsMobileProductCode(data.Byte(alignbyte::kProductCode));
  // One choice across both groups: Start runs the item that shows chosen.
  auto* itemGroup = new QButtonGroup(this);
  for (const ItemButton& b : kItemButtons) {
    if (b.Text(data.family) == nullptr) continue;
    auto* button = new QRadioButton(QString::fromLatin1(b.Text(data.family)), b.receiver ? rx : tx);
    SetControlId(button, b.id);
    (b.receiver ? rxLayout : txLayout)->addWidget(button);
    button->setEnabled(!(data.family == kMobile && mobileProduct && OfferedOnlyToOthers(b.id)));
    m_items[b.item] = button;
    itemGroup->addButton(button);
    connect(button, &QRadioButton::clicked, this, [this, item = b.item] { OnItemButton(item); });
  }
  auto* groups = new QHBoxLayout;
  groups->addWidget(tx);
  groups->addWidget(rx);
  left->addLayout(groups);
  m_text = new QPlainTextEdit(m_body);
  SetControlId(m_text, kAlignStepTextId);
  m_text->setReadOnly(true);
  m_text->setMinimumSize(560, 180);
  left->addWidget(m_text);
  layout->addLayout(left);

  auto* right = new QGridLayout;
  m_label1 = new QLabel(QStringLiteral("Tune"), m_body);
  SetControlId(m_label1, kAlignLabel1Id);
  FitWidest(m_label1, {"Tune", "Parameter", "Current", "TX VCV", "RX VCV"});
  m_label2 = new QLabel(QStringLiteral("RSS"), m_body);
  SetControlId(m_label2, kAlignLabel2Id);
  FitWidest(m_label2, {"RSS", "RSSI Level", "Receiver Noise Level", "VCV Level"});
  right->addWidget(m_label1, 0, 0, 1, 2);
  right->addWidget(m_label2, 0, 2);
  m_slider = new CMeterSlider(m_body);
  SetControlId(m_slider, kAlignSliderId);
  m_slider->setOrientation(Qt::Vertical);
  m_slider->setTickInterval(10);
  m_meter1 = new CMeterProgress(m_body);
  SetControlId(m_meter1, kAlignMeter1Id);
  m_meter2 = new CMeterProgress(m_body);
  SetControlId(m_meter2, kAlignMeter2Id);
  for (CMeterProgress* m : {m_meter1, m_meter2}) {
    m->setOrientation(Qt::Vertical);
    m->setTextVisible(false);
    m->setMinimumHeight(200);
  }
  m_slider->setMinimumHeight(200);
  right->addWidget(m_slider, 1, 0);
  right->addWidget(m_meter1, 1, 1);
  right->addWidget(m_meter2, 1, 2, Qt::AlignHCenter);
  m_firstMeter = {m_slider, m_meter1};
  m_secondMeter = {m_meter2, m_label2};
  auto addValue = [&](int row, int column, const char* caption, int id) {
    auto* pair = new QHBoxLayout;
    auto* label = new QLabel(QString::fromLatin1(caption), m_body);
    FitWidest(label, {caption});
    pair->addWidget(label);
    auto* value = new QLabel(m_body);
    SetControlId(value, id);
    FitWidest(value, {"255"});
    pair->addWidget(value);
    right->addLayout(pair, row, column);
    for (QWidget* w : std::initializer_list<QWidget*>{label, value})
      (column == 1 ? m_firstMeter : m_secondMeter).push_back(w);
    return value;
  };
  m_value = addValue(2, 1, "Level", kAlignValueId);
  m_limit = addValue(3, 1, "Max", kAlignLimitId);
  m_meterValue = addValue(2, 2, "Level", kAlignMeterValueId);
  m_meterLimit = addValue(3, 2, "Max", kAlignMeterLimitId);
  auto* buttons = new QVBoxLayout;
  m_start = new QPushButton(QStringLiteral("Start"), m_body);
  SetControlId(m_start, kAlignItemStartId);
  m_ok = new QPushButton(QStringLiteral("Ok"), m_body);
  SetControlId(m_ok, kAlignItemOkId);
  m_cancel = new QPushButton(QStringLiteral("Cancel"), m_body);
  SetControlId(m_cancel, kAlignItemCancelId);
  m_exit = new QPushButton(QStringLiteral("Exit"), m_body);
  SetControlId(m_exit, kAlignExitId);
  for (QPushButton* b : {m_start, m_ok, m_cancel, m_exit}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  for (QWidget* w : std::initializer_list<QWidget*>{m_slider, m_meter1, m_meter2, m_start, m_ok, m_cancel}) KeepPlace(w);
  right->addLayout(buttons, 4, 0, 1, 3);
  layout->addLayout(right);

  connect(m_start, &QPushButton::clicked, this, &CAlignDlg::OnStart);
  connect(m_ok, &QPushButton::clicked, this, &CAlignDlg::OnOk);
  connect(m_cancel, &QPushButton::clicked, this, &CAlignDlg::OnCancel);
  connect(m_exit, &QPushButton::clicked, this, &CAlignDlg::OnExit);
  connect(m_slider, &QSlider::valueChanged, this, &CAlignDlg::OnSliderMoved);
  m_poll.setInterval(kAlignPollMs);
  connect(&m_poll, &QTimer::timeout, this, &CAlignDlg::OnPollTimer);

  m_data.channel = 0;
  ShowIdle();
  m_start->hide();
  RefreshChannel();
  setFixedSize(sizeHint());
}

CAlignDlg::~CAlignDlg() {
  m_poll.stop();
  while (m_busy) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  if (m_worker.joinable()) m_worker.join();
}

void CAlignDlg::Exchange(std::function<int()> fn, std::function<void(int)> after, bool disable) {
  m_busy = true;
  if (disable) {
    // The window waits for the radio; the focus comes back afterwards, so
    // Up and Down keep moving the slider.
    m_focus = focusWidget();
    m_body->setEnabled(false);
  }
  m_messages = std::make_unique<GuiThreadMessages>(this, m_boxShown);
  m_worker = std::thread([this, fn = std::move(fn), after = std::move(after)] {
    const int result = fn();
    QMetaObject::invokeMethod(
        this,
        [this, result, after] {
          if (m_worker.joinable()) m_worker.join();
          m_messages.reset();
          m_busy = false;
          if (!m_body->isEnabled()) {
            m_body->setEnabled(true);
            if (m_focus && m_focus->isVisible() && m_focus->isEnabled()) m_focus->setFocus();
          }
          if (after) after(result);
          if (m_closing) {
            CloseAfterCancel();
            return;
          }
          // What the user did while the radio was busy comes now, in the
          // order done: a slider move typed before Ok reaches the radio
          // first, and the action follows once the radio has taken it.
          if (m_pendingValue) {
            const int value = *m_pendingValue;
            m_pendingValue.reset();
            {
              const QSignalBlocker block(m_slider);
              m_slider->setValue(value);
            }
            OnSliderMoved(value);
            if (m_busy) return;
          }
          if (m_pendingAction) {
            const std::function<void()> action = std::move(m_pendingAction);
            m_pendingAction = nullptr;
            action();
          }
        },
        Qt::QueuedConnection);
  });
}

bool CAlignDlg::Later(void (CAlignDlg::*action)()) {
  if (!m_busy) return false;
  m_pendingAction = [this, action] { (this->*action)(); };
  return true;
}

void CAlignDlg::RefreshChannel() {
  const AlignChannelInfo info = m_session.Channel();
  {
    const QSignalBlocker block(m_upDown);
    m_upDown->setValue(m_data.channel + 1);
  }
  m_channel->setText(QString::number(m_data.channel + 1));
  m_radioType->setText(QString::fromLatin1(AlignRadioTypeText(m_data.Byte(alignbyte::kFamilyCode))));
  m_if->setText(QString::asprintf("%.2f", info.ifMHz));
  // An unprogrammed channel (only ever the first one shown) has no frequencies.
  m_chSpace->setText(!info.programmed ? QString() : info.wide ? QStringLiteral("Wide  ") : QStringLiteral("Narrow"));
  m_rx->setText(info.programmed ? QString::asprintf("%.5f", info.rxMHz) : QString());
  m_tx->setText(info.programmed ? QString::asprintf("%.5f", info.txMHz) : QString());
}

void CAlignDlg::ShowMeasuring(int item) {
  const bool on = item != kItemNone;
  for (QWidget* w : std::initializer_list<QWidget*>{m_ok, m_cancel, m_label1}) w->setVisible(on);
  // The receiver meter items have no slider; the second meter shows only
  // where the item reads it.
  for (QWidget* w : m_firstMeter) w->setVisible(on && !IsReceiverItem(item));
  for (QWidget* w : m_secondMeter) w->setVisible(on && ReadsTheMeter(item));
  for (auto& [item, button] : m_items) button->setEnabled(!on && !(m_data.family == kMobile &&
                                                                  IsMobileProductCode(m_data.Byte(alignbyte::kProductCode)) &&
                                                                  OfferedOnlyToOthers(AlignItemButtonId(m_data.family, item))));
  m_upDown->setEnabled(!on);
}

void CAlignDlg::ShowIdle() {
  m_poll.stop();
  ShowMeasuring(kItemNone);
  m_label1->setText(QStringLiteral("Tune"));
  m_label2->setText(QStringLiteral("RSS"));
  m_start->setVisible(m_chosen != kItemNone);
  m_ok->setDefault(false);
}

void CAlignDlg::OnItemButton(int item) {
  if (m_session.Measuring()) return;
  m_chosen = item;
  m_start->show();
  m_text->setPlainText(AlignShownText(AlignStepText(m_data.family, item, m_data.Byte(alignbyte::kProductCode),
                                           m_data.Byte(alignbyte::kFamilyCode))));
}

void CAlignDlg::OnStart() {
  if (Later(&CAlignDlg::OnStart) || m_chosen == kItemNone || m_session.Measuring()) return;
  MessageBeep();
  m_start->hide();
  const int item = m_chosen;
  const bool receiver = IsReceiverItem(item);
  ShowMeasuring(item);
  const bool transmitter = item <= kItemStdDeviation || item == kItemTxVcv;
  m_label1->setText(transmitter ? QStringLiteral("Parameter") : receiver ? QStringLiteral("Current") : QStringLiteral("Tune"));
  if (item == kItemTxVcv || item == kItemRxVcv) m_label1->setText(item == kItemTxVcv ? QStringLiteral("TX VCV") : QStringLiteral("RX VCV"));
  m_label2->setText(item == kItemTightNoise || item == kItemThresholdNoise ? QStringLiteral("Receiver Noise Level")
                    : item == kItemTxVcv || item == kItemRxVcv            ? QStringLiteral("VCV Level")
                                                                          : QStringLiteral("RSSI Level"));
  if (item == kItemRxTune) m_text->setPlainText(AlignShownText(kRxTuneStartText));
  // Nothing of the item before stays beside a failure the start may report.
  for (QLabel* number : {m_value, m_limit, m_meterValue, m_meterLimit}) number->clear();
  for (CMeterProgress* meter : {m_meter1, m_meter2}) meter->setValue(meter->minimum());
  m_ok->setDefault(true);
  Exchange([this, item] { return m_session.Start(item); },
           [this](int) {
             const int max = m_session.SliderMax();
             {
               const QSignalBlocker block(m_slider);
               m_slider->setRange(0, max);
             }
             m_meter1->setRange(0, max);
             ShowValue();
             m_limit->setText(QString::number(max));
             m_meter2->setRange(0, m_session.MeterMax());
             m_meter2->setValue(0);
             m_meterValue->setText(QString());
             m_meterLimit->setText(QString::number(m_session.MeterMax()));
             if (m_session.Polling()) m_poll.start();
             m_slider->setFocus();
           });
}

void CAlignDlg::OnSliderMoved(int value) {
  if (!m_session.Measuring()) return;
  if (m_busy) {
    m_pendingValue = value;
    return;
  }
  Exchange([this, value] { return m_session.Adjust(value); },
           // A failed send leaves the meter where it was.
           [this](int) { ShowValue(); });
}

void CAlignDlg::ShowValue() {
  const int value = m_session.Value();
  // A value the radio holds above the slider's range puts the slider and
  // the bar at their end; the number tells the true value.
  const QSignalBlocker block(m_slider);
  m_slider->setValue(std::min(value, m_slider->maximum()));
  m_meter1->setValue(std::min(value, m_meter1->maximum()));
  m_value->setText(QString::number(value));
}

void CAlignDlg::OnPollTimer() {
  if (m_busy || !m_session.Polling()) return;
  // The poll leaves the window as it is: the slider may be held meanwhile.
  Exchange([this] { return m_session.Poll(); },
           [this](int) {
             if (!m_session.Polling()) m_poll.stop();
             if (m_session.Meter() < 0) return;
             m_meter2->setValue(m_session.Meter());
             m_meterValue->setText(QString::number(m_session.Meter()));
           },
           false);
}

void CAlignDlg::OnOk() {
  if (Later(&CAlignDlg::OnOk) || !m_session.Measuring()) return;
  MessageBeep();
  m_poll.stop();
  setCursor(Qt::WaitCursor);
  Exchange([this] { return m_session.Ok(); },
           [this](int) {
             unsetCursor();
             if (m_session.Measuring()) {
               if (m_session.Polling()) m_poll.start();
               return;
             }
             ShowIdle();
             RefreshChannel();
           });
}

void CAlignDlg::OnCancel() {
  if (Later(&CAlignDlg::OnCancel) || !m_session.Measuring()) return;
  m_poll.stop();
  Exchange([this] { return m_session.Cancel(); }, [this](int) { ShowIdle(); });
}

void CAlignDlg::OnExit() { close(); }

void CAlignDlg::OnChannelStep(int direction) {
  if (m_busy || m_session.Measuring()) return;  // a step during a poll is not worth keeping
  Exchange([this, direction] { return m_session.StepChannel(direction); }, [this](int) { RefreshChannel(); });
}

void CAlignDlg::CloseAfterCancel() {
  if (m_busy) return;
  if (m_session.Measuring()) {
    m_poll.stop();
    Exchange([this] { return m_session.Cancel(); }, [this](int) { ShowIdle(); });
    return;
  }
  m_closing = false;
  done(0);
}

bool CAlignDlg::PreviewKey(QKeyEvent* event) {
  const int key = event->key();
  if (m_busy && !m_body->isEnabled() && m_focus == m_slider && m_slider->isVisible()) {
    // The slider waits disabled for the radio: its steps are kept and sent
    // after the exchange, as the slider itself would have taken them.
    const int single = m_slider->singleStep();
    const int page = m_slider->pageStep();
    const int step = key == Qt::Key_Up ? single : key == Qt::Key_Down ? -single : key == Qt::Key_PageUp ? page
                     : key == Qt::Key_PageDown ? -page : 0;
    if (step != 0) {
      const int from = m_pendingValue.value_or(m_slider->value());
      m_pendingValue = std::clamp(from + step, m_slider->minimum(), m_slider->maximum());
      return true;
    }
  }
  if (key == Qt::Key_Escape) {
    // Esc ends the measurement and keeps the window.
    OnCancel();
    return true;
  }
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_session.Measuring()) {
    OnOk();
    return true;
  }
  if (key == Qt::Key_Space && !m_session.Measuring() && m_start->isVisible()) {
    OnStart();
    return true;
  }
  return false;
}

void CAlignDlg::reject() { OnCancel(); }

void CAlignDlg::closeEvent(QCloseEvent* e) {
  if (m_busy || m_session.Measuring()) {
    // The item's Cancel goes first: a keyed transmitter is unkeyed.
    e->ignore();
    m_closing = true;
    CloseAfterCancel();
    return;
  }
  // Not QDialog's own close, which would reject: Esc's Cancel.
  e->accept();
  done(0);
}
