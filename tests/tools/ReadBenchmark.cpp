// rp58-read-benchmark: a full read of each kind of radio from the simulated
// radio over a pseudo-terminal (no baud limit), then a full send of what was
// read back to it, each timed against the sum of the pauses and sleeps the
// protocol itself prescribes. A ratio near 1 means nothing but the radio's
// own timing is slow. Also prints the CPU the transferring thread used,
// which should be small: the program sleeps while it waits.
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "PtyRadio.h"
#include "SimRadio.h"
#include "link/LinkClock.h"
#include "link/RadioReader.h"
#include "link/RadioSender.h"
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

// Times one transfer and prints its line.
bool Timed(const char* name, const char* direction, const std::function<int(CCloneLink&, CountingClock&)>& transfer,
           const std::string& path) {
  CPosixSerialPort port(path);
  CountingClock clock;
  std::atomic<bool> cancel{false};
  CNullCloneStatus status;
  CCloneLink link(port, clock, cancel, status);
  const double cpuBefore = ThreadCpuSeconds();
  const auto start = std::chrono::steady_clock::now();
  const int result = transfer(link, clock);
  const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double cpu = ThreadCpuSeconds() - cpuBefore;
  port.Close();
  const double prescribed = static_cast<double>(clock.prescribed) / 1e6;
  std::printf("%-18s %-5s result %d  elapsed %6.3f s  prescribed waits %6.3f s  ratio %.3f  cpu %5.1f %%\n", name,
              direction, result, elapsed, prescribed, elapsed / prescribed, 100.0 * cpu / elapsed);
  return result == kTransferDone;
}

bool Run(const char* name, SimProtocol protocol, bool portable, const ReadSettings& settings) {
  std::vector<std::uint8_t> memory = Memory(portable);
  memory[2 * 127] = 0x5A;  // marked valid
  memory[2 * 127 + 1] = 0xA5;
  CSimRadio radio(protocol, memory, settings.layout.lastEepromBlock, settings.layout.blockCount);
  CPtyRadio pty(radio);
  if (!pty.Create()) {
    std::perror("openpty");
    return false;
  }
  pty.Start();
  ReadHooks readHooks;
  bool ok = Timed(name, "read", [&](CCloneLink& link, CountingClock&) { return ReadFromRadio(link, settings, readHooks); },
                  pty.Path());
  if (protocol == SimProtocol::kStreamed) {
    // The streamed radio is switched off and on for the send.
    pty.Stop();
    radio.StartSwitchedOff();
    radio.PowerOn(0);
    pty.Start();
  }
  SendSettings send;
  send.layout = settings.layout;
  send.family = portable ? kPortable : kMobile;
  SendHooks sendHooks;
  // What the records would say of the radio read: its model and blocks in use.
  sendHooks.recordFields = [&memory, portable](Family) {
    return SendRecordFields{static_cast<std::uint8_t>(memory[area::kFamilyCode] & (portable ? 0x80 : 0xE0)), memory[249],
                            memory[253], memory[252]};
  };
  ok = Timed(name, "send", [&](CCloneLink& link, CountingClock&) { return SendToRadio(link, send, sendHooks); },
             pty.Path()) && ok;
  pty.Stop();
  return ok;
}

}  // namespace

int main() {
  AllocateRadioImage();
  ReadSettings polled;
  ReadSettings streamed;
  streamed.layout.streamProtocol = true;
  streamed.layout.blockCount = 58;
  streamed.layout.mobile = {0x1DC00, 6, 56, false, 2, 11, 63, 60, 1, 58};
  bool ok = Run("mobile, polled", SimProtocol::kPolled, false, polled);
  ok = Run("portable, polled", SimProtocol::kPolled, true, polled) && ok;
  ok = Run("mobile, streamed", SimProtocol::kStreamed, false, streamed) && ok;
  return ok ? 0 : 1;
}
