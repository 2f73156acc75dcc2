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
    group.flags |= group_flag::kEnabled;
    if (!wasOn && firstChannelOnSwitchOn)
      group.channelWord = static_cast<std::uint16_t>(group.channelWord & ~group_word::kChannelMask);
  } else {
    group.flags &= static_cast<std::uint8_t>(~group_flag::kEnabled);
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
  SetScanMemory(data.m_defaultGroup.bytes[5], enable);
  const ZoneGroupRange range = GroupRangeOf(data, zone);
  for (int g = range.first; g < range.End(); ++g) SetScanMemory(data.m_groups[static_cast<std::size_t>(g)].flags, enable);
}

std::uint8_t RxSubAudibleType(const CGroupRecord& group) { return (group.Tone() >> 3) & 7; }
std::uint8_t TxSubAudibleType(const CGroupRecord& group) { return group.Tone() & 7; }

void SetRxSubAudible(CGroupRecord& group, std::uint8_t type) {
  const std::uint8_t old = RxSubAudibleType(group);
  std::uint8_t& tone = group.settings[group_byte::kTone];
  tone = static_cast<std::uint8_t>((tone & ~0x38) | ((type & 7) << 3));
  std::uint8_t& rxCode = group.settings[group_byte::kOptions5];
  std::uint8_t& txCode = group.settings[group_byte::kOptions4];
  if (type == kSubAudibleNone) {
    rxCode = kNoToneCode;
    return;
  }
  rxCode = 0;
  if (old == kSubAudibleNone && txCode == kNoToneCode) {
    tone = static_cast<std::uint8_t>((tone & ~0x07) | (type & 7));
    txCode = 0;
  }
}

void SetTxSubAudible(CGroupRecord& group, std::uint8_t type) {
  std::uint8_t& tone = group.settings[group_byte::kTone];
  tone = static_cast<std::uint8_t>((tone & ~0x07) | (type & 7));
  group.settings[group_byte::kOptions4] = type == kSubAudibleNone ? kNoToneCode : 0;
}
