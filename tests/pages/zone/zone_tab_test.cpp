// The Zone tab as a user meets it in the main window: a hand-made data file
// of each family, its 32 zones, the sub-pages the buttons open and the save
// question after a change.
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "../../app/MainDlgFixture.h"
#include "PageHost.h"
#include "TestNames.h"
#include "model/FamilyModel.h"
#include "model/ZoneGroups.h"
#include "pages/zone/SystemPages.h"

namespace {

class ZoneTab : public MainDlgTest, public ::testing::WithParamInterface<const char*> {
protected:
  void Open(const char* file) {
    StartOnZoneTab(file);
    family = g_isPortable ? kPortable : kMobile;
    ASSERT_EQ(ShownTemplate(), family == kPortable ? 115 : 163);
  }
  CSystemPageBase& Page() {
    return static_cast<CSystemPageBase&>(dlg->Pages().Page(ZoneSubPageSlot(family, ZoneSubPage::kSystem)));
  }
  template <class T = QWidget>
  T* Control(int id) {
    return FindControl<T>(Page().Body(), id);
  }
  Family family = kMobile;
};

TEST_P(ZoneTab, ShowsAllZonesOpensTheSubPagesAndAsksBeforeLosingAChange) {
  Open(GetParam());
  const CRadioDataCore& data = ModelOf(family).radioData;
  // Every zone comes into view, its Enable cell as the data says.
  for (int first = 0; first <= 27; ++first) {
    Page().SetFirstSystem(first);
    Page().RefreshGrid();
    for (int c = 0; c < 5; ++c) {
      const int zone = first + c;
      EXPECT_EQ(FindControl<CLinkStatic>(Page().Body(), 1511 + c)->text(),
                data.IsZoneEnabled(zone) ? "Enable" : "Disable")
          << zone;
    }
  }
  EXPECT_EQ(g_dataModified, 0);

  // Groups of zone 1 (in use in every file of the library): the group page
  // of its kind, and Close brings the zone table back where it was.
  Page().SetFirstSystem(0);
  Page().RefreshGrid();
  auto* groups = Control<QPushButton>(system_page::kGroups[0]);
  ASSERT_TRUE(groups->isEnabled());
  const bool ltr = ZoneKindOf(data, 0) == ZoneKind::kLtr;
  QTest::mouseClick(groups, Qt::LeftButton);
  Settle();
  const ZoneSubPage expected = ltr ? ZoneSubPage::kLtrGroupBasic : ZoneSubPage::kConvGroupBasic;
  EXPECT_EQ(ShownSlot(), ZoneSubPageSlot(family, expected));
  PostUserMessage(dlg.get(), UM_OPEN_SYSTEM_PAGE, 0, 255);
  Settle();
  EXPECT_EQ(ShownTemplate(), family == kPortable ? 115 : 163);

  // A count typed and the tab left with F2: the count is in, and the data
  // is marked so Exit asks.
  const int before = data.GetSystemGroupCount(0);
  auto* count = Control<QLineEdit>(system_page::kCounts[0]);
  count->setFocus();
  count->selectAll();
  const int wanted = before == 1 ? 2 : 1;
  QTest::keyClicks(count, QString::number(wanted));
  QTest::keyClick(count, Qt::Key_F2);
  Settle();
  EXPECT_EQ(data.GetSystemGroupCount(0), wanted);
  EXPECT_EQ(g_dataModified, 1);
  msgs.Answer(kIdNo);
  EXPECT_EQ(dlg->ConfirmSaveChanges(), 1);
  ASSERT_FALSE(msgs.texts().empty());
  EXPECT_EQ(msgs.texts().back().rfind("Save changes to ", 0), 0u) << msgs.texts().back();
}

INSTANTIATE_TEST_SUITE_P(TestsData, ZoneTab,
                         ::testing::Values("mobile-uhf-radio-wide.K58", "mobile-vhf-edges.K58",
                                           "portable-uhf-edges.P58", "portable-vhf-radio-wide.P58"),
                         FileTestName<const char*>);

}  // namespace

TEST(ZoneHelp, TheContentsLeadToTheZonePage) {
  const std::string help = std::string(RP58_SOURCE_DIR) + "/resources/help/";
  const std::vector<unsigned char> index = ReadWholeFile(help + "index.html");
  EXPECT_NE(std::string(index.begin(), index.end()).find("href=\"zone.html\""), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_regular_file(help + "zone.html"));
}
