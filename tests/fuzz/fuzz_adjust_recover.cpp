// Adjustment recovery against a simulated radio whose EEPROM words 0-16 and
// adjustment blocks 254-256 come from the input, with faults on the line.
// The decision is worked out again here from what the radio holds; the radio
// is written only as that decision says: nothing when refused (or when the
// reading failed), words 0-127 of the default file (word 2 their sum), words
// 2-16 with only word 2 changed, or the blocks 2-256 of the saved file, and
// never any other word or block. A recovery that reports success left each
// word it was to write in the radio.
// Input: byte 0: the user (bits 0-1: the file chosen for a blank copy: none,
// a mobile library file, a portable one, a missing one; bit 2: the serial
// entry is left with Esc); byte 1: the library file the rest of the radio's
// memory comes from; bytes 2-3: a fault (kind, first reply; it spoils 1-4
// replies by byte 4); then words 0-16 (34 bytes, low byte first) and the
// adjustment blocks, as far as the input goes.
#include <array>
#include <atomic>
#include <cstring>
#include <optional>
#include <vector>

#include "FuzzSupport.h"
#include "SimLink.h"
#include "link/AdjustRecover.h"
#include "model/DataFile.h"
#include "model/FamilyModel.h"
#include "model/RadioData.h"
#include "model/RadioInfoRecord.h"
#include "model/ScreenData.h"

namespace {

constexpr std::size_t kHeader = 5;
constexpr std::size_t kWordBytes = 34;  // words 0..16
constexpr int kFirstAdjustBlock = 254;

enum class Decision { kRefuse, kDefaultFile, kSavedFile, kRewrite };

bool In(int v, int low, int high) { return v >= low && v <= high; }

// What the recovery must decide for a radio holding `mem`.
Decision Decide(const Bytes& mem, std::string& defaultFile) {
  const std::uint8_t product = mem[area::kProductCode];
  if (product != 11 && product != 39) return Decision::kRefuse;
  const int header = mem[area::kMobileAdjust] << 8 | mem[area::kMobileAdjust + 1];
  if (mem[area::kFamilyCode] == 0xFF && mem[area::kHardwareByte] == 0xFF) {
    if (In(header, kRecoverUhfLow, kRecoverUhfHigh)) defaultFile = kDefaultMobileUhfFile;
    else if (In(header, kRecoverVhfLow, kRecoverVhfHigh)) defaultFile = kDefaultMobileVhfFile;
    else return Decision::kRefuse;
    return Decision::kDefaultFile;
  }
  const std::uint8_t m = mem[area::kFamilyCode] & 0xE0;
  if (m != 0x00 && m != 0x60) return Decision::kRefuse;
  if (header == 0xFFFF) return Decision::kSavedFile;
  const bool fits = (m == 0x60 && In(header, kRecoverUhfLow, kRecoverUhfHigh)) ||
                    (m == 0x00 && In(header, kRecoverVhfLow, kRecoverVhfHigh));
  return fits ? Decision::kRewrite : Decision::kRefuse;
}

std::uint16_t WordOf(const std::uint8_t* image, int w) {
  return static_cast<std::uint16_t>(image[2 * w] | image[2 * w + 1] << 8);
}

// Word 2 as the recovery must write it: the sum of words 3..16.
std::uint16_t AdjustSum(const std::uint8_t* image) {
  std::uint16_t sum = 0;
  for (int w = 3; w <= 16; ++w) sum = static_cast<std::uint16_t>(sum + WordOf(image, w));
  return sum;
}

std::string InProgramDir(const std::string& path) {
  return !path.empty() && path[0] == '/' ? path : ProgramDir() + "/" + path;
}

// What the recovery dialog wires to the data model, with the user's answers.
RecoverHooks ModelHooks(int fileChoice, bool leaveSerial) {
  RecoverHooks hooks;
  hooks.loadDataFile = [](const std::string& path) { return g_dataFile.LoadDataFile(InProgramDir(path), ProgramDir()) == 1; };
  hooks.askDataFile = [fileChoice]() -> std::optional<std::string> {
    for (const std::string& f : LibraryFiles()) {
      const bool mobile = f.size() > 4 && f.compare(f.size() - 4, 4, ".K58") == 0;
      if ((fileChoice == 1 && mobile) || (fileChoice == 2 && !mobile)) return f;
    }
    if (fileChoice == 3) return ScratchFile("no-such-file.K58");
    return std::nullopt;
  };
  hooks.programImage = [](std::vector<std::uint8_t>& image, std::array<std::uint8_t, kAdjustCopySize>& adjust) {
    image.assign(g_pRadioImage, g_pRadioImage + kImageSize);
    adjust = g_adjustCopy;
  };
  hooks.serialText = [] { return g_mobileModel.radioInfo.serialText; };
  hooks.askSerial = [leaveSerial](const std::string& serial) -> std::optional<std::string> {
    if (leaveSerial) return std::nullopt;
    return serial;
  };
  hooks.pack = [](const std::optional<std::string>& serial) {
    if (serial) g_mobileModel.radioInfo.serialText = *serial;
    if (PackScreensToImage(g_pRadioImage) == 0) return false;
    g_mobileData.StoreAdjustmentData(g_adjustCopy.data());
    if (serial) g_mobileModel.radioInfo.PackSerial(g_adjustCopy.data());
    return true;
  };
  return hooks;
}

// A technician who switches the radio off and on when asked to.
class CTechnician : public CNullCloneStatus {
public:
  explicit CTechnician(CSimRadio& radio) : radio_(radio) {}
  void SetStatusLine1(const std::string& text) override {
    if (text == "Switch radio OFF, then") radio_.RequestPowerCycle();
  }

private:
  CSimRadio& radio_;
};

std::string Where(const SimWrite& w) {
  return std::string(w.kind == SimWrite::kWord ? "word " : "block (wire) ") + std::to_string(w.address);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kHeader) return 0;
  ResetModel();
  CautiousUser(true);
  const std::string& base = LibraryFiles()[data[1] % LibraryFiles().size()];
  Bytes mem = ReadWholeFile(base);
  mem.resize(kImageBufferSize, 0xFF);
  const std::size_t words = std::min(size - kHeader, kWordBytes);
  std::memcpy(mem.data(), data + kHeader, words);
  if (size > kHeader + kWordBytes)
    std::memcpy(mem.data() + area::kMobileAdjust, data + kHeader + kWordBytes,
                std::min(size - kHeader - kWordBytes, 3 * kBlockSize));
  std::string defaultFile;
  const Decision decision = Decide(mem, defaultFile);

  CSimRadio radio(SimProtocol::kPolled, mem);
  static constexpr SimFault kFaults[] = {SimFault::kBadSum, SimFault::kBadLength, SimFault::kTruncate,
                                         SimFault::kSilence, SimFault::kNak, SimFault::kOtherValue};
  if (data[2] < 2 * std::size(kFaults)) radio.Plan({kFaults[data[2] % std::size(kFaults)], data[3], data[4] % 4 + 1});
  CVirtualClock clock;
  CSimLink port(radio, clock);
  std::atomic<bool> cancel{false};
  CTechnician status(radio);
  CCloneLink link(port, clock, cancel, status);
  const CloneLayout layout;
  const RecoverHooks hooks = ModelHooks(data[0] & 0x03, data[0] & 0x04);
  CAdjustRecover recover(link, layout, hooks);
  const int result = recover.Run();
  FUZZ_CHECK(result == kTransferDone || result == kTransferAborted || result == kTransferFailed,
             "the recovery returned " + std::to_string(result));

  const std::vector<SimWrite>& writes = radio.Writes();
  if (decision == Decision::kRefuse) {
    FUZZ_CHECK(result == kTransferFailed, "a radio the recovery must refuse was not refused");
    FUZZ_CHECK(writes.empty(), "a refused radio was written: " + Where(writes.front()));
    return 0;
  }
  for (const SimWrite& w : writes) {
    switch (decision) {
      case Decision::kDefaultFile:
        FUZZ_CHECK(w.kind == SimWrite::kWord && w.address <= 127, "the default-file repair wrote " + Where(w));
        break;
      case Decision::kRewrite:
        FUZZ_CHECK(w.kind == SimWrite::kWord && w.address >= 2 && w.address <= 16, "the checksum repair wrote " + Where(w));
        break;
      default:
        FUZZ_CHECK(w.kind == SimWrite::kBlock && w.address <= kFirstAdjustBlock,
                   "the saved-file repair wrote " + Where(w));
        break;
    }
  }
  if (result != kTransferDone) return 0;

  // Each word the repair was to write, the radio now holds.
  if (decision == Decision::kRewrite) {
    for (int w = 3; w <= 16; ++w)
      FUZZ_CHECK(radio.Word(w) == WordOf(mem.data(), w), "the checksum repair changed alignment word " + std::to_string(w));
    FUZZ_CHECK(radio.Word(2) == AdjustSum(mem.data()), "word 2 is not the sum of words 3-16 after the checksum repair");
  } else if (decision == Decision::kDefaultFile) {
    const Bytes file = ReadWholeFile(InProgramDir(defaultFile));
    for (int w = 0; w <= 127; ++w) {
      const std::uint16_t want = w == 2 ? AdjustSum(file.data()) : WordOf(file.data(), w);
      FUZZ_CHECK(radio.Word(w) == want, "word " + std::to_string(w) + " is not the default file's after the repair");
    }
  } else {
    FUZZ_CHECK(!writes.empty(), "the saved-file repair succeeded without writing the radio");
  }
  return 0;
}
