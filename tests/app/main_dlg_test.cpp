#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>

#include "MainDlgFixture.h"
#include "app/PasswordDlg.h"
#include "model/RadioData.h"

namespace {
const std::vector<std::string> kMobileRow = {"Global 1",    "Global 2", "Mobile Special", "Key Assignment",
                                             "RF Ch. List", "Zone",     "DTMF ANI",       "5-Tone"};
const std::vector<std::string> kPortableRow = {"Global 1", "Global 2", "Key Assignment", "RF Ch. List",
                                               "Zone",     "DTMF ANI", "5-Tone"};
}  // namespace

TEST_F(MainDlgTest, StartsWithTheCommandLineFileAndItsFamily) {
  WriteDataFile(dir.File("radio.P58"), kPortable);
  ASSERT_FALSE(Start({"radio.P58"}));
  EXPECT_EQ(g_isPortable, 1);
  EXPECT_EQ(TabCaptions(), kPortableRow);
  // The portable Global 1 page, not the mobile one: its edits must reach the portable records.
  EXPECT_EQ(ShownSlot(), PageSlot::kPortableGlobal1);
  EXPECT_EQ(ShownTemplate(), 109);
  EXPECT_EQ(dlg->FileLine(), "File:radio.P58");
  EXPECT_EQ(dlg->ModelLine(), "TP-752A(UHF)");
  EXPECT_EQ(dlg->windowTitle(), "RP58 for TM-6600 LTR/730A ( Version 3.01 )");
  EXPECT_FALSE(dlg->SerialEdit()->isEnabled());
  EXPECT_TRUE(msgs.shown().empty());
}

TEST_F(MainDlgTest, TheModelLineNamesTheFilesModel) {
  const struct {
    Family family;
    bool uhf;
    const char* model;
  } rows[] = {{kMobile, true, "TM-6600-KS8B-50(UHF)"},
              {kMobile, false, "TM-6600-KR3B-50(VHF)"},
              {kPortable, true, "TP-752A(UHF)"},
              {kPortable, false, "TP-741A(VHF)"}};
  for (const auto& r : rows) {
    WriteDataFile(dir.File("r.dat"), r.family, r.uhf);
    ASSERT_FALSE(Start({"r.dat"}));
    EXPECT_EQ(dlg->ModelLine().toStdString(), r.model);
  }
}

TEST_F(MainDlgTest, AFileThatDoesNotLoadGivesItsMessageAndTheDefaultImage) {
  std::vector<unsigned char> wrongFamily(kImageSize, 0xFF);
  wrongFamily[area::kFamilyCode] = 0x00;
  WriteWholeFile(dir.File("wrong.K58"), wrongFamily);
  WriteWholeFile(dir.File("short.K58"), std::vector<unsigned char>(100, 0xFF));
  const std::string kBuiltIn = "\n\nThe built-in defaults are used.";
  const struct {
    const char* arg;
    std::string message;
  } rows[] = {
      {"missing", "Problem opening file\n    " + dir.File("missing.K58") + "\n\n   Press any key" + kBuiltIn},
      {"wrong.K58", "Hardware configuration mismatched!" + kBuiltIn},
      {"short.K58", "Problem reading from file" + kBuiltIn},
  };
  for (const auto& r : rows) {
    msgs.clear();
    g_dataFileName = kDefaultDataFileName;
    ASSERT_FALSE(Start({r.arg}));
    EXPECT_EQ(msgs.texts(), std::vector<std::string>{r.message}) << r.arg;
    EXPECT_EQ(g_dataFileName, kNoDataFileName);
    EXPECT_EQ(TabCaptions(), kMobileRow);
    EXPECT_EQ(ShownTemplate(), 139);
    EXPECT_EQ(dlg->FileLine(), "");
  }
}

TEST_F(MainDlgTest, CommandLineErrorsShowTheUsageAndEndWithOne) {
  EXPECT_EQ(Start({"-c9"}), 1);
  ASSERT_FALSE(msgs.texts().empty());
  EXPECT_EQ(msgs.texts().back().rfind("                 ***   Bad COM port   ***\n\n", 0), 0u);
}

TEST_F(MainDlgTest, PrivilegeOptionsAskForTheirPassword) {
  struct Row {
    std::vector<std::string> args;
    QString (*prompt)();
    const char* title;
    bool serialEnabled;
  };
  const Row rows[] = {
      {{"-m"}, [] { return QStringLiteral("factory7358"); }, "RP58 for TM-6600 LTR/730A ( Version 3.01 )(M)", true},
      {{"-s"}, [] { return QStringLiteral("SERVICE7358"); }, "RP58 for TM-6600 LTR/730A ( Version 3.01 )(S)", true},
      {{"-m", "-s"}, [] { return QStringLiteral("SERVICE7358"); }, "RP58 for TM-6600 LTR/730A ( Version 3.01 )(S)", true},
      {{"-m"}, [] { return QStringLiteral("wrong"); }, "RP58 for TM-6600 LTR/730A ( Version 3.01 )", false},
      {{"-m"}, [] { return QString(); }, "RP58 for TM-6600 LTR/730A ( Version 3.01 )", false},
  };
  for (const Row& r : rows) {
    g_manufacturerMode = g_serviceMode = 0;
    SetPasswordPrompt(r.prompt);
    ASSERT_FALSE(Start(r.args));
    EXPECT_EQ(dlg->windowTitle().toStdString(), r.title);
    EXPECT_EQ(dlg->SerialEdit()->isEnabled(), r.serialEnabled);
  }
}

TEST_F(MainDlgTest, EveryTabShowsItsPageInBothFamilies) {
  struct Row {
    Family family;
    std::vector<int> templates;
  };
  const Row rows[] = {
      {kMobile, {139, 140, 232, 142, 173, 163, 162, 223}},
      {kPortable, {109, 110, 215, 173, 115, 122, 223}},
  };
  for (const Row& r : rows) {
    WriteDataFile(dir.File("f.dat"), r.family);
    ASSERT_FALSE(Start({dir.File("f.dat")}));
    ASSERT_EQ(dlg->TabBar()->count(), static_cast<int>(r.templates.size()));
    for (int pos = static_cast<int>(r.templates.size()) - 1; pos >= 0; --pos) {
      dlg->TabBar()->setCurrentIndex(pos);  // as a click on the tab
      EXPECT_EQ(ShownTemplate(), r.templates[static_cast<std::size_t>(pos)]) << r.family << "/" << pos;
      const auto slot = ShownSlot();
      ASSERT_TRUE(slot);
      EXPECT_EQ(PageFamily(*slot), r.family);
    }
  }
}

TEST_F(MainDlgTest, MenuItemsOpenTheirPagesAndFunctionKeysTheirPositions) {
  WriteDataFile(dir.File("p.P58"), kPortable);
  ASSERT_FALSE(Start({"p.P58"}));
  dlg->Action(kCmdKeyAssign)->trigger();
  EXPECT_EQ(ShownSlot(), PageSlot::kPortableKeyAssign);
  dlg->Action(kCmdFiveTone)->trigger();
  EXPECT_EQ(ShownSlot(), PageSlot::kPortableFiveTone);
  EXPECT_EQ(dlg->CurrentTab(), 6);
  EXPECT_FALSE(dlg->Action(kCmdMobileSpecial)->isEnabled());

  QTest::keyClick(dlg.get(), Qt::Key_F5);  // position 4: Zone in this family
  EXPECT_EQ(ShownSlot(), PageSlot::kPortableSystem);
  QTest::keyClick(dlg.get(), Qt::Key_F3);
  EXPECT_EQ(ShownSlot(), PageSlot::kPortableKeyAssign);

  // Enter and Esc never close the window; F1 does nothing.
  QTest::keyClick(dlg.get(), Qt::Key_Escape);
  QTest::keyClick(dlg.get(), Qt::Key_Return);
  QTest::keyClick(dlg.get(), Qt::Key_F1);
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_TRUE(msgs.shown().empty());
}

TEST_F(MainDlgTest, ZoneMessagesOpenTheirSubPagesWithTheirZone) {
  for (Family family : {kMobile, kPortable}) {
    WriteDataFile(dir.File("z.dat"), family);
    ASSERT_FALSE(Start({dir.File("z.dat")}));
    CPageSet& pages = dlg->Pages();
    const int zoneTab = *TabPosition(family, TabKind::kZone);
    dlg->TabBar()->setCurrentIndex(zoneTab);
    EXPECT_EQ(ShownTemplate(), ZoneTableTemplate(family));

    SendUserMessage(dlg.get(), UM_OPEN_REPEATER, 7, 0);
    const PageSlot repeater = ZoneSubPageSlot(family, ZoneSubPage::kRepeater);
    EXPECT_EQ(ShownSlot(), repeater);
    EXPECT_EQ(dynamic_cast<CZonePageBase&>(pages.Page(repeater)).Zone(), 7);
    EXPECT_EQ(dlg->ZoneSubPage(), PageTemplate(repeater));

    // Away and back: the repeater page again.
    dlg->TabBar()->setCurrentIndex(0);
    dlg->TabBar()->setCurrentIndex(zoneTab);
    EXPECT_EQ(ShownSlot(), repeater);

    SendUserMessage(dlg.get(), UM_OPEN_SYSTEM_PAGE, 0, 255);  // Close: the zone table as it was
    const PageSlot table = ZoneSubPageSlot(family, ZoneSubPage::kSystem);
    EXPECT_EQ(ShownSlot(), table);
    EXPECT_EQ(dynamic_cast<CSystemPageBase&>(pages.Page(table)).FirstSystem(), 0);

    SendUserMessage(dlg.get(), UM_OPEN_LTR_ADVANCED, 0, 10);
    const PageSlot advanced = ZoneSubPageSlot(family, ZoneSubPage::kLtrAdvanced);
    EXPECT_EQ(ShownSlot(), advanced);
    EXPECT_EQ(dynamic_cast<CLtrAdvancedPageBase&>(pages.Page(advanced)).FirstSystem(), 10);

    SendUserMessage(dlg.get(), UM_OPEN_INTERCONNECT, 0, 10);
    const PageSlot interconnect = ZoneSubPageSlot(family, ZoneSubPage::kInterconnect);
    EXPECT_EQ(ShownSlot(), interconnect);
    EXPECT_EQ(dynamic_cast<CInterconnectPageBase&>(pages.Page(interconnect)).FirstSystem(), 10);

    SendUserMessage(dlg.get(), UM_OPEN_SYSTEM_PAGE, 0, 10);
    EXPECT_EQ(dynamic_cast<CSystemPageBase&>(pages.Page(table)).FirstSystem(), 10);

    const struct {
      unsigned msg;
      ZoneSubPage page;
      std::uint8_t zone;
    } groupSteps[] = {
        {UM_OPEN_LTR_GROUPS, ZoneSubPage::kLtrGroupBasic, 3},
        {UM_OPEN_LTR_GROUPS_ADVANCED, ZoneSubPage::kLtrGroupAdvanced, 3},
        {UM_OPEN_LTR_GROUPS_BASIC, ZoneSubPage::kLtrGroupBasic, 3},
        {UM_OPEN_CONV_GROUPS, ZoneSubPage::kConvGroupBasic, 31},
        {UM_OPEN_CONV_GROUPS_ADVANCED, ZoneSubPage::kConvGroupAdvanced, 31},
        {UM_OPEN_CONV_GROUPS_BASIC, ZoneSubPage::kConvGroupBasic, 31},
    };
    for (const auto& step : groupSteps) {
      SendUserMessage(dlg.get(), step.msg, step.zone, 0);
      const PageSlot slot = ZoneSubPageSlot(family, step.page);
      EXPECT_EQ(ShownSlot(), slot) << std::hex << step.msg;
      EXPECT_EQ(ShownTemplate(), PageTemplate(slot));
      EXPECT_EQ(dynamic_cast<CZonePageBase&>(pages.Page(slot)).Zone(), step.zone);
    }
  }
}

TEST_F(MainDlgTest, DeletingAChannelClearsItsReferencesInTheCurrentFamily) {
  ASSERT_FALSE(Start());
  g_mobileData.m_repeaters[0][0] = 0x6005;
  g_mobileData.m_repeaters[31][19] = 0x0006;
  g_mobileData.m_groups[0].channelWord = 0x1005;
  g_mobileData.m_groups[249].channelWord = 0x8405;
  g_portableData.m_groups[0].channelWord = 0x0005;
  SendUserMessage(dlg.get(), UM_CHANNEL_DELETED, 5, 0);
  EXPECT_EQ(g_mobileData.m_repeaters[0][0], 0x63FF);
  EXPECT_EQ(g_mobileData.m_repeaters[31][19], 0x0006);
  EXPECT_EQ(g_mobileData.m_groups[0].channelWord, 0x13FF);
  EXPECT_EQ(g_mobileData.m_groups[249].channelWord, 0x87FF);
  EXPECT_EQ(g_portableData.m_groups[0].channelWord, 0x0005);  // the other family is not touched
}

TEST_F(MainDlgTest, ModelChangeRetitlesAndRecreatesGlobal1AfterTimer2) {
  ASSERT_FALSE(Start());
  SendUserMessage(dlg.get(), UM_MODEL_CHANGED, 0, 2);
  EXPECT_EQ(dlg->ModelLine(), "TP-752A(UHF)");
  EXPECT_FALSE(dlg->TabBar()->isEnabled());
  EXPECT_TRUE(dlg->ModelTimer().isActive());
  EXPECT_EQ(dlg->ModelTimer().interval(), 500);

  g_isPortable = 1;  // the portable Global 1 page switched the family
  dlg->OnModelTimer();
  EXPECT_TRUE(dlg->TabBar()->isEnabled());
  EXPECT_FALSE(dlg->ModelTimer().isActive());
  EXPECT_EQ(ShownSlot(), PageSlot::kPortableGlobal1);
  EXPECT_EQ(ShownTemplate(), 109);
}

namespace {
struct FakeRecords : IRecordAccess {
  std::string serial = "5C000001";
  int recoverCleared = 0;
  std::string SerialText() const override { return serial; }
  void SetSerialText(const std::string& s) override { serial = s; }
  void ClearRecoverSerial() override { ++recoverCleared; }
  void ForEachChannelReference(const std::function<void(std::uint16_t&)>&) override {}
};
}  // namespace

TEST_F(MainDlgTest, SerialEditStoresValidTextAndDropsAnInvalidKey) {
  auto records = std::make_unique<FakeRecords>();
  FakeRecords* fake = records.get();
  dlg = std::make_unique<CMainDlg>(std::move(records));
  dlg->show();
  QLineEdit* edit = dlg->SerialEdit();
  edit->setEnabled(true);
  edit->setFocus();

  QTest::keyClicks(edit, "0n01");
  EXPECT_EQ(fake->serial, "0N010000");
  EXPECT_EQ(edit->text(), "0N01");
  EXPECT_GT(fake->recoverCleared, 0);
  EXPECT_EQ(g_dataModified, 1);

  edit->clear();
  fake->serial = "5C000001";
  QTest::keyClicks(edit, "0A");
  EXPECT_EQ(edit->text(), "0");  // "A" is gone and the stored first character shows
  EXPECT_EQ(fake->serial, "0000000" "0");

  edit->clear();
  QTest::keyClicks(edit, "1 B+-2");  // blank, '+' and '-' are refused by the edit
  EXPECT_EQ(edit->text(), "1B2");
  EXPECT_EQ(fake->serial, "1B200000");
}

TEST_F(MainDlgTest, AReadOfTheOtherFamilyRebuildsTheTabsAndWaitsForTimer2) {
  ASSERT_FALSE(Start({"m.K58"}));
  msgs.clear();
  dlg->TabBar()->setCurrentIndex(5);
  SendUserMessage(dlg.get(), UM_OPEN_REPEATER, 2, 0);
  g_isPortable = 1;  // the read found a portable radio
  dlg->AfterRadioRead();
  EXPECT_EQ(TabCaptions(), kPortableRow);
  EXPECT_EQ(dlg->CurrentTab(), 0);
  EXPECT_EQ(ShownSlot(), PageSlot::kPortableGlobal1);
  EXPECT_EQ(dlg->ZoneSubPage(), 115);
  EXPECT_EQ(dlg->FileLine(), "");
  EXPECT_FALSE(dlg->TabBar()->isEnabled());
  EXPECT_TRUE(dlg->ModelTimer().isActive());
  dlg->OnModelTimer();
  EXPECT_TRUE(dlg->TabBar()->isEnabled());
  dlg->TabBar()->setCurrentIndex(4);
  EXPECT_EQ(ShownSlot(), PageSlot::kPortableSystem);
}

TEST_F(MainDlgTest, MemoryEditorNeedsTheFactoryFile) {
  ASSERT_FALSE(Start());
  msgs.clear();
  dlg->Action(kCmdRomEdit)->trigger();
  EXPECT_EQ(msgs.texts(), std::vector<std::string>{"ROM Editor can't be carried out\n"});
}

// Start-up builds what the window shows and no more: the family's Global 1
// page, without the drop-down lists of its choices; the other page objects
// and the lists come when first needed and behave as if they had been
// there all along.
TEST_F(MainDlgTest, StartBuildsOnlyTheShownPageAndNoDropDownList) {
  for (Family family : {kMobile, kPortable}) {
    SCOPED_TRACE(family);
    WriteDataFile(dir.File("s.dat"), family);
    dlg = std::make_unique<CMainDlg>();
    ASSERT_FALSE(dlg->OnInitDialog({"s.dat"}, dir.path()));
    EXPECT_FALSE(ShownSlot());  // a window not shown yet needs no page
    dlg->show();
    std::vector<PageSlot> built;
    for (int i = 0; i < kPageSlotCount; ++i)
      if (dlg->Pages().Built(static_cast<PageSlot>(i)) != nullptr) built.push_back(static_cast<PageSlot>(i));
    EXPECT_EQ(built, std::vector<PageSlot>{Global1Slot(family)});
    EXPECT_TRUE(dlg->findChildren<QAbstractItemView*>().empty());

    // The user opens a list: it is made then, wide enough for its longest choice.
    QWidget* body = dlg->Pages().Page(Global1Slot(family)).Body();
    auto* combo = FindControl<QComboBox>(body, family == kPortable ? 1656 : 1031);  // Scan Beep
    ASSERT_NE(combo, nullptr);
    QTest::mouseClick(combo, Qt::LeftButton);
    ASSERT_NE(combo->findChild<QAbstractItemView*>(), nullptr);
    EXPECT_TRUE(combo->view()->isVisible());
    EXPECT_GT(combo->view()->minimumWidth(), 0);
    EXPECT_EQ(combo->view()->minimumWidth(), combo->view()->sizeHintForColumn(0));
    combo->hidePopup();
    EXPECT_EQ(dlg->findChildren<QAbstractItemView*>().size(), 1u);

    // Every tab still shows its page, made on the way.
    for (int pos = dlg->TabBar()->count() - 1; pos >= 0; --pos) {
      dlg->TabBar()->setCurrentIndex(pos);
      const auto slot = ShownSlot();
      ASSERT_TRUE(slot);
      EXPECT_EQ(PageFamily(*slot), family);
    }
    EXPECT_EQ(ShownSlot(), Global1Slot(family));
  }
}
