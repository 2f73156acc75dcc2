#include <gtest/gtest.h>

#include "ProgramState.h"
#include "model/FamilyModel.h"
#include "model/GlobalRecordText.h"

namespace {

TEST(EmergencyCode, TypedTextsStoreTheirDigitsAndShowPaddedToFifteen) {
  ResetProgramState();
  CGlobalRecord& r = g_mobileModel.records.global;
  struct Case {
    const char* typed;
    std::array<std::uint8_t, 8> bytes;
    const char* shown;
  } cases[] = {
      {"12*#", {0x41, 0x2E, 0xF0, 0, 0, 0, 0, 0}, "12*#           "},
      {"", {0, 0, 0, 0, 0, 0, 0, 0}, "               "},
      // A blank ends the count; the digits after it are still kept.
      {"123 45", {0x31, 0x23, 0x04, 0x50, 0, 0, 0, 0}, "123            "},
      {"ABCD0123456789*", {0xFA, 0xBC, 0xD0, 0x12, 0x34, 0x56, 0x78, 0x9E}, "ABCD0123456789*"},
  };
  for (const Case& c : cases) {
    r.emergencyCode.fill(0xFF);
    StoreEmergencyCode(r, c.typed);
    EXPECT_EQ(r.emergencyCode, c.bytes) << c.typed;
    EXPECT_EQ(EmergencyCodeText(r), c.shown) << c.typed;
    // What the edit shows stores the same again.
    StoreEmergencyCode(r, EmergencyCodeText(r));
    EXPECT_EQ(EmergencyCodeText(r), c.shown) << c.typed;
  }
}

TEST(AfMinVrLevel, ZeroToThirtyOneIsStoredAndMoreRefused) {
  EXPECT_EQ(AfMinVrLevelOfText("31"), 31);
  EXPECT_EQ(AfMinVrLevelOfText("0"), 0);
  EXPECT_EQ(AfMinVrLevelOfText(""), 0);
  EXPECT_EQ(AfMinVrLevelOfText("32"), std::nullopt);
  EXPECT_EQ(AfMinVrLevelOfText("99"), std::nullopt);
}

}  // namespace
