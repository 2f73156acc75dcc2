#pragma once
// What the send's files share (RadioSender.cpp, PolledSend.cpp,
// OneBlockSend.cpp, StreamedSend.cpp): texts and numbers of more than one
// protocol, and the plan of a polled send. Not for use outside src/link.
#include <cstddef>
#include <cstdint>

inline constexpr const char* kSendCounter = "Send block %i / %i";
inline constexpr const char* kDownloadError = " Download Error!";
inline constexpr const char* kPowerOnLine2 = "back ON to start downloading";

// The mobile flash layout whose radios get the patches (polled) and the
// longer settings sum (streamed).
inline constexpr std::uint32_t kMobilePatchFlash = 0x38000;

// The service-mode serial number: eight characters, the last four the digits.
inline constexpr std::size_t kSerialLength = 8;
inline constexpr std::size_t kSerialDigitsAt = 4;
inline constexpr std::size_t kSerialDigits = 4;
inline constexpr std::size_t kSerialPrefixLength = 2;

// What a polled send writes. The full send and the memory editor's one block
// run the same exchange and differ only here.
struct PolledPlan {
  int displayTotal = 0;     // the block counter's total and the progress range
  bool writesWords = true;  // EEPROM words firstWord..lastWord
  int firstWord = 0;
  int lastWord = 0;
  bool writesPatches = true;
  int firstBlock = 0;  // flash blocks firstBlock..blockLimit - 1
  int blockLimit = 0;
  // On the layouts whose radios get the patches, blocks the records do not use are left alone.
  bool skipsUnusedBlocks = true;
};
