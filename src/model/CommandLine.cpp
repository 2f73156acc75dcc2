#include "model/CommandLine.h"

#include <cctype>
#include <utility>

namespace {

const char* const kUsageText =
    "        rp58 [<datafl>] [-h/?] [-m] [-c<n>] [-l<n>]\n\n"
    "        <datafl> : Specifies data file to load\n"
    "        -? or -h: Gets this message\n"
    "        -m : Specify manufacturer privilege\n"
    "        -c : Specify COM port to use\n"
    "        -l : Specify LPT port to use\n\n"
    "        Press any key";

// A '/' introduces an option as well, but on this system it also starts an
// absolute path: a token with a further '/' or a '.' is a file name.
bool IsOption(const std::string& token) {
  if (token.size() < 1) return false;
  if (token[0] == '-') return true;
  if (token[0] != '/') return false;
  return token.find_first_of("/.", 1) == std::string::npos;
}

// The port number after the option letter: decimal digits only, bounded, so
// "-c", "-c3x" and a hundred digits are all simply a bad port (-1).
int PortNumber(const std::string& token) {
  const std::string digits = token.substr(2);
  if (digits.empty() || digits.size() > 4) return -1;
  int n = 0;
  for (char c : digits) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
    n = n * 10 + (c - '0');
  }
  return n;
}

}  // namespace

CommandLineResult ParseCommandLine(const std::vector<std::string>& tokens, ICommandLineTarget& target) {
  CommandLineResult result;
  // The whole line is checked before any option acts: a refused line leaves
  // the program as a start without arguments finds it, and asks no password.
  std::vector<std::pair<char, int>> options;
  for (const std::string& token : tokens) {
    if (token.empty()) continue;  // a run of blanks separates like one blank
    if (IsOption(token)) {
      const char letter = token.size() > 1 ? static_cast<char>(std::tolower(static_cast<unsigned char>(token[1]))) : '\0';
      int n = 0;
      switch (letter) {
        case '?':
        case 'h':
          result.usage = kUsageOnly;
          return result;
        case 'c':
        case 'l':
          n = PortNumber(token);
          // The LPT option shares the COM port's line.
          if (n < 1 || n > (letter == 'c' ? 4 : 2)) {
            result.usage = kUsageBadComPort;
            return result;
          }
          break;
        case 'm':
        case 's':
          break;
        default:
          result.usage = kUsageBadOption;
          return result;
      }
      options.emplace_back(letter, n);
      continue;
    }
    if (result.dataFileCount > 0) {
      result.usage = kUsageTwoDataFiles;
      return result;
    }
    result.dataFileName = token;
    // Only the name after the last folder counts: "my.dir/radio" has no extension.
    const std::size_t slash = token.rfind('/');
    const std::string base = slash == std::string::npos ? token : token.substr(slash + 1);
    if (base.find('.') == std::string::npos) result.dataFileName += ".K58";
    result.dataFileCount = 1;
  }
  for (const auto& [letter, n] : options) {
    switch (letter) {
      case 'c':
        target.SetComPortIndex(n - 1);
        break;
      case 'l':
        target.SetLptPortIndex(n - 1);
        break;
      case 'm':
        target.SetManufacturerMode(target.CheckManufacturerPassword());
        break;
      default:
        target.SetServiceMode(target.CheckServicePassword());
        break;
    }
  }
  return result;
}

std::string UsageMessage(UsageError error) {
  const char* line = nullptr;
  switch (error) {
    case kUsageBadComPort:
      line = "                 ***   Bad COM port   ***";
      break;
    case kUsageBadOption:
      line = "                  ***   Bad Option   ***";
      break;
    case kUsageTwoDataFiles:
      line = "       ***  More than one data file specified  ***";
      break;
    default:
      return kUsageText;
  }
  return std::string(line) + "\n\n" + kUsageText;
}
