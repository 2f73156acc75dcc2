#pragma once
// A main window started in a scratch program folder, with scripted message
// boxes and file dialogs, and helpers to write data files of either family.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PageHost.h"
#include "ProgramState.h"
#include "QtTestSupport.h"
#include "ScriptedMessages.h"
#include "app/MainDlg.h"
#include "app/PageSet.h"
#include "app/PageTable.h"
#include "framework/ScrollablePage.h"
#include "model/Privilege.h"
#include "model/RadioImage.h"

// A data file of the family: a copy of a default file the build ships.
inline void WriteDataFile(const std::string& path, Family family, bool uhf = true) {
  const std::string source = std::string(RP58_PROGRAM_DIR) + "/Data/DEFAULT" + (uhf ? "U." : "V.") +
                             (family == kPortable ? "P58" : "K58");
  const std::vector<unsigned char> bytes = ReadWholeFile(source);
  ASSERT_EQ(bytes.size(), kImageSize) << source;
  WriteWholeFile(path, bytes);
}

// Runs `open`, which opens a modal dialog and waits in it; `work` runs, from
// a timer, once that dialog is up and active, and the dialog is closed after.
inline void WhileModal(const std::function<void()>& open, const std::function<void(QDialog&)>& work) {
  QWidget* below = QApplication::activeModalWidget();
  bool seen = false;
  QTimer poll;
  poll.setInterval(5);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || dialog == below || seen) return;
    seen = true;
    poll.stop();
    if (!QTest::qWaitFor([dialog] { return QApplication::activeWindow() == dialog; }))
      ADD_FAILURE() << "the dialog is not active";
    work(*dialog);
    if (dialog->isVisible()) dialog->reject();  // never leaves the test waiting
  });
  poll.start();
  open();
  EXPECT_TRUE(seen) << "a modal dialog opened";
}

// An answer to the save question and, after Yes, to the save dialog.
struct SaveAnswer {
  int answer;
  std::optional<std::string> saveAs = std::nullopt;  // nullopt: the save dialog is cancelled
};

class MainDlgTest : public ::testing::Test {
protected:
  void SetUp() override { ResetProgramState(); }
  void TearDown() override {
    dlg.reset();
    ResetProgramState();
  }

  // Starts the window as the program does; returns the exit code if any.
  std::optional<int> Start(const std::vector<std::string>& args = {}) {
    dlg = std::make_unique<CMainDlg>();
    const auto rc = dlg->OnInitDialog(args, dir.path());
    if (!rc) dlg->show();
    return rc;
  }

  void Script(const SaveAnswer& a) {
    msgs.Answer(a.answer);
    if (a.answer != kIdYes) return;
    if (a.saveAs)
      files.Choose(dir.File(*a.saveAs));
    else
      files.Cancel();
  }

  // Starts the window on a copy of a file of tests/data, active, with the
  // loaded family's Zone tab shown.
  void StartOnZoneTab(const char* file) {
    std::filesystem::copy_file(std::string(RP58_SOURCE_DIR) + "/tests/data/" + file, dir.File(file));
    ASSERT_FALSE(Start({file}));
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    dlg->TabBar()->setCurrentIndex(*TabPosition(g_isPortable ? kPortable : kMobile, TabKind::kZone));
    Settle();
  }

  // Template of the one page that has a window; -1 for none, -2 for several.
  int ShownTemplate() {
    int found = -1;
    for (int i = 0; i < kPageSlotCount; ++i) {
      const CScrollablePage* page = dlg->Pages().Built(static_cast<PageSlot>(i));
      if (page == nullptr || !page->HasWindow()) continue;
      if (found != -1) return -2;
      found = page->TemplateId();
    }
    return found;
  }
  // The slot shown, when exactly one.
  std::optional<PageSlot> ShownSlot() { return dlg->Pages().FirstWithWindow(); }

  std::vector<std::string> TabCaptions() {
    std::vector<std::string> out;
    for (int i = 0; i < dlg->TabBar()->count(); ++i) out.push_back(dlg->TabBar()->tabText(i).toStdString());
    return out;
  }

  TempDir dir;
  ScriptedMessages msgs;
  ScriptedFileDialogs files;
  std::unique_ptr<CMainDlg> dlg;
};
