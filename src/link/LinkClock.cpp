#include "link/LinkClock.h"

#include <chrono>
#include <thread>

CSystemClock::CSystemClock() = default;

std::uint64_t CSystemClock::NowMicros() {
  using namespace std::chrono;
  return static_cast<std::uint64_t>(duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

void CSystemClock::SleepMicros(std::uint64_t micros) {
  std::this_thread::sleep_for(std::chrono::microseconds(micros));
}
