#include <gtest/gtest.h>

#include <vector>

#include "model/BandRecord.h"

namespace {

// An erased image carrying the family code, as a default image is built.
std::vector<std::uint8_t> ErasedImage(std::uint8_t familyCode) {
  std::vector<std::uint8_t> image(kImageSize, 0xFF);
  image[area::kFamilyCode] = familyCode;
  return image;
}

double IfMHz(const CBandRecord& band, int code) { return CountToMHz(static_cast<FrequencyCount>(band.IfOffsetCount(code))); }

}  // namespace

TEST(BandRecord, MobileDefaultBlock) {
  for (bool uhf : {true, false}) {
    std::vector<std::uint8_t> image = ErasedImage(uhf ? kFamilyMobileUhf : kFamilyMobileVhf);
    CMobileBandRecord writer;
    writer.SetDefaults(uhf);
    writer.WriteDefaultBlock(image.data(), uhf);
    const std::uint8_t* block = image.data() + area::kBandBlock;
    const std::vector<std::uint8_t> head(block, block + 4);
    EXPECT_EQ(head, uhf ? (std::vector<std::uint8_t>{24, 26, 80, 128}) : (std::vector<std::uint8_t>{80, 26, 0xFF, 0xFF}));
    EXPECT_EQ(std::vector<std::uint8_t>(block + 69, block + 75),
              uhf ? (std::vector<std::uint8_t>{52, 218, 42, 72, 105, 180})
                  : (std::vector<std::uint8_t>{180, 218, 170, 72, 233, 180}));
    EXPECT_EQ(block[85], uhf ? 3 : 1);
    EXPECT_EQ(block[87], 24);
    EXPECT_EQ(block[119], 30);
    EXPECT_EQ(block[120], 8);
    for (int unlisted : {4, 36, 40, 75, 76, 84, 121, 127}) EXPECT_EQ(block[unlisted], 0xFF) << unlisted;

    CMobileBandRecord band;
    band.Unpack(image.data());
    for (int code = 0; code < 3; ++code) {
      EXPECT_NEAR(IfMHz(band, code), 67.65, 1e-9) << code;
      EXPECT_EQ(band.IfOffsetMinus(code), !uhf) << code;
    }
    EXPECT_EQ(band.m_bandIndex, uhf ? 0 : 1);
    // Step code 3 has both bytes erased: 16 bits of 1.25 kHz, and the
    // mobile direction (added) on either band.
    EXPECT_NEAR(IfMHz(band, 3), 65535 * 0.00125, 1e-9);
    EXPECT_TRUE(band.IfOffsetMinus(3));
  }
}

TEST(BandRecord, PortableDefaultBlock) {
  for (bool uhf : {true, false}) {
    std::vector<std::uint8_t> image = ErasedImage(uhf ? kFamilyPortableUhf : kFamilyPortableVhf);
    CPortableBandRecord writer;
    writer.SetDefaults(uhf);
    writer.WriteDefaultBlock(image.data(), uhf);
    EXPECT_EQ(image[256], uhf ? 13 : 141);
    EXPECT_EQ(image[257], 18);
    EXPECT_EQ(image[293], 161);
    EXPECT_EQ(image[294], 164);
    EXPECT_EQ(std::vector<std::uint8_t>(image.begin() + 325, image.begin() + 333),
              uhf ? (std::vector<std::uint8_t>{39, 186, 31, 200, 79, 116, 158, 232})
                  : (std::vector<std::uint8_t>{39 | 0x80, 186, 31 | 0x80, 200, 79 | 0x80, 116, 158, 232}));
    for (int i = 357; i <= 364; ++i) EXPECT_EQ(image[i], 0xFF) << i;
    for (int i = 365; i <= 372; ++i) EXPECT_EQ(image[i], 0) << i;
    EXPECT_EQ(image[375], 132);
    EXPECT_EQ(image[376], 12);
    EXPECT_EQ(image[377], 0xFF);  // past the block's written part

    CPortableBandRecord band;
    band.Unpack(image.data());
    for (int code = 0; code < 4; ++code) {
      EXPECT_NEAR(IfMHz(band, code), 50.85, 1e-9) << code;
      EXPECT_EQ(band.IfOffsetMinus(code), !uhf) << code;
    }
    EXPECT_NEAR(band.TransmitOffsetMHz(), 16.8, 1e-9);
    // The record's own small fields come back from the block.
    EXPECT_EQ(band.m_bandIndex, uhf ? 0 : 2);
    EXPECT_EQ(band.m_bandValue, 13);
    EXPECT_EQ(band.m_field333, 47);
    EXPECT_EQ(band.m_flags333, 16);
    EXPECT_EQ(band.m_field334High, 2);
    EXPECT_EQ(band.m_field334Low, 8);
    EXPECT_EQ(band.m_byte375, 132);
  }
}

TEST(BandRecord, DefaultsByBand) {
  CMobileBandRecord mobile;
  mobile.SetDefaults(false);
  EXPECT_EQ(mobile.m_bandIndex, 2);
  EXPECT_NEAR(mobile.TransmitOffsetMHz(), 21.6, 1e-9);
  for (int code = 0; code < 4; ++code) {
    EXPECT_NEAR(IfMHz(mobile, code), 67.65, 1e-9);
    EXPECT_TRUE(mobile.IfOffsetMinus(code));
  }
  mobile.SetDefaults(true);
  EXPECT_EQ(mobile.m_bandIndex, 0);
  EXPECT_NEAR(mobile.TransmitOffsetMHz(), 14.6, 1e-9);
  EXPECT_FALSE(mobile.IfOffsetMinus(0));
  EXPECT_TRUE(mobile.IfOffsetMinus(3));
  CPortableBandRecord portable;
  portable.SetDefaults(true);
  for (int code = 0; code < 4; ++code) EXPECT_FALSE(portable.IfOffsetMinus(code));
  EXPECT_EQ(CBandRecord::DefaultSplitMHz(true), 5.0);
  EXPECT_EQ(CBandRecord::DefaultSplitMHz(false), 0.0);
}

TEST(BandRecord, UnpackFieldPositions) {
  std::vector<std::uint8_t> image = ErasedImage(kFamilyMobileUhf);
  image[256] = 0xE5;  // index 3, band bit, value 5
  image[293] = 0xF1;  // high nibble is not part of the offset
  image[294] = 0x02;
  image[325] = 0x80;  // minus, 1 x 5 kHz
  image[326] = 0x01;
  image[331] = 0x80;  // 0x8000 x 1.25 kHz: the top bit is magnitude here
  image[332] = 0x00;
  image[333] = 0x81;  // flag bit 7 -> 16, field 1
  image[334] = 0x3C;
  image[375] = 0x42;
  CMobileBandRecord band;
  band.Unpack(image.data());
  EXPECT_EQ(band.m_bandIndex, 3);
  EXPECT_EQ(band.m_bandBit, 1);
  EXPECT_EQ(band.m_bandValue, 5);
  EXPECT_EQ(band.m_transmitOffset, 0x102);
  EXPECT_EQ(band.IfOffsetCount(0), 500);
  EXPECT_TRUE(band.IfOffsetMinus(0));
  EXPECT_EQ(band.IfOffsetCount(3), 0x8000 * 125);
  EXPECT_EQ(band.m_field333, 1);
  EXPECT_EQ(band.m_flags333, 16);
  EXPECT_EQ(band.m_field334High, 3);
  EXPECT_EQ(band.m_field334Low, 12);
  EXPECT_EQ(band.m_byte375, 0x42);
  EXPECT_EQ(band.StepCount(0), 1000);
}
