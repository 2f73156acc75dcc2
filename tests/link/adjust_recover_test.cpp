// Adjustment data recovery against the simulated mobile radio: the decision
// table over the radio's header word, hardware bytes and product code, the
// words and blocks each repair writes, the serial entry, and the layouts it
// refuses.
#include <gtest/gtest.h>

#include <atomic>
#include <optional>

#include "LinkFixture.h"
#include "ScriptedMessages.h"
#include "SimLink.h"
#include "link/AdjustRecover.h"

namespace {

constexpr const char* kBroken = "Hardware data has been broken.Please contact to Orlimar.";
constexpr const char* kBrokenBang = "Hardware data has been broken.Please contact to Orlimar.!";
constexpr const char* kMismatch = "Production mismatch!";

std::uint16_t Word(const std::vector<std::uint8_t>& image, int w) {
  return static_cast<std::uint16_t>(image[2 * static_cast<std::size_t>(w)] | image[2 * static_cast<std::size_t>(w) + 1] << 8);
}

std::uint16_t SumOf(const std::vector<std::uint8_t>& image) {
  std::uint16_t sum = 0;
  for (int w = 3; w <= 16; ++w) sum = static_cast<std::uint16_t>(sum + Word(image, w));
  return sum;
}

class AdjustRecover : public ::testing::Test {
protected:
  // Also run again by table rows: every answer back to its start.
  void SetUp() override {
    loaded.clear();
    packedWith.clear();
    serialShown.clear();
    serial = "1C000042";
    serialEntry.reset();
    chosenFile.reset();
    loadSucceeds = true;
    memory = RadioMemory(kMobile);
    SetHeader(4800);
    program.assign(kImageSize, 0);
    for (std::size_t i = 0; i < program.size(); ++i) program[i] = static_cast<std::uint8_t>(i * 13 + 5);
    programAdjust.fill(0x3C);
    hooks.loadDataFile = [this](const std::string& path) {
      loaded.push_back(path);
      return loadSucceeds;
    };
    hooks.askDataFile = [this] { return chosenFile; };
    hooks.programImage = [this](std::vector<std::uint8_t>& image, std::array<std::uint8_t, kAdjustCopySize>& adjust) {
      image = program;
      adjust = programAdjust;
    };
    hooks.serialText = [this] { return serial; };
    hooks.askSerial = [this](const std::string& shown) {
      serialShown = shown;
      return serialEntry;
    };
    hooks.pack = [this](const std::optional<std::string>& s) {
      packedWith.push_back(s.value_or("-"));
      return true;
    };
  }
  void SetHeader(int header) {
    memory[area::kMobileAdjust] = static_cast<std::uint8_t>(header >> 8);
    memory[area::kMobileAdjust + 1] = static_cast<std::uint8_t>(header & 0xFF);
  }
  int Run(const CloneLayout& layout = {}) {
    radio.emplace(SimProtocol::kPolled, memory);
    sim.emplace(*radio, clock);
    CCloneLink link(*sim, clock, cancel, status);
    CAdjustRecover recover(link, layout, hooks);
    return recover.Run();
  }
  std::vector<SimWrite> Writes() const { return radio->Writes(); }
  std::vector<SimWrite> WordWrites(const std::vector<std::uint8_t>& image, int first, int last) const {
    std::vector<SimWrite> w;
    for (int a = first; a <= last; ++a) w.push_back({SimWrite::kWord, a, Word(image, a)});
    return w;
  }

  std::vector<std::uint8_t> memory;
  std::vector<std::uint8_t> program;
  std::array<std::uint8_t, kAdjustCopySize> programAdjust{};
  RecoverHooks hooks;
  std::vector<std::string> loaded;
  bool loadSucceeds = true;
  std::optional<std::string> chosenFile;
  std::string serial = "1C000042";
  std::optional<std::string> serialEntry;
  std::string serialShown;
  std::vector<std::string> packedWith;
  std::optional<CSimRadio> radio;
  std::optional<CSimLink> sim;
  CVirtualClock clock;
  std::atomic<bool> cancel{false};
  RecordingStatus status;
  ScriptedMessages messages;
};

TEST_F(AdjustRecover, AnAlignmentThatFitsTheBandGetsItsWordsAndSumRewritten) {
  struct Case {
    std::uint8_t familyCode;
    int header;
    const char* refusal;  // nullptr: words 2-16 rewritten
  };
  for (const Case& c : {Case{0x61, 4900, nullptr}, Case{0x61, 4750, nullptr}, Case{0x61, 0x1325, kBrokenBang},
                        Case{0x61, 1500, kBrokenBang}, Case{0x01, 1500, nullptr}, Case{0x01, 1600, nullptr},
                        Case{0x01, 4800, kBrokenBang}, Case{0xC1, 4800, kMismatch}}) {
    SCOPED_TRACE(c.header);
    SetUp();
    memory[area::kFamilyCode] = c.familyCode;
    SetHeader(c.header);
    messages.clear();
    const int result = Run();
    if (c.refusal == nullptr) {
      EXPECT_EQ(result, kTransferDone);
      std::vector<std::uint8_t> expected = memory;
      const std::uint16_t sum = SumOf(memory);
      expected[4] = static_cast<std::uint8_t>(sum & 0xFF);
      expected[5] = static_cast<std::uint8_t>(sum >> 8);
      EXPECT_EQ(Writes(), WordWrites(expected, 2, 16));
      EXPECT_EQ(radio->Word(2), sum);
      EXPECT_TRUE(messages.texts().empty());
    } else {
      EXPECT_EQ(result, kTransferFailed);
      EXPECT_EQ(messages.texts(), std::vector<std::string>{c.refusal});
      EXPECT_TRUE(Writes().empty());
    }
    EXPECT_TRUE(loaded.empty());
  }
}

TEST_F(AdjustRecover, ErasedHardwareBytesTakeTheDefaultFileOfTheHeadersBand) {
  struct Case {
    int header;
    const char* file;     // the default file loaded, nullptr none
    const char* refusal;  // nullptr: words 0-127 written
  };
  for (const Case& c : {Case{4800, "Data/DEFAULTU.K58", nullptr}, Case{1550, "Data/DEFAULTV.K58", nullptr},
                        Case{0xFFFF, nullptr, kBroken}, Case{2000, nullptr, kMismatch}}) {
    SCOPED_TRACE(c.header);
    SetUp();
    memory[area::kFamilyCode] = 0xFF;
    memory[area::kHardwareByte] = 0xFF;
    SetHeader(c.header);
    messages.clear();
    const int result = Run();
    EXPECT_EQ(loaded, c.file ? std::vector<std::string>{c.file} : std::vector<std::string>{});
    if (c.refusal == nullptr) {
      EXPECT_EQ(result, kTransferDone);
      std::vector<std::uint8_t> expected = program;
      const std::uint16_t sum = SumOf(program);
      expected[4] = static_cast<std::uint8_t>(sum & 0xFF);
      expected[5] = static_cast<std::uint8_t>(sum >> 8);
      EXPECT_EQ(Writes(), WordWrites(expected, 0, 127));
    } else {
      EXPECT_EQ(result, kTransferFailed);
      EXPECT_EQ(messages.texts(), std::vector<std::string>{c.refusal});
      EXPECT_TRUE(Writes().empty());
    }
  }
}

TEST_F(AdjustRecover, AnotherProductCodeIsRefused) {
  memory[area::kProductCode] = 12;
  EXPECT_EQ(Run(), kTransferFailed);
  EXPECT_EQ(messages.texts(), std::vector<std::string>{kMismatch});
  EXPECT_TRUE(Writes().empty());
}

TEST_F(AdjustRecover, ABlankAdjustmentCopyIsRestoredFromTheSavedFile) {
  SetHeader(0xFFFF);
  program[area::kFamilyCode] = memory[area::kFamilyCode];
  program[area::kHardwareByte] = memory[area::kHardwareByte];
  program[area::kProductCode] = 39;
  chosenFile = "/radios/saved.k58";
  serial = kUnsetSerial;
  serialEntry = "5C12";
  ASSERT_EQ(Run(), kTransferDone) << (messages.texts().empty() ? "" : messages.texts().front());
  EXPECT_EQ(loaded, std::vector<std::string>{"/radios/saved.k58"});
  EXPECT_EQ(serialShown, kUnsetSerial);
  EXPECT_EQ(packedWith, std::vector<std::string>{"5C120000"});
  // Blocks 2-256 in order, the last three from the adjustment copy.
  const std::vector<SimWrite>& writes = Writes();
  ASSERT_EQ(writes.size(), 255u);
  for (int b = 2; b <= 256; ++b)
    EXPECT_EQ(writes[static_cast<std::size_t>(b - 2)], (SimWrite{SimWrite::kBlock, b - 2, 0})) << b;
  for (int b = 2; b < 254; ++b) ASSERT_TRUE(SameBlock(radio->Memory().data(), program.data(), b)) << b;
  for (std::size_t i = 0; i < kAdjustCopySize; ++i) ASSERT_EQ(radio->Memory()[area::kMobileAdjust + i], 0x3C) << i;
  EXPECT_EQ(status.counter, "Send block 256 / 257");

  // A serial number already set is kept without asking.
  SetUp();
  SetHeader(0xFFFF);
  program[area::kFamilyCode] = memory[area::kFamilyCode];
  program[area::kHardwareByte] = memory[area::kHardwareByte];
  chosenFile = "saved.K58";
  EXPECT_EQ(Run(), kTransferDone);
  EXPECT_EQ(serialShown, "");
  EXPECT_EQ(packedWith, std::vector<std::string>{"-"});
}

TEST_F(AdjustRecover, LeavingTheFileOrSerialEntryWritesNothing) {
  struct Case {
    const char* name;
    std::optional<std::string> file;
    bool hardwareMatches;
    std::optional<std::string> serial;
    int result;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"file choice cancelled", std::nullopt, true, "1", kTransferAborted, {}},
      {"not a mobile file", "saved.P58", true, "1", kTransferFailed, {"Problem opening file\n    saved.P58\n\n   Press any key"}},
      {"another radio's file", "saved.K58", false, "1", kTransferFailed, {kMismatch}},
      {"Esc in the serial entry", "saved.K58", true, std::nullopt, kTransferAborted, {}},
  };
  for (const Case& c : cases) {
    SetUp();
    SetHeader(0xFFFF);
    program[area::kFamilyCode] = memory[area::kFamilyCode];
    program[area::kHardwareByte] = static_cast<std::uint8_t>(memory[area::kHardwareByte] + (c.hardwareMatches ? 0 : 1));
    chosenFile = c.file;
    serial = kUnsetSerial;
    serialEntry = c.serial;
    messages.clear();
    EXPECT_EQ(Run(), c.result) << c.name;
    EXPECT_EQ(messages.texts(), c.messages) << c.name;
    EXPECT_TRUE(Writes().empty()) << c.name;
    EXPECT_TRUE(packedWith.empty()) << c.name;
  }
}

TEST_F(AdjustRecover, OtherLayoutsAreRefusedBeforeTheRadioIsTouched) {
  CloneLayout streamed;
  streamed.streamProtocol = true;
  CloneLayout moved;
  moved.mobile.firstAdjustBlock = 200;
  CloneLayout otherSum;
  otherSum.mobile.adjustWordLow = 4;
  for (const CloneLayout& layout : {streamed, moved, otherSum}) {
    messages.clear();
    EXPECT_EQ(Run(layout), kTransferFailed);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{kRecoverUnsupported});
    EXPECT_TRUE(sim->Sent().empty());
  }
  EXPECT_TRUE(RecoverySupported(CloneLayout{}));
}

TEST(RecoverSerial, EntryAndBuffer) {
  for (const char* ok : {"", "5", "5C12", "5c12", "1B", "1N345678", "9Q", "0S000000"}) EXPECT_TRUE(RecoverSerialAccepted(ok)) << ok;
  for (const char* bad : {"C", "5A", "5O", "5P", "5T", "5C1X", "1C3456789", "55"}) EXPECT_FALSE(RecoverSerialAccepted(bad)) << bad;
  EXPECT_EQ(RecoverSerialBuffer("5C12"), "5C120000");
  EXPECT_EQ(RecoverSerialBuffer("5c12"), "5C120000");
  EXPECT_EQ(RecoverSerialBuffer(""), "00000000");
}

}  // namespace
