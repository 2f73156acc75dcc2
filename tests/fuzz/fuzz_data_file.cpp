// Data files: any bytes go through load, pack, save and reload without harm.
// A refused load leaves the image, the adjustment copy, the family, the
// changed flag and the serial number exactly as they were; a file the
// program saved loads again.
// Input: the file; its length chooses the state the load meets, so the data
// files of tests/data are seeds as they stand.
#include <cstring>

#include "FuzzSupport.h"
#include "model/DataFile.h"
#include "model/RadioImage.h"
#include "model/ScreenData.h"

namespace {


}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CCautiousMessages& messages = CautiousUser(true);
  const std::uint8_t state = static_cast<std::uint8_t>(size);
  ResetModel();
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

  const std::string saved = ScratchFile("saved.dat");
  RemoveFile(saved);
  messages.last.clear();
  // A pack check may refuse (its message shown); then there is nothing to reload.
  if (!g_dataFile.SaveDataFile(saved)) {
    FUZZ_CHECK(!FileExists(saved), "a refused save wrote the file");
    return 0;
  }
  const int family = g_isPortable;
  FUZZ_CHECK(g_dataFile.LoadDataFile(saved, ProgramDir()) == 1,
             "a data file the program saved is refused on reload: " + messages.last);
  FUZZ_CHECK(g_isPortable == family, "a saved data file reloads as the other family");
  return 0;
}
