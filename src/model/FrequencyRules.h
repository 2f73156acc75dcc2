#pragma once
// Frequency arithmetic shared by the channel records and the RF channel
// pages: 10 Hz counts, channel steps, band limits, the grid normaliser and
// the flag tests the radio needs beside each frequency.
#include <cstdint>

class CBandRecord;

// A frequency as the records keep it: a count of 10 Hz. 0 means none.
using FrequencyCount = std::uint32_t;
inline constexpr FrequencyCount kCountsPerMHz = 100000;

// MHz to the nearest 10 Hz count (negative and NaN give 0). Rounding, not
// truncation: 460.00625 must not land one count short of its grid point.
FrequencyCount MHzToCount(double mhz);
double CountToMHz(FrequencyCount count);

// Channel step of a step code (0-3) in 10 Hz counts; band index 3 doubles
// the two coarse steps.
int StepCount(int stepCode, int bandIndex);

// Inclusive band limits, in counts.
struct BandLimits {
  FrequencyCount lower;
  FrequencyCount upper;
};
// Mobile: 450-512 MHz on a UHF radio, 134-174 MHz on a VHF radio whose
// product code is a mobile one, otherwise 146-174 MHz.
BandLimits MobileBandLimits(std::uint8_t modelCode, std::uint8_t productCode);
// Portable: chosen by the low three bits of the model code.
BandLimits PortableBandLimits(std::uint8_t modelCode);

// Clamp mhz into the radio's band and put it on a channel grid, in place.
// Returns the step code that fits: 1 on the first step of the band's pair,
// 0 on the second, 2 (VHF only) on a 2.5 kHz point, which is left as typed.
// Anything else moves up to the nearer of the next points of the two grids,
// a tie going to step code 0.
int NormalizeFrequencyMobile(double& mhz, const CBandRecord& band, std::uint8_t modelCode,
                             std::uint8_t productCode);
int NormalizeFrequencyPortable(double& mhz, const CBandRecord& band, std::uint8_t modelCode);

// Within 10 kHz of a whole MHz (both ends excluded).
bool IsOnMHzGrid(double mhz);
// Near a harmonic of the radio's 921.6 kHz clock (15 kHz + 100 ppm window).
bool IsNearClockSpur921k(double mhz);
// Near a harmonic of 1.8432 MHz / 23 (10 kHz + 50 ppm window).
bool IsNearClockSpur80k(double mhz);

// Inside the range where wide channels must become narrow: 450-512 MHz on a
// UHF radio, 150-174 MHz otherwise, both limits included.
bool IsNarrowbandBandMobile(double mhz, std::uint8_t modelCode);
bool IsNarrowbandBandPortable(double mhz, std::uint8_t modelCode);

// The band-segment option of a frequency (mobile shift override): 0 outside
// every segment, 1 in a "Disable" segment, 2 in an "Enable" one. The limits
// are compared as whole counts, so 143.73000 MHz is inside the first VHF
// segment.
int LookupBandEnable(double mhz, std::uint8_t modelCode);

// A sign-magnitude offset (bit 7 = minus) limited so that base + offset
// stays within 0..255. Returns the offset, not the sum.
std::uint8_t ClampOffset(std::uint8_t base, std::uint8_t offset);
