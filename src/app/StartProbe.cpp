#include "app/StartProbe.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <cstdio>

namespace {

class StartProbe : public QObject {
public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !painted_) {
      painted_ = true;
      // The rest of the window paints in the same pass; the loop then waits.
      connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
              &StartProbe::OnIdle, Qt::SingleShotConnection);
    }
    return QObject::eventFilter(watched, event);
  }

private:
  void OnIdle() {
    std::printf("%s\n", kStartProbeMarker);
    std::fflush(stdout);
    QCoreApplication::exit(0);
  }

  bool painted_ = false;
};

}  // namespace

void InstallStartProbe() {
  if (qEnvironmentVariableIsEmpty("RP58_START_PROBE")) return;
  QCoreApplication* app = QCoreApplication::instance();
  app->installEventFilter(new StartProbe(app));
}
