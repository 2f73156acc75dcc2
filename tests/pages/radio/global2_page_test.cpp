#include <QTest>

#include "ShownTexts.h"
#include "RadioPageFixture.h"
#include "model/GlobalRecordText.h"
#include "pages/radio/RadioPages.h"

namespace {

using Global2Page = RadioPageFixture<CMobileGlobal2Page, CPortableGlobal2Page>;

constexpr int kLedColor = 1070, kDataMode = 10661, kClone = 10541, kSql = 1042;
constexpr int kEmergencyZone = 10591, kEmergencyGroup = 10601;

TEST_P(Global2Page, LedColorStoresOnlyItsTwoBits) {
  if (family == kPortable) {
    EXPECT_EQ(Control(kLedColor), nullptr);  // the portable radio has no emergency LED colour
    return;
  }
  Record().ledOptions = 0xF9;
  Refresh();
  g_dataModified = 0;
  UserPicks(Control(kLedColor), "Green");
  EXPECT_EQ(Record().ledOptions, 0xFD);  // bits 1-2 = 2, the rest kept
  EXPECT_EQ(g_dataModified, 1);
  UserPicks(Control(kLedColor), "Yellow");
  EXPECT_EQ(Record().ledOptions, 0xFF);
}

TEST_P(Global2Page, StoredValuesWithoutARowShowTheFallbackAndStayStored) {
  for (const std::uint8_t dataMode : {0x00, 0x60}) {
    Record().dataModeOptions = dataMode;
    g_dataModified = 0;
    Refresh();
    EXPECT_EQ(Control(kDataMode)->currentText(), "Disable");
    EXPECT_EQ(Record().dataModeOptions, dataMode);
  }
  // The portable page reads the whole byte.
  Record().sqlLevelOffset = family == kPortable ? 200 : 0x0D;
  Refresh();
  EXPECT_EQ(Control(kSql)->currentText(), "9");
  EXPECT_EQ(g_dataModified, 0);
}

TEST_P(Global2Page, EmergencyCodeTypedKeyByKeyLandsInItsNibbles) {
  auto* code = Control<QLineEdit>(global2::kCode);
  ASSERT_NE(code, nullptr);
  EXPECT_EQ(code->text(), QString(15, ' '));
  QApplication::setActiveWindow(&host);
  code->setFocus();
  Settle();
  QTest::keyClicks(code, "12*#");
  // "E" and "F" are not DTMF digits; a sixteenth character does not fit.
  QTest::keyClicks(code, "eF");
  EXPECT_EQ(code->text(), "12*#");
  std::vector<std::uint8_t> image(kImageBufferSize, 0xFF);
  ASSERT_EQ(Record().Pack(ModelOf(family), image.data(), 0), 1);
  const std::vector<std::uint8_t> expected = {0x41, 0x2E, 0xF0, 0, 0, 0, 0, 0};
  EXPECT_EQ(std::vector<std::uint8_t>(image.begin() + 646, image.begin() + 654), expected);
  Refresh();
  EXPECT_EQ(code->text(), "12*#           ");
  // Entering the edit again selects the whole code: the first key replaces it.
  Control(1716)->setFocus();  // "Lock Out"
  code->setFocus();
  Settle();
  QTest::keyClicks(code, "7");
  EXPECT_EQ(code->text(), "7");
  EXPECT_EQ(Record().emergencyCode[0], 0x17);
}

TEST_P(Global2Page, ANewZoneClearsTheGroupAndListsItsOwnGroups) {
  GiveZones(Data(), 6, 10);
  Record().emergencyZone = 2;
  Record().emergencyGroup = 25;
  Refresh();
  QComboBox* zone = Control(kEmergencyZone);
  QComboBox* group = Control(kEmergencyGroup);
  EXPECT_EQ(zone->currentText(), "Zone  3");
  EXPECT_EQ(group->currentText(), "Grp 26");
  EXPECT_EQ(Items(zone).first(), "None");
  // The zone already stored keeps its group.
  UserPicks(zone, "Zone  3");
  EXPECT_EQ(Record().emergencyGroup, 25);
  g_dataModified = 0;
  UserPicks(zone, "Zone  5");
  EXPECT_EQ(Record().emergencyZone, 4);
  EXPECT_EQ(Record().emergencyGroup, kNoGroup);
  EXPECT_EQ(g_dataModified, 1);
  ASSERT_GE(group->count(), 2);
  EXPECT_EQ(group->itemText(0), "None");
  EXPECT_EQ(group->itemText(1), "Grp 41");
  EXPECT_EQ(group->currentIndex(), 0);
  UserPicks(group, "Grp 43");
  EXPECT_EQ(Record().emergencyGroup, 42);
  UserPicks(zone, "None");
  EXPECT_EQ(Record().emergencyZone, kNoZone);
  EXPECT_EQ(Items(group), QStringList{"None"});
}

TEST_P(Global2Page, ForeignPairBytesShowNoneAndAreKeptUntilAUserPicks) {
  GiveZones(Data(), 2, 3);
  CGlobalRecord& r = Record();
  for (std::uint8_t* zone : {&r.emergencyZone, &r.homeZone, &r.shortcut1Zone, &r.shortcut2Zone, &r.shortcut3Zone,
                             &r.shortcut4Zone})
    *zone = 40;
  for (std::uint8_t* group : {&r.emergencyGroup, &r.homeGroup, &r.shortcut1Group, &r.shortcut2Group,
                              &r.shortcut3Group, &r.shortcut4Group})
    *group = 0xFE;
  g_dataModified = 0;
  Refresh();
  for (const global2::PairIds& p : global2::kPairs) {
    if (p.zoneByte == global2::kDataZoneByte) continue;
    EXPECT_EQ(Control(p.zone)->currentIndex(), -1) << p.zone;
    EXPECT_EQ(Control(p.group)->currentText(), "None") << p.group;
  }
  EXPECT_EQ(r.homeZone, 40);
  EXPECT_EQ(r.homeGroup, 0xFE);
  EXPECT_EQ(g_dataModified, 0);
  // Picking "None" of the group list stores the list's own value.
  UserChooses(Control(global2::kPairs[1].group), 0);
  EXPECT_EQ(r.homeGroup, kNoGroup);
  EXPECT_EQ(r.homeZone, 40);
}

TEST_P(Global2Page, CloneFollowsThePasswordAndDataModeTheRadioKind) {
  Record().passwordText = "K9";
  Refresh();
  EXPECT_FALSE(Control(kClone)->isEnabled());
  Record().passwordText.clear();
  Refresh();
  EXPECT_TRUE(Control(kClone)->isEnabled());
  const bool mobileRadio = family == kMobile;
  EXPECT_EQ(Control(kDataMode)->isEnabled(), mobileRadio);
  EXPECT_EQ(Control(global2::kPairs[6].zone)->isEnabled(), mobileRadio);
  g_mobileData.m_productWord = 12u << 8;
  Refresh();
  EXPECT_FALSE(Control(kDataMode)->isEnabled());
  EXPECT_FALSE(Control(global2::kPairs[6].group)->isEnabled());
}

// Two or three rows of every box, typed from the radio's documentation, not
// from the row table: the choice lands in its image bits through a saved
// file and shows again after the file is loaded.
TEST_P(Global2Page, ChosenRowsLandInTheirImageBitsThroughASavedFile) {
  struct Case {
    const char* label;
    int id;
    const char* text;
    int imageByte;
    std::uint8_t mask;
    std::uint8_t bits;
  };
  const Case mobile[] = {
      {"LED Color", 1070, "Green", 757, 0x06, 0x04},
      {"Tx Time", 1037, " 80sec", 206, 0x0F, 0x0F},
      {"Key Holding Time", 10291, "3.0s", 209, 0xC0, 0xC0},
      {"Display", 10681, "Enable", 705, 0x10, 0x10},
      {"QALS mode", 1074, "TX", 705, 0x03, 0x02},
      {"QALS Tx Time", 1046, "55sec", 202, 0x04, 0x04},
      {"SQL. Level Offset", 1042, "12", 43, 0x0F, 0x0C},
      {"Data Mode", 10661, "Enable", 233, 0x60, 0x40},
      {"PTT Interlock", 1056, "Disable", 204, 0x04, 0x00},
      {"Power On Status", 10311, "Zone 1", 208, 0xE0, 0x20},
      {"T.O.T Penalty Time", 10321, "60sec", 200, 0x0C, 0x0C},
      {"T.O.T Release Time", 1048, "5sec", 200, 0x03, 0x03},
  };
  const Case portable[] = {
      {"Rx Time", 10401, "160sec", 206, 0xF0, 0xF0},
      {"LCD", 10621, "Enable", 207, 0x20, 0x20},
      {"Emergency Time", 1052, "160Min", 207, 0x0F, 0x0F},
      {"Receiver Status", 10311, "System 1", 208, 0xE0, 0x20},
      {"T.O.T Release Time", 1048, "0sec", 200, 0x03, 0x00},
      {"QALS Beep", 1045, "Disable", 202, 0x08, 0x00},
      {"Key Holding Time", 1049, "650ms", 205, 0x0C, 0x0C},
      {"SQL. Level Offset", 1042, "12", 43, 0x0F, 0x0C},
      {"Clone", 10541, "Enable", 205, 0x01, 0x01},
  };
  const std::span<const Case> cases = family == kMobile ? std::span<const Case>(mobile) : std::span<const Case>(portable);
  TempDir dir;
  const std::string file = LoadDefaultFile(dir);
  // "Zone 1" at power-on needs zone 1 with its group 1.
  GiveZones(Data(), 2, 2);
  Refresh();
  for (const Case& c : cases) UserPicks(Control(c.id), c.text);
  UserPicks(Control(1050), "Zone  2");  // Home: zone index 1, group 4 is its second
  UserPicks(Control(10552), "Grp  4");
  SaveAndReload(file, dir);
  for (const Case& c : cases) {
    EXPECT_EQ(g_pRadioImage[c.imageByte] & c.mask, c.bits) << c.label;
    EXPECT_EQ(Control(c.id)->currentText(), c.text) << c.label;
  }
  EXPECT_EQ(g_pRadioImage[141], 1);
  EXPECT_EQ(g_pRadioImage[140], 1);  // the image holds the group within its zone
  EXPECT_EQ(Control(10552)->currentText(), "Grp  4");
}

// "Back Up Zone/Grp" (Power On Status, Receiver Status) and every other
// choice and caption show whole.
TEST_P(Global2Page, EveryCaptionAndListChoiceShowsWhole) {
  EXPECT_EQ(CutTexts(page->Body()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Families, Global2Page, ::testing::Values(kMobile, kPortable), FamilyName);

}  // namespace
