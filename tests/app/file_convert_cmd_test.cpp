// File Convert as the command runs it: the save question first, the source
// file, the File Convert dialog, and the converted file written beside the
// source and loaded; a failure says why and changes nothing.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "MainDlgFixture.h"
#include "app/FileConvertDlg.h"
#include "model/DataFile.h"
#include "model/FamilyModel.h"

namespace {

class FileConvertCommand : public MainDlgTest {
protected:
  // The program folder (the test's folder) with or without the default
  // files the conversion takes as its templates.
  void Start(bool templates) {
    if (templates) {
      std::filesystem::create_directory(dir.File("Data"));
      for (const char* name : {"DEFAULTU.K58", "DEFAULTV.K58", "DEFAULTU.P58", "DEFAULTV.P58"})
        std::filesystem::copy_file(std::string(RP58_PROGRAM_DIR) + "/Data/" + name, dir.File(std::string("Data/") + name));
    }
    WriteDataFile(dir.File("m.K58"), kMobile);
    ASSERT_FALSE(MainDlgTest::Start({"m.K58"}));
    msgs.clear();
  }
  // Runs the command; `answer` works the File Convert dialog if it opens.
  void Convert(const std::function<void(CFileConvertDlg&)>& answer = {}) {
    opened = false;
    QTimer::singleShot(0, [&] {
      auto* d = qobject_cast<CFileConvertDlg*>(QApplication::activeModalWidget());
      if (d == nullptr) return;
      opened = true;
      source = d->SourceEdit()->text().toStdString();
      target = d->TargetList()->currentText().toStdString();
      if (answer) answer(*d);
      if (d->isVisible()) d->reject();
    });
    dlg->RunCommand(kCmdFileConvert);
    QCoreApplication::processEvents();
  }
  static void Accept(CFileConvertDlg& d) { FindControl<QPushButton>(&d, 1)->click(); }

  bool opened = false;
  std::string source, target;
};

TEST_F(FileConvertCommand, AMobileFileBecomesAPortableFileAndBack) {
  Start(true);
  std::filesystem::create_directory(dir.File("work"));
  WriteDataFile(dir.File("work/A.K58"), kMobile, false);
  g_dataModified = 1;
  msgs.Answer(kIdNo);  // the save question comes first
  files.Choose(dir.File("work/A.K58"));
  Convert(Accept);
  ASSERT_TRUE(opened);
  EXPECT_EQ(msgs.texts(), std::vector<std::string>{"Save changes to m.K58?"});
  ASSERT_EQ(files.requests().size(), 1u);
  const FileDialogRequest& request = files.requests()[0].request;
  EXPECT_EQ(request.title, "Select file");
  EXPECT_EQ(request.folder, "Data");
  ASSERT_EQ(request.filters.size(), 2u);
  EXPECT_EQ(request.filters[0].pattern, "*.K58");
  EXPECT_EQ(request.filters[1].pattern, "*.P58");
  EXPECT_EQ(source, dir.File("work/A.K58"));
  EXPECT_EQ(target, "TP-730A LTR (Portable)");
  EXPECT_EQ(ReadWholeFile(dir.File("work/A.P58")).size(), kImageSize);
  EXPECT_EQ(g_isPortable, 1);
  EXPECT_EQ(g_pRadioImage[area::kFamilyCode], kFamilyPortableVhf);
  EXPECT_EQ(dlg->FileLine(), "File:A.P58");
  EXPECT_EQ(dlg->TabBar()->count(), 7);
  EXPECT_EQ(g_dataModified, 0);
  EXPECT_EQ(g_saveWithoutPack, 0);

  msgs.clear();
  files.Choose(dir.File("work/A.P58"));
  Convert(Accept);
  EXPECT_EQ(target, "TM-6600LTR (Mobile)");
  EXPECT_TRUE(msgs.texts().empty());  // nothing changed: no question
  EXPECT_EQ(g_isPortable, 0);
  EXPECT_EQ(g_pRadioImage[area::kFamilyCode], kFamilyMobileVhf);
  EXPECT_EQ(dlg->FileLine(), "File:A.K58");
}

TEST_F(FileConvertCommand, NothingHappensUnlessTheUserGoesOn) {
  Start(true);
  g_dataModified = 1;
  struct Case {
    const char* name;
    std::function<void()> script;
    bool dialog;
  };
  const Case cases[] = {
      {"save question cancelled", [this] { msgs.Answer(kIdCancel); }, false},
      {"file dialog cancelled", [this] { msgs.Answer(kIdNo); files.Cancel(); }, false},
      {"other extension", [this] { msgs.Answer(kIdNo); files.Choose(dir.File("notes.txt")); }, false},
      {"convert dialog cancelled", [this] { msgs.Answer(kIdNo); files.Choose(dir.File("m.K58")); }, true},
  };
  for (const Case& c : cases) {
    msgs.clear();
    c.script();
    Convert();
    EXPECT_EQ(opened, c.dialog) << c.name;
    EXPECT_FALSE(FileExists(dir.File("m.P58"))) << c.name;
    EXPECT_EQ(g_isPortable, 0) << c.name;
    EXPECT_EQ(g_dataModified, 1) << c.name;
  }
  EXPECT_EQ(msgs.texts().size(), 1u);
}

TEST_F(FileConvertCommand, AMissingTemplateChangesNothingAndALaterSaveKeepsTheEdits) {
  Start(false);
  // An unsaved edit of the working data.
  Text9& alias = g_mobileData.m_zoneNames[0];
  alias = Text9{'E', 'D', 'I', 'T', 'E', 'D', ' ', ' ', '\0'};
  g_dataModified = 1;
  const std::vector<std::uint8_t> image(g_pRadioImage, g_pRadioImage + kImageSize);
  msgs.Answer(kIdNo);
  files.Choose(dir.File("m.K58"));
  Convert(Accept);
  ASSERT_TRUE(opened);
  ASSERT_EQ(msgs.texts().size(), 2u);
  EXPECT_EQ(msgs.texts()[1], "Problem opening file\n    " + dir.File("Data/DEFAULTU.P58") + "\n\n   Press any key");
  EXPECT_FALSE(FileExists(dir.File("m.P58")));
  EXPECT_EQ(std::vector<std::uint8_t>(g_pRadioImage, g_pRadioImage + kImageSize), image);
  EXPECT_EQ(g_isPortable, 0);
  EXPECT_EQ(g_saveWithoutPack, 0);
  EXPECT_EQ(g_dataModified, 1);
  EXPECT_EQ(dlg->FileLine(), "File:m.K58");

  files.Choose(dir.File("saved.K58"));
  ASSERT_TRUE(dlg->OnSaveFile());
  const std::vector<unsigned char> saved = ReadWholeFile(dir.File("saved.K58"));
  ASSERT_GE(saved.size(), area::kZoneNames + 8);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&saved[area::kZoneNames]), 8), "EDITED  ");
}

}  // namespace
