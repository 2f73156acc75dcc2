#pragma once
// The bits of the radio-wide bytes that a load followed by a save leaves one
// way whatever the image held: the radio needs them so, the unpack drops
// them, or the records work them out anew. The memory editor refuses a
// nibble a save would undo, and the data-file tests allow exactly these
// changes, so the two cannot drift apart.
#include <cstddef>
#include <cstdint>
#include <span>

#include "model/RadioImage.h"

// What the save leaves in the bits of an entry.
enum class SavedAs : std::uint8_t { kSet, kClear, kAny };

// Which families an entry holds for (bits of FamilyBit).
constexpr unsigned FamilyBit(Family family) { return family == kPortable ? 2U : 1U; }
inline constexpr unsigned kBothFamilies = 3;

struct SaveNormalisation {
  unsigned families;
  std::size_t imageByte;
  std::uint8_t bits;
  SavedAs after;
  std::uint8_t whenSet;  // holds only while the byte has these bits set; 0: always
  const char* reason;

  // Whether the entry rewrites bits of this byte of this family's image.
  bool HoldsFor(Family family, std::size_t index, std::uint8_t value) const {
    return (families & FamilyBit(family)) != 0 && index == imageByte && (value & whenSet) == whenSet;
  }
};

std::span<const SaveNormalisation> SaveNormalisations();

// Whether a save would undo part of an edit of image byte `index` from
// `before` to `after`: the edit leaves a forced bit the other way, or changes
// a bit the records work out themselves. A byte that already held a value
// the save rewrites is not held against the edit.
bool ASaveUndoes(Family family, std::size_t index, std::uint8_t before, std::uint8_t after);
