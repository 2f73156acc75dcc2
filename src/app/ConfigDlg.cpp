#include "app/ConfigDlg.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

#include "app/DialogButtons.h"
#include "app/Help.h"
#include "model/ConfigFile.h"
#include "model/DataFile.h"
#include "platform/ControlIds.h"

void CComPortCombo::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    showPopup();
    return;
  }
  QComboBox::keyPressEvent(event);
}

CConfigDlg::CConfigDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Configuration"));
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(QStringLiteral("Select COM Port"), this);
  SetControlId(label, 3610);
  layout->addWidget(label);
  m_combo = new CComPortCombo(this);
  SetControlId(m_combo, 4535);
  for (int n = 1; n <= 16; ++n) m_combo->addItem(QStringLiteral("COM %1").arg(n));
  layout->addWidget(m_combo);
  AddDialogButtons(this, layout);

  m_comIndex = g_config.GetComPortIndex();
  m_combo->setCurrentIndex(m_comIndex);
  connect(m_combo, &QComboBox::currentIndexChanged, this, [this](int i) { m_comIndex = i; });
}

void CConfigDlg::accept() {
  // The choice holds for this run even when it cannot be kept for the next.
  g_config.SetComPortIndex(static_cast<std::int16_t>(m_comIndex));
  if (const ConfigWriteResult written = g_config.WriteConfig(); !written) {
    std::error_code ignored;
    ShowSaveProblem(std::filesystem::absolute(written.failedFile, ignored).string(), written.error);
  }
  QDialog::accept();
}

bool CConfigDlg::PreviewKey(QKeyEvent* event) {
  QWidget* focus = focusWidget();
  const int id = ControlId(focus);
  if (event->key() == Qt::Key_F1) {
    if (id <= 0 || id == 9) return false;
    ShowHelpContext(id);
    return true;
  }
  if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) return false;
  // Enter acts only on the OK and Cancel buttons, and opens the COM list.
  return !(id == 1 || id == 2 || focus == m_combo);
}
