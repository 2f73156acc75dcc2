// The streamed send: the radio switched off and on, the older VHF radio's
// configuration block read and patched, then the blocks pushed one by one,
// each confirmed or refused.
#include "link/RadioSender.h"

#include <cstring>

#include "link/SendShared.h"

namespace {
constexpr const char* kCommunicationError = "Communication Error";
constexpr const char* kNoResponse = " No response from radio ";
constexpr std::uint8_t kStreamUhfGroup = 0x60;  // mobile model group of a UHF radio

constexpr std::uint8_t kStreamConfigMode = 0x30;
constexpr std::uint8_t kStreamWakeUp = 0x20;
constexpr std::uint8_t kStreamReceive = 0x60;
constexpr std::uint8_t kStreamBlockMark = 0x82;
constexpr std::uint8_t kStreamHeader = 0x21;              // 33 blocks
constexpr std::uint8_t kStreamManufacturerHeader = 0x25;  // 37 blocks
constexpr std::uint8_t kStreamRestart[3] = {0x38, 0x01, 0x39};
constexpr std::uint8_t kConfigWireBlock = 0x37;
constexpr std::size_t kConfigTableAt = 5;
constexpr std::uint8_t kConfigOldMark[2] = {0x05, 0x3C};
// What the configuration block of the older streamed radios gets in bytes 5..116.
constexpr std::uint8_t kConfigTable[112] = {
    0x05, 0x14, 0x85, 0x8A, 0x8A, 0x85, 0x90, 0x93, 0x25, 0x81, 0x14, 0x05, 0xC8, 0x84, 0x88, 0x86,
    0x87, 0x8D, 0x8F, 0x1F, 0x81, 0x0E, 0x05, 0xE6, 0x83, 0x86, 0x07, 0x87, 0x8A, 0x8B, 0x16, 0x81,
    0x0B, 0x06, 0x04, 0x82, 0x84, 0x07, 0x85, 0x86, 0x87, 0x0D, 0x81, 0x08, 0x06, 0x22, 0x81, 0x82,
    0x05, 0x83, 0x83, 0x83, 0x06, 0x81, 0x02, 0x06, 0x40, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x06, 0x5E, 0x01, 0x04, 0x86, 0x03, 0x04, 0x03, 0x8D, 0x00, 0x00, 0x06, 0x7C, 0x02,
    0x0A, 0x8A, 0x05, 0x06, 0x05, 0x93, 0x00, 0x00, 0x06, 0x9A, 0x03, 0x12, 0x8C, 0x06, 0x08, 0x07,
    0x9B, 0x00, 0x04, 0x06, 0xB8, 0x05, 0x19, 0x88, 0x08, 0x0A, 0x08, 0xA1, 0x00, 0x0A, 0x07, 0x08,
};
constexpr int kConfigReadRepeats = 9;
constexpr int kConfigWriteAttempts = 10;
constexpr int kConfigAnswerReads = 3;
constexpr int kRestartRepeats = 5;
constexpr int kRestartReads = 10;
constexpr int kStreamAnswerReads = 10;
constexpr int kStreamNakLimit = 10;  // refusals of one block in a row
constexpr std::size_t kStreamEchoCount = kBlockSize + 4;
}  // namespace

int CRadioSender::StreamedSend() {
  // The records carry the editor's byte edits (it unpacks the image after
  // each), so a pack keeps them; but with nothing else in the records the
  // image goes out as edited.
  if (!settings_.layout.rawImageEdited || (hooks_.recordsBeyondImage && hooks_.recordsBeyondImage(image_.data()))) {
    const int r = CheckData();
    if (r != kTransferDone) return r;
    if (hooks_.packScreens && hooks_.packScreens(image_.data()) == 0) return kTransferFailed;
  }
  if (hooks_.recordFields) fields_ = hooks_.recordFields(kMobile);
  // The radio checks its settings words by the 8-bit sum of their bytes,
  // kept in a whole word (its high byte zero).
  const int lastSummed = settings_.layout.mobile.flashRomStart == kMobilePatchFlash ? 14 : 12;
  std::uint8_t sum = 0;
  for (int i = 4; i <= 2 * lastSummed + 1; ++i) sum = static_cast<std::uint8_t>(sum + image_[i]);
  SetImageWord(1, sum);

  const std::uint8_t header = settings_.manufacturerMode ? kStreamManufacturerHeader : kStreamHeader;
  const int total = header;
  status_.SetProgressRange(total);
  int r = StreamWakeUp();
  if (r != kTransferDone) return r;
  // A streamed radio has no validity marker: from the first block on it is
  // half-written until the last one is taken.
  markedInvalid_ = true;
  for (int b = 0; b < total; ++b) {
    r = StreamBlock(header, b);
    if (r != kTransferDone) return r;
  }
  markedInvalid_ = false;
  link_.ShowBlockCounter(kSendCounter, total, total);
  status_.Beep();
  status_.SetProgress(total);
  link_.Sleep(2000);
  return kTransferDone;
}

int CRadioSender::StreamWakeUp() {
  const int comPort = settings_.layout.comPortIndex;
  status_.Beep();
  const int awaited = link_.AwaitPowerOn(kPowerOnLine2, comPort);
  if (awaited != kTransferDone) return awaited;
  // Only the VHF radios carry the configuration block that may need the table.
  if (fields_.modelGroup != kStreamUhfGroup) {
    const int r = PatchConfigBlock();
    if (r != kTransferDone) return r;
  }
  std::uint8_t echo = 0;
  link_.Sleep(50);
  if (!link_.SendByte(kStreamWakeUp)) return link_.ReportLeadFailure(comPort);
  link_.ReadByte(echo);
  link_.Sleep(1500);
  if (!link_.SendByte(kStreamReceive)) return link_.ReportLeadFailure(comPort);
  link_.ReadByte(echo);
  return kTransferDone;
}

int CRadioSender::PatchConfigBlock() {
  const int comPort = settings_.layout.comPortIndex;
  std::uint8_t echo = 0;
  link_.Sleep(50);
  if (!link_.SendByte(kStreamConfigMode)) return link_.ReportLeadFailure(comPort);
  link_.ReadByteLong(echo);
  status_.SetStatusLine1("");
  status_.SetStatusLine2("");
  status_.SetStatusLine1("Please wait");
  link_.Sleep(1800);
  link_.Sleep(100);

  // Read the block by hand, a byte at a time as the radio wants it here.
  const std::uint8_t request[4] = {kCmdReadBlock, 0x02, kConfigWireBlock,
                                   static_cast<std::uint8_t>(kCmdReadBlock + 0x02 + kConfigWireBlock)};
  std::uint8_t block[kBlockSize];
  for (int repeats = 0;; ++repeats) {
    // Seconds go by in these exchanges: Esc is heard between the bytes.
    if (link_.PollEscape()) return kTransferAborted;
    for (std::size_t i = 0; i < sizeof request; ++i) {
      if (i > 0) link_.Sleep(20);
      if (!link_.SendByte(request[i])) return link_.ReportFailure(kCommunicationError);
      link_.ReadByteLong(echo);
    }
    const int r = link_.ReceiveFrame(kCmdReadBlock, 0x81, block);
    if (r == kLinkOk) {
      link_.Sleep(55);
      break;
    }
    if (repeats >= kConfigReadRepeats) return link_.ReportFailure(kCommunicationError);
    link_.DiscardReply();
    link_.Sleep(100);
  }

  if (block[kConfigTableAt] == kConfigOldMark[0] && block[kConfigTableAt + 1] == kConfigOldMark[1]) {
    std::memcpy(block + kConfigTableAt, kConfigTable, sizeof kConfigTable);
    link_.Sleep(200);
    std::uint8_t frame[3 + kBlockSize];
    frame[0] = kCmdWriteBlock;
    frame[1] = 0x82;
    frame[2] = kConfigWireBlock;
    std::memcpy(frame + 3, block, kBlockSize);
    std::uint8_t sum = 0;
    for (const std::uint8_t b : frame) sum = static_cast<std::uint8_t>(sum + b);
    bool written = false;
    bool lastTimedOut = false;
    for (int attempt = 0; attempt < kConfigWriteAttempts && !written; ++attempt) {
      for (const std::uint8_t b : frame) {
        if (link_.PollEscape()) return kTransferAborted;
        link_.Sleep(20);
        if (!link_.SendByte(b)) return link_.ReportFailure(kCommunicationError);
        link_.ReadByte(echo);
      }
      link_.Sleep(50);
      if (!link_.SendByte(sum)) return link_.ReportFailure(kCommunicationError);
      link_.ReadByte(echo);
      for (int read = 0; read < kConfigAnswerReads; ++read) {
        std::uint8_t answer = 0;
        const int r = link_.ReadByte(answer);
        lastTimedOut = r == kLinkTimeout;
        if (r != kLinkOk) break;
        if (answer == kAck) written = true;
        if (answer == kAck || answer == kNak) break;
      }
    }
    if (!written) return link_.ReportFailure(lastTimedOut ? kNoResponse : kCommunicationError);
  }

  // Restart the radio; it says 'P' when it is back.
  link_.Sleep(200);
  for (int repeats = 0;; ++repeats) {
    if (link_.PollEscape()) return kTransferAborted;
    for (std::size_t i = 0; i < sizeof kStreamRestart; ++i) {
      if (i > 0) link_.Sleep(20);
      link_.SendByte(kStreamRestart[i]);
    }
    bool timedOut = false;
    for (int read = 0; read < kRestartReads; ++read) {
      std::uint8_t answer = 0;
      const int r = link_.ReadByte(answer);
      if (r == kLinkFailed) return link_.ReportLeadFailure(comPort);
      if (r == kLinkTimeout) {
        timedOut = true;
        break;
      }
      if (answer == 'P') break;
    }
    if (!timedOut) return kTransferDone;
    if (repeats >= kRestartRepeats) return link_.ReportFailure(kCommunicationError);
    link_.Sleep(200);
  }
}

int CRadioSender::StreamBlock(std::uint8_t header, int block) {
  const int total = header;
  const int lastEeprom = settings_.layout.lastEepromBlock;
  std::uint8_t frame[3 + kBlockSize];
  frame[0] = header;
  frame[1] = kStreamBlockMark;
  frame[2] = static_cast<std::uint8_t>(block);
  for (std::size_t i = 0; i < kBlockSize; ++i) {
    // EEPROM blocks travel with the bytes of each word swapped, as the radio streams them.
    const std::size_t from = block <= lastEeprom ? (i ^ 1) : i;
    frame[3 + i] = image_[kBlockSize * static_cast<std::size_t>(block) + from];
  }
  std::uint8_t sum = 0;
  for (const std::uint8_t b : frame) sum = static_cast<std::uint8_t>(sum + b);

  for (int refusals = 0;; ++refusals) {
    if (refusals > kStreamNakLimit) return link_.ReportFailure(kCommunicationError);
    status_.SetStatusLine1("");
    status_.SetStatusLine2("");
    status_.SetStatusLine1("Please wait");
    link_.Sleep(55);
    link_.ShowBlockCounter(kSendCounter, block, total);
    status_.SetProgress(block);
    link_.Sleep(55);
    for (const std::uint8_t b : frame)
      if (!link_.SendByte(b)) return link_.ReportFailure(kCommunicationError);
    link_.Sleep(55);
    if (!link_.SendByte(sum)) return link_.ReportFailure(kCommunicationError);
    for (std::size_t i = 0; i < kStreamEchoCount; ++i) {
      std::uint8_t echo = 0;
      const int r = link_.ReadByteLong(echo);
      if (r == kLinkFailed) return link_.ReportFailure(kNoResponse);
      // No echo: the lead is not connected, and no answer will come either.
      if (r == kLinkTimeout) return link_.ReportFailure(kNoResponse);
    }
    bool again = false;
    for (int read = 0; read < kStreamAnswerReads; ++read) {
      std::uint8_t answer = 0;
      const int r = link_.RecoverReadByte(answer);
      if (r == kLinkTimeout) return kTransferAborted;
      if (r == kLinkFailed) return link_.ReportFailure(kNoResponse);
      if (answer == kAck) return kTransferDone;
      if (answer == kNak) {
        again = true;
        break;
      }
    }
    if (!again) return kTransferDone;
  }
}
