#include <gtest/gtest.h>

#include <vector>

#include "ProgramState.h"
#include "ScriptedMessages.h"
#include "model/DtmfData.h"
#include "model/FamilyModel.h"
#include "model/RadioImage.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(DtmfDigits, TypedTextsAndTheirBytes) {
  struct Row {
    const char* typed;
    Bytes bytes;
    const char* shown;
  };
  const Row rows[] = {
      {"12*#", {0x41, 0x2E, 0xF0, 0, 0, 0, 0, 0}, "12*#"},
      {"5 6", {0x15, 0x06, 0, 0, 0, 0, 0, 0}, "5"},  // the blank ends the count
      {"", {0, 0, 0, 0, 0, 0, 0, 0}, " "},           // no digits shows one blank
      {"0123456789ABCD*#", {0xF0, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE}, "0123456789ABCD*"},
      {"a", {0x1A, 0, 0, 0, 0, 0, 0, 0}, "A"},  // only the low four bits of the value count
  };
  for (const Row& r : rows) {
    Bytes digits(8, 0xFF);
    DtmfStringFromText(r.typed, digits.data());
    EXPECT_EQ(digits, r.bytes) << r.typed;
    EXPECT_EQ(DtmfStringToText(digits.data()), r.shown) << r.typed;
  }
  // A shorter text clears what a longer one left behind.
  Bytes digits(8, 0);
  DtmfStringFromText("123456", digits.data());
  DtmfStringFromText("9", digits.data());
  EXPECT_EQ(digits, (Bytes{0x19, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(DtmfDigits, PagingCodeTexts) {
  EXPECT_EQ(PagingCodeText(0x2123), "123");
  EXPECT_EQ(PagingCodeText(0x0FFF), "   ");
  EXPECT_EQ(PagingCodeText(0x0123), "   ");  // decode off hides the code
  EXPECT_EQ(PagingCodeText(0x2ABD), "ABD");
  EXPECT_EQ(PagingCodeText(0x2EF1), "  1");
}

TEST(DtmfDigits, TypedPagingCodesKeepTheirUntypedPlacesAndUpperBits) {
  struct Row {
    std::uint16_t before;
    const char* typed;
    std::uint16_t after;
  };
  const Row rows[] = {
      {0xF0FF, "123", 0xF123},  // bits 12-15 are not the code's
      {0x2123, "45", 0x2453},   // a code has no count: the third digit stays
      {0x2123, "", 0x2123},
      {0x2123, " *#9", 0x20EF},  // a blank stores 0; the fourth character is past the code
  };
  for (const Row& r : rows) EXPECT_EQ(PagingWordWithCode(r.before, r.typed), r.after) << r.typed;
}

TEST(DtmfDigits, PauseCharacterAndFifteenPlaceField) {
  EXPECT_EQ(PauseCharacterText(0xAC), 'c');
  EXPECT_EQ(PauseCharacterText(0x0E), '*');
  EXPECT_EQ(PauseCharacterText(0xFF), '#');
  EXPECT_EQ(PauseCharacterValue("C"), 12);
  EXPECT_EQ(PauseCharacterValue("#"), 15);
  EXPECT_EQ(PauseCharacterValue(""), 0);
  const std::uint8_t digits[8] = {0x31, 0x2F, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(DtmfStringField(digits), "12#            ");
  const std::uint8_t none[8] = {0x0F, 0xFF, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(DtmfStringField(none), std::string(15, ' '));
}

class DtmfRecord : public ::testing::Test {
protected:
  FreshProgramState fresh;
  Bytes image = Bytes(kImageBufferSize, 0xFF);
  ScriptedMessages messages;
};

TEST_F(DtmfRecord, DefaultsAndLoadStoreRoundTrip) {
  EXPECT_STREQ(g_mobileModel.records.dtmf.dialTags[0], "DIAL   1");
  EXPECT_STREQ(g_mobileModel.records.dtmf.dialTags[9], "DIAL   0");
  for (std::size_t i = 384; i < 582; ++i) image[i] = static_cast<std::uint8_t>(i * 7);
  image[385] = 0x55;  // Auto Reset on, Answer Back off: stored as it is
  CMobileDtmfData rec;
  rec.LoadDtmfData(image.data());
  EXPECT_EQ(rec.DialMemory(9)[0], image[402 + 72]);
  EXPECT_EQ(rec.dialDigits[1][9], image[402 + 73]);
  EXPECT_EQ(rec.pagingCodes[1], GetBE16(&image[564]));
  Bytes out(kImageBufferSize, 0xFF);
  ASSERT_EQ(rec.StoreDtmfData(out.data()), 1);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const std::uint8_t expected = (i >= 384 && i < 582) ? image[i] : 0xFF;
    ASSERT_EQ(out[i], expected) << "byte " << i;
  }
}

TEST_F(DtmfRecord, AnswerBackIsClearedAndAutoResetSetOnStore) {
  image[385] = 0x80;
  CPortableDtmfData rec;
  rec.LoadDtmfData(image.data());
  EXPECT_EQ(rec.pagingOptions, 0x80);
  rec.StoreDtmfData(image.data());
  EXPECT_EQ(image[385], 0x40);
  EXPECT_EQ(rec.pagingOptions, 0x40);
}

TEST_F(DtmfRecord, PortablePagingWithScanKeyIsRefusedAndNothingWritten) {
  g_portableModel.records.keys.keyFunc[4] = kKeyScan;
  g_portableModel.records.dtmf.pagingCodes[3] = 0x2123;
  g_portableModel.records.dtmf.pagingOptions = 0x80;
  const Bytes before = image;
  EXPECT_EQ(g_portableModel.records.dtmf.StoreDtmfDataChecked(g_portableModel, image.data()), 0);
  ASSERT_EQ(messages.texts().size(), 1u);
  EXPECT_EQ(messages.texts()[0],
            "Paging function does not arrow the Scanning function to achieve \r\nreliable paging operation.\r\n"
            "Delete assignment of Scan Key or disable Paging function setting.");
  EXPECT_EQ(image, before);
  EXPECT_EQ(g_portableModel.records.dtmf.pagingOptions, 0x80);

  // Without the Scan key it stores; the mobile store never checks.
  g_portableModel.records.keys.keyFunc[4] = 0;
  EXPECT_EQ(g_portableModel.records.dtmf.StoreDtmfDataChecked(g_portableModel, image.data()), 1);
  EXPECT_EQ(GetBE16(&image[562 + 6]), 0x2123);
  g_mobileModel.records.dtmf.pagingCodes[3] = 0x2123;
  g_mobileModel.records.keys.keyFunc[4] = kKeyScan;
  EXPECT_EQ(g_mobileModel.records.dtmf.StoreDtmfData(image.data()), 1);
  g_mobileModel.records.keys.SetDefaults();
  EXPECT_EQ(messages.texts().size(), 1u);
}

}  // namespace
