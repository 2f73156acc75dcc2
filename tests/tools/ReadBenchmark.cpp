// rp58-read-benchmark [--paced]: a full read of each kind of radio from the
// simulated radio over a pseudo-terminal, then a full send of what was read
// back to it, each timed against the sum of the pauses and sleeps the
// protocol itself prescribes. Unpaced the cable has no baud limit; --paced
// gives it the real cable's 9600 baud 8N2 in both directions, and the time
// every byte spends on the line is added to the waits for a second ratio.
// The closing pause of a transfer is shown apart, and each ratio also
// without it, so a fixed two seconds at the end doesn't hide a slow
// transfer. A ratio near 1 means nothing but the radio's own timing is slow.
// Also prints the CPU the transferring thread used, which should be small:
// the program sleeps while it waits.
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
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

// The system clock, adding up every pause the engine asks for. The last is
// the transfer's closing pause.
class CountingClock : public CSystemClock {
public:
  void SleepMicros(std::uint64_t micros) override {
    prescribed += micros;
    last = micros;
    CSystemClock::SleepMicros(micros);
  }
  std::uint64_t prescribed = 0;
  std::uint64_t last = 0;
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

void PrintHeading() {
  std::printf("%-26s %8s %8s %8s %8s  %-13s  %-13s  %-11s\n", "", "elapsed", "waits", "closing", "line",
              "   /waits", "/(waits+line)", "  cpu %");
  std::printf("%-22s %3s %8s %8s %8s %8s  %6s %6s  %6s %6s  %5s %5s\n", "", "res", "s", "s", "s", "s", "all",
              "-clos", "all", "-clos", "all", "-clos");
}

// Times one transfer and prints its line.
bool Timed(const char* name, const char* direction, const std::function<int(CCloneLink&)>& transfer,
           CPtyRadio& pty, double linePace) {
  CPosixSerialPort port(pty.Path());
  CountingClock clock;
  std::atomic<bool> cancel{false};
  CNullCloneStatus status;
  CCloneLink link(port, clock, cancel, status);
  const std::uint64_t bytesBefore = pty.BytesFromProgram() + pty.BytesFromRadio();
  const double cpuBefore = ThreadCpuSeconds();
  const auto start = std::chrono::steady_clock::now();
  const int result = transfer(link);
  const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double cpu = ThreadCpuSeconds() - cpuBefore;
  port.Close();
  const double waits = static_cast<double>(clock.prescribed) / 1e6;
  const double closing = static_cast<double>(clock.last) / 1e6;
  const double line =
      static_cast<double>(pty.BytesFromProgram() + pty.BytesFromRadio() - bytesBefore) * linePace / 1e6;
  // The closing pause is spent asleep: its CPU is nil.
  std::printf("%-17s %-4s %3d %8.3f %8.3f %8.3f %8.3f  %6.3f %6.3f  %6.3f %6.3f  %5.1f %5.1f\n", name, direction,
              result, elapsed, waits, closing, line, elapsed / waits, (elapsed - closing) / (waits - closing),
              elapsed / (waits + line), (elapsed - closing) / (waits + line - closing), 100.0 * cpu / elapsed,
              100.0 * cpu / (elapsed - closing));
  return result == kTransferDone;
}

bool Run(const char* name, SimProtocol protocol, bool portable, const ReadSettings& settings, double linePace) {
  std::vector<std::uint8_t> memory = Memory(portable);
  memory[2 * 127] = 0x5A;  // marked valid
  memory[2 * 127 + 1] = 0xA5;
  CSimRadio radio(protocol, memory, settings.layout.lastEepromBlock, settings.layout.blockCount);
  CPtyRadio pty(radio);
  pty.PaceLine(linePace);
  if (!pty.Create()) {
    std::perror("openpty");
    return false;
  }
  pty.Start();
  ReadHooks readHooks;
  bool ok = Timed(name, "read", [&](CCloneLink& link) { return ReadFromRadio(link, settings, readHooks); }, pty,
                  linePace);
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
  ok = Timed(name, "send", [&](CCloneLink& link) { return SendToRadio(link, send, sendHooks); }, pty, linePace) && ok;
  pty.Stop();
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  double linePace = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--paced") == 0) {
      linePace = kLineMicrosPerByte9600;
    } else {
      std::fprintf(stderr, "usage: rp58-read-benchmark [--paced]\n"
                           "  --paced  the cable at 9600 baud 8N2 (1.146 ms a byte) instead of no limit\n");
      return 1;
    }
  }
  AllocateRadioImage();
  ReadSettings polled;
  ReadSettings streamed;
  streamed.layout.streamProtocol = true;
  streamed.layout.blockCount = 58;
  streamed.layout.mobile = {.flashRomStart = 0x1DC00, .lastSettingsBlock = 6, .firstAdjustBlock = 56,
                            .adjustWordLow = 2, .adjustWordHigh = 11, .validMarkerWord = 63, .lastUserWord = 60,
                            .lastEepromBlock = 1, .blockCount = 58};
  PrintHeading();
  bool ok = Run("mobile, polled", SimProtocol::kPolled, false, polled, linePace);
  ok = Run("portable, polled", SimProtocol::kPolled, true, polled, linePace) && ok;
  ok = Run("mobile, streamed", SimProtocol::kStreamed, false, streamed, linePace) && ok;
  return ok ? 0 : 1;
}
