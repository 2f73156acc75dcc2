#include "PtyRadio.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {
std::uint64_t NowMicros() {
  using namespace std::chrono;
  return static_cast<std::uint64_t>(duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}
}  // namespace

CPtyRadio::~CPtyRadio() {
  Stop();
  if (master_ >= 0) close(master_);
  if (slave_ >= 0) close(slave_);
}

bool CPtyRadio::Create() {
  char name[256] = {};
  if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) return false;
  termios tio{};
  tcgetattr(slave_, &tio);
  cfmakeraw(&tio);
  tcsetattr(slave_, TCSANOW, &tio);
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  fcntl(master_, F_SETFD, FD_CLOEXEC);
  fcntl(slave_, F_SETFD, FD_CLOEXEC);
  path_ = name;
  return true;
}

bool CPtyRadio::WriteAll(const std::uint8_t* data, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = write(master_, data + done, count - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EAGAIN) {
      pollfd p{master_, POLLOUT, 0};
      poll(&p, 1, 100);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      return false;
    }
  }
  return true;
}

void CPtyRadio::Serve(const std::atomic<bool>& stop) {
  std::vector<std::uint8_t> out;
  std::uint8_t in[512];
  while (!stop.load()) {
    std::uint64_t now = NowMicros();
    radio_.Advance(now);
    int timeoutMs = 20;
    if (const auto event = radio_.NextEvent(); event && *event > now)
      timeoutMs = std::min<int>(timeoutMs, static_cast<int>((*event - now) / 1000) + 1);
    if (!radio_.Output().empty()) timeoutMs = 0;
    pollfd p{master_, POLLIN, 0};
    const int ready = poll(&p, 1, timeoutMs);
    out.clear();
    if (ready > 0 && (p.revents & POLLIN)) {
      const ssize_t n = read(master_, in, sizeof in);
      now = NowMicros();
      for (ssize_t i = 0; i < n; ++i) {
        out.push_back(in[i]);  // the cable's echo comes first
        radio_.Receive(in[i], now);
        auto& reply = radio_.Output();
        out.insert(out.end(), reply.begin(), reply.end());
        reply.clear();
      }
    }
    radio_.Advance(NowMicros());
    auto& pending = radio_.Output();
    out.insert(out.end(), pending.begin(), pending.end());
    pending.clear();
    if (!out.empty()) WriteAll(out.data(), out.size());
  }
}

void CPtyRadio::Start() {
  stop_ = false;
  thread_ = std::thread([this] { Serve(stop_); });
}

void CPtyRadio::Stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}
