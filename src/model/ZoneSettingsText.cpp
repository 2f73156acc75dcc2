#include "model/ZoneSettingsText.h"

#include <cstddef>

#include "model/Digits.h"
#include "model/RadioData.h"

namespace {
constexpr int kDialFirstByte = zone_byte::kHome;

// The byte of nibble n (0 = the count, 1..15 the digits) of a zone's dial.
template <class Data>
auto& DialByte(Data& data, int zone, int n) {
  return data.m_zoneBytes[static_cast<std::size_t>(kDialFirstByte + n / 2)][static_cast<std::size_t>(zone)];
}
int Nibble(std::uint8_t byte, int n) { return n % 2 == 0 ? byte >> 4 : byte & 0x0F; }
}  // namespace

std::string IdentifierText(std::uint8_t value) { return value == kNoIdentifier ? std::string() : std::to_string(value); }

std::optional<std::uint8_t> ParseIdentifier(std::string_view text) {
  if (text.empty() || text == " ") return kNoIdentifier;
  int number = 0;
  for (std::size_t i = 0; i < text.size() && i < 4 && text[i] >= '0' && text[i] <= '9'; ++i)
    number = number * 10 + (text[i] - '0');
  if (number < 1 || number > 250) return std::nullopt;
  return static_cast<std::uint8_t>(number);
}

char DialDigitChar(int value) { return DtmfDigitToChar(value & 0x0F); }

int DialCharValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'D') return c - 'A' + 10;
  if (c == '*') return 14;
  if (c == '#') return 15;
  return 0;
}

std::string ConnectDialText(const CRadioDataCore& data, int zone) {
  const int count = DialByte(data, zone, 0) >> 4;
  std::string text;
  for (int n = 1; n <= kConnectDialDigits; ++n)
    text += n <= count ? DialDigitChar(Nibble(DialByte(data, zone, n), n)) : ' ';
  return text;
}

void StoreConnectDial(CRadioDataCore& data, int zone, std::string_view text) {
  const std::size_t blank = text.find(' ');
  const int count = static_cast<int>(blank == std::string_view::npos ? text.size() : blank);
  for (int n = 0; n <= kConnectDialDigits; ++n) {
    const int value = n == 0 ? (count > kConnectDialDigits ? kConnectDialDigits : count)
                             : static_cast<std::size_t>(n - 1) < text.size() ? DialCharValue(text[static_cast<std::size_t>(n - 1)]) : 0;
    std::uint8_t& byte = DialByte(data, zone, n);
    byte = static_cast<std::uint8_t>(n % 2 == 0 ? (byte & 0x0F) | value << 4 : (byte & 0xF0) | value);
  }
}
