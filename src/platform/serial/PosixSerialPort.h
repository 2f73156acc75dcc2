#pragma once
// The programming cable's serial port: a terminal device driven with
// termios, every wait a poll() deadline.
#include <array>
#include <cstdint>
#include <string>

#include "link/SerialPort.h"

// The device of COM n (index n - 1): /dev/ttyS0 .. /dev/ttyS15, unless the
// environment variable RP58_COM<n> names another (a USB cable, a test
// radio). Indexes outside 0..15 give COM1, as the configuration does.
std::string ComPortDevicePath(int comPortIndex);

class CPosixSerialPort : public ISerialPort {
public:
  explicit CPosixSerialPort(std::string devicePath);
  ~CPosixSerialPort() override;
  CPosixSerialPort(const CPosixSerialPort&) = delete;
  CPosixSerialPort& operator=(const CPosixSerialPort&) = delete;

  const std::string& DevicePath() const { return path_; }

  bool Open() override;
  bool IsOpen() const override { return fd_ >= 0; }
  std::string OpenFailure() const override { return openFailure_; }
  void Close() override;
  void Release() override;
  void SetTimeouts(const CommTimeouts& timeouts) override { timeouts_ = timeouts; }
  int Write(const std::uint8_t* data, std::size_t count) override;
  int Read(std::uint8_t* data, std::size_t count) override;

private:
  // Hands out bytes already taken from the driver; how many.
  std::size_t TakeAhead(std::uint8_t* data, std::size_t count);

  std::string path_;
  int fd_ = -1;
  std::string openFailure_;
  CommTimeouts timeouts_ = kWriteTimeouts;
  // The engines read a byte at a time; one read() takes all that has come,
  // and the bytes nobody asked for yet wait here.
  std::array<std::uint8_t, 512> ahead_{};
  std::size_t aheadAt_ = 0;
  std::size_t aheadEnd_ = 0;
};
