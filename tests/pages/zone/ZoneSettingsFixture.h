#pragma once
// An LTR advanced or interconnect page of either family over the family's
// default radio, inside the stand-in main window of the zone table tests.
#include <QListWidget>

#include "SystemFixture.h"
#include "model/KeyAssignRecord.h"
#include "model/Privilege.h"
#include "pages/zone/ZoneSettingsPages.h"

template <class Mobile, class Portable>
class ZoneSettingsFixture : public PageFixture<CZoneSettingsPage, CLinkStatic> {
protected:
  void Start() override {
    StartDefaultRadio();
    Make<Mobile, Portable>();
    Open(0);
  }
  // Opens the page's window at a first zone, as the main window does.
  void Open(int first) {
    page->SetFirstSystem(first);
    Show({800, 650});
    g_dataModified = 0;
  }
  void Reopen(int first = 0) {
    Close();
    Open(first);
  }

  CRadioDataCore& Data() const { return ModelOf(family).radioData; }
  std::uint8_t& ZoneByte(int zone, int k) const {
    return Data().m_zoneBytes[static_cast<std::size_t>(k)][static_cast<std::size_t>(zone)];
  }
  // Zone kinds from zone 0 on: 'L' LTR, 'C' conventional, '-' conventional
  // and not in use; the zones after them are not in use. An LTR zone gets a
  // home repeater, so the data can be saved.
  void Zones(const std::string& kinds) {
    CRadioDataCore& d = Data();
    for (int z = 0; z < kZoneCount; ++z) {
      const char k = z < static_cast<int>(kinds.size()) ? kinds[static_cast<std::size_t>(z)] : '-';
      d.InitSystem(z, k == 'L' ? 1 : kZoneModeConventional);
      if (k == 'L') {
        d.m_repeaters[static_cast<std::size_t>(z)][0] = 1;
        ZoneByte(z, 2) = 1;
      }
      d.m_zoneFlags[static_cast<std::size_t>(z)] = k == '-' ? 0 : zone_flag::kEnabled;
      d.m_groupCounts[static_cast<std::size_t>(z)] = k == '-' ? 0 : 1;
    }
    int used = 0;
    for (std::uint8_t n : d.m_groupCounts) used += n;
    d.m_freeGroups = kGroupCount - used;
    for (int g = 0; g < kGroupCount; ++g) d.m_groups[static_cast<std::size_t>(g)].flags = g < used ? group_flag::kEnabled : 0;
    page->RefreshGrid();
  }

  void Choose(int cellId, int row) { ChooseInGrid(page->Body(), page->Grid(), cellId, row); }
  // Clicks a row of the open list, as a user does.
  void ClickRow(int row) {
    CHotListBox* list = page->Grid().OpenList();
    ASSERT_NE(list, nullptr);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    Settle();
  }
  // Focuses the edit, which selects its text.
  QLineEdit* Focus(int editId) {
    auto* edit = Control<QLineEdit>(editId);
    EXPECT_NE(edit, nullptr) << editId;
    if (edit == nullptr) return nullptr;
    edit->setFocus();
    Settle();
    return edit;
  }
};
