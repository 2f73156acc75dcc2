#pragma once
// What a page test needs of the program around a page: the posted events
// delivered, and a stand-in main window that hands the page's messages to a
// recording window.
#include <QCoreApplication>
#include <QWidget>

#include "pages/PageBase.h"

inline void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::sendPostedEvents();
}

class PageHostMainDlg : public IMainDialog {
public:
  explicit PageHostMainDlg(QWidget* window) : window_(window) {}
  int ConfirmSaveChanges() override { return 1; }
  void OnRomEdit() override {}
  QWidget* Window() override { return window_; }

private:
  QWidget* window_;
};
