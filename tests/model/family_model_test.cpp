#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "FakeRadioData.h"
#include "ProgramState.h"
#include "ScriptedMessages.h"
#include "model/FamilyModel.h"

namespace {

class FamilyModelTest : public ::testing::Test {
protected:
  FreshProgramState fresh;
};

// The records read the real radio data objects when no test radio is installed.
TEST_F(FamilyModelTest, ViewReadsTheRadioDataObjects) {
  const IRadioDataView& mobile = g_mobileModel.RadioDataView();
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
  EXPECT_FALSE(ModelOf(kPortable).RadioDataView().IsChannelProgrammed(3));
  g_portableData.m_groupCounts[0] = 3;
  g_portableData.m_groupCounts[1] = 5;
  EXPECT_EQ(CGlobalRecord::ToZoneGroup(g_portableModel, 4), 1);

  {
    FakeRadioData fake(kPortable);
    EXPECT_EQ(&ModelOf(kPortable).RadioDataView(), &fake);
    EXPECT_EQ(&ModelOf(kMobile).RadioDataView(), &mobile);
  }
  EXPECT_NE(&ModelOf(kPortable).RadioDataView(), &ModelOf(kMobile).RadioDataView());
}

TEST_F(FamilyModelTest, ModelsHoldTheirFamilysRecords) {
  for (Family f : {kMobile, kPortable}) {
    CFamilyModel& model = ModelOf(f);
    EXPECT_EQ(model.family, f);
    EXPECT_EQ(model.global.FamilyData().family, f);
    EXPECT_EQ(model.radioData.Traits().family, f);
    g_isPortable = f == kPortable ? 1 : 0;
    EXPECT_EQ(&CurrentModel(), &model);
  }
  EXPECT_EQ(&g_mobileModel.global, &g_mobileModel.records.global);
  EXPECT_EQ(&g_portableModel.keys, &g_portableModel.records.keys);
  EXPECT_EQ(&g_mobileModel.radioData, &g_mobileData);
  EXPECT_EQ(&g_portableModel.radioData, &g_portableData);
}

// The radio data reads its band from its own family's radio-wide record from
// the moment it exists: a VHF record is never read as UHF, whatever ran first.
TEST_F(FamilyModelTest, RadioDataReadsTheBandOfItsOwnRadioWideRecord) {
  const struct {
    Family family;
    std::uint8_t vhf;
    std::uint8_t uhf;
  } families[] = {{kMobile, kFamilyMobileVhf, kFamilyMobileUhf}, {kPortable, kFamilyPortableVhf, kFamilyPortableUhf}};
  for (const auto& f : families) {
    CFamilyModel& model = ModelOf(f.family);
    model.global.modelCode = f.vhf;
    EXPECT_EQ(model.radioData.FamilyCode(), f.vhf) << f.family;
    EXPECT_FALSE(model.radioData.IsUhfBand()) << f.family;
    model.global.modelCode = f.uhf;
    EXPECT_TRUE(model.radioData.IsUhfBand()) << f.family;
  }
  g_mobileModel.records.global.modelCode = kFamilyMobileVhf;
  EXPECT_TRUE(g_portableData.IsUhfBand());  // the other family's record is not read
  // A model built anew is wired as it is built.
  RebuildFamilyModels();
  g_mobileModel.records.global.modelCode = kFamilyMobileVhf;
  EXPECT_FALSE(g_mobileData.IsUhfBand());
  g_mobileModel.records.openingMsg.SetDefaultSplit(5.0);
  EXPECT_EQ(g_mobileData.ChannelContext().defaultSplitMHz, 5.0);
}

// A model of one's own is linked to its own records only.
TEST_F(FamilyModelTest, APrivateModelsLinksAreItsOwn) {
  auto own = std::make_unique<CMobileModel>();
  CMobileRadioData& data = own->records.data;
  EXPECT_EQ(&own->radioData, &data);
  EXPECT_NE(&data, &g_mobileData);

  own->global.modelCode = kFamilyMobileVhf;
  own->openingMsg.SetDefaultSplit(7.0);
  EXPECT_FALSE(data.IsUhfBand());
  EXPECT_EQ(data.ChannelContext().defaultSplitMHz, 7.0);
  EXPECT_TRUE(g_mobileData.IsUhfBand());
  EXPECT_EQ(g_mobileData.ChannelContext().defaultSplitMHz, 0.0);

  data.m_groupCounts[0] = 4;
  EXPECT_EQ(own->RadioDataView().GroupCount(0), 4);
  EXPECT_EQ(g_mobileModel.RadioDataView().GroupCount(0), 1);
  EXPECT_EQ(CGlobalRecord::ToAbsoluteGroup(*own, 0, 1), 4);
  EXPECT_EQ(CGlobalRecord::ToAbsoluteGroup(g_mobileModel, 0, 1), 1);

  // The pre-write checks read the model's own key record.
  ScriptedMessages messages;
  std::vector<std::uint8_t> image(kImageBufferSize, 0xFF);
  data.InitSystem(0, kZoneModeConventional);
  data.m_zoneBytes[zone_byte::kPower][0] |= 0x80;  // interconnect
  data.m_zoneBytes[zone_byte::kHome][0] = 0;       // with no Connect Dial
  EXPECT_EQ(data.ValidateBeforeWrite(*own, image.data()), 1);
  g_mobileModel.records.keys.keyFunc[2] = kKeyPhone;
  EXPECT_EQ(data.ValidateBeforeWrite(*own, image.data()), 1);
  own->keys.keyFunc[2] = kKeyPhone;
  EXPECT_EQ(data.ValidateBeforeWrite(*own, image.data()), 0);
  EXPECT_EQ(messages.texts(),
            std::vector<std::string>{"Please set up the Connect Dial or disable the Phone Interconnect function."});
}

}  // namespace
