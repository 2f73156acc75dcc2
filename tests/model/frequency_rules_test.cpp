#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/BandRecord.h"
#include "model/FrequencyRules.h"

namespace {

CMobileBandRecord BandWithIndex(int index) {
  CMobileBandRecord band;
  band.m_bandIndex = static_cast<std::uint8_t>(index);
  return band;
}

}  // namespace

TEST(FrequencyRules, NormalizeMobile) {
  struct Row {
    std::uint8_t model;
    std::uint8_t product;
    int bandIndex;
    double in;
    double out;
    int code;
  };
  const Row rows[] = {
      // On a grid: stays, with the grid's code.
      {0x61, 0x0B, 0, 460.00625, 460.00625, 1},
      {0x61, 0x0B, 0, 460.005, 460.005, 0},
      {0x61, 0x0B, 0, 450.0125, 450.0125, 1},
      // Off grid: up to the nearer next point (5 kHz 2.5 kHz away beats
      // 6.25 kHz 5 kHz away); a point on both grids goes to code 0.
      {0x61, 0x0B, 0, 460.0075, 460.01, 0},
      {0x61, 0x0B, 0, 450.003, 450.005, 0},
      {0x61, 0x0B, 0, 450.021, 450.025, 0},
      {0x61, 0x0B, 0, 450.0056, 450.00625, 1},
      // 2.5 kHz points stay only on VHF.
      {0x61, 0x0B, 0, 450.0025, 450.005, 0},
      {0x01, 0x0B, 2, 146.0025, 146.0025, 2},
      // Band index 3: 12.5 / 10 kHz.
      {0x61, 0x0B, 3, 450.0125, 450.0125, 1},
      {0x61, 0x0B, 3, 450.005, 450.01, 0},
      // Band limits.
      {0x61, 0x0B, 0, 600.0, 512.0, 1},
      {0x61, 0x0B, 0, 0.0, 450.0, 1},
      {0x01, 0x0B, 2, 100.0, 134.0, 1},
      {0x01, 0x27, 2, 100.0, 134.0, 1},
      {0x01, 0x0C, 2, 100.0, 146.0, 1},
      {0x01, 0x0B, 2, 175.0, 174.0, 1},
  };
  for (const Row& r : rows) {
    const CMobileBandRecord band = BandWithIndex(r.bandIndex);
    double f = r.in;
    EXPECT_EQ(NormalizeFrequencyMobile(f, band, r.model, r.product), r.code) << r.in;
    EXPECT_NEAR(f, r.out, 1e-9) << r.in;
  }
  double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(NormalizeFrequencyMobile(nan, BandWithIndex(0), 0x61, 0), 1);
  EXPECT_EQ(nan, 450.0);
}

TEST(FrequencyRules, NormalizePortableLimits) {
  struct Row {
    std::uint8_t model;
    double in;
    double out;
  };
  const Row rows[] = {
      {0xB9, 500.0, 490.0},   {0xB9, 300.0, 450.0}, {0xB8, 399.0, 400.0}, {0xB8, 431.0, 430.0},
      {0xBA, 470.0, 480.0},   {0xBA, 513.0, 512.0}, {0x3B, 133.0, 134.0}, {0x3B, 161.0, 160.0},
      {0x3C, 134.0, 146.0},   {0x3C, 175.0, 174.0},
      // Codes 5-7 have no band of their own and take code 4's.
      {0x3D, 140.0, 146.0},   {0x3F, 180.0, 174.0},
  };
  for (const Row& r : rows) {
    double f = r.in;
    NormalizeFrequencyPortable(f, BandWithIndex(0), r.model);
    EXPECT_NEAR(f, r.out, 1e-9) << int(r.model) << " " << r.in;
  }
  // The portable VHF radio keeps 2.5 kHz points; the UHF one moves them.
  double vhf = 150.0025;
  EXPECT_EQ(NormalizeFrequencyPortable(vhf, BandWithIndex(2), 0x3C), 2);
  double uhf = 460.0025;
  EXPECT_EQ(NormalizeFrequencyPortable(uhf, BandWithIndex(0), 0xB9), 0);
  EXPECT_NEAR(uhf, 460.005, 1e-9);
}

TEST(FrequencyRules, OnMHzGrid) {
  const struct {
    double f;
    bool on;
  } rows[] = {
      {450.0, true}, {450.00999, true}, {450.01, false}, {449.99, false}, {449.99001, true}, {450.5, false}, {0.0, true},
  };
  for (const auto& r : rows) EXPECT_EQ(IsOnMHzGrid(r.f), r.on) << r.f;
}

// Windows around a comb point: 163 x 921.6 kHz = 150.2208 MHz, and
// 1872 x 80.139 kHz = 150.020452 MHz.
TEST(FrequencyRules, ClockSpurWindows) {
  const struct {
    double f;
    bool near;
  } spur921[] = {
      {150.2208, true}, {150.1907, false}, {150.1908, true}, {150.2508, true}, {150.2509, false}, {0.0, false},
  };
  for (const auto& r : spur921) EXPECT_EQ(IsNearClockSpur921k(r.f), r.near) << r.f;
  const struct {
    double f;
    bool near;
  } spur80[] = {
      {150.0204, true}, {150.0029, false}, {150.0030, true}, {150.0379, true}, {150.0380, false}, {0.0, false},
  };
  for (const auto& r : spur80) EXPECT_EQ(IsNearClockSpur80k(r.f), r.near) << r.f;
}

TEST(FrequencyRules, NarrowbandRangesIncludeBothLimits) {
  const struct {
    std::uint8_t model;
    double f;
    bool in;
  } rows[] = {
      {0x61, 450.0, true},  {0x61, 512.0, true},  {0x61, 449.99999, false}, {0x61, 512.00001, false},
      {0x01, 150.0, true},  {0x01, 174.0, true},  {0x01, 149.99999, false}, {0x01, 174.00001, false},
      {0x01, 460.0, false}, {0x61, 160.0, false},
  };
  for (const auto& r : rows) EXPECT_EQ(IsNarrowbandBandMobile(r.f, r.model), r.in) << r.f;
  EXPECT_TRUE(IsNarrowbandBandPortable(512.0, 0xB9));
  EXPECT_FALSE(IsNarrowbandBandPortable(449.99999, 0xB9));
  EXPECT_TRUE(IsNarrowbandBandPortable(150.0, 0x3C));
  EXPECT_FALSE(IsNarrowbandBandPortable(450.0, 0x3C));
  // A stored count converts back exactly onto the limit.
  EXPECT_TRUE(IsNarrowbandBandMobile(CountToMHz(15000000), 0x01));
}

TEST(FrequencyRules, BandEnableSegments) {
  const struct {
    std::uint8_t model;
    double f;
    int result;
  } rows[] = {
      {0x01, 143.73, 1},     // last point of the first segment, taken as a whole count
      {0x01, 143.73125, 2},  {0x01, 143.7305, 0}, {0x01, 134.0, 1},   {0x01, 133.99999, 0},
      {0x01, 166.0, 2},      {0x01, 166.02, 0},   {0x01, 174.0, 1},   {0x01, 174.00001, 0},
      {0x61, 453.5, 2},      {0x61, 460.0, 1},    {0x61, 450.0, 1},   {0x61, 453.4875, 1},
      {0x61, 453.48875, 0},  {0x61, 508.81, 2},   {0x61, 512.0, 1},   {0x61, 512.00001, 0},
      // Every radio but the mobile UHF one uses the VHF segments.
      {0xB9, 453.5, 0},      {0xB9, 150.0, 1},
  };
  for (const auto& r : rows) EXPECT_EQ(LookupBandEnable(r.f, r.model), r.result) << r.f;
}

TEST(FrequencyRules, ClampOffsetKeepsTheSumInAByte) {
  const struct {
    std::uint8_t base, offset, result;
  } rows[] = {
      {10, 0x85, 0x85},   // minus 5 from 10
      {3, 0x85, 0x83},    // minus larger than the base: minus the base
      {0, 0x81, 0x80},
      {250, 0x0A, 5},     // plus past 255: only what is left
      {245, 0x0A, 0x0A},  // exactly 255
      {255, 0x01, 0},
      {200, 0x7F, 55},
      {200, 0xFF, 0xFF},
  };
  for (const auto& r : rows) EXPECT_EQ(ClampOffset(r.base, r.offset), r.result) << int(r.base) << " " << int(r.offset);
}

TEST(FrequencyRules, CountConversions) {
  EXPECT_EQ(MHzToCount(460.00625), 46000625u);
  EXPECT_EQ(MHzToCount(150.0), 15000000u);
  EXPECT_EQ(MHzToCount(-1.0), 0u);
  EXPECT_EQ(MHzToCount(1e9), std::numeric_limits<FrequencyCount>::max());
  EXPECT_EQ(StepCount(0, 2), 500);
  EXPECT_EQ(StepCount(1, 3), 1250);
  EXPECT_EQ(StepCount(0, 3), 1000);
  EXPECT_EQ(StepCount(3, 3), 125);
}
