#pragma once
// A zone table page of either family, started as a fresh program finds the
// family (its default radio), inside a stand-in main window that records the
// user messages the page posts.
#include <QPushButton>
#include <vector>

#include "PageFixture.h"
#include "model/ZoneGroups.h"
#include "pages/zone/SystemPages.h"

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

class SystemFixture : public PageFixture<CSystemPageBase, CLinkStatic> {
protected:
  void Start() override {
    StartDefaultRadio();
    leaveTo = system_page::kInterconnect;
    Make<CMobileSystemPage, CPortableSystemPage>();
    Show({800, 650});
  }

  CFamilyModel& Model() const { return ModelOf(family); }
  CRadioDataCore& Data() const { return Model().radioData; }
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
};

