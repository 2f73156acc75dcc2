#pragma once
// The radio memory image: the program's one working copy of a radio's
// programmable memory, laid out exactly as the radio holds it, and the
// process-wide state that goes with it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr std::size_t kBlockSize = 128;
inline constexpr std::size_t kImageBlocks = 257;
inline constexpr std::size_t kImageSize = kBlockSize * kImageBlocks;       // 32,896
inline constexpr std::size_t kImageBufferSize = kImageSize + kBlockSize;   // one spare block
inline constexpr std::size_t kAdjustCopySize = 384;
// The value of image bytes nothing has written; a default image holds it
// wherever no record writes.
inline constexpr std::uint8_t kUnwrittenByte = 0xFF;

// Area map: byte offsets into the image.
namespace area {
inline constexpr std::size_t kFirmwareVersion = 0x000;
inline constexpr std::size_t kIdentWord = 0x002;       // byte 3 is the product code
inline constexpr std::size_t kProductCode = 0x003;
inline constexpr std::size_t kAdjustChecksum = 0x004;
inline constexpr std::size_t kPortableTuning = 0x00C;  // 14 bytes
inline constexpr std::size_t kMobileTuning = 0x00E;    // 16 bytes
inline constexpr std::size_t kPortableWide = 0x01E;    // 2 bytes
inline constexpr std::size_t kFamilyCode = 0x020;
inline constexpr std::size_t kHardwareByte = 0x021;
inline constexpr std::size_t kRadioPassword = 0x022;   // 8 characters
inline constexpr std::size_t kMobileCheckByte = 0x02A; // bit 7 clear on a mobile radio
inline constexpr std::size_t kZoneGroupCounts = 0x02C;
inline constexpr std::size_t kZoneSelectedGroup = 0x04C;
inline constexpr std::size_t kZoneSecondByte = 0x06C;
inline constexpr std::size_t kSmallRadioWide = 0x08C;
inline constexpr std::size_t kZoneEnableBits = 0x08E;  // pair-swapped, set = zone off
inline constexpr std::size_t kZoneSecondBits = 0x092;  // pair-swapped
inline constexpr std::size_t kGroupBits1 = 0x096;      // bit 1 of the group flags
inline constexpr std::size_t kRadioWide = 0x0B6;       // to 0x0FF
inline constexpr std::size_t kModelWord = 0x0F8;       // bytes 248-249
inline constexpr std::size_t kModelByte = 0x0F9;       // bits 4-6 tell the family of a radio
inline constexpr std::size_t kBandBlock = 0x100;       // block 2
inline constexpr std::size_t kDtmf = 0x180;            // 198 bytes
inline constexpr std::size_t kGroupBits0 = 0x246;      // bit 0: set = group off
inline constexpr std::size_t kGroupBits4 = 0x266;      // bit 4 of the group flags
inline constexpr std::size_t kPortableBlank = 0x2C0;   // 60 bytes, 0xFF in a default image
inline constexpr std::size_t kPowerOnText = 0x300;
inline constexpr std::size_t kZoneNames = 0x308;       // 32 x 8
inline constexpr std::size_t kStatusTexts = 0x408;     // 15 x 8
inline constexpr std::size_t kZoneRecords = 0x480;     // 32 x 64
inline constexpr std::size_t kGroupRecords = 0xC80;    // 250 x 16
inline constexpr std::size_t kChannels = 0x1C80;
inline constexpr std::size_t kPortableAdjust = 0x5380; // block 167
inline constexpr std::size_t kPortableFiveToneCommon = 0x5400;
inline constexpr std::size_t kPortableFiveToneEncode = 0x5410;
inline constexpr std::size_t kPortableFiveToneDecode = 0x5478;
inline constexpr std::size_t kPortableFiveToneTones = 0x54E0;
inline constexpr std::size_t kMobileFiveToneCommon = 0x5C80;
inline constexpr std::size_t kMobileFiveToneEncode = 0x5C90;
inline constexpr std::size_t kMobileFiveToneDecode = 0x5D20;
inline constexpr std::size_t kMobileFiveToneCodes = 0x5E08;
inline constexpr std::size_t kMobileCarried = 0x6000;  // blocks 192-253, carried unchanged
inline constexpr std::size_t kMobileAdjust = 0x7F00;   // blocks 254-256
}  // namespace area

inline constexpr int kZoneCount = 32;
inline constexpr std::uint8_t kNoZone = 255;   // a zone field that names no zone
inline constexpr std::uint8_t kNoGroup = 255;  // a group field that names no group
inline constexpr int kGroupCount = 250;
inline constexpr int kChannelCount = 640;
inline constexpr int kTextLength = 8;  // image texts have no terminator

// Family codes of image byte 0x20.
inline constexpr std::uint8_t kFamilyMobileVhf = 0x01;
inline constexpr std::uint8_t kFamilyMobileUhf = 0x61;
inline constexpr std::uint8_t kFamilyPortableUhf = 0xB9;
inline constexpr std::uint8_t kFamilyPortableVhf = 0x3C;

enum Family : int { kMobile = 0, kPortable = 1, kUnknownFamily = -1 };

// Family of a data file by its family code; kUnknownFamily for any other code.
Family FamilyOfCode(std::uint8_t code);
// UHF or VHF by the family code: 0x61 and 0xB9 are UHF. Every "is this a UHF
// radio" question in the program is answered here, so the two families'
// different band flags (0x60 mobile, 0x80 portable) can never disagree.
bool IsUhfFamilyCode(std::uint8_t code);
// The family code of a family and band.
std::uint8_t FamilyCodeOf(Family family, bool uhf);

// Identification of an image just read from a radio: by byte 249, the
// product code, the family code and byte 0x2A. kUnknownFamily when nothing
// matches; the read decides what to do then.
Family IdentifyRadioFamily(const std::uint8_t* image);

// Slot addresses.
constexpr std::size_t MobileChannelOffset(int i) {
  return area::kChannels + 25 * static_cast<std::size_t>(i) + 3 * static_cast<std::size_t>(i / 5);
}
constexpr std::size_t PortableChannelOffset(int i) {
  return area::kChannels + 22 * static_cast<std::size_t>(i);
}
constexpr std::size_t ChannelOffset(Family family, int i) {
  return family == kPortable ? PortableChannelOffset(i) : MobileChannelOffset(i);
}
constexpr std::size_t GroupOffset(int g) { return area::kGroupRecords + 16 * static_cast<std::size_t>(g); }
constexpr std::size_t ZoneRecordOffset(int z) { return area::kZoneRecords + 64 * static_cast<std::size_t>(z); }

// Byte conventions of the image.
std::uint16_t GetBE16(const std::uint8_t* p);
void PutBE16(std::uint8_t* p, std::uint16_t v);
// Plain bit arrays: 8 items a byte, least significant bit first.
bool GetBitLsb(const std::uint8_t* base, int index);
void SetBitLsb(std::uint8_t* base, int index, bool on);
// The two 4-byte zone bit arrays: 16-bit pairs with their bytes swapped, each
// byte most significant bit first, so zone 0 is bit 7 of the odd byte.
struct BitPos {
  std::size_t byte;  // offset from the array's start
  int bit;           // 0 = least significant
};
BitPos PairSwappedBit(int zone);
bool GetPairSwappedBit(const std::uint8_t* base, int zone);
void SetPairSwappedBit(std::uint8_t* base, int zone, bool on);

// Process-wide state. One UI thread owns all of it.
extern std::uint8_t* g_pRadioImage;  // kImageBufferSize bytes once allocated
extern bool g_isPortable;
extern bool g_isPortableSaved;
extern bool g_dataModified;
extern bool g_imageLoaded;
extern std::array<std::uint8_t, kAdjustCopySize> g_adjustCopy;
extern bool g_saveWithoutPack;
extern std::string g_dataFileName;

// Allocates the image buffer once (later calls return the same buffer) and
// fills the image with 0xFF. Returns false when memory is short; the caller
// then shows "It is short of memory!" and stops.
bool AllocateRadioImage();
// Where the buffer comes from; tests replace it to see start-up meet a
// machine that is out of memory. nullptr restores plain allocation.
using ImageAllocator = std::uint8_t* (*)(std::size_t bytes);
void SetImageAllocator(ImageAllocator allocator);
// Gives the buffer back (only tests do: the program keeps it for its life).
void ReleaseRadioImage();
// Sets every image byte to kUnwrittenByte.
void ClearRadioImage(std::uint8_t* image);

inline constexpr const char* kDefaultDataFileName = "Data/DEFAULTU.K58";
inline constexpr const char* kNoDataFileName = "<NONE>";
