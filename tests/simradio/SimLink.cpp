#include "SimLink.h"

#include <algorithm>
#include <string>

bool CSimLink::Open() {
  if (failOpen_) return false;
  open_ = true;
  return true;
}

void CSimLink::Close() {
  if (!open_) return;
  open_ = false;
  incoming_.clear();
  ++closes_;
}

void CSimLink::Pull() {
  radio_.Advance(clock_.NowMicros());
  auto& out = radio_.Output();
  if (Unplugged()) {
    out.clear();
    return;
  }
  incoming_.insert(incoming_.end(), out.begin(), out.end());
  out.clear();
}

void CSimLink::CheckBounds() {
  ++calls_;
  const std::uint64_t now = clock_.NowMicros();
  if (now > start_ && now - start_ > kVirtualTimeLimitMicros)
    throw SimLinkOverrun("the program still used the cable after " + std::to_string((now - start_) / 1'000'000) +
                         " virtual seconds (waiting for an answer the radio never gives?)");
  if (calls_ + sent_.size() > kTrafficLimit)
    throw SimLinkOverrun("the program still used the cable after " + std::to_string(calls_) + " calls and " +
                         std::to_string(sent_.size()) + " bytes written (a loop that never ends?)");
}

int CSimLink::Write(const std::uint8_t* data, std::size_t count) {
  CheckBounds();
  if (!open_ || (Unplugged() && deviceGone_)) return -1;
  for (std::size_t i = 0; i < count; ++i) {
    if (Unplugged()) {
      if (deviceGone_) return static_cast<int>(i);
      continue;
    }
    ++written_;
    sent_.push_back(data[i]);
    if (echo_) incoming_.push_back(data[i]);
    radio_.Receive(data[i], clock_.NowMicros());
    Pull();
  }
  return static_cast<int>(count);
}

int CSimLink::Read(std::uint8_t* data, std::size_t count) {
  CheckBounds();
  readSizes_.push_back(count);
  if (!open_ || (Unplugged() && deviceGone_)) return -1;
  const std::uint64_t deadline =
      clock_.NowMicros() + 1000ull * (timeouts_.readTotalMultiplier * count + timeouts_.readTotalConstant);
  std::size_t done = 0;
  for (;;) {
    Pull();
    while (done < count && !incoming_.empty()) {
      data[done++] = incoming_.front();
      incoming_.pop_front();
    }
    if (done == count) return static_cast<int>(done);
    // Nothing more now: wait for the radio's next timed event or the deadline.
    std::uint64_t until = deadline;
    if (done > 0 && timeouts_.readInterval > 0) until = std::min<std::uint64_t>(until, clock_.NowMicros() + 1000ull * timeouts_.readInterval);
    const std::optional<std::uint64_t> event = radio_.NextEvent();
    if (event && *event < until && !Unplugged()) {
      clock_.AdvanceTo(*event);
      continue;
    }
    clock_.AdvanceTo(until);
    return static_cast<int>(done);
  }
}
