#pragma once
// A simulated radio on an in-memory cable with the alignment link over it.
#include <atomic>
#include <vector>

#include "LinkFixture.h"
#include "SimLink.h"
#include "link/AlignLink.h"

using Bytes = std::vector<std::uint8_t>;

struct AlignBench {
  explicit AlignBench(Family family, std::vector<std::uint8_t> memory)
      : radio(SimProtocol::kPolled, std::move(memory)), port(radio, clock), link(port, clock, cancel, status),
        align(link, family) {
    radio.SetFamily(family == kPortable);
    port.Open();
  }
  explicit AlignBench(Family family) : AlignBench(family, RadioMemory(family)) {}
  // Powers the radio on and takes it into alignment mode.
  void Enter() {
    radio.PowerOn(clock.NowMicros());
    ASSERT_EQ(align.EnterAlignMode(), kAlignOk);
    ASSERT_TRUE(radio.Aligning());
    mark = port.Sent().size();
  }
  // What the program wrote since Enter.
  Bytes SentSinceEnter() const { return Bytes(port.Sent().begin() + static_cast<long>(mark), port.Sent().end()); }
  // Spoils every reply from now on.
  void SpoilReplies(SimFault fault) { radio.Plan({fault, radio.Replies(), 1000}); }

  CVirtualClock clock;
  std::atomic<bool> cancel{false};
  RecordingStatus status;
  CSimRadio radio;
  CSimLink port;
  CCloneLink link;
  CAlignLink align;
  std::size_t mark = 0;
};
