#include <QLineEdit>
#include <QTest>

#include "RadioPageFixture.h"
#include "pages/radio/RadioPages.h"

namespace {

using MobileSpecialPage = RadioPageFixture<CMobileSpecialPage, CMobileSpecialPage>;
using mobile_special::kLines;


class MobileSpecial : public MobileSpecialPage {
protected:
  QComboBox* Input(int line) const { return Control(kLines[line].input); }
  QComboBox* Output(int line) const { return Control(kLines[line].output); }
  QComboBox* Group(int n) const { return Control(mobile_special::kFirstGroup + n); }
  CMobileSpecialPage& Page() const { return static_cast<CMobileSpecialPage&>(*page); }
  QLineEdit* Level() const { return Control<QLineEdit>(mobile_special::kAfMinVr); }
  // Enters the edit (which selects its text) and types over it; "" clears it.
  void TypeLevel(const char* text) {
    QApplication::setActiveWindow(&host);
    Control(2321)->setFocus();
    Level()->setFocus();
    QCoreApplication::processEvents();
    if (*text == '\0') {
      QTest::keyClick(Level(), Qt::Key_End);
      while (!Level()->text().isEmpty()) QTest::keyClick(Level(), Qt::Key_Backspace);
    }
    QTest::keyClicks(Level(), text);
  }
};

TEST_P(MobileSpecial, ALineIsAnInputOrAnOutputNeverBoth) {
  UserPicks(Output(1), "Busy");
  EXPECT_EQ(Record().accOutput[1], 1);
  g_dataModified = 0;
  UserPicks(Input(1), "MON");
  EXPECT_EQ(Record().accInput[1], 1);
  EXPECT_EQ(Record().accOutput[1], 0);
  EXPECT_EQ(Output(1)->currentText(), "None");
  EXPECT_EQ(g_dataModified, 1);
  UserPicks(Output(1), "Busy");
  EXPECT_EQ(Record().accInput[1], 0);
  UserPicks(Input(1), "None");  // "None" leaves the other side alone
  EXPECT_EQ(Record().accOutput[1], 1);
  // Inputs and outputs are separate sets.
  UserPicks(Input(0), "AF Min VR");
  EXPECT_EQ(Output(1)->currentText(), "Busy");
}

TEST_P(MobileSpecial, AFunctionIsOfferedOnlyToThePortHoldingItAndDataModeOnlyToPort6) {
  UserPicks(Input(2), "Scan");
  for (int line : {0, 1, 3, 5}) {
    EXPECT_FALSE(Items(Input(line)).contains("Scan")) << line;
  }
  EXPECT_TRUE(Items(Input(2)).contains("Scan"));
  for (int line : {0, 1, 2, 3}) {
    EXPECT_FALSE(Items(Input(line)).contains("Data mode")) << line;
  }
  EXPECT_TRUE(Items(Input(5)).contains("Data mode"));
  EXPECT_EQ(Items(Output(0)).size(), 13);
  EXPECT_EQ(kLines[4].input, 0);   // Port5: no input
  EXPECT_EQ(kLines[5].output, 0);  // Port6: no output
  // A code no offered row holds shows "None" and stays stored.
  Record().accInput[0] = 25;
  Record().accOutput[2] = 9;
  g_dataModified = 0;
  Page().RefreshFromData();
  EXPECT_EQ(Input(0)->currentText(), "None");
  EXPECT_EQ(Output(2)->currentText(), "None");
  EXPECT_EQ(Record().accInput[0], 25);
  EXPECT_EQ(g_dataModified, 0);
}

TEST_P(MobileSpecial, AfMinVrLevelIsStoredWhenLeftAndBeforeTheWindowGoes) {
  // Opening, refreshing and closing the page store nothing.
  EXPECT_EQ(Level()->text(), "1");
  Page().RefreshFromData();
  Level()->setFocus();
  Control(2321)->setFocus();
  Reopen();
  EXPECT_EQ(Record().afMinVrLevel, 1);
  EXPECT_EQ(g_dataModified, 0);
  struct Case {
    const char* typed;
    int stored;
    const char* shown;
  } cases[] = {{"31", 31, "31"}, {"32", 31, "31"}, {"", 0, "0"}, {"7", 7, "7"}};
  for (const Case& c : cases) {
    TypeLevel(c.typed);
    Control(2321)->setFocus();  // leaving the edit stores it
    Settle();
    EXPECT_EQ(Record().afMinVrLevel, c.stored) << c.typed;
    EXPECT_EQ(Level()->text(), c.shown) << c.typed;
  }
  // A refresh and a tab switch store what was typed first.
  TypeLevel("12");
  Page().RefreshFromData();
  EXPECT_EQ(Record().afMinVrLevel, 12);
  TypeLevel("9");
  Reopen();
  EXPECT_EQ(Record().afMinVrLevel, 9);
  EXPECT_EQ(Level()->text(), "9");
}

TEST_P(MobileSpecial, GroupSwitchTableOffersEachGroupOfTheZoneToOnePositionAtATime) {
  GiveZones(Data(), 3, 5);
  Page().RefreshFromData();
  QComboBox* zone = Control(mobile_special::kZone);
  EXPECT_EQ(zone->currentText(), "None");
  for (int n = 0; n < mobile_special::kGroupPositions; ++n) EXPECT_EQ(Items(Group(n)), QStringList{"None"});
  UserPicks(zone, "Zone  1");
  EXPECT_EQ(Items(Group(0)), (QStringList{"None", "Grp  1", "Grp  2", "Grp  3", "Grp  4", "Grp  5"}));
  UserPicks(Group(0), "Grp  2");
  EXPECT_EQ(Record().dsubGroup[0], 1);
  EXPECT_FALSE(Items(Group(1)).contains("Grp  2"));
  UserPicks(Group(1), "Grp  5");
  EXPECT_EQ(Record().dsubGroup[1], 4);
  // The same zone again keeps the groups; another zone clears them all.
  UserPicks(zone, "Zone  1");
  EXPECT_EQ(Record().dsubGroup[0], 1);
  UserPicks(zone, "Zone  3");
  EXPECT_EQ(Record().dsubZone, 2);
  for (const std::uint8_t g : Record().dsubGroup) EXPECT_EQ(g, kNoGroup);
  EXPECT_EQ(Group(7)->itemText(1), "Grp 11");
}

TEST_P(MobileSpecial, ForeignZoneAndGroupBytesShowNothingAndAreKept) {
  GiveZones(Data(), 2, 3);
  Record().dsubZone = 40;
  Record().dsubGroup.fill(0xFE);
  g_dataModified = 0;
  Page().RefreshFromData();
  EXPECT_EQ(Control(mobile_special::kZone)->currentIndex(), -1);
  for (int n = 0; n < mobile_special::kGroupPositions; ++n) EXPECT_EQ(Group(n)->currentText(), "None");
  EXPECT_EQ(Record().dsubZone, 40);
  EXPECT_EQ(Record().dsubGroup[5], 0xFE);
  EXPECT_EQ(g_dataModified, 0);
  UserChooses(Group(5), 0);
  EXPECT_EQ(Record().dsubGroup[5], kNoGroup);
  EXPECT_EQ(Record().dsubGroup[6], 0xFE);
}

// A few rows of every box, typed from the radio's documentation: the choice
// lands in its image bits through a saved file and shows again after loading.
TEST_P(MobileSpecial, ChosenRowsLandInTheirImageBitsThroughASavedFile) {
  struct Case {
    const char* label;
    int id;
    const char* text;
    int imageByte;
    std::uint8_t mask;
    std::uint8_t bits;
  } cases[] = {
      {"Ext. Mic Sense", 2321, "-3db", 758, 0xFF, 57},
      {"Horn Alert Time", 2322, "3 min", 704, 0x70, 0x70},
      {"Ignition Sense", 2323, "Enable", 748, 0x02, 0x02},
      {"External PTT", 2324, "Enable", 704, 0x08, 0x08},
      {"ACC Port3 output", kLines[2].output, "PTT", 721, 0xFF, 7},
      {"ACC Port4 input", kLines[3].input, "CH SW2", 728, 0xFF, 10},
      {"ACC Port6 input", kLines[5].input, "Data mode", 730, 0xFF, 25},
      {"ACC Port5 output", kLines[4].output, "Short cut GP4", 723, 0xFF, 17},
  };
  TempDir dir;
  const std::string file = LoadDefaultFile(dir);
  GiveZones(Data(), 2, 3);
  Page().RefreshFromData();
  for (const auto& c : cases) UserPicks(Control(c.id), c.text);
  UserPicks(Control(mobile_special::kZone), "Zone  2");
  UserPicks(Group(3), "Grp  6");
  TypeLevel("20");
  Control(2321)->setFocus();
  Settle();
  SaveAndReload(file, dir);
  for (const auto& c : cases) {
    EXPECT_EQ(g_pRadioImage[c.imageByte] & c.mask, c.bits) << c.label;
    EXPECT_EQ(Control(c.id)->currentText(), c.text) << c.label;
  }
  EXPECT_EQ(g_pRadioImage[731], 1);
  EXPECT_EQ(g_pRadioImage[735], 2);  // "# 3": the third group of its zone
  EXPECT_EQ(g_pRadioImage[226], 20);
  EXPECT_EQ(Group(3)->currentText(), "Grp  6");
  EXPECT_EQ(Level()->text(), "20");
}

INSTANTIATE_TEST_SUITE_P(Mobile, MobileSpecial, ::testing::Values(kMobile), FamilyName);

}  // namespace
