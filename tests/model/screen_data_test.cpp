#include <gtest/gtest.h>

#include "ProgramState.h"
#include "ScriptedMessages.h"
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
    const CSmallRecord& home = model == kFamilyMobileUhf ? static_cast<const CSmallRecord&>(g_mobileSmall)
                                                          : g_portableSmall;
    EXPECT_EQ(home.homeZoneNumber, 2);
    EXPECT_EQ(home.homeGroupNumber, 5);  // absolute group 4, numbered from 1
  }
}

}  // namespace
