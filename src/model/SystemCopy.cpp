#include "model/SystemCopy.h"

bool CopyZoneSettings(CRadioDataCore& data, int destination, int source) {
  const auto isZone = [](int z) { return z >= 0 && z < kZoneCount; };
  if (!isZone(destination) || !isZone(source) || destination == source) return false;
  for (int k = 0; k < kCopiedZoneBytes; ++k) {
    auto& row = data.m_zoneBytes[static_cast<std::size_t>(k)];
    row[static_cast<std::size_t>(destination)] = row[static_cast<std::size_t>(source)];
  }
  return true;
}
