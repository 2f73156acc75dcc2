// rp58-fuzz-seeds <folder>: writes the seeds of the link targets into
// <folder>/radio_read and <folder>/radio_send: whole reads and sends of the
// simulated radio, its side recorded as a script, so the fuzzer starts from
// transfers that go all the way.
#include <atomic>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "FuzzSupport.h"
#include "LinkInput.h"
#include "ScriptPort.h"
#include "link/RadioReader.h"
#include "link/RadioSender.h"
#include "model/DataFile.h"

namespace {

// A recording that takes longer is stuck: Esc, and the watchdog tells.
constexpr std::uint64_t kOneHour = 3600ull * 1'000'000;

void Write(const std::string& path, const std::array<std::uint8_t, kLinkHeaderSize>& header, const Bytes& script) {
  Bytes all(header.begin(), header.end());
  all.insert(all.end(), script.begin(), script.end());
  WriteWholeFile(path, all.data(), all.size());
  std::printf("%s: %zu bytes\n", path.c_str(), all.size());
}

// A radio holding a tests/data file, as the simulated radio's memory.
Bytes RadioMemoryOf(const std::string& file) {
  Bytes memory = ReadWholeFile(file);
  memory.resize(kImageBufferSize, 0xFF);
  return memory;
}

// A fresh start on a date before the narrow-band rule.
void ResetAsIn2012() {
  ResetModel();
  SetYearSource([] { return 2012; });
}

int RecordRead(const std::string& path, int fileIndex, int layoutIndex) {
  const std::string& file = LibraryFiles()[static_cast<std::size_t>(fileIndex)];
  const CloneLayout& layout = ConfiguredLayout(layoutIndex);
  ResetAsIn2012();
  std::atomic<bool> cancel{false};
  CFuzzClock clock(cancel, kOneHour, "the read");
  // The streamed read is fuzzed over a two-wire cable (a known fault of fuzz_radio_read).
  CScriptPort port(nullptr, 0, clock, !layout.streamProtocol, false);
  CSimRadio radio(layout.streamProtocol ? SimProtocol::kStreamed : SimProtocol::kPolled, RadioMemoryOf(file),
                  layout.lastEepromBlock, layout.blockCount);
  port.RecordFrom(radio);
  CNullCloneStatus status;
  CCloneLink link(port, clock, cancel, status);
  ReadSettings settings;
  settings.layout = layout;
  // The program knows the radio's password, as the header tells the target.
  std::memcpy(settings.knownPassword.data(), radio.Memory().data() + area::kRadioPassword, 8);
  const int r = ReadFromRadio(link, settings, ModelReadHooks([] { return std::nullopt; }));
  if (r != kTransferDone) return std::fprintf(stderr, "%s: the read of %s failed\n", path.c_str(), file.c_str()), 1;
  const bool portable = FamilyOfCode(ReadWholeFile(file)[area::kFamilyCode]) == kPortable;
  auto header = LinkHeader(portable, layoutIndex, 0);
  if (layout.streamProtocol) header[0] |= 0x08;
  header[0] |= 0x01;
  std::memcpy(header.data() + 2, settings.knownPassword.data(), 8);
  Write(path, header, port.Recorded());
  return 0;
}

int RecordSend(const std::string& path, int fileIndex, int layoutIndex) {
  const std::string& file = LibraryFiles()[static_cast<std::size_t>(fileIndex)];
  const CloneLayout& layout = ConfiguredLayout(layoutIndex);
  ResetAsIn2012();
  if (g_dataFile.LoadDataFile(file, ProgramDir()) != 1) return std::fprintf(stderr, "%s refused\n", file.c_str()), 1;
  std::atomic<bool> cancel{false};
  CFuzzClock clock(cancel, kOneHour, "the send");
  CScriptPort port(nullptr, 0, clock, true, false);
  CSimRadio radio(layout.streamProtocol ? SimProtocol::kStreamed : SimProtocol::kPolled, RadioMemoryOf(file),
                  layout.lastEepromBlock, layout.blockCount);
  // A streamed radio is switched on when the program asks for it.
  if (layout.streamProtocol) radio.PowerOn(0);
  port.RecordFrom(radio);
  CNullCloneStatus status;
  CCloneLink link(port, clock, cancel, status);
  SendSettings settings;
  settings.layout = layout;
  settings.family = g_isPortable ? kPortable : kMobile;
  const int r = SendToRadio(link, settings, ModelSendHooks([](const std::string&) { return std::nullopt; }));
  if (r != kTransferDone) return std::fprintf(stderr, "%s: the send of %s failed\n", path.c_str(), file.c_str()), 1;
  Write(path, LinkHeader(g_isPortable != 0, layoutIndex, static_cast<std::uint8_t>(fileIndex)), port.Recorded());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return std::fprintf(stderr, "usage: rp58-fuzz-seeds <folder>\n"), 2;
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  const std::string root = argv[1];
  std::filesystem::create_directories(root + "/radio_read");
  std::filesystem::create_directories(root + "/radio_send");
  int failures = 0;
  const int files = static_cast<int>(LibraryFiles().size());
  for (int f = 0; f < files; ++f) {
    const std::string name = std::filesystem::path(LibraryFiles()[static_cast<std::size_t>(f)]).stem().string();
    failures += RecordRead(root + "/radio_read/polled-" + name, f, DefaultLayout());
    failures += RecordSend(root + "/radio_send/polled-" + name, f, DefaultLayout());
  }
  failures += RecordRead(root + "/radio_read/streamed", 0, StreamedLayout());
  failures += RecordSend(root + "/radio_send/streamed", 0, StreamedLayout());
  return failures == 0 ? 0 : 1;
}
