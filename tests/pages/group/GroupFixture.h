#pragma once
// A group page of either family over a zone of the family's fresh default
// radio, inside a stand-in main window that records the user messages the
// page posts. Zones() lays out the zones' groups first.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "ProgramState.h"
#include "PageHost.h"
#include "QtTestSupport.h"
#include "ScriptedMessages.h"
#include "model/DataFile.h"
#include "model/FamilyModel.h"
#include "model/GroupEdits.h"
#include "model/ModelChange.h"
#include "pages/group/GroupPages.h"


// Image positions, typed from the radio's memory map.
inline std::size_t GroupAt(int g, int byte) { return 0xC80 + 16 * static_cast<std::size_t>(g) + static_cast<std::size_t>(byte); }
inline constexpr std::size_t kGroupOffBits = 0x246;     // set = group off
inline constexpr std::size_t kScanUserOffBits = 0x096;  // set = Scan Memory bit 1 clear
inline constexpr std::size_t kScanDealerOffBits = 0x266;
inline bool BitOf(const std::vector<std::uint8_t>& image, std::size_t base, int g) {
  return (image[base + static_cast<std::size_t>(g / 8)] >> (g % 8)) & 1;
}

class GroupFixture : public ::testing::TestWithParam<Family> {
protected:
  void SetUp() override {
    ASSERT_TRUE(AllocateRadioImage());
    family = GetParam();
    ResetToDefaultModel(family == kPortable ? kFamilyPortableUhf : kFamilyMobileUhf);
    g_isPortable = family == kPortable ? 1 : 0;
    g_dataModified = 0;
    g_pMainDlg = &mainDlg;
    host.resize(900, 700);
    host.show();
    host.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
  }
  void TearDown() override {
    if (page != nullptr) page->DestroyWindow();
    Settle();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    g_pMainDlg = nullptr;
  }

  // Opens the page of that class for the zone, as the main window does.
  template <class Mobile, class Portable>
  void Open(int zone) {
    if (page != nullptr) {
      page->DestroyWindow();
      Settle();
    }
    if (family == kPortable)
      page = std::make_unique<Portable>();
    else
      page = std::make_unique<Mobile>();
    page->SetZone(static_cast<std::uint8_t>(zone));
    ASSERT_TRUE(page->Create(&host));
    page->resize(850, 650);
    page->show();
    Settle();
  }
  void OpenLtrBasic(int zone) { Open<CMobileLtrGroupBasicPage, CPortableLtrGroupBasicPage>(zone); }

  CFamilyModel& Model() const { return ModelOf(family); }
  CRadioDataCore& Data() const { return Model().radioData; }
  CGroupRecord& Group(int g) const { return Data().m_groups[static_cast<std::size_t>(g)]; }
  template <class T = CLinkStatic>
  T* Control(int id) const {
    return FindControl<T>(page->Body(), id);
  }

  // Gives zones their counts (the rest none), LTR or conventional, every
  // group switched on, each LTR zone with a home repeater so it can be saved.
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
        d.m_zoneBytes[2][static_cast<std::size_t>(z)] = 1;
      }
      d.m_groupCounts[static_cast<std::size_t>(z)] = static_cast<std::uint8_t>(n);
      d.m_zoneFlags[static_cast<std::size_t>(z)] = n > 0 ? zone_flag::kEnabled : 0;
      sum += n;
    }
    d.m_freeGroups = kGroupCount - std::min(sum, kGroupCount);
    for (int g = 0; g < kGroupCount; ++g) Group(g).flags = g < sum ? group_flag::kEnabled : 0;
  }

  // Opens the cell's list, picks the row, and commits it with Enter.
  void Choose(int cellId, int row) {
    CLinkStatic* cell = Control(cellId);
    ASSERT_NE(cell, nullptr) << cellId;
    QTest::mouseClick(cell, Qt::LeftButton);
    CHotListBox* list = page->Grid().OpenList();
    ASSERT_NE(list, nullptr) << cellId;
    list->setCurrentRow(row);
    QTest::keyClick(list, Qt::Key_Return);
    Settle();
  }
  // Gives an edit the focus and types into it (its whole text selected).
  void TypeInto(int editId, const QString& text) {
    auto* edit = Control<QLineEdit>(editId);
    ASSERT_NE(edit, nullptr) << editId;
    edit->setFocus();
    Settle();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  // Moves the focus to the Close button, leaving whatever had it.
  void Leave() {
    Control<QPushButton>(group_page::kClose)->setFocus();
    Settle();
  }

  // The data as a saved file holds it.
  std::vector<std::uint8_t> Saved(const std::string& name = "groups.dat") {
    EXPECT_TRUE(g_dataFile.SaveDataFile(name)) << (messages.texts().empty() ? "" : messages.texts().back());
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  FreshProgramState fresh_;
  TempDir dir_;
  Family family = kMobile;
  RecordingKeysWindow host;
  FakeMainDlg mainDlg{&host};
  std::unique_ptr<CGroupPageBase> page;
  ScriptedMessages messages;
};

inline std::string FamilyName(const ::testing::TestParamInfo<Family>& info) {
  return info.param == kPortable ? "Portable" : "Mobile";
}
