#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "FakeRadioData.h"
#include "PrintedText.h"
#include "ProgramState.h"
#include "RecordingCanvas.h"
#include "model/FamilyModel.h"
#include "model/ListPrints.h"

namespace {

// The recording canvas's font: u = 31, x0 = 124, h = 99, p = 12.
constexpr int Line(int n) { return 12 + 99 * n; }
constexpr int Col(int c) { return 124 + 31 * c; }

class ListPrint : public ::testing::TestWithParam<Family> {
protected:
  CFamilyModel& model() { return ModelOf(GetParam()); }
  bool Mobile() const { return GetParam() == kMobile; }
  template <class Routine>
  void Print(Routine routine) {
    CPagedCanvas paged(canvas);
    routine(paged, model(), 31, 124, 99, 12);
    paged.EndPage();
    pages = paged.Pages();
  }
  std::optional<std::string> At(int c, int n) const { return TextAt(canvas.calls, Col(c), Line(n)); }

  FreshProgramState fresh;
  FakeRadioData radio{GetParam()};
  RecordingCanvas canvas;
  int pages = 0;
};

}  // namespace

TEST_P(ListPrint, TheRfListPrintsTheDefaultSplitAndARowPerChannelInUse) {
  model().openingMsg.m_defaultSplit = 5.0;
  if (Mobile()) {
    for (const int i : {0, 1, 4}) g_mobileData.m_channels[static_cast<std::size_t>(i)].m_programmed = 1;
    auto& c = g_mobileData.m_channels;
    c[0].m_rxFrequency = 45000000;
    c[1].m_mode = 0x80;  // spacing code 2
    c[4].m_mode = 0x00;
  } else {
    for (const int i : {0, 1, 4}) g_portableData.m_channels[static_cast<std::size_t>(i)].m_programmed = 1;
    auto& c = g_portableData.m_channels;
    c[0].m_rxFrequency = 45000000;
    c[1].MakeNarrow();
  }
  Print(PrintRfChannelList);
  EXPECT_EQ(pages, 1);
  EXPECT_EQ(At(0, 2), "Default Split");
  EXPECT_EQ(At(18, 2), "  5.0");
  EXPECT_EQ(At(0, 4), "Ch.");
  EXPECT_EQ(At(0, 5), "001");
  EXPECT_EQ(At(13, 5), " 450.00000");
  EXPECT_EQ(At(0, 6), "002");
  EXPECT_EQ(At(49, 6), Mobile() ? "Wide" : "Narrow");
  EXPECT_EQ(At(0, 7), "005");
  EXPECT_EQ(At(49, 7), Mobile() ? "Narrow" : "Wide");
  EXPECT_FALSE(At(0, 8).has_value());
}

TEST_P(ListPrint, AFullChannelListRepeatsItsHeaderAtTheTopOfEachBlock) {
  for (auto& c : g_mobileData.m_channels) c.m_programmed = 1;
  for (auto& c : g_portableData.m_channels) c.m_programmed = 1;
  Print(PrintRfChannelList);
  // 58 rows a block on the letter page: 640 rows need 12 blocks on 6 pages.
  EXPECT_EQ(pages, 6);
  const std::vector<std::string> headers = PlacesOf(canvas.calls, "Ch.");
  EXPECT_EQ(headers.size(), 12u);
  for (const std::string& place : headers) EXPECT_EQ(place.substr(place.find(',') + 1), std::to_string(Line(4)));
  EXPECT_EQ(PlacesOf(canvas.calls, "Default Split").size(), 1u);
  EXPECT_EQ(PlacesOf(canvas.calls, "640").size(), 1u);
  EXPECT_EQ(FirstOutside(canvas.calls, 124 + 137 * 31, canvas.page.height, 31, 75), "");
}

TEST_P(ListPrint, TheDtmfPageHoldsItsSettingsTablesAndCodes) {
  CDtmfData& d = model().dtmf;
  radio.product = 11;
  d.pauseOptions = 0x7C;  // pause character on, time code 7, digit C
  d.pagingOptions = 0x13;
  const std::uint8_t dial[8] = {0x31, 0xEF};  // 1 * #
  d.SetDialMemory(kDialMemoryZero, dial);
  d.SetDialMemory(0, std::array<std::uint8_t, 8>{}.data());
  std::strcpy(d.dialTags[kDialMemoryZero], "HOME");
  d.pagingCodes[0] = 0x0123;  // decoding off
  d.pagingCodes[9] = 0x2EF4;
  model().global.firstDigitDelayOptions = 4 << 4;
  Print(PrintDtmfAniPage);
  EXPECT_EQ(pages, 1);
  EXPECT_EQ(At(0, 2), "Global Setting");
  EXPECT_EQ(At(38, 4), "Enable");
  EXPECT_EQ(At(38, 5), "C");
  EXPECT_EQ(At(38, 6), "7.0sec");
  EXPECT_EQ(At(38, 7), "100msec");
  const int d0 = Mobile() ? 10 : 9;
  EXPECT_EQ(At(8, 8), Mobile() ? "DTMF Keypad" : "DTMF KeyPad");
  EXPECT_FALSE(At(8, 9).has_value());
  EXPECT_EQ(At(0, d0), "Individual Dial Memory setting");
  EXPECT_EQ(At(8, d0 + 3), "    0");
  EXPECT_EQ(At(18, d0 + 3), "HOME");
  EXPECT_EQ(At(33, d0 + 3), "1*#            ");
  EXPECT_EQ(At(33, d0 + 4), std::string(15, ' '));
  EXPECT_EQ(At(113, 3), "  5");
  EXPECT_EQ(At(78, 8), "    1");
  EXPECT_EQ(At(88, 8), "   ");
  EXPECT_EQ(At(103, 8), "off");
  EXPECT_EQ(At(78, 17), "   10");
  EXPECT_EQ(At(88, 17), "  4");
  EXPECT_EQ(At(103, 17), "on");
  EXPECT_EQ(At(78, 23), Mobile() ? std::nullopt : std::optional<std::string>("1st digit Delay"));
  if (!Mobile()) {
    EXPECT_EQ(At(103, 23), "500msec");
  }

  // A mobile radio of another product prints the keypad twice.
  canvas.calls.clear();
  radio.product = 0x20;
  Print(PrintDtmfAniPage);
  EXPECT_EQ(At(8, 9), Mobile() ? std::optional<std::string>("DTMF KeyPad") : std::nullopt);
}

TEST_P(ListPrint, TheFiveToneTableAndCommonSettings) {
  CFiveToneCommonRecord& c = model().fiveToneCommon;
  c.groupTone = 15;
  c.callEncodeToneNo = 7;
  c.displayDigit = {0, 1, 0, 1, 0};
  c.leadInDelay = 25;
  if (Mobile()) {
    g_mobileModel.records.fiveToneCodes.period[0] = 70;
    g_mobileModel.records.fiveToneCodes.tones[3] = 1633;
  } else {
    g_portableModel.records.fiveToneTones.tones[3] = 1633;
  }
  Print(PrintFiveToneTable);
  EXPECT_EQ(pages, 1);
  EXPECT_EQ(At(23, 2), "    ZVEI");
  EXPECT_EQ(At(0, 4), "               0");
  EXPECT_EQ(At(23, 4), "   2400");
  // The published tables as the page shows them: tone F of every system,
  // EEA's C and F.
  EXPECT_EQ(At(23, 19), "    680");
  EXPECT_EQ(At(33, 19), "   1055");
  EXPECT_EQ(At(43, 16), "   2400");
  EXPECT_EQ(At(43, 19), "   2247");
  EXPECT_EQ(At(53, 19), "   1091");
  EXPECT_EQ(At(63, 7), "   1633");
  EXPECT_EQ(At(23, 20), Mobile() ? " 70" : "     70");
  EXPECT_EQ(At(0, 23), "5-Tone Common/System");
  EXPECT_EQ(At(24, 25), "V");
  EXPECT_EQ(At(30, 25), " ");
  EXPECT_EQ(At(32, 28), "Tone F");
  EXPECT_EQ(At(32, 35), " 250 ms");
  EXPECT_EQ(At(32, 43), "8");
}

TEST_P(ListPrint, TheFiveToneCodeListsPrintTheirRows) {
  CFiveToneCodeTable& enc = model().fiveToneEncode;
  CFiveToneCodeTable& dec = model().fiveToneDecode;
  std::strcpy(enc.rows[0].code, "123");
  enc.rows[0].head = {0x40, 0x02};  // select on, mute Null... mode 2, digit 2 flag set
  std::strcpy(dec.rows[6].code, "99999");
  std::strcpy(dec.rows[6].tag, "KILLTAG");
  dec.rows[0].head = {0x07, 0x40};
  Print(PrintFiveToneCodes);
  EXPECT_EQ(pages, 1);
  EXPECT_EQ(At(0, 2), "5-Tone Encode");
  EXPECT_EQ(At(0, 5), "Encode 1");
  EXPECT_EQ(At(14, 5), "123  ");
  EXPECT_EQ(At(48, 5), " Close");
  EXPECT_EQ(At(58, 5), "v");
  EXPECT_EQ(At(78, 5), "v");
  EXPECT_EQ(At(81, 5), "");
  EXPECT_EQ(At(0, 14), "5-Tone Decode");
  EXPECT_EQ(At(0, 23), "  KILL");
  EXPECT_EQ(At(14, 23), "99999");
  EXPECT_FALSE(At(28, 23).has_value());  // tags for Decode 1 to 5 only
  EXPECT_EQ(At(48, 17), "Disable");
  EXPECT_EQ(At(68, 17), "Enable");
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, ListPrint, ::testing::Values(kMobile, kPortable));
