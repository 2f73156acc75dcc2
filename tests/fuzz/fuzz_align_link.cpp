// The alignment link and window over a scripted radio on virtual time: any
// sequence of items started, values moved, meters polled, Ok, Cancel, channel
// steps and bare commands, against any replies (ACK, NAK, garbage, silence,
// a late echo, a write or read that fails). Each step ends within an hour of
// virtual time; a command reports success only when its reply came from the
// radio; and once a Cancel ends the sequence, a radio that was sent the key
// command '4' was sent the unkey command '5' after it, last of all.
// Input: byte 0: bit 0 the data file's family is kept from tests/data (its
// number in byte 1); byte 2: how many steps (1-16); then two bytes a step
// (what, and its argument); then the radio's script (ScriptPort.h).
#include <atomic>
#include <cstring>
#include <iterator>
#include <limits>
#include <vector>

#include "FuzzSupport.h"
#include "ScriptPort.h"
#include "link/AlignItems.h"
#include "model/DataFile.h"

namespace {

constexpr std::uint64_t kStepLimitMicros = 3600ull * 1'000'000;
constexpr std::size_t kHeader = 3;

// The commands a step may send bare. The key and the restart belong to the
// window's items, which keep track of them.
constexpr std::uint8_t kBareCommands[] = {'0', '1', '2', '3', '5', '6', '7', '9', ';', '>', '?'};

bool AckCommand(std::uint8_t c) { return c == '0' || c == '2' || c == '3' || c == '5' || c == ';' || c == '>'; }

// The alignment data a start would have uploaded from a radio holding the file.
AlignData DataOf(const std::string& file) {
  if (g_dataFile.LoadDataFile(file, ProgramDir()) != 1) InvariantBroken("tests/data file refused: " + file);
  AlignData data;
  data.family = g_isPortable ? kPortable : kMobile;
  std::memcpy(data.words.data(), g_pRadioImage, kAlignWordBytes);
  std::memcpy(data.image.data(), g_pRadioImage, kImageSize);
  data.loaded.fill(true);
  const int last = data.Byte(alignbyte::kLastChannelBlock);
  data.blockCount = last <= data.LastChannelBlock() ? last : data.LastChannelBlock();
  LoadChannelSteps(data);
  if (data.family == kPortable) {
    data.checksumWord = 1;
    data.checksumLow = 2;
    data.checksumHigh = 14;
  }
  return data;
}

// The reads since `from`: the radio's bytes, the cable's echoes and the reads
// that found nothing or failed, in order.
std::vector<PortEvent> ReadsSince(const std::vector<PortEvent>& events, std::size_t from) {
  std::vector<PortEvent> reads;
  for (std::size_t i = from; i < events.size(); ++i)
    if (events[i].kind != PortEvent::kWrite && events[i].kind != PortEvent::kWriteLost) reads.push_back(events[i]);
  return reads;
}

// A bare command that reported success: its reply must be the radio's.
void CheckReplyCame(std::uint8_t command, Family family, const std::vector<PortEvent>& reads) {
  const std::string what = std::string("command '") + static_cast<char>(command) + "'";
  if (AckCommand(command)) {
    FUZZ_CHECK(!reads.empty() && reads.back().kind == PortEvent::kRadioByte && reads.back().byte == kAck,
               what + " succeeded without the radio's ACK");
  } else if (command == kAlignReadMeter) {
    const std::size_t n = static_cast<std::size_t>(AlignMeterBytes(family)) + 3;
    FUZZ_CHECK(reads.size() >= n, what + " succeeded without a whole meter reply");
    for (std::size_t i = reads.size() - n; i < reads.size(); ++i)
      FUZZ_CHECK(reads[i].kind == PortEvent::kRadioByte, what + " took the cable's echo or nothing for the meter reply");
  }
}

int BareCommand(CAlignLink& link, std::uint8_t command, std::uint8_t arg) {
  const std::uint8_t a = arg, b = static_cast<std::uint8_t>(arg * 7);
  switch (AlignArgCount(command, link.GetFamily())) {
    case 0: return link.Command(command);
    case 1: return link.Command(command, {a});
    case 2: return link.Command(command, {a, b});
    case 3: return link.Command(command, {a, b, a});
    case 4: return link.Command(command, {a, b, a, b});
    default: return kAlignWrongReply;
  }
}

// The frames the program began to write, by command byte (the portable's
// raw 0x00 and the raw '0' that wakes a radio after its 'P' count as one),
// each with whether all of it went out.
struct SentFrame {
  std::uint8_t command;
  bool whole;
};

// A '0' written where a frame begins is the raw wake-up byte unless the
// select-channel frame's length follows it (no command byte is that small).
bool IsRawWakeUp(const std::vector<PortEvent>& events, std::size_t i, Family family) {
  if (events[i].byte != kAlignSelectChannel) return false;
  for (std::size_t j = i + 1; j < events.size(); ++j)
    if (events[j].kind == PortEvent::kWrite || events[j].kind == PortEvent::kWriteLost)
      return events[j].byte != AlignArgCount(kAlignSelectChannel, family) + 1;
  return true;
}

std::vector<SentFrame> SentFrames(const std::vector<PortEvent>& events, Family family) {
  std::vector<SentFrame> frames;
  std::size_t left = 0;  // bytes the current frame still has to go
  std::size_t at = 0;    // bytes of it so far
  for (std::size_t i = 0; i < events.size(); ++i) {
    const PortEvent& e = events[i];
    if (e.kind == PortEvent::kWriteLost) {
      // A write that went nowhere cuts the frame it belongs to.
      if (left == 0) frames.push_back({e.byte, false});
      else frames.back().whole = false;
      left = at = 0;
      continue;
    }
    if (e.kind != PortEvent::kWrite) continue;
    if (left == 0) {
      const bool raw = e.byte == 0x00 || IsRawWakeUp(events, i, family);
      frames.push_back({e.byte, raw});
      left = raw ? 0 : 1;  // until the length byte is known
      at = 1;
      continue;
    }
    ++at;
    if (at == 2) left = static_cast<std::size_t>(e.byte) + 1;  // the length byte, then the data and the sum
    if (--left == 0) frames.back().whole = true;
  }
  if (left > 0 && !frames.empty()) frames.back().whole = false;
  return frames;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CautiousUser();
  if (size < kHeader) return 0;
  const std::size_t steps = data[2] % 16 + 1;
  if (size < kHeader + 2 * steps) return 0;
  ResetModel();
  AlignData align = DataOf(LibraryFiles()[data[1] % LibraryFiles().size()]);
  AlignRanges ranges;
  ranges.slider.fill(255);
  ranges.meter.fill(255);

  std::atomic<bool> cancel{false};
  CFuzzClock clock(cancel, std::numeric_limits<std::uint64_t>::max(), "the alignment");
  clock.NoEsc();  // the window's commands are not cancelled
  const std::uint8_t* script = data + kHeader + 2 * steps;
  CScriptPort port(script, size - kHeader - 2 * steps, clock, true, false);
  port.KeepEvents();
  port.Open();
  CNullCloneStatus status;
  CCloneLink clone(port, clock, cancel, status);
  CAlignLink link(clone, align.family);
  CAlignSession session(link, align, ranges);

  for (std::size_t s = 0; s <= steps; ++s) {
    const bool last = s == steps;
    const std::uint8_t what = last ? 4 : data[kHeader + 2 * s] % 7;
    const std::uint8_t arg = last ? 0 : data[kHeader + 2 * s + 1];
    const std::uint64_t began = clock.NowMicros();
    const std::size_t mark = port.Events().size();
    switch (what) {
      case 0: session.Start(arg % kItemNone); break;
      case 1: session.Adjust(arg); break;
      case 2: session.Poll(); break;
      case 3: session.Ok(); break;
      case 4: session.Cancel(); break;
      case 5: session.StepChannel((arg & 1) ? 1 : -1); break;
      default: {
        if (session.Measuring()) break;  // the window offers no bare command while an item runs
        const std::uint8_t command = kBareCommands[arg % std::size(kBareCommands)];
        if (BareCommand(link, command, arg) == kAlignOk)
          CheckReplyCame(command, align.family, ReadsSince(port.Events(), mark));
        break;
      }
    }
    FUZZ_CHECK(clock.NowMicros() - began <= kStepLimitMicros,
               "step " + std::to_string(s) + " (" + std::to_string(what) + ") ran on for more than an hour");
  }
  FUZZ_CHECK(!session.Measuring(), "Cancel left an item measuring");

  // The radio is keyed by a '4' it got whole or in part, until a whole '5' or '8'.
  const std::vector<SentFrame> frames = SentFrames(port.Events(), align.family);
  bool keyed = false;
  for (const SentFrame& f : frames) {
    if (f.command == kAlignKey) keyed = true;
    if (f.whole && (f.command == kAlignEndItem || f.command == kAlignRestart)) keyed = false;
  }
  if (keyed)
    FUZZ_CHECK(frames.back().command == kAlignEndItem,
               std::string("after Cancel the radio may still be keyed: the last frame sent is '") +
                   static_cast<char>(frames.back().command) + "', not the unkey '5'");
  return 0;
}
