#pragma once
// The send tests' fixture: radios of both families and of the streamed
// protocol, the program's data, and recording hooks standing in for the
// data model.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "LinkFixture.h"
#include "ProgramState.h"
#include "ScriptedMessages.h"
#include "SimLink.h"
#include "link/RadioSender.h"

inline constexpr int kMarker = 127;
inline constexpr std::size_t kConfigBlock = 57 * kBlockSize;  // wire block 0x37 of a streamed radio

inline SendSettings MobileSettings() { return {}; }

inline SendSettings PortableSettings() {
  SendSettings s;
  s.family = kPortable;
  return s;
}

inline SendSettings StreamSettings() {
  SendSettings s;
  s.layout.streamProtocol = true;
  s.layout.blockCount = 58;
  s.layout.mobile = {.flashRomStart = 0x1DC00, .lastSettingsBlock = 6, .firstAdjustBlock = 56, .adjustWordLow = 2,
                     .adjustWordHigh = 11, .validMarkerWord = 63, .lastUserWord = 60, .lastEepromBlock = 1,
                     .blockCount = 58};
  return s;
}

inline std::uint16_t WordOf(const std::vector<std::uint8_t>& m, int w) {
  return static_cast<std::uint16_t>(m[2 * w + 1] << 8 | m[2 * w]);
}

inline void PutWord(std::vector<std::uint8_t>& m, int w, std::uint16_t v) {
  m[2 * w] = static_cast<std::uint8_t>(v);
  m[2 * w + 1] = static_cast<std::uint8_t>(v >> 8);
}

// A radio whose alignment checksum word is right and which is marked valid.
inline std::vector<std::uint8_t> Radio(Family family, int lastGroup = 30, int lastChannel = 80) {
  std::vector<std::uint8_t> m = RadioMemory(family, lastGroup, lastChannel);
  const int low = family == kMobile ? 3 : 2, high = family == kMobile ? 16 : 14;
  std::uint16_t sum = 0;
  for (int w = low; w <= high; ++w) sum = static_cast<std::uint16_t>(sum + WordOf(m, w));
  PutWord(m, low - 1, sum);
  if (family == kPortable) {
    PutWord(m, 6, 0x4444);  // words 6 and 7 already agree
    PutWord(m, 7, 0x4412);
    sum = 0;
    for (int w = low; w <= high; ++w) sum = static_cast<std::uint16_t>(sum + WordOf(m, w));
    PutWord(m, low - 1, sum);
  }
  PutWord(m, kMarker, 0xA55A);
  return m;
}

// The program's data: the same kind of radio with different settings.
inline std::vector<std::uint8_t> ProgramImage(Family family) {
  std::vector<std::uint8_t> m = RadioMemory(family);
  for (std::size_t i = 0; i < m.size(); ++i) {
    const bool identity = i < 4 || i == area::kFamilyCode || i == area::kHardwareByte || i == 248 || i == 249 ||
                          i == area::kMobileCheckByte || (i >= area::kRadioPassword && i < area::kRadioPassword + 8);
    if (!identity) m[i] = static_cast<std::uint8_t>(m[i] + 1);
  }
  return m;
}

inline std::vector<std::uint8_t> StreamRadio(bool oldConfig) {
  std::vector<std::uint8_t> m = RadioMemory(kMobile);
  m[kConfigBlock + 5] = oldConfig ? 0x05 : 0x07;
  m[kConfigBlock + 6] = 0x3C;
  return m;
}

// Virtual time in which the user presses Esc at the first pause after
// pressNow says so.
class EscClock : public CVirtualClock {
public:
  void SleepMicros(std::uint64_t micros) override {
    CVirtualClock::SleepMicros(micros);
    if (!pressedAt && pressNow && pressNow()) {
      *cancel = true;
      pressedAt = NowMicros();
    }
  }
  std::atomic<bool>* cancel = nullptr;
  std::function<bool()> pressNow;
  std::optional<std::uint64_t> pressedAt;
};

class RadioSend : public ::testing::Test {
public:
  void SetUp() override { Reset(kMobile); }

  void Reset(Family family) {
    AllocateRadioImage();
    const std::vector<std::uint8_t> program = ProgramImage(family);
    std::memcpy(g_pRadioImage, program.data(), kImageBufferSize);
    before_ = program;
    g_isPortable = family == kPortable ? 1 : 0;
    status_ = RecordingStatus{};
    messages_.clear();
    cancel_ = false;
    packs_ = 0;
    restored_ = false;
    programmed_ = true;
    narrowOk_ = true;
    packResult_ = 1;
    loads_.clear();
    serialAnswers_.clear();
    serialShown_.clear();
    serialText_ = "0N010000";
    const std::uint8_t modelCode = family == kMobile ? kFamilyMobileUhf : kFamilyPortableUhf;
    fields_ = {static_cast<std::uint8_t>(modelCode & (family == kMobile ? 0xE0 : 0x80)), before_[249], 30, 80};
    hooks_ = {};
    hooks_.anyChannelProgrammed = [this] { return programmed_; };
    hooks_.confirmNarrowband = [this] { return narrowOk_; };
    hooks_.packScreens = [this](std::uint8_t*) {
      ++packs_;
      return packResult_;
    };
    hooks_.recordFields = [this](Family) { return fields_; };
    hooks_.loadAdjustment = [this](Family, const std::uint8_t*, const std::uint8_t*, int flag) { loads_.push_back(flag); };
    hooks_.serialText = [this] { return serialText_; };
    hooks_.storeSerial = [this](const std::string& serial, std::uint8_t* adjust) {
      serialText_ = serial;
      if (adjust != nullptr) std::memcpy(adjust + 380, serial.data() + 4, 4);
    };
    hooks_.askSerialNumber = [this](const std::string& shown) -> std::optional<std::string> {
      serialShown_.push_back(shown);
      if (serialAnswers_.empty()) return shown;
      std::optional<std::string> answer = serialAnswers_.front();
      serialAnswers_.erase(serialAnswers_.begin());
      return answer;
    };
    hooks_.saveRecords = [this] { return std::function<void()>([this] { restored_ = true; }); };
  }

  int Send(CSimRadio& radio, const SendSettings& settings) {
    link_.emplace(radio, clock_);
    CCloneLink link(*link_, clock_, cancel_, status_);
    return SendToRadio(link, settings, hooks_);
  }

  // A failed send leaves the program's data as it was.
  void ExpectProgramUntouched() {
    EXPECT_TRUE(std::equal(before_.begin(), before_.end(), g_pRadioImage));
    EXPECT_TRUE(restored_);
    EXPECT_TRUE(g_serviceSerial.empty());
  }

  FreshProgramState fresh_;
  std::vector<std::uint8_t> before_;
  CVirtualClock clock_;
  std::atomic<bool> cancel_{false};
  RecordingStatus status_;
  ScriptedMessages messages_;
  std::optional<CSimLink> link_;
  SendHooks hooks_;
  SendRecordFields fields_;
  int packs_ = 0;
  int packResult_ = 1;
  bool restored_ = false;
  bool programmed_ = true;
  bool narrowOk_ = true;
  std::vector<int> loads_;
  std::vector<std::optional<std::string>> serialAnswers_;
  std::vector<std::string> serialShown_;
  std::string serialText_;
};
