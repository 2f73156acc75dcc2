// The radios the README's walk-through serves with rp58-simradio: each file
// it names, served as the tool serves it, gives a read back its zones and
// groups, so what a user reads, looks at and sends back is the file's data.
#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "LinkFixture.h"
#include "ProgramState.h"
#include "ScriptedMessages.h"
#include "ServedFile.h"
#include "SimLink.h"
#include "link/RadioReader.h"
#include "model/ConfigFile.h"
#include "model/RadioData.h"

namespace {

struct WalkThrough {
  const char* file;  // in tests/data
  bool streamed;     // served with --stream to a program with the factory file below
};
const WalkThrough kWalkThroughs[] = {
    {"try-mobile-uhf.K58", false},
    {"try-portable-vhf.P58", false},
    {"try-mobile-uhf.K58", true},
};
// The radio password the README gives for them.
constexpr const char* kReadmePassword = "PASS5858";
// The README's factory file for the streamed radio: COM1, EEPROM end 127, flash from 0x1DC00.
const std::vector<unsigned char> kStreamedFactoryFile = {0, 0, 0, 0, 0x7F, 0, 0x00, 0xDC, 0x01, 0x00};

std::string SourceFile(const std::string& name) { return std::string(RP58_SOURCE_DIR) + "/" + name; }

int GroupsInZones(const CRadioDataCore& data) {
  int groups = 0;
  for (int z = 0; z < kZoneCount; ++z)
    if (data.IsZoneEnabled(z)) groups += data.m_groupCounts[static_cast<std::size_t>(z)];
  return groups;
}

// The zone table and the groups the zones hold; group slots past them are
// not compared, since a read skips the blocks past the last group in use.
void ExpectSameZonesAndGroups(const CRadioDataCore& read, const CRadioDataCore& file) {
  EXPECT_EQ(read.m_groupCounts, file.m_groupCounts);
  EXPECT_EQ(read.m_zoneFlags, file.m_zoneFlags);
  EXPECT_EQ(read.m_zoneNames, file.m_zoneNames);
  EXPECT_EQ(read.m_zoneBytes, file.m_zoneBytes);
  EXPECT_EQ(read.m_repeaters, file.m_repeaters);
  EXPECT_EQ(read.m_selectedGroup, file.m_selectedGroup);
  for (int g = 0; g < GroupsInZones(file); ++g)
    if (!(read.m_groups[static_cast<std::size_t>(g)] == file.m_groups[static_cast<std::size_t>(g)])) {
      ADD_FAILURE() << "group " << g + 1 << " differs";
      break;
    }
}

const CRadioDataCore& ShownData() {
  return g_isPortable ? static_cast<const CRadioDataCore&>(g_portableData) : g_mobileData;
}

}  // namespace

TEST(ReadmeRadios, TheReadmeNamesEachFileItServes) {
  std::ifstream in(SourceFile("README.md"));
  ASSERT_TRUE(in.is_open());
  std::stringstream readme;
  readme << in.rdbuf();
  for (const WalkThrough& w : kWalkThroughs) {
    const std::string served = std::string(w.streamed ? "rp58-simradio --stream " : "") + "tests/data/" + w.file;
    EXPECT_NE(readme.str().find(served), std::string::npos) << served;
  }
  EXPECT_NE(readme.str().find(kReadmePassword), std::string::npos);
}

// A new user's program shows the default mobile file when it reads; the
// radio's own family and data must replace it whole.
TEST(ReadmeRadios, AReadOfEachServedFileGivesBackItsZonesAndGroups) {
  for (const WalkThrough& w : kWalkThroughs) {
    SCOPED_TRACE(std::string(w.file) + (w.streamed ? ", streamed" : ""));
    FreshProgramState fresh;
    TempDir dir;
    ScriptedMessages messages;
    const std::unique_ptr<CSimRadio> radio = RadioServingFile(
        SourceFile(std::string("tests/data/") + w.file), w.streamed ? SimProtocol::kStreamed : SimProtocol::kPolled);
    ASSERT_TRUE(radio);
    const bool portable = g_isPortable;
    const auto file = std::make_unique<CRadioDataCore>(ShownData());
    ASSERT_GT(GroupsInZones(*file), 0);

    ResetProgramState();
    ASSERT_TRUE(AllocateRadioImage());
    if (w.streamed) WriteWholeFile("MB925.CFG", kStreamedFactoryFile);
    g_config.ReadConfig();
    g_portableConfig.ReadConfig();
    ASSERT_EQ(g_config.UsesStreamProtocol(), w.streamed);
    CVirtualClock clock;
    CSimLink cable(*radio, clock);
    std::atomic<bool> cancel{false};
    RecordingStatus status;
    CCloneLink link(cable, clock, cancel, status);
    int passwordAsked = 0;
    const ReadHooks hooks = ModelReadHooks([&passwordAsked]() -> std::optional<std::string> {
      ++passwordAsked;
      return kReadmePassword;
    });
    ASSERT_EQ(ReadFromRadio(link, CurrentReadSettings(false), hooks), kTransferDone);

    EXPECT_EQ(g_isPortable, portable);
    ExpectSameZonesAndGroups(ShownData(), *file);
    // The streamed read asks for no password; the others ask for the README's.
    EXPECT_EQ(passwordAsked, w.streamed ? 0 : 1);
    EXPECT_TRUE(messages.texts().empty()) << messages.texts().front();
  }
}
