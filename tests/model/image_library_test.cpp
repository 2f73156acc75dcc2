// The hand-made data files of tests/data (tests/tools/MakeImageLibrary.cpp;
// `rp58-mkimages tests/data` rebuilds them): each must come back from a load
// and a save as it was, but for the bits the pack is known to normalise, and
// a second save must equal the first.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "ProgramState.h"
#include "ScriptedMessages.h"
#include "TestNames.h"
#include "model/ConfigFile.h"
#include "model/DataFile.h"
#include "model/FiveTone.h"
#include "model/ModelChange.h"
#include "model/Privilege.h"
#include "model/RadioData.h"
#include "model/RadioImage.h"
#include "model/SaveNormalisations.h"

namespace {

using Bytes = std::vector<unsigned char>;

enum Families : unsigned { kMobileFiles = 1, kPortableFiles = 2 };
static_assert(kMobileFiles == FamilyBit(kMobile) && kPortableFiles == FamilyBit(kPortable));
// What the save leaves in the bits of an entry.
using After = SavedAs;

// Bits a load and save may change in a file, in image (= file) offsets.
struct AllowedChange {
  unsigned families;
  std::size_t first, last;  // inclusive
  std::uint8_t bits;
  After after;
  const char* reason;
  std::uint8_t whenSet = 0;  // only where the file's byte has these bits set
};

// What the pack always does, whatever the file held: the model's own list,
// which the memory editor's refusals follow too.
const std::vector<AllowedChange>& Normalisations() {
  static const std::vector<AllowedChange> list = [] {
    std::vector<AllowedChange> out;
    for (const SaveNormalisation& n : SaveNormalisations())
      out.push_back({n.families, n.imageByte, n.imageByte, n.bits, n.after, n.reason, n.whenSet});
    return out;
  }();
  return list;
}

// Faults another change will mend; each entry names its fault and the
// check that meets it, and goes when the mend lands.
enum class Check { kFreshLoadAndSave, kAfterAnotherFile };
struct KnownFault {
  Check check;
  AllowedChange change;
};
const std::vector<KnownFault> kKnownFaults = {};

unsigned FamiliesOf(const Bytes& file) {
  return FamilyOfCode(file[area::kFamilyCode]) == kPortable ? kPortableFiles : kMobileFiles;
}

// The differences between before and after that no entry allows, one line
// each; the entries that allowed one are added to used.
std::vector<std::string> Unexplained(const Bytes& before, const Bytes& after,
                                     const std::vector<const AllowedChange*>& allowed,
                                     std::set<const AllowedChange*>* used = nullptr) {
  std::vector<std::string> lines;
  const unsigned families = FamiliesOf(before);
  for (std::size_t i = 0; i < std::max(before.size(), after.size()); ++i) {
    if (i >= before.size() || i >= after.size()) {
      lines.push_back("the sizes differ: " + std::to_string(before.size()) + " / " + std::to_string(after.size()));
      break;
    }
    std::uint8_t changed = before[i] ^ after[i];
    if (changed == 0) continue;
    for (const AllowedChange* a : allowed) {
      if ((a->families & families) == 0 || i < a->first || i > a->last || (changed & a->bits) == 0 ||
          (before[i] & a->whenSet) != a->whenSet)
        continue;
      const std::uint8_t mine = changed & a->bits;
      const bool asDocumented = a->after == After::kAny || (a->after == After::kSet && (after[i] & mine) == mine) ||
                                (a->after == After::kClear && (after[i] & mine) == 0);
      if (!asDocumented) continue;
      changed &= static_cast<std::uint8_t>(~mine);
      if (used != nullptr) used->insert(a);
    }
    if (changed != 0) {
      char where[96];
      std::snprintf(where, sizeof where, "byte 0x%04zX (%zu): %02X -> %02X, bits %02X unexplained", i, i, before[i],
                    after[i], changed);
      lines.push_back(where);
    }
  }
  return lines;
}

// What a check allows: the normalisations (if it compares with the file) and
// the known faults it meets.
std::vector<const AllowedChange*> AllowedIn(Check check, bool normalisations) {
  std::vector<const AllowedChange*> out;
  if (normalisations)
    for (const AllowedChange& entry : Normalisations()) out.push_back(&entry);
  for (const KnownFault& fault : kKnownFaults)
    if (fault.check == check) out.push_back(&fault.change);
  return out;
}

std::string LibraryFolder() { return std::string(RP58_SOURCE_DIR) + "/tests/data"; }

std::vector<std::string> LibraryFiles() {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(LibraryFolder())) {
    const std::string ext = entry.path().extension().string();
    if (ext == ".K58" || ext == ".P58") files.push_back(entry.path().filename().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// The program as a fresh process finds it: an image of FF, an adjustment
// copy of zeros, fresh records of both families, no configuration files
// (the working folder must be an empty one).
void ResetToFreshProcess() {
  ResetProgramState();
  ASSERT_TRUE(AllocateRadioImage());
  g_config.ReadConfig();  // from the test's own empty working folder
  g_portableConfig.ReadConfig();
  ResetToDefaultModel(kFamilyPortableUhf);
  ResetToDefaultModel(kFamilyMobileUhf);
}

// Loads from and saves to; both must go through without a message.
void LoadAndSave(const ScriptedMessages& msgs, const std::string& from, const std::string& to) {
  ASSERT_EQ(g_dataFile.LoadDataFile(from, std::filesystem::current_path().string()), 1) << from;
  ASSERT_TRUE(g_dataFile.SaveDataFile(to)) << to;
  EXPECT_TRUE(msgs.texts().empty()) << msgs.texts().front();
}

class ImageLibraryTest : public ::testing::TestWithParam<std::string> {
protected:
  void SetUp() override { ResetToFreshProcess(); }
  // Tests elsewhere in the suite still read the records as they start.
  void TearDown() override { ResetToFreshProcess(); }

  static std::string Source(const std::string& name = GetParam()) { return LibraryFolder() + "/" + name; }
  void LoadAndSave(const std::string& from, const std::string& to) { ::LoadAndSave(msgs_, from, to); }

  TempDir dir_;
  ScriptedMessages msgs_;
};

using ImageLibrary = ImageLibraryTest;

}  // namespace

TEST_P(ImageLibraryTest, LoadThenSaveKeepsEveryByteButTheNormalisedBits) {
  LoadAndSave(Source(), dir_.File("once.dat"));
  for (const std::string& line : Unexplained(ReadWholeFile(Source()), ReadWholeFile(dir_.File("once.dat")),
                                             AllowedIn(Check::kFreshLoadAndSave, true)))
    ADD_FAILURE() << line;
}

TEST_P(ImageLibraryTest, SecondSaveEqualsTheFirstByteForByte) {
  LoadAndSave(Source(), dir_.File("once.dat"));
  LoadAndSave(dir_.File("once.dat"), dir_.File("twice.dat"));
  const Bytes once = ReadWholeFile(dir_.File("once.dat"));
  for (const std::string& line : Unexplained(once, ReadWholeFile(dir_.File("twice.dat")), {})) ADD_FAILURE() << line;
}

// The session goes on from whatever file was open before: what the file
// does not carry must not come from there.
TEST_P(ImageLibraryTest, SaveIsTheSameAfterAnyOtherFileWasOpen) {
  LoadAndSave(Source(), dir_.File("fresh.dat"));
  const Bytes fresh = ReadWholeFile(dir_.File("fresh.dat"));
  for (const std::string& before : LibraryFiles()) {
    SCOPED_TRACE("after " + before);
    ResetToFreshProcess();
    LoadAndSave(Source(before), dir_.File("before.dat"));
    LoadAndSave(Source(), dir_.File("after.dat"));
    for (const std::string& line :
         Unexplained(fresh, ReadWholeFile(dir_.File("after.dat")), AllowedIn(Check::kAfterAnotherFile, false)))
      ADD_FAILURE() << line;
  }
}

// Every group slot and zone in use and the last channel programmed.
bool AtTheEdges(const CRadioDataCore& data, bool lastChannelProgrammed) {
  int groups = 0;
  for (int z = 0; z < kZoneCount; ++z) {
    if (!data.IsZoneEnabled(z)) return false;
    groups += data.GetSystemGroupCount(z);
  }
  const bool allGroupsOn =
      std::all_of(data.m_groups.begin(), data.m_groups.end(), [](const CGroupRecord& g) { return g.IsEnabled(); });
  return groups == kGroupCount && allGroupsOn && lastChannelProgrammed;
}

// The library holds both families and both bands, radios of each family at
// the edges, and every normalisation the table allows is one some file
// shows: an entry no file needs would let a fault through unseen.
TEST_F(ImageLibrary, CoversBothFamiliesBothBandsTheEdgesAndEveryNormalisation) {
  std::set<std::uint8_t> models;
  std::set<Family> atTheEdges;
  std::set<const AllowedChange*> used;
  for (const std::string& name : LibraryFiles()) {
    SCOPED_TRACE(name);
    ResetToFreshProcess();
    const Bytes file = ReadWholeFile(Source(name));
    models.insert(file[area::kFamilyCode]);
    LoadAndSave(Source(name), dir_.File("once.dat"));
    Unexplained(file, ReadWholeFile(dir_.File("once.dat")), AllowedIn(Check::kFreshLoadAndSave, true), &used);
    if (g_isPortable ? AtTheEdges(g_portableData, g_portableData.m_channels[kChannelCount - 1].IsProgrammed())
                     : AtTheEdges(g_mobileData, g_mobileData.m_channels[kChannelCount - 1].IsProgrammed()))
      atTheEdges.insert(g_isPortable ? kPortable : kMobile);
  }
  EXPECT_EQ(models,
            (std::set<std::uint8_t>{kFamilyMobileVhf, kFamilyMobileUhf, kFamilyPortableVhf, kFamilyPortableUhf}));
  EXPECT_EQ(atTheEdges, (std::set<Family>{kMobile, kPortable}));
  for (const AllowedChange& entry : Normalisations())
    EXPECT_TRUE(used.count(&entry)) << "no file shows: " << entry.reason;
}

INSTANTIATE_TEST_SUITE_P(TestsData, ImageLibraryTest, ::testing::ValuesIn(LibraryFiles()), FileTestName<std::string>);
