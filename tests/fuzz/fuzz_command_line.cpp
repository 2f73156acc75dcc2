// The command line: any argument list (options, port numbers, file names of
// any bytes and length) is either accepted, with exactly what it asked for,
// or refused with the usage box naming the fault, and then the program is as
// a start without arguments finds it: same ports, no privilege, no data file,
// and no password asked.
// Input: one byte (bit 0: the manufacturer password typed right, bit 1: the
// service password), then the arguments, separated by zero bytes.
#include <cctype>
#include <optional>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "model/CommandLine.h"
#include "model/ConfigFile.h"
#include "model/FreshStart.h"
#include "model/Privilege.h"

namespace {

// What the options reach, as the start-up code wires it.
class CStartTarget : public ICommandLineTarget {
public:
  CStartTarget(bool manufacturer, bool service) : manufacturer_(manufacturer), service_(service) {}
  void SetComPortIndex(int index) override { g_config.SetComPortIndex(static_cast<std::int16_t>(index)); }
  void SetLptPortIndex(int index) override { g_config.SetLptPortIndex(static_cast<std::int16_t>(index)); }
  bool CheckManufacturerPassword() override {
    ++asked;
    return manufacturer_;
  }
  bool CheckServicePassword() override {
    ++asked;
    return service_;
  }
  void SetManufacturerMode(bool on) override { g_manufacturerMode = on; }
  void SetServiceMode(bool on) override { g_serviceMode = on; }
  int asked = 0;

private:
  bool manufacturer_, service_;
};

struct StartState {
  int com, lpt;
  bool manufacturer, service;
  bool operator==(const StartState&) const = default;
};

StartState StateNow() {
  return {g_config.GetComPortIndex(), g_config.GetLptPortIndex(), g_manufacturerMode, g_serviceMode};
}

std::string Text(const StartState& s) {
  return "COM index " + std::to_string(s.com) + ", LPT index " + std::to_string(s.lpt) + ", manufacturer " +
         std::to_string(s.manufacturer) + ", service " + std::to_string(s.service);
}

// What the usage box must say for each refusal.
const char* ErrorLine(UsageError error) {
  switch (error) {
    case kUsageBadComPort: return "***   Bad COM port   ***";
    case kUsageBadOption: return "***   Bad Option   ***";
    case kUsageTwoDataFiles: return "***  More than one data file specified  ***";
    default: return nullptr;
  }
}

// The rules written out once more, independently: the first fault decides.
struct Expected {
  UsageError usage = kNoUsage;
  std::optional<int> com, lpt;
  int manufacturerAsks = 0, serviceAsks = 0;
  std::optional<std::string> file;
};

std::optional<int> Port(const std::string& token, int highest) {
  const std::string digits = token.substr(2);
  if (digits.empty() || digits.size() > 4 || digits.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  const int n = std::stoi(digits);
  if (n < 1 || n > highest) return std::nullopt;
  return n - 1;
}

Expected Oracle(const std::vector<std::string>& tokens) {
  Expected e;
  for (const std::string& t : tokens) {
    if (t.empty()) continue;
    const bool option = t[0] == '-' || (t[0] == '/' && t.find_first_of("/.", 1) == std::string::npos);
    if (!option) {
      if (e.file) {
        e.usage = kUsageTwoDataFiles;
        return e;
      }
      const std::string base = t.substr(t.rfind('/') == std::string::npos ? 0 : t.rfind('/') + 1);
      e.file = base.find('.') == std::string::npos ? t + ".K58" : t;
      continue;
    }
    const char letter = t.size() > 1 ? static_cast<char>(std::tolower(static_cast<unsigned char>(t[1]))) : 0;
    if (letter == 'h' || letter == '?') {
      e.usage = kUsageOnly;
      return e;
    }
    if (letter == 'c' || letter == 'l') {
      const std::optional<int> n = Port(t, letter == 'c' ? 4 : 2);
      if (!n) {
        e.usage = kUsageBadComPort;
        return e;
      }
      (letter == 'c' ? e.com : e.lpt) = n;
    } else if (letter == 'm') {
      ++e.manufacturerAsks;
    } else if (letter == 's') {
      ++e.serviceAsks;
    } else {
      e.usage = kUsageBadOption;
      return e;
    }
  }
  return e;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  CautiousUser();
  const bool manufacturerRight = data[0] & 0x01, serviceRight = data[0] & 0x02;
  std::vector<std::string> tokens;
  std::string token;
  for (std::size_t i = 1; i < size; ++i) {
    if (data[i] == 0) {
      tokens.push_back(token);
      token.clear();
    } else {
      token += static_cast<char>(data[i]);
    }
  }
  if (size > 1) tokens.push_back(token);

  // A start without arguments: the configured ports, no privilege.
  ResetToFreshStart();
  const StartState fresh = StateNow();

  CStartTarget target(manufacturerRight, serviceRight);
  const CommandLineResult result = ParseCommandLine(tokens, target);
  const Expected expected = Oracle(tokens);
  FUZZ_CHECK(result.usage == expected.usage, "the line is judged " + std::to_string(result.usage) + ", the rules say " +
                                                 std::to_string(expected.usage));

  if (result.usage != kNoUsage) {
    const std::string box = UsageMessage(result.usage);
    FUZZ_CHECK(box.find("[<datafl>] [-h/?] [-m] [-c<n>] [-l<n>]") != std::string::npos &&
                   box.find("Press any key") != std::string::npos,
               "a refused line shows no usage: '" + box + "'");
    if (const char* line = ErrorLine(result.usage))
      FUZZ_CHECK(box.find(line) != std::string::npos, "the usage box does not say what was refused: '" + box + "'");
    FUZZ_CHECK(StateNow() == fresh, "a refused line changed the program: " + Text(StateNow()));
    FUZZ_CHECK(target.asked == 0, "a refused line asked for a password");
    return 0;
  }

  FUZZ_CHECK(result.dataFileCount == (expected.file ? 1 : 0), "the data file count is wrong");
  FUZZ_CHECK(result.dataFileName == expected.file.value_or(""),
             "the data file is '" + result.dataFileName + "', asked for '" + expected.file.value_or("") + "'");
  const StartState want{expected.com.value_or(fresh.com), expected.lpt.value_or(fresh.lpt),
                        expected.manufacturerAsks > 0 && manufacturerRight, expected.serviceAsks > 0 && serviceRight};
  FUZZ_CHECK(StateNow() == want, "the accepted line gives " + Text(StateNow()) + ", it asked for " + Text(want));
  FUZZ_CHECK(target.asked == expected.manufacturerAsks + expected.serviceAsks, "passwords asked another number of times");
  return 0;
}
