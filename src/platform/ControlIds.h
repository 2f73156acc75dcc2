#pragma once
// Controls carry their dialog control number as their objectName ("1026"),
// so pages, the main dialog and tests find them by number.
#include <QString>
#include <QWidget>

inline void SetControlId(QWidget* control, int id) { control->setObjectName(QString::number(id)); }

// The control's number; 0 when it has none.
int ControlId(const QObject* control);

// The first descendant of `window` with that number, or nullptr.
QWidget* FindControl(const QWidget* window, int id);

template <class T>
T* FindControl(const QWidget* window, int id) {
  return window == nullptr ? nullptr : window->findChild<T*>(QString::number(id));
}
