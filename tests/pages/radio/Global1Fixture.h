#pragma once
// A Global 1 page of either family shown inside a stand-in main window that
// records the user messages it receives.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <memory>

#include "PageHost.h"
#include "ProgramState.h"
#include "QtTestSupport.h"
#include "ScriptedMessages.h"
#include "model/FamilyModel.h"
#include "model/Privilege.h"
#include "model/RadioData.h"
#include "pages/radio/Global1Page.h"

// A user's pick: the row becomes current and the list reports the choice.
inline void UserChooses(QComboBox* combo, int row) {
  combo->setCurrentIndex(row);
  emit combo->activated(row);
}

class Global1Fixture : public ::testing::TestWithParam<Family> {
protected:
  void SetUp() override {
    ResetProgramState();
    ASSERT_TRUE(AllocateRadioImage());  // as the program's start-up does
    family = GetParam();
    g_isPortable = family == kPortable ? 1 : 0;
    g_mobileData.m_productWord = 11u << 8;
    g_portableProductWord = 0;
    g_portableModelChange = 0;
    g_pMainDlg = &mainDlg;
    if (family == kPortable) {
      page = std::make_unique<CPortableGlobal1Page>();
    } else {
      page = std::make_unique<CMobileGlobal1Page>();
    }
    host.resize(900, 700);
    host.show();
    ASSERT_TRUE(page->Create(&host));
    page->show();
    Settle();
  }
  void TearDown() override {
    page->DestroyWindow();
    Settle();
    g_pMainDlg = nullptr;
  }

  int Col() const { return family == kPortable ? 1 : 0; }
  CGlobalRecord& Record() const { return ModelOf(family).global; }
  template <class T = QComboBox>
  T* Control(int id) const {
    return FindControl<T>(page->Body(), id);
  }
  template <class T = QComboBox>
  T* Control(const std::array<int, 2>& ids) const {
    return Control<T>(ids[static_cast<std::size_t>(Col())]);
  }
  // Rebuilds the window, as a tab switch back to the page does.
  void Reopen() {
    page->DestroyWindow();
    Settle();
    ASSERT_TRUE(page->Create(&host));
    page->show();
    Settle();
  }

  Family family = kMobile;
  RecordingWindow host;
  FakeMainDlg mainDlg{&host};
  std::unique_ptr<CGlobal1Page> page;
  ScriptedMessages messages;
};

inline std::string FamilyName(const ::testing::TestParamInfo<Family>& info) {
  return info.param == kPortable ? "Portable" : "Mobile";
}
