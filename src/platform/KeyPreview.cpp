#include "platform/KeyPreview.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QWheelEvent>
#include <QWidget>
#include <vector>

#include "platform/ScreenArea.h"

bool PreviewKeyPress(QObject* receiver, QKeyEvent* event) {
  if (receiver == nullptr || !receiver->isWidgetType()) return false;
  // Collect the chain first: a previewer may close windows on the way.
  std::vector<QPointer<QWidget>> chain;
  // An open menu runs its own keys (Enter chooses, Esc closes): the window
  // that owns the menu bar must not see them.
  if (qobject_cast<QMenu*>(receiver) != nullptr) return false;
  for (QWidget* w = static_cast<QWidget*>(receiver); w != nullptr; w = w->parentWidget()) {
    chain.emplace_back(w);
    if (w->isWindow() && w->windowType() != Qt::Popup) break;
  }
  for (const auto& w : chain) {
    if (w.isNull()) continue;
    if (auto* preview = dynamic_cast<KeyPreview*>(w.data()); preview != nullptr && preview->PreviewKey(event))
      return true;
  }
  return false;
}

Rp58Application::Rp58Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Rp58Application::notify(QObject* receiver, QEvent* event) {
  // notify() runs once per delivered key; the propagation to parents of an
  // ignored key happens inside QApplication::notify and is not seen again.
  if (event->type() == QEvent::KeyPress && PreviewKeyPress(receiver, static_cast<QKeyEvent*>(event))) return true;
  if (event->type() == QEvent::Wheel) {
    if (auto* combo = qobject_cast<QComboBox*>(receiver); combo != nullptr && !combo->hasFocus()) {
      // The wheel goes past the setting to what scrolls around it.
      const auto* wheel = static_cast<QWheelEvent*>(event);
      for (QWidget* w = combo; !w->isWindow() && w->parentWidget() != nullptr;) {
        w = w->parentWidget();
        QWheelEvent past(w->mapFromGlobal(wheel->globalPosition()), wheel->globalPosition(), wheel->pixelDelta(),
                         wheel->angleDelta(), wheel->buttons(), wheel->modifiers(), wheel->phase(), wheel->inverted(),
                         wheel->source());
        QApplication::notify(w, &past);
        if (past.isAccepted()) break;
      }
      return true;
    }
  }
  if (event->type() == QEvent::Show && receiver->isWidgetType() && !event->spontaneous()) {
    // After the show event has placed the window, before the window system shows it.
    const QPointer<QWidget> window = static_cast<QWidget*>(receiver);
    const bool result = QApplication::notify(receiver, event);
    if (window != nullptr) KeepDialogOnScreen(window);
    return result;
  }
  return QApplication::notify(receiver, event);
}
