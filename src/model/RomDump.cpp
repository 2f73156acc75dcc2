#include "model/RomDump.h"

#include <cctype>
#include <cstdio>
#include <vector>

#include "model/ConfigFile.h"
#include "model/RadioImage.h"
#include "model/SaveNormalisations.h"
#include "model/ScreenData.h"

namespace {

constexpr int kMobileAdjustFirstBlock = static_cast<int>(area::kMobileAdjust / kBlockSize);  // 254

int DigitValue(char key) {
  if (key >= '0' && key <= '9') return key - '0';
  const char up = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
  if (up >= 'A' && up <= 'F') return up - 'A' + 10;
  return -1;
}

std::uint8_t WithNibble(std::uint8_t byte, bool highNibble, std::uint8_t value) {
  return highNibble ? static_cast<std::uint8_t>((byte & 0x0F) | (value << 4))
                    : static_cast<std::uint8_t>((byte & 0xF0) | value);
}

std::uint8_t ShownByte(const DumpByte& at, const std::uint8_t* image, const std::uint8_t* adjustCopy) {
  return at.shownFromCopy ? adjustCopy[*at.adjustIndex] : image[at.imageIndex];
}

}  // namespace

DumpLayout DumpLayoutOf(const CConfigFileBase& config, bool mobileImage) {
  return {config.GetLastEepromBlock(), config.GetBlockCount(),  config.GetFlashRomStart(),
          config.GetAdjustWordHigh(),  config.GetLastUserWord(), mobileImage};
}

DumpByte DumpByteAt(const DumpLayout& layout, int block, int byteInBlock) {
  DumpByte at;
  const std::size_t index = static_cast<std::size_t>(block) * kBlockSize + static_cast<std::size_t>(byteInBlock);
  // EEPROM words go high byte first: the byte shown at an even place is the odd one.
  at.imageIndex = block <= layout.lastEepromBlock ? index ^ 1U : index;
  if (layout.mobileImage && block >= kMobileAdjustFirstBlock && at.imageIndex < kImageSize) {
    at.adjustIndex = at.imageIndex - area::kMobileAdjust;
    at.shownFromCopy = true;
  } else if (!layout.mobileImage && at.imageIndex >= area::kPortableAdjust &&
             at.imageIndex < area::kPortableAdjust + kBlockSize) {
    at.adjustIndex = at.imageIndex - area::kPortableAdjust;
  }
  return at;
}

std::string DumpText(const DumpLayout& layout, int block, const std::uint8_t* image, const std::uint8_t* adjustCopy) {
  std::string text;
  text.reserve(kDumpLines * kDumpLineLength);
  char field[16];
  for (int r = 0; r < kDumpLines; ++r) {
    const int lineStart = block * static_cast<int>(kBlockSize) + r * 16;
    if (block <= layout.lastEepromBlock) {
      std::snprintf(field, sizeof field, "0%4.4X: ", static_cast<unsigned>(lineStart / 2));
    } else {
      const auto flash = static_cast<std::uint32_t>(lineStart - (layout.lastEepromBlock + 1) * static_cast<int>(kBlockSize)) +
                         layout.flashRomStart;
      std::snprintf(field, sizeof field, "%5.4X: ", static_cast<unsigned>(flash));
    }
    text += field;
    for (int k = 0; k < 16; ++k) {
      const DumpByte at = DumpByteAt(layout, block, r * 16 + k);
      const std::uint8_t v = ShownByte(at, image, adjustCopy);
      std::snprintf(field, sizeof field, "%2.2X ", static_cast<unsigned>(v));
      text += field;
    }
    text += "\r\n";
  }
  return text;
}

std::string BlockNumberText(int block) {
  char text[16];
  std::snprintf(text, sizeof text, "%.2Xh", static_cast<unsigned>(block));
  return text;
}

namespace {

// What the list of forced bits cannot say (a value checked against other
// records, such as a zone's selected group against its group count) the
// save itself tells: it is tried on copies with the byte changed. A save
// that a check refuses undoes nothing quietly; it says why.
bool ASaveKeeps(const HexKeyResult& r, const std::uint8_t* image, const std::uint8_t* adjustCopy) {
  const std::uint8_t after = WithNibble(ShownByte(r.byte, image, adjustCopy), r.highNibble, r.value);
  std::vector<std::uint8_t> edited(image, image + kImageSize);
  std::vector<std::uint8_t> adjust(adjustCopy, adjustCopy + kAdjustCopySize);
  edited[r.byte.imageIndex] = after;
  if (r.byte.adjustIndex) adjust[*r.byte.adjustIndex] = after;
  const std::optional<std::vector<std::uint8_t>> saved = SavedFileOf(edited.data(), adjust.data());
  if (!saved) return true;
  const std::uint8_t mask = r.highNibble ? 0xF0 : 0x0F;
  return ((*saved)[r.byte.imageIndex] & mask) == (after & mask);
}

}  // namespace

HexKeyResult HexKey(const DumpLayout& layout, int block, int caret, char key, const std::uint8_t* image,
                    const std::uint8_t* adjustCopy) {
  HexKeyResult r;
  r.caret = caret;
  const int v = DigitValue(key);
  if (v < 0 || caret < 0 || caret >= kDumpLines * kDumpLineLength) {
    r.beep = true;
    return r;
  }
  const int c = caret % kDumpLineLength;
  const int row = caret / kDumpLineLength;
  if (c < kDumpFirstDigitColumn) {
    // In the address field: to the line's first digit, nothing changes.
    r.beep = true;
    r.caret = row * kDumpLineLength + kDumpFirstDigitColumn;
    return r;
  }
  if (c > 54 || caret % 3 == 0) {
    r.beep = true;
    return r;
  }
  if (block <= layout.lastEepromBlock) {
    // The alignment words and the words above the user range stay as they are.
    const int word = (row + 8 * block) * 8 + (c - kDumpFirstDigitColumn) / 6;
    if (word <= layout.adjustWordHigh || word > layout.lastUserWord) {
      r.beep = true;
      return r;
    }
  }
  r.byte = DumpByteAt(layout, block, row * 16 + (c - kDumpFirstDigitColumn) / 3);
  r.highNibble = caret % 3 == 1;
  r.value = static_cast<std::uint8_t>(v);
  const std::uint8_t before = ShownByte(r.byte, image, adjustCopy);
  if (ASaveUndoes(layout.mobileImage ? kMobile : kPortable, r.byte.imageIndex, before,
                  WithNibble(before, r.highNibble, r.value))) {
    r.beep = true;
    return r;
  }
  r.applied = true;
  r.digit = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
  if (r.highNibble)
    r.caret = caret + 1;
  else
    r.caret = caret + (c == kDumpLastByteSecondDigit ? 11 : 2);
  return r;
}

void ApplyHexKey(const HexKeyResult& r, int caret, std::string& text, std::uint8_t* image, std::uint8_t* adjustCopy) {
  if (!r.applied) return;
  text[static_cast<std::size_t>(caret)] = r.digit;
  auto set = [&r](std::uint8_t& b) { b = WithNibble(b, r.highNibble, r.value); };
  // The byte the dump showed changes; image and copy then hold the same.
  if (r.byte.shownFromCopy) {
    set(adjustCopy[*r.byte.adjustIndex]);
    image[r.byte.imageIndex] = adjustCopy[*r.byte.adjustIndex];
  } else {
    set(image[r.byte.imageIndex]);
    if (r.byte.adjustIndex) adjustCopy[*r.byte.adjustIndex] = image[r.byte.imageIndex];
  }
}

HexKeyResult HexKeyToSave(const DumpLayout& layout, int block, int caret, char key, const std::uint8_t* image,
                          const std::uint8_t* adjustCopy) {
  HexKeyResult r = HexKey(layout, block, caret, key, image, adjustCopy);
  if (r.applied && !ASaveKeeps(r, image, adjustCopy)) {
    r.applied = false;
    r.beep = true;
    r.caret = caret;
  }
  return r;
}
