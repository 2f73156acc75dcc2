#pragma once
// The command line "rp58 [<datafl>] [-h/?] [-m] [-c<n>] [-l<n>]": a pure parser
// that applies the options in order through a small target interface, so the
// rules can be tested without a window or a password prompt. Free of Qt, so
// the fuzz build reaches it.
#include <string>
#include <vector>

// Error numbers of the usage box; kUsageOnly is -? / -h.
enum UsageError : int {
  kNoUsage = -1,
  kUsageOnly = 0,
  kUsageBadComPort = 3,
  kUsageBadOption = 4,
  kUsageTwoDataFiles = 5,
};

// What the options act on. The start-up code implements it over the
// configuration objects, the password prompts and the privilege flags.
class ICommandLineTarget {
public:
  virtual ~ICommandLineTarget() = default;
  virtual void SetComPortIndex(int index) = 0;  // 0 = COM1
  virtual void SetLptPortIndex(int index) = 0;  // 0 = LPT1
  // Each prompts for its password; true when it matched.
  virtual bool CheckManufacturerPassword() = 0;
  virtual bool CheckServicePassword() = 0;
  virtual void SetManufacturerMode(bool on) = 0;
  virtual void SetServiceMode(bool on) = 0;
};

struct CommandLineResult {
  UsageError usage = kNoUsage;  // not kNoUsage: show the usage box, exit 1
  int dataFileCount = 0;
  std::string dataFileName;     // with ".K58" appended when it had no dot
};

// Checks the tokens (argv without the program name) in order up to the first
// error; only a line without one has its options applied, in order.
CommandLineResult ParseCommandLine(const std::vector<std::string>& tokens, ICommandLineTarget& target);

// The usage box text for an error number: the usage alone for kUsageOnly,
// otherwise the error line, a blank line and the usage.
std::string UsageMessage(UsageError error);
