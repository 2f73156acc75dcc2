// Program entry. Until the main window exists, the program shows its
// command-line usage and ends, as it does for -h.
#include <cstdio>

namespace {
const char* const kUsage =
    "        MB407 [<datafl>] [-h/?] [-m] [-c<n>] [-l<n>]\n\n"
    "        <datafl> : Specifies data file to load\n"
    "        -? or -h: Gets this message\n"
    "        -m : Specify manufacturer privilege\n"
    "        -c : Specify COM port to use\n"
    "        -l : Specify LPT port to use\n\n"
    "        Press any key";
}

int main() {
  std::puts(kUsage);
  return 1;
}
