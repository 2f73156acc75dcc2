#pragma once
// Time as the link engines see it: a monotonic clock and a sleeper. Tests
// hand in virtual time so no test ever waits for real.
#include <cstdint>

class ILinkClock {
public:
  virtual ~ILinkClock() = default;
  // Monotonic microseconds from an arbitrary start.
  virtual std::uint64_t NowMicros() = 0;
  // Sleeps at least the given time; never spins.
  virtual void SleepMicros(std::uint64_t micros) = 0;
};

// The machine's monotonic clock and the kernel's sleep.
class CSystemClock : public ILinkClock {
public:
  CSystemClock();
  std::uint64_t NowMicros() override;
  void SleepMicros(std::uint64_t micros) override;
};
