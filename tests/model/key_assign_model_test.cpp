#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "TestNames.h"
#include "ProgramState.h"
#include "model/FamilyModel.h"
#include "model/KeyAssignModel.h"

namespace {

class KeyAssignModelTest : public ::testing::TestWithParam<Family> {
protected:
  void SetUp() override { ResetProgramState(); }
  CKeyAssignRecord& Record() const { return ModelOf(GetParam()).keys; }
  CKeyAssignModel Model() const { return CKeyAssignModel(GetParam(), Record()); }
  static bool Offers(const std::vector<std::uint8_t>& list, std::uint8_t code) {
    return std::find(list.begin(), list.end(), code) != list.end();
  }
  // The flags the key codes give, counted afresh.
  std::vector<std::uint8_t> ExpectedFlags() const {
    CKeyAssignRecord& r = Record();
    const auto saved = r.inUse;
    r.RebuildInUse();
    std::vector<std::uint8_t> flags(r.inUse.begin(), r.inUse.end());
    r.inUse = saved;
    return flags;
  }
};

TEST_P(KeyAssignModelTest, DefaultsShowTheirNamesAndNoHeldFunctionIsOfferedElsewhere) {
  const CKeyAssignModel m = Model();
  const std::vector<std::string> mobile = {"Monitor", "None", "None", "None", "Group Up", "Group Down",
                                           "NSQ", "None", "None", "None", "Continuous group up",
                                           "Continuous group down"};
  const std::vector<std::string> portable = {"Monitor", "Lighting", "None", "None", "None", "None",
                                             "NSQ", "None", "None", "None", "None", "None"};
  const auto& expected = GetParam() == kMobile ? mobile : portable;
  for (int k = 0; k < kAssignableKeys; ++k) {
    EXPECT_EQ(m.Caption(k), expected[static_cast<std::size_t>(k)]) << k;
    const auto list = m.ListFor(k);
    EXPECT_EQ(list[0], 0);
    EXPECT_EQ(list[static_cast<std::size_t>(m.RowOfCurrent(k, list))], m.CodeOf(k)) << k;
    for (int other = 0; other < kAssignableKeys; ++other) {
      const std::uint8_t held = m.CodeOf(other);
      if (other != k && held != 0 && held != m.CodeOf(k)) {
        EXPECT_FALSE(Offers(list, held)) << "key " << k << " offers " << int(held);
      }
    }
  }
}

TEST_P(KeyAssignModelTest, WalkOrderAndWhatEachKindOfKeyMayTake) {
  Record().keyFunc.fill(0);
  Record().RebuildInUse();
  const CKeyAssignModel m = Model();
  const bool mobile = GetParam() == kMobile;
  const std::vector<std::uint8_t> press = mobile
      ? std::vector<std::uint8_t>{0, 1, 10, 11, 12, 13, 3, 14, 19, 25, 26, 27, 28, 29, 5, 6, 15, 16, 17, 20, 23, 2, 8,
                                  69, 70, 71, 72, 73, 74, 75, 76, 77}
      : std::vector<std::uint8_t>{0, 1, 10, 11, 12, 13, 3, 14, 19, 25, 26, 27, 28, 29, 5, 6, 15, 16, 23, 2,
                                  69, 70, 71, 72, 73};
  EXPECT_EQ(m.ListFor(0), press);
  std::vector<std::uint8_t> hold = press;
  const auto common = std::find(hold.begin(), hold.end(), 69);
  hold.insert(common, {64, 65, 66, 67, 68});
  if (!mobile) hold.insert(std::find(hold.begin(), hold.end(), 23), 17);  // Emergency: hold keys only
  EXPECT_EQ(m.ListFor(6), hold);
  EXPECT_LE(m.ListFor(6).size(), mobile ? 40u : 37u);
}

TEST_P(KeyAssignModelTest, FunctionsKeptFreeAreOfferedOnlyToTheKeyHoldingThem) {
  Record().keyFunc.fill(0);
  Record().keyFunc[2] = 4;  // Dual Watch, from a file
  Record().RebuildInUse();
  CKeyAssignModel m = Model();
  const auto own = m.ListFor(2);
  // In its place in the walk: between Talk Around and Call / Reset.
  const auto at = std::find(own.begin(), own.end(), 4);
  ASSERT_NE(at, own.end());
  EXPECT_EQ(*(at - 1), 6);
  EXPECT_EQ(*(at + 1), 15);
  EXPECT_EQ(own[static_cast<std::size_t>(m.RowOfCurrent(2, own))], 4);
  EXPECT_FALSE(Offers(m.ListFor(3), 4));
  m.Choose(2, 0);
  for (int k = 0; k < kAssignableKeys; ++k) EXPECT_FALSE(Offers(m.ListFor(k), 4)) << k;
}

TEST_P(KeyAssignModelTest, CodesOutsideTheCatalogueShowNothingAndTouchNoFlag) {
  Record().keyFunc = {32, 63, 79, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  if (GetParam() == kPortable) Record().keyFunc[4] = 74;
  Record().RebuildInUse();
  CKeyAssignModel m = Model();
  for (int k = 0; k < 5; ++k) {
    if (m.CodeOf(k) == 0) continue;
    EXPECT_EQ(m.Caption(k), "") << int(m.CodeOf(k));
    EXPECT_EQ(m.RowOfCurrent(k, m.ListFor(k)), 0);
  }
  const auto flags = Record().inUse;
  EXPECT_TRUE(std::all_of(flags.begin(), flags.end(), [](std::uint8_t f) { return f == 0; }));
  m.Choose(0, 1);
  EXPECT_EQ(Record().keyFunc[1], 63);  // the other odd codes are kept for the radio
  EXPECT_TRUE(Record().IsInUse(1));
}

TEST_P(KeyAssignModelTest, AnySequenceOfChoicesKeepsTheFlagsEqualToTheCodes) {
  std::mt19937 random(58);
  CKeyAssignModel m = Model();
  for (int step = 0; step < 400; ++step) {
    const int k = static_cast<int>(random() % kAssignableKeys);
    if (!m.IsEnabled(k)) continue;  // the user cannot reach a greyed button
    const auto list = m.ListFor(k);
    m.Choose(k, list[random() % list.size()]);
    const std::vector<std::uint8_t> flags(Record().inUse.begin(), Record().inUse.end());
    ASSERT_EQ(flags, ExpectedFlags()) << "step " << step;
    // No function is offered to two keys unless both hold it.
    for (int a = 0; a < kAssignableKeys; ++a) {
      for (const std::uint8_t code : m.ListFor(a)) {
        if (code == 0 || code == m.CodeOf(a)) continue;
        for (int b = 0; b < kAssignableKeys; ++b) ASSERT_NE(m.CodeOf(b), code) << "step " << step;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Families, KeyAssignModelTest, ::testing::Values(kMobile, kPortable), FamilyName);

TEST(MobileKeyAssignModel, EmergencyTakesBothRowsAndStaysOnlyWithTheRowStillHoldingIt) {
  ResetProgramState();
  CKeyAssignModel m(kMobile, g_mobileModel.records.keys);
  constexpr int kUpPress = 4, kUpHold = 10, kP1Press = 0;
  m.Choose(kUpPress, kKeyEmergency);
  EXPECT_EQ(m.CodeOf(kUpHold), kKeyEmergency);
  EXPECT_FALSE(m.IsEnabled(kUpHold));
  EXPECT_EQ(m.Caption(kUpHold), "Emergency");
  // The hold row's old function (Continuous group up) is free again.
  EXPECT_FALSE(g_mobileModel.records.keys.IsInUse(67));
  m.Choose(kP1Press, 0);
  m.Choose(kUpPress, 1);  // Monitor
  EXPECT_TRUE(m.IsEnabled(kUpHold));
  EXPECT_TRUE(g_mobileModel.records.keys.IsInUse(kKeyEmergency));
  for (int k = 0; k < kAssignableKeys; ++k) {
    const auto list = m.ListFor(k);
    const bool offered = std::find(list.begin(), list.end(), kKeyEmergency) != list.end();
    EXPECT_EQ(offered, k == kUpHold) << k;
  }
  // Ext ACC1 chosen on a hold key takes the press row too.
  m.Choose(7, 75);
  EXPECT_EQ(m.CodeOf(1), 75);
}

TEST(PortableKeyAssignModel, AChoiceChangesOnlyItsOwnKey) {
  ResetProgramState();
  CKeyAssignModel m(kPortable, g_portableModel.records.keys);
  m.Choose(8, kKeyEmergency);  // "A" press and hold
  EXPECT_EQ(m.CodeOf(2), 0);
  for (int k = 0; k < kAssignableKeys; ++k) EXPECT_TRUE(m.IsEnabled(k));
  EXPECT_EQ(CKeyAssignModel::FunctionName(kPortable, 8), "Encryption Disable");
  EXPECT_EQ(CKeyAssignModel::FunctionName(kMobile, 71), "Code Set");
  EXPECT_EQ(CKeyAssignModel::FunctionName(kPortable, 71), "Code set");
  EXPECT_EQ(CKeyAssignModel::FunctionName(kPortable, 77), "");
}

// The three extra function fields mark their functions in use in both
// families; 13 stands for Monitor.
TEST(KeyAssignExtraFields, MarkTheirFunctionsInUseInBothFamilies) {
  ResetProgramState();
  for (const Family f : {kMobile, kPortable}) {
    CKeyAssignRecord& r = ModelOf(f).keys;
    r.keyFunc.fill(0);
    r.extraCodes = {13, 10, 15};
    r.RebuildInUse();
    EXPECT_TRUE(r.IsInUse(1));
    EXPECT_TRUE(r.IsInUse(64));
    CKeyAssignModel m(f, r);
    const auto list = m.ListFor(0);
    EXPECT_EQ(std::find(list.begin(), list.end(), 1), list.end()) << "Monitor is held by an extra field";
  }
}

}  // namespace
