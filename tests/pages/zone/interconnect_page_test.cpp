// The interconnect settings page of both families: the Connect Dial and
// Disconnect Dial strings in the zone bytes, the ID or dial cell by zone
// kind, Default choices reaching every zone, and the save's refusal of a
// phone interconnect that has no ID.
#include <fstream>
#include <iterator>

#include "ZoneSettingsFixture.h"
#include "model/DtmfData.h"

namespace {

using InterconnectPage = ZoneSettingsFixture<CMobileInterconnectPage, CPortableInterconnectPage>;

// Control numbers typed from the template: Default column, zone columns 1, 2.
constexpr int kDefaultTimer = 11242;
constexpr int kDefaultPhone = 11251, kPhone1 = 1143;
constexpr int kId1 = 1149, kId2 = 11502;
constexpr int kDial1 = 1155, kDial2 = 11562;
constexpr int kDefaultDisconnect = 11281, kDisconnect1 = 1161;
constexpr int kDefaultOnlyRx = 11291, kDefaultAuto = 11301;
constexpr int kDefaultEndOfTxTone = 1123;
constexpr std::size_t kZoneArea = 0x480;  // the zones' 64-byte records in a saved image

std::vector<std::uint8_t> FileBytes(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_P(InterconnectPage, ConnectDialDigitsGoIntoBytes2To9OfTheEditsOwnZone) {
  Zones("CC");
  const struct {
    const char* typed;
    std::array<std::uint8_t, 8> bytes;
    const char* shown;
  } cases[] = {
      {"5551234", {0x75, 0x55, 0x12, 0x34, 0, 0, 0, 0}, "5551234"},
      {"12*#", {0x41, 0x2E, 0xF0, 0, 0, 0, 0, 0}, "12*#"},
      {"123456789ABCD*#", {0xF1, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}, "123456789ABCD*#"},
      {"1e2Fa", {0x31, 0x2A, 0, 0, 0, 0, 0, 0}, "12A"},  // E and F are no DTMF digits
      {"*", {0x1E, 0, 0, 0, 0, 0, 0, 0}, "*"},
  };
  for (const auto& c : cases) {
    for (int k = 2; k <= 9; ++k) ZoneByte(1, k) = 0xAB;
    // A Default list opened last leaves the current column at the Default.
    QTest::mouseClick(Control(kDefaultTimer), Qt::LeftButton);
    page->Grid().Close();
    g_dataModified = 0;
    Type(kDial2, c.typed);
    std::array<std::uint8_t, 8> bytes{};
    for (int k = 0; k < 8; ++k) bytes[static_cast<std::size_t>(k)] = ZoneByte(1, 2 + k);
    EXPECT_EQ(bytes, c.bytes) << c.typed;
    EXPECT_EQ(ZoneByte(0, 2), 0) << c.typed;
    EXPECT_EQ(g_dataModified, 1);
    page->RefreshGrid();
    EXPECT_EQ(Control<QLineEdit>(kDial2)->text(), c.shown);
  }

  // Emptied: no digits at all; a digit typed after the shown ones goes on.
  QLineEdit* dial = Focus(kDial2);
  dial->end(false);
  QTest::keyClick(dial, Qt::Key_Backspace);
  EXPECT_EQ(ZoneByte(1, 2), 0);
  QTest::keyClick(dial, Qt::Key_9);
  EXPECT_EQ(ZoneByte(1, 2), 0x19);
  QTest::keyClick(dial, Qt::Key_Backspace);
  for (int k = 2; k <= 9; ++k) EXPECT_EQ(ZoneByte(1, k), 0) << k;
}

TEST_P(InterconnectPage, AnLtrZoneShowsItsIdAnyOtherItsConnectDial) {
  Zones("LC-L");
  EXPECT_TRUE(Control<QLineEdit>(kId1)->isVisible());
  EXPECT_FALSE(Control<QLineEdit>(kDial1)->isVisible());
  EXPECT_FALSE(Control<QLineEdit>(kId2)->isVisible());
  EXPECT_TRUE(Control<QLineEdit>(kDial2)->isVisible());
  // A conventional zone stays editable here; a zone not in use does not.
  EXPECT_TRUE(Control(11442)->isEnabled());  // Phone Interconnect, column 2
  EXPECT_FALSE(Control(11452)->isEnabled());  // column 3

  QTest::mouseClick(Control(kDefaultPhone), Qt::LeftButton);
  page->Grid().Close();
  Type(kId1, "25");
  EXPECT_EQ(ZoneByte(0, 3), 25);
  EXPECT_EQ(ZoneByte(3, 3), 0xFF);
  Control<QPushButton>(zone_settings_page::kClose)->setFocus();
  Type(kId1, "251");
  EXPECT_EQ(ZoneByte(0, 3), 25);
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"The code you set up is wrong.\nYou can set up between 1 to 250."});
  EXPECT_EQ(Control<QLineEdit>(kId1)->text(), "25");

  // Stepping on re-decides the cells of every column.
  QTest::mouseClick(Control<QPushButton>(zone_settings_page::kNextZone), Qt::LeftButton);
  EXPECT_FALSE(Control<QLineEdit>(kId1)->isVisible());
  EXPECT_TRUE(Control<QLineEdit>(kDial1)->isVisible());
}

TEST_P(InterconnectPage, DefaultChoicesReachEveryZoneAndKeepTheOtherBits) {
  Zones("LC");
  for (int z = 0; z < kZoneCount; ++z) {
    ZoneByte(z, 0) = z % 2 == 0 ? 0x08 : 0x17;
    ZoneByte(z, 1) = 0x66;
    ZoneByte(z, 11) = 0xF5;
  }
  Type(kDefaultDisconnect, "*");
  EXPECT_EQ(Control<QLineEdit>(kDefaultDisconnect)->text(), "*");
  Choose(kDefaultTimer, 13);  // "7.0min"
  Choose(kDefaultPhone, 1);
  Choose(kDefaultOnlyRx, 1);
  Choose(kDefaultAuto, 1);
  for (int z = 0; z < kZoneCount; ++z) {
    EXPECT_EQ(ZoneByte(z, 11), 0xE5) << z;
    EXPECT_EQ(ZoneByte(z, 1), 0x6E) << z;
    // The mobile page has no End of TX Tone row and leaves bit 3 alone.
    EXPECT_EQ(ZoneByte(z, 0), (z % 2 == 0 ? 0x08 : 0x17) | 0xE0) << z;
  }
  EXPECT_EQ(Control<QWidget>(kDefaultEndOfTxTone) != nullptr, family == kPortable);
  if (family == kPortable) {
    Choose(kDefaultEndOfTxTone, 0);  // "Disable"
    for (int z = 0; z < kZoneCount; ++z) EXPECT_EQ(ZoneByte(z, 0) & 0x08, 0) << z;
  }

  // A zone's Disconnect Dial emptied stores the digit 0.
  Type(kDisconnect1, "#");
  EXPECT_EQ(ZoneByte(0, 11), 0xF5);
  QTest::keyClick(Control<QLineEdit>(kDisconnect1), Qt::Key_Backspace);
  EXPECT_EQ(ZoneByte(0, 11), 0x05);
  EXPECT_EQ(ZoneByte(1, 11), 0xE5);
  page->RefreshGrid();
  EXPECT_EQ(Control<QLineEdit>(kDisconnect1)->text(), "0");
}

TEST_P(InterconnectPage, PhoneInterconnectWithoutAnIdIsRefusedAtSave) {
  Zones("L");
  // A Phone key, with the dial memory such a key needs.
  ModelOf(family).keys.keyFunc[2] = kKeyPhone;
  std::uint8_t digits[8] = {};
  DtmfStringFromText("5", digits);
  ModelOf(family).dtmf.SetDialMemory(kDialMemoryZero, digits);
  ASSERT_TRUE(g_dataFile.SaveDataFile("z.dat")) << ::testing::PrintToString(messages.texts());
  const std::vector<std::uint8_t> before = FileBytes("z.dat");
  messages.clear();

  Choose(kPhone1, 1);  // "Enable"
  EXPECT_FALSE(g_dataFile.SaveDataFile("z.dat"));
  EXPECT_EQ(messages.texts(),
            std::vector<std::string>{"Please set up the Interconnect ID or disable the Phone Interconnect function."});
  EXPECT_EQ(FileBytes("z.dat"), before);

  // With an ID it saves, and the file reloads to the same bytes.
  Type(kId1, "12");
  ASSERT_TRUE(g_dataFile.SaveDataFile("z.dat"));
  const std::vector<std::uint8_t> saved = FileBytes("z.dat");
  ASSERT_EQ(g_dataFile.LoadDataFile("z.dat", dir_.path()), 1);
  EXPECT_EQ(ZoneByte(0, 3), 12);
  EXPECT_EQ(ZoneByte(0, 0) & 0x80, 0x80);
  ASSERT_TRUE(g_dataFile.SaveDataFile("again.dat"));
  const std::vector<std::uint8_t> again = FileBytes("again.dat");
  ASSERT_EQ(again.size(), saved.size());
  for (std::size_t i = kZoneArea; i < kZoneArea + 64 * kZoneCount; ++i) EXPECT_EQ(again[i], saved[i]) << std::hex << i;
}

INSTANTIATE_TEST_SUITE_P(Families, InterconnectPage, ::testing::Values(kMobile, kPortable), FamilyName);

}  // namespace

TEST(ZoneSettingsHelp, TheZonePageLeadsToBothSubPages) {
  const std::string help = std::string(RP58_SOURCE_DIR) + "/resources/help/";
  const std::vector<std::uint8_t> zone = FileBytes(help + "zone.html");
  const std::string text(zone.begin(), zone.end());
  for (const char* page : {"ltradvanced.html", "interconnect.html"}) {
    EXPECT_NE(text.find(std::string("href=\"") + page + "\""), std::string::npos) << page;
    EXPECT_FALSE(FileBytes(help + page).empty()) << page;
  }
}
