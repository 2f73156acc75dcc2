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
