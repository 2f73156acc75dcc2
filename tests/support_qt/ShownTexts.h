#pragma once
// Whether a shown window's texts fit, measured on the widgets themselves:
// each caption, cell choice, button text and list row against the room its
// control leaves for text at the control's own font.
#include <QWidget>
#include <string>
#include <vector>

// The texts of `window`'s shown controls that would be cut, each with the
// room it has; and any text control whose font is under 7 points.
std::vector<std::string> CutTexts(const QWidget* window);

// The rows of a shown pick list that are wider than its viewport, and a
// horizontal scroll bar if it shows one.
std::vector<std::string> CutListRows(const class QListWidget* list);
