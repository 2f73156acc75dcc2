#pragma once
// Helpers for widget tests: counted beeps, a window that records the user
// messages its controls send, and a scripted file-dialog answerer.
#include <QComboBox>
#include <QWidget>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileDialogs.h"
#include "platform/KeyPreview.h"
#include "platform/UserMessages.h"

// Counts MessageBeep() calls for its lifetime.
class BeepCounter {
public:
  BeepCounter();
  ~BeepCounter();
  BeepCounter(const BeepCounter&) = delete;
  BeepCounter& operator=(const BeepCounter&) = delete;
  int count() const { return count_; }
  void reset() { count_ = 0; }

private:
  int count_ = 0;
};

struct RecordedMessage {
  unsigned msg;
  WParam wParam;
  LParam lParam;
  bool operator==(const RecordedMessage&) const = default;
};

// A window that handles user messages by recording them (and answers 0).
class RecordingWindow : public QWidget, public UserMessageTarget {
public:
  explicit RecordingWindow(QWidget* parent = nullptr) : QWidget(parent) {}
  LParam OnUserMessage(unsigned msg, WParam wParam, LParam lParam) override {
    messages.push_back({msg, wParam, lParam});
    return 0;
  }
  std::vector<RecordedMessage> messages;

protected:
  void customEvent(QEvent* e) override {
    if (!DeliverUserMessage(e)) QWidget::customEvent(e);
  }
};

// A user's pick: the row becomes current and the list reports the choice.
inline void UserChooses(QComboBox* combo, int row) {
  combo->setCurrentIndex(row);
  emit combo->activated(row);
}

// Stands in for the window around a control: records its messages and the
// keys that reach its own key handling (modifier presses left out).
class RecordingKeysWindow : public RecordingWindow, public KeyPreview {
public:
  bool PreviewKey(QKeyEvent* e) override;
  std::vector<int> keys;
};

// Shows `window` at `size` as the active window, as a page's host is shown;
// false when it never became active.
bool ShowActive(QWidget& window, QSize size);

// What a cell paints, read from its grabbed pixels: the pixels of red text,
// and whether a focus frame (a line of the highlight colour over half the
// cell's height) runs down its left side, and whether the column just inside
// the frame on either side is clear of red text (text the frame would cut).
struct CellMarks {
  int red = 0;
  bool framed = false;
  bool textClearOfFrame = true;
};
CellMarks MarksOf(const QWidget* cell);

// Answers file dialogs from a script and records each request.
class ScriptedFileDialogs : public IFileDialogSink {
public:
  struct Request {
    FileDialogRequest request;
    bool save;
  };
  ScriptedFileDialogs();
  ~ScriptedFileDialogs() override;
  ScriptedFileDialogs(const ScriptedFileDialogs&) = delete;
  ScriptedFileDialogs& operator=(const ScriptedFileDialogs&) = delete;

  // The next dialog returns this path; Cancel() makes the next one cancel.
  // When the script runs out, dialogs cancel.
  void Choose(const std::string& path) { answers_.emplace_back(path); }
  void Cancel() { answers_.emplace_back(std::nullopt); }

  bool GetOpenFileName(const FileDialogRequest& request, std::string& path) override;
  bool GetSaveFileName(const FileDialogRequest& request, std::string& path) override;
  const std::vector<Request>& requests() const { return requests_; }

private:
  bool Next(std::string& path);
  IFileDialogSink* previous_;
  std::deque<std::optional<std::string>> answers_;
  std::vector<Request> requests_;
};
