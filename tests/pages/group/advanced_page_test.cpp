// The advanced group pages of both families, LTR and conventional: stored
// bits in the saved image, the Default record's family layout, the lines
// and looks that follow the product code and the option board, and the
// signalling function with its number.
#include <array>

#include "GroupFixture.h"
#include "model/GlobalRecordText.h"

namespace {

constexpr int kZone = 1;
constexpr int kFirst = 2;  // zone 0 holds groups 0-1

struct LtrCells {
  int callAlertDefault;
  std::array<int, 6> callAlert;
  int secondPowerDefault;
  std::array<int, 6> secondPower;
  int signalingDefault;
  std::array<int, 6> signaling;
  int encryptionDefault;
  std::array<int, 6> encryption;
};
// Hand-typed from templates 172 and 120.
constexpr LtrCells kMobileLtr = {1751, {1752, 1753, 1754, 1755, 1756, 1757}, 1779, {1780, 1781, 1782, 1783, 1784, 1785},
                                 17931, {1794, 17951, 17961, 17971, 17981, 17991}, 18001, {1801, 18021, 18031, 18041, 18051, 18061}};
constexpr LtrCells kPortableLtr = {12722, {1273, 12742, 1278, 12892, 13002, 13114}, 12342, {1251, 12752, 14342, 14352, 13083, 14002},
                                   1610, {1611, 1612, 1613, 1614, 1615, 1616}, 12272, {1244, 12633, 12823, 12933, 14442, 14372}};
constexpr std::array<int, 6> kRxSave = {1594, 1595, 1596, 1597, 1598, 1599};
constexpr int kRxSaveDefault = 1593;
constexpr int kTxSaveDefault = 1600;

class Advanced : public GroupFixture {
protected:
  void SetUpZones(bool ltr, std::uint8_t productCode) {
    Zones({2, 8, 3}, {!ltr, ltr, false});
    Data().m_productWord = static_cast<std::uint32_t>(productCode) << 8;
    if (ltr)
      Open<CMobileLtrGroupAdvancedPage, CPortableLtrGroupAdvancedPage>(kZone);
    else
      Open<CMobileConvGroupAdvancedPage, CPortableConvGroupAdvancedPage>(kZone);
  }
  const LtrCells& L() const { return family == kPortable ? kPortableLtr : kMobileLtr; }
  int OpenRows(int cellId) {
    QTest::mouseClick(Control(cellId), Qt::LeftButton);
    CHotListBox* list = page->Grid().OpenList();
    if (list == nullptr) return -1;
    const int n = list->count();
    QTest::keyClick(list, Qt::Key_Escape);
    return n;
  }
};
using LtrAdvanced = Advanced;
using ConvAdvanced = Advanced;

TEST_P(LtrAdvanced, ChoicesLandOnTheirBitsAndTheDefaultRecordKeepsItsFamilyLayout) {
  SetUpZones(true, 0x20);
  const bool mobile = family == kMobile;
  Choose(L().callAlert[0], 1);   // "Enable": byte 3 bit 3
  Choose(L().encryption[1], mobile ? 3 : 1);  // "ALL ON" (3 in bits 3-4) / "Enable" (bit 4)
  Choose(L().secondPower[2], 2);  // "Low": 4
  Choose(L().callAlertDefault, 1);
  const CDefaultGroupRecord& def = Data().m_defaultGroup;
  // Call Alert: mobile Default byte 3 bit 5, portable byte 4 bit 0.
  EXPECT_EQ(def.bytes[3] & 0x20, mobile ? 0x20 : 0);
  EXPECT_EQ(def.bytes[4] & 0x01, mobile ? 0 : 1);
  for (int g = 0; g < 13; ++g) EXPECT_EQ((Group(g).settings[3] & 0x08) != 0, g >= kFirst && g < kFirst + 8) << g;

  const std::vector<std::uint8_t> image = Saved("groups.dat");
  EXPECT_EQ(image[GroupAt(kFirst, 3)] & 0x08, 0x08);
  EXPECT_EQ(image[GroupAt(kFirst + 1, 0)] & 0x18, mobile ? 0x18 : 0x10);
  EXPECT_EQ(image[GroupAt(kFirst + 2, 0)] & 0x07, 4);
  ASSERT_EQ(g_dataFile.LoadDataFile("groups.dat", dir_.path()), 1);
  const std::vector<std::uint8_t> again = Saved("again.dat");
  for (std::size_t i = GroupAt(0, 0); i < GroupAt(kGroupCount, 0); ++i) EXPECT_EQ(again[i], image[i]) << std::hex << i;
}

TEST_P(LtrAdvanced, SecondTxPowerLinesFollowTheProductCode) {
  const bool mobile = family == kMobile;
  for (const std::uint8_t code : {std::uint8_t{11}, std::uint8_t{0x20}}) {
    SetUpZones(true, code);
    Group(kFirst).settings[0] = static_cast<std::uint8_t>((Group(kFirst).settings[0] & ~7) | 5);
    page->RefreshGroupGrid();
    const bool four = mobile && code == 11;
    EXPECT_EQ(OpenRows(L().secondPower[0]), four ? 4 : 3) << int(code);
    EXPECT_EQ(Control(L().secondPower[0])->text(), four ? "Low-Mid" : "Disable") << int(code);
  }
}

TEST_P(LtrAdvanced, DefaultSignalingSetsBothPartsByProductCode) {
  const bool mobile = family == kMobile;
  for (const std::uint8_t code : {std::uint8_t{11}, std::uint8_t{0x20}}) {
    if (!mobile && code == 11) continue;  // no paging function there
    SetUpZones(true, code);
    Data().m_defaultGroup.bytes[1] = 0x40;
    Choose(L().signalingDefault, 1);  // "Signaling"
    const CDefaultGroupRecord& def = Data().m_defaultGroup;
    if (mobile && code == 11) {
      EXPECT_EQ(def.bytes[1] & 0x10, 0x10);
      EXPECT_EQ(def.bytes[2] & 0x01, 0x01);
      EXPECT_EQ(Group(kFirst + 3).settings[1] & 0x50, 0x50);
    } else {
      EXPECT_EQ(def.bytes[1] & 0x60, 0x20);
      EXPECT_EQ(def.bytes[4] & (mobile ? 0x02 : 0x10), mobile ? 0x02 : 0x10);
      EXPECT_EQ(Group(kFirst + 3).settings[1] & 0x10, 0x10);
      EXPECT_EQ(Group(kFirst + 3).settings[3] & 0x80, 0x80);
    }
    EXPECT_EQ(Control(L().signalingDefault)->text(), "Signaling");
    EXPECT_EQ(Control(L().signaling[3])->text(), "Signaling");
    EXPECT_EQ(Group(kFirst - 1).settings[1] & 0x10, 0);  // another zone's group
    Choose(L().signaling[3], 0);
    EXPECT_EQ(Control(L().signaling[3])->text(), "Disable");
    EXPECT_EQ(Group(kFirst + 3).settings[1] & 0x10, 0);
  }
}

TEST_P(LtrAdvanced, MobileEncryptionClosesForOptionAndTheEncryptionlessBoard) {
  if (family != kMobile) GTEST_SKIP() << "the mobile rule";
  SetUpZones(true, 11);
  Group(kFirst + 1).settings[1] = 0x40;  // pair 2: "Option"
  page->RefreshGroupGrid();
  EXPECT_TRUE(Control(L().encryption[0])->isEnabled());
  EXPECT_FALSE(Control(L().encryption[1])->isEnabled());
  EXPECT_TRUE(Control(L().encryptionDefault)->isEnabled());
  SetOptionBoard(Model().global, kOptionBoardXbe);
  SetUpZones(true, 11);
  EXPECT_FALSE(Control(L().encryption[0])->isEnabled());
  EXPECT_FALSE(Control(L().encryptionDefault)->isEnabled());
  // Another product code: Encryption looks like every other cell.
  SetUpZones(true, 0x20);
  EXPECT_TRUE(Control(L().encryption[0])->isEnabled());
}

TEST_P(LtrAdvanced, PortableProductCode11ClosesTheSaveRowsAndHidesPaging) {
  if (family != kPortable) GTEST_SKIP() << "the portable rule";
  SetUpZones(true, 11);
  EXPECT_EQ(Control(L().signaling[0]), nullptr);
  for (int id : {kRxSave[0], kRxSaveDefault, kTxSaveDefault}) EXPECT_FALSE(Control(id)->isEnabled()) << id;
  EXPECT_EQ(Control<QLabel>(1464)->text(), "Encryption[Requires XBE-14 Optional board]");
  SetUpZones(true, 0x20);
  EXPECT_NE(Control(L().signaling[0]), nullptr);
  EXPECT_TRUE(Control(kRxSave[0])->isEnabled());
  Choose(kRxSave[0], 1);
  EXPECT_EQ(Group(kFirst).settings[2] & 0x80, 0x80);
}

TEST_P(LtrAdvanced, TxIdsAndTheBasicViewButton) {
  SetUpZones(true, 0x20);
  Type(1232, "42");
  Leave();
  EXPECT_EQ(Group(kFirst).settings[4], 42);
  EXPECT_EQ(Group(kFirst).settings[5], 42);
  host.messages.clear();
  QTest::mouseClick(Control<QPushButton>(1322), Qt::LeftButton);
  Settle();
  EXPECT_EQ(host.messages, (std::vector<RecordedMessage>{{UM_OPEN_LTR_GROUPS_BASIC, kZone, 0}}));
}

// --- conventional ---

constexpr std::array<int, 6> kConvAni = {1243, 12622, 12813, 14392, 13033, 14472};
constexpr std::array<int, 6> kConvSignaling = {1255, 12762, 14332, 12983, 13093, 13203};
constexpr int kConvSignalingDefault = 12353;
constexpr std::array<int, 6> kConvNumber = {11591, 11612, 11692, 11713, 11733, 11752};
constexpr std::array<int, 6> kQals = {1240, 12462, 12472, 12493, 12532, 12542};
constexpr std::array<int, 6> kConvCallAlert = {1273, 12742, 1278, 12892, 13002, 13114};

TEST_P(ConvAdvanced, QalsAndCallAlertLandOnTheirBits) {
  SetUpZones(false, 0x20);
  // What a handheld radio's save asks of them: DCS both ways for QALS, a
  // receive tone for the horn.
  Group(kFirst).settings[2] = 0x12;
  Group(kFirst + 1).settings[2] = 0x08;
  Choose(kQals[0], 1);
  Choose(kConvCallAlert[1], 1);
  const std::vector<std::uint8_t> image = Saved();
  ASSERT_GT(image.size(), GroupAt(kGroupCount, 0));
  EXPECT_EQ(image[GroupAt(kFirst, 6)] & 0x80, 0x80);  // word 6 bit 15
  EXPECT_EQ(image[GroupAt(kFirst + 1, 3)] & 0x08, 0x08);
  EXPECT_EQ(Control(1240 + 0)->text(), "Enable");
}

TEST_P(ConvAdvanced, MobileSignalingOffersOptionWithTheXldAndSwitchesAniOff) {
  if (family != kMobile) GTEST_SKIP() << "the mobile rule";
  SetOptionBoard(Model().global, kOptionBoardXld);
  SetUpZones(false, 11);
  Group(kFirst).settings[1] = 0x80 | 0x05;  // ANI on, number 5, function off
  Group(kFirst + 1).settings[0] = static_cast<std::uint8_t>(Group(kFirst + 1).settings[0] | 0x08);  // "Key ON"
  Group(kFirst + 1).settings[1] = 0x40;  // pair 2: "Option", not offered with encryption on
  page->RefreshGroupGrid();
  EXPECT_EQ(OpenRows(kConvSignaling[0]), 4);
  EXPECT_EQ(OpenRows(kConvSignaling[1]), 3);
  EXPECT_EQ(Control(kConvSignaling[1])->text(), "Disable");
  Choose(kConvSignaling[0], 2);  // "Option"
  EXPECT_EQ(Group(kFirst).settings[1], 0x41);  // ANI off, pair (1, 0), number reset to 1
  EXPECT_EQ(Control(kConvSignaling[0])->text(), "Option");
  EXPECT_FALSE(Control(kConvAni[0])->isEnabled());
  EXPECT_EQ(OpenRows(kConvNumber[0]), 3);  // "GE Star", "MDC-1200", "DTMF"
  Choose(kConvNumber[0], 1);
  EXPECT_EQ(Group(kFirst).settings[1] & 0x0F, 2);
  EXPECT_EQ(Control(kConvNumber[0])->text(), "MDC-1200");
  Choose(kConvSignaling[0], 1);  // "Paging": the pair changes, the number goes to 0
  EXPECT_EQ(Group(kFirst).settings[1], 0x10);
  EXPECT_EQ(Control(kConvNumber[0])->text(), "Loc. 1");
  EXPECT_EQ(OpenRows(kConvNumber[0]), 10);

  // The Default column: every group's ANI off, not the Default record's.
  Data().m_defaultGroup.bytes[2] |= 0x02;
  for (int g = kFirst; g < kFirst + 8; ++g) Group(g).settings[1] |= 0x80;
  Choose(kConvSignalingDefault, 3);  // "Signaling"
  EXPECT_NE(Data().m_defaultGroup.bytes[2] & 0x02, 0);
  for (int g = kFirst; g < kFirst + 8; ++g) EXPECT_EQ(Group(g).settings[1] & 0xD0, 0x50) << g;
}

TEST_P(ConvAdvanced, PortableProductCode11PagingIsEnableOrDisable) {
  if (family != kPortable) GTEST_SKIP() << "the portable rule";
  SetUpZones(false, 11);
  EXPECT_EQ(OpenRows(kConvSignaling[0]), 2);
  Choose(kConvSignaling[0], 1);
  EXPECT_EQ(Group(kFirst).settings[1] & 0x10, 0x10);
  EXPECT_EQ(Control(kConvSignaling[0])->text(), "Enable");
  EXPECT_EQ(Control<QLabel>(1467)->text(), "DTMF Paging ,Encryption[Requires XBE-14 Optional board]");
  EXPECT_EQ(Control(kConvNumber[0])->text(), "Loc. 1");
}

TEST_P(ConvAdvanced, BasicFeaturesGoesBackToTheBasicView) {
  SetUpZones(false, 0x20);
  host.messages.clear();
  QTest::mouseClick(Control<QPushButton>(1350), Qt::LeftButton);
  Settle();
  EXPECT_EQ(host.messages, (std::vector<RecordedMessage>{{UM_OPEN_CONV_GROUPS_BASIC, kZone, 0}}));
}

INSTANTIATE_TEST_SUITE_P(Families, LtrAdvanced, ::testing::Values(kMobile, kPortable), FamilyName);
INSTANTIATE_TEST_SUITE_P(Families, ConvAdvanced, ::testing::Values(kMobile, kPortable), FamilyName);

}  // namespace
