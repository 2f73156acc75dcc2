// The polled send (0xF0-0xF3 frames) of both families against the simulated
// radio: what goes where, service mode, and every fault the radio can play.
#include <gtest/gtest.h>

#include <algorithm>

#include "AlignFixture.h"
#include "SendFixture.h"
#include "link/AlignItems.h"

namespace {

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
  // Words 6 and 7 hold alignment values whose high bytes differ: the radio keeps them.
  PutWord(memory, 6, 0x4443);
  PutWord(memory, 1, static_cast<std::uint16_t>(WordOf(memory, 1) - 1));
  CSimRadio radio(SimProtocol::kPolled, memory);
  const std::vector<std::uint8_t> original = radio.Memory();
  ASSERT_EQ(Send(radio, PortableSettings()), kTransferDone);
  const auto& mem = radio.Memory();

  EXPECT_TRUE(messages_.shown().empty());
  for (const SimWrite& write : radio.Writes())
    EXPECT_FALSE(write.kind == SimWrite::kWord && write.address < 17) << write.address;
  for (int w : {0, 1, 2, 3, 6, 7, 14, 16, 111, 118, 120, 122, 124}) EXPECT_EQ(WordOf(mem, w), WordOf(original, w)) << w;
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

// A technician aligns a portable radio's Power Low and its narrow-channel
// squelch, switches it off and on and sends it a file: the values measured
// stay, though the three bytes differ.
TEST_F(RadioSend, PortableSendKeepsThePowerAndNarrowSquelchTheRadioWasAlignedTo) {
  Reset(kPortable);
  std::vector<std::uint8_t> memory = Radio(kPortable);
  memory[0x100] = 0x00;      // a channel raster the alignment knows
  memory[0x1C80 + 14] |= 1;  // channel 0 is narrow: the squelch items go to word 6
  AlignBench bench(kPortable, memory);
  bench.radio.ComeOnByItself(100'000, 2'000'000);
  AlignStartSettings startSettings;
  startSettings.currentFamily = kPortable;
  AlignStartHooks startHooks;
  startHooks.askPreset = [](Family, std::uint8_t) { return true; };
  AlignData data;
  ASSERT_EQ(RunAlignStart(bench.align, startSettings, startHooks, data), kAlignOk);
  AlignRanges ranges;
  ranges.slider.fill(255);
  ranges.meter.fill(255);
  CAlignSession session(bench.align, data, ranges);
  ASSERT_FALSE(session.Channel().wide);
  auto setPower = [&](int item, int value) {
    ASSERT_EQ(session.Start(item), kAlignOk);
    ASSERT_EQ(session.Adjust(value), kAlignOk);
    ASSERT_EQ(session.Ok(), kAlignOk);
  };
  auto measure = [&](int item) {
    ASSERT_EQ(session.Start(item), kAlignOk);
    for (int i = 0; i < kAlignPollsPerDisplay; ++i) ASSERT_EQ(session.Poll(), kAlignOk);
    ASSERT_EQ(session.Ok(), kAlignOk);
  };
  // The squelch levels follow what the radio was set to last: the power
  // between them makes the two levels differ.
  setPower(kItemPowerLowHigh, 81);
  measure(kItemTightNoise);
  setPower(kItemPowerHigh, 140);
  measure(kItemThresholdNoise);
  const std::vector<std::uint8_t> aligned = bench.radio.Memory();
  ASSERT_EQ(aligned[14], 140);
  ASSERT_EQ(aligned[15], 81);
  // Power Low, narrow Tight and narrow Threshold Noise SQL: all different.
  ASSERT_NE(aligned[15], aligned[12]);
  ASSERT_NE(aligned[15], aligned[13]);
  ASSERT_NE(aligned[12], aligned[13]);

  CSimRadio radio(SimProtocol::kPolled, aligned);
  ASSERT_EQ(Send(radio, PortableSettings()), kTransferDone);
  EXPECT_TRUE(messages_.shown().empty());
  for (const int w : {1, 6, 7}) EXPECT_EQ(radio.Word(w), WordOf(aligned, w)) << "word " << w;
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
    settings.layout.portable = {.flashRomStart = 0x1DC00, .lastSettingsBlock = 6, .firstAdjustBlock = 56,
                                .adjustWordLow = 2, .adjustWordHigh = 11, .validMarkerWord = 63, .lastUserWord = 60,
                                .lastEepromBlock = 1, .blockCount = 58};
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
  const Step steps[] = {
      {"7", "0000", "0007", "0008"},
      {std::nullopt, "0008", "0008", "0009"},  // Enter on what is shown
      {"9999", "0009", "9999", "0000"},
      {"123456", "0000", "1234", "1235"},
  };
  for (const Step& s : steps) {
    Reset(kMobile);  // the run's number carries over
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

}  // namespace
