#include "pages/PageBase.h"

#include "model/FreshStart.h"
#include "platform/Beep.h"

// Set by the fresh start below.
bool g_portableModelChange;
bool g_printingKeyPage;
IMainDialog* g_pMainDlg;

namespace {
// No model change pending, no print running, no main window.
void FreshPageState() {
  g_portableModelChange = false;
  g_printingKeyPage = false;
  g_pMainDlg = nullptr;
}
const FreshStartReset kFreshStart(&FreshPageState);
}  // namespace

void PostToMainWindow(QWidget* page, unsigned msg, WParam wParam, LParam lParam) {
  PostUserMessage(g_pMainDlg != nullptr ? g_pMainDlg->Window() : page->window(), msg, wParam, lParam);
}

void CFirstSystemPageBase::ShowFromZone(int zone) {
  SetFirstSystem(zone);
  grid_.Dismiss();
  RefreshGrid();
}

void CFirstSystemPageBase::StepZone(int delta) {
  MessageBeep();
  ShowFromZone(m_firstSystem + delta);
}

LParam CFirstSystemPageBase::OnUserMessage(unsigned msg, WParam wParam, LParam lParam) {
  if (msg != UM_REPEAT_STEP) return CGridPage::OnUserMessage(msg, wParam, lParam);
  // A held arrow's step: the arrow has written the new first zone already.
  ShowFromZone(static_cast<int>(lParam & 0xFF));
  return 0;
}
