#include <gtest/gtest.h>

#include <algorithm>

#include "PrintedText.h"
#include "ProgramState.h"
#include "RecordingCanvas.h"
#include "model/FamilyModel.h"
#include "model/ZonePrint.h"

namespace {

// The recording canvas's font: u = 31, x0 = 124, h = 99, p = 12; line n at 12 + 99n.
constexpr int Line(int n) { return 12 + 99 * n; }
constexpr int Col(int c) { return 124 + 31 * c; }
constexpr int kCell = 23 * 31;

class ZonePrint : public ::testing::TestWithParam<Family> {
protected:
  void SetUp() override {
    g_mobileData.m_productWord = 11u << 8;
    g_portableModel.global.modelByte = 0x20;
    for (auto& c : data().m_repeaters) c.fill(0x3FF);
    data().m_zoneFlags.fill(0);
    data().m_groupCounts.fill(0);
  }
  CFamilyModel& model() { return ModelOf(GetParam()); }
  CRadioDataCore& data() { return model().radioData; }
  std::uint8_t& Byte(int byte, int zone) {
    return data().m_zoneBytes[static_cast<std::size_t>(byte)][static_cast<std::size_t>(zone)];
  }
  // Zone z in use with `groups` groups from the next free slot, LTR or conventional.
  void UseZone(int z, int groups, bool ltr) {
    data().m_zoneFlags[static_cast<std::size_t>(z)] |= 1;
    data().m_groupCounts[static_cast<std::size_t>(z)] = static_cast<std::uint8_t>(groups);
    Byte(12, z) = ltr ? 0x04 : 0x08;
  }
  void Print() {
    CPagedCanvas paged(canvas);
    PrintSystemTable(paged, model(), 31, 124, 99, 12);
    paged.EndPage();
    pages = paged.Pages();
  }
  bool Mobile() const { return GetParam() == kMobile; }
  // The calls of page n (1-based).
  std::vector<std::string> Page(int n) const {
    std::vector<std::string> page;
    int at = 0;
    for (const std::string& call : canvas.calls) {
      if (call == "StartPage") ++at;
      if (at == n) page.push_back(call);
    }
    return page;
  }

  FreshProgramState fresh;
  RecordingCanvas canvas;
  int pages = 0;
};

}  // namespace

TEST_P(ZonePrint, EachZoneInUseHasItsPageAndNoZoneNoPage) {
  Print();
  EXPECT_EQ(pages, 0);
  UseZone(0, 2, true);
  UseZone(2, 1, false);
  canvas.calls.clear();
  Print();
  EXPECT_EQ(pages, 2);
  EXPECT_EQ(TextAt(Page(1), Col(0), Line(2)), "Zone No. 001");
  EXPECT_EQ(TextAt(Page(2), Col(0), Line(2)), "Zone No. 003");
}

TEST_P(ZonePrint, AnLtrZonesSectionsStandOnTheirLines) {
  UseZone(0, 3, true);
  Byte(1, 0) = 0x0F;            // zone timer 0, interconnect timer 15
  Byte(2, 0) = 0x80 | 3;        // Area1, home repeater 3
  data().m_repeaters[0][2] = 0x6000 | 5;  // dispatch, interconnect, channel 6
  data().m_repeaters[0][4] = 0x0C00 | 700;  // past the channel table
  Byte(4, 0) = 17;
  Byte(5, 0) = 255;
  Byte(8, 0) = 0x2F;            // decode 10 s, inhibit 75 s
  Byte(9, 0) = 14;
  Byte(11, 0) = 0xE0;
  Byte(13, 0) = 60;
  Byte(14, 0) = 10;
  Print();
  const int rest = Mobile() ? 0 : 1;  // the portable strips carry End of TX Tone
  EXPECT_EQ(TextAt(canvas.calls, Col(0), Line(3)), "Number of Groups");
  EXPECT_EQ(TextAt(canvas.calls, Col(0), Line(4)), "3");
  EXPECT_EQ(TextAt(canvas.calls, Col(0) + kCell, Line(4)), "LTR");
  EXPECT_EQ(TextAt(canvas.calls, Col(0) + (3 + rest) * kCell, Line(4)), "7.0min");
  EXPECT_EQ(TextAt(canvas.calls, Col(0), Line(6)), "Revert Group");
  EXPECT_EQ(TextAt(canvas.calls, Col(0) + kCell, Line(7)), "Area1");
  EXPECT_EQ(TextAt(canvas.calls, Col(0) + 2 * kCell, Line(7)), "3");
  EXPECT_EQ(TextAt(canvas.calls, Col(0) + 5 * kCell, Line(7)), "19");
  EXPECT_EQ(TextAt(canvas.calls, Col(40), Line(9)), "LTR Advanced features");
  EXPECT_EQ(TextAt(canvas.calls, Col(0), Line(11)), "Channel Hang Time");
  EXPECT_EQ(TextAt(canvas.calls, Col(0) + 2 * kCell, Line(10)), "Block ID Setting");
  EXPECT_EQ(TextAt(canvas.calls, Col(0) + 2 * kCell + kCell / 2, Line(11)), "Stop");
  EXPECT_EQ(TextAt(canvas.calls, Col(0), Line(12)), "3.0Sec");
  EXPECT_EQ(TextAt(canvas.calls, Col(0) + kCell, Line(12)), "5.0Sec");
  EXPECT_EQ(TextAt(canvas.calls, Col(0) + 2 * kCell, Line(12)), "17");
  EXPECT_EQ(TextAt(canvas.calls, Col(0) + 2 * kCell + kCell / 2, Line(12)), "");
  EXPECT_EQ(TextAt(canvas.calls, Col(0) + 3 * kCell, Line(12)), "10Sec");
  EXPECT_EQ(TextAt(canvas.calls, Col(0) + 5 * kCell, Line(12)), "75Sec");
  EXPECT_EQ(TextAt(canvas.calls, Col(40), Line(14)), "Interconnect Setting");
  // The mobile strip stands a line lower.
  const int values = Mobile() ? 17 : 16;
  EXPECT_EQ(TextAt(canvas.calls, Col(0) + rest * kCell, Line(values)), "7.0min");
  EXPECT_EQ(TextAt(canvas.calls, Col(0) + (3 + rest) * kCell + kCell / 2 - 31 / 2, Line(values)), "*");
  // One empty line, then the repeater table half a cell right of the strips.
  const int repeater = values + 2;
  EXPECT_EQ(TextAt(canvas.calls, Col(23) + 40 * 31 - 23, Line(repeater)), "Repeater");
  const int row = Line(repeater + 3);
  const int w = 14 * 31;
  EXPECT_EQ(TextAt(canvas.calls, Col(23), row), " 3");
  EXPECT_EQ(TextAt(canvas.calls, Col(23) + w, row), "  6");
  EXPECT_EQ(TextAt(canvas.calls, Col(23) + 5 * w, row), "Enable");
  EXPECT_EQ(TextAt(canvas.calls, Col(23) + 7 * w, row), "Normal");
  // A channel past the table keeps its row, without frequencies.
  const int next = row + 99;
  EXPECT_EQ(TextAt(canvas.calls, Col(23), next), " 5");
  EXPECT_EQ(TextAt(canvas.calls, Col(23) + w, next), "701");
  EXPECT_EQ(TextAt(canvas.calls, Col(23) + 2 * w, next), "");
  EXPECT_EQ(TextAt(canvas.calls, Col(23) + 4 * w, next), "");
  EXPECT_EQ(TextAt(canvas.calls, Col(23) + 8 * w, next), "Invert");
  // Two lines on, the group table half a cell left of the repeater table.
  EXPECT_EQ(TextAt(canvas.calls, Col(23) - kCell / 2 + 40 * 31 - 23, next + 3 * 99), "Group Setting");
  EXPECT_EQ(TextAt(canvas.calls, Col(23) - kCell / 2, next + 10 * 99), "GRP.   1");
  EXPECT_EQ(TextAt(canvas.calls, Col(23) - kCell / 2, next + 12 * 99), "GRP.   3");
}

TEST_P(ZonePrint, ValueTextsOfTheZoneAndItsGroups) {
  UseZone(0, 4, false);
  UseZone(1, 2, true);
  const CFamilyModel& m = model();
  struct Case {
    const char* what;
    std::function<void()> set;
    std::function<std::string()> text;
    std::string expected;
  };
  const Case cases[] = {
      {"home 0", [&] { Byte(2, 1) = 0; }, [&] { return zone_print::HomeChannel(m, 1); }, "None"},
      {"home 21", [&] { Byte(2, 1) = 21; data().m_repeaters[1].fill(1); }, [&] { return zone_print::HomeChannel(m, 1); }, "None"},
      {"home on an empty slot", [&] { Byte(2, 1) = 2; data().m_repeaters[1].fill(0x3FF); }, [&] { return zone_print::HomeChannel(m, 1); }, "None"},
      {"home 20", [&] { Byte(2, 1) = 20; data().m_repeaters[1][19] = 4; }, [&] { return zone_print::HomeChannel(m, 1); }, "20"},
      {"revert none", [&] { Byte(10, 1) = 255; }, [&] { return zone_print::RevertGroup(m, 1); }, "None"},
      {"revert", [&] { Byte(10, 1) = 1; }, [&] { return zone_print::RevertGroup(m, 1); }, "Grp  6"},
      {"revert past the groups", [&] { Byte(10, 1) = 250; }, [&] { return zone_print::RevertGroup(m, 1); }, "None"},
      {"dial", [&] { Byte(2, 0) = 0x31; Byte(3, 0) = 0xEF; }, [&] { return zone_print::ConnectDial(m, 0); }, "1*#            "},
      {"no dial", [&] { Byte(2, 0) = 0x01; }, [&] { return zone_print::ConnectDial(m, 0); }, std::string(15, ' ')},
      {"busy 2", [&] { data().m_groups[0].channelWord = 0x2000; }, [&] { return zone_print::BusyLockout(m, 0); }, "C"},
      {"busy 3", [&] { data().m_groups[0].channelWord = 0x3000; }, [&] { return zone_print::BusyLockout(m, 0); }, "I"},
      {"busy 1", [&] { data().m_groups[0].channelWord = 0x1000; }, [&] { return zone_print::BusyLockout(m, 0); }, "B"},
      {"power 4", [&] { data().m_groups[0].settings[0] = 4; }, [&] { return zone_print::SecondTxPower(m, 0); }, Mobile() ? "LH" : "L"},
      {"power 7", [&] { data().m_groups[0].settings[0] = 7; }, [&] { return zone_print::SecondTxPower(m, 0); }, ""},
      {"rx NONE", [&] { data().m_groups[0].settings[2] = 0x01; data().m_groups[0].settings[5] = 3; }, [&] { return zone_print::ToneCode(m, 0, true); }, ""},
      {"ctcss 50", [&] { data().m_groups[0].settings[2] = 0x08; data().m_groups[0].settings[5] = 50; }, [&] { return zone_print::ToneCode(m, 0, true); }, ""},
      {"dcs 106", [&] { data().m_groups[0].settings[2] = 0x02; data().m_groups[0].settings[4] = 106; }, [&] { return zone_print::ToneCode(m, 0, false); }, ""},
      {"dcs invert", [&] { data().m_groups[0].settings[2] = 0x07; }, [&] { return zone_print::ToneType(m, 0, false); }, "DCS Invert"},
      {"paging digit", [&] { data().m_groups[0].settings[1] = 0x10 | 9; }, [&] { return zone_print::Paging(m, 0); }, "0"},
      {"paging off", [&] { data().m_groups[0].settings[1] = 3; }, [&] { return zone_print::Paging(m, 0); }, ""},
  };
  for (const Case& c : cases) {
    c.set();
    EXPECT_EQ(c.text(), c.expected) << c.what;
  }
}

TEST_P(ZonePrint, TheSaveColumnsFollowTheRadioKind) {
  UseZone(0, 1, true);
  Print();
  EXPECT_TRUE(PlacesOf(canvas.calls, "RX save").empty());
  EXPECT_TRUE(PlacesOf(canvas.calls, "Paging Function").empty());
  EXPECT_EQ(PlacesOf(canvas.calls, "Flat AF").size(), Mobile() ? 1u : 0u);
  canvas.calls.clear();
  g_mobileData.m_productWord = 0x20u << 8;
  g_portableModel.global.modelByte = 0;
  data().m_groups[0].settings[1] = 0x10;  // paging
  Print();
  EXPECT_EQ(PlacesOf(canvas.calls, "RX save").size(), 1u);
  EXPECT_EQ(PlacesOf(canvas.calls, "Paging Function").size(), 1u);
  EXPECT_EQ(PlacesOf(canvas.calls, "V").size(), 1u);  // its mark
}

TEST_P(ZonePrint, LongTablesGoOnOnNewPagesAndStayOnThePage) {
  UseZone(0, 200, true);
  for (int r = 0; r < 20; ++r) data().m_repeaters[0][static_cast<std::size_t>(r)] = static_cast<std::uint16_t>(r);
  UseZone(1, 50, false);
  Print();
  EXPECT_GE(pages, 5);
  EXPECT_EQ(FirstOutside(canvas.calls, canvas.page.width * 2, canvas.page.height, 31, 75), "");
  // The group rows go on at the first line of the next page, without headings.
  const std::vector<std::string> second = Page(2);
  ASSERT_FALSE(second.empty());
  EXPECT_EQ(second[1].substr(0, 5), "Rect ");
  EXPECT_TRUE(PlacesOf(second, "Group").empty());
  EXPECT_NE(std::find_if(second.begin(), second.end(),
                         [](const std::string& c) { return c.find(std::to_string(Line(2)) + " \"GRP.") != std::string::npos; }),
            second.end());
  // The conventional zone starts its own page.
  int zone2 = 0;
  for (int n = 1; n <= pages; ++n)
    if (TextAt(Page(n), Col(0), Line(2)) == "Zone No. 002") zone2 = n;
  EXPECT_GT(zone2, 2);
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, ZonePrint, ::testing::Values(kMobile, kPortable));
