// The memory editor's one block against the simulated radio.
#include <gtest/gtest.h>


#include "SendFixture.h"

namespace {

TEST_F(RadioSend, OneBlockSends) {
  struct Case {
    const char* text;
    int result;
    const char* shown;
    std::vector<SimWrite> between;  // writes between the two markers; words listed by their range
    int firstWord = -1, lastWord = -1;
  } cases[] = {
      {"1f", kTransferDone, nullptr, {{SimWrite::kBlock, 0x1D}}},
      {"02", kTransferDone, nullptr, {{SimWrite::kBlock, 0x00}}},
      {"0", kTransferDone, nullptr, {}, 17, 63},
      {"1", kTransferDone, nullptr, {}, 64, 119},
      {"G1", kTransferFailed, "Parameter Error", {}},
      {"", kTransferFailed, " No input address ", {}},
      {"100", kTransferFailed, "Parameter Error", {}},
      {"100000001", kTransferFailed, "Parameter Error", {}},  // would wrap to 1 in 32 bits
  };
  for (const Case& c : cases) {
    Reset(kMobile);
    CSimRadio radio(SimProtocol::kPolled, Radio(kMobile));
    SendSettings settings = MobileSettings();
    settings.layout.mobile.romEditorMode = true;
    settings.oneBlockText = c.text;
    ASSERT_EQ(Send(radio, settings), c.result) << c.text;
    const auto& writes = radio.Writes();
    if (c.result != kTransferDone) {
      EXPECT_EQ(status_.line1, c.shown) << c.text;
      EXPECT_TRUE(writes.empty()) << c.text;
      continue;
    }
    EXPECT_EQ(packs_, 0) << c.text;  // the memory editor's image goes as it is
    ASSERT_GE(writes.size(), 2u);
    EXPECT_EQ(writes.front(), (SimWrite{SimWrite::kWord, kMarker, 0xFFFF})) << c.text;
    EXPECT_EQ(writes.back(), (SimWrite{SimWrite::kWord, kMarker, 0xA55A})) << c.text;
    const std::vector<SimWrite> between(writes.begin() + 1, writes.end() - 1);
    if (c.firstWord < 0) {
      EXPECT_EQ(between, c.between) << c.text;
    } else {
      ASSERT_FALSE(between.empty());
      EXPECT_EQ(between.front().address, c.firstWord) << c.text;
      for (const SimWrite& w : between) {
        EXPECT_EQ(w.kind, SimWrite::kWord);
        EXPECT_TRUE(w.address >= c.firstWord && w.address <= c.lastWord) << c.text << " word " << w.address;
      }
    }
  }
}

}  // namespace
