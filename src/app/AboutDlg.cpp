#include "app/AboutDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/DialogButtons.h"
#include "platform/ControlIds.h"

namespace {
QLabel* BoldLabel(const QString& text, int pointSize, int id, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  QFont font = parent->font();
  font.setBold(true);
  font.setPointSize(pointSize);
  label->setFont(font);
  SetControlId(label, id);
  return label;
}
}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About RP58"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BoldLabel(QStringLiteral("RP58 ") + QString::fromLatin1(kVersionText), 15, 1572, this));
  layout->addWidget(BoldLabel(QStringLiteral("TM-6600 LTR/730A Programming Software"), 11, 1573, this));
  AddDialogButtons(this, layout, QDialogButtonBox::Ok);
}
