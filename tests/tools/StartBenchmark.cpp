// rp58-start-benchmark: how long the program takes from its start until its
// window is painted and the event loop waits, and its peak memory, with no
// data file, a mobile file and a portable file, against a bare Qt window of
// the same size built in the same tree. Each is started several times
// (interleaved, after one unmeasured start each) and the medians compared.
// Meant for a build without sanitizers; the offscreen platform unless
// QT_QPA_PLATFORM says otherwise.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/StartProbe.h"

namespace {

namespace fs = std::filesystem;

struct Sample {
  bool ok = false;
  double ms = 0;
  double rssMiB = 0;
};

// Starts the program and waits for the probe's line; its peak memory comes
// from the kernel's account of the finished child.
Sample StartOnce(const std::string& program, const std::vector<std::string>& args, const std::string& runtimeDir) {
  int out[2];
  if (pipe(out) != 0) return {};
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], STDOUT_FILENO);
    close(out[0]);
    close(out[1]);
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, STDERR_FILENO);
    setenv("RP58_START_PROBE", "1", 1);
    setenv("RP58_MESSAGES", "stderr", 1);
    setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);  // apart from a copy the user runs
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(out[1]);
  Sample sample;
  std::string text;
  pollfd fd{out[0], POLLIN, 0};
  while (text.find(kStartProbeMarker) == std::string::npos && poll(&fd, 1, 20'000) > 0) {
    char buffer[256];
    const ssize_t n = read(out[0], buffer, sizeof buffer);
    if (n <= 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  const auto end = std::chrono::steady_clock::now();
  sample.ok = text.find(kStartProbeMarker) != std::string::npos;
  if (!sample.ok) kill(pid, SIGKILL);
  close(out[0]);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  sample.ok = sample.ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  sample.ms = std::chrono::duration<double, std::milli>(end - start).count();
  sample.rssMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
  return sample;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Case {
  const char* name;
  std::string program;
  std::vector<std::string> args;
  std::vector<double> ms, rss;
};

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  // This program lives in tests/ beside the program folder bin/.
  const fs::path tree = fs::read_symlink("/proc/self/exe").parent_path().parent_path();
  const fs::path data = fs::path(RP58_SOURCE_DIR) / "tests" / "data";
  char runtimeTemplate[] = "/tmp/rp58-start-benchmark-XXXXXX";
  const char* runtimeDir = mkdtemp(runtimeTemplate);
  if (runtimeDir == nullptr) {
    std::perror("mkdtemp");
    return 1;
  }

  std::vector<Case> cases = {
      {"bare Qt window", (tree / "tests" / "rp58-bare-window").string(), {}, {}, {}},
      {"bare window, text", (tree / "tests" / "rp58-bare-window").string(), {"--text"}, {}, {}},
      {"rp58, no file", (tree / "bin" / "rp58").string(), {}, {}, {}},
      {"rp58, mobile file", (tree / "bin" / "rp58").string(), {(data / "mobile-uhf-radio-wide.K58").string()}, {}, {}},
      {"rp58, portable file", (tree / "bin" / "rp58").string(), {(data / "portable-vhf-radio-wide.P58").string()}, {}, {}},
  };
  bool ok = true;
  for (int run = -1; run < runs; ++run) {
    for (Case& c : cases) {
      const Sample s = StartOnce(c.program, c.args, runtimeDir);
      if (!s.ok) {
        std::fprintf(stderr, "%s: no \"%s\" from %s\n", c.name, kStartProbeMarker, c.program.c_str());
        ok = false;
        continue;
      }
      if (run < 0) continue;  // the first start of each fills the caches
      c.ms.push_back(s.ms);
      c.rss.push_back(s.rssMiB);
    }
  }
  fs::remove_all(runtimeDir);
  if (!ok) return 1;

  const double bareMs = Median(cases[0].ms), bareRss = Median(cases[0].rss);
  // The second ratio is against a window that shows text: loading the font
  // database is the largest part of any start that draws a letter.
  const double textMs = Median(cases[1].ms), textRss = Median(cases[1].rss);
  std::printf("%d runs each, medians; ratios to the bare window, then to the bare window with text\n", runs);
  for (const Case& c : cases) {
    const double ms = Median(c.ms), rss = Median(c.rss);
    std::printf("%-20s  time %7.1f ms  (%.2fx, %.2fx)   peak RSS %6.1f MiB  (%.2fx, %.2fx)\n", c.name, ms,
                ms / bareMs, ms / textMs, rss, rss / bareRss, rss / textRss);
  }
  return 0;
}
