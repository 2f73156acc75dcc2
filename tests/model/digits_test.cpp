#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "RecordingCanvas.h"
#include "model/Digits.h"

TEST(Digits, Conversions) {
  EXPECT_EQ(HexCharToValue('7'), 7);
  EXPECT_EQ(HexCharToValue('F'), 15);
  EXPECT_EQ(HexCharToValue('a'), 42);  // no case folding
  const std::pair<char, int> hex[] = {{'a', 10}, {'f', 15}, {'F', 15}, {'9', 9}, {'G', 0}, {'g', 0}, {' ', 0}, {'@', 0}};
  for (auto [c, v] : hex) EXPECT_EQ(CharToHexValue(c), v) << c;
  const std::pair<int, char> dtmf[] = {{0, '0'}, {9, '9'}, {10, 'A'}, {13, 'D'}, {14, '*'}, {15, '#'}, {16, '-'}, {255, '-'}, {-1, '-'}};
  for (auto [v, c] : dtmf) EXPECT_EQ(DtmfDigitToChar(v), c) << v;
  const std::tuple<int, char, char> digits[] = {{0, '0', '0'}, {10, 'A', 'A'}, {15, 'F', 'F'}, {16, '-', '0'}, {-3, '-', '0'}};
  for (auto [v, dash, zero] : digits) {
    EXPECT_EQ(HexDigitToCharOrDash(v), dash) << v;
    EXPECT_EQ(HexDigitToCharOrZero(v), zero) << v;
  }
  EXPECT_TRUE(IsMobileProductCode(0x0B));
  EXPECT_TRUE(IsMobileProductCode(0x27));
  EXPECT_FALSE(IsMobileProductCode(0x0C));
}

TEST(Digits, PrintTextLineAdvancesOnlyOnOne) {
  RecordingCanvas out;
  int y = 100;
  PrintTextLine(out, 10, y, 20, "Zone", 0);
  PrintTextLine(out, 80, y, 20, "LTR", 2);
  EXPECT_EQ(y, 100);
  PrintTextLine(out, 150, y, 20, "On", 1);
  EXPECT_EQ(y, 120);
  const std::vector<std::string> drawn = {R"(Text 10,100 "Zone")", R"(Text 80,100 "LTR")", R"(Text 150,100 "On")"};
  EXPECT_EQ(out.calls, drawn);
}
