#pragma once
// The OK / Cancel row of the small dialogs, numbered 1 and 2 as their
// templates number them.
#include <QDialogButtonBox>

class QDialog;
class QBoxLayout;

QDialogButtonBox* AddDialogButtons(QDialog* dialog, QBoxLayout* layout,
                                   QDialogButtonBox::StandardButtons buttons = QDialogButtonBox::Ok |
                                                                               QDialogButtonBox::Cancel);
