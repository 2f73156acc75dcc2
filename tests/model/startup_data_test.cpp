#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "ProgramState.h"
#include "ScriptedMessages.h"
#include "model/DataFile.h"
#include "model/Digits.h"
#include "model/FamilyModel.h"
#include "model/ModelChange.h"
#include "model/RadioImage.h"
#include "model/ScreenData.h"

namespace {

struct RecordingView : IDataFileView {
  std::string fileLine, serial;
  int modelLines = 0, rebuilds = 0;
  void SetFileLine(const std::string& t) override { fileLine = t; }
  void SetSerialText(const std::string& t) override { serial = t; }
  void UpdateModelLine() override { ++modelLines; }
  void RebuildTabs() override { ++rebuilds; }
};

class StartupTest : public ::testing::Test {
protected:
  void SetUp() override {
    SetDataFileView(&view_);
    std::filesystem::create_directory("Data");
    ResetToDefaultModel(kFamilyMobileUhf);
    NarrowWideChannelsFrom(0);
    ASSERT_TRUE(AllocateRadioImage());
    BuildDefaultImage(g_pRadioImage);
  }
  FreshProgramState fresh_;
  TempDir dir_;
  ScriptedMessages msgs_;
  RecordingView view_;
};

}  // namespace

TEST_F(StartupTest, BundledDefaultFileNamesTheGroupsByNumber) {
  g_mobileData.m_groups[4].SetTag("YARD");
  ASSERT_TRUE(g_dataFile.SaveDataFile(kDefaultDataFileName));
  g_dataFileName = kDefaultDataFileName;
  ASSERT_TRUE(LoadStartupData(dir_.path()));
  EXPECT_STREQ(g_mobileData.m_groups[4].tag.data(), "GROUP005");
  EXPECT_STREQ(g_mobileData.m_groups[249].tag.data(), "GROUP250");
  EXPECT_EQ(view_.fileLine, "File:DEFAULTU.K58");
  EXPECT_EQ(view_.modelLines, 1);
  EXPECT_TRUE(msgs_.shown().empty());
}

TEST_F(StartupTest, AUsersFileKeepsItsGroupNames) {
  g_mobileData.m_groups[4].SetTag("YARD");
  ASSERT_TRUE(g_dataFile.SaveDataFile("fleet.K58"));
  ResetToDefaultModel(kFamilyPortableVhf);
  g_dataFileName = "fleet.K58";
  ASSERT_TRUE(LoadStartupData(dir_.path()));
  EXPECT_EQ(g_isPortable, 0);
  EXPECT_STREQ(g_mobileData.m_groups[4].tag.data(), "YARD");
  EXPECT_EQ(g_dataFileName, "fleet.K58");
}

TEST_F(StartupTest, AMissingFileGivesADefaultImage) {
  g_dataFileName = "gone.K58";
  ASSERT_TRUE(LoadStartupData(dir_.path()));
  EXPECT_EQ(msgs_.texts(), std::vector<std::string>{"Problem opening file\n    gone.K58\n\n   Press any key"
                                                    "\n\nThe built-in defaults are used."});
  EXPECT_EQ(g_dataFileName, kNoDataFileName);
  EXPECT_EQ(g_pRadioImage[area::kFamilyCode], kFamilyMobileUhf);  // built from the records
  EXPECT_EQ(view_.modelLines, 1);
}

// A program folder without Data/ gives the radio the default file would
// have given: a mobile one with its product code, so the mobile-only
// settings are live, and the message says the built-in defaults are used.
TEST_F(StartupTest, WithoutTheDataFolderTheBuiltInDefaultsAreTheDefaultFilesRadio) {
  std::filesystem::remove_all("Data");
  g_mobileData.m_productWord = 0;  // as a fresh process has it
  g_dataFileName = kDefaultDataFileName;
  ASSERT_TRUE(LoadStartupData(dir_.path()));
  EXPECT_EQ(msgs_.texts(), std::vector<std::string>{"Problem opening file\n    Data/DEFAULTU.K58\n\n   Press any key"
                                                    "\n\nThe built-in defaults are used."});
  EXPECT_EQ(g_dataFileName, kNoDataFileName);
  EXPECT_TRUE(IsMobileProductCode(static_cast<std::uint8_t>(g_mobileData.m_productWord >> 8)));
  EXPECT_EQ(IdentifyRadioFamily(g_pRadioImage), kMobile);
  // The identification word and the model are those of the shipped start-up file.
  const std::vector<unsigned char> shipped =
      ReadWholeFile(std::string(RP58_PROGRAM_DIR) + "/" + kDefaultDataFileName);
  ASSERT_EQ(shipped.size(), kImageSize);
  for (std::size_t at : {area::kIdentWord, area::kProductCode, area::kFamilyCode, area::kModelByte})
    EXPECT_EQ(g_pRadioImage[at], shipped[at]) << "image byte " << at;
}

// Whatever keeps the start-up file from loading, its message says what follows.
TEST_F(StartupTest, EveryRefusalOfTheStartupFileSaysTheBuiltInDefaultsAreUsed) {
  std::vector<unsigned char> wrongFamily(kImageSize, 0xFF);
  wrongFamily[area::kFamilyCode] = 0x00;
  WriteWholeFile("wrong.K58", wrongFamily);
  WriteWholeFile("short.K58", std::vector<unsigned char>(100, 0xFF));
  const struct {
    const char* file;
    const char* message;
  } rows[] = {{"wrong.K58", "Hardware configuration mismatched!\n\nThe built-in defaults are used."},
              {"short.K58", "Problem reading from file\n\nThe built-in defaults are used."}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.file);
    msgs_.clear();
    g_dataFileName = r.file;
    ASSERT_TRUE(LoadStartupData(dir_.path()));
    EXPECT_EQ(msgs_.texts(), std::vector<std::string>{r.message});
    EXPECT_EQ(g_dataFileName, kNoDataFileName);
  }
  // Elsewhere a refused file says nothing more than why.
  msgs_.clear();
  EXPECT_EQ(g_dataFile.LoadDataFile("wrong.K58", dir_.path()), 0);
  EXPECT_EQ(msgs_.texts(), std::vector<std::string>{"Hardware configuration mismatched!"});
}

TEST(StartupOutOfMemory, SaysSoAndStops) {
  FreshProgramState fresh;
  TempDir dir;
  ScriptedMessages msgs;
  ReleaseRadioImage();
  SetImageAllocator([](std::size_t) -> std::uint8_t* { return nullptr; });
  EXPECT_FALSE(LoadStartupData(dir.path()));
  SetImageAllocator(nullptr);
  EXPECT_EQ(msgs.texts(), std::vector<std::string>{"It is short of memory!"});
  EXPECT_EQ(g_pRadioImage, nullptr);
  EXPECT_TRUE(AllocateRadioImage());
}

TEST(DefaultDataFiles, TheShippedFilesLoadAsTheirModel) {
  FreshProgramState fresh;
  const char* programDir = RP58_PROGRAM_DIR;
  ScriptedMessages msgs;
  ASSERT_TRUE(AllocateRadioImage());
  const struct {
    const char* file;
    std::uint8_t model;
  } files[] = {{kDefaultMobileUhfFile, kFamilyMobileUhf},
               {kDefaultMobileVhfFile, kFamilyMobileVhf},
               {kDefaultPortableUhfFile, kFamilyPortableUhf},
               {kDefaultPortableVhfFile, kFamilyPortableVhf}};
  for (const auto& f : files) {
    SCOPED_TRACE(f.file);
    const std::string path = std::string(programDir) + "/" + f.file;
    ASSERT_EQ(g_dataFile.LoadDataFile(path, programDir), 1);
    EXPECT_EQ(g_isPortable, FamilyOfCode(f.model) == kPortable ? 1 : 0);
    EXPECT_EQ(ModelOf(FamilyOfCode(f.model)).global.modelCode, f.model);
    // A radio programmed from a default file reads back as its own family,
    // and a mobile one keeps its product code (band limits, tail blocks).
    EXPECT_EQ(IdentifyRadioFamily(g_pRadioImage), FamilyOfCode(f.model));
    // Nothing to ask on a save: the defaults already meet the narrow-band rule.
    EXPECT_EQ(FindWideNarrowbandChannel(), -1);
  }
  EXPECT_TRUE(msgs.shown().empty());
}

// The built-in defaults are a radio like any other: saved, loaded and saved
// again, not a byte moves.
TEST_F(StartupTest, BuiltInDefaultsSurviveSaveLoadSave) {
  std::filesystem::remove_all("Data");
  g_dataFileName = kDefaultDataFileName;
  ASSERT_TRUE(LoadStartupData(dir_.path()));
  msgs_.clear();
  ASSERT_TRUE(g_dataFile.SaveDataFile("first.K58"));
  ASSERT_EQ(g_dataFile.LoadDataFile("first.K58", dir_.path()), 1);
  ASSERT_TRUE(g_dataFile.SaveDataFile("second.K58"));
  const std::vector<unsigned char> first = ReadWholeFile("first.K58"), second = ReadWholeFile("second.K58");
  ASSERT_EQ(first.size(), second.size());
  for (std::size_t i = 0; i < first.size(); ++i) EXPECT_EQ(first[i], second[i]) << std::hex << i;
}
