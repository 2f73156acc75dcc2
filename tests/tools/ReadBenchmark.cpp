// rp58-read-benchmark: a full read of each kind of radio from the simulated
// radio over a pseudo-terminal (no baud limit), timed against the sum of the
// pauses and sleeps the protocol itself prescribes. A ratio near 1 means
// nothing but the radio's own timing is slow. Also prints the CPU the
// reading thread used, which should be small: the program sleeps while it
// waits.
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <vector>

#include "PtyRadio.h"
#include "SimRadio.h"
#include "link/LinkClock.h"
#include "link/RadioReader.h"
#include "platform/serial/PosixSerialPort.h"

namespace {

// The system clock, adding up every pause the engine asks for.
class CountingClock : public CSystemClock {
public:
  void SleepMicros(std::uint64_t micros) override {
    prescribed += micros;
    CSystemClock::SleepMicros(micros);
  }
  std::uint64_t prescribed = 0;
};

double ThreadCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_THREAD, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

std::vector<std::uint8_t> Memory(bool portable) {
  std::vector<std::uint8_t> memory(kImageBufferSize);
  for (std::size_t i = 0; i < memory.size(); ++i) memory[i] = static_cast<std::uint8_t>(i * 13 % 251);
  for (std::size_t i = 0; i < 8; ++i) memory[area::kRadioPassword + i] = 0;
  memory[249] = portable ? 0x35 : 0x25;
  memory[area::kProductCode] = 39;
  memory[area::kFamilyCode] = portable ? kFamilyPortableUhf : kFamilyMobileUhf;
  memory[area::kMobileCheckByte] = 0x10;
  memory[252] = portable ? 166 : 184;  // every channel block in use
  memory[253] = 56;                    // every group block in use
  return memory;
}

bool Run(const char* name, SimProtocol protocol, bool portable, const ReadSettings& settings) {
  CSimRadio radio(protocol, Memory(portable), settings.layout.lastEepromBlock, settings.layout.blockCount);
  CPtyRadio pty(radio);
  if (!pty.Create()) {
    std::perror("openpty");
    return false;
  }
  pty.Start();
  CPosixSerialPort port(pty.Path());
  CountingClock clock;
  std::atomic<bool> cancel{false};
  CNullCloneStatus status;
  CCloneLink link(port, clock, cancel, status);
  ReadHooks hooks;

  const double cpuBefore = ThreadCpuSeconds();
  const auto start = std::chrono::steady_clock::now();
  const int result = ReadFromRadio(link, settings, hooks);
  const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double cpu = ThreadCpuSeconds() - cpuBefore;
  port.Close();
  pty.Stop();

  const double prescribed = static_cast<double>(clock.prescribed) / 1e6;
  std::printf("%-22s result %d  elapsed %6.3f s  prescribed waits %6.3f s  ratio %.3f  cpu %5.1f %%\n", name,
              result, elapsed, prescribed, elapsed / prescribed, 100.0 * cpu / elapsed);
  return result == kTransferDone;
}

}  // namespace

int main() {
  AllocateRadioImage();
  ReadSettings polled;
  ReadSettings streamed;
  streamed.layout.streamProtocol = true;
  streamed.layout.blockCount = 58;
  streamed.layout.mobile = {0x1DC00, 6, 56, false};
  bool ok = Run("mobile, polled", SimProtocol::kPolled, false, polled);
  ok = Run("portable, polled", SimProtocol::kPolled, true, polled) && ok;
  ok = Run("mobile, streamed", SimProtocol::kStreamed, false, streamed) && ok;
  return ok ? 0 : 1;
}
