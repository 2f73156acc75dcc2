#include "app/DialogButtons.h"

#include <QBoxLayout>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "platform/ControlIds.h"

QDialogButtonBox* AddDialogButtons(QDialog* dialog, QBoxLayout* layout, QDialogButtonBox::StandardButtons buttons) {
  auto* box = new QDialogButtonBox(buttons, dialog);
  if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) SetControlId(ok, 1);
  if (QPushButton* cancel = box->button(QDialogButtonBox::Cancel)) SetControlId(cancel, 2);
  QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  layout->addWidget(box);
  return box;
}

QLabel* AddControlLabel(QWidget* parent, QBoxLayout* layout, int id, const QString& text) {
  auto* label = new QLabel(text, parent);
  SetControlId(label, id);
  layout->addWidget(label);
  return label;
}

QPushButton* AddControlButton(QWidget* parent, QBoxLayout* layout, int id, const QString& text) {
  auto* button = new QPushButton(text, parent);
  SetControlId(button, id);
  button->setAutoDefault(false);
  layout->addWidget(button);
  return button;
}
