#pragma once
// Copying one zone's settings onto another zone of the same family.
#include "model/RadioData.h"

// The zone bytes a copy carries: power, timer, home, the interconnect and
// LTR advanced bytes, scan words, revert group and the zone format byte.
inline constexpr int kCopiedZoneBytes = 13;

// Copies setting bytes 0-12 of zone `source` to zone `destination`, whole
// bytes. The group count, alias, flags, group records, repeater list and
// bytes 13-15 stay as they are. Copies nothing (and returns false) unless
// both are zones 0..31 and differ.
bool CopyZoneSettings(CRadioDataCore& data, int destination, int source);
