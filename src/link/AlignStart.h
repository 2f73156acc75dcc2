#pragma once
// The alignment start without its dialog: wait for the radio to power up
// into alignment mode, identify it, check its password, ask for the preset
// frequencies and upload its alignment data into an AlignData that the
// alignment window then works on.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/AlignLink.h"
#include "link/RadioReader.h"

inline constexpr int kAlignWordBytes = 256;
inline constexpr int kAlignImageBlocks = 257;
inline constexpr int kAlignChannelCount = 640;
inline constexpr int kAlignFirstChannelBlock = 57;
// Words of the alignment buffer the start and the window read.
namespace alignbyte {
inline constexpr int kProductCode = 3;
inline constexpr int kFamilyCode = 32;
inline constexpr int kPassword = 34;
inline constexpr int kLastChannelBlock = 252;  // word 126 low
}  // namespace alignbyte

// Channel raster of the radio (block 2): a step in 10 Hz and an offset in
// channels per step index.
struct AlignChannelStep {
  std::uint32_t step = 0;
  std::int32_t offset = 0;
};

// What the start uploads and the window changes.
struct AlignData {
  Family family = kMobile;
  // EEPROM words 0..127, word n low byte at 2n, high at 2n + 1.
  std::array<std::uint8_t, kAlignWordBytes> words{};
  // The radio's blocks, block b at 128 b; unread bytes 0xFF.
  std::vector<std::uint8_t> image = std::vector<std::uint8_t>(kAlignImageBlocks * kBlockSize, 0xFF);
  std::array<bool, kAlignImageBlocks> loaded{};
  std::array<bool, kAlignImageBlocks> changed{};
  // The last channel block uploaded.
  int blockCount = 0;
  int channelCount = kAlignChannelCount;
  int channel = 0;
  std::array<AlignChannelStep, 4> steps{};
  // The checksum word and the words it sums.
  int checksumWord = 2;
  int checksumLow = 3;
  int checksumHigh = 16;

  std::uint8_t Byte(int n) const { return words[static_cast<std::size_t>(n)]; }
  std::uint16_t Word(int a) const { return static_cast<std::uint16_t>(Byte(2 * a + 1) << 8 | Byte(2 * a)); }
  void SetWord(int a, std::uint16_t v);
  std::uint8_t* Block(int b) { return image.data() + kBlockSize * static_cast<std::size_t>(b); }
  const std::uint8_t* Block(int b) const { return image.data() + kBlockSize * static_cast<std::size_t>(b); }
  // The block of the tune points: 254 or 167.
  int TuneBlock() const { return family == kPortable ? 167 : 254; }
  // The last block that can hold channels: 184 (mobile) or 166 (portable).
  int LastChannelBlock() const { return family == kPortable ? 166 : 184; }
};

// Fills the channel raster from block 2 of the image.
void LoadChannelSteps(AlignData& data);

struct AlignStartSettings {
  bool manufacturerMode = false;
  // The family shown when the start began; it asks for the password
  // (mobile) and goes on with an unidentified radio in manufacturer mode.
  Family currentFamily = kMobile;
  std::array<std::uint8_t, 8> knownPassword{};
  CloneLayout layout;
};

AlignStartSettings CurrentAlignStartSettings(bool manufacturerMode);

struct AlignStartHooks {
  // The password box: the text entered, or nothing when cancelled.
  std::function<std::optional<std::string>()> askRadioPassword;
  // The preset prompt of the family: true for Start, false for Cancel.
  std::function<bool(Family family, std::uint8_t familyCode)> askPreset;
};

// Results besides the link's codes.
inline constexpr int kAlignPasswordMismatch = -1;
inline constexpr int kAlignStopped = 2;  // the reason has been shown, or the preset was cancelled

// The start: 0 when the data is uploaded and channel 0 selected; kAlignIoError
// on Esc while waiting (nothing shown); kAlignStopped when the port failed,
// the radio matched no family or the preset was cancelled; -1 for a wrong
// password; -4 for Esc during the upload; any other code after its message.
// `data.family` is the family the alignment goes on in.
int RunAlignStart(CAlignLink& link, const AlignStartSettings& settings, const AlignStartHooks& hooks, AlignData& data);

// The upload alone (the start's last part), for the family in data.family.
int UploadAlignData(CAlignLink& link, const CloneFamilyLayout& layout, AlignData& data);
