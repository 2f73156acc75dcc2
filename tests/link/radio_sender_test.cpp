// Send to Radio against the simulated radio: both families, the streamed
// protocol, the memory editor's one block, service mode, and every fault the
// radio can play. The data model is stood in for by recording hooks.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <optional>

#include "LinkFixture.h"
#include "ScriptedMessages.h"
#include "SimLink.h"
#include "link/RadioSender.h"
#include "model/ConfigFile.h"
#include "model/RadioData.h"
#include "model/ModelChange.h"
#include "model/RadioInfoRecord.h"
#include "model/ScreenData.h"

namespace {

constexpr int kMarker = 127;
constexpr std::size_t kConfigBlock = 57 * kBlockSize;  // wire block 0x37 of a streamed radio

SendSettings MobileSettings() { return {}; }

SendSettings PortableSettings() {
  SendSettings s;
  s.family = kPortable;
  return s;
}

SendSettings StreamSettings() {
  SendSettings s;
  s.layout.streamProtocol = true;
  s.layout.blockCount = 58;
  s.layout.mobile = {0x1DC00, 6, 56, false, 2, 11, 63, 60, 1, 58};
  return s;
}

std::uint16_t WordOf(const std::vector<std::uint8_t>& m, int w) {
  return static_cast<std::uint16_t>(m[2 * w + 1] << 8 | m[2 * w]);
}

void PutWord(std::vector<std::uint8_t>& m, int w, std::uint16_t v) {
  m[2 * w] = static_cast<std::uint8_t>(v);
  m[2 * w + 1] = static_cast<std::uint8_t>(v >> 8);
}

// A radio whose alignment checksum word is right and which is marked valid.
std::vector<std::uint8_t> Radio(Family family, int lastGroup = 30, int lastChannel = 80) {
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
std::vector<std::uint8_t> ProgramImage(Family family) {
  std::vector<std::uint8_t> m = RadioMemory(family);
  for (std::size_t i = 0; i < m.size(); ++i) {
    const bool identity = i < 4 || i == area::kFamilyCode || i == area::kHardwareByte || i == 248 || i == 249 ||
                          i == area::kMobileCheckByte || (i >= area::kRadioPassword && i < area::kRadioPassword + 8);
    if (!identity) m[i] = static_cast<std::uint8_t>(m[i] + 1);
  }
  return m;
}

std::vector<std::uint8_t> StreamRadio(bool oldConfig) {
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
    g_serviceSerial.clear();
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

// Words a full send writes with the program's data as it stands, and the
// ones it writes patched (checked on their own).
bool ProgramWord(Family family, int w) {
  if (w == 118) return false;
  if (family == kMobile) return (w >= 17 && w <= 119) || w == 122;
  return w >= 17 && w <= 119 && w != 111;
}
bool PatchedWord(Family family, int w) {
  for (int p : {21, 91, 92, 93, 101, 102, 104, 106, 112, 113, 114, 115, 116, 123, 125, 126})
    if (p == w) return family == kMobile || w != 93;
  return false;
}

TEST_F(RadioSend, FullMobileSendWritesEveryPrescribedByte) {
  CSimRadio radio(SimProtocol::kPolled, Radio(kMobile));
  const std::vector<std::uint8_t> original = radio.Memory();
  ASSERT_EQ(Send(radio, MobileSettings()), kTransferDone);
  const auto& mem = radio.Memory();
  const std::uint8_t* sent = g_pRadioImage;

  // The marker goes first and last; nothing but words and blocks between.
  const auto& writes = radio.Writes();
  ASSERT_GE(writes.size(), 2u);
  EXPECT_EQ(writes.front(), (SimWrite{SimWrite::kWord, kMarker, 0xFFFF}));
  EXPECT_EQ(writes.back(), (SimWrite{SimWrite::kWord, kMarker, 0xA55A}));

  // EEPROM: the radio keeps its alignment (3..16), checksum, version and
  // identity; the user words and patched words come from the program.
  for (int w = 0; w < 127; ++w) {
    if (PatchedWord(kMobile, w)) continue;
    const std::uint16_t expected = ProgramWord(kMobile, w) ? WordOf(before_, w) : WordOf(original, w);
    EXPECT_EQ(WordOf(mem, w), expected) << "word " << w;
  }
  // A few patches, each of its own kind (the data has a mobile product code).
  EXPECT_EQ(mem[42], (before_[42] & 0x7F) | 0x08);
  EXPECT_EQ(mem[182], (before_[182] & 0x7F) | 0x01);
  EXPECT_EQ(mem[186], before_[186] & 0x38);
  EXPECT_EQ(WordOf(mem, 112), 0xFFFF);
  EXPECT_EQ(mem[233], (before_[233] & 0xE0) | 0x05);
  EXPECT_EQ(mem[251], before_[251] | 0xC0);
  EXPECT_EQ(WordOf(mem, kMarker), 0xA55A);

  // Flash: block 2 (band) and the unused blocks are the radio's own; block 3
  // goes out with its byte 1 adjusted; 185..191 always go.
  for (int b = 2; b <= 256; ++b) {
    const bool used = (b >= 3 && b <= 30) || (b >= 57 && b <= 80) || (b >= 185 && b <= 191);
    const std::uint8_t* want = used ? before_.data() : original.data();
    for (std::size_t i = 0; i < kBlockSize; ++i) {
      std::uint8_t expected = want[kBlockSize * b + i];
      if (b == 3 && i == 1) expected = static_cast<std::uint8_t>((expected & 0x3F) | 0x40);
      ASSERT_EQ(mem[kBlockSize * b + i], expected) << "block " << b << " byte " << i;
    }
  }

  // The program's image becomes what was sent: the radio's alignment and identity in it.
  for (int w = 3; w <= 16; ++w) EXPECT_EQ(WordOf(std::vector<std::uint8_t>(sent, sent + 40), w), WordOf(original, w));
  EXPECT_EQ(sent[0], original[0]);
  EXPECT_FALSE(restored_);
  EXPECT_EQ(loads_, std::vector<int>{1});  // the radio's own alignment enters the model
  EXPECT_EQ(packs_, 2);                    // checked before the wire, packed with the radio's data
  EXPECT_EQ(status_.counter, "Send block 256 / 256");
  EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(RadioSend, FullPortableSendKeepsTheRadiosWordsAndSendsTheFiveToneArea) {
  Reset(kPortable);
  std::vector<std::uint8_t> memory = Radio(kPortable);
  PutWord(memory, 6, 0x4443);  // the tuning words disagree: the radio gets them evened
  CSimRadio radio(SimProtocol::kPolled, memory);
  const std::vector<std::uint8_t> original = radio.Memory();
  ASSERT_EQ(Send(radio, PortableSettings()), kTransferDone);
  const auto& mem = radio.Memory();

  EXPECT_EQ(WordOf(mem, 6), 0x4444);
  EXPECT_EQ(WordOf(mem, 7), 0x4412);
  std::uint16_t sum = 0;
  for (int w = 2; w <= 14; ++w) sum = static_cast<std::uint16_t>(sum + WordOf(mem, w));
  EXPECT_EQ(WordOf(mem, 1), sum);
  for (int w : {0, 2, 3, 16, 111, 118, 120, 122, 124}) EXPECT_EQ(WordOf(mem, w), WordOf(original, w)) << w;
  for (int w : {17, 50, 110, 119}) EXPECT_EQ(WordOf(mem, w), WordOf(before_, w)) << w;
  // Patches by the model's dial bit (set in this model byte).
  ASSERT_EQ(before_[249] & 0x20, 0x20);
  EXPECT_EQ(mem[233], (before_[233] & 0xE0) | 0x05);
  EXPECT_EQ(mem[226], 0);
  EXPECT_EQ(WordOf(mem, kMarker), 0xA55A);

  for (int b = 2; b <= 256; ++b) {
    const bool used = (b >= 3 && b <= 30) || (b >= 57 && b <= 80) || (b >= 168 && b <= 176);
    EXPECT_TRUE(SameBlock(mem.data(), (used ? before_ : original).data(), b)) << b;
  }
  EXPECT_EQ(status_.counter, "Send block 177 / 177");
}

TEST_F(RadioSend, ChecksumWordIsTheOneBeforeTheAlignmentWords) {
  struct Case {
    Family family;
    int sumWord, otherWord;
  } cases[] = {{kMobile, 2, 1}, {kPortable, 1, 2}};
  for (const Case& c : cases) {
    Reset(c.family);
    std::vector<std::uint8_t> memory = Radio(c.family);
    PutWord(memory, c.sumWord, 0x1234);  // wrong
    CSimRadio radio(SimProtocol::kPolled, memory);
    ASSERT_EQ(Send(radio, c.family == kMobile ? MobileSettings() : PortableSettings()), kTransferDone);
    EXPECT_EQ(messages_.texts(), std::vector<std::string>{"Adjustment Data Checksum mismatched!"});
    const std::uint16_t right = WordOf(Radio(c.family), c.sumWord);
    EXPECT_EQ(radio.Word(c.sumWord), right);
    EXPECT_EQ(radio.Word(c.otherWord), WordOf(memory, c.otherWord));  // untouched
    EXPECT_EQ(WordOf(std::vector<std::uint8_t>(g_pRadioImage, g_pRadioImage + 8), c.sumWord), right);
    EXPECT_EQ(radio.Writes().front(), (SimWrite{SimWrite::kWord, c.sumWord, right}));
  }
}

TEST_F(RadioSend, AlignmentSumWrapsAtSixteenBits) {
  std::vector<std::uint8_t> memory = Radio(kMobile);
  for (int w = 3; w <= 15; ++w) PutWord(memory, w, 0);
  // Word 16 is the radio's identity and stays; the sum comes to 0x1_2345.
  PutWord(memory, 3, 0xFFFF);
  PutWord(memory, 4, static_cast<std::uint16_t>(0x2346 - WordOf(memory, 16)));
  PutWord(memory, 2, 0);
  CSimRadio radio(SimProtocol::kPolled, memory);
  ASSERT_EQ(Send(radio, MobileSettings()), kTransferDone);
  EXPECT_EQ(radio.Word(2), 0x2345);
}

TEST_F(RadioSend, BlankAdjustmentCopyLeavesTheModelsHeader) {
  std::vector<std::uint8_t> memory = Radio(kMobile);
  const std::uint8_t blank[4] = {0xFF, 0xFF, 0x59, 0x63};
  std::memcpy(memory.data() + area::kMobileAdjust + 123, blank, 4);
  CSimRadio radio(SimProtocol::kPolled, memory);
  ASSERT_EQ(Send(radio, MobileSettings()), kTransferDone);
  EXPECT_EQ(loads_, std::vector<int>{0});
}

TEST_F(RadioSend, OneBlockSends) {
  struct Case {
    const char* text;
    int result;
    const char* shown;
    std::vector<SimWrite> between;  // writes between the two markers; words listed by their range
    int firstWord = -1, lastWord = -1;
  } cases[] = {
      {"1f", kTransferDone, nullptr, {{SimWrite::kBlock, 0x1D}}},
      {"02", kTransferDone, nullptr, {{SimWrite::kBlock, 0x00}}},
      {"0", kTransferDone, nullptr, {}, 17, 63},
      {"1", kTransferDone, nullptr, {}, 64, 119},
      {"G1", kTransferFailed, "Parameter Error", {}},
      {"", kTransferFailed, " No input address ", {}},
      {"100", kTransferFailed, "Parameter Error", {}},
      {"100000001", kTransferFailed, "Parameter Error", {}},  // would wrap to 1 in 32 bits
  };
  for (const Case& c : cases) {
    Reset(kMobile);
    CSimRadio radio(SimProtocol::kPolled, Radio(kMobile));
    SendSettings settings = MobileSettings();
    settings.layout.mobile.romEditorMode = true;
    settings.oneBlockText = c.text;
    ASSERT_EQ(Send(radio, settings), c.result) << c.text;
    const auto& writes = radio.Writes();
    if (c.result != kTransferDone) {
      EXPECT_EQ(status_.line1, c.shown) << c.text;
      EXPECT_TRUE(writes.empty()) << c.text;
      continue;
    }
    EXPECT_EQ(packs_, 0) << c.text;  // the memory editor's image goes as it is
    ASSERT_GE(writes.size(), 2u);
    EXPECT_EQ(writes.front(), (SimWrite{SimWrite::kWord, kMarker, 0xFFFF})) << c.text;
    EXPECT_EQ(writes.back(), (SimWrite{SimWrite::kWord, kMarker, 0xA55A})) << c.text;
    const std::vector<SimWrite> between(writes.begin() + 1, writes.end() - 1);
    if (c.firstWord < 0) {
      EXPECT_EQ(between, c.between) << c.text;
    } else {
      ASSERT_FALSE(between.empty());
      EXPECT_EQ(between.front().address, c.firstWord) << c.text;
      for (const SimWrite& w : between) {
        EXPECT_EQ(w.kind, SimWrite::kWord);
        EXPECT_TRUE(w.address >= c.firstWord && w.address <= c.lastWord) << c.text << " word " << w.address;
      }
    }
  }
}

TEST_F(RadioSend, WordsTheRadioChangesItselfAreNotReadBack) {
  // In manufacturer mode every word goes; 15 and 54..58 are answered with
  // other values and the send goes on, while a checked word does not.
  CSimRadio radio(SimProtocol::kPolled, Radio(kMobile));
  for (int w : {15, 54, 55, 56, 57, 58}) radio.MisreportWord(w);
  SendSettings settings = MobileSettings();
  settings.manufacturerMode = true;
  ASSERT_EQ(Send(radio, settings), kTransferDone);
  for (int w : {15, 54, 58}) {
    const SimWrite once{SimWrite::kWord, w, WordOf(before_, w)};
    EXPECT_EQ(std::count(radio.Writes().begin(), radio.Writes().end(), once), 1) << w;
  }

  Reset(kMobile);
  CSimRadio checked(SimProtocol::kPolled, Radio(kMobile));
  checked.MisreportWord(20);
  EXPECT_EQ(Send(checked, MobileSettings()), kTransferFailed);
  EXPECT_EQ(status_.line1, " Download Error!");
  EXPECT_EQ(checked.Word(kMarker), 0xFFFF);
  ExpectProgramUntouched();
}

TEST_F(RadioSend, MarkerWordIsNotSentAmongTheDataWords) {
  // A portable layout whose marker (word 63) lies among the words a
  // manufacturer send writes: until the last write it stays invalid.
  for (const bool blocksRefused : {true, false}) {
    Reset(kPortable);
    std::vector<std::uint8_t> memory = Radio(kPortable);
    PutWord(memory, 63, 0xA55A);
    CSimRadio radio(SimProtocol::kPolled, memory);
    if (blocksRefused) radio.Plan({SimFault::kNak, 0, 100000});
    SendSettings settings = PortableSettings();
    settings.layout.portable = {0x1DC00, 6, 56, false, 2, 11, 63, 60, 1, 58};
    settings.manufacturerMode = true;
    EXPECT_EQ(Send(radio, settings), blocksRefused ? kTransferFailed : kTransferDone);
    EXPECT_EQ(radio.Word(63), blocksRefused ? 0xFFFF : 0xA55A);
    for (const SimWrite& w : radio.Writes()) {
      if (w.kind == SimWrite::kWord && w.address == 63) {
        EXPECT_TRUE(w.value == 0xFFFF || w.value == 0xA55A) << std::hex << w.value;
      }
    }
  }
}

TEST_F(RadioSend, ServiceModeNumbersTheRadiosOfARun) {
  struct Step {
    std::optional<std::string> entered;
    std::string shown, written, next;
  };
  serialText_ = "0N010000";
  g_serviceSerial.clear();
  const Step steps[] = {
      {"7", "0000", "0007", "0008"},
      {std::nullopt, "0008", "0008", "0009"},  // Enter on what is shown
      {"9999", "0009", "9999", "0000"},
      {"123456", "0000", "1234", "1235"},
  };
  for (const Step& s : steps) {
    const std::string carried = g_serviceSerial;
    Reset(kMobile);
    g_serviceSerial = carried;
    if (s.entered) serialAnswers_.push_back(s.entered);
    CSimRadio radio(SimProtocol::kPolled, Radio(kMobile));
    SendSettings settings = MobileSettings();
    settings.serviceMode = true;
    ASSERT_EQ(Send(radio, settings), kTransferDone);
    ASSERT_EQ(serialShown_.size(), 1u);
    EXPECT_EQ(serialShown_[0], s.shown);
    EXPECT_EQ(std::string(radio.Memory().begin() + area::kMobileAdjust + 380, radio.Memory().begin() + area::kMobileAdjust + 384),
              s.written);
    EXPECT_EQ(g_serviceSerial.substr(4), s.next);
    EXPECT_EQ(serialText_.substr(4), s.next);
  }

  // Cancelling the entry stops the send before the radio is marked invalid,
  // and the run's number stays.
  Reset(kMobile);
  g_serviceSerial = "0N010042";
  hooks_.askSerialNumber = [](const std::string&) -> std::optional<std::string> { return std::nullopt; };
  CSimRadio radio(SimProtocol::kPolled, Radio(kMobile));
  SendSettings settings = MobileSettings();
  settings.serviceMode = true;
  EXPECT_EQ(Send(radio, settings), kTransferAborted);
  EXPECT_TRUE(radio.Writes().empty());
  EXPECT_EQ(g_serviceSerial, "0N010042");
  EXPECT_EQ(radio.Word(kMarker), 0xA55A);
}

TEST_F(RadioSend, SerialDigitHelpers) {
  EXPECT_EQ(SerialDigitsFromEntry("7"), "0007");
  EXPECT_EQ(SerialDigitsFromEntry(""), "0000");
  EXPECT_EQ(SerialDigitsFromEntry("12345"), "1234");
  EXPECT_EQ(NextSerialDigits("0007"), "0008");
  EXPECT_EQ(NextSerialDigits("9999"), "0000");
  EXPECT_EQ(ParseBlockNumber("1f", 256), 31);
  EXPECT_EQ(ParseBlockNumber("FF", 256), 255);
  EXPECT_EQ(ParseBlockNumber("G1", 256), -1);
  EXPECT_EQ(ParseBlockNumber("FFFFFFFF1", 256), -1);
}

TEST_F(RadioSend, RefusalsSendNothing) {
  struct Case {
    const char* name;
    std::function<void(RadioSend&, std::vector<std::uint8_t>&, SendSettings&)> arrange;
    std::vector<std::string> boxes;
    int result = kTransferFailed;
  } cases[] = {
      {"no channel programmed", [](RadioSend& t, auto&, auto&) { t.programmed_ = false; },
       {"RF Ch. #1 has not been programmed."}},
      {"narrow-band question answered No", [](RadioSend& t, auto&, auto&) { t.narrowOk_ = false; }, {}},
      {"a record not programmed", [](RadioSend& t, auto&, auto&) { t.packResult_ = 0; }, {}},
      {"a portable radio for mobile data",
       [](RadioSend&, auto& m, auto&) { m = Radio(kPortable); }, {"Hardware configuration mismatched!"}},
      {"another product", [](RadioSend&, auto& m, auto&) { m[area::kProductCode] = 0x28; },
       {"Hardware configuration mismatched!"}},
      {"a VHF radio for UHF data", [](RadioSend&, auto& m, auto&) { m[area::kFamilyCode] = kFamilyMobileVhf; },
       {"Hardware configuration mismatched!"}},
      {"another model bit", [](RadioSend& t, auto&, auto&) { t.fields_.modelByte ^= 0x40; },
       {"Hardware configuration mismatched!"}},
  };
  for (const Case& c : cases) {
    Reset(kMobile);
    std::vector<std::uint8_t> memory = Radio(kMobile);
    SendSettings settings = MobileSettings();
    c.arrange(*this, memory, settings);
    CSimRadio radio(SimProtocol::kPolled, memory);
    EXPECT_EQ(Send(radio, settings), c.result) << c.name;
    EXPECT_EQ(messages_.texts(), c.boxes) << c.name;
    EXPECT_TRUE(radio.Writes().empty()) << c.name;
    ExpectProgramUntouched();
    if (c.boxes.empty() || c.boxes[0].rfind("RF Ch.", 0) == 0) {
      EXPECT_TRUE(link_->Sent().empty()) << c.name;
    }
  }
}

TEST_F(RadioSend, ProductCodeTestAndManufacturerMode) {
  // 0x27 passes the product test; 0x28 only in manufacturer mode.
  for (const auto& [product, manufacturer, result] : {std::tuple{0x27, false, kTransferDone},
                                                      std::tuple{0x28, false, kTransferFailed},
                                                      std::tuple{0x28, true, kTransferDone}}) {
    Reset(kMobile);
    std::vector<std::uint8_t> memory = Radio(kMobile);
    memory[area::kProductCode] = static_cast<std::uint8_t>(product);
    // Past the identification, which looks at the same byte.
    CSimRadio radio(SimProtocol::kPolled, memory);
    SendSettings settings = MobileSettings();
    settings.manufacturerMode = manufacturer;
    EXPECT_EQ(Send(radio, settings), result) << product;
  }
}

TEST_F(RadioSend, TransientFaultsAreRetried) {
  CSimRadio radio(SimProtocol::kPolled, Radio(kMobile));
  radio.Plan({SimFault::kBadSum, 30, 2});
  radio.Plan({SimFault::kOtherValue, 60, 3});
  radio.Plan({SimFault::kSilence, 100, 2});
  radio.Plan({SimFault::kNak, 200, 5});
  ASSERT_EQ(Send(radio, MobileSettings()), kTransferDone);
  EXPECT_EQ(radio.Word(kMarker), 0xA55A);
  for (int b = 57; b <= 80; ++b) EXPECT_TRUE(SameBlock(radio.Memory().data(), before_.data(), b)) << b;
}

TEST_F(RadioSend, EveryFaultLeavesTheRadioMarkedInvalidAndTheDataAsItWas) {
  struct Case {
    const char* name;
    std::optional<SimFaultPlan> plan;
    std::optional<std::pair<std::size_t, bool>> unplug;  // after bytes once the marker is down, device gone
  } cases[] = {
      {"blocks refused", SimFaultPlan{SimFault::kNak, 200, 1000}, {}},
      {"radio falls silent", SimFaultPlan{SimFault::kSilence, 150, 1000}, {}},
      {"words answered wrongly", SimFaultPlan{SimFault::kOtherValue, 60, 1000}, {}},
      {"replies garbled", SimFaultPlan{SimFault::kBadSum, 120, 1000}, {}},
      {"adapter pulled out", {}, std::pair<std::size_t, bool>{3000, true}},
      {"cable loose at the radio", {}, std::pair<std::size_t, bool>{3000, false}},
  };
  for (const Case& c : cases) {
    Reset(kMobile);
    CSimRadio radio(SimProtocol::kPolled, Radio(kMobile));
    if (c.plan) radio.Plan(*c.plan);
    bool armed = false;
    status_.onLine = [&](const std::string& text) {
      if (c.unplug && !armed && text == "Please wait") {
        link_->UnplugAfter(c.unplug->first, c.unplug->second);
        armed = true;
      }
    };
    EXPECT_EQ(Send(radio, MobileSettings()), kTransferFailed) << c.name;
    EXPECT_EQ(status_.line1, " Download Error!") << c.name;
    EXPECT_EQ(radio.Word(kMarker), 0xFFFF) << c.name;
    ExpectProgramUntouched();
    // Nothing outside what a send writes: no block 2, nothing of the adjustment area.
    for (const SimWrite& w : radio.Writes()) {
      const bool allowed = w.kind == SimWrite::kWord ? w.address >= 17 || w.address == 2 : w.address >= 1 && w.address < 252;
      EXPECT_TRUE(allowed) << c.name << " write at " << w.address;
    }
    status_.onLine = nullptr;
  }
}

TEST_F(RadioSend, ClosingMarkerIsConfirmed) {
  // The radio stops confirming words just when the marker is set valid.
  CSimRadio probe(SimProtocol::kPolled, Radio(kMobile));
  ASSERT_EQ(Send(probe, MobileSettings()), kTransferDone);
  const int lastReply = probe.Replies() - 1;

  Reset(kMobile);
  CSimRadio radio(SimProtocol::kPolled, Radio(kMobile));
  radio.Plan({SimFault::kOtherValue, lastReply, 1000});
  EXPECT_EQ(Send(radio, MobileSettings()), kTransferFailed);
  EXPECT_EQ(status_.line1, " Download Error!");
  EXPECT_NE(status_.line1, "Download is completed");
  ExpectProgramUntouched();
}

TEST_F(RadioSend, EscStopsTheSendAndSaysWhenTheRadioIsHalfWritten) {
  // Before anything was written Esc is a plain cancel; after, the radio is
  // left marked invalid and the send says so.
  struct Case {
    const char* name;
    SimProtocol protocol;
    const char* cancelAt;  // block counter, or nullptr for the power-on wait
    int result;
  } cases[] = {
      {"waiting for the radio", SimProtocol::kPolled, nullptr, kTransferAborted},
      {"word phase", SimProtocol::kPolled, "Send block 3 / 256", kTransferFailed},
      {"block phase", SimProtocol::kPolled, "Send block 60 / 256", kTransferFailed},
      {"stream", SimProtocol::kStreamed, "Send block 10 / 33", kTransferFailed},
  };
  for (const Case& c : cases) {
    Reset(kMobile);
    fields_.modelGroup = 0x60;
    const bool polled = c.protocol == SimProtocol::kPolled;
    CSimRadio radio(c.protocol, polled ? Radio(kMobile) : StreamRadio(false), 1, 58);
    // A streamed send starts at the radio's 'P'; the polled one asks for it
    // only when the radio does not answer.
    if (!polled || !c.cancelAt) radio.StartSwitchedOff();
    if (!polled) radio.PowerOn(0);
    status_.onCounter = [&](const std::string& text) {
      if (c.cancelAt && text == c.cancelAt) cancel_ = true;
    };
    status_.onLine = [&](const std::string& text) {
      if (!c.cancelAt && text == "Switch radio OFF, then") cancel_ = true;
    };
    EXPECT_EQ(Send(radio, polled ? MobileSettings() : StreamSettings()), c.result) << c.name;
    if (c.result == kTransferFailed) {
      EXPECT_EQ(status_.line1, " Download Error!") << c.name;
    }
    if (polled && c.cancelAt) {
      EXPECT_EQ(radio.Word(kMarker), 0xFFFF) << c.name;
    }
    if (!c.cancelAt) {
      EXPECT_TRUE(radio.Writes().empty()) << c.name;
    }
    ExpectProgramUntouched();
    status_.onCounter = nullptr;
    status_.onLine = nullptr;
  }
}
TEST_F(RadioSend, EscIsHeardWhileARadioThatFellSilentIsRetried) {
  // The user presses Esc once the radio has let two requests go unanswered.
  struct Case {
    const char* name;
    const char* silentFrom;  // block counter after which the radio stops answering; nullptr: its 11th reply
    int result;
  } cases[] = {
      {"reading the alignment words", nullptr, kTransferAborted},
      {"word phase", "Send block 3 / 256", kTransferFailed},
      {"block phase", "Send block 60 / 256", kTransferFailed},
  };
  for (const Case& c : cases) {
    Reset(kMobile);
    CSimRadio radio(SimProtocol::kPolled, Radio(kMobile));
    std::optional<int> silentFrom;
    auto silence = [&](int from) {
      silentFrom = from;
      radio.Plan({SimFault::kSilence, from, 1000});
    };
    if (!c.silentFrom) silence(10);
    status_.onCounter = [&](const std::string& text) {
      if (c.silentFrom && text == c.silentFrom && !silentFrom) silence(radio.Replies());
    };
    EscClock clock;
    clock.cancel = &cancel_;
    clock.pressNow = [&] { return silentFrom && radio.Replies() >= *silentFrom + 2; };
    CSimLink port(radio, clock);
    CCloneLink link(port, clock, cancel_, status_);
    EXPECT_EQ(SendToRadio(link, MobileSettings(), hooks_), c.result) << c.name;
    ASSERT_TRUE(clock.pressedAt) << c.name;
    // Esc is heard within one byte time-out of the request in flight.
    EXPECT_LT(clock.NowMicros() - *clock.pressedAt, 1'000'000u) << c.name;
    if (c.result == kTransferAborted) {
      EXPECT_TRUE(radio.Writes().empty()) << c.name;
    } else {
      EXPECT_EQ(status_.line1, " Download Error!") << c.name;
      EXPECT_EQ(radio.Word(kMarker), 0xFFFF) << c.name;
    }
    ExpectProgramUntouched();
    status_.onCounter = nullptr;
  }
}


TEST_F(RadioSend, SwitchedOffRadioIsWokenUp) {
  CSimRadio radio(SimProtocol::kPolled, Radio(kMobile));
  radio.StartSwitchedOff();
  radio.PowerOnAfterFirstByte(2'000'000);
  ASSERT_EQ(Send(radio, MobileSettings()), kTransferDone);
  EXPECT_TRUE(status_.Showed("back ON to start downloading"));
  EXPECT_EQ(radio.Word(kMarker), 0xA55A);
}

// ---- streamed ----


TEST_F(RadioSend, StreamedSendOfAUhfRadioPushesTheBlocks) {
  fields_.modelGroup = 0x60;
  CSimRadio radio(SimProtocol::kStreamed, StreamRadio(true), 1, 58);
  radio.StartSwitchedOff();
  radio.PowerOn(0);
  const std::vector<std::uint8_t> original = radio.Memory();
  ASSERT_EQ(Send(radio, StreamSettings()), kTransferDone);
  const auto& mem = radio.Memory();
  // The 8-bit sum of the bytes of words 2..12 in word 1, then blocks 0..32
  // as the image holds them.
  int sum = 0;
  for (int i = 4; i <= 25; ++i) sum += before_[i];
  ASSERT_GT(sum, 0xFF);  // the sum wraps: the high byte stays zero
  EXPECT_EQ(WordOf(mem, 1), sum & 0xFF);
  for (int b = 0; b <= 32; ++b) {
    for (std::size_t i = 0; i < kBlockSize; ++i) {
      if (b == 0 && (i == 2 || i == 3)) continue;
      ASSERT_EQ(mem[kBlockSize * b + i], before_[kBlockSize * b + i]) << b << " " << i;
    }
  }
  for (int b = 33; b <= 57; ++b) EXPECT_TRUE(SameBlock(mem.data(), original.data(), b)) << b;
  EXPECT_EQ(radio.Writes().size(), 33u);
  EXPECT_EQ(status_.counter, "Send block 33 / 33");
  EXPECT_EQ(packs_, 2);
}

TEST_F(RadioSend, StreamedSendPatchesTheOlderConfigurationBlock) {
  const std::uint8_t table5to8[4] = {0x05, 0x14, 0x85, 0x8A};
  const std::uint8_t table113to116[4] = {0x00, 0x0A, 0x07, 0x08};
  for (const bool old : {true, false}) {
    Reset(kMobile);
    fields_.modelGroup = 0x00;  // VHF
    CSimRadio radio(SimProtocol::kStreamed, StreamRadio(old), 1, 58);
    radio.StartSwitchedOff();
    radio.PowerOn(0);
    const std::vector<std::uint8_t> original = radio.Memory();
    ASSERT_EQ(Send(radio, StreamSettings()), kTransferDone) << old;
    const auto& mem = radio.Memory();
    if (old) {
      EXPECT_TRUE(std::equal(table5to8, table5to8 + 4, mem.begin() + kConfigBlock + 5));
      EXPECT_TRUE(std::equal(table113to116, table113to116 + 4, mem.begin() + kConfigBlock + 113));
      EXPECT_EQ(mem[kConfigBlock + 117], original[kConfigBlock + 117]);
      EXPECT_EQ(mem[kConfigBlock + 4], original[kConfigBlock + 4]);
      EXPECT_EQ(radio.Writes().front(), (SimWrite{SimWrite::kBlock, 0x37}));
    } else {
      EXPECT_TRUE(SameBlock(mem.data(), original.data(), 57));
      EXPECT_EQ(radio.Writes().front(), (SimWrite{SimWrite::kStreamBlock, 0}));
    }
    EXPECT_EQ(radio.Writes().back(), (SimWrite{SimWrite::kStreamBlock, 32}));
  }
}

TEST_F(RadioSend, StreamedSendInManufacturerModeSendsThirtySevenBlocks) {
  fields_.modelGroup = 0x60;
  CSimRadio radio(SimProtocol::kStreamed, StreamRadio(false), 1, 58);
  radio.StartSwitchedOff();
  radio.PowerOn(0);
  SendSettings settings = StreamSettings();
  settings.manufacturerMode = true;
  ASSERT_EQ(Send(radio, settings), kTransferDone);
  EXPECT_EQ(radio.Writes().size(), 37u);
  // Every block went with header 0x25.
  const auto& sent = link_->Sent();
  std::size_t headers = 0;
  for (std::size_t i = 0; i + 2 < sent.size(); ++i)
    if (sent[i] == 0x25 && sent[i + 1] == 0x82 && sent[i + 2] == headers) ++headers;
  EXPECT_EQ(headers, 37u);
  EXPECT_EQ(status_.counter, "Send block 37 / 37");
}

TEST_F(RadioSend, StreamedFaults) {
  // A refused block is sent again; a block refused for ever ends the send;
  // data edited in the memory editor is sent as it is.
  fields_.modelGroup = 0x60;
  CSimRadio retried(SimProtocol::kStreamed, StreamRadio(false), 1, 58);
  retried.StartSwitchedOff();
  retried.PowerOn(0);
  retried.Plan({SimFault::kNak, 5, 3});
  ASSERT_EQ(Send(retried, StreamSettings()), kTransferDone);
  EXPECT_TRUE(SameBlock(retried.Memory().data(), before_.data(), 5));

  Reset(kMobile);
  fields_.modelGroup = 0x60;
  CSimRadio refused(SimProtocol::kStreamed, StreamRadio(false), 1, 58);
  refused.StartSwitchedOff();
  refused.PowerOn(0);
  refused.Plan({SimFault::kNak, 5, 1000});
  EXPECT_EQ(Send(refused, StreamSettings()), kTransferFailed);
  EXPECT_EQ(status_.line1, "Communication Error");
  ExpectProgramUntouched();

  Reset(kMobile);
  fields_.modelGroup = 0x60;
  CSimRadio raw(SimProtocol::kStreamed, StreamRadio(false), 1, 58);
  raw.StartSwitchedOff();
  raw.PowerOn(0);
  SendSettings settings = StreamSettings();
  settings.layout.rawImageEdited = true;
  programmed_ = false;  // nothing of the records matters then
  ASSERT_EQ(Send(raw, settings), kTransferDone);
  EXPECT_EQ(packs_, 0);
}

TEST_F(RadioSend, EscIsHeardWhileTheConfigurationBlockIsWrittenAgain) {
  // The older radio refuses its configuration block for ever; Esc during the
  // attempts is a cancel, heard within a byte's pause.
  fields_.modelGroup = 0x00;  // VHF
  CSimRadio radio(SimProtocol::kStreamed, StreamRadio(true), 1, 58);
  radio.StartSwitchedOff();
  radio.PowerOn(0);
  radio.Plan({SimFault::kNak, 1, 1000});
  EscClock clock;
  clock.cancel = &cancel_;
  clock.pressNow = [&] { return radio.Replies() >= 2; };
  CSimLink port(radio, clock);
  CCloneLink link(port, clock, cancel_, status_);
  EXPECT_EQ(SendToRadio(link, StreamSettings(), hooks_), kTransferAborted);
  ASSERT_TRUE(clock.pressedAt);
  EXPECT_LT(clock.NowMicros() - *clock.pressedAt, 1'000'000u);
  EXPECT_TRUE(radio.Writes().empty());
  ExpectProgramUntouched();
}

}  // namespace

// ---- through the data model ----

namespace {

// A radio as the factory ships it: the model's default image with the
// radio's own identity, alignment checksum and validity marker.
std::vector<std::uint8_t> FactoryRadio(Family family) {
  g_isPortable = family == kPortable ? 1 : 0;
  ResetToDefaultModel(family == kMobile ? kFamilyMobileUhf : kFamilyPortableUhf);
  std::vector<std::uint8_t> m(kImageBufferSize, 0xFF);
  BuildDefaultImage(m.data());
  // One channel programmed, narrow, as the rules want it.
  auto program = [](auto& channel) {
    channel.m_programmed = 1;
    channel.m_rxFrequency = channel.m_txFrequency = 460 * kCountsPerMHz;
  };
  if (family == kMobile)
    program(g_mobileData.m_channels[0]);
  else
    program(g_portableData.m_channels[0]);
  NarrowWideChannelsFrom(0);
  EXPECT_NE(PackScreensToImage(m.data()), 0);
  const std::vector<std::uint8_t> ident = RadioMemory(family);
  // The radio's own alignment data, as the factory left it.
  if (family == kMobile)
    std::memcpy(m.data() + area::kMobileAdjust, g_adjustCopy.data(), kAdjustCopySize);
  else
    std::memcpy(m.data() + area::kPortableAdjust, g_adjustCopy.data(), kBlockSize);
  for (std::size_t i : {area::kProductCode, area::kFamilyCode, area::kMobileCheckByte, std::size_t{249}}) m[i] = ident[i];
  std::memset(m.data() + area::kRadioPassword, 0, 8);
  const int low = family == kMobile ? 3 : 2, high = family == kMobile ? 16 : 14;
  std::uint16_t sum = 0;
  for (int w = low; w <= high; ++w) sum = static_cast<std::uint16_t>(sum + WordOf(m, w));
  PutWord(m, low - 1, sum);
  PutWord(m, kMarker, 0xA55A);
  return m;
}

}  // namespace

TEST_F(RadioSend, ReadSendReadGivesTheSameImage) {
  {
    // The layouts as a program without configuration files has them.
    TempDir dir;
    g_config.ReadConfig();
    g_portableConfig.ReadConfig();
  }
  for (const Family family : {kMobile, kPortable}) {
    CSimRadio radio(SimProtocol::kPolled, FactoryRadio(family));
    ReadSettings readSettings;
    SendSettings sendSettings;
    sendSettings.family = family;
    // The first send makes it a radio this program has programmed; from then
    // on reading it back and sending it again changes nothing.
    std::array<std::vector<std::uint8_t>, 3> images;
    std::array<std::array<std::uint8_t, kAdjustCopySize>, 3> copies;
    for (int pass = 0; pass < 3; ++pass) {
      CSimLink port(radio, clock_);
      CCloneLink link(port, clock_, cancel_, status_);
      ASSERT_EQ(ReadFromRadio(link, readSettings, ModelReadHooks(nullptr)), kTransferDone) << family;
      ASSERT_EQ(g_isPortable, family == kPortable ? 1 : 0);
      images[pass].assign(g_pRadioImage, g_pRadioImage + kImageSize);
      copies[pass] = g_adjustCopy;
      if (pass == 2) break;
      ASSERT_EQ(SendToRadio(link, sendSettings, ModelSendHooks(nullptr)), kTransferDone)
          << family << " " << status_.line1 << " / " << (messages_.shown().empty() ? "" : messages_.texts()[0]);
      EXPECT_TRUE(messages_.shown().empty());
    }
    for (int b = 0; b < static_cast<int>(kImageBlocks); ++b)
      EXPECT_TRUE(SameBlock(images[1].data(), images[2].data(), b)) << family << " block " << b;
    EXPECT_EQ(copies[1], copies[2]);
    EXPECT_EQ(radio.Word(kMarker), 0xA55A);
  }
}

TEST_F(RadioSend, FailedSendLeavesTheAdjustmentCopyAsItWas) {
  {
    TempDir dir;
    g_config.ReadConfig();
    g_portableConfig.ReadConfig();
  }
  CSimRadio first(SimProtocol::kPolled, FactoryRadio(kMobile));
  // The next radio on the bench has a serial number of its own, and refuses
  // its flash blocks.
  std::vector<std::uint8_t> memory = first.Memory();
  for (std::size_t i = 380; i < 384; ++i) memory[area::kMobileAdjust + i] = static_cast<std::uint8_t>(0x11 * (i - 379));
  CSimRadio next(SimProtocol::kPolled, memory);
  next.Plan({SimFault::kNak, 0, 100000});
  {
    CSimLink port(first, clock_);
    CCloneLink link(port, clock_, cancel_, status_);
    ASSERT_EQ(ReadFromRadio(link, ReadSettings{}, ModelReadHooks(nullptr)), kTransferDone);
  }
  const std::array<std::uint8_t, kAdjustCopySize> copy = g_adjustCopy;
  const std::string serial = g_mobileRadioInfo.serialText;

  CSimLink port(next, clock_);
  CCloneLink link(port, clock_, cancel_, status_);
  EXPECT_EQ(SendToRadio(link, SendSettings{}, ModelSendHooks(nullptr)), kTransferFailed);
  EXPECT_EQ(status_.line1, " Download Error!");
  EXPECT_EQ(g_mobileRadioInfo.serialText, serial);
  EXPECT_EQ(g_adjustCopy, copy);
}
