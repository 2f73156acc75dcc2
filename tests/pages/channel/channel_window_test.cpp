// The channel and repeater pages inside the program's main window: what is
// typed survives leaving the page by a function key or Open, a disabled
// channel's references are cleared so a save refuses a home repeater without
// one, and the zone table's Repeaters button reaches the repeater page.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "../../app/MainDlgFixture.h"
#include "model/FamilyModel.h"
#include "pages/channel/ChannelPages.h"
#include "pages/zone/SystemPages.h"

namespace {

class ChannelWindowTest : public MainDlgTest {
protected:
  CRfChannelListPageBase& RfPage() {
    dlg->Action(kCmdRfChannelList)->trigger();
    return dynamic_cast<CRfChannelListPageBase&>(dlg->Pages().Page(PageSlot::kMobileRfChannelList));
  }
  CValueEdit* Rx(CScrollablePage& page, int column) {
    return FindControl<CValueEdit>(page.Body(), rf_list::kRxEdits[static_cast<std::size_t>(column)]);
  }
  void TypeInto(QLineEdit* edit, const char* text) {
    ASSERT_NE(edit, nullptr);
    dlg->activateWindow();
    edit->setFocus();
    QCoreApplication::processEvents();
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromLatin1(text));
  }
};

TEST_F(ChannelWindowTest, TypingLandsInTheChannelShownWhenAFunctionKeyOrOpenTakesThePageAway) {
  WriteDataFile(dir.File("m.K58"), kMobile);
  ASSERT_FALSE(Start({dir.File("m.K58")}));
  ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
  auto& channels = g_mobileData.m_channels;
  channels[2].CommitRxFrequency(460.0, g_mobileData.ChannelContext());
  channels[3].CommitRxFrequency(460.0, g_mobileData.ChannelContext());

  TypeInto(Rx(RfPage(), 2), "461");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
  EXPECT_NE(ShownSlot(), PageSlot::kMobileRfChannelList);
  EXPECT_EQ(channels[2].m_rxFrequency, 46100000u);

  TypeInto(Rx(RfPage(), 3), "462");
  msgs.Answer(kIdNo);  // the save question: no
  files.Cancel();      // then no file chosen
  dlg->OnOpenFile();
  EXPECT_EQ(channels[3].m_rxFrequency, 46200000u);
}

TEST_F(ChannelWindowTest, ADisabledHomeChannelStopsTheSave) {
  WriteDataFile(dir.File("m.K58"), kMobile);
  ASSERT_FALSE(Start({dir.File("m.K58")}));
  ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
  CRadioDataCore& data = g_mobileData;
  data.InitSystem(0, 1);  // zone 1: LTR, home repeater 1
  data.m_zoneFlags[0] |= zone_flag::kEnabled;
  g_mobileData.m_channels[5].CommitRxFrequency(460.0, g_mobileData.ChannelContext());
  data.m_repeaters[0][0] = 0x0005;
  data.m_repeaters[0][1] = 0x0805;

  CRfChannelListPageBase& page = RfPage();
  auto* cell = FindControl<CLinkStatic>(page.Body(), rf_list::kEnables[5]);
  QTest::mouseClick(cell, Qt::LeftButton);
  page.Grid().OpenList()->setCurrentRow(1);  // "Disable"
  QTest::keyClick(page.Grid().OpenList(), Qt::Key_Return);
  EXPECT_EQ(data.m_repeaters[0][0], 0x03FF);
  EXPECT_EQ(data.m_repeaters[0][1], 0x0BFF);  // the other bits stay

  const std::string file = dir.File("out.K58");
  files.Choose(file);
  msgs.clear();
  EXPECT_FALSE(dlg->OnSaveFile());
  ASSERT_FALSE(msgs.texts().empty());
  EXPECT_EQ(msgs.texts().back(), "Home Channel of SYS # 1 has not been programmed");
  EXPECT_FALSE(FileExists(file));
}

TEST_F(ChannelWindowTest, TheZoneTablesRepeatersButtonOpensTheZonesRepeatersAndCloseComesBack) {
  WriteDataFile(dir.File("p.P58"), kPortable);
  ASSERT_FALSE(Start({dir.File("p.P58")}));
  CRadioDataCore& data = g_portableData;
  data.InitSystem(1, 1);
  data.m_zoneFlags[1] |= zone_flag::kEnabled;
  dlg->TabBar()->setCurrentIndex(*TabPosition(kPortable, TabKind::kZone));
  auto& table = dynamic_cast<CSystemPageBase&>(dlg->Pages().Page(PageSlot::kPortableSystem));
  table.RefreshGrid();
  FindControl<QPushButton>(table.Body(), system_page::kRepeaters[1])->click();
  QCoreApplication::sendPostedEvents();
  ASSERT_EQ(ShownSlot(), PageSlot::kPortableRepeater);
  auto& repeaters = dynamic_cast<CRepeaterPageBase&>(dlg->Pages().Page(PageSlot::kPortableRepeater));
  EXPECT_EQ(FindControl<QLabel>(repeaters.Body(), repeater_page::kZoneNumber)->text(), "2");
  FindControl<QPushButton>(repeaters.Body(), repeater_page::kClose)->click();
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(ShownSlot(), PageSlot::kPortableSystem);
}

}  // namespace
