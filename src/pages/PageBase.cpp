#include "pages/PageBase.h"

#include "model/FreshStart.h"

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
