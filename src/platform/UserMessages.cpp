#include "platform/UserMessages.h"

#include <QCoreApplication>
#include <QWidget>

UserMessageEvent::UserMessageEvent(unsigned m, WParam w, LParam l)
    : QEvent(EventType()), msg(m), wParam(w), lParam(l) {}

QEvent::Type UserMessageEvent::EventType() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

LParam UserMessageTarget::OnUserMessage(unsigned, WParam, LParam) { return 0; }

bool UserMessageTarget::DeliverUserMessage(QEvent* event) {
  if (event->type() != UserMessageEvent::EventType()) return false;
  auto* um = static_cast<UserMessageEvent*>(event);
  um->result = OnUserMessage(um->msg, um->wParam, um->lParam);
  return true;
}

LParam SendUserMessage(QObject* target, unsigned msg, WParam wParam, LParam lParam) {
  if (target == nullptr) return 0;
  UserMessageEvent event(msg, wParam, lParam);
  QCoreApplication::sendEvent(target, &event);
  return event.result;
}

void PostUserMessage(QObject* target, unsigned msg, WParam wParam, LParam lParam) {
  if (target == nullptr) return;
  QCoreApplication::postEvent(target, new UserMessageEvent(msg, wParam, lParam));
}

QWidget* NotifyTargetOf(const QWidget* control) {
  if (control == nullptr) return nullptr;
  for (QWidget* w = control->parentWidget(); w != nullptr; w = w->parentWidget())
    if (dynamic_cast<UserMessageTarget*>(w) != nullptr) return w;
  return control->parentWidget();
}
