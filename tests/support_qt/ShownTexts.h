#pragma once
// Whether a shown window's texts fit, measured on the widgets themselves:
// each caption, cell choice, button text and list row against the room its
// control leaves for text at the control's own font.
#include <QWidget>
#include <string>
#include <vector>

// The texts of `window`'s shown controls that would be cut, each with the
// room it has; an edit's text that it scrolls to show or that a sibling
// covers in part; and any text control whose font is under 7 points.
std::vector<std::string> CutTexts(const QWidget* window);

// The rows of a shown pick list that are wider than its viewport, and a
// horizontal scroll bar if it shows one.
std::vector<std::string> CutListRows(const class QListWidget* list);

// For a test that checks a page at `dpi` logical dots per inch. False when
// this process's screen has them: the test goes on here. Else the current
// test runs in a child process of this binary whose screen has them (Qt's
// own scaling off, so fonts grow in pixels as on such a desktop), its
// outcome is checked here, and the answer is true: the test returns.
bool RanElsewhereAtDpi(int dpi);
