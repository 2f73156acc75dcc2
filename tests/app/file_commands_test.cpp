#include <QAction>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

#include <filesystem>

#include "MainDlgFixture.h"

namespace {
const char* const kQuestion = "Save changes to m.K58?";
}

// Starts with a mobile file loaded and the data marked changed.
class FileCommandsTest : public MainDlgTest {
protected:
  void SetUp() override {
    MainDlgTest::SetUp();
    WriteDataFile(dir.File("m.K58"), kMobile);
    ASSERT_FALSE(Start({"m.K58"}));
    g_dataModified = 1;
    msgs.clear();
  }
};

TEST_F(FileCommandsTest, ExitAsksAndKeepsTheDataUnlessSavedOrDropped) {
  struct Row {
    const char* name;
    SaveAnswer save;
    bool closes;
  };
  const Row rows[] = {
      {"no", {kIdNo}, true},
      {"yes, saved", {kIdYes, "kept"}, true},
      {"yes, save cancelled", {kIdYes}, false},
      {"yes, save refused", {kIdYes, "wrong.P58"}, false},
      {"cancel", {kIdCancel}, false},
  };
  msgs.Answer(kIdCancel);
  dlg->Action(kCmdExit)->trigger();
  EXPECT_EQ(msgs.texts(), std::vector<std::string>{kQuestion});
  for (const Row& r : rows) {
    dlg->show();
    g_dataModified = 1;
    msgs.clear();
    Script(r.save);
    dlg->Action(kCmdExit)->trigger();
    ASSERT_FALSE(msgs.texts().empty()) << r.name;
    EXPECT_EQ(msgs.texts()[0].rfind("Save changes to ", 0), 0u) << r.name;
    EXPECT_EQ(msgs.texts()[0].find("File:"), std::string::npos) << r.name;
    EXPECT_EQ(dlg->isVisible(), !r.closes) << r.name;
    EXPECT_EQ(g_dataModified, r.closes ? 0 : 1) << r.name;
  }
  EXPECT_EQ(ReadWholeFile(dir.File("kept.K58")).size(), kImageSize);
  EXPECT_FALSE(FileExists(dir.File("wrong.P58")));
}

TEST_F(FileCommandsTest, ClosingTheWindowAsksToo) {
  msgs.Answer(kIdCancel);
  dlg->close();
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_EQ(g_dataModified, 1);

  msgs.Answer(kIdNo);
  dlg->close();
  EXPECT_FALSE(dlg->isVisible());
}

TEST_F(FileCommandsTest, OpenStopsWhenTheSaveDidNotHappen) {
  msgs.Answer(kIdYes);
  files.Cancel();  // the save dialog
  dlg->Action(kCmdOpenFile)->trigger();
  ASSERT_EQ(files.requests().size(), 1u);  // no open dialog followed
  EXPECT_TRUE(files.requests()[0].save);
  EXPECT_EQ(g_dataModified, 1);
}

// No at the question lets the Open go on; the changes stay marked until a
// file has actually replaced them, so closing still asks.
TEST_F(FileCommandsTest, NoKeepsTheChangesMarkedUntilAFileReplacesThem) {
  WriteWholeFile(dir.File("short.K58"), std::vector<unsigned char>(100, 0xFF));
  struct Row {
    const char* name;
    std::optional<std::string> open;  // nullopt: the open dialog is cancelled
    bool replaced;
  };
  const Row rows[] = {
      {"open dialog cancelled", std::nullopt, false},
      {"other extension", std::string("notes.txt"), false},
      {"file that does not load", std::string("short.K58"), false},
      {"file loaded", std::string("m.K58"), true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    g_dataModified = 1;
    msgs.clear();
    msgs.Answer(kIdNo);
    if (r.open)
      files.Choose(dir.File(*r.open));
    else
      files.Cancel();
    dlg->Action(kCmdOpenFile)->trigger();
    ASSERT_FALSE(msgs.texts().empty());
    EXPECT_EQ(msgs.texts()[0], kQuestion);
    EXPECT_EQ(g_dataModified, r.replaced ? 0 : 1);

    msgs.clear();
    msgs.Answer(kIdCancel);
    dlg->close();
    EXPECT_EQ(msgs.texts(), r.replaced ? std::vector<std::string>{} : std::vector<std::string>{kQuestion});
    EXPECT_EQ(dlg->isVisible(), !r.replaced);
    dlg->show();
  }
}

TEST_F(FileCommandsTest, OpenLoadsEitherFamilyAndRefusesOtherExtensions) {
  WriteDataFile(dir.File("hand.p58"), kPortable);
  msgs.Answer(kIdNo);
  files.Choose(dir.File("hand.p58"));  // the extension test ignores case
  dlg->Action(kCmdOpenFile)->trigger();
  ASSERT_EQ(files.requests().size(), 1u);
  const FileDialogRequest& open = files.requests()[0].request;
  EXPECT_EQ(open.title, "Select file");
  EXPECT_EQ(open.folder, "Data");
  ASSERT_EQ(open.filters.size(), 2u);
  EXPECT_EQ(open.filters[0].text, "RP58 Files (*.K58)");
  EXPECT_EQ(open.filters[1].pattern, "*.P58");
  EXPECT_EQ(g_isPortable, 1);
  EXPECT_EQ(dlg->TabBar()->count(), 7);
  EXPECT_EQ(ShownSlot(), PageSlot::kPortableGlobal1);
  EXPECT_EQ(dlg->FileLine(), "File:hand.p58");
  EXPECT_EQ(dlg->ModelLine(), "TP-752A(UHF)");

  msgs.clear();
  files.Choose(dir.File("notes.txt"));
  dlg->Action(kCmdOpenFile)->trigger();
  ASSERT_EQ(msgs.texts().size(), 1u);
  EXPECT_EQ(msgs.texts()[0], "Problem opening file\n    " + dir.File("notes.txt") + "\n\n   Press any key");
  EXPECT_EQ(g_isPortable, 1);

  files.Choose(dir.File("m.K58"));
  dlg->Action(kToolbarOpen)->trigger();
  EXPECT_EQ(g_isPortable, 0);
  EXPECT_EQ(dlg->TabBar()->count(), 8);
  EXPECT_EQ(ShownSlot(), PageSlot::kMobileGlobal1);
  EXPECT_EQ(dlg->FileLine(), "File:m.K58");
  EXPECT_EQ(dlg->ModelLine(), "TM-6600-KS8B-50(UHF)");
}

TEST_F(FileCommandsTest, SaveAppliesTheFamilysExtension) {
  g_dataModified = 0;
  struct Row {
    Family family;
    const char* typed;
    const char* written;  // nullptr: refused
  };
  const Row rows[] = {
      {kMobile, "new", "new.K58"},
      {kMobile, "other.k58", "other.k58"},
      {kMobile, "wrong.P58", nullptr},
      {kPortable, "hand", "hand.P58"},
      {kPortable, "radio.K58", nullptr},
  };
  for (const Row& r : rows) {
    g_isPortable = r.family == kPortable ? 1 : 0;
    msgs.clear();
    files.Choose(dir.File(r.typed));
    dlg->Action(kCmdSaveFile)->trigger();
    const FileDialogRequest& save = files.requests().back().request;
    EXPECT_EQ(save.title, "Select save file");
    EXPECT_FALSE(save.mustExist);
    ASSERT_EQ(save.filters.size(), 1u);
    EXPECT_EQ(save.filters[0].pattern, r.family == kPortable ? "*.P58" : "*.K58");
    if (r.written != nullptr) {
      EXPECT_EQ(ReadWholeFile(dir.File(r.written)).size(), kImageSize) << r.typed;
      EXPECT_EQ(dlg->FileLine().toStdString(), std::string("File:") + r.written);
      EXPECT_TRUE(msgs.texts().empty()) << r.typed;
    } else {
      EXPECT_FALSE(FileExists(dir.File(r.typed))) << r.typed;
      ASSERT_EQ(msgs.texts().size(), 1u) << r.typed;
      EXPECT_EQ(msgs.texts()[0], "Problem opening file\n    " + dir.File(r.typed) + "\n\n   Press any key");
    }
  }
}

TEST_F(FileCommandsTest, SaveAsksBeforeReplacingAFileItNamedItself) {
  const std::vector<unsigned char> old = {1, 2, 3};
  WriteWholeFile(dir.File("kept.K58"), old);
  msgs.Answer(kIdNo);
  files.Choose(dir.File("kept"));
  EXPECT_FALSE(dlg->OnSaveFile());
  ASSERT_EQ(msgs.texts().size(), 1u);
  EXPECT_EQ(msgs.texts()[0], dir.File("kept.K58") + " already exists.\nDo you want to replace it?");
  EXPECT_EQ(ReadWholeFile(dir.File("kept.K58")), old);

  msgs.Answer(kIdYes);
  files.Choose(dir.File("kept"));
  EXPECT_TRUE(dlg->OnSaveFile());
  EXPECT_EQ(ReadWholeFile(dir.File("kept.K58")).size(), kImageSize);
}

// Clicked on the toolbar as a user does: the question names the file (or
// "Untitled" for data read from a radio), and a save that fails says why on a
// line of its own; the open then stops with the changes kept.
TEST_F(FileCommandsTest, TheQuestionNamesTheFileAndAFailedSaveSaysWhy) {
  struct Row {
    const char* fileLine;
    const char* question;
  };
  QAction* open = dlg->Action(kToolbarOpen);
  ASSERT_NE(open, nullptr);
  QWidget* button = nullptr;
  for (QObject* w : open->associatedObjects())
    if (auto* b = qobject_cast<QToolButton*>(w)) button = b;
  ASSERT_NE(button, nullptr);
  const std::string target = dir.File("no-such-folder/m2.K58");
  for (const Row& r : {Row{nullptr, kQuestion}, Row{"", "Save changes to Untitled?"}}) {
    if (r.fileLine != nullptr) dlg->SetFileLine(r.fileLine);
    g_dataModified = 1;
    msgs.clear();
    msgs.Answer(kIdYes);
    files.Choose(target);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center(), 20);
    EXPECT_EQ(msgs.texts(), (std::vector<std::string>{r.question, "Problem Saving file\n    " + target +
                                                                      "\n\n   Press any key\nNo such file or directory"}));
    EXPECT_EQ(g_dataModified, 1);
  }
}

// A short data file is told of once, over the data it loaded: the file line,
// the model line and the page already show the new file when the box comes.
TEST_F(FileCommandsTest, AShortFileIsToldOfOnceAfterTheLoad) {
  std::vector<unsigned char> bytes = ReadWholeFile(std::string(RP58_PROGRAM_DIR) + "/Data/DEFAULTV.P58");
  bytes.resize(0x5460);
  WriteWholeFile(dir.File("short.P58"), bytes);
  std::filesystem::create_directory(dir.File("Data"));  // the default file completes its 5-Tone areas
  WriteDataFile(dir.File("Data/DEFAULTV.P58"), kPortable, false);
  struct Seen : ScriptedMessages {
    CMainDlg* dlg = nullptr;
    std::vector<std::string> lines;
    int Show(const std::string& text, const std::string& caption, unsigned style) override {
      lines.push_back(dlg->FileLine().toStdString() + " / " + dlg->ModelLine().toStdString());
      return ScriptedMessages::Show(text, caption, style);
    }
  };
  g_dataModified = 0;
  files.Choose(dir.File("short.P58"));
  Seen seen;
  seen.dlg = dlg.get();
  dlg->Action(kCmdOpenFile)->trigger();
  ASSERT_EQ(seen.texts().size(), 1u);
  EXPECT_EQ(seen.texts()[0].rfind("The file is shorter than a data file\n    ", 0), 0u) << seen.texts()[0];
  EXPECT_NE(seen.texts()[0].find("Missing from byte 0x5460 on: the 5-Tone data (in part)."), std::string::npos);
  EXPECT_EQ(seen.shown()[0].style, kMsgOk | kMsgIconWarning);
  EXPECT_EQ(seen.lines[0], "File:short.P58 / " + dlg->ModelLine().toStdString());
  EXPECT_EQ(dlg->ModelLine().toStdString().rfind("TP-", 0), 0u);
  EXPECT_EQ(g_isPortable, 1);
  EXPECT_EQ(ShownSlot().has_value(), true);
}
