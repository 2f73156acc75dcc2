#include "framework/GridPage.h"

#include <QLineEdit>

#include "framework/EditControls.h"
#include "framework/FocusNavigation.h"

CGridPage::CGridPage(int templateId, QSize templateSize, int fontPoints)
    : CScrollablePage(templateId, templateSize, nullptr, fontPoints) {}

bool CGridPage::OnInitDialog() {
  CScrollablePage::OnInitDialog();
  bold_ = font();
  bold_.setWeight(QFont::Bold);
  grid_.Clear();
  BuildGrid();
  for (QLineEdit* edit : Body()->findChildren<QLineEdit*>()) edit->installEventFilter(this);
  RefreshGrid();
  return true;
}

void CGridPage::RefreshGrid() {
  if (!HasWindow()) return;
  CommitTyping();
  grid_.SetFirstItem(FirstShownItem());
  grid_.Refresh();
}

LParam CGridPage::OnUserMessage(unsigned msg, WParam wParam, LParam lParam) {
  (void)lParam;
  switch (msg) {
    case UM_NEXT_CONTROL:
    case UM_NEXT_CONTROL_2:
      return OnNextControl(this);
    case UM_PREV_CONTROL:
      return OnPrevControl(this);
    default:
      grid_.OnUserMessage(msg, wParam);
      return 0;
  }
}

bool CGridPage::eventFilter(QObject* watched, QEvent* event) {
  SelectAllOnEntry(watched, event);
  return CScrollablePage::eventFilter(watched, event);
}

void CGridPage::OnDestroyWindow() {
  CommitTyping();
  grid_.Clear();
}

void CGridPage::showEvent(QShowEvent* event) {
  CScrollablePage::showEvent(event);
  RefreshGrid();
}
