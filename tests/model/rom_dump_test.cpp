// The memory editor's dump text and its nibble editing, over plain buffers.
#include <gtest/gtest.h>

#include <vector>

#include "model/RadioImage.h"
#include "model/RomDump.h"

namespace {

// The 0x38000 layout: EEPROM blocks 0-1, alignment words up to 16, user words to 119.
constexpr DumpLayout kMobile38000{1, 256, 0x38000, 16, 119, true};
constexpr DumpLayout kPortable38000{1, 256, 0x38000, 16, 119, false};
// One EEPROM block (end word 63) and the flash from 0x1DC00.
constexpr DumpLayout kMobile1DC00{0, 58, 0x1DC00, 11, 60, true};

struct Buffers {
  std::vector<std::uint8_t> image = std::vector<std::uint8_t>(kImageBufferSize);
  std::vector<std::uint8_t> adjust = std::vector<std::uint8_t>(kAdjustCopySize);
  Buffers() {
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 7);
    for (std::size_t i = 0; i < adjust.size(); ++i) adjust[i] = static_cast<std::uint8_t>(0xA0 + i % 16);
  }
};

int Caret(int row, int column) { return row * kDumpLineLength + column; }

}  // namespace

TEST(RomDump, LinesAddressesAndWhichBytesEachBlockShows) {
  Buffers b;
  b.image[0] = 0x12;
  b.image[1] = 0x34;
  b.image[256] = 0x56;
  b.image[257] = 0x78;
  b.image[area::kPortableAdjust] = 0x9C;
  b.image[area::kMobileAdjust] = 0x11;
  const struct {
    const char* name;
    DumpLayout layout;
    int block;
    int line;
    std::string text;  // the line's start
  } rows[] = {
      {"EEPROM word address, high byte first", kMobile38000, 0, 0, "00000: 34 12 "},
      {"second EEPROM line", kMobile38000, 0, 1, "00008: "},
      {"block 1 words", kMobile38000, 1, 7, "00078: "},
      {"flash from its start", kMobile38000, 2, 0, "38000: 56 78 "},
      {"flash, last line of block 3", kMobile38000, 3, 7, "380F0: "},
      {"one EEPROM block: block 1 is flash", kMobile1DC00, 1, 0, "1DC00: "},
      {"mobile adjustment block shows the copy", kMobile38000, 254, 0, "3FE00: A0 A1 "},
      {"mobile block 255 from the copy's second block", kMobile38000, 255, 0, "3FE80: A0 A1 "},
      {"portable image: block 254 is the image's", kPortable38000, 254, 0, "3FE00: 11 "},
      {"portable adjustment block shows the image", kPortable38000, 167, 0, "3D280: 9C "},
      {"mobile channel block shows the image", kMobile38000, 184, 0, "3DB00: 00 07 "},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const std::string text = DumpText(r.layout, r.block, b.image.data(), b.adjust.data());
    ASSERT_EQ(text.size(), static_cast<std::size_t>(kDumpLines * kDumpLineLength));
    const std::string line = text.substr(static_cast<std::size_t>(r.line * kDumpLineLength), kDumpLineLength);
    EXPECT_EQ(line.substr(0, r.text.size()), r.text);
    EXPECT_EQ(line.substr(kDumpLineLength - 3), " \r\n");
  }
  EXPECT_EQ(BlockNumberText(255), "FFh");
  EXPECT_EQ(BlockNumberText(2), "02h");
}

TEST(RomDump, NibbleKeysTable) {
  const struct {
    const char* name;
    DumpLayout layout;
    int block;
    int caret;
    char key;
    bool applied;
    int caretAfter;
    std::size_t imageIndex;  // when applied
    std::uint8_t byteAfter;
  } rows[] = {
      {"word 8 is alignment data", kMobile38000, 0, Caret(1, 7), '5', false, Caret(1, 7), 0, 0},
      {"word 119 is the last user word", kMobile38000, 1, Caret(6, 49), '5', true, Caret(6, 50), 238 ^ 1, 0x50},
      {"word 120 is above it", kMobile38000, 1, Caret(7, 7), '5', false, Caret(7, 7), 0, 0},
      {"first digit of a user word", kMobile38000, 1, Caret(0, 7), 'c', true, Caret(0, 8), 129, 0xC0},
      {"second digit of the line's last byte goes to the next line", kMobile38000, 2, Caret(0, 53), 'a', true,
       Caret(1, 7), 256 + 15, 0x0A},
      {"second digit moves to the next byte", kMobile38000, 2, Caret(3, 8), 'F', true, Caret(3, 10), 256 + 48,
       0x0F},
      {"not a hex digit", kMobile38000, 2, Caret(0, 7), 'g', false, Caret(0, 7), 0, 0},
      {"on a blank", kMobile38000, 2, Caret(0, 9), '1', false, Caret(0, 9), 0, 0},
      {"after the last byte", kMobile38000, 2, Caret(0, 55), '1', false, Caret(0, 55), 0, 0},
      {"address field: to the first digit", kMobile38000, 2, Caret(4, 3), '1', false, Caret(4, 7), 0, 0},
      {"one EEPROM block: block 1 is flash, no swap", kMobile1DC00, 1, Caret(0, 7), '3', true, Caret(0, 8), 128,
       0x30},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    Buffers b;
    std::fill(b.image.begin(), b.image.end(), 0);
    std::string text = DumpText(r.layout, r.block, b.image.data(), b.adjust.data());
    const std::vector<std::uint8_t> before = b.image;
    const HexKeyResult k = HexKey(r.layout, r.block, r.caret, r.key);
    EXPECT_EQ(k.applied, r.applied);
    EXPECT_EQ(k.beep, !r.applied);
    EXPECT_EQ(k.caret, r.caretAfter);
    ApplyHexKey(k, r.caret, text, b.image.data(), b.adjust.data());
    std::vector<std::uint8_t> expected = before;
    if (r.applied) {
      expected[r.imageIndex] = r.byteAfter;
      // The text shows what the image now holds.
      EXPECT_EQ(text, DumpText(r.layout, r.block, b.image.data(), b.adjust.data()));
    }
    EXPECT_EQ(b.image, expected);
  }
}

TEST(RomDump, AdjustmentAreaEditsReachImageAndCopy) {
  // Mobile 254-256: shown from the copy, both take the byte.
  Buffers m;
  std::string text = DumpText(kMobile38000, 255, m.image.data(), m.adjust.data());
  HexKeyResult k = HexKey(kMobile38000, 255, Caret(0, 7), '7');
  ASSERT_TRUE(k.applied);
  ApplyHexKey(k, Caret(0, 7), text, m.image.data(), m.adjust.data());
  EXPECT_EQ(m.adjust[128], 0x70);
  EXPECT_EQ(m.image[area::kMobileAdjust + 128], 0x70);
  EXPECT_EQ(text.substr(7, 2), "70");
  // Portable 167: shown from the image, the copy follows.
  Buffers p;
  const std::uint8_t shown = p.image[area::kPortableAdjust + 1];
  text = DumpText(kPortable38000, 167, p.image.data(), p.adjust.data());
  k = HexKey(kPortable38000, 167, Caret(0, 11), '9');
  ASSERT_TRUE(k.applied);
  ApplyHexKey(k, Caret(0, 11), text, p.image.data(), p.adjust.data());
  const std::uint8_t now = static_cast<std::uint8_t>((shown & 0xF0) | 0x09);
  EXPECT_EQ(p.image[area::kPortableAdjust + 1], now);
  EXPECT_EQ(p.adjust[1], now);
}
