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

// Each option of the group pages starts at its list's fallback line, and
// every fallback line stores 0 except these three: Monitor "Enable" (byte 0
// bit 7), 2nd Tx Power "Disable" = 7 (byte 0 bits 0-2) and Time Out Timer
// "Enable" (word 6 bit 14). Scan Memory's fallback "Disable" leaves byte 5
// clear. The layout is the same in both families for these fields.
void CDefaultGroupRecord::SetDefaults() {
  bytes = {0x87, 0, 0, 0, 0, 0};
  word6 = 0x4000;
}
