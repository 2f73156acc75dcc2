#pragma once
// What the clone and alignment engines need of a serial port. The program's
// port is a terminal device; tests plug in a simulated radio instead.
#include <cstddef>
#include <cstdint>
#include <string>

// Read and write time-outs in milliseconds. A read waits at most
// readTotalMultiplier x count + readTotalConstant in all, and at most
// readInterval between two bytes once the first has come (0 = no interval
// limit); a write may take writeTotalMultiplier x count + writeTotalConstant.
struct CommTimeouts {
  std::uint32_t readInterval;
  std::uint32_t readTotalMultiplier;
  std::uint32_t readTotalConstant;
  std::uint32_t writeTotalMultiplier;
  std::uint32_t writeTotalConstant;
};

// The three sets the byte primitives choose between.
inline constexpr CommTimeouts kWriteTimeouts{100, 5, 500, 100, 5000};
inline constexpr CommTimeouts kShortReadTimeouts{300, 0, 300, 0, 0};
inline constexpr CommTimeouts kLongReadTimeouts{1000, 0, 1000, 0, 0};

class ISerialPort {
public:
  virtual ~ISerialPort() = default;

  // Opens the device and sets 9600 baud, 8 data bits, no parity, 2 stop
  // bits, no flow control, DTR and RTS on. False when it can't be opened.
  virtual bool Open() = 0;
  virtual bool IsOpen() const = 0;
  // The device and the system's reason when the last Open failed, e.g.
  // "/dev/ttyUSB0: Permission denied"; empty when there is nothing to tell.
  virtual std::string OpenFailure() const { return {}; }
  // Drops DTR, discards both driver queues and closes. Harmless when closed.
  virtual void Close() = 0;
  // Closes without touching the lines or the queues.
  virtual void Release() = 0;

  virtual void SetTimeouts(const CommTimeouts& timeouts) = 0;
  // Bytes written (fewer on a write time-out), or -1 when the device failed.
  virtual int Write(const std::uint8_t* data, std::size_t count) = 0;
  // Bytes read (0 = nothing within the time-outs), or -1 when the device failed.
  virtual int Read(std::uint8_t* data, std::size_t count) = 0;
};
