#include "model/GroupRecord.h"

#include <cstdio>
#include <cstring>

#include "model/RadioImage.h"

bool IsToneProgrammed(std::uint8_t toneByte) {
  const std::uint8_t type = toneByte & 0x38;
  return type == 8 || type == 16 || type == 24;
}

void CGroupRecord::SetDefaults(int g) {
  settings = {0x87, 0, 0, 0, 0xFF, 0xFF};
  channelWord = g == 0 ? 0 : group_word::kNoChannel;
  char text[24];
  std::snprintf(text, sizeof text, "GROUP%3.3d", g + 1);
  SetTag(text);
  flags = g == 0 ? group_flag::kEnabled : 0;
}

void CGroupRecord::ResetSettings(bool ltrZone) {
  settings = {0x87, 0, 0, 0, 0xFF, 0xFF};
  channelWord = ltrZone ? (group_word::kLtrBusyLockOut | group_word::kNoChannel) : group_word::kNoChannel;
}

void CGroupRecord::SetTag(const char* text) {
  tag.fill(0);
  std::strncpy(tag.data(), text, kTextLength);
}

void CGroupRecord::LoadSlot(const std::uint8_t* slot) {
  std::memcpy(settings.data(), slot + group_slot::kSettings, group_slot::kSettingsCount);
  channelWord = GetBE16(slot + group_slot::kChannelWord);
  std::memcpy(tag.data(), slot + group_slot::kTag, kTextLength);
  tag[kTextLength] = 0;
}

void CGroupRecord::StoreSlot(std::uint8_t* slot) const {
  std::memcpy(slot + group_slot::kSettings, settings.data(), group_slot::kSettingsCount);
  PutBE16(slot + group_slot::kChannelWord, channelWord);
  std::memcpy(slot + group_slot::kTag, tag.data(), kTextLength);
}

int CGroupRecord::Channel() const {
  const int index = channelWord & group_word::kChannelMask;
  return index < kChannelCount ? index : -1;
}
