#include "PtyRadio.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <iterator>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {
double NowMicros() {
  using namespace std::chrono;
  return duration<double, std::micro>(steady_clock::now().time_since_epoch()).count();
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

void CPtyRadio::TakeRadioOutput(double now) {
  auto& output = radio_.Output();
  for (const std::uint8_t byte : output) {
    radioLineFree_ = std::max(radioLineFree_, now) + pace_;
    ToProgram(radioLineFree_, byte);
  }
  fromRadio_ += output.size();
  output.clear();
}

void CPtyRadio::ToProgram(double due, std::uint8_t byte) {
  // Echoes and the radio's bytes travel on lines of their own; the program
  // gets them in the order they finish, ties in the order they were sent.
  auto at = toProgram_.end();
  while (at != toProgram_.begin() && std::prev(at)->due > due) --at;
  toProgram_.insert(at, {due, byte});
}

void CPtyRadio::Serve(const std::atomic<bool>& stop) {
  // Line times are a millisecond apart when paced; the default slack of the
  // kernel's timers would blur them.
  prctl(PR_SET_TIMERSLACK, 1UL);
  std::vector<std::uint8_t> out;
  std::uint8_t in[512];
  while (!stop.load()) {
    const double now = NowMicros();
    radio_.Advance(static_cast<std::uint64_t>(now));
    TakeRadioOutput(now);
    for (ssize_t n; (n = read(master_, in, sizeof in)) > 0;) {
      for (ssize_t i = 0; i < n; ++i) {
        programLineFree_ = std::max(programLineFree_, now) + pace_;
        toRadio_.push_back({programLineFree_, in[i]});
      }
      fromProgram_ += static_cast<std::uint64_t>(n);
    }
    // The radio hears a byte, and the program its echo, once its stop bits are through.
    while (!toRadio_.empty() && toRadio_.front().due <= now) {
      const LineByte sent = toRadio_.front();
      toRadio_.pop_front();
      ToProgram(sent.due, sent.byte);
      radio_.Receive(sent.byte, static_cast<std::uint64_t>(sent.due));
      TakeRadioOutput(sent.due);
    }
    out.clear();
    while (!toProgram_.empty() && toProgram_.front().due <= now) {
      out.push_back(toProgram_.front().byte);
      toProgram_.pop_front();
    }
    if (!out.empty()) WriteAll(out.data(), out.size());

    double next = now + 20'000;
    if (const auto event = radio_.NextEvent()) next = std::min(next, static_cast<double>(*event));
    if (!toRadio_.empty()) next = std::min(next, toRadio_.front().due);
    if (!toProgram_.empty()) next = std::min(next, toProgram_.front().due);
    const double wait = std::max(0.0, next - NowMicros());
    const timespec timeout{static_cast<time_t>(wait / 1e6), static_cast<long>(std::fmod(wait, 1e6) * 1000)};
    pollfd p{master_, POLLIN, 0};
    ppoll(&p, 1, &timeout, nullptr);
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
