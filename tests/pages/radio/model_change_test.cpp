#include <sys/stat.h>

#include "Global1Fixture.h"
#include "model/BandRecord.h"
#include "model/DataFile.h"
#include "model/ModelChange.h"
#include "model/RadioModels.h"

namespace {

// The program folder of a model change: the working directory, with the
// shipped default files in Data/ or without them.
void LayOutDefaultFiles(const TempDir& dir) {
  ::mkdir(dir.File("Data").c_str(), 0755);
  for (const char* name : {kDefaultMobileUhfFile, kDefaultMobileVhfFile, kDefaultPortableUhfFile, kDefaultPortableVhfFile})
    WriteWholeFile(dir.File(name), ReadWholeFile(std::string(RP58_PROGRAM_DIR) + "/" + name));
}

constexpr std::uint32_t kChannel1[] = {45000000, 13400000, 45000000, 14600000};

class ModelChange : public Global1Fixture {
protected:
  void SetUp() override {
    Global1Fixture::SetUp();
    // A radio of the page's own family with a stored password and a channel.
    Record().modelCode = family == kMobile ? kFamilyMobileUhf : kFamilyPortableUhf;
    Record().modelByte = family == kMobile ? 0x2F : 0x3F;
    page->RefreshFromData();
    host.messages.clear();
  }
  // What the user does: picks the row, then the deferred change runs.
  void ChooseModel(int row) {
    UserChooses(Control<QComboBox>(global1::kModel), row);
    Settle();
  }
  std::uint32_t Channel1Rx(Family f) const {
    return f == kMobile ? g_mobileData.m_channels[0].m_rxFrequency : g_portableData.m_channels[0].m_rxFrequency;
  }
  std::uint32_t Channel1Tx(Family f) const {
    return f == kMobile ? g_mobileData.m_channels[0].m_txFrequency : g_portableData.m_channels[0].m_txFrequency;
  }
  bool ModelChangedSent(int row) const {
    return !host.messages.empty() && host.messages.back() == RecordedMessage{UM_MODEL_CHANGED, 0, row};
  }
};

TEST_P(ModelChange, EveryModelLoadsItsDefaultFileAndTakesItsFamily) {
  TempDir dir;
  LayOutDefaultFiles(dir);
  for (int row : {1, 2, 3, 0}) {
    if (row == page->ModelIndex()) continue;
    const ModelChoice model = ModelChoiceOfRow(row);
    g_dataModified = 0;
    g_portableModelChange = 0;
    ChooseModel(row);
    EXPECT_TRUE(ModelChangedSent(row)) << row;
    EXPECT_EQ(g_isPortable, row >= 2 ? 1 : 0) << row;
    EXPECT_EQ(g_pRadioImage[area::kFamilyCode], model.code) << row;  // the model's own default file
    EXPECT_EQ(g_dataModified, 0) << row;
    EXPECT_TRUE(messages.texts().empty()) << row;
    EXPECT_EQ(g_portableModelChange, family == kPortable ? 1 : 0) << row;
    // The page shows the chosen model until the main window replaces it.
    EXPECT_EQ(Record().modelCode, model.code) << row;
    EXPECT_EQ(Record().modelByte, row < 2 ? 0x20 : 0x30) << row;
    EXPECT_EQ(Control<QComboBox>(global1::kModel)->currentIndex(), row) << row;
    if (model.family == family) {
      EXPECT_EQ(Channel1Rx(family), kChannel1[row]) << row;
      EXPECT_EQ(Channel1Tx(family), kChannel1[row]) << row;
    }
  }
}

TEST_P(ModelChange, TheSaveQuestionCanStopItAndAFailedSaveStopsItToo) {
  TempDir dir;
  LayOutDefaultFiles(dir);
  const int other = family == kMobile ? 3 : 1;  // a model of the other family
  struct Case {
    const char* what;
    int answer;
    bool saveSucceeds;
    bool goesOn;
  } cases[] = {
      {"Cancel", kIdCancel, true, false},
      {"Yes, save fails", kIdYes, false, false},
      {"No", kIdNo, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_isPortable = family == kPortable ? 1 : 0;
    Record().modelCode = family == kMobile ? kFamilyMobileUhf : kFamilyPortableUhf;
    Record().modelByte = family == kMobile ? 0x2F : 0x3F;
    page->RefreshFromData();
    Record().displayOptions = 0x5A;  // an unsaved change
    g_dataModified = 1;
    g_portableModelChange = 0;
    std::fill(g_pRadioImage, g_pRadioImage + kImageSize, 0xA5);
    host.messages.clear();
    messages.clear();
    messages.Answer(c.answer);
    mainDlg.saveSucceeds = c.saveSucceeds;
    ChooseModel(other);
    ASSERT_EQ(messages.texts().size(), 1u);
    EXPECT_EQ(messages.texts()[0], "Save changes to RADIO.K58?");
    EXPECT_EQ(ModelChangedSent(other), c.goesOn);
    EXPECT_EQ(g_isPortable, (family == kPortable) != c.goesOn ? 1 : 0);
    if (!c.goesOn) {
      EXPECT_EQ(g_dataModified, 1);
      EXPECT_EQ(Record().displayOptions, 0x5A);
      EXPECT_EQ(g_pRadioImage[area::kFamilyCode], 0xA5);
      EXPECT_EQ(g_portableModelChange, 0);  // a stale flag would pick the wrong page later
      EXPECT_EQ(Control<QComboBox>(global1::kModel)->currentIndex(), family == kMobile ? 0 : 2);
    }
  }
  // Yes with a save that works goes on.
  g_isPortable = family == kPortable ? 1 : 0;
  Record().modelCode = family == kMobile ? kFamilyMobileUhf : kFamilyPortableUhf;
  page->RefreshFromData();
  g_dataModified = 1;
  messages.Answer(kIdYes);
  mainDlg.saveSucceeds = true;
  const int saves = mainDlg.saves;
  ChooseModel(other);
  EXPECT_EQ(mainDlg.saves, saves + 1);
  EXPECT_TRUE(ModelChangedSent(other));
}

TEST_P(ModelChange, CancelShowsTheRecordsModelAgainWhateverItsModelByte) {
  // A model byte of neither family: the list shows the model by its code.
  const int own = family == kMobile ? 0 : 2;
  Record().modelByte = 0xFF;
  page->RefreshFromData();
  ASSERT_EQ(Control<QComboBox>(global1::kModel)->currentIndex(), own);
  g_dataModified = 1;
  messages.Answer(kIdCancel);
  ChooseModel(own + 1);
  EXPECT_FALSE(ModelChangedSent(own + 1));
  EXPECT_EQ(Control<QComboBox>(global1::kModel)->currentIndex(), own);
  // Picking the model shown is no change: no question, nothing sent.
  messages.clear();
  ChooseModel(own);
  EXPECT_TRUE(messages.texts().empty());
  EXPECT_TRUE(host.messages.empty());
}

TEST_P(ModelChange, WithoutTheDefaultFileTheRecordsGoBackToTheModelsDefaults) {
  TempDir dir;  // no Data/ folder
  const int same = family == kMobile ? 1 : 3;  // the VHF model of the page's family
  Record().displayOptions = 0x5A;
  ChooseModel(same);
  ASSERT_EQ(messages.texts().size(), 1u);
  EXPECT_NE(messages.texts()[0].find("Problem opening file"), std::string::npos);
  EXPECT_TRUE(ModelChangedSent(same));
  EXPECT_EQ(g_isPortable, family == kPortable ? 1 : 0);
  EXPECT_EQ(Record().displayOptions, 0x18);  // the record's default
  EXPECT_EQ(Record().modelCode, kModelCodes[same]);
  EXPECT_EQ(Channel1Rx(family), kChannel1[same]);
  EXPECT_EQ(g_pRadioImage[area::kFamilyCode], kModelCodes[same]);  // a default image of that model
  const CBandRecord& band = ModelOf(family).band;
  EXPECT_EQ(band.m_bandIndex, 2);  // VHF
}

TEST_P(ModelChange, PickingTheModelShownChangesNothing) {
  g_dataModified = 1;
  ChooseModel(family == kMobile ? 0 : 2);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_TRUE(messages.texts().empty());
  EXPECT_EQ(g_dataModified, 1);
}

INSTANTIATE_TEST_SUITE_P(Families, ModelChange, ::testing::Values(kMobile, kPortable), FamilyName);

}  // namespace
