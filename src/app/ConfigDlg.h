#pragma once
// The "Configuration" dialog: which COM port the serial tasks use.
#include <QComboBox>
#include <QDialog>

#include "platform/KeyPreview.h"

// A drop-down list on which Enter opens and closes the list, as F4 does.
class CComPortCombo : public QComboBox {
  Q_OBJECT
public:
  using QComboBox::QComboBox;

protected:
  void keyPressEvent(QKeyEvent* event) override;
};

class CConfigDlg : public QDialog, public KeyPreview {
  Q_OBJECT
public:
  explicit CConfigDlg(QWidget* parent = nullptr);
  int ComIndex() const { return m_comIndex; }

  void accept() override;
  bool PreviewKey(QKeyEvent* event) override;

private:
  CComPortCombo* m_combo;
  int m_comIndex = 0;
};
