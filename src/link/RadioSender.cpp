// Send to Radio: the entry, the checks both protocols make of the data, the
// hooks the program runs with, and the commit.
#include "link/RadioSender.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "link/SendShared.h"
#include "model/DataFile.h"
#include "model/Digits.h"
#include "model/FamilyModel.h"
#include "model/FreshStart.h"
#include "model/MessageBox.h"
#include "model/RadioData.h"
#include "model/RadioInfoRecord.h"
#include "model/ScreenData.h"

std::string g_serviceSerial;  // set by the fresh start below

namespace {
void FreshServiceSerial() { g_serviceSerial.clear(); }
const FreshStartReset kFreshStart(&FreshServiceSerial);

bool AnyChannelProgrammedIn(Family family) {
  auto any = [](const auto& channels) {
    return std::any_of(channels.begin(), channels.end(), [](const auto& c) { return c.IsProgrammed(); });
  };
  return family == kPortable ? any(g_portableData.m_channels) : any(g_mobileData.m_channels);
}
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
  hooks.recordsBeyondImage = [](const std::uint8_t* image) {
    return RecordsDifferFromImage(image, g_adjustCopy.data());
  };
  hooks.recordFields = [](Family family) {
    const CGlobalRecord& global = ModelOf(family).global;
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
    ModelOf(family).radioInfo.Unpack(ModelOf(family), image, adjust);
  };
  hooks.serialText = [] { return g_mobileModel.radioInfo.serialText; };
  hooks.storeSerial = [](const std::string& serial, std::uint8_t* adjust) {
    g_mobileModel.radioInfo.serialText = serial;
    if (adjust != nullptr) g_mobileModel.radioInfo.PackSerial(adjust);
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
    const Saved saved{g_mobileData.m_tuning,
                      g_portableData.m_tuning,
                      g_mobileData.m_adjust,
                      g_portableData.m_adjust,
                      g_mobileModel.radioInfo.versionText,
                      g_mobileModel.radioInfo.serialText,
                      g_portableModel.radioInfo.versionText,
                      g_portableModel.radioInfo.serialText,
                      g_adjustCopy};
    return std::function<void()>([saved] {
      g_mobileData.m_tuning = saved.mobileTuning;
      g_portableData.m_tuning = saved.portableTuning;
      g_mobileData.m_adjust = saved.mobileAdjust;
      g_portableData.m_adjust = saved.portableAdjust;
      g_mobileModel.radioInfo.versionText = saved.mobileVersion;
      g_mobileModel.radioInfo.serialText = saved.mobileSerial;
      g_portableModel.radioInfo.versionText = saved.portableVersion;
      g_portableModel.radioInfo.serialText = saved.portableSerial;
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

int CRadioSender::LastEepromBlock() const {
  return settings_.family == kPortable ? Layout().lastEepromBlock : settings_.layout.lastEepromBlock;
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
  return settings_.layout.streamProtocol ? StreamedSend() : PolledSend();
}

int CRadioSender::CheckData() {
  // A streamed radio's memory ends before the channel area and its send
  // writes none of it: its own read leaves every channel unprogrammed.
  const bool channelsGo = !settings_.layout.streamProtocol;
  if (channelsGo && hooks_.anyChannelProgrammed && !hooks_.anyChannelProgrammed()) {
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
