#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/CommandLine.h"

namespace {

// Records what the options did, in order; passwords answer from a script.
struct FakeTarget : ICommandLineTarget {
  std::vector<std::string> log;
  bool manufacturerAnswer = false;
  bool serviceAnswer = false;
  void SetComPortIndex(int i) override { log.push_back("com" + std::to_string(i)); }
  void SetLptPortIndex(int i) override { log.push_back("lpt" + std::to_string(i)); }
  bool CheckManufacturerPassword() override { log.push_back("ask-m"); return manufacturerAnswer; }
  bool CheckServicePassword() override { log.push_back("ask-s"); return serviceAnswer; }
  void SetManufacturerMode(bool on) override { log.push_back(on ? "M=1" : "M=0"); }
  void SetServiceMode(bool on) override { log.push_back(on ? "S=1" : "S=0"); }
};

struct Case {
  std::vector<std::string> tokens;
  UsageError usage;
  std::string file;
  std::vector<std::string> log;
};

}  // namespace

TEST(CommandLine, OptionsFilesAndErrors) {
  const Case cases[] = {
      {{}, kNoUsage, "", {}},
      {{"-C3"}, kNoUsage, "", {"com2"}},
      {{"/c1", "-c4"}, kNoUsage, "", {"com0", "com3"}},
      {{"-c0"}, kUsageBadComPort, "", {}},
      {{"-c5"}, kUsageBadComPort, "", {}},
      {{"-c"}, kUsageBadComPort, "", {}},
      {{"-c3x"}, kUsageBadComPort, "", {}},
      {{"-c" + std::string(200, '1')}, kUsageBadComPort, "", {}},
      {{"-l2"}, kNoUsage, "", {"lpt1"}},
      {{"-l3"}, kUsageBadComPort, "", {}},
      {{"-h"}, kUsageOnly, "", {}},
      {{"/h"}, kUsageOnly, "", {}},
      {{"-?"}, kUsageOnly, "", {}},
      {{"-x"}, kUsageBadOption, "", {}},
      {{"-"}, kUsageBadOption, "", {}},
      {{"radio"}, kNoUsage, "radio.K58", {}},
      {{"radio.P58"}, kNoUsage, "radio.P58", {}},
      {{"my.shop/radio"}, kNoUsage, "my.shop/radio.K58", {}},
      {{"/home/tech/radio.p58"}, kNoUsage, "/home/tech/radio.p58", {}},
      {{"a", "b"}, kUsageTwoDataFiles, "a.K58", {}},
      // Options apply in order, and only when the whole line is accepted: a
      // refused line changes nothing and asks no password.
      {{"-c2", "-x", "-c3"}, kUsageBadOption, "", {}},
      {{"-m", "-c2", "a", "b"}, kUsageTwoDataFiles, "a.K58", {}},
      {{"-s", "-c9"}, kUsageBadComPort, "", {}},
      {{"-l1", "-m", "-c2"}, kNoUsage, "", {"lpt0", "ask-m", "M=0", "com1"}},
      {{"", "-c2", ""}, kNoUsage, "", {"com1"}},
  };
  for (const Case& c : cases) {
    FakeTarget target;
    const CommandLineResult r = ParseCommandLine(c.tokens, target);
    const std::string where = c.tokens.empty() ? "<empty>" : c.tokens.front();
    EXPECT_EQ(r.usage, c.usage) << where;
    EXPECT_EQ(r.dataFileName, c.file) << where;
    EXPECT_EQ(target.log, c.log) << where;
  }
}

TEST(CommandLine, PasswordsDecideThePrivilegeFlags) {
  FakeTarget target;
  target.manufacturerAnswer = false;
  target.serviceAnswer = true;
  const CommandLineResult r = ParseCommandLine({"-m", "-S"}, target);
  EXPECT_EQ(r.usage, kNoUsage);
  EXPECT_EQ(target.log, (std::vector<std::string>{"ask-m", "M=0", "ask-s", "S=1"}));
}

TEST(CommandLine, LongNamesAndManyTokensAreHandled) {
  FakeTarget target;
  const std::string longName(5000, 'r');
  std::vector<std::string> tokens(40, "-c1");
  tokens.push_back(longName);
  CommandLineResult r = ParseCommandLine(tokens, target);
  EXPECT_EQ(r.usage, kNoUsage);
  EXPECT_EQ(r.dataFileName, longName + ".K58");
  EXPECT_EQ(r.dataFileCount, 1);

  tokens.push_back("second");  // a surplus token still gives the usage box
  r = ParseCommandLine(tokens, target);
  EXPECT_EQ(r.usage, kUsageTwoDataFiles);
}

TEST(CommandLine, UsageMessages) {
  const std::string usage = UsageMessage(kUsageOnly);
  EXPECT_EQ(usage.rfind("        rp58 [<datafl>] [-h/?] [-m] [-c<n>] [-l<n>]\n\n", 0), 0u);
  EXPECT_NE(usage.find("        -l : Specify LPT port to use\n\n        Press any key"), std::string::npos);
  EXPECT_EQ(usage.find("-s"), std::string::npos);
  EXPECT_EQ(UsageMessage(kUsageBadComPort), "                 ***   Bad COM port   ***\n\n" + usage);
  EXPECT_EQ(UsageMessage(kUsageBadOption), "                  ***   Bad Option   ***\n\n" + usage);
  EXPECT_EQ(UsageMessage(kUsageTwoDataFiles), "       ***  More than one data file specified  ***\n\n" + usage);
}
