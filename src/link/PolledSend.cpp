// The polled send (0xF0-0xF3 frames) of either family: the radio woken and
// identified, its alignment data and identity kept, the validity marker
// around the EEPROM words, the patches and the flash blocks.
#include "link/RadioSender.h"

#include <algorithm>
#include <cstring>

#include "link/SendShared.h"
#include "model/Digits.h"
#include "model/MessageBox.h"

namespace {
constexpr const char* kDownloadErrorBox = "Download Error!";
constexpr const char* kUploadError = " Upload Error!";
constexpr const char* kHardwareMismatch = "Hardware configuration mismatched!";

// The validity marker: invalid while the radio is being written.
constexpr std::uint16_t kMarkerInvalid = 0xFFFF;
constexpr std::uint16_t kMarkerValid = 0xA55A;

// Limits of trouble before a send gives up.
constexpr int kWordFailureLimit = 10;
constexpr int kBlockFailureLimit = 20;
constexpr int kProbeFailureLimit = 20;

// EEPROM words with a role of their own.
namespace word {
constexpr int kVersion = 0;
constexpr int kProduct = 1;    // high byte: the product code
constexpr int kIdentity = 16;  // low byte: family code, high byte: hardware byte
constexpr int kLastFixed = 16; // a radio of a foreign product keeps words up to here
constexpr int kForeignSkipped = 111;
constexpr int kNeverWritten = 118;
constexpr int kMobileExtra = 122;
constexpr int kModel = 124;    // high byte: the model byte
constexpr int kLastMobileProduct = 124;
constexpr int kLastForeign = 125;
constexpr int kLastWord = 127;
}  // namespace word

// Model bits the send compares.
constexpr std::uint16_t kRadioKindMask = 0x7000;   // of word 124
constexpr std::uint16_t kModelWordBit = 0x4000;    // bit 6 of word 124's high byte
constexpr std::uint8_t kModelByteBit = 0x40;       // the same bit of the record's model byte
constexpr std::uint8_t kPortableDialBit = 0x20;    // portable model byte: the radio can dial

// Words written without reading the value back: the radio changes them itself.
constexpr bool WrittenUnverified(int w) { return w == 15 || (w >= 54 && w <= 58); }

// An adjustment copy the radio never filled carries "Yc" after two 0xFF.
constexpr std::size_t kBlankMarkAt = 123;
constexpr std::uint8_t kBlankMark[4] = {0xFF, 0xFF, 0x59, 0x63};

constexpr std::size_t kDisplayOptionsByte = 182;  // bit 0 is set on every send
constexpr std::size_t kFirstGroupBlock = area::kGroupRecords / kBlockSize;
constexpr int kFirstChannelBlock = 57;
constexpr int kMobileFiveToneFirst = 185;
constexpr int kMobileFiveToneLast = 191;
constexpr int kPortableTailFirst = 168;  // the portable 5-Tone area follows the flash blocks
constexpr int kPortableTotal = 177;
constexpr int kSerialBlockOfCopy = 2;    // the adjustment copy's block holding the serial number
constexpr std::uint32_t kPortablePatchFlash = 0x1A500;

// One change to an image byte before its word is written: byte := (byte AND keep) OR set.
struct ByteEdit {
  std::uint16_t offset = 0;
  std::uint8_t keep = 0xFF;
  std::uint8_t set = 0;
};

// A word the radio of the big flash layouts gets with settings of its own.
// P is the family's own condition (mobile: a mobile product code; portable:
// a model that can dial).
struct WordPatch {
  std::uint8_t word;
  bool onlyIfP;
  std::uint16_t sendBits;  // set in the word as sent, not in the image
  std::array<ByteEdit, 2> ifP;
  std::array<ByteEdit, 2> ifNotP;
};

constexpr ByteEdit Set(std::uint16_t offset, std::uint8_t value) { return {offset, 0x00, value}; }
constexpr ByteEdit Edit(std::uint16_t offset, std::uint8_t keep, std::uint8_t set = 0) { return {offset, keep, set}; }
constexpr WordPatch Patch(std::uint8_t w, ByteEdit a = {}, ByteEdit b = {}) { return {w, false, 0, {a, b}, {a, b}}; }
constexpr WordPatch PatchIfP(std::uint8_t w, ByteEdit a, std::uint16_t sendBits = 0) {
  return {w, true, sendBits, {a, {}}, {a, {}}};
}
constexpr WordPatch PatchByP(std::uint8_t w, std::array<ByteEdit, 2> ifP, std::array<ByteEdit, 2> ifNotP) {
  return {w, false, 0, ifP, ifNotP};
}

constexpr WordPatch kMobilePatches[] = {
    Patch(126),
    Patch(21, Edit(42, 0x7F, 0x08)),
    PatchIfP(91, Edit(182, 0x7F), 0x0001),
    Patch(92, Edit(185, 0xFC, 0x04)),
    PatchIfP(93, Edit(186, 0x38)),
    Patch(101, Set(203, 0), Edit(202, 0x0F)),
    Patch(102, Edit(205, 0x7D, 0x20)),
    Patch(104, Edit(209, 0xEF, 0x08), Edit(208, 0xF9)),
    Patch(106, Edit(213, 0xF1, 0x09)),
    Patch(112, Set(224, 0xFF), Set(225, 0xFF)),
    Patch(113, Set(227, 0xFE)),
    Patch(114, Set(228, 0xFF), Set(229, 0xFF)),
    Patch(115, Set(230, 0x33), Set(231, 0xFE)),
    PatchByP(116, {Edit(233, 0xE0, 0x05), Edit(232, 0xFF, 0x0F)}, {Edit(233, 0x80, 0x25), Edit(232, 0xFF, 0x0F)}),
    Patch(123, Edit(246, 0x20)),
    PatchByP(125, {Edit(251, 0xFF, 0xC0), {}}, {Set(250, 0xFF), Set(251, 0xF8)}),
};

constexpr WordPatch kPortablePatches[] = {
    Patch(126),
    Patch(21, Edit(42, 0x7F, 0x08)),
    {91, false, 0x0001, {Edit(182, 0x7F), {}}, {Edit(182, 0x7F), {}}},
    Patch(92, Edit(185, 0xFC, 0x04)),
    Patch(101, Set(203, 0), Edit(202, 0x0F)),
    Patch(102, Edit(205, 0x7D, 0x20)),
    Patch(104, Edit(209, 0xEF, 0x08), Edit(208, 0xF9)),
    Patch(106, Edit(213, 0xF1, 0x09)),
    Patch(112, Set(224, 0xFF), Set(225, 0xFF)),
    Patch(113, Set(227, 0xFE), Set(226, 0)),
    Patch(114, Set(228, 0xFF), Set(229, 0xFF)),
    Patch(115, Set(230, 0x33), Set(231, 0xFE)),
    PatchByP(116, {Edit(233, 0xE0, 0x05), Edit(232, 0xFF, 0x0F)}, {Edit(233, 0x80, 0x25), Edit(232, 0xFF, 0x0F)}),
    Patch(123, Edit(246, 0x20)),
    PatchByP(125, {Edit(251, 0xFF, 0xC0), {}}, {Set(250, 0xFF), Set(251, 0xFF)}),
};
}  // namespace

// Mobile and portable sends are one routine; these are their differences.
struct SendFamilyTraits {
  Family family;
  bool checksProductWord;       // word 1's product code must be a mobile one
  std::uint16_t modelBits;      // bits of word 16 that must equal the model group
  std::uint32_t patchFlash;     // the layout whose radios get the patches and the block skipping
  bool writesWord122;
  bool productDecidesWords;     // the word skip rule follows the data's product code
  bool patchByModelByte;        // P is the dial bit of the model byte, not the product code
  bool hasServiceSerial;
  bool patchesBlock3;
  bool keepsFiveToneBlocks;     // 185..191 are sent whatever the last channel block
  int tailFirst;                // blocks sent past the limit in a full send, or -1
  const WordPatch* patches;
  std::size_t patchCount;
};

namespace {
constexpr SendFamilyTraits kMobileSend{kMobile, true, 0x60, kMobilePatchFlash, true, true, false, true, true,
                                       true, -1, kMobilePatches, std::size(kMobilePatches)};
constexpr SendFamilyTraits kPortableSend{kPortable, false, 0x80, kPortablePatchFlash, false, false, true, false,
                                         false, false, kPortableTailFirst, kPortablePatches,
                                         std::size(kPortablePatches)};
const SendFamilyTraits& TraitsOf(Family family) { return family == kPortable ? kPortableSend : kMobileSend; }
}  // namespace

bool CRadioSender::IsBlankAdjustCopy(const std::uint8_t* adjust) const {
  return std::equal(std::begin(kBlankMark), std::end(kBlankMark), adjust + kBlankMarkAt);
}

int CRadioSender::Counted(int linkResult, int limit, const char* failText) {
  // A radio that has gone quiet is retried for seconds: Esc must still be heard.
  if (link_.PollEscape()) return kTransferAborted;
  return link_.CountRetry(linkResult, errors_, timeouts_, limit, failText);
}

int CRadioSender::PutWord(int w, std::uint16_t value, bool verify) {
  for (;;) {
    const int r = link_.WriteWord(static_cast<std::uint8_t>(w), value, !verify);
    if (r == kLinkOk) {
      timeouts_ = 0;
      return kTransferDone;
    }
    if (const int retry = Counted(r, kWordFailureLimit, kDownloadError); retry != kTransferDone) return retry;
  }
}

int CRadioSender::GetWord(int w, std::uint16_t& value, const char* failText) {
  for (;;) {
    const int r = link_.ReadWord(static_cast<std::uint8_t>(w), value);
    link_.Sleep(3);
    if (r == kLinkOk) {
      timeouts_ = 0;
      return kTransferDone;
    }
    if (const int retry = Counted(r, kWordFailureLimit, failText); retry != kTransferDone) return retry;
  }
}

int CRadioSender::ReadOnce(int w, std::uint16_t& value) {
  if (link_.ReadWord(static_cast<std::uint8_t>(w), value) == kLinkOk) return kTransferDone;
  status_.Beep();
  ShowMessageBox(kDownloadErrorBox);
  return kTransferFailed;
}

// ---- the send ----

int CRadioSender::PolledSend() {
  int r = CheckData();
  if (r != kTransferDone) return r;
  image_[kDisplayOptionsByte] |= 0x01;
  r = WakePolledRadio();
  if (r != kTransferDone) return r;
  r = IdentifyRadio();
  if (r != kTransferDone) return r;
  return Dispatch();
}

int CRadioSender::WakePolledRadio() {
  std::uint16_t value = 0;
  int r = link_.ReadWord(word::kIdentity, value);
  link_.Sleep(50);
  if (r == kLinkOk) return kTransferDone;
  const int awaited = link_.AwakePolledRadio(kPowerOnLine2, settings_.layout.comPortIndex);
  if (awaited != kTransferDone) return awaited;
  for (;;) {
    if (link_.PollEscape()) return kTransferAborted;
    r = link_.ReadWord(word::kIdentity, value);
    if (r == kLinkOk) {
      timeouts_ = 0;
      return kTransferDone;
    }
    if (const int retry = Counted(r, kProbeFailureLimit, kDownloadError); retry != kTransferDone) return retry;
  }
}

int CRadioSender::IdentifyRadio() {
  std::uint16_t model = 0, value = 0;
  if (ReadOnce(word::kModel, model) != kTransferDone) return kTransferFailed;
  const std::uint16_t kind = model & kRadioKindMask;
  bool matches = false;
  if (settings_.family == kPortable) {
    if (ReadOnce(word::kIdentity, value) != kTransferDone) return kTransferFailed;
    const std::uint8_t code = value & 0xFF;
    matches = (kind == 0x3000 || kind == 0x1000) && (code == kFamilyPortableUhf || code == kFamilyPortableVhf);
  } else {
    if (ReadOnce(word::kProduct, value) != kTransferDone) return kTransferFailed;
    matches = (kind == 0x2000 || kind == 0) && IsMobileProductCode(static_cast<std::uint8_t>(value >> 8));
    if (ReadOnce(word::kIdentity, value) != kTransferDone) return kTransferFailed;
    const std::uint8_t code = value & 0xFF;
    matches = matches && (code == kFamilyMobileVhf || code == kFamilyMobileUhf);
  }
  if (matches || settings_.manufacturerMode) return kTransferDone;
  status_.Beep();
  ShowMessageBox(kHardwareMismatch);
  return kTransferFailed;
}

PolledPlan CRadioSender::FullSendPlan() const {
  const bool manufacturer = settings_.manufacturerMode;
  const bool portable = settings_.family == kPortable;
  const int lastEeprom = LastEepromBlock();
  PolledPlan plan;
  plan.blockLimit = portable ? settings_.layout.portable.blockCount : settings_.layout.blockCount;
  plan.displayTotal = portable ? kPortableTotal : plan.blockLimit;
  // A layout may give the EEPROM no block at all.
  plan.writesWords = lastEeprom >= 0;
  plan.firstWord = manufacturer ? 0 : Layout().adjustWordHigh + 1;
  plan.lastWord = manufacturer ? word::kLastWord : Layout().lastUserWord;
  plan.firstBlock = manufacturer ? lastEeprom + 1 : lastEeprom + 2;
  return plan;
}

int CRadioSender::Dispatch() {
  PolledPlan plan = FullSendPlan();
  if (settings_.oneBlockText) {
    const int r = PlanOneBlock(plan);
    if (r != kTransferDone) return r;
  }
  status_.SetProgressRange(plan.displayTotal);
  return SendPolled(TraitsOf(settings_.family), plan);
}

// ---- SendMobile / SendPortable ----

int CRadioSender::SendPolled(const SendFamilyTraits& traits, const PolledPlan& plan) {
  int r = CheckHardware(traits);
  if (r != kTransferDone) return r;
  r = FixAdjustChecksum(traits);
  if (r != kTransferDone) return r;
  std::array<std::uint8_t, kAdjustCopySize> adjust{};
  r = ReadAdjustBlocks(traits, adjust.data());
  if (r != kTransferDone) return r;
  r = TakeAlignmentData(traits, adjust.data());
  if (r != kTransferDone) return r;
  if (traits.hasServiceSerial && settings_.serviceMode) {
    r = WriteServiceSerial(adjust.data());
    if (r != kTransferDone) return r;
  }
  r = KeepRadioIdentity();
  if (r != kTransferDone) return r;

  // From here until the closing marker the radio says its memory is not to be trusted.
  const int marker = Layout().validMarkerWord;
  if (const int put = PutWord(marker, kMarkerInvalid); put != kTransferDone) return put;
  markedInvalid_ = true;
  link_.Sleep(5);
  status_.SetStatusLine1("Please wait");
  status_.SetStatusLine2("");

  if (plan.writesWords) {
    r = WriteWords(traits, plan);
    if (r != kTransferDone) return r;
    if (plan.writesPatches) r = WritePatches(traits);
    if (r != kTransferDone) return r;
  }
  r = WriteBlocks(traits, plan);
  if (r != kTransferDone) return r;

  if (const int put = PutWord(marker, kMarkerValid); put != kTransferDone) return put;
  markedInvalid_ = false;
  link_.ShowBlockCounter(kSendCounter, plan.displayTotal, plan.displayTotal);
  status_.SetProgress(plan.displayTotal);
  link_.Sleep(2000);
  status_.Beep();
  return kTransferDone;
}

int CRadioSender::CheckHardware(const SendFamilyTraits& traits) {
  if (hooks_.recordFields) fields_ = hooks_.recordFields(traits.family);
  const bool strict = !settings_.manufacturerMode;
  std::uint16_t value = 0;
  if (traits.checksProductWord) {
    if (ReadOnce(word::kProduct, value) != kTransferDone) return kTransferFailed;
    if (strict && !IsMobileProductCode(static_cast<std::uint8_t>(value >> 8))) {
      status_.Beep();
      ShowMessageBox("Production type mismatch!");
      return kTransferFailed;
    }
  }
  if (ReadOnce(word::kIdentity, value) != kTransferDone) return kTransferFailed;
  if (strict && (value & traits.modelBits) != fields_.modelGroup) {
    status_.Beep();
    ShowMessageBox(kHardwareMismatch);
    return kTransferFailed;
  }

  if (link_.PollEscape()) return kTransferAborted;
  std::uint8_t block[kBlockSize];
  const int savedErrors = errors_;
  errors_ = 0;
  for (;;) {
    const int r = link_.ReadBlock(WireBlockOf(2), block);
    if (r == kLinkOk) break;
    if (const int retry = Counted(r, kBlockFailureLimit, kDownloadError); retry != kTransferDone) return retry;
    link_.Sleep(5);
    if (link_.PollEscape()) return kTransferAborted;
  }
  errors_ = savedErrors;
  timeouts_ = 0;
  if (ReadOnce(word::kModel, value) != kTransferDone) return kTransferFailed;
  if (strict && ((value & kModelWordBit) != 0) != ((fields_.modelByte & kModelByteBit) != 0)) {
    status_.Beep();
    ShowMessageBox(kHardwareMismatch);
    return kTransferFailed;
  }
  return kTransferDone;
}

int CRadioSender::FixAdjustChecksum(const SendFamilyTraits&) {
  const int low = Layout().adjustWordLow;
  const int high = Layout().adjustWordHigh;
  std::uint16_t sum = 0;
  for (int w = high; w >= low; --w) {
    std::uint16_t value = 0;
    if (const int got = GetWord(w, value, kDownloadError); got != kTransferDone) return got;
    sum = static_cast<std::uint16_t>(sum + value);
    // The radio keeps its own alignment.
    if (!settings_.manufacturerMode) SetImageWord(w, value);
  }
  const int sumWord = low - 1;
  std::uint16_t stored = 0;
  if (const int got = GetWord(sumWord, stored, kDownloadError); got != kTransferDone) return got;
  if (stored == sum) return kTransferDone;
  status_.Beep();
  ShowMessageBox("Adjustment Data Checksum mismatched!");
  SetImageWord(sumWord, sum);
  return PutWord(sumWord, sum);
}

int CRadioSender::ReadAdjustBlocks(const SendFamilyTraits&, std::uint8_t* adjust) {
  const int first = Layout().firstAdjustBlock;
  const int savedErrors = errors_;
  errors_ = 0;
  for (int i = 0; i < 3; ++i) {
    for (;;) {
      const int r = link_.ReadBlock(WireBlockOf(first + i), adjust + kBlockSize * static_cast<std::size_t>(i));
      if (r == kLinkOk) break;
      if (const int retry = Counted(r, kBlockFailureLimit, kUploadError); retry != kTransferDone) return retry;
      link_.Sleep(10);
    }
    timeouts_ = 0;
  }
  errors_ = savedErrors;
  return kTransferDone;
}

int CRadioSender::TakeAlignmentData(const SendFamilyTraits& traits, std::uint8_t* adjust) {
  if (settings_.manufacturerMode) {
    if (hooks_.packScreens && hooks_.packScreens(image_.data()) == 0) return kTransferFailed;
  } else if (!Layout().romEditorMode) {
    if (hooks_.loadAdjustment) {
      if (IsBlankAdjustCopy(adjust))
        hooks_.loadAdjustment(traits.family, image_.data(), image_.data() + kBlockSize * Layout().firstAdjustBlock, 0);
      else
        hooks_.loadAdjustment(traits.family, image_.data(), adjust, 1);
    }
    std::uint16_t version = 0;
    if (link_.ReadWord(word::kVersion, version) != kLinkOk) return link_.ReportFailure(kUploadError);
    SetImageWord(word::kVersion, version);
    if (traits.hasServiceSerial && settings_.serviceMode && serial_.size() < kSerialDigitsAt + 1) {
      // A production run starts from the serial number of the data loaded;
      // a model prefix shown before it is not part of it.
      std::string text = hooks_.serialText ? hooks_.serialText() : std::string();
      if (text.size() >= kSerialPrefixLength + kSerialLength) text.erase(0, kSerialPrefixLength);
      text.resize(kSerialLength, '0');
      serial_ = text;
    }
    if (hooks_.unpackRadioInfo) hooks_.unpackRadioInfo(traits.family, image_.data(), adjust);
    if (hooks_.packScreens && hooks_.packScreens(image_.data()) == 0) return kTransferFailed;
  }
  if (hooks_.recordFields) fields_ = hooks_.recordFields(traits.family);
  return kTransferDone;
}

int CRadioSender::WriteServiceSerial(std::uint8_t* adjust) {
  if (serial_.size() < kSerialLength) serial_.resize(kSerialLength, '0');
  status_.SetStatusLine2("Serial No.(MAX 4 fig)");
  const std::string shown = serial_.substr(kSerialDigitsAt, kSerialDigits);
  std::optional<std::string> entered = shown;
  if (hooks_.askSerialNumber) entered = hooks_.askSerialNumber(shown);
  status_.SetStatusLine2("");
  if (!entered) return kTransferAborted;
  const std::string digits = SerialDigitsFromEntry(*entered);
  serial_.replace(kSerialDigitsAt, kSerialDigits, digits);
  if (hooks_.storeSerial) hooks_.storeSerial(serial_, adjust);

  const int block = Layout().firstAdjustBlock + kSerialBlockOfCopy;
  std::uint8_t frame[1 + kBlockSize];
  frame[0] = WireBlockOf(block);
  std::memcpy(frame + 1, adjust + kBlockSize * kSerialBlockOfCopy, kBlockSize);
  const int savedErrors = errors_;
  errors_ = 0;
  for (;;) {
    const int r = link_.WriteBlock(frame);
    if (r == kLinkOk) break;
    if (const int retry = Counted(r, kBlockFailureLimit, kDownloadError); retry != kTransferDone) return retry;
    link_.Sleep(30);
  }
  errors_ = savedErrors;
  timeouts_ = 0;
  // The next radio of the run gets the next number.
  serial_.replace(kSerialDigitsAt, kSerialDigits, NextSerialDigits(digits));
  if (hooks_.storeSerial) hooks_.storeSerial(serial_, nullptr);
  return kTransferDone;
}

int CRadioSender::KeepRadioIdentity() {
  std::uint16_t identity = 0;
  if (link_.ReadWord(word::kIdentity, identity) != kLinkOk) return link_.ReportFailure(kUploadError);
  // The radio keeps its own family and hardware bytes. A portable radio's
  // words 6 and 7 are left as they are too: they hold measured alignment
  // values (power, narrow-channel squelch) that need not share a byte.
  if (!settings_.manufacturerMode) SetImageWord(word::kIdentity, identity);
  return kTransferDone;
}

int CRadioSender::WriteWords(const SendFamilyTraits& traits, const PolledPlan& plan) {
  link_.ShowBlockCounter(kSendCounter, plan.firstBlock, plan.displayTotal);
  const bool mobileProduct = traits.productDecidesWords && IsMobileProductCode(image_[area::kProductCode]);
  for (int w = plan.firstWord; w <= plan.lastWord; ++w) {
    if (link_.PollEscape()) return kTransferAborted;
    // The marker is the send's own: it stays invalid until the last write.
    const bool skipped = w == word::kNeverWritten || w == Layout().validMarkerWord ||
                         (mobileProduct ? w > word::kLastMobileProduct
                                        : w <= word::kLastFixed || w == word::kForeignSkipped || w > word::kLastForeign);
    if (skipped) continue;
    if (const int put = PutWord(w, ImageWord(w), !WrittenUnverified(w)); put != kTransferDone) return put;
    link_.Sleep(30);
  }
  return kTransferDone;
}

int CRadioSender::WritePatches(const SendFamilyTraits& traits) {
  if (traits.writesWord122) {
    if (const int put = PutWord(word::kMobileExtra, ImageWord(word::kMobileExtra)); put != kTransferDone) return put;
  }
  if (Layout().flashRomStart != traits.patchFlash) return kTransferDone;
  const bool p = traits.patchByModelByte ? (fields_.modelByte & kPortableDialBit) != 0
                                         : IsMobileProductCode(image_[area::kProductCode]);
  for (std::size_t i = 0; i < traits.patchCount; ++i) {
    const WordPatch& patch = traits.patches[i];
    if (patch.onlyIfP && !p) continue;
    for (const ByteEdit& e : p ? patch.ifP : patch.ifNotP)
      image_[e.offset] = static_cast<std::uint8_t>((image_[e.offset] & e.keep) | e.set);
    const std::uint16_t sent = static_cast<std::uint16_t>(ImageWord(patch.word) | patch.sendBits);
    if (const int put = PutWord(patch.word, sent); put != kTransferDone) return put;
  }
  return kTransferDone;
}

int CRadioSender::PutBlock(int imageBlock, const std::uint8_t* data) {
  std::uint8_t frame[1 + kBlockSize];
  frame[0] = WireBlockOf(imageBlock);
  std::memcpy(frame + 1, data, kBlockSize);
  // Failures count in a row: every block that goes through starts afresh.
  errors_ = 0;
  timeouts_ = 0;
  for (;;) {
    const int r = link_.WriteBlock(frame);
    if (r == kLinkOk) {
      errors_ = 0;
      timeouts_ = 0;
      return kTransferDone;
    }
    if (const int retry = Counted(r, kBlockFailureLimit, kDownloadError); retry != kTransferDone) return retry;
  }
}

int CRadioSender::WriteBlocks(const SendFamilyTraits& traits, const PolledPlan& plan) {
  const bool bigFlash = !settings_.manufacturerMode && Layout().flashRomStart == traits.patchFlash;
  const bool skipping = bigFlash && plan.skipsUnusedBlocks;
  const int lastGroup = std::max<int>(fields_.lastGroupBlock, static_cast<int>(kFirstGroupBlock));
  auto unused = [&](int b) {
    if (b <= lastGroup) return false;
    if (b >= kFirstChannelBlock && b <= fields_.lastChannelBlock) return false;
    return !(traits.keepsFiveToneBlocks && b >= kMobileFiveToneFirst && b <= kMobileFiveToneLast);
  };
  auto send = [&](int b) -> int {
    if (link_.PollEscape()) return kTransferAborted;
    std::uint8_t data[kBlockSize];
    std::memcpy(data, image_.data() + kBlockSize * static_cast<std::size_t>(b), kBlockSize);
    if (b == 3 && bigFlash && traits.patchesBlock3) data[1] = static_cast<std::uint8_t>((data[1] & 0x3F) | 0x40);
    if (const int put = PutBlock(b, data); put != kTransferDone) return put;
    link_.ShowBlockCounter(kSendCounter, b, plan.displayTotal);
    status_.SetProgress(b);
    link_.Sleep(30);
    return kTransferDone;
  };
  int b = plan.firstBlock;
  for (; b < plan.blockLimit; ++b) {
    if (skipping && unused(b)) continue;
    const int r = send(b);
    if (r != kTransferDone) return r;
  }
  if (traits.tailFirst >= 0 && plan.displayTotal > traits.tailFirst) {
    for (b = traits.tailFirst; b < plan.displayTotal; ++b) {
      const int r = send(b);
      if (r != kTransferDone) return r;
    }
  }
  return kTransferDone;
}
