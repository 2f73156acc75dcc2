// The zone table's aliases and the interconnect page's Connect Dial show
// their longest value whole once the user has left them, at the default
// font and at 144 dpi.
#include "ShownTexts.h"
#include "SystemFixture.h"
#include "ZoneSettingsFixture.h"

namespace {

// Eight of the widest capitals; fifteen of the widest dial digits.
const char* const kLongestAliases[] = {"WWWWWWWW", "MMMMMMMM"};
const char* const kLongestDials[] = {"###############", "DDDDDDDDDDDDDDD", "888888888888888"};

class AliasWidth : public SystemFixture {
protected:
  void Check() {
    Zones({2, 3, 1}, {false, true, false});
    for (const char* text : kLongestAliases) {
      for (const int id : {system_page::kAliases[0], system_page::kAliases[2]}) TypeAndLeave(id, text);
      EXPECT_EQ(Control<QLineEdit>(system_page::kAliases[2])->text(), text);
      EXPECT_EQ(CutTexts(page->Body()), std::vector<std::string>{}) << text;
    }
  }
};

TEST_P(AliasWidth, AnAliasOfEightWideLettersShowsWhole) { Check(); }
TEST_P(AliasWidth, AnAliasOfEightWideLettersShowsWholeAt144Dpi) {
  if (!RanElsewhereAtDpi(144)) Check();
}

class DialWidth : public ZoneSettingsFixture<CMobileInterconnectPage, CPortableInterconnectPage> {
protected:
  static constexpr int kDial1 = 1155, kDial5 = 11592, kNextZone = 1080, kClose = 1211;
  void SetUp() override {
    ZoneSettingsFixture::SetUp();
    leaveTo_ = kClose;
  }
  void Check() {
    Zones("CCCCC");
    for (const char* text : kLongestDials) {
      for (const int id : {kDial1, kDial5}) TypeAndLeave(id, text);
      EXPECT_EQ(Control<QLineEdit>(kDial5)->text(), text);
      EXPECT_EQ(CutTexts(page->Body()), std::vector<std::string>{}) << text;
    }
  }
};

TEST_P(DialWidth, AConnectDialOfFifteenDigitsShowsWhole) { Check(); }
TEST_P(DialWidth, AConnectDialOfFifteenDigitsShowsWholeAt144Dpi) {
  if (!RanElsewhereAtDpi(144)) Check();
}

// The page opened on LTR zones, whose columns show IDs: the dial cells it
// shows once the user steps on to conventional zones are as wide.
TEST_P(DialWidth, ADialFirstShownAfterSteppingOnShowsWhole) {
  Zones("LLLLLCCCCC");
  Reopen(0);
  for (int i = 0; i < 5; ++i) QTest::mouseClick(Control<QPushButton>(kNextZone), Qt::LeftButton);
  Settle();
  TypeAndLeave(kDial1, kLongestDials[0]);
  EXPECT_EQ(Control<QLineEdit>(kDial1)->text(), kLongestDials[0]);
  EXPECT_EQ(CutTexts(page->Body()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, AliasWidth, ::testing::Values(kMobile, kPortable), FamilyName);
INSTANTIATE_TEST_SUITE_P(BothFamilies, DialWidth, ::testing::Values(kMobile, kPortable), FamilyName);

}  // namespace
