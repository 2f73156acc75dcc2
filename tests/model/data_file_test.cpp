#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <type_traits>
#include <vector>

#include "ProgramState.h"
#include "SameRecords.h"
#include "ScriptedMessages.h"
#include "model/ConfigFile.h"
#include "model/DataFile.h"
#include "model/FamilyModel.h"
#include "model/ModelChange.h"
#include "model/RadioImage.h"
#include "model/ScreenData.h"

namespace {

using Bytes = std::vector<unsigned char>;

// A recognisable image of a family: every byte a function of its offset.
Bytes PatternImage(std::uint8_t familyCode, std::uint8_t productCode, int seed = 0) {
  Bytes b(kImageSize);
  for (std::size_t i = 0; i < b.size(); ++i) b[i] = static_cast<unsigned char>((i * 7 + i / 251 + seed) & 0xFF);
  b[area::kFamilyCode] = familyCode;
  b[area::kProductCode] = productCode;
  return b;
}

class DataFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(AllocateRadioImage());
    g_adjustCopy.fill(0xEE);
    // A fresh radio with no wide channels, so no test meets the narrow-band
    // question unless it asks for it.
    ResetToDefaultModel(kFamilyMobileUhf);
    NarrowWideChannelsFrom(0);
  }

  static Bytes Image() { return Bytes(g_pRadioImage, g_pRadioImage + kImageSize); }
  static void SetImage(const Bytes& b) { std::memcpy(g_pRadioImage, b.data(), kImageSize); }

  FreshProgramState fresh_;
  TempDir dir_;
  ScriptedMessages msgs_;
};

}  // namespace

TEST_F(DataFileTest, RawImagesRoundTripByteForByte) {
  struct Row {
    const char* name;
    std::uint8_t code, product;
  };
  const Row rows[] = {{"mobile UHF", 0x61, 0x0B}, {"mobile VHF", 0x01, 0x27}, {"portable UHF", 0xB9, 0x00},
                      {"portable VHF", 0x3C, 0x10}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const bool portable = r.code == 0xB9 || r.code == 0x3C;
    const bool tail = r.product == 0x0B || r.product == 0x27;
    Bytes img = PatternImage(r.code, r.product);
    SetImage(img);
    for (std::size_t i = 0; i < kAdjustCopySize; ++i) g_adjustCopy[i] = static_cast<std::uint8_t>(i * 3);
    const std::array<std::uint8_t, kAdjustCopySize> adjust = g_adjustCopy;
    g_saveWithoutPack = 1;  // the image as it stands, as File Convert saves it
    ASSERT_TRUE(g_dataFile.SaveDataFile("radio.dat"));
    Bytes file = ReadWholeFile("radio.dat");
    ASSERT_EQ(file.size(), kImageSize);
    // The adjustment copy closes every file; everything else is the image.
    EXPECT_TRUE(std::equal(adjust.begin(), adjust.end(), file.begin() + area::kMobileAdjust));
    EXPECT_TRUE(std::equal(img.begin(), img.begin() + area::kMobileAdjust, file.begin()));

    // Reload over a different image: what the file carries comes back.
    SetImage(Bytes(kImageSize, 0x55));
    g_adjustCopy.fill(0);
    ASSERT_EQ(g_dataFile.LoadDataFile("radio.dat", dir_.path()), 1);
    Bytes back = Image();
    EXPECT_EQ(g_isPortable, portable ? 1 : 0);
    const std::size_t readEnd = portable ? 0x5880 : 0x6000;
    EXPECT_TRUE(std::equal(file.begin(), file.begin() + readEnd, back.begin()));
    for (std::size_t i = readEnd; i < kImageSize; ++i)
      ASSERT_EQ(back[i], tail ? file[i] : kUnwrittenByte) << i;  // unwritten unless the tail was read
    // A portable file's first adjustment block is read from 0x5380 too.
    EXPECT_EQ(g_adjustCopy[3], portable ? img[0x5383] : tail ? adjust[3] : kUnwrittenByte);
  }
  for (auto& t : msgs_.texts())
    if (t.rfind("FCC Rule Caution!", 0) != 0) ADD_FAILURE() << t;
}

TEST_F(DataFileTest, DefaultRadiosSurviveSaveLoadSave) {
  for (std::uint8_t model : {kFamilyMobileUhf, kFamilyMobileVhf, kFamilyPortableUhf, kFamilyPortableVhf}) {
    SCOPED_TRACE(int(model));
    ResetToDefaultModel(model);
    ClearRadioImage(g_pRadioImage);
    g_adjustCopy.fill(0xFF);
    BuildDefaultImage(g_pRadioImage);
    EXPECT_EQ(g_pRadioImage[area::kFamilyCode], model);
    EXPECT_EQ(g_pRadioImage[0x1C20], 0xFF);  // bytes nothing owns stay unwritten
    ASSERT_TRUE(g_dataFile.SaveDataFile("first.dat"));
    // Scramble the records, then load, pack and save again.
    ResetToDefaultModel(model == kFamilyMobileUhf ? kFamilyPortableVhf : kFamilyMobileUhf);
    ASSERT_EQ(g_dataFile.LoadDataFile("first.dat", dir_.path()), 1);
    EXPECT_EQ(g_isPortable, FamilyOfCode(model) == kPortable ? 1 : 0);
    ASSERT_TRUE(g_dataFile.SaveDataFile("second.dat"));
    const Bytes first = ReadWholeFile("first.dat"), second = ReadWholeFile("second.dat");
    ASSERT_EQ(first.size(), second.size());
    for (std::size_t i = 0; i < first.size(); ++i) EXPECT_EQ(first[i], second[i]) << std::hex << i;
  }
  // A fresh radio's first channel is wide inside the narrow-band range: the
  // first save of each asks (and Yes narrows it), the second has nothing to ask.
  for (auto& t : msgs_.texts()) EXPECT_EQ(t.rfind("FCC Rule Caution!\n", 0), 0u) << t;
}

namespace {
int g_testYear = 2012;
int TestYear() { return g_testYear; }
}  // namespace

TEST_F(DataFileTest, NarrowbandCautionAroundTheRuleDate) {
  struct Row {
    std::uint8_t model;
    FrequencyCount rx, tx;
    int year;
    int answer;
    bool asked, saved, narrowed;
  };
  const Row rows[] = {
      {kFamilyMobileVhf, 17400000, 17400000, 2012, kIdNo, true, true, false},
      {kFamilyMobileVhf, 17400000, 17400000, 2012, kIdYes, true, true, true},
      {kFamilyMobileVhf, 14000000, 17400000, 2013, kIdNo, true, false, false},  // transmit in range
      {kFamilyPortableUhf, 51200000, 51200000, 2013, kIdYes, true, true, true},
      {kFamilyMobileUhf, 44999999, 44999999, 2013, kIdNo, false, true, false},
      {kFamilyPortableVhf, 14999999, 17400001, 2013, kIdNo, false, true, false},
  };
  SetYearSource(&TestYear);
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << int(r.model) << " " << r.rx << " " << r.year);
    msgs_.clear();
    std::filesystem::remove("c.dat");
    ResetToDefaultModel(r.model);
    BuildDefaultImage(g_pRadioImage);
    NarrowWideChannelsFrom(0);
    auto setWide = [&](auto& data) {
      data.SetChannelRxFrequency(3, r.rx);
      data.SetChannelTxFrequency(3, r.tx);
      data.m_channels[3].m_programmed |= 1;
      if constexpr (std::is_same_v<std::decay_t<decltype(data)>, CMobileRadioData>)
        data.m_channels[3].m_mode = (data.m_channels[3].m_mode & 0x3F) | 0x40;
      else
        data.m_channels[3].m_flags &= 0xFE;  // bit 0: narrow
      return data.m_channels[3].IsWide();
    };
    const bool mobile = FamilyOfCode(r.model) == kMobile;
    ASSERT_TRUE(mobile ? setWide(g_mobileData) : setWide(g_portableData));
    g_testYear = r.year;
    msgs_.Answer(r.answer);
    EXPECT_EQ(g_dataFile.SaveDataFile("c.dat"), r.saved);
    ASSERT_EQ(!msgs_.texts().empty(), r.asked);
    if (r.asked) {
      const std::string t = msgs_.texts()[0];
      EXPECT_NE(t.find(r.year >= 2013 ? "was changed to Narrow bandwidth automatically.\nDo you start downloading them?"
                                      : "No:It will start downloading(w/o changing the bandwidth)"),
                std::string::npos);
    }
    EXPECT_EQ(FileExists("c.dat"), r.saved);
    const bool wide = mobile ? g_mobileData.m_channels[3].IsWide() : g_portableData.m_channels[3].IsWide();
    EXPECT_EQ(wide, !r.narrowed);
  }
}

TEST_F(DataFileTest, AnEditComesBackAfterSaveAndLoad) {
  BuildDefaultImage(g_pRadioImage);
  g_mobileData.m_groups[7].SetTag("DISPATCH");
  SetText(g_mobileData.m_zoneNames[3], "HARBOUR");
  ASSERT_TRUE(g_dataFile.SaveDataFile("edit.K58"));
  ResetToDefaultModel(kFamilyPortableUhf);
  ASSERT_EQ(g_dataFile.LoadDataFile("edit.K58", dir_.path()), 1);
  EXPECT_STREQ(g_mobileData.m_groups[7].tag.data(), "DISPATCH");
  EXPECT_STREQ(g_mobileData.m_zoneNames[3].data(), "HARBOUR");
}

TEST_F(DataFileTest, AnEditedSerialNumberIsSaved) {
  for (std::uint8_t model : {kFamilyMobileUhf, kFamilyPortableVhf}) {
    SCOPED_TRACE(int(model));
    ResetToDefaultModel(model);
    NarrowWideChannelsFrom(0);
    BuildDefaultImage(g_pRadioImage);
    const Family family = FamilyOfCode(model);
    ModelOf(family).radioInfo.serialText = "0C071234";
    ASSERT_TRUE(g_dataFile.SaveDataFile("serial.dat"));
    ModelOf(family).radioInfo.serialText = "0B000000";
    ASSERT_EQ(g_dataFile.LoadDataFile("serial.dat", dir_.path()), 1);
    EXPECT_EQ(ModelOf(family).radioInfo.serialText, "0C071234");
    EXPECT_EQ(CurrentSerialText(), "0C071234");
  }
}

TEST_F(DataFileTest, ARefusedPackWritesNothing) {
  BuildDefaultImage(g_pRadioImage);
  const Bytes old(kImageSize, 0x11);
  WriteWholeFile("radio.K58", old);
  g_mobileData.InitSystem(0, 1);  // an LTR zone
  g_mobileData.m_zoneBytes[zone_byte::kHome][0] = 25;  // no such home repeater
  g_mobileData.m_groups[5].SetTag("CHANGED");
  const Bytes imageBefore = Image();
  g_dataModified = 1;
  EXPECT_FALSE(g_dataFile.SaveDataFile("radio.K58"));
  EXPECT_FALSE(g_dataFile.SaveDataFile("new.K58"));
  ASSERT_EQ(msgs_.texts().size(), 2u);
  EXPECT_EQ(msgs_.texts()[0], "Home Channel of SYS # 1 has not been programmed");
  EXPECT_EQ(Image(), imageBefore);  // not one byte of the groups, channels or 5-Tone areas
  EXPECT_EQ(ReadWholeFile("radio.K58"), old);
  EXPECT_FALSE(FileExists("new.K58"));
  EXPECT_EQ(g_dataModified, 1);
}

TEST_F(DataFileTest, SaveWithoutPackTakesThePortableAdjustBlockFromTheImage) {
  Bytes img = PatternImage(0xB9, 0x00);
  SetImage(img);
  g_saveWithoutPack = 1;
  ASSERT_TRUE(g_dataFile.SaveDataFile("conv.P58"));
  Bytes file = ReadWholeFile("conv.P58");
  EXPECT_TRUE(std::equal(img.begin() + 0x5380, img.begin() + 0x5400, file.begin() + 0x5380));
}

// A file that holds at least the first chunk loads with every byte it holds;
// what it lacks stays unwritten (a portable file's 5-Tone areas come from the
// default file), and the user is told once what was missing. A portable file
// that ends where the 5-Tone areas begin is an older file, not a short one.
TEST_F(DataFileTest, TruncatedFiles) {
  // A default portable file to complete short portable files from.
  std::filesystem::create_directory("Data");
  Bytes defaults = PatternImage(0xB9, 0x00, 99);
  WriteWholeFile("Data/DEFAULTU.P58", defaults);

  struct Row {
    const char* name;
    Bytes content;
    int result;
    std::vector<std::string> messages;
  };
  const Bytes mobile = PatternImage(0x61, 0x0B);
  const Bytes portable = PatternImage(0xB9, 0x00);
  const Bytes plainMobile = PatternImage(0x61, 0x0C);  // product code without the tail
  const std::string head = "The file is shorter than a data file\n    cut.dat\n\nMissing from byte ";
  const std::string unwritten = ".\nWhat is missing is left unwritten.";
  const Row rows[] = {
      {"first chunk short", Bytes(mobile.begin(), mobile.begin() + 1151), 0, {"Problem reading from file"}},
      {"unknown family", PatternImage(0x62, 0x0B), 0, {"Hardware configuration mismatched!"}},
      {"mobile ends at 0x5C80", Bytes(mobile.begin(), mobile.begin() + 0x5C80), 1,
       {head + "0x5C80 on: the 5-Tone data, the memory blocks kept for the radio and the adjustment data" + unwritten}},
      {"mobile cut inside the channels", Bytes(mobile.begin(), mobile.begin() + 0x3000), 1,
       {head + "0x3000 on: the RF channels (in part), the 5-Tone data, the memory blocks kept for the radio and the "
               "adjustment data" + unwritten}},
      {"mobile cut inside 0x5C80", Bytes(mobile.begin(), mobile.begin() + 0x5D00), 1,
       {head + "0x5D00 on: the 5-Tone data (in part), the memory blocks kept for the radio and the adjustment data" +
        unwritten}},
      {"mobile without its tail", Bytes(plainMobile.begin(), plainMobile.begin() + 0x6000), 1, {}},
      {"mobile with a short tail", Bytes(mobile.begin(), mobile.begin() + 0x6100), 1,
       {head + "0x6100 on: the memory blocks kept for the radio (in part) and the adjustment data" + unwritten}},
      {"mobile one byte short", Bytes(mobile.begin(), mobile.end() - 1), 1,
       {head + "0x807F on: the adjustment data (in part)" + unwritten}},
      {"portable of 21,504 bytes", Bytes(portable.begin(), portable.begin() + 21504), 1, {}},
      {"portable cut in its 5-Tone area", Bytes(portable.begin(), portable.begin() + 21600), 1,
       {head + "0x5460 on: the 5-Tone data (in part).\nThe missing 5-Tone data is taken from Data/DEFAULTU.P58."}},
      {"portable cut in its channels", Bytes(portable.begin(), portable.begin() + 0x3000), 1,
       {head + "0x3000 on: the RF channels (in part), the adjustment data and the 5-Tone data.\nThe missing 5-Tone "
               "data is taken from Data/DEFAULTU.P58.\nThe rest of what is missing is left unwritten."}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    msgs_.clear();
    const Bytes before(kImageSize, 0x33);
    SetImage(before);
    g_adjustCopy.fill(0x44);
    g_isPortable = 1;
    g_dataModified = 1;
    WriteWholeFile("cut.dat", r.content);
    EXPECT_EQ(g_dataFile.LoadDataFile("cut.dat", dir_.path()), r.result);
    EXPECT_EQ(msgs_.texts(), r.messages);
    const Bytes after = Image();
    if (r.result == 0) {
      // A refused file changes nothing.
      EXPECT_EQ(after, before);
      EXPECT_EQ(g_adjustCopy[0], 0x44);
      EXPECT_EQ(g_isPortable, 1);
      EXPECT_EQ(g_dataModified, 1);
      continue;
    }
    EXPECT_EQ(g_dataModified, 0);
    // Every byte the file holds is kept; past it the image is unwritten, but
    // for a portable file's 5-Tone areas, which the default file completes.
    const bool isPortable = r.content[area::kFamilyCode] == 0xB9;
    const std::size_t end = isPortable ? 0x5880 : r.content[area::kProductCode] == 0x0B ? kImageSize : 0x6000;
    const std::size_t held = std::min(r.content.size(), end);
    EXPECT_TRUE(std::equal(r.content.begin(), r.content.begin() + held, after.begin()));
    for (std::size_t i = held; i < kImageSize; ++i) {
      const bool completed = isPortable && i >= 0x5400 && i < 0x5880;
      ASSERT_EQ(after[i], completed ? defaults[i] : kUnwrittenByte) << std::hex << i;
    }
    // The adjustment copy holds the file's adjustment bytes, as far as it has them.
    const std::size_t adjust = isPortable ? 0x5380 : 0x7F00;
    for (std::size_t i = 0; i < kAdjustCopySize; ++i) {
      const bool inFile = adjust + i < held && (i < kBlockSize || !isPortable);
      ASSERT_EQ(g_adjustCopy[i], inFile ? r.content[adjust + i] : kUnwrittenByte) << i;
    }
  }
}

// DEFAULTU.K58 without its last byte: its last block keeps the 127 bytes it
// has, the serial number all but its last two digits, which that byte held,
// and a save writes what a save of the whole file writes but for that byte.
TEST_F(DataFileTest, AFileOneByteShortKeepsItsLastBlock) {
  Bytes file = ReadWholeFile(std::string(RP58_PROGRAM_DIR) + "/Data/DEFAULTU.K58");
  ASSERT_EQ(file.size(), kImageSize);
  ASSERT_EQ(g_dataFile.LoadDataFile(std::string(RP58_PROGRAM_DIR) + "/Data/DEFAULTU.K58", RP58_PROGRAM_DIR), 1);
  const std::string serial = CurrentSerialText();
  ASSERT_TRUE(g_dataFile.SaveDataFile("whole.K58"));
  const Bytes whole = ReadWholeFile("whole.K58");
  file.pop_back();
  WriteWholeFile("short.K58", file);
  msgs_.clear();
  ASSERT_EQ(g_dataFile.LoadDataFile("short.K58", dir_.path()), 1);
  EXPECT_EQ(msgs_.texts().size(), 1u);
  EXPECT_EQ(CurrentSerialText(), serial.substr(0, serial.size() - 2) + "FF");
  ASSERT_TRUE(g_dataFile.SaveDataFile("saved.K58"));
  const Bytes saved = ReadWholeFile("saved.K58");
  ASSERT_EQ(saved.size(), kImageSize);
  const auto diff = std::mismatch(whole.begin(), whole.end() - 1, saved.begin());
  EXPECT_TRUE(diff.first == whole.end() - 1) << "first difference at 0x" << std::hex << (diff.first - whole.begin());
  EXPECT_EQ(saved.back(), kUnwrittenByte);
}

// The tail after 0x6000 belongs to the mobile layout. A portable file stops
// at 0x5880 whatever its product code says; reading on would pour the
// portable file's 5-Tone bytes into 0x6000 and over its adjustment block.
TEST_F(DataFileTest, APortableFileNeverReadsTheMobileTail) {
  const Bytes file = PatternImage(0xB9, 0x0B);
  WriteWholeFile("odd.P58", file);
  SetImage(Bytes(kImageSize, 0x55));
  g_adjustCopy.fill(0);
  ASSERT_EQ(g_dataFile.LoadDataFile("odd.P58", dir_.path()), 1);
  for (std::size_t i = 0x5880; i < kImageSize; ++i) ASSERT_EQ(g_pRadioImage[i], kUnwrittenByte) << std::hex << i;
  EXPECT_TRUE(std::equal(file.begin() + 0x5380, file.begin() + 0x5400, g_adjustCopy.begin()));
  EXPECT_EQ(g_adjustCopy[kBlockSize], kUnwrittenByte);
}

// What a file does not define never comes from the file open before it: a
// portable file saves as it was loaded, and a mobile file without its tail
// saves the same, whichever file was open first or none (a fresh process,
// its adjustment copy all zeros).
TEST_F(DataFileTest, WhatAFileDoesNotDefineNeverComesFromTheFileBefore) {
  // A portable file as a save leaves it: unwritten past its 5-Tone areas but
  // for the adjustment copy, whose first block is the one at 0x5380.
  Bytes portable = PatternImage(0xB9, 0x00);
  std::fill(portable.begin() + 0x5880, portable.end(), kUnwrittenByte);
  std::copy(portable.begin() + 0x5380, portable.begin() + 0x5400, portable.begin() + area::kMobileAdjust);
  // A mobile product code that has no tail: the file's bytes past 0x6000 are not its radio's.
  const Bytes plainMobile = PatternImage(0x61, 0x0C, 5);
  Bytes plainSaved(kImageSize, kUnwrittenByte);
  std::copy(plainMobile.begin(), plainMobile.begin() + 0x6000, plainSaved.begin());
  WriteWholeFile("portable.P58", portable);
  WriteWholeFile("plain.K58", plainMobile);
  WriteWholeFile("mobile.K58", PatternImage(0x61, 0x0B, 7));
  WriteWholeFile("other.P58", PatternImage(0x3C, 0x00, 9));
  const struct {
    const char* file;
    const Bytes& saved;
  } rows[] = {{"portable.P58", portable}, {"plain.K58", plainSaved}};
  for (const auto& r : rows) {
    for (const char* before : {"", "mobile.K58", "other.P58", "portable.P58"}) {
      SCOPED_TRACE(std::string(r.file) + " after " + (*before ? before : "a fresh start"));
      ASSERT_TRUE(AllocateRadioImage());
      g_adjustCopy.fill(0);
      if (*before) {
        ASSERT_EQ(g_dataFile.LoadDataFile(before, dir_.path()), 1);
      }
      ASSERT_EQ(g_dataFile.LoadDataFile(r.file, dir_.path()), 1);
      g_saveWithoutPack = 1;  // the image as loaded, nothing packed over it
      ASSERT_TRUE(g_dataFile.SaveDataFile("out.dat"));
      const Bytes out = ReadWholeFile("out.dat");
      ASSERT_EQ(out.size(), r.saved.size());
      const auto diff = std::mismatch(out.begin(), out.end(), r.saved.begin());
      EXPECT_TRUE(diff.first == out.end()) << "first difference at 0x" << std::hex << (diff.first - out.begin());
    }
  }
  for (auto& t : msgs_.texts())
    if (t.rfind("FCC Rule Caution!", 0) != 0) ADD_FAILURE() << t;
}

TEST_F(DataFileTest, ShortPortableFileWithoutItsDefaultFileIsRefused) {
  const Bytes portable = PatternImage(0x3C, 0x00);
  WriteWholeFile("old.P58", Bytes(portable.begin(), portable.begin() + 21504));
  const Bytes before = Image();
  EXPECT_EQ(g_dataFile.LoadDataFile("old.P58", dir_.path()), 0);
  EXPECT_EQ(msgs_.texts(), std::vector<std::string>{"Problem reading from file"});
  EXPECT_EQ(Image(), before);
}

TEST_F(DataFileTest, MissingFileSaysSo) {
  EXPECT_EQ(g_dataFile.LoadDataFile("nothing.K58", dir_.path()), 0);
  EXPECT_EQ(msgs_.texts(), std::vector<std::string>{"Problem opening file\n    nothing.K58\n\n   Press any key"});
}

TEST_F(DataFileTest, AFailedWriteKeepsTheOldFileAndTheDirtyFlag) {
  const Bytes old(kImageSize, 0x11);
  WriteWholeFile("radio.K58", old);
  SetImage(PatternImage(0x61, 0x0B));
  g_dataModified = 1;
  {
    // A disk that fills up part-way through the write.
    struct rlimit saved {};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_FALSE(g_dataFile.SaveDataFile("radio.K58"));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
  }
  EXPECT_EQ(msgs_.texts(),
            std::vector<std::string>{"Problem Saving file\n    radio.K58\n\n   Press any key\nFile too large"});
  EXPECT_EQ(g_dataModified, 1);
  EXPECT_EQ(ReadWholeFile("radio.K58"), old);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 1);  // no temporary left behind
}

// A file without any write bit is read-only to everyone, root included (the
// tests may run as root, who passes every access check).
TEST_F(DataFileTest, AWriteProtectedFileIsNotSavedOver) {
  struct Row {
    mode_t mode;
    bool saved;
  };
  const Row rows[] = {{0444, false}, {0400, false}, {0, false}, {0644, true}, {0200, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.mode);
    msgs_.clear();
    const Bytes old(kImageSize, 0x11);
    WriteWholeFile("radio.K58", old);
    ASSERT_EQ(::chmod("radio.K58", row.mode), 0);
    SetImage(PatternImage(0x61, 0x0B));
    g_dataModified = 1;
    EXPECT_EQ(g_dataFile.SaveDataFile("radio.K58"), row.saved);
    struct stat st {};
    ASSERT_EQ(::stat("radio.K58", &st), 0);
    EXPECT_EQ(st.st_mode & 07777, row.mode);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 1);  // no temporary left behind
    ::chmod("radio.K58", 0644);
    if (row.saved) {
      EXPECT_TRUE(msgs_.texts().empty());
      EXPECT_EQ(g_dataModified, 0);
      EXPECT_EQ(ReadWholeFile("radio.K58")[0x20], 0x61);
    } else {
      EXPECT_EQ(msgs_.texts(),
                std::vector<std::string>{"Problem Saving file\n    radio.K58\n\n   Press any key\nPermission denied"});
      EXPECT_EQ(g_dataModified, 1);
      EXPECT_EQ(ReadWholeFile("radio.K58"), old);
    }
  }
}

TEST_F(DataFileTest, SavingOverALongerFileKeepsItsExtraBytes) {
  Bytes old(kImageSize + 10, 0x11);
  WriteWholeFile("long.K58", old);
  SetImage(PatternImage(0x61, 0x0B));
  ASSERT_TRUE(g_dataFile.SaveDataFile("long.K58"));
  Bytes file = ReadWholeFile("long.K58");
  ASSERT_EQ(file.size(), kImageSize + 10);
  EXPECT_EQ(file[kImageSize + 9], 0x11);
  EXPECT_EQ(file[0x20], 0x61);
}

TEST(DataFileText, FileLine) {
  EXPECT_EQ(FileLineText("/home/shop/radios/car12.K58"), "File:car12.K58");
  EXPECT_EQ(FileLineText("car12.K58"), "File:car12.K58");
}

namespace {

std::string DefaultFile(const char* name) { return std::string(RP58_PROGRAM_DIR) + "/Data/" + name; }
std::string TestDataFile(const char* name) { return std::string(RP58_SOURCE_DIR) + "/tests/data/" + name; }

// Every field the pages edit, changed, so that whatever a load leaves alone
// shows.
void ScrambleChannel(CMobileChannelRecord& c) {
  c.Enable();
  c.m_mode ^= 0x3F;
  c.m_bandTune.fill(0x5A);
}
void ScrambleChannel(CPortableChannelRecord& c) {
  c.Enable();
  c.MakeNarrow();
  c.m_mode ^= 0xF0;
  c.m_band.fill(0x5A);
}

template <class Records>
void ScrambleRecords(Records& r) {
  for (auto& c : r.data.m_channels) {
    ScrambleChannel(c);
    c.m_name = "EDITED";
    c.m_rxFrequency += 1250;
  }
  for (auto& g : r.data.m_groups) {
    g.settings.fill(0x11);
    g.channelWord = 7;
    g.SetTag("EDITED");
    g.flags = 0xFF;
  }
  for (auto& row : r.data.m_zoneBytes) row.fill(0x22);
  for (auto& name : r.data.m_zoneNames) SetText(name, "EDITED");
  for (auto& list : r.data.m_repeaters) list.fill(0x0033);
  r.data.m_zoneFlags.fill(0x11);
  r.data.m_selectedGroup.fill(3);
  r.global.passwordText = "1234";
  r.global.powerOnOptions = 0x18;
  r.global.homeZone = 3;
  r.global.ledOnTime = 99;
  r.keys.keyFunc.fill(kKeyEmergency);
  r.dtmf.pagingCodes.fill(0x2123);
  r.dtmf.StoreDialTag(0, "EDITED");
  r.fiveToneCommon.leadInDelay = 77;
  r.fiveToneEncode.SetCellText(2, 2, "EDITED");
  r.fiveToneDecode.ToggleCell(1, 3);
  r.openingMsg.m_defaultSplit = 9.5;
  r.small.revertGroup = 2;
}

void ScrambleTones(MobileRecords& r) { r.fiveToneCodes.tones.fill(1234); }
void ScrambleTones(PortableRecords& r) { r.fiveToneTones.tones.fill(1234); }

// Loads `before`, changes every record, loads `after`; the records must be
// those of `after` loaded at a fresh start, but for the group pages' Default
// column and the Default Split, which no file carries and which stay as the
// user left them.
template <class Model>
void ExpectLoadLeavesNothingOf(Model& model, const std::string& before, const std::string& after) {
  ResetProgramState();
  ASSERT_TRUE(AllocateRadioImage());
  ASSERT_EQ(g_dataFile.LoadDataFile(after, RP58_PROGRAM_DIR), 1);
  const auto fresh = CopyOfRecords(model.records);
  ResetProgramState();
  ASSERT_TRUE(AllocateRadioImage());
  ASSERT_EQ(g_dataFile.LoadDataFile(before, RP58_PROGRAM_DIR), 1);
  ScrambleRecords(model.records);
  ScrambleTones(model.records);
  model.records.data.m_defaultGroup.bytes[0] = 0x42;
  ASSERT_EQ(g_dataFile.LoadDataFile(after, RP58_PROGRAM_DIR), 1);
  EXPECT_EQ(model.records.data.m_defaultGroup.bytes[0], 0x42);
  EXPECT_EQ(model.records.openingMsg.m_defaultSplit, 9.5);
  fresh->data.m_defaultGroup = model.records.data.m_defaultGroup;
  fresh->openingMsg.m_defaultSplit = model.records.openingMsg.m_defaultSplit;
  EXPECT_TRUE(SameRecords(model.records, *fresh));
}

}  // namespace

TEST(DataFileLoad, NothingOfTheFileBeforeSurvivesALoad) {
  ScriptedMessages messages;
  const std::vector<std::string> mobile = {DefaultFile("DEFAULTU.K58"), DefaultFile("DEFAULTV.K58"),
                                           TestDataFile("mobile-uhf-pairs-beyond-zones.K58"),
                                           TestDataFile("mobile-uhf-radio-wide.K58"),
                                           TestDataFile("mobile-vhf-edges.K58")};
  const std::vector<std::string> portable = {DefaultFile("DEFAULTU.P58"), DefaultFile("DEFAULTV.P58"),
                                             TestDataFile("portable-uhf-edges.P58"),
                                             TestDataFile("portable-vhf-radio-wide.P58")};
  for (const auto& before : mobile)
    for (const auto& after : mobile) {
      SCOPED_TRACE(before + " then " + after);
      ExpectLoadLeavesNothingOf(g_mobileModel, before, after);
    }
  for (const auto& before : portable)
    for (const auto& after : portable) {
      SCOPED_TRACE(before + " then " + after);
      ExpectLoadLeavesNothingOf(g_portableModel, before, after);
    }
  EXPECT_TRUE(messages.texts().empty());
  ResetProgramState();
}

// The shipped default files come back from a load and a save byte for byte,
// whether the configuration was read from a folder without files or was
// never read at all: a layout that was never read is the layout of no files,
// and caps the last channel block at the channel area's end, not at 0. Only
// the 0x1DC00 layout, whose channel area ends at block 55, caps it lower.
TEST(DataFileLoad, ShippedDefaultFilesComeBackByteForByte) {
  struct Layout {
    const char* name;
    bool read;
    Bytes factoryFile;  // MB925.CFG and MB407.CFG; empty: none
    int lastChannelBlock;  // what the save writes at image 252; -1: the file's own
  };
  const Layout layouts[] = {
      {"configuration never read", false, {}, -1},
      {"no configuration files", true, {}, -1},
      {"flash from 0x1B400", true, {0, 0, 0, 0, 127, 0, 0x00, 0xB4, 0x01, 0x00}, -1},
      {"flash from 0x1DC00", true, {0, 0, 0, 0, 127, 0, 0x00, 0xDC, 0x01, 0x00}, 55},
  };
  for (const Layout& layout : layouts)
    for (const char* name : {"DEFAULTU.K58", "DEFAULTV.K58", "DEFAULTU.P58", "DEFAULTV.P58"}) {
      SCOPED_TRACE(std::string(layout.name) + ", " + name);
      FreshProgramState fresh;
      TempDir dir;
      ScriptedMessages messages;
      if (!layout.factoryFile.empty()) {
        WriteWholeFile("MB925.CFG", layout.factoryFile);
        WriteWholeFile("MB407.CFG", layout.factoryFile);
      }
      if (layout.read) {
        g_config.ReadConfig();
        g_portableConfig.ReadConfig();
      }
      ASSERT_TRUE(AllocateRadioImage());
      ASSERT_EQ(g_dataFile.LoadDataFile(DefaultFile(name), RP58_PROGRAM_DIR), 1);
      ASSERT_TRUE(g_dataFile.SaveDataFile("saved.dat"));
      Bytes expected = ReadWholeFile(DefaultFile(name));
      ASSERT_GT(expected.size(), 252U);
      if (layout.lastChannelBlock >= 0) expected[252] = static_cast<unsigned char>(layout.lastChannelBlock);
      const Bytes saved = ReadWholeFile("saved.dat");
      ASSERT_EQ(saved.size(), expected.size());
      for (std::size_t i = 0; i < saved.size(); ++i)
        EXPECT_EQ(saved[i], expected[i]) << "byte 0x" << std::hex << i;
      EXPECT_TRUE(messages.texts().empty());
    }
}

// Channels taken into use and narrowed in one portable file are not narrow
// in the next one's empty slots: "Enable" there gives the spacing the file
// has, as at a fresh start.
TEST(DataFileLoad, AnEmptySlotTakesNothingFromTheFileBefore) {
  FreshProgramState fresh;
  TempDir dir;
  ScriptedMessages messages;
  ASSERT_TRUE(AllocateRadioImage());
  ASSERT_EQ(g_dataFile.LoadDataFile(DefaultFile("DEFAULTV.P58"), RP58_PROGRAM_DIR), 1);
  ASSERT_FALSE(g_portableData.m_channels[1].IsProgrammed());
  const bool wideAtAFreshStart = g_portableData.m_channels[1].IsWide();
  ASSERT_EQ(g_dataFile.LoadDataFile(DefaultFile("DEFAULTU.P58"), RP58_PROGRAM_DIR), 1);
  for (int i = 1; i <= 8; ++i) g_portableData.m_channels[i].Enable();
  ASSERT_TRUE(g_dataFile.SaveDataFile("u.P58"));  // the narrow-band question narrows them
  ASSERT_FALSE(g_portableData.m_channels[1].IsWide());
  ASSERT_EQ(g_dataFile.LoadDataFile(DefaultFile("DEFAULTV.P58"), RP58_PROGRAM_DIR), 1);
  for (int i = 1; i <= 8; ++i) EXPECT_EQ(g_portableData.m_channels[i].IsWide(), wideAtAFreshStart) << i;
}

