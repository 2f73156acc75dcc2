#include "model/GroupRecord.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "model/RadioImage.h"

bool IsToneProgrammed(std::uint8_t toneByte) {
  const std::uint32_t type = group_field::kRxSubAudible.bits.Get(toneByte);
  return type >= 1 && type <= 3;
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
  channelWord = group_word::kNoChannel;
  if (ltrZone) Set(group_field::kBusyLockout, 1);
}

void CGroupRecord::SetTag(const char* text) {
  tag.fill(0);
  std::memcpy(tag.data(), text, strnlen(text, kTextLength));
}

void CGroupRecord::SetPaddedTag(std::string_view text) {
  for (std::size_t i = 0; i < kTextLength; ++i) tag[i] = i < text.size() ? text[i] : ' ';
  tag[kTextLength] = 0;
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

std::uint32_t CGroupRecord::Value(GroupField field) const {
  switch (field.in) {
    case GroupField::In::kWord:
      return field.bits.Get(channelWord);
    case GroupField::In::kFlags:
      return field.bits.Get(flags);
    case GroupField::In::kSettings:
      break;
  }
  return field.bits.Get(settings[static_cast<std::size_t>(field.byte)]);
}

FieldRef CGroupRecord::Ref(GroupField field) {
  switch (field.in) {
    case GroupField::In::kWord:
      return FieldRef(&channelWord, field.bits);
    case GroupField::In::kFlags:
      return FieldRef(&flags, field.bits);
    case GroupField::In::kSettings:
      break;
  }
  return FieldRef(&settings[static_cast<std::size_t>(field.byte)], field.bits);
}

int CGroupRecord::Channel() const {
  const int index = static_cast<int>(Value(group_field::kChannel));
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

std::uint32_t CDefaultGroupRecord::Value(const DefaultGroupField& field) const {
  return field.byte < 0 ? field.bits.Get(word6) : field.bits.Get(bytes[static_cast<std::size_t>(field.byte)]);
}

FieldRef CDefaultGroupRecord::Ref(const DefaultGroupField& field) {
  return field.byte < 0 ? FieldRef(&word6, field.bits)
                        : FieldRef(&bytes[static_cast<std::size_t>(field.byte)], field.bits);
}

const char* ScanMemoryText(std::uint8_t byte) {
  const bool user = byte & group_flag::kSetting1;
  const bool dealer = byte & group_flag::kSetting4;
  if (user && dealer) return "Enable";
  if (user) return "User";
  if (dealer) return "Dealer";
  return "Disable";
}

void SetScanMemory(std::uint8_t& byte, bool enable) {
  byte = static_cast<std::uint8_t>((byte & ~kScanMemoryBits) | (enable ? kScanMemoryBits : 0));
}

std::optional<std::uint8_t> ParseGroupId(std::string_view text) {
  if (text.empty() || text == " ") return kNoGroupId;
  // As atoi: leading blanks, one sign, then the digits up to the first other
  // character (at most three of them reach a cell).
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long n = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && n <= kMaxGroupId; ++i)
    n = n * 10 + (text[i] - '0');
  if (negative) n = -n;
  if (n < 1 || n > kMaxGroupId) return std::nullopt;
  return static_cast<std::uint8_t>(n);
}

std::string GroupIdText(std::uint8_t id) { return id == kNoGroupId ? std::string() : std::to_string(id); }
