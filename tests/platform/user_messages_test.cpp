#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>

#include "QtTestSupport.h"
#include "platform/ControlIds.h"
#include "platform/UserMessages.h"

namespace {
class AnsweringWindow : public RecordingWindow {
public:
  LParam OnUserMessage(unsigned msg, WParam w, LParam l) override {
    RecordingWindow::OnUserMessage(msg, w, l);
    return static_cast<LParam>(w) + l;
  }
};
}  // namespace

TEST(UserMessages, SendIsHandledAtOnceAndReturnsTheHandlersResult) {
  AnsweringWindow window;
  EXPECT_EQ(SendUserMessage(&window, UM_VALUE_EDITED, 1040, 12), 1052);
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0], (RecordedMessage{UM_VALUE_EDITED, 1040, 12}));
  EXPECT_EQ(SendUserMessage(nullptr, UM_VALUE_EDITED, 1, 1), 0);
}

TEST(UserMessages, PostedMessagesArriveLaterInTheOrderPosted) {
  RecordingWindow window;
  PostUserMessage(&window, UM_OPEN_REPEATER, 3, 0);
  SendUserMessage(&window, UM_NEXT_CONTROL, 1100, 0);
  PostUserMessage(&window, UM_OPEN_SYSTEM_PAGE, 0, 255);
  ASSERT_EQ(window.messages.size(), 1u);  // only the sent one so far
  QCoreApplication::sendPostedEvents();
  const std::vector<RecordedMessage> expected{
      {UM_NEXT_CONTROL, 1100, 0}, {UM_OPEN_REPEATER, 3, 0}, {UM_OPEN_SYSTEM_PAGE, 0, 255}};
  EXPECT_EQ(window.messages, expected);
}

TEST(UserMessages, MessagePostedToAWindowDestroyedMeanwhileIsDropped) {
  auto* window = new RecordingWindow;
  PostUserMessage(window, UM_MODEL_CHANGED, 0, 2);
  delete window;
  QCoreApplication::sendPostedEvents();  // must not touch the dead window
  SUCCEED();
}

TEST(UserMessages, ControlsReportToTheNearestWindowThatHandlesMessages) {
  RecordingWindow page;
  auto* body = new QWidget(&page);
  auto* edit = new QLineEdit(body);
  SetControlId(edit, 1026);
  EXPECT_EQ(NotifyTargetOf(edit), &page);
  EXPECT_EQ(FindControl(&page, 1026), edit);
  EXPECT_EQ(FindControl<QLineEdit>(&page, 1026), edit);
  EXPECT_EQ(FindControl(&page, 1027), nullptr);
  EXPECT_EQ(ControlId(edit), 1026);
  EXPECT_EQ(ControlId(body), 0);

  QWidget plainParent;
  auto* lone = new QLineEdit(&plainParent);
  EXPECT_EQ(NotifyTargetOf(lone), &plainParent);
}
