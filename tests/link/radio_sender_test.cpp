// Send to Radio as a whole: the checks before anything goes to the radio,
// Esc in either protocol, the serial-number helpers, and sends through the
// data model's own hooks. The protocols have files of their own
// (polled_send_test.cpp, one_block_send_test.cpp, streamed_send_test.cpp).
#include <gtest/gtest.h>

#include "SameRecords.h"
#include "SendFixture.h"
#include "model/ConfigFile.h"
#include "model/DataFile.h"
#include "model/FamilyModel.h"
#include "model/KeyAssignRecord.h"
#include "model/ModelChange.h"
#include "model/RadioData.h"
#include "model/RadioInfoRecord.h"
#include "model/ScreenData.h"

namespace {

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

// ---- through the data model ----

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

// A send whose pack is refused leaves the records as the user had them: the
// Revert Group a Phone key forces must not stay behind once the key goes.
TEST_F(RadioSend, ARefusedPackLeavesTheRecordsAsTheyWere) {
  {
    TempDir dir;
    g_config.ReadConfig();
    g_portableConfig.ReadConfig();
  }
  CSimRadio radio(SimProtocol::kPolled, FactoryRadio(kMobile));
  {
    CSimLink port(radio, clock_);
    CCloneLink link(port, clock_, cancel_, status_);
    ASSERT_EQ(ReadFromRadio(link, ReadSettings{}, ModelReadHooks(nullptr)), kTransferDone);
  }
  g_mobileModel.records.keys.keyFunc[1] = kKeyPhone;
  const auto before = CopyOfRecords(g_mobileModel.records);
  CSimLink port(radio, clock_);
  CCloneLink link(port, clock_, cancel_, status_);
  EXPECT_EQ(SendToRadio(link, SendSettings{}, ModelSendHooks(nullptr)), kTransferFailed);
  EXPECT_EQ(messages_.texts(), std::vector<std::string>{kPhoneKeyRefusal});
  EXPECT_TRUE(radio.Writes().empty());
  EXPECT_TRUE(SameRecords(g_mobileModel.records, *before));
}

// A streamed send after a byte edit in the memory editor sends the image as
// edited, unpacked; but a setting changed on a page afterwards lives only in
// the records, and must reach the radio too instead of being dropped while
// the send says it completed.
TEST_F(RadioSend, StreamedSendAfterAByteEditKeepsLaterPageEdits) {
  for (const bool pageEdit : {false, true}) {
    Reset(kMobile);
    {
      TempDir dir;
      g_config.ReadConfig();
      g_portableConfig.ReadConfig();
    }
    ASSERT_EQ(g_dataFile.LoadDataFile(std::string(RP58_SOURCE_DIR) + "/tests/data/mobile-vhf-edges.K58", "."), 1);
    // The editor's byte edit: the image changed, the records unpacked from it.
    g_pRadioImage[kBlockSize * 2 + 16] ^= 0x0F;
    UnpackImageToScreens(g_pRadioImage);
    UnpackAdjustmentData(g_pRadioImage, g_adjustCopy.data(), 1);
    const std::vector<std::uint8_t> edited(g_pRadioImage, g_pRadioImage + kImageSize);
    const std::uint8_t contrast = static_cast<std::uint8_t>((edited[43] & 0x0F) | ((edited[43] + 0x30) & 0xF0));
    if (pageEdit) g_mobileModel.records.global.sqlLevelOffset = contrast;

    CSimRadio radio(SimProtocol::kStreamed, RadioMemory(kMobile), 1, 58);
    radio.StartSwitchedOff();
    radio.PowerOn(0);
    SendSettings settings = StreamSettings();
    settings.layout.rawImageEdited = true;
    CSimLink port(radio, clock_);
    CCloneLink link(port, clock_, cancel_, status_);
    ASSERT_EQ(SendToRadio(link, settings, ModelSendHooks(nullptr)), kTransferDone) << pageEdit;
    const auto& mem = radio.Memory();
    EXPECT_EQ(mem[kBlockSize * 2 + 16], edited[kBlockSize * 2 + 16]) << pageEdit;
    if (pageEdit) {
      EXPECT_EQ(mem[43], contrast);
    } else {
      // Nothing but the byte edit: the blocks go out as the image holds them.
      for (std::size_t i = 4; i < kBlockSize * 33; ++i) ASSERT_EQ(mem[i], edited[i]) << i;
    }
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
  const std::string serial = g_mobileModel.records.radioInfo.serialText;

  CSimLink port(next, clock_);
  CCloneLink link(port, clock_, cancel_, status_);
  EXPECT_EQ(SendToRadio(link, SendSettings{}, ModelSendHooks(nullptr)), kTransferFailed);
  EXPECT_EQ(status_.line1, " Download Error!");
  EXPECT_EQ(g_mobileModel.records.radioInfo.serialText, serial);
  EXPECT_EQ(g_adjustCopy, copy);
}
