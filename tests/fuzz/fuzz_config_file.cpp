// The configuration files of both families: any bytes load without harm, and
// what loads saves and loads the same (the mobile pair, the only one ever
// written: its state after a write and a read equals the state before, and
// a second write gives the same files); the portable pair reads the same twice.
// Input: one byte (bit 0: portable pair, bit 1: a user file, bit 2: a factory
// file), one byte of user-file length, then the user file and the factory file.
#include <algorithm>
#include <filesystem>

#include "FuzzSupport.h"
#include "model/ConfigFile.h"

namespace {

// Where StateOf puts the last alignment word.
constexpr std::size_t kAdjustWordHighAt = 10;

// Everything a configuration object tells, and the two range tables.
std::vector<std::int64_t> StateOf(const CConfigFileBase& c) {
  std::vector<std::int64_t> s = {c.GetComPortIndex(),    c.GetLptPortIndex(),      c.GetFlashRomStart(),
                                 c.GetEepromEndWord(),   c.GetBlockCount(),        c.GetLastEepromBlock(),
                                 c.GetLastSettingsBlock(), c.GetDataStartBlock(),  c.GetLastChannelBlock(),
                                 c.GetAdjustWordLow(),   c.GetAdjustWordHigh(),    c.GetFirstAdjustBlock(),
                                 c.GetValidMarkerWord(), c.GetLastUserWord(),      c.UsesStreamProtocol(),
                                 c.HasFactoryFile()};
  s.insert(s.end(), c.Ranges().begin(), c.Ranges().end());
  s.insert(s.end(), c.Ranges2().begin(), c.Ranges2().end());
  return s;
}

std::string Text(const std::vector<std::int64_t>& s) {
  std::string out;
  for (std::int64_t v : s) out += std::to_string(v) + " ";
  return out;
}

void Place(const std::string& name, bool present, const std::uint8_t* data, std::size_t size) {
  RemoveFile(name);
  if (present) WriteWholeFile(name, data, size);
}

}  // namespace

namespace {

void LoadAndSave(const std::uint8_t* data, std::size_t size);

// The files are found by their plain names in the working folder; the
// fuzzer's own folder is given back after each input, as it reads its
// corpus by relative names.
class CInScratchFolder {
public:
  CInScratchFolder() : back_(std::filesystem::current_path()) { std::filesystem::current_path(Dir()); }
  ~CInScratchFolder() { std::filesystem::current_path(back_); }

private:
  static const std::string& Dir() {
    static const std::string dir = [] {
      const std::string d = ScratchFile("config");
      std::filesystem::create_directories(d);
      return d;
    }();
    return dir;
  }
  std::filesystem::path back_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CInScratchFolder folder;
  LoadAndSave(data, size);
  return 0;
}

namespace {

void LoadAndSave(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return;
  const bool portable = data[0] & 0x01;
  const std::size_t userSize = std::min<std::size_t>(data[1], size - 2);
  const std::uint8_t* user = data + 2;
  const std::uint8_t* factory = user + userSize;
  const std::size_t factorySize = size - 2 - userSize;

  if (portable) {
    Place("RB36.CFG", data[0] & 0x02, user, userSize);
    Place("MB407.CFG", data[0] & 0x04, factory, factorySize);
    CPortableConfigFile config;
    config.ReadConfig();
    const auto first = StateOf(config);
    config.ReadConfig();
    FUZZ_CHECK(StateOf(config) == first, "the portable configuration reads differently the second time: " +
                                             Text(first) + "/ " + Text(StateOf(config)));
    CPortableConfigFile fresh;
    fresh.ReadConfig();
    FUZZ_CHECK(StateOf(fresh) == first, "a fresh portable configuration object reads differently");
    return;
  }

  Place("RP58.CFG", data[0] & 0x02, user, userSize);
  Place("MB925.CFG", data[0] & 0x04, factory, factorySize);
  CCautiousMessages& messages = CautiousUser();
  CConfigFile config;
  messages.last.clear();
  config.ReadConfig();
  auto loaded = StateOf(config);
  // As designed: a refused flash ROM start takes the fallback row (adjustment
  // words 2 to 14) but is saved as 0x1A500, whose own mobile row ends the
  // adjustment words at 3. Only that word may differ after the reload.
  const bool flashRefused = messages.last.rfind("Bad flash ROM start address", 0) == 0;
  FUZZ_CHECK(config.WriteConfig(), "the mobile configuration could not be written");
  const Bytes userOnce = ReadWholeFile("RP58.CFG"), factoryOnce = ReadWholeFile("MB925.CFG");

  CConfigFile reread;
  reread.ReadConfig();
  if (flashRefused) loaded[kAdjustWordHighAt] = reread.GetAdjustWordHigh();
  FUZZ_CHECK(StateOf(reread) == loaded, "the mobile configuration reads back differently from what was saved: " +
                                            Text(loaded) + "/ " + Text(StateOf(reread)));
  FUZZ_CHECK(reread.WriteConfig(), "the mobile configuration could not be written again");
  // A user file the first save created holds only the fields up to the first
  // table (36 bytes); the second save writes the whole 56 over it.
  Bytes userTwice = ReadWholeFile("RP58.CFG");
  userTwice.resize(std::min(userTwice.size(), userOnce.size()));
  FUZZ_CHECK(userTwice == userOnce, "the user file changes on a second save: " + Differences(userOnce, userTwice));
  FUZZ_CHECK(ReadWholeFile("MB925.CFG") == factoryOnce,
             "the factory file changes on a second save: " + Differences(factoryOnce, ReadWholeFile("MB925.CFG")));
}

}  // namespace
