#pragma once
// A zone table page of either family, started as a fresh program finds the
// family (its default radio), inside a stand-in main window that records the
// user messages the page posts.
#include <QPushButton>
#include <vector>

#include "PageFixture.h"
#include "ZoneLayout.h"
#include "model/ZoneGroups.h"
#include "pages/zone/SystemPages.h"

class SystemFixture : public PageFixture<CSystemPageBase, CLinkStatic> {
protected:
  void Start() override {
    StartDefaultRadio();
    leaveTo_ = system_page::kInterconnect;
    Make<CMobileSystemPage, CPortableSystemPage>();
    Show({800, 650});
  }

  CFamilyModel& Model() const { return ModelOf(family); }
  CRadioDataCore& Data() const { return Model().radioData; }
  std::uint8_t& ZoneByte(int zone, int k) const {
    return Data().m_zoneBytes[static_cast<std::size_t>(k)][static_cast<std::size_t>(zone)];
  }
  void Zones(const std::vector<int>& counts, const std::vector<bool>& ltr = {}) {
    LayOutZones(Data(), counts, ltr);
    page->RefreshGrid();
  }

  QStringList ListRows() const {
    QStringList rows;
    if (CHotListBox* list = page->Grid().OpenList())
      for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
    return rows;
  }
};
