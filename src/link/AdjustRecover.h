#pragma once
// Adjustment data recovery of a mobile radio whose alignment data or its
// checksum is damaged: reads the radio's EEPROM words 0-16 and its three
// adjustment blocks into scratch copies, decides which repair applies, and
// writes the repaired words, or the whole memory from the radio's saved data
// file. The program's data changes only through the file loads the repair
// asks for (hooks); what the radio sent never reaches the working image.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/CloneLink.h"
#include "link/RadioReader.h"
#include "model/RadioImage.h"

// Header words (0.1 MHz) of the two mobile versions' adjustment data.
inline constexpr int kRecoverUhfLow = 4750, kRecoverUhfHigh = 4900;
inline constexpr int kRecoverVhfLow = 1500, kRecoverVhfHigh = 1600;
// The serial text of a radio whose serial number was never set.
inline constexpr const char* kUnsetSerial = "0B000000";

struct RecoverHooks {
  // Loads a data file as the program's data (the save question has been
  // asked before the recovery started); false when refused, message shown.
  std::function<bool(const std::string& path)> loadDataFile;
  // "Select file": the radio's saved data file, or nothing when cancelled.
  std::function<std::optional<std::string>()> askDataFile;
  // The program's image (kImageSize bytes) and adjustment copy as they stand.
  std::function<void(std::vector<std::uint8_t>& image, std::array<std::uint8_t, kAdjustCopySize>& adjust)>
      programImage;
  // The mobile information record's serial text.
  std::function<std::string()> serialText;
  // Asks for the serial number, showing the current one: the text entered
  // (checked as it was typed), or nothing when the user left with Esc.
  std::function<std::optional<std::string>(const std::string& serial)> askSerial;
  // Sets the record's serial (when given), packs the records into the
  // program's image and the adjustment data into its copy; false when a
  // check refused (message shown).
  std::function<bool(const std::optional<std::string>& serial)> pack;
};

// Whether the recovery can work with this layout: the polled protocol and
// the mobile default layout (adjustment blocks 254-256, alignment words
// 3-16 summed in word 2, 256 blocks).
bool RecoverySupported(const CloneLayout& layout);
inline constexpr const char* kRecoverUnsupported =
    "Adjustment Recover is not available for this configuration.\n"
    "It needs the 0xF0-0xF3 protocol and the default mobile memory layout.";

// Whether the serial entry may hold this text: a digit, then a letter B-N or
// Q-S in either case, then digits, at most 8 characters.
bool RecoverSerialAccepted(const std::string& text);
// The 8-character serial: eight '0' overwritten from the left by the text.
std::string RecoverSerialBuffer(const std::string& text);

class CAdjustRecover {
public:
  CAdjustRecover(CCloneLink& link, const CloneLayout& layout, const RecoverHooks& hooks);

  // kTransferDone once repaired, kTransferAborted (Esc, the serial entry or
  // the file choice left), kTransferFailed (the reason has been shown).
  int Run();

  // What was read from the radio (scratch copies).
  const std::vector<std::uint8_t>& RadioImage() const { return image_; }
  const std::array<std::uint8_t, kAdjustCopySize>& RadioAdjust() const { return adjust_; }

private:
  int ReadWords();
  int ReadAdjustBlocks();
  int Decide();
  int FromDefaultFile(int header);
  int FromSavedFile();
  int RewriteAlignment(int header, std::uint8_t m);
  // Writes words first..last of `image` with verify.
  int WriteWords(const std::vector<std::uint8_t>& image, int first, int last);
  int SendBlocks(const std::vector<std::uint8_t>& image, const std::array<std::uint8_t, kAdjustCopySize>& adjust);
  int Refuse(const char* text);
  void PutAdjustSum(std::vector<std::uint8_t>& image) const;

  CCloneLink& link_;
  ICloneStatus& status_;
  const CloneLayout& layout_;
  const RecoverHooks& hooks_;
  std::vector<std::uint8_t> image_;
  std::array<std::uint8_t, kAdjustCopySize> adjust_{};
};
