// Image -> records -> image: a data file loaded and saved, then that save
// loaded and saved again. The first save may normalise what the file held;
// the second must equal it byte for byte. Neither save leaves a file
// descriptor open or a temporary file behind.
// Input: the data file (tests/data holds good seeds).
#include <cstdio>
#include <vector>

#include "FuzzSupport.h"
#include "model/DataFile.h"
#include "model/RadioImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ResetModel();
  CCautiousMessages& messages = CautiousUser(true);
  const std::string in = ScratchFile("cycle-in.dat"), once = ScratchFile("once.dat"), twice = ScratchFile("twice.dat");
  WriteWholeFile(in, data, size);
  RemoveFile(once);
  RemoveFile(twice);
  if (g_dataFile.LoadDataFile(in, ProgramDir()) != 1) return 0;
  if (!SaveLeavingNothing(once)) return 0;  // a pack check refused the records

  messages.last.clear();
  FUZZ_CHECK(g_dataFile.LoadDataFile(once, ProgramDir()) == 1, "the first save is refused on load: " + messages.last);
  FUZZ_CHECK(SaveLeavingNothing(twice), "the records of the first save do not save again: " + messages.last);
  const Bytes first = ReadWholeFile(once), second = ReadWholeFile(twice);
  FUZZ_CHECK(first.size() == second.size(), "the second save has another size");
  for (std::size_t i = 0; i < first.size(); ++i) {
    if (first[i] == second[i]) continue;
    char what[96];
    std::snprintf(what, sizeof what, "byte 0x%04zX drifts from %02X to %02X on the second save", i, first[i], second[i]);
    InvariantBroken(what + std::string("; all: ") + Differences(first, second, 16));
  }
  return 0;
}
