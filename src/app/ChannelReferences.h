#pragma once
// RF channel references (repeater entries, group channel words): bits 0-9 name
// the channel, 0x3FF meaning none; the upper bits are flags of their own.
#include <cstdint>

inline constexpr std::uint16_t kChannelRefMask = 0x03FF;
inline constexpr std::uint16_t kNoChannelRef = 0x03FF;

// Points `word` at no channel when it names `channel`, keeping its flag bits.
inline void ClearChannelReference(std::uint16_t& word, std::uint16_t channel) {
  if ((word & kChannelRefMask) == channel)
    word = static_cast<std::uint16_t>((word & ~kChannelRefMask) | kNoChannelRef);
}
