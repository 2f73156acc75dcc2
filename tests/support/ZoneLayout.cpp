#include "ZoneLayout.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "model/RadioData.h"

void LayOutZones(CRadioDataCore& data, const std::vector<int>& counts, const std::vector<bool>& ltr) {
  int sum = 0;
  for (int z = 0; z < kZoneCount; ++z) {
    const auto at = static_cast<std::size_t>(z);
    const int n = at < counts.size() ? counts[at] : 0;
    const bool isLtr = at < ltr.size() && ltr[at];
    data.InitSystem(z, isLtr ? 1 : kZoneModeConventional);
    if (isLtr) {
      data.m_repeaters[at][0] = 1;
      data.m_zoneBytes[static_cast<std::size_t>(zone_byte::kHome)][at] = 1;  // home repeater 1, the whole byte
    }
    data.m_groupCounts[at] = static_cast<std::uint8_t>(n);
    data.m_zoneFlags[at] = n > 0 ? zone_flag::kEnabled : 0;
    sum += n;
  }
  data.m_freeGroups = kGroupCount - std::min(sum, kGroupCount);
  for (int g = 0; g < kGroupCount; ++g)
    data.m_groups[static_cast<std::size_t>(g)].flags = g < sum ? group_flag::kEnabled : 0;
}
