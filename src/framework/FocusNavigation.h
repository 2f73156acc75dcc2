#pragma once
// The focus moves that value cells and edits ask their page for: Tab and
// Shift+Tab on a cell that consumes those keys itself, Enter on an edit set
// up to move on. Pages call these from OnUserMessage for UM_NEXT_CONTROL,
// UM_NEXT_CONTROL_2 and UM_PREV_CONTROL.
#include "platform/UserMessages.h"

class QWidget;

// Moves the focus to the next (previous) enabled, visible tab stop inside
// `page`, wrapping round as a dialog does. Returns 0, the handlers' answer.
LParam OnNextControl(QWidget* page);
LParam OnPrevControl(QWidget* page);
