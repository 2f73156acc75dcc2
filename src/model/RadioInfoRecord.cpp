#include "model/RadioInfoRecord.h"

#include <cctype>

#include "model/Digits.h"
#include "model/FamilyModel.h"

namespace {

const RadioInfoFamily kMobileInfo = {kMobile, {380, 381, 382, 383}};
const RadioInfoFamily kPortableInfo = {kPortable, {121, 124, 125, 126}};

// Model prefixes: model code, the two accepted high nibbles of image 249.
struct SerialPrefixRule {
  std::uint32_t modelCode;
  std::uint8_t modelNibbles[2];
  const char* prefix;
};
constexpr SerialPrefixRule kPrefixRules[] = {
    {0x61, {0x20, 0x00}, "4E"},
    {0x01, {0x20, 0x00}, "4D"},
    {0xB9, {0x30, 0x10}, "1F"},
    {0x3C, {0x30, 0x10}, "1E"},
};
constexpr std::size_t kPrefixLength = 2;
constexpr std::size_t kSerialLength = 8;

// The letter after the first digit: 'B'..'N' for 0..12, 'Q'..'S' for 13..15.
char SerialLetter(int n) { return static_cast<char>(n < 13 ? 'B' + n : 'D' + n); }

int SerialLetterValue(char c) {
  if (c >= 'B' && c <= 'N') return c - 'B';
  if (c >= 'Q' && c <= 'S') return c - 'D';
  return CharToHexValue(c);  // a digit typed in its place
}

int SerialDigitValue(char c) {
  if (c == '*') return 14;
  if (c == '#') return 15;
  return CharToHexValue(c);
}

void AppendHexPair(std::string& text, std::uint8_t b) {
  text += HexDigitToCharOrDash(b >> 4);
  text += HexDigitToCharOrDash(b & 0x0F);
}

}  // namespace

CMobileRadioInfoRecord::CMobileRadioInfoRecord() : CRadioInfoRecord(kMobileInfo) {}
CPortableRadioInfoRecord::CPortableRadioInfoRecord() : CRadioInfoRecord(kPortableInfo) {}

std::string CRadioInfoRecord::SerialPrefix(const CFamilyModel& model, std::uint8_t first, std::uint8_t second) {
  const int letter = first & 0x0F;
  const bool prefixed = (letter == 0 && second >= 1 && second <= 0x99) || (letter >= 13 && second <= 0x99);
  if (!prefixed) return "";
  const CGlobalRecord& global = model.global;
  const std::uint8_t nibble = global.modelByte & 0xF0;
  for (const SerialPrefixRule& rule : kPrefixRules) {
    if (rule.modelCode == global.modelCode && (nibble == rule.modelNibbles[0] || nibble == rule.modelNibbles[1]))
      return rule.prefix;
  }
  return "";
}

int CRadioInfoRecord::Unpack(const CFamilyModel& model, const std::uint8_t* image, const std::uint8_t* adjust) {
  versionText.clear();
  AppendHexPair(versionText, image[1]);
  versionText += '.';
  AppendHexPair(versionText, image[0]);

  const std::uint8_t a = adjust[family_->serialBytes[0]];
  const std::uint8_t b = adjust[family_->serialBytes[1]];
  serialText = SerialPrefix(model, a, b) +
               SerialNumberText(a, b, adjust[family_->serialBytes[2]], adjust[family_->serialBytes[3]]);
  return 1;
}

std::string SerialNumberText(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
  std::string text;
  text += DtmfDigitToChar(a >> 4);
  text += SerialLetter(a & 0x0F);
  AppendHexPair(text, b);
  AppendHexPair(text, c);
  AppendHexPair(text, d);
  return text;
}

void CRadioInfoRecord::PackSerial(std::uint8_t* adjust) const {
  std::string text = serialText;
  if (text.size() >= kPrefixLength + kSerialLength) {
    for (const SerialPrefixRule& rule : kPrefixRules) {
      if (text.compare(0, kPrefixLength, rule.prefix) == 0) {
        text.erase(0, kPrefixLength);
        break;
      }
    }
  }
  text.resize(kSerialLength, '0');
  auto pair = [](int high, int low) { return static_cast<std::uint8_t>(((high & 0x0F) << 4) | (low & 0x0F)); };
  adjust[family_->serialBytes[0]] = pair(SerialDigitValue(text[0]), SerialLetterValue(text[1]));
  for (int i = 1; i < 4; ++i)
    adjust[family_->serialBytes[i]] = pair(CharToHexValue(text[2 * i]), CharToHexValue(text[2 * i + 1]));
}
