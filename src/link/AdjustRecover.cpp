#include "link/AdjustRecover.h"

#include <cctype>

#include "model/DataFile.h"
#include "model/Digits.h"
#include "model/MessageBox.h"

namespace {

constexpr const char* kReceiveCounter = "Receive block %i / %i";
constexpr const char* kSendCounter = "Send block %i / %i";
constexpr const char* kUploadError = " Upload Error!";
constexpr const char* kDownloadError = " Download Error!";
constexpr const char* kProductionMismatch = "Production mismatch!";
constexpr int kWordFailureLimit = 10;
constexpr int kBlockFailureLimit = 20;
constexpr int kLastRecoverWord = 16;       // words 0..16 are read
constexpr int kEepromWords = 128;          // words 0..127 of a default file
constexpr int kFirstAdjustBlock = 254;
constexpr int kForeignBlockLimit = 192;    // a radio of another product code

bool InRange(int v, int low, int high) { return v >= low && v <= high; }

std::uint16_t WordAt(const std::vector<std::uint8_t>& image, int w) {
  const std::size_t at = 2 * static_cast<std::size_t>(w);
  return static_cast<std::uint16_t>(image[at] | image[at + 1] << 8);
}

}  // namespace

bool RecoverySupported(const CloneLayout& layout) {
  const CloneFamilyLayout& m = layout.mobile;
  return !layout.streamProtocol && m.firstAdjustBlock == kFirstAdjustBlock && m.adjustWordLow == 3 &&
         m.adjustWordHigh == kLastRecoverWord && layout.blockCount == 256 && layout.lastEepromBlock == 1;
}

bool RecoverSerialAccepted(const std::string& text) {
  if (text.size() > 8) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (i == 1) {
      const char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      if (!((u >= 'B' && u <= 'N') || (u >= 'Q' && u <= 'S'))) return false;
    } else if (c < '0' || c > '9') {
      return false;
    }
  }
  return true;
}

std::string RecoverSerialBuffer(const std::string& text) {
  std::string buffer(8, '0');
  for (std::size_t i = 0; i < text.size() && i < buffer.size(); ++i)
    buffer[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
  return buffer;
}

CAdjustRecover::CAdjustRecover(CCloneLink& link, const CloneLayout& layout, const RecoverHooks& hooks)
    : link_(link), status_(link.Status()), layout_(layout), hooks_(hooks), image_(kImageSize, 0xFF) {
  adjust_.fill(0xFF);
}

int CAdjustRecover::Refuse(const char* text) {
  status_.Beep();
  ShowMessageBox(text);
  return kTransferFailed;
}

int CAdjustRecover::Run() {
  // Blocks 254-256 and word 2 are where the default mobile layout keeps the
  // alignment: with anything else the repair would write the wrong places.
  if (!RecoverySupported(layout_)) return Refuse(kRecoverUnsupported);
  if (!link_.Port().IsOpen() && !link_.OpenCommPort()) {
    ShowMessageBox("Problem with COM port");
    return kTransferFailed;
  }
  status_.SetProgressRange(layout_.blockCount);
  if (const int r = ReadWords(); r != kTransferDone) return r;
  if (const int r = ReadAdjustBlocks(); r != kTransferDone) return r;
  return Decide();
}

int CAdjustRecover::ReadWords() {
  int errors = 0, timeouts = 0;
  bool first = true;
  for (int address = 0; address <= kLastRecoverWord;) {
    if (link_.PollEscape()) return kTransferAborted;
    std::uint16_t word = 0;
    const int r = link_.ReadWord(static_cast<std::uint8_t>(address), word);
    if (first) {
      first = false;
      if (r != kLinkOk) {
        const int awaited = link_.AwakePolledRadio("back ON to start uploading", layout_.comPortIndex);
        if (awaited != kTransferDone) return awaited;
      }
      status_.SetStatusLine1("Please wait");
      status_.SetStatusLine2("");
      if (r != kLinkOk) {
        link_.Sleep(3);
        continue;
      }
    }
    if (r == kLinkOk) {
      image_[2u * static_cast<std::size_t>(address)] = static_cast<std::uint8_t>(word & 0xFF);
      image_[2u * static_cast<std::size_t>(address) + 1] = static_cast<std::uint8_t>(word >> 8);
      ++address;
      timeouts = 0;
      link_.ShowBlockCounter(kReceiveCounter, layout_.lastEepromBlock, layout_.blockCount);
    } else if (link_.CountRetry(r, errors, timeouts, kWordFailureLimit, kUploadError) != kTransferDone) {
      return kTransferFailed;
    }
    link_.Sleep(3);
  }
  return kTransferDone;
}

int CAdjustRecover::ReadAdjustBlocks() {
  int errors = 0, timeouts = 0;
  const int last = kFirstAdjustBlock;  // the counter's total, as the radio's tools show it
  for (int i = 0; i < 3; ++i) {
    const int block = kFirstAdjustBlock + i;
    for (;;) {
      if (link_.PollEscape()) return kTransferAborted;
      std::uint8_t* into = adjust_.data() + kBlockSize * static_cast<std::size_t>(i);
      const int r = link_.ReadBlock(WireBlockOf(block), into);
      if (r == kLinkOk) break;
      if (link_.CountRetry(r, errors, timeouts, kBlockFailureLimit, kUploadError) != kTransferDone)
        return kTransferFailed;
    }
    timeouts = 0;
    std::copy_n(adjust_.begin() + static_cast<std::ptrdiff_t>(kBlockSize * static_cast<std::size_t>(i)), kBlockSize,
                image_.begin() + static_cast<std::ptrdiff_t>(area::kMobileAdjust + kBlockSize * static_cast<std::size_t>(i)));
    link_.ShowBlockCounter(kReceiveCounter, block, last);
    link_.Sleep(2);
  }
  link_.ShowBlockCounter(kReceiveCounter, last, last);
  link_.Sleep(2000);
  status_.Beep();
  return kTransferDone;
}

void CAdjustRecover::PutAdjustSum(std::vector<std::uint8_t>& image) const {
  const CloneFamilyLayout& m = layout_.mobile;
  std::uint16_t sum = 0;
  for (int w = m.adjustWordHigh; w >= m.adjustWordLow; --w) sum = static_cast<std::uint16_t>(sum + WordAt(image, w));
  const std::size_t at = 2 * static_cast<std::size_t>(m.adjustWordLow - 1);
  image[at] = static_cast<std::uint8_t>(sum & 0xFF);
  image[at + 1] = static_cast<std::uint8_t>(sum >> 8);
}

int CAdjustRecover::Decide() {
  const std::uint8_t product = image_[area::kProductCode];
  if (product != 11 && product != 39) return Refuse(kProductionMismatch);
  const int header = adjust_[0] << 8 | adjust_[1];
  if (image_[area::kFamilyCode] == 0xFF && image_[area::kHardwareByte] == 0xFF) return FromDefaultFile(header);
  const std::uint8_t m = image_[area::kFamilyCode] & 0xE0;
  if (m != 0x00 && m != 0x60) return Refuse(kProductionMismatch);
  if (header == 0xFFFF) return FromSavedFile();
  return RewriteAlignment(header, m);
}

int CAdjustRecover::FromDefaultFile(int header) {
  if (header == 0xFFFF) return Refuse("Hardware data has been broken.Please contact to Orlimar.");
  const char* file = InRange(header, kRecoverUhfLow, kRecoverUhfHigh)   ? kDefaultMobileUhfFile
                     : InRange(header, kRecoverVhfLow, kRecoverVhfHigh) ? kDefaultMobileVhfFile
                                                                        : nullptr;
  if (file == nullptr) return Refuse(kProductionMismatch);
  if (!hooks_.loadDataFile(file)) return kTransferFailed;
  std::vector<std::uint8_t> image;
  std::array<std::uint8_t, kAdjustCopySize> adjust{};
  hooks_.programImage(image, adjust);
  PutAdjustSum(image);
  return WriteWords(image, 0, kEepromWords - 1);
}

int CAdjustRecover::FromSavedFile() {
  const std::optional<std::string> path = hooks_.askDataFile();
  if (!path) return kTransferAborted;
  std::string ext = path->size() >= 3 ? path->substr(path->size() - 3) : *path;
  for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (ext != "K58") {
    ShowMessageBox("Problem opening file\n    " + *path + "\n\n   Press any key");
    return kTransferFailed;
  }
  if (!hooks_.loadDataFile(*path)) return kTransferFailed;
  std::vector<std::uint8_t> image;
  std::array<std::uint8_t, kAdjustCopySize> adjust{};
  hooks_.programImage(image, adjust);
  if (image[area::kFamilyCode] != image_[area::kFamilyCode] || image[area::kHardwareByte] != image_[area::kHardwareByte])
    return Refuse(kProductionMismatch);
  std::optional<std::string> serial;
  if (hooks_.serialText() == kUnsetSerial) {
    status_.SetStatusLine2("Serial No.(MAX 8 fig)");
    const std::optional<std::string> entered = hooks_.askSerial(hooks_.serialText());
    status_.SetStatusLine2("");
    if (!entered) return kTransferAborted;
    serial = RecoverSerialBuffer(*entered);
  }
  if (!hooks_.pack(serial)) return kTransferFailed;
  hooks_.programImage(image, adjust);
  return SendBlocks(image, adjust);
}

int CAdjustRecover::RewriteAlignment(int header, std::uint8_t m) {
  const bool fits = (m == 0x60 && InRange(header, kRecoverUhfLow, kRecoverUhfHigh)) ||
                    (m == 0x00 && InRange(header, kRecoverVhfLow, kRecoverVhfHigh));
  if (!fits) return Refuse("Hardware data has been broken.Please contact to Orlimar.!");
  PutAdjustSum(image_);
  return WriteWords(image_, layout_.mobile.adjustWordLow - 1, layout_.mobile.adjustWordHigh);
}

int CAdjustRecover::WriteWords(const std::vector<std::uint8_t>& image, int first, int last) {
  status_.SetStatusLine1("Please wait");
  int errors = 0, timeouts = 0;
  for (int w = first; w <= last;) {
    if (link_.PollEscape()) return kTransferAborted;
    const int r = link_.WriteWord(static_cast<std::uint8_t>(w), WordAt(image, w), false);
    if (r == kLinkOk) {
      ++w;
      timeouts = 0;
    } else if (link_.CountRetry(r, errors, timeouts, kWordFailureLimit, kDownloadError) != kTransferDone) {
      return kTransferFailed;
    }
    link_.Sleep(3);
  }
  return kTransferDone;
}

int CAdjustRecover::SendBlocks(const std::vector<std::uint8_t>& image,
                               const std::array<std::uint8_t, kAdjustCopySize>& adjust) {
  const int last = layout_.blockCount;
  const int total = (IsMobileProductCode(image[area::kProductCode]) ? last : kForeignBlockLimit) + 1;
  status_.SetProgressRange(total);
  status_.SetStatusLine1("Please wait");
  int errors = 0, timeouts = 0;
  for (int b = 2; b <= last;) {
    if (link_.PollEscape()) return kTransferAborted;
    std::uint8_t frame[1 + kBlockSize];
    frame[0] = WireBlockOf(b);
    const std::uint8_t* from = b >= kFirstAdjustBlock
                                   ? adjust.data() + kBlockSize * static_cast<std::size_t>(b - kFirstAdjustBlock)
                                   : image.data() + kBlockSize * static_cast<std::size_t>(b);
    std::copy_n(from, kBlockSize, frame + 1);
    const int r = link_.WriteBlock(frame);
    if (r == kLinkOk) {
      ++b;
      errors = timeouts = 0;  // failures count in a row
      link_.ShowBlockCounter(kSendCounter, b - 1, total);
      status_.SetProgress(b - 1);
    } else if (link_.CountRetry(r, errors, timeouts, kBlockFailureLimit, kDownloadError) != kTransferDone) {
      return kTransferFailed;
    }
    link_.Sleep(30);
  }
  link_.Sleep(2000);
  status_.Beep();
  return kTransferDone;
}
