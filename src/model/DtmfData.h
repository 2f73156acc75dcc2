#pragma once
// The DTMF ANI data (image 384-581): pause and speed options, the two ANI
// codes, ten dial memories with tags and ten individual paging codes; and the
// DTMF digit-string format shared with the radio-wide emergency code.
#include <array>
#include <cstdint>
#include <string>

#include "model/RadioImage.h"
#include "model/Settings.h"

class CFamilyModel;

// ---------------------------------------------------------------------------
// DTMF digit string: 8 bytes. High nibble of byte 0 = digit count (0..15);
// then the digits, the low nibble of byte 0 first, two a byte after that,
// the earlier digit in the high nibble. 0-9, A-D = 10-13, '*' = 14, '#' = 15.
inline constexpr int kDtmfStringBytes = 8;
inline constexpr int kDtmfMaxDigits = 15;

int DtmfDigitCount(const std::uint8_t* digits);
// Digit i (0-based); 0 for i outside 0..14.
int DtmfDigitAt(const std::uint8_t* digits, int i);
// The string as shown: its first count digits, or one blank for none.
std::string DtmfStringToText(const std::uint8_t* digits);
// Stores a typed text: up to 15 characters; a blank stores 0 and ends the
// count, '*' and '#' store 14 and 15, anything else its hex value.
void DtmfStringFromText(const std::string& text, std::uint8_t* digits);
// The string as its 15-character box shows it: the counted digits, then
// blanks up to 15 characters.
std::string DtmfStringField(const std::uint8_t* digits);

// Paging word: bit 13 = paging decode on; bits 8-11, 4-7, 0-3 = three digits
// (14 and 15 = no digit).
inline constexpr BitRange kPagingDecode = Bit(13);
inline constexpr std::uint16_t kPagingWordDefault = 0x0FFF;
inline bool PagingDecodeOn(std::uint16_t word) { return kPagingDecode.Get(word) != 0; }
// Three characters: "%X" digits, blanks for no digit; three blanks when off.
std::string PagingCodeText(std::uint16_t word);
// Stores the digits of a typed code into bits 0-11: a blank stores 0, '*'
// and '#' 14 and 15. Places past the text keep their digits (a code has no
// count), and the decode bit and bits 12, 14, 15 are kept.
std::uint16_t PagingWordWithCode(std::uint16_t word, const std::string& text);

// The pause character code (low nibble of the pause options) as its
// one-character box shows it: '*', '#' or a lower-case hex digit.
char PauseCharacterText(std::uint8_t pauseOptions);
// Its value from a typed text: '*' 14, '#' 15, else the hex value of the
// first character (0 for an empty text).
int PauseCharacterValue(const std::string& text);

// ---------------------------------------------------------------------------
inline constexpr int kDialMemories = 10;  // #1..#9, then #0
inline constexpr int kDialMemoryZero = 9;  // the index of memory #0
inline constexpr int kDialTagLength = 8;

class CDtmfData {
public:
  virtual ~CDtmfData() = default;

  std::uint8_t pauseOptions = 0;   // image 384
  std::uint8_t pagingOptions = 0;  // image 385
  std::array<std::uint8_t, kDtmfStringBytes> aniCode{};
  std::array<std::uint8_t, kDtmfStringBytes> aniPttOffCode{};
  // Byte j of memory m is dialDigits[j][m]: eight rows of ten bytes.
  std::uint8_t dialDigits[kDtmfStringBytes][kDialMemories] = {};
  char dialTags[kDialMemories][kDialTagLength + 1] = {};
  std::array<std::uint16_t, kDialMemories> pagingCodes{};

  bool operator==(const CDtmfData&) const = default;

  void InitDtmfData();
  void LoadDtmfData(const std::uint8_t* image);
  // Mobile packing. Answer Back (b7) is cleared and Auto Reset (b6) set in
  // option byte 2 first. Returns 1.
  int StoreDtmfData(std::uint8_t* image);
  // Portable packing: refuses paging decode beside a Scan key of the model's
  // key record, with a message and 0, before anything is written or changed.
  // Otherwise as StoreDtmfData.
  int StoreDtmfDataChecked(const CFamilyModel& model, std::uint8_t* image);

  // A dial memory as one digit string, and back.
  std::array<std::uint8_t, kDtmfStringBytes> DialMemory(int m) const;
  void SetDialMemory(int m, const std::uint8_t* digits);
  int DialMemoryDigitCount(int m) const;
  bool AnyPagingDecodeOn() const;

  // The texts the page shows and prints, and the stores of typed texts.
  std::string FormatDialNumber(int m) const;
  void StoreDialNumber(int m, const std::string& text);
  std::string FormatAniCode() const { return DtmfStringField(aniCode.data()); }
  std::string FormatAniPttOffCode() const { return DtmfStringField(aniPttOffCode.data()); }
  void StoreAniCode(const std::string& text) { DtmfStringFromText(text, aniCode.data()); }
  void StoreAniPttOffCode(const std::string& text) { DtmfStringFromText(text, aniPttOffCode.data()); }
  std::string FormatPagingCode(int i) const;
  void StorePagingCode(int i, const std::string& text);
  // The tag up to its 0 byte; a store keeps 8 characters, blank-padded.
  std::string DialTagText(int m) const;
  void StoreDialTag(int m, const std::string& text);

protected:
  CDtmfData() { InitDtmfData(); }
};

// A page's setting of the DTMF record: bits of an option byte, or of
// paging word `pagingWord` (0..9) when `byte` is null.
struct DtmfField {
  std::uint8_t CDtmfData::*byte = nullptr;
  BitRange bits = kWholeByte;
  int pagingWord = -1;
};
FieldRef Resolve(CDtmfData& record, const DtmfField& field);
std::uint32_t ValueOf(const CDtmfData& record, const DtmfField& field);

namespace dtmf_field {
inline constexpr DtmfField kPauseCharacter{&CDtmfData::pauseOptions, Bit(7)};
inline constexpr DtmfField kPauseTime{&CDtmfData::pauseOptions, Bits(4, 6)};
inline constexpr DtmfField kPauseCode{&CDtmfData::pauseOptions, Bits(0, 3)};
inline constexpr DtmfField kCallingTimes{&CDtmfData::pagingOptions, Bits(0, 1)};
inline constexpr DtmfField kDtmfSpeed{&CDtmfData::pagingOptions, Bit(4)};
inline constexpr DtmfField kKeyPad{&CDtmfData::pagingOptions, Bit(5)};
inline constexpr DtmfField kAutoReset{&CDtmfData::pagingOptions, Bit(6)};
inline constexpr DtmfField kAnswerBack{&CDtmfData::pagingOptions, Bit(7)};
constexpr DtmfField PagingDecode(int i) { return {nullptr, kPagingDecode, i}; }
}  // namespace dtmf_field

// The choices of the DTMF ANI page's settings, which its print words alike:
// the DTMF record's and the ANI settings of the radio-wide record.
namespace dtmf_choice {
inline constexpr Choice kPauseCharacter[] = {{"Enable", 0}, {"Disable", 1}};
inline constexpr Choice kPauseTime[] = {{"0.5sec", 0}, {"1.0sec", 1}, {"2.0sec", 2}, {"3.0sec", 3},
                                        {"4.0sec", 4}, {"5.0sec", 5}, {"6.0sec", 6}, {"7.0sec", 7}};
inline constexpr Choice kDtmfSpeed[] = {{" 50msec", 0}, {"100msec", 1}};
inline constexpr Choice kCallingTimes[] = {{"off", 0}, {"  1", 1}, {"  3", 2}, {"  5", 3}};
inline constexpr Choice kOffOn[] = {{"off", 0}, {"on", 1}};  // paging decode, Answer Back, Auto Reset
inline constexpr Choice kAniTransmission[] = {{"PTT pressed", 0}, {"PTT released", 1}};
inline constexpr Choice kAniSpeed[] = {
    {"25msec(20digit)", 0}, {"33msec(15digit)", 1}, {"50msec(10digit)", 2}, {"66msec(7.5digit)", 3}};
inline constexpr Choice kFirstDigitDelay[] = {{"300msec", 3}, {"500msec", 4}};  // any other value reads 500msec
}  // namespace dtmf_choice

class CMobileDtmfData : public CDtmfData {};
class CPortableDtmfData : public CDtmfData {};

inline constexpr const char* kPagingScanRefusal =
    "Paging function does not arrow the Scanning function to achieve \r\nreliable paging operation.\r\n"
    "Delete assignment of Scan Key or disable Paging function setting.";
