#include "model/FrequencyRules.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>

#include "model/BandRecord.h"
#include "model/Digits.h"
#include "model/RadioImage.h"
#include "model/SmallRecords.h"

namespace {

constexpr FrequencyCount MHz(int whole) { return static_cast<FrequencyCount>(whole) * kCountsPerMHz; }

// Portable limits by model code AND 7. Codes 5-7 name no band of their own;
// they get the limits of code 4 (the lower limit of 146 MHz that a clear bit
// 5 of image byte 249 asks for is code 4's anyway).
constexpr BandLimits kPortableLimits[5] = {
    {MHz(400), MHz(430)}, {MHz(450), MHz(490)}, {MHz(480), MHz(512)}, {MHz(134), MHz(160)}, {MHz(146), MHz(174)},
};

struct Segment {
  FrequencyCount lower;
  FrequencyCount upper;
};
// Band segments of the shift override; each row's option is the text of the
// same row of the band-range label table.
constexpr Segment kUhfSegments[] = {
    {45000000, 45348750}, {45349000, 45352500}, {45353000, 46453500}, {46453750, 46456875}, {46457000, 47560000},
    {47560500, 47562500}, {47563000, 48666250}, {48666500, 48668750}, {48669000, 49771250}, {49771500, 49775000},
    {49775500, 50877500}, {50878000, 50881000}, {50881250, 51200000},
};
constexpr Segment kVhfSegments[] = {
    {13400000, 14373000}, {14373125, 14387500}, {14388000, 15479000}, {15479375, 15493750},
    {15494000, 16584500}, {16585000, 16600000}, {16605000, 17400000},
};

int Normalize(double& mhz, const CBandRecord& band, BandLimits limits, bool uhf) {
  double f = mhz;
  // A value raised to the lower limit is not tested against the upper one;
  // NaN fails the first test and takes the lower limit too.
  if (!(f >= CountToMHz(limits.lower)))
    f = CountToMHz(limits.lower);
  else if (f > CountToMHz(limits.upper))
    f = CountToMHz(limits.upper);
  const std::int64_t n = std::llround(f * kCountsPerMHz);
  const std::int64_t first = band.StepCount(1);
  const std::int64_t second = band.StepCount(0);
  if (n % first == 0) {
    mhz = n / static_cast<double>(kCountsPerMHz);
    return 1;
  }
  if (n % second == 0) {
    mhz = n / static_cast<double>(kCountsPerMHz);
    return 0;
  }
  if (!uhf && n % StepCount(2, 0) == 0) {
    mhz = f;
    return 2;
  }
  // Off grid: up to the nearer of the two next points; a tie takes step code 0.
  const std::int64_t nextFirst = first * (n / first + 1);
  const std::int64_t nextSecond = second * (n / second + 1);
  const bool takeSecond = nextSecond - n <= nextFirst - n;
  mhz = (takeSecond ? nextSecond : nextFirst) / static_cast<double>(kCountsPerMHz);
  return takeSecond ? 0 : 1;
}

// The spur tests: is the comb harmonic nearest to f inside the window
// (f - window) x (1 - factor) .. (f + window) x (1 + factor)?
bool IsNearComb(double mhz, double combHz, double windowHz, double factor) {
  if (mhz == 0) return false;
  const double h = mhz * 1e6;
  const double m = std::floor(h / combHz + 0.5) * combHz;
  return (h - windowHz) * (1 - factor) <= m && m <= (h + windowHz) * (1 + factor);
}

bool InRange(double mhz, FrequencyCount lower, FrequencyCount upper) {
  const FrequencyCount n = MHzToCount(mhz);
  return n >= lower && n <= upper;
}

}  // namespace

FrequencyCount MHzToCount(double mhz) {
  if (!(mhz > 0)) return 0;
  const double counts = std::round(mhz * kCountsPerMHz);
  if (counts >= static_cast<double>(std::numeric_limits<FrequencyCount>::max()))
    return std::numeric_limits<FrequencyCount>::max();
  return static_cast<FrequencyCount>(counts);
}

double CountToMHz(FrequencyCount count) { return count / static_cast<double>(kCountsPerMHz); }

int StepCount(int stepCode, int bandIndex) {
  static constexpr int kSteps[4] = {500, 625, 250, 125};
  const int code = stepCode & 3;
  const int step = kSteps[code];
  return ((bandIndex & 3) == 3 && code < 2) ? 2 * step : step;
}

BandLimits MobileBandLimits(std::uint8_t modelCode, std::uint8_t productCode) {
  if (IsUhfFamilyCode(modelCode)) return {MHz(450), MHz(512)};
  if (IsMobileProductCode(productCode)) return {MHz(134), MHz(174)};
  return {MHz(146), MHz(174)};
}

BandLimits PortableBandLimits(std::uint8_t modelCode) {
  const int code = modelCode & 7;
  return kPortableLimits[code < 4 ? code : 4];
}

int NormalizeFrequencyMobile(double& mhz, const CBandRecord& band, std::uint8_t modelCode,
                             std::uint8_t productCode) {
  return Normalize(mhz, band, MobileBandLimits(modelCode, productCode), IsUhfFamilyCode(modelCode));
}

int NormalizeFrequencyPortable(double& mhz, const CBandRecord& band, std::uint8_t modelCode) {
  return Normalize(mhz, band, PortableBandLimits(modelCode), IsUhfFamilyCode(modelCode));
}

bool IsOnMHzGrid(double mhz) {
  // Whole hertz, rounded: the truncation of a product like 450.01 x 10^6
  // would otherwise decide the 10 kHz edge by floating-point noise.
  const long long hz = std::llabs(std::llround(mhz * 1e6));
  const long long r = hz % 1000000;
  return r > 990000 || r < 10000;
}

bool IsNearClockSpur921k(double mhz) { return IsNearComb(mhz, 921600.0, 15000.0, 0.0001); }

bool IsNearClockSpur80k(double mhz) { return IsNearComb(mhz, 1843200.0 / 23.0, 10000.0, 0.00005); }

bool IsNarrowbandBandMobile(double mhz, std::uint8_t modelCode) {
  return IsUhfFamilyCode(modelCode) ? InRange(mhz, MHz(450), MHz(512)) : InRange(mhz, MHz(150), MHz(174));
}

bool IsNarrowbandBandPortable(double mhz, std::uint8_t modelCode) { return IsNarrowbandBandMobile(mhz, modelCode); }

int LookupBandEnable(double mhz, std::uint8_t modelCode) {
  const FrequencyCount n = MHzToCount(mhz);
  const bool uhf = modelCode == kFamilyMobileUhf;
  const Segment* segments = uhf ? kUhfSegments : kVhfSegments;
  const char* const* labels = uhf ? g_bandRangeLabels13.data() : g_bandRangeLabels7.data();
  const std::size_t count = uhf ? std::size(kUhfSegments) : std::size(kVhfSegments);
  static_assert(std::size(kUhfSegments) == std::tuple_size_v<decltype(g_bandRangeLabels13)>);
  static_assert(std::size(kVhfSegments) == std::tuple_size_v<decltype(g_bandRangeLabels7)>);
  for (std::size_t i = 0; i < count; ++i)
    if (n >= segments[i].lower && n <= segments[i].upper) return std::strcmp(labels[i], "Disable") == 0 ? 1 : 2;
  return 0;
}

std::uint8_t ClampOffset(std::uint8_t base, std::uint8_t offset) {
  const int magnitude = offset & 0x7F;
  if (offset & 0x80) return magnitude > base ? static_cast<std::uint8_t>(0x80 | base) : offset;
  return magnitude > 255 - base ? static_cast<std::uint8_t>(255 - base) : offset;
}
