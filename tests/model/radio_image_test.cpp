#include <gtest/gtest.h>

#include <vector>

#include "model/RadioImage.h"

TEST(RadioImage, SlotAddresses) {
  struct Row {
    std::size_t actual;
    std::size_t expected;
    std::size_t block;
  };
  const Row rows[] = {
      {MobileChannelOffset(0), 0x1C80, 57},
      {MobileChannelOffset(4), 0x1C80 + 100, 57},
      {MobileChannelOffset(5), 0x1D00, 58},  // not 0x1CFD: each block wastes 3 bytes
      {MobileChannelOffset(639), 0x1C80 + 25 * 639 + 3 * 127, 184},
      {PortableChannelOffset(1), 0x1C96, 57},
      {PortableChannelOffset(639), 0x1C80 + 22 * 639, 166},
      {GroupOffset(249), 0x1C10, 56},
      {ZoneRecordOffset(31), 0xC40, 24},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(r.actual, r.expected);
    EXPECT_EQ(r.actual / kBlockSize, r.block);
  }
  // The last slots stay inside their areas.
  EXPECT_LE(MobileChannelOffset(639) + 25, 0x5C80u);
  EXPECT_LE(PortableChannelOffset(639) + 22, 0x5380u);
}

TEST(RadioImage, PairSwappedZoneBits) {
  std::uint8_t bits[4] = {0, 0, 0, 0};
  SetPairSwappedBit(bits, 0, true);
  EXPECT_EQ(bits[1], 0x80);  // zone 0: bit 7 of 0x08F
  SetPairSwappedBit(bits, 8, true);
  EXPECT_EQ(bits[0], 0x80);  // zone 8: bit 7 of 0x08E
  SetPairSwappedBit(bits, 23, true);
  EXPECT_EQ(bits[3], 0x01);
  SetPairSwappedBit(bits, 31, true);
  EXPECT_EQ(bits[2], 0x01);
  for (int z = 0; z < 32; ++z) EXPECT_EQ(GetPairSwappedBit(bits, z), z == 0 || z == 8 || z == 23 || z == 31) << z;
  SetPairSwappedBit(bits, 0, false);
  EXPECT_EQ(bits[1], 0x00);
}

TEST(RadioImage, LsbBitArraysAndBigEndianWords) {
  std::uint8_t bits[2] = {0, 0};
  SetBitLsb(bits, 9, true);
  EXPECT_EQ(bits[1], 0x02);
  EXPECT_TRUE(GetBitLsb(bits, 9));
  SetBitLsb(bits, 9, false);
  EXPECT_EQ(bits[1], 0x00);
  std::uint8_t w[2];
  PutBE16(w, 0xA55A);
  EXPECT_EQ(w[0], 0xA5);
  EXPECT_EQ(GetBE16(w), 0xA55A);
}

TEST(RadioImage, FamilyCodes) {
  struct Row {
    std::uint8_t code;
    Family family;
    bool uhf;
  };
  const Row rows[] = {{0x01, kMobile, false},
                      {0x61, kMobile, true},
                      {0xB9, kPortable, true},
                      {0x3C, kPortable, false},
                      {0x00, kUnknownFamily, false},
                      {0xFF, kUnknownFamily, false},
                      {0x60, kUnknownFamily, false}};
  for (const Row& r : rows) {
    EXPECT_EQ(FamilyOfCode(r.code), r.family) << int(r.code);
    if (r.family != kUnknownFamily) {
      EXPECT_EQ(IsUhfFamilyCode(r.code), r.uhf);
      EXPECT_EQ(FamilyCodeOf(r.family, r.uhf), r.code);
    }
  }
}

TEST(RadioImage, IdentifiesTheFamilyOfARead) {
  struct Row {
    std::uint8_t byte249, product, code, check;
    Family expected;
  };
  const Row rows[] = {
      {0x20, 0x0B, 0x61, 0x00, kMobile},
      {0x00, 0x27, 0x01, 0x7F, kMobile},
      {0x8F, 0x27, 0x01, 0x00, kMobile},        // only bits 4-6 of byte 249 count
      {0x20, 0x0C, 0x61, 0x00, kUnknownFamily},  // not a mobile product code
      {0x20, 0x0B, 0xB9, 0x00, kUnknownFamily},  // portable code in a mobile frame
      {0x20, 0x0B, 0x61, 0x80, kUnknownFamily},  // byte 0x2A bit 7 set
      {0x30, 0x00, 0xB9, 0xFF, kPortable},
      {0x10, 0x0B, 0x3C, 0x00, kPortable},
      {0x10, 0x0B, 0x61, 0x00, kUnknownFamily},
      {0x40, 0x0B, 0x61, 0x00, kUnknownFamily},
  };
  for (const Row& r : rows) {
    std::vector<std::uint8_t> img(kImageSize, 0xFF);
    img[249] = r.byte249;
    img[3] = r.product;
    img[0x20] = r.code;
    img[0x2A] = r.check;
    EXPECT_EQ(IdentifyRadioFamily(img.data()), r.expected) << int(r.byte249) << " " << int(r.code);
  }
}

TEST(RadioImage, FreshImageIsAllFF) {
  ASSERT_TRUE(AllocateRadioImage());
  std::uint8_t* first = g_pRadioImage;
  g_pRadioImage[100] = 0;
  ASSERT_TRUE(AllocateRadioImage());
  EXPECT_EQ(g_pRadioImage, first);  // allocated once for the life of the process
  for (std::size_t i = 0; i < kImageSize; ++i) ASSERT_EQ(g_pRadioImage[i], 0xFF) << i;
}
