#include "model/BandRecord.h"

#include <cstddef>


namespace {

// Byte positions of the band record inside the image (block 2 is 256-383).
namespace pos {
constexpr std::size_t kBand = 256;            // bits 6-7 index, bit 5 band bit, bits 0-4 value
constexpr std::size_t kTransmitOffset = 293;  // 12 bits, 40 kHz units, big-endian
constexpr std::size_t kIfOffset[4] = {325, 327, 329, 331};  // big-endian, bit 7 = minus (codes 0-2)
constexpr std::size_t kField333 = 333;
constexpr std::size_t kField334 = 334;
constexpr std::size_t kByte375 = 375;
}  // namespace pos

// Default IF offsets in each code's unit: 67.65 MHz (mobile), 50.85 MHz
// (portable). Code 3 needs all 16 bits of its two bytes.
constexpr std::uint16_t kMobileIf[4] = {13530, 10824, 27060, 54120};
constexpr std::uint16_t kPortableIf[4] = {10170, 8136, 20340, 40680};

// Mobile default block 2: block offset, UHF byte, VHF byte. Every other byte
// of the block is 0xFF.
struct BlockByte {
  std::uint8_t offset;
  std::uint8_t uhf;
  std::uint8_t vhf;
};
constexpr BlockByte kMobileBlockBands[] = {
    {0, 24, 80},   {1, 26, 26},   {2, 80, 0xFF}, {3, 128, 0xFF}, {37, 0, 0},    {38, 52, 52},
    {39, 128, 128}, {45, 0, 0},   {46, 42, 42},  {47, 0, 0},     {53, 0, 0},    {54, 105, 105},
    {55, 0, 0},    {69, 52, 180}, {70, 218, 218}, {71, 42, 170}, {72, 72, 72},  {73, 105, 233},
    {74, 180, 180}, {85, 3, 1},   {86, 31, 47},
};
// Offsets 87-120, the same on both bands.
constexpr std::uint8_t kMobileBlockTail[] = {24,  106, 118, 86, 96, 68, 76, 74, 72,  69,  65, 77,
                                             75,  71,  65,  66, 60, 57, 55, 80, 76,  71,  55, 150,
                                             150, 180, 12,  4,  8,  4,  107, 91, 30, 8};
constexpr std::uint8_t kMobileBlockTailStart = 87;

// Portable default block 2 fixed bytes (image offsets). Bytes 256-376 that
// neither these nor the record fields give are written as 0xFF, the erased
// value the mobile block uses for its unlisted bytes.
constexpr std::size_t kPortableBlockEnd = 376;
constexpr std::uint8_t kPortableByte257 = 18;
constexpr std::uint8_t kPortableTransmitOffset[2] = {161, 164};  // 16.8 MHz
constexpr std::uint8_t kPortableByte376 = 12;

}  // namespace

CBandRecord::CBandRecord(Family family) : m_family(family) { SetDefaults(true); }

int CBandRecord::IfUnitCount(int stepCode) {
  static constexpr int kUnits[4] = {500, 625, 250, 125};
  return kUnits[stepCode & 3];
}

std::int64_t CBandRecord::IfOffsetCount(int stepCode) const {
  return static_cast<std::int64_t>(m_ifOffset[stepCode & 3].magnitude) * IfUnitCount(stepCode);
}

bool CBandRecord::DefaultIfMinus(int stepCode, bool uhf) const {
  if (!uhf) return true;
  return m_family == kMobile && stepCode == 3;
}

void CBandRecord::SetDefaults(bool uhf) {
  const std::uint16_t* ifs = m_family == kMobile ? kMobileIf : kPortableIf;
  for (int code = 0; code < 4; ++code) m_ifOffset[code] = {ifs[code], DefaultIfMinus(code, uhf)};
  m_transmitOffset = uhf ? 365 : 540;  // 14.6 MHz, 21.6 MHz
  m_bandIndex = uhf ? 0 : 2;
  m_bandBit = 0;
  m_bandValue = 13;
  m_field333 = 47;
  m_field334High = 2;
  m_field334Low = 8;
  m_flags333 = 16;
  m_byte375 = 132;
}

void CBandRecord::Unpack(const std::uint8_t* image) {
  const std::uint8_t band = image[pos::kBand];
  m_bandIndex = band >> 6;
  m_bandBit = (band >> 5) & 1;
  m_bandValue = band & 0x1F;
  m_transmitOffset = GetBE16(image + pos::kTransmitOffset) & 0x0FFF;
  for (int code = 0; code < 3; ++code) {
    const std::uint16_t word = GetBE16(image + pos::kIfOffset[code]);
    m_ifOffset[code] = {static_cast<std::uint16_t>(word & 0x7FFF), (word & 0x8000) != 0};
  }
  m_ifOffset[3] = {GetBE16(image + pos::kIfOffset[3]),
                   DefaultIfMinus(3, IsUhfFamilyCode(image[area::kFamilyCode]))};
  const std::uint8_t b333 = image[pos::kField333];
  m_field333 = b333 & 0x3F;
  m_flags333 = static_cast<std::uint8_t>(((b333 >> 7) & 1) << 4 | ((b333 >> 6) & 1));
  m_field334High = image[pos::kField334] >> 4;
  m_field334Low = image[pos::kField334] & 0x0F;
  m_byte375 = image[pos::kByte375];
}

void CBandRecord::WriteDefaultBlock(std::uint8_t* image, bool uhf) const {
  std::uint8_t* block = image + area::kBandBlock;
  if (m_family == kMobile) {
    for (std::size_t i = 0; i < kBlockSize; ++i) block[i] = 0xFF;
    for (const BlockByte& b : kMobileBlockBands) block[b.offset] = uhf ? b.uhf : b.vhf;
    for (std::size_t i = 0; i < sizeof kMobileBlockTail; ++i) block[kMobileBlockTailStart + i] = kMobileBlockTail[i];
    return;
  }
  for (std::size_t i = pos::kBand; i <= kPortableBlockEnd; ++i) image[i] = 0xFF;
  image[pos::kBand] = static_cast<std::uint8_t>(m_bandIndex << 6 | (m_bandValue & 0x1F));
  image[pos::kBand + 1] = kPortableByte257;
  image[pos::kTransmitOffset] = kPortableTransmitOffset[0];
  image[pos::kTransmitOffset + 1] = kPortableTransmitOffset[1];
  for (int code = 0; code < 4; ++code) {
    std::uint16_t word = kPortableIf[code];
    if (code < 3 && !uhf) word |= 0x8000;
    PutBE16(image + pos::kIfOffset[code], word);
  }
  image[pos::kField333] =
      static_cast<std::uint8_t>((m_field333 & 0x3F) | ((m_flags333 >> 4) & 1) << 7 | (m_flags333 & 1) << 6);
  image[pos::kField334] = static_cast<std::uint8_t>((m_field334High & 0x0F) << 4 | (m_field334Low & 0x0F));
  // 357-364 stay 0xFF.
  for (std::size_t i = 365; i <= 372; ++i) image[i] = 0;
  image[pos::kByte375] = m_byte375;
  image[kPortableBlockEnd] = kPortableByte376;
}
