// The streamed send against the simulated radio: the blocks pushed, the older
// radio's configuration block, refusals and Esc.
#include <gtest/gtest.h>

#include <algorithm>

#include "SendFixture.h"

namespace {

TEST_F(RadioSend, StreamedSendOfAUhfRadioPushesTheBlocks) {
  fields_.modelGroup = 0x60;
  CSimRadio radio(SimProtocol::kStreamed, StreamRadio(true), 1, 58);
  radio.StartSwitchedOff();
  radio.PowerOn(0);
  const std::vector<std::uint8_t> original = radio.Memory();
  ASSERT_EQ(Send(radio, StreamSettings()), kTransferDone);
  const auto& mem = radio.Memory();
  // The 8-bit sum of the bytes of words 2..12 in word 1, then blocks 0..32
  // as the image holds them.
  int sum = 0;
  for (int i = 4; i <= 25; ++i) sum += before_[i];
  ASSERT_GT(sum, 0xFF);  // the sum wraps: the high byte stays zero
  EXPECT_EQ(WordOf(mem, 1), sum & 0xFF);
  for (int b = 0; b <= 32; ++b) {
    for (std::size_t i = 0; i < kBlockSize; ++i) {
      if (b == 0 && (i == 2 || i == 3)) continue;
      ASSERT_EQ(mem[kBlockSize * b + i], before_[kBlockSize * b + i]) << b << " " << i;
    }
  }
  for (int b = 33; b <= 57; ++b) EXPECT_TRUE(SameBlock(mem.data(), original.data(), b)) << b;
  EXPECT_EQ(radio.Writes().size(), 33u);
  EXPECT_EQ(status_.counter, "Send block 33 / 33");
  EXPECT_EQ(packs_, 2);
}

TEST_F(RadioSend, StreamedSendPatchesTheOlderConfigurationBlock) {
  const std::uint8_t table5to8[4] = {0x05, 0x14, 0x85, 0x8A};
  const std::uint8_t table113to116[4] = {0x00, 0x0A, 0x07, 0x08};
  for (const bool old : {true, false}) {
    Reset(kMobile);
    fields_.modelGroup = 0x00;  // VHF
    CSimRadio radio(SimProtocol::kStreamed, StreamRadio(old), 1, 58);
    radio.StartSwitchedOff();
    radio.PowerOn(0);
    const std::vector<std::uint8_t> original = radio.Memory();
    ASSERT_EQ(Send(radio, StreamSettings()), kTransferDone) << old;
    const auto& mem = radio.Memory();
    if (old) {
      EXPECT_TRUE(std::equal(table5to8, table5to8 + 4, mem.begin() + kConfigBlock + 5));
      EXPECT_TRUE(std::equal(table113to116, table113to116 + 4, mem.begin() + kConfigBlock + 113));
      EXPECT_EQ(mem[kConfigBlock + 117], original[kConfigBlock + 117]);
      EXPECT_EQ(mem[kConfigBlock + 4], original[kConfigBlock + 4]);
      EXPECT_EQ(radio.Writes().front(), (SimWrite{SimWrite::kBlock, 0x37}));
    } else {
      EXPECT_TRUE(SameBlock(mem.data(), original.data(), 57));
      EXPECT_EQ(radio.Writes().front(), (SimWrite{SimWrite::kStreamBlock, 0}));
    }
    EXPECT_EQ(radio.Writes().back(), (SimWrite{SimWrite::kStreamBlock, 32}));
  }
}

TEST_F(RadioSend, StreamedSendInManufacturerModeSendsThirtySevenBlocks) {
  fields_.modelGroup = 0x60;
  CSimRadio radio(SimProtocol::kStreamed, StreamRadio(false), 1, 58);
  radio.StartSwitchedOff();
  radio.PowerOn(0);
  SendSettings settings = StreamSettings();
  settings.manufacturerMode = true;
  ASSERT_EQ(Send(radio, settings), kTransferDone);
  EXPECT_EQ(radio.Writes().size(), 37u);
  // Every block went with header 0x25.
  const auto& sent = link_->Sent();
  std::size_t headers = 0;
  for (std::size_t i = 0; i + 2 < sent.size(); ++i)
    if (sent[i] == 0x25 && sent[i + 1] == 0x82 && sent[i + 2] == headers) ++headers;
  EXPECT_EQ(headers, 37u);
  EXPECT_EQ(status_.counter, "Send block 37 / 37");
}

TEST_F(RadioSend, StreamedFaults) {
  // A refused block is sent again; a block refused for ever ends the send;
  // data edited in the memory editor is sent as it is.
  fields_.modelGroup = 0x60;
  CSimRadio retried(SimProtocol::kStreamed, StreamRadio(false), 1, 58);
  retried.StartSwitchedOff();
  retried.PowerOn(0);
  retried.Plan({SimFault::kNak, 5, 3});
  ASSERT_EQ(Send(retried, StreamSettings()), kTransferDone);
  EXPECT_TRUE(SameBlock(retried.Memory().data(), before_.data(), 5));

  Reset(kMobile);
  fields_.modelGroup = 0x60;
  CSimRadio refused(SimProtocol::kStreamed, StreamRadio(false), 1, 58);
  refused.StartSwitchedOff();
  refused.PowerOn(0);
  refused.Plan({SimFault::kNak, 5, 1000});
  EXPECT_EQ(Send(refused, StreamSettings()), kTransferFailed);
  EXPECT_EQ(status_.line1, "Communication Error");
  ExpectProgramUntouched();

  Reset(kMobile);
  fields_.modelGroup = 0x60;
  CSimRadio raw(SimProtocol::kStreamed, StreamRadio(false), 1, 58);
  raw.StartSwitchedOff();
  raw.PowerOn(0);
  SendSettings settings = StreamSettings();
  settings.layout.rawImageEdited = true;
  programmed_ = false;  // nothing of the records matters then
  ASSERT_EQ(Send(raw, settings), kTransferDone);
  EXPECT_EQ(packs_, 0);
}

TEST_F(RadioSend, EscIsHeardWhileTheConfigurationBlockIsWrittenAgain) {
  // The older radio refuses its configuration block for ever; Esc during the
  // attempts is a cancel, heard within a byte's pause.
  fields_.modelGroup = 0x00;  // VHF
  CSimRadio radio(SimProtocol::kStreamed, StreamRadio(true), 1, 58);
  radio.StartSwitchedOff();
  radio.PowerOn(0);
  radio.Plan({SimFault::kNak, 1, 1000});
  EscClock clock;
  clock.cancel = &cancel_;
  clock.pressNow = [&] { return radio.Replies() >= 2; };
  CSimLink port(radio, clock);
  CCloneLink link(port, clock, cancel_, status_);
  EXPECT_EQ(SendToRadio(link, StreamSettings(), hooks_), kTransferAborted);
  ASSERT_TRUE(clock.pressedAt);
  EXPECT_LT(clock.NowMicros() - *clock.pressedAt, 1'000'000u);
  EXPECT_TRUE(radio.Writes().empty());
  ExpectProgramUntouched();
}

}  // namespace
