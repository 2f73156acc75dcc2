#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "ProgramState.h"
#include "ScriptedMessages.h"
#include "model/DataFile.h"
#include "model/FamilyModel.h"
#include "model/FiveTone.h"
#include "model/RadioImage.h"

namespace {

std::string Format5(std::uint32_t tone) {
  char text[16];
  std::snprintf(text, sizeof text, "%5u", static_cast<unsigned>(tone));
  return text;
}

std::vector<std::uint8_t> BlankImage() { return std::vector<std::uint8_t>(kImageBufferSize, 0xFF); }

TEST(FiveToneCode, DigitsPackAndLoad) {
  struct Row {
    const char* typed;
    std::uint8_t bytes[3];
    const char* loaded;
  };
  const Row rows[] = {
      {"123", {0x12, 0x3F, 0xFF}, "123  "},
      {"12345", {0x12, 0x34, 0x5F}, "12345"},
      {"1234", {0x12, 0x34, 0xFF}, "1234 "},  // a fifth digit removed leaves 0xF
      {"1 34", {0x1F, 0xFF, 0xFF}, "1    "},  // the first blank ends the code
      {"", {0xFF, 0xFF, 0xFF}, "     "},
      {"ab", {0xAB, 0xFF, 0xFF}, "AB   "},
  };
  for (const Row& r : rows) {
    std::uint8_t bytes[3] = {0, 0, 0};
    StoreFiveToneCode(r.typed, bytes);
    EXPECT_EQ(bytes[0], r.bytes[0]) << r.typed;
    EXPECT_EQ(bytes[1], r.bytes[1]) << r.typed;
    EXPECT_EQ(bytes[2], r.bytes[2]) << r.typed;
    char code[6];
    LoadFiveToneCode(bytes, code);
    EXPECT_STREQ(code, r.loaded) << r.typed;
  }
  // Three bytes can hold six digits; the code keeps five.
  const std::uint8_t six[3] = {0x12, 0x34, 0x56};
  char code[6];
  LoadFiveToneCode(six, code);
  EXPECT_STREQ(code, "12345");
}

TEST(FiveToneTables, DecodeStoreWritesRowTypesAndNothingOutside) {
  auto image = BlankImage();
  const auto before = image;
  CMobileFiveToneDecodeTable table;
  table.rows[0].head[0] = 0x08;  // a bit no control edits
  table.Store(image.data());
  const std::uint8_t types[8] = {3, 3, 3, 3, 3, 1, 2, 0};
  const std::size_t first = area::kMobileFiveToneDecode, last = first + 8 * 13;
  for (int r = 0; r < 8; ++r) EXPECT_EQ((image[first + 13 * r] >> 4) & 3, types[r]) << "row " << r;
  EXPECT_EQ(image[first] & 0x08, 0x08);
  for (std::size_t i = 0; i < image.size(); ++i) {
    if (i < first || i >= last) {
      ASSERT_EQ(image[i], before[i]) << "byte " << i;
    }
  }
  // STUN, KILL and REVIVE have no tag: their tag bytes stay as they were.
  for (int r = 5; r < 8; ++r) EXPECT_EQ(image[first + 13 * r + 5], 0xFF);
  EXPECT_EQ(image[first + 5], '-');
}

TEST(FiveToneTables, LoadStoreKeepsEveryByte) {
  // A mobile encode table with all 18 bytes of every row in use.
  auto image = BlankImage();
  const std::size_t first = area::kMobileFiveToneEncode;
  for (int r = 0; r < 8; ++r) {
    std::uint8_t* row = &image[first + 18 * r];
    row[0] = static_cast<std::uint8_t>(0x81 + r);
    row[1] = static_cast<std::uint8_t>(0x40 | r);
    row[2] = 0x12;
    row[3] = 0x34;
    row[4] = static_cast<std::uint8_t>(0x5F);
    for (int i = 0; i < 8; ++i) row[5 + i] = static_cast<std::uint8_t>('A' + r + i);
    for (int i = 0; i < 5; ++i) row[13 + i] = static_cast<std::uint8_t>(0x10 * r + i);
  }
  CMobileFiveToneEncodeTable table;
  table.Load(image.data());
  EXPECT_EQ(table.loaded, 1);
  auto out = BlankImage();
  table.Store(out.data());
  for (std::size_t i = first; i < first + 8 * 18; ++i) EXPECT_EQ(out[i], image[i]) << "byte " << i;
}

TEST(FiveToneTables, CellTextsCutAndPad) {
  CPortableFiveToneEncodeTable table;
  g_dataModified = 0;
  table.SetCellText(2, 2, "ABCDEFGHIJ");
  table.SetCellText(3, 2, "XYZ");
  table.SetCellText(3, 1, "123456");
  EXPECT_EQ(g_dataModified, 1);
  std::string text;
  ASSERT_TRUE(table.GetCellText(2, 2, text));
  EXPECT_EQ(text, "ABCDEFGH");
  ASSERT_TRUE(table.GetCellText(3, 2, text));
  EXPECT_EQ(text, "XYZ     ");
  ASSERT_TRUE(table.GetCellText(3, 1, text));
  EXPECT_EQ(text, "12345");
  EXPECT_FALSE(table.GetCellText(3, 3, text));
  EXPECT_FALSE(table.GetCellText(8, 1, text));
  g_dataModified = 0;
}

TEST(FiveToneTables, ToggleCellsCycle) {
  CPortableFiveToneDecodeTable decode;
  FiveToneRow& d = decode.rows[0];
  EXPECT_EQ(d.DecodeBeepTone(), 7);
  decode.ToggleCell(0, 3);
  EXPECT_EQ(d.DecodeBeepTone(), 0);  // after 7 comes 0
  decode.ToggleCell(0, 3);
  EXPECT_EQ(d.DecodeBeepTone(), 1);
  EXPECT_EQ(d.DecodeBeepMode(), 3);
  decode.ToggleCell(0, 4);
  EXPECT_EQ(d.DecodeBeepMode(), 0);
  decode.ToggleCell(0, 4);
  EXPECT_EQ(d.DecodeBeepMode(), 3);
  decode.ToggleCell(0, 5);
  decode.ToggleCell(0, 6);
  EXPECT_EQ(d.head[1], 0x60);

  CMobileFiveToneEncodeTable encode;
  FiveToneRow& e = encode.rows[7];
  std::vector<int> modes;
  for (int i = 0; i < 4; ++i) {
    modes.push_back(e.EncodeMuteMode());
    encode.ToggleCell(7, 3);
  }
  EXPECT_EQ(modes, (std::vector<int>{3, 0, 1, 2}));
  EXPECT_EQ(e.EncodeMuteMode(), 0);
  encode.ToggleCell(7, 4);
  EXPECT_EQ(e.EncodeSelectFlag(), 1);
  encode.ToggleCell(7, 5);
  EXPECT_EQ(e.EncodeFirstToneFlag(), 0);
  encode.ToggleCell(7, 8);
  EXPECT_EQ(e.head[1], 0xFB);  // input digit 3
  encode.ToggleCell(7, 11);    // no such column
  EXPECT_EQ(e.head[1], 0xFB);
  g_dataModified = 0;
}

TEST(FiveToneCommon, PortableDefaultsPackKeepingForeignBits) {
  auto image = BlankImage();
  CPortableFiveToneCommonRecord rec;
  rec.Pack(image.data());
  const std::uint8_t* a = &image[area::kPortableFiveToneCommon];
  EXPECT_EQ(a[0], 0x00);  // rebuilt whole
  EXPECT_EQ(a[1], 0x80);
  EXPECT_EQ(a[2], 0xAE);
  EXPECT_EQ(a[3], 0xFF);  // b2 and b0 set, the rest kept
  EXPECT_EQ(a[6], 20);
  EXPECT_EQ(a[9], 0xFF);
  EXPECT_EQ(a[10], 0x0F);
  EXPECT_EQ(a[11], 0xFF);
  EXPECT_EQ(a[12], 0x7F);  // auto reset off; PTT SW AF open, monitor 3, b2 and b4-6 kept
  EXPECT_EQ(a[13], 0x3F);
  EXPECT_EQ(a[14], 0x80);
  EXPECT_EQ(a[15], 0xE0);

  CMobileFiveToneCommonRecord back;
  back.Unpack(image.data() + (area::kPortableFiveToneCommon - area::kMobileFiveToneCommon));
  EXPECT_EQ(back.groupTone, 10);
  EXPECT_EQ(back.repeatTone, 14);
  EXPECT_EQ(back.monitorSw, 3);
  EXPECT_EQ(back.aniTransmission, 3);
  EXPECT_EQ(back.GetDisplayDigit(5), 0);

  rec.tagDisplay = 2;  // any non-zero value sets the tag bit
  rec.displayDigit[4] = 1;
  rec.Pack(image.data());
  EXPECT_EQ(a[0], 0x90);
}

TEST(FiveToneTones, WordsGapsAndWindows) {
  EXPECT_EQ(FiveToneWord(1000, 2930), 3413);
  EXPECT_EQ(FiveToneFromWord(3413, 2930), 1000u);
  EXPECT_EQ(FiveToneWord(0, 2930), 0);
  EXPECT_EQ(FiveToneWord(1000, 0), 0);       // no factor: no division
  EXPECT_EQ(FiveToneWord(100000, 1), 0xFFFF);  // clamped, not wrapped
  const FiveToneWindow w = FiveToneDecodeWindow(1000, 10000, 30);  // 1000 counts a period
  EXPECT_EQ(w.low, 970);
  EXPECT_EQ(w.high, 1030);
  const FiveToneWindow none = FiveToneDecodeWindow(1000, 0, 30);
  EXPECT_EQ(none.low, 0);
  EXPECT_EQ(none.high, 0);
  EXPECT_EQ(FiveToneDecodeWindow(1, 1, 30).high, 0xFFFF);

  auto image = BlankImage();
  CFiveToneCodeRecord mobile;
  mobile.tones[0] = 1000;
  PutBE16(&image[0x5E77], 2930);
  PutBE16(&image[0x5E79], 0);
  mobile.gap = {105, 0, 5, 2000, 4};
  mobile.Pack(image.data());
  EXPECT_EQ(GetBE16(&image[0x5E08]), 3413);
  EXPECT_EQ(image[0x5E6F], 21);
  EXPECT_EQ(image[0x5E72], 255);  // 2000 ms does not fit the byte
  EXPECT_EQ(image[0x5E73], 0);
  EXPECT_EQ(GetBE16(&image[0x5F7C]), 0);  // zero timer: zero windows
}

TEST(FiveToneTones, MobileCellsAndUnpack) {
  auto image = BlankImage();
  PutBE16(&image[0x5E77], 2930);
  PutBE16(&image[0x5E08], 3413);
  image[0x5E68] = 70;
  image[0x5E6C] = 33;
  image[0x5E6F] = 13;
  CFiveToneCodeRecord rec;
  rec.Unpack(image.data());
  std::string text;
  ASSERT_TRUE(rec.GetCellText(0, 5, text));
  EXPECT_EQ(text, " 1000");
  ASSERT_TRUE(rec.GetCellText(16, 5, text));
  EXPECT_EQ(text, "    0");
  ASSERT_TRUE(rec.GetCellText(17, 1, text));
  EXPECT_EQ(text, " 70");
  ASSERT_TRUE(rec.GetCellText(17, 5, text));
  EXPECT_EQ(text, " 33");
  ASSERT_TRUE(rec.GetCellText(18, 1, text));
  EXPECT_EQ(text, "  65");
  EXPECT_FALSE(rec.GetCellText(5, 1, text));
  EXPECT_FALSE(rec.GetCellText(17, 0, text));

  g_dataModified = 0;
  rec.SetCellText(15, 5, "1234");
  rec.SetCellText(16, 2, "100");
  rec.SetCellText(17, 5, "105");
  EXPECT_EQ(rec.tones[15], 1234u);
  EXPECT_EQ(rec.period[1], 100);
  EXPECT_EQ(rec.gap[4], 105u);
  EXPECT_EQ(g_dataModified, 1);
  g_dataModified = 0;
}

TEST(FiveToneTones, PortableDefaultAreaAndUserColumn) {
  auto image = BlankImage();
  std::vector<std::uint8_t> marked(image);
  for (std::size_t i = 0x5560; i < 0x5580; ++i) image[i] = 0xAA;
  CFiveToneToneRecord rec;
  rec.WriteDefaultImageArea(image.data());
  EXPECT_EQ(GetBE16(&image[0x54E0]), 0x2000);
  EXPECT_EQ(GetBE16(&image[0x54E2]), 0x0E22);
  EXPECT_EQ(GetBE16(&image[0x54E4]), 0x0F77);
  EXPECT_EQ(GetBE16(&image[0x5500]), FiveToneWord(1981, 2930));  // CCIR1 digit 0
  EXPECT_EQ(GetBE16(&image[0x55CF]), 2930);
  EXPECT_EQ(GetBE16(&image[0x55D1]), 4069);
  EXPECT_EQ(image[0x55D3], 30);
  EXPECT_EQ(image[0x5580], 0);
  EXPECT_EQ(image[0x5700], 0xFF);
  EXPECT_EQ(image[0x5753], 0xFF);
  EXPECT_EQ(image[0x5754], 0xFF);  // beyond the area: untouched
  for (std::size_t i = 0x5560; i < 0x5580; ++i) ASSERT_EQ(image[i], 0xAA);
  const FiveToneWindow w = FiveToneDecodeWindow(2400, 4069, 30);
  EXPECT_EQ(GetBE16(&image[0x55D4]), w.low);
  EXPECT_EQ(GetBE16(&image[0x55D6]), w.high);

  rec.Pack(image.data());
  EXPECT_EQ(image[0x55C4], 70);
  EXPECT_EQ(image[0x55CB], 21);
  CFiveToneToneRecord back;
  back.tones.fill(0);
  back.Unpack(image.data());
  EXPECT_EQ(back.tones, rec.tones);  // the default tones survive the words
  EXPECT_EQ(back.userGap, 105u);
  std::string text;
  ASSERT_TRUE(back.GetCellText(0, 5, text));
  EXPECT_EQ(text, " 1633");
  EXPECT_FALSE(back.GetCellText(0, 4, text));
  g_dataModified = 0;
  back.SetCellText(3, 4, "999");
  EXPECT_EQ(g_dataModified, 0);
}

// A model change can give the image a new parameter block after the tones were
// unpacked; the tones must reach the file as shown, read with the image's own
// factor (and, mobile, windows with its own timer and tolerance).
TEST(FiveToneTones, PackUsesTheParametersOfTheImageWritten) {
  struct Family {
    const char* name;
    std::size_t tones, factor, timer, tolerance;
  };
  const Family families[] = {{"mobile", 0x5E08, 0x5E77, 0x5E79, 0x5E7B}, {"portable", 0x5560, 0x55CF, 0x55D1, 0x55D3}};
  for (const Family& f : families) {
    SCOPED_TRACE(f.name);
    const bool portable = std::string(f.name) == "portable";
    auto before = BlankImage();  // the radio loaded first
    PutBE16(&before[f.factor], 3500);
    PutBE16(&before[f.timer], 5000);
    before[f.tolerance] = 20;
    std::fill_n(&before[f.tones], 2 * kFiveToneTones, 0);
    PutBE16(&before[f.tones], FiveToneWord(1951, 3500));
    auto after = BlankImage();  // the new model's image
    PutBE16(&after[f.factor], 2930);
    PutBE16(&after[f.timer], 4069);
    after[f.tolerance] = 30;

    auto packAndReload = [&](auto rec) {
      rec.Unpack(before.data());
      rec.Pack(after.data());
      decltype(rec) back;
      back.Unpack(after.data());
      return std::pair{rec.tones, back.tones};
    };
    const auto [shown, read] =
        portable ? packAndReload(CFiveToneToneRecord{}) : packAndReload(CFiveToneCodeRecord{});
    if (!portable) {
      const FiveToneWindow w = FiveToneDecodeWindow(1951, 4069, 30);
      EXPECT_EQ(GetBE16(&after[0x5F7C]), w.low);
      EXPECT_EQ(GetBE16(&after[0x5F7E]), w.high);
    }
    EXPECT_EQ(shown[0], 1951u);
    EXPECT_EQ(GetBE16(&after[f.tones]), FiveToneWord(1951, 2930));
    EXPECT_EQ(read, shown);
  }
}

// An image without a factor word cannot say what its tones are: a save with
// no tone typed must leave the tone words (and the mobile windows) as the
// image holds them. A factor word of all ones is an area never written, no
// factor either.
TEST(FiveToneTones, AnImageWithoutAFactorKeepsItsToneWords) {
  const std::size_t mobileTones = 0x5E08, mobileFactor = 0x5E77, portableTones = 0x5560, portableFactor = 0x55CF;
  for (const std::uint16_t noFactor : {0x0000, 0xFFFF}) {
    SCOPED_TRACE(noFactor);
    auto image = BlankImage();
    PutBE16(&image[mobileFactor], noFactor);
    PutBE16(&image[portableFactor], noFactor);
    PutBE16(&image[mobileTones + 2], 3413);  // 1000 Hz on the usual scale, unknown on none
    const auto before = image;
    CFiveToneCodeRecord mobile;
    mobile.Unpack(image.data());
    EXPECT_EQ(mobile.tones[1], 0u);
    mobile.Pack(image.data());
    CFiveToneToneRecord portable;
    portable.Unpack(image.data());
    portable.Pack(image.data());
    // The tone words, and the mobile windows after the parameter block, as they were.
    EXPECT_TRUE(std::equal(before.begin() + mobileTones, before.begin() + mobileFactor, image.begin() + mobileTones));
    EXPECT_TRUE(std::equal(before.begin() + 0x5F7C, before.begin() + 0x5FBC, image.begin() + 0x5F7C));
    EXPECT_TRUE(std::equal(before.begin() + portableTones, before.begin() + portableTones + 32,
                           image.begin() + portableTones));
    EXPECT_EQ(FiveToneWord(1000, noFactor), 0);
    EXPECT_EQ(FiveToneFromWord(3413, noFactor), 0u);
  }
}

// A new mobile file has a tone scale: every tone the user column takes comes
// back as typed after a save and a reload, and saving the reloaded file
// changes no byte (the decode windows included).
TEST(FiveToneTones, EveryToneTypedOnANewMobileFileComesBackAsTyped) {
  FreshProgramState fresh;
  TempDir dir;
  ScriptedMessages messages;
  ASSERT_TRUE(AllocateRadioImage());
  ASSERT_EQ(g_dataFile.LoadDataFile(std::string(RP58_PROGRAM_DIR) + "/Data/DEFAULTU.K58", RP58_PROGRAM_DIR), 1);
  for (std::uint32_t first = 300; first <= 3000; first += kFiveToneTones) {
    SCOPED_TRACE(first);
    std::array<std::uint32_t, kFiveToneTones> typed{};
    for (int row = 1; row <= kFiveToneTones; ++row) {
      typed[row - 1] = std::min<std::uint32_t>(first + row - 1, 3000);
      ASSERT_TRUE(ToneGridCommit(g_mobileModel.records.fiveToneCodes, row, tone_grid::kUserCol,
                                 std::to_string(typed[row - 1])));
    }
    ASSERT_TRUE(g_dataFile.SaveDataFile("typed.K58"));
    ASSERT_EQ(g_dataFile.LoadDataFile("typed.K58", RP58_PROGRAM_DIR), 1);
    for (int row = 1; row <= kFiveToneTones; ++row)
      ASSERT_EQ(ToneGridText(g_mobileModel.records.fiveToneCodes, row, tone_grid::kUserCol), Format5(typed[row - 1]));
    ASSERT_TRUE(g_dataFile.SaveDataFile("again.K58"));
    ASSERT_EQ(ReadWholeFile("again.K58"), ReadWholeFile("typed.K58"));
  }
  for (const auto& t : messages.texts()) EXPECT_EQ(t.rfind("FCC Rule Caution!", 0), 0u) << t;
}

// A file whose tone scale was never written (the mobile radio-wide file) shows
// its user tones as 0 and takes typed ones all the same: they come back as
// typed after a save and a reload, with the tones never typed still 0, and
// saving the reloaded file changes no byte.
TEST(FiveToneTones, TonesTypedOnAFileWithoutAToneScaleComeBackAsTyped) {
  FreshProgramState fresh;
  TempDir dir;
  ScriptedMessages messages;
  ASSERT_TRUE(AllocateRadioImage());
  ASSERT_EQ(g_dataFile.LoadDataFile(std::string(RP58_SOURCE_DIR) + "/tests/data/mobile-uhf-radio-wide.K58",
                                    RP58_PROGRAM_DIR),
            1);
  ASSERT_FALSE(IsToneFactor(g_mobileModel.records.fiveToneCodes.factor));
  const std::pair<int, std::uint32_t> typed[] = {{1, 3000}, {3, 300}, {15, 2222}};
  for (const auto& [row, tone] : typed)
    ASSERT_TRUE(
        ToneGridCommit(g_mobileModel.records.fiveToneCodes, row, tone_grid::kUserCol, std::to_string(tone)));
  ASSERT_TRUE(g_dataFile.SaveDataFile("typed.K58"));
  ASSERT_EQ(g_dataFile.LoadDataFile("typed.K58", RP58_PROGRAM_DIR), 1);
  for (int row = 1; row <= kFiveToneTones; ++row) {
    std::uint32_t expected = 0;
    for (const auto& [typedRow, tone] : typed)
      if (typedRow == row) expected = tone;
    EXPECT_EQ(ToneGridText(g_mobileModel.records.fiveToneCodes, row, tone_grid::kUserCol), Format5(expected))
        << "row " << row;
  }
  ASSERT_TRUE(g_dataFile.SaveDataFile("again.K58"));
  EXPECT_EQ(ReadWholeFile("again.K58"), ReadWholeFile("typed.K58"));

  // The portable record alike, on an image never written.
  auto image = BlankImage();
  CFiveToneToneRecord portable;
  portable.Unpack(image.data());
  portable.tones[0] = 1000;
  portable.Pack(image.data());
  CFiveToneToneRecord reread;
  reread.Unpack(image.data());
  EXPECT_EQ(reread.tones[0], 1000u);
  EXPECT_EQ(reread.tones[1], 0u);
}

// Typed entries: in range stored, out of range dropped with the data unmarked.
TEST(FiveToneGrid, CommitBoundsByRow) {
  struct Case {
    int row;
    const char* typed;
    bool stored;
  };
  const Case cases[] = {
      {1, "299", false}, {1, "300", true},   {16, "3000", true}, {16, "3001", false},
      {17, "0", false},  {17, "1", true},    {17, "255", true},  {17, "256", false},
      {18, "4", false},  {18, "5", true},    {18, "1275", true}, {18, "1276", false},
      {17, "12A", true}, {17, "A", false},   {1, " 500", true},
  };
  for (const Case& c : cases) {
    CFiveToneCodeRecord mobile;
    CFiveToneToneRecord portable;
    g_dataModified = 0;
    EXPECT_EQ(ToneGridCommit(mobile, c.row, 5, c.typed), c.stored) << c.row << " " << c.typed;
    EXPECT_EQ(g_dataModified, c.stored ? 1 : 0) << c.row << " " << c.typed;
    EXPECT_EQ(ToneGridCommit(portable, c.row, 5, c.typed), c.stored) << c.row << " " << c.typed;
  }
  CFiveToneCodeRecord mobile;
  ASSERT_TRUE(ToneGridCommit(mobile, 17, 5, "12A"));
  EXPECT_EQ(ToneGridText(mobile, 17, 5), " 12");
  ASSERT_TRUE(ToneGridCommit(mobile, 2, 5, "1234"));
  EXPECT_EQ(mobile.tones[1], 1234u);
  EXPECT_EQ(ToneGridText(mobile, 2, 5), " 1234");
  // The published columns' timing is the mobile's own; the portable's is fixed.
  ASSERT_TRUE(ToneGridCommit(mobile, 17, 1, "50"));
  EXPECT_EQ(ToneGridText(mobile, 17, 1), " 50");
  EXPECT_FALSE(ToneGridCommit(mobile, 3, 1, "1000"));  // a published tone
  CFiveToneToneRecord portable;
  EXPECT_FALSE(ToneGridCommit(portable, 17, 1, "50"));
  EXPECT_EQ(ToneGridText(portable, 17, 1), "70");
  EXPECT_EQ(ToneGridText(portable, 18, 4), "50");
  ASSERT_TRUE(ToneGridCommit(portable, 18, 5, "1275"));
  EXPECT_EQ(ToneGridText(portable, 18, 5), "1275");
}

TEST(FiveToneGrid, PublishedColumnsAsTheSystemsDefineThem) {
  const CFiveToneToneRecord portable;
  EXPECT_EQ(ToneGridText(portable, 1, 1), " 2400");   // ZVEI 0
  EXPECT_EQ(ToneGridText(portable, 16, 1), "  680");  // ZVEI F
  EXPECT_EQ(ToneGridText(portable, 13, 3), " 2400");  // EEA C
  EXPECT_EQ(ToneGridText(portable, 16, 3), " 2247");  // EEA F
  EXPECT_EQ(ToneGridText(portable, 15, 4), "  459");  // EIA E
  EXPECT_EQ(ToneGridText(portable, 1, 5), " 1633");   // the user column's default
  EXPECT_EQ(ToneGridText(portable, 0, 1), "");
}

}  // namespace
