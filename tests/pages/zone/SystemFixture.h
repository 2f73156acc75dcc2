#pragma once
// A zone table page of either family, started as a fresh program finds the
// family (its default radio), inside a stand-in main window that records the
// user messages the page posts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "PageHost.h"
#include "ProgramState.h"
#include "QtTestSupport.h"
#include "ScriptedMessages.h"
#include "model/DataFile.h"
#include "model/FamilyModel.h"
#include "model/ModelChange.h"
#include "model/ZoneGroups.h"
#include "pages/zone/SystemPages.h"

// The stand-in main window, shown and active.
inline void ShowHost(QWidget& host) {
  host.resize(900, 700);
  host.show();
  host.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
}

// Opens the cell's list, picks the row, and commits it with Enter (a list
// that commits on the change of row is closed by then).
inline void ChooseInGrid(QWidget* body, CGridBinder& grid, int cellId, int row) {
  CLinkStatic* cell = FindControl<CLinkStatic>(body, cellId);
  ASSERT_NE(cell, nullptr) << cellId;
  QTest::mouseClick(cell, Qt::LeftButton);
  CHotListBox* list = grid.OpenList();
  ASSERT_NE(list, nullptr) << cellId;
  list->setCurrentRow(row);
  if (grid.OpenList() == list) QTest::keyClick(list, Qt::Key_Return);
  Settle();
}

class SystemFixture : public ::testing::TestWithParam<Family> {
protected:
  void SetUp() override {
    ASSERT_TRUE(AllocateRadioImage());
    family = GetParam();
    ResetToDefaultModel(family == kPortable ? kFamilyPortableUhf : kFamilyMobileUhf);
    g_isPortable = family == kPortable ? 1 : 0;
    g_dataModified = 0;
    g_pMainDlg = &mainDlg;
    if (family == kPortable)
      page = std::make_unique<CPortableSystemPage>();
    else
      page = std::make_unique<CMobileSystemPage>();
    ShowHost(host);
    ASSERT_TRUE(page->Create(&host));
    page->resize(800, 650);
    page->show();
    Settle();
  }
  void TearDown() override {
    page->DestroyWindow();
    Settle();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    g_pMainDlg = nullptr;
  }

  CFamilyModel& Model() const { return ModelOf(family); }
  CRadioDataCore& Data() const { return Model().radioData; }
  template <class T = CLinkStatic>
  T* Control(int id) const {
    return FindControl<T>(page->Body(), id);
  }
  std::uint8_t& ZoneByte(int zone, int k) const {
    return Data().m_zoneBytes[static_cast<std::size_t>(k)][static_cast<std::size_t>(zone)];
  }
  // Gives zones their counts (the rest none), switched on and LTR or
  // conventional, each LTR zone with a programmed home repeater so that the
  // data can be saved.
  void Zones(const std::vector<int>& counts, const std::vector<bool>& ltr = {}) {
    CRadioDataCore& d = Data();
    d.m_groupCounts.fill(0);
    int sum = 0;
    for (int z = 0; z < kZoneCount; ++z) {
      const int n = z < static_cast<int>(counts.size()) ? counts[static_cast<std::size_t>(z)] : 0;
      const bool isLtr = z < static_cast<int>(ltr.size()) && ltr[static_cast<std::size_t>(z)];
      d.InitSystem(z, isLtr ? 1 : kZoneModeConventional);
      if (isLtr) {
        d.m_repeaters[static_cast<std::size_t>(z)][0] = 1;
        ZoneByte(z, 2) = 1;
      }
      d.m_groupCounts[static_cast<std::size_t>(z)] = static_cast<std::uint8_t>(n);
      d.m_zoneFlags[static_cast<std::size_t>(z)] = n > 0 ? zone_flag::kEnabled : 0;
      sum += n;
    }
    d.m_freeGroups = kGroupCount - sum;
    for (int g = 0; g < kGroupCount; ++g) d.m_groups[static_cast<std::size_t>(g)].flags = g < sum ? group_flag::kEnabled : 0;
    page->RefreshGrid();
  }

  void Choose(int cellId, int row) { ChooseInGrid(page->Body(), page->Grid(), cellId, row); }
  QStringList ListRows() const {
    QStringList rows;
    if (CHotListBox* list = page->Grid().OpenList())
      for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
    return rows;
  }
  // Types into a count or alias edit and leaves it.
  void Type(int editId, const QString& text) {
    auto* edit = Control<QLineEdit>(editId);
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    Settle();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    Control<QPushButton>(system_page::kInterconnect)->setFocus();  // leaves the edit
    Settle();
  }

  // The data as a saved file holds it.
  std::vector<std::uint8_t> Saved(const std::string& name = "zone.dat") {
    EXPECT_TRUE(g_dataFile.SaveDataFile(name)) << (messages.texts().empty() ? "" : messages.texts().back());
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  FreshProgramState fresh_;
  TempDir dir_;
  Family family = kMobile;
  RecordingKeysWindow host;
  FakeMainDlg mainDlg{&host};
  std::unique_ptr<CSystemPageBase> page;
  ScriptedMessages messages;
};

inline std::string FamilyName(const ::testing::TestParamInfo<Family>& info) {
  return info.param == kPortable ? "Portable" : "Mobile";
}
