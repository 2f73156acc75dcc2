// The terminal-device port against the simulated radio on a real
// pseudo-terminal. The link's own pauses run on virtual time; only the
// device's I/O is real.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <ctime>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "LinkFixture.h"
#include "PtyRadio.h"
#include "ScriptedMessages.h"
#include "SimLink.h"
#include "link/RadioReader.h"
#include "platform/serial/PosixSerialPort.h"

namespace {

// The user at the keyboard, who presses Esc when a transfer over the
// terminal still runs after ten seconds, a hundred times what a whole read
// takes here: a radio that never answers fails the test instead of hanging it.
class PatientUser {
public:
  explicit PatientUser(std::atomic<bool>& cancel)
      : thread_([this, &cancel] {
          std::unique_lock lock(mutex_);
          if (!woken_.wait_for(lock, std::chrono::seconds(10), [this] { return done_; })) {
            gaveUp_ = true;
            cancel = true;
          }
        }) {}
  ~PatientUser() {
    {
      std::lock_guard lock(mutex_);
      done_ = true;
    }
    woken_.notify_all();
    thread_.join();
    EXPECT_FALSE(gaveUp_) << "the transfer still waited for the radio after ten seconds";
  }

private:
  std::mutex mutex_;
  std::condition_variable woken_;
  bool done_ = false;
  bool gaveUp_ = false;
  std::thread thread_;
};

struct PtyBench {
  explicit PtyBench(Family family)
      : radio(SimProtocol::kPolled, RadioMemory(family)), pty(radio) {}
  bool Start() {
    if (!pty.Create()) return false;
    pty.Start();
    return true;
  }
  CSimRadio radio;
  CPtyRadio pty;
  CVirtualClock clock;
  std::atomic<bool> cancel{false};
  RecordingStatus status;
  PatientUser user{cancel};
};

TEST(PosixSerialPort, FramesTravelOverAPseudoTerminal) {
  PtyBench bench(kMobile);
  ASSERT_TRUE(bench.Start());
  setenv("RP58_COM1", bench.pty.Path().c_str(), 1);
  CPosixSerialPort port(ComPortDevicePath(0));
  unsetenv("RP58_COM1");
  ASSERT_TRUE(port.Open());
  CCloneLink link(port, bench.clock, bench.cancel, bench.status);

  std::uint16_t word = 0;
  ASSERT_EQ(link.ReadWord(124, word), kLinkOk);
  EXPECT_EQ(word >> 8, 0x25);
  std::uint8_t frame[1 + kBlockSize];
  frame[0] = WireBlockOf(60);
  for (std::size_t i = 0; i < kBlockSize; ++i) frame[1 + i] = static_cast<std::uint8_t>(255 - i);
  ASSERT_EQ(link.WriteBlock(frame), kLinkOk);
  std::uint8_t block[kBlockSize];
  ASSERT_EQ(link.ReadBlock(WireBlockOf(60), block), kLinkOk);
  EXPECT_EQ(std::memcmp(block, frame + 1, kBlockSize), 0);
  port.Close();
  EXPECT_FALSE(port.IsOpen());
}

TEST(PosixSerialPort, WholeReadOverAPseudoTerminal) {
  PtyBench bench(kPortable);
  ASSERT_TRUE(bench.Start());
  AllocateRadioImage();
  g_isPortable = 0;
  CPosixSerialPort port(bench.pty.Path());
  CCloneLink link(port, bench.clock, bench.cancel, bench.status);
  ReadHooks hooks;
  ASSERT_EQ(ReadFromRadio(link, ReadSettings{}, hooks), kTransferDone);
  bench.pty.Stop();
  EXPECT_EQ(g_isPortable, 1);
  for (int b = 0; b <= 166; ++b) EXPECT_TRUE(SameBlock(g_pRadioImage, bench.radio.Memory().data(), b)) << b;
}

// The benchmark's paced cable: the request reaches the radio only after the
// line time of its four bytes (their echoes with it), and the five bytes of
// the answer follow one line time apart.
TEST(PosixSerialPort, PacedCableTakesEachByteItsLineTimeBothWays) {
  PtyBench bench(kMobile);
  bench.pty.PaceLine(kLineMicrosPerByte9600);
  ASSERT_TRUE(bench.Start());
  CPosixSerialPort port(bench.pty.Path());
  ASSERT_TRUE(port.Open());
  port.SetTimeouts(kLongReadTimeouts);
  const auto lineTime = [](int bytes) {
    return std::chrono::microseconds(static_cast<std::int64_t>(bytes * kLineMicrosPerByte9600));
  };
  const std::uint8_t request[4] = {kCmdReadWord, 2, 124, static_cast<std::uint8_t>(kCmdReadWord + 2 + 124)};
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(port.Write(request, sizeof request), 4);
  std::uint8_t got[9] = {};
  ASSERT_EQ(port.Read(got, 1), 1);
  const auto firstEcho = std::chrono::steady_clock::now() - start;
  ASSERT_EQ(port.Read(got + 1, 8), 8);
  const auto whole = std::chrono::steady_clock::now() - start;
  bench.pty.Stop();

  EXPECT_EQ(std::memcmp(got, request, sizeof request), 0);
  EXPECT_EQ(got[4], kCmdReadWord);
  EXPECT_EQ(got[5], 3);
  EXPECT_EQ(got[6], 0x25);
  EXPECT_GE(firstEcho, lineTime(1));
  EXPECT_GE(whole, lineTime(9));
  EXPECT_EQ(bench.pty.BytesFromProgram(), 4u);
  EXPECT_EQ(bench.pty.BytesFromRadio(), 5u);
}

// The port takes all that has come in one go; what no read asked for yet
// goes with the close as the driver's queue does, and never reaches the
// next session.
TEST(PosixSerialPort, CloseDropsWhatCameButWasNotRead) {
  PtyBench bench(kMobile);
  ASSERT_TRUE(bench.Start());
  CPosixSerialPort port(bench.pty.Path());
  ASSERT_TRUE(port.Open());
  const std::uint8_t request[4] = {kCmdReadWord, 2, 124, static_cast<std::uint8_t>(kCmdReadWord + 2 + 124)};
  ASSERT_EQ(port.Write(request, sizeof request), 4);
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (bench.pty.BytesFromRadio() < 5 && std::chrono::steady_clock::now() < giveUp)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  bench.pty.Stop();  // the echoes and the answer are on their way, nothing more

  port.SetTimeouts(kShortReadTimeouts);
  std::uint8_t byte = 0;
  ASSERT_EQ(port.Read(&byte, 1), 1);
  EXPECT_EQ(byte, kCmdReadWord);
  port.Close();
  ASSERT_TRUE(port.Open());
  port.SetTimeouts(kShortReadTimeouts);
  EXPECT_EQ(port.Read(&byte, 1), 0);
}

TEST(PosixSerialPort, MissingDeviceAndHangUpAreFailures) {
  CPosixSerialPort missing("/nonexistent/ttyS99");
  EXPECT_FALSE(missing.Open());

  auto bench = std::make_unique<PtyBench>(kMobile);
  ASSERT_TRUE(bench->Start());
  CPosixSerialPort port(bench->pty.Path());
  ASSERT_TRUE(port.Open());
  bench.reset();  // the far end goes away, as an unplugged adapter does
  port.SetTimeouts(kShortReadTimeouts);
  std::uint8_t byte = 0;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(port.Read(&byte, 1), -1);
  // A failure is told at once, not after the read time-out.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));
}

// A read whose deadline went by while it waited (here a signal handler
// holds the reading thread past it) gives up at once instead of waiting on
// for bytes that never come.
TEST(PosixSerialPort, AReadPastItsDeadlineReturnsAtOnce) {
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(grantpt(master), 0);
  ASSERT_EQ(unlockpt(master), 0);
  CPosixSerialPort port(ptsname(master));
  ASSERT_TRUE(port.Open());
  port.SetTimeouts({0, 0, 100, 0, 0});
  struct sigaction hold = {};
  struct sigaction before = {};
  hold.sa_handler = [](int) {
    const timespec pause{0, 200'000'000};
    nanosleep(&pause, nullptr);
  };
  sigemptyset(&hold.sa_mask);
  ASSERT_EQ(sigaction(SIGUSR1, &hold, &before), 0);

  std::atomic<bool> reading{false};
  std::promise<int> result;
  std::future<int> got = result.get_future();
  std::thread reader([&] {
    std::uint8_t byte = 0;
    reading = true;
    result.set_value(port.Read(&byte, 1));
  });
  while (!reading) std::this_thread::yield();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));  // inside its wait by now
  pthread_kill(reader.native_handle(), SIGUSR1);
  const bool returned = got.wait_for(std::chrono::seconds(2)) == std::future_status::ready;
  if (!returned) ::close(master);  // the hang-up ends the wait, so the test can fail
  reader.join();
  sigaction(SIGUSR1, &before, nullptr);
  ASSERT_TRUE(returned) << "the read still waited two seconds after its deadline";
  EXPECT_EQ(got.get(), 0);
  port.Close();
  ::close(master);
}

// "Open err" alone can't tell a missing adapter from one in use or forbidden;
// the device and the system's reason follow on a second line.
TEST(PosixSerialPort, OpenFailureNamesTheDeviceAndTheReason) {
  TempDir dir;
  WriteWholeFile("plain-file", {0});
  ::mkdir("a-folder", 0755);
  struct Row {
    std::string device;
    std::string reason;
  };
  const Row rows[] = {
      {"/nonexistent/ttyS99", "No such file or directory"},
      {dir.File("a-folder"), "Is a directory"},
      {dir.File("plain-file"), "Inappropriate ioctl for device"},
  };
  CVirtualClock clock;
  std::atomic<bool> cancel{false};
  RecordingStatus status;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.device);
    CPosixSerialPort port(row.device);
    CCloneLink link(port, clock, cancel, status);
    ScriptedMessages messages;
    EXPECT_FALSE(link.OpenCommPort());
    EXPECT_EQ(port.OpenFailure(), row.device + ": " + row.reason);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "Open err\n" + row.device + ": " + row.reason);
    EXPECT_EQ(messages.shown()[0].caption, "err");
  }

  // The adapter plugged in after a failed try: the old reason is gone.
  PtyBench bench(kMobile);
  ASSERT_TRUE(bench.Start());
  CPosixSerialPort port(dir.File("ttyUSB0"));
  EXPECT_FALSE(port.Open());
  ASSERT_EQ(::symlink(bench.pty.Path().c_str(), "ttyUSB0"), 0);
  ASSERT_TRUE(port.Open());
  EXPECT_EQ(port.OpenFailure(), "");
}

}  // namespace
