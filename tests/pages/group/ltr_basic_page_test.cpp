// The LTR group basic page of both families: what each cell stores in the
// saved image, the Default column's fan-out over the zone, the tag and ID
// edits, the on/off row, the columns past the zone, scrolling and the
// buttons.
#include <array>

#include "GroupFixture.h"

namespace {

using LtrBasicPage = GroupFixture;

struct Cells {
  std::array<int, 6> tags;
  int txInhibitDefault;
  std::array<int, 6> txInhibit;
  int timeOutTimerDefault;
  std::array<int, 6> timeOutTimer;
  int companderDefault;
  std::array<int, 6> compander;
  int scanDefault;
  std::array<int, 6> scan;
};
// Hand-typed from the two templates.
constexpr Cells kMobileCells = {{1717, 1718, 1719, 1720, 1721, 1722},
                                1729, {1723, 1724, 1725, 1726, 1727, 1728},
                                1730, {1731, 1732, 1733, 1734, 1735, 1736},
                                17371, {1738, 17391, 17401, 17411, 17421, 17431},
                                17501, {1749, 17481, 17471, 17461, 17451, 17441}};
constexpr Cells kPortableCells = {{1231, 12382, 12452, 12522, 12592, 12662},
                                  12143, {1227, 12343, 12413, 12483, 12553, 12623},
                                  12212, {1228, 12352, 12422, 12492, 12562, 12632},
                                  12232, {1229, 12362, 12432, 12502, 12572, 12642},
                                  12242, {1230, 12372, 12442, 12512, 12582, 12652}};
constexpr std::array<int, 6> kOnOff = {1337, 1338, 1339, 1340, 1341, 1342};
constexpr std::array<int, 6> kTxId = {1232, 12391, 12461, 12531, 12601, 12671};
constexpr std::array<int, 6> kRxId = {1233, 12401, 12471, 12541, 12611, 12681};
constexpr int kLtrZone = 1;
constexpr int kFirst = 3;  // zone 0 holds groups 0-2

class LtrBasic : public LtrBasicPage {
protected:
  const Cells& C() const { return family == kPortable ? kPortableCells : kMobileCells; }
  void SetUpZones(std::vector<int> counts = {3, 10, 4}) {
    Zones(counts, {false, true, true});
    OpenLtrBasic(kLtrZone);
  }
};

TEST_P(LtrBasic, EachChoiceLandsOnItsImageBitsAndReloads) {
  SetUpZones();
  struct Case {
    int column;  // 1..6
    int Cells::*defaultId;
    std::array<int, 6> Cells::*cells;
    int row;
    int byte;  // of the group's image slot
    std::uint8_t mask, expected;
  };
  const Case cases[] = {
      {1, nullptr, &Cells::txInhibit, 1, 0, 0x20, 0x20},     // "TX Disable"
      {2, nullptr, &Cells::timeOutTimer, 0, 6, 0x40, 0x00},  // "Disable": word 6 bit 14
      {3, nullptr, &Cells::timeOutTimer, 1, 6, 0x40, 0x40},
      {4, nullptr, &Cells::compander, 1, 0, 0x40, 0x40},     // "Enable"
  };
  for (const Case& c : cases) Choose((C().*c.cells)[static_cast<std::size_t>(c.column - 1)], c.row);
  Choose(C().scan[1], 0);     // group 4: "Enable"
  Choose(C().scan[2], 1);     // group 5: "Disable"
  Choose(kOnOff[5], 1);       // group 8 off
  EXPECT_EQ(g_dataModified, 1);

  const std::vector<std::uint8_t> image = Saved("groups.dat");
  for (const Case& c : cases) {
    const int g = kFirst + c.column - 1;
    EXPECT_EQ(image[GroupAt(g, c.byte)] & c.mask, c.expected) << "group " << g << " byte " << c.byte;
  }
  EXPECT_FALSE(BitOf(image, kScanUserOffBits, kFirst + 1));
  EXPECT_FALSE(BitOf(image, kScanDealerOffBits, kFirst + 1));
  EXPECT_TRUE(BitOf(image, kScanUserOffBits, kFirst + 2));
  EXPECT_TRUE(BitOf(image, kScanDealerOffBits, kFirst + 2));
  EXPECT_TRUE(BitOf(image, kGroupOffBits, kFirst + 5));
  EXPECT_FALSE(BitOf(image, kGroupOffBits, kFirst + 4));

  // The saved file reloads to the same groups, byte for byte.
  ASSERT_EQ(g_dataFile.LoadDataFile("groups.dat", dir_.path()), 1);
  const std::vector<std::uint8_t> again = Saved("again.dat");
  ASSERT_EQ(again.size(), image.size());
  for (std::size_t i = GroupAt(0, 0); i < GroupAt(kGroupCount, 0); ++i) EXPECT_EQ(again[i], image[i]) << std::hex << i;
  for (std::size_t base : {kGroupOffBits, kScanUserOffBits, kScanDealerOffBits})
    for (int g = 0; g < kGroupCount; ++g) EXPECT_EQ(BitOf(again, base, g), BitOf(image, base, g)) << base << " " << g;
}

TEST_P(LtrBasic, DefaultChoicesFanOutToTheZoneOnly) {
  SetUpZones();
  for (int g = 0; g < kGroupCount; ++g) Group(g).channelWord |= 0x4000;
  const CDefaultGroupRecord& def = Data().m_defaultGroup;
  Choose(C().txInhibitDefault, 1);   // "TX Disable"
  Choose(C().timeOutTimerDefault, 0);  // "Disable"
  Choose(C().scanDefault, 0);        // "Enable"
  EXPECT_EQ(def.bytes[0] & 0x20, 0x20);
  EXPECT_EQ(def.word6 & 0x4000, 0);
  EXPECT_EQ(def.bytes[5] & kScanMemoryBits, kScanMemoryBits);
  for (int g = 0; g < 17; ++g) {
    const bool inZone = g >= kFirst && g < kFirst + 10;
    EXPECT_EQ((Group(g).settings[0] & 0x20) != 0, inZone) << g;
    EXPECT_EQ((Group(g).channelWord & 0x4000) == 0, inZone) << g;
    EXPECT_EQ((Group(g).flags & kScanMemoryBits) == kScanMemoryBits, inZone) << g;
  }
  // No other bit moved.
  EXPECT_EQ(Group(kFirst).settings[0] & ~0x20, 0x87);
  EXPECT_EQ(Control(C().txInhibitDefault)->text(), "TX Disable");
  EXPECT_EQ(Control(C().scan[0])->text(), "Enable");
}

TEST_P(LtrBasic, ScanMemoryShowsUserAndDealerAndOffersEnableAndDisable) {
  SetUpZones();
  Group(kFirst).flags = group_flag::kEnabled | group_flag::kSetting1;
  Group(kFirst + 1).flags = group_flag::kEnabled | group_flag::kSetting4;
  page->RefreshGroupGrid();
  EXPECT_EQ(Control(C().scan[0])->text(), "User");
  EXPECT_EQ(Control(C().scan[1])->text(), "Dealer");
  QTest::mouseClick(Control(C().scan[0]), Qt::LeftButton);
  CHotListBox* list = page->Grid().OpenList();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->count(), 2);
  EXPECT_EQ(list->currentRow(), 0);
  EXPECT_EQ(g_dataModified, 0);  // opening stores nothing
  QTest::keyClick(list, Qt::Key_Escape);
  EXPECT_EQ(Group(kFirst).flags, group_flag::kEnabled | group_flag::kSetting1);
}

TEST_P(LtrBasic, TagsAreStoredAsTypedPaddedWithBlanks) {
  SetUpZones();
  Type(C().tags[1], "ab");
  EXPECT_EQ(std::string(Group(kFirst + 1).tag.data(), 8), "AB      ");
  EXPECT_EQ(Group(kFirst + 1).tag[8], '\0');
  EXPECT_EQ(g_dataModified, 1);
  Leave();
  const std::vector<std::uint8_t> image = Saved();
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&image[GroupAt(kFirst + 1, 8)]), 8), "AB      ");
}

TEST_P(LtrBasic, IdsAreCheckedAtEachKeystroke) {
  SetUpZones();
  Type(kTxId[0], "1");
  EXPECT_EQ(Group(kFirst).settings[4], 1);
  QTest::keyClicks(Control<QLineEdit>(kTxId[0]), "2");
  EXPECT_EQ(Group(kFirst).settings[4], 12);
  Leave();
  EXPECT_EQ(Group(kFirst).settings[5], 12);  // TX copied to RX on leaving
  EXPECT_EQ(Control<QLineEdit>(kRxId[0])->text(), "12");

  // Cleared: none, an empty cell, and RX follows.
  Type(kTxId[1], " ");
  EXPECT_EQ(Group(kFirst + 1).settings[4], 0xFF);
  Leave();
  EXPECT_EQ(Group(kFirst + 1).settings[5], 0xFF);
  EXPECT_EQ(Control<QLineEdit>(kTxId[1])->text(), "");

  // Out of range: the message, the stored value back, nothing marked.
  Group(kFirst + 2).settings[5] = 40;
  page->RefreshGroupGrid();
  // "0", "-" and "401" (a digit added after "40") are each refused.
  const auto refuse = [&](const char* keys, bool atEnd) {
    g_dataModified = 0;
    messages.clear();
    if (atEnd) {
      QTest::keyClick(Control<QLineEdit>(kRxId[2]), Qt::Key_End);
      QTest::keyClicks(Control<QLineEdit>(kRxId[2]), keys);
    } else {
      Type(kRxId[2], keys);
    }
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"The code you set up is wrong.\nYou can set up between 1 to 250."})
        << keys;
    EXPECT_EQ(Group(kFirst + 2).settings[5], 40) << keys;
    EXPECT_EQ(Control<QLineEdit>(kRxId[2])->text(), "40") << keys;
    EXPECT_EQ(g_dataModified, 0) << keys;
  };
  refuse("0", false);
  refuse("-", false);
  refuse("1", true);
  Type(kRxId[2], "250");
  EXPECT_EQ(Group(kFirst + 2).settings[5], 250);
}

// Cells are entered with their whole text selected, as a user clicks into them.
TEST_P(LtrBasic, BackspaceClearsAClickedIdAndARefusedCharacterLeavesAClickedTag) {
  constexpr int kPressMs = 20;
  SetUpZones();
  Group(kFirst).settings[4] = 12;
  Group(kFirst + 1).SetPaddedTag("TAG1");
  page->RefreshGroupGrid();
  auto* id = Control<QLineEdit>(kTxId[0]);
  QTest::mouseClick(id, Qt::LeftButton);
  Settle();
  ASSERT_EQ(id->selectedText(), "12");
  QTest::keyClick(id, Qt::Key_Backspace, Qt::NoModifier, kPressMs);
  EXPECT_EQ(id->text(), "");
  EXPECT_EQ(Group(kFirst).settings[4], 0xFF);
  QTest::keyClicks(id, "7", Qt::NoModifier, kPressMs);
  EXPECT_EQ(Group(kFirst).settings[4], 7);

  auto* tag = Control<QLineEdit>(C().tags[1]);
  const CGroupRecord before = Group(kFirst + 1);
  for (const char refused : {'!', '-', '.'}) {
    QTest::mouseClick(tag, Qt::LeftButton);
    Settle();
    ASSERT_EQ(tag->selectedText(), "TAG1") << refused;
    BeepCounter beeps;
    QTest::keyClick(tag, refused, Qt::NoModifier, kPressMs);
    EXPECT_EQ(beeps.count(), 1) << refused;
    EXPECT_EQ(tag->text(), "TAG1") << refused;
    EXPECT_EQ(tag->selectedText(), "TAG1") << refused;
    EXPECT_EQ(std::string(Group(kFirst + 1).tag.data(), 8), std::string(before.tag.data(), 8)) << refused;
    Leave();
  }
  EXPECT_EQ(std::string(Group(kFirst + 1).tag.data(), 8), "TAG1    ");
}

TEST_P(LtrBasic, TxIdCopiesOnlyWhenTypedAndToTheGroupThatLostTheFocus) {
  SetUpZones({3, 10});
  Group(kFirst).settings[4] = 10;
  Group(kFirst).settings[5] = 20;
  page->RefreshGroupGrid();
  // Passing through leaves RX alone.
  Control<QLineEdit>(kTxId[0])->setFocus();
  Settle();
  QTest::keyClick(Control<QLineEdit>(kTxId[0]), Qt::Key_Tab);
  Settle();
  Leave();
  EXPECT_EQ(Group(kFirst).settings[5], 20);

  // Typed, then the page scrolls: the copy goes to the typed group.
  Type(kTxId[1], "7");
  QTest::mouseClick(Control<QPushButton>(group_page::kScrollRight), Qt::LeftButton);
  Settle();
  EXPECT_EQ(page->FirstVisibleGroup(), kFirst + 1);
  EXPECT_EQ(Group(kFirst + 1).settings[5], 7);
  EXPECT_EQ(Group(kFirst + 2).settings[5], 0xFF);

  // Typed, then the page goes: copied before the window is taken down.
  Type(kTxId[0], "9");
  page->DestroyWindow();
  Settle();
  EXPECT_EQ(Group(kFirst + 1).settings[4], 9);
  EXPECT_EQ(Group(kFirst + 1).settings[5], 9);
}

TEST_P(LtrBasic, OnOffRowClearsRevertGroupAndTheSelectedGroup) {
  SetUpZones();
  std::uint8_t& revert = Data().m_zoneBytes[zone_byte::kRevertGroup][kLtrZone];
  std::uint8_t& selected = Data().m_selectedGroup[kLtrZone];
  revert = 2;
  selected = kFirst + 2 + 1;  // absolute, 1-based: column 3's group
  Choose(kOnOff[1], 1);       // another group off
  EXPECT_EQ(revert, 0xFF);
  EXPECT_EQ(selected, kFirst + 3);
  Choose(kOnOff[2], 1);  // the selected group off
  EXPECT_FALSE(Group(kFirst + 2).IsEnabled());
  EXPECT_EQ(selected, 0);
  // Its cells close, its on/off cell stays open.
  EXPECT_FALSE(Control(C().txInhibit[2])->isEnabled());
  EXPECT_FALSE(Control<QLineEdit>(kTxId[2])->isEnabled());
  EXPECT_TRUE(Control(kOnOff[2])->isEnabled());
  revert = 1;
  Choose(kOnOff[2], 0);
  EXPECT_TRUE(Group(kFirst + 2).IsEnabled());
  EXPECT_EQ(revert, 0xFF);
  EXPECT_TRUE(Control(C().txInhibit[2])->isEnabled());
}

TEST_P(LtrBasic, ColumnsPastTheZoneShowTheNextZoneClosed) {
  SetUpZones({3, 4, 5});
  EXPECT_TRUE(Control(kOnOff[3])->isEnabled());
  for (int c = 4; c < 6; ++c) {
    EXPECT_FALSE(Control(kOnOff[static_cast<std::size_t>(c)])->isEnabled()) << c;
    EXPECT_FALSE(Control(C().compander[static_cast<std::size_t>(c)])->isEnabled()) << c;
    EXPECT_FALSE(Control<QLineEdit>(C().tags[static_cast<std::size_t>(c)])->isEnabled()) << c;
  }
  // A click there opens nothing; the next zone's group keeps its bits.
  QTest::mouseClick(Control(C().compander[4]), Qt::LeftButton);
  EXPECT_EQ(page->Grid().OpenList(), nullptr);
  // A Default choice stops at the zone's last group.
  Choose(C().companderDefault, 1);
  EXPECT_NE(Group(kFirst + 3).settings[0] & 0x40, 0);
  EXPECT_EQ(Group(kFirst + 4).settings[0] & 0x40, 0);
}

// Earlier zones hold all 250 groups: the zone has none to show, and no
// record past the last is read (the sanitizers watch).
TEST_P(LtrBasic, AZoneWithNoGroupsShowsNothingAndStoresNothing) {
  for (const std::vector<int>& counts : {std::vector<int>{250, 0}, std::vector<int>{200, 0, 50}}) {
    Zones(counts, {false, true, true});
    OpenLtrBasic(1);
    for (const std::array<int, 6>* row : {&kOnOff, &C().compander, &C().txInhibit}) {
      EXPECT_FALSE(Control((*row)[0])->isEnabled());
      EXPECT_EQ(Control((*row)[0])->text(), "");
    }
    for (const std::array<int, 6>* row : {&kTxId, &kRxId, &C().tags}) {
      EXPECT_FALSE(Control<QLineEdit>((*row)[0])->isEnabled());
      EXPECT_EQ(Control<QLineEdit>((*row)[0])->text(), "");
    }
    const std::uint8_t before = Data().m_groups[200].settings[0];
    Choose(C().companderDefault, 1);
    EXPECT_EQ(Data().m_groups[200].settings[0], before);
    QTest::mouseClick(Control<QPushButton>(group_page::kScrollRight), Qt::LeftButton);
    EXPECT_EQ(page->FirstVisibleGroup(), Data().FirstGroupOf(1));
  }
}

TEST_P(LtrBasic, ScrollsWithinTheZoneAndNumbersTheHeadings) {
  Zones({20, 10}, {false, true});
  OpenLtrBasic(1);
  EXPECT_EQ(Control<QLabel>(group_page::kHeadings[0])->text(), "GRP.  21");
  EXPECT_EQ(Control<QLabel>(group_page::kHeadings[5])->text(), "GRP.  26");
  BeepCounter beeps;
  auto* left = Control<QPushButton>(group_page::kScrollLeft);
  auto* right = Control<QPushButton>(group_page::kScrollRight);
  QTest::mouseClick(left, Qt::LeftButton);
  EXPECT_EQ(page->FirstVisibleGroup(), 20);
  for (int i = 0; i < 6; ++i) QTest::mouseClick(right, Qt::LeftButton);
  EXPECT_EQ(page->FirstVisibleGroup(), 24);
  EXPECT_EQ(beeps.count(), 7);
  EXPECT_EQ(Control<QLabel>(group_page::kHeadings[5])->text(), "GRP.  30");
  EXPECT_EQ(Control<QLineEdit>(C().tags[5])->text(), "GROUP030");

  // The last zone's groups end at 250: the headings never pass it.
  Zones({240, 10}, {false, true});
  OpenLtrBasic(1);
  for (int i = 0; i < 8; ++i) QTest::mouseClick(Control<QPushButton>(group_page::kScrollRight), Qt::LeftButton);
  EXPECT_EQ(page->FirstVisibleGroup(), 244);
  EXPECT_EQ(Control<QLabel>(group_page::kHeadings[5])->text(), "GRP. 250");
}

TEST_P(LtrBasic, ButtonsPostTheirPagesToTheMainWindow) {
  SetUpZones();
  host.messages.clear();
  QTest::mouseClick(Control<QPushButton>(1269), Qt::LeftButton);
  EXPECT_TRUE(host.messages.empty());  // posted, not sent
  Settle();
  QTest::mouseClick(Control<QPushButton>(group_page::kClose), Qt::LeftButton);
  Settle();
  EXPECT_EQ(host.messages, (std::vector<RecordedMessage>{{UM_OPEN_LTR_GROUPS_ADVANCED, kLtrZone, 0},
                                                          {UM_OPEN_SYSTEM_PAGE, 0, 255}}));
  // Enter on a button acts as a click.
  host.messages.clear();
  SendUserMessage(page.get(), UM_BUTTON_ENTER, group_page::kClose, 0);
  Settle();
  EXPECT_EQ(host.messages, (std::vector<RecordedMessage>{{UM_OPEN_SYSTEM_PAGE, 0, 255}}));
}

INSTANTIATE_TEST_SUITE_P(Families, LtrBasic, ::testing::Values(kMobile, kPortable), FamilyName);

}  // namespace
