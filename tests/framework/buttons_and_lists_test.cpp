#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "QtTestSupport.h"
#include "framework/ButtonsAndLists.h"
#include "platform/ControlIds.h"

namespace {
constexpr int kId = 1100;
RecordedMessage Msg(unsigned m, LParam l = 0) { return {m, kId, l}; }

using Page = RecordingKeysWindow;

// A repeat button on `page` holding `value`, counting up from 5 in [0, 10].
CRepeatButton* RepeatButton(Page& page, int& value) {
  auto* button = new CRepeatButton(&page);
  SetControlId(button, kId);
  button->resize(40, 20);
  button->SetupRepeat(nullptr, &value, 5, false, 1, 0, 10);
  return button;
}

template <class T>
T* Make(Page& page) {
  auto* c = new T(&page);
  SetControlId(c, kId);
  return c;
}
}  // namespace

TEST(RepeatButton, ScheduleSpeedsUpAfterTenTwentyAndThirtySteps) {
  RepeatSchedule schedule;
  std::vector<int> gaps;
  int ticks = 0;
  while (gaps.size() < 35) {
    ++ticks;
    if (schedule.Tick()) {
      gaps.push_back(ticks);
      ticks = 0;
    }
  }
  for (int i = 0; i < 35; ++i) {
    const int expected = i < 10 ? 8 : i < 20 ? 5 : i < 30 ? 4 : 2;
    EXPECT_EQ(gaps[static_cast<std::size_t>(i)], expected) << "step " << i + 1;
  }
}

TEST(RepeatButton, StepsClampToTheRange) {
  struct Case {
    int value;
    bool down;
    int step, min, max, result;
  } cases[] = {
      {5, false, 1, 0, 10, 6}, {10, false, 1, 0, 10, 10}, {0, true, 1, 0, 10, 0},
      {3, true, 5, 0, 10, 0},  {-7, false, 1, 0, 10, 0},  {2147483647, false, 1, 0, 2147483647, 2147483647},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RepeatStepValue(c.value, c.down, c.step, c.min, c.max), c.result) << c.value;
}

TEST(RepeatButton, HoldingStepsToTheMaximumAndTheReleaseClicksOnce) {
  Page page;
  int value = 0;
  auto* button = RepeatButton(page, value);
  EXPECT_EQ(value, 5);
  QSignalSpy clicks(button, &QPushButton::clicked);

  QTest::mousePress(button, Qt::LeftButton);
  ASSERT_TRUE(button->IsRepeating());
  for (int i = 0; i < 8 * 7; ++i) button->RepeatTick();
  std::vector<RecordedMessage> expected;
  for (int v : {6, 7, 8, 9, 10, 10, 10}) expected.push_back(Msg(UM_REPEAT_STEP, v));
  EXPECT_EQ(page.messages, expected);  // the steps that stay at 10 are reported too
  EXPECT_EQ(value, 10);
  EXPECT_EQ(clicks.count(), 0);
  QTest::mouseRelease(button, Qt::LeftButton);
  EXPECT_FALSE(button->IsRepeating());
  EXPECT_EQ(clicks.count(), 1);
}

TEST(RepeatButton, ShortClickMakesNoStepAndAMaximumBelowTheMinimumPinsTheValue) {
  Page page;
  int value = 0;
  auto* button = RepeatButton(page, value);
  button->SetupRepeat(nullptr, &value, 3, true, 2, 4, 1);
  EXPECT_EQ(button->m_max, 4);
  QTest::mousePress(button, Qt::LeftButton);
  for (int i = 0; i < 7; ++i) button->RepeatTick();
  EXPECT_TRUE(page.messages.empty());
  button->RepeatTick();
  EXPECT_EQ(page.messages, std::vector<RecordedMessage>{Msg(UM_REPEAT_STEP, 4)});
  QTest::mouseRelease(button, Qt::LeftButton);
}

TEST(RepeatButton, RepeatStopsWhenTheButtonIsNoLongerPressed) {
  Page page;
  int value = 0;
  auto* button = RepeatButton(page, value);

  QTest::mousePress(button, Qt::LeftButton);
  button->setDown(false);  // the press was lost
  button->RepeatTick();
  EXPECT_FALSE(button->IsRepeating());

  QTest::mousePress(button, Qt::LeftButton);
  QDialog box(&page);  // a message box takes the mouse
  box.setModal(true);
  box.show();
  for (int i = 0; i < 20; ++i) button->RepeatTick();
  EXPECT_FALSE(button->IsRepeating());
  EXPECT_FALSE(button->isDown());
  EXPECT_TRUE(page.messages.empty());
  EXPECT_EQ(value, 5);
}

// Real presses while the main window runs under exec(), as the program runs
// it, on a button in a window of its own: a short press steps once (the
// click), a held one repeats and then clicks once.
TEST(RepeatButton, RealPressesStepOnceOrRepeatWhileTheMainWindowRunsUnderExec) {
  QDialog mainWindow;
  auto* page = new Page;  // a window of its own, owned by the main window
  page->setParent(&mainWindow, Qt::Window);
  int value = 0;
  auto* button = RepeatButton(*page, value);
  button->SetupRepeat(nullptr, &value, 0, false, 1, 0, 100);
  QSignalSpy clicks(button, &QPushButton::clicked);
  bool ran = false;
  const auto presses = [&] {
    ran = true;
    ASSERT_EQ(QApplication::activeModalWidget(), &mainWindow);
    page->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(page));
    QTest::mousePress(button, Qt::LeftButton);
    QTest::qWait(100);
    QTest::mouseRelease(button, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(page->messages.empty());
    EXPECT_FALSE(button->IsRepeating());

    QTest::mousePress(button, Qt::LeftButton);
    QTest::qWait(2000);
    EXPECT_TRUE(button->IsRepeating());
    QTest::mouseRelease(button, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 2);
    // A step every 200 ms: ten at most, and most of them even on a busy machine.
    EXPECT_GE(value, 5);
    EXPECT_LE(value, 10);
    std::vector<RecordedMessage> expected;
    for (int v = 1; v <= value; ++v) expected.push_back(Msg(UM_REPEAT_STEP, v));
    EXPECT_EQ(page->messages, expected);
    EXPECT_FALSE(button->IsRepeating());
  };
  QTimer::singleShot(0, &mainWindow, [&] {
    presses();
    mainWindow.done(0);
  });
  mainWindow.exec();
  EXPECT_TRUE(ran);
}

TEST(Buttons, EnterAndFocusLossGoToThePage) {
  Page page;
  auto* flat = Make<CFlatButton>(page);
  QSignalSpy clicks(flat, &QPushButton::clicked);
  QTest::keyClick(flat, Qt::Key_Return);
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(flat, &out);
  const std::vector<RecordedMessage> expected{Msg(UM_BUTTON_ENTER), Msg(UM_BUTTON_KILLFOCUS)};
  EXPECT_EQ(page.messages, expected);
  EXPECT_TRUE(page.keys.empty());
  EXPECT_EQ(clicks.count(), 0);

  page.messages.clear();
  auto* repeat = new CRepeatButton(&page);
  SetControlId(repeat, kId);
  QTest::keyClick(repeat, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(page.messages, std::vector<RecordedMessage>{Msg(UM_BUTTON_ENTER)});
}

TEST(LinkStatic, CellKeysGoToThePageAndFocusMarksTheCell) {
  Page page;
  auto* cell = Make<CLinkStatic>(page);
  cell->setText("https://example.invalid");
  QSignalSpy clicked(cell, &CLinkStatic::clicked);

  QFocusEvent in(QEvent::FocusIn, Qt::OtherFocusReason);
  QApplication::sendEvent(cell, &in);
  EXPECT_EQ(cell->TextColor(), QColor(Qt::red));
  QTest::keyClick(cell, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(cell->TextColor(), QColor(Qt::black));
  QTest::keyClick(cell, Qt::Key_Tab);
  QTest::keyClick(cell, Qt::Key_Return);
  const std::vector<RecordedMessage> expected{Msg(UM_PREV_CONTROL), Msg(UM_NEXT_CONTROL), Msg(UM_CELL_ACTIVATE)};
  EXPECT_EQ(page.messages, expected);
  EXPECT_TRUE(page.keys.empty());  // none of them reaches the page's own key handling

  QTest::mouseClick(cell, Qt::LeftButton);
  EXPECT_EQ(clicked.count(), 1);  // the page hears of it; nothing is opened
  cell->SetTextColor(QColor(0, 0, 255));
  EXPECT_EQ(cell->palette().color(QPalette::WindowText), QColor(0, 0, 255));
}

TEST(HotListBox, EnterChoosesAndTabLeaves) {
  Page page;
  auto* list = Make<CHotListBox>(page);
  list->addItems({"a", "b", "c"});
  list->setCurrentRow(1);
  QSignalSpy doubleClicked(list, &QListWidget::itemDoubleClicked);
  QTest::keyClick(list, Qt::Key_Return);
  QTest::keyClick(list, Qt::Key_Tab);
  const std::vector<RecordedMessage> expected{Msg(UM_LIST_CHOSEN), Msg(UM_LIST_TAB)};
  EXPECT_EQ(page.messages, expected);
  EXPECT_EQ(list->currentRow(), 1);
  EXPECT_TRUE(page.keys.empty());
}

TEST(KeyCombo, RefusesLettersOpenOrClosedButNotFKeysOrTheKeypad) {
  Page page;
  page.show();
  auto* combo = Make<CKeyCombo>(page);
  combo->addItems({"TM-6600-KS8B-50(UHF)", "Mobile", "1", "2"});
  combo->SetEditLimits(nullptr, 0);
  QTest::keyClick(combo, Qt::Key_M);
  EXPECT_EQ(combo->currentIndex(), 0);
  combo->showPopup();
  QTest::keyClick(combo->view(), Qt::Key_M);
  EXPECT_EQ(combo->view()->currentIndex().row(), 0);
  combo->hidePopup();
  EXPECT_TRUE(page.keys.empty());

  combo->SetEditLimits(nullptr, 1);
  QTest::keyClick(combo, Qt::Key_M);
  EXPECT_EQ(combo->currentIndex(), 1);

  combo->SetEditLimits(nullptr, 0);
  page.keys.clear();
  QTest::keyClick(combo, Qt::Key_F5);
  QTest::keyClick(combo, Qt::Key_1, Qt::KeypadModifier);
  EXPECT_EQ(page.keys, (std::vector<int>{Qt::Key_F5, Qt::Key_1}));
}
