#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "ProgramState.h"
#include "QtTestSupport.h"
#include "ScriptedMessages.h"
#include "app/ConfigDlg.h"
#include "app/FileConvertDlg.h"
#include "app/Help.h"
#include "app/PasswordDlg.h"
#include "framework/EditControls.h"
#include "model/ConfigFile.h"
#include "pages/signalling/FiveToneDialogs.h"
#include "pages/zone/SystemDataCopyDlg.h"
#include "platform/ControlIds.h"

TEST(PasswordDlg, PrivilegePasswordsMatchOnlyTheirOwnPrivilege) {
  EXPECT_TRUE(PasswordMatches("FACTORY7358", Privilege::kManufacturer));
  EXPECT_TRUE(PasswordMatches("factory7358", Privilege::kManufacturer));  // the entry is upper-cased
  EXPECT_FALSE(PasswordMatches("FACTORY7358", Privilege::kService));
  EXPECT_TRUE(PasswordMatches("Service7358", Privilege::kService));
  EXPECT_FALSE(PasswordMatches("SERVICE735", Privilege::kService));
  EXPECT_FALSE(PasswordMatches("", Privilege::kManufacturer));
  EXPECT_FALSE(PasswordMatches("", Privilege::kService));
}

TEST(PasswordDlg, OkKeepsTheTypedTextAndCancelLeavesItEmpty) {
  CPasswordDlg dlg;
  dlg.show();
  auto* edit = FindControl<QLineEdit>(&dlg, 1002);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
  QTest::keyClicks(edit, "abc");
  FindControl<QPushButton>(&dlg, 1)->click();
  EXPECT_EQ(dlg.Password(), "abc");

  CPasswordDlg cancelled;
  cancelled.show();
  QTest::keyClicks(FindControl<QLineEdit>(&cancelled, 1002), "abc");
  FindControl<QPushButton>(&cancelled, 2)->click();
  EXPECT_TRUE(cancelled.Password().isEmpty());
}

TEST(RadioPasswordDlg, EntryIsUpperCasedPaddedAndLimitedToEight) {
  CRadioPasswordDlg dlg;
  dlg.show();
  EXPECT_EQ(dlg.Entry(), "");  // OK without a key compares an empty text
  dlg.Edit()->setFocus();
  QTest::keyClicks(dlg.Edit(), "ab1");
  EXPECT_EQ(dlg.Entry(), "AB1     ");
  QTest::keyClicks(dlg.Edit(), "cdefgh");  // a ninth character is not taken
  EXPECT_EQ(dlg.Edit()->text(), "AB1CDEFG");
  EXPECT_EQ(dlg.Entry(), "AB1CDEFG");
}

namespace {
constexpr int kPressMs = 20;  // how long a key is held down
constexpr int kStillOpen = 99;

// Runs the dialog modally, as the program does, and types into the control
// that has the focus when it opens: `typed`, then `key`. The dialog's result,
// or kStillOpen when the key left it open.
int TypeAndPress(QDialog& dlg, QWidget* expectedFocus, const QString& typed, Qt::Key key) {
  QTimer::singleShot(0, &dlg, [&] {
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dlg));
    QWidget* focus = QApplication::focusWidget();
    EXPECT_EQ(focus, expectedFocus) << "the entry has the focus when the dialog opens";
    if (focus == nullptr) focus = expectedFocus;
    QTest::keyClicks(focus, typed, Qt::NoModifier, kPressMs);
    QTest::keyClick(focus, key, Qt::NoModifier, kPressMs);
    if (dlg.isVisible()) dlg.done(kStillOpen);
  });
  return dlg.exec();
}
}  // namespace

// Enter accepts at the first press and Esc cancels, as in every dialog.
TEST(PasswordDlgs, EnterAcceptsAndEscCancelsFromTheEntry) {
  struct Case {
    const char* what;
    QString typed;
    Qt::Key key;
    int result;
    std::string entry;
  };
  const Case radio[] = {
      {"radio password, Enter", "pass5858", Qt::Key_Return, QDialog::Accepted, "PASS5858"},
      {"radio password, keypad Enter", "ab", Qt::Key_Enter, QDialog::Accepted, "AB      "},
      {"radio password, Esc", "pass", Qt::Key_Escape, QDialog::Rejected, "PASS    "},
  };
  for (const Case& c : radio) {
    CRadioPasswordDlg dlg;
    EXPECT_EQ(TypeAndPress(dlg, dlg.Edit(), c.typed, c.key), c.result) << c.what;
    EXPECT_EQ(dlg.Entry(), c.entry) << c.what;
  }
  const Case privilege[] = {
      {"privilege password, Enter", "Service7358", Qt::Key_Return, QDialog::Accepted, "Service7358"},
      {"privilege password, Esc", "Service7358", Qt::Key_Escape, QDialog::Rejected, ""},
  };
  for (const Case& c : privilege) {
    CPasswordDlg dlg;
    EXPECT_EQ(TypeAndPress(dlg, FindControl<QLineEdit>(&dlg, 1002), c.typed, c.key), c.result) << c.what;
    EXPECT_EQ(dlg.Password().toStdString(), c.entry) << c.what;
  }
}

// Enter on a focused Cancel cancels, as in any dialog, wherever Enter
// otherwise presses OK (the alignment preset's Start is tested with the
// alignment).
TEST(Dialogs, EnterOnAFocusedCancelCancels) {
  FreshProgramState fresh;
  TempDir dir;
  ScriptedMessages messages;
  const std::pair<const char*, std::function<std::unique_ptr<QDialog>()>> dialogs[] = {
      {"Configuration", [] { return std::make_unique<CConfigDlg>(); }},
      {"privilege password", [] { return std::make_unique<CPasswordDlg>(); }},
      {"radio password", [] { return std::make_unique<CRadioPasswordDlg>(); }},
      {"System Data Copy", [] { return std::make_unique<CSystemDataCopyDlg>(3); }},
      {"File Convert", [&] { return std::make_unique<CFileConvertDlg>(dir.File("a.K58"), kMobile); }},
      {"mobile 5-Tone Common/System", [] { return std::make_unique<CFiveToneCommonDlg>(kMobile, nullptr); }},
      {"portable 5-Tone Common/System", [] { return std::make_unique<CFiveToneCommonDlg>(kPortable, nullptr); }},
      {"mobile 5-Tone Encode/Decode", [] { return std::make_unique<CFiveToneCodeDlg>(kMobile, nullptr); }},
      {"portable 5-Tone Encode/Decode", [] { return std::make_unique<CFiveToneCodeDlg>(kPortable, nullptr); }},
  };
  for (const auto& [name, make] : dialogs) {
    const std::unique_ptr<QDialog> dlg = make();
    QTimer::singleShot(0, dlg.get(), [&] {
      EXPECT_TRUE(QTest::qWaitForWindowActive(dlg.get())) << name;
      auto* cancel = FindControl<QPushButton>(dlg.get(), 2);
      cancel->setFocus();
      QTest::keyClick(cancel, Qt::Key_Return, Qt::NoModifier, kPressMs);
      if (dlg->isVisible()) dlg->done(kStillOpen);
    });
    EXPECT_EQ(dlg->exec(), QDialog::Rejected) << name;
  }
}

TEST(RadioPasswordDlg, ComparisonAgainstTheRadiosBytes) {
  const std::uint8_t radio[9] = {'A', 'B', '1', ' ', ' ', ' ', ' ', ' ', 0};
  const std::uint8_t none[9] = {0, 'X', 'X', 'X', 'X', 'X', 'X', 'X', 0};
  const std::uint8_t unterminated[9] = {'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A'};
  EXPECT_TRUE(RadioPasswordMatches("AB1     ", radio));
  EXPECT_FALSE(RadioPasswordMatches("AB1", radio));
  EXPECT_FALSE(RadioPasswordMatches("", radio));
  EXPECT_TRUE(RadioPasswordMatches("", none));
  EXPECT_FALSE(RadioPasswordMatches("AAAAAAAA", unterminated));
}

TEST(ConfigDlg, OkStoresAndWritesThePortCancelDoesNot) {
  TempDir dir;
  g_config.ReadConfig();
  g_config.SetComPortIndex(0);
  {
    CConfigDlg dlg;
    dlg.show();
    auto* combo = FindControl<QComboBox>(&dlg, 4535);
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 16);
    EXPECT_EQ(combo->itemText(4), "COM 5");
    combo->setCurrentIndex(4);
    FindControl<QPushButton>(&dlg, 2)->click();
    EXPECT_EQ(g_config.GetComPortIndex(), 0);
    EXPECT_FALSE(FileExists(dir.File("RP58.CFG")));
  }
  CConfigDlg dlg;
  dlg.show();
  FindControl<QComboBox>(&dlg, 4535)->setCurrentIndex(4);
  FindControl<QPushButton>(&dlg, 1)->click();
  EXPECT_EQ(g_config.GetComPortIndex(), 4);
  const auto bytes = ReadWholeFile(dir.File("RP58.CFG"));
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes[0], 4);
  EXPECT_FALSE(FileExists(dir.File("MB925.CFG")));
  g_config.SetComPortIndex(0);
}

// A configuration file that cannot be written is told, with the system's
// reason; the port chosen still serves this run.
TEST(ConfigDlg, OkTellsWhyTheFileCouldNotBeWritten) {
  FreshProgramState fresh;
  TempDir dir;
  std::filesystem::create_directory(dir.File("RP58.CFG"));  // in the file's way, even for root
  g_config.ReadConfig();
  ScriptedMessages messages;
  CConfigDlg dlg;
  QTimer::singleShot(0, &dlg, [&] {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    auto* combo = FindControl<QComboBox>(&dlg, 4535);
    combo->setFocus();
    for (int i = 0; i < 4; ++i) QTest::keyClick(combo, Qt::Key_Down, Qt::NoModifier, kPressMs);
    QTest::mouseClick(FindControl<QPushButton>(&dlg, 1), Qt::LeftButton);
    if (dlg.isVisible()) dlg.done(kStillOpen);
  });
  EXPECT_EQ(dlg.exec(), QDialog::Accepted);
  EXPECT_EQ(g_config.GetComPortIndex(), 4);
  ASSERT_EQ(messages.texts().size(), 1u);
  EXPECT_EQ(messages.texts()[0], "Problem Saving file\n    " + dir.File("RP58.CFG") + "\n\n   Press any key\n" +
                                     std::generic_category().message(EISDIR));
}

TEST(ConfigDlg, EnterOnTheListDoesNotCloseTheDialog) {
  TempDir dir;
  CConfigDlg dlg;
  dlg.show();
  auto* combo = FindControl<QComboBox>(&dlg, 4535);
  combo->setFocus();
  QTest::keyClick(combo, Qt::Key_Return);
  EXPECT_TRUE(dlg.isVisible());
  combo->hidePopup();
}

TEST(Help, ContextsOfSharedRowsAndOwnIdentifiers) {
  const std::pair<int, int> rows[] = {{10981, 1099}, {11031, 1099}, {1808, 1807}, {1826, 1807}, {1718, 1717},
                                      {1722, 1717},  {13051, 1293}, {17151, 1118}, {48575, 1137}, {1827, 1827},
                                      {4535, 4535},  {16114, 15904}, {1608, 15904}};
  for (const auto& [id, context] : rows) EXPECT_EQ(HelpContextOf(id), context) << id;
}

TEST(Help, MissingPageGivesItsPathAndAPresentPageOpensTheViewer) {
  FreshProgramState fresh;
  TempDir dir;
  ScriptedMessages msgs;
  SetHelpFolder(dir.File("help"));
  ShowHelpContext(kHelpTopicsContext);
  EXPECT_EQ(msgs.texts(),
            std::vector<std::string>{"Not Exist Html Help File\n\n   File Path [ " + dir.File("help/index.html") + " ]"});

  std::filesystem::create_directory(dir.File("help"));
  std::ofstream(dir.File("help/index.html")) << "<html><body>Contents</body></html>";
  std::ofstream(dir.File("help/1099.html")) << "<html><body>Row</body></html>";
  ShowHelpContext(kHelpTopicsContext);
  ASSERT_NE(CHelpViewer::Instance(), nullptr);
  EXPECT_EQ(CHelpViewer::Instance()->CurrentPage().toStdString(), dir.File("help/index.html"));
  ShowHelpContext(11001);  // a cell of a row shows the row's page
  EXPECT_EQ(CHelpViewer::Instance()->CurrentPage().toStdString(), dir.File("help/1099.html"));
  EXPECT_EQ(msgs.texts().size(), 1u);
  CHelpViewer::Instance()->close();
}

TEST(HelpDlg, GetStartedTextIsReadOnly) {
  CHelpDlg dlg;
  dlg.show();
  auto* edit = FindControl<QPlainTextEdit>(&dlg, 1583);
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(edit->isReadOnly());
  const QString text = edit->toPlainText();
  EXPECT_TRUE(text.startsWith("GET STARTED\n\n(1)  Welcome to the RP58 programming software for the\n"));
  EXPECT_TRUE(text.endsWith("       upload process."));
  QTest::keyClicks(edit, "x");
  EXPECT_EQ(edit->toPlainText(), text);
  QTest::keyClick(&dlg, Qt::Key_Escape);  // Esc closes although there is no Cancel button
  EXPECT_FALSE(dlg.isVisible());
}
