#include "model/SaveNormalisations.h"

#include <array>

#include "model/GlobalRecordFields.h"

namespace {

constexpr unsigned kMobileOnly = FamilyBit(kMobile);
constexpr unsigned kPortableOnly = FamilyBit(kPortable);

constexpr std::uint8_t MaskOf(const GlobalField& field) { return static_cast<std::uint8_t>(field.bits.Mask()); }

constexpr SaveNormalisation Of(unsigned families, const GlobalField& field, SavedAs after, const char* reason) {
  return {families, static_cast<std::size_t>(field.imageByte), MaskOf(field), after, 0, reason};
}

// The portable unpack puts bits 3-6 of 31 to 3 whenever b2 is set.
constexpr std::uint8_t kPortableOption31Fixed = 0x04;

constexpr std::array kNormalisations = {
    Of(kBothFamilies, global::kSystemBit6, SavedAs::kClear, "radio-wide options: b6 is always cleared"),
    Of(kBothFamilies, global::kSystemScan, SavedAs::kSet, "radio-wide options: b5 is always set"),
    SaveNormalisation{kPortableOnly, 31, 0x18, SavedAs::kSet, kPortableOption31Fixed,
                      "portable, with b2 set, bits 3-6 read 3: the unpack sets b3-4"},
    SaveNormalisation{kPortableOnly, 31, 0x60, SavedAs::kClear, kPortableOption31Fixed,
                      "portable, with b2 set, bits 3-6 read 3: the unpack clears b5-6"},
    Of(kBothFamilies, global::kLcdBit4, SavedAs::kClear, "LCD options: b4 is never saved"),
    Of(kBothFamilies, global::kLcdBit5, SavedAs::kClear, "LCD options: the unpack drops b5"),
    Of(kPortableOnly, global::kMobileBackLight, SavedAs::kAny,
       "display options: b6 (the mobile back light) follows the portable back light, 42 b2"),
    Of(kBothFamilies, global::kSaveBit4, SavedAs::kClear, "save options: b4 is always cleared"),
    Of(kBothFamilies, global::kQalsBit1, SavedAs::kSet, "QALS options: b1 is always set"),
    SaveNormalisation{kBothFamilies, static_cast<std::size_t>(global::kAdvancedBit4.imageByte),
                      static_cast<std::uint8_t>(MaskOf(global::kAdvancedBit4) | MaskOf(global::kMicrophone)),
                      SavedAs::kSet, 0, "advanced options: b4 and the microphone bit b5 are always set"},
    SaveNormalisation{kBothFamilies, 213, 0x09, SavedAs::kSet, 0, "first digit delay: b0 and b3 are always set"},
    SaveNormalisation{kBothFamilies, 213, 0x06, SavedAs::kClear, 0,
                      "first digit delay: b1 and b2 are always cleared"},
    SaveNormalisation{kPortableOnly, 226, 0xFF, SavedAs::kClear, 0, "AF minimum level: always 0 on the portable radio"},
    SaveNormalisation{kBothFamilies, 252, 0xFF, SavedAs::kAny, 0,
                      "last channel block: recomputed from the last programmed channel"},
    SaveNormalisation{kBothFamilies, 253, 0xFF, SavedAs::kAny, 0,
                      "last group block: recomputed from the last enabled group"},
    Of(kMobileOnly, global::kDisplayFlashBit6, SavedAs::kSet,
       "display/flash options: b6 is always set on a saved mobile radio"),
};

// The bits of `value` that the entry's save would turn the other way.
std::uint8_t AgainstTheSave(const SaveNormalisation& n, Family family, std::size_t index, std::uint8_t value) {
  if (!n.HoldsFor(family, index, value)) return 0;
  switch (n.after) {
    case SavedAs::kSet:
      return static_cast<std::uint8_t>(n.bits & ~value);
    case SavedAs::kClear:
      return static_cast<std::uint8_t>(n.bits & value);
    case SavedAs::kAny:
      break;
  }
  return 0;
}

}  // namespace

std::span<const SaveNormalisation> SaveNormalisations() { return kNormalisations; }

bool ASaveUndoes(Family family, std::size_t index, std::uint8_t before, std::uint8_t after) {
  for (const SaveNormalisation& n : kNormalisations) {
    if (n.after == SavedAs::kAny) {
      if ((n.HoldsFor(family, index, before) || n.HoldsFor(family, index, after)) && ((before ^ after) & n.bits) != 0)
        return true;
      continue;
    }
    const std::uint8_t was = AgainstTheSave(n, family, index, before);
    if ((AgainstTheSave(n, family, index, after) & ~was) != 0) return true;
  }
  return false;
}
