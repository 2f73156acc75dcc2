// Read from Radio against a scripted radio: the read always ends (Esc is
// pressed after 20 virtual minutes, and it must stop soon after), and a read
// that does not succeed commits nothing the program keeps. What a read
// brings is as stable as a data file: the records it unpacks to pack to an
// image whose records pack to that same image again.
#include <array>
#include <atomic>
#include <cstring>

#include "FuzzSupport.h"
#include "LinkInput.h"
#include "ScriptPort.h"
#include "link/RadioReader.h"
#include "model/RadioImage.h"
#include "model/ScreenData.h"

namespace {

constexpr std::uint64_t kEscAfterMicros = 20ull * 60 * 1'000'000;

// The records of the image read, packed; then unpacked and packed once more,
// which must give the same bytes. A pack check may refuse what a radio holds.
void CheckPackIsStable() {
  Bytes once(g_pRadioImage, g_pRadioImage + kImageBufferSize);
  if (PackScreensToImage(once.data()) == 0) return;
  const auto adjust = g_adjustCopy;
  UnpackImageToScreens(once.data());
  Bytes twice(once);
  FUZZ_CHECK(PackScreensToImage(twice.data()) != 0, "the records of a packed read refuse to pack again");
  FUZZ_CHECK(g_adjustCopy == adjust, "packing the records of a read changed the adjustment copy");
  FUZZ_CHECK(twice == once, "a read's image is not stable under unpack and pack: " + Differences(once, twice, 16));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CautiousUser();
  const std::optional<LinkInput> in = ParseLinkInput(data, size);
  if (!in) return 0;

  ResetModel();
  // What the program holds before the read, told apart from anything a read brings.
  std::memset(g_pRadioImage, 0x5A, kImageBufferSize);
  g_adjustCopy.fill(0xA5);
  g_isPortable = in->portable ? 1 : 0;
  g_dataModified = 1;
  g_imageLoaded = 0;
  g_dataFileName = "BEFORE.K58";
  const KeptState before = KeptNow();

  ReadSettings settings;
  settings.layout = in->layout;
  settings.manufacturerMode = in->manufacturerMode;
  settings.currentFamily = in->portable ? kPortable : kMobile;
  if (in->knownPassword) std::memcpy(settings.knownPassword.data(), in->typed.data(), 8);
  ReadHooks hooks = ModelReadHooks([&]() -> std::optional<std::string> {
    if (!in->answers) return std::nullopt;
    return in->typed;
  });

  std::atomic<bool> cancel{false};
  CFuzzClock clock(cancel, kEscAfterMicros, "the read");
  const bool echo = in->echo;
  CScriptPort port(in->script, in->scriptSize, clock, echo, in->failOpen);
  CNullCloneStatus status;
  CCloneLink link(port, clock, cancel, status);
  CRadioReader reader(link, settings, hooks);

  int unpacks = 0;
  const auto unpack = hooks.unpackScreens;
  hooks.unpackScreens = [&](bool polled) {
    ++unpacks;
    FUZZ_CHECK(std::memcmp(g_pRadioImage, reader.Image(), kImageSize) == 0, "the read committed another image than it read");
    FUZZ_CHECK(g_adjustCopy == reader.AdjustCopy(), "the read committed another adjustment copy than it read");
    FUZZ_CHECK(g_isPortable == (reader.RadioFamily() == kPortable ? 1 : 0),
               "a read did not switch to the radio's family");
    unpack(polled);
  };

  const int result = reader.ReceiveAll();
  FUZZ_CHECK(result == kTransferDone || result == kTransferAborted || result == kTransferFailed,
             "the read returned " + std::to_string(result));
  if (result != kTransferDone) {
    const std::string changed = Changed(before, KeptNow());
    FUZZ_CHECK(changed.empty(), "a read that did not succeed changed: " + changed);
    return 0;
  }
  reader.Commit();
  FUZZ_CHECK(unpacks == 1 && g_imageLoaded == 1, "a successful read was not committed once");
  CheckPackIsStable();
  return 0;
}
