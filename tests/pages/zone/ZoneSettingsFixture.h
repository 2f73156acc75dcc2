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
  // Zone kinds from zone 0 on: 'L' LTR, 'C' conventional, each with one
  // group, '-' conventional and not in use; the zones after them are not in
  // use.
  void Zones(const std::string& kinds) {
    std::vector<int> counts;
    std::vector<bool> ltr;
    for (char k : kinds) {
      counts.push_back(k == '-' ? 0 : 1);
      ltr.push_back(k == 'L');
    }
    LayOutZones(Data(), counts, ltr);
    page->RefreshGrid();
  }

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
  // Types into the edit as focusing it leaves it, its text selected by the
  // page (not by the test).
  void Type(int editId, const QString& keys) {
    if (QLineEdit* edit = Focus(editId)) {
      QTest::keyClicks(edit, keys);
      Settle();
    }
  }
};
