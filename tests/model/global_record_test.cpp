#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "FakeRadioData.h"
#include "TestNames.h"
#include "ProgramState.h"
#include "ScriptedMessages.h"
#include "model/ConfigFile.h"
#include "model/DtmfData.h"
#include "model/GlobalRecord.h"
#include "model/KeyAssignRecord.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class GlobalRecordTest : public ::testing::TestWithParam<Family> {
protected:
  void SetUp() override { radio.Assign({3, 5}); }  // zone 0: groups 0-2, zone 1: groups 3-7
  Family family() const { return GetParam(); }
  CFamilyModel& model() { return ModelOf(family()); }
  CGlobalRecord& rec() { return model().global; }
  CKeyAssignRecord& keys() { return model().keys; }
  // Between the cases of one test: the records the checks read, as defaults.
  void Reset() {
    model().keys.SetDefaults();
    model().dtmf.InitDtmfData();
    model().global.SetDefaults();
  }

  FreshProgramState fresh;
  FakeRadioData radio{GetParam()};
  Bytes image = Bytes(kImageBufferSize, 0xFF);
  ScriptedMessages messages;
};

INSTANTIATE_TEST_SUITE_P(BothFamilies, GlobalRecordTest, ::testing::Values(kMobile, kPortable), FamilyName);

TEST_P(GlobalRecordTest, EachRefusalFromTheSmallestChange) {
  struct Case {
    const char* name;
    std::function<void(CGlobalRecord&, CKeyAssignRecord&)> change;
    std::string message;
  };
  const std::string homeGroup =
      "Please assign the Home System/Group at the Common 2 menu or delete the Home key assignment\r\n"
      "and disable the Home Group Scan at the Common 1 menu.";
  const Case cases[] = {
      {"home key", [](auto&, auto& k) { k.keyFunc[2] = 19; }, "Home System has not been programmed"},
      {"home group scan",
       [](auto& r, auto&) {
         r.displayOptions |= 0x20;
         r.homeZone = 0;
       },
       homeGroup},
      {"revert group 1, zone off",
       [](auto& r, auto&) {
         r.powerOnOptions = 0x08;
         r.homeZone = 5;
         r.homeGroup = 0;
       },
       "Home System has not been programmed"},
      {"home group beyond the groups",
       [](auto& r, auto& k) {
         k.keyFunc[12] = 19;
         r.homeZone = 1;
         r.homeGroup = 8;
       },
       homeGroup},
      {"power on in system 1",
       [this](auto& r, auto&) {
         r.powerOnOptions = 0x21;
         radio.groups[0] = false;
       },
       "Please set up the System 1/Group 1."},
      {"short cut 1", [](auto& r, auto& k) { k.keyFunc[0] = 26; r.shortcut1Zone = 0; }, "Short cut # 1 has not been programmed"},
      {"short cut 2", [](auto& r, auto& k) { k.keyFunc[0] = 27; r.shortcut2Zone = 0; }, "Short cut # 2 has not been programmed"},
      {"short cut 3", [](auto& r, auto& k) { k.keyFunc[7] = 28; r.shortcut3Group = 1; }, "Short cut # 3 has not been programmed"},
      {"short cut 4", [](auto&, auto& k) { k.keyFunc[11] = 29; }, "Short cut # 4 has not been programmed"},
      {"emergency zone", [](auto&, auto& k) { k.keyFunc[5] = 17; }, "Emergency System has not been programmed"},
      {"emergency group",
       [](auto& r, auto& k) {
         k.keyFunc[5] = 17;
         r.emergencyZone = 1;
       },
       "Emergency Group has not been programmed"},
  };
  for (const Case& c : cases) {
    Reset();
    radio.groups[0] = true;
    messages.clear();
    c.change(rec(), keys());
    const CGlobalRecord before = rec();
    Bytes out = image;
    EXPECT_EQ(rec().Pack(model(), out.data(), 0), 0) << c.name;
    ASSERT_EQ(messages.texts().size(), 1u) << c.name;
    EXPECT_EQ(messages.texts()[0], c.message) << c.name;
    EXPECT_EQ(messages.shown()[0].style, unsigned{kMsgOk});
    EXPECT_EQ(out, image) << c.name << ": a refusal writes nothing";
    EXPECT_EQ(rec().displayOptions, before.displayOptions);
    EXPECT_EQ(rec().advancedOptions, before.advancedOptions);
  }
  // The default record needs nothing programmed and shows nothing.
  Reset();
  messages.clear();
  EXPECT_EQ(rec().Pack(model(), image.data(), 0), 1);
  EXPECT_TRUE(messages.texts().empty());
  EXPECT_EQ(image[140], 255);
  EXPECT_EQ(image[141], 255);
}

// Unpack, change nothing, pack: every byte comes back, including every bit
// the record does not own, except the few bits the radio needs forced.
TEST_P(GlobalRecordTest, UnpackPackKeepsEveryBit) {
  std::mt19937 random(7);
  for (auto& b : image) b = static_cast<std::uint8_t>(random());
  // Bits the pack forces, already as the pack leaves them.
  image[30] = (image[30] & ~0x40) | 0x20;
  image[42] &= ~0x30;
  image[186] &= ~0x10;
  image[202] |= 0x02;
  image[205] |= 0x30;
  image[213] = (image[213] & ~0x06) | 0x09;
  if (family() == kMobile) {
    image[705] |= 0x40;
  } else {
    image[31] &= ~0x04;  // the portable unpack rewrites b3-6 when b2 is set
    image[226] = 0;
    image[182] = (image[182] & ~0x40) | ((image[42] & 0x04) ? 0x40 : 0);
  }
  // Groups inside their zones (zone 1 holds 5), or none.
  const std::pair<int, int> pairs[] = {{140, 141}, {210, 211}, {214, 215}, {216, 217},
                                       {218, 219}, {220, 221}, {234, 235}};
  for (auto [g, z] : pairs) {
    image[z] = 1;
    image[g] = static_cast<std::uint8_t>(g % 5);
  }
  image[234] = image[235] = 255;
  image[731] = 1;
  for (int i = 732; i < 748; ++i) image[i] = static_cast<std::uint8_t>(i % 2 ? 255 : i % 5);
  keys().keyFunc.fill(0);
  const Bytes before = image;
  rec().Unpack(model(), image.data());
  ASSERT_EQ(rec().Pack(model(), image.data(), 0), 1);
  for (std::size_t i = 0; i < image.size(); ++i) ASSERT_EQ(image[i], before[i]) << "byte " << i;
}

TEST_P(GlobalRecordTest, PackForcesTheRadiosBits) {
  image[43] = 0xA7;
  image[202] = 0x50;
  rec().sqlLevelOffset = 0x03;
  rec().qalsOptions = 0x01;
  rec().dataZone = 0x21;
  g_mobileModel.records.dtmf.pagingCodes[7] = 0x2123;
  g_portableModel.records.dtmf.pagingCodes[7] = 0x2123;
  rec().systemOptions = 0xC0;
  keys().keyFunc[0] = kKeyPhone;
  ASSERT_EQ(rec().Pack(model(), image.data(), 0), 1);
  EXPECT_EQ(image[30], 0x20);  // paging decode clears b7; b6 never set, b5 always
  EXPECT_EQ(image[202], 0x53);
  EXPECT_EQ(image[208] & 0x18, 0x18);  // a Phone key forces Revert Group 3
  EXPECT_EQ(image[213], 0x49);
  if (family() == kMobile) {
    EXPECT_EQ(image[43], 0x03);
    EXPECT_EQ(image[211], 0x21);
    EXPECT_EQ(image[705] & 0x40, 0x40);
  } else {
    EXPECT_EQ(image[43], 0xA3);  // the radio's high nibble stays
    EXPECT_EQ(image[211], 0x01);
    EXPECT_EQ(image[226], 0);
  }
}

TEST_P(GlobalRecordTest, PackDefaultWritesAFreshRadio) {
  rec().hardwareByte = 0x42;
  image[202] = 0xF0;
  ASSERT_EQ(rec().PackDefault(model(), image.data(), 0), 1);
  EXPECT_EQ(image[33], 0x42);
  EXPECT_EQ(image[202], 0x02);
  if (family() == kMobile) {
    EXPECT_EQ(image[226], 1);
    EXPECT_EQ(image[236], 0x37);
    EXPECT_EQ(image[249], 0x2F);
    EXPECT_EQ(image[254], 0x5A);
    EXPECT_EQ(image[255], 0xA5);
    EXPECT_EQ(image[705], 0x10);  // b6 not forced
    EXPECT_EQ(image[712], 0);
    EXPECT_EQ(image[752], 10);
    EXPECT_EQ(image[762], 0x1B);
    EXPECT_EQ(image[43], 0x88);
  } else {
    EXPECT_EQ(image[240], 0xFF);
    EXPECT_EQ(image[246], 0x20);
    EXPECT_EQ(image[247], 0x9F);
    EXPECT_EQ(image[43], 0x04);
    EXPECT_EQ(image[211], 0x00);
    EXPECT_EQ(image[249], 0xFF);
  }
}

TEST_P(GlobalRecordTest, PassOneBlocks) {
  TempDir dir;
  g_config.ReadConfig();
  g_portableConfig.ReadConfig();
  const std::uint8_t oldBlock = family() == kMobile ? 184 : 166;
  radio.groups.fill(false);
  ASSERT_EQ(rec().Pack(model(), image.data(), 1), 1);
  EXPECT_EQ(image[252], oldBlock);  // nothing programmed: the old value stays
  EXPECT_EQ(image[253], 0);

  radio.channels[7] = true;
  radio.channels[3] = true;
  radio.groups[8] = true;
  rec().Pack(model(), image.data(), 1);
  EXPECT_EQ(image[252], family() == kMobile ? 58 : 58);  // 57 + 7/5; 57 + 176/128
  EXPECT_EQ(image[253], 26);                             // 25 + 128/128

  radio.channels[639] = true;
  radio.groups[249] = true;
  rec().Pack(model(), image.data(), 1);
  EXPECT_EQ(image[252], oldBlock);  // the portable 167 is capped at its layout's 166
  EXPECT_EQ(image[253], 56);
}

// The last group block is the block of the highest group in use: 16-byte
// groups from block 25, eight to a block. Each pair straddles a block edge.
TEST_P(GlobalRecordTest, LastGroupBlockMovesOnAtEachBlockEdge) {
  const struct {
    int highestGroup;
    std::uint8_t block;
  } cases[] = {{0, 25}, {7, 25}, {8, 26}, {15, 26}, {16, 27}, {63, 32}, {64, 33},
               {127, 40}, {128, 41}, {247, 55}, {248, 56}, {249, 56}};
  for (const auto& c : cases) {
    radio.groups.fill(false);
    radio.groups[0] = true;
    radio.groups[static_cast<std::size_t>(c.highestGroup)] = true;
    ASSERT_EQ(rec().Pack(model(), image.data(), 1), 1);
    EXPECT_EQ(image[253], c.block) << "highest group " << c.highestGroup;
  }
}

TEST_P(GlobalRecordTest, GroupConversionAndItsBounds) {
  CGlobalRecord& r = rec();
  EXPECT_EQ(r.ToZoneGroup(model(), 4), 1);  // group 1 of zone 1
  EXPECT_EQ(r.ToAbsoluteGroup(model(), 1, 1), 4);
  EXPECT_EQ(r.ToZoneGroup(model(), 7), 4);
  EXPECT_EQ(r.ToZoneGroup(model(), 8), 255);  // beyond the assigned groups: no walking past zone 31
  EXPECT_EQ(r.ToZoneGroup(model(), 255), 255);
  EXPECT_EQ(r.ToAbsoluteGroup(model(), 255, 1), 255);
  EXPECT_EQ(r.ToAbsoluteGroup(model(), 0, 32), 255);
  EXPECT_EQ(r.ToAbsoluteGroup(model(), 0, 254), 255);
  radio.counts.fill(200);
  EXPECT_EQ(r.ToAbsoluteGroup(model(), 60, 1), 255);  // 260 would be beyond group 249 ...
  EXPECT_EQ(r.ToAbsoluteGroup(model(), 49, 0), 49);
  EXPECT_EQ(r.ToAbsoluteGroup(model(), 0, 2), 255);   // ... and 400 must not wrap to 144
  // Unpack places groups by the zone read beside them.
  radio.counts = {};
  radio.counts[0] = 3;
  radio.counts[1] = 5;
  image[140] = 1;
  image[141] = 1;
  r.Unpack(model(), image.data());
  EXPECT_EQ(r.homeGroup, 4);
  EXPECT_EQ(r.homeZone, 1);
}

// A group byte naming no group of its zone shows as not set on the pages; it
// must come back from every save as the radio held it, until the pair is edited.
TEST_P(GlobalRecordTest, AGroupItsZoneDoesNotHaveIsKeptUntilThePairIsEdited) {
  auto zones = [this] {
    radio.counts = {};
    radio.counts[0] = 1;  // absolute group 0
    radio.counts[19] = 71;  // 1-71
    radio.counts[23] = 80;  // 72-151
  };
  ASSERT_EQ(rec().PackDefault(model(), image.data(), 0), 1);  // settings the checks pass
  using Edit = std::function<void(CGlobalRecord&)>;
  struct Case {
    const char* name;
    std::uint8_t zone, group;  // image 235 / 234
    Edit edit;
    std::uint8_t saved;        // image 234 after the pack
  };
  const Edit none = [](CGlobalRecord&) {};
  const Case cases[] = {
      {"zone 0, group deep into zone 23", 0, 0x87, none, 0x87},
      {"no zone", 255, 7, none, 7},
      {"beyond group 249", 23, 0xF0, none, 0xF0},
      {"one past zone 19", 19, 71, none, 71},
      {"None chosen", 0, 0x87, [](CGlobalRecord& r) { r.emergencyGroup = kNoGroup; }, 0xFF},
      {"another zone and its group", 0, 0x87,
       [](CGlobalRecord& r) {
         r.emergencyZone = 19;
         r.emergencyGroup = 6;
       },
       5},
      {"another zone, then back", 0, 0x87,
       [](CGlobalRecord& r) {
         r.emergencyZone = 19;
         r.emergencyGroup = kNoGroup;
         r.emergencyZone = 0;
       },
       0xFF},
      // The kept 7 would be a group of zone 19.
      {"a zone for the pair without one", 255, 7, [](CGlobalRecord& r) { r.emergencyZone = 19; }, 0xFF},
      // Absolute 81 was beyond zone 19 (1-71) and becomes its group 70 when
      // zone 0 grows: the pages show it set, so it packs as any set pair.
      {"the group becomes its zone's own", 19, 80, [this](CGlobalRecord&) { radio.counts[0] = 11; }, 70},
      {"a model change", 255, 7, [](CGlobalRecord& r) { r.SetDefaults(); }, 0xFF},
  };
  for (const Case& c : cases) {
    zones();
    image[235] = c.zone;
    image[234] = c.group;
    rec().Unpack(model(), image.data());
    c.edit(rec());
    Bytes out = image;
    ASSERT_EQ(rec().Pack(model(), out.data(), 0), 1) << c.name;
    EXPECT_EQ(out[234], c.saved) << c.name;
    EXPECT_EQ(out[235], rec().emergencyZone) << c.name;
  }

  // Unpack and pack four times over: nothing moves, the D-sub groups
  // (sharing one zone) neither.
  zones();
  rec().SetDefaults();
  image[235] = 0;
  image[234] = 0x87;
  image[731] = 0;
  image[732] = 0;
  image[745] = 0x87;
  for (int save = 1; save <= 4; ++save) {
    rec().Unpack(model(), image.data());
    ASSERT_EQ(rec().Pack(model(), image.data(), 0), 1);
    EXPECT_EQ(image[234], 0x87) << "save " << save;
    if (family() == kMobile) {
      EXPECT_EQ(image[732], 0) << "save " << save;
      EXPECT_EQ(image[745], 0x87) << "save " << save;
    }
  }
}

TEST_P(GlobalRecordTest, UnpackNormalisesItsCopies) {
  image[31] = 0x04;
  image[42] = 0x2C;
  image[43] = 0xA7;
  image[182] = 0x00;
  image[205] = 0x00;
  image[32] = family() == kMobile ? 0x01 : 0x3C;
  std::copy_n("PASS    ", 8, &image[34]);
  rec().Unpack(model(), image.data());
  EXPECT_EQ(rec().lcdOptions, 0x0C);
  EXPECT_EQ(rec().advancedOptions, 0x10);
  EXPECT_EQ(rec().modelCode, image[32]);
  EXPECT_EQ(rec().modelGroup, 0u);
  EXPECT_EQ(rec().passwordText, "PASS");
  if (family() == kMobile) {
    EXPECT_EQ(rec().optionByte31, 0x04);
    EXPECT_EQ(rec().sqlLevelOffset, 0xA7);
    EXPECT_EQ(rec().backLight, 0u);
  } else {
    EXPECT_EQ(rec().optionByte31, 0x1C);  // b3-6 forced to 3 while b2 is set
    EXPECT_EQ(rec().sqlLevelOffset, 0x07);
    EXPECT_EQ(rec().backLight, 1u);
  }
  EXPECT_EQ(*rec().FieldOfImageByte(209), rec().emergencyKeyOptions);
  EXPECT_EQ(rec().FieldOfImageByte(140), nullptr);
  EXPECT_EQ(rec().FieldOfImageByte(704) != nullptr, family() == kMobile);
}

}  // namespace

namespace {

// A model change resets the record: the back light must go back to off with
// the bytes that hold it, or the next pack writes the old radio's back light
// into the new radio's defaults.
TEST_P(GlobalRecordTest, DefaultsTurnTheBackLightOff) {
  image[182] = 0x58;  // mobile back light
  image[42] = 0x0C;   // portable back light
  rec().Unpack(model(), image.data());
  ASSERT_EQ(rec().backLight, 1u);
  rec().SetDefaults();
  EXPECT_EQ(rec().backLight, 0u);
  Bytes fresh(kImageBufferSize, 0xFF);
  ASSERT_EQ(rec().PackDefault(model(), fresh.data(), 0), 1);
  EXPECT_EQ(fresh[182], 0x18);
  EXPECT_EQ(fresh[42], 0x08);
}

}  // namespace
