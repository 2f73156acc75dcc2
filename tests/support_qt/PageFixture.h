#pragma once
// A page of the family the test is run for (the parameter), shown as the
// main window shows it inside a stand-in main window that records the user
// messages and keys it receives: fresh program state, a radio image, a
// scratch working folder and scripted message boxes around it, and helpers
// that drive the page as a user does.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QSize>
#include <QTest>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "PageHost.h"
#include "ProgramState.h"
#include "QtTestSupport.h"
#include "ScriptedMessages.h"
#include "TestNames.h"
#include "framework/ButtonsAndLists.h"
#include "framework/GridBinder.h"
#include "model/DataFile.h"
#include "model/FamilyModel.h"
#include "model/ModelChange.h"
#include "platform/ControlIds.h"

// Page: the class the test reaches the page through; Control() looks for a
// DefaultControl unless told otherwise.
template <class Page, class DefaultControl>
class PageFixture : public ::testing::TestWithParam<Family> {
protected:
  void SetUp() override {
    ASSERT_TRUE(AllocateRadioImage());  // as the program's start-up does
    family = GetParam();
    g_isPortable = family == kPortable;
    g_pMainDlg = &mainDlg;
    host.resize(900, 700);
    host.show();
    host.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    Start();
  }
  void TearDown() override {
    Close();
    g_pMainDlg = nullptr;
  }
  // Runs once the host is shown: gives the radio its start and opens the page.
  virtual void Start() {}

  // The family's UHF default radio, as a fresh program finds the family.
  void StartDefaultRadio() {
    ResetToDefaultModel(family == kPortable ? kFamilyPortableUhf : kFamilyMobileUhf);
    g_dataModified = 0;
  }
  // A new page object of the family's class; the old one's window goes first.
  template <class Mobile, class Portable>
  void Make() {
    Close();
    if (family == kPortable)
      page = std::make_unique<Portable>();
    else
      page = std::make_unique<Mobile>();
  }
  // Builds the page's window in the host and shows it, at `size` (empty: as
  // the page builds it).
  void Show(QSize size = {}) {
    size_ = size;
    ASSERT_TRUE(page->Create(&host));
    if (!size.isEmpty()) page->resize(size);
    page->show();
    Settle();
  }
  // Takes the window down, as leaving the tab does.
  void Close() {
    if (page == nullptr || !page->HasWindow()) return;
    page->DestroyWindow();
    Settle();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  // Builds the window again, as a tab switch back to the page does.
  void Reopen() {
    Close();
    Show(size_);
  }

  template <class T = DefaultControl>
  T* Control(int id) const {
    return FindControl<T>(page->Body(), id);
  }

  // Gives an edit the focus and types into it, its whole text replaced.
  void Type(QLineEdit* edit, const QString& text) {
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    Settle();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  void Type(int editId, const QString& text) {
    SCOPED_TRACE(editId);
    Type(Control<QLineEdit>(editId), text);
  }
  // Moves the focus to the control `leaveTo_` names, leaving whatever had it.
  void Leave() {
    QWidget* away = Control<QWidget>(leaveTo_);
    ASSERT_NE(away, nullptr) << leaveTo_;
    away->setFocus();
    Settle();
  }
  void TypeAndLeave(int editId, const QString& text) {
    Type(editId, text);
    Leave();
  }

  // Opens the cell's list, picks the row, and commits it with Enter (a list
  // that commits on the change of row is closed by then).
  void Choose(CLinkStatic* cell, int row) {
    ASSERT_NE(cell, nullptr);
    QTest::mouseClick(cell, Qt::LeftButton);
    CHotListBox* list = page->Grid().OpenList();
    ASSERT_NE(list, nullptr);
    list->setCurrentRow(row);
    if (page->Grid().OpenList() == list) QTest::keyClick(list, Qt::Key_Return);
    Settle();
  }
  void Choose(int cellId, int row) {
    SCOPED_TRACE(cellId);
    Choose(Control<CLinkStatic>(cellId), row);
  }

  // The data as a saved file holds it.
  std::vector<std::uint8_t> Saved(const std::string& name = "page.dat") {
    EXPECT_TRUE(g_dataFile.SaveDataFile(name)) << (messages.texts().empty() ? "" : messages.texts().back());
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  FreshProgramState fresh_;
  TempDir dir_;
  Family family = kMobile;
  RecordingKeysWindow host;
  FakeMainDlg mainDlg{&host};
  std::unique_ptr<Page> page;
  ScriptedMessages messages;
  int leaveTo_ = 0;  // the control Leave() gives the focus to

private:
  QSize size_;
};
