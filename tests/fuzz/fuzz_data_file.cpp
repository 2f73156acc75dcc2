// Data files: any bytes go through load, pack, save and reload without harm.
// A refused load leaves the image, the adjustment copy, the family, the
// changed flag and the serial number exactly as they were; a file the
// program saved loads again. No save, completed or refused, leaves a file
// descriptor open or a temporary file behind, and a refused one leaves the
// file it would have replaced as it was.
// Input: the file; its length chooses the state the load meets and where the
// save goes (a new file, a file with more bytes than an image, a read-only
// file, a folder of that name), so the data files of tests/data are seeds as
// they stand.
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "FuzzSupport.h"
#include "model/DataFile.h"
#include "model/RadioImage.h"
#include "model/ScreenData.h"

namespace {

enum class Destination { kNewFile, kLongerFile, kReadOnlyFile, kFolder };

// A fresh folder with what the save meets at its target.
std::string PrepareDestination(Destination d) {
  const std::string folder = ScratchFile("save");
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const std::string path = folder + "/saved.dat";
  const Bytes old(kImageSize + 300, 0xC7);
  switch (d) {
    case Destination::kNewFile:
      break;
    case Destination::kLongerFile:
      WriteWholeFile(path, old.data(), old.size());
      break;
    case Destination::kReadOnlyFile:
      WriteWholeFile(path, old.data(), old.size());
      ::chmod(path.c_str(), 0444);
      break;
    case Destination::kFolder:
      std::filesystem::create_directories(path);
      break;
  }
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ResetModel();
  CCautiousMessages& messages = CautiousUser(true);
  const std::uint8_t state = static_cast<std::uint8_t>(size);
  g_isPortable = state & 0x01;
  g_dataModified = (state >> 1) & 0x01;
  std::memset(g_pRadioImage, 0x5A ^ (state & 0xF0), kImageBufferSize);
  g_adjustCopy.fill(static_cast<std::uint8_t>(0xA5 ^ state));
  const KeptState before = KeptNow();

  const std::string path = ScratchFile("in.dat");
  WriteWholeFile(path, data, size);
  if (g_dataFile.LoadDataFile(path, ProgramDir()) == 0) {
    const std::string changed = Changed(before, KeptNow());
    FUZZ_CHECK(changed.empty(), "a refused data file changed: " + changed);
    return 0;
  }
  FUZZ_CHECK(g_dataModified == 0, "a loaded data file left the data marked changed");

  const auto destination = static_cast<Destination>((state >> 2) & 0x03);
  const std::string saved = PrepareDestination(destination);
  const Bytes old = ReadWholeFile(saved);
  messages.last.clear();
  // A pack check may refuse (its message shown); then there is nothing to reload.
  if (!SaveLeavingNothing(saved)) {
    if (destination == Destination::kNewFile) FUZZ_CHECK(!FileExists(saved), "a refused save wrote the file");
    if (destination == Destination::kFolder) FUZZ_CHECK(std::filesystem::is_directory(saved), "a refused save replaced a folder");
    if (destination == Destination::kLongerFile || destination == Destination::kReadOnlyFile)
      FUZZ_CHECK(ReadWholeFile(saved) == old, "a refused save changed the file it would have replaced");
    return 0;
  }
  FUZZ_CHECK(destination != Destination::kReadOnlyFile && destination != Destination::kFolder,
             "a save replaced a read-only file or a folder");
  if (destination == Destination::kLongerFile) {
    const Bytes now = ReadWholeFile(saved);
    FUZZ_CHECK(now.size() == old.size() && std::equal(old.begin() + kImageSize, old.end(), now.begin() + kImageSize),
               "a save lost the bytes the file held beyond the image");
  }
  const bool portable = g_isPortable;
  FUZZ_CHECK(g_dataFile.LoadDataFile(saved, ProgramDir()) == 1,
             "a data file the program saved is refused on reload: " + messages.last);
  FUZZ_CHECK(g_isPortable == portable, "a saved data file reloads as the other family");
  return 0;
}
