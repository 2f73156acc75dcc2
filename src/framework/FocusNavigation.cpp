#include "framework/FocusNavigation.h"

#include <QApplication>
#include <QWidget>

namespace {

bool IsTabStop(const QWidget* w, const QWidget* page) {
  return page->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) != 0 && w->isEnabled() && w->isVisibleTo(page);
}

LParam MoveFocus(QWidget* page, bool previous) {
  QWidget* current = QApplication::focusWidget();
  if (current == nullptr || !page->isAncestorOf(current)) current = page;
  // The focus chain is a ring over the whole window; take the first tab stop
  // of this page after (before) the current control.
  for (QWidget* w = previous ? current->previousInFocusChain() : current->nextInFocusChain(); w != current;
       w = previous ? w->previousInFocusChain() : w->nextInFocusChain()) {
    if (IsTabStop(w, page)) {
      w->setFocus(previous ? Qt::BacktabFocusReason : Qt::TabFocusReason);
      break;
    }
  }
  return 0;
}

}  // namespace

LParam OnNextControl(QWidget* page) { return MoveFocus(page, false); }
LParam OnPrevControl(QWidget* page) { return MoveFocus(page, true); }
