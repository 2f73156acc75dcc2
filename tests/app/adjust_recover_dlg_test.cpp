// Adjustment Recover from the Radio menu against the simulated radio on a
// pseudo-terminal: the save question first, the alignment words rewritten
// without touching the data, the saved file's blocks sent after the serial
// entry, and Esc in the serial entry writing nothing.
#include <QLineEdit>
#include <QTimer>
#include <algorithm>

#include "CloneFixture.h"
#include "app/AdjustRecoverDlg.h"

namespace {

constexpr std::size_t kSerialBytes = area::kMobileAdjust + 380;

class AdjustRecoverDlgTest : public CloneDlgTest {
protected:
  // A mobile radio whose adjustment data start with this header word.
  void RadioWithHeader(int header) {
    std::vector<std::uint8_t> memory = RadioMemory(kMobile);
    memory[area::kMobileAdjust] = static_cast<std::uint8_t>(header >> 8);
    memory[area::kMobileAdjust + 1] = static_cast<std::uint8_t>(header & 0xFF);
    Radio(SimProtocol::kPolled, memory);
    Serve();
  }
  // The radio's saved data file, its serial number never set.
  void SavedFile(const std::string& name) {
    WriteDataFile(dir.File(name), kMobile);
    std::vector<unsigned char> bytes = ReadWholeFile(dir.File(name));
    std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(kSerialBytes), 4, 0);
    WriteWholeFile(dir.File(name), bytes);
  }
  CloneOutcome Recover() { return Run(kCmdAdjustmentRecover); }

  // Opens the recovery from the menu and lets `step` act on the dialog at
  // every tick until it closes.
  void Drive(const std::function<void(CAdjustRecoverDlg&)>& step) {
    QTimer driver;
    driver.setInterval(1);
    QObject::connect(&driver, &QTimer::timeout, [&] {
      if (auto* d = qobject_cast<CAdjustRecoverDlg*>(QApplication::activeModalWidget())) step(*d);
    });
    driver.start();
    dlg->Action(kCmdAdjustmentRecover)->trigger();
    driver.stop();
  }
  // A key pressed where the dialog has its focus; the button it should be on.
  static void Press(CAdjustRecoverDlg& d, Qt::Key key, int expectedFocus) {
    QApplication::setActiveWindow(&d);
    QWidget* focus = QApplication::focusWidget();
    EXPECT_EQ(focus, FindControl<QWidget>(&d, expectedFocus)) << key;
    QTest::keyClick(focus != nullptr ? focus : &d, key, Qt::NoModifier, kKeyPressMs);
  }
};

// Before the transfer Esc cancels and Enter presses the focused Start; when
// it is done Enter presses the focused OK; while it runs Esc stops it. A key
// that does nothing is pressed a few times before the test clicks instead.
TEST_F(AdjustRecoverDlgTest, EnterAndEscBeforeDuringAndAfterTheTransfer) {
  StartWith(kMobile);
  RadioWithHeader(4800);
  int escs = 0;
  Drive([&](CAdjustRecoverDlg& d) {
    if (escs++ < 3) return Press(d, Qt::Key_Escape, kCloneStartId);
    ADD_FAILURE() << "Esc left the dialog open";
    FindControl<QPushButton>(&d, kCloneCancelId)->click();
  });
  EXPECT_EQ(escs, 1);
  EXPECT_TRUE(sim->Writes().empty());

  int enters = 0;
  int result = -2;
  Drive([&](CAdjustRecoverDlg& d) {
    auto* start = FindControl<QPushButton>(&d, kCloneStartId);
    auto* ok = FindControl<QPushButton>(&d, kCloneOkId);
    QPushButton* button = start->isVisible() ? start : ok->isVisible() ? ok : nullptr;
    if (button == nullptr || d.TransferRunning()) return;
    result = d.Result();
    if (enters++ < 6) return Press(d, Qt::Key_Return, ControlId(button));
    ADD_FAILURE() << "Enter did not press " << button->text().toStdString();
    button->click();
  });
  EXPECT_EQ(enters, 2);  // Start, then OK
  EXPECT_EQ(result, kTransferDone);
  EXPECT_FALSE(sim->Writes().empty());

  // During the transfer Esc stops it: nothing is written.
  RadioWithHeader(4800);
  clock.HoldAtPause(2000, 1);  // the pause after the first block read
  bool pressed = false, okShown = false;
  Drive([&](CAdjustRecoverDlg& d) {
    okShown = okShown || FindControl<QPushButton>(&d, kCloneOkId)->isVisible();
    if (!d.TransferRunning() && !pressed && FindControl<QPushButton>(&d, kCloneStartId)->isVisible()) {
      FindControl<QPushButton>(&d, kCloneStartId)->click();
      return;
    }
    if (pressed || !clock.Held()) return;
    pressed = true;
    QTest::keyClick(&d, Qt::Key_Escape);
    clock.Release();
  });
  EXPECT_TRUE(pressed);
  EXPECT_FALSE(okShown);
  EXPECT_TRUE(sim->Writes().empty());
}

TEST_F(AdjustRecoverDlgTest, ASoundHeaderGetsItsAlignmentWordsRewrittenAndTheDataStays) {
  StartWith(kMobile);
  RadioWithHeader(4800);
  g_dataModified = 1;
  const std::vector<std::uint8_t> image(g_pRadioImage, g_pRadioImage + kImageSize);
  const auto adjust = g_adjustCopy;
  const QString serial = dlg->SerialEdit()->text();
  msgs.Answer(kIdNo);
  // Nothing has moved when the dialog opens: no counter, no empty bar.
  bool counterAtOpen = true, barAtOpen = true;
  beforeStart = [&](CCloneDlg& d) {
    counterAtOpen = FindControl<QLabel>(&d, kCloneCounterId)->isVisible();
    barAtOpen = FindControl<QProgressBar>(&d, kCloneProgressId)->isVisible();
  };
  const CloneOutcome out = Recover();
  ASSERT_TRUE(out.ran);
  EXPECT_FALSE(counterAtOpen);
  EXPECT_FALSE(barAtOpen);
  // The words were read with the counter; no block was sent, so no bar.
  EXPECT_TRUE(out.counterShown);
  EXPECT_EQ(out.counter, "Receive block 254 / 254");
  EXPECT_FALSE(out.progressShown);
  EXPECT_EQ(msgs.texts(), std::vector<std::string>{SaveQuestionOf(kMobile)});
  EXPECT_EQ(out.line1, "Adjustment Recover is completed.");
  std::vector<int> words;
  for (const SimWrite& w : sim->Writes()) {
    EXPECT_EQ(w.kind, SimWrite::kWord);
    words.push_back(w.address);
  }
  EXPECT_EQ(words, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
  std::uint16_t sum = 0;
  for (int w = 3; w <= 16; ++w) sum = static_cast<std::uint16_t>(sum + sim->Word(w));
  EXPECT_EQ(sim->Word(2), sum);
  // What the radio sent never reached the working data.
  EXPECT_EQ(std::vector<std::uint8_t>(g_pRadioImage, g_pRadioImage + kImageSize), image);
  EXPECT_EQ(g_adjustCopy, adjust);
  EXPECT_EQ(g_dataModified, 1);
  EXPECT_EQ(dlg->FileLine(), "File:start.K58");
  EXPECT_EQ(dlg->SerialEdit()->text(), serial);

  // The save question's Cancel starts nothing.
  msgs.clear();
  msgs.Answer(kIdCancel);
  EXPECT_FALSE(Recover().ran);
}

TEST_F(AdjustRecoverDlgTest, ABlankAdjustmentCopyTakesTheSavedFileAndTheTypedSerial) {
  StartWith(kMobile);
  RadioWithHeader(0xFFFF);
  SavedFile("saved.K58");
  files.Choose(dir.File("saved.K58"));
  std::string shown;
  onSerialEntry = [&](CCloneDlg& d) {
    auto* entry = static_cast<CAdjustRecoverDlg&>(d).SerialEntry();
    shown = entry->text().toStdString();
    entry->setFocus();
    entry->selectAll();
    QTest::keyClicks(entry, "5c1x2");  // the x is refused
    QTest::keyClick(entry, Qt::Key_Return);
  };
  const CloneOutcome out = Recover();
  EXPECT_EQ(out.line1, "Adjustment Recover is completed.");
  EXPECT_EQ(shown, kUnsetSerial);
  // The program's data went to the radio with the new serial: the window
  // shows it as after a read, the serial typed and no file.
  EXPECT_EQ(dlg->SerialEdit()->text(), "5C120000");
  EXPECT_EQ(dlg->FileLine(), "");
  EXPECT_TRUE(out.progressShown);
  EXPECT_TRUE(out.counterShown);
  ASSERT_EQ(sim->Writes().size(), 255u);
  EXPECT_EQ(sim->Writes().front(), (SimWrite{SimWrite::kBlock, 0, 0}));
  EXPECT_EQ(sim->Writes().back(), (SimWrite{SimWrite::kBlock, 254, 0}));
  const std::vector<std::uint8_t>& radio = sim->Memory();
  EXPECT_EQ(std::vector<std::uint8_t>(radio.begin() + kSerialBytes, radio.begin() + kSerialBytes + 4),
            (std::vector<std::uint8_t>{0x51, 0x12, 0x00, 0x00}));  // "5C120000"
  EXPECT_TRUE(std::equal(radio.begin() + 100 * kBlockSize, radio.begin() + 101 * kBlockSize, g_pRadioImage + 100 * kBlockSize));
}

TEST_F(AdjustRecoverDlgTest, EscInTheSerialEntryWritesNothing) {
  StartWith(kMobile);
  RadioWithHeader(0xFFFF);
  SavedFile("saved.K58");
  files.Choose(dir.File("saved.K58"));
  bool asked = false;
  onSerialEntry = [&](CCloneDlg& d) {
    asked = true;
    QTest::keyClick(static_cast<CAdjustRecoverDlg&>(d).SerialEntry(), Qt::Key_Escape);
  };
  const CloneOutcome out = Recover();
  EXPECT_TRUE(asked);
  EXPECT_FALSE(out.okShown);
  EXPECT_TRUE(sim->Writes().empty());
  // The saved file was loaded and nothing sent: the window names it.
  EXPECT_EQ(dlg->FileLine(), "File:saved.K58");
}

}  // namespace
