#pragma once
// The memory-block editor's dump: one 128-byte block as eight lines of 57
// characters (a 7-character address, sixteen "XX " bytes, "\r\n"), and what a
// hex digit typed at a caret position does to the text and the image. Caret
// positions count the "\r\n" of every line, as the dump text holds them.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

class CConfigFileBase;

inline constexpr int kDumpLineLength = 57;
inline constexpr int kDumpLines = 8;
inline constexpr int kDumpFirstDigitColumn = 7;
inline constexpr int kDumpLastByteSecondDigit = 53;

struct DumpLayout {
  int lastEepromBlock = 1;   // blocks up to here hold words, shown high byte first
  int blockCount = 0;
  std::uint32_t flashRomStart = 0;
  int adjustWordHigh = 0;    // EEPROM words up to here are alignment data
  int lastUserWord = 0;      // and above here not the user's either
  bool mobileImage = true;   // a mobile image keeps blocks 254-256 in the adjustment copy
};
DumpLayout DumpLayoutOf(const CConfigFileBase& config, bool mobileImage);

// Where a byte of block `block` lives: its image index and, inside the
// family's adjustment area, its index in the adjustment copy, which a saved
// file takes that area from. The mobile area (blocks 254-256) is shown from
// the copy; the portable one (block 167) from the image, like every block.
struct DumpByte {
  std::size_t imageIndex = 0;
  std::optional<std::size_t> adjustIndex;
  bool shownFromCopy = false;
};
DumpByte DumpByteAt(const DumpLayout& layout, int block, int byteInBlock);

// The block's text from the image and the adjustment copy.
std::string DumpText(const DumpLayout& layout, int block, const std::uint8_t* image, const std::uint8_t* adjustCopy);
// "%.2Xh" of the block number.
std::string BlockNumberText(int block);

struct HexKeyResult {
  bool applied = false;    // the byte changed
  bool beep = false;
  int caret = 0;           // where the caret goes
  char digit = 0;          // the upper-cased digit written at the old caret
  DumpByte byte;
  bool highNibble = false;
  std::uint8_t value = 0;  // the nibble's value
};
// A key typed at caret position `caret` of block `block`'s text, over the
// image and adjustment copy the text shows. A nibble that a save would undo
// (a bit the radio needs one way, or one the records work out) is refused,
// so the dump never shows a value the file won't hold.
HexKeyResult HexKey(const DumpLayout& layout, int block, int caret, char key, const std::uint8_t* image,
                    const std::uint8_t* adjustCopy);
// HexKey, and a key that a save of the image would turn back by a rule no
// list of bits can hold (a value checked against other records, such as a
// zone's selected group against its group count) is refused too: the save
// is tried on copies (SavedFileOf), so it needs the records of the image's
// family. What the memory editor runs.
HexKeyResult HexKeyToSave(const DumpLayout& layout, int block, int caret, char key, const std::uint8_t* image,
                          const std::uint8_t* adjustCopy);
// Writes an applied key into the text, the image and (for the adjustment
// blocks) the adjustment copy.
void ApplyHexKey(const HexKeyResult& r, int caret, std::string& text, std::uint8_t* image, std::uint8_t* adjustCopy);
