#include "model/FiveTone.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "model/Digits.h"
#include "model/RadioImage.h"
#include "model/TextFields.h"

namespace {

// ---------------------------------------------------------------------------
// Common record: where each field lives in the 16-byte area, in the order of
// CommonFields below.
struct CommonBits {
  std::uint8_t byte;
  std::uint8_t shift;
  std::uint8_t width;
  bool anyNonZero;  // the bit is set for any non-zero value, not just odd ones
};

constexpr CommonBits kCommonBits[] = {
    {0, 7, 1, true},                                                // tagDisplay
    {0, 0, 1, false}, {0, 1, 1, false}, {0, 2, 1, false}, {0, 3, 1, false}, {0, 4, 1, false},
    {1, 7, 1, false},                                               // aniDisplay
    {1, 0, 1, false}, {1, 1, 1, false}, {1, 2, 1, false}, {1, 3, 1, false}, {1, 4, 1, false},
    {2, 4, 4, false},  // groupTone
    {2, 0, 4, false},  // repeatTone
    {3, 2, 1, false},  // autoResetBeep
    {3, 0, 1, false},  // pttCall
    {4, 0, 8, false},  // call1EncodeCode
    {5, 0, 8, false},  // call2EncodeCode
    {6, 0, 8, false},  // extendedFirstTone
    {7, 0, 8, false},  // leadInDelay
    {8, 0, 8, false},  // leadOutDelay
    {10, 4, 4, false}, // beepRepeatTimes
    {12, 7, 1, false}, // autoReset
    {12, 3, 1, false}, // pttSwAfOpen
    {12, 0, 2, false}, // monitorSw
    {13, 6, 2, false}, // channelSw
    {13, 2, 2, false}, // aniTransmission
    {14, 4, 3, false}, // callToneTable
    {14, 0, 4, false}, // callEncodeToneNo
    {15, 0, 1, false}, {15, 1, 1, false}, {15, 2, 1, false}, {15, 3, 1, false}, {15, 4, 1, false},
};

constexpr std::size_t kCommonSize = 16;
// Bytes the pack rebuilds from the fields alone.
constexpr bool kCommonRebuilt[kCommonSize] = {true, true, true};

template <class Rec>
auto CommonFields(Rec& r) {
  return std::array{
      &r.tagDisplay,      &r.displayDigit[0], &r.displayDigit[1], &r.displayDigit[2],
      &r.displayDigit[3], &r.displayDigit[4], &r.aniDisplay,      &r.compareDigit[0],
      &r.compareDigit[1], &r.compareDigit[2], &r.compareDigit[3], &r.compareDigit[4],
      &r.groupTone,       &r.repeatTone,      &r.autoResetBeep,   &r.pttCall,
      &r.call1EncodeCode, &r.call2EncodeCode, &r.extendedFirstTone, &r.leadInDelay,
      &r.leadOutDelay,    &r.beepRepeatTimes, &r.autoReset,       &r.pttSwAfOpen,
      &r.monitorSw,       &r.channelSw,       &r.aniTransmission, &r.callToneTable,
      &r.callEncodeToneNo, &r.decodeCode[0],  &r.decodeCode[1],   &r.decodeCode[2],
      &r.decodeCode[3],   &r.decodeCode[4],
  };
}
static_assert(std::size(kCommonBits) == 34);

std::uint8_t FieldMask(const CommonBits& b) {
  return static_cast<std::uint8_t>(((1u << b.width) - 1u) << b.shift);
}

// ---------------------------------------------------------------------------
// Code table rows.
namespace row {
constexpr std::size_t kHead = 0;     // 2 bytes
constexpr std::size_t kCode = 2;     // 3 bytes
constexpr std::size_t kTag = 5;      // 8 bytes
constexpr std::size_t kCarried = 13; // 5 bytes, mobile encode rows only
constexpr std::size_t kShortSize = 13;
constexpr std::size_t kLongSize = 18;
}  // namespace row

// Decode rows: byte 0 bits 4-5 tell the radio what the row is for.
constexpr std::uint8_t kDecodeRowType[kFiveToneRows] = {3, 3, 3, 3, 3, 1, 2, 0};
constexpr int kDecodeTaggedRows = 5;  // STUN, KILL and REVIVE have no tag

constexpr std::uint8_t kBit(int n) { return static_cast<std::uint8_t>(1u << n); }

void FlipBit(std::uint8_t& byte, int bit) { byte ^= kBit(bit); }

// ---------------------------------------------------------------------------
// Tone record addresses.
namespace mobile_tone {
constexpr std::size_t kTones = area::kMobileFiveToneCodes;  // 16 words
constexpr std::size_t kPeriods = 0x5E68;                     // 5 bytes, ms
constexpr std::size_t kGaps = 0x5E6F;                        // 5 bytes, 5 ms units
constexpr std::size_t kFactor = 0x5E77;
constexpr std::size_t kTimer = 0x5E79;
constexpr std::size_t kTolerance = 0x5E7B;
constexpr std::size_t kWindows = 0x5F7C;  // two words a tone
}  // namespace mobile_tone

namespace portable_tone {
constexpr std::size_t kFixedColumns = area::kPortableFiveToneTones;  // 4 x 16 words
constexpr std::size_t kTones = 0x5560;                               // user column
constexpr std::size_t kZeros = 0x5580;                               // 64 bytes
constexpr std::size_t kParameters = 0x55C0;                          // 20 bytes
constexpr std::size_t kUserPeriod = 0x55C4;
constexpr std::size_t kUserGap = 0x55CB;
constexpr std::size_t kFactor = 0x55CF;
constexpr std::size_t kTimer = 0x55D1;
constexpr std::size_t kTolerance = 0x55D3;
constexpr std::size_t kWindows = 0x55D4;  // fixed columns, two words a tone
constexpr std::size_t kBlankFrom = 0x5700;
constexpr std::size_t kEnd = 0x5754;
}  // namespace portable_tone

constexpr std::uint8_t kGapUnitMs = 5;

std::uint8_t GapToImage(std::uint32_t ms) { return static_cast<std::uint8_t>(std::min<std::uint32_t>(ms / kGapUnitMs, 255)); }

std::string Format(const char* format, long value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// The tone scale of the portable radio's default parameter block; the mobile
// default files carry it too.
constexpr std::uint16_t kDefaultToneFactor = 2930;
constexpr std::uint16_t kDefaultToneTimer = 4069;
constexpr std::uint8_t kDefaultToneTolerance = 30;  // per mille

void PutTones(std::uint8_t* image, std::size_t at, const std::uint32_t* tones, std::uint16_t factor) {
  // Without a factor no tone has a word: the words the image holds stay.
  if (!IsToneFactor(factor)) return;
  for (int i = 0; i < kFiveToneTones; ++i) PutBE16(image + at + 2 * i, FiveToneWord(tones[i], factor));
}

void PutToneScale(std::uint8_t* image, std::size_t factorAt, std::size_t timerAt, std::size_t toleranceAt) {
  PutBE16(image + factorAt, kDefaultToneFactor);
  PutBE16(image + timerAt, kDefaultToneTimer);
  image[toleranceAt] = kDefaultToneTolerance;
}

// An image whose tone scale was never written reads every tone as 0; a tone
// other than 0 was typed since, and only a scale gives it a word. The image
// takes the default scale then, or the save would drop the typed tones.
void GiveTypedTonesAScale(std::uint8_t* image, std::size_t factorAt, std::size_t timerAt, std::size_t toleranceAt,
                          const std::uint32_t* tones) {
  if (IsToneFactor(GetBE16(image + factorAt))) return;
  if (std::all_of(tones, tones + kFiveToneTones, [](std::uint32_t tone) { return tone == 0; })) return;
  PutToneScale(image, factorAt, timerAt, toleranceAt);
}

void GetTones(const std::uint8_t* image, std::size_t at, std::uint32_t* tones, std::uint16_t factor) {
  for (int i = 0; i < kFiveToneTones; ++i) tones[i] = FiveToneFromWord(GetBE16(image + at + 2 * i), factor);
  tones[kFiveToneTones] = 0;
}

}  // namespace

// ===========================================================================
// Common record

int CFiveToneCommonRecord::Pack(std::uint8_t* image) const {
  std::uint8_t* out = image + area_;
  for (std::size_t i = 0; i < kCommonSize; ++i)
    if (kCommonRebuilt[i]) out[i] = 0;
  const auto fields = CommonFields(*this);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const CommonBits& b = kCommonBits[i];
    const std::uint8_t mask = FieldMask(b);
    unsigned value = *fields[i];
    if (b.anyNonZero) value = value != 0;
    out[b.byte] = static_cast<std::uint8_t>((out[b.byte] & ~mask) | ((value << b.shift) & mask));
  }
  return 1;
}

void CFiveToneCommonRecord::Unpack(const std::uint8_t* image) {
  const std::uint8_t* in = image + area_;
  const auto fields = CommonFields(*this);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const CommonBits& b = kCommonBits[i];
    *fields[i] = static_cast<std::uint8_t>((in[b.byte] & FieldMask(b)) >> b.shift);
  }
}

CMobileFiveToneCommonRecord::CMobileFiveToneCommonRecord() : CFiveToneCommonRecord(area::kMobileFiveToneCommon) {}

CPortableFiveToneCommonRecord::CPortableFiveToneCommonRecord()
    : CFiveToneCommonRecord(area::kPortableFiveToneCommon) {
  SetDefaults();
}

void CPortableFiveToneCommonRecord::SetDefaults() {
  tagDisplay = 0;
  displayDigit.fill(0);
  aniDisplay = 1;
  compareDigit.fill(0);
  groupTone = 10;
  repeatTone = 14;
  autoResetBeep = 1;
  pttCall = 1;
  call1EncodeCode = 0;
  call2EncodeCode = 0;
  extendedFirstTone = 20;
  leadInDelay = 40;
  leadOutDelay = 30;
  beepRepeatTimes = 0;
  autoReset = 0;
  pttSwAfOpen = 1;
  monitorSw = 3;
  channelSw = 0;
  aniTransmission = 3;
  callToneTable = 0;
  callEncodeToneNo = 0;
  decodeCode.fill(0);
}

// ===========================================================================
// Code tables

void StoreFiveToneCode(const char* code, std::uint8_t* bytes) {
  bytes[0] = bytes[1] = bytes[2] = 0xFF;
  for (int i = 0; i < kFiveToneCodeDigits; ++i) {
    const char c = code[i];
    if (c == ' ' || c == '\0') break;
    const auto nibble = static_cast<std::uint8_t>(CharToHexValue(c) & 0x0F);
    std::uint8_t& b = bytes[i / 2];
    b = (i % 2 == 0) ? static_cast<std::uint8_t>((b & 0x0F) | (nibble << 4))
                     : static_cast<std::uint8_t>((b & 0xF0) | nibble);
  }
}

void LoadFiveToneCode(const std::uint8_t* bytes, char* code) {
  int n = 0;
  // Three bytes hold six nibbles, but a code has five digits at most.
  for (; n < kFiveToneCodeDigits; ++n) {
    const int nibble = (n % 2 == 0) ? bytes[n / 2] >> 4 : bytes[n / 2] & 0x0F;
    if (nibble == 0x0F) break;
    code[n] = HexDigitToCharOrZero(nibble);
  }
  for (; n < kFiveToneCodeDigits; ++n) code[n] = ' ';
  code[kFiveToneCodeDigits] = '\0';
}

CFiveToneCodeTable::CFiveToneCodeTable(FiveToneTableKind kind, std::size_t area, std::size_t rowSize)
    : kind_(kind), area_(area), rowSize_(rowSize) {
  ResetRows();
}

void CFiveToneCodeTable::ResetRows() {
  for (int r = 0; r < kFiveToneRows; ++r) {
    FiveToneRow& row = rows[static_cast<std::size_t>(r)];
    row = FiveToneRow{};
    if (kind_ == FiveToneTableKind::kEncode) {
      row.head = {0x70, 0xFF};  // mode 3, first-tone flag 1, all digit flags 1
    } else {
      row.head = {0xC7, 0x00};  // beep mode 3, beep tone 7 (off)
    }
    CopyFixedText(row.code, "     ", kFiveToneCodeDigits);
    if (kind_ == FiveToneTableKind::kEncode || r < kDecodeTaggedRows)
      CopyFixedText(row.tag, "--------", kFiveToneTagLength);
  }
}

void CFiveToneCodeTable::Load(const std::uint8_t* image) {
  for (int r = 0; r < kFiveToneRows; ++r) {
    const std::uint8_t* in = image + area_ + rowSize_ * static_cast<std::size_t>(r);
    FiveToneRow& row = rows[static_cast<std::size_t>(r)];
    row.head = {in[row::kHead], in[row::kHead + 1]};
    LoadFiveToneCode(in + row::kCode, row.code);
    // Tag characters are 7-bit in the radio.
    for (int i = 0; i < kFiveToneTagLength; ++i) row.tag[i] = static_cast<char>(in[row::kTag + i] & 0x7F);
    row.tag[kFiveToneTagLength] = '\0';
    if (rowSize_ == row::kLongSize)
      std::copy_n(in + row::kCarried, row.carried.size(), row.carried.begin());
  }
  currentRow = 0;
  loaded = 1;
}

void CFiveToneCodeTable::Store(std::uint8_t* image) const {
  for (int r = 0; r < kFiveToneRows; ++r) {
    std::uint8_t* out = image + area_ + rowSize_ * static_cast<std::size_t>(r);
    const FiveToneRow& row = rows[static_cast<std::size_t>(r)];
    std::uint8_t head0 = row.head[0];
    if (kind_ == FiveToneTableKind::kDecode)
      head0 = static_cast<std::uint8_t>((head0 & ~0x30) | (kDecodeRowType[r] << 4));
    out[row::kHead] = head0;
    out[row::kHead + 1] = row.head[1];
    StoreFiveToneCode(row.code, out + row::kCode);
    if (kind_ == FiveToneTableKind::kEncode || r < kDecodeTaggedRows)
      for (int i = 0; i < kFiveToneTagLength; ++i) out[row::kTag + i] = static_cast<std::uint8_t>(row.tag[i]);
    if (rowSize_ == row::kLongSize) std::copy(row.carried.begin(), row.carried.end(), out + row::kCarried);
  }
}

void CFiveToneCodeTable::ToggleCell(int row, int column) {
  if (row < 0 || row >= kFiveToneRows) return;
  std::array<std::uint8_t, 2>& head = rows[static_cast<std::size_t>(row)].head;
  if (kind_ == FiveToneTableKind::kDecode) {
    switch (column) {
      case 3: {  // beep tone A..G, then off
        const int tone = head[0] & 7;
        head[0] = static_cast<std::uint8_t>((head[0] & ~7) | (tone < 7 ? tone + 1 : 0));
        break;
      }
      case 4: {  // beep mode: repeat (0) or single (3)
        const int mode = head[0] >> 6;
        head[0] = static_cast<std::uint8_t>((head[0] & 0x3F) | ((mode < 3 ? 3 : 0) << 6));
        break;
      }
      case 5: FlipBit(head[1], 6); break;  // LED blink
      case 6: FlipBit(head[1], 5); break;  // PTT
      default: break;
    }
  } else {
    if (column == 3) {  // mute mode: null, open, close
      const int mode = (head[0] >> 5) & 3;
      head[0] = static_cast<std::uint8_t>((head[0] & ~0x60) | ((mode < 2 ? mode + 1 : 0) << 5));
    } else if (column == 4) {
      FlipBit(head[0], 7);  // select
    } else if (column == 5) {
      FlipBit(head[0], 4);  // first tone
    } else if (column >= 6 && column <= 10) {
      FlipBit(head[1], column - 6);  // input digits 1..5
    }
  }
  g_dataModified = true;
}

bool CFiveToneCodeTable::GetCellText(int row, int column, std::string& text) const {
  if (row < 0 || row >= kFiveToneRows) return false;
  const FiveToneRow& r = rows[static_cast<std::size_t>(row)];
  if (column == 1) {
    text = FixedWidth(r.code, kFiveToneCodeDigits);
    return true;
  }
  if (column == 2) {
    text = FixedWidth(r.tag, kFiveToneTagLength);
    return true;
  }
  return false;
}

void CFiveToneCodeTable::SetCellText(int row, int column, const std::string& text) {
  if (row < 0 || row >= kFiveToneRows) return;
  FiveToneRow& r = rows[static_cast<std::size_t>(row)];
  if (column == 1) CopyFixedText(r.code, text, kFiveToneCodeDigits);
  if (column == 2) CopyFixedText(r.tag, text, kFiveToneTagLength);
  g_dataModified = true;
}

CMobileFiveToneEncodeTable::CMobileFiveToneEncodeTable()
    : CFiveToneCodeTable(FiveToneTableKind::kEncode, area::kMobileFiveToneEncode, row::kLongSize) {}
CMobileFiveToneDecodeTable::CMobileFiveToneDecodeTable()
    : CFiveToneCodeTable(FiveToneTableKind::kDecode, area::kMobileFiveToneDecode, row::kShortSize) {}
CPortableFiveToneEncodeTable::CPortableFiveToneEncodeTable()
    : CFiveToneCodeTable(FiveToneTableKind::kEncode, area::kPortableFiveToneEncode, row::kShortSize) {}
CPortableFiveToneDecodeTable::CPortableFiveToneDecodeTable()
    : CFiveToneCodeTable(FiveToneTableKind::kDecode, area::kPortableFiveToneDecode, row::kShortSize) {}

// ===========================================================================
// Tone arithmetic

bool IsToneFactor(std::uint16_t factor) { return factor != 0 && factor != 0xFFFF; }

std::uint16_t FiveToneWord(std::uint32_t tone, std::uint16_t factor) {
  if (!IsToneFactor(factor)) return 0;
  // tone / (F x 0.0001) + 0.5, in integers so no rounding error creeps in.
  const std::uint64_t word = (std::uint64_t{tone} * 20000u + factor) / (2u * factor);
  return static_cast<std::uint16_t>(std::min<std::uint64_t>(word, 0xFFFF));
}

std::uint32_t FiveToneFromWord(std::uint16_t word, std::uint16_t factor) {
  if (!IsToneFactor(factor)) return 0;
  // Rounded, not truncated: a tone typed in whole Hz then reads back as typed,
  // and loading and saving again leaves its word unchanged.
  return static_cast<std::uint32_t>((std::uint64_t{word} * factor + 5000u) / 10000u);
}

FiveToneWindow FiveToneDecodeWindow(std::uint32_t tone, std::uint16_t timer, std::uint8_t tolerance) {
  if (tone == 0 || timer == 0) return {0, 0};
  // Timer counts in one tone period; the period is taken in whole microseconds.
  const double counts = static_cast<double>(1000000u / tone) / (timer * 0.0001);
  const double p = tolerance / 1000.0;
  auto word = [](double v) {
    return static_cast<std::uint16_t>(std::clamp(v + 0.5, 0.0, 65535.0));
  };
  return {word((1.0 - p) * counts), word((1.0 + p) * counts)};
}

namespace {
void PutWindows(std::uint8_t* image, std::size_t at, const std::uint32_t* tones, int count, std::uint16_t timer,
                std::uint8_t tolerance) {
  for (int i = 0; i < count; ++i) {
    const FiveToneWindow w = FiveToneDecodeWindow(tones[i], timer, tolerance);
    PutBE16(image + at + 4 * i, w.low);
    PutBE16(image + at + 4 * i + 2, w.high);
  }
}
}  // namespace

// ===========================================================================
// Mobile tone record

void CFiveToneCodeRecord::Unpack(const std::uint8_t* image) {
  factor = GetBE16(image + mobile_tone::kFactor);
  timer = GetBE16(image + mobile_tone::kTimer);
  tolerance = image[mobile_tone::kTolerance];
  GetTones(image, mobile_tone::kTones, tones.data(), factor);
  for (int k = 0; k < kFiveToneColumns; ++k) {
    period[k] = image[mobile_tone::kPeriods + k];
    gap[k] = image[mobile_tone::kGaps + k] * std::uint32_t{kGapUnitMs};
  }
}

int CFiveToneCodeRecord::Pack(std::uint8_t* image) const {
  // The words and windows are read back with the image's own parameters, which
  // a model change may have replaced since the record was unpacked.
  GiveTypedTonesAScale(image, mobile_tone::kFactor, mobile_tone::kTimer, mobile_tone::kTolerance, tones.data());
  PutTones(image, mobile_tone::kTones, tones.data(), GetBE16(image + mobile_tone::kFactor));
  for (int k = 0; k < kFiveToneColumns; ++k) {
    image[mobile_tone::kPeriods + k] = period[k];
    image[mobile_tone::kGaps + k] = GapToImage(gap[k]);
  }
  // Without a factor the tones were never known: their windows stay too.
  if (IsToneFactor(GetBE16(image + mobile_tone::kFactor)))
    PutWindows(image, mobile_tone::kWindows, tones.data(), kFiveToneTones, GetBE16(image + mobile_tone::kTimer),
               image[mobile_tone::kTolerance]);
  return 1;
}

namespace {
constexpr int kToneColumn = 5;  // the user column of the grid
constexpr int kPeriodRow = 17;
constexpr int kGapRow = 18;
// The setter is handed rows one lower for the period and gap.
constexpr int kPeriodIndex = 16;
constexpr int kGapIndex = 17;
}  // namespace

void CFiveToneCodeRecord::WriteDefaultToneScale(std::uint8_t* image) {
  PutToneScale(image, mobile_tone::kFactor, mobile_tone::kTimer, mobile_tone::kTolerance);
}

bool CFiveToneCodeRecord::GetCellText(int row, int column, std::string& text) const {
  if (column < 1 || column > kToneColumn || row < 0) return false;
  const int k = column - 1;
  if (column == kToneColumn && row <= kFiveToneTones) {
    text = Format("%5d", static_cast<long>(tones[static_cast<std::size_t>(row)]));
    return true;
  }
  if (row == kPeriodRow) {
    text = Format("%3d", period[k]);
    return true;
  }
  if (row == kGapRow) {
    text = Format("%4d", static_cast<long>(gap[k]));
    return true;
  }
  return false;
}

void CFiveToneCodeRecord::SetCellText(int row, int column, const std::string& text) {
  if (column < 1 || column > kToneColumn || row < 0) return;
  const int value = std::atoi(text.c_str());
  const int k = column - 1;
  if (column == kToneColumn && row < kFiveToneTones) {
    tones[static_cast<std::size_t>(row)] = static_cast<std::uint32_t>(value);
  } else if (row == kPeriodIndex) {
    period[k] = static_cast<std::uint8_t>(value);
  } else if (row == kGapIndex) {
    gap[k] = static_cast<std::uint32_t>(value);
  } else {
    return;
  }
  g_dataModified = true;
}

// ===========================================================================
// Portable tone record

CFiveToneToneRecord::CFiveToneToneRecord() { SetDefaults(); }

void CFiveToneToneRecord::SetDefaults() {
  static constexpr std::uint32_t kDefaultTones[kFiveToneTones] = {
      1633, 631, 697, 770, 852, 941, 1040, 1209, 1336, 1477, 1995, 571, 2205, 2437, 1805, 2694};
  std::copy(std::begin(kDefaultTones), std::end(kDefaultTones), tones.begin());
  tones[kFiveToneTones] = 0;
  factor = kDefaultToneFactor;
  timer = kDefaultToneTimer;  // as the default parameter block
  tolerance = kDefaultToneTolerance;
  userPeriod = 70;
  userGap = 105;
}

void CFiveToneToneRecord::Unpack(const std::uint8_t* image) {
  factor = GetBE16(image + portable_tone::kFactor);
  timer = GetBE16(image + portable_tone::kTimer);
  tolerance = image[portable_tone::kTolerance];
  GetTones(image, portable_tone::kTones, tones.data(), factor);
  userPeriod = image[portable_tone::kUserPeriod];
  userGap = image[portable_tone::kUserGap] * std::uint32_t{kGapUnitMs};
}

int CFiveToneToneRecord::Pack(std::uint8_t* image) const {
  // The image's factor, not the one last unpacked: a model change may have
  // given the image a new parameter block.
  GiveTypedTonesAScale(image, portable_tone::kFactor, portable_tone::kTimer, portable_tone::kTolerance, tones.data());
  PutTones(image, portable_tone::kTones, tones.data(), GetBE16(image + portable_tone::kFactor));
  image[portable_tone::kUserPeriod] = userPeriod;
  image[portable_tone::kUserGap] = GapToImage(userGap);
  return 1;
}

bool CFiveToneToneRecord::GetCellText(int row, int column, std::string& text) const {
  if (column != kToneColumn || row < 0) return false;
  if (row <= kFiveToneTones) {
    text = Format("%5d", static_cast<long>(tones[static_cast<std::size_t>(row)]));
  } else if (row == kPeriodRow) {
    text = Format("%3d", userPeriod);
  } else if (row == kGapRow) {
    text = Format("%4d", static_cast<long>(userGap));
  } else {
    return false;
  }
  return true;
}

void CFiveToneToneRecord::SetCellText(int row, int column, const std::string& text) {
  if (column != kToneColumn || row < 0) return;
  const int value = std::atoi(text.c_str());
  if (row < kFiveToneTones) {
    tones[static_cast<std::size_t>(row)] = static_cast<std::uint32_t>(value);
  } else if (row == kPeriodIndex) {
    userPeriod = static_cast<std::uint8_t>(value);
  } else if (row == kGapIndex) {
    userGap = static_cast<std::uint32_t>(value);
  } else {
    return;
  }
  g_dataModified = true;
}

namespace {
// The four fixed tone columns of the portable radio, in Hz, tones 0..F.
// Digits 0-9, the group tone (A) and the repeat tone (E) are the published
// values of each standard; B, C and D are the extension tones the common
// 16-tone tables give. F names no tone in these standards and stays 0.
constexpr std::uint32_t kFixedColumnTones[4][kFiveToneTones] = {
    // ZVEI
    {2400, 1060, 1160, 1270, 1400, 1530, 1670, 1830, 2000, 2200, 2800, 810, 970, 885, 2600, 0},
    // CCIR1
    {1981, 1124, 1197, 1275, 1358, 1446, 1540, 1640, 1747, 1860, 2400, 930, 2247, 991, 2110, 0},
    // EEA
    {1981, 1124, 1197, 1275, 1358, 1446, 1540, 1640, 1747, 1860, 1055, 930, 2247, 991, 2110, 0},
    // EIA
    {600, 741, 882, 1023, 1164, 1305, 1446, 1587, 1728, 1869, 2151, 2433, 2010, 2292, 459, 0},
};
}  // namespace

namespace {
// The radio's own first ZVEI words, kept as the radio holds them (0x2000 is a
// hair above 2400 Hz; rounding would give 0x1FFF).
constexpr std::uint16_t kZveiFirstWords[] = {0x2000, 0x0E22, 0x0F77};

// Periods 70, 100, 40, 33, 70 ms; gaps; F = 2930, T = 4069, P = 30.
constexpr std::uint8_t kDefaultParameters[20] = {0x46, 0x64, 0x28, 0x21, 0x46, 0x3C, 0x3C,
                                                 0x33, 0x1E, 0x0C, 0x09, 0x15, 0x3C, 0x3C,
                                                 0xA0, 0x0B, 0x72, 0x0F, 0xE5, 0x1E};
}  // namespace

void CFiveToneToneRecord::WriteDefaultImageArea(std::uint8_t* image) const {
  const std::uint16_t f = GetBE16(kDefaultParameters + (portable_tone::kFactor - portable_tone::kParameters));
  const std::uint16_t t = GetBE16(kDefaultParameters + (portable_tone::kTimer - portable_tone::kParameters));
  const std::uint8_t p = kDefaultParameters[portable_tone::kTolerance - portable_tone::kParameters];
  for (int col = 0; col < 4; ++col) {
    PutTones(image, portable_tone::kFixedColumns + 32 * col, kFixedColumnTones[col], f);
    PutWindows(image, portable_tone::kWindows + 64 * col, kFixedColumnTones[col], kFiveToneTones, t, p);
  }
  for (std::size_t i = 0; i < std::size(kZveiFirstWords); ++i)
    PutBE16(image + portable_tone::kFixedColumns + 2 * i, kZveiFirstWords[i]);
  std::fill_n(image + portable_tone::kZeros, 64, 0x00);
  std::copy(std::begin(kDefaultParameters), std::end(kDefaultParameters), image + portable_tone::kParameters);
  // The rest of the window area holds no column's windows.
  std::fill(image + portable_tone::kWindows + 4 * 64, image + portable_tone::kBlankFrom, 0x00);
  std::fill(image + portable_tone::kBlankFrom, image + portable_tone::kEnd, 0xFF);
}

// ===========================================================================
// Tone grid

namespace {

// The published systems' tones as the page shows them, Hz, tones 0..F.
constexpr std::uint32_t kPublishedTones[4][kFiveToneTones] = {
    {2400, 1060, 1160, 1270, 1400, 1530, 1670, 1830, 2000, 2200, 2800, 810, 970, 885, 2600, 680},         // ZVEI
    {1981, 1124, 1197, 1275, 1358, 1446, 1540, 1640, 1747, 1860, 2400, 930, 2247, 991, 2110, 1055},       // CCIR1
    {1981, 1124, 1197, 1275, 1358, 1446, 1540, 1640, 1747, 1860, 1055, 930, 2400, 991, 2110, 2247},       // EEA
    {600, 741, 882, 1023, 1164, 1305, 1446, 1587, 1728, 1869, 2151, 2433, 2010, 2292, 459, 1091},         // EIA
};
// The portable radio's timing of the published systems, fixed.
constexpr const char* kPortablePeriods[4] = {"70", "100", "40", "33"};
constexpr const char* kPortableGaps[4] = {"105", "150", "60", "50"};

bool IsToneRow(int row) { return row >= 1 && row <= kFiveToneTones; }

// What the row accepts, by grid row.
bool InRange(int row, long value) {
  if (IsToneRow(row)) return value >= 300 && value <= 3000;
  if (row == tone_grid::kPeriodRow) return value >= 1 && value <= 255;
  if (row == tone_grid::kGapRow) return value >= 5 && value <= 1275;
  return false;
}

// The published columns' tones, and the user column's tones, period and gap;
// `period` and `gap` give a column's timing texts.
template <class Record, class Timing>
std::string GridText(const Record& record, int row, int column, Timing timing) {
  if (row < 1 || row >= tone_grid::kRows || column < 1 || column >= tone_grid::kCols) return {};
  if (IsToneRow(row)) {
    const std::uint32_t tone = column == tone_grid::kUserCol ? record.tones[static_cast<std::size_t>(row - 1)]
                                                             : kPublishedTones[column - 1][row - 1];
    return Format("%5d", static_cast<long>(tone));
  }
  return timing(row, column);
}

template <class Record>
bool Commit(Record& record, int row, int column, const std::string& text) {
  std::string ignored;
  if (row < 1 || !record.GetCellText(row, column, ignored)) return false;
  const long value = std::strtol(text.c_str(), nullptr, 10);
  if (!InRange(row, value)) return false;
  record.SetCellText(row - 1, column, text);
  return true;
}

}  // namespace

std::uint32_t PublishedFiveTone(int column, int tone) {
  if (column < 0 || column >= 4 || tone < 0 || tone >= kFiveToneTones) return 0;
  return kPublishedTones[column][tone];
}

std::string ToneGridText(const CFiveToneCodeRecord& record, int row, int column) {
  return GridText(record, row, column, [&record](int r, int c) {
    const auto k = static_cast<std::size_t>(c - 1);
    return r == tone_grid::kPeriodRow ? Format("%3d", record.period[k]) : Format("%4d", static_cast<long>(record.gap[k]));
  });
}

std::string ToneGridText(const CFiveToneToneRecord& record, int row, int column) {
  return GridText(record, row, column, [&record](int r, int c) -> std::string {
    if (c != tone_grid::kUserCol) return (r == tone_grid::kPeriodRow ? kPortablePeriods : kPortableGaps)[c - 1];
    return r == tone_grid::kPeriodRow ? Format("%3d", record.userPeriod) : Format("%4d", static_cast<long>(record.userGap));
  });
}

bool ToneGridEditable(const CFiveToneCodeRecord& record, int row, int column) {
  std::string ignored;
  return row >= 1 && record.GetCellText(row, column, ignored);
}

bool ToneGridEditable(const CFiveToneToneRecord& record, int row, int column) {
  std::string ignored;
  return row >= 1 && record.GetCellText(row, column, ignored);
}

bool ToneGridCommit(CFiveToneCodeRecord& record, int row, int column, const std::string& text) {
  return Commit(record, row, column, text);
}

bool ToneGridCommit(CFiveToneToneRecord& record, int row, int column, const std::string& text) {
  return Commit(record, row, column, text);
}

// ===========================================================================
// Common/System settings and code-list cells

namespace {

constexpr Choice kEnableDisable[] = {{"Enable", 0}, {"Disable", 1}};
constexpr Choice kTones[] = {{"Tone 0", 0},  {"Tone 1", 1},  {"Tone 2", 2},  {"Tone 3", 3}, {"Tone 4", 4},
                             {"Tone 5", 5},  {"Tone 6", 6},  {"Tone 7", 7},  {"Tone 8", 8}, {"Tone 9", 9},
                             {"Tone A", 10}, {"Tone B", 11}, {"Tone C", 12}, {"Tone D", 13},
                             {"Tone E", 14}, {"Tone F", 15}};
constexpr Choice kBeepRepeat[] = {{"No Limited", 0}, {"5 Times", 1},   {"10 Times", 2},  {"15 Times", 3},
                                  {"20 Times", 4},   {"25 Times", 5},  {"30 Times", 6},  {"35 Times", 7},
                                  {"40 Times", 8},   {"45 Times", 9},  {"50 Times", 10}, {"55 Times", 11},
                                  {"60 Times", 12},  {"65 Times", 13}, {"70 Times", 14}, {"75 Times", 15}};
constexpr Choice kEncodeCodes[] = {{"ENC NO.1", 0}, {"ENC NO.2", 1}, {"ENC NO.3", 2}, {"ENC NO.4", 3},
                                   {"ENC NO.5", 4}, {"ENC NO.6", 5}, {"ENC NO.7", 6}, {"ENC NO.8", 7}};
constexpr Choice kToneTables[] = {{"ZVEI", 0}, {"CCIR", 1}, {"EEA", 2}, {"EIA", 3}, {"NATEL/User", 4}};
constexpr Choice kMonitorSw[] = {{"Disable", 0}, {"Close", 1}, {"Open", 2}, {"Both", 3}};
constexpr Choice kEncodeToneNo[] = {{"1", 0}, {"2", 1}, {"3", 2}, {"4", 3}, {"5", 4}, {"6", 5}, {"7", 6}, {"8", 7}};
constexpr Choice kChannelSw[] = {{"Null", 0}, {"Open", 1}, {"Close", 2}};
constexpr Choice kAniTransmission[] = {{"Both", 0}, {"PTT pressed", 1}, {"PTT released", 2}, {"Disable", 3}};

using K = FiveToneCommonKind;
using R = CFiveToneCommonRecord;

constexpr FiveToneCommonItem List(const char* label, int column, int id, std::span<const Choice> choices,
                                  int fallback, std::uint8_t R::*field, bool hidden = false) {
  return {K::kList, label, column, choices, fallback, field, nullptr, {id}, hidden};
}
constexpr FiveToneCommonItem Ms(const char* label, int column, int id, std::uint8_t R::*field) {
  return {K::kMilliseconds, label, column, {}, 0, field, nullptr, {id}};
}
constexpr FiveToneCommonItem Digits(const char* label, int column, std::array<std::uint8_t, 5> R::*digits,
                                    std::array<int, 5> ids) {
  return {K::kDigits, label, column, {}, 0, nullptr, digits, ids};
}

constexpr FiveToneCommonItem kCommonItems[] = {
    List("TAG Display", 0, 15904, kEnableDisable, 1, &R::tagDisplay),
    Digits("Diaplay digit", 0, &R::displayDigit, {15944, 15954, 15964, 15974, 15984}),
    List("ANI Display", 0, 15914, kEnableDisable, 1, &R::aniDisplay),
    Digits("Compare digit", 0, &R::compareDigit, {15994, 16004, 16014, 16024, 16034}),
    List("Group tone", 0, 15924, kTones, 10, &R::groupTone),
    List("Repeat tone", 0, 15934, kTones, 14, &R::repeatTone),
    List("PTT Call", 0, 16044, kEnableDisable, 1, &R::pttCall),
    Ms("Extended 1st tone", 0, 16054, &R::extendedFirstTone),
    List("Auto reset beep", 0, 16064, kEnableDisable, 1, &R::autoResetBeep),
    Ms("Lead in delay", 0, 16074, &R::leadInDelay),
    List("Beep Repeat times", 0, 1608, kBeepRepeat, 0, &R::beepRepeatTimes, true),
    Ms("Lead out delay", 0, 16094, &R::leadOutDelay),
    List("Call 1 Encode code", 1, 16104, kEncodeCodes, 0, &R::call1EncodeCode),
    List("Call 2 Encode code", 1, 16114, kEncodeCodes, 0, &R::call2EncodeCode),
    List("Auto Reset", 1, 16124, kEnableDisable, 1, &R::autoReset),
    List("Call DEC/ENC Tone Table", 1, 16134, kToneTables, 0, &R::callToneTable),
    List("Monitor SW", 1, 16144, kMonitorSw, 0, &R::monitorSw),
    List("Call Encode Tone No", 1, 16154, kEncodeToneNo, 0, &R::callEncodeToneNo),
    List("Channel SW", 1, 16164, kChannelSw, 0, &R::channelSw),
    List("ANI Transmission", 1, 16174, kAniTransmission, 0, &R::aniTransmission),
    List("PTT SW AF Open", 1, 16184, kEnableDisable, 1, &R::pttSwAfOpen),
    Digits("Decode Code", 1, &R::decodeCode, {16194, 16204, 16214, 16224, 16234}),
};

constexpr int kMsLimit = 2500;
constexpr int kMsUnit = 10;

}  // namespace

std::span<const FiveToneCommonItem> FiveToneCommonItems() { return kCommonItems; }

std::string FiveToneMsText(std::uint8_t value) { return Format("%4d ms", value * kMsUnit); }

std::uint8_t FiveToneMsFromText(const std::string& text) {
  const double typed = std::strtod(text.c_str(), nullptr);
  const long ms = std::clamp(static_cast<long>(std::clamp(typed, -1.0, 1e6)), 0L, static_cast<long>(kMsLimit));
  return static_cast<std::uint8_t>(ms / kMsUnit);
}

FiveToneCell FiveToneCodeCell(const CFiveToneCodeTable& table, int row, int column) {
  FiveToneCell cell;
  if (row < 0 || row >= kFiveToneRows) return cell;
  if (column == 1 || column == 2) {
    table.GetCellText(row, column, cell.text);
    return cell;
  }
  const FiveToneRow& r = table.rows[static_cast<std::size_t>(row)];
  const auto flag = [&cell](int value) {
    cell.check = value == 0;
    cell.text = cell.check ? "" : "-";
  };
  if (table.Kind() == FiveToneTableKind::kEncode) {
    static constexpr const char* kMute[] = {"Null ", "Open ", " Close", ""};
    if (column == 3) cell.text = kMute[r.EncodeMuteMode()];
    if (column == 4) flag(r.EncodeSelectFlag());
    if (column == 5) cell.text = r.EncodeFirstToneFlag() == 0 ? "Enable" : "Disable";
    if (column >= 6 && column <= 10) flag(r.EncodeDigitFlag(column - 6));
  } else {
    static constexpr const char* kBeepTones[] = {"A", "B", "C", "D", "E", "F", "G", "Disable"};
    if (column == 3) cell.text = kBeepTones[r.DecodeBeepTone()];
    if (column == 4) cell.text = r.DecodeBeepMode() == 0 ? "Repeat" : "Single";
    if (column == 5) cell.text = r.DecodeLedBlinkFlag() == 0 ? "Disable" : "Enable";
    if (column == 6) cell.text = r.DecodePttFlag() == 0 ? "Enable" : "Disable";
  }
  return cell;
}
