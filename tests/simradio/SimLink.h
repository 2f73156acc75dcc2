#pragma once
// The programming cable and a simulated radio in memory, on virtual time:
// every byte the program writes comes back as the cable's echo and reaches
// the radio; a read that finds nothing moves the clock on to its deadline
// instead of waiting.
#include <cstdint>
#include <deque>
#include <optional>
#include <stdexcept>
#include <vector>

#include "SimRadio.h"
#include "link/LinkClock.h"
#include "link/SerialPort.h"

class CVirtualClock : public ILinkClock {
public:
  std::uint64_t NowMicros() override { return now_; }
  void SleepMicros(std::uint64_t micros) override {
    now_ += micros;
    slept_ += micros;
  }
  void AdvanceTo(std::uint64_t when) {
    if (when > now_) now_ = when;
  }
  // Everything the program chose to sleep, as opposed to time spent waiting.
  std::uint64_t SleptMicros() const { return slept_; }

private:
  std::uint64_t now_ = 0;
  std::uint64_t slept_ = 0;
};

// Thrown by the cable once a test has run on far past any working transfer,
// as a program that waits for the radio until Esc does in a test that never
// presses Esc: the test fails there, in seconds and with little memory, and
// the framework reports it against that test and goes on with the next.
class SimLinkOverrun : public std::logic_error {
public:
  using std::logic_error::logic_error;
};

class CSimLink : public ISerialPort {
public:
  // The longest run in the suites, a send through every fault the radio can
  // make, takes about two virtual minutes and some 60,000 reads, writes and
  // bytes written; five times that time and eight times that traffic
  // leave room for longer transfers while a wait that never ends still
  // fails after a few thousand reads. The traffic bound catches a loop that
  // calls the cable without moving the clock on.
  static constexpr std::uint64_t kVirtualTimeLimitMicros = 600'000'000;
  static constexpr std::size_t kTrafficLimit = 500'000;

  CSimLink(CSimRadio& radio, CVirtualClock& clock) : radio_(radio), clock_(clock), start_(clock.NowMicros()) {}

  // The device can't be opened (wrong path, no permission).
  void FailOpen() { failOpen_ = true; }
  // After this many more bytes from the program the cable is pulled out:
  // with deviceGone the adapter vanishes (every call fails), otherwise the
  // radio end comes loose (writes go nowhere, nothing comes back).
  void UnplugAfter(std::size_t bytes, bool deviceGone) {
    unplugAfter_ = written_ + bytes;
    deviceGone_ = deviceGone;
  }
  // The cable stops echoing (a two-wire cable, for tests that want raw replies).
  void DisableEcho() { echo_ = false; }

  bool Open() override;
  bool IsOpen() const override { return open_; }
  void Close() override;
  void Release() override { open_ = false; }
  void SetTimeouts(const CommTimeouts& timeouts) override { timeouts_ = timeouts; }
  int Write(const std::uint8_t* data, std::size_t count) override;
  int Read(std::uint8_t* data, std::size_t count) override;

  // Everything the program has written, in order.
  const std::vector<std::uint8_t>& Sent() const { return sent_; }
  // The sizes of the program's reads, in order (echo reads among them).
  const std::vector<std::size_t>& ReadSizes() const { return readSizes_; }
  int Closes() const { return closes_; }
  // Bytes the radio sent that nobody read yet.
  std::size_t Pending() const { return incoming_.size(); }

private:
  bool Unplugged() const { return unplugAfter_ && written_ >= *unplugAfter_; }
  void Pull();
  // Counts one more call and throws SimLinkOverrun past either bound.
  void CheckBounds();

  CSimRadio& radio_;
  CVirtualClock& clock_;
  std::uint64_t start_;
  std::size_t calls_ = 0;
  CommTimeouts timeouts_ = kWriteTimeouts;
  std::deque<std::uint8_t> incoming_;
  std::vector<std::uint8_t> sent_;
  std::vector<std::size_t> readSizes_;
  std::optional<std::size_t> unplugAfter_;
  std::size_t written_ = 0;
  bool deviceGone_ = false;
  bool failOpen_ = false;
  bool open_ = false;
  bool echo_ = true;
  int closes_ = 0;
};
