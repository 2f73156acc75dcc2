#pragma once
// What every fuzz target shares: the invariant check, a scratch folder on a
// memory file system, whole-file helpers and the model's starting state.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/MessageBox.h"
#include "model/RadioImage.h"

using Bytes = std::vector<std::uint8_t>;

// Prints which invariant broke and aborts, so libFuzzer keeps the input.
[[noreturn]] void InvariantBroken(const std::string& what);
#define FUZZ_CHECK(cond, what) \
  do {                         \
    if (!(cond)) InvariantBroken(what); \
  } while (0)

// A folder of this process's own, on /dev/shm when there is one: saves
// flush to disk, and a fuzzer saves thousands of times a second.
const std::string& ScratchDir();
std::string ScratchFile(const std::string& name);

void WriteWholeFile(const std::string& path, const std::uint8_t* data, std::size_t size);
// Empty when the path names no regular file.
Bytes ReadWholeFile(const std::string& path);
bool FileExists(const std::string& path);
void RemoveFile(const std::string& path);

// The process's open file descriptors, each with what it refers to.
std::vector<std::string> OpenDescriptors();
// The names in a folder, sorted (hidden ones too).
std::vector<std::string> FolderNames(const std::string& folder);
// The data-file save of the program to path, checked for leaks: no file
// descriptor stays open and nothing but the saved file appears in its
// folder, whether the save completed or was refused. True when it completed.
bool SaveLeavingNothing(const std::string& path);

// The state a fresh process has before it loads anything: every layer's
// fresh start (so the year is the clock's again: set it after this), then
// the records of both families at their defaults, an image of 0xFF and no
// data file.
void ResetModel();
// Only the records of both families, as ResetModel leaves them; the image,
// the adjustment copy and the family shown stay.
void ResetRecords();

// The hand-made data files of tests/data, sorted by name.
const std::vector<std::string>& LibraryFiles();
// Where the build laid out Data/ with the default files.
std::string ProgramDir();

// Answers every box like a cautious user: No to a question, OK otherwise;
// counts what it was shown.
class CCautiousMessages : public IMessageSink {
public:
  int Show(const std::string& text, const std::string& caption, unsigned style) override;
  int shown = 0;
  std::string last;
};

// The messages of every target go to one cautious user. Before 2013 the
// narrow-band question may be answered No and the save or send goes on
// unchanged (narrowing is a change the user asked for, not the fault of a
// round trip); otherwise the real year counts.
CCautiousMessages& CautiousUser(bool before2013 = false);

// What the program keeps between commands: the image, the adjustment copy,
// the family, the flags, the file name and both serial numbers.
struct KeptState {
  Bytes image;
  std::array<std::uint8_t, kAdjustCopySize> adjust;
  bool portable, modified, loaded;
  std::string fileName, serialText, serviceSerial;
};
KeptState KeptNow();
// What differs between two states, as text; empty when nothing does.
std::string Changed(const KeptState& before, const KeptState& after);

// Hex text of a byte range, for the failure messages.
std::string Hex(const std::uint8_t* data, std::size_t size);
// The offsets where a and b differ, at most limit of them, as text.
std::string Differences(const Bytes& a, const Bytes& b, std::size_t limit = 8);
