// Program entry. Until the main window exists, the program shows its
// command-line usage and ends, as it does for -h.
#include <cstdio>

#include "app/CommandLine.h"

int main() {
  std::puts(UsageMessage(kUsageOnly).c_str());
  return 1;
}
