#include <gtest/gtest.h>

#include "FakeRadioData.h"
#include "model/RadioData.h"
#include "model/RadioDataView.h"

namespace {

// The records read the real radio data objects when no test radio is installed.
TEST(RadioDataView, ReadsTheRadioDataObjects) {
  g_mobileData.SetDefaults();
  g_portableData.SetDefaults();
  const IRadioDataView& mobile = RadioDataView(kMobile);
  EXPECT_EQ(mobile.GroupCount(0), 1);  // the defaults give zone 0 one group
  EXPECT_TRUE(mobile.IsZoneEnabled(0));
  EXPECT_FALSE(mobile.IsZoneEnabled(1));
  EXPECT_TRUE(mobile.IsGroupEnabled(0));
  EXPECT_FALSE(mobile.IsGroupEnabled(250));
  g_mobileData.m_channels[7].m_rxSynthWord = 0x2123;
  g_mobileData.m_channels[8].m_rxSynthWord = 0xFF2E;
  EXPECT_TRUE(mobile.IsChannelProgrammed(7));
  EXPECT_FALSE(mobile.IsChannelProgrammed(8));
  EXPECT_FALSE(mobile.IsChannelProgrammed(640));
  g_mobileData.m_productWord = 0x0B22;
  EXPECT_EQ(mobile.ProductCode(), 0x0B);

  g_portableData.m_channels[3].m_firstWord = 0xFF2E;
  EXPECT_FALSE(RadioDataView(kPortable).IsChannelProgrammed(3));
  g_portableData.m_groupCounts[0] = 3;
  g_portableData.m_groupCounts[1] = 5;
  EXPECT_EQ(g_portableGlobalRecord.ToZoneGroup(4), 1);

  {
    FakeRadioData fake(kPortable);
    EXPECT_EQ(&RadioDataView(kPortable), &fake);
  }
  EXPECT_NE(&RadioDataView(kPortable), &RadioDataView(kMobile));
  g_mobileData.SetDefaults();
  g_portableData.SetDefaults();
}

TEST(RadioDataView, LinksTellTheRadioDataAboutTheRecords) {
  ResetRadioWideRecords();
  LinkRadioWideRecords();
  g_mobileKeyAssign.keyFunc[2] = 16;
  EXPECT_TRUE(g_mobileData.m_radioWide.anyKeyHoldsFunction(16));
  EXPECT_FALSE(g_portableData.m_radioWide.anyKeyHoldsFunction(16));
  g_mobileGlobalRecord.optionBoard = 0x9B;
  EXPECT_EQ(g_mobileData.m_radioWide.optionBoard(), 0x9B);
  g_portableGlobalRecord.modelCode = 185;  // defaults keep the model; another test may have changed it
  EXPECT_EQ(g_portableData.m_radioWide.familyCode(), 185);
  ResetRadioWideRecords();
}

}  // namespace
