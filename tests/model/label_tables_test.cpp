#include <gtest/gtest.h>

#include "model/LabelTables.h"

TEST(LabelTables, SecondsRunFromHalfASecondToTen) {
  EXPECT_EQ(g_secondsTexts.size(), 96u);
  EXPECT_EQ(g_secondsTexts[0], "0.5sec");
  EXPECT_EQ(g_secondsTexts[5], "1.0sec");
  EXPECT_EQ(g_secondsTexts[94], "9.9sec");
  EXPECT_EQ(g_secondsTexts[95], "10.sec");
}

TEST(LabelTables, CtcssTonesKeepTheLateTonesAtTheEnd) {
  EXPECT_EQ(g_ctcssToneTexts.size(), 50u);
  EXPECT_EQ(g_ctcssToneTexts[0], " 67.0");
  EXPECT_EQ(g_ctcssToneTexts[38], "250.3");
  EXPECT_EQ(g_ctcssToneTexts[39], "159.8");
  EXPECT_EQ(g_ctcssToneTexts[49], "254.1");
  for (std::size_t i = 0; i < g_ctcssToneTexts.size(); ++i) {
    const std::string& t = g_ctcssToneTexts[i];
    ASSERT_EQ(t.size(), 5u) << i;
    EXPECT_EQ(t[3], '.') << i;
    // The first 39 ascend; the 11 added ones ascend among themselves.
    if (i > 0 && i != 39) {
      EXPECT_LT(std::stod(g_ctcssToneTexts[i - 1]), std::stod(t)) << i;
    }
  }
}

TEST(LabelTables, DcsCodesAreAscendingOctalTriples) {
  EXPECT_EQ(g_dcsCodeTexts.size(), 106u);
  EXPECT_EQ(g_dcsCodeTexts.front(), "023");
  EXPECT_EQ(g_dcsCodeTexts.back(), "754");
  for (std::size_t i = 0; i < g_dcsCodeTexts.size(); ++i) {
    const std::string& t = g_dcsCodeTexts[i];
    ASSERT_EQ(t.size(), 3u);
    for (char c : t) EXPECT_TRUE(c >= '0' && c <= '7') << t;
    if (i > 0) {
      EXPECT_LT(g_dcsCodeTexts[i - 1], t);
    }
  }
}

TEST(LabelTables, CodeValueTablesAreTheIdentityWithDefaultRowZero) {
  EXPECT_EQ(g_ctcssCodeValues.defaultRow, 0u);
  EXPECT_EQ(g_dcsCodeValues.defaultRow, 0u);
  for (std::size_t i = 0; i < 50; ++i) EXPECT_EQ(g_ctcssCodeValues.values[i], i);
  for (std::size_t i = 0; i < 106; ++i) EXPECT_EQ(g_dcsCodeValues.values[i], i);
}
