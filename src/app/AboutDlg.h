#pragma once
// "About RP58": the version and the product line.
#include <QDialog>

inline constexpr const char* kVersionText = "Version 3.01";

class CAboutDlg : public QDialog {
  Q_OBJECT
public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};
