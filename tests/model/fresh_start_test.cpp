// The fresh start: every registered reset runs when it is registered and on
// every ResetToFreshStart, and the model's own state comes back as a fresh
// process has it, whatever a test left.
#include <gtest/gtest.h>

#include <memory>

#include "FakeRadioData.h"
#include "ProgramState.h"
#include "SameRecords.h"
#include "model/ConfigFile.h"
#include "model/DataFile.h"
#include "model/FamilyModel.h"
#include "model/FreshStart.h"
#include "model/Privilege.h"
#include "model/RadioImage.h"
#include "model/ScreenData.h"
#include "model/ZoneGroups.h"

namespace {

int g_resets = 0;
void CountReset() { ++g_resets; }
const FreshStartReset kCounted(&CountReset);

class CNoView : public IDataFileView {
public:
  void SetFileLine(const std::string&) override {}
  void SetSerialText(const std::string&) override {}
  void UpdateModelLine() override {}
  void RebuildTabs() override {}
};

}  // namespace

TEST(FreshStart, ARegisteredResetRunsAtStartAndOnEveryReset) {
  const int before = g_resets;
  EXPECT_GE(before, 1);  // registered while the statics were built
  ResetToFreshStart();
  EXPECT_EQ(g_resets, before + 1);
  ResetProgramState();
  EXPECT_EQ(g_resets, before + 2);
}

TEST(FreshStart, EveryPieceOfTheModelsStateComesBack) {
  FreshProgramState fresh;
  const auto mobile = CopyOfRecords(g_mobileModel.records);
  const auto portable = CopyOfRecords(g_portableModel.records);
  // Everything a test might leave behind, at once.
  ASSERT_TRUE(AllocateRadioImage());
  SetImageAllocator([](std::size_t) -> std::uint8_t* { return nullptr; });
  g_adjustCopy.fill(0x5A);
  g_isPortable = true;
  g_isPortableSaved = true;
  g_dataModified = true;
  g_imageLoaded = true;
  g_saveWithoutPack = true;
  g_dataFileName = "LEFT.K58";
  g_manufacturerMode = true;
  g_serviceMode = true;
  g_newlyEnabledSystem = true;
  g_mobileModel.records.global.modelCode = kFamilyMobileVhf;
  g_portableData.m_groupCounts[3] = 7;
  auto view = std::make_unique<FakeRadioData>(kPortable);
  g_config.SetComPortIndex(5);
  g_portableConfig.SetRawImageEdited(true);
  CNoView dataFileView;
  SetDataFileView(&dataFileView);
  SetYearSource([] { return 1999; });

  ResetProgramState();

  EXPECT_EQ(g_pRadioImage, nullptr);
  EXPECT_TRUE(AllocateRadioImage());  // the plain allocator again
  EXPECT_EQ(g_adjustCopy, decltype(g_adjustCopy){});
  EXPECT_FALSE(g_isPortable);
  EXPECT_FALSE(g_isPortableSaved);
  EXPECT_FALSE(g_dataModified);
  EXPECT_FALSE(g_imageLoaded);
  EXPECT_FALSE(g_saveWithoutPack);
  EXPECT_EQ(g_dataFileName, kDefaultDataFileName);
  EXPECT_FALSE(g_manufacturerMode);
  EXPECT_FALSE(g_serviceMode);
  EXPECT_FALSE(g_newlyEnabledSystem);
  EXPECT_TRUE(SameRecords(g_mobileModel.records, *mobile));
  EXPECT_TRUE(SameRecords(g_portableModel.records, *portable));
  EXPECT_EQ(&g_portableModel.RadioDataView(), &g_portableModel.records.view);  // the hand-made radio is gone
  EXPECT_EQ(g_config.GetComPortIndex(), CConfigFile().GetComPortIndex());
  EXPECT_FALSE(g_portableConfig.IsRawImageEdited());
  EXPECT_EQ(GetDataFileView(), nullptr);
  EXPECT_NE(CurrentYear(), 1999);  // the clock again
}
