#include <gtest/gtest.h>

#include "model/Settings.h"

namespace {

constexpr Choice kThree[] = {{"one", 1}, {"three", 3}, {"five", 5}};

TEST(BitRange, PutChangesOnlyItsBitsAndGetReadsThemBack) {
  struct Case {
    BitRange bits;
    std::uint32_t before, value, after;
  } cases[] = {
      {Bit(0), 0xFE, 1, 0xFF},
      {Bit(7), 0xFF, 0, 0x7F},
      {Bits(1, 3), 0xF1, 6, 0xFD},
      {Bits(3, 4), 0xE7, 3, 0xFF},
      {Bits(6, 7), 0x3F, 2, 0xBF},
      {kWholeByte, 0x12, 0xA0, 0xA0},
      {Bits(0, 1), 0xFC, 7, 0xFF},  // a value wider than its field is cut to the field
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.bits.Put(c.before, c.value), c.after) << int(c.bits.low) << " " << int(c.bits.count);
    EXPECT_EQ(c.bits.Get(c.after), c.value & ((1u << c.bits.count) - 1)) << int(c.bits.low);
  }
}

TEST(ChoiceRows, StoredValueFindsItsRowOrTheFallback) {
  EXPECT_EQ(RowOfChoice(kThree, 3, 0), 1);
  EXPECT_EQ(RowOfChoice(kThree, 4, 2), 2);
  EXPECT_STREQ(ChoiceText(kThree, 5, 0), "five");
  EXPECT_STREQ(ChoiceText(kThree, 9, 1), "three");
  EXPECT_STREQ(ChoiceText(kThree, 9, 7), "");  // a fallback beyond the rows shows nothing
}

TEST(FieldRef, ReachesExactlyItsBitsOfAByteAGroupWordOrAWholeWord) {
  std::uint8_t byte = 0xA5;
  std::uint16_t groupWord = 0x8001;
  std::uint32_t word = 7;
  const FieldRef inByte(&byte, Bits(1, 2));
  const FieldRef inGroupWord(&groupWord, Bits(9, 12));
  const FieldRef whole(&word);
  EXPECT_EQ(inByte.Get(), 2u);
  inByte.Set(1);
  EXPECT_EQ(byte, 0xA3);
  inGroupWord.Set(0xF);
  EXPECT_EQ(groupWord, 0x9E01);  // bits 9-12 set, bits 15 and 0 kept
  EXPECT_EQ(inGroupWord.Get(), 0xFu);
  whole.Set(0x12345);
  EXPECT_EQ(whole.Get(), 0x12345u);
  const FieldRef none;
  none.Set(3);
  EXPECT_TRUE(none.IsNull());
  EXPECT_EQ(none.Get(), 0u);
}

}  // namespace
