// The zone table page of both families: what its cells store in the saved
// image, how the keyboard reaches the lists, how cells look, how the page
// scrolls and navigates, and the count and Enable rules a user meets.
#include <QImage>
#include <QLabel>
#include <array>
#include <cstring>

#include "SystemFixture.h"

namespace {

using SystemPage = SystemFixture;

// Image positions, typed from the radio's memory map.
constexpr std::size_t kCounts = 0x02C;
constexpr std::size_t kAliases = 0x308;
constexpr std::size_t kInUseBits = 0x08E;  // pair-swapped, set = off
constexpr std::size_t kZoneScanBits = 0x092;
std::size_t ZoneByteAt(int zone, int k) { return 0x480 + 64 * static_cast<std::size_t>(zone) + static_cast<std::size_t>(k); }

// Cells of zone columns 1-5 by row, hand-typed from the templates.
constexpr std::array<int, 5> kEnableCells = {1511, 1512, 1513, 1514, 1515};
constexpr std::array<int, 5> kFormatCells = {10701, 10781, 10871, 13551, 10891};
constexpr std::array<int, 5> kHomeCells = {1204, 12051, 12061, 12071, 12081};
constexpr std::array<int, 5> kRevertCells = {1106, 11071, 11081, 11091, 11101};
constexpr std::array<int, 5> kZoneScanCells = {1118, 11211, 11221, 11231, 11241};
constexpr int kDefaultTimeout = 10911;
constexpr int kEnableRow = 0, kDisableRow = 1;

TEST_P(SystemPage, EachCellStoresWhereTheSavedImageKeepsIt) {
  Zones({2, 3, 1}, {false, true, false});
  for (int z = 0; z < kZoneCount; ++z) ZoneByte(z, 1) = static_cast<std::uint8_t>((ZoneByte(z, 1) & 0xF0) | 0x05);

  // The Default TX Timeout Timer: bits 4-7 of zone byte 1 of all 32 zones.
  const bool mobile = family == kMobile;
  Choose(kDefaultTimeout, mobile ? 13 : 3);  // "7.0min" / "2.0min"
  EXPECT_EQ(Control(kDefaultTimeout)->text(), mobile ? "7.0min" : "2.0min");
  // Count, alias and the Zone Scan bit of zone 1.
  TypeAndLeave(system_page::kCounts[1], "5");
  TypeAndLeave(system_page::kAliases[1], "ab d");
  if (mobile) Choose(kZoneScanCells[1], 1);  // "Enable"
  Choose(kEnableCells[2], kDisableRow);  // zone 2 off
  EXPECT_EQ(g_dataModified, 1);

  const std::vector<std::uint8_t> image = Saved();
  ASSERT_GT(image.size(), ZoneByteAt(31, 16));
  for (int z = 0; z < kZoneCount; ++z)
    EXPECT_EQ(image[ZoneByteAt(z, 1)], mobile ? 0xE5 : 0x45) << "zone " << z;
  EXPECT_EQ(image[kCounts + 1], 5);
  EXPECT_EQ(image[kCounts + 2], 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&image[kAliases + 8]), 8), "AB D    ");
  EXPECT_EQ(Data().m_zoneNames[1][8], '\0');
  EXPECT_FALSE(GetPairSwappedBit(&image[kInUseBits], 1));
  EXPECT_TRUE(GetPairSwappedBit(&image[kInUseBits], 2));
  if (mobile) {
    EXPECT_FALSE(GetPairSwappedBit(&image[kZoneScanBits], 1));  // set = off
    Choose(kZoneScanCells[1], 0);  // "Disable"
    EXPECT_TRUE(GetPairSwappedBit(&Saved()[kZoneScanBits], 1));
  }

  // A saved file comes back to the same zone table, byte for byte.
  const std::vector<std::uint8_t> first = Saved("first.dat");
  ASSERT_EQ(g_dataFile.LoadDataFile("first.dat", dir_.path()), 1);
  const std::vector<std::uint8_t> second = Saved("second.dat");
  ASSERT_EQ(second.size(), first.size());
  const std::pair<std::size_t, std::size_t> zoneAreas[] = {
      {kCounts, kZoneScanBits + 4}, {kAliases, kAliases + 8 * kZoneCount}, {ZoneByteAt(0, 0), ZoneByteAt(kZoneCount, 0)}};
  for (const auto& [from, to] : zoneAreas)
    for (std::size_t i = from; i < to; ++i) EXPECT_EQ(second[i], first[i]) << std::hex << i;
}

TEST_P(SystemPage, ConventionalResetsAnLtrZoneAndTheSameFormatResetsNothing) {
  Zones({1, 2}, {false, true});
  CGroupRecord& group = Data().m_groups[1];
  group.settings[4] = 9;
  Data().m_repeaters[1][5] = 40;
  ZoneByte(1, 13) = 60;
  Choose(kFormatCells[1], 0);  // "LTR" again
  EXPECT_EQ(group.settings[4], 9);
  EXPECT_EQ(Data().m_repeaters[1][5], 40);
  EXPECT_EQ(ZoneByte(1, 13), 60);

  Choose(kFormatCells[1], 1);  // "Conventional"
  EXPECT_EQ(ZoneByte(1, 12), 0x88);
  EXPECT_EQ(ZoneByte(1, 13), 0);
  for (std::uint16_t r : Data().m_repeaters[1]) EXPECT_EQ(r, 0x3FF);
  EXPECT_EQ(group.settings, (std::array<std::uint8_t, 6>{0x87, 0, 0, 0, 0xFF, 0xFF}));
  EXPECT_EQ(group.channelWord, 0x03FF);
  EXPECT_EQ(Control(kFormatCells[1])->text(), "Conventional");
  EXPECT_EQ(Saved()[ZoneByteAt(1, 12)], 0x88);
}

TEST_P(SystemPage, HomeChannelOffersTheProgrammedRepeatersAndMarksTheChosenOne) {
  Zones({1, 2}, {false, true});
  auto& repeaters = Data().m_repeaters[1];
  repeaters.fill(0x3FF);
  for (int r : {0, 3, 6}) repeaters[static_cast<std::size_t>(r)] = static_cast<std::uint16_t>(10 + r);
  QTest::mouseClick(Control(kHomeCells[1]), Qt::LeftButton);
  EXPECT_EQ(ListRows(), (QStringList{"None", " 1", " 4", " 7"}));
  page->Grid().Close();

  repeaters[2] = 12;
  Choose(kHomeCells[1], 2);  // " 3"
  EXPECT_EQ(ZoneByte(1, 2) & 0x7F, 3);
  EXPECT_EQ(repeaters[2] & 0x6000, 0x6000);
  EXPECT_EQ(repeaters[3] & 0x6000, 0);
  EXPECT_EQ(Control(kHomeCells[1])->text(), " 3");
}

TEST_P(SystemPage, RevertGroupShowsTheAbsoluteGroupNumber) {
  Zones({10, 3});
  Data().m_zoneBytes[zone_byte::kRevertGroup][1] = 2;
  page->RefreshGrid();
  EXPECT_EQ(Control(kRevertCells[1])->text(), "Grp 13");
  QTest::mouseClick(Control(kRevertCells[1]), Qt::LeftButton);
  EXPECT_EQ(ListRows(), (QStringList{"None", "Grp 11", "Grp 12", "Grp 13"}));
  EXPECT_EQ(page->Grid().OpenList()->currentRow(), 3);
  page->Grid().Close();
  // The Default column offers "None" only, for every zone.
  QTest::mouseClick(Control(11051), Qt::LeftButton);
  EXPECT_EQ(ListRows(), QStringList{"None"});
  page->Grid().Commit();
  for (int z = 0; z < kZoneCount; ++z) EXPECT_EQ(Data().m_zoneBytes[zone_byte::kRevertGroup][z], 0xFF);
}

TEST_P(SystemPage, EnterOnACellOpensItsListEnterCommitsEscCloses) {
  Zones({1, 1}, {true, true});
  struct Route {
    int cell, list;
  };
  std::vector<Route> routes = {{1511, 1516}, {10701, 13072}, {10911, 1309}, {1092, 1309}, {10981, 1311},
                               {1099, 1311}, {11051, 1317},  {1106, 1317},  {1198, 1319}, {1204, 1320},
                               {1113, 1324}, {1219, 1322},   {1226, 1323}};
  if (family == kPortable) {
    routes.push_back({1072, 1308});
    routes.push_back({1073, 1308});
  } else {
    routes.push_back({1118, 1318});  // a keyboard user must reach the Zone Scan list too
  }
  for (const Route& r : routes) {
    CLinkStatic* cell = Control(r.cell);
    ASSERT_NE(cell, nullptr) << r.cell;
    cell->setFocus();
    QTest::keyClick(cell, Qt::Key_Return);
    CHotListBox* list = page->Grid().OpenList();
    ASSERT_NE(list, nullptr) << r.cell;
    EXPECT_EQ(ControlId(list), r.list) << r.cell;
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_EQ(page->Grid().OpenList(), nullptr) << r.cell;
    EXPECT_FALSE(list->isVisible());
  }
  EXPECT_EQ(g_dataModified, 0);
  for (int missing : {1308, 1072}) {  // the mobile template has no End of TX Tone row
    if (family == kMobile) {
      EXPECT_EQ(Control<QWidget>(missing), nullptr);
    }
  }
  if (family == kPortable) {
    EXPECT_EQ(Control<QWidget>(1118), nullptr);
  }

  Control(1092)->setFocus();
  QTest::keyClick(Control(1092), Qt::Key_Return);
  QTest::keyClick(page->Grid().OpenList(), Qt::Key_Down);
  QTest::keyClick(page->Grid().OpenList(), Qt::Key_Return);
  EXPECT_EQ(g_dataModified, 1);
  EXPECT_EQ(page->Grid().OpenList(), nullptr);
}

TEST_P(SystemPage, CellsLookByTheZonesStateAndKind) {
  Zones({2, 3}, {true, false});  // zone 2 off
  const auto look = [&](int id) { return Control<QWidget>(id)->palette().color(QPalette::Window); };
  // Zone 2, not in use: everything grey and disabled but its Enable cell.
  for (int id : {10871, 11081}) {
    EXPECT_FALSE(Control<QWidget>(id)->isEnabled()) << id;
    EXPECT_EQ(look(id), CellLookColor(CellLook::Disabled)) << id;
  }
  EXPECT_FALSE(Control<QWidget>(system_page::kCounts[2])->isEnabled());
  EXPECT_FALSE(Control<QWidget>(system_page::kAliases[2])->isEnabled());
  EXPECT_TRUE(Control<QWidget>(kEnableCells[2])->isEnabled());
  EXPECT_EQ(Control(kEnableCells[2])->text(), "Disable");
  EXPECT_FALSE(Control<QWidget>(system_page::kRepeaters[2])->isEnabled());
  EXPECT_FALSE(Control<QWidget>(system_page::kGroups[2])->isEnabled());
  // Zone 1, conventional: the LTR rows and Repeaters grey; Groups open.
  for (int id : {11141, 11991, 12051, 12201, 12271}) EXPECT_FALSE(Control<QWidget>(id)->isEnabled()) << id;
  EXPECT_TRUE(Control<QWidget>(10781)->isEnabled());
  EXPECT_FALSE(Control<QWidget>(system_page::kRepeaters[1])->isEnabled());
  EXPECT_TRUE(Control<QWidget>(system_page::kGroups[1])->isEnabled());
  // Zone 0, LTR: white; the Default column light grey.
  EXPECT_EQ(look(1198), CellLookColor(CellLook::Editable));
  EXPECT_TRUE(Control<QWidget>(system_page::kRepeaters[0])->isEnabled());
  EXPECT_EQ(look(kDefaultTimeout), CellLookColor(CellLook::DefaultColumn));
  // A zone kind that is neither keeps its LTR rows open.
  ZoneByte(1, 12) = 0x80;
  page->RefreshGrid();
  EXPECT_TRUE(Control<QWidget>(11991)->isEnabled());
  EXPECT_EQ(Control(10781)->text(), "LTR");
  // The hidden Default cells of the LTR rows are not there to reach.
  for (int hidden : {11971, 12031, 11121, 12181, 12251, 13111, 17151}) EXPECT_EQ(Control<QWidget>(hidden), nullptr);
}

TEST_P(SystemPage, TheArrowsPageThroughZones1To32) {
  auto* next = Control<QPushButton>(system_page::kNextZone);
  auto* prev = Control<QPushButton>(system_page::kPrevZone);
  BeepCounter beeps;
  for (int i = 0; i < 30; ++i) QTest::mouseClick(next, Qt::LeftButton);
  EXPECT_EQ(page->FirstSystem(), 27);
  EXPECT_EQ(Control<QLabel>(system_page::kHeaders[0])->text(), "Zone 28");
  EXPECT_EQ(Control<QLabel>(system_page::kHeaders[4])->text(), "Zone 32");
  EXPECT_EQ(beeps.count(), 30);  // at the end still a beep, and nothing moves
  SendUserMessage(page.get(), UM_BUTTON_ENTER, system_page::kPrevZone, 0);
  EXPECT_EQ(page->FirstSystem(), 26);
  for (int i = 0; i < 30; ++i) QTest::mouseClick(prev, Qt::LeftButton);
  EXPECT_EQ(page->FirstSystem(), 0);
  EXPECT_EQ(Control<QLabel>(system_page::kHeaders[0])->text(), "Zone  1");
  page->SetFirstSystem(200);  // whatever a caller hands over
  EXPECT_EQ(page->FirstSystem(), 27);
  EXPECT_EQ(g_dataModified, 0);
}

TEST_P(SystemPage, TheButtonsPostTheirZoneToTheMainWindow) {
  Zones({1, 1, 1, 1, 1}, {false, true, false, true, true});
  for (int i = 0; i < 2; ++i) QTest::mouseClick(Control<QPushButton>(system_page::kNextZone), Qt::LeftButton);
  host.messages.clear();
  QTest::mouseClick(Control<QPushButton>(system_page::kGroups[1]), Qt::LeftButton);  // zone 3, LTR
  EXPECT_TRUE(host.messages.empty());  // posted: the main window takes this page down
  Settle();
  QTest::mouseClick(Control<QPushButton>(system_page::kGroups[0]), Qt::LeftButton);  // zone 2, conventional
  QTest::mouseClick(Control<QPushButton>(system_page::kRepeaters[2]), Qt::LeftButton);
  QTest::mouseClick(Control<QPushButton>(system_page::kInterconnect), Qt::LeftButton);
  SendUserMessage(page.get(), UM_BUTTON_ENTER, system_page::kLtrAdvanced, 0);
  Settle();
  EXPECT_EQ(host.messages, (std::vector<RecordedMessage>{{UM_OPEN_LTR_GROUPS, 3, 0},
                                                          {UM_OPEN_CONV_GROUPS, 2, 0},
                                                          {UM_OPEN_REPEATER, 4, 0},
                                                          {UM_OPEN_INTERCONNECT, 0, 2},
                                                          {UM_OPEN_LTR_ADVANCED, 0, 2}}));
}

TEST_P(SystemPage, DisablingTheHomeAndEmergencyZoneSaysSoAndMarksTheData) {
  Zones({2, 2, 2});
  CGlobalRecord& r = Model().global;
  r.homeZone = r.emergencyZone = 1;
  r.homeGroup = 2;
  r.emergencyGroup = 3;
  Choose(kEnableCells[1], kDisableRow);
  EXPECT_EQ(messages.texts(), (std::vector<std::string>{"Delete Emergency System 2", "Delete Home System 2"}));
  EXPECT_EQ(r.homeZone, kNoZone);
  EXPECT_EQ(r.emergencyGroup, kNoGroup);
  EXPECT_EQ(g_dataModified, 1);
  EXPECT_EQ(Control<QLineEdit>(system_page::kCounts[1])->text(), "0");
  EXPECT_EQ(Control(kEnableCells[1])->text(), "Disable");
}

TEST_P(SystemPage, DisableOnTheOnlyZoneWithGroupsKeepsItOnWithItsGroup) {
  Zones({0, 3});
  CGlobalRecord& r = Model().global;
  r.homeZone = 1, r.homeGroup = 0;
  Data().m_groups[0].SetTag("KEEPME");
  Choose(kEnableCells[1], kDisableRow);
  EXPECT_TRUE(messages.texts().empty());
  EXPECT_EQ(Control(kEnableCells[1])->text(), "Enable");
  EXPECT_EQ(Control<QLineEdit>(system_page::kCounts[1])->text(), "1");
  EXPECT_EQ(std::string(Data().m_groups[0].tag.data()), "KEEPME");
  EXPECT_EQ(r.homeZone, 1);
  EXPECT_EQ(r.homeGroup, 0);
}

TEST_P(SystemPage, ACountOfZeroDecidesOnTheCountNotOnItsText) {
  Zones({2, 2});
  CGlobalRecord& r = Model().global;
  r.homeZone = 1, r.homeGroup = 2;
  TypeAndLeave(system_page::kCounts[1], "00");
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Delete Home System 2"});
  EXPECT_EQ(r.homeZone, kNoZone);
  EXPECT_EQ(Control<QLineEdit>(system_page::kCounts[1])->text(), "0");
  EXPECT_EQ(Control(kEnableCells[1])->text(), "Disable");
  // A count edit takes digits only.
  auto* edit = Control<QLineEdit>(system_page::kCounts[0]);
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, " +-3");
  EXPECT_EQ(edit->text(), "3");
}

TEST_P(SystemPage, TabFromACountThatTurnsItsZoneOffLandsOnACellStillEnabled) {
  Zones({2, 2, 3});
  auto* count = Control<QLineEdit>(system_page::kCounts[1]);
  QTest::mouseClick(count, Qt::LeftButton);
  Settle();
  QTest::keyClicks(count, "00", Qt::NoModifier, 20);
  QTest::keyClick(count, Qt::Key_Tab, Qt::NoModifier, 20);
  Settle();
  EXPECT_FALSE(Data().IsZoneEnabled(1));
  EXPECT_FALSE(Control<QWidget>(system_page::kAliases[1])->isEnabled());
  QWidget* focus = QApplication::focusWidget();
  ASSERT_NE(focus, nullptr);
  EXPECT_NE(focus, Control<QWidget>(system_page::kAliases[1]));
  EXPECT_TRUE(focus->isEnabled()) << ControlId(focus);
  EXPECT_TRUE(page->isAncestorOf(focus)) << ControlId(focus);
  // Nor does the greyed alias look like the keyboard's place: no selection on it.
  auto* alias = Control<QLineEdit>(system_page::kAliases[1]);
  EXPECT_FALSE(alias->hasSelectedText());
  const QImage look = alias->grab().toImage();
  const QRgb highlight = alias->palette().color(QPalette::Highlight).rgb();
  int highlighted = 0;
  for (int y = 0; y < look.height(); ++y)
    for (int x = 0; x < look.width(); ++x) highlighted += look.pixel(x, y) == highlight ? 1 : 0;
  EXPECT_EQ(highlighted, 0);
  // What is typed next goes to the cell that has the focus, framed and red.
  EXPECT_TRUE(MarksOf(focus).framed);
}

TEST_P(SystemPage, EnableShowsTheZonesOwnCountAndFocusesIt) {
  Zones({2, 4});
  Data().m_zoneFlags[1] = 0;  // a file's zone with groups, switched off
  page->RefreshGrid();
  g_dataModified = 0;
  Choose(kEnableCells[1], kEnableRow);
  EXPECT_EQ(g_newlyEnabledSystem, 1);
  EXPECT_EQ(g_dataModified, 1);
  auto* count = Control<QLineEdit>(system_page::kCounts[1]);
  EXPECT_EQ(count->text(), "4");
  EXPECT_EQ(QApplication::focusWidget(), count);
  Control<QPushButton>(system_page::kInterconnect)->setFocus();
  Settle();
  EXPECT_EQ(Data().m_groupCounts[1], 4);  // leaving it keeps the groups
  EXPECT_TRUE(Data().IsZoneEnabled(1));

  // A zone switched on with no group yet: no group page until it has one,
  // and left at 0 it is off again.
  Choose(kEnableCells[2], kEnableRow);
  EXPECT_EQ(Control<QLineEdit>(system_page::kCounts[2])->text(), "0");
  EXPECT_FALSE(Control<QWidget>(system_page::kGroups[2])->isEnabled());
  EXPECT_EQ(QApplication::focusWidget(), Control<QLineEdit>(system_page::kCounts[2]));
  Control<QPushButton>(system_page::kInterconnect)->setFocus();
  Settle();
  EXPECT_FALSE(Data().IsZoneEnabled(2));
}

TEST_P(SystemPage, TooManyGroupsIsSaidOnceAndTheCountStays) {
  Zones({100, 4, 141});  // 5 free
  TypeAndLeave(system_page::kCounts[1], "10");
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Too many groups"});
  EXPECT_EQ(Data().m_groupCounts[1], 4);
  EXPECT_EQ(Control<QLineEdit>(system_page::kCounts[1])->text(), "4");
  messages.clear();
  TypeAndLeave(system_page::kCounts[1], "9");
  EXPECT_TRUE(messages.texts().empty());
  EXPECT_EQ(Data().m_groupCounts[1], 9);
  EXPECT_EQ(Data().m_freeGroups, 0);
}

TEST_P(SystemPage, ACountStillBeingTypedCommitsWhenThePageGoes) {
  Zones({2, 2});
  auto* edit = Control<QLineEdit>(system_page::kCounts[1]);
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, "6");
  page->DestroyWindow();
  Settle();
  EXPECT_EQ(Data().m_groupCounts[1], 6);
  ASSERT_TRUE(page->Create(&host));
  page->show();
  Settle();
  EXPECT_EQ(Control<QLineEdit>(system_page::kCounts[1])->text(), "6");
}

TEST_P(SystemPage, ValuesFromAFileThatNameNothingReadNoRecords) {
  Zones({2, 2}, {true, true});
  ZoneByte(1, 2) = 50;  // past the 20 repeaters
  Data().m_zoneBytes[zone_byte::kRevertGroup][0] = 200;
  page->RefreshGrid();
  EXPECT_EQ(Control(kHomeCells[1])->text(), "None");
  ZoneByte(1, 2) = 3;  // a repeater with no channel
  page->RefreshGrid();
  EXPECT_EQ(Control(kHomeCells[1])->text(), "None");
  EXPECT_EQ(Control(kRevertCells[0])->text(), "Grp 201");
  QTest::mouseClick(Control(kRevertCells[0]), Qt::LeftButton);
  EXPECT_EQ(page->Grid().OpenList()->currentRow(), 0);  // "None": no row has it
}

TEST_P(SystemPage, DefaultChoicesIntoBytes2To9ReachLtrZonesOnly) {
  Zones({1, 1}, {true, false});
  ZoneDefaults defaults;
  const std::array<std::uint8_t, 16> conventional = [&] {
    std::array<std::uint8_t, 16> b{};
    for (int k = 0; k < 16; ++k) b[static_cast<std::size_t>(k)] = ZoneByte(1, k) = static_cast<std::uint8_t>(0x31 + k);
    return b;
  }();
  ZoneByte(1, 12) = 0x88;
  for (const SystemLine& l : SystemLines(family, Model(), defaults)) {
    if (!l.line.HasDefault()) continue;
    const bool bytes2To9 = l.row == SystemRow::kAreaCode || l.row == SystemRow::kHomeChannel || l.row == SystemRow::kScanWords;
    l.line.Store(kDefaultItem, 1, kZoneCount);
    if (l.afterCommit) l.afterCommit(kDefaultItem, 0, 1);  // the Default Home Channel marks no repeater
    for (int k = 2; k <= 9; ++k)
      EXPECT_EQ(ZoneByte(1, k), conventional[static_cast<std::size_t>(k)]) << l.line.caption << " byte " << k;
    if (bytes2To9) {
      EXPECT_EQ(l.line.Value(0), 1u) << l.line.caption;
    }
  }
  EXPECT_EQ(Data().m_repeaters[0][0], 1);
}

TEST_P(SystemPage, PassingThroughAnAliasLeavesAFilesTextAsItWas) {
  SetText(Data().m_zoneNames[0], "zone-1");  // what a file may hold
  page->RefreshGrid();
  auto* alias = Control<QLineEdit>(system_page::kAliases[0]);
  EXPECT_EQ(alias->text(), "zone-1");
  alias->setFocus();
  Settle();
  Control<QPushButton>(system_page::kInterconnect)->setFocus();
  Settle();
  EXPECT_EQ(std::string(Data().m_zoneNames[0].data()), "zone-1");
  EXPECT_EQ(g_dataModified, 0);
  TypeAndLeave(system_page::kAliases[0], "hill");
  EXPECT_EQ(std::string(Data().m_zoneNames[0].data()), "HILL    ");
  EXPECT_EQ(g_dataModified, 1);
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, SystemPage, ::testing::Values(kMobile, kPortable), FamilyName);

}  // namespace
