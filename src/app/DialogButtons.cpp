#include "app/DialogButtons.h"

#include <QBoxLayout>
#include <QDialog>
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
