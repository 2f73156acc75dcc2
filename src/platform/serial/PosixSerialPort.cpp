#include "platform/serial/PosixSerialPort.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {
constexpr int kComPorts = 16;

using Clock = std::chrono::steady_clock;

int MillisLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

// Waits for the descriptor to become ready: 1 ready, 0 deadline passed,
// -1 the device failed (hung up, gone).
int WaitReady(int fd, short events, Clock::time_point deadline) {
  for (;;) {
    pollfd p{fd, events, 0};
    const int n = poll(&p, 1, MillisLeft(deadline));
    if (n < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (n == 0) return 0;
    if (p.revents & events) return 1;
    return -1;  // POLLERR, POLLHUP or POLLNVAL without data
  }
}
}  // namespace

std::string ComPortDevicePath(int comPortIndex) {
  const int index = (comPortIndex < 0 || comPortIndex >= kComPorts) ? 0 : comPortIndex;
  const std::string variable = "RP58_COM" + std::to_string(index + 1);
  if (const char* custom = std::getenv(variable.c_str()); custom != nullptr && *custom != '\0') return custom;
  return "/dev/ttyS" + std::to_string(index);
}

CPosixSerialPort::CPosixSerialPort(std::string devicePath) : path_(std::move(devicePath)) {}

CPosixSerialPort::~CPosixSerialPort() { Close(); }

bool CPosixSerialPort::Open() {
  if (fd_ >= 0) return true;
  openFailure_.clear();
  // Missing, busy and forbidden all fail alike; the reason tells them apart.
  auto fail = [this](int fd) {
    openFailure_ = path_ + ": " + std::generic_category().message(errno);
    if (fd >= 0) ::close(fd);
    return false;
  };
  const int fd = ::open(path_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return fail(fd);
  termios tio{};
  if (tcgetattr(fd, &tio) != 0) return fail(fd);
  // Nobody else may use the port while a transfer holds it.
  ioctl(fd, TIOCEXCL);
  cfmakeraw(&tio);
  cfsetispeed(&tio, B9600);
  cfsetospeed(&tio, B9600);
  tio.c_cflag &= ~(CSIZE | PARENB | CRTSCTS);
  tio.c_cflag |= CS8 | CSTOPB | CLOCAL | CREAD;
  tio.c_iflag &= ~(IXON | IXOFF | IXANY);
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  if (tcsetattr(fd, TCSANOW, &tio) != 0) return fail(fd);
  // The cable takes its power from DTR and RTS. A pseudo-terminal has no
  // modem lines, so a refusal here is not an error.
  int lines = TIOCM_DTR | TIOCM_RTS;
  ioctl(fd, TIOCMBIS, &lines);
  fd_ = fd;
  return true;
}

void CPosixSerialPort::Close() {
  if (fd_ < 0) return;
  int lines = TIOCM_DTR;
  ioctl(fd_, TIOCMBIC, &lines);
  tcflush(fd_, TCIOFLUSH);
  aheadAt_ = aheadEnd_ = 0;
  ::close(fd_);
  fd_ = -1;
}

void CPosixSerialPort::Release() {
  if (fd_ < 0) return;
  aheadAt_ = aheadEnd_ = 0;
  ::close(fd_);
  fd_ = -1;
}

int CPosixSerialPort::Write(const std::uint8_t* data, std::size_t count) {
  if (fd_ < 0) return -1;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeouts_.writeTotalMultiplier * count +
                                                                timeouts_.writeTotalConstant);
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::write(fd_, data + done, count - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) return -1;
    const int ready = WaitReady(fd_, POLLOUT, deadline);
    if (ready < 0) return -1;
    if (ready == 0) break;
  }
  return static_cast<int>(done);
}

std::size_t CPosixSerialPort::TakeAhead(std::uint8_t* data, std::size_t count) {
  const std::size_t n = std::min(count, aheadEnd_ - aheadAt_);
  std::memcpy(data, ahead_.data() + aheadAt_, n);
  aheadAt_ += n;
  return n;
}

int CPosixSerialPort::Read(std::uint8_t* data, std::size_t count) {
  if (fd_ < 0) return -1;
  std::size_t done = TakeAhead(data, count);
  if (done == count) return static_cast<int>(done);
  const auto start = Clock::now();
  const auto total = start + std::chrono::milliseconds(timeouts_.readTotalMultiplier * count +
                                                      timeouts_.readTotalConstant);
  while (done < count) {
    auto deadline = total;
    if (done > 0 && timeouts_.readInterval > 0) {
      const auto interval = Clock::now() + std::chrono::milliseconds(timeouts_.readInterval);
      if (interval < deadline) deadline = interval;
    }
    const int ready = WaitReady(fd_, POLLIN, deadline);
    if (ready < 0) return done > 0 ? static_cast<int>(done) : -1;
    if (ready == 0) break;
    const ssize_t n = ::read(fd_, ahead_.data(), ahead_.size());
    if (n > 0) {
      aheadAt_ = 0;
      aheadEnd_ = static_cast<std::size_t>(n);
      done += TakeAhead(data + done, count - done);
    } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
      return done > 0 ? static_cast<int>(done) : -1;
    }
  }
  return static_cast<int>(done);
}
