#include "link/RadioReader.h"

#include <algorithm>
#include <cstring>

#include "model/ConfigFile.h"
#include "model/Digits.h"
#include "model/MessageBox.h"
#include "model/RadioData.h"
#include "model/ScreenData.h"

namespace {
constexpr const char* kReceiveCounter = "Receive block %i / %i";
constexpr const char* kUploadError = " Upload Error!";

// Streamed protocol: the request and wake-up bytes, and the block frame.
constexpr std::uint8_t kStreamRequest = 0x70;
constexpr std::uint8_t kStreamWakeUp = 0x20;
constexpr std::uint8_t kStreamBlockMark = 0x82;
constexpr bool IsStreamHeader(std::uint8_t byte) { return (byte & 0xF0) == 0x20; }
// How long the radio has to start a block: ReadByteLong's time-out.
constexpr std::uint64_t kHeaderWaitMicros = 1'000'000;

// Limits of consecutive trouble before a read gives up.
constexpr int kStreamBadBlockLimit = 9;   // more than this many bad blocks in a row
constexpr int kStreamSilenceLimit = 9;    // time-outs or device failures waiting for a header
constexpr int kWordFailureLimit = 10;
constexpr int kBlockFailureLimit = 20;

// Radio memory areas the rest phases treat specially.
constexpr int kFirstChannelBlock = 57;
constexpr int kMobileFiveToneFirst = 185;  // 0x5C80
constexpr int kMobileFiveToneLast = 191;   // 0x5FFF
constexpr int kMobileForeignLimit = 192;   // blocks read of a radio with another product code
constexpr int kMobileAdjustFirst = 254;
constexpr int kMobileAdjustLast = 256;
constexpr int kPortableBlockLimit = 168;
constexpr int kPortableTotal = 177;        // 168-176 hold the portable 5-Tone area
constexpr std::size_t kLastGroupBlockByte = 253;
constexpr std::size_t kLastChannelBlockByte = 252;
constexpr std::uint32_t kSkippingFlashStart = 0x38000;

// What the data-file name becomes after a read that names no file: the file line shows blanks.
constexpr const char* kReadFileName = "            ";

CloneFamilyLayout FamilyLayoutOf(const CConfigFileBase& config) {
  return {.flashRomStart = config.GetFlashRomStart(),
          .lastSettingsBlock = config.GetLastSettingsBlock(),
          .firstAdjustBlock = config.GetFirstAdjustBlock(),
          .romEditorMode = config.IsRomEditorMode(),
          .adjustWordLow = config.GetAdjustWordLow(),
          .adjustWordHigh = config.GetAdjustWordHigh(),
          .validMarkerWord = config.GetValidMarkerWord(),
          .lastUserWord = config.GetLastUserWord(),
          .lastEepromBlock = config.GetLastEepromBlock(),
          .blockCount = config.GetBlockCount()};
}
}  // namespace

CloneLayout CloneLayoutFromConfig(const CConfigFileBase& mobile, const CConfigFileBase& portable) {
  CloneLayout layout;
  layout.lastEepromBlock = mobile.GetLastEepromBlock();
  layout.blockCount = mobile.GetBlockCount();
  layout.streamProtocol = mobile.UsesStreamProtocol();
  layout.comPortIndex = mobile.GetComPortIndex();
  layout.mobile = FamilyLayoutOf(mobile);
  layout.portable = FamilyLayoutOf(portable);
  layout.rawImageEdited = mobile.IsRawImageEdited();
  return layout;
}

CloneLayout CurrentCloneLayout() { return CloneLayoutFromConfig(g_config, g_portableConfig); }

ReadSettings CurrentReadSettings(bool manufacturerMode) {
  ReadSettings settings;
  settings.layout = CurrentCloneLayout();
  settings.manufacturerMode = manufacturerMode;
  settings.currentFamily = g_isPortable ? kPortable : kMobile;
  settings.knownPassword = g_radioPassword;
  return settings;
}

ReadHooks ModelReadHooks(std::function<std::optional<std::string>()> askRadioPassword) {
  ReadHooks hooks;
  hooks.askRadioPassword = std::move(askRadioPassword);
  hooks.rebuildAdjustHeader = [](Family family, std::uint8_t* adjustCopy) {
    auto rebuild = [adjustCopy](auto& data) {
      data.LoadAdjustmentData(g_pRadioImage, adjustCopy, 1);
      data.StoreAdjustmentData(adjustCopy);
    };
    if (family == kPortable)
      rebuild(g_portableData);
    else
      rebuild(g_mobileData);
  };
  hooks.unpackScreens = [](bool polled) {
    UnpackImageToScreens(g_pRadioImage);
    if (!polled) return;
    // The header from the copy as read: in editor and manufacturer mode the
    // copy is not rebuilt, and the records would keep the header of the data
    // open before, which packs the first channel with the wrong band bytes.
    UnpackAdjustmentData(g_pRadioImage, g_adjustCopy.data(), 1);
    UnpackImageToScreens(g_pRadioImage);
  };
  return hooks;
}

bool RadioPasswordMatches(const std::string& entered, const std::uint8_t* radioPassword) {
  const char* radio = reinterpret_cast<const char*>(radioPassword);
  const std::string radioText(radio, strnlen(radio, 8));
  return entered.substr(0, entered.find('\0')) == radioText;
}

CRadioReader::CRadioReader(CCloneLink& link, const ReadSettings& settings, const ReadHooks& hooks)
    : link_(link),
      status_(link.Status()),
      settings_(settings),
      hooks_(hooks),
      image_(kImageBufferSize, 0xFF),
      adjust_(g_adjustCopy),
      family_(settings.currentFamily) {}

int CRadioReader::ReceiveAll() {
  if (!link_.Port().IsOpen() && !link_.OpenCommPort()) {
    ShowMessageBox("Problem with COM port");
    return kTransferFailed;
  }
  status_.SetProgressRange(settings_.layout.blockCount);
  polled_ = !settings_.layout.streamProtocol;
  return polled_ ? PolledRead() : StreamedRead();
}

void CRadioReader::StoreBlock(int imageBlock, const std::uint8_t* block) {
  std::memcpy(image_.data() + kBlockSize * static_cast<std::size_t>(imageBlock), block, kBlockSize);
}

void CRadioReader::ShowProgress(int block, int total) {
  link_.ShowBlockCounter(kReceiveCounter, block, total);
  status_.SetProgress(block);
  link_.Sleep(2);
}

int CRadioReader::Finish(int total) {
  link_.ShowBlockCounter(kReceiveCounter, total, total);
  status_.SetProgress(total);
  link_.Sleep(2000);
  status_.Beep();
  return kTransferDone;
}

// ---- streamed read ----

int CRadioReader::StreamHandshake(std::uint8_t& header) {
  const int comPort = settings_.layout.comPortIndex;
  const int awaited = link_.AwaitPowerOn("back ON to start uploading", comPort);
  if (awaited != kTransferDone) return awaited;
  std::uint8_t echo = 0;
  link_.Sleep(50);
  if (!link_.SendByte(kStreamWakeUp)) return link_.ReportLeadFailure(comPort);
  link_.ReadByte(echo);
  status_.SetStatusLine1("");
  status_.SetStatusLine2("");
  link_.Sleep(330);
  if (!link_.SendByte(kStreamRequest)) return link_.ReportLeadFailure(comPort);
  link_.ReadByte(echo);
  int silent = 0;
  for (;;) {
    const std::uint64_t deadline = link_.Clock().NowMicros() + kHeaderWaitMicros;
    int r = kLinkOk;
    do {
      if (link_.PollEscape()) return kTransferAborted;
      r = ReadTowardsHeader(header, deadline);
      if (r == kLinkOk && IsStreamHeader(header)) return kTransferDone;
    } while (r == kLinkOk);
    if (++silent > kStreamSilenceLimit) return link_.ReportFailure(" Upload Error");
    if (r == kLinkTimeout) link_.SendByte(kNak);
  }
}

int CRadioReader::ReadTowardsHeader(std::uint8_t& byte, std::uint64_t deadline) {
  const int r = link_.ReadByteBefore(byte, deadline);
  // Noise is no answer: a line that brought no header for the whole wait is
  // as good as silent, however many other bytes came.
  if (r == kLinkOk && !IsStreamHeader(byte) && link_.Clock().NowMicros() >= deadline) return kLinkTimeout;
  return r;
}

int CRadioReader::StreamedRead() {
  // Only mobile radios stream their memory: the read identifies nothing, but
  // its image is the mobile layout whatever family was shown before.
  family_ = kMobile;
  const int blockCount = settings_.layout.blockCount;
  const int lastEeprom = settings_.layout.lastEepromBlock;
  bool first = true;
  int badBlocks = 0;
  int deviceFailures = 0;
  int lastGood = -1;
  std::uint64_t headerDeadline = link_.Clock().NowMicros() + kHeaderWaitMicros;
  while (lastGood + 1 < blockCount) {
    if (link_.PollEscape()) return kTransferAborted;
    if (first) {
      // The cable's echo of the request is no answer: a radio that is off
      // must reach the time-out that asks for it to be switched on.
      std::uint8_t echo = 0;
      link_.SendByte(kStreamRequest);
      link_.ReadByte(echo);
    }
    std::uint8_t header = 0;
    const int r = ReadTowardsHeader(header, headerDeadline);
    if (r == kLinkFailed) {
      // A device that keeps failing (a cable pulled out) would otherwise spin here.
      if (++deviceFailures > kStreamSilenceLimit) return link_.ReportFailure(" Upload Error");
      continue;
    }
    deviceFailures = 0;
    if (r == kLinkTimeout) {
      const int h = StreamHandshake(header);
      if (h != kTransferDone) return h;
    } else if (!IsStreamHeader(header)) {
      continue;  // the echoes of ACK and NAK and the radio's 'P' land here
    }

    std::uint8_t mark = 0;
    if (link_.ReadByte(mark) != kLinkOk || mark != kStreamBlockMark)
      return link_.ReportFailure("Communication Error");
    std::uint8_t number = 0;
    std::uint8_t data[kBlockSize];
    bool good = link_.ReadByte(number) == kLinkOk;
    std::uint8_t sum = static_cast<std::uint8_t>(header + mark + number);
    for (std::size_t i = 0; good && i < kBlockSize; ++i) {
      good = link_.ReadByte(data[i]) == kLinkOk;
      if (good) sum = static_cast<std::uint8_t>(sum + data[i]);
    }
    std::uint8_t radioSum = 0;
    good = good && link_.ReadByte(radioSum) == kLinkOk && radioSum == sum;
    // Blocks come in order; a repeat of one already taken is harmless, but a
    // gap or a number past the radio's last block would leave holes.
    good = good && number < blockCount && number <= lastGood + 1;

    if (first) {
      status_.SetStatusLine1("Please wait");
      first = false;
    }
    const int shown = good ? number : lastGood + 1;
    link_.ShowBlockCounter(kReceiveCounter, shown, blockCount);
    status_.SetProgress(shown);
    link_.Sleep(55);

    if (!good) {
      if (++badBlocks > kStreamBadBlockLimit) return link_.ReportFailure(kUploadError);
      link_.SendByte(kNak);
      headerDeadline = link_.Clock().NowMicros() + kHeaderWaitMicros;
      continue;
    }
    badBlocks = 0;
    if (number <= lastEeprom) {
      // EEPROM blocks arrive with the two bytes of every word swapped.
      for (std::size_t i = 0; i < kBlockSize; ++i) image_[kBlockSize * number + (i ^ 1)] = data[i];
    } else if (number == blockCount - 1) {
      std::memcpy(adjust_.data(), data, kBlockSize);
    } else {
      StoreBlock(number, data);
    }
    link_.SendByte(kAck);
    lastGood = std::max(lastGood, static_cast<int>(number));
    headerDeadline = link_.Clock().NowMicros() + kHeaderWaitMicros;
  }
  return Finish(blockCount);
}

// ---- polled read ----

int CRadioReader::Counted(int linkResult) {
  return link_.CountRetry(linkResult, errors_, timeouts_, kBlockFailureLimit, kUploadError);
}

int CRadioReader::PolledRead() {
  const int lastEeprom = settings_.layout.lastEepromBlock;
  const int blockCount = settings_.layout.blockCount;
  const int comPort = settings_.layout.comPortIndex;
  const std::uint8_t wordLimit = static_cast<std::uint8_t>((lastEeprom + 1) * 64);
  bool first = true;
  std::uint8_t address = 0;
  while (address < wordLimit) {
    if (link_.PollEscape()) return kTransferAborted;
    std::uint16_t word = 0;
    const int r = link_.ReadWord(address, word);
    if (first) {
      first = false;
      if (r != kLinkOk) {
        // The radio is not listening yet: have it switched off and on.
        const int awaited = link_.AwakePolledRadio("back ON to start uploading", comPort);
        if (awaited != kTransferDone) return awaited;
      }
      status_.SetStatusLine1("Please wait");
      status_.SetStatusLine2("");
      errors_ = 1;
      if (r != kLinkOk) {
        link_.Sleep(3);
        continue;
      }
    }
    if (r == kLinkOk) {
      image_[2u * address] = static_cast<std::uint8_t>(word & 0xFF);
      image_[2u * address + 1] = static_cast<std::uint8_t>(word >> 8);
      ++address;
      timeouts_ = 0;
      link_.ShowBlockCounter(kReceiveCounter, lastEeprom, blockCount);
      status_.SetProgress(lastEeprom);
    } else if (r == kLinkFailed) {
      if (++errors_ > kWordFailureLimit) return link_.ReportFailure(kUploadError);
      link_.DiscardReply();
    } else if (++timeouts_ > kWordFailureLimit) {
      // A radio that has gone quiet: the read would otherwise retry for ever.
      return link_.ReportFailure(kUploadError);
    }
    link_.Sleep(3);
  }
  timeouts_ = 0;

  Family family = IdentifyRadioFamily(image_.data());
  if (family == kUnknownFamily) {
    if (!settings_.manufacturerMode) {
      status_.Beep();
      ShowMessageBox("Hardware configuration mismatched!");
      return kTransferFailed;
    }
    family = settings_.currentFamily;
  }
  family_ = family;
  return family == kMobile ? ReceiveMobileRest() : ReceivePortableRest();
}

bool CRadioReader::PasswordAccepted() {
  const std::uint8_t* radio = image_.data() + area::kRadioPassword;
  const char* known = reinterpret_cast<const char*>(settings_.knownPassword.data());
  if (std::strncmp(reinterpret_cast<const char*>(radio), known, 8) == 0) return true;
  std::optional<std::string> entered;
  if (hooks_.askRadioPassword) entered = hooks_.askRadioPassword();
  if (entered && RadioPasswordMatches(*entered, radio)) return true;
  status_.Beep();
  ShowMessageBox("Password mismatched!");
  return false;
}

int CRadioReader::ReadRestBlock(int imageBlock, std::uint8_t* block, int total) {
  for (;;) {
    if (link_.PollEscape()) return kTransferAborted;
    const int r = link_.ReadBlock(WireBlockOf(imageBlock), block);
    if (r == kLinkOk) {
      timeouts_ = 0;
      return kLinkOk;
    }
    if (Counted(r) != kTransferDone) return kTransferFailed;
    // While it is retried the counter shows the block being tried.
    ShowProgress(imageBlock, total);
  }
}

int CRadioReader::BeginRest(int total) {
  if (!PasswordAccepted()) return kTransferFailed;
  const int first = settings_.layout.lastEepromBlock + 1;
  link_.ShowBlockCounter(kReceiveCounter, first, total);
  status_.SetProgress(first);
  return kTransferDone;
}

bool CRadioReader::InUse(int block, const CloneFamilyLayout& layout) const {
  // The settings area is always read, whatever the radio says of its last
  // group: a radio with no group enabled still has its settings.
  return block <= layout.lastSettingsBlock || block <= image_[kLastGroupBlockByte] ||
         (block >= kFirstChannelBlock && block <= image_[kLastChannelBlockByte]) ||
         block == layout.firstAdjustBlock;
}

int CRadioReader::ReceiveMobileRest() {
  const CloneFamilyLayout& layout = settings_.layout.mobile;
  int limit = settings_.layout.blockCount;
  if (!IsMobileProductCode(image_[area::kProductCode])) {
    limit = kMobileForeignLimit;
    status_.SetProgressRange(limit);
  }
  if (BeginRest(limit) != kTransferDone) return kTransferFailed;

  // Only the big flash layout has blocks worth skipping.
  const bool readAll =
      layout.flashRomStart != kSkippingFlashStart || layout.romEditorMode || settings_.manufacturerMode;
  std::uint8_t block[kBlockSize];
  for (int b = settings_.layout.lastEepromBlock + 1; b < limit; ++b) {
    if (!readAll && !InUse(b, layout) && !(b >= kMobileFiveToneFirst && b <= kMobileFiveToneLast)) continue;
    const int r = ReadRestBlock(b, block, limit);
    if (r != kLinkOk) return r;
    if (b <= layout.lastSettingsBlock || b <= limit - 2) StoreBlock(b, block);
    ShowProgress(b + 1, limit);
  }

  status_.SetProgressRange(kMobileAdjustLast);
  for (int b = kMobileAdjustFirst; b <= kMobileAdjustLast; ++b) {
    const int r = ReadRestBlock(b, block, kMobileAdjustLast);
    if (r != kLinkOk) return r;
    std::memcpy(adjust_.data() + kBlockSize * static_cast<std::size_t>(b - kMobileAdjustFirst), block, kBlockSize);
    StoreBlock(b, block);
    ShowProgress(b, kMobileAdjustLast);
  }
  rebuildHeader_ = !layout.romEditorMode && !settings_.manufacturerMode;

  return Finish(kMobileAdjustLast);
}

int CRadioReader::ReceivePortableRest() {
  const CloneFamilyLayout& layout = settings_.layout.portable;
  const int limit = kPortableBlockLimit;
  status_.SetProgressRange(kPortableTotal);
  if (BeginRest(kPortableTotal) != kTransferDone) return kTransferFailed;

  const bool readAll = layout.romEditorMode || settings_.manufacturerMode;
  std::uint8_t block[kBlockSize];
  // Blocks from the limit on hold the 5-Tone area and are always read.
  for (int b = settings_.layout.lastEepromBlock + 1; b < kPortableTotal; ++b) {
    if (!readAll && b < limit && !InUse(b, layout)) continue;
    const int r = ReadRestBlock(b, block, kPortableTotal);
    if (r != kLinkOk) return r;
    // The adjustment block also fills the start of the adjustment copy.
    if (b == limit - 1) {
      // A portable radio's copy is this one block; the rest stays unwritten,
      // as in a portable data file, never the bytes of the data open before.
      std::memcpy(adjust_.data(), block, kBlockSize);
      std::fill(adjust_.begin() + kBlockSize, adjust_.end(), kUnwrittenByte);
      rebuildHeader_ = !readAll;
    }
    StoreBlock(b, block);
    ShowProgress(b + 1, kPortableTotal);
  }

  return Finish(kPortableTotal);
}

void CRadioReader::Commit() {
  if (g_pRadioImage == nullptr) AllocateRadioImage();
  std::memcpy(g_pRadioImage, image_.data(), kImageSize);
  g_adjustCopy = adjust_;
  // The radio's image holds no hex edits: sends pack the records again.
  g_config.SetRawImageEdited(false);
  // A polled read names no file; a streamed one keeps the name, unless it is
  // a file of the other family.
  if (polled_ || g_isPortable != (family_ == kPortable)) g_dataFileName = kReadFileName;
  g_isPortable = family_ == kPortable;
  if (!polled_) g_dataModified = false;
  // Only now, from the radio's own header: rebuilt while the read ran, the
  // header came from whatever data was open before.
  if (rebuildHeader_ && hooks_.rebuildAdjustHeader) {
    hooks_.rebuildAdjustHeader(family_, g_adjustCopy.data());
    if (family_ == kPortable) std::memcpy(g_pRadioImage + area::kPortableAdjust, g_adjustCopy.data(), kBlockSize);
  }
  if (hooks_.unpackScreens) hooks_.unpackScreens(polled_);
  g_imageLoaded = true;
}

int ReadFromRadio(CCloneLink& link, const ReadSettings& settings, const ReadHooks& hooks) {
  CRadioReader reader(link, settings, hooks);
  const int result = reader.ReceiveAll();
  if (result == kTransferDone) reader.Commit();
  return result;
}
