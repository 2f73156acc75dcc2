#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "ProgramState.h"
#include "ScriptedMessages.h"
#include "FakeChoiceList.h"
#include "model/FamilyModel.h"

namespace {

using Image = std::vector<std::uint8_t>;

Image BlankImage() { return Image(kImageBufferSize, 0xFF); }

// Loads everything this layer owns from the image.
void LoadAll(CRadioDataCore& data, const Image& image) {
  data.LoadZonesFromImage(image.data());
  for (int g = 0; g < kGroupCount; ++g) data.LoadGroup(g, image.data());
}

// The radio-wide records the checks read beside the zones and groups: a
// model of the test's own, as built (no Phone key, no encryption board).
std::unique_ptr<CFamilyModel> RecordsOf(Family family) {
  if (family == kPortable) return std::make_unique<CPortableModel>();
  return std::make_unique<CMobileModel>();
}

// Packs everything this layer owns; false when a check refused.
bool PackAll(CRadioDataCore& data, Image& image) {
  const auto records = RecordsOf(data.Traits().family);
  if (!data.ValidateBeforeWrite(*records, image.data())) return false;
  for (int g = 0; g < kGroupCount; ++g)
    if (!data.StoreGroup(*records, g, image.data())) return false;
  return true;
}

std::uint16_t RepeaterWord(const Image& image, int zone, int r) {
  return GetBE16(image.data() + ZoneRecordOffset(zone) + zone_slot::kRepeaterWords + 2 * r);
}
void SetRepeaterWord(Image& image, int zone, int r, std::uint16_t w) {
  PutBE16(image.data() + ZoneRecordOffset(zone) + zone_slot::kRepeaterWords + 2 * r, w);
}
std::uint8_t& ZoneByte(Image& image, int zone, int k) { return image[ZoneRecordOffset(zone) + k]; }

// An image of random bytes, then made consistent where the write rewrites
// a byte by rule, so that load and pack must give back every byte.
Image RandomConsistentImage(Family family, unsigned seed) {
  std::mt19937 rng(seed);
  Image image(kImageBufferSize);
  for (auto& b : image) b = static_cast<std::uint8_t>(rng());

  const std::uint8_t counts[kZoneCount] = {10, 0, 7, 3, 0, 20, 1, 0, 9, 4, 0, 0, 30, 2, 5, 0,
                                           6,  8, 0, 0, 11, 0, 0, 12, 0, 0, 40, 0, 0, 1, 0, 33};
  std::memcpy(image.data() + area::kZoneGroupCounts, counts, kZoneCount);
  std::memset(image.data() + area::kZoneSelectedGroup, 0xFF, kZoneCount);
  if (family == kMobile) std::memset(image.data() + area::kZoneSecondByte, 0, kZoneCount);

  for (int z = 0; z < kZoneCount; ++z) {
    std::uint8_t& timer = ZoneByte(image, z, zone_byte::kTimer);
    timer = static_cast<std::uint8_t>((timer | 0x11));  // no zero nibble: nothing to repair
    const bool ltr = z % 3 != 0;
    std::uint8_t& type = ZoneByte(image, z, zone_byte::kType);
    type = static_cast<std::uint8_t>((type & ~0x0C) | (ltr ? 0x04 : 0x08));
    if (ltr) {
      const int home = 1 + z % kRepeatersPerZone;
      ZoneByte(image, z, zone_byte::kHome) = static_cast<std::uint8_t>((ZoneByte(image, z, zone_byte::kHome) & 0x80) | home);
      SetRepeaterWord(image, z, home - 1, static_cast<std::uint16_t>(0x6000 | (z * 17)));
      ZoneByte(image, z, zone_byte::kBlockStart1) = 0xFF;
      ZoneByte(image, z, zone_byte::kBlockEnd1) = 0xFF;
      ZoneByte(image, z, zone_byte::kBlockStart2) = static_cast<std::uint8_t>(1 + z);
      ZoneByte(image, z, zone_byte::kBlockEnd2) = static_cast<std::uint8_t>(100 + z);
    } else {
      // Connect Dial count 3 and a digit: the home index is out of the list.
      ZoneByte(image, z, zone_byte::kHome) = 0x35;
    }
  }

  for (int g = 0; g < kGroupCount; ++g) {
    std::uint8_t* slot = image.data() + GroupOffset(g);
    slot[group_byte::kOptions3] &= static_cast<std::uint8_t>(~0x04);
    if (family == kPortable) {
      slot[group_byte::kOptions1] &= 0x9F;
      slot[group_byte::kTone] = 0x12;  // DCS with code 2 satisfies every portable check
    }
  }
  return image;
}


}  // namespace

TEST(GroupZoneData, RandomImagesRoundTripByteForByte) {
  for (Family family : {kMobile, kPortable}) {
    for (unsigned seed : {1u, 2u, 3u}) {
      const Image original = RandomConsistentImage(family, seed);
      CRadioDataCore data(family == kMobile ? kMobileFamilyTraits : kPortableFamilyTraits);
      LoadAll(data, original);
      Image packed = original;
      ScriptedMessages messages;
      ASSERT_TRUE(PackAll(data, packed)) << (messages.texts().empty() ? "" : messages.texts()[0]);
      for (std::size_t i = 0; i < kImageBufferSize; ++i)
        ASSERT_EQ(packed[i], original[i]) << "family " << family << " seed " << seed << " byte 0x" << std::hex << i;
    }
  }
}

TEST(GroupZoneData, PackWritesTheFixedAreasAndMarksTheHomeRepeater) {
  for (Family family : {kMobile, kPortable}) {
    Image image = RandomConsistentImage(family, 7);
    image[area::kZoneSecondByte + 4] = 0x5A;
    image[area::kZoneSelectedGroup + 2] = 1;
    CRadioDataCore data(family == kMobile ? kMobileFamilyTraits : kPortableFamilyTraits);
    LoadAll(data, image);
    // Zone 1 is LTR with home 2: take the marks off its home word.
    data.m_repeaters[1][1] = 0x0005;
    ASSERT_TRUE(PackAll(data, image));
    EXPECT_EQ(RepeaterWord(image, 1, 1), 0x6005);
    EXPECT_EQ(data.m_repeaters[1][1], 0x6005);  // in the data too
    EXPECT_EQ(image[area::kZoneSelectedGroup + 2], 0xFF);
    EXPECT_EQ(image[area::kZoneSecondByte + 4], family == kMobile ? 0x00 : 0x5A);
  }
}

TEST(GroupZoneData, GroupCountRepairs) {
  struct Case {
    const char* name;
    std::vector<std::pair<int, int>> counts;  // zone, count
    std::uint8_t zone0;
    int free;
  };
  const Case cases[] = {
      {"normal", {{0, 3}, {1, 5}}, 3, 242},
      {"exactly 250", {{0, 200}, {31, 50}}, 200, 0},
      {"all zero", {}, 250, 0},
      {"sum above 250", {{0, 200}, {1, 100}}, 250, 0},
      // 250 + 16 is 10 in eight bits: the whole sum decides.
      {"wrap-around", {{3, 250}, {9, 16}}, 250, 0},
      {"one count above 250", {{5, 251}}, 250, 0},
      {"all 255", {}, 250, 0},
  };
  for (const Case& c : cases) {
    Image image = BlankImage();
    std::memset(image.data() + area::kZoneGroupCounts, std::string(c.name) == "all 255" ? 0xFF : 0, kZoneCount);
    for (auto [zone, count] : c.counts) image[area::kZoneGroupCounts + zone] = static_cast<std::uint8_t>(count);
    CRadioDataCore data(kMobileFamilyTraits);
    data.LoadZonesFromImage(image.data());
    EXPECT_EQ(data.m_groupCounts[0], c.zone0) << c.name;
    EXPECT_EQ(data.m_freeGroups, c.free) << c.name;
    int sum = 0;
    for (int z = 0; z < kZoneCount; ++z) sum += data.m_groupCounts[z];
    EXPECT_LE(sum, kGroupCount) << c.name;
    // Every zone's run of groups lies inside the 250 slots.
    for (int z = 0; z < kZoneCount; ++z)
      EXPECT_LE(data.FirstGroupOf(z) + data.GetSystemGroupCount(z), kGroupCount) << c.name << " zone " << z;
  }
}

TEST(GroupZoneData, PackSwitchesOffTheSlotsPastTheZonesGroups) {
  struct Case {
    const char* name;
    std::vector<std::pair<int, int>> counts;
    int firstOff;  // slots from here on are switched off
  };
  const Case cases[] = {
      {"3 + 5", {{0, 3}, {1, 5}}, 8},
      {"all 250 assigned", {{0, 200}, {31, 50}}, 250},
      {"none assigned", {}, 0},
      // 250 + 16 would be 10 in eight bits and switch off groups in use.
      {"sum past 250", {{3, 250}, {9, 16}}, 250},
  };
  for (const Case& c : cases) {
    CRadioDataCore data(kMobileFamilyTraits);
    data.m_groupCounts = {};
    for (auto [zone, count] : c.counts) data.m_groupCounts[zone] = static_cast<std::uint8_t>(count);
    for (auto& g : data.m_groups) g.flags = group_flag::kEnabled | group_flag::kSetting1;
    data.DisableUnassignedGroups();
    for (int g = 0; g < kGroupCount; ++g)
      ASSERT_EQ(data.m_groups[g].flags, g < c.firstOff ? 0x03 : 0x02) << c.name << " group " << g;
  }
}

TEST(GroupZoneData, SelectedGroupOutsideTheZoneReadsAsNone) {
  Image image = BlankImage();
  std::memset(image.data() + area::kZoneGroupCounts, 0, kZoneCount);
  image[area::kZoneGroupCounts + 0] = 240;
  image[area::kZoneGroupCounts + 1] = 10;
  image[area::kZoneSelectedGroup + 0] = 239;  // the zone's last group
  image[area::kZoneSelectedGroup + 1] = 3;
  image[area::kZoneSelectedGroup + 2] = 0;    // zone 2 has no groups
  image[area::kZoneSelectedGroup + 3] = 200;  // far past record 249
  image[area::kZoneSelectedGroup + 4] = 0xFF;
  CRadioDataCore data(kPortableFamilyTraits);
  data.LoadZonesFromImage(image.data());
  EXPECT_EQ(data.m_selectedGroup[0], 240);
  EXPECT_EQ(data.m_selectedGroup[1], 244);
  EXPECT_EQ(data.m_selectedGroup[2], 0);
  EXPECT_EQ(data.m_selectedGroup[3], 0);
  EXPECT_EQ(data.m_selectedGroup[4], 0);
  EXPECT_EQ(data.GroupIndex(1, 4), 244u);
  EXPECT_EQ(data.GroupIndex(1, 0), 0u);
  EXPECT_EQ(data.GroupIndex(40, 1), 0u);
}

TEST(GroupZoneData, FlagsAndTextsLoadFromTheirArrays) {
  Image image = BlankImage();
  std::memset(image.data() + area::kGroupBits0, 0xFF, 32);
  std::memset(image.data() + area::kGroupBits1, 0xFF, 32);
  std::memset(image.data() + area::kGroupBits4, 0xFF, 32);
  SetBitLsb(image.data() + area::kGroupBits0, 9, false);    // group 9 on
  SetBitLsb(image.data() + area::kGroupBits1, 9, false);    // with setting 1
  SetBitLsb(image.data() + area::kGroupBits4, 249, false);  // group 249: setting 4 only
  image[area::kZoneEnableBits + 1] = 0x7F;                  // zone 0 on
  image[area::kZoneSecondBits + 0] = 0x7F;                  // zone 8: setting 4
  std::memcpy(image.data() + area::kZoneNames + 8 * 3, "ABCDEFGH", 8);
  CRadioDataCore data(kMobileFamilyTraits);
  data.LoadZonesFromImage(image.data());
  EXPECT_EQ(data.m_groups[9].flags, group_flag::kEnabled | group_flag::kSetting1);
  EXPECT_EQ(data.m_groups[249].flags, group_flag::kSetting4);
  EXPECT_EQ(data.m_groups[0].flags, 0);
  EXPECT_EQ(data.m_zoneFlags[0], zone_flag::kEnabled);
  EXPECT_EQ(data.m_zoneFlags[8], zone_flag::kSetting4);
  EXPECT_EQ(data.m_zoneFlags[1], 0);
  EXPECT_STREQ(data.m_zoneNames[3].data(), "ABCDEFGH");
}

TEST(GroupZoneData, ZoneTimerByteRepair) {
  const std::pair<std::uint8_t, std::uint8_t> cases[] = {{0x00, 0x66}, {0x05, 0x65}, {0x30, 0x36}, {0x80, 0x86},
                                                         {0x47, 0x47}, {0x0F, 0x6F}};
  for (auto [stored, loaded] : cases) {
    Image image = BlankImage();
    image[ZoneRecordOffset(6) + zone_byte::kTimer] = stored;
    CRadioDataCore data(kMobileFamilyTraits);
    data.LoadZonesFromImage(image.data());
    EXPECT_EQ(data.m_zoneBytes[zone_byte::kTimer][6], loaded) << int(stored);
  }
}

TEST(GroupZoneData, PackWritesEveryGroupFlagBothWaysAndKeepsTheSpareBits) {
  Image image = BlankImage();
  std::memset(image.data() + area::kGroupBits0, 0x00, 32);
  std::memset(image.data() + area::kGroupBits1, 0x00, 32);
  std::memset(image.data() + area::kGroupBits4, 0x00, 32);
  CRadioDataCore data(kMobileFamilyTraits);
  data.SetZoneDefaults();
  LoadAll(data, image);  // every group on, both settings on
  data.m_groups[17].flags = group_flag::kEnabled;  // settings 1 and 4 switched off
  image[area::kGroupBits1 + 31] = 0xFC;            // groups 250-255 of 0x096: nobody's
  image[area::kGroupBits0 + 31] = 0xA8;
  ASSERT_TRUE(data.ValidateBeforeWrite(*RecordsOf(kMobile), image.data()));
  EXPECT_TRUE(GetBitLsb(image.data() + area::kGroupBits1, 17));
  EXPECT_TRUE(GetBitLsb(image.data() + area::kGroupBits4, 17));
  EXPECT_FALSE(GetBitLsb(image.data() + area::kGroupBits0, 17));
  EXPECT_EQ(image[area::kGroupBits1 + 31], 0xFC);
  EXPECT_EQ(image[area::kGroupBits0 + 31], 0xA8);
  EXPECT_EQ(image[area::kGroupBits1 + 2], 0x02);  // only group 17 off
}

namespace {

// One enabled LTR zone (zone 2) with a programmed home repeater; the rest off.
struct LtrZoneFixture {
  CRadioDataCore data{kMobileFamilyTraits};
  std::unique_ptr<CFamilyModel> records = RecordsOf(kMobile);
  Image image = BlankImage();
  ScriptedMessages messages;
  LtrZoneFixture() {
    data.SetZoneDefaults();
    data.InitSystem(2, 1);
    data.m_zoneFlags[2] = zone_flag::kEnabled;
    data.m_zoneBytes[zone_byte::kHome][2] = 3;
    data.m_repeaters[2][2] = 0x0010;
  }
  // Packs and returns the one message shown, or "" after a successful pack.
  std::string Pack() {
    const Image before = image;
    const int result = data.ValidateBeforeWrite(*records, image.data());
    if (result == 1) {
      return messages.texts().empty() ? "" : "unexpected: " + messages.texts()[0];
    }
    if (image != before) return "image changed by a refused pack";
    return messages.texts().size() == 1 ? messages.texts()[0] : "no single message";
  }
};

}  // namespace

TEST(GroupZoneData, BlockDecodePairs) {
  struct Case {
    std::uint8_t start, end;
    bool ok;
  };
  const Case cases[] = {{0xFF, 0xFF, true}, {5, 5, true}, {1, 250, true}, {6, 5, false},
                        {0, 5, false},      {1, 251, false}, {0xFF, 5, false}, {5, 0xFF, false}};
  for (int pair = 0; pair < 2; ++pair) {
    for (const Case& c : cases) {
      LtrZoneFixture f;
      f.data.m_zoneBytes[zone_byte::kBlockStart1 + 2 * pair][2] = c.start;
      f.data.m_zoneBytes[zone_byte::kBlockEnd1 + 2 * pair][2] = c.end;
      EXPECT_EQ(f.Pack(), c.ok ? "" : "LTR Block decode Start ID must be less than Block decode End ID on System 3 ")
          << "pair " << pair << ": " << int(c.start) << ", " << int(c.end);
    }
  }
}

TEST(GroupZoneData, HomeChannelChecks) {
  struct Case {
    const char* name;
    std::uint8_t home;
    std::uint16_t word;  // repeater word at index 2
    bool ok;
  };
  const Case cases[] = {
      {"home 3 programmed", 3, 0x0010, true},
      {"area bit ignored", 0x83, 0x0010, true},
      {"home 3 empty", 3, 0x03FF, false},
      {"home 3 on a channel past 639", 3, 0x0300, false},
      {"no home", 0, 0x0010, false},
      {"home 21 past the list", 21, 0x0010, false},
      {"home 127", 0x7F, 0x0010, false},
  };
  for (const Case& c : cases) {
    LtrZoneFixture f;
    f.data.m_zoneBytes[zone_byte::kHome][2] = c.home;
    f.data.m_repeaters[2][2] = c.word;
    EXPECT_EQ(f.Pack(), c.ok ? "" : "Home Channel of SYS # 3 has not been programmed") << c.name;
    if (c.ok) {
      EXPECT_EQ(RepeaterWord(f.image, 2, 2), c.word | 0x6000) << c.name;
    }
  }
  // A switched-off LTR zone is not checked.
  LtrZoneFixture off;
  off.data.m_zoneFlags[2] = 0;
  off.data.m_zoneBytes[zone_byte::kHome][2] = 0;
  EXPECT_EQ(off.Pack(), "");
}

TEST(GroupZoneData, HomeMarkStaysInsideTheZonesOwnList) {
  // Conventional zones keep the Connect Dial count in the home byte: 0x7F
  // would name word 126 of a 20-word list, i.e. some later zone's words.
  CRadioDataCore data(kPortableFamilyTraits);
  data.SetZoneDefaults();
  Image image = BlankImage();
  for (int z = 0; z < kZoneCount; ++z) data.m_zoneBytes[zone_byte::kHome][z] = 0x7F;
  data.m_zoneBytes[zone_byte::kHome][30] = 0x00;  // home 0 marks word 0
  data.m_zoneBytes[zone_byte::kHome][29] = 0x14;  // 20: the list's last word
  ASSERT_TRUE(data.ValidateBeforeWrite(*RecordsOf(kPortable), image.data()));
  for (int z = 0; z < kZoneCount; ++z) {
    for (int r = 0; r < kRepeatersPerZone; ++r) {
      const bool marked = (z == 30 && r == 0) || (z == 29 && r == 19);
      EXPECT_EQ(data.m_repeaters[z][r], marked ? 0x63FF : 0x03FF) << z << "/" << r;
      EXPECT_EQ(RepeaterWord(image, z, r), data.m_repeaters[z][r]);
    }
  }
  // The zone records stop at byte 56.
  EXPECT_EQ(image[ZoneRecordOffset(31) + 56], 0xFF);
}

TEST(GroupZoneData, InterconnectChecksNeedAPhoneKey) {
  struct Case {
    const char* name;
    bool phoneKey;
    bool ltr;
    std::uint8_t interconnectId;
    std::uint8_t homeOrDial;
    const char* message;
  };
  const Case cases[] = {
      {"LTR without ID", true, true, 0xFF, 3,
       "Please set up the Interconnect ID or disable the Phone Interconnect function."},
      {"LTR with ID", true, true, 7, 3, ""},
      {"LTR without ID, no phone key", false, true, 0xFF, 3, ""},
      {"conventional without dial", true, false, 0xFF, 0x0F,
       "Please set up the Connect Dial or disable the Phone Interconnect function."},
      {"conventional with dial", true, false, 0xFF, 0x10, ""},
  };
  for (const Case& c : cases) {
    LtrZoneFixture f;
    if (c.phoneKey) f.records->keys.keyFunc[5] = kKeyFunctionPhone;
    if (!c.ltr) f.data.InitSystem(2, kZoneModeConventional);
    f.data.m_zoneBytes[zone_byte::kPower][2] = 0x80;
    f.data.m_zoneBytes[zone_byte::kInterconnectId][2] = c.interconnectId;
    f.data.m_zoneBytes[zone_byte::kHome][2] = c.homeOrDial;
    EXPECT_EQ(f.Pack(), c.message) << c.name;
  }
}

TEST(GroupZoneData, PortableStoreGroupRefusals) {
  struct Case {
    const char* name;
    bool ltrZone;
    std::uint8_t tone;
    std::uint8_t options3;
    std::uint16_t word;
    const char* message;
  };
  const char* const kTone = "Please set up the CTCSS/DCS information or disable the Horn alert function.";
  const char* const kQals = "DCS code not been programmed for the QALS function on System 2";
  const Case cases[] = {
      {"horn alert 2 without tone", true, 0x00, 0, 0x2005, kTone},
      {"horn alert 3 without tone", true, 0x07, 0, 0x3005, kTone},
      {"horn alert 1 without tone", true, 0x00, 0, 0x1005, nullptr},
      {"horn alert 2 with CTCSS", true, 0x08, 0, 0x2005, nullptr},
      {"tone flag on conventional zone", false, 0x00, 0x08, 0x0005, kTone},
      {"tone flag on LTR zone", true, 0x00, 0x08, 0x0005, nullptr},
      {"tone flag with DCS", false, 0x10, 0x08, 0x0005, nullptr},
      {"QALS without tone", true, 0x00, 0, 0x8005, kQals},
      {"QALS with CTCSS", true, 0x0A, 0, 0x8005, kQals},
      {"QALS with DCS code 1", true, 0x11, 0, 0x8005, kQals},
      {"QALS with DCS code 2", true, 0x12, 0, 0x8005, nullptr},
      {"QALS with type 24 code 3", true, 0x1B, 0, 0x8005, nullptr},
  };
  for (const Case& c : cases) {
    CRadioDataCore data(kPortableFamilyTraits);
    data.SetZoneDefaults();
    data.m_groupCounts[0] = 4;
    data.m_groupCounts[1] = 3;  // zone 1 (System 2) owns slots 4-6
    data.InitSystem(1, c.ltrZone ? 1 : kZoneModeConventional);
    CGroupRecord& group = data.m_groups[5];
    group.flags = group_flag::kEnabled;
    group.settings[group_byte::kTone] = c.tone;
    group.settings[group_byte::kOptions3] = c.options3;
    group.channelWord = c.word;
    Image image = BlankImage();
    ScriptedMessages messages;
    const auto records = RecordsOf(kPortable);
    const int result = data.StoreGroup(*records, 5, image.data());
    if (c.message) {
      EXPECT_EQ(result, 0) << c.name;
      EXPECT_EQ(messages.texts(), std::vector<std::string>{c.message}) << c.name;
      EXPECT_EQ(image, BlankImage()) << c.name << ": a refusal writes nothing";
    } else {
      EXPECT_EQ(result, 1) << c.name;
      EXPECT_TRUE(messages.texts().empty()) << c.name;
      EXPECT_EQ(GetBE16(image.data() + GroupOffset(5) + group_slot::kChannelWord), c.word) << c.name;
    }
    // The same group switched off is never tested, nor one in a slot that
    // no zone owns (the radio never uses it).
    group.flags = 0;
    EXPECT_EQ(data.StoreGroup(*records, 5, image.data()), 1) << c.name;
    data.m_groups[100] = group;
    data.m_groups[100].flags = group_flag::kEnabled;
    EXPECT_EQ(data.StoreGroup(*records, 100, image.data()), 1) << c.name;
  }
}

TEST(GroupZoneData, StoreGroupRules) {
  Image image = BlankImage();
  CRadioDataCore portable(kPortableFamilyTraits);
  portable.SetZoneDefaults();
  portable.m_groups[3].settings = {0xFF, 0xFF, 0x00, 0xFF, 0x12, 0x34};
  portable.m_groups[3].channelWord = 0x0123;
  portable.m_groups[3].SetTag("TAGTAG");
  ASSERT_EQ(portable.StoreGroup(*RecordsOf(kPortable), 3, image.data()), 1);
  const std::uint8_t expected[16] = {0xFF, 0x9F, 0x00, 0xFB, 0x12, 0x34, 0x01, 0x23,
                                     'T',  'A',  'G',  'T',  'A',  'G',  0,    0};
  EXPECT_EQ(0, std::memcmp(image.data() + GroupOffset(3), expected, 16));
  EXPECT_EQ(portable.m_groups[3].settings[group_byte::kOptions3], 0xFB);  // bit 2 cleared in the record too
  EXPECT_EQ(portable.m_groups[3].settings[group_byte::kOptions1], 0xFF);  // the record keeps its byte 1

  // Mobile radio with the encryption board: bits 3-4 of settings byte 0 go.
  CRadioDataCore mobile(kMobileFamilyTraits);
  mobile.SetZoneDefaults();
  mobile.m_groups[0].settings[group_byte::kOptions0] = 0xFF;
  const auto records = RecordsOf(kMobile);
  records->global.optionBoard = 0x03;
  ASSERT_EQ(mobile.StoreGroup(*records, 0, image.data()), 1);
  EXPECT_EQ(image[GroupOffset(0)], 0xE7);
  EXPECT_EQ(mobile.m_groups[0].settings[group_byte::kOptions0], 0xE7);
  records->global.optionBoard = 0x64;  // another board: the bits stay
  mobile.m_groups[0].settings[group_byte::kOptions0] = 0xFF;
  ASSERT_EQ(mobile.StoreGroup(*records, 0, image.data()), 1);
  EXPECT_EQ(image[GroupOffset(0)], 0xFF);
  EXPECT_EQ(mobile.StoreGroup(*records, 250, image.data()), 0);
}

TEST(GroupZoneData, DefaultsAndZoneInitialisation) {
  for (Family family : {kMobile, kPortable}) {
    CRadioDataCore data(family == kMobile ? kMobileFamilyTraits : kPortableFamilyTraits);
    data.SetZoneDefaults();
    EXPECT_EQ(data.m_groupCounts[0], 1);
    EXPECT_EQ(data.m_zoneFlags[0], 17);
    EXPECT_EQ(data.m_freeGroups, 249);
    EXPECT_STREQ(data.m_groups[0].tag.data(), "GROUP001");
    EXPECT_STREQ(data.m_groups[249].tag.data(), "GROUP250");
    EXPECT_EQ(data.m_groups[0].channelWord, 0);
    EXPECT_EQ(data.m_groups[1].channelWord, 0x3FF);
    EXPECT_EQ(data.m_groups[0].flags, 1);
    EXPECT_STREQ(data.m_zoneNames[9].data(), "ZONE  10");
    EXPECT_STREQ(data.m_powerOnText.data(), "SELFTEST");
    EXPECT_STREQ(data.m_statusTexts[13].data(), "-TS OFF-");
    EXPECT_STREQ(data.m_statusTexts[14].data(), family == kMobile ? "- P A  -" : "");
    // The group pages' "Default" column: Monitor on, 2nd Tx Power off, Time Out Timer on.
    EXPECT_EQ(data.m_defaultGroup.bytes, (std::array<std::uint8_t, 6>{0x87, 0, 0, 0, 0, 0}));
    EXPECT_EQ(data.m_defaultGroup.word6, 0x4000);
    const std::uint8_t conventional[16] = {0, 0x66, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xF0, 0x88, 0, 0, 0};
    for (int k = 0; k < kZoneByteCount; ++k) EXPECT_EQ(data.m_zoneBytes[k][31], conventional[k]) << k;
    EXPECT_EQ(data.m_repeaters[31][19], 0x3FF);
    data.InitSystem(4, 1);
    const std::uint8_t ltr[16] = {0,    0x66, 1,    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 17,
                                  family == kMobile ? std::uint8_t(42) : std::uint8_t(10),
                                  0xFF, 0xF0, 0x84, 40,   4,    10};
    for (int k = 0; k < kZoneByteCount; ++k) EXPECT_EQ(data.m_zoneBytes[k][4], ltr[k]) << k;
    EXPECT_TRUE(data.IsLtrZone(4));
    data.InitSystem(32, 1);  // no such zone: nothing happens
  }
}

TEST(GroupZoneData, ResetSystemGroupsStopsAtTheLastSlot) {
  CRadioDataCore data(kMobileFamilyTraits);
  data.SetZoneDefaults();
  data.m_groupCounts[0] = 240;
  data.m_groupCounts[1] = 20;  // a damaged count runs past slot 249
  data.InitSystem(1, 1);
  for (auto& g : data.m_groups) g.settings = {1, 2, 3, 4, 5, 6};
  data.ResetSystemGroups(1);
  EXPECT_EQ(data.m_groups[239].settings[0], 1);
  for (int g = 240; g < kGroupCount; ++g) {
    EXPECT_EQ(data.m_groups[g].settings, (std::array<std::uint8_t, 6>{0x87, 0, 0, 0, 0xFF, 0xFF}));
    EXPECT_EQ(data.m_groups[g].channelWord, 0x13FF);
  }
  data.m_groupCounts[1] = 5;
  data.InitSystem(1, kZoneModeConventional);
  data.ResetSystemGroups(1);
  EXPECT_EQ(data.m_groups[244].channelWord, 0x03FF);
  EXPECT_EQ(data.m_groups[245].channelWord, 0x13FF);
  EXPECT_STREQ(data.m_groups[244].tag.data(), "GROUP245");  // tags stay
}

TEST(GroupZoneData, ZoneAndGroupLists) {
  CRadioDataCore data(kMobileFamilyTraits);
  data.SetZoneDefaults();
  data.m_zoneFlags[3] = zone_flag::kEnabled;
  data.m_zoneFlags[11] = zone_flag::kEnabled;
  data.m_groupCounts = {};
  data.m_groupCounts[0] = 2;
  data.m_groupCounts[3] = 4;  // groups 2-5
  for (int g : {2, 4, 5}) data.m_groups[g].flags = group_flag::kEnabled;

  FakeChoiceList zones;
  zones.texts = {"kept"};  // the caller empties the list, the filler only adds
  zones.values = {7};
  data.FillZoneCombo(zones, 11);
  EXPECT_EQ(zones.texts, (std::vector<std::string>{"kept", "None", "Zone  1", "Zone  4", "Zone 12"}));
  EXPECT_EQ(zones.values, (std::vector<std::uint32_t>{7, 255, 0, 3, 11}));
  EXPECT_EQ(zones.selected, 4);
  zones.Clear();
  data.FillZoneCombo(zones, 255);
  EXPECT_EQ(zones.selected, 0);
  zones.Clear();
  data.FillZoneCombo(zones, 300);
  EXPECT_EQ(zones.selected, 0);
  zones.Clear();
  data.FillZoneCombo(zones, 5);  // a zone that is off is not listed
  EXPECT_EQ(zones.selected, -1);

  FakeChoiceList groups;
  groups.texts = {"old"};
  groups.values = {1};
  data.FillGroupCombo(groups, 3, 4);
  EXPECT_EQ(groups.texts, (std::vector<std::string>{"None", "Grp  3", "Grp  5", "Grp  6"}));
  EXPECT_EQ(groups.values, (std::vector<std::uint32_t>{255, 2, 4, 5}));
  EXPECT_EQ(groups.selected, 2);
  data.FillGroupCombo(groups, 3, 3);  // a group that is off: "None"
  EXPECT_EQ(groups.selected, 0);
  data.FillGroupCombo(groups, 255, 4);
  EXPECT_EQ(groups.texts, std::vector<std::string>{"None"});
  EXPECT_EQ(groups.selected, 0);

  FakeChoiceList revert;
  data.FillGroupListBox(revert, 3, 3);
  EXPECT_EQ(revert.texts, (std::vector<std::string>{"None", "Grp  3", "Grp  5", "Grp  6"}));
  EXPECT_EQ(revert.values, (std::vector<std::uint32_t>{255, 0, 2, 3}));
  EXPECT_EQ(revert.selected, 3);
  data.FillGroupListBox(revert, 3, 255);
  EXPECT_EQ(revert.selected, 0);

  EXPECT_EQ(data.GetZoneText(255), "None");
  EXPECT_EQ(data.GetZoneText(11), "Zone 12");
  EXPECT_EQ(data.GetZoneText(5), "");
  EXPECT_EQ(data.GetZoneText(40), "");
}

TEST(GroupZoneData, GroupListsStayInsideTheGroupTable) {
  // Counts that a page left past 250: the list ends at group 250.
  CRadioDataCore data(kPortableFamilyTraits);
  data.SetZoneDefaults();
  data.m_groupCounts[0] = 245;
  data.m_groupCounts[1] = 30;
  for (auto& g : data.m_groups) g.flags = group_flag::kEnabled;
  FakeChoiceList groups;
  data.FillGroupCombo(groups, 1, 249);
  ASSERT_EQ(groups.texts.size(), 6u);
  EXPECT_EQ(groups.texts.back(), "Grp 250");
  EXPECT_EQ(groups.selected, 5);
  data.FillGroupCombo(groups, 2, 0);  // starts past the table: "None" only
  EXPECT_EQ(groups.texts.size(), 1u);
}

TEST(GroupZoneData, PageNamesReachTheOneRadioData) {
  FreshProgramState fresh;
  EXPECT_EQ(&g_mobileData, &g_mobileModel.records.data);
  EXPECT_EQ(&g_portableData, &g_portableModel.records.data);
  g_portableData.m_zoneBytes[zone_byte::kType][7] = 0x84;
  EXPECT_TRUE(g_portableData.IsLtrZone(7));
  EXPECT_EQ(g_portableData.Traits().family, kPortable);
}
