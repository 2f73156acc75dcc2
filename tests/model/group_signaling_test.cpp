// The signalling (paging) function of the advanced group pages as truth
// tables over family, product code, option board, encryption and line.
#include <gtest/gtest.h>

#include "model/GroupSignaling.h"

namespace {

SignalingContext Ctx(Family family, bool code1139, bool xld = false, bool noEncryption = false) {
  SignalingContext ctx;
  ctx.family = family;
  ctx.code1139 = code1139;
  ctx.xld = xld;
  ctx.noEncryption = noEncryption;
  return ctx;
}

TEST(ConvSignaling, GroupStoresByFamilyCodeBoardEncryptionAndLine) {
  const struct {
    SignalingContext ctx;
    std::uint8_t byte0, byte1, byte3;
    int line;
    std::uint8_t byte1After, byte3After;
  } cases[] = {
      // mobile 11/39 with the XLD-200, no encryption: four lines
      {Ctx(kMobile, true, true), 0x00, 0x85, 0x00, 2, 0x41, 0x00},  // Option: ANI off, number 1
      {Ctx(kMobile, true, true), 0x00, 0x85, 0x00, 3, 0x50, 0x00},  // Signaling: number 0
      {Ctx(kMobile, true, true), 0x00, 0x53, 0x00, 3, 0x53, 0x00},  // the same pair: number kept
      // with encryption on: three lines, line 2 is Signaling
      {Ctx(kMobile, true, true), 0x08, 0x05, 0x00, 2, 0x50, 0x00},
      {Ctx(kMobile, true, false), 0x00, 0x85, 0x00, 2, 0x50, 0x00},
      {Ctx(kMobile, true, false), 0x00, 0x57, 0x00, 1, 0x10, 0x00},  // Paging
      {Ctx(kMobile, true, false), 0x00, 0x17, 0x00, 0, 0x00, 0x00},  // Disable
      // mobile, other codes: byte 3 bit 7 is the second part; bit 6 and ANI kept
      {Ctx(kMobile, false), 0x00, 0xC5, 0x00, 2, 0xD0, 0x80},
      {Ctx(kMobile, false), 0x00, 0x13, 0x80, 1, 0x13, 0x00},
      {Ctx(kMobile, false), 0x00, 0x13, 0x80, 0, 0x00, 0x00},
      // portable, other codes: no number reset
      {Ctx(kPortable, false), 0x00, 0x85, 0x00, 2, 0x95, 0x80},
      {Ctx(kPortable, false), 0x00, 0x95, 0x80, 0, 0x85, 0x00},
      // portable 11/39: "Disable" / "Enable" in bit 4 only
      {Ctx(kPortable, true), 0x00, 0x05, 0x80, 1, 0x15, 0x80},
  };
  int i = 0;
  for (const auto& c : cases) {
    CGroupRecord g;
    g.settings[0] = c.byte0;
    g.settings[1] = c.byte1;
    g.settings[3] = c.byte3;
    StoreConvSignaling(c.ctx, g, c.line);
    EXPECT_EQ(g.settings[1], c.byte1After) << "case " << i;
    EXPECT_EQ(g.settings[3], c.byte3After) << "case " << i;
    ++i;
  }
}

TEST(ConvSignaling, DefaultStoresAndTheGroupsFollow) {
  // Mobile 11/39, XLD, Default encryption off: line 2 is Option.
  {
    const SignalingContext ctx = Ctx(kMobile, true, true);
    CDefaultGroupRecord r;
    r.bytes = {0, 0, 0x02, 0, 0, 0};
    StoreConvDefaultSignaling(ctx, r, 2);
    EXPECT_EQ(r.bytes[1] & 0x10, 0);
    EXPECT_EQ(r.bytes[2], 0x03);  // ANI of the Default record kept
    CGroupRecord g;
    g.settings[1] = 0x93;
    StoreConvSignalingFromDefault(ctx, r, g, 2);
    EXPECT_EQ(g.settings[1], 0x43);  // ANI off, number kept
    EXPECT_EQ(ConvDefaultSignalingValue(ctx, r), 2u);
  }
  // Mobile other codes: bits 5-6 and byte 4 bit 1; portable byte 4 bit 4.
  for (const Family family : {kMobile, kPortable}) {
    const SignalingContext ctx = Ctx(family, false);
    CDefaultGroupRecord r;
    r.bytes = {0, 0x40, 0, 0, 0, 0};
    StoreConvDefaultSignaling(ctx, r, 2);
    EXPECT_EQ(r.bytes[1], 0x20);
    EXPECT_EQ(r.bytes[4], family == kMobile ? 0x02 : 0x10);
    CGroupRecord g;
    g.settings[1] = 0x85;
    StoreConvSignalingFromDefault(ctx, r, g, 2);
    EXPECT_EQ(g.settings[1], 0x95);
    EXPECT_EQ(g.settings[3], 0x80);
    EXPECT_EQ(ConvDefaultSignalingValue(ctx, r), 3u);
  }
}

TEST(ConvSignaling, NumberTextsAndRowsFollowTheFunction) {
  const SignalingContext mobile = Ctx(kMobile, true);
  CGroupRecord g;
  const struct {
    std::uint8_t byte1;
    const char* text;
    std::size_t rows;
  } cases[] = {{0x10, "Loc. 1", 10}, {0x19, "Loc. 0", 10}, {0x50, "Disable", 3},
               {0x52, "MDC-1200", 3}, {0x00, "Disable", 3}, {0x43, "DTMF", 3}};
  for (const auto& c : cases) {
    g.settings[1] = c.byte1;
    EXPECT_EQ(ConvNumberText(mobile, g), c.text) << int(c.byte1);
    EXPECT_EQ(ConvNumberRows(mobile, g).size(), c.rows) << int(c.byte1);
  }
  g.settings[1] = 0x52;
  EXPECT_EQ(ConvNumberText(Ctx(kPortable, false), g), "Loc. 3");
}

TEST(LtrSignaling, BothPartsTogetherByFamilyAndCode) {
  CGroupRecord g;
  StoreLtrSignaling(Ctx(kMobile, true), g, true);
  EXPECT_EQ(g.settings[1], 0x50);
  EXPECT_EQ(LtrSignalingValue(Ctx(kMobile, true), g), 3u);
  EXPECT_EQ(LtrSignalingValue(Ctx(kMobile, false), g), 1u);  // the other code reads byte 3 bit 7
  CGroupRecord p;
  StoreLtrSignaling(Ctx(kPortable, false), p, true);
  EXPECT_EQ(p.settings[1], 0x10);
  EXPECT_EQ(p.settings[3], 0x80);
  StoreLtrSignaling(Ctx(kPortable, false), p, false);
  EXPECT_EQ(p.settings[1] | p.settings[3], 0);
}

TEST(NumberLook, OpenByFunctionAndProductCode) {
  const struct {
    SignalingContext ctx;
    std::uint8_t byte1, byte3;
    bool open;
  } cases[] = {
      {Ctx(kMobile, true), 0x10, 0, true},     // Paging
      {Ctx(kMobile, true), 0x40, 0, true},     // Option
      {Ctx(kMobile, true), 0x50, 0, false},    // Signaling
      {Ctx(kMobile, true), 0x00, 0, false},    // Disable
      {Ctx(kMobile, false), 0x10, 0x80, false},  // Signaling of the other codes
      {Ctx(kMobile, false), 0x10, 0x00, true},
      {Ctx(kPortable, true), 0x00, 0x00, true},
      {Ctx(kPortable, false), 0x10, 0x80, false},
  };
  for (const auto& c : cases) {
    CGroupRecord g;
    g.settings[1] = c.byte1;
    g.settings[3] = c.byte3;
    EXPECT_EQ(ConvNumberOpen(c.ctx, g), c.open) << int(c.byte1) << " " << int(c.byte3);
  }
}

TEST(EncryptionLook, OptionAndTheBoardCloseOnlyWithCode1139) {
  EXPECT_TRUE(MobileEncryptionOpen(Ctx(kMobile, true), 3));
  EXPECT_FALSE(MobileEncryptionOpen(Ctx(kMobile, true), 2));
  EXPECT_FALSE(MobileEncryptionOpen(Ctx(kMobile, true, false, true), 0));
  EXPECT_TRUE(MobileEncryptionOpen(Ctx(kMobile, false, false, true), 2));
}

}  // namespace
