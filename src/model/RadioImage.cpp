#include "model/RadioImage.h"

#include <cstring>
#include <new>

#include "model/FreshStart.h"

namespace {
std::uint8_t* PlainAllocate(std::size_t bytes) { return new (std::nothrow) std::uint8_t[bytes]; }
ImageAllocator g_allocator;
}  // namespace

// Set by the fresh start below.
std::uint8_t* g_pRadioImage;
bool g_isPortable;
bool g_isPortableSaved;
bool g_dataModified;
bool g_imageLoaded;
std::array<std::uint8_t, kAdjustCopySize> g_adjustCopy;
bool g_saveWithoutPack;
std::string g_dataFileName;

namespace {
// No image, the plain allocator, a zeroed adjustment copy, the mobile family,
// nothing changed or loaded, the bundled data file.
void FreshImageState() {
  ReleaseRadioImage();
  SetImageAllocator(nullptr);
  g_adjustCopy.fill(0);
  g_isPortable = false;
  g_isPortableSaved = false;
  g_dataModified = false;
  g_imageLoaded = false;
  g_saveWithoutPack = false;
  g_dataFileName = kDefaultDataFileName;
}
const FreshStartReset kFreshStart(&FreshImageState);
}  // namespace

Family FamilyOfCode(std::uint8_t code) {
  switch (code) {
    case kFamilyMobileVhf:
    case kFamilyMobileUhf:
      return kMobile;
    case kFamilyPortableUhf:
    case kFamilyPortableVhf:
      return kPortable;
    default:
      return kUnknownFamily;
  }
}

bool IsUhfFamilyCode(std::uint8_t code) { return code == kFamilyMobileUhf || code == kFamilyPortableUhf; }

std::uint8_t FamilyCodeOf(Family family, bool uhf) {
  if (family == kPortable) return uhf ? kFamilyPortableUhf : kFamilyPortableVhf;
  return uhf ? kFamilyMobileUhf : kFamilyMobileVhf;
}

Family IdentifyRadioFamily(const std::uint8_t* image) {
  const std::uint8_t m = image[249] & 0x70;
  const std::uint8_t code = image[area::kFamilyCode];
  if (m == 0x20 || m == 0x00) {
    const std::uint8_t product = image[area::kProductCode];
    const bool mobileProduct = product == 0x0B || product == 0x27;
    const bool mobileCode = code == kFamilyMobileUhf || code == kFamilyMobileVhf;
    if (mobileProduct && mobileCode && (image[area::kMobileCheckByte] & 0x80) == 0) return kMobile;
  } else if (m == 0x30 || m == 0x10) {
    if (code == kFamilyPortableUhf || code == kFamilyPortableVhf) return kPortable;
  }
  return kUnknownFamily;
}

std::uint16_t GetBE16(const std::uint8_t* p) { return static_cast<std::uint16_t>((p[0] << 8) | p[1]); }

void PutBE16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v >> 8);
  p[1] = static_cast<std::uint8_t>(v & 0xFF);
}

bool GetBitLsb(const std::uint8_t* base, int index) { return (base[index / 8] >> (index % 8)) & 1; }

void SetBitLsb(std::uint8_t* base, int index, bool on) {
  const std::uint8_t mask = static_cast<std::uint8_t>(1u << (index % 8));
  if (on)
    base[index / 8] |= mask;
  else
    base[index / 8] &= static_cast<std::uint8_t>(~mask);
}

BitPos PairSwappedBit(int zone) {
  const std::size_t pair = static_cast<std::size_t>(zone / 16);
  const int inPair = zone % 16;
  // Zones 0-7 of a pair sit in its odd (second) byte, zones 8-15 in the even one.
  const std::size_t byte = 2 * pair + (inPair < 8 ? 1 : 0);
  return {byte, 7 - inPair % 8};
}

bool GetPairSwappedBit(const std::uint8_t* base, int zone) {
  const BitPos pos = PairSwappedBit(zone);
  return (base[pos.byte] >> pos.bit) & 1;
}

void SetPairSwappedBit(std::uint8_t* base, int zone, bool on) {
  const BitPos pos = PairSwappedBit(zone);
  const std::uint8_t mask = static_cast<std::uint8_t>(1u << pos.bit);
  if (on)
    base[pos.byte] |= mask;
  else
    base[pos.byte] &= static_cast<std::uint8_t>(~mask);
}

void ClearRadioImage(std::uint8_t* image) { std::memset(image, kUnwrittenByte, kImageSize); }

void SetImageAllocator(ImageAllocator allocator) { g_allocator = allocator ? allocator : &PlainAllocate; }

void ReleaseRadioImage() {
  delete[] g_pRadioImage;
  g_pRadioImage = nullptr;
}

bool AllocateRadioImage() {
  if (g_pRadioImage == nullptr) {
    g_pRadioImage = g_allocator(kImageBufferSize);
    if (g_pRadioImage == nullptr) return false;
  }
  std::memset(g_pRadioImage, kUnwrittenByte, kImageBufferSize);
  return true;
}
