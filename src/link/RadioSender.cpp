#include "link/RadioSender.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "model/DataFile.h"
#include "model/Digits.h"
#include "model/GlobalRecord.h"
#include "model/MessageBox.h"
#include "model/RadioData.h"
#include "model/RadioInfoRecord.h"
#include "model/ScreenData.h"

std::string g_serviceSerial;

namespace {
constexpr const char* kSendCounter = "Send block %i / %i";
constexpr const char* kDownloadError = " Download Error!";
constexpr const char* kDownloadErrorBox = "Download Error!";
constexpr const char* kUploadError = " Upload Error!";
constexpr const char* kHardwareMismatch = "Hardware configuration mismatched!";
constexpr const char* kCommunicationError = "Communication Error";
constexpr const char* kNoResponse = " No response from radio ";
constexpr const char* kPowerOnLine2 = "back ON to start downloading";

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
constexpr int kTuning6 = 6;    // portable: their high bytes must agree
constexpr int kTuning7 = 7;
constexpr int kIdentity = 16;  // low byte: family code, high byte: hardware byte
constexpr int kLastFixed = 16; // a radio of a foreign product keeps words up to here
constexpr int kForeignSkipped = 111;
constexpr int kNeverWritten = 118;
constexpr int kMobileExtra = 122;
constexpr int kModel = 124;    // high byte: the model byte
constexpr int kLastMobileProduct = 124;
constexpr int kLastForeign = 125;
constexpr int kFirstOfBlock1 = 64;
constexpr int kLastOfBlock0 = 63;
constexpr int kLastWord = 127;
}  // namespace word

// Model bits the send compares.
constexpr std::uint16_t kRadioKindMask = 0x7000;   // of word 124
constexpr std::uint16_t kModelWordBit = 0x4000;    // bit 6 of word 124's high byte
constexpr std::uint8_t kModelByteBit = 0x40;       // the same bit of the record's model byte
constexpr std::uint8_t kPortableDialBit = 0x20;    // portable model byte: the radio can dial
constexpr std::uint8_t kStreamUhfGroup = 0x60;     // mobile model group of a UHF radio

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
constexpr std::uint32_t kMobilePatchFlash = 0x38000;
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

// Streamed protocol.
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

constexpr std::size_t kSerialLength = 8;
constexpr std::size_t kSerialDigitsAt = 4;
constexpr std::size_t kSerialDigits = 4;
constexpr std::size_t kSerialPrefixLength = 2;

bool AnyChannelProgrammedIn(Family family) {
  auto any = [](const auto& channels) {
    return std::any_of(channels.begin(), channels.end(), [](const auto& c) { return c.IsProgrammed(); });
  };
  return family == kPortable ? any(g_portableData.m_channels) : any(g_mobileData.m_channels);
}
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
  bool evensTuningWords;        // words 6 and 7 must share their high byte
  bool patchesBlock3;
  bool keepsFiveToneBlocks;     // 185..191 are sent whatever the last channel block
  int tailFirst;                // blocks sent past the limit in a full send, or -1
  const WordPatch* patches;
  std::size_t patchCount;
};

namespace {
constexpr SendFamilyTraits kMobileSend{kMobile, true, 0x60, kMobilePatchFlash, true, true, false, true, false, true,
                                       true, -1, kMobilePatches, std::size(kMobilePatches)};
constexpr SendFamilyTraits kPortableSend{kPortable, false, 0x80, kPortablePatchFlash, false, false, true, false,
                                         true, false, false, kPortableTailFirst, kPortablePatches,
                                         std::size(kPortablePatches)};
const SendFamilyTraits& TraitsOf(Family family) { return family == kPortable ? kPortableSend : kMobileSend; }
}  // namespace

SendSettings CurrentSendSettings(bool manufacturerMode, bool serviceMode) {
  SendSettings settings;
  settings.layout = CurrentCloneLayout();
  settings.family = g_isPortable ? kPortable : kMobile;
  settings.manufacturerMode = manufacturerMode;
  settings.serviceMode = serviceMode;
  return settings;
}

SendHooks ModelSendHooks(std::function<std::optional<std::string>(const std::string& digits)> askSerialNumber) {
  SendHooks hooks;
  hooks.anyChannelProgrammed = [] { return AnyChannelProgrammedIn(g_isPortable ? kPortable : kMobile); };
  hooks.confirmNarrowband = [] { return ConfirmNarrowbandCaution(); };
  hooks.packScreens = [](std::uint8_t* image) { return PackScreensToImage(image); };
  hooks.recordFields = [](Family family) {
    const CGlobalRecord& global = GlobalRecordOf(family);
    return SendRecordFields{static_cast<std::uint8_t>(global.modelGroup), global.modelByte, global.lastGroupBlock,
                            global.lastChannelBlock};
  };
  hooks.loadAdjustment = [](Family family, const std::uint8_t* image, const std::uint8_t* adjust, int decodeHeader) {
    if (family == kPortable)
      g_portableData.LoadAdjustmentData(image, adjust, decodeHeader);
    else
      g_mobileData.LoadAdjustmentData(image, adjust, decodeHeader);
  };
  hooks.unpackRadioInfo = [](Family family, const std::uint8_t* image, const std::uint8_t* adjust) {
    RadioInfoOf(family).Unpack(image, adjust);
  };
  hooks.serialText = [] { return g_mobileRadioInfo.serialText; };
  hooks.storeSerial = [](const std::string& serial, std::uint8_t* adjust) {
    g_mobileRadioInfo.serialText = serial;
    if (adjust != nullptr) g_mobileRadioInfo.PackSerial(adjust);
  };
  hooks.askSerialNumber = std::move(askSerialNumber);
  hooks.saveRecords = [] {
    // What the send takes from the radio into the records.
    struct Saved {
      std::array<std::uint8_t, 16> mobileTuning, portableTuning;
      MobileAdjustmentHeader mobileAdjust;
      PortableAdjustmentHeader portableAdjust;
      std::string mobileVersion, mobileSerial, portableVersion, portableSerial;
      // Packing puts the radio's serial number into the copy a save writes.
      std::array<std::uint8_t, kAdjustCopySize> adjustCopy;
    };
    const Saved saved{g_mobileData.m_tuning,         g_portableData.m_tuning,        g_mobileData.m_adjust,
                      g_portableData.m_adjust,       g_mobileRadioInfo.versionText,  g_mobileRadioInfo.serialText,
                      g_portableRadioInfo.versionText, g_portableRadioInfo.serialText, g_adjustCopy};
    return std::function<void()>([saved] {
      g_mobileData.m_tuning = saved.mobileTuning;
      g_portableData.m_tuning = saved.portableTuning;
      g_mobileData.m_adjust = saved.mobileAdjust;
      g_portableData.m_adjust = saved.portableAdjust;
      g_mobileRadioInfo.versionText = saved.mobileVersion;
      g_mobileRadioInfo.serialText = saved.mobileSerial;
      g_portableRadioInfo.versionText = saved.portableVersion;
      g_portableRadioInfo.serialText = saved.portableSerial;
      g_adjustCopy = saved.adjustCopy;
    });
  };
  return hooks;
}

std::string SerialDigitsFromEntry(const std::string& entered) {
  std::string digits;
  for (const char c : entered)
    if (std::isdigit(static_cast<unsigned char>(c)) && digits.size() < kSerialDigits) digits += c;
  return std::string(kSerialDigits - digits.size(), '0') + digits;
}

std::string NextSerialDigits(const std::string& digits) {
  const int next = (std::stoi(SerialDigitsFromEntry(digits)) + 1) % 10000;
  const std::string text = std::to_string(next);
  return std::string(kSerialDigits - text.size(), '0') + text;
}

int ParseBlockNumber(const std::string& text, int blockCount) {
  if (text.empty()) return -1;
  long long value = 0;
  for (const char c : text) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return -1;
    const int digit = CharToHexValue(c);
    value = value * 16 + digit;
    // Digits only ever make the number bigger: stop before it can wrap.
    if (value >= blockCount) return -1;
  }
  return static_cast<int>(value);
}

CRadioSender::CRadioSender(CCloneLink& link, const SendSettings& settings, const SendHooks& hooks)
    : link_(link),
      status_(link.Status()),
      settings_(settings),
      hooks_(hooks),
      image_(g_pRadioImage, g_pRadioImage + kImageBufferSize),
      serial_(g_serviceSerial) {}

const CloneFamilyLayout& CRadioSender::Layout() const {
  return settings_.family == kPortable ? settings_.layout.portable : settings_.layout.mobile;
}

std::uint16_t CRadioSender::ImageWord(int w) const {
  return static_cast<std::uint16_t>(image_[2u * w + 1] << 8 | image_[2u * w]);
}

void CRadioSender::SetImageWord(int w, std::uint16_t value) {
  image_[2u * w] = static_cast<std::uint8_t>(value & 0xFF);
  image_[2u * w + 1] = static_cast<std::uint8_t>(value >> 8);
}

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

// ---- SendAll ----

int CRadioSender::SendAll() {
  const int result = Send();
  // Stopped with Esc once the radio's memory had begun to change: the radio
  // is left half-written, and the user is told so.
  if (result == kTransferAborted && markedInvalid_) return link_.ReportFailure(kDownloadError);
  return result;
}

int CRadioSender::Send() {
  if (!link_.Port().IsOpen() && !link_.OpenCommPort()) {
    ShowMessageBox("Problem with COM port");
    return kTransferFailed;
  }
  if (settings_.layout.streamProtocol) return StreamedSend();
  int r = CheckData();
  if (r != kTransferDone) return r;
  image_[kDisplayOptionsByte] |= 0x01;
  r = WakePolledRadio();
  if (r != kTransferDone) return r;
  r = IdentifyRadio();
  if (r != kTransferDone) return r;
  return Dispatch();
}

int CRadioSender::CheckData() {
  if (hooks_.anyChannelProgrammed && !hooks_.anyChannelProgrammed()) {
    status_.Beep();
    ShowMessageBox("RF Ch. #1 has not been programmed.");
    return kTransferFailed;
  }
  if (hooks_.confirmNarrowband && !hooks_.confirmNarrowband()) return kTransferFailed;
  // The packing runs again once the radio's alignment data is in; its
  // refusals are found now, before anything goes to the radio.
  const bool packs = settings_.layout.streamProtocol || settings_.manufacturerMode || !Layout().romEditorMode;
  if (packs && hooks_.packScreens) {
    std::vector<std::uint8_t> trial(image_);
    if (hooks_.packScreens(trial.data()) == 0) return kTransferFailed;
  }
  return kTransferDone;
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

int CRadioSender::Dispatch() {
  const SendFamilyTraits& traits = TraitsOf(settings_.family);
  const bool portable = settings_.family == kPortable;
  const int blockCount = portable ? settings_.layout.portable.blockCount : settings_.layout.blockCount;
  if (!settings_.oneBlockText) {
    const int total = portable ? kPortableTotal : blockCount;
    status_.SetProgressRange(total);
    return SendPolled(traits, 0, total, blockCount);
  }
  const std::string& text = *settings_.oneBlockText;
  if (text.empty()) return link_.ReportFailure(" No input address ");
  oneBlock_ = ParseBlockNumber(text, settings_.layout.blockCount);
  if (oneBlock_ < 0) return link_.ReportFailure("Parameter Error");
  status_.SetProgressRange(oneBlock_ + 1);
  return SendPolled(traits, oneBlock_, oneBlock_ + 1, oneBlock_ + 1);
}

// ---- SendMobile / SendPortable ----

int CRadioSender::SendPolled(const SendFamilyTraits& traits, int firstBlock, int displayTotal, int blockLimit) {
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
  r = KeepRadioIdentity(traits);
  if (r != kTransferDone) return r;

  // From here until the closing marker the radio says its memory is not to be trusted.
  const int marker = Layout().validMarkerWord;
  if (const int put = PutWord(marker, kMarkerInvalid); put != kTransferDone) return put;
  markedInvalid_ = true;
  link_.Sleep(5);
  status_.SetStatusLine1("Please wait");
  status_.SetStatusLine2("");

  const int lastEeprom = settings_.family == kPortable ? Layout().lastEepromBlock : settings_.layout.lastEepromBlock;
  if (firstBlock <= lastEeprom) {
    r = WriteWords(traits, displayTotal);
    if (r != kTransferDone) return r;
    // The memory editor's one block carries its own words and nothing else.
    if (oneBlock_ < 0) r = WritePatches(traits);
    if (r != kTransferDone) return r;
  }
  r = WriteBlocks(traits, displayTotal, blockLimit);
  if (r != kTransferDone) return r;

  if (const int put = PutWord(marker, kMarkerValid); put != kTransferDone) return put;
  markedInvalid_ = false;
  link_.ShowBlockCounter(kSendCounter, displayTotal, displayTotal);
  status_.SetProgress(displayTotal);
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

int CRadioSender::KeepRadioIdentity(const SendFamilyTraits& traits) {
  std::uint16_t identity = 0;
  if (link_.ReadWord(word::kIdentity, identity) != kLinkOk) return link_.ReportFailure(kUploadError);
  // The radio keeps its own family and hardware bytes.
  if (!settings_.manufacturerMode) SetImageWord(word::kIdentity, identity);
  if (!traits.evensTuningWords) return kTransferDone;

  std::uint16_t w6 = 0, w7 = 0;
  if (ReadOnce(word::kTuning6, w6) != kTransferDone || ReadOnce(word::kTuning7, w7) != kTransferDone)
    return kTransferFailed;
  const std::uint8_t high = static_cast<std::uint8_t>(w6 >> 8);
  if (high == (w6 & 0xFF) && high == (w7 >> 8)) return kTransferDone;
  const std::uint16_t new6 = static_cast<std::uint16_t>(high << 8 | high);
  const std::uint16_t new7 = static_cast<std::uint16_t>(high << 8 | (w7 & 0xFF));
  SetImageWord(word::kTuning6, new6);
  if (const int put = PutWord(word::kTuning6, new6); put != kTransferDone) return put;
  SetImageWord(word::kTuning7, new7);
  if (const int put = PutWord(word::kTuning7, new7); put != kTransferDone) return put;
  std::uint16_t sum = 0;
  for (int w = Layout().adjustWordHigh; w >= Layout().adjustWordLow; --w) sum = static_cast<std::uint16_t>(sum + ImageWord(w));
  const int sumWord = Layout().adjustWordLow - 1;
  SetImageWord(sumWord, sum);
  return PutWord(sumWord, sum);
}

int CRadioSender::WriteWords(const SendFamilyTraits& traits, int displayTotal) {
  const bool manufacturer = settings_.manufacturerMode;
  const bool one = oneBlock_ >= 0;
  const int first = one && oneBlock_ != 0 ? word::kFirstOfBlock1 : manufacturer ? 0 : Layout().adjustWordHigh + 1;
  const int last = one && oneBlock_ == 0 ? word::kLastOfBlock0 : manufacturer ? word::kLastWord : Layout().lastUserWord;
  const int lastEeprom = settings_.family == kPortable ? Layout().lastEepromBlock : settings_.layout.lastEepromBlock;
  link_.ShowBlockCounter(kSendCounter, manufacturer ? lastEeprom + 1 : lastEeprom + 2, displayTotal);
  const bool mobileProduct = traits.productDecidesWords && IsMobileProductCode(image_[area::kProductCode]);
  for (int w = first; w <= last; ++w) {
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

int CRadioSender::WriteOneBlock(int imageBlock, const std::uint8_t* data) {
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

int CRadioSender::WriteBlocks(const SendFamilyTraits& traits, int displayTotal, int blockLimit) {
  const bool manufacturer = settings_.manufacturerMode;
  const int lastEeprom = settings_.family == kPortable ? Layout().lastEepromBlock : settings_.layout.lastEepromBlock;
  const bool bigFlash = !manufacturer && Layout().flashRomStart == traits.patchFlash;
  // The memory editor's one block goes out whatever the records say is in use.
  const bool skipping = bigFlash && oneBlock_ < 0;
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
    if (const int put = WriteOneBlock(b, data); put != kTransferDone) return put;
    link_.ShowBlockCounter(kSendCounter, b, displayTotal);
    status_.SetProgress(b);
    link_.Sleep(30);
    return kTransferDone;
  };
  int b = oneBlock_ > lastEeprom ? oneBlock_ : manufacturer ? lastEeprom + 1 : lastEeprom + 2;
  for (; b < blockLimit; ++b) {
    if (skipping && unused(b)) continue;
    const int r = send(b);
    if (r != kTransferDone) return r;
  }
  if (traits.tailFirst >= 0 && displayTotal > traits.tailFirst) {
    for (b = traits.tailFirst; b < displayTotal; ++b) {
      const int r = send(b);
      if (r != kTransferDone) return r;
    }
  }
  return kTransferDone;
}

// ---- streamed send ----

int CRadioSender::StreamedSend() {
  if (!settings_.layout.rawImageEdited) {
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

// ---- commit ----

void CRadioSender::Commit() {
  std::memcpy(g_pRadioImage, image_.data(), kImageBufferSize);
  if (settings_.serviceMode && serial_.size() >= kSerialLength) g_serviceSerial = serial_;
}

int SendToRadio(CCloneLink& link, const SendSettings& settings, const SendHooks& hooks) {
  const std::function<void()> restore = hooks.saveRecords ? hooks.saveRecords() : std::function<void()>();
  CRadioSender sender(link, settings, hooks);
  const int result = sender.SendAll();
  if (result == kTransferDone)
    sender.Commit();
  else if (restore)
    restore();
  return result;
}
