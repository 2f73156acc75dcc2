// rp58-simradio: a radio without a radio. Opens a pseudo-terminal, prints
// its path and serves a data file's image as the radio's memory until
// interrupted, so Read from Radio and Send to Radio can be tried with
// RP58_COM1 pointing at it. Enter on its terminal switches the radio off and
// on, as the program asks before a streamed send and before an alignment;
// "d" tells what changed in its memory since the last "d" and whether its
// transmitter is keyed (also told when it ends); "l N" loses its next N
// answers, as a bad cable would.
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "PtyRadio.h"
#include "ServedFile.h"
#include "SimRadio.h"
#include "model/RadioImage.h"

namespace {
std::atomic<bool> g_stop{false};
// Ends a turn of serving, so the radio can be looked at or told something
// on this thread.
std::atomic<bool> g_interrupt{false};
std::atomic<bool> g_dump{false};
std::atomic<int> g_lose{0};
void OnSignal(int) {
  g_stop = true;
  g_interrupt = true;
}

// Every byte that changed since `shown`, which then becomes the memory as it is.
void TellChanges(CSimRadio& radio, std::vector<std::uint8_t>& shown) {
  const std::vector<std::uint8_t>& memory = radio.Memory();
  int changed = 0;
  for (std::size_t i = 0; i < memory.size() && i < shown.size(); ++i) {
    if (memory[i] == shown[i]) continue;
    ++changed;
    if (i < 256)
      std::printf("  word %zu %s byte (offset %zu): %02X -> %02X\n", i / 2, i % 2 ? "high" : "low", i, shown[i], memory[i]);
    else
      std::printf("  block %zu offset %zu: %02X -> %02X\n", i / kBlockSize, i % kBlockSize, shown[i], memory[i]);
  }
  std::printf("%d byte(s) changed; transmitter %s\n", changed, radio.Keyed() ? "KEYED" : "not keyed");
  std::fflush(stdout);
  shown = memory;
}

int Usage() {
  std::fprintf(stderr,
               "usage: rp58-simradio [--stream] [--eeprom-end 63|127] [--off | --align] <file.K58|file.P58>\n"
               "  --stream      speak the streamed block protocol (flash start 0x1DC00)\n"
               "  --eeprom-end  the radio's EEPROM end word for the streamed layout (default 127)\n"
               "  --off         start switched off; it comes on 2 s after the program first calls\n"
               "  --align       start switched off; it comes on by itself and says so every 2 s\n"
               "                until the program answers (Alignment without pressing Enter)\n"
               "Press Enter to switch the radio off and on; \"d\" Enter tells what changed in its memory\n"
               "and whether it is keyed; \"l N\" Enter loses its next N answers.\n");
  return 1;
}
}  // namespace

int main(int argc, char** argv) {
  bool stream = false;
  bool off = false;
  bool align = false;
  int eepromEnd = 127;
  std::string file;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--stream") {
      stream = true;
    } else if (arg == "--off") {
      off = true;
    } else if (arg == "--align") {
      align = true;
    } else if (arg == "--eeprom-end" && i + 1 < argc) {
      eepromEnd = std::atoi(argv[++i]);
    } else if (!arg.empty() && arg[0] != '-' && file.empty()) {
      file = arg;
    } else {
      return Usage();
    }
  }
  if (file.empty() || (eepromEnd != 63 && eepromEnd != 127) || (align && (off || stream))) return Usage();

  const std::unique_ptr<CSimRadio> served =
      RadioServingFile(file, stream ? SimProtocol::kStreamed : SimProtocol::kPolled, eepromEnd);
  if (!served) {
    std::fprintf(stderr, "rp58-simradio: cannot load %s\n", file.c_str());
    return 1;
  }
  CSimRadio& radio = *served;
  if (off) {
    radio.StartSwitchedOff();
    radio.PowerOnAfterFirstByte(2'000'000);
  }
  if (align) radio.ComeOnByItself(1'000'000, 2'000'000);
  CPtyRadio pty(radio);
  if (!pty.Create()) {
    std::perror("rp58-simradio: openpty");
    return 1;
  }
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  std::printf("%s\n", pty.Path().c_str());
  std::fflush(stdout);
  std::thread keys([&radio] {
    std::string line;
    for (int c; (c = std::getchar()) != EOF;) {
      if (c != '\n') {
        line += static_cast<char>(c);
        continue;
      }
      if (line.empty()) {
        radio.RequestPowerCycle();
        std::printf("switched off and on\n");
        std::fflush(stdout);
      } else if (line == "d") {
        g_dump = true;
        g_interrupt = true;
      } else if (line.size() > 2 && line[0] == 'l' && line[1] == ' ') {
        g_lose = std::atoi(line.c_str() + 2);
        g_interrupt = true;
      }
      line.clear();
    }
  });
  keys.detach();
  std::vector<std::uint8_t> shown = radio.Memory();
  for (;;) {
    pty.Serve(g_interrupt);
    g_interrupt = false;
    if (g_stop) break;
    if (g_dump.exchange(false)) TellChanges(radio, shown);
    if (const int lose = g_lose.exchange(0); lose > 0) {
      radio.Plan({SimFault::kSilence, radio.Replies(), lose});
      std::printf("its next %d answer(s) will be lost\n", lose);
      std::fflush(stdout);
    }
  }
  TellChanges(radio, shown);
  return 0;
}
