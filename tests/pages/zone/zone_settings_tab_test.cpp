// The LTR advanced and interconnect pages as a user reaches them in the main
// window: from the zone table and back, keeping the zones in view.
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "../../app/MainDlgFixture.h"
#include "PageHost.h"
#include "model/FamilyModel.h"
#include "pages/zone/SystemPages.h"
#include "pages/zone/ZoneSettingsPages.h"

namespace {

class ZoneSettingsTab : public MainDlgTest, public ::testing::WithParamInterface<const char*> {
protected:
  CScrollablePage& Shown() { return dlg->Pages().Page(*ShownSlot()); }
  void Click(int id) {
    auto* button = FindControl<QPushButton>(Shown().Body(), id);
    ASSERT_NE(button, nullptr) << id;
    QTest::mouseClick(button, Qt::LeftButton);
    Settle();
  }
  QString FirstHead() { return FindControl<QLabel>(Shown().Body(), 1081)->text(); }
};

TEST_P(ZoneSettingsTab, TheSubPagesOpenAtTheZoneTablesZonesAndCloseBackToTheirOwn) {
  StartOnZoneTab(GetParam());
  const Family family = g_isPortable ? kPortable : kMobile;
  auto& table = static_cast<CSystemPageBase&>(Shown());
  table.SetFirstSystem(5);
  table.RefreshGrid();

  Click(system_page::kLtrAdvanced);
  EXPECT_EQ(ShownSlot(), ZoneSubPageSlot(family, ZoneSubPage::kLtrAdvanced));
  EXPECT_EQ(FirstHead(), "Zone  6");
  Click(zone_settings_page::kInterconnect);
  EXPECT_EQ(ShownSlot(), ZoneSubPageSlot(family, ZoneSubPage::kInterconnect));
  EXPECT_EQ(FirstHead(), "Zone  6");
  Click(zone_settings_page::kNextZone);
  Click(zone_settings_page::kClose);
  EXPECT_EQ(ShownSlot(), ZoneSubPageSlot(family, ZoneSubPage::kSystem));
  EXPECT_EQ(table.FirstSystem(), 6);

  // The zone table's own Interconnect Setting button, at its last zones.
  table.SetFirstSystem(27);
  table.RefreshGrid();
  Click(system_page::kInterconnect);
  EXPECT_EQ(ShownSlot(), ZoneSubPageSlot(family, ZoneSubPage::kInterconnect));
  EXPECT_EQ(FirstHead(), "Zone 28");
  EXPECT_EQ(g_dataModified, 0);
}

INSTANTIATE_TEST_SUITE_P(TestsData, ZoneSettingsTab,
                         ::testing::Values("mobile-uhf-radio-wide.K58", "portable-vhf-radio-wide.P58"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return info.param[0] == 'm' ? std::string("Mobile") : std::string("Portable");
                         });

}  // namespace
