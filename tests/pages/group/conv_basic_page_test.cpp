// The conventional group basic page of both families: stored bits in the
// saved image, the sub-audible type and code rules, the RF channel list,
// the Compander's narrow-channel rule and switching groups on.
#include <array>

#include "GroupFixture.h"
#include "model/LabelTables.h"

namespace {

constexpr std::array<int, 6> kOnOff = {1337, 1338, 1339, 1340, 1341, 1342};
constexpr std::array<int, 6> kChannel = {1283, 12922, 13012, 13102, 13192, 13282};
constexpr std::array<int, 6> kTxFrequency = {1286, 1295, 1304, 1313, 1322, 1331};
constexpr std::array<int, 6> kSpace = {1288, 1297, 1306, 1315, 1324, 1333};
constexpr std::array<int, 6> kRxType = {1289, 12982, 13072, 13162, 13252, 13342};
constexpr std::array<int, 6> kDecode = {1284, 12932, 13022, 13113, 13202, 13292};
constexpr std::array<int, 6> kTxType = {1290, 12992, 13082, 13172, 13262, 13352};
constexpr std::array<int, 6> kEncode = {1285, 12942, 13032, 13122, 13212, 13302};
constexpr std::array<int, 6> kMonitor = {1291, 13003, 13092, 13183, 13272, 13362};
constexpr std::array<int, 6> kBusyLockOut = {1036, 10372, 10382, 10393, 10403, 10412};
constexpr std::array<int, 6> kCompander = {1229, 12362, 12432, 12502, 12572, 12642};
constexpr int kBusyLockOutDefault = 10352;
constexpr int kMonitorDefault = 12822;
constexpr int kConvZone = 1;
constexpr int kFirst = 2;  // zone 0 holds groups 0-1

class ConvBasic : public GroupFixture {
protected:
  void SetUp() override {
    GroupFixture::SetUp();
    Zones({2, 8, 3}, {true, false, false});
    ProgramChannels({0, 3, 7});
    for (int g = 0; g < kGroupCount; ++g) Group(g).channelWord = 0;
    Open<CMobileConvGroupBasicPage, CPortableConvGroupBasicPage>(kConvZone);
  }
  // Programs exactly these channels, wide unless told.
  void ProgramChannels(std::initializer_list<int> channels) {
    const auto program = [&](auto& data) {
      for (auto& c : data.m_channels) c.m_programmed = 0;
      for (int i : channels) {
        auto& c = data.m_channels[static_cast<std::size_t>(i)];
        c.m_programmed = 1;
        c.m_rxFrequency = 45000000 + 2500 * static_cast<unsigned>(i);
        c.m_txFrequency = 45500000 + 2500 * static_cast<unsigned>(i);
      }
    };
    if (family == kPortable)
      program(g_portableData);
    else
      program(g_mobileData);
    SetWide(0, true);
    SetWide(3, false);
    SetWide(7, true);
  }
  void SetWide(int i, bool wide) {
    if (family == kPortable) {
      auto& c = g_portableData.m_channels[static_cast<std::size_t>(i)];
      if (wide)
        c.m_flags &= static_cast<std::uint8_t>(~1);
      else
        c.MakeNarrow();
    } else {
      auto& c = g_mobileData.m_channels[static_cast<std::size_t>(i)];
      c.m_mode = static_cast<std::uint8_t>((c.m_mode & 0x3F) | (wide ? 0x40 : 0));
    }
  }
  void OpenList(int cellId) {
    QTest::mouseClick(Control(cellId), Qt::LeftButton);
    ASSERT_NE(page->Grid().OpenList(), nullptr) << cellId;
  }
};

TEST_P(ConvBasic, EachChoiceLandsOnItsImageBitsAndReloads) {
  const bool portable = family == kPortable;
  Choose(kMonitor[0], 0);       // "Disable": byte 0 bit 7
  Choose(kBusyLockOut[1], 1);   // "Busy Lockout": word 6 bits 12-13 = 1
  Choose(kRxType[2], 1);        // CTCSS
  Choose(kDecode[2], 5);        // the sixth tone
  Choose(kChannel[3], 2);       // channel 4 (index 3)
  Choose(kOnOff[4], 1);         // off
  const std::vector<std::uint8_t> image = Saved("groups.dat");
  EXPECT_EQ(image[GroupAt(kFirst, 0)] & 0x80, 0);
  EXPECT_EQ(image[GroupAt(kFirst + 1, 6)] & 0x30, 0x10);
  EXPECT_EQ(image[GroupAt(kFirst + 2, 2)] & 0x3F, 0x09);  // Rx and Tx CTCSS
  EXPECT_EQ(image[GroupAt(kFirst + 2, 5)], 5);
  EXPECT_EQ(image[GroupAt(kFirst + 2, 4)], 0);
  EXPECT_EQ(image[GroupAt(kFirst + 3, 7)], 3);
  EXPECT_EQ(image[GroupAt(kFirst + 3, 6)] & 0x03, 0);
  EXPECT_TRUE(BitOf(image, kGroupOffBits, kFirst + 4));

  ASSERT_EQ(g_dataFile.LoadDataFile("groups.dat", dir_.path()), 1);
  const std::vector<std::uint8_t> again = Saved("again.dat");
  for (std::size_t i = GroupAt(0, 0); i < GroupAt(kGroupCount, 0); ++i) EXPECT_EQ(again[i], image[i]) << std::hex << i;
  (void)portable;
}

TEST_P(ConvBasic, BusyLockOutListsDifferByFamilyAndFanOutFromDefault) {
  const bool portable = family == kPortable;
  OpenList(kBusyLockOutDefault);
  EXPECT_EQ(page->Grid().OpenList()->count(), portable ? 4 : 3);
  QTest::keyClick(page->Grid().OpenList(), Qt::Key_Escape);
  Choose(kBusyLockOutDefault, 2);  // mobile "Incorrect" (3), portable "Correct" (2)
  const int value = portable ? 2 : 3;
  EXPECT_EQ((Data().m_defaultGroup.word6 >> 12) & 3, value);
  for (int g = 0; g < 14; ++g) {
    const bool inZone = g >= kFirst && g < kFirst + 8;
    EXPECT_EQ((Group(g).channelWord >> 12) & 3, inZone ? value : 0) << g;
  }
  // The mobile list has no "Correct": a stored 2 shows the fallback line.
  Group(kFirst).channelWord = static_cast<std::uint16_t>((Group(kFirst).channelWord & ~0x3000) | 0x2000);
  page->RefreshGroupGrid();
  EXPECT_EQ(Control(kBusyLockOut[0])->text(), portable ? "Correct" : "Disable");
}

TEST_P(ConvBasic, SubAudibleTypesResetTheirCodes) {
  CGroupRecord& g = Group(kFirst);
  g.settings[2] = 0;
  g.settings[4] = g.settings[5] = 0xFF;
  page->RefreshGroupGrid();
  EXPECT_EQ(Control(kDecode[0])->text(), "  Off");
  EXPECT_FALSE(Control(kDecode[0])->isEnabled());
  // NONE -> CTCSS with no Tx code: both sides CTCSS from the first tone.
  Choose(kRxType[0], 1);
  EXPECT_EQ(g.settings[2], 0x09);
  EXPECT_EQ(g.settings[4], 0);
  EXPECT_EQ(g.settings[5], 0);
  EXPECT_EQ(Control(kDecode[0])->text().toStdString(), g_ctcssToneTexts[0]);
  EXPECT_EQ(Control(kEncode[0])->text().toStdString(), g_ctcssToneTexts[0]);
  EXPECT_TRUE(Control(kDecode[0])->isEnabled());
  // DCS -> CTCSS resets the Rx code and leaves Tx alone.
  g.settings[4] = 7;
  Choose(kRxType[0], 2);
  Choose(kDecode[0], 3);
  Choose(kRxType[0], 1);
  EXPECT_EQ(g.settings[5], 0);
  EXPECT_EQ(g.settings[4], 7);
  EXPECT_EQ(g.settings[2] & 7, 1);
  // NONE: no code, "  Off", closed.
  Choose(kRxType[0], 0);
  EXPECT_EQ(g.settings[5], 0xFF);
  EXPECT_EQ(Control(kDecode[0])->text(), "  Off");
  Choose(kTxType[0], 0);
  EXPECT_EQ(g.settings[4], 0xFF);
  EXPECT_FALSE(Control(kEncode[0])->isEnabled());
  // The code list follows the type: 106 DCS codes.
  Choose(kTxType[0], 3);
  OpenList(kEncode[0]);
  EXPECT_EQ(page->Grid().OpenList()->count(), static_cast<int>(g_dcsCodeTexts.size()));
}

TEST_P(ConvBasic, CodesPastTheTablesShowTheFirstLineAndSaveUnchanged) {
  Group(kFirst).settings[2] = 0x11;  // Rx DCS, Tx CTCSS
  Group(kFirst).settings[5] = 200;
  Group(kFirst).settings[4] = 60;
  page->RefreshGroupGrid();
  EXPECT_EQ(Control(kDecode[0])->text().toStdString(), g_dcsCodeTexts[0]);
  EXPECT_EQ(Control(kEncode[0])->text().toStdString(), g_ctcssToneTexts[0]);
  const std::vector<std::uint8_t> image = Saved();
  EXPECT_EQ(image[GroupAt(kFirst, 5)], 200);
  EXPECT_EQ(image[GroupAt(kFirst, 4)], 60);
}

TEST_P(ConvBasic, ChannelListOpensOnTheStoredChannelAndEnterKeepsIt) {
  Group(kFirst).channelWord = 7;
  Group(kFirst + 1).channelWord = 0x4000 | 700;  // past the last channel, from a foreign file
  Group(kFirst + 2).channelWord = 5;             // not programmed
  page->RefreshGroupGrid();
  EXPECT_EQ(Control(kChannel[0])->text(), "  8");
  EXPECT_EQ(Control<QLineEdit>(kTxFrequency[0])->text(), "455.17500");
  EXPECT_EQ(Control<QLineEdit>(kSpace[0])->text(), "Wide");
  EXPECT_EQ(Control(kChannel[1])->text(), "None");
  EXPECT_EQ(Control<QLineEdit>(kTxFrequency[1])->text(), "");

  OpenList(kChannel[0]);
  CHotListBox* list = page->Grid().OpenList();
  EXPECT_EQ(list->count(), 4);
  EXPECT_EQ(list->currentItem()->text().left(3), "  8");
  QTest::keyClick(list, Qt::Key_Return);
  Settle();
  EXPECT_EQ(Group(kFirst).channelWord, 7);

  // "None" for what is no programmed channel; the stored bits stay.
  for (int c : {1, 2}) {
    OpenList(kChannel[static_cast<std::size_t>(c)]);
    EXPECT_EQ(page->Grid().OpenList()->currentRow(), 0) << c;
    QTest::keyClick(page->Grid().OpenList(), Qt::Key_Escape);
  }
  EXPECT_EQ(Saved()[GroupAt(kFirst + 1, 6)], 0x42);  // 0x4000 | 700 = 0x42BC
  // Choosing "None" stores no channel.
  Choose(kChannel[0], 0);
  EXPECT_EQ(Group(kFirst).channelWord & 0x3FF, 0x3FF);
  EXPECT_EQ(Control(kChannel[0])->text(), "None");
}

TEST_P(ConvBasic, CompanderOpensOnNarrowChannelsOnly) {
  Group(kFirst).channelWord = 3;       // narrow
  Group(kFirst + 1).channelWord = 7;   // wide
  Group(kFirst + 2).channelWord = 0x3FF;
  Group(kFirst + 3).channelWord = 3;
  Group(kFirst + 3).flags = 0;  // off, yet narrow
  page->RefreshGroupGrid();
  EXPECT_TRUE(Control(kCompander[0])->isEnabled());
  EXPECT_FALSE(Control(kCompander[1])->isEnabled());
  EXPECT_FALSE(Control(kCompander[2])->isEnabled());
  EXPECT_TRUE(Control(kCompander[3])->isEnabled());
  EXPECT_FALSE(Control(kMonitor[3])->isEnabled());
  EXPECT_EQ(Control<QLineEdit>(kSpace[0])->text(), "Narrow");
}

TEST_P(ConvBasic, SwitchingOnPutsAMobileGroupOnTheFirstChannel) {
  Group(kFirst + 1).flags = 0;
  Group(kFirst + 1).channelWord = 0x4007;
  page->RefreshGroupGrid();
  EXPECT_EQ(Control(kChannel[1])->text(), "None");  // off shows no channel
  Choose(kOnOff[1], 0);
  EXPECT_TRUE(Group(kFirst + 1).IsEnabled());
  EXPECT_EQ(Group(kFirst + 1).channelWord, family == kPortable ? 0x4007 : 0x4000);
  EXPECT_EQ(Data().m_zoneBytes[zone_byte::kRevertGroup][kConvZone], 0xFF);
}

TEST_P(ConvBasic, DefaultMonitorFansOutToTheZone) {
  Choose(kMonitorDefault, 0);  // "Disable"
  EXPECT_EQ(Data().m_defaultGroup.bytes[0] & 0x80, 0);
  for (int g = 0; g < 14; ++g) EXPECT_EQ((Group(g).settings[0] & 0x80) == 0, g >= kFirst && g < kFirst + 8) << g;
}

TEST_P(ConvBasic, PortableBusyLockOutNeedsATone) {
  if (family != kPortable) GTEST_SKIP() << "the portable rule";
  for (int i : {0, 7}) SetWide(i, false);  // no band caution before the check
  Group(kFirst).settings[2] = 0;
  page->RefreshGroupGrid();
  Choose(kBusyLockOut[0], 2);  // "Correct"
  messages.clear();
  EXPECT_FALSE(g_dataFile.SaveDataFile("refused.dat"));
  EXPECT_EQ(messages.texts(),
            std::vector<std::string>{"Please set up the CTCSS/DCS information or disable the Horn alert function."});
  EXPECT_FALSE(FileExists("refused.dat"));
}

INSTANTIATE_TEST_SUITE_P(Families, ConvBasic, ::testing::Values(kMobile, kPortable), FamilyName);

}  // namespace
