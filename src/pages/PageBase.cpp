#include "pages/PageBase.h"

int g_portableModelChange = 0;
int g_printingKeyPage = 0;
IMainDialog* g_pMainDlg = nullptr;
