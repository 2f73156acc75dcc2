// The memory editor's dump text and its nibble editing, over plain buffers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProgramState.h"
#include "ScriptedMessages.h"
#include "model/DataFile.h"
#include "model/RadioImage.h"
#include "model/RomDump.h"
#include "model/SaveNormalisations.h"
#include "model/ScreenData.h"

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
    const HexKeyResult k = HexKey(r.layout, r.block, r.caret, r.key, b.image.data(), b.adjust.data());
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
  HexKeyResult k = HexKey(kMobile38000, 255, Caret(0, 7), '7', m.image.data(), m.adjust.data());
  ASSERT_TRUE(k.applied);
  ApplyHexKey(k, Caret(0, 7), text, m.image.data(), m.adjust.data());
  EXPECT_EQ(m.adjust[128], 0x70);
  EXPECT_EQ(m.image[area::kMobileAdjust + 128], 0x70);
  EXPECT_EQ(text.substr(7, 2), "70");
  // Portable 167: shown from the image, the copy follows.
  Buffers p;
  const std::uint8_t shown = p.image[area::kPortableAdjust + 1];
  text = DumpText(kPortable38000, 167, p.image.data(), p.adjust.data());
  k = HexKey(kPortable38000, 167, Caret(0, 11), '9', p.image.data(), p.adjust.data());
  ASSERT_TRUE(k.applied);
  ApplyHexKey(k, Caret(0, 11), text, p.image.data(), p.adjust.data());
  const std::uint8_t now = static_cast<std::uint8_t>((shown & 0xF0) | 0x09);
  EXPECT_EQ(p.image[area::kPortableAdjust + 1], now);
  EXPECT_EQ(p.adjust[1], now);
}

// A nibble that a save would turn back is refused with the beep: the byte,
// the text and the caret stay.
TEST(RomDump, ANibbleTheSaveWouldUndoIsRefused) {
  // Image byte i of block 0 or 1 sits at the text's place i ^ 1 (words high byte first).
  auto eeprom = [](std::size_t index, bool high) {
    const int shown = static_cast<int>(index ^ 1U) % static_cast<int>(kBlockSize);
    return Caret(shown / 16, kDumpFirstDigitColumn + 3 * (shown % 16) + (high ? 0 : 1));
  };
  // Every word of blocks 0 and 1 the user's, to reach the recomputed bytes.
  constexpr DumpLayout kAllWords{1, 256, 0x38000, 16, 127, true};
  constexpr DumpLayout kAllWordsPortable{1, 256, 0x38000, 16, 127, false};
  const struct {
    const char* name;
    DumpLayout layout;
    std::size_t index;
    std::uint8_t before;
    bool high;
    char key;
    bool applied;
  } rows[] = {
      {"42 b4 is never saved: 08 -> 18", kMobile38000, 42, 0x08, true, '1', false},
      {"42 b4 stays clear: 08 -> 48", kMobile38000, 42, 0x08, true, '4', true},
      {"42 low nibble is free", kMobile38000, 42, 0x08, false, 'F', true},
      {"42 b5 is dropped by the load, portable too", kPortable38000, 42, 0x04, true, '2', false},
      {"a bit already against the save is not held against the other nibble", kMobile38000, 42, 0x18, false, '9',
       true},
      {"205 b4-5 always set: 30 -> 10", kMobile38000, 205, 0x30, true, '1', false},
      {"205 b4-5 kept: 30 -> 70", kMobile38000, 205, 0x30, true, '7', true},
      {"213 b0 set, b1-2 clear: 09 -> 0B", kMobile38000, 213, 0x09, false, 'B', false},
      {"213 low nibble as the save leaves it", kMobile38000, 213, 0x48, false, '9', true},
      {"202 b1 always set", kPortable38000, 202, 0x02, false, '0', false},
      {"186 b4 always clear", kMobile38000, 186, 0x00, true, '1', false},
      {"226 is 0 on a portable radio", kPortable38000, 226, 0x00, false, '1', false},
      {"226 is the mobile AF level", kMobile38000, 226, 0x01, false, '5', true},
      {"182 b6 follows the portable back light", kPortable38000, 182, 0x18, true, '5', false},
      {"182 b6 is the mobile back light", kMobile38000, 182, 0x18, true, '5', true},
      {"252 is worked out from the channels", kAllWords, 252, 0xB8, false, '9', false},
      {"253 likewise, portable", kAllWordsPortable, 253, 0x20, true, '3', false},
      {"252: the digit it holds may be typed over", kAllWords, 252, 0xB8, false, '8', true},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    Buffers b;
    b.image[r.index] = r.before;
    const int block = static_cast<int>(r.index / kBlockSize);
    const int caret = eeprom(r.index, r.high);
    std::string text = DumpText(r.layout, block, b.image.data(), b.adjust.data());
    const std::string textBefore = text;
    const HexKeyResult k = HexKey(r.layout, block, caret, r.key, b.image.data(), b.adjust.data());
    EXPECT_EQ(k.applied, r.applied);
    EXPECT_EQ(k.beep, !r.applied);
    ApplyHexKey(k, caret, text, b.image.data(), b.adjust.data());
    if (r.applied) continue;
    EXPECT_EQ(k.caret, caret);
    EXPECT_EQ(b.image[r.index], r.before);
    EXPECT_EQ(text, textBefore);
  }
  // Past the radio-wide bytes: 705 b6 is always set on a saved mobile radio.
  Buffers b;
  b.image[705] = 0x50;
  const int caret = Caret((705 % 128) / 16, kDumpFirstDigitColumn + 3 * (705 % 16));
  EXPECT_FALSE(HexKey(kMobile38000, 5, caret, '1', b.image.data(), b.adjust.data()).applied);
  EXPECT_TRUE(HexKey(kMobile38000, 5, caret, '7', b.image.data(), b.adjust.data()).applied);
  EXPECT_TRUE(HexKey(kPortable38000, 5, caret, '1', b.image.data(), b.adjust.data()).applied);
}

// The refusals agree with the real load and save: over each family's default
// file, every value of each nibble of a byte the list names is either kept by
// an unpack and a pack, or refused; a refused one (of a bit the save forces)
// is one the save would indeed have turned back.
TEST(RomDump, RefusalsAgreeWithWhatTheSaveKeeps) {
  const FreshProgramState fresh;
  const ScriptedMessages messages;  // a pack a changed bit makes refuse shows its box here
  for (const Family family : {kMobile, kPortable}) {
    SCOPED_TRACE(family == kMobile ? "mobile" : "portable");
    ResetProgramState();
    ASSERT_TRUE(AllocateRadioImage());
    const std::string file =
        std::string(RP58_PROGRAM_DIR) + (family == kMobile ? "/Data/DEFAULTU.K58" : "/Data/DEFAULTU.P58");
    ASSERT_EQ(g_dataFile.LoadDataFile(file, RP58_PROGRAM_DIR), 1);
    const DumpLayout layout{1, 256, 0x38000, 16, 127, family == kMobile};
    const std::vector<std::uint8_t> loaded(g_pRadioImage, g_pRadioImage + kImageSize);
    for (const SaveNormalisation& n : SaveNormalisations()) {
      if ((n.families & FamilyBit(family)) == 0) continue;
      const int block = static_cast<int>(n.imageByte / kBlockSize);
      // The alignment words take no key at all.
      if (block <= layout.lastEepromBlock && static_cast<int>(n.imageByte / 2) <= layout.adjustWordHigh) continue;
      const int shown = static_cast<int>(block <= layout.lastEepromBlock ? n.imageByte ^ 1U : n.imageByte) % 128;
      for (const bool high : {true, false}) {
        for (int v = 0; v < 16; ++v) {
          SCOPED_TRACE(std::to_string(n.imageByte) + (high ? " high " : " low ") + std::to_string(v));
          std::copy(loaded.begin(), loaded.end(), g_pRadioImage);
          UnpackImageToScreens(g_pRadioImage);
          const int caret = Caret(shown / 16, kDumpFirstDigitColumn + 3 * (shown % 16) + (high ? 0 : 1));
          const char key = "0123456789ABCDEF"[v];
          const HexKeyResult k = HexKey(layout, block, caret, key, g_pRadioImage, g_adjustCopy.data());
          const std::uint8_t mask = high ? 0xF0 : 0x0F;
          const std::uint8_t before = g_pRadioImage[n.imageByte];
          const auto typed = static_cast<std::uint8_t>((before & ~mask) | ((high ? v << 4 : v) & mask));
          g_pRadioImage[n.imageByte] = typed;
          UnpackImageToScreens(g_pRadioImage);
          if (PackScreensToImage(g_pRadioImage) == 0) continue;
          const bool kept = ((g_pRadioImage[n.imageByte] ^ typed) & mask) == 0;
          if (k.applied) {
            // (Typing the digit a byte holds changes nothing, whatever the save makes of the byte.)
            if (typed != before) {
              EXPECT_TRUE(kept) << "accepted, then saved as " << int{g_pRadioImage[n.imageByte]};
            }
          } else if (n.after != SavedAs::kAny) {
            EXPECT_NE(g_pRadioImage[n.imageByte], typed) << "refused, but the save keeps it";
          }
        }
      }
    }
  }
}

// What no list of bits can say: a zone's selected group must lie within the
// zone's groups, or the save writes it as unset. Over a file whose zones
// hold groups, every value of each nibble of the first zones' selected-group
// bytes is accepted exactly when a save keeps it.
TEST(RomDump, ANibbleAnotherRecordRulesOutIsRefused) {
  const FreshProgramState fresh;
  ResetProgramState();
  ASSERT_TRUE(AllocateRadioImage());
  ASSERT_EQ(g_dataFile.LoadDataFile(std::string(RP58_SOURCE_DIR) + "/tests/data/mobile-vhf-edges.K58", RP58_PROGRAM_DIR), 1);
  const std::vector<std::uint8_t> loaded(g_pRadioImage, g_pRadioImage + kImageSize);
  const auto adjust = g_adjustCopy;
  int refused = 0;
  for (std::size_t index = area::kZoneSelectedGroup; index < area::kZoneSelectedGroup + 8; ++index) {
    const int shown = static_cast<int>(index ^ 1U) % 128;
    for (const bool high : {true, false}) {
      for (int v = 0; v < 16; ++v) {
        SCOPED_TRACE(std::to_string(index) + (high ? " high " : " low ") + std::to_string(v));
        std::copy(loaded.begin(), loaded.end(), g_pRadioImage);
        g_adjustCopy = adjust;
        UnpackImageToScreens(g_pRadioImage);
        const int caret = Caret(shown / 16, kDumpFirstDigitColumn + 3 * (shown % 16) + (high ? 0 : 1));
        const HexKeyResult k =
            HexKeyToSave(kMobile38000, 0, caret, "0123456789ABCDEF"[v], g_pRadioImage, g_adjustCopy.data());
        const std::uint8_t mask = high ? 0xF0 : 0x0F;
        const auto typed = static_cast<std::uint8_t>((loaded[index] & ~mask) | ((high ? v << 4 : v) & mask));
        g_pRadioImage[index] = typed;
        UnpackImageToScreens(g_pRadioImage);
        ASSERT_NE(PackScreensToImage(g_pRadioImage), 0);
        EXPECT_EQ(k.applied, ((g_pRadioImage[index] ^ typed) & mask) == 0);
        refused += k.applied ? 0 : 1;
      }
    }
  }
  // The file's zones are not all full: some selected groups are ruled out.
  EXPECT_GT(refused, 0);
}
