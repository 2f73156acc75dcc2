#include <QLabel>
#include <QTest>
#include <set>

#include "ShownTexts.h"
#include "Global1Fixture.h"
#include "model/DataFile.h"

namespace {

using Global1Page = Global1Fixture;

// The record bytes the page's list rows keep their settings in.
std::set<int> RowBytes() {
  std::set<int> bytes;
  for (const Global1Row& row : Global1Rows())
    if (row.kind == Global1Kind::kChoice && row.field.word == nullptr) bytes.insert(row.field.imageByte);
  return bytes;
}

std::map<int, std::uint8_t> Snapshot(CGlobalRecord& record) {
  std::map<int, std::uint8_t> bytes;
  for (int b : RowBytes())
    if (const std::uint8_t* p = record.FieldOfImageByte(b)) bytes[b] = *p;
  return bytes;
}

TEST_P(Global1Page, EveryListStoresEachChoiceIntoExactlyItsBits) {
  int rowsSeen = 0;
  for (const Global1Row& row : Global1Rows()) {
    const int id = row.id[static_cast<std::size_t>(Col())];
    if (row.kind != Global1Kind::kChoice || id == 0) continue;
    ++rowsSeen;
    QComboBox* combo = Control(id);
    ASSERT_NE(combo, nullptr) << row.label;
    const Choices choices = row.ChoicesOf(family);
    ASSERT_EQ(combo->count(), static_cast<int>(choices.size())) << row.label;
    for (const std::uint8_t background : {0x00, 0xFF}) {
      for (std::size_t r = 0; r < choices.size(); ++r) {
        for (auto& [b, v] : Snapshot(Record())) *Record().FieldOfImageByte(b) = background;
        Record().backLight = background;
        page->RefreshFromData();
        const auto before = Snapshot(Record());
        g_dataModified = 0;
        UserChooses(combo, static_cast<int>(r));
        EXPECT_EQ(g_dataModified, 1) << row.label;
        EXPECT_EQ(combo->itemText(static_cast<int>(r)), QString::fromLatin1(choices[r].text));
        EXPECT_EQ(Resolve(Record(), row.field).Get(), choices[r].value) << row.label << " row " << r;
        // Every other bit of every settings byte stays as it was.
        for (const auto& [b, v] : Snapshot(Record())) {
          const std::uint8_t expected = b == row.field.imageByte && row.field.word == nullptr
                                            ? static_cast<std::uint8_t>(row.field.bits.Put(before.at(b), choices[r].value))
                                            : before.at(b);
          EXPECT_EQ(v, expected) << row.label << " row " << r << " byte " << b;
        }
        // The refresh that follows shows the row just chosen.
        page->RefreshFromData();
        EXPECT_EQ(combo->currentIndex(), static_cast<int>(r)) << row.label;
      }
    }
  }
  EXPECT_EQ(rowsSeen, family == kMobile ? 34 : 30);
}

TEST_P(Global1Page, AValueMatchingNoRowShowsTheFallbackAndRefreshLeavesDataClean) {
  for (const Global1Row& row : Global1Rows()) {
    const int id = row.id[static_cast<std::size_t>(Col())];
    if (row.kind != Global1Kind::kChoice || id == 0) continue;
    const Choices choices = row.ChoicesOf(family);
    const FieldRef field = Resolve(Record(), row.field);
    // The first value the field can hold that no row stores.
    const std::uint32_t limit = row.field.word != nullptr ? 256 : (1u << row.field.bits.count);
    std::uint32_t unmatched = limit;
    for (std::uint32_t v = 0; v < limit && unmatched == limit; ++v)
      if (RowOfChoice(choices, v, -1) < 0) unmatched = v;
    if (unmatched == limit) continue;  // every value has a row (a Disable/Enable bit)
    field.Set(unmatched);
    g_dataModified = 0;
    page->RefreshFromData();
    EXPECT_EQ(Control(id)->currentIndex(), row.fallback) << row.label;
    EXPECT_EQ(field.Get(), unmatched) << row.label;  // left alone until the user picks a row
    EXPECT_EQ(g_dataModified, 0) << row.label;
  }
  // Showing the page again is a refresh too.
  page->hide();
  page->show();
  Reopen();
  EXPECT_EQ(g_dataModified, 0);
}

TEST_P(Global1Page, HiddenListsAreFilledAndStoredButNeverShown) {
  int hidden = 0;
  for (const Global1Row& row : Global1Rows()) {
    if (!row.hidden) continue;
    ++hidden;
    QComboBox* combo = Control(row.id);
    ASSERT_NE(combo, nullptr) << row.label;
    EXPECT_FALSE(combo->isVisibleTo(page.get())) << row.label;
    EXPECT_GT(combo->count(), 0) << row.label;
  }
  EXPECT_EQ(hidden, 8);
  // "APO time" keeps whatever the data held.
  Record().saveOptions = 0xC0;
  page->RefreshFromData();
  EXPECT_EQ(Control(1590 + (family == kPortable ? 72 : 0))->currentText(), "8h");
  EXPECT_EQ(Record().saveOptions, 0xC0);
}

TEST_P(Global1Page, BothScanBeepListsShowTheSameBit) {
  QComboBox* audible = Control(global1::kAudibleScanBeep);
  QComboBox* scan = Control(global1::kScanScanBeep);
  UserChooses(audible, 0);
  EXPECT_EQ(scan->currentText(), "Disable");
  UserChooses(scan, 1);
  EXPECT_EQ(audible->currentText(), "Enable");
  EXPECT_EQ(Record().emergencyKeyOptions & 0x04, 0x04);
}

TEST_P(Global1Page, PasswordPadsWithBlanksEmptyIsZerosAndAPasswordSwitchesCloneOff) {
  auto* edit = Control<QLineEdit>(global1::kPassword);
  ASSERT_NE(edit, nullptr);
  Record().advancedOptions = 0x31;  // Clone on
  edit->setFocus();
  QTest::keyClicks(edit, "a7");
  EXPECT_EQ(std::string(Record().radioPassword.data(), 8), "A7      ");
  EXPECT_EQ(Record().advancedOptions & 1, 0);
  EXPECT_EQ(g_dataModified, 1);
  QTest::keyClicks(edit, "-x!CDEFGHIJ");  // refused characters, then past eight
  EXPECT_EQ(edit->text(), "A7XCDEFG");
  EXPECT_EQ(std::string(Record().radioPassword.data(), 8), "A7XCDEFG");
  // Backspace takes the last character, wherever the caret is.
  for (int i = 0; i < 7; ++i) QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(std::string(Record().radioPassword.data(), 8), "A       ");
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(Record().radioPassword, (std::array<char, 8>{}));

  // A stored password ends at its first zero byte; showing it switches Clone off.
  Record().radioPassword = {'Q', 'R', 0, 'S', ' ', ' ', ' ', ' '};
  Record().advancedOptions = 0x31;
  g_dataModified = 0;
  page->RefreshFromData();
  EXPECT_EQ(edit->text(), "QR");
  EXPECT_EQ(Record().passwordText, "QR");
  EXPECT_EQ(Record().advancedOptions, 0x30);
  EXPECT_EQ(g_dataModified, 0);
  // No password: Clone stays as it is.
  Record().radioPassword.fill(0);
  Record().advancedOptions = 0x31;
  page->RefreshFromData();
  EXPECT_EQ(Record().advancedOptions, 0x31);
}

TEST_P(Global1Page, GroupAIsLiveOnlyOnAMobileRadioWithAMobileProductCode) {
  struct Case {
    std::uint32_t productWord;
    bool groupA;
  } cases[] = {{11u << 8, true}, {39u << 8 | 0x55, true}, {0x0A00, false}, {0, false}};
  for (const Case& c : cases) {
    g_mobileData.m_productWord = c.productWord;
    page->RefreshFromData();
    const bool a = family == kMobile && c.groupA;
    for (const Global1Row& row : Global1Rows()) {
      QComboBox* combo = Control(row.id);
      if (combo == nullptr || row.kind != Global1Kind::kChoice) continue;
      const bool expected = row.group == kGroupA ? a : row.group == kGroupB ? !a : row.group != kGroupNever;
      EXPECT_EQ(combo->isEnabled(), expected) << row.label << " product " << c.productWord;
    }
  }
}

TEST_P(Global1Page, HeadingsAreBoldAndLabelsCarryTheirTexts) {
  const std::array<int, 2> headings[] = {{1425, 1682}, {1424, 1683}, {1426, 1687}, {1428, 1699},
                                         {1429, 1703}, {1430, 1712}, {1431, 1713}, {1432, 1694}};
  for (const auto& ids : headings) {
    auto* label = Control<QLabel>(ids);
    ASSERT_NE(label, nullptr) << ids[0];
    EXPECT_TRUE(label->font().bold()) << label->text().toStdString();
  }
  EXPECT_EQ(Control<QLabel>(std::array<int, 2>{1522, 1685})->text(), "Zone./Grp. Tagging");
  EXPECT_EQ(Control<QLabel>(std::array<int, 2>{1536, 1706})->text(), "Scan Resume Time1(RX)");
  EXPECT_FALSE(Control<QLabel>(std::array<int, 2>{1536, 1706})->font().bold());
  EXPECT_EQ(Control<QLabel>(1433) != nullptr, family == kMobile);  // "Option Board" box
}

TEST_P(Global1Page, ModelListShowsTheRecordsModelAndIgnoresLetters) {
  CKeyCombo* model = Control<CKeyCombo>(global1::kModel);
  ASSERT_NE(model, nullptr);
  ASSERT_EQ(model->count(), 4);
  EXPECT_EQ(model->itemText(3), "TP-741A(VHF)");
  struct Case {
    std::uint8_t code, modelByte;
    int row;
  } cases[] = {{0x01, 0x2F, 1}, {0x3C, 0x30, 3}, {0xB9, 0x1F, 2}, {0x61, 0x05, 0},
               {0xB9, 0xFF, 2},   // a model byte of neither family: the code decides
               {0x01, 0x3F, 1},   // nor does a mobile code with a portable byte show a portable model
               {0x77, 0x2F, 0}};  // no such model: the first row stays
  for (const Case& c : cases) {
    Record().modelCode = c.code;
    Record().modelByte = c.modelByte;
    page->RefreshFromData();
    EXPECT_EQ(model->currentIndex(), c.row) << int(c.code);
  }
  // The main window's model line names the family's model by its band.
  Record().modelCode = family == kMobile ? 0x01 : 0x3C;
  EXPECT_EQ(page->ModelIndex(), family == kMobile ? 1 : 3);
  Record().modelCode = family == kMobile ? 0x61 : 0xB9;
  EXPECT_EQ(page->ModelIndex(), family == kMobile ? 0 : 2);
  QApplication::setActiveWindow(&host);
  model->setFocus();
  QTest::keyClicks(model, "TP");
  Settle();
  EXPECT_EQ(model->currentIndex(), 0);
  EXPECT_EQ(g_dataModified, 0);
}

TEST_P(Global1Page, EverySettingComesBackFromASavedFile) {
  TempDir dir;
  ASSERT_TRUE(AllocateRadioImage());
  const std::string file = dir.File(family == kMobile ? "RADIO.K58" : "RADIO.P58");
  WriteWholeFile(file, ReadWholeFile(std::string(RP58_PROGRAM_DIR) + "/" +
                                     (family == kMobile ? kDefaultMobileUhfFile : kDefaultPortableUhfFile)));
  ASSERT_EQ(g_dataFile.LoadDataFile(file, dir.path()), 1);
  page->RefreshFromData();
  // Every list moves to another row: its last one, or its first when the last is shown.
  for (const Global1Row& row : Global1Rows()) {
    QComboBox* combo = Control(row.id);
    // Packing always sets "System Scan", and the key flags replace the hidden
    // "Lock restriction"; "Home Grp Scan" needs a home zone to save.
    const std::string label = row.label;
    if (combo == nullptr || row.kind != Global1Kind::kChoice || label == "System Scan" ||
        label == "Lock restriction" || label == "Home Grp Scan")
      continue;
    UserChooses(combo, combo->currentIndex() == combo->count() - 1 ? 0 : combo->count() - 1);
  }
  if (family == kMobile) {
    Record().optionBoard = 0x08;
    page->RefreshFromData();
    UserChooses(Control(global1::kOptionBoard), 0);
    Record().ledOnTime = 77;
  }
  auto* password = Control<QLineEdit>(global1::kPassword);
  password->setFocus();
  QTest::keyClicks(password, "K9");
  std::map<int, int> shown;
  for (const Global1Row& row : Global1Rows()) {
    const std::string label = row.label;
    if (label == "System Scan" || label == "Lock restriction") continue;
    if (QComboBox* combo = Control(row.id)) shown[row.id[static_cast<std::size_t>(Col())]] = combo->currentIndex();
  }
  ASSERT_TRUE(g_dataFile.SaveDataFile(file)) << (messages.texts().empty() ? "" : messages.texts()[0]);

  Record().SetDefaults();
  Record().backLight = 0;
  ASSERT_EQ(g_dataFile.LoadDataFile(file, dir.path()), 1);
  page->RefreshFromData();
  for (const auto& [id, index] : shown) EXPECT_EQ(Control(id)->currentIndex(), index) << id;
  EXPECT_EQ(password->text(), "K9");
  if (family == kMobile) {
    EXPECT_EQ(Record().ledOnTime, 77);
  }
}

// A few rows typed by hand from the radio's documentation, not from the row
// table: the choice lands in its image bits when packed and comes back from
// them when unpacked.
TEST_P(Global1Page, AFewRowsLandInTheImageBitsTheRadioReads) {
  struct Case {
    std::array<int, 2> id;
    int row;
    int imageByte;
    std::uint8_t mask;
    std::array<std::uint8_t, 2> bits;  // mobile / portable
  } cases[] = {
      {{1068, 0}, 0, 0x2C0, 0x80, {0x00, 0}},        // "Scan Display": "Revert Grp"
      {{1032, 0}, 9, 0x2B, 0xF0, {0x90, 0}},         // "LCD contrast": 9
      {{1059, 1670}, 3, 0xBB, 0xFF, {20, 20}},       // "Dual Watch Time B": "2.0sec"
      {{1586, 1678}, 1, 0xB6, 0x80, {0x80, 0x80}},   // "Rotary Switch mode": "Zone select"
      {{1066, 1675}, 2, 0xD0, 0x18, {0x18, 0x18}},   // "Revert Group": "Last Busy"
      {{1028, 1652}, 3, 0xB6, 0x0E, {0x0C, 0x02}},   // "Zone./Grp. Tagging": 3 sec / "Combined"
      {{1039, 1657}, 1, 0xB9, 0x10, {0x10, 0x10}},   // "Power on Tone": "Enable"
  };
  std::vector<std::uint8_t> image(kImageBufferSize, 0);
  for (const Case& c : cases) {
    const int id = c.id[static_cast<std::size_t>(Col())];
    if (id == 0) continue;
    UserChooses(Control(id), c.row);
  }
  ASSERT_EQ(Record().Pack(ModelOf(family), image.data(), 0), 1);
  for (const Case& c : cases) {
    if (c.id[static_cast<std::size_t>(Col())] == 0) continue;
    EXPECT_EQ(image[static_cast<std::size_t>(c.imageByte)] & c.mask, c.bits[static_cast<std::size_t>(Col())])
        << c.id[0];
  }
  Record().SetDefaults();
  Record().Unpack(ModelOf(family), image.data());
  page->RefreshFromData();
  for (const Case& c : cases) {
    const int id = c.id[static_cast<std::size_t>(Col())];
    if (id != 0) {
      EXPECT_EQ(Control(id)->currentIndex(), c.row) << id;
    }
  }
}

// Lists whose longest choice ("Alternative with tag time (2 sec)", the
// model names) is wider than the template's control show it whole.
TEST_P(Global1Page, EveryCaptionAndListChoiceShowsWhole) {
  EXPECT_EQ(CutTexts(page->Body()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Families, Global1Page, ::testing::Values(kMobile, kPortable), FamilyName);

// ---------------------------------------------------------------------------
// What only one family has.

class MobileGlobal1Page : public Global1Fixture {};

TEST_P(MobileGlobal1Page, LedTimesRoundToTenMillisecondsAndRefuseMoreThan2550) {
  auto* on = Control<QLineEdit>(global1::kLedOnTime);
  auto* off = Control<QLineEdit>(global1::kLedOffTime);
  ASSERT_NE(on, nullptr);
  EXPECT_EQ(on->text(), "10msec");  // default 1
  EXPECT_EQ(off->text(), "200msec");
  QApplication::setActiveWindow(&host);
  struct Case {
    const char* typed;
    int stored;
    const char* shown;
  } cases[] = {
      {"2549", 255, "2550msec"}, {"2550", 255, "2550msec"}, {"4", 0, "0msec"},
      {"5", 1, "10msec"},        {"", 0, "0msec"},           {"2551", 0, "0msec"},  // refused: the old value stays
      {"-+ 12", 1, "10msec"},    // blank, sign: never typed
  };
  for (const Case& c : cases) {
    g_dataModified = 0;
    on->setFocus();
    on->selectAll();
    QTest::keyClick(on, Qt::Key_Delete);
    QTest::keyClicks(on, c.typed);
    off->setFocus();  // leaving the edit commits it
    EXPECT_EQ(Record().ledOnTime, c.stored) << c.typed;
    EXPECT_EQ(on->text(), c.shown) << c.typed;
    EXPECT_EQ(g_dataModified, std::string(c.typed) == "2551" ? 0 : 1) << c.typed;
  }
  // Leaving the page (F2-F7, a refresh) commits an edit that still has the focus.
  off->setFocus();
  off->selectAll();
  QTest::keyClicks(off, "300");
  page->DestroyWindow();
  EXPECT_EQ(Record().ledOffTime, 30);
  Settle();
}

TEST_P(MobileGlobal1Page, OptionBoardKeepsBits3And4AndIsLockedOutsideManufacturerMode) {
  QComboBox* board = Control(global1::kOptionBoard);
  ASSERT_NE(board, nullptr);
  EXPECT_FALSE(board->isEnabled());
  struct Case {
    std::uint8_t before;
    int shown;
    int chosen;
    std::uint8_t after;
  } cases[] = {
      {0x08, 2, 0, 0x6C},  // XLD-200 over 0x08
      {0x6C, 0, 2, 0x08},  // None over 0x6C
      {0x04, 2, 1, 0x03},  // board 4 without its code shows None
      {0xFB, 1, 0, 0x7C},  // bits 0-2 = 3: XBE-16
  };
  for (const Case& c : cases) {
    Record().optionBoard = c.before;
    page->RefreshFromData();
    EXPECT_EQ(board->currentIndex(), c.shown) << int(c.before);
    UserChooses(board, c.chosen);
    EXPECT_EQ(Record().optionBoard, c.after) << int(c.before);
  }
  g_manufacturerMode = 1;
  Reopen();
  EXPECT_TRUE(Control(global1::kOptionBoard)->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Mobile, MobileGlobal1Page, ::testing::Values(kMobile), FamilyName);

class PortableGlobal1Page : public Global1Fixture {};

TEST_P(PortableGlobal1Page, HasNoMobileOnlySettingsAndItsOwnChoiceSets) {
  for (int id : {1030, 1032, 1065, 1068, 1593, 1626, 1627}) EXPECT_EQ(Control<QWidget>(id), nullptr) << id;
  EXPECT_EQ(Control(1654)->count(), 2);
  EXPECT_EQ(Control(1652)->itemText(3), "Combined");
}

TEST_P(PortableGlobal1Page, BackLightIsPackedIntoBothOfItsHomes) {
  std::vector<std::uint8_t> image(kImageBufferSize, 0);
  image[0x2A] = 0x00;
  image[0xB6] = 0x00;
  QComboBox* backLight = Control(1653);
  UserChooses(backLight, 1);
  EXPECT_EQ(Record().backLight, 1u);
  ASSERT_EQ(Record().Pack(ModelOf(family), image.data(), 0), 1);
  EXPECT_EQ(image[0x2A] & 0x04, 0x04);
  EXPECT_EQ(image[0xB6] & 0x40, 0x40);
  UserChooses(backLight, 0);
  ASSERT_EQ(Record().Pack(ModelOf(family), image.data(), 0), 1);
  EXPECT_EQ(image[0x2A] & 0x04, 0);
  EXPECT_EQ(image[0xB6] & 0x40, 0);
}

INSTANTIATE_TEST_SUITE_P(Portable, PortableGlobal1Page, ::testing::Values(kPortable), FamilyName);

}  // namespace

