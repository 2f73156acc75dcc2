#pragma once
// The templates were measured in a narrower font than the desktop's, so a
// caption, a cell's choice or a list's longest row can be wider than its
// control. Rather than cut it or shrink the font, the page makes room: a
// control whose text does not fit grows, together with every control that
// shares its column (same left and right edge) and whatever spans that
// column, and everything standing right of the column moves over by as much.
#include <QStringList>

class QListWidget;
class QWidget;

// The texts a control may show besides its current one (a grid cell's
// choices), as a QStringList property that the fitting reads.
inline constexpr char kFitTextsProperty[] = "rp58FitTexts";
void SetFitTexts(QWidget* control, const QStringList& texts);

// How much wider the control must be to show its widest text whole at its
// own font: labels, buttons, lists and edits (an edit's widest text is the
// longest it takes); 0 when it fits or shows no text.
int MissingWidth(const QWidget* control);

// Widens every column of `body`'s children that holds a control too narrow
// for its text, and moves what stands right of it. Hidden controls move
// with their column but are not measured, except an edit in a column of
// shown controls (a cell the page shows by state).
void FitTextsToContent(QWidget* body);

// The width a pick list needs to show its widest row without a horizontal
// scroll bar, at `height`.
int PickListWidth(const QListWidget* list, int height);
