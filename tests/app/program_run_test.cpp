// The real program, started as a user would: its command line and its
// single-instance guard, on the offscreen platform with message boxes
// written to the standard error.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ScriptedMessages.h"
#include "app/SingleInstance.h"

namespace {

struct ProgramRun {
  int exitCode = -1;
  std::string errors;
  std::string output;
};

std::string FileText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string ProgramPath() {
  // The test programs live in tests/ beside the program folder bin/.
  return (std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "bin" / "rp58").string();
}

// The standard output goes to errFile + ".out"; extraEnv is set for the program.
ProgramRun RunProgram(const std::vector<std::string>& args, const std::string& runtimeDir, const std::string& errFile,
                      const std::vector<std::pair<std::string, std::string>>& extraEnv = {}) {
  const std::string outFile = errFile + ".out";
  const pid_t pid = fork();
  if (pid == 0) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("RP58_MESSAGES", "stderr", 1);
    setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
    for (const auto& [name, value] : extraEnv) setenv(name.c_str(), value.c_str(), 1);
    if (freopen(errFile.c_str(), "w", stderr) == nullptr) _exit(126);
    if (freopen(outFile.c_str(), "w", stdout) == nullptr) _exit(126);
    const std::string program = ProgramPath();
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  ProgramRun run;
  int status = 0;
  waitpid(pid, &status, 0);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.errors = FileText(errFile);
  run.output = FileText(outFile);
  return run;
}

}  // namespace

TEST(Program, CommandLineErrorsEndWithTheUsageAndCodeOne) {
  TempDir dir;
  const std::string run = dir.File("run");
  std::filesystem::create_directory(run);
  const ProgramRun bad = RunProgram({"-x"}, run, dir.File("err1"));
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_NE(bad.errors.find("                  ***   Bad Option   ***\n\n        rp58 [<datafl>]"), std::string::npos);

  const ProgramRun help = RunProgram({"/h"}, run, dir.File("err2"));
  EXPECT_EQ(help.exitCode, 1);
  EXPECT_NE(help.errors.find("        rp58 [<datafl>] [-h/?] [-m] [-c<n>] [-l<n>]"), std::string::npos);
  EXPECT_EQ(help.errors.find("***"), std::string::npos);
}

TEST(Program, ASecondInstanceEndsAtOnce) {
  TempDir dir;
  const std::string run = dir.File("run");
  CSingleInstanceLock first;  // stands for a copy that is running
  ASSERT_EQ(first.Acquire(run), CSingleInstanceLock::kAcquired);
  // With the lock held the program ends before it reads its command line:
  // no usage box for a bad option, and no error code.
  const ProgramRun second = RunProgram({"-x"}, run, dir.File("err"));
  EXPECT_EQ(second.exitCode, 0);
  EXPECT_EQ(second.errors.find("Bad Option"), std::string::npos);
}

// The start-up benchmark's finishing line: once the window is painted and
// the event loop waits, the program says so and ends by itself.
TEST(Program, TheStartProbeSaysWhenTheWindowIsPaintedAndIdleAndEnds) {
  TempDir dir;
  const std::string run = dir.File("run");
  std::filesystem::create_directory(run);
  for (const char* file : {"mobile-uhf-radio-wide.K58", "portable-vhf-radio-wide.P58"}) {
    SCOPED_TRACE(file);
    const ProgramRun probed = RunProgram({std::string(RP58_SOURCE_DIR) + "/tests/data/" + file}, run, dir.File("err"),
                                         {{"RP58_START_PROBE", "1"}});
    EXPECT_EQ(probed.exitCode, 0);
    EXPECT_EQ(probed.output, "painted and idle\n");
  }
}
