// Read from Radio against the simulated radio of both families, both
// protocols, and every fault it can play.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <optional>

#include "LinkFixture.h"
#include "ProgramState.h"
#include "ScriptedMessages.h"
#include "SimLink.h"
#include "link/RadioReader.h"
#include "model/RadioData.h"

namespace {

constexpr std::size_t kMobileHeader = 263;
constexpr std::size_t kPortableHeader = 111;

ReadSettings MobileSettings() { return {}; }

ReadSettings StreamSettings() {
  ReadSettings s;
  s.layout.streamProtocol = true;
  s.layout.blockCount = 58;
  s.layout.mobile = {.flashRomStart = 0x1DC00, .lastSettingsBlock = 6, .firstAdjustBlock = 56};
  return s;
}

// Virtual time in which the user gives up with Esc after 20 seconds, so a
// read that would run on for ever ends.
class PatientUserClock : public CVirtualClock {
public:
  explicit PatientUserClock(std::atomic<bool>& cancel) : cancel_(cancel) {}
  void SleepMicros(std::uint64_t micros) override {
    CVirtualClock::SleepMicros(micros);
    if (NowMicros() > 20'000'000u) cancel_ = true;
  }

private:
  std::atomic<bool>& cancel_;
};

// The cable, with a user who presses Esc at a given time even while the
// program only waits for bytes.
class CEscAtLink : public CSimLink {
public:
  CEscAtLink(CSimRadio& radio, CVirtualClock& clock, std::atomic<bool>& cancel, std::uint64_t escAt)
      : CSimLink(radio, clock), clock_(clock), cancel_(cancel), escAt_(escAt) {}
  int Read(std::uint8_t* data, std::size_t count) override {
    if (clock_.NowMicros() >= escAt_) cancel_ = true;
    return CSimLink::Read(data, count);
  }

private:
  CVirtualClock& clock_;
  std::atomic<bool>& cancel_;
  std::uint64_t escAt_;
};

class RadioRead : public ::testing::Test {
protected:
  void SetUp() override {
    AllocateRadioImage();
    std::memset(g_pRadioImage, 0x5A, kImageBufferSize);
    before_.assign(g_pRadioImage, g_pRadioImage + kImageBufferSize);
    g_adjustCopy.fill(0xA5);
    g_isPortable = 0;
    g_dataModified = 1;
    g_imageLoaded = 0;
    g_dataFileName = "OLD.K58";
    status_ = RecordingStatus{};
    messages_.clear();
    rebuiltFor_.clear();
    unpacked_.clear();
    hooks_.askRadioPassword = [this]() -> std::optional<std::string> {
      ++passwordAsked_;
      return passwordAnswer_;
    };
    hooks_.rebuildAdjustHeader = [this](Family family, std::uint8_t* adjust) {
      const std::size_t size = family == kMobile ? kMobileHeader : kPortableHeader;
      rebuiltFor_.push_back(family);
      // What the hook is given: the radio's header, committed, nothing unpacked yet.
      headerAtRebuild_.assign(adjust, adjust + size);
      committedAtRebuild_ = adjust == g_adjustCopy.data() && g_isPortable == (family == kPortable ? 1 : 0) &&
                            unpacked_.empty();
      std::memset(adjust, 0xC3, size);
    };
    hooks_.unpackScreens = [this](bool polled) { unpacked_.push_back(polled); };
  }

  int Read(CSimRadio& radio, const ReadSettings& settings) {
    link_.emplace(radio, clock_);
    CCloneLink link(*link_, clock_, cancel_, status_);
    return ReadFromRadio(link, settings, hooks_);
  }

  // A failed or cancelled read leaves everything as it was.
  void ExpectUntouched(int family = 0) {
    EXPECT_TRUE(std::equal(before_.begin(), before_.end(), g_pRadioImage));
    EXPECT_TRUE(std::all_of(g_adjustCopy.begin(), g_adjustCopy.end(), [](std::uint8_t b) { return b == 0xA5; }));
    EXPECT_EQ(g_isPortable, family);
    EXPECT_EQ(g_dataModified, 1);
    EXPECT_EQ(g_imageLoaded, 0);
    EXPECT_EQ(g_dataFileName, "OLD.K58");
    EXPECT_TRUE(unpacked_.empty());
  }

  std::vector<std::uint8_t> before_;
  CVirtualClock clock_;
  std::atomic<bool> cancel_{false};
  RecordingStatus status_;
  ScriptedMessages messages_;
  std::optional<CSimLink> link_;
  ReadHooks hooks_;
  std::optional<std::string> passwordAnswer_;
  int passwordAsked_ = 0;
  std::vector<Family> rebuiltFor_;
  std::vector<std::uint8_t> headerAtRebuild_;
  bool committedAtRebuild_ = false;
  std::vector<bool> unpacked_;
};

TEST_F(RadioRead, PolledMobileReadFillsImageAndAdjustmentCopy) {
  g_isPortable = 1;
  CSimRadio radio(SimProtocol::kPolled, RadioMemory(kMobile));
  const auto& mem = radio.Memory();
  ASSERT_EQ(Read(radio, MobileSettings()), kTransferDone);

  for (int b = 0; b <= 191; ++b) EXPECT_TRUE(SameBlock(g_pRadioImage, mem.data(), b)) << b;
  for (int b = 192; b <= 253; ++b) EXPECT_TRUE(BlankBlock(g_pRadioImage, b)) << b;  // never asked for
  for (int b = 254; b <= 256; ++b) EXPECT_TRUE(SameBlock(g_pRadioImage, mem.data(), b)) << b;
  // The header is rebuilt from the radio's own at the commit; the rest
  // (serial number among it) is the radio's as read.
  EXPECT_EQ(rebuiltFor_, std::vector<Family>{kMobile});
  EXPECT_TRUE(std::equal(headerAtRebuild_.begin(), headerAtRebuild_.end(), mem.begin() + area::kMobileAdjust));
  EXPECT_EQ(headerAtRebuild_.size(), kMobileHeader);
  EXPECT_TRUE(committedAtRebuild_);
  EXPECT_TRUE(std::all_of(g_adjustCopy.begin(), g_adjustCopy.begin() + kMobileHeader, [](auto b) { return b == 0xC3; }));
  EXPECT_TRUE(std::equal(g_adjustCopy.begin() + kMobileHeader, g_adjustCopy.end(), mem.begin() + area::kMobileAdjust + kMobileHeader));

  EXPECT_EQ(g_isPortable, 0);
  EXPECT_EQ(unpacked_, std::vector<bool>{true});
  EXPECT_EQ(g_imageLoaded, 1);
  EXPECT_EQ(g_dataFileName, "            ");
  EXPECT_EQ(status_.counter, "Receive block 256 / 256");
  EXPECT_EQ(status_.line1, "Please wait");
  EXPECT_EQ(passwordAsked_, 0);
  EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(RadioRead, PolledPortableReadSwitchesFamily) {
  CSimRadio radio(SimProtocol::kPolled, RadioMemory(kPortable, 56, 166));
  const auto& mem = radio.Memory();
  ASSERT_EQ(Read(radio, MobileSettings()), kTransferDone);

  for (int b = 0; b <= 166; ++b) EXPECT_TRUE(SameBlock(g_pRadioImage, mem.data(), b)) << b;
  for (int b = 168; b <= 176; ++b) EXPECT_TRUE(SameBlock(g_pRadioImage, mem.data(), b)) << b;
  for (int b = 177; b <= 256; ++b) EXPECT_TRUE(BlankBlock(g_pRadioImage, b)) << b;
  // Block 167 enters through the adjustment copy with the rebuilt header.
  EXPECT_EQ(rebuiltFor_, std::vector<Family>{kPortable});
  EXPECT_TRUE(std::equal(headerAtRebuild_.begin(), headerAtRebuild_.end(), mem.begin() + area::kPortableAdjust));
  EXPECT_EQ(headerAtRebuild_.size(), kPortableHeader);
  EXPECT_TRUE(committedAtRebuild_);
  EXPECT_EQ(g_adjustCopy[kPortableHeader - 1], 0xC3);
  EXPECT_EQ(g_adjustCopy[kPortableHeader], mem[area::kPortableAdjust + kPortableHeader]);
  EXPECT_EQ(std::memcmp(g_pRadioImage + area::kPortableAdjust, g_adjustCopy.data(), kBlockSize), 0);
  // Beyond the portable copy nothing of the data open before stays: a save
  // would carry it into the portable file.
  EXPECT_TRUE(std::all_of(g_adjustCopy.begin() + kBlockSize, g_adjustCopy.end(), [](std::uint8_t b) { return b == 0xFF; }));

  EXPECT_EQ(g_isPortable, 1);
  EXPECT_EQ(unpacked_, std::vector<bool>{true});
  EXPECT_EQ(status_.counter, "Receive block 177 / 177");
}

// Only mobile radios stream: the read takes the mobile family whatever was
// shown, and the name of a portable file does not stay with its memory.
TEST_F(RadioRead, StreamedReadUnswapsEepromAndTakesTheMobileFamily) {
  for (const bool portableShown : {false, true}) {
    SCOPED_TRACE(portableShown ? "portable shown" : "mobile shown");
    SetUp();
    g_isPortable = portableShown;
    g_dataFileName = portableShown ? "OLD.P58" : "OLD.K58";
    CSimRadio radio(SimProtocol::kStreamed, RadioMemory(kMobile), 1, 58);
    radio.Memory()[area::kRadioPassword] = 'Q';  // a streamed read asks no password
    const auto& mem = radio.Memory();
    ASSERT_EQ(Read(radio, StreamSettings()), kTransferDone);

    for (int b = 0; b <= 56; ++b) EXPECT_TRUE(SameBlock(g_pRadioImage, mem.data(), b)) << b;
    // On the wire, EEPROM bytes d0 d1 d2 d3 travel as d1 d0 d3 d2.
    CSimRadio wire(SimProtocol::kStreamed, mem, 1, 58);
    wire.Receive(0x70, 0);
    const std::vector<std::uint8_t> sent(wire.Output().begin() + 3, wire.Output().begin() + 7);
    EXPECT_EQ(sent, (std::vector<std::uint8_t>{mem[1], mem[0], mem[3], mem[2]}));
    EXPECT_TRUE(BlankBlock(g_pRadioImage, 57));  // the last block goes to the adjustment copy only
    EXPECT_TRUE(std::equal(g_adjustCopy.begin(), g_adjustCopy.begin() + kBlockSize, mem.begin() + 57 * kBlockSize));
    EXPECT_EQ(g_adjustCopy[kBlockSize], 0xA5);

    EXPECT_EQ(g_isPortable, 0);
    EXPECT_EQ(g_dataFileName, portableShown ? "            " : "OLD.K58");
    EXPECT_EQ(g_dataModified, 0);
    EXPECT_EQ(unpacked_, std::vector<bool>{false});
    EXPECT_EQ(passwordAsked_, 0);
    EXPECT_TRUE(rebuiltFor_.empty());
    EXPECT_EQ(status_.counter, "Receive block 58 / 58");
  }
}

TEST_F(RadioRead, StreamedBadBlocksAreRefusedAndRepeated) {
  // Three bad sums and one block numbered past the radio's end: each is
  // answered with NAK, the radio repeats it, and nothing lands out of place.
  CSimRadio radio(SimProtocol::kStreamed, RadioMemory(kMobile), 1, 58);
  radio.Plan({SimFault::kBadSum, 3, 3});
  radio.Plan({SimFault::kWrongNumber, 20, 1});
  ASSERT_EQ(Read(radio, StreamSettings()), kTransferDone);
  EXPECT_EQ(std::count(link_->Sent().begin(), link_->Sent().end(), kNak), 4);
  for (int b = 0; b <= 56; ++b) EXPECT_TRUE(SameBlock(g_pRadioImage, radio.Memory().data(), b)) << b;
  EXPECT_TRUE(BlankBlock(g_pRadioImage, 63));
}

TEST_F(RadioRead, StreamedReadStartsOverAfterThePowerCycle) {
  // The radio falls silent after block 10; the user is asked to switch it
  // off and on, and the stream that starts again from block 0 completes.
  CSimRadio radio(SimProtocol::kStreamed, RadioMemory(kMobile), 1, 58);
  radio.Plan({SimFault::kSilence, 11, 1});
  status_.onLine = [&](const std::string& text) {
    if (text == "Switch radio OFF, then") radio.PowerOn(clock_.NowMicros());
  };
  ASSERT_EQ(Read(radio, StreamSettings()), kTransferDone);
  EXPECT_TRUE(status_.Showed("back ON to start uploading"));
  for (int b = 0; b <= 56; ++b) EXPECT_TRUE(SameBlock(g_pRadioImage, radio.Memory().data(), b)) << b;
}

TEST_F(RadioRead, StreamedReadOfARadioThatIsOffAsksForThePowerCycle) {
  // The radio is off and says nothing, while the cable echoes each request.
  // The echo is no answer: after the one-second wait the user is asked to
  // switch the radio off and on, and then switches it on or presses Esc.
  constexpr std::uint8_t kRequest = 0x70;
  for (const bool switchedOn : {true, false}) {
    SetUp();
    cancel_ = false;
    CSimRadio radio(SimProtocol::kStreamed, RadioMemory(kMobile), 1, 58);
    radio.StartSwitchedOff();
    PatientUserClock clock(cancel_);
    CSimLink port(radio, clock);
    std::optional<std::uint64_t> askedAt;
    std::ptrdiff_t requests = 0;
    status_.onLine = [&](const std::string& text) {
      if (text != "Switch radio OFF, then" || askedAt) return;
      askedAt = clock.NowMicros();
      requests = std::count(port.Sent().begin(), port.Sent().end(), kRequest);
      if (switchedOn)
        radio.PowerOn(clock.NowMicros());
      else
        cancel_ = true;
    };
    CCloneLink link(port, clock, cancel_, status_);
    const int result = ReadFromRadio(link, StreamSettings(), hooks_);
    ASSERT_TRUE(askedAt) << switchedOn;
    EXPECT_LT(*askedAt, 1'100'000u) << switchedOn;
    EXPECT_EQ(requests, 1) << switchedOn;
    EXPECT_EQ(status_.line2, switchedOn ? "" : "back ON to start uploading") << switchedOn;
    if (switchedOn) {
      ASSERT_EQ(result, kTransferDone);
      for (int b = 2; b <= 56; ++b) EXPECT_TRUE(SameBlock(g_pRadioImage, radio.Memory().data(), b)) << b;
    } else {
      EXPECT_EQ(result, kTransferAborted);
      ExpectUntouched();
    }
    status_.onLine = nullptr;
  }
}

TEST_F(RadioRead, NoiseFromARadioThatIsOffIsNoAnswer) {
  // The radio is off and the line brings a stray byte every 20 ms. None is a
  // block header or a frame, so within the one-second wait the user is asked
  // for the power cycle and nothing more is sent until the radio's 'P'; the
  // user then switches it on (after 3 s) or gives up with Esc.
  for (const SimProtocol protocol : {SimProtocol::kStreamed, SimProtocol::kPolled}) {
    for (const bool switchedOn : {true, false}) {
      const bool polled = protocol == SimProtocol::kPolled;
      const std::string name = std::string(polled ? "polled" : "streamed") + (switchedOn ? ", switched on" : ", Esc");
      SetUp();
      cancel_ = false;
      CSimRadio radio(protocol, RadioMemory(kMobile), 1, 58);
      radio.StartSwitchedOff();
      radio.NoiseWhileOff(20'000);
      if (switchedOn) radio.PowerOnAfterFirstByte(3'000'000);
      CVirtualClock clock;
      CEscAtLink port(radio, clock, cancel_, switchedOn ? 20'000'000 : 3'000'000);
      std::optional<std::uint64_t> askedAt;
      std::size_t sentAtPrompt = 0;
      status_.onLine = [&](const std::string& text) {
        if (text != "Switch radio OFF, then" || askedAt) return;
        askedAt = clock.NowMicros();
        sentAtPrompt = port.Sent().size();
      };
      CCloneLink link(port, clock, cancel_, status_);
      const int result = ReadFromRadio(link, polled ? MobileSettings() : StreamSettings(), hooks_);
      status_.onLine = nullptr;
      ASSERT_TRUE(askedAt) << name;
      EXPECT_LE(*askedAt, 1'050'000u) << name;
      EXPECT_GT(radio.StrayBytes(), 100) << name;
      if (switchedOn) {
        // The first thing sent after the prompt answers the radio's 'P'.
        ASSERT_GT(port.Sent().size(), sentAtPrompt) << name;
        EXPECT_EQ(port.Sent()[sentAtPrompt], polled ? 0x40 : 0x20) << name;
        ASSERT_EQ(result, kTransferDone) << name;
        EXPECT_TRUE(SameBlock(g_pRadioImage, radio.Memory().data(), 3)) << name;
      } else {
        EXPECT_EQ(port.Sent().size(), sentAtPrompt) << name;
        EXPECT_EQ(result, kTransferAborted) << name;
        ExpectUntouched();
      }
    }
  }
}

TEST_F(RadioRead, SwitchedOffRadioIsWokenUp) {
  for (const SimProtocol protocol : {SimProtocol::kPolled, SimProtocol::kStreamed}) {
    SetUp();
    CSimRadio radio(protocol, RadioMemory(kMobile), 1, 58);
    radio.StartSwitchedOff();
    radio.PowerOnAfterFirstByte(3'000'000);
    const bool polled = protocol == SimProtocol::kPolled;
    ASSERT_EQ(Read(radio, polled ? MobileSettings() : StreamSettings()), kTransferDone);
    EXPECT_TRUE(SameBlock(g_pRadioImage, radio.Memory().data(), 3));
    // Neither takes the cable's echo for the radio: both ask for the power cycle.
    EXPECT_TRUE(status_.Showed("Switch radio OFF, then"));
  }
}

TEST_F(RadioRead, TransientFaultsAreRetried) {
  CSimRadio radio(SimProtocol::kPolled, RadioMemory(kMobile));
  radio.Plan({SimFault::kBadSum, 5, 3});
  radio.Plan({SimFault::kSilence, 40, 2});
  radio.Plan({SimFault::kBadLength, 200, 4});
  radio.Plan({SimFault::kTruncate, 300, 2});
  ASSERT_EQ(Read(radio, MobileSettings()), kTransferDone);
  for (int b = 0; b <= 191; ++b) EXPECT_TRUE(SameBlock(g_pRadioImage, radio.Memory().data(), b)) << b;
}

TEST_F(RadioRead, CounterShowsTheBlockBeingRetried) {
  // The radio spoils three replies in a row at one block: meanwhile the
  // counter shows that block, not the one after the last success.
  struct Case {
    const char* name;
    Family family;
    const char* before;   // the counter just before the block is asked for
    const char* retried;  // the block being tried
    const char* after;    // once it came
  } cases[] = {
      {"mobile, past the skipped blocks", kMobile, "Receive block 58 / 256", "Receive block 185 / 256",
       "Receive block 186 / 256"},
      {"mobile adjustment blocks", kMobile, "Receive block 254 / 256", "Receive block 255 / 256",
       "Receive block 255 / 256"},
      {"portable, past the skipped blocks", kPortable, "Receive block 31 / 177", "Receive block 57 / 177",
       "Receive block 58 / 177"},
  };
  for (const Case& c : cases) {
    const std::vector<std::uint8_t> memory = RadioMemory(c.family, 30, 57);
    // Which reply answers the request after the counter showed `before`.
    SetUp();
    CSimRadio probe(SimProtocol::kPolled, memory);
    std::optional<int> reply;
    status_.onCounter = [&](const std::string& text) {
      if (text == c.before && !reply) reply = probe.Replies();
    };
    ASSERT_EQ(Read(probe, MobileSettings()), kTransferDone) << c.name;
    ASSERT_TRUE(reply) << c.name;

    SetUp();
    CSimRadio radio(SimProtocol::kPolled, memory);
    radio.Plan({SimFault::kBadSum, *reply, 3});
    std::vector<std::string> counters;
    status_.onCounter = [&](const std::string& text) { counters.push_back(text); };
    ASSERT_EQ(Read(radio, MobileSettings()), kTransferDone) << c.name;
    const auto at = std::find(counters.begin(), counters.end(), c.before);
    ASSERT_GE(std::distance(at, counters.end()), 5) << c.name;
    const std::vector<std::string> shown(at + 1, at + 5);
    EXPECT_EQ(shown, (std::vector<std::string>{c.retried, c.retried, c.retried, c.after})) << c.name;
    status_.onCounter = nullptr;
  }
}

TEST_F(RadioRead, UnusedBlocksAreSkippedButNeverTheSettings) {
  struct Case {
    int lastGroup, lastChannel;
    std::vector<std::pair<int, int>> read, skipped;
  } cases[] = {
      {10, 60, {{2, 10}, {57, 60}, {185, 191}, {254, 256}}, {{11, 56}, {61, 184}, {192, 253}}},
      {0, 0, {{2, 8}, {185, 191}, {254, 256}}, {{9, 184}}},
  };
  for (const Case& c : cases) {
    SetUp();
    CSimRadio radio(SimProtocol::kPolled, RadioMemory(kMobile, c.lastGroup, c.lastChannel));
    ASSERT_EQ(Read(radio, MobileSettings()), kTransferDone);
    for (auto [from, to] : c.read)
      for (int b = from; b <= to; ++b) EXPECT_TRUE(SameBlock(g_pRadioImage, radio.Memory().data(), b)) << b;
    for (auto [from, to] : c.skipped)
      for (int b = from; b <= to; ++b) EXPECT_TRUE(BlankBlock(g_pRadioImage, b)) << b;
  }
}

TEST_F(RadioRead, UnknownRadioIsRefusedOutsideManufacturerMode) {
  std::vector<std::uint8_t> memory = RadioMemory(kMobile);
  memory[area::kMobileCheckByte] = 0x90;
  memory[area::kProductCode] = 0x28;
  CSimRadio refused(SimProtocol::kPolled, memory);
  EXPECT_EQ(Read(refused, MobileSettings()), kTransferFailed);
  EXPECT_EQ(messages_.texts(), std::vector<std::string>{"Hardware configuration mismatched!"});
  ExpectUntouched();

  // In manufacturer mode it is read as the family shown, every block of it,
  // and its adjustment copy stays the radio's own.
  SetUp();
  CSimRadio taken(SimProtocol::kPolled, memory);
  ReadSettings settings = MobileSettings();
  settings.manufacturerMode = true;
  ASSERT_EQ(Read(taken, settings), kTransferDone);
  for (int b = 0; b <= 190; ++b) EXPECT_TRUE(SameBlock(g_pRadioImage, memory.data(), b)) << b;
  EXPECT_TRUE(BlankBlock(g_pRadioImage, 191));  // another product code's last block is read, not kept
  EXPECT_TRUE(rebuiltFor_.empty());
  EXPECT_TRUE(std::equal(g_adjustCopy.begin(), g_adjustCopy.end(), memory.begin() + area::kMobileAdjust));
}

TEST_F(RadioRead, RadioPasswordIsAskedWhenSet) {
  struct Case {
    const char* radio;  // 8 bytes
    std::optional<std::string> answer;
    bool asked, accepted;
  } cases[] = {
      {"ABC     ", "ABC     ", true, true},
      {"ABC     ", "ABD     ", true, false},
      {"ABC     ", std::nullopt, true, false},
      {"\0BC     ", std::nullopt, false, true},  // a zero first byte is no password
  };
  for (const Case& c : cases) {
    SetUp();
    messages_.clear();
    passwordAsked_ = 0;
    passwordAnswer_ = c.answer;
    std::vector<std::uint8_t> memory = RadioMemory(kPortable);
    std::memcpy(memory.data() + area::kRadioPassword, c.radio, 8);
    CSimRadio radio(SimProtocol::kPolled, memory);
    const int result = Read(radio, MobileSettings());
    EXPECT_EQ(passwordAsked_, c.asked ? 1 : 0) << c.radio;
    EXPECT_EQ(result, c.accepted ? kTransferDone : kTransferFailed) << c.radio;
    if (!c.accepted) {
      EXPECT_EQ(messages_.texts(), std::vector<std::string>{"Password mismatched!"});
      ExpectUntouched();
    }
  }
}

TEST_F(RadioRead, EveryFaultLeavesThePreviousDataAndSaysWhy) {
  struct Case {
    const char* name;
    std::optional<SimFaultPlan> plan;
    std::optional<std::pair<std::size_t, bool>> unplug;  // after bytes, device gone
    const char* shown;
  } cases[] = {
      {"silent radio in the word phase", SimFaultPlan{SimFault::kSilence, 10, 1000}, {}, " Upload Error!"},
      {"silent radio in the block phase", SimFaultPlan{SimFault::kSilence, 150, 1000}, {}, " Upload Error!"},
      {"wrong sums", SimFaultPlan{SimFault::kBadSum, 140, 1000}, {}, " Upload Error!"},
      {"wrong length bytes", SimFaultPlan{SimFault::kBadLength, 20, 1000}, {}, " Upload Error!"},
      {"replies cut short", SimFaultPlan{SimFault::kTruncate, 160, 1000}, {}, " Upload Error!"},
      {"adapter pulled out", {}, std::pair<std::size_t, bool>{800, true}, " Upload Error!"},
      {"cable loose at the radio", {}, std::pair<std::size_t, bool>{800, false}, " Upload Error!"},
  };
  for (const Case& c : cases) {
    SetUp();
    g_isPortable = 1;
    CSimRadio radio(SimProtocol::kPolled, RadioMemory(kMobile));
    if (c.plan) radio.Plan(*c.plan);
    link_.reset();
    // The cable is set up by Read; unplugging is armed when the first byte goes out.
    bool armed = false;
    status_.onCounter = [&](const std::string&) {
      if (c.unplug && !armed) {
        link_->UnplugAfter(c.unplug->first, c.unplug->second);
        armed = true;
      }
    };
    EXPECT_EQ(Read(radio, MobileSettings()), kTransferFailed) << c.name;
    EXPECT_EQ(status_.line1, c.shown) << c.name;
    ExpectUntouched(1);
    status_.onCounter = nullptr;
  }
}

TEST_F(RadioRead, StreamedFaultsLeaveThePreviousData) {
  struct Case {
    const char* name;
    SimFaultPlan plan;
    const char* shown;
  } cases[] = {
      {"ten bad blocks in a row", {SimFault::kBadSum, 5, 10}, " Upload Error!"},
      {"a block without its mark", {SimFault::kBadLength, 7, 1}, "Communication Error"},
  };
  for (const Case& c : cases) {
    SetUp();
    CSimRadio radio(SimProtocol::kStreamed, RadioMemory(kMobile), 1, 58);
    radio.Plan(c.plan);
    EXPECT_EQ(Read(radio, StreamSettings()), kTransferFailed) << c.name;
    EXPECT_EQ(status_.line1, c.shown) << c.name;
    ExpectUntouched();
  }
  // An adapter pulled out mid-stream: every call fails, the read gives up.
  SetUp();
  CSimRadio radio(SimProtocol::kStreamed, RadioMemory(kMobile), 1, 58);
  bool armed = false;
  status_.onCounter = [&](const std::string&) {
    if (!armed) link_->UnplugAfter(20, true);
    armed = true;
  };
  EXPECT_EQ(Read(radio, StreamSettings()), kTransferFailed);
  EXPECT_EQ(status_.line1, " Upload Error");
  ExpectUntouched();
}

TEST_F(RadioRead, EscIsACancellationInEveryPhase) {
  struct Case {
    const char* name;
    SimProtocol protocol;
    const char* cancelAt;  // block counter text, or nullptr for the power-on wait
  } cases[] = {
      {"word phase", SimProtocol::kPolled, "Receive block 1 / 256"},
      {"block phase", SimProtocol::kPolled, "Receive block 100 / 256"},
      {"adjustment blocks", SimProtocol::kPolled, "Receive block 254 / 256"},
      {"stream", SimProtocol::kStreamed, "Receive block 30 / 58"},
      {"power-on wait", SimProtocol::kPolled, nullptr},
  };
  for (const Case& c : cases) {
    SetUp();
    cancel_ = false;
    CSimRadio radio(c.protocol, RadioMemory(kMobile), 1, 58);
    if (c.cancelAt == nullptr) radio.StartSwitchedOff();
    status_.onCounter = [&](const std::string& text) {
      if (c.cancelAt && text == c.cancelAt) cancel_ = true;
    };
    status_.onLine = [&](const std::string& text) {
      if (!c.cancelAt && text == "Switch radio OFF, then") cancel_ = true;
    };
    const bool polled = c.protocol == SimProtocol::kPolled;
    EXPECT_EQ(Read(radio, polled ? MobileSettings() : StreamSettings()), kTransferAborted) << c.name;
    ExpectUntouched();
    status_.onCounter = nullptr;
    status_.onLine = nullptr;
  }
}

TEST_F(RadioRead, PortAndLeadProblemsAreReported) {
  CSimRadio radio(SimProtocol::kPolled, RadioMemory(kMobile));
  CSimLink port(radio, clock_);
  port.FailOpen();
  CCloneLink link(port, clock_, cancel_, status_);
  EXPECT_EQ(ReadFromRadio(link, MobileSettings(), hooks_), kTransferFailed);
  EXPECT_EQ(messages_.texts(), (std::vector<std::string>{"Open err", "Problem with COM port"}));
  ExpectUntouched();

  // The adapter goes away while the program waits for the radio to come on.
  SetUp();
  CSimRadio off(SimProtocol::kPolled, RadioMemory(kMobile));
  off.StartSwitchedOff();
  status_.onLine = [&](const std::string& text) {
    if (text == "Switch radio OFF, then") link_->UnplugAfter(0, true);
  };
  ReadSettings settings = MobileSettings();
  settings.layout.comPortIndex = 2;
  EXPECT_EQ(Read(off, settings), kTransferFailed);
  EXPECT_EQ(status_.line1, "Check that lead is");
  EXPECT_EQ(status_.line2, "connected to COM3");
  ExpectUntouched();
}

// The header the program rebuilds the adjustment copy from is the radio's
// own, not the one of the data open before, and the data model takes it: a
// save after the read writes that radio's alignment. So in the memory
// editor and in manufacturer mode, where the copy is kept as read.
TEST_F(RadioRead, TheProgramsHooksTakeTheHeaderFromTheRadio) {
  enum Mode { kPlain, kEditor, kManufacturer };
  const std::pair<Mode, Family> cases[] = {{kPlain, kMobile},    {kPlain, kPortable},      {kEditor, kMobile},
                                           {kEditor, kPortable}, {kManufacturer, kMobile}, {kManufacturer, kPortable}};
  for (const auto& [mode, family] : cases) {
    SCOPED_TRACE(std::to_string(mode) + (family == kMobile ? " mobile" : " portable"));
    ResetProgramState();  // the records hold no radio's header yet
    SetUp();
    const std::size_t headerSize = family == kPortable ? kPortableHeader : kMobileHeader;
    const std::size_t radioAdjust = family == kPortable ? area::kPortableAdjust : area::kMobileAdjust;
    auto modelHeader = [family] {
      std::array<std::uint8_t, kAdjustCopySize> header{};
      if (family == kPortable)
        g_portableData.StoreAdjustmentData(header.data());
      else
        g_mobileData.StoreAdjustmentData(header.data());
      return header;
    };
    // The program shows the other family when the read starts.
    g_isPortable = family == kMobile ? 1 : 0;
    ReadSettings settings = CurrentReadSettings(mode == kManufacturer);
    settings.layout.mobile.romEditorMode = settings.layout.portable.romEditorMode = mode == kEditor;
    EXPECT_EQ(settings.currentFamily, family == kMobile ? kPortable : kMobile);
    CSimRadio radio(SimProtocol::kPolled, RadioMemory(family));
    const auto& mem = radio.Memory();
    ASSERT_FALSE(std::equal(mem.begin() + radioAdjust, mem.begin() + radioAdjust + headerSize, modelHeader().begin()));
    link_.emplace(radio, clock_);
    CCloneLink link(*link_, clock_, cancel_, status_);
    ASSERT_EQ(ReadFromRadio(link, settings, ModelReadHooks(nullptr)), kTransferDone);

    EXPECT_EQ(g_isPortable, family == kPortable ? 1 : 0);
    const auto header = modelHeader();
    EXPECT_TRUE(std::equal(header.begin(), header.begin() + headerSize, mem.begin() + radioAdjust));
    EXPECT_TRUE(std::equal(g_adjustCopy.begin(), g_adjustCopy.begin() + headerSize, mem.begin() + radioAdjust));
    EXPECT_EQ(g_adjustCopy[headerSize], mem[radioAdjust + headerSize]);
    if (family == kPortable) {
      EXPECT_TRUE(SameBlock(g_pRadioImage, mem.data(), 167));
    }
  }
}

}  // namespace
