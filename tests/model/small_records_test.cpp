#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeRadioData.h"
#include "ProgramState.h"
#include "ScriptedMessages.h"
#include "model/DtmfData.h"
#include "model/GlobalRecord.h"
#include "model/KeyAssignRecord.h"
#include "model/RadioInfoRecord.h"
#include "model/SmallRecords.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class SmallRecords : public ::testing::Test {
protected:
  void SetUp() override {
    g_mobileModel.records.global.modelCode = 0x61;
    g_portableModel.records.global.modelCode = 0xB9;
    g_mobileModel.records.global.modelByte = 0;
    g_portableModel.records.global.modelByte = 0;
  }

  FreshProgramState fresh;
  Bytes image = Bytes(kImageBufferSize, 0xFF);
  ScriptedMessages messages;
};

TEST_F(SmallRecords, KeyCodesArePairSwappedBothWays) {
  image[188] = 12;
  image[189] = 1;
  image[201] = 64;
  image[202] = 0xC5;  // Z = 12
  image[203] = 0x10;  // X = 1, Y = 0
  image[208] = 0xFA;  // key flags 0, 1, 0
  CMobileKeyAssignRecord keys;
  keys.Unpack(image.data());
  EXPECT_EQ(keys.keyFunc[0], 1);   // key 1: Monitor
  EXPECT_EQ(keys.keyFunc[1], 12);  // key 2: Group Up
  EXPECT_EQ(keys.keyFunc[12], 64);
  EXPECT_TRUE(keys.IsInUse(1));
  EXPECT_TRUE(keys.IsInUse(12));
  EXPECT_TRUE(keys.IsInUse(3));   // X = 1
  EXPECT_TRUE(keys.IsInUse(66));  // Z = 12
  EXPECT_FALSE(keys.IsInUse(2));
  EXPECT_EQ(keys.keyFlags, (std::array<std::uint8_t, 3>{0, 1, 0}));

  Bytes out(kImageBufferSize, 0xFF);
  out[202] = 0x0A;
  out[208] = 0x00;
  ASSERT_EQ(keys.Pack(g_mobileModel, out.data()), 1);
  EXPECT_EQ(out[188], 12);
  EXPECT_EQ(out[189], 1);
  EXPECT_EQ(out[201], 64);
  EXPECT_EQ(out[202], 0xCA);  // Z in the high nibble, the low nibble kept
  EXPECT_EQ(out[203], 0x10);
  EXPECT_EQ(out[208], 0x02);  // b3-7 kept
}

TEST_F(SmallRecords, CodesOutsideTheCatalogueMarkNothingAndSurvive) {
  // Codes 40 and 79 are not in the mobile catalogue, 74 not in the portable
  // one; 255 is what an erased radio holds; extra nibbles 14 and 15 name
  // nothing, 13 is Monitor.
  const std::uint8_t codes[] = {40, 79, 255, 74, 31, 78};
  for (int k = 0; k < 6; ++k) image[188 + (k ^ 1)] = codes[k];
  image[202] = 0xF0;
  image[203] = 0xDE;
  for (Family f : {kMobile, kPortable}) {
    CKeyAssignRecord& keys = ModelOf(f).keys;
    keys.Unpack(image.data());
    int marked = 0;
    for (int i = 0; i < keys.InUseCount(); ++i) marked += keys.inUse[i];
    const int expected = f == kMobile ? 4 : 2;  // 31 and Monitor, and 74 and 78 on the mobile only
    EXPECT_EQ(marked, expected) << f;
    EXPECT_TRUE(keys.IsInUse(1)) << f;
    EXPECT_EQ(keys.InUseIndex(78), f == kMobile ? 45 : -1);
    EXPECT_EQ(keys.InUseIndex(73), 40);
    Bytes out = image;
    out[188] = out[189] = out[202] = out[203] = 0;
    ASSERT_EQ(keys.Pack(ModelOf(f), out.data()), 1);
    EXPECT_EQ(out, image) << f;
  }
}

TEST_F(SmallRecords, PhoneKeyNeedsDialMemoryZeroWhereTheRadioCanDial) {
  FakeRadioData radio(kMobile);
  g_mobileModel.records.keys.keyFunc[3] = kKeyPhone;
  struct Case {
    std::uint8_t product;
    const char* memoryZero;
    int result;
  };
  const Case cases[] = {{11, "", 0}, {39, "", 0}, {39, "5", 1}, {12, "", 1}};
  for (const Case& c : cases) {
    radio.product = c.product;
    std::uint8_t digits[8] = {};
    DtmfStringFromText(c.memoryZero, digits);
    g_mobileModel.records.dtmf.SetDialMemory(kDialMemoryZero, digits);
    Bytes out = image;
    EXPECT_EQ(g_mobileModel.records.keys.Pack(g_mobileModel, out.data()), c.result) << int(c.product);
    if (c.result == 0) {
      EXPECT_EQ(out, image);
    }
  }
  ASSERT_EQ(messages.texts().size(), 2u);
  EXPECT_EQ(messages.texts()[0],
            "Please set up the Individual Dial memory #0 or disable the Phone Interconnect function.");

  // The portable radio can dial when bit 5 of its model byte is set.
  g_portableModel.records.keys.keyFunc[0] = kKeyPhone;
  EXPECT_EQ(g_portableModel.records.keys.Pack(g_portableModel, image.data()), 1);
  g_portableModel.records.global.modelByte = 0x20;
  EXPECT_EQ(g_portableModel.records.keys.Pack(g_portableModel, image.data()), 0);
}

TEST_F(SmallRecords, VersionAndSerialTexts) {
  image[0] = 0x34;
  image[1] = 0x12;
  Bytes adjust(kAdjustCopySize, 0);
  auto serial = [&](Family f, std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    CRadioInfoRecord& info = ModelOf(f).radioInfo;
    const std::size_t at[2][4] = {{380, 381, 382, 383}, {121, 124, 125, 126}};
    const std::uint8_t bytes[4] = {a, b, c, d};
    for (int i = 0; i < 4; ++i) adjust[at[f][i]] = bytes[i];
    info.Unpack(ModelOf(f), image.data(), adjust.data());
    // Packing gives the very bytes back.
    Bytes packed(kAdjustCopySize, 0xEE);
    info.PackSerial(packed.data());
    for (int i = 0; i < 4; ++i) EXPECT_EQ(packed[at[f][i]], bytes[i]) << info.serialText;
    return info.serialText;
  };
  EXPECT_EQ(serial(kMobile, 0x0C, 0x01, 0x00, 0x00), "0N010000");
  EXPECT_EQ(g_mobileModel.records.radioInfo.versionText, "12.34");
  g_mobileModel.records.global.modelByte = 0x2F;
  EXPECT_EQ(serial(kMobile, 0x0D, 0x01, 0x23, 0x45), "4E0Q012345");
  EXPECT_EQ(serial(kMobile, 0x9F, 0x99, 0xAB, 0xCD), "4E9S99ABCD");
  EXPECT_EQ(serial(kMobile, 0xE0, 0x05, 0xEF, 0x10), "4E*B05EF10");
  EXPECT_EQ(serial(kMobile, 0xF0, 0xA0, 0x00, 0x00), "#BA00000");  // b above 0x99: no prefix
  g_mobileModel.records.global.modelCode = 0x01;
  EXPECT_EQ(serial(kMobile, 0x0E, 0x01, 0x00, 0x00), "4D0R010000");
  g_portableModel.records.global.modelByte = 0x10;
  EXPECT_EQ(serial(kPortable, 0x1D, 0x00, 0x00, 0x07), "1F1Q000007");
  g_portableModel.records.global.modelCode = 0x3C;
  EXPECT_EQ(serial(kPortable, 0x1D, 0x00, 0x00, 0x07), "1E1Q000007");
  g_portableModel.records.global.modelByte = 0x20;  // not a portable model nibble
  EXPECT_EQ(serial(kPortable, 0x1D, 0x00, 0x00, 0x07), "1Q000007");

  // A serial typed as digits only: the decimal places keep their digits, and
  // eight zeros give the "never set" serial.
  Bytes packed(kAdjustCopySize, 0);
  g_mobileModel.records.radioInfo.serialText = "00000000";
  g_mobileModel.records.radioInfo.PackSerial(packed.data());
  EXPECT_EQ(packed[380], 0x00);
  g_mobileModel.records.radioInfo.serialText = "1N123456";
  g_mobileModel.records.radioInfo.PackSerial(packed.data());
  EXPECT_EQ(packed[380], 0x1C);
  EXPECT_EQ(packed[381], 0x12);
  EXPECT_EQ(packed[382], 0x34);
  EXPECT_EQ(packed[383], 0x56);
  g_mobileModel.records.radioInfo.serialText = "0N010000";
}

TEST_F(SmallRecords, HomeViewFlagAndOpeningCopies) {
  FakeRadioData radio(kMobile);
  radio.Assign({3, 5});
  image[140] = 1;
  image[141] = 1;
  image[182] = 0x30;
  image[207] = 0x7F;
  image[208] = 0x08;
  CMobileSmallRecord small;
  small.Unpack(g_mobileModel, image.data());
  EXPECT_EQ(small.homeGroupNumber, 5);  // group 1 of zone 1 is group 4, numbered 5
  EXPECT_EQ(small.homeZoneNumber, 2);
  EXPECT_EQ(small.homeGrpScan, 1);
  EXPECT_EQ(small.revertGroup, 1);
  image[140] = 255;
  small.Unpack(g_mobileModel, image.data());
  EXPECT_EQ(small.homeGroupNumber, 0);  // none, not a group of another zone
  CPortableSmallRecord portable;
  EXPECT_EQ(portable.homeZoneNumber, 255);

  CMobileFlag207Record flag;
  flag.Unpack(image.data());
  EXPECT_EQ(flag.flag, 0);

  std::copy_n("ABCDEFGH", 8, &image[768]);
  CMobileOpeningMsgRecord opening;
  EXPECT_STREQ(opening.powerOnText, "SELFTEST");
  opening.SetDefaultSplit(5.0);
  opening.Unpack(image.data());
  EXPECT_STREQ(opening.powerOnText, "ABCDEFGH");
  EXPECT_EQ(opening.m_defaultSplit, 5.0);
  EXPECT_EQ(opening.copiedBits, (std::array<std::uint8_t, 4>{0, 1, 1, 1}));

  EXPECT_STREQ(g_bandRangeLabels13[0], "Disable");
  EXPECT_STREQ(g_bandRangeLabels13[11], "Enable");
  EXPECT_STREQ(g_bandRangeLabels7[6], "Disable");
}

}  // namespace
