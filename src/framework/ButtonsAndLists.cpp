#include "framework/ButtonsAndLists.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "platform/ControlIds.h"

namespace {
bool IsEnter(const QKeyEvent* e) { return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter; }
bool IsBacktab(const QKeyEvent* e) {
  return e->key() == Qt::Key_Backtab || (e->key() == Qt::Key_Tab && (e->modifiers() & Qt::ShiftModifier));
}

void Report(QWidget* control, QWidget* target, unsigned msg, LParam lParam = 0) {
  SendUserMessage(target != nullptr ? target : NotifyTargetOf(control), msg,
                  static_cast<WParam>(ControlId(control)), lParam);
}

// Enter on a button goes to its page instead of pressing it.
bool PreviewButtonEnter(QWidget* button, QKeyEvent* event) {
  if (!IsEnter(event)) return false;
  Report(button, nullptr, UM_BUTTON_ENTER);
  return true;
}
}  // namespace

// ---- CFlatButton ----

CFlatButton::CFlatButton(QWidget* parent) : QPushButton(parent) { setAutoDefault(false); }

bool CFlatButton::PreviewKey(QKeyEvent* event) { return PreviewButtonEnter(this, event); }

void CFlatButton::focusOutEvent(QFocusEvent* event) {
  QPushButton::focusOutEvent(event);
  Report(this, nullptr, UM_BUTTON_KILLFOCUS);
}

// ---- CRepeatButton ----

int RepeatTicksForStep(int stepsMade) {
  if (stepsMade < 10) return 8;
  if (stepsMade < 20) return 5;
  if (stepsMade < 30) return 4;
  return 2;
}

bool RepeatSchedule::Tick() {
  if (++ticks < RepeatTicksForStep(steps)) return false;
  ticks = 0;
  ++steps;
  return true;
}

int RepeatStepValue(int value, bool down, int step, int min, int max) {
  const long long next = static_cast<long long>(value) + (down ? -step : step);
  return static_cast<int>(std::clamp<long long>(next, min, max));
}

CRepeatButton::CRepeatButton(QWidget* parent) : QPushButton(parent) {
  setAutoDefault(false);
  timer_.setInterval(kTickMs);
  QObject::connect(&timer_, &QTimer::timeout, [this] { RepeatTick(); });
}

void CRepeatButton::SetupRepeat(QWidget* notifyWnd, int* value, int initial, bool down, int step, int min, int max) {
  m_notifyWnd = notifyWnd;
  m_pValue = value;
  if (value != nullptr) *value = initial;
  m_down = down;
  m_step = step;
  m_min = min;
  m_max = max > min ? max : min;
}

bool CRepeatButton::PreviewKey(QKeyEvent* event) { return PreviewButtonEnter(this, event); }

void CRepeatButton::mousePressEvent(QMouseEvent* event) {
  QPushButton::mousePressEvent(event);
  if (event->button() != Qt::LeftButton || !isDown()) return;
  if (m_notifyWnd.isNull()) m_notifyWnd = NotifyTargetOf(this);
  schedule_ = RepeatSchedule{};
  modalAtPress_ = QApplication::activeModalWidget();
  timer_.start();
}

void CRepeatButton::mouseReleaseEvent(QMouseEvent* event) {
  StopRepeat();
  QPushButton::mouseReleaseEvent(event);  // completes the click
}

void CRepeatButton::StopRepeat() { timer_.stop(); }

void CRepeatButton::RepeatTick() {
  if (inTick_) return;  // a step's receiver is running a modal loop
  // No longer pressed, or a modal box opened since the press has taken the
  // mouse: stop for good, without a click.
  QWidget* modal = QApplication::activeModalWidget();
  if (!isDown() || (modal != nullptr && modal != window() && modal != modalAtPress_)) {
    StopRepeat();
    setDown(false);
    return;
  }
  if (!schedule_.Tick() || m_pValue == nullptr) return;
  *m_pValue = RepeatStepValue(*m_pValue, m_down, m_step, m_min, m_max);
  inTick_ = true;
  const QPointer<CRepeatButton> self(this);
  Report(this, m_notifyWnd, UM_REPEAT_STEP, *m_pValue);
  if (self.isNull()) return;
  inTick_ = false;
}

// ---- CLinkStatic ----

CLinkStatic::CLinkStatic(QWidget* parent) : QLabel(parent) {
  setFont(QApplication::font());
  setFocusPolicy(Qt::StrongFocus);
  setAutoFillBackground(true);
  // The text keeps a pixel clear of the focus frame drawn inside the border,
  // and the width a cell needs for its text counts the frame in.
  setMargin(kFocusFrameWidth + 1);
  // Roles of its own: inherited from a page drawn on the base colour, the
  // text would be painted in the edit text colour and never in ours.
  setBackgroundRole(QPalette::Window);
  setForegroundRole(QPalette::WindowText);
  QPalette p = palette();
  p.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
  setPalette(p);
  SetTextColor(QApplication::palette().color(QPalette::WindowText));
}

void CLinkStatic::SetTextColor(const QColor& color) {
  textColor_ = color;
  QPalette p = palette();
  p.setColor(QPalette::WindowText, color);
  setPalette(p);
  update();
}

bool CLinkStatic::PreviewKey(QKeyEvent* event) {
  if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
    SetTextColor(Qt::black);
    Report(this, nullptr, IsBacktab(event) ? UM_PREV_CONTROL : UM_NEXT_CONTROL);
    return true;
  }
  if (IsEnter(event)) {
    Report(this, nullptr, UM_CELL_ACTIVATE);
    return true;
  }
  return false;
}

void CLinkStatic::mousePressEvent(QMouseEvent* event) {
  QLabel::mousePressEvent(event);
  if (event->button() == Qt::LeftButton) emit clicked();
}

void CLinkStatic::focusInEvent(QFocusEvent* event) {
  QLabel::focusInEvent(event);
  SetTextColor(Qt::red);
}

void CLinkStatic::focusOutEvent(QFocusEvent* event) {
  QLabel::focusOutEvent(event);
  // Another window coming to the front leaves the cell the focus of its own.
  if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
    SetTextColor(Qt::black);
}

void CLinkStatic::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (!hasFocus()) return;
  // The keyboard's place in the grid, inside the cell's border.
  QPainter painter(this);
  painter.setPen(QPen(palette().color(QPalette::Highlight), kFocusFrameWidth));
  const int inset = frameWidth() + kFocusFrameWidth / 2;
  painter.drawRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
}

// ---- CHotListBox ----

CHotListBox::CHotListBox(QWidget* parent) : QListWidget(parent) {}

bool CHotListBox::PreviewKey(QKeyEvent* event) {
  if (IsEnter(event)) {
    Report(this, nullptr, UM_LIST_CHOSEN);
    return true;
  }
  if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
    Report(this, nullptr, UM_LIST_TAB);
    return true;
  }
  if (event->key() == Qt::Key_Escape) emit escaped();
  return false;
}

// ---- CKeyCombo ----

CKeyCombo::CKeyCombo(QWidget* parent) : QComboBox(parent) {}

void CKeyCombo::SetEditLimits(QWidget* notifyWnd, int lettersAllowed) {
  m_notifyWnd = notifyWnd;
  m_lettersAllowed = lettersAllowed != 0;
}

bool CKeyCombo::PreviewKey(QKeyEvent* event) {
  // Alt+letter stays a menu mnemonic.
  return !m_lettersAllowed && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z &&
         !(event->modifiers() & Qt::AltModifier);
}
