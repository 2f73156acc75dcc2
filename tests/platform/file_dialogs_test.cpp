#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <filesystem>

#include "QtTestSupport.h"
#include "ScriptedMessages.h"
#include "platform/FileDialogs.h"

TEST(FileDialogs, NameFiltersMatchEitherCase) {
  EXPECT_EQ(QtNameFilter({"RP58 Files (*.K58)", "*.K58"}), "RP58 Files (*.K58) (*.K58 *.k58)");
  EXPECT_EQ(QtNameFilter({"*.p58", "*.p58"}), "*.p58 (*.p58 *.P58)");
}

TEST(FileDialogs, WithoutASinkEveryDialogIsCancelled) {
  IFileDialogSink* before = GetFileDialogSink();
  SetFileDialogSink(nullptr);
  std::string path = "unchanged";
  EXPECT_FALSE(ShowOpenFileDialog({"Select file", "Data", {}, true}, path));
  EXPECT_EQ(path, "unchanged");
  SetFileDialogSink(before);
}

TEST(FileDialogs, ScriptedAnswersComeInOrderAndRequestsAreRecorded) {
  ScriptedFileDialogs dialogs;
  dialogs.Choose("/tmp/a.K58");
  dialogs.Cancel();
  std::string path;
  EXPECT_TRUE(ShowOpenFileDialog({"Select file", "Data", {{"RP58 Files (*.K58)", "*.K58"}}, true}, path));
  EXPECT_EQ(path, "/tmp/a.K58");
  EXPECT_FALSE(ShowSaveFileDialog({"Select save file", "Data", {{"*.K58", "*.K58"}}, true}, path));
  EXPECT_FALSE(ShowSaveFileDialog({"Select save file", "Data", {}, true}, path));  // script ran out
  ASSERT_EQ(dialogs.requests().size(), 3u);
  EXPECT_EQ(dialogs.requests()[0].request.title, "Select file");
  EXPECT_FALSE(dialogs.requests()[0].save);
  EXPECT_TRUE(dialogs.requests()[1].save);
}

TEST(FileDialogs, TheQtOpenDialogStartsInTheFolderAndReturnsTheChosenFile) {
  TempDir dir;
  std::filesystem::create_directory("Data");
  WriteWholeFile("Data/radio.k58", {1, 2, 3});
  QString title, folder;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    title = dialog->windowTitle();
    folder = dialog->directory().dirName();
    dialog->selectFile("radio.k58");
    static_cast<QDialog*>(dialog)->accept();
  });
  QtFileDialogs qt;
  std::string path;
  ASSERT_TRUE(qt.GetOpenFileName({"Select file", "Data", {{"RP58 Files (*.K58)", "*.K58"}}, true}, path));
  EXPECT_EQ(title, "Select file");
  EXPECT_EQ(folder, "Data");
  EXPECT_EQ(std::filesystem::path(path).filename(), "radio.k58");
}
