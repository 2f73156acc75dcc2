// The group pages' edits that reach past one field, as pure functions: the
// typed ID, Scan Memory, switching a group on and off, and a grid line that
// refuses items outside its zone.
#include <gtest/gtest.h>

#include <memory>

#include "model/FamilyModel.h"
#include "model/GridSpec.h"
#include "model/GroupEdits.h"

namespace {

TEST(GroupId, TypedTextIsReadAsAtoiWithBlankMeaningNone) {
  const struct {
    const char* text;
    int expected;  // -1 refused
  } cases[] = {{"", 255}, {" ", 255}, {"1", 1}, {"250", 250}, {"+12", 12}, {" 7", 7}, {"12-", 12},
               {"0", -1}, {"251", -1}, {"999", -1}, {"-", -1}, {"+", -1}, {"-5", -1}, {"  ", -1}};
  for (const auto& c : cases) {
    const auto id = ParseGroupId(c.text);
    EXPECT_EQ(id ? static_cast<int>(*id) : -1, c.expected) << '"' << c.text << '"';
  }
  EXPECT_EQ(GroupIdText(255), "");
  EXPECT_EQ(GroupIdText(12), "12");
}

TEST(ScanMemory, TextsOfBitsOneAndFourAndTheSetterKeepsOtherBits) {
  EXPECT_STREQ(ScanMemoryText(0x12), "Enable");
  EXPECT_STREQ(ScanMemoryText(0x02), "User");
  EXPECT_STREQ(ScanMemoryText(0x10), "Dealer");
  EXPECT_STREQ(ScanMemoryText(0x01), "Disable");
  std::uint8_t byte = 0x03;  // on, "User"
  SetScanMemory(byte, true);
  EXPECT_EQ(byte, 0x13);
  SetScanMemory(byte, false);
  EXPECT_EQ(byte, 0x01);
}

class GroupEdits : public ::testing::Test {
protected:
  void SetUp() override {
    data.m_groupCounts.fill(0);
    data.m_groupCounts[0] = 3;
    data.m_groupCounts[1] = 5;  // groups 3..7
    for (CGroupRecord& g : data.m_groups) g.flags = group_flag::kEnabled;
  }
  std::unique_ptr<CFamilyModel> model = std::make_unique<CMobileModel>();
  CRadioDataCore& data = model->radioData;
};

TEST_F(GroupEdits, ZoneRangesStopAtTheLastGroupSlot) {
  EXPECT_EQ(GroupRangeOf(data, 1).first, 3);
  EXPECT_EQ(GroupRangeOf(data, 1).count, 5);
  data.m_groupCounts[0] = 250;
  EXPECT_EQ(GroupRangeOf(data, 1).count, 0);
  EXPECT_FALSE(GroupRangeOf(data, 1).Contains(250));
  data.m_groupCounts[0] = 248;
  EXPECT_EQ(GroupRangeOf(data, 1).count, 2);
  EXPECT_EQ(GroupRangeOf(data, 40).count, 0);
}

TEST_F(GroupEdits, SwitchingClearsRevertAndOnlyTheSelectedGroupsSelection) {
  std::uint8_t& revert = data.m_zoneBytes[zone_byte::kRevertGroup][1];
  std::uint8_t& selected = data.m_selectedGroup[1];
  selected = 5;  // absolute group 4, the zone's second
  revert = 1;
  EXPECT_TRUE(SwitchGroup(data, 1, 3, false, false));
  EXPECT_EQ(selected, 5);
  EXPECT_EQ(revert, 0xFF);
  EXPECT_TRUE(SwitchGroup(data, 1, 4, false, false));
  EXPECT_EQ(selected, 0);

  // Switched on from off, the first channel when asked; already on, kept.
  data.m_groups[4].channelWord = 0x43FF;
  EXPECT_TRUE(SwitchGroup(data, 1, 4, true, true));
  EXPECT_EQ(data.m_groups[4].channelWord, 0x4000);
  data.m_groups[5].channelWord = 0x0012;
  EXPECT_TRUE(SwitchGroup(data, 1, 5, true, true));
  EXPECT_EQ(data.m_groups[5].channelWord, 0x0012);

  // Outside the zone: refused, nothing written.
  revert = 2;
  EXPECT_FALSE(SwitchGroup(data, 1, 8, false, false));
  EXPECT_FALSE(SetGroupScanMemory(data, 1, 2, true));
  EXPECT_TRUE(data.m_groups[8].IsEnabled());
  EXPECT_EQ(revert, 2);
}

TEST_F(GroupEdits, GridLinesStoreOnlyIntoItemsTheyAccept) {
  GridLine line;
  line.choices = kDisableEnable;
  line.field = [this](int g) { return FieldRef(&data.m_groups[static_cast<std::size_t>(g)].settings[0], Bit(6)); };
  line.defaultField = [this] { return FieldRef(&data.m_defaultGroup.bytes[0], Bit(6)); };
  line.fanOutTo = line.storable = [this](int g) { return GroupRangeOf(data, 1).Contains(g); };
  for (CGroupRecord& g : data.m_groups) g.settings[0] = 0x87;
  line.Store(8, 1, kGroupCount);
  EXPECT_EQ(data.m_groups[8].settings[0], 0x87);
  line.Store(kDefaultItem, 1, kGroupCount);
  EXPECT_EQ(data.m_defaultGroup.bytes[0] & 0x40, 0x40);
  for (int g = 0; g < 10; ++g) EXPECT_EQ(data.m_groups[static_cast<std::size_t>(g)].settings[0], g >= 3 && g < 8 ? 0xC7 : 0x87) << g;
}

}  // namespace

namespace {

TEST(SubAudible, ReceiveTypeTakesTransmitAlongOnlyFromNoneWithNoTxCode) {
  const struct {
    std::uint8_t tone, txCode, rxCode, newRx;
    std::uint8_t tone2, txCode2, rxCode2;
  } cases[] = {
      {0x00, 0xFF, 0xFF, 1, 0x09, 0, 0},      // NONE -> CTCSS, no Tx code: Tx follows
      {0x00, 0x05, 0xFF, 2, 0x10, 5, 0},      // Tx code set: Tx untouched
      {0x10, 0xFF, 0x04, 1, 0x08, 0xFF, 0},   // DCS -> CTCSS: Tx untouched
      {0x0B, 0x03, 0x07, 0, 0x03, 3, 0xFF},   // -> NONE: Rx code none
      {0xC0, 0xFF, 0xFF, 3, 0xDB, 0, 0},      // bits 6-7 kept
  };
  for (const auto& c : cases) {
    CGroupRecord g;
    g.settings[2] = c.tone;
    g.settings[4] = c.txCode;
    g.settings[5] = c.rxCode;
    SetRxSubAudible(g, c.newRx);
    EXPECT_EQ(g.settings[2], c.tone2) << int(c.tone) << "->" << int(c.newRx);
    EXPECT_EQ(g.settings[4], c.txCode2) << int(c.tone);
    EXPECT_EQ(g.settings[5], c.rxCode2) << int(c.tone);
  }
  CGroupRecord g;
  g.settings[2] = 0x08;
  g.settings[5] = 9;
  SetTxSubAudible(g, 2);
  EXPECT_EQ(g.settings[2], 0x0A);
  EXPECT_EQ(g.settings[4], 0);
  SetTxSubAudible(g, 0);
  EXPECT_EQ(g.settings[4], 0xFF);
  EXPECT_EQ(g.settings[5], 9);
}

}  // namespace
