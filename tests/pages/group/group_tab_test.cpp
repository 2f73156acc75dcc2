// The group pages as a user meets them in the main window: from the Zone
// tab's Groups button to the basic and advanced views of the zone and back,
// a TX ID typed and the tab left at once, and F1 on each page kind.
#include <QAction>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <filesystem>

#include "../../app/MainDlgFixture.h"
#include "PageHost.h"
#include "TestNames.h"
#include "app/Help.h"
#include "model/FamilyModel.h"
#include "model/ZoneGroups.h"
#include "pages/group/GroupPages.h"
#include "pages/zone/SystemPages.h"

namespace {

class GroupTab : public MainDlgTest, public ::testing::WithParamInterface<const char*> {
protected:
  void Open(const char* file) {
    StartOnZoneTab(file);
    SetHelpFolder(std::string(RP58_SOURCE_DIR) + "/resources/help");
    family = g_isPortable ? kPortable : kMobile;
  }
  CScrollablePage& Shown() { return dlg->Pages().Page(*ShownSlot()); }
  template <class T = QWidget>
  T* Control(int id) {
    return FindControl<T>(Shown().Body(), id);
  }
  void Click(int id) {
    auto* button = Control<QPushButton>(id);
    ASSERT_NE(button, nullptr) << id;
    QTest::mouseClick(button, Qt::LeftButton);
    Settle();
  }
  // F1 on the shown page: the help window shows that page.
  std::string HelpOnF1() {
    QTest::keyClick(Shown().Body()->focusWidget() != nullptr ? Shown().Body()->focusWidget() : Shown().Body(), Qt::Key_F1);
    Settle();
    CHelpViewer* viewer = CHelpViewer::Instance();
    return viewer != nullptr ? std::filesystem::path(viewer->CurrentPage().toStdString()).filename().string() : "";
  }
  Family family = kMobile;
};

TEST_P(GroupTab, GroupsButtonViewsCloseAndHelp) {
  Open(GetParam());
  const CRadioDataCore& data = ModelOf(family).radioData;
  auto& zones = static_cast<CSystemPageBase&>(Shown());
  zones.SetFirstSystem(0);
  zones.RefreshGrid();
  const bool ltr = ZoneKindOf(data, 0) == ZoneKind::kLtr;
  Click(system_page::kGroups[0]);
  ASSERT_EQ(ShownSlot(), ZoneSubPageSlot(family, ltr ? ZoneSubPage::kLtrGroupBasic : ZoneSubPage::kConvGroupBasic));
  EXPECT_EQ(Control<QLabel>(group_page::kZoneNumber)->text(), "1");
  EXPECT_EQ(HelpOnF1(), ltr ? "ltrgroups.html" : "convgroups.html");

  Click(1269);  // Advanced Features
  ASSERT_EQ(ShownSlot(), ZoneSubPageSlot(family, ltr ? ZoneSubPage::kLtrGroupAdvanced : ZoneSubPage::kConvGroupAdvanced));
  EXPECT_EQ(static_cast<CGroupPageBase&>(Shown()).Zone(), 0);
  EXPECT_EQ(HelpOnF1(), ltr ? "ltrgroupsadvanced.html" : "convgroupsadvanced.html");
  Click(ltr ? 1322 : 1350);  // Basic Features
  ASSERT_EQ(ShownSlot(), ZoneSubPageSlot(family, ltr ? ZoneSubPage::kLtrGroupBasic : ZoneSubPage::kConvGroupBasic));

  Click(group_page::kClose);
  EXPECT_EQ(ShownTemplate(), family == kPortable ? 115 : 163);

  // A TX ID typed and the tab left with F2 at once: the RX ID follows.
  if (!ltr) return;
  Click(system_page::kGroups[0]);
  auto* tx = Control<QLineEdit>(1232);
  ASSERT_NE(tx, nullptr);
  tx->setFocus();
  Settle();
  tx->selectAll();
  QTest::keyClicks(tx, "77");
  QTest::keyClick(tx, Qt::Key_F2);
  Settle();
  EXPECT_EQ(data.m_groups[0].settings[4], 77);
  EXPECT_EQ(data.m_groups[0].settings[5], 77);
}

// A file opened while a zone's group page is shown: the Zone tab comes back
// to the zone table, not to a page of that zone number, whose zone may be of
// the other kind (or off) in the file just loaded. A conventional group page
// left over for an LTR zone would write tone codes into its TX IDs.
TEST_F(GroupTab, AFileOpenedFromAGroupPageBringsTheZoneTabBackToTheZoneTable) {
  Open("mobile-vhf-edges.K58");  // zone 2 conventional
  ASSERT_EQ(ZoneKindOf(ModelOf(kMobile).radioData, 1), ZoneKind::kConventional);
  Click(system_page::kGroups[1]);
  ASSERT_EQ(ShownSlot(), ZoneSubPageSlot(kMobile, ZoneSubPage::kConvGroupBasic));

  const std::string other = dir.File("mobile-uhf-radio-wide.K58");  // zone 2 LTR
  std::filesystem::copy_file(std::string(RP58_SOURCE_DIR) + "/tests/data/mobile-uhf-radio-wide.K58", other);
  files.Choose(other);
  dlg->Action(kCmdOpenFile)->trigger();
  Settle();
  ASSERT_EQ(dlg->FileLine(), "File:mobile-uhf-radio-wide.K58");
  ASSERT_EQ(ZoneKindOf(ModelOf(kMobile).radioData, 1), ZoneKind::kLtr);

  QTabBar* tabs = dlg->TabBar();
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(*TabPosition(kMobile, TabKind::kZone)).center());
  Settle();
  EXPECT_EQ(ShownSlot(), ZoneSubPageSlot(kMobile, ZoneSubPage::kSystem));
}

INSTANTIATE_TEST_SUITE_P(TestsData, GroupTab,
                         ::testing::Values("mobile-uhf-radio-wide.K58", "portable-vhf-radio-wide.P58"),
                         FileTestName<const char*>);

}  // namespace
