#include "model/GroupEdits.h"

#include <algorithm>

ZoneGroupRange GroupRangeOf(const CRadioDataCore& data, int zone) {
  if (!CRadioDataCore::IsValidZone(zone)) return {};
  const int first = data.FirstGroupOf(zone);
  if (first >= kGroupCount) return {kGroupCount, 0};
  return {first, std::min(data.GetSystemGroupCount(zone), kGroupCount - first)};
}

bool SwitchGroup(CRadioDataCore& data, int zone, int g, bool on, bool firstChannelOnSwitchOn) {
  if (!GroupRangeOf(data, zone).Contains(g)) return false;
  CGroupRecord& group = data.m_groups[static_cast<std::size_t>(g)];
  const bool wasOn = group.IsEnabled();
  if (on) {
    group.Set(group_field::kEnabled, 1);
    if (!wasOn && firstChannelOnSwitchOn) group.Set(group_field::kChannel, 0);
  } else {
    group.Set(group_field::kEnabled, 0);
    std::uint8_t& selected = data.m_selectedGroup[static_cast<std::size_t>(zone)];
    if (selected == g + 1) selected = 0;
  }
  data.ZoneRef(zone, zone_field::kRevertGroup).Set(kNoRevertGroup);
  return true;
}

bool SetGroupScanMemory(CRadioDataCore& data, int zone, int g, bool enable) {
  if (!GroupRangeOf(data, zone).Contains(g)) return false;
  SetScanMemory(data.m_groups[static_cast<std::size_t>(g)].flags, enable);
  return true;
}

void SetDefaultScanMemory(CRadioDataCore& data, int zone, bool enable) {
  SetScanMemory(data.m_defaultGroup.bytes[static_cast<std::size_t>(default_group_field::kScanMemory.byte)], enable);
  const ZoneGroupRange range = GroupRangeOf(data, zone);
  for (int g = range.first; g < range.End(); ++g) SetScanMemory(data.m_groups[static_cast<std::size_t>(g)].flags, enable);
}

std::uint8_t RxSubAudibleType(const CGroupRecord& group) {
  return static_cast<std::uint8_t>(group.Value(group_field::kRxSubAudible));
}
std::uint8_t TxSubAudibleType(const CGroupRecord& group) {
  return static_cast<std::uint8_t>(group.Value(group_field::kTxSubAudible));
}

void SetRxSubAudible(CGroupRecord& group, std::uint8_t type) {
  using namespace group_field;
  const std::uint8_t old = RxSubAudibleType(group);
  group.Set(kRxSubAudible, type);
  if (type == kSubAudibleNone) {
    group.Set(kRxCode, kNoToneCode);
    return;
  }
  group.Set(kRxCode, 0);
  if (old == kSubAudibleNone && group.Value(kTxCode) == kNoToneCode) {
    group.Set(kTxSubAudible, type);
    group.Set(kTxCode, 0);
  }
}

void SetTxSubAudible(CGroupRecord& group, std::uint8_t type) {
  group.Set(group_field::kTxSubAudible, type);
  group.Set(group_field::kTxCode, type == kSubAudibleNone ? kNoToneCode : 0);
}
