// The LTR advanced features page of both families: where its choices and
// identifiers land in the zone bytes, that a conventional zone's Connect
// Dial survives every Default entry, the manufacturer rows, and how the
// columns look.
#include "ShownTexts.h"
#include "ZoneSettingsFixture.h"

namespace {

using LtrAdvancedPage = ZoneSettingsFixture<CMobileLtrAdvancedPage, CPortableLtrAdvancedPage>;

// Control numbers typed from the template: Default column, zone column 1, 3.
constexpr int kDefaultRise = 1123, kRise1 = 1124;
constexpr int kDefaultPrefix = 1130, kPrefix1 = 1131;
constexpr int kDefaultHang = 11371;
constexpr int kDefaultFade = 11441;
constexpr int kDefaultDecode = 11451, kDecode1 = 1159, kDecode3 = 11611;
constexpr int kDefaultInhibit = 11461;
constexpr int kDefaultIds[] = {10562, 10573, 10583, 10593};  // Rx start/stop, Tx start/stop
constexpr int kRxStart1 = 10603, kTxStart1 = 1165;

TEST_P(LtrAdvancedPage, ChoicesStoreOnlyTheirBits) {
  Zones("LLLLLLLLLLLLLLLL");
  for (int z = 0; z < kZoneCount; ++z) ZoneByte(z, 8) = 0x3C;

  Choose(kDefaultFade, 3);  // "3.0Sec"
  for (int z = 0; z < kZoneCount; ++z) EXPECT_EQ(ZoneByte(z, 14), 6) << z;
  EXPECT_EQ(g_dataModified, 1);
  Choose(kDecode1, 2);  // "10Sec"
  EXPECT_EQ(ZoneByte(0, 8), 0x2C);
  EXPECT_EQ(ZoneByte(1, 8), 0x3C);

  // Column 3 with the first zone at 10 is zone index 12.
  page->SetFirstSystem(10);
  page->RefreshGrid();
  Choose(kDecode3, 5);  // "25Sec"
  EXPECT_EQ(ZoneByte(12, 8), 0x5C);
  for (int z : {10, 11, 13}) EXPECT_EQ(ZoneByte(z, 8), 0x3C);

  // The Default column keeps its choice when the page comes back.
  Reopen(4);
  EXPECT_EQ(Control(kDefaultFade)->text(), "3.0Sec");
  EXPECT_EQ(page->Grid().CurrentColumn(), kNoItem);
}

TEST_P(LtrAdvancedPage, IdentifiersAreCheckedAndStoredAtEveryKey) {
  Zones("LLCL");
  std::vector<int> stored;
  QLineEdit* edit = Focus(kRxStart1);
  ASSERT_NE(edit, nullptr);
  const auto key = [&](Qt::Key k) {
    QTest::keyClick(edit, k);
    stored.push_back(ZoneByte(0, 4));
  };
  key(Qt::Key_2);
  key(Qt::Key_5);
  key(Qt::Key_Backspace);
  key(Qt::Key_Backspace);
  EXPECT_EQ(stored, (std::vector<int>{2, 25, 2, 255}));
  EXPECT_EQ(edit->text(), "");
  EXPECT_TRUE(messages.texts().empty());

  stored.clear();
  key(Qt::Key_3);
  key(Qt::Key_0);
  g_dataModified = 0;
  key(Qt::Key_0);
  EXPECT_EQ(stored, (std::vector<int>{3, 30, 30}));
  EXPECT_EQ(edit->text(), "30");
  EXPECT_EQ(g_dataModified, 0);
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"The code you set up is wrong.\nYou can set up between 1 to 250."});

  // A first 0 is refused at once; blanks and signs never arrive.
  messages.clear();
  Type(kTxStart1, " +-");
  EXPECT_EQ(ZoneByte(0, 6), 0xFF);
  Type(kTxStart1, "0");
  EXPECT_EQ(messages.texts().size(), 1u);
  EXPECT_EQ(Control<QLineEdit>(kTxStart1)->text(), "");
  EXPECT_EQ(ZoneByte(0, 6), 0xFF);

  // A Default identifier reaches the LTR zones only; the caret stays put.
  Type(kDefaultIds[2], "7");
  for (int z : {0, 1, 3}) EXPECT_EQ(ZoneByte(z, 6), 7) << z;
  EXPECT_EQ(ZoneByte(2, 6), 0);
  EXPECT_EQ(Control<QLineEdit>(kTxStart1)->text(), "7");
  EXPECT_EQ(Control<QLineEdit>(kDefaultIds[2])->cursorPosition(), 1);
}

// Every Default choice and identifier, with the rows hidden from users
// shown: a conventional zone's Connect Dial (bytes 2..9) is untouched, the
// hang, fade and prefix bytes reach every zone.
TEST_P(LtrAdvancedPage, ConventionalConnectDialSurvivesEveryDefaultEntry) {
  g_manufacturerMode = 1;
  Reopen();
  Zones("LCL-C");
  const std::array<std::uint8_t, 8> dial = {0xF1, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
  for (int z : {1, 3, 4})
    for (int k = 0; k < 8; ++k) ZoneByte(z, 2 + k) = dial[static_cast<std::size_t>(k)];

  const struct {
    int cell;
    int rows;
  } defaults[] = {{kDefaultRise, 10}, {kDefaultPrefix, 3}, {kDefaultHang, 4},
                  {kDefaultFade, 6},  {kDefaultDecode, 16}, {kDefaultInhibit, 16}};
  for (const auto& d : defaults)
    for (int row = 0; row < d.rows; ++row) Choose(d.cell, row);
  for (const char* typed : {"123", "9"})
    for (int id : kDefaultIds) Type(id, typed);

  for (int z : {1, 3, 4})
    for (int k = 0; k < 8; ++k) EXPECT_EQ(ZoneByte(z, 2 + k), dial[static_cast<std::size_t>(k)]) << z << " " << k;
  for (int z = 0; z < kZoneCount; ++z) {
    EXPECT_EQ(ZoneByte(z, 13), 60) << z;
    EXPECT_EQ(ZoneByte(z, 14), 10) << z;
    EXPECT_EQ(ZoneByte(z, 15), 0xCC) << z;
  }
  for (int z : {0, 2}) {
    EXPECT_EQ(ZoneByte(z, 4), 9);
    EXPECT_EQ(ZoneByte(z, 7), 9);
    EXPECT_EQ(ZoneByte(z, 8), 0xFF);
    EXPECT_EQ(ZoneByte(z, 9) >> 4, 10);
  }
}

TEST_P(LtrAdvancedPage, RiseTimeAndPrefixAreForTheManufacturerAndStoreOnOneClick) {
  Zones("LL");
  for (int id : {1424, 1426, kDefaultRise, kRise1, kDefaultPrefix, kPrefix1})
    EXPECT_FALSE(Control<QWidget>(id)->isVisible()) << id;
  EXPECT_TRUE(Control(kDefaultHang)->isVisible());

  g_manufacturerMode = 1;
  Reopen();
  ZoneByte(0, 9) = 0x03;  // a rise nibble no row holds
  page->RefreshGrid();
  EXPECT_EQ(Control(kRise1)->text(), "10msec");
  // Opening the list, even twice, stores and marks nothing.
  for (int i = 0; i < 2; ++i) {
    QTest::mouseClick(Control(kRise1), Qt::LeftButton);
    Settle();
    ASSERT_NE(page->Grid().OpenList(), nullptr);
    EXPECT_EQ(page->Grid().OpenList()->currentRow(), 1);
  }
  EXPECT_EQ(ZoneByte(0, 9), 0x03);
  EXPECT_EQ(g_dataModified, 0);

  ClickRow(4);  // "25msec"
  EXPECT_EQ(page->Grid().OpenList(), nullptr);
  EXPECT_EQ(ZoneByte(0, 9), 0x53);
  EXPECT_EQ(g_dataModified, 1);
  EXPECT_EQ(Control(kRise1)->text(), "25msec");

  // A click on the row already selected is a choice too.
  ZoneByte(1, 15) = 0x12;
  QTest::mouseClick(Control(1132), Qt::LeftButton);
  ClickRow(0);
  EXPECT_EQ(ZoneByte(1, 15), 0xFF);
}

TEST_P(LtrAdvancedPage, OnlyTheColumnsOfLtrZonesInUseCanBeEdited) {
  Zones("LC-L");
  const int columnCells[][2] = {{1138, kDecode1}, {11391, 11601}, {11401, kDecode3}, {11411, 11621}};
  const bool editable[] = {true, false, false, true};
  for (int c = 0; c < 4; ++c)
    for (int id : columnCells[c]) EXPECT_EQ(Control(id)->isEnabled(), editable[c]) << id;
  EXPECT_TRUE(Control<QLineEdit>(kRxStart1)->isEnabled());
  EXPECT_FALSE(Control<QLineEdit>(13182)->isEnabled());  // column 3's Tx inhibit start
  EXPECT_TRUE(Control(kDefaultDecode)->isEnabled());
}

TEST_P(LtrAdvancedPage, NavigatesWithItsFirstZone) {
  page->SetFirstSystem(200);
  page->RefreshGrid();
  EXPECT_EQ(Control<QLabel>(1081)->text(), "Zone 28");
  EXPECT_EQ(Control<QLabel>(1085)->text(), "Zone 32");
  QTest::mouseClick(Control<QPushButton>(zone_settings_page::kNextZone), Qt::LeftButton);
  EXPECT_EQ(page->FirstSystem(), 27);
  QTest::mouseClick(Control<QPushButton>(zone_settings_page::kPrevZone), Qt::LeftButton);
  host.messages.clear();
  QTest::mouseClick(Control<QPushButton>(zone_settings_page::kInterconnect), Qt::LeftButton);
  SendUserMessage(page.get(), UM_BUTTON_ENTER, zone_settings_page::kClose, 0);
  Settle();
  EXPECT_EQ(host.messages,
            (std::vector<RecordedMessage>{{UM_OPEN_INTERCONNECT, 0, 26}, {UM_OPEN_SYSTEM_PAGE, 0, 26}}));
}

// "  Tx Inhibit Resume Time" and the other row labels end before the
// Default column; every caption and cell choice shows whole.
TEST_P(LtrAdvancedPage, EveryLabelAndCellChoiceShowsWholeBesideItsRow) {
  Zones("LLLLLLLLLLLLLLLL");
  EXPECT_EQ(CutTexts(page->Body()), std::vector<std::string>{});
  // No label reaches into the cell beside it.
  for (const QLabel* label : page->Body()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (!label->isVisible() || qobject_cast<const CLinkStatic*>(label) != nullptr) continue;
    const QRect text = label->geometry();
    for (const CLinkStatic* cell : page->Body()->findChildren<CLinkStatic*>())
      if (cell->isVisible()) {
        EXPECT_FALSE(text.intersects(cell->geometry())) << label->text().toStdString();
      }
  }
}

INSTANTIATE_TEST_SUITE_P(Families, LtrAdvancedPage, ::testing::Values(kMobile, kPortable), FamilyName);

}  // namespace
