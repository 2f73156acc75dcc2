// Send to Radio against a scripted radio: the send always ends (Esc after 20
// virtual minutes, and it must stop soon after); a send that does not succeed
// changes nothing the program keeps (image, adjustment copy, records, service
// serial number), and a polled radio it began to write is left marked invalid.
#include <atomic>
#include <cstdio>
#include <cstring>

#include "FuzzSupport.h"
#include "LinkInput.h"
#include "ScriptPort.h"
#include "link/RadioSender.h"
#include "model/DataFile.h"
#include "model/RadioImage.h"
#include "model/ScreenData.h"

namespace {

constexpr std::uint64_t kEscAfterMicros = 20ull * 60 * 1'000'000;
constexpr std::uint16_t kMarkerInvalid = 0xFFFF;
constexpr std::uint16_t kMarkerValid = 0xA55A;


// The records as a save would write them; empty when the pack refuses.
Bytes PackedRecords(const Bytes& image) {
  Bytes scratch(image);
  if (PackScreensToImage(scratch.data()) == 0) return {};
  return scratch;
}

struct RadioWrite {
  bool block;
  int address;
  std::uint16_t value;
};

// The words and blocks a polled radio took from what the program wrote:
// whole 0xF1 and 0xF3 frames with a good sum. A write that went nowhere cuts
// the frame being sent, as it would on the wire.
std::vector<RadioWrite> RadioWrites(const CScriptPort& port) {
  std::vector<RadioWrite> writes;
  Bytes frame;
  std::size_t nextBreak = 0;
  const auto& sent = port.Sent();
  const auto& breaks = port.Breaks();
  for (std::size_t i = 0; i < sent.size(); ++i) {
    while (nextBreak < breaks.size() && breaks[nextBreak] <= i) {
      frame.clear();
      ++nextBreak;
    }
    const std::uint8_t b = sent[i];
    if (frame.empty() && (b < 0xF0 || b > 0xF3)) continue;
    frame.push_back(b);
    if (frame.size() < 2 || frame.size() < static_cast<std::size_t>(frame[1]) + 2) continue;
    std::uint8_t sum = 0;
    for (std::size_t k = 0; k + 1 < frame.size(); ++k) sum = static_cast<std::uint8_t>(sum + frame[k]);
    if (sum == frame.back() && frame[0] == 0xF1 && frame[1] == 4)
      writes.push_back({false, frame[2], static_cast<std::uint16_t>(frame[3] << 8 | frame[4])});
    else if (sum == frame.back() && frame[0] == 0xF3 && frame[1] == 0x82)
      writes.push_back({true, frame[2], 0});
    frame.clear();
  }
  return writes;
}

// A polled radio whose marker was set invalid keeps it so, unless the last
// thing it took was the closing valid marker (all was written, the answer lost).
void CheckMarker(const CScriptPort& port, int marker) {
  const std::vector<RadioWrite> writes = RadioWrites(port);
  bool begun = false;
  std::uint16_t markerValue = 0;
  for (const RadioWrite& w : writes) {
    if (w.block || w.address != marker) continue;
    if (w.value == kMarkerInvalid) begun = true;
    markerValue = w.value;
  }
  if (!begun || markerValue == kMarkerInvalid) return;
  const RadioWrite& last = writes.back();
  if (!last.block && last.address == marker && last.value == kMarkerValid) return;
  char what[96];
  std::snprintf(what, sizeof what, "a failed polled send left the radio's marker word %d at %04X", marker, markerValue);
  InvariantBroken(what);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::optional<LinkInput> in = ParseLinkInput(data, size);
  if (!in) return 0;

  ResetModel();
  CautiousUser(true);
  const std::string& file = LibraryFiles()[in->file % LibraryFiles().size()];
  if (g_dataFile.LoadDataFile(file, ProgramDir()) != 1) InvariantBroken("tests/data file refused: " + file);
  g_serviceSerial = in->answers ? "SN00" + std::string(in->typed, 0, 4) : "";
  const Bytes packedBefore = PackedRecords(Bytes(g_pRadioImage, g_pRadioImage + kImageBufferSize));
  const KeptState before = KeptNow();

  SendSettings settings;
  settings.layout = in->layout;
  settings.family = g_isPortable ? kPortable : kMobile;
  settings.manufacturerMode = in->manufacturerMode;
  settings.serviceMode = in->answers;
  if (in->oneBlock) {
    char text[8];
    std::snprintf(text, sizeof text, "%X", in->block);
    settings.oneBlockText = text;
  }
  const SendHooks hooks = ModelSendHooks([&](const std::string&) -> std::optional<std::string> {
    if (!in->answers) return std::nullopt;
    return in->typed;
  });

  std::atomic<bool> cancel{false};
  CFuzzClock clock(cancel, kEscAfterMicros, "the send");
  CScriptPort port(in->script, in->scriptSize, clock, in->echo, in->failOpen);
  CNullCloneStatus status;
  CCloneLink link(port, clock, cancel, status);
  const int result = SendToRadio(link, settings, hooks);
  FUZZ_CHECK(result == kTransferDone || result == kTransferAborted || result == kTransferFailed,
             "the send returned " + std::to_string(result));
  if (result == kTransferDone) return 0;

  const std::string changed = Changed(before, KeptNow());
  FUZZ_CHECK(changed.empty(), "a send that did not succeed changed: " + changed);
  const Bytes packedAfter = PackedRecords(before.image);
  FUZZ_CHECK(packedAfter == packedBefore,
             "a send that did not succeed changed the records: " + Differences(packedBefore, packedAfter));
  if (!in->streamed) {
    const CloneFamilyLayout& layout = settings.family == kPortable ? settings.layout.portable : settings.layout.mobile;
    CheckMarker(port, layout.validMarkerWord);
  }
  return 0;
}
