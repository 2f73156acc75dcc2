#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "QtTestSupport.h"
#include "platform/QtMessageSink.h"

namespace {
struct Seen {
  QString text, title;
  Qt::TextFormat format = Qt::AutoText;
  QStringList buttons;
};

// Clicks `button` on the box once the modal loop runs, noting what it shows.
void ClickWhenShown(QMessageBox::StandardButton button, Seen& seen) {
  QTimer::singleShot(0, [button, &seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen.text = box->text();
    seen.title = box->windowTitle();
    seen.format = box->textFormat();
    for (auto* b : box->buttons()) seen.buttons << b->text();
    box->button(button)->click();
  });
}
}  // namespace

TEST(QtMessageSink, BeepsShowsTheTextAsWordedAndReturnsTheButton) {
  QtMessageSink sink;
  BeepCounter beeps;
  struct Case {
    unsigned style;
    QMessageBox::StandardButton click;
    int result;
    int buttons;
  } cases[] = {
      {kMsgOk, QMessageBox::Ok, kIdOk, 1},
      {kMsgOkCancel, QMessageBox::Cancel, kIdCancel, 2},
      {unsigned{kMsgYesNo} | kMsgIconQuestion, QMessageBox::No, kIdNo, 2},
      {kMsgYesNoCancel, QMessageBox::Yes, kIdYes, 3},
      {unsigned{kMsgYesNoCancel} | kMsgIconWarning, QMessageBox::Cancel, kIdCancel, 3},
  };
  for (const auto& c : cases) {
    Seen seen;
    ClickWhenShown(c.click, seen);
    const int result = sink.Show("Problem opening file\n    <a.K58>\n\n   Press any key", "Caution", c.style);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(seen.text, "Problem opening file\n    <a.K58>\n\n   Press any key");
    EXPECT_EQ(seen.format, Qt::PlainText);
    EXPECT_EQ(seen.title, "Caution");
    EXPECT_EQ(seen.buttons.size(), c.buttons);
  }
  EXPECT_EQ(beeps.count(), 5);
}

TEST(QtMessageSink, ShowMessageBoxGoesThroughTheInstalledSink) {
  IMessageSink* before = GetMessageSink();
  InstallQtMessageSink();
  BeepCounter beeps;
  Seen seen;
  ClickWhenShown(QMessageBox::Ok, seen);
  EXPECT_EQ(ShowMessageBox("Not enough memory !"), kIdOk);
  EXPECT_EQ(seen.text, "Not enough memory !");
  EXPECT_FALSE(seen.title.isEmpty());
  SetMessageSink(before);
}
