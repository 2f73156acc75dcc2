#include "QtTestSupport.h"

#include <QKeyEvent>

#include "platform/Beep.h"

BeepCounter::BeepCounter() {
  SetBeepHook([this] { ++count_; });
}
BeepCounter::~BeepCounter() { SetBeepHook(nullptr); }

ScriptedFileDialogs::ScriptedFileDialogs() : previous_(GetFileDialogSink()) { SetFileDialogSink(this); }
ScriptedFileDialogs::~ScriptedFileDialogs() { SetFileDialogSink(previous_); }

bool ScriptedFileDialogs::Next(std::string& path) {
  if (answers_.empty()) return false;
  auto answer = answers_.front();
  answers_.pop_front();
  if (!answer) return false;
  path = *answer;
  return true;
}

bool ScriptedFileDialogs::GetOpenFileName(const FileDialogRequest& request, std::string& path) {
  requests_.push_back({request, false});
  return Next(path);
}

bool ScriptedFileDialogs::GetSaveFileName(const FileDialogRequest& request, std::string& path) {
  requests_.push_back({request, true});
  return Next(path);
}

bool RecordingKeysWindow::PreviewKey(QKeyEvent* e) {
  if (e->key() != Qt::Key_Shift && e->key() != Qt::Key_Control) keys.push_back(e->key());
  return false;
}
