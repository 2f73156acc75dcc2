#pragma once
// The OK / Cancel row of the small dialogs, numbered 1 and 2 as their
// templates number them.
#include <QDialogButtonBox>

#include <QString>

class QDialog;
class QBoxLayout;
class QLabel;
class QPushButton;
class QWidget;

QDialogButtonBox* AddDialogButtons(QDialog* dialog, QBoxLayout* layout,
                                   QDialogButtonBox::StandardButtons buttons = QDialogButtonBox::Ok |
                                                                               QDialogButtonBox::Cancel);

// A label or a push button with its template number, added to a layout.
// The buttons never take Enter by themselves.
QLabel* AddControlLabel(QWidget* parent, QBoxLayout* layout, int id, const QString& text = QString());
QPushButton* AddControlButton(QWidget* parent, QBoxLayout* layout, int id, const QString& text);
