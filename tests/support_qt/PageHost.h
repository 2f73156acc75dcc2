#pragma once
// What a page test needs of the program around a page: the posted events
// delivered, and a stand-in main window that hands the page's messages to a
// recording window. Header only: the stand-in asks the program's own save
// question, which only the suites that link the app have.
#include <QCoreApplication>
#include <QWidget>
#include <string>
#include <vector>

#include "app/SaveQuestion.h"
#include "pages/PageBase.h"

inline void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::sendPostedEvents();
}

// The main window as the pages reach it: the real save question over a save
// that succeeds or fails as the test says, and a note of each memory-editor
// request and help request.
class FakeMainDlg : public IMainDialog, public ISaveTarget {
public:
  explicit FakeMainDlg(QWidget* window) : window_(window) {}
  int ConfirmSaveChanges() override {
    ++questions;
    return ::ConfirmSaveChanges(*this);
  }
  void OnRomEdit() override { ++romEdits; }
  QWidget* Window() override { return window_; }
  void ShowHelp(int controlId) override { helps.push_back(controlId); }
  bool SaveFile() override {
    ++saves;
    return saveSucceeds;
  }
  std::string FileLineText() const override { return "File:RADIO.K58"; }

  bool saveSucceeds = true;
  int questions = 0;
  int saves = 0;
  int romEdits = 0;
  std::vector<int> helps;

private:
  QWidget* window_;
};
