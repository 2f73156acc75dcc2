#include "QtTestSupport.h"

#include <QImage>
#include <algorithm>
#include <QKeyEvent>
#include <QPixmap>

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

CellMarks MarksOf(const QWidget* cell) {
  const QImage image = const_cast<QWidget*>(cell)->grab().toImage();
  const QColor highlight = cell->palette().color(QPalette::Highlight);
  CellMarks marks;
  int longestRun = 0;
  for (int x = 0; x < image.width(); ++x) {
    int run = 0;
    for (int y = 0; y < image.height(); ++y) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 200 && c.green() < 100 && c.blue() < 100) ++marks.red;
      run = c.rgb() == highlight.rgb() ? run + 1 : 0;
      // The frame's left side: an open list may cover the cell's right edge.
      if (x < image.width() / 4) longestRun = std::max(longestRun, run);
    }
  }
  marks.framed = longestRun >= image.height() / 2;
  return marks;
}
