#pragma once
// The programming cable's serial port: a terminal device driven with
// termios, every wait a poll() deadline.
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
  std::string path_;
  int fd_ = -1;
  std::string openFailure_;
  CommTimeouts timeouts_ = kWriteTimeouts;
};
