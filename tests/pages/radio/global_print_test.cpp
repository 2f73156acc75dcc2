#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "PrintedText.h"
#include "ProgramState.h"
#include "RecordingCanvas.h"
#include "app/PrintTables.h"
#include "model/FamilyModel.h"
#include "model/GlobalRecordFields.h"
#include "pages/radio/RadioPrints.h"

namespace {

// The recording canvas's font: u = 31, x0 = 124, h = 99, p = 12.
class GlobalPrint : public ::testing::Test {
protected:
  void SetUp() override {
    g_mobileData.m_productWord = 11u << 8;
    g_portableData.m_productWord = 0x20u << 8;
  }

  // The whole "&Global" document of the family.
  void Print(Family family) {
    CPagedCanvas paged(canvas);
    PrintRoutineOf(PrintKind::kGlobal, ModelOf(family))(paged, RecordingLayout(canvas));
    paged.EndPage();
    pages = paged.Pages();
  }
  // Column c of the left (or right) table on line n.
  std::optional<std::string> At(int c, int n, bool right = false) const {
    return TextAt(canvas.calls, 124 + (right ? 55 * 31 : 0) + c * 31, 12 + n * 99);
  }
  std::optional<std::string> Right(int c, int n) const { return At(c, n, true); }

  FreshProgramState fresh;
  RecordingCanvas canvas;
  int pages = 0;
};

}  // namespace

TEST_F(GlobalPrint, MobileValuesPrintAsThePrintedTableWordsThem) {
  CGlobalRecord& g = g_mobileModel.global;
  g.modelCode = kFamilyMobileUhf;
  g.dualWatchTimeA = 8;     // no choice holds it: the first
  g.dualWatchTimeB = 50;
  Resolve(g, global::kTagging).Set(1);  // no choice: an empty box
  g.microphoneSens = 0x39;
  g.beepLevel = 0x33;       // the last choice
  g.ledOnTime = 255;
  g.ledOffTime = 0;
  Resolve(g, global::kQalsBeep).Set(1);
  Resolve(g, global::kRevertGroup).Set(2);
  Resolve(g, global::kOffHookHorn).Set(0);
  g.emergencyZone = 0;
  g.emergencyGroup = 9;
  g.shortcut1Zone = 0;
  g.shortcut1Group = 0;
  g.homeZone = kNoZone;
  g.homeGroup = 4;
  Resolve(g, global::kDataMode).Set(3);
  Resolve(g, global::kPowerOnStatus).Set(3);
  Print(kMobile);

  EXPECT_EQ(pages, 2);
  EXPECT_EQ(At(0, 2), "MODEL");
  EXPECT_EQ(At(10, 2), "TM-6600-KS8B-50(UHF)");
  EXPECT_EQ(At(8, 4), "Zone./Grp. Tagging");
  EXPECT_EQ(At(10, 5), "");
  EXPECT_EQ(At(28, 9), "2550msec");
  EXPECT_EQ(At(28, 10), "0msec");
  EXPECT_EQ(At(26, 13), "-3db");
  EXPECT_EQ(At(26, 14), "High");
  EXPECT_EQ(At(26, 18), "on");
  EXPECT_EQ(At(26, 23), "Enable");
  EXPECT_EQ(At(32, 27), "0.7sec");
  EXPECT_EQ(At(32, 28), "5.0sec");
  EXPECT_EQ(At(32, 33), "Last Busy");
  EXPECT_EQ(At(0, 37), "Password");
  // Global 2 on the same page, 55 characters to the right, from line 2.
  EXPECT_EQ(Right(0, 2), "Emergency");
  EXPECT_EQ(Right(26, 2), "Sys  1");
  EXPECT_EQ(Right(36, 2), "Grp 10");
  EXPECT_EQ(Right(26, 19), "Zone 1");  // Power On Status: any value but 0
  EXPECT_EQ(Right(28, 32), "Enable");  // Data Mode 3
  EXPECT_EQ(Right(0, 36), "Home");
  EXPECT_EQ(Right(28, 36), "None");
  EXPECT_EQ(Right(28, 37), "None");
  EXPECT_EQ(Right(28, 39), "Zone  1");
  EXPECT_EQ(Right(28, 40), "Grp  1");
  EXPECT_EQ(Right(0, 51), "Data");
  // Frames: Global 1 groups 45 characters wide, Global 2 50.
  EXPECT_NE(std::find(canvas.calls.begin(), canvas.calls.end(), "Rect 124,1180,1519,1898"), canvas.calls.end());
  EXPECT_NE(std::find(canvas.calls.begin(), canvas.calls.end(), "Rect 1829,190,3379,1700"), canvas.calls.end());
}

TEST_F(GlobalPrint, AMobileRadioOfAnotherProductHasNoDataGroupAndNoModelName) {
  g_mobileModel.global.modelCode = kFamilyMobileUhf;
  g_mobileData.m_productWord = 0x20u << 8;
  Print(kMobile);
  EXPECT_EQ(At(10, 2), "");
  EXPECT_TRUE(PlacesOf(canvas.calls, "Data").empty());
  EXPECT_EQ(Right(0, 48), "Short cut #4");
}

TEST_F(GlobalPrint, TheMobileSpecialTableStandsOnTheSecondPage) {
  CGlobalRecord& g = g_mobileModel.global;
  g.hornExtPttBits = 7 << 4;
  g.afMinVrLevel = 17;
  g.accInput[0] = 3;       // ACC1: Hook
  g.accOutput[1] = 5;      // ACC2: Horn Alert
  g.accInput[2] = 25;      // Data mode on ACC3: the list shows None
  g.accOutput[4] = 7;      // ACC5: PTT
  g.accInput[4] = 25;      // ACC6: Data mode
  g.dsubZone = kNoZone;
  Print(kMobile);
  const auto second = std::find(canvas.calls.begin(), canvas.calls.end(), "EndPage");
  ASSERT_NE(second, canvas.calls.end());
  const std::vector<std::string> page2(second, canvas.calls.end());
  EXPECT_EQ(TextAt(page2, 124, 12 + 2 * 99), "Miscellaneous");
  EXPECT_EQ(TextAt(page2, 124 + 26 * 31, 12 + 4 * 99), "3 min");
  EXPECT_EQ(TextAt(page2, 124 + 26 * 31, 12 + 6 * 99), "17");
  const auto acc = [&](int k, int c) { return TextAt(page2, 124 + c * 31, 12 + (9 + k) * 99); };
  EXPECT_EQ(acc(0, 16), "Input");
  EXPECT_EQ(acc(0, 27), "Hook");
  EXPECT_EQ(acc(1, 16), "Output");
  EXPECT_EQ(acc(1, 27), "Horn Alert");
  EXPECT_EQ(acc(2, 27), "None");
  EXPECT_EQ(acc(3, 16), "---");
  EXPECT_EQ(acc(3, 27), "---");
  EXPECT_EQ(acc(4, 16), "Output");
  EXPECT_EQ(acc(5, 16), "Input");
  EXPECT_EQ(acc(5, 27), "Data mode");
  EXPECT_EQ(TextAt(page2, 124 + 63 * 31, 12 + 3 * 99), "None");
  EXPECT_EQ(TextAt(page2, 124 + 83 * 31, 12 + 11 * 99), "None");
  EXPECT_EQ(TextAt(page2, 124 + 75 * 31, 12 + 11 * 99), "#15");
}

TEST_F(GlobalPrint, PortableValuesAndTheLastLine) {
  CGlobalRecord& g = g_portableModel.global;
  g.modelCode = kFamilyPortableVhf;
  g.modelByte = 0x20;
  g.sqlLevelOffset = 200;
  Resolve(g, global::kPowerOnStatus).Set(5);
  g.emergencyZone = kNoZone;
  g.emergencyGroup = 3;
  g.shortcut4Zone = 1;
  g.shortcut4Group = 7;
  std::memcpy(g.emergencyCode.data(), "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 8);
  Print(kPortable);

  EXPECT_EQ(pages, 1);
  EXPECT_EQ(At(10, 2), "TP-741A(VHF)");
  EXPECT_EQ(At(8, 6), "Beep Level");
  EXPECT_EQ(At(0, 16), "Microphone Hook Function");
  EXPECT_EQ(At(3, 35), "Rotary Switch mode");
  EXPECT_EQ(Right(26, 2), "None");
  EXPECT_EQ(Right(36, 2), "None");
  EXPECT_EQ(Right(26, 14), "System 1");
  EXPECT_EQ(Right(28, 26), "12");
  EXPECT_EQ(Right(0, 42), "Short cut #4");
  EXPECT_EQ(Right(28, 42), "Sys  2");
  EXPECT_EQ(Right(28, 43), "Grp  8");
  EXPECT_FALSE(Right(8, 44).has_value());
  EXPECT_TRUE(PlacesOf(canvas.calls, "Data").empty());
}

TEST_F(GlobalPrint, APortableRadioWithoutTheMicrophoneBitLeavesItsLinesOut) {
  g_portableModel.global.modelByte = 0x00;
  Print(kPortable);
  EXPECT_TRUE(PlacesOf(canvas.calls, "Beep Level").empty());
  EXPECT_TRUE(PlacesOf(canvas.calls, "Microphone Hook Function").empty());
  EXPECT_EQ(At(8, 5), "Scan Beep");
  EXPECT_EQ(At(0, 14), "Scan Function");
  EXPECT_EQ(At(0, 27), "Handheld");
  // "Audible Sounds" frames its heading and four settings.
  EXPECT_NE(std::find(canvas.calls.begin(), canvas.calls.end(), "Rect 124,388,1519,908"), canvas.calls.end());
}
