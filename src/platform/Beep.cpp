#include "platform/Beep.h"

#include <QApplication>

namespace {
std::function<void()>& Hook() {
  static std::function<void()> hook;
  return hook;
}
}  // namespace

void MessageBeep() {
  if (Hook()) {
    Hook()();
    return;
  }
  QApplication::beep();
}

void SetBeepHook(std::function<void()> hook) { Hook() = std::move(hook); }
