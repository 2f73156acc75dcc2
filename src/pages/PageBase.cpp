#include "pages/PageBase.h"

#include <QLayout>

int g_portableModelChange = 0;
int g_printingKeyPage = 0;
IMainDialog* g_pMainDlg = nullptr;

CSettingsPage::CSettingsPage(int templateId, QWidget* parent) : QWidget(parent), m_templateId(templateId) {
  QWidget::hide();
}

bool CSettingsPage::CreatePage(QWidget* parent) {
  if (parentWidget() != parent) setParent(parent);
  if (parent != nullptr && parent->layout() != nullptr && parent->layout()->indexOf(this) < 0)
    parent->layout()->addWidget(this);
  m_hasWindow = true;
  OnInitDialog();
  show();
  return true;
}

void CSettingsPage::DestroyPage() {
  if (!m_hasWindow) return;
  m_hasWindow = false;
  hide();
}
