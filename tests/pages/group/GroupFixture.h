#pragma once
// A group page of either family over a zone of the family's fresh default
// radio, inside a stand-in main window that records the user messages the
// page posts. Zones() lays out the zones' groups first.
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <vector>

#include "PageFixture.h"
#include "model/GroupEdits.h"
#include "pages/group/GroupPages.h"

// Image positions, typed from the radio's memory map.
inline std::size_t GroupAt(int g, int byte) { return 0xC80 + 16 * static_cast<std::size_t>(g) + static_cast<std::size_t>(byte); }
inline constexpr std::size_t kGroupOffBits = 0x246;     // set = group off
inline constexpr std::size_t kScanUserOffBits = 0x096;  // set = Scan Memory bit 1 clear
inline constexpr std::size_t kScanDealerOffBits = 0x266;
inline bool BitOf(const std::vector<std::uint8_t>& image, std::size_t base, int g) {
  return (image[base + static_cast<std::size_t>(g / 8)] >> (g % 8)) & 1;
}

class GroupFixture : public PageFixture<CGroupPageBase, CLinkStatic> {
protected:
  void Start() override {
    StartDefaultRadio();
    leaveTo = group_page::kClose;
  }

  // Opens the page of that class for the zone, as the main window does.
  template <class Mobile, class Portable>
  void Open(int zone) {
    Make<Mobile, Portable>();
    page->SetZone(static_cast<std::uint8_t>(zone));
    Show({850, 650});
  }
  void OpenLtrBasic(int zone) { Open<CMobileLtrGroupBasicPage, CPortableLtrGroupBasicPage>(zone); }

  CFamilyModel& Model() const { return ModelOf(family); }
  CRadioDataCore& Data() const { return Model().radioData; }
  CGroupRecord& Group(int g) const { return Data().m_groups[static_cast<std::size_t>(g)]; }
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
};
