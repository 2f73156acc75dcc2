#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <string>

#include "ProgramState.h"
#include "SameRecords.h"
#include "ScriptedMessages.h"
#include "model/DataFile.h"
#include "model/DtmfData.h"
#include "model/GlobalRecord.h"
#include "model/KeyAssignRecord.h"
#include "model/ModelChange.h"
#include "model/RadioImage.h"
#include "model/ScreenData.h"
#include "model/SmallRecords.h"

namespace {

// The home view numbers the home group over all zones, so it needs the zone
// group counts of the image being unpacked, not those of the radio before.
TEST(ScreenDataDrivers, HomeViewCountsTheGroupsOfTheImageItUnpacks) {
  FreshProgramState fresh;
  ScriptedMessages messages;
  ASSERT_TRUE(AllocateRadioImage());
  for (std::uint8_t model : {kFamilyMobileUhf, kFamilyPortableVhf}) {
    SCOPED_TRACE(int(model));
    ResetToDefaultModel(model);  // the radio before: zone 0 holds all 250 groups
    BuildDefaultImage(g_pRadioImage);
    std::uint8_t* counts = g_pRadioImage + area::kZoneGroupCounts;
    std::fill(counts, counts + kZoneCount, 0);
    counts[0] = 3;
    counts[1] = 5;
    g_pRadioImage[140] = 1;  // group 1 of zone 1
    g_pRadioImage[141] = 1;
    UnpackImageToScreens(g_pRadioImage);
    const CSmallRecord& home = ModelOf(model == kFamilyMobileUhf ? kMobile : kPortable).small;
    EXPECT_EQ(home.homeZoneNumber, 2);
    EXPECT_EQ(home.homeGroupNumber, 5);  // absolute group 4, numbered from 1
  }
}

std::string DefaultFile(const char* name) { return std::string(RP58_PROGRAM_DIR) + "/Data/" + name; }
std::string TestDataFile(const char* name) { return std::string(RP58_SOURCE_DIR) + "/tests/data/" + name; }

// A refused pack leaves every record of the family as it found it: the edits
// the pack makes on its way (the radio-wide record's forced bits, the group
// slots past the zones switched off) would otherwise reach the next save.
TEST(ScreenDataDrivers, ARefusedPackLeavesEveryRecordAsItWas) {
  struct Case {
    const char* name;
    std::string file;
    std::function<void(CFamilyModel&)> change;
    std::string message;
  };
  const Case cases[] = {
      {"Phone key without dial memory #0", DefaultFile("DEFAULTU.K58"), [](CFamilyModel& m) { m.keys.keyFunc[1] = kKeyPhone; },
       kPhoneKeyRefusal},
      {"emergency zone not programmed", DefaultFile("DEFAULTU.K58"),
       [](CFamilyModel& m) {
         m.keys.keyFunc[3] = kKeyEmergency;
         m.global.emergencyZone = 7;
       },
       kEmergencySystemRefusal},
      {"interconnect ID missing", TestDataFile("portable-uhf-edges.P58"),  // zone 1 is LTR
       [](CFamilyModel& m) {
         m.keys.keyFunc[2] = kKeyPhone;
         m.radioData.m_zoneBytes[zone_byte::kPower][0] |= 0x80;
         m.radioData.m_zoneBytes[zone_byte::kInterconnectId][0] = 0xFF;
       },
       "Please set up the Interconnect ID or disable the Phone Interconnect function."},
      {"short cut not programmed", DefaultFile("DEFAULTU.P58"),
       [](CFamilyModel& m) {
         m.keys.keyFunc[4] = kKeyShortCut1 + 1;
         m.global.shortcut2Zone = 0;
       },
       kShortCutRefusals[1]},
      {"paging decode beside the Scan key", DefaultFile("DEFAULTV.P58"),
       [](CFamilyModel& m) {
         m.keys.keyFunc[4] = kKeyScan;
         m.dtmf.pagingCodes[3] = 0x2123;
       },
       kPagingScanRefusal},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FreshProgramState fresh;
    ScriptedMessages messages;
    ASSERT_TRUE(AllocateRadioImage());
    ASSERT_EQ(g_dataFile.LoadDataFile(c.file, RP58_PROGRAM_DIR), 1);
    CFamilyModel& model = CurrentModel();
    // Enabled groups past the zones' groups, which every pack switches off
    // (the edges file gives all 250 to its zones).
    const auto& counts = model.radioData.m_groupCounts;
    const int assigned = std::accumulate(counts.begin(), counts.end(), 0);
    for (int g = assigned; g < std::min(assigned + 5, kGroupCount); ++g)
      model.radioData.m_groups[g].flags |= group_flag::kEnabled;
    c.change(model);
    const std::vector<std::uint8_t> image(g_pRadioImage, g_pRadioImage + kImageSize);
    const auto check = [&](const auto& m) {
      const auto before = CopyOfRecords(m.records);
      EXPECT_EQ(PackScreensToImage(g_pRadioImage), 0);
      EXPECT_TRUE(SameRecords(m.records, *before));
    };
    if (g_isPortable)
      check(g_portableModel);
    else
      check(g_mobileModel);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{c.message});
    EXPECT_TRUE(std::equal(image.begin(), image.end(), g_pRadioImage));
  }
}

// A refused Phone key must not choose a Revert Group behind the user's back:
// once the key is set back to None the save writes the Revert Group the file
// had.
TEST(ScreenDataDrivers, APhoneKeyRefusedThenTakenBackLeavesTheRevertGroup) {
  FreshProgramState fresh;
  TempDir dir;
  ScriptedMessages messages;
  ASSERT_TRUE(AllocateRadioImage());
  ASSERT_EQ(g_dataFile.LoadDataFile(DefaultFile("DEFAULTU.K58"), RP58_PROGRAM_DIR), 1);
  const std::uint8_t revertGroup = g_pRadioImage[0xD0] & 0x18;
  ASSERT_NE(revertGroup, 0x18);
  g_mobileModel.records.keys.keyFunc[1] = kKeyPhone;
  EXPECT_FALSE(g_dataFile.SaveDataFile("radio.K58"));
  ASSERT_FALSE(messages.texts().empty());
  EXPECT_EQ(messages.texts().back(), kPhoneKeyRefusal);
  g_mobileModel.records.keys.keyFunc[1] = 0;
  ASSERT_TRUE(g_dataFile.SaveDataFile("radio.K58"));
  EXPECT_EQ(ReadWholeFile("radio.K58")[0xD0] & 0x18, revertGroup);
}

}  // namespace

