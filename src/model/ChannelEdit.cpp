#include "model/ChannelEdit.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {
std::string Format(const char* format, double value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}
}  // namespace

std::string FrequencyEditText(FrequencyCount count, bool programmed) {
  if (!programmed) return std::string(kBlankFrequencyText);
  return Format("%10.5f", static_cast<std::int32_t>(count) * 0.00001);
}

double ParseTypedNumber(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  (void)end;
  return ec == std::errc() && std::isfinite(value) ? value : 0.0;
}

bool IsSplitInRange(double mhz) { return mhz >= -kSplitLimitMHz && mhz <= kSplitLimitMHz; }

double SettleSplit(double mhz) {
  if (!(mhz >= -kSplitLimitMHz)) return -kSplitLimitMHz;
  if (mhz > kSplitLimitMHz) return kSplitLimitMHz;
  // Tenths toward zero; the nudge keeps a typed 12.3 from reading 12.2999...
  const double tenths = std::trunc(mhz * 10 + std::copysign(1e-6, mhz));
  return tenths / 10;
}

std::string SplitText(double mhz) { return Format("%5.1f", mhz); }
std::string SplitTypedText(double mhz) { return Format("%3.1f", mhz); }

std::uint16_t WithRepeaterChannel(std::uint16_t word, std::uint16_t channel) {
  constexpr std::uint16_t kChannelBits = 0x03FF;
  constexpr std::uint16_t kTxInvert = 1u << 10;
  constexpr std::uint16_t kDataApplication = 1u << 12;
  constexpr std::uint16_t kInterconnect = 1u << 13;
  constexpr std::uint16_t kDispatch = 1u << 14;
  channel &= kChannelBits;
  word = static_cast<std::uint16_t>((word & ~kChannelBits) | channel);
  if (channel != kChannelBits) return static_cast<std::uint16_t>(word | kDispatch | kInterconnect | kTxInvert);
  return static_cast<std::uint16_t>(word & ~(kDispatch | kInterconnect | kDataApplication));
}
