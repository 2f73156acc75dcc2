#include "model/ZoneGroups.h"

#include <algorithm>
#include <cstdio>

#include "model/FamilyModel.h"
#include "model/FreshStart.h"

bool g_newlyEnabledSystem;  // set by the fresh start below

namespace {
void FreshZoneState() { g_newlyEnabledSystem = false; }
const FreshStartReset kFreshStart(&FreshZoneState);
}  // namespace

namespace {

// One zone's count going from oldCount to newCount; its records start at base.
struct GroupMove {
  int zone;
  int base;
  int oldCount;
  int newCount;
};

// Where group g of `owner` lies after the move; -1 when the move removes it.
// A group is followed as "group k of its zone", so a reference the image
// placed past its zone's groups keeps its place in the zone too.
int MovedGroup(int g, int owner, const GroupMove& m) {
  if (owner < m.zone) return g;
  if (owner == m.zone) {
    const int within = g - m.base;
    return within >= m.newCount && within < m.oldCount ? -1 : g;
  }
  const int moved = g + m.newCount - m.oldCount;
  return moved >= 0 && moved < kGroupCount ? moved : -1;
}

// A radio-wide zone/group pair (absolute group). A group without a zone is
// nobody's group and stays as it is.
bool ShiftPair(std::uint8_t& group, std::uint8_t zone, const GroupMove& m) {
  if (group == kNoGroup || zone >= kZoneCount) return false;
  const int moved = MovedGroup(group, zone, m);
  const std::uint8_t now = moved < 0 ? kNoGroup : static_cast<std::uint8_t>(moved);
  if (now == group) return false;
  group = now;
  return true;
}

bool ShiftReferences(CFamilyModel& model, const GroupMove& m) {
  CGlobalRecord& r = model.global;
  bool changed = false;
  const std::pair<std::uint8_t*, std::uint8_t> pairs[] = {
      {&r.homeGroup, r.homeZone},         {&r.emergencyGroup, r.emergencyZone},
      {&r.dataGroup, r.dataZone},         {&r.shortcut1Group, r.shortcut1Zone},
      {&r.shortcut2Group, r.shortcut2Zone}, {&r.shortcut3Group, r.shortcut3Zone},
      {&r.shortcut4Group, r.shortcut4Zone},
  };
  for (const auto& [group, zone] : pairs) changed |= ShiftPair(*group, zone, m);
  for (std::uint8_t& group : r.dsubGroup) changed |= ShiftPair(group, r.dsubZone, m);
  // Selected groups are absolute and 1-based, 0 = none.
  CRadioDataCore& data = model.radioData;
  for (int z = 0; z < kZoneCount; ++z) {
    std::uint8_t& selected = data.m_selectedGroup[static_cast<std::size_t>(z)];
    if (selected == 0) continue;
    const int moved = MovedGroup(selected - 1, z, m);
    const std::uint8_t now = moved < 0 ? 0 : static_cast<std::uint8_t>(moved + 1);
    changed |= now != selected;
    selected = now;
  }
  return changed;
}

int CountsAfter(const CRadioDataCore& data, int zone) {
  int tail = 0;
  for (int z = zone + 1; z < kZoneCount; ++z) tail += data.m_groupCounts[static_cast<std::size_t>(z)];
  return tail;
}

void FreshGroup(CRadioDataCore& data, int g, int zone) {
  InitDefaultGroupRecord(data, g, zone);
  data.m_groups[static_cast<std::size_t>(g)].flags = 0;
}

// Clears a radio-wide zone that names `zone`; true when it did.
bool ClearZone(std::uint8_t& zoneField, std::uint8_t& groupField, int zone) {
  if (zoneField != zone) return false;
  zoneField = kNoZone;
  groupField = kNoGroup;
  return true;
}

}  // namespace

ZoneKind ZoneKindOf(const CRadioDataCore& data, int zone) {
  if (!CRadioDataCore::IsValidZone(zone)) return ZoneKind::kOther;
  switch (data.ZoneValue(zone, zone_field::kFormat)) {
    case 1:
      return ZoneKind::kLtr;
    case 2:
      return ZoneKind::kConventional;
    default:
      return ZoneKind::kOther;
  }
}

int ClampFirstZone(int zone) { return std::clamp(zone, 0, kZoneCount - kZoneColumns); }

void InitDefaultGroupRecord(CRadioDataCore& data, int g, int zone) {
  if (g < 0 || g >= kGroupCount) return;
  CGroupRecord& group = data.m_groups[static_cast<std::size_t>(g)];
  group.ResetSettings(ZoneKindOf(data, zone) == ZoneKind::kLtr);
  char tag[16];
  std::snprintf(tag, sizeof tag, "GROUP%3.3d", g + 1);
  group.SetTag(tag);
}

bool GroupCountFits(const CRadioDataCore& data, int zone, int n) {
  if (!CRadioDataCore::IsValidZone(zone)) return false;
  return data.FirstGroupOf(zone) + std::max(n, 0) + CountsAfter(data, zone) <= kGroupCount;
}

GroupCountResult SetGroupCount(CFamilyModel& model, int zone, int n) {
  CRadioDataCore& data = model.radioData;
  GroupCountResult result;
  if (!CRadioDataCore::IsValidZone(zone)) {
    result.refused = true;
    return result;
  }
  const auto z = static_cast<std::size_t>(zone);
  n = std::max(n, 0);
  const int old = data.m_groupCounts[z];
  const int base = data.FirstGroupOf(zone);
  const int tail = CountsAfter(data, zone);
  result.count = old;
  // Bounds from the counts themselves, never from the free-record counter.
  if (base + n + tail > kGroupCount || base + old + tail > kGroupCount) {
    result.refused = true;
    return result;
  }
  // The radio always keeps one group: decided before anything moves, so the
  // kept group keeps its record.
  if (n == 0 && base + tail == 0) {
    n = 1;
    result.keptOne = true;
  }
  if (n != old) {
    result.changed |= ShiftReferences(model, {zone, base, old, n});
    const auto groups = data.m_groups.begin();
    const int end = base + old;
    if (n > old) {
      std::move_backward(groups + end, groups + end + tail, groups + base + n + tail);
      for (int g = end; g < base + n; ++g) FreshGroup(data, g, zone);
    } else {
      std::move(groups + end, groups + end + tail, groups + base + n);
      for (int g = base + n + tail; g < end + tail; ++g) FreshGroup(data, g, zone);
    }
    data.m_zoneBytes[zone_byte::kRevertGroup][z] = kNoGroup;
    data.m_groupCounts[z] = static_cast<std::uint8_t>(n);
    result.changed = true;
  }
  data.m_freeGroups = kGroupCount - (base + n + tail);
  if (n == 0 && data.m_selectedGroup[z] != 0) {
    data.m_selectedGroup[z] = 0;
    result.changed = true;
  }
  const std::uint8_t flags = static_cast<std::uint8_t>(
      n != 0 ? data.m_zoneFlags[z] | zone_flag::kEnabled : data.m_zoneFlags[z] & ~zone_flag::kEnabled);
  result.changed |= flags != data.m_zoneFlags[z];
  data.m_zoneFlags[z] = flags;
  result.count = n;
  return result;
}

ZoneOffResult CommitGroupCount(CFamilyModel& model, int zone, int n) {
  ZoneOffResult result;
  result.count = SetGroupCount(model, zone, n);
  if (result.count.refused || result.count.count != 0) return result;
  CGlobalRecord& r = model.global;
  result.emergencyCleared = ClearZone(r.emergencyZone, r.emergencyGroup, zone);
  result.homeCleared = ClearZone(r.homeZone, r.homeGroup, zone);
  result.count.changed |= result.emergencyCleared || result.homeCleared;
  return result;
}

ZoneOffResult DisableZone(CFamilyModel& model, int zone) {
  g_newlyEnabledSystem = false;
  const bool wasOn = model.radioData.IsZoneEnabled(zone);
  ZoneOffResult result = CommitGroupCount(model, zone, 0);
  result.count.changed |= wasOn != model.radioData.IsZoneEnabled(zone);
  return result;
}

bool EnableZone(CFamilyModel& model, int zone) {
  CRadioDataCore& data = model.radioData;
  if (!CRadioDataCore::IsValidZone(zone)) return false;
  const bool wasOff = !data.IsZoneEnabled(zone);
  data.m_zoneFlags[static_cast<std::size_t>(zone)] |= zone_flag::kEnabled;
  g_newlyEnabledSystem = wasOff;
  return wasOff;
}
