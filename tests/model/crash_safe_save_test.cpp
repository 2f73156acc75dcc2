// A save killed at any moment leaves the old file or the new one, whole, and
// the next save clears the temporaries such kills leave behind.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "ProgramState.h"
#include "ScriptedMessages.h"
#include "model/DataFile.h"
#include "model/ModelChange.h"
#include "model/RadioImage.h"
#include "model/ScreenData.h"

namespace {

using Bytes = std::vector<unsigned char>;
constexpr const char* kTarget = "radio.K58";
const std::string kTemporaryOfTarget = ".radio.K58.save-";

Bytes MobileImage(int seed) {
  Bytes b(kImageSize);
  for (std::size_t i = 0; i < b.size(); ++i) b[i] = static_cast<unsigned char>((i * 13 + seed) & 0xFF);
  b[area::kFamilyCode] = 0x61;
  b[area::kProductCode] = 0x0B;
  return b;
}

void SetImage(const Bytes& b) { std::memcpy(g_pRadioImage, b.data(), kImageSize); }

std::vector<std::string> Entries(const std::string& folder = ".") {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// A process id that no process holds any more.
pid_t DeadPid() {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(0);
  ::waitpid(pid, nullptr, 0);
  return pid;
}

// The forked child: saves the two images in turn, first one first, until it
// is killed. It never returns into the test framework.
[[noreturn]] void SaveInTurnsUntilKilled(const Bytes& first, const Bytes& second, int readyFd) {
  (void)!::write(readyFd, "r", 1);
  for (int i = 0; i < 10000; ++i) {
    SetImage(i % 2 == 0 ? first : second);
    if (!g_dataFile.SaveDataFile(kTarget)) ::_exit(1);
  }
  ::_exit(2);
}

// Kills and reaps the child on the way out of a failed assertion, so no
// saving process outlives the test.
struct ChildGuard {
  pid_t pid;
  ~ChildGuard() {
    if (pid <= 0) return;
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
  }
};

class CrashSafeSaveTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(AllocateRadioImage());
    // No wide channels, so no save meets the narrow-band question.
    ResetToDefaultModel(kFamilyMobileUhf);
    NarrowWideChannelsFrom(0);
    g_saveWithoutPack = 1;  // the image goes to the file as it stands
  }

  // The file a save of image writes to path.
  static Bytes SavedFile(const Bytes& image, const std::string& path = kTarget) {
    SetImage(image);
    EXPECT_TRUE(g_dataFile.SaveDataFile(path));
    return ReadWholeFile(path);
  }

  FreshProgramState fresh_;
  TempDir dir_;
  ScriptedMessages msgs_;
};

TEST_F(CrashSafeSaveTest, AKilledSaveLeavesTheOldFileOrTheNewOneWhole) {
  const Bytes imageA = MobileImage(1), imageB = MobileImage(2);
  const Bytes fileB = SavedFile(imageB);
  const auto start = std::chrono::steady_clock::now();
  constexpr int kCalibration = 8;
  for (int i = 0; i < kCalibration; ++i) SavedFile(i % 2 ? imageA : imageB);
  const auto oneSave = (std::chrono::steady_clock::now() - start) / kCalibration;
  const Bytes fileA = SavedFile(imageA);
  ASSERT_NE(fileA, fileB);
  ASSERT_EQ(::chmod(kTarget, 0640), 0);

  std::mt19937 random(20260101);
  // Kill anywhere in the first two saves of each child.
  std::uniform_int_distribution<long> delayNs(0, std::chrono::nanoseconds(oneSave * 2).count());
  int sawA = 0, sawB = 0, sawLeftover = 0;
  bool targetIsA = true;
  constexpr int kKills = 250;
  for (int kill = 0; kill < kKills; ++kill) {
    SCOPED_TRACE(kill);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    // The child's first save always changes the file.
    if (child == 0) SaveInTurnsUntilKilled(targetIsA ? imageB : imageA, targetIsA ? imageA : imageB, ready[1]);
    ChildGuard guard{child};
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ::close(ready[0]);
    ::close(ready[1]);
    std::this_thread::sleep_for(std::chrono::nanoseconds(delayNs(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    guard.pid = 0;
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the saving child ended by itself, status " << status;

    const Bytes file = ReadWholeFile(kTarget);
    ASSERT_TRUE(file == fileA || file == fileB) << "a torn file of " << file.size() << " bytes";
    targetIsA = file == fileA;
    (targetIsA ? sawA : sawB)++;
    struct stat st {};
    ASSERT_EQ(::stat(kTarget, &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    // Each save clears what the killed ones before it left: one leftover at most.
    std::vector<std::string> others = Entries();
    others.erase(std::find(others.begin(), others.end(), kTarget));
    ASSERT_LE(others.size(), 1u);
    if (!others.empty()) {
      EXPECT_EQ(others[0].rfind(kTemporaryOfTarget, 0), 0u) << others[0];
      ++sawLeftover;
    }
  }
  // The kills fell before, inside and after writes, not all in one place.
  EXPECT_GT(sawA, 0);
  EXPECT_GT(sawB, 0);
  EXPECT_GT(sawLeftover, 0);

  EXPECT_EQ(SavedFile(imageB), fileB);
  EXPECT_EQ(Entries(), std::vector<std::string>{kTarget});
  EXPECT_TRUE(msgs_.texts().empty());
}

// Only a plain file of exactly the temporary form, for this target, whose
// process is gone, is a leftover; everything else in the folder stays.
TEST_F(CrashSafeSaveTest, ASaveRemovesOnlyItsOwnTargetsLeftovers) {
  const std::string dead = std::to_string(DeadPid());
  struct Row {
    std::string name;
    bool removed;
  };
  const Row rows[] = {
      {kTemporaryOfTarget + dead, true},
      {kTemporaryOfTarget + std::to_string(::getpid()), true},  // an earlier process with our id
      {kTemporaryOfTarget + "1", false},                        // its process still runs
      {".other.K58.save-" + dead, false},
      {".radio.K58.save-" + dead + ".save-" + dead, false},  // the temporary of "radio.K58.save-<pid>"
      {".radio.K58.save-" + dead + ".bak", false},
      {".radio.K58.save-0" + dead, false},
      {".radio.K58.save-", false},
      {"radio.K58.save-" + dead, false},
      {".radio.K58.save-x" + dead, false},
  };
  ASSERT_EQ(::mkdir("sub", 0755), 0);
  for (const Row& row : rows) WriteWholeFile("sub/" + row.name, Bytes(100, 0x33));
  const std::string folderNamedLikeOne = kTemporaryOfTarget + std::to_string(DeadPid());
  ASSERT_EQ(::mkdir(("sub/" + folderNamedLikeOne).c_str(), 0755), 0);

  SavedFile(MobileImage(1), dir_.File("sub/radio.K58"));

  std::vector<std::string> expected{"radio.K58", folderNamedLikeOne};
  for (const Row& row : rows)
    if (!row.removed) expected.push_back(row.name);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Entries("sub"), expected);
}

}  // namespace
