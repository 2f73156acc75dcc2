#include "platform/ControlIds.h"

int ControlId(const QObject* control) {
  if (control == nullptr) return 0;
  bool ok = false;
  const int id = control->objectName().toInt(&ok);
  return ok ? id : 0;
}

QWidget* FindControl(const QWidget* window, int id) { return FindControl<QWidget>(window, id); }
