#include "pages/PageBase.h"

int g_portableModelChange = 0;
int g_printingKeyPage = 0;
IMainDialog* g_pMainDlg = nullptr;

void PostToMainWindow(QWidget* page, unsigned msg, WParam wParam, LParam lParam) {
  PostUserMessage(g_pMainDlg != nullptr ? g_pMainDlg->Window() : page->window(), msg, wParam, lParam);
}
