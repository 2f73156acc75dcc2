#pragma once
// The part of the screen a window may take: the screen's available geometry
// (without panels and docks). Tests give another.
#include <QRect>

class QWidget;

// The available area of the window's screen, or the one set below.
QRect AvailableScreenArea(const QWidget* window);
// Stands in for every screen's available area; a null rectangle restores them.
void SetAvailableScreenArea(const QRect& area);

// For a dialog about to show (the application object calls it for every
// window after its show event, once the dialog has placed itself): moves it
// onto the available area; one wider or taller than the area keeps its push
// buttons on it and as much of itself as the area holds. Other windows stay.
void KeepDialogOnScreen(QWidget* window);
