// A user's walk through the RF channel list of both families in the main
// window: tabbing through every screen leaves the saved file as it was, and
// every one of the 640 channels can be taken out of use, back into use and
// given a frequency, which a saved file keeps.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "../../app/MainDlgFixture.h"
#include "model/DataFile.h"
#include "model/FamilyModel.h"
#include "pages/channel/ChannelPages.h"

namespace {
class Walk : public MainDlgTest {};

TEST_F(Walk, TabbingThroughEveryScreenChangesNothing) {
  for (Family family : {kMobile, kPortable}) {
    const std::string in = dir.File(family == kMobile ? "w.K58" : "w.P58");
    WriteDataFile(in, family);
    ASSERT_FALSE(Start({in}));
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    const std::string a = dir.File(family == kMobile ? "a.K58" : "a.P58");
    ASSERT_TRUE(g_dataFile.SaveDataFile(a));
    dlg->Action(kCmdRfChannelList)->trigger();
    auto& page = dynamic_cast<CRfChannelListPageBase&>(
        dlg->Pages().Page(family == kMobile ? PageSlot::kMobileRfChannelList : PageSlot::kPortableRfChannelList));
    for (int p = 0; p < 95; ++p) {
      auto* first = FindControl<QWidget>(page.Body(), rf_list::kEnables[0]);
      first->setFocus();
      QCoreApplication::processEvents();
      ASSERT_EQ(QApplication::focusWidget(), first);
      for (int t = 0; t < 80; ++t) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      page.OnNextChannels();
    }
    const std::string b = dir.File(family == kMobile ? "b.K58" : "b.P58");
    ASSERT_TRUE(g_dataFile.SaveDataFile(b));
    EXPECT_EQ(ReadWholeFile(a), ReadWholeFile(b)) << family;
    dlg.reset();
    ResetProgramState();
  }
}
TEST_F(Walk, EveryChannelProgrammedDisabledAndBack) {
  for (Family family : {kMobile, kPortable}) {
    const std::string in = dir.File(family == kMobile ? "w.K58" : "w.P58");
    WriteDataFile(in, family);
    ASSERT_FALSE(Start({in}));
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    dlg->Action(kCmdRfChannelList)->trigger();
    auto& page = dynamic_cast<CRfChannelListPageBase&>(
        dlg->Pages().Page(family == kMobile ? PageSlot::kMobileRfChannelList : PageSlot::kPortableRfChannelList));
    const auto choose = [&](int column, int row) {
      auto* cell = FindControl<CLinkStatic>(page.Body(), rf_list::kEnables[static_cast<std::size_t>(column)]);
      QTest::mouseClick(cell, Qt::LeftButton);
      page.Grid().OpenList()->setCurrentRow(row);
      QTest::keyClick(page.Grid().OpenList(), Qt::Key_Return);
    };
    int done = 0;
    while (true) {
      const int first = page.FirstChannel();
      for (int k = 0; k < 14; ++k) {
        const int ch = first + k;
        if (ch < done) continue;
        choose(k, 1);  // Disable
        choose(k, 0);  // Enable: focus in the blank Rx
        EXPECT_EQ(ControlId(QApplication::focusWidget()), rf_list::kRxEdits[static_cast<std::size_t>(k)]) << ch;
        QTest::keyClicks(QApplication::focusWidget(), QString::number(460 + (ch % 20) * 0.0125, 'f', 4));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        done = ch + 1;
      }
      if (first == 626) break;
      page.OnNextChannels();
    }
    const std::string b = dir.File(family == kMobile ? "b.K58" : "b.P58");
    ASSERT_TRUE(g_dataFile.SaveDataFile(b));
    auto check = [&](const auto& data) {
      for (int ch = 0; ch < 640; ++ch) {
        EXPECT_TRUE(data.m_channels[static_cast<std::size_t>(ch)].IsProgrammed()) << ch;
        EXPECT_EQ(data.m_channels[static_cast<std::size_t>(ch)].m_rxFrequency, 46000000u + 1250u * static_cast<unsigned>(ch % 20)) << ch;
      }
    };
    ASSERT_EQ(g_dataFile.LoadDataFile(b, dir.path()), 1);
    if (family == kMobile)
      check(g_mobileData);
    else
      check(g_portableData);
    dlg.reset();
    ResetProgramState();
  }
}
}  // namespace
