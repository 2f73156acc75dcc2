// The alignment start and the alignment items against the simulated radio
// in alignment mode, on virtual time.
#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "AlignFixture.h"
#include "ProgramState.h"
#include "ScriptedMessages.h"
#include "link/AlignItems.h"
#include "link/AlignStart.h"
#include "model/ConfigFile.h"

namespace {

// A radio memory that aligns: identified, no password, the given last
// channel block, channel 0 programmed and tune points in the tune block.
std::vector<std::uint8_t> AlignMemory(Family family, int lastChannelBlock = 60) {
  std::vector<std::uint8_t> memory = RadioMemory(family, 56, lastChannelBlock);
  memory[area::kRadioPassword] = 0;
  memory[0x100] = 0x00;  // block 2: step code 0
  return memory;
}

struct StartBench : AlignBench {
  explicit StartBench(Family family, std::vector<std::uint8_t> memory) : AlignBench(family, std::move(memory)) {
    radio.ComeOnByItself(100'000, 2'000'000);
    settings.currentFamily = family;
    hooks.askPreset = [this](Family f, std::uint8_t code) {
      presets.push_back({f, code});
      return presetAnswer;
    };
    hooks.askRadioPassword = [this] {
      ++passwordAsked;
      return password;
    };
  }
  int Run() { return RunAlignStart(align, settings, hooks, data); }
  // The sequence of command letters the radio received since `from`.
  std::string Commands(std::size_t from = 0) const {
    std::string text;
    const auto& frames = radio.AlignFrames();
    for (std::size_t i = from; i < frames.size(); ++i) {
      if (!text.empty()) text += ' ';
      const std::uint8_t c = frames[i][0];
      text += c == 0 ? std::string("z") : c >= 0xF0 ? "F" + std::to_string(c - 0xF0) : std::string(1, char(c));
    }
    return text;
  }

  ScriptedMessages msgs;
  AlignStartSettings settings;
  AlignStartHooks hooks;
  AlignData data;
  std::vector<std::pair<Family, std::uint8_t>> presets;
  bool presetAnswer = true;
  std::optional<std::string> password;
  int passwordAsked = 0;
};

}  // namespace

TEST(AlignStart, UploadsTheFamilysBlocksAndSelectsChannelZero) {
  for (const Family family : {kMobile, kPortable}) {
    StartBench b(family, AlignMemory(family, 60));
    ASSERT_EQ(b.Run(), kAlignOk) << family;
    EXPECT_EQ(b.data.family, family);
    EXPECT_EQ(b.data.blockCount, 60);
    std::vector<int> loaded;
    for (int i = 0; i < kAlignImageBlocks; ++i)
      if (b.data.loaded[static_cast<std::size_t>(i)]) loaded.push_back(i);
    const std::vector<int> expected = family == kMobile ? std::vector<int>{2, 3, 4, 5, 57, 58, 59, 60, 254, 255, 256}
                                                        : std::vector<int>{2, 3, 4, 57, 58, 59, 60, 167};
    EXPECT_EQ(loaded, expected) << family;
    EXPECT_TRUE(SameBlock(b.data.image.data(), b.radio.Memory().data(), family == kMobile ? 256 : 167));
    // The checksum word went to the radio and the buffer alike.
    const int sumWord = family == kMobile ? 2 : 1;
    EXPECT_EQ(b.radio.Word(sumWord), b.data.Word(sumWord));
    EXPECT_EQ(b.radio.AlignFramesOf('0').back(), (std::vector<std::uint8_t>{'0', 0, 0}));
    ASSERT_EQ(b.presets.size(), 1u);
    EXPECT_EQ(b.presets[0].second, b.radio.Memory()[32]);
    EXPECT_EQ(b.status.line2, "100% complete  ");
    EXPECT_TRUE(b.msgs.texts().empty());
  }
}

TEST(AlignStart, ChannelBlocksFollowWord126Clamped) {
  struct Case {
    Family family;
    int low;
    int last;  // -1: no channel block
  } cases[] = {{kMobile, 200, 184}, {kPortable, 200, 166}, {kMobile, 40, -1}, {kMobile, 0xFF, 184}};
  for (const Case& c : cases) {
    StartBench b(c.family, AlignMemory(c.family, c.low));
    ASSERT_EQ(b.Run(), kAlignOk);
    int last = -1;
    for (int i = kAlignFirstChannelBlock; i <= 184 && i != b.data.TuneBlock(); ++i)
      if (b.data.loaded[static_cast<std::size_t>(i)]) last = i;
    EXPECT_EQ(last, c.last) << c.low;
  }
}

TEST(AlignStart, OutcomesOfIdentificationPasswordAndCancel) {
  {  // wrong password, box cancelled
    auto memory = AlignMemory(kMobile);
    memory[area::kRadioPassword] = 'A';
    StartBench b(kMobile, memory);
    EXPECT_EQ(b.Run(), kAlignPasswordMismatch);
    EXPECT_EQ(b.passwordAsked, 1);
    EXPECT_EQ(b.msgs.texts(), (std::vector<std::string>{"Password mismatched!"}));
  }
  {  // the right password typed
    auto memory = AlignMemory(kMobile);
    memory[area::kRadioPassword] = 'A';
    StartBench b(kMobile, memory);
    b.password = "A";
    EXPECT_EQ(b.Run(), kAlignOk);
  }
  {  // a portable radio from the mobile start: the password step stays, the family switches
    auto memory = AlignMemory(kPortable);
    memory[area::kRadioPassword] = 'A';
    StartBench b(kMobile, memory);
    b.password = "A";
    EXPECT_EQ(b.Run(), kAlignOk);
    EXPECT_EQ(b.passwordAsked, 1);
    EXPECT_EQ(b.data.family, kPortable);
    EXPECT_EQ(b.presets.at(0).first, kPortable);
  }
  {  // neither family
    auto memory = AlignMemory(kMobile);
    memory[249] = 0x45;
    StartBench b(kMobile, memory);
    EXPECT_EQ(b.Run(), kAlignStopped);
    EXPECT_EQ(b.msgs.texts(), (std::vector<std::string>{"Hardware configuration mismatched!"}));
    // In manufacturer mode it goes on in the current family.
    StartBench m(kPortable, memory);
    m.settings.manufacturerMode = true;
    EXPECT_EQ(m.Run(), kAlignOk);
    EXPECT_EQ(m.data.family, kPortable);
  }
  {  // the preset prompt cancelled: nothing uploaded
    StartBench b(kMobile, AlignMemory(kMobile));
    b.presetAnswer = false;
    EXPECT_EQ(b.Run(), kAlignStopped);
    EXPECT_FALSE(b.data.loaded[2]);
  }
  {  // Esc while waiting: no message
    StartBench b(kMobile, AlignMemory(kMobile));
    b.cancel = true;
    EXPECT_EQ(b.Run(), kAlignIoError);
    EXPECT_TRUE(b.msgs.texts().empty());
  }
  {  // Esc during the upload
    StartBench b(kMobile, AlignMemory(kMobile));
    b.hooks.askPreset = [&b](Family, std::uint8_t) {
      b.cancel = true;
      return true;
    };
    EXPECT_EQ(b.Run(), kAlignUploadCancelled);
    EXPECT_EQ(b.status.line1, "\r\nUpload is aborted. Press any key");
  }
  {  // 0x15 at power-up
    StartBench b(kMobile, AlignMemory(kMobile));
    b.radio.AlignFault(SimAlignFault::kNakAtPowerUp);
    EXPECT_EQ(b.Run(), kAlignWrongReply);
    EXPECT_EQ(b.msgs.texts(), (std::vector<std::string>{"alignment mode error -3\r\n"}));
  }
}

namespace {

// A started alignment and its window's session.
struct SessionBench : StartBench {
  explicit SessionBench(Family family, std::vector<std::uint8_t> memory) : StartBench(family, std::move(memory)) {
    started = Run();
    ranges.slider.fill(255);
    ranges.meter.fill(255);
    session.emplace(align, data, ranges);
    frameMark = radio.AlignFrames().size();
  }
  explicit SessionBench(Family family) : SessionBench(family, AlignMemory(family)) {}
  std::string Since() {
    std::string text = Commands(frameMark);
    frameMark = radio.AlignFrames().size();
    return text;
  }
  int started;
  AlignRanges ranges;
  std::optional<CAlignSession> session;
  std::size_t frameMark = 0;
};

struct ItemSequence {
  Family family;
  int item;
  const char* start;
  const char* adjust;
  const char* ok;
  const char* cancel;
};

// Each item's commands on Start, a value change, Ok and Cancel; the portable's are ours, made from the
// mobile sequences and the portable frames ('z' is the raw 0x00).
const ItemSequence kSequences[] = {
    {kMobile, kItemPowerHigh, "4 2 ;", "2", "5", "2 5"},
    {kMobile, kItemPowerLowHigh, "4 2 ;", "2", "5", "2 5"},
    {kMobile, kItemPowerLowMid, "4 2 ;", "2", "5", "2 5"},
    {kMobile, kItemMaxDeviation, "4 2 ; 3 6", "3", "6 9 5", "6 ; 3 5"},
    {kMobile, kItemModBalance, "4 2 ; 9 3", "3", "6 9 5", "6 ; 3 5"},
    {kMobile, kItemCtcss, "4 2 ; 3 7", "3", "7 5", "7 ; 3 5"},
    {kMobile, kItemDcs, "4 2 ; 3 7", "3", "7 5", "7 ; 3 5"},
    {kMobile, kItemLtr, "4 2 ; 3 7", "3", "7 5", "7 ; 3 5"},
    {kMobile, kItemSeqTone, "4 2 ; 3", ";", "6 5", "6 ; 5"},
    {kMobile, kItemReference, "4 2 ; 3", ";", "6 5", "; 5"},
    {kMobile, kItemTightNoise, "", "", "", ""},
    {kMobile, kItemThresholdNoise, "", "", "", ""},
    {kMobile, kItemTightRssi, "", "", "", ""},
    {kMobile, kItemFullScaleRssi, "", "", "", ""},
    {kMobile, kItemRxTune, "2", "2", "8 > 0", "2"},
    {kMobile, kItemTxVcv, "4 2", "2", "5", "5 2"},
    {kMobile, kItemRxVcv, "2", "2", "5", "2"},
    {kPortable, kItemPowerHigh, "4 2", "2", "5", "2 5"},
    {kPortable, kItemPowerLowHigh, "4 2", "2", "5", "2 5"},
    {kPortable, kItemMaxDeviation, "z 4 2 ; 3 6", "3", "z 5", "3 z 5"},
    {kPortable, kItemModBalance, "z 4 2 ; 9 3", "3", "z 5", "3 z 5"},
    {kPortable, kItemCtcss, "z 4 2 ; 3 7", "3", "z 5", "3 z 5"},
    {kPortable, kItemDcs, "z 4 2 ; 3 7", "3", "z 5", "3 z 5"},
    {kPortable, kItemLtr, "z 4 2 ; 3 7", "3", "z 5", "3 z 5"},
    {kPortable, kItemStdDeviation, "z 4 2 ; 3", "3", "z 5", "3 z 5"},
    {kPortable, kItemSeqTone, "4 2 ;", ";", "5", "; 5"},
    {kPortable, kItemReference, "4 2 ;", ";", "5", "; 5"},
    {kPortable, kItemTightNoise, "", "", "", ""},
    {kPortable, kItemThresholdNoise, "", "", "", ""},
    {kPortable, kItemTightRssi, "", "", "", ""},
    {kPortable, kItemFullScaleRssi, "", "", "", ""},
    {kPortable, kItemRxTune, "2", "2", "8 > 0", "2"},
};

}  // namespace

TEST(AlignItems, EachItemsCommandSequences) {
  for (const ItemSequence& s : kSequences) {
    const std::string name = std::to_string(s.family) + "/" + std::to_string(s.item);
    for (const bool ok : {true, false}) {
      SessionBench b(s.family);
      ASSERT_EQ(b.started, kAlignOk);
      ASSERT_EQ(b.session->Start(s.item), kAlignOk) << name;
      // Polls are not part of the sequences.
      const std::string start = b.Since();
      EXPECT_EQ(start, s.start) << name;
      ASSERT_EQ(b.session->Adjust(b.session->Value() == 0 ? 1 : b.session->Value() - 1), kAlignOk) << name;
      EXPECT_EQ(b.Since(), s.adjust) << name;
      if (b.session->Polling()) {
        for (int i = 0; i < kAlignPollsPerDisplay; ++i) ASSERT_EQ(b.session->Poll(), kAlignOk) << name;
      }
      b.Since();
      const std::size_t writes = b.radio.Writes().size();
      ASSERT_EQ(ok ? b.session->Ok() : b.session->Cancel(), kAlignOk) << name;
      EXPECT_EQ(b.Since(), ok ? s.ok : s.cancel) << name << (ok ? " Ok" : " Cancel");
      // Ok writes the item's word and the checksum word (RX Tune: its blocks).
      const std::size_t written = b.radio.Writes().size() - writes;
      if (ok && s.item != kItemRxTune) {
        EXPECT_EQ(written, 2u) << name;
      }
      if (!ok) {
        EXPECT_EQ(written, 0u) << name;
      }
      EXPECT_FALSE(b.session->Measuring()) << name;
      EXPECT_FALSE(b.radio.Keyed()) << name;
      EXPECT_TRUE(b.msgs.texts().empty()) << name;
    }
  }
}

TEST(AlignItems, OkStoresTheValueInItsByteOnlyAndTheChecksum) {
  SessionBench b(kMobile);
  const std::uint16_t before = b.radio.Word(7);
  ASSERT_EQ(b.session->Start(kItemPowerLowHigh), kAlignOk);
  EXPECT_EQ(b.session->Value(), before >> 8);
  const int moved = (before >> 8) ^ 0x11;
  ASSERT_EQ(b.session->Adjust(moved), kAlignOk);
  ASSERT_EQ(b.session->Ok(), kAlignOk);
  EXPECT_EQ(b.radio.Word(7), moved << 8 | (before & 0xFF));
  std::uint16_t sum = 0;
  for (int a = 3; a <= 16; ++a) sum = static_cast<std::uint16_t>(sum + b.radio.Word(a));
  EXPECT_EQ(b.radio.Word(2), sum);
  EXPECT_EQ(b.data.Word(7), b.radio.Word(7));
}

TEST(AlignItems, CancelAfterAMovedSliderSendsTheSavedValue) {
  SessionBench b(kMobile);
  ASSERT_EQ(b.session->Start(kItemPowerHigh), kAlignOk);
  const int saved = b.session->SavedValue();
  ASSERT_EQ(b.session->Adjust(saved / 2), kAlignOk);
  ASSERT_EQ(b.radio.AlignFramesOf('2').back()[1], saved / 2);
  ASSERT_EQ(b.session->Cancel(), kAlignOk);
  EXPECT_EQ(b.radio.AlignFramesOf('2').back()[1], saved);
  EXPECT_EQ(b.radio.Word(8) & 0xFF, saved) << "nothing stored";
  EXPECT_FALSE(b.radio.Keyed());
}

TEST(AlignItems, AValueAboveTheSliderRangeIsPutBackByCancel) {
  SessionBench b(kMobile);
  const int held = b.radio.Word(8) & 0xFF;
  ASSERT_GT(held, 3);
  b.ranges.slider[kItemPowerHigh] = 3;
  b.session.emplace(b.align, b.data, b.ranges);
  ASSERT_EQ(b.session->Start(kItemPowerHigh), kAlignOk);
  EXPECT_EQ(b.session->Value(), held) << "only a move of the slider changes the value";
  ASSERT_EQ(b.session->Cancel(), kAlignOk);
  EXPECT_EQ(b.radio.AlignFramesOf('2').back()[1], held);
}

// Every item the technician adjusts, with the radio holding 200 where the
// slider ends at 51: Start sends what the radio holds, Ok without a move
// leaves the radio's memory as it was, and one step down stores exactly
// that byte and the checksum word.
TEST(AlignItems, StartSendsTheStoredValueAndOkWithoutAMoveChangesNothing) {
  for (const Family family : {kMobile, kPortable}) {
    for (const int item : {kItemPowerHigh, kItemPowerLowHigh, kItemPowerLowMid, kItemMaxDeviation, kItemModBalance,
                           kItemCtcss, kItemDcs, kItemLtr, kItemSeqTone, kItemReference, kItemStdDeviation, kItemTxVcv,
                           kItemRxVcv}) {
      if (!AlignItemExists(family, item)) continue;
      const std::string name = std::to_string(family) + "/" + std::to_string(item);
      auto memory = AlignMemory(family);
      for (const int at : {14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 30, 31, 222, 223})
        memory[static_cast<std::size_t>(at)] = 200;
      // What Start sends when the whole value fits the slider.
      SessionBench wide(family, memory);
      ASSERT_EQ(wide.session->Start(item), kAlignOk) << name;
      const auto& all = wide.radio.AlignFrames();
      const std::vector<std::vector<std::uint8_t>> expected(all.begin() + static_cast<long>(wide.frameMark), all.end());

      for (const bool move : {false, true}) {
        SessionBench b(family, memory);
        b.ranges.slider.fill(51);
        b.session.emplace(b.align, b.data, b.ranges);
        const std::vector<std::uint8_t> before = b.radio.Memory();
        ASSERT_EQ(b.session->Start(item), kAlignOk) << name;
        const auto& sent = b.radio.AlignFrames();
        EXPECT_EQ(std::vector<std::vector<std::uint8_t>>(sent.begin() + static_cast<long>(b.frameMark), sent.end()),
                  expected)
            << name;
        EXPECT_EQ(b.session->Value(), 200) << name;
        if (move) {
          ASSERT_EQ(b.session->Adjust(50), kAlignOk) << name;
        }
        ASSERT_EQ(b.session->Ok(), kAlignOk) << name;
        std::vector<int> changed;
        for (int i = 0; i < kAlignWordBytes; ++i)
          if (b.radio.Memory()[static_cast<std::size_t>(i)] != before[static_cast<std::size_t>(i)] &&
              i / 2 != b.data.checksumWord)
            changed.push_back(i);
        if (!move) {
          EXPECT_EQ(b.radio.Memory(), before) << name;
          continue;
        }
        ASSERT_EQ(changed.size(), 1u) << name;
        EXPECT_EQ(b.radio.Memory()[static_cast<std::size_t>(changed[0])], 50) << name;
        std::uint16_t sum = 0;
        for (int a = b.data.checksumLow; a <= b.data.checksumHigh; ++a)
          sum = static_cast<std::uint16_t>(sum + b.radio.Word(a));
        EXPECT_EQ(b.radio.Word(b.data.checksumWord), sum) << name;
      }
    }
  }
}

TEST(AlignItems, CancelUnkeysEvenWhenItsEarlierStepsFail) {
  SessionBench b(kMobile);
  ASSERT_EQ(b.session->Start(kItemMaxDeviation), kAlignOk);
  ASSERT_TRUE(b.radio.Keyed());
  b.radio.Plan({SimFault::kSilence, b.radio.Replies(), 4});  // ';' and the three '3' sends
  EXPECT_EQ(b.session->Cancel(), kAlignTimeout);
  EXPECT_FALSE(b.radio.Keyed());
  EXPECT_FALSE(b.session->Measuring());
  EXPECT_EQ(b.msgs.texts().at(0), "!! com error !! 2\n");
}

TEST(AlignItems, RxTuneStoreStaysInsideTheChannelBlocks) {
  // Word 126 low byte 0xFF: the loop must not run into the tune blocks.
  SessionBench b(kMobile, AlignMemory(kMobile, 0xFF));
  ASSERT_EQ(b.started, kAlignOk);
  ASSERT_EQ(b.session->Start(kItemRxTune), kAlignOk);
  ASSERT_EQ(b.session->Ok(), kAlignOk);
  int tuneBlockWrites = 0;
  for (const SimWrite& w : b.radio.Writes()) {
    if (w.kind != SimWrite::kBlock) continue;
    const int block = w.address + 2;
    if (block == 254) ++tuneBlockWrites;
    else EXPECT_LE(block, 184);
  }
  EXPECT_EQ(tuneBlockWrites, 1);
  EXPECT_EQ(b.radio.Restarts(), 1);
  EXPECT_TRUE(b.radio.Aligning());
  EXPECT_TRUE(b.msgs.texts().empty());
}

TEST(AlignItems, RxTuneWritesNothingMoreAfterAFailedTunePointBlock) {
  for (const Family family : {kMobile, kPortable}) {
    SessionBench b(family);
    ASSERT_EQ(b.session->Start(kItemRxTune), kAlignOk);
    b.radio.Plan({SimFault::kNak, b.radio.Replies(), 6});
    const std::size_t writes = b.radio.Writes().size();
    EXPECT_EQ(b.session->Ok(), kAlignWrongReply);
    EXPECT_EQ(b.radio.Writes().size(), writes);
    EXPECT_EQ(b.radio.Restarts(), 0);
    EXPECT_EQ(b.msgs.texts(), (std::vector<std::string>{"!! download error !!\n"}));
    // Still measuring: Cancel puts the stored tune back.
    EXPECT_TRUE(b.session->Measuring());
    EXPECT_EQ(b.session->Cancel(), kAlignOk);
  }
}

TEST(AlignItems, PortableRxTuneTouchesOnlyTheTuneBytesOfItsSlots) {
  SessionBench b(kPortable, AlignMemory(kPortable, 0xFF));
  const std::vector<std::uint8_t> before = b.radio.Memory();
  ASSERT_EQ(b.session->Start(kItemRxTune), kAlignOk);
  ASSERT_EQ(b.session->Ok(), kAlignOk);
  for (std::size_t i = 57 * kBlockSize; i < 167 * kBlockSize; ++i) {
    const std::size_t slotByte = (i - 0x1C80) % 22;
    if (slotByte != 13) {
      ASSERT_EQ(b.radio.Memory()[i], before[i]) << i;
    }
  }
  int tuneBlockWrites = 0;
  for (const SimWrite& w : b.radio.Writes())
    if (w.kind == SimWrite::kBlock && w.address + 2 == 167) ++tuneBlockWrites;
  EXPECT_EQ(tuneBlockWrites, 1);
  // Every slot's new tune byte reached the radio, also where a slot
  // straddles two blocks.
  int tuned = 0;
  for (int c = 0; c < kAlignChannelCount; ++c) {
    const std::size_t at = 0x1C80 + 22 * static_cast<std::size_t>(c) + 13;
    if (before[at - 13] == 0xFF) continue;
    EXPECT_EQ(b.radio.Memory()[at], b.data.image[at]) << c;
    tuned += b.radio.Memory()[at] != before[at];
  }
  EXPECT_GT(tuned, 0);
}

TEST(AlignChannels, StepSkipsUnprogrammedChannelsAndWraps) {
  auto memory = AlignMemory(kMobile, 184);
  for (int c = 0; c < kAlignChannelCount; ++c)
    memory[kBlockSize * (57 + c / 5) + 25 * (c % 5) + 1] = c == 5 || c == 639 ? 0x20 : 0xFF;
  SessionBench b(kMobile, memory);
  ASSERT_EQ(b.session->StepChannel(+1), kAlignOk);
  EXPECT_EQ(b.data.channel, 5);
  ASSERT_EQ(b.session->StepChannel(-1), kAlignOk);
  EXPECT_EQ(b.data.channel, 639);
  EXPECT_EQ(b.radio.AlignChannel(), 639);
  ASSERT_EQ(b.session->StepChannel(+1), kAlignOk);
  EXPECT_EQ(b.data.channel, 5);
}

TEST(AlignChannels, NoProgrammedChannelKeepsTheCurrentOne) {
  auto memory = AlignMemory(kMobile, 60);
  for (int c = 0; c < 20; ++c) memory[kBlockSize * (57 + c / 5) + 25 * (c % 5) + 1] = 0xFF;
  SessionBench b(kMobile, memory);
  const std::size_t selects = b.radio.AlignFramesOf('0').size();
  EXPECT_EQ(b.session->StepChannel(+1), kAlignOk);
  EXPECT_EQ(b.session->StepChannel(-1), kAlignOk);
  EXPECT_EQ(b.data.channel, 0);
  EXPECT_EQ(b.radio.AlignFramesOf('0').size(), selects);
}

TEST(AlignRangesTest, SliderMaximaAreClampedToAByte) {
  TempDir dir;
  std::vector<unsigned char> user(56, 0);
  user[16] = 300 & 0xFF, user[17] = 300 >> 8;         // entry 0
  user[34] = 1000 & 0xFF, user[35] = 1000 >> 8;       // entry 9
  WriteWholeFile("RP58.CFG", user);
  CConfigFile config;
  config.ReadConfig();
  const AlignRanges ranges = AlignRangesOf(config, 39);
  EXPECT_EQ(ranges.slider[kItemPowerHigh], 255);
  EXPECT_EQ(ranges.slider[kItemRxTune], 255);
}

// The mobile file says 255 for the CTCSS slider and there is no portable
// file, whose default is 51: each family's window gets its own.
TEST(AlignRangesTest, EachFamilysWindowReadsItsOwnFamilysFile) {
  ResetProgramState();
  TempDir dir;
  std::vector<unsigned char> user(56, 0);
  for (std::size_t i = 16; i < 36; i += 2) user[i] = 200;
  user[16 + 2 * 4] = 255;
  WriteWholeFile("RP58.CFG", user);
  // As the program starts: the mobile file first, then the portable one.
  g_config.ReadConfig();
  g_portableConfig.ReadConfig();
  AlignData mobile;
  mobile.family = kMobile;
  mobile.words[alignbyte::kProductCode] = 39;
  AlignData portable = mobile;
  portable.family = kPortable;
  EXPECT_EQ(CurrentAlignRanges(mobile).slider[kItemCtcss], 255);
  EXPECT_EQ(CurrentAlignRanges(mobile).slider[kItemPowerHigh], 200);
  EXPECT_EQ(CurrentAlignRanges(portable).slider[kItemCtcss], 51);
  EXPECT_EQ(CurrentAlignRanges(portable).slider[kItemPowerHigh], 255);
  ResetProgramState();
}

TEST(AlignItems, MeterPollAveragesAndFollowsTheTuneValue) {
  SessionBench b(kMobile);
  ASSERT_EQ(b.session->Start(kItemRxTune), kAlignOk);
  ASSERT_TRUE(b.session->Polling());
  for (int i = 0; i < kAlignPollsPerDisplay; ++i) ASSERT_EQ(b.session->Poll(), kAlignOk);
  const int first = b.session->Meter();
  ASSERT_GE(first, 0);
  ASSERT_EQ(b.session->Adjust(b.session->Value() < 128 ? 250 : 10), kAlignOk);
  for (int i = 0; i < kAlignPollsPerDisplay; ++i) ASSERT_EQ(b.session->Poll(), kAlignOk);
  EXPECT_NE(b.session->Meter(), first);
  // A silent radio stops the poll with a message.
  b.radio.Plan({SimFault::kSilence, b.radio.Replies(), 3});
  EXPECT_EQ(b.session->Poll(), kAlignTimeout);
  EXPECT_FALSE(b.session->Polling());
  EXPECT_EQ(b.msgs.texts(), (std::vector<std::string>{"!! com error !! 2\n"}));
}

namespace {

// The bytes of the word buffer an Ok changed, but for the checksum word.
std::vector<std::pair<int, std::uint8_t>> StoredBytes(const AlignData& before, const AlignData& after) {
  std::vector<std::pair<int, std::uint8_t>> changed;
  for (int i = 0; i < static_cast<int>(before.words.size()); ++i)
    if (before.Byte(i) != after.Byte(i) && i / 2 != after.checksumWord) changed.push_back({i, after.Byte(i)});
  return changed;
}

}  // namespace

TEST(AlignItems, PortableStdDeviationReachesTheRadioInItsFormAndIsStoredAsSet) {
  struct Case {
    bool familyBit;
    int value;
    std::uint8_t sent;
  };
  const Case cases[] = {{true, 0x30, 0x3C}, {true, 0x20, 0x2C}, {true, 0x1F, 0x1F}, {false, 0x30, 0x00}};
  for (const Case& c : cases) {
    SessionBench b(kPortable);
    ASSERT_EQ(b.started, kAlignOk);
    const int familyWord = alignbyte::kFamilyCode / 2;
    const std::uint16_t w = b.data.Word(familyWord);
    const std::uint16_t bit = alignbyte::kFamilyCode % 2 ? 0x2000 : 0x0020;
    b.data.SetWord(familyWord, static_cast<std::uint16_t>(c.familyBit ? w | bit : w & ~bit));
    ASSERT_EQ(b.session->Start(kItemStdDeviation), kAlignOk);
    ASSERT_EQ(b.session->Adjust(c.value), kAlignOk);
    EXPECT_EQ(b.radio.AlignFramesOf('3').back().at(4), c.sent) << c.value;
    const AlignData before = b.data;
    ASSERT_EQ(b.session->Ok(), kAlignOk);
    const auto stored = StoredBytes(before, b.data);
    ASSERT_EQ(stored.size(), 1u) << c.value;
    EXPECT_EQ(stored[0].second, c.value);
    // Another deviation item carries the stored STD value the same way.
    ASSERT_EQ(b.session->Start(kItemMaxDeviation), kAlignOk);
    EXPECT_EQ(b.radio.AlignFramesOf('3').back().at(4), c.sent) << c.value;
    ASSERT_EQ(b.session->Cancel(), kAlignOk);
  }
}

TEST(AlignItems, OkOnAReceiverItemBeforeItsFirstPollStoresTheLevelReadThen) {
  SessionBench b(kMobile);
  // An item measured before leaves its averages behind.
  ASSERT_EQ(b.session->Start(kItemRxTune), kAlignOk);
  ASSERT_EQ(b.session->Adjust(250), kAlignOk);
  for (int i = 0; i < kAlignPollsPerDisplay; ++i) ASSERT_EQ(b.session->Poll(), kAlignOk);
  const int stale = b.session->Meter();
  ASSERT_EQ(b.session->Cancel(), kAlignOk);
  // What the radio reads now.
  ASSERT_EQ(b.session->Start(kItemTightRssi), kAlignOk);
  for (int i = 0; i < kAlignPollsPerDisplay; ++i) ASSERT_EQ(b.session->Poll(), kAlignOk);
  const int now = b.session->Meter();
  ASSERT_NE(now, stale);
  ASSERT_EQ(b.session->Cancel(), kAlignOk);

  ASSERT_EQ(b.session->Start(kItemTightRssi), kAlignOk);
  b.Since();
  const AlignData before = b.data;
  ASSERT_EQ(b.session->Ok(), kAlignOk);
  EXPECT_EQ(b.Since(), "1");
  const auto stored = StoredBytes(before, b.data);
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].second, now);
}

TEST(AlignItems, AFailedOkKeepsTheItemMeasuringWithItsMeterMoving) {
  SessionBench b(kMobile);
  ASSERT_EQ(b.session->Start(kItemTxVcv), kAlignOk);
  ASSERT_TRUE(b.session->Polling());
  b.radio.Plan({SimFault::kSilence, b.radio.Replies(), 50});
  EXPECT_NE(b.session->Ok(), kAlignOk);
  EXPECT_TRUE(b.session->Measuring());
  EXPECT_TRUE(b.session->Polling());
}

TEST(AlignItems, CancelUnkeysARadioThatKeyedButWhoseAnswerWasLost) {
  // The radio carries out '4' and its answer is lost on every send, or it
  // comes back garbled: Start fails, but the transmitter is on.
  const std::pair<SimFault, int> losses[] = {{SimFault::kSilence, 4}, {SimFault::kNak, 1}};
  for (const Family family : {kMobile, kPortable}) {
    for (int item = 0; item < kItemNone; ++item) {
      if (!AlignItemExists(family, item)) continue;
      for (const auto& [fault, count] : losses) {
        const std::string name = std::to_string(family) + "/" + std::to_string(item) + "/" + std::to_string(int(fault));
        SessionBench b(family);
        ASSERT_EQ(b.started, kAlignOk);
        b.radio.Plan({fault, b.radio.Replies(), count});
        const int started = b.session->Start(item);
        if (!b.radio.Keyed()) {
          // An item that never keys: the loss hit another command.
          EXPECT_TRUE(b.radio.AlignFramesOf('4').empty()) << name;
          b.session->Cancel();
          continue;
        }
        EXPECT_NE(started, kAlignOk) << name;
        b.session->Cancel();
        EXPECT_FALSE(b.radio.Keyed()) << name;
        EXPECT_FALSE(b.session->Measuring()) << name;
        EXPECT_EQ(b.radio.AlignFramesOf('5').size(), 1u) << name;
      }
    }
  }
}

// A word write whose answer carries other value bytes, or whose answers are
// all lost, while the radio stored the word all the same: the window reads
// the word back, keeps what the radio holds, says so, and every checksum
// word written from then on sums what the radio really has.
TEST(AlignItems, AWordWriteAnsweredWrongKeepsWhatTheRadioHolds) {
  const std::pair<SimFault, int> answers[] = {{SimFault::kOtherValue, kAlignValueMismatch}, {SimFault::kSilence, kAlignTimeout}};
  for (const Family family : {kMobile, kPortable}) {
    for (const auto& [fault, code] : answers) {
      const std::string name = std::to_string(family) + "/" + std::to_string(int(fault));
      SessionBench b(family);
      ASSERT_EQ(b.started, kAlignOk);
      auto radioSumIsRight = [&b] {
        std::uint16_t sum = 0;
        for (int a = b.data.checksumLow; a <= b.data.checksumHigh; ++a)
          sum = static_cast<std::uint16_t>(sum + b.radio.Word(a));
        return b.radio.Word(b.data.checksumWord) == sum;
      };
      ASSERT_EQ(b.session->Start(kItemPowerHigh), kAlignOk);
      const int word = (family == kPortable ? 14 : 16) / 2;
      const std::uint16_t before = b.radio.Word(word);
      ASSERT_EQ(b.session->Adjust((before & 0xFF) ^ 0x05), kAlignOk);
      b.radio.Plan({fault, b.radio.Replies() + 1, 6});  // after the '5'
      EXPECT_EQ(b.session->Ok(), code) << name;
      ASSERT_NE(b.radio.Word(word), before) << "the radio took the word";
      EXPECT_EQ(b.data.Word(word), b.radio.Word(word)) << name;
      EXPECT_TRUE(radioSumIsRight()) << name;
      char told[96];
      std::snprintf(told, sizeof told, "!! download error !!\nRead back from the radio: word %d holds %04X.\n", word,
                    b.radio.Word(word));
      EXPECT_EQ(b.msgs.texts(), (std::vector<std::string>{told})) << name;
      // The next item's checksum counts the word as the radio holds it.
      ASSERT_EQ(b.session->Start(kItemPowerLowHigh), kAlignOk);
      ASSERT_EQ(b.session->Adjust(b.session->Value() ^ 0x03), kAlignOk);
      ASSERT_EQ(b.session->Ok(), kAlignOk);
      EXPECT_TRUE(radioSumIsRight()) << name;
    }
  }
}

TEST(AlignItems, AWordThatCannotBeReadBackIsTold) {
  SessionBench b(kMobile);
  ASSERT_EQ(b.session->Start(kItemPowerHigh), kAlignOk);
  b.radio.Plan({SimFault::kSilence, b.radio.Replies() + 1, 12});  // the write's six sends, the read's six
  EXPECT_EQ(b.session->Ok(), kAlignTimeout);
  EXPECT_EQ(b.msgs.texts(),
            (std::vector<std::string>{"!! download error !!\nThe word could not be read back from the radio.\n"}));
  EXPECT_FALSE(b.session->Measuring());
}
