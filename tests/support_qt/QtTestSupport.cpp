#include "QtTestSupport.h"

#include <QImage>
#include <algorithm>
#include <QKeyEvent>
#include <QPixmap>
#include <QTest>

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

bool ShowActive(QWidget& window, QSize size) {
  window.resize(size);
  window.show();
  window.activateWindow();
  return QTest::qWaitForWindowActive(&window);
}

bool RecordingKeysWindow::PreviewKey(QKeyEvent* e) {
  if (e->key() != Qt::Key_Shift && e->key() != Qt::Key_Control) keys.push_back(e->key());
  return false;
}

CellMarks MarksOf(const QWidget* cell) {
  const QImage image = const_cast<QWidget*>(cell)->grab().toImage();
  const QRgb highlight = cell->palette().color(QPalette::Highlight).rgb();
  const auto isHighlight = [&](int x, int y) { return image.pixel(x, y) == highlight; };
  CellMarks marks;
  int longestRun = 0;
  int frameLeftEnd = -1;  // the frame's innermost column on either side
  int frameRightEnd = image.width();
  for (int x = 0; x < image.width(); ++x) {
    int run = 0;
    int columnRun = 0;
    for (int y = 0; y < image.height(); ++y) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 200 && c.green() < 100 && c.blue() < 100) ++marks.red;
      run = isHighlight(x, y) ? run + 1 : 0;
      columnRun = std::max(columnRun, run);
      // The frame's left side: an open list may cover the cell's right edge.
      if (x < image.width() / 4) longestRun = std::max(longestRun, run);
    }
    if (columnRun >= image.height() / 2) {
      if (x < image.width() / 4) frameLeftEnd = x;
      if (x >= image.width() * 3 / 4 && frameRightEnd == image.width()) frameRightEnd = x;
    }
  }
  marks.framed = longestRun >= image.height() / 2;
  // Beside a side of the frame, between its top and bottom lines: text edges
  // are blended with the background, so any clearly red pixel counts.
  const auto redBeside = [&](int frameX, int x) {
    if (frameX < 0 || frameX >= image.width() || x < 0 || x >= image.width()) return false;
    for (int y = 0; y < image.height(); ++y) {
      if (!isHighlight(frameX, y) || isHighlight(x, y)) continue;
      const QColor c = image.pixelColor(x, y);
      if (c.red() > c.green() + 60 && c.red() > c.blue() + 60) return true;
    }
    return false;
  };
  marks.textClearOfFrame = !redBeside(frameLeftEnd, frameLeftEnd + 1) && !redBeside(frameRightEnd, frameRightEnd - 1);
  return marks;
}
