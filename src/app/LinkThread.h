#pragma once
// What a dialog needs to run a link engine on a worker thread: the engine's
// status calls turned into queued widget changes, and a message sink that
// shows the engine's boxes on the dialog's thread while the worker waits.
#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QThread>
#include <atomic>
#include <string>

#include "link/CloneStatus.h"
#include "model/MessageBox.h"
#include "platform/Beep.h"

// The engine's status calls arrive on the worker thread; the widgets change
// on the dialog's thread, in the order the engine made them.
class QtCloneStatus : public ICloneStatus {
public:
  QtCloneStatus(QObject* context, QLabel* line1, QLabel* line2, QLabel* counter, QProgressBar* progress,
                std::atomic<bool>& boxLast)
      : context_(context), line1_(line1), line2_(line2), counter_(counter), progress_(progress), boxLast_(boxLast) {}

  void SetStatusLine1(const std::string& text) override { SetLine(line1_, text); }
  void SetStatusLine2(const std::string& text) override { SetLine(line2_, text); }
  // The counter and the bar show once the transfer moves them (a dialog may
  // keep them hidden until then).
  void SetBlockCounter(const std::string& text) override {
    Post([label = counter_, text = QString::fromStdString(text)] {
      label->setText(text);
      label->show();
    });
  }
  void SetProgressRange(int maximum) override {
    Post([bar = progress_, maximum] { bar->setRange(0, maximum); });
  }
  void SetProgress(int position) override {
    Post([bar = progress_, position] {
      bar->setValue(position);
      bar->show();
    });
  }
  void Beep() override {
    Post([] { MessageBeep(); });
  }

private:
  // A status text told after a box is what the user must read last.
  void SetLine(QLabel* label, const std::string& text) {
    if (!text.empty()) boxLast_ = false;
    SetText(label, text);
  }
  void SetText(QLabel* label, const std::string& text) {
    Post([label, text = QString::fromStdString(text)] { label->setText(text); });
  }
  template <class Fn>
  void Post(Fn fn) {
    QMetaObject::invokeMethod(context_, std::move(fn), Qt::QueuedConnection);
  }

  QObject* context_;
  QLabel* line1_;
  QLabel* line2_;
  QLabel* counter_;
  QProgressBar* progress_;
  std::atomic<bool>& boxLast_;
};

// Stands in for the program's message sink while a transfer runs: a box the
// engine raises is shown by the previous sink on the dialog's thread, and
// the dialog learns that the user has been told.
class GuiThreadMessages : public IMessageSink {
public:
  GuiThreadMessages(QObject* context, std::atomic<bool>& shown)
      : context_(context), shown_(shown), previous_(GetMessageSink()) {
    SetMessageSink(this);
  }
  ~GuiThreadMessages() override { SetMessageSink(previous_); }
  GuiThreadMessages(const GuiThreadMessages&) = delete;
  GuiThreadMessages& operator=(const GuiThreadMessages&) = delete;

  int Show(const std::string& text, const std::string& caption, unsigned style) override {
    shown_ = true;
    int result = 0;
    auto show = [&] {
      // The worker waits meanwhile, so nothing else uses the sink.
      SetMessageSink(previous_);
      result = ShowMessageBox(text, style, caption);
      SetMessageSink(this);
    };
    if (QThread::currentThread() == context_->thread())
      show();
    else
      QMetaObject::invokeMethod(context_, show, Qt::BlockingQueuedConnection);
    return result;
  }

private:
  QObject* context_;
  std::atomic<bool>& shown_;
  IMessageSink* previous_;
};
