// Zone group counts: the moves of the shared group table, the defaults of
// new records, the free-record counter, and the references that follow
// their groups, on either family's model.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "TestNames.h"
#include "ProgramState.h"
#include "model/FamilyModel.h"
#include "model/ZoneGroups.h"

namespace {

std::string TagOf(const CGroupRecord& g) { return std::string(g.tag.data()); }
std::string DefaultTag(int g) {
  char text[24];  // room for any int, so the compiler sees no truncation
  std::snprintf(text, sizeof text, "GROUP%3.3d", g + 1);
  return text;
}

class ZoneGroups : public ::testing::TestWithParam<Family> {
protected:
  CFamilyModel& Model() const { return ModelOf(GetParam()); }
  CRadioDataCore& Data() const { return Model().radioData; }
  CGroupRecord& Group(int g) const { return Data().m_groups[static_cast<std::size_t>(g)]; }

  // Gives the zones these counts (the rest none), each record a tag of its
  // own ("Z<zone>G<k>", then "FREE<g>") and a setting byte that tells it
  // from a fresh record; zones with groups in use and LTR.
  void Layout(const std::vector<int>& counts) {
    CRadioDataCore& d = Data();
    d.m_groupCounts.fill(0);
    d.m_zoneFlags.fill(0);
    int g = 0;
    for (std::size_t z = 0; z < counts.size(); ++z) {
      d.m_groupCounts[z] = static_cast<std::uint8_t>(counts[z]);
      if (counts[z] > 0) d.m_zoneFlags[z] = zone_flag::kEnabled;
      d.InitSystem(static_cast<int>(z), 1);
      for (int k = 0; k < counts[z]; ++k, ++g) Tag(g, "Z" + std::to_string(z) + "G" + std::to_string(k));
    }
    for (; g < kGroupCount; ++g) Tag(g, "FREE" + std::to_string(g));
    d.m_freeGroups = kGroupCount;
    for (int c : counts) d.m_freeGroups -= c;
  }
  void Tag(int g, const std::string& tag) {
    Group(g).SetTag(tag.c_str());
    Group(g).settings[3] = 0x5A;
    Group(g).flags = group_flag::kEnabled;
  }
  std::vector<std::string> Tags(int first, int last) const {
    std::vector<std::string> tags;
    for (int g = first; g <= last; ++g) tags.push_back(TagOf(Group(g)));
    return tags;
  }
  void ExpectFresh(int g, const char* why) const {
    const CGroupRecord& r = Group(g);
    EXPECT_EQ(TagOf(r), DefaultTag(g)) << why;
    EXPECT_EQ(r.flags, 0) << why;
    EXPECT_EQ(r.settings, (std::array<std::uint8_t, 6>{0x87, 0, 0, 0, 0xFF, 0xFF})) << why;
    EXPECT_EQ(r.channelWord & group_word::kNoChannel, group_word::kNoChannel) << why;
  }
  std::uint8_t& Revert(int zone) const {
    return Data().m_zoneBytes[zone_byte::kRevertGroup][static_cast<std::size_t>(zone)];
  }

  FreshProgramState fresh_;
};

TEST_P(ZoneGroups, GrowingAndShrinkingAZoneMovesTheLaterZonesRecordsWhole) {
  Layout({2, 3});
  Revert(0) = 1;
  Revert(1) = 2;
  const int free = Data().m_freeGroups;

  GroupCountResult r = SetGroupCount(Model(), 0, 5);
  EXPECT_FALSE(r.refused);
  EXPECT_TRUE(r.changed);
  EXPECT_EQ(Tags(5, 7), (std::vector<std::string>{"Z1G0", "Z1G1", "Z1G2"}));
  EXPECT_EQ(Group(5).settings[3], 0x5A);  // moved, not re-made
  for (int g : {2, 3, 4}) ExpectFresh(g, "gained by zone 0");
  EXPECT_EQ(Revert(0), 255);
  EXPECT_EQ(Revert(1), 2);  // an index within its own zone: unchanged
  EXPECT_EQ(Data().m_freeGroups, free - 3);
  EXPECT_EQ(Data().FirstGroupOf(1), 5);

  SetGroupCount(Model(), 0, 2);
  EXPECT_EQ(Tags(0, 4), (std::vector<std::string>{"Z0G0", "Z0G1", "Z1G0", "Z1G1", "Z1G2"}));
  for (int g : {5, 6, 7}) ExpectFresh(g, "left free at the end of the used records");
  EXPECT_EQ(Data().m_freeGroups, free);
}

TEST_P(ZoneGroups, ACountFitsUpToTheFreeRecordsPlusTheZonesOwn) {
  Layout({100, 100, 41, 4});  // 245 used, 5 free
  EXPECT_TRUE(GroupCountFits(Data(), 3, 9));
  EXPECT_FALSE(GroupCountFits(Data(), 3, 10));

  const auto before = Tags(0, kGroupCount - 1);
  GroupCountResult refused = SetGroupCount(Model(), 3, 10);
  EXPECT_TRUE(refused.refused);
  EXPECT_FALSE(refused.changed);
  EXPECT_EQ(Data().m_groupCounts[3], 4);
  EXPECT_EQ(Data().m_freeGroups, 5);
  EXPECT_EQ(Tags(0, kGroupCount - 1), before);

  EXPECT_FALSE(SetGroupCount(Model(), 3, 9).refused);
  EXPECT_EQ(Data().m_freeGroups, 0);
  EXPECT_EQ(Data().m_groupCounts[3], 9);
}

TEST_P(ZoneGroups, ADriftedFreeCounterNeverLetsAMoveWritePastTheLastRecord) {
  Layout({120, 120, 5});
  Data().m_freeGroups = 200;  // wrong: only 5 are free
  EXPECT_TRUE(SetGroupCount(Model(), 0, 126).refused);
  EXPECT_EQ(Data().m_groupCounts[0], 120);
  EXPECT_FALSE(SetGroupCount(Model(), 0, 125).refused);
  EXPECT_EQ(Data().m_freeGroups, 0);
  EXPECT_EQ(TagOf(Group(249)), "Z2G4");
}

TEST_P(ZoneGroups, EdgeCasesOfOneCount) {
  struct Case {
    const char* why;
    std::vector<int> counts;
    int zone, n;
    int count;           // afterwards
    bool changed, keptOne;
    std::vector<std::string> tagsFrom0;  // the first records afterwards
  } cases[] = {
      {"the same count moves and resets nothing", {2, 3}, 1, 3, 3, false, false,
       {"Z0G0", "Z0G1", "Z1G0", "Z1G1", "Z1G2", "FREE5"}},
      {"growing the last zone moves nothing", {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                              0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1},
       31, 3, 3, true, false, {"Z0G0", "Z0G1", "Z31G0", DefaultTag(3), DefaultTag(4), "FREE5"}},
      {"a negative count is 0", {2, 3}, 0, -4, 0, true, false, {"Z1G0", "Z1G1", "Z1G2", DefaultTag(3)}},
      {"the only zone with groups keeps one, its own", {0, 3}, 1, 0, 1, true, true,
       {"Z1G0", DefaultTag(1), DefaultTag(2), "FREE3"}},
      {"already at one, it stays as it is", {0, 1}, 1, 0, 1, false, true, {"Z1G0", "FREE1"}},
  };
  for (const Case& c : cases) {
    Layout(c.counts);
    Revert(c.zone) = 0;
    const GroupCountResult r = SetGroupCount(Model(), c.zone, c.n);
    EXPECT_EQ(r.count, c.count) << c.why;
    EXPECT_EQ(r.changed, c.changed) << c.why;
    EXPECT_EQ(r.keptOne, c.keptOne) << c.why;
    EXPECT_EQ(Data().m_groupCounts[static_cast<std::size_t>(c.zone)], c.count) << c.why;
    EXPECT_EQ(Data().IsZoneEnabled(c.zone), c.count != 0) << c.why;
    EXPECT_EQ(Revert(c.zone), c.changed ? 255 : 0) << c.why;
    EXPECT_EQ(Tags(0, static_cast<int>(c.tagsFrom0.size()) - 1), c.tagsFrom0) << c.why;
    int sum = 0;
    for (std::uint8_t n : Data().m_groupCounts) sum += n;
    EXPECT_EQ(sum + Data().m_freeGroups, kGroupCount) << c.why;
  }
}

TEST_P(ZoneGroups, ANewGroupOfAConventionalZoneHasNoBusyLockOut) {
  Layout({1, 1});
  Data().InitSystem(1, kZoneModeConventional);
  SetGroupCount(Model(), 1, 2);
  EXPECT_EQ(Group(2).channelWord, 0x03FF);
  SetGroupCount(Model(), 0, 2);  // zone 0 is LTR
  EXPECT_EQ(Group(1).channelWord, 0x13FF);
}

TEST_P(ZoneGroups, ReferencesFollowTheirGroupsAndThoseToRemovedGroupsBecomeNone) {
  Layout({2, 3, 2});
  CGlobalRecord& r = Model().global;
  r.shortcut1Zone = 0, r.shortcut1Group = 1;   // Z0G1: removed below
  r.homeZone = 1, r.homeGroup = 3;             // Z1G1
  r.dataZone = 1, r.dataGroup = 4;             // Z1G2
  r.emergencyZone = 2, r.emergencyGroup = 5;   // Z2G0
  r.shortcut2Zone = 0, r.shortcut2Group = 0;   // Z0G0: stays
  r.shortcut3Zone = 1, r.shortcut3Group = 7;   // group 5 of zone 1, past its 3: kept as group 5 of zone 1
  r.shortcut4Zone = kNoZone, r.shortcut4Group = 6;  // nobody's group: left alone
  r.dsubZone = 2;
  r.dsubGroup.fill(kNoGroup);
  r.dsubGroup[3] = 6;  // Z2G1
  Data().m_selectedGroup[1] = 3 + 1;  // Z1G1, 1-based
  Data().m_selectedGroup[0] = 1 + 1;  // Z0G1: removed

  SetGroupCount(Model(), 0, 1);
  EXPECT_EQ(r.shortcut1Group, kNoGroup);
  EXPECT_EQ(r.shortcut1Zone, 0);  // a removed group leaves its zone
  EXPECT_EQ(TagOf(Group(r.homeGroup)), "Z1G1");
  EXPECT_EQ(TagOf(Group(r.dataGroup)), "Z1G2");
  EXPECT_EQ(TagOf(Group(r.emergencyGroup)), "Z2G0");
  EXPECT_EQ(TagOf(Group(r.dsubGroup[3])), "Z2G1");
  EXPECT_EQ(r.shortcut2Group, 0);
  EXPECT_EQ(r.shortcut3Group, 6);
  EXPECT_EQ(r.shortcut4Group, 6);
  EXPECT_EQ(TagOf(Group(Data().m_selectedGroup[1] - 1)), "Z1G1");
  EXPECT_EQ(Data().m_selectedGroup[0], 0);
  EXPECT_EQ(r.dsubGroup[0], kNoGroup);
}

TEST_P(ZoneGroups, SwitchingAZoneOffClearsTheEmergencyAndHomeSystemNamingIt) {
  Layout({2, 2, 2});
  CGlobalRecord& r = Model().global;
  r.homeZone = 1, r.homeGroup = 2;
  r.emergencyZone = 1, r.emergencyGroup = 3;
  r.dataZone = 1, r.dataGroup = 3;

  ZoneOffResult off = DisableZone(Model(), 1);
  EXPECT_TRUE(off.emergencyCleared);
  EXPECT_TRUE(off.homeCleared);
  EXPECT_TRUE(off.count.changed);
  EXPECT_EQ(r.homeZone, kNoZone);
  EXPECT_EQ(r.homeGroup, kNoGroup);
  EXPECT_EQ(r.emergencyZone, kNoZone);
  EXPECT_EQ(r.emergencyGroup, kNoGroup);
  EXPECT_EQ(r.dataZone, 1);  // only the Home and Emergency zones go
  EXPECT_EQ(r.dataGroup, kNoGroup);
  EXPECT_FALSE(Data().IsZoneEnabled(1));
  EXPECT_EQ(Data().m_groupCounts[1], 0);

  // A count commit decides on the count it leaves, not on its text.
  r.homeZone = 2, r.homeGroup = 3;
  ZoneOffResult zero = CommitGroupCount(Model(), 2, 0);
  EXPECT_TRUE(zero.homeCleared);
  EXPECT_FALSE(zero.emergencyCleared);
  ZoneOffResult refused = CommitGroupCount(Model(), 0, 300);
  EXPECT_TRUE(refused.count.refused);
  EXPECT_FALSE(refused.homeCleared);
}

TEST_P(ZoneGroups, DisablingTheOnlyZoneWithGroupsKeepsItsGroupHomeAndEmergency) {
  // A fresh radio: zone 0 holds the one group.
  CGlobalRecord& r = Model().global;
  r.homeZone = 0, r.homeGroup = 0;
  r.emergencyZone = 0, r.emergencyGroup = 0;
  Group(0).SetTag("MYGROUP");
  Group(0).settings[4] = 7;
  const std::uint8_t flags = Group(0).flags;
  ZoneOffResult off = DisableZone(Model(), 0);
  EXPECT_TRUE(off.count.keptOne);
  EXPECT_FALSE(off.count.changed);
  EXPECT_FALSE(off.homeCleared);
  EXPECT_FALSE(off.emergencyCleared);
  EXPECT_TRUE(Data().IsZoneEnabled(0));
  EXPECT_EQ(TagOf(Group(0)), "MYGROUP");
  EXPECT_EQ(Group(0).settings[4], 7);
  EXPECT_EQ(Group(0).flags, flags);
  EXPECT_EQ(r.homeGroup, 0);
  EXPECT_EQ(r.emergencyZone, 0);
}

TEST_P(ZoneGroups, EnableSetsTheInUseFlagAndTellsWhetherItWasOff) {
  Layout({1, 0, 4});
  Data().m_zoneFlags[2] = 0;  // a file's zone with groups but switched off
  EXPECT_TRUE(EnableZone(Model(), 1));
  EXPECT_EQ(g_newlyEnabledSystem, 1);
  EXPECT_EQ(Data().m_groupCounts[1], 0);
  EXPECT_FALSE(EnableZone(Model(), 0));
  EXPECT_EQ(g_newlyEnabledSystem, 0);
  EXPECT_TRUE(EnableZone(Model(), 2));
  EXPECT_EQ(Data().m_groupCounts[2], 4);  // its groups stay
  DisableZone(Model(), 2);
  EXPECT_EQ(g_newlyEnabledSystem, 0);
}

TEST_P(ZoneGroups, ZoneKindAndFirstShownZone) {
  const std::pair<std::uint8_t, ZoneKind> kinds[] = {
      {0x84, ZoneKind::kLtr}, {0x88, ZoneKind::kConventional}, {0x80, ZoneKind::kOther}, {0xFC, ZoneKind::kOther},
      {0x04, ZoneKind::kLtr}};
  for (const auto& [byte, kind] : kinds) {
    Data().m_zoneBytes[zone_byte::kType][5] = byte;
    EXPECT_EQ(ZoneKindOf(Data(), 5), kind) << int{byte};
  }
  EXPECT_EQ(ZoneKindOf(Data(), 32), ZoneKind::kOther);
  EXPECT_EQ(ClampFirstZone(-1), 0);
  EXPECT_EQ(ClampFirstZone(27), 27);
  EXPECT_EQ(ClampFirstZone(28), 27);
  EXPECT_EQ(ClampFirstZone(255), 27);
}

// Random count commits, Enables and Disables on a table whose every record
// has a tag of its own and whose every reference names a group.
TEST_P(ZoneGroups, ASeededSequenceKeepsCountsRecordsAndReferencesConsistent) {
  std::mt19937 random(0x5EED + static_cast<unsigned>(GetParam()));
  std::vector<int> counts(kZoneCount);
  int left = kGroupCount;
  for (int& c : counts) {
    c = std::min(left, static_cast<int>(random() % 12));
    left -= c;
  }
  Layout(counts);
  // What each zone holds, by tag, and what each reference names.
  std::vector<std::vector<std::string>> zones(kZoneCount);
  for (int z = 0; z < kZoneCount; ++z)
    for (int k = 0; k < counts[static_cast<std::size_t>(z)]; ++k) zones[z].push_back("Z" + std::to_string(z) + "G" + std::to_string(k));

  CGlobalRecord& r = Model().global;
  struct Ref {
    std::uint8_t* group;
    std::uint8_t* zone;
  };
  std::vector<Ref> refs = {{&r.homeGroup, &r.homeZone},         {&r.emergencyGroup, &r.emergencyZone},
                           {&r.dataGroup, &r.dataZone},         {&r.shortcut1Group, &r.shortcut1Zone},
                           {&r.shortcut2Group, &r.shortcut2Zone}, {&r.shortcut3Group, &r.shortcut3Zone},
                           {&r.shortcut4Group, &r.shortcut4Zone}};
  const auto pickGroup = [&](std::uint8_t& group, std::uint8_t zone) {
    const int n = Data().m_groupCounts[zone];
    group = n == 0 ? kNoGroup : static_cast<std::uint8_t>(Data().FirstGroupOf(zone) + static_cast<int>(random() % n));
  };
  for (Ref& ref : refs) {
    *ref.zone = static_cast<std::uint8_t>(random() % kZoneCount);
    pickGroup(*ref.group, *ref.zone);
  }
  r.dsubZone = static_cast<std::uint8_t>(random() % kZoneCount);
  for (std::uint8_t& g : r.dsubGroup) pickGroup(g, r.dsubZone);
  const auto named = [&](std::uint8_t group) { return group == kNoGroup ? std::string() : TagOf(Group(group)); };
  std::vector<std::string> expected;
  for (const Ref& ref : refs) expected.push_back(named(*ref.group));
  for (std::uint8_t g : r.dsubGroup) expected.push_back(named(g));
  const auto current = [&] {
    std::vector<std::string> now;
    for (const Ref& ref : refs) now.push_back(named(*ref.group));
    for (std::uint8_t g : r.dsubGroup) now.push_back(named(g));
    return now;
  };

  for (int step = 0; step < 400; ++step) {
    const int zone = static_cast<int>(random() % kZoneCount);
    const int action = static_cast<int>(random() % 10);
    const std::vector<std::string> before = zones[zone];
    int n = 0;
    bool off = false;
    if (action == 0) {
      EnableZone(Model(), zone);
      continue;
    }
    if (action == 1) {
      const ZoneOffResult result = DisableZone(Model(), zone);
      n = result.count.count;
      off = n == 0;
    } else {
      const int asked = static_cast<int>(random() % 20);
      const ZoneOffResult result = CommitGroupCount(Model(), zone, asked);
      if (result.count.refused) {
        ASSERT_GT(asked + kGroupCount - Data().m_freeGroups - static_cast<int>(before.size()), kGroupCount);
        continue;
      }
      n = result.count.count;
      off = n == 0;
    }
    // The zone keeps its first groups and gains fresh ones.
    const int base = Data().FirstGroupOf(zone);
    zones[zone].resize(static_cast<std::size_t>(n));
    for (int k = static_cast<int>(before.size()); k < n; ++k) zones[zone][k] = DefaultTag(base + k);
    for (std::size_t i = 0; i < expected.size(); ++i) {
      const bool removed = std::find(zones[zone].begin(), zones[zone].end(), expected[i]) == zones[zone].end() &&
                           std::find(before.begin(), before.end(), expected[i]) != before.end();
      if (removed) expected[i].clear();
    }
    if (off) {
      if (r.homeZone == zone || r.emergencyZone == zone) FAIL() << "a switched-off zone is still Home or Emergency";
    }

    int sum = 0;
    for (std::uint8_t c : Data().m_groupCounts) sum += c;
    ASSERT_EQ(sum + Data().m_freeGroups, kGroupCount) << "step " << step;
    int g = 0;
    for (int z = 0; z < kZoneCount; ++z) {
      ASSERT_EQ(Data().m_groupCounts[z], zones[z].size()) << "step " << step << " zone " << z;
      for (const std::string& tag : zones[z]) ASSERT_EQ(TagOf(Group(g++)), tag) << "step " << step << " zone " << z;
    }
    ASSERT_EQ(current(), expected) << "step " << step;
  }
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, ZoneGroups, ::testing::Values(kMobile, kPortable), FamilyName);

}  // namespace
