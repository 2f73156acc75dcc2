#include "platform/ScreenArea.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {
QRect g_area;
}  // namespace

QRect AvailableScreenArea(const QWidget* window) {
  if (!g_area.isNull()) return g_area;
  const QScreen* screen = window != nullptr ? window->screen() : QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->availableGeometry() : QRect();
}

void SetAvailableScreenArea(const QRect& area) { g_area = area; }
