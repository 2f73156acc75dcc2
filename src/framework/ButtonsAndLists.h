#pragma once
// Buttons, grid cells and pick lists of the keyboard-driven settings grids.
// They turn the keys a dialog would otherwise consume (Enter, Tab,
// Shift+Tab) into user messages to their page (wParam = their number).
#include <QComboBox>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QLabel>
#include <QTimer>

#include "platform/KeyPreview.h"
#include "platform/UserMessages.h"

// A push button that reports Enter (UM_BUTTON_ENTER) and losing the focus
// (UM_BUTTON_KILLFOCUS).
class CFlatButton : public QPushButton, public KeyPreview {
public:
  explicit CFlatButton(QWidget* parent = nullptr);
  bool PreviewKey(QKeyEvent* event) override;

protected:
  void focusOutEvent(QFocusEvent* event) override;
};

// The auto-repeat schedule: the ticks of 25 ms from one step to the next,
// by the number of steps already made (about 200, 125, 100, then 50 ms).
int RepeatTicksForStep(int stepsMade);

// Counts ticks and says when a step is due.
struct RepeatSchedule {
  int ticks = 0;
  int steps = 0;
  bool Tick();  // true when this tick makes a step
};

// One step of a repeat button's value, clamped to [min, max].
int RepeatStepValue(int value, bool down, int step, int min, int max);

// A button that steps its owner's value while the left button is held and
// sends UM_REPEAT_STEP with the new value at each step; the release then
// completes an ordinary click. The repeat runs on a timer and stops as soon
// as the button is no longer pressed, also when a modal box opens over it
// (a modal window that was already running at the press, such as the main
// window under exec(), is no reason to stop).
class CRepeatButton : public QPushButton, public KeyPreview {
public:
  static constexpr int kTickMs = 25;

  explicit CRepeatButton(QWidget* parent = nullptr);
  // Stores the settings and writes `initial` into *value; a maximum below
  // the minimum is raised to it. notifyWnd null: the page around the button.
  void SetupRepeat(QWidget* notifyWnd, int* value, int initial, bool down, int step, int min, int max);
  bool PreviewKey(QKeyEvent* event) override;

  // One tick of the repeat (the timer calls it; tests call it directly).
  void RepeatTick();
  bool IsRepeating() const { return timer_.isActive(); }

  int* m_pValue = nullptr;
  bool m_down = false;
  int m_step = 1;
  int m_min = 0;
  int m_max = 0;
  QPointer<QWidget> m_notifyWnd;

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  void StopRepeat();
  QTimer timer_;
  RepeatSchedule schedule_;
  QPointer<QWidget> modalAtPress_;
  bool inTick_ = false;
};

// A grid cell: a static that shows a value, turns red while focused and
// black when the focus leaves it, draws a focus frame while focused, reports
// Enter (UM_CELL_ACTIVATE), Tab (UM_NEXT_CONTROL) and Shift+Tab
// (UM_PREV_CONTROL), and tells its page of a click. A click never opens the
// cell's text: data files put arbitrary text there.
class CLinkStatic : public QLabel, public KeyPreview {
  Q_OBJECT
public:
  static constexpr int kFocusFrameWidth = 2;

  explicit CLinkStatic(QWidget* parent = nullptr);
  void SetTextColor(const QColor& color);
  QColor TextColor() const { return textColor_; }
  bool PreviewKey(QKeyEvent* event) override;

signals:
  void clicked();

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

private:
  QColor textColor_;
};

// The pick list: Enter reports UM_LIST_CHOSEN, Tab UM_LIST_TAB; a
// double-click is the list's own itemDoubleClicked. Esc is told by
// `escaped` and goes on to the page, which swallows it.
class CHotListBox : public QListWidget, public KeyPreview {
  Q_OBJECT
public:
  explicit CHotListBox(QWidget* parent = nullptr);
  bool PreviewKey(QKeyEvent* event) override;

signals:
  void escaped();
};

// A combo box that can refuse the letter keys A-Z (so typing does not move
// its selection); every other key, the F-keys included, passes.
class CKeyCombo : public QComboBox, public KeyPreview {
public:
  explicit CKeyCombo(QWidget* parent = nullptr);
  void SetEditLimits(QWidget* notifyWnd, int lettersAllowed);
  bool PreviewKey(QKeyEvent* event) override;

  QPointer<QWidget> m_notifyWnd;  // stored only
  bool m_lettersAllowed = true;
};
