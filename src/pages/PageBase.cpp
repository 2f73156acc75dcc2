#include "pages/PageBase.h"

bool g_portableModelChange = false;
bool g_printingKeyPage = false;
IMainDialog* g_pMainDlg = nullptr;

void PostToMainWindow(QWidget* page, unsigned msg, WParam wParam, LParam lParam) {
  PostUserMessage(g_pMainDlg != nullptr ? g_pMainDlg->Window() : page->window(), msg, wParam, lParam);
}
