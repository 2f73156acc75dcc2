// The byte primitives and the 0xF0-0xF3 frames against the simulated radio
// over an in-memory cable.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>

#include "LinkFixture.h"
#include "ScriptedMessages.h"
#include "SimLink.h"
#include "link/CloneLink.h"
#include "platform/serial/PosixSerialPort.h"

namespace {

struct Bench {
  explicit Bench(SimProtocol protocol = SimProtocol::kPolled)
      : radio(protocol, RadioMemory(kMobile)), port(radio, clock), link(port, clock, cancel, status) {
    port.Open();
  }
  CVirtualClock clock;
  std::atomic<bool> cancel{false};
  RecordingStatus status;
  CSimRadio radio;
  CSimLink port;
  CCloneLink link;
};

TEST(CloneFrames, ReadWordAndReadBlockCarryTheRadioMemory) {
  Bench b;
  std::uint16_t word = 0;
  ASSERT_EQ(b.link.ReadWord(16, word), kLinkOk);
  // Word a sits low byte first at image bytes 2a, 2a + 1.
  EXPECT_EQ(word, b.radio.Memory()[33] << 8 | b.radio.Memory()[32]);
  std::uint8_t block[kBlockSize];
  ASSERT_EQ(b.link.ReadBlock(WireBlockOf(57), block), kLinkOk);
  EXPECT_EQ(std::memcmp(block, b.radio.Memory().data() + kBlockSize * 57, kBlockSize), 0);
  // Every echo was consumed: nothing is left for the next command.
  EXPECT_EQ(b.port.Pending(), 0u);
}

TEST(CloneFrames, SpoiledRepliesGiveTheirResult) {
  struct Case {
    SimFault fault;
    int result;
    std::size_t leftUnread;  // of the reply F0 len b0 b1 sum
  } cases[] = {
      {SimFault::kBadLength, kLinkFailed, 3},  // stops at the length byte
      {SimFault::kBadSum, kLinkFailed, 0},
      {SimFault::kTruncate, kLinkTimeout, 0},
      {SimFault::kSilence, kLinkTimeout, 0},
  };
  for (const Case& c : cases) {
    Bench b;
    b.radio.Plan({c.fault, 0, 1});
    std::uint16_t word = 0;
    EXPECT_EQ(b.link.ReadWord(1, word), c.result) << static_cast<int>(c.fault);
    EXPECT_EQ(b.port.Pending(), c.leftUnread) << static_cast<int>(c.fault);
  }
}

TEST(CloneFrames, WriteWordVerifiesUnlessToldNotTo) {
  Bench b;
  EXPECT_EQ(b.link.WriteWord(20, 0x1234, false), kLinkOk);
  EXPECT_EQ(b.radio.Memory()[40], 0x34);
  EXPECT_EQ(b.radio.Memory()[41], 0x12);
  b.radio.Plan({SimFault::kOtherValue, 1, 2});
  EXPECT_EQ(b.link.WriteWord(20, 0x1234, false), kLinkFailed);
  EXPECT_EQ(b.link.WriteWord(20, 0x1234, true), kLinkOk);
}

TEST(CloneFrames, WriteBlockWaitsForTheAck) {
  std::uint8_t frame[1 + kBlockSize];
  frame[0] = WireBlockOf(100);
  for (std::size_t i = 0; i < kBlockSize; ++i) frame[1 + i] = static_cast<std::uint8_t>(i);

  Bench ok;
  EXPECT_EQ(ok.link.WriteBlock(frame), kLinkOk);
  EXPECT_EQ(ok.radio.Memory()[128 * 100 + 5], 5);

  Bench nak;
  nak.radio.Plan({SimFault::kNak, 0, 1});
  EXPECT_EQ(nak.link.WriteBlock(frame), kLinkFailed);

  Bench silent;
  silent.radio.Plan({SimFault::kSilence, 0, 1});
  const std::uint64_t before = silent.clock.NowMicros();
  EXPECT_EQ(silent.link.WriteBlock(frame), kLinkTimeout);
  // The answer is given up on after the short read time-out, not later.
  EXPECT_LT(silent.clock.NowMicros() - before, 310'000u);
}

TEST(CloneFrames, DataGoesOutInPiecesOfSixteenWithTheirEchoes) {
  // 128 data bytes: eight 16-byte echo reads, then the sum's echo alone;
  // 129: the one-byte ninth piece is read back together with the sum's.
  struct Case {
    std::size_t data;
    std::size_t lastRead;
  } cases[] = {{128, 1}, {129, 2}};
  for (const Case& c : cases) {
    Bench b;
    b.port.DisableEcho();  // the reads are counted, not what they find
    std::vector<std::uint8_t> data(c.data, 0x11);
    ASSERT_EQ(b.link.SendFrame(0xF3, static_cast<std::uint8_t>(c.data + 1), data.data()), kLinkOk);
    std::vector<std::size_t> expected{2, 16, 16, 16, 16, 16, 16, 16, 16, c.lastRead};
    EXPECT_EQ(b.port.ReadSizes(), expected) << c.data;
    std::uint8_t sum = static_cast<std::uint8_t>(0xF3 + c.data + 1 + 0x11 * c.data);
    EXPECT_EQ(b.port.Sent().back(), sum);
    EXPECT_EQ(b.port.Sent().size(), c.data + 3);
  }
}

TEST(CloneBytes, SendBytePausesAfterEveryByteAndSendBytesDoesNot) {
  Bench b;
  ASSERT_TRUE(b.link.SendByte(0x70));
  EXPECT_EQ(b.clock.SleptMicros(), 200u);
  const std::uint8_t two[2] = {1, 2};
  ASSERT_TRUE(b.link.SendBytes(two, 2));
  EXPECT_EQ(b.clock.SleptMicros(), 200u);
}

TEST(CloneBytes, ReadTimeOutsAreShortAndLong) {
  Bench b;
  std::uint8_t byte = 0;
  EXPECT_EQ(b.link.ReadByte(byte), kLinkTimeout);
  EXPECT_EQ(b.clock.NowMicros(), 300'000u);
  EXPECT_EQ(b.link.ReadByteLong(byte), kLinkTimeout);
  EXPECT_EQ(b.clock.NowMicros(), 1'300'000u);
  b.port.UnplugAfter(0, true);
  EXPECT_EQ(b.link.ReadByte(byte), kLinkFailed);
}

TEST(CloneBytes, RecoverReadByteWaitsForTheRadioUntilEsc) {
  Bench b;
  b.radio.StartSwitchedOff();
  b.radio.PowerOnAfterFirstByte(5'000'000);
  b.link.SendByte(0x40);
  std::uint8_t byte = 0;
  b.link.ReadByte(byte);  // the echo
  ASSERT_EQ(b.link.RecoverReadByte(byte), kLinkOk);
  EXPECT_EQ(byte, 'P');
  EXPECT_GE(b.clock.NowMicros(), 5'000'000u);

  b.cancel = true;
  EXPECT_EQ(b.link.RecoverReadByte(byte), kLinkTimeout);
  EXPECT_TRUE(b.link.PollEscape());
}

// A wait for the radio that nobody ends with Esc fails the test once it has
// run far past any working transfer, instead of running on until the machine
// gives out; so does a loop that calls the cable without time passing.
TEST(SimulatedCable, AWaitNobodyEndsFailsTheTestWithinItsBounds) {
  Bench waiting;
  waiting.radio.StartSwitchedOff();
  EXPECT_THROW(waiting.link.AwaitPowerOn("back ON to start uploading", 0), SimLinkOverrun);
  EXPECT_LE(waiting.clock.NowMicros(), CSimLink::kVirtualTimeLimitMicros + 1'000'000);

  Bench spinning;
  std::uint8_t byte = 0;
  EXPECT_THROW(for (;;) spinning.port.Read(&byte, 0), SimLinkOverrun);
  EXPECT_EQ(spinning.clock.NowMicros(), 0u);
}

TEST(CommPort, OpenFailureSaysSo) {
  Bench b;
  b.port.Close();
  b.port.FailOpen();
  ScriptedMessages messages;
  EXPECT_FALSE(b.link.OpenCommPort());
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].text, "Open err");
  EXPECT_EQ(messages.shown()[0].caption, "err");
}

TEST(CommPort, ComIndexesMapToDevices) {
  unsetenv("RP58_COM1");
  unsetenv("RP58_COM5");
  EXPECT_EQ(ComPortDevicePath(0), "/dev/ttyS0");
  EXPECT_EQ(ComPortDevicePath(15), "/dev/ttyS15");
  EXPECT_EQ(ComPortDevicePath(16), "/dev/ttyS0");  // out of range opens COM1
  EXPECT_EQ(ComPortDevicePath(-1), "/dev/ttyS0");
  setenv("RP58_COM5", "/dev/ttyUSB0", 1);
  EXPECT_EQ(ComPortDevicePath(4), "/dev/ttyUSB0");
  setenv("RP58_COM1", "/dev/pts/7", 1);
  EXPECT_EQ(ComPortDevicePath(16), "/dev/pts/7");
  unsetenv("RP58_COM1");
  unsetenv("RP58_COM5");
}

}  // namespace
