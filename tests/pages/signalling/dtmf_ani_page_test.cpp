#include <QTest>

#include "../radio/RadioPageFixture.h"
#include "ShownTexts.h"
#include "model/DtmfData.h"
#include "model/KeyAssignRecord.h"
#include "pages/signalling/SignallingPages.h"

namespace {

using DtmfAniPage = RadioPageFixture<CMobileDtmfAniPage, CPortableDtmfAniPage>;

constexpr int kCallingTimes = 11564, kFirstDigitDelay = 1188, kKeyPad = dtmf_ani::kKeyPad;
constexpr int kDial1 = 11353, kTag1 = 11343;

class DtmfAniPageTest : public DtmfAniPage {
protected:
  CDtmfData& Dtmf() const { return ModelOf(family).dtmf; }
  QLineEdit* Edit(int id) const { return Control<QLineEdit>(id); }
  // Focuses the box (its whole text becomes selected) and types as a user.
  void Type(int id, const char* keys) {
    QLineEdit* edit = Edit(id);
    ASSERT_NE(edit, nullptr) << id;
    QApplication::setActiveWindow(&host);
    edit->clearFocus();
    edit->setFocus();
    Settle();
    QTest::keyClicks(edit, keys);
  }
  dtmf_ani::PagingIds Paging(int i) const {
    return dtmf_ani::kPagingIds[family == kPortable ? 1 : 0][static_cast<std::size_t>(i)];
  }
};

TEST_P(DtmfAniPageTest, PauseCharacterCodeShowsLowerCaseAndStoresTheTypedDigit) {
  Dtmf().pauseOptions = 0xAC;
  Refresh();
  EXPECT_EQ(Edit(dtmf_ani::kPauseCode)->text(), "c");
  g_dataModified = 0;
  Type(dtmf_ani::kPauseCode, "#");
  EXPECT_EQ(Dtmf().pauseOptions, 0xAF);
  QTest::keyClick(Edit(dtmf_ani::kPauseCode), Qt::Key_Backspace);
  EXPECT_EQ(Dtmf().pauseOptions, 0xA0);  // an empty box stores 0
  Type(dtmf_ani::kPauseCode, "c");
  EXPECT_EQ(Dtmf().pauseOptions, 0xAC);
  EXPECT_EQ(g_dataModified, 1);
  Refresh();
  EXPECT_EQ(Edit(dtmf_ani::kPauseCode)->text(), "c");
}

TEST_P(DtmfAniPageTest, DialMemoriesShowFifteenPlacesAndStoreKeyByKey) {
  const std::uint8_t digits[8] = {0x31, 0x2F, 0, 0, 0, 0, 0, 0};  // count 3: 1, 2, #
  Dtmf().SetDialMemory(0, digits);
  Refresh();
  EXPECT_EQ(Edit(kDial1)->text(), "12#            ");
  EXPECT_EQ(Edit(dtmf_ani::kDialIds[kDialMemoryZero])->text(), QString(15, ' '));

  Type(kDial1, "12*");
  auto stored = Dtmf().DialMemory(0);
  EXPECT_EQ(stored, (std::array<std::uint8_t, 8>{0x31, 0x2E, 0, 0, 0, 0, 0, 0}));
  // 'E' and 'F' are no DTMF digits; a letter that is no digit neither.
  Type(kDial1, "9eFx");
  EXPECT_EQ(Edit(kDial1)->text(), "9");
  QTest::keyClick(Edit(kDial1), Qt::Key_Backspace);
  EXPECT_EQ(Dtmf().DialMemory(0), (std::array<std::uint8_t, 8>{}));
  // Memory #0 is the last memory of the record but stands first on the page.
  Type(dtmf_ani::kDialIds[kDialMemoryZero], "0");
  EXPECT_EQ(Dtmf().DialMemory(9)[0], 0x10);
}

TEST_P(DtmfAniPageTest, TagsArePaddedToEightAndUpperCased) {
  Type(kTag1, "ab");
  EXPECT_EQ(std::string(Dtmf().dialTags[0], 9), std::string("AB      \0", 9));
  Type(kTag1, "12345678");
  QTest::keyClicks(Edit(kTag1), "9");  // no ninth character
  EXPECT_STREQ(Dtmf().dialTags[0], "12345678");
  Refresh();
  EXPECT_EQ(Edit(kTag1)->text(), "12345678");
}

TEST_P(DtmfAniPageTest, PagingCodeFollowsItsDecodeSwitch) {
  Dtmf().pagingCodes[2] = 0x012F;  // decode off
  Refresh();
  const auto ids = Paging(2);
  EXPECT_EQ(Edit(ids.code)->text(), "   ");
  EXPECT_FALSE(Edit(ids.code)->isEnabled());
  UserPicks(Control(ids.decoding), "on");
  EXPECT_EQ(Dtmf().pagingCodes[2], 0x212F);
  EXPECT_EQ(Edit(ids.code)->text(), "12 ");
  EXPECT_TRUE(Edit(ids.code)->isEnabled());

  Type(ids.code, "123");
  EXPECT_EQ(Dtmf().pagingCodes[2], 0x2123);
  // Backspace shortens the box only: a code has no count, the third digit stays.
  QTest::keyClick(Edit(ids.code), Qt::Key_Backspace);
  EXPECT_EQ(Edit(ids.code)->text(), "12");
  EXPECT_EQ(Dtmf().pagingCodes[2], 0x2123);
  Refresh();
  EXPECT_EQ(Edit(ids.code)->text(), "123");

  UserPicks(Control(ids.decoding), "off");
  EXPECT_EQ(Dtmf().pagingCodes[2], 0x0123);
  EXPECT_EQ(Edit(ids.code)->text(), "   ");
  EXPECT_FALSE(Edit(ids.code)->isEnabled());
}

TEST_P(DtmfAniPageTest, ChoicesKeepTheirNeighbourBitsAndUnknownValues) {
  Dtmf().pagingOptions = 0xF0;
  Refresh();
  UserPicks(Control(kCallingTimes), "  5");
  EXPECT_EQ(Dtmf().pagingOptions, 0xF3);

  Record().firstDigitDelayOptions = 0x81;  // code 0: no row has it
  g_dataModified = 0;
  Refresh();
  EXPECT_EQ(Control(kFirstDigitDelay)->currentText(), "300msec");
  EXPECT_EQ(Record().firstDigitDelayOptions, 0x81);
  EXPECT_EQ(g_dataModified, 0);
  UserPicks(Control(kFirstDigitDelay), "500msec");
  EXPECT_EQ(Record().firstDigitDelayOptions, 0xC1);
  UserPicks(Control(kFirstDigitDelay), "300msec");
  EXPECT_EQ(Record().firstDigitDelayOptions, 0xB1);
}

TEST_P(DtmfAniPageTest, KeyPadIsGreyedWhereTheRadioHasNoKeyPad) {
  struct Case {
    std::uint8_t productCode;
    std::uint8_t byte;  // mobile: image byte 251; portable: 249
    bool enabled;
  };
  const Case mobile[] = {{11, 0x08, false}, {11, 0xF7, true}, {0, 0x08, true}, {0, 0x00, true}};
  const Case portable[] = {{0, 0x20, false}, {0, 0xDF, true}};
  for (const Case& c : family == kMobile ? std::span<const Case>(mobile) : std::span<const Case>(portable)) {
    g_mobileData.m_productWord = static_cast<std::uint16_t>(c.productCode << 8);
    (family == kMobile ? Record().featureByte : Record().modelByte) = c.byte;
    Refresh();
    EXPECT_EQ(Control(kKeyPad)->isEnabled(), c.enabled) << int(c.productCode) << " " << int(c.byte);
  }
}

TEST_P(DtmfAniPageTest, HiddenSettingsAreFilledButNeverShown) {
  Dtmf().pagingOptions = 0x80;
  const std::uint8_t digits[8] = {0x17, 0, 0, 0, 0, 0, 0, 0};
  std::copy(digits, digits + 8, Dtmf().aniPttOffCode.begin());
  Refresh();
  for (const int id : {1154, 1157}) EXPECT_FALSE(Control(id)->isVisible()) << id;
  EXPECT_EQ(Control(1154)->currentText(), "on");
  EXPECT_EQ(Control(1157)->currentText(), "off");
  EXPECT_FALSE(Edit(dtmf_ani::kAniPttOffCode)->isVisible());
  EXPECT_EQ(Edit(dtmf_ani::kAniPttOffCode)->text(), "7              ");
}

TEST_P(DtmfAniPageTest, PortablePagingBesideAScanKeyIsRefusedOnSave) {
  TempDir dir;
  const std::string file = LoadDefaultFile(dir);
  UserPicks(Control(Paging(0).decoding), "on");
  ModelOf(family).keys.keyFunc[4] = kKeyScan;
  ModelOf(family).keys.RebuildInUse();
  const bool saved = g_dataFile.SaveDataFile(file);
  if (family == kPortable) {
    EXPECT_FALSE(saved);
    ASSERT_FALSE(messages.texts().empty());
    EXPECT_EQ(messages.texts().back(), kPagingScanRefusal);
  } else {
    EXPECT_TRUE(saved);
  }
}

// Rows typed by hand from the radio's documentation, through the page, a
// saved file and a reload.
TEST_P(DtmfAniPageTest, SettingsLandInTheirImageBytesThroughASavedFile) {
  TempDir dir;
  const std::string file = LoadDefaultFile(dir);
  struct Pick {
    int id;
    const char* text;
  };
  const Pick picks[] = {{10343, "Disable"},   {1129, "Enable"},          {1131, "7.0sec"},
                        {1132, "100msec"},    {11564, "off"},             {1184, "PTT released"},
                        {1187, "66msec(7.5digit)"}, {1188, "500msec"}};
  for (const Pick& p : picks) UserPicks(Control(p.id), p.text);
  Type(dtmf_ani::kPauseCode, "*");
  Type(dtmf_ani::kAniCode, "A1#");
  Type(dtmf_ani::kTagIds[kDialMemoryZero], "home");
  Type(dtmf_ani::kDialIds[kDialMemoryZero], "5551234");
  UserPicks(Control(Paging(9).decoding), "on");
  Type(Paging(9).code, "9D0");
  SaveAndReload(file, dir);

  const std::uint8_t* im = g_pRadioImage;
  EXPECT_EQ(im[209] & 0x01, 0x00);        // DTMF Monitor
  EXPECT_EQ(im[384] & 0x80, 0x00);        // pause character on
  EXPECT_EQ(im[384] & 0x70, 0x70);        // Pause Time 7.0 s
  EXPECT_EQ(im[384] & 0x0F, 0x0E);        // '*'
  EXPECT_EQ(im[385] & 0x13, 0x10);        // DTMF Speed 100 ms, Calling times off
  EXPECT_EQ(im[202] & 0x01, 0x01);        // ANI on PTT release
  EXPECT_EQ(im[212] & 0xC0, 0xC0);        // ANI Speed 66 ms
  EXPECT_EQ(im[213] & 0x70, 0x40);        // 1st digit delay 500 ms
  const std::vector<std::uint8_t> ani = {0x3A, 0x1F, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(std::vector<std::uint8_t>(im + 386, im + 394), ani);
  const std::vector<std::uint8_t> dial0 = {0x75, 0x55, 0x12, 0x34, 0, 0, 0, 0};
  EXPECT_EQ(std::vector<std::uint8_t>(im + 402 + 72, im + 402 + 80), dial0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(im) + 482 + 72, 8), "HOME    ");
  EXPECT_EQ(GetBE16(im + 562 + 18) & 0x2FFF, 0x29D0);

  EXPECT_EQ(Edit(dtmf_ani::kPauseCode)->text(), "*");
  EXPECT_EQ(Edit(dtmf_ani::kAniCode)->text(), "A1#            ");
  EXPECT_EQ(Edit(dtmf_ani::kDialIds[kDialMemoryZero])->text(), "5551234        ");
  EXPECT_EQ(Edit(dtmf_ani::kTagIds[kDialMemoryZero])->text(), "HOME    ");
  EXPECT_EQ(Edit(Paging(9).code)->text(), "9D0");
  for (const Pick& p : picks) EXPECT_EQ(Control(p.id)->currentText(), p.text) << p.id;
}

// A dial tag of eight of the widest capitals and a dial memory of fifteen
// of the widest digits show whole once the user has left them, at the
// default font and at 144 dpi.
class DialMemoryWidth : public DtmfAniPageTest {
protected:
  void Check() {
    leaveTo_ = dtmf_ani::kPauseCode;
    const std::size_t memories[] = {0, kDialMemoryZero};
    for (const std::size_t m : memories) {
      for (const char* tag : {"WWWWWWWW", "MMMMMMMM"}) {
        Type(dtmf_ani::kTagIds[m], tag);
        Leave();
        EXPECT_EQ(Edit(dtmf_ani::kTagIds[m])->text(), tag);
        EXPECT_EQ(CutTexts(page->Body()), std::vector<std::string>{}) << tag;
      }
      for (const char* dial : {"###############", "DDDDDDDDDDDDDDD", "888888888888888"}) {
        Type(dtmf_ani::kDialIds[m], dial);
        Leave();
        EXPECT_EQ(Edit(dtmf_ani::kDialIds[m])->text(), dial);
        EXPECT_EQ(CutTexts(page->Body()), std::vector<std::string>{}) << dial;
      }
    }
  }
};

TEST_P(DialMemoryWidth, TheLongestTagAndDialShowWhole) { Check(); }
TEST_P(DialMemoryWidth, TheLongestTagAndDialShowWholeAt144Dpi) {
  if (!RanElsewhereAtDpi(144)) Check();
}

INSTANTIATE_TEST_SUITE_P(Families, DialMemoryWidth, ::testing::Values(kMobile, kPortable), FamilyName);

INSTANTIATE_TEST_SUITE_P(Families, DtmfAniPageTest, ::testing::Values(kMobile, kPortable), FamilyName);

}  // namespace
