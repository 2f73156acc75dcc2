// The alignment frames and command set against the simulated radio in
// alignment mode, over an in-memory cable on virtual time.
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "LinkFixture.h"
#include "ScriptedMessages.h"
#include "AlignFixture.h"

namespace {


struct CommandCase {
  std::uint8_t cmd;
  Family family;
  Bytes args;
  Bytes wire;        // the frame as it goes out
  int nakResult;     // every reply 0x15 (meter: a wrong sum)
  int nakSends;
  int silentResult;  // no reply at all
  int silentSends;
};

const CommandCase kCommands[] = {
    {'0', kMobile, {0x01, 0x7F}, {0x30, 0x03, 0x01, 0x7F, 0xB3}, -3, 1, 2, 1},
    {'1', kMobile, {}, {0x31, 0x01, 0x32}, -3, 3, 2, 3},
    {'1', kPortable, {}, {0x31, 0x01, 0x32}, -3, 3, 2, 3},
    {'2', kMobile, {1, 2, 3, 4}, {0x32, 0x05, 1, 2, 3, 4, 0x41}, -3, 3, 2, 3},
    {'2', kPortable, {0x50}, {0x32, 0x02, 0x50, 0x84}, -3, 3, 2, 3},
    {'3', kMobile, {1, 2, 3}, {0x33, 0x04, 1, 2, 3, 0x3D}, -3, 3, 2, 1},
    {'3', kPortable, {1, 2, 3, 4}, {0x33, 0x05, 1, 2, 3, 4, 0x42}, -3, 3, 2, 1},
    {'4', kMobile, {}, {0x34, 0x01, 0x35}, -3, 1, 2, 4},
    {'4', kPortable, {7}, {0x34, 0x02, 7, 0x3D}, -3, 1, 2, 4},
    {'5', kMobile, {}, {0x35, 0x01, 0x36}, -3, 4, 2, 4},
    {'5', kPortable, {}, {0x35, 0x01, 0x36}, -3, 4, 2, 4},
    {'6', kMobile, {17, 199}, {0x36, 0x03, 17, 199, 0x11}, 0, 1, 0, 1},
    {'6', kPortable, {}, {0x36, 0x01, 0x37}, 0, 1, 0, 1},
    {'7', kMobile, {2}, {0x37, 0x02, 2, 0x3B}, 0, 1, 0, 1},
    {'7', kPortable, {}, {0x37, 0x01, 0x38}, 0, 1, 0, 1},
    {'9', kMobile, {3}, {0x39, 0x02, 3, 0x3E}, 0, 1, 0, 1},
    {'9', kPortable, {}, {0x39, 0x01, 0x3A}, 0, 1, 0, 1},
    {';', kMobile, {9, 0xFF, 0}, {0x3B, 0x04, 9, 0xFF, 0, 0x47}, -3, 1, 2, 1},
    {';', kPortable, {9, 0xFF, 0, 1}, {0x3B, 0x05, 9, 0xFF, 0, 1, 0x49}, -3, 1, 2, 1},
    {'>', kMobile, {}, {0x3E, 0x01, 0x3F}, -3, 1, 2, 1},
    {'?', kPortable, {0x37}, {0x3F, 0x02, 0x37, 0x78}, 0, 1, 0, 1},
};

int RunCommand(AlignBench& b, const CommandCase& c) {
  std::uint8_t meter[8] = {};
  switch (c.args.size()) {
    case 0: return b.align.Command(c.cmd, {}, meter);
    case 1: return b.align.Command(c.cmd, {c.args[0]}, meter);
    case 2: return b.align.Command(c.cmd, {c.args[0], c.args[1]}, meter);
    case 3: return b.align.Command(c.cmd, {c.args[0], c.args[1], c.args[2]}, meter);
    default: return b.align.Command(c.cmd, {c.args[0], c.args[1], c.args[2], c.args[3]}, meter);
  }
}

}  // namespace

TEST(AlignCommands, EachCommandsWireBytesRepliesAndResends) {
  for (const CommandCase& c : kCommands) {
    const std::string name = std::string(1, static_cast<char>(c.cmd)) + (c.family == kPortable ? " P" : " M");
    {
      AlignBench b(c.family);
      b.Enter();
      EXPECT_EQ(RunCommand(b, c), kAlignOk) << name;
      EXPECT_EQ(b.SentSinceEnter(), c.wire) << name;
    }
    {
      AlignBench b(c.family);
      b.Enter();
      b.SpoilReplies(c.cmd == '1' ? SimFault::kBadSum : SimFault::kNak);
      EXPECT_EQ(RunCommand(b, c), c.nakResult) << name;
      EXPECT_EQ(b.radio.AlignFramesOf(c.cmd).size(), static_cast<std::size_t>(c.nakSends)) << name;
    }
    {
      AlignBench b(c.family);
      b.Enter();
      b.SpoilReplies(SimFault::kSilence);
      EXPECT_EQ(RunCommand(b, c), c.silentResult) << name;
      EXPECT_EQ(b.radio.AlignFramesOf(c.cmd).size(), static_cast<std::size_t>(c.silentSends)) << name;
    }
  }
}

TEST(AlignCommands, AFrameOfLengthOneIsThreeBytesAndEachByteWaitsForItsEcho) {
  AlignBench b(kMobile);
  b.Enter();
  const std::uint64_t before = b.clock.SleptMicros();
  const std::uint8_t frame[2] = {'5', 1};
  ASSERT_EQ(b.align.SendAlignFrame(frame), kAlignOk);
  EXPECT_EQ(b.SentSinceEnter(), (Bytes{'5', 1, '5' + 1}));
  // 2 ms after each of the two bytes and 2 ms before the sum.
  EXPECT_EQ(b.clock.SleptMicros() - before, 6000u);
}

TEST(AlignCommands, MeterRepliesCarryTheFamilysBytes) {
  for (const Family family : {kMobile, kPortable}) {
    AlignBench b(family);
    b.Enter();
    std::uint8_t meter[8] = {};
    ASSERT_EQ(b.align.ReadMeter(meter), kAlignOk);
    const int count = AlignMeterBytes(family);
    // The meter follows the last '2': a changed value shows.
    if (family == kMobile)
      ASSERT_EQ(b.align.Command(kAlignLoadWork, {200, 0, 0, 0}), kAlignOk);
    else
      ASSERT_EQ(b.align.Command(kAlignLoadWork, {200}), kAlignOk);
    std::uint8_t moved[8] = {};
    ASSERT_EQ(b.align.ReadMeter(moved), kAlignOk);
    EXPECT_NE(meter[0], moved[0]);
    for (int i = count; i < 8; ++i) EXPECT_EQ(moved[i], 0) << "no byte past the family's count";
  }
}

TEST(AlignMemory, WordWriteWithOtherValueGivesMinus5AfterSixSends) {
  AlignBench b(kMobile);
  b.Enter();
  b.SpoilReplies(SimFault::kOtherValue);
  EXPECT_EQ(b.align.WriteAlignWord(8, 0x1234), kAlignValueMismatch);
  EXPECT_EQ(b.radio.Writes().size(), 6u);
}

TEST(AlignMemory, WordsAndBlocksReadAndWriteWithResends) {
  AlignBench b(kPortable);
  b.Enter();
  std::vector<std::uint8_t> words(256, 0xFF);
  b.radio.Plan({SimFault::kBadSum, b.radio.Replies() + 1, 5});  // five bad replies to word 17: the sixth does
  ASSERT_EQ(b.align.ReadAlignWords(16, 18, words.data()), kAlignOk);
  for (int i = 32; i < 38; ++i) EXPECT_EQ(words[i], b.radio.Memory()[i]) << i;
  EXPECT_EQ(words[31], 0xFF);
  b.radio.Plan({SimFault::kBadSum, b.radio.Replies(), 6});
  EXPECT_EQ(b.align.ReadAlignWords(20, 20, words.data()), kAlignWrongReply);
  EXPECT_EQ(words[40], 0xFF) << "nothing stored from a failed word";

  std::uint8_t block[kBlockSize];
  ASSERT_EQ(b.align.ReadRadioBlock(WireBlockOf(167), block), kAlignOk);
  EXPECT_EQ(block[5], b.radio.Memory()[167 * kBlockSize + 5]);
  block[5] ^= 0xFF;
  ASSERT_EQ(b.align.WriteAlignBlock(WireBlockOf(167), block), kAlignOk);
  EXPECT_EQ(b.radio.Memory()[167 * kBlockSize + 5], block[5]);
  EXPECT_EQ(b.radio.Writes().back(), (SimWrite{SimWrite::kBlock, 0xA5}));
  b.SpoilReplies(SimFault::kNak);
  EXPECT_EQ(b.align.WriteAlignBlock(WireBlockOf(167), block), kAlignWrongReply);
}

TEST(AlignMemory, ChecksumWordIsTheSumOfItsRangeAndFailureIsTold) {
  AlignBench b(kMobile);
  b.Enter();
  std::vector<std::uint8_t> words(b.radio.Memory().begin(), b.radio.Memory().begin() + 256);
  std::uint16_t sum = 0;
  for (int a = 3; a <= 16; ++a) sum = static_cast<std::uint16_t>(sum + (words[2 * a + 1] << 8 | words[2 * a]));
  ASSERT_EQ(b.align.UpdateChecksumWord(words.data(), 2, 3, 16), kAlignOk);
  EXPECT_EQ(b.radio.Word(2), sum);
  EXPECT_EQ(words[4] | words[5] << 8, sum);

  ScriptedMessages msgs;
  b.SpoilReplies(SimFault::kSilence);
  EXPECT_EQ(b.align.UpdateChecksumWord(words.data(), 2, 3, 16), kAlignTimeout);
  EXPECT_EQ(msgs.texts(), (std::vector<std::string>{"!! communication error !!\r\n"}));
}

TEST(AlignMode, EnterWaitsForPowerUpIgnoringOtherBytes) {
  AlignBench b(kMobile);
  b.radio.ComeOnByItself(3'000'000, 2'000'000);
  b.radio.AlignFault(SimAlignFault::kStrayBytes);  // only while restarting: nothing to see here
  EXPECT_EQ(b.align.EnterAlignMode(), kAlignOk);
  EXPECT_GE(b.clock.NowMicros(), 3'000'000u);
  EXPECT_TRUE(b.radio.Aligning());
}

TEST(AlignMode, EscAndNakEndTheWait) {
  AlignBench b(kMobile);
  b.cancel = true;
  EXPECT_EQ(b.align.EnterAlignMode(), kAlignIoError);

  AlignBench n(kMobile);
  n.radio.AlignFault(SimAlignFault::kNakAtPowerUp);
  n.radio.PowerOn(0);
  EXPECT_EQ(n.align.EnterAlignMode(), kAlignWrongReply);
}

TEST(AlignMode, RestartComesBackAndConfirms) {
  AlignBench b(kPortable);
  b.Enter();
  ASSERT_EQ(b.align.Command(kAlignKey, {0}), kAlignOk);
  ASSERT_TRUE(b.radio.Keyed());
  EXPECT_EQ(b.align.Restart(true), kAlignOk);
  EXPECT_TRUE(b.radio.Aligning());
  EXPECT_FALSE(b.radio.Keyed());
  EXPECT_EQ(b.radio.Restarts(), 1);
  EXPECT_EQ(b.radio.AlignFramesOf('>').size(), 1u);
}

TEST(AlignMode, RestartGivesUpAfter20SecondsEvenWithStrayBytes) {
  for (const bool stray : {false, true}) {
    AlignBench b(kMobile);
    b.Enter();
    b.radio.AlignFault(SimAlignFault::kNeverBack);
    if (stray) b.radio.AlignFault(SimAlignFault::kStrayBytes);
    const std::uint64_t start = b.clock.NowMicros();
    EXPECT_EQ(b.align.Restart(true), kAlignNoRestart) << stray;
    const std::uint64_t took = b.clock.NowMicros() - start;
    EXPECT_GE(took, kAlignRestartLimitMicros) << stray;
    EXPECT_LT(took, kAlignRestartLimitMicros + 200'000u) << stray;
  }
}

TEST(AlignMode, NakAfterRestartIsAWrongReply) {
  AlignBench b(kMobile);
  b.Enter();
  b.radio.AlignFault(SimAlignFault::kNakAtPowerUp);
  EXPECT_EQ(b.align.Restart(true), kAlignWrongReply);
}

TEST(AlignCommands, AFailingDeviceGivesOneAfterTheResends) {
  AlignBench b(kMobile);
  b.Enter();
  b.port.UnplugAfter(0, true);
  EXPECT_EQ(b.align.Command(kAlignEndItem), kAlignIoError);
  EXPECT_EQ(b.align.Command(kAlignSelectChannel, {0, 1}), kAlignIoError);
}

// The portable's unframed zero takes its own echo, so a late echo can never
// be read as the next frame's and shift that frame's reply.
TEST(AlignMode, TheRawZeroTakesItsOwnEcho) {
  AlignBench b(kPortable);
  b.Enter();
  ASSERT_EQ(b.align.SendRawZero(), kAlignOk);
  EXPECT_EQ(b.port.Pending(), 0u);
  EXPECT_EQ(b.SentSinceEnter(), (Bytes{0x00}));
  EXPECT_EQ(b.align.Command('4', {1}), kAlignOk);
}
