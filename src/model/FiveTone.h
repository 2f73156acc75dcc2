#pragma once
// Five-tone selective calling: the common/system record, the encode and
// decode code tables and the tone-frequency record, each in its mobile and
// portable form at the family's own image addresses.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "model/Settings.h"

// ---------------------------------------------------------------------------
// Common/system record: 16 bytes. Every field is one byte in the record and a
// few bits in the image; a flag holds the image bit (1 = check box cleared).
class CFiveToneCommonRecord {
public:
  virtual ~CFiveToneCommonRecord() = default;

  std::uint8_t tagDisplay = 0;
  std::array<std::uint8_t, 5> displayDigit{};
  std::uint8_t aniDisplay = 0;
  std::array<std::uint8_t, 5> compareDigit{};
  std::uint8_t groupTone = 0;
  std::uint8_t repeatTone = 0;
  std::uint8_t autoResetBeep = 0;
  std::uint8_t pttCall = 0;
  std::uint8_t call1EncodeCode = 0;
  std::uint8_t call2EncodeCode = 0;
  std::uint8_t extendedFirstTone = 0;  // 10 ms units
  std::uint8_t leadInDelay = 0;        // 10 ms units
  std::uint8_t leadOutDelay = 0;       // 10 ms units
  std::uint8_t beepRepeatTimes = 0;
  std::uint8_t autoReset = 0;
  std::uint8_t pttSwAfOpen = 0;
  std::uint8_t monitorSw = 0;
  std::uint8_t channelSw = 0;
  std::uint8_t aniTransmission = 0;
  std::uint8_t callToneTable = 0;
  std::uint8_t callEncodeToneNo = 0;
  std::array<std::uint8_t, 5> decodeCode{};

  bool operator==(const CFiveToneCommonRecord&) const = default;

  // Bytes 0-2 are rebuilt whole; bits that carry no field keep their image
  // value. Never marks the data modified. Returns 1.
  int Pack(std::uint8_t* image) const;
  void Unpack(const std::uint8_t* image);

  // The digit-flag getters of the print: 0 outside 0..4.
  std::uint8_t GetDisplayDigit(int i) const { return FlagAt(displayDigit, i); }
  std::uint8_t GetCompareDigit(int i) const { return FlagAt(compareDigit, i); }
  std::uint8_t GetDecodeCode(int i) const { return FlagAt(decodeCode, i); }

  std::size_t AreaOffset() const { return area_; }

protected:
  explicit CFiveToneCommonRecord(std::size_t area) : area_(area) {}

private:
  static std::uint8_t FlagAt(const std::array<std::uint8_t, 5>& a, int i) {
    return (i >= 0 && i < 5) ? a[static_cast<std::size_t>(i)] : 0;
  }
  std::size_t area_;
};

// The mobile record has no defaults of its own: all zero until unpacked.
class CMobileFiveToneCommonRecord : public CFiveToneCommonRecord {
public:
  CMobileFiveToneCommonRecord();
};

class CPortableFiveToneCommonRecord : public CFiveToneCommonRecord {
public:
  CPortableFiveToneCommonRecord();
  void SetDefaults();
};

// ---------------------------------------------------------------------------
// Encode and decode code tables: 8 rows each. A row keeps its two head bytes
// whole, so bits no control edits go back to the radio as they came.
inline constexpr int kFiveToneRows = 8;
inline constexpr int kFiveToneCodeDigits = 5;
inline constexpr int kFiveToneTagLength = 8;

struct FiveToneRow {
  std::array<std::uint8_t, 2> head{};
  char code[kFiveToneCodeDigits + 1] = {};  // blank after the last digit
  char tag[kFiveToneTagLength + 1] = {};
  std::array<std::uint8_t, 5> carried{};   // mobile encode rows only

  bool operator==(const FiveToneRow&) const = default;

  // Encode row fields.
  int EncodeSelectFlag() const { return (head[0] >> 7) & 1; }
  int EncodeMuteMode() const { return (head[0] >> 5) & 3; }
  int EncodeFirstToneFlag() const { return (head[0] >> 4) & 1; }
  int EncodeDigitFlag(int i) const { return (i >= 0 && i < 5) ? (head[1] >> i) & 1 : 0; }
  // Decode row fields.
  int DecodeBeepMode() const { return (head[0] >> 6) & 3; }
  int DecodeRowType() const { return (head[0] >> 4) & 3; }
  int DecodeBeepTone() const { return head[0] & 7; }
  int DecodeLedBlinkFlag() const { return (head[1] >> 6) & 1; }
  int DecodePttFlag() const { return (head[1] >> 5) & 1; }
};

enum class FiveToneTableKind { kEncode, kDecode };

class CFiveToneCodeTable {
public:
  virtual ~CFiveToneCodeTable() = default;

  std::array<FiveToneRow, kFiveToneRows> rows;
  int currentRow = 0;
  int loaded = 0;

  bool operator==(const CFiveToneCodeTable&) const = default;

  void Load(const std::uint8_t* image);
  void Store(std::uint8_t* image) const;

  // Grid cells: column 1 = code, 2 = tag, 3.. = the row's switches. Each edit
  // marks the data modified; a row or column outside the grid changes nothing.
  void ToggleCell(int row, int column);
  bool GetCellText(int row, int column, std::string& text) const;
  void SetCellText(int row, int column, const std::string& text);

  void ResetRows();
  FiveToneTableKind Kind() const { return kind_; }
  std::size_t AreaOffset() const { return area_; }
  std::size_t RowSize() const { return rowSize_; }

protected:
  CFiveToneCodeTable(FiveToneTableKind kind, std::size_t area, std::size_t rowSize);

private:
  FiveToneTableKind kind_;
  std::size_t area_;
  std::size_t rowSize_;
};

class CMobileFiveToneEncodeTable : public CFiveToneCodeTable {
public:
  CMobileFiveToneEncodeTable();
};
class CMobileFiveToneDecodeTable : public CFiveToneCodeTable {
public:
  CMobileFiveToneDecodeTable();
};
class CPortableFiveToneEncodeTable : public CFiveToneCodeTable {
public:
  CPortableFiveToneEncodeTable();
};
class CPortableFiveToneDecodeTable : public CFiveToneCodeTable {
public:
  CPortableFiveToneDecodeTable();
};

// Code text <-> the three code bytes of a row (two digits a byte, high nibble
// first, 0xF after the last digit). At most five digits either way.
void StoreFiveToneCode(const char* code, std::uint8_t* bytes);
void LoadFiveToneCode(const std::uint8_t* bytes, char* code);

// ---------------------------------------------------------------------------
// Tone-frequency record: 16 user tones in Hz. The image keeps each tone as a
// word of F x 0.0001 Hz units, F being the factor word of the parameter block.
inline constexpr int kFiveToneTones = 16;
inline constexpr int kFiveToneColumns = 5;  // ZVEI, CCIR1, EEA, EIA, user

// Image word of a tone: tone / (F x 0.0001), rounded; 0 when F is 0.
// A factor word of 0 or all ones (an area never written) gives no tone scale:
// such an image's tones are unknown and its tone words are kept, until a tone
// is typed: a save then gives the image the default scale to store it with.
bool IsToneFactor(std::uint16_t factor);
std::uint16_t FiveToneWord(std::uint32_t tone, std::uint16_t factor);
// Tone of an image word, to the nearest whole Hz.
std::uint32_t FiveToneFromWord(std::uint16_t word, std::uint16_t factor);
// Decode window of a tone: the timer counts of one tone period, less and more
// the tolerance (per mille). Both 0 for a tone, timer or result of 0.
struct FiveToneWindow {
  std::uint16_t low;
  std::uint16_t high;
};
FiveToneWindow FiveToneDecodeWindow(std::uint32_t tone, std::uint16_t timer, std::uint8_t tolerance);

// Mobile: five columns of periods and gaps, and a decode window per tone.
class CFiveToneCodeRecord {
public:
  CFiveToneCodeRecord() = default;
  virtual ~CFiveToneCodeRecord() = default;

  // Entry 16 is the empty row under the 16 tones; nothing stores into it.
  std::array<std::uint32_t, kFiveToneTones + 1> tones{};
  std::array<std::uint8_t, kFiveToneColumns> period{};  // ms
  std::array<std::uint32_t, kFiveToneColumns> gap{};    // ms
  std::uint16_t factor = 0;
  std::uint16_t timer = 0;
  std::uint8_t tolerance = 0;  // per mille

  bool operator==(const CFiveToneCodeRecord&) const = default;

  void Unpack(const std::uint8_t* image);
  int Pack(std::uint8_t* image) const;
  bool GetCellText(int row, int column, std::string& text) const;
  void SetCellText(int row, int column, const std::string& text);
  // A default image's tone scale (factor, timer, tolerance): the portable
  // radio's, so tones typed on a new file come back as typed.
  static void WriteDefaultToneScale(std::uint8_t* image);
};

// Portable: the user column only, with defaults and the default image area.
class CFiveToneToneRecord {
public:
  CFiveToneToneRecord();
  virtual ~CFiveToneToneRecord() = default;

  std::array<std::uint32_t, kFiveToneTones + 1> tones{};
  std::uint8_t userPeriod = 0;  // ms
  std::uint32_t userGap = 0;    // ms
  std::uint16_t factor = 0;
  std::uint16_t timer = 0;
  std::uint8_t tolerance = 0;

  bool operator==(const CFiveToneToneRecord&) const = default;

  void SetDefaults();
  void Unpack(const std::uint8_t* image);
  int Pack(std::uint8_t* image) const;
  bool GetCellText(int row, int column, std::string& text) const;
  void SetCellText(int row, int column, const std::string& text);
  // The portable default 5-tone area 0x54E0-0x5753, all but the user tones.
  void WriteDefaultImageArea(std::uint8_t* image) const;
};

// A tone of the four published tone tables (ZVEI, CCIR1, EEA, EIA: column
// 0-3) in Hz, tones 0-F, as the 5-Tone page shows and prints them.
std::uint32_t PublishedFiveTone(int column, int tone);

// ---------------------------------------------------------------------------
// The tone grid of the 5-Tone page: row 0 and column 0 are headings; rows 1-16
// the tones 0-F, row 17 the Period Time, row 18 the Gap Period Time; columns
// 1-4 the published systems, column 5 the user's own.
namespace tone_grid {
inline constexpr int kRows = 19;
inline constexpr int kCols = 6;
inline constexpr int kPeriodRow = 17;
inline constexpr int kGapRow = 18;
inline constexpr int kUserCol = 5;
inline constexpr const char* kHeads[kCols] = {"", "ZVEI", "CCIR1", "EEA", "EIA", "NATEL/USER"};
inline constexpr const char* kRowLabels[kRows] = {"",  "0", "1", "2", "3", "4", "5", "6", "7", "8",
                                                  "9", "A", "B", "C", "D", "E", "F", "Period Time[ms]",
                                                  "Gap Period Time[ms]"};
}  // namespace tone_grid

// A cell's text as the grid shows it ("" for a heading or outside the grid).
std::string ToneGridText(const CFiveToneCodeRecord& record, int row, int column);
std::string ToneGridText(const CFiveToneToneRecord& record, int row, int column);
// Whether the user may type into the cell.
bool ToneGridEditable(const CFiveToneCodeRecord& record, int row, int column);
bool ToneGridEditable(const CFiveToneToneRecord& record, int row, int column);
// Stores a typed value into an editable cell when its number (leading digits;
// "12A" is 12) lies in the row's range: tones 300-3000 Hz, Period Time 1-255 ms,
// Gap Period Time 5-1275 ms. Marks the data modified; false when refused.
bool ToneGridCommit(CFiveToneCodeRecord& record, int row, int column, const std::string& text);
bool ToneGridCommit(CFiveToneToneRecord& record, int row, int column, const std::string& text);

// ---------------------------------------------------------------------------
// The Common/System settings as the dialog lays them out, top to bottom in
// two columns: lists, the three groups of five digit boxes (ticked = 0), and
// the millisecond fields (10 ms units).
enum class FiveToneCommonKind : std::uint8_t { kList, kDigits, kMilliseconds };

struct FiveToneCommonItem {
  FiveToneCommonKind kind;
  const char* label;
  int column;  // 0 left, 1 right
  std::span<const Choice> choices{};
  int fallback = 0;
  std::uint8_t CFiveToneCommonRecord::*field = nullptr;  // a list's or a field's byte
  std::array<std::uint8_t, 5> CFiveToneCommonRecord::*digits = nullptr;
  std::array<int, 5> ids{};  // the control; a digit group's five boxes
  bool hidden = false;
};
std::span<const FiveToneCommonItem> FiveToneCommonItems();

// A millisecond field's text: "%4d ms" of the stored value times 10.
std::string FiveToneMsText(std::uint8_t value);
// A typed millisecond text as stored: its leading number of whole ms,
// clamped to 0..2500, in 10 ms units ("12.9" 1, "3000" 250, "" 0).
std::uint8_t FiveToneMsFromText(const std::string& text);

// ---------------------------------------------------------------------------
// The Encode/Decode code lists as their grids show them. Encode columns: 1
// code, 2 tag, 3 mute mode, 4 select, 5 first tone, 6-10 input digits 1-5;
// decode columns: 1 code, 2 tag, 3 beep tone, 4 beep mode, 5 LED blink, 6 PTT.
struct FiveToneCell {
  std::string text;
  bool check = false;  // the check mark instead of a text
};
FiveToneCell FiveToneCodeCell(const CFiveToneCodeTable& table, int row, int column);
