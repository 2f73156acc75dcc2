// A small settings page built only from the framework, driven by keys and
// clicks as a user would: the pattern every real page follows.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTest>
#include <algorithm>

#include "QtTestSupport.h"
#include "framework/ButtonsAndLists.h"
#include "framework/ChoiceHelpers.h"
#include "framework/EditControls.h"
#include "framework/ScrollablePage.h"

namespace {
enum : int { kCount = 1040, kDelay = 1041, kMode = 1026, kToneCell = 1100, kToneList = 1101, kStepUp = 1102 };
const std::uint32_t kModeValues[] = {1, 0x00, 0x10, 0x20};  // default row 1

// What the page edits: a stand-in for a screen-data record.
struct Settings {
  int count = 12;
  int delay = 3;
  std::uint8_t mode = 0x20;
  std::uint8_t tone = 39;
  bool dirty = false;
};

class SettingsPage : public CScrollablePage {
public:
  explicit SettingsPage(Settings& s) : CScrollablePage(901, QSize(240, 140)), s_(s) {}
  CValueEdit* count = nullptr;
  CValueEdit* delay = nullptr;
  CKeyCombo* mode = nullptr;
  CLinkStatic* toneCell = nullptr;
  CHotListBox* toneList = nullptr;
  CRepeatButton* stepUp = nullptr;

  void Refresh() {
    count->setText(QString::number(s_.count));
    delay->setText(QString::number(s_.delay));
    mode->setCurrentIndex(static_cast<int>(kModeValues[0]));
    SelectComboByValue3(mode, kModeValues, s_.mode);
    toneCell->setText(ChoiceTextByByteValue50(toneList, g_ctcssCodeValues, s_.tone));
  }

protected:
  bool OnInitDialog() override {
    CScrollablePage::OnInitDialog();
    count = Place<CValueEdit>(kCount, 10, 10, 30, 12);
    count->SetupValueEdit({.intDigits = 3, .maxValue = 250, .nextOnEnter = true});
    delay = Place<CValueEdit>(kDelay, 50, 10, 30, 12);
    delay->SetupValueEdit({.intDigits = 2});
    mode = Place<CKeyCombo>(kMode, 10, 30, 60, 60);
    mode->SetEditLimits(nullptr, 0);
    FillCombo3(mode, "Off", "Low", "High", 0);
    QObject::connect(mode, &QComboBox::activated, [this](int row) {
      s_.mode = static_cast<std::uint8_t>(kModeValues[1 + row]);
      s_.dirty = true;
    });
    toneCell = Place<CLinkStatic>(kToneCell, 10, 50, 30, 10);
    QObject::connect(toneCell, &CLinkStatic::clicked, [this] { OpenToneList(); });
    toneList = Place<CHotListBox>(kToneList, 0, 0, 10, 10);
    toneList->hide();
    FillListBox(toneList, ToQStringList(g_ctcssToneTexts), 0);
    stepUp = Place<CRepeatButton>(kStepUp, 90, 10, 20, 12);
    stepUp->SetupRepeat(nullptr, &s_.delay, s_.delay, false, 1, 0, 99);
    Refresh();
    return true;
  }

  LParam OnUserMessage(unsigned msg, WParam id, LParam) override {
    switch (msg) {
      case UM_VALUE_EDITED:
        if (id == kCount) s_.count = count->text().toInt();
        if (id == kDelay) s_.delay = delay->text().toInt();
        s_.dirty = true;
        return 0;
      case UM_NEXT_CONTROL_2:
        delay->setFocus();
        return 0;
      case UM_LIST_CHOSEN:
        s_.tone = g_ctcssCodeValues.values[static_cast<std::size_t>(toneList->currentRow())];
        s_.dirty = true;
        CloseToneList();
        return 0;
      case UM_LIST_TAB:
        CloseToneList();
        return 0;
      case UM_REPEAT_STEP:
        delay->setText(QString::number(s_.delay));
        s_.dirty = true;
        return 0;
      default:
        return 0;
    }
  }

  // This page's own Esc: close the pick list (still swallowed).
  bool PreviewKey(QKeyEvent* e) override {
    if (e->key() == Qt::Key_Escape && toneList->isVisible()) CloseToneList();
    return CScrollablePage::PreviewKey(e);
  }

private:
  void OpenToneList() {
    toneCell->SetTextColor(Qt::red);
    const QRect r = toneCell->geometry();
    const auto& codes = g_ctcssCodeValues.values;
    const auto code = std::find(codes.begin(), codes.end(), s_.tone);
    const int row = code != codes.end() ? static_cast<int>(code - codes.begin())
                                        : static_cast<int>(g_ctcssCodeValues.defaultRow);
    ShowPickerList(toneList, r.x(), r.bottom(), r.width(), 80, row, true);
  }
  void CloseToneList() {
    toneList->hide();
    toneCell->SetTextColor(Qt::black);
    Refresh();
  }
  Settings& s_;
};

bool HostSaw(const RecordingKeysWindow& host, int key) {
  return std::find(host.keys.begin(), host.keys.end(), key) != host.keys.end();
}

struct TestPageFixture : ::testing::Test {
  void SetUp() override {
    host.resize(600, 400);
    host.show();
    ASSERT_TRUE(page.Create(&host));
    page.show();
  }
  void TearDown() override {
    page.DestroyWindow();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  Settings s;
  RecordingKeysWindow host;
  SettingsPage page{s};
};
}  // namespace

TEST_F(TestPageFixture, RefreshShowsTheStoredValuesWithoutMarkingTheDataChanged) {
  EXPECT_EQ(page.count->text(), "12");
  EXPECT_EQ(page.mode->currentText(), "High");
  EXPECT_EQ(page.toneCell->text(), "159.8");
  s.mode = 0x77;  // matches no row: the default row shows
  page.Refresh();
  EXPECT_EQ(page.mode->currentText(), "Low");
  EXPECT_FALSE(s.dirty);
}

TEST_F(TestPageFixture, TypingAndChoosingStoreIntoTheRecord) {
  BeepCounter beeps;
  page.count->selectAll();
  QTest::keyClicks(page.count, "25");
  QTest::keyClick(page.count, '1');  // 251 is above the page's limit of 250
  EXPECT_EQ(s.count, 25);
  EXPECT_EQ(beeps.count(), 1);
  QTest::keyClick(page.count, Qt::Key_Return);  // next-on-Enter: the page moves on
  EXPECT_EQ(page.focusWidget(), page.delay);

  QTest::keyClick(page.mode, Qt::Key_H);  // letters never move the choice
  EXPECT_EQ(s.mode, 0x20);
  page.mode->activated(0);  // the user picks "Off"
  EXPECT_EQ(s.mode, 0x00);
  EXPECT_TRUE(s.dirty);
  EXPECT_FALSE(HostSaw(host, Qt::Key_Return));
  EXPECT_FALSE(HostSaw(host, Qt::Key_H));
}

TEST_F(TestPageFixture, ClickingACellOpensItsPickListAndEnterCommitsTheRow) {
  QTest::mouseClick(page.toneCell, Qt::LeftButton);
  ASSERT_TRUE(page.toneList->isVisible());
  EXPECT_EQ(page.toneList->currentRow(), 39);  // the stored tone's row
  EXPECT_EQ(page.toneCell->TextColor(), QColor(Qt::red));
  QTest::keyClick(page.toneList, Qt::Key_Down);
  QTest::keyClick(page.toneList, Qt::Key_Return);
  EXPECT_FALSE(page.toneList->isVisible());
  EXPECT_EQ(s.tone, 40);
  EXPECT_EQ(page.toneCell->text(), "165.5");

  s.dirty = false;
  QTest::mouseClick(page.toneCell, Qt::LeftButton);
  QTest::keyClick(page.toneList, Qt::Key_Up);
  QTest::keyClick(page.toneList, Qt::Key_Escape);  // Esc closes the list, keeps the value
  EXPECT_FALSE(page.toneList->isVisible());
  EXPECT_EQ(s.tone, 40);
  EXPECT_FALSE(s.dirty);
  EXPECT_FALSE(HostSaw(host, Qt::Key_Escape));  // Enter and Esc never reach the main dialog
  EXPECT_FALSE(HostSaw(host, Qt::Key_Return));
}

TEST_F(TestPageFixture, HoldingTheStepButtonCountsTheValueUp) {
  QTest::mousePress(page.stepUp, Qt::LeftButton);
  for (int i = 0; i < 8 * 3; ++i) page.stepUp->RepeatTick();
  QTest::mouseRelease(page.stepUp, Qt::LeftButton);
  EXPECT_EQ(s.delay, 6);
  EXPECT_EQ(page.delay->text(), "6");
  QTest::keyClick(page.stepUp, Qt::Key_F3);  // the main dialog still gets its keys
  EXPECT_EQ(host.keys, std::vector<int>{Qt::Key_F3});
}
