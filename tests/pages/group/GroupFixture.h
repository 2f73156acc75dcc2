#pragma once
// A group page of either family over a zone of the family's fresh default
// radio, inside a stand-in main window that records the user messages the
// page posts. Zones() lays out the zones' groups first.
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <vector>

#include "PageFixture.h"
#include "ZoneLayout.h"
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
    leaveTo_ = group_page::kClose;
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
  void Zones(const std::vector<int>& counts, const std::vector<bool>& ltr = {}) { LayOutZones(Data(), counts, ltr); }
};
