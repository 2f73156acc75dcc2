// Data-file conversion between the families: channels survive a round trip,
// the area converters write what the target family keeps, the names, and a
// failed conversion writes nothing and leaves the working data alone.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <vector>

#include "ProgramState.h"
#include "ScriptedMessages.h"
#include "model/DataFile.h"
#include "model/FamilyModel.h"
#include "model/FileConvert.h"
#include "model/ModelChange.h"
#include "model/RadioData.h"
#include "model/RadioImage.h"
#include "model/ScreenData.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct ChannelSeen {
  bool programmed;
  FrequencyCount rx, tx;
  bool wide;
  std::string name;
  bool operator==(const ChannelSeen&) const = default;
};

std::vector<ChannelSeen> Channels() {
  std::vector<ChannelSeen> seen;
  for (int i = 0; i < kChannelCount; ++i) {
    if (g_isPortable) {
      const auto& c = g_portableData.m_channels[static_cast<std::size_t>(i)];
      seen.push_back({c.IsProgrammed(), c.m_rxFrequency, c.m_txFrequency, c.IsWide(), c.m_name});
    } else {
      const auto& c = g_mobileData.m_channels[static_cast<std::size_t>(i)];
      seen.push_back({c.IsProgrammed(), c.m_rxFrequency, c.m_txFrequency, c.IsWide(), c.m_name});
    }
  }
  return seen;
}

struct Channel {
  int index;
  double rxMHz, txMHz;
  bool wide;
};

class FileConvert : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(AllocateRadioImage()); }

  // A mobile radio of the band with the channels programmed, written as a
  // data file as its packed image stands (no narrow-band question).
  void WriteMobileSource(const std::string& path, bool uhf, const std::vector<Channel>& channels) {
    ResetToDefaultModel(uhf ? kFamilyMobileUhf : kFamilyMobileVhf);
    ClearRadioImage(g_pRadioImage);
    BuildDefaultImage(g_pRadioImage);
    for (const Channel& c : channels) {
      auto& ch = g_mobileData.m_channels[static_cast<std::size_t>(c.index)];
      ch.m_programmed = 1;
      g_mobileData.SetChannelRxFrequency(c.index, MHzToCount(c.rxMHz));
      g_mobileData.SetChannelTxFrequency(c.index, MHzToCount(c.txMHz));
      if (!c.wide) ch.MakeNarrow();
    }
    ASSERT_NE(PackScreensToImage(g_pRadioImage), 0) << (messages.texts().empty() ? "" : messages.texts().back());
    Bytes file(g_pRadioImage, g_pRadioImage + kImageSize);
    std::memcpy(file.data() + area::kMobileAdjust, g_adjustCopy.data(), kAdjustCopySize);
    ASSERT_TRUE(WriteDataFileBytes(path, file));
  }
  std::vector<ChannelSeen> Loaded(const std::string& path) {
    EXPECT_EQ(g_dataFile.LoadDataFile(path, RP58_PROGRAM_DIR), 1) << path;
    return Channels();
  }

  FreshProgramState fresh_;
  TempDir dir_;
  ScriptedMessages messages;
};

TEST_F(FileConvert, MobileToPortableAndBackKeepsEveryChannel) {
  struct Band {
    bool uhf;
    std::vector<Channel> channels;
  };
  const Band bands[] = {
      {true, {{0, 450.000, 455.000, true}, {1, 451.0125, 456.0125, false}, {5, 470.50625, 470.50625, true},
              {127, 489.9875, 494.9875, false}, {639, 460.025, 465.025, true}}},
      {false, {{0, 146.52, 146.52, true}, {2, 150.8125, 155.0, false}, {300, 173.9975, 161.1, true},
               {639, 136.005, 136.005, false}}},
  };
  for (const Band& band : bands) {
    SCOPED_TRACE(band.uhf ? "UHF" : "VHF");
    const std::string source = dir_.File("radio.K58");
    WriteMobileSource(source, band.uhf, band.channels);
    const std::vector<ChannelSeen> before = Loaded(source);
    for (const Channel& c : band.channels) {
      const ChannelSeen& s = before[static_cast<std::size_t>(c.index)];
      ASSERT_TRUE(s.programmed && s.wide == c.wide) << c.index;
    }

    const std::string portable = ConvertDataFile(source, RP58_PROGRAM_DIR);
    ASSERT_EQ(portable, dir_.File("radio.P58"));
    const std::vector<ChannelSeen> asPortable = Loaded(portable);
    EXPECT_EQ(g_isPortable, 1);
    EXPECT_EQ(IsUhfFamilyCode(g_pRadioImage[area::kFamilyCode]), band.uhf);
    for (int i = 0; i < kChannelCount; ++i) {
      const ChannelSeen& was = before[static_cast<std::size_t>(i)];
      const ChannelSeen& now = asPortable[static_cast<std::size_t>(i)];
      EXPECT_EQ(now.programmed, was.programmed) << i;
      if (!was.programmed) continue;
      // Names are no part of a data file: the round trip below checks them.
      EXPECT_EQ(now.rx, was.rx) << "channel " << i;
      EXPECT_EQ(now.tx, was.tx) << "channel " << i;
      EXPECT_EQ(now.wide, was.wide) << "channel " << i;
    }

    const std::string mobile = ConvertDataFile(portable, RP58_PROGRAM_DIR);
    ASSERT_EQ(mobile, source);  // written over the source of the first step
    EXPECT_EQ(Loaded(mobile), before);
    EXPECT_EQ(g_isPortable, 0);
    EXPECT_TRUE(messages.texts().empty()) << messages.texts().front();
  }
}

TEST_F(FileConvert, NamesAndTemplates) {
  EXPECT_EQ(ConvertSourceFamily("Data/A.K58"), kMobile);
  EXPECT_EQ(ConvertSourceFamily("hand.p58"), kPortable);
  EXPECT_EQ(ConvertSourceFamily("notes.txt"), kUnknownFamily);
  EXPECT_EQ(ConvertSourceFamily("58"), kUnknownFamily);
  EXPECT_EQ(ConvertOutputName("Data/A.K58", kMobile), "Data/A.P58");
  EXPECT_EQ(ConvertOutputName("/x/hand.p58", kPortable), "/x/hand.K58");
  struct Case {
    Family family;
    std::uint8_t code;
    std::string templ;
  };
  for (const Case& c : {Case{kMobile, kFamilyMobileUhf, "Data/DEFAULTU.P58"}, Case{kMobile, 0x60, "Data/DEFAULTU.P58"},
                        Case{kMobile, kFamilyMobileVhf, "Data/DEFAULTV.P58"}, Case{kMobile, 0xE1, "Data/DEFAULTV.P58"},
                        Case{kPortable, kFamilyPortableUhf, "Data/DEFAULTU.K58"},
                        Case{kPortable, kFamilyPortableVhf, "Data/DEFAULTV.K58"}})
    EXPECT_EQ(ConvertTemplateName(c.family, c.code), c.templ) << int(c.code);
}

// A recognisable image: every byte a function of its offset.
Bytes Pattern(int seed) {
  Bytes b(kImageSize);
  for (std::size_t i = 0; i < b.size(); ++i) b[i] = static_cast<std::uint8_t>((i * 7 + i / 253 + static_cast<std::size_t>(seed)) & 0xFF);
  return b;
}

TEST_F(FileConvert, TheAreaConvertersWriteWhatTheTargetKeeps) {
  const Bytes templ = Pattern(101);
  for (const Family from : {kMobile, kPortable}) {
    SCOPED_TRACE(from == kMobile ? "mobile source" : "portable source");
    const bool toMobile = from == kPortable;
    Bytes o = Pattern(3);
    o[182] = 0xFF;
    o[42] = 0xFF;
    o[43] = 0xFF;
    std::uint8_t* zone = o.data() + ZoneRecordOffset(4);
    zone[0] = 0xFF;
    zone[12] = 0x04;  // LTR
    std::uint8_t* zone5 = o.data() + ZoneRecordOffset(5);
    zone5[12] = 0x08;  // conventional
    const std::uint8_t zone5Bytes[2] = {zone5[9], zone5[15]};
    std::uint8_t* group = o.data() + GroupOffset(7);
    group[0] = 0x13;  // bit 4, low bits 3
    group[1] = 0x5F;
    group[3] = 0x90;
    Bytes image = o;
    std::array<std::uint8_t, kAdjustCopySize> adjust;
    adjust.fill(0x11);
    ConvertImage(image, adjust, from, templ);

    for (std::size_t i = 0; i <= 33; ++i) EXPECT_EQ(image[i], templ[i]) << i;
    EXPECT_EQ(image[42], toMobile ? 0x18 : 0x0F);
    EXPECT_EQ(image[43], toMobile ? 0x8F : 0x18);
    EXPECT_EQ(image[182], toMobile ? 0x3C : 0xB0);
    if (toMobile) {
      EXPECT_EQ(image[188], o[190]);
      EXPECT_EQ(image[192], 13);
      EXPECT_EQ(image[197], o[199]);
      EXPECT_EQ(image[198], 11);  // old byte 182 bit 7
      EXPECT_EQ(image[199], 10);
      EXPECT_EQ(image[222], 0x50);
    } else {
      EXPECT_EQ(image[189], 1);
      EXPECT_EQ(image[190], o[188]);
      EXPECT_EQ(image[195], 0x40);
      EXPECT_EQ(image[199], o[197]);
      EXPECT_EQ(image[210], 0xFF);
      EXPECT_EQ(image[240], 0xFF);
      EXPECT_EQ(image[222], o[222]);
    }
    EXPECT_EQ(image[80], 0xFF);
    EXPECT_EQ(image[120], 0);
    EXPECT_EQ(image[230], 0x33);
    EXPECT_EQ(image[205], (o[205] & 1) | 0x30);
    for (std::size_t i = 256; i < 384; ++i) ASSERT_EQ(image[i], templ[i]) << i;
    EXPECT_EQ(image[385], (o[385] & 0x13) | 0x40);
    EXPECT_EQ(image[700], o[700]);
    EXPECT_EQ(image[710], toMobile ? templ[710] : o[710]);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&image[area::kPowerOnText]), 8), "SELFTEST");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&image[area::kStatusTexts + 8]), 8), "-TAKARD-");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&image[area::kStatusTexts + 14 * 8]), 8),
              toMobile ? std::string("- P A  -") : std::string(8, '\0'));
    const std::uint8_t* z4 = image.data() + ZoneRecordOffset(4);
    EXPECT_EQ(z4[0], 0xE4);
    EXPECT_EQ(z4[9], toMobile ? 0x2A : 10);
    EXPECT_EQ(z4[15], 10);
    const std::uint8_t* z5 = image.data() + ZoneRecordOffset(5);
    EXPECT_EQ(z5[9], zone5Bytes[0]);
    EXPECT_EQ(z5[15], zone5Bytes[1]);
    const std::uint8_t* g7 = image.data() + GroupOffset(7);
    EXPECT_EQ(g7[0], toMobile ? 0x1B : 0x14);  // portable: t = 0x13, low bits 3 -> (t & 0xFC) | 4
    EXPECT_EQ(g7[1], toMobile ? 0x0F : 0x00);  // mobile: bit 4 but r3 >= 0x80; portable: bit 6 keeps only bit 7
    EXPECT_EQ(g7[3], 0x10);
    if (toMobile) {
      for (std::size_t i = area::kMobileFiveToneCommon; i <= 0x5FFB; ++i) ASSERT_EQ(image[i], templ[i]) << i;
      EXPECT_EQ(image[0x7000], 0xFF);
      for (std::size_t i = 0; i < kAdjustCopySize; ++i) ASSERT_EQ(adjust[i], templ[area::kMobileAdjust + i]) << i;
    } else {
      for (std::size_t i = area::kPortableAdjust; i <= 0x5753; ++i) ASSERT_EQ(image[i], templ[i]) << i;
      EXPECT_EQ(image[0x5800], 0xFF);
      EXPECT_EQ(image[0x7000], 0xFF);
      EXPECT_EQ(adjust[0], templ[area::kPortableAdjust]);
      EXPECT_EQ(adjust[200], 0xFF);
    }
  }
}

TEST_F(FileConvert, AFailedConversionWritesNothingAndLeavesTheWorkingData) {
  const std::string source = dir_.File("radio.K58");
  WriteMobileSource(source, true, {{3, 452.0, 457.0, true}});
  // The working data: another radio, with unsaved edits.
  ResetToDefaultModel(kFamilyPortableVhf);
  ClearRadioImage(g_pRadioImage);
  BuildDefaultImage(g_pRadioImage);
  g_isPortable = 1;
  g_dataModified = 1;
  g_portableData.m_zoneNames[0] = Text9{'K', 'E', 'E', 'P', ' ', ' ', ' ', ' ', '\0'};
  const Bytes image(g_pRadioImage, g_pRadioImage + kImageSize);
  const auto adjust = g_adjustCopy;

  struct Case {
    std::string source, programDir, message;
  };
  const std::string emptyFolder = dir_.File("empty");
  ASSERT_EQ(::mkdir(emptyFolder.c_str(), 0755), 0);
  WriteWholeFile(dir_.File("short.K58"), std::vector<unsigned char>(100, 0x61));
  for (const Case& c : {Case{source, emptyFolder, "Problem opening file\n    " + emptyFolder + "/Data/DEFAULTU.P58\n\n   Press any key"},
                        Case{dir_.File("gone.K58"), RP58_PROGRAM_DIR, "Problem opening file\n    " + dir_.File("gone.K58") + "\n\n   Press any key"},
                        Case{dir_.File("short.K58"), RP58_PROGRAM_DIR, "Problem reading from file"},
                        Case{dir_.File("notes.txt"), RP58_PROGRAM_DIR, "Problem opening file\n    " + dir_.File("notes.txt") + "\n\n   Press any key"}}) {
    messages.clear();
    EXPECT_EQ(ConvertDataFile(c.source, c.programDir), "");
    EXPECT_EQ(messages.texts(), std::vector<std::string>{c.message});
    EXPECT_FALSE(FileExists(dir_.File("radio.P58")));
    EXPECT_EQ(Bytes(g_pRadioImage, g_pRadioImage + kImageSize), image);
    EXPECT_EQ(g_adjustCopy, adjust);
    EXPECT_EQ(g_isPortable, 1);
    EXPECT_EQ(g_dataModified, 1);
    EXPECT_EQ(g_saveWithoutPack, 0);
    EXPECT_EQ(g_portableData.m_zoneNames[0][0], 'K');
  }
}

}  // namespace

namespace {

// The library of hand-made files: each converts, the result loads without a
// word, and converting it back gives every programmed channel again.
TEST_F(FileConvert, EveryLibraryFileConvertsAndComesBack) {
  for (const char* name : {"mobile-uhf-pairs-beyond-zones.K58", "mobile-uhf-radio-wide.K58", "mobile-vhf-edges.K58",
                           "portable-uhf-edges.P58", "portable-vhf-radio-wide.P58"}) {
    SCOPED_TRACE(name);
    const std::string source = dir_.File(std::string("a") + (std::string(name).ends_with(".K58") ? ".K58" : ".P58"));
    WriteWholeFile(source, ReadWholeFile(std::string(RP58_SOURCE_DIR) + "/tests/data/" + name));
    const std::vector<ChannelSeen> before = Loaded(source);
    const std::string other = ConvertDataFile(source, RP58_PROGRAM_DIR);
    ASSERT_FALSE(other.empty());
    const std::vector<ChannelSeen> converted = Loaded(other);
    const std::string back = ConvertDataFile(other, RP58_PROGRAM_DIR);
    ASSERT_EQ(back, source);
    const std::vector<ChannelSeen> after = Loaded(back);
    int programmed = 0;
    for (int i = 0; i < kChannelCount; ++i) {
      const ChannelSeen& b = before[static_cast<std::size_t>(i)];
      if (!b.programmed) continue;
      ++programmed;
      const ChannelSeen& c = converted[static_cast<std::size_t>(i)];
      const ChannelSeen& a = after[static_cast<std::size_t>(i)];
      EXPECT_TRUE(c.programmed && c.rx == b.rx && c.tx == b.tx && c.wide == b.wide) << "converted channel " << i;
      EXPECT_TRUE(a.programmed && a.rx == b.rx && a.tx == b.tx && a.wide == b.wide) << "channel " << i;
    }
    EXPECT_GT(programmed, 0);
    EXPECT_TRUE(messages.texts().empty()) << messages.texts().front();
    messages.clear();
  }
}

}  // namespace
