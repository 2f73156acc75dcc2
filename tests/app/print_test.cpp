#include <QAction>
#include <QTabBar>
#include <cstring>

#include "PrintFixture.h"
#include "PrintedText.h"
#include "RecordingCanvas.h"
#include "app/PrintTables.h"
#include "framework/QtPrintCanvas.h"
#include "model/GlobalRecordFields.h"
#include "model/DtmfData.h"
#include "model/GlobalRecordText.h"
#include "model/ZoneGroups.h"
#include "model/ZoneSettingsText.h"
#include "pages/radio/Global1Page.h"
#include "pages/radio/Global2Page.h"
#include "pages/radio/MobileSpecialPage.h"
#include "pages/PageBase.h"
#include "ProgramState.h"

TEST_F(PrintTest, GlobalPrintsBothTablesSideBySideAndTheMobileSpecialTableAfter) {
  StartWith(kMobile);
  const std::string pdf = Pdf("global.pdf");
  dlg->RunCommand(kCmdPrintGlobal);
  EXPECT_TRUE(msgs.texts().empty());
  ASSERT_EQ(PdfPages(pdf), 2);
  const std::string first = PdfText(pdf, 1);
  for (const char* text : {"MODEL", "Audible Sounds", "Emergency", "Short cut #4", "Radio Advanced Setting"})
    EXPECT_NE(first.find(text), std::string::npos) << text;
  const std::string second = PdfText(pdf, 2);
  for (const char* text : {"Miscellaneous", "DSUB-15 Port", "DSUB-15 Group Switch Table"})
    EXPECT_NE(second.find(text), std::string::npos) << text;
}

TEST_F(PrintTest, APortableGlobalPrintIsOnePage) {
  StartWith(kPortable);
  const std::string pdf = Pdf("global.pdf");
  printer.paper = QPageSize::Letter;
  dlg->RunCommand(kCmdPrintGlobal);
  ASSERT_EQ(PdfPages(pdf), 1);
  EXPECT_NE(PdfText(pdf).find("Rotary Switch mode"), std::string::npos);
}

TEST_F(PrintTest, TheGlobalPrintShowsThePasswordAsThePageWouldWithoutMarkingTheDataChanged) {
  StartWith(kMobile);
  CGlobalRecord& g = g_mobileModel.global;
  std::memcpy(g.radioPassword.data(), "SECRET12", 8);
  Resolve(g, global::kClone).Set(1);
  g_dataModified = 0;
  const std::string pdf = Pdf("global.pdf");
  dlg->RunCommand(kCmdPrintGlobal);
  EXPECT_NE(PdfText(pdf, 1).find("SECRET12"), std::string::npos);
  EXPECT_EQ(ValueOf(g, global::kClone), 0u);
  EXPECT_EQ(g.passwordText, "SECRET12");
  EXPECT_EQ(g_dataModified, 0);
}

TEST_F(PrintTest, ACancelledDialogPrintsNothing) {
  StartWith(kMobile);
  dlg->RunCommand(kCmdPrintGlobal);
  EXPECT_EQ(printer.asked, 1);
  EXPECT_TRUE(msgs.texts().empty());
}

TEST_F(PrintTest, APrintThatCannotStartSaysWhyAndChangesNothing) {
  StartWith(kMobile);
  printer.path = dir.File("no/such/folder/global.pdf");
  dlg->RunCommand(kCmdPrintGlobal);
  ASSERT_EQ(msgs.texts().size(), 1u);
  EXPECT_NE(msgs.texts()[0].find("no/such/folder/global.pdf"), std::string::npos) << msgs.texts()[0];

  // The key page's picture: the flag is down and the tab back as it was.
  msgs.clear();
  dlg->SelectTab(1);
  dlg->RunCommand(kCmdPrintKey);
  ASSERT_EQ(msgs.texts().size(), 1u);
  EXPECT_EQ(g_printingKeyPage, 0);
  EXPECT_EQ(dlg->CurrentTab(), 1);
  EXPECT_EQ(ShownSlot(), PageSlot::kMobileGlobal2);
}

TEST_F(PrintTest, ADocumentThatDrawsNothingStartsNoJob) {
  StartWith(kMobile);
  const std::string pdf = Pdf("empty.pdf");
  EXPECT_FALSE(PrintDocument(kTablePointTenths, [](IPrintCanvas& canvas, const PrintLayout&) {
    canvas.StartPage();
    canvas.EndPage();
  }));
  EXPECT_EQ(msgs.texts(), std::vector<std::string>{"Nothing to print"});
  EXPECT_FALSE(FileExists(pdf));
}

TEST_F(PrintTest, KeyPrintsAPictureOfTheKeyAssignmentPageAndSwitchesBack) {
  StartWith(kMobile);
  dlg->SelectTab(5);
  const int shownBefore = dlg->CurrentTab();
  const std::string pdf = Pdf("key.pdf");
  dlg->RunCommand(kCmdPrintKey);
  EXPECT_TRUE(msgs.texts().empty());
  EXPECT_EQ(PdfPages(pdf), 1);
  EXPECT_EQ(CommandOutput("pdfimages -list '" + pdf + "' | tail -n +3 | wc -l"), "1\n");
  EXPECT_EQ(dlg->CurrentTab(), shownBefore);
  EXPECT_EQ(g_printingKeyPage, 0);
}

TEST(PrintPlacement, APictureStandsAtFiftyWithSixUnitsAPixelAndShrinksToFitThePage) {
  EXPECT_EQ(PicturePlacement(PrintImage{500, 300, {}}), (PrintRect{50, 50, 3000, 1800}));
  RecordingCanvas canvas;  // 4800 by 6350
  const PrintImage wide{1000, 600, std::vector<std::uint32_t>(600000)};
  const PrintRoutine routine = [&wide](IPrintCanvas& c, const PrintLayout&) { PrintPicture(c, wide); };
  const PrintPlan plan = PlanPrint(canvas, kTablePointTenths, routine);
  canvas.calls.clear();
  EXPECT_EQ(DrawPrint(canvas, kTablePointTenths, plan, routine), 1);
  EXPECT_EQ(FirstOutside(canvas.calls, 4800, 6350, 31, 75), "");
  EXPECT_THROW(PrintPicture(canvas, PrintImage{}), std::runtime_error);
}

// Zone 0 an LTR zone with 20 repeaters and 200 groups, zone 1 a conventional one with 50.
void FillZones(CRadioDataCore& data) {
  data.m_zoneFlags.fill(0);
  data.m_groupCounts.fill(0);
  data.m_zoneFlags[0] = data.m_zoneFlags[1] = 1;
  data.m_groupCounts[0] = 200;
  data.m_groupCounts[1] = 50;
  data.m_zoneBytes[12][0] = 0x04;
  data.m_zoneBytes[12][1] = 0x08;
  for (int r = 0; r < 20; ++r) data.m_repeaters[0][static_cast<std::size_t>(r)] = static_cast<std::uint16_t>(r);
}

// Every channel in use.
void FillChannels() {
  for (auto& c : g_mobileData.m_channels) c.SetProgrammed(true);
  for (auto& c : g_portableData.m_channels) c.SetProgrammed(true);
}

TEST_F(PrintTest, EveryTableLiesWithinTheA4AndLetterPaintableArea) {
  // The paintable area at 600 dpi with 6.35 mm margins.
  const PrintPageMetrics papers[] = {{4811, 6866, 600, 600}, {4950, 6450, 600, 600}};
  FreshProgramState fresh;
  for (const Family family : {kMobile, kPortable}) {
    FillZones(ModelOf(family).radioData);
    FillChannels();
    for (const PrintKind kind : {PrintKind::kGlobal, PrintKind::kZone, PrintKind::kRfChannels, PrintKind::kDtmf,
                                 PrintKind::kFiveToneTable, PrintKind::kFiveToneCodes}) {
      const PrintRoutine routine = PrintRoutineOf(kind, ModelOf(family));
      ASSERT_TRUE(routine);
      for (const PrintPageMetrics& paper : papers) {
        RecordingCanvas canvas;
        canvas.page = paper;
        canvas.metrics = {100, 0, 45};  // a font wider than the tables were drawn for
        const PrintPlan plan = PlanPrint(canvas, PrintPointTenths(kind), routine);
        canvas.calls.clear();
        DrawPrint(canvas, PrintPointTenths(kind), plan, routine);
        EXPECT_EQ(FirstOutside(canvas.calls, paper.width, paper.height, 45, 100), "")
            << family << " kind " << static_cast<int>(kind) << " paper " << paper.width;
      }
    }
  }
}

TEST_F(PrintTest, ZonePrintsAPageOrMoreForEachZoneInUseAndNothingWithoutOne) {
  StartWith(kMobile);
  FillZones(g_mobileData);
  const std::string pdf = Pdf("zone.pdf");
  dlg->RunCommand(kCmdPrintZone);
  EXPECT_TRUE(msgs.texts().empty());
  EXPECT_GE(PdfPages(pdf), 4);
  const std::string text = PdfText(pdf, 1);
  for (const char* t : {"Zone No. 001", "LTR Advanced features", "Interconnect Setting", "Repeater", "Group Setting", "GRP."})
    EXPECT_NE(text.find(t), std::string::npos) << t;

  g_mobileData.m_zoneFlags.fill(0);
  const std::string none = Pdf("none.pdf");
  dlg->RunCommand(kCmdPrintZone);
  EXPECT_EQ(msgs.texts(), std::vector<std::string>{"Nothing to print"});
  EXPECT_FALSE(FileExists(none));
}

TEST_F(PrintTest, EachTableCommandPrintsItsTableOfEitherFamily) {
  struct Kind {
    int command;
    const char* text;
    int pages;
  };
  // The full channel list runs to several pages, however many rows a page holds.
  const Kind kinds[] = {{kCmdPrintRfChannels, "RX Freq.", -1},
                        {kCmdPrintDtmf, "Individual Dial Memory setting", 1},
                        {kCmdPrintFiveToneTable, "5-Tone Common/System", 1},
                        {kCmdPrintFiveToneCodes, "5-Tone Decode", 1}};
  for (const Family family : {kMobile, kPortable}) {
    StartWith(family);
    FillChannels();
    for (const Kind& k : kinds) {
      const std::string pdf = Pdf(std::to_string(k.command) + (family == kMobile ? "m" : "p") + ".pdf");
      dlg->RunCommand(k.command);
      EXPECT_TRUE(msgs.texts().empty()) << k.text;
      if (k.pages > 0)
        EXPECT_EQ(PdfPages(pdf), k.pages) << k.text << " " << family;
      else
        EXPECT_GE(PdfPages(pdf), 3) << k.text << " " << family;
      EXPECT_NE(PdfText(pdf, 1).find(k.text), std::string::npos) << k.text << " " << family;
    }
  }
}

namespace {

// Every list of a radio-wide page set to its longest text, and the other
// fields to the longest texts they print.
template <class Rows>
void TakeLongestChoices(CFamilyModel& model, const Rows& rows) {
  for (const auto& row : rows) {
    const Choices choices = row.ChoicesOf(model.family);
    if (choices.empty()) continue;
    const Choice* longest = &choices.front();
    for (const Choice& c : choices)
      if (std::strlen(c.text) > std::strlen(longest->text)) longest = &c;
    Resolve(model.global, row.field).Set(longest->value);
  }
}

void FillLongestTexts(CFamilyModel& model) {
  TakeLongestChoices(model, Global1Rows());
  TakeLongestChoices(model, Global2Rows());
  if (model.family == kMobile) TakeLongestChoices(model, MobileSpecialRows());
  CGlobalRecord& g = model.global;
  StoreEmergencyCode(g, "123456789ABCD*#");
  StorePassword(g, "WWWWWWWW");
  g.ledOnTime = 255;
  g.ledOffTime = 255;
  const std::string digits(kDtmfMaxDigits, '#');
  model.dtmf.StoreAniCode(digits);
  std::uint8_t packed[kDtmfStringBytes] = {};
  DtmfStringFromText(digits, packed);
  for (int m = 0; m < kDialMemories; ++m) {
    model.dtmf.SetDialMemory(m, packed);
    std::memcpy(model.dtmf.dialTags[m], "WWWWWWWW", kDialTagLength);
  }
  for (auto* pair : {&g.emergencyZone, &g.homeZone, &g.shortcut1Zone, &g.shortcut2Zone, &g.shortcut3Zone,
                     &g.shortcut4Zone, &g.dataZone})
    *pair = 0;
  // The zone print's tags, aliases and dials, in the widest letters they take.
  CRadioDataCore& data = model.radioData;
  for (std::size_t n = 0; n < data.m_groups.size(); ++n)
    std::memcpy(data.m_groups[n].tag.data(), n % 2 == 0 ? "WWWWWWWW" : "MMMMMMMM", 8);
  for (int z = 0; z < kZoneCount; ++z) {
    std::memcpy(data.m_zoneNames[static_cast<std::size_t>(z)].data(), z % 2 == 0 ? "WWWWWWWW" : "MMMMMMMM", 8);
    if (ZoneKindOf(data, z) == ZoneKind::kConventional) StoreConnectDial(data, z, std::string(kConnectDialDigits, 'D'));
  }
}

}  // namespace

// Each print of each family, measured in the print's own font at the
// printer's resolution, from the default files and the hand-made edge
// files, as loaded and with the longest texts the fields hold: no text
// overprints another or runs over a box's edge.
TEST_F(PrintTest, EveryPrintKeepsEachTextClearOfTheOthersAndInsideItsBox) {
  const std::string data = std::string(RP58_SOURCE_DIR) + "/tests/data/";
  for (const std::string file : {"", "mobile-uhf-radio-wide.K58", "mobile-vhf-edges.K58",
                                 "mobile-uhf-pairs-beyond-zones.K58", "", "portable-uhf-edges.P58",
                                 "portable-vhf-radio-wide.P58"}) {
    static int defaults = 0;
    if (file.empty()) {
      StartWith(defaults++ % 2 == 0 ? kMobile : kPortable);
    } else {
      ASSERT_FALSE(Start({data + file})) << file;
    }
    const Family family = g_isPortable != 0 ? kPortable : kMobile;
    CFamilyModel& model = ModelOf(family);
    for (const bool longest : {false, true}) {
      if (longest) FillLongestTexts(model);
      for (const PrintKind kind : {PrintKind::kGlobal, PrintKind::kZone, PrintKind::kRfChannels, PrintKind::kDtmf,
                                   PrintKind::kFiveToneTable, PrintKind::kFiveToneCodes}) {
        SCOPED_TRACE((file.empty() ? std::string(family == kMobile ? "mobile" : "portable") : file) + " print " +
                     std::to_string(static_cast<int>(kind)) + (longest ? " longest texts" : " as loaded"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setResolution(600);
        QtMeasureCanvas measure(&printer);
        RecordingCanvas canvas;
        canvas.measure = &measure;
        canvas.page = measure.PageMetrics();
        const PrintPlan plan = PlanPrint(canvas, PrintPointTenths(kind), PrintRoutineOf(kind, model));
        EXPECT_GT(plan.pages, 0);
        EXPECT_EQ(Overprints(canvas), std::vector<std::string>{});
      }
    }
  }
}
