#include "platform/ScreenArea.h"

#include <QDialog>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

namespace {
QRect g_area;

// How far to move the span [first, last] of what must show into [low, high];
// a span longer than that keeps its start in.
int ShiftInto(int first, int last, int low, int high) {
  if (first < low || last - first > high - low) return low - first;
  if (last > high) return high - last;
  return 0;
}

// What must show of a dialog larger than the area along one axis: its buttons
// and what lies between them and the nearer edge (the margin around them).
int ShiftButtonsInto(int first, int last, int frameFirst, int frameLast, int low, int high) {
  if (first + last >= frameFirst + frameLast) return ShiftInto(first, frameLast, low, high);
  return ShiftInto(frameFirst, last, low, high);
}

// The dialog's own push buttons, in screen coordinates; empty without any.
QRect ButtonsOf(const QWidget* dialog) {
  QRect buttons;
  for (const QPushButton* b : dialog->findChildren<QPushButton*>()) {
    if (b->window() == dialog && b->isVisibleTo(dialog)) buttons |= QRect(b->mapToGlobal(QPoint(0, 0)), b->size());
  }
  return buttons;
}
}  // namespace

QRect AvailableScreenArea(const QWidget* window) {
  if (!g_area.isNull()) return g_area;
  const QScreen* screen = window != nullptr ? window->screen() : QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->availableGeometry() : QRect();
}

void SetAvailableScreenArea(const QRect& area) { g_area = area; }

void KeepDialogOnScreen(QWidget* window) {
  if (window == nullptr || !window->isWindow() || qobject_cast<QDialog*>(window) == nullptr) return;
  const QRect area = AvailableScreenArea(window);
  if (area.isEmpty()) return;
  const QRect frame = window->frameGeometry();
  // First the whole dialog as far as the area holds it, then its buttons.
  QPoint shift(ShiftInto(frame.left(), frame.right(), area.left(), area.right()),
               ShiftInto(frame.top(), frame.bottom(), area.top(), area.bottom()));
  const QRect buttons = ButtonsOf(window);
  if (!buttons.isEmpty()) {
    const QRect placed = frame.translated(shift);
    const QRect keep = buttons.translated(shift);
    if (frame.width() > area.width())
      shift.rx() +=
          ShiftButtonsInto(keep.left(), keep.right(), placed.left(), placed.right(), area.left(), area.right());
    if (frame.height() > area.height())
      shift.ry() +=
          ShiftButtonsInto(keep.top(), keep.bottom(), placed.top(), placed.bottom(), area.top(), area.bottom());
  }
  if (shift.isNull()) return;
  window->move(window->pos() + shift);
}
