#include "model/DtmfData.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "model/Digits.h"
#include "model/FamilyModel.h"
#include "model/MessageBox.h"

namespace {

namespace dtmf {
constexpr std::size_t kPauseOptions = area::kDtmf;  // 384
constexpr std::size_t kPagingOptions = 385;
constexpr std::size_t kAniCode = 386;
constexpr std::size_t kAniPttOffCode = 394;
constexpr std::size_t kDialMemories = 402;  // 8 bytes each
constexpr std::size_t kDialTags = 482;      // 8 characters each
constexpr std::size_t kPagingWords = 562;   // big-endian
}  // namespace dtmf

// Digit i (0-based) is nibble i + 1: the count has nibble 0.
std::uint8_t& NibbleByte(std::uint8_t* digits, int nibble) { return digits[nibble / 2]; }
int GetNibble(const std::uint8_t* digits, int nibble) {
  return nibble % 2 == 0 ? digits[nibble / 2] >> 4 : digits[nibble / 2] & 0x0F;
}
void SetNibble(std::uint8_t* digits, int nibble, int value) {
  std::uint8_t& b = NibbleByte(digits, nibble);
  b = nibble % 2 == 0 ? static_cast<std::uint8_t>((b & 0x0F) | ((value & 0x0F) << 4))
                      : static_cast<std::uint8_t>((b & 0xF0) | (value & 0x0F));
}

// A typed DTMF character's digit value: blank 0, '*' 14, '#' 15, else hex.
int TypedDigitValue(char c) {
  if (c == ' ') return 0;
  if (c == '*') return 14;
  if (c == '#') return 15;
  return HexCharToValue(c) & 0x0F;
}

}  // namespace

// ---------------------------------------------------------------------------
// Digit strings

int DtmfDigitCount(const std::uint8_t* digits) { return digits[0] >> 4; }

int DtmfDigitAt(const std::uint8_t* digits, int i) {
  return (i >= 0 && i < kDtmfMaxDigits) ? GetNibble(digits, i + 1) : 0;
}

std::string DtmfStringToText(const std::uint8_t* digits) {
  const int count = std::min(DtmfDigitCount(digits), kDtmfMaxDigits);
  if (count == 0) return " ";
  std::string text;
  for (int i = 0; i < count; ++i) text += DtmfDigitToChar(DtmfDigitAt(digits, i));
  return text;
}

void DtmfStringFromText(const std::string& text, std::uint8_t* digits) {
  const int length = static_cast<int>(std::min<std::size_t>(text.size(), kDtmfMaxDigits));
  int count = length;
  for (int i = 0; i < length; ++i) {
    const char c = text[static_cast<std::size_t>(i)];
    if (c == ' ') count = std::min(count, i);
    SetNibble(digits, i + 1, TypedDigitValue(c));
  }
  for (int i = length; i < kDtmfMaxDigits; ++i) SetNibble(digits, i + 1, 0);
  SetNibble(digits, 0, count);
}

std::string DtmfStringField(const std::uint8_t* digits) {
  const int count = DtmfDigitCount(digits);
  std::string text;
  for (int i = 0; i < kDtmfMaxDigits; ++i) text += i < count ? DtmfDigitToChar(DtmfDigitAt(digits, i)) : ' ';
  return text;
}

std::uint16_t PagingWordWithCode(std::uint16_t word, const std::string& text) {
  const std::size_t length = std::min<std::size_t>(text.size(), 3);
  for (std::size_t p = 0; p < length; ++p) {
    const int shift = 8 - 4 * static_cast<int>(p);
    word = static_cast<std::uint16_t>((word & ~(0x0F << shift)) | (TypedDigitValue(text[p]) << shift));
  }
  return word;
}

char PauseCharacterText(std::uint8_t pauseOptions) {
  static constexpr char kShown[] = "0123456789abcd*#";
  return kShown[dtmf_field::kPauseCode.bits.Get(pauseOptions)];
}

int PauseCharacterValue(const std::string& text) {
  // An empty box stores 0; a blank cannot be typed into it.
  return text.empty() ? 0 : TypedDigitValue(text[0]);
}

std::string PagingCodeText(std::uint16_t word) {
  if (!PagingDecodeOn(word)) return "   ";
  std::string text;
  for (int shift : {8, 4, 0}) {
    const int digit = (word >> shift) & 0x0F;
    char buf[4];
    std::snprintf(buf, sizeof buf, "%X", digit);
    text += digit >= 14 ? ' ' : buf[0];
  }
  return text;
}

// ---------------------------------------------------------------------------
// Record

void CDtmfData::InitDtmfData() {
  pauseOptions = 0xAD;
  pagingOptions = 0x42;
  aniCode.fill(0);
  aniPttOffCode.fill(0);
  std::memset(dialDigits, 0, sizeof dialDigits);
  for (int m = 0; m < kDialMemories; ++m) {
    // "DIAL   1" .. "DIAL   9", then "DIAL   0" for memory #0.
    std::snprintf(dialTags[m], sizeof dialTags[m], "DIAL   %d", (m + 1) % 10);
  }
  pagingCodes.fill(kPagingWordDefault);
}

std::array<std::uint8_t, kDtmfStringBytes> CDtmfData::DialMemory(int m) const {
  std::array<std::uint8_t, kDtmfStringBytes> digits{};
  if (m < 0 || m >= kDialMemories) return digits;
  for (int j = 0; j < kDtmfStringBytes; ++j) digits[static_cast<std::size_t>(j)] = dialDigits[j][m];
  return digits;
}

void CDtmfData::SetDialMemory(int m, const std::uint8_t* digits) {
  if (m < 0 || m >= kDialMemories) return;
  for (int j = 0; j < kDtmfStringBytes; ++j) dialDigits[j][m] = digits[j];
}

int CDtmfData::DialMemoryDigitCount(int m) const { return DtmfDigitCount(DialMemory(m).data()); }

bool CDtmfData::AnyPagingDecodeOn() const {
  return std::any_of(pagingCodes.begin(), pagingCodes.end(), PagingDecodeOn);
}

std::string CDtmfData::FormatDialNumber(int m) const { return DtmfStringField(DialMemory(m).data()); }

void CDtmfData::StoreDialNumber(int m, const std::string& text) {
  auto digits = DialMemory(m);
  DtmfStringFromText(text, digits.data());
  SetDialMemory(m, digits.data());
}

std::string CDtmfData::FormatPagingCode(int i) const {
  return (i >= 0 && i < kDialMemories) ? PagingCodeText(pagingCodes[static_cast<std::size_t>(i)]) : std::string("   ");
}

void CDtmfData::StorePagingCode(int i, const std::string& text) {
  if (i < 0 || i >= kDialMemories) return;
  auto& word = pagingCodes[static_cast<std::size_t>(i)];
  word = PagingWordWithCode(word, text);
}

std::string CDtmfData::DialTagText(int m) const {
  if (m < 0 || m >= kDialMemories) return {};
  return std::string(dialTags[m], strnlen(dialTags[m], kDialTagLength));
}

void CDtmfData::StoreDialTag(int m, const std::string& text) {
  if (m < 0 || m >= kDialMemories) return;
  for (int i = 0; i < kDialTagLength; ++i)
    dialTags[m][i] = i < static_cast<int>(text.size()) ? text[static_cast<std::size_t>(i)] : ' ';
  dialTags[m][kDialTagLength] = '\0';
}

FieldRef Resolve(CDtmfData& record, const DtmfField& field) {
  if (field.byte != nullptr) return {&(record.*field.byte), field.bits};
  if (field.pagingWord >= 0 && field.pagingWord < kDialMemories)
    return {&record.pagingCodes[static_cast<std::size_t>(field.pagingWord)], field.bits};
  return {};
}

std::uint32_t ValueOf(const CDtmfData& record, const DtmfField& field) {
  if (field.byte != nullptr) return field.bits.Get(record.*field.byte);
  if (field.pagingWord >= 0 && field.pagingWord < kDialMemories)
    return field.bits.Get(record.pagingCodes[static_cast<std::size_t>(field.pagingWord)]);
  return 0;
}

void CDtmfData::LoadDtmfData(const std::uint8_t* image) {
  pauseOptions = image[dtmf::kPauseOptions];
  pagingOptions = image[dtmf::kPagingOptions];
  std::copy_n(image + dtmf::kAniCode, kDtmfStringBytes, aniCode.begin());
  std::copy_n(image + dtmf::kAniPttOffCode, kDtmfStringBytes, aniPttOffCode.begin());
  for (int m = 0; m < kDialMemories; ++m) {
    SetDialMemory(m, image + dtmf::kDialMemories + kDtmfStringBytes * m);
    std::memcpy(dialTags[m], image + dtmf::kDialTags + kDialTagLength * m, kDialTagLength);
    dialTags[m][kDialTagLength] = '\0';
    pagingCodes[static_cast<std::size_t>(m)] = GetBE16(image + dtmf::kPagingWords + 2 * m);
  }
}

int CDtmfData::StoreDtmfData(std::uint8_t* image) {
  // Option byte 2 as the radio needs it: Auto Reset on, Answer Back off.
  Resolve(*this, dtmf_field::kAnswerBack).Set(0);
  Resolve(*this, dtmf_field::kAutoReset).Set(1);
  image[dtmf::kPauseOptions] = pauseOptions;
  image[dtmf::kPagingOptions] = pagingOptions;
  std::copy(aniCode.begin(), aniCode.end(), image + dtmf::kAniCode);
  std::copy(aniPttOffCode.begin(), aniPttOffCode.end(), image + dtmf::kAniPttOffCode);
  for (int m = 0; m < kDialMemories; ++m) {
    const auto digits = DialMemory(m);
    std::copy(digits.begin(), digits.end(), image + dtmf::kDialMemories + kDtmfStringBytes * m);
    std::memcpy(image + dtmf::kDialTags + kDialTagLength * m, dialTags[m], kDialTagLength);
    PutBE16(image + dtmf::kPagingWords + 2 * m, pagingCodes[static_cast<std::size_t>(m)]);
  }
  return 1;
}

int CDtmfData::StoreDtmfDataChecked(const CFamilyModel& model, std::uint8_t* image) {
  // The radio cannot page reliably while it scans: refuse before anything
  // is written, so a refused save leaves image and record as they were.
  if (model.keys.HasCode(kKeyScan) && AnyPagingDecodeOn()) {
    ShowMessageBox(kPagingScanRefusal, kMsgOk);
    return 0;
  }
  return StoreDtmfData(image);
}
