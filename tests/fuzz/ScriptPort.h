#pragma once
// The serial port of the link targets: the radio's side comes from a script
// (the fuzz input), the cable echoes what the program writes, and time is
// virtual. A watchdog on the clock presses Esc once a transfer has run too
// long and fails the run if the engine does not stop soon after.
//
// Script bytes are the radio's bytes, except 0xFE, which starts a control:
//   FE 00        a literal 0xFE
//   FE 01..7F    that many reads find nothing (the radio is silent)
//   FE 80        the next read fails (the device went away for a moment)
//   FE 81        the next write goes nowhere
//   FE 82        the user presses Esc
//   FE 83        the cable's echo of the next write comes late: only after
//                a read has found nothing
// Once the script is used up the radio is silent for good.
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "SimLink.h"
#include "SimRadio.h"
#include "link/SerialPort.h"

inline constexpr std::uint8_t kScriptEscape = 0xFE;
inline constexpr std::uint8_t kScriptReadFails = 0x80;
inline constexpr std::uint8_t kScriptWriteFails = 0x81;
inline constexpr std::uint8_t kScriptEsc = 0x82;
inline constexpr std::uint8_t kScriptLateEcho = 0x83;

// One thing that happened on the port, in order (KeepEvents).
struct PortEvent {
  enum Kind : std::uint8_t { kWrite, kWriteLost, kRadioByte, kEchoByte, kNothing, kReadFailed } kind;
  std::uint8_t byte = 0;
};

// Virtual time for the engines, with the watchdog.
class CFuzzClock : public CVirtualClock {
public:
  CFuzzClock(std::atomic<bool>& cancel, std::uint64_t escAfterMicros, std::string engine)
      : cancel_(cancel), escAfter_(escAfterMicros), engine_(std::move(engine)) {}
  void SleepMicros(std::uint64_t micros) override;
  // Called on every port operation and sleep.
  void Watch();
  void PressEsc();
  // For engines the user cannot stop with Esc: the script's Esc does nothing.
  void NoEsc() { noEsc_ = true; }

private:
  std::atomic<bool>& cancel_;
  std::uint64_t escAfter_;
  std::string engine_;
  std::uint64_t escAt_ = 0;
  bool pressed_ = false;
  bool noEsc_ = false;
};

class CScriptPort : public ISerialPort {
public:
  CScriptPort(const std::uint8_t* script, std::size_t size, CFuzzClock& clock, bool echo, bool failOpen)
      : script_(script), size_(size), clock_(clock), echo_(echo), failOpen_(failOpen) {}

  // Record mode (for making seeds): the radio's side comes from a simulated
  // radio instead, and every byte it sent and every read that found nothing
  // is written down as a script.
  void RecordFrom(CSimRadio& radio) { radio_ = &radio; }
  const std::vector<std::uint8_t>& Recorded() const { return recorded_; }

  // Everything the program wrote, in order, and the points where a frame of
  // it was cut short (a write that went nowhere).
  const std::vector<std::uint8_t>& Sent() const { return sent_; }
  const std::vector<std::size_t>& Breaks() const { return breaks_; }
  // Keeps every write and every byte read (the radio's or the cable's
  // echo), every read that found nothing and every failure, in order.
  void KeepEvents() { keepEvents_ = true; }
  const std::vector<PortEvent>& Events() const { return events_; }

  bool Open() override;
  bool IsOpen() const override { return open_; }
  void Close() override;
  void Release() override { open_ = false; }
  void SetTimeouts(const CommTimeouts& timeouts) override { timeouts_ = timeouts; }
  int Write(const std::uint8_t* data, std::size_t count) override;
  int Read(std::uint8_t* data, std::size_t count) override;

private:
  enum class Next { kByte, kSilent, kFail };
  // The radio's next byte, a silent read or a failed one.
  Next NextFromScript(std::uint8_t& byte);
  Next NextFromRadio(std::uint8_t& byte);

  const std::uint8_t* script_;
  std::size_t size_;
  std::size_t at_ = 0;
  CFuzzClock& clock_;
  bool echo_;
  bool failOpen_;
  bool open_ = false;
  CommTimeouts timeouts_ = kWriteTimeouts;
  std::deque<std::uint8_t> echoes_;
  bool lateEcho_ = false;                // the next write's echo is held back
  std::deque<std::uint8_t> heldEchoes_;  // until a read finds nothing
  bool keepEvents_ = false;
  std::vector<PortEvent> events_;
  void Note(PortEvent::Kind kind, std::uint8_t byte = 0) {
    if (keepEvents_) events_.push_back({kind, byte});
  }
  int silentReads_ = 0;
  bool failRead_ = false;
  bool failWrite_ = false;
  std::vector<std::uint8_t> sent_;
  std::vector<std::size_t> breaks_;
  CSimRadio* radio_ = nullptr;
  std::vector<std::uint8_t> recorded_;
};
