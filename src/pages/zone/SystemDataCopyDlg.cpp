#include "pages/zone/SystemDataCopyDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>

#include "platform/ControlIds.h"

namespace {

QString SystemText(int zone) {
  char text[24];
  std::snprintf(text, sizeof text, "System%2d", zone + 1);
  return QString::fromLatin1(text);
}

}  // namespace

CSystemDataCopyDlg::CSystemDataCopyDlg(int source, QWidget* parent) : QDialog(parent), m_source(source) {
  setWindowTitle(QStringLiteral("System Data Copy"));
  auto* grid = new QGridLayout(this);
  const auto label = [&](int id, const QString& text, int row, int column) {
    auto* l = new QLabel(text, this);
    SetControlId(l, id);
    grid->addWidget(l, row, column);
    return l;
  };
  label(1424, QStringLiteral("Source"), 0, 0);
  label(system_copy::kSourceCaption, SystemText(source), 0, 1);
  label(1426, QStringLiteral("Destination"), 1, 0);

  // Every zone but the source, in zone order; the user may also type.
  m_list = new QComboBox(this);
  SetControlId(m_list, system_copy::kDestination);
  m_list->setEditable(true);
  m_list->setInsertPolicy(QComboBox::NoInsert);
  m_list->setMaxVisibleItems(8);
  for (int zone = 0; zone < kZoneCount; ++zone)
    if (zone != source) m_list->addItem(SystemText(zone));
  m_list->setCurrentIndex(0);
  grid->addWidget(m_list, 1, 1);

  auto* buttons = new QVBoxLayout;
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  SetControlId(ok, 1);
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  SetControlId(cancel, 2);
  // Enter on a focused Cancel cancels; everywhere else it is OK's.
  cancel->setAutoDefault(true);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addStretch();
  grid->addLayout(buttons, 0, 2, 2, 1);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CSystemDataCopyDlg::accept() {
  // The row the edit field names; a text that names no row is no choice.
  const int row = m_list->findText(m_list->currentText().trimmed(), Qt::MatchFixedString);
  m_result = row < 0 ? kNoZone : ZoneOfRow(row, m_source);
  QDialog::accept();
}

void CSystemDataCopyDlg::reject() {
  m_result = kNoZone;
  QDialog::reject();
}
