#pragma once
// The part of the screen a window may take: the screen's available geometry
// (without panels and docks). Tests give another.
#include <QRect>

class QWidget;

// The available area of the window's screen, or the one set below.
QRect AvailableScreenArea(const QWidget* window);
// Stands in for every screen's available area; a null rectangle restores them.
void SetAvailableScreenArea(const QRect& area);
