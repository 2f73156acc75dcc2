// Alignment end to end: the main window's Alignment command runs the start
// dialog, the preset prompt and the alignment window against a simulated
// radio on a pseudo-terminal, as a technician would; and the step texts.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <functional>

#include "MainDlgFixture.h"
#include "PtyRadio.h"
#include "SimRadio.h"
#include "app/AlignDlg.h"
#include "app/AlignStartDlg.h"
#include "app/AlignTexts.h"
#include "app/CloneDlg.h"
#include "app/CommandTable.h"
#include "framework/Meters.h"
#include "platform/ControlIds.h"

namespace {

// Real time without the protocol's pauses.
class NoPauseClock : public CSystemClock {
public:
  void SleepMicros(std::uint64_t) override {}
};

std::vector<std::uint8_t> DefaultRadio(Family family, bool uhf) {
  const std::string source = std::string(RP58_PROGRAM_DIR) + "/Data/DEFAULT" + (uhf ? "U." : "V.") +
                             (family == kPortable ? "P58" : "K58");
  const std::vector<unsigned char> file = ReadWholeFile(source);
  std::vector<std::uint8_t> memory(file.begin(), file.end());
  memory.resize(kImageBufferSize, 0xFF);
  memory[area::kProductCode] = 39;
  memory[249] = family == kPortable ? 0x35 : 0x25;
  // Channel 0 programmed.
  if (family == kPortable)
    memory[0x1C80] = 0x10;
  else
    memory[57 * kBlockSize + 1] = 0x20;
  // The serial number 1D345678, and other bytes where it is not.
  const std::size_t serialAt[2][4] = {{256 * kBlockSize + 124, 256 * kBlockSize + 125, 256 * kBlockSize + 126,
                                       256 * kBlockSize + 127},
                                      {167 * kBlockSize + 121, 167 * kBlockSize + 124, 167 * kBlockSize + 125,
                                       167 * kBlockSize + 126}};
  const std::uint8_t serial[4] = {0x12, 0x34, 0x56, 0x78};
  for (int i = 0; i < 4; ++i) {
    memory[254 * kBlockSize + 124 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(0x0B + 0x40 * i);
    memory[serialAt[family == kPortable][i]] = serial[i];
  }
  return memory;
}

// One step of a technician's walk through the window; true when done.
using WalkStep = std::function<bool(CAlignDlg&)>;

class AlignDlgTest : public MainDlgTest {
protected:
  void SetUp() override {
    MainDlgTest::SetUp();
    SetCloneClock(&clock);
  }
  void TearDown() override {
    unsetenv("RP58_COM1");
    pty.reset();
    MainDlgTest::TearDown();
  }

  void Serve(Family family, bool uhf = true) { Serve(family, DefaultRadio(family, uhf)); }
  void Serve(Family family, std::vector<std::uint8_t> memory, bool paced = false) {
    sim = std::make_unique<CSimRadio>(SimProtocol::kPolled, std::move(memory), 1, 58);
    sim->SetFamily(family == kPortable);
    sim->SetRestartDelay(50'000);
    sim->ComeOnByItself(50'000, 1'000'000);
    pty = std::make_unique<CPtyRadio>(*sim);
    ASSERT_TRUE(pty->Create());
    if (paced) pty->PaceLine(kLineMicrosPerByte9600);
    setenv("RP58_COM1", pty->Path().c_str(), 1);
    pty->Start();
  }

  // Runs Alignment from the menu: the preset is started, OK pressed once
  // the upload is done, then the walk's steps run in the window.
  void Align(std::deque<WalkStep> walk) {
    bool windowSeen = false;
    QTimer driver;
    driver.setInterval(2);
    QObject::connect(&driver, &QTimer::timeout, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (auto* preset = qobject_cast<CAlignPresetDlg*>(modal)) {
        presetText = FindControl<QLabel>(preset, kAlignTitleId)->text().toStdString();
        FindControl<QPushButton>(preset, kAlignStartId)->click();
        return;
      }
      if (auto* start = qobject_cast<CAlignStartDlg*>(modal)) {
        auto* ok = FindControl<QPushButton>(start, kAlignOkId);
        if (!ok->isVisible()) return;
        if (!okByEnter) {
          ok->click();
        } else if (enterOnOk++ < 3) {
          // Enter where the focus is, a few times; then the test goes on with a click.
          QApplication::setActiveWindow(start);  // back from the preset prompt, as a desktop gives it
          QWidget* focus = QApplication::focusWidget();
          EXPECT_EQ(focus, ok);
          QTest::keyClick(focus != nullptr ? focus : ok, Qt::Key_Return, Qt::NoModifier, 20);
        } else {
          ADD_FAILURE() << "Enter on OK left the start dialog open";
          ok->click();
        }
        return;
      }
      auto* window = qobject_cast<CAlignDlg*>(modal);
      if (window == nullptr || window->Busy()) return;
      windowSeen = true;
      if (!walk.empty() && walk.front()(*window)) walk.pop_front();
    });
    driver.start();
    dlg->Action(kCmdAlignment)->trigger();
    driver.stop();
    EXPECT_TRUE(windowSeen);
    EXPECT_TRUE(walk.empty()) << walk.size() << " steps not run";
  }

  static WalkStep Click(int id) {
    return [id](CAlignDlg& w) {
      auto* button = FindControl<QAbstractButton>(&w, id);
      if (!button->isVisible() || !button->isEnabled()) return false;
      button->click();
      return true;
    };
  }
  // A user's click in two steps, so the button is held down a while.
  static WalkStep Press(int id) {
    return [id](CAlignDlg& w) {
      auto* button = FindControl<QAbstractButton>(&w, id);
      QTest::mousePress(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
      return true;
    };
  }
  static WalkStep Release(int id) {
    return [id](CAlignDlg& w) {
      auto* button = FindControl<QAbstractButton>(&w, id);
      QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
      return true;
    };
  }
  static WalkStep Do(std::function<void(CAlignDlg&)> fn) {
    return [fn](CAlignDlg& w) {
      fn(w);
      return true;
    };
  }

  NoPauseClock clock;
  std::unique_ptr<CSimRadio> sim;
  std::unique_ptr<CPtyRadio> pty;  // serves sim: goes first
  std::string presetText;
  // Whether the upload's OK is answered with Enter, and how many were pressed.
  bool okByEnter = false;
  int enterOnOk = 0;
};

}  // namespace

TEST_F(AlignDlgTest, TechnicianAlignsPowerHighAndStoresIt) {
  WriteDataFile(dir.File("a.K58"), kMobile);
  ASSERT_FALSE(Start({"a.K58"}));
  Serve(kMobile);
  int saved = -1;
  int stored = -1;
  std::string stepText, serial, radioType;
  Align({Click(3611),
         Do([&](CAlignDlg& w) {
           stepText = FindControl<QPlainTextEdit>(&w, kAlignStepTextId)->toPlainText().toStdString();
           serial = FindControl<QLabel>(&w, kAlignSerialId)->text().toStdString();
           radioType = FindControl<QLabel>(&w, kAlignRadioTypeId)->text().toStdString();
         }),
         Click(kAlignItemStartId),
         Do([&](CAlignDlg& w) {
           saved = w.Session().SavedValue();
           stored = saved > 10 ? saved - 7 : saved + 7;
           FindControl<CMeterSlider>(&w, kAlignSliderId)->setValue(stored);
         }),
         // Then two steps down with the keyboard: the slider keeps the focus
         // across each exchange with the radio.
         Do([&](CAlignDlg&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down); }),
         Do([&](CAlignDlg&) {
           QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
           stored -= 2;
         }),
         Do([&](CAlignDlg&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }),
         Click(kAlignExitId)});
  ASSERT_GE(saved, 0);
  EXPECT_NE(presetText.find("481.100   481.100   450.100   511.900"), std::string::npos);
  EXPECT_NE(stepText.find("Tx Power High"), std::string::npos);
  EXPECT_EQ(radioType, "UHF");
  EXPECT_EQ(serial, "1D345678");
  EXPECT_EQ(sim->Word(8) & 0xFF, stored);
  EXPECT_FALSE(sim->Keyed());
  EXPECT_TRUE(msgs.texts().empty());
}

// Keys typed while the radio is still answering the one before count, in
// the order typed: four steps up and Enter store the value four steps up.
// Before, the steps typed during an exchange were dropped and Enter stored
// the value of the first.
TEST_F(AlignDlgTest, StepsTypedAheadOfTheRadioAreStoredWithTheEnterAfterThem) {
  WriteDataFile(dir.File("a.K58"), kMobile);
  ASSERT_FALSE(Start({"a.K58"}));
  Serve(kMobile);
  int saved = -1;
  Align({Click(3611), Click(kAlignItemStartId), Do([&](CAlignDlg& w) {
           saved = w.Session().SavedValue();
           for (Qt::Key key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Return}) {
             QWidget* focus = QApplication::focusWidget();
             QTest::keyClick(focus != nullptr ? focus : &w, key);
           }
         }),
         [](CAlignDlg& w) { return !w.Session().Measuring(); }, Click(kAlignExitId)});
  ASSERT_GE(saved, 0);
  ASSERT_LE(saved, 250);
  EXPECT_EQ(sim->Word(8) & 0xFF, saved + 4);
  EXPECT_FALSE(sim->Keyed());
}

TEST_F(AlignDlgTest, CloseBoxDuringAKeyedItemUnkeysFirst) {
  WriteDataFile(dir.File("a.K58"), kMobile);
  ASSERT_FALSE(Start({"a.K58"}));
  Serve(kMobile);
  bool keyed = false;
  Align({Click(3613), Click(kAlignItemStartId), Do([&](CAlignDlg& w) {
           keyed = sim->Keyed();
           w.close();
         })});
  EXPECT_TRUE(keyed);
  EXPECT_FALSE(sim->Keyed());
  EXPECT_EQ(sim->AlignFrames().back()[0], '5');
}

TEST_F(AlignDlgTest, PortableVhfRadioShowsVhfAndTheWholeChannelRange) {
  WriteDataFile(dir.File("a.P58"), kPortable, false);
  ASSERT_FALSE(Start({"a.P58"}));
  Serve(kPortable, false);
  std::string radioType, serial;
  int maximum = 0;
  Align({Do([&](CAlignDlg& w) {
           radioType = FindControl<QLabel>(&w, kAlignRadioTypeId)->text().toStdString();
           serial = FindControl<QLabel>(&w, kAlignSerialId)->text().toStdString();
           maximum = FindControl<QSpinBox>(&w, kAlignChannelUpDownId)->maximum();
         }),
         Click(kAlignExitId)});
  EXPECT_EQ(radioType, "VHF");
  EXPECT_EQ(serial, "1D345678");
  EXPECT_EQ(maximum, 640);
  EXPECT_NE(presetText.find("161.100   161.100   146.100   173.900"), std::string::npos);
}

// The upload puts the focus on OK, and Enter there goes on to the window.
TEST_F(AlignDlgTest, EnterOnTheUploadsOkOpensTheWindow) {
  for (const Family family : {kMobile, kPortable}) {
    SCOPED_TRACE(family == kPortable ? "portable" : "mobile");
    const std::string file = family == kPortable ? "a.P58" : "a.K58";
    WriteDataFile(dir.File(file), family);
    ASSERT_FALSE(Start({file}));
    Serve(family);
    okByEnter = true;
    enterOnOk = 0;
    Align({Click(kAlignExitId)});
    EXPECT_EQ(enterOnOk, 1);
    pty.reset();
    dlg.reset();
  }
}

// The preset prompt starts on Enter, but Enter on a focused Cancel cancels.
TEST(AlignPresetDlg, EnterPressesStartOrTheFocusedCancel) {
  for (const Family family : {kMobile, kPortable}) {
    for (const int focus : {kAlignStartId, kAlignCancelId}) {
      CAlignPresetDlg dlg(family, family == kPortable ? 0x3C : 0x61);
      QTimer::singleShot(0, &dlg, [&] {
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dlg));
        auto* button = FindControl<QPushButton>(&dlg, focus);
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return, Qt::NoModifier, 20);
        if (dlg.isVisible()) dlg.done(99);
      });
      EXPECT_EQ(dlg.exec(), focus == kAlignStartId ? QDialog::Accepted : QDialog::Rejected) << family << " " << focus;
    }
  }
}

// The radio holds 87 for the mobile CTCSS deviation. With the mobile file's
// limit of 51 the slider stands at its end and the number says 87; without
// any file the mobile limit is 255 (the portable default of 51 is not the
// mobile window's). Either way Start sends 87 and Ok without a move leaves
// the radio's memory as it was.
TEST_F(AlignDlgTest, CtcssValueAboveTheSliderIsSentAndKeptAsTheRadioHoldsIt) {
  for (const bool limitFile : {true, false}) {
    SCOPED_TRACE(limitFile);
    if (limitFile) {
      std::vector<unsigned char> user(56, 0);
      for (std::size_t i = 16; i < 36; i += 2) user[i] = 255;
      user[16 + 2 * 4] = 51;
      WriteWholeFile(dir.File("RP58.CFG"), user);
    } else {
      std::remove(dir.File("RP58.CFG").c_str());
    }
    WriteDataFile(dir.File("a.K58"), kMobile);
    ASSERT_FALSE(Start({"a.K58"}));
    std::vector<std::uint8_t> memory = DefaultRadio(kMobile, true);
    memory[23] = 87;
    Serve(kMobile, memory);
    int slider = -1, sliderMax = -1, bar = -1;
    std::string shown, limit;
    Align({Click(3615), Click(kAlignItemStartId),
           Do([&](CAlignDlg& w) {
             auto* s = FindControl<CMeterSlider>(&w, kAlignSliderId);
             slider = s->value();
             sliderMax = s->maximum();
             bar = FindControl<CMeterProgress>(&w, kAlignMeter1Id)->value();
             shown = FindControl<QLabel>(&w, kAlignValueId)->text().toStdString();
             limit = FindControl<QLabel>(&w, kAlignLimitId)->text().toStdString();
           }),
           Do([&](CAlignDlg&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }),
           Click(kAlignExitId)});
    pty->Stop();
    EXPECT_EQ(sliderMax, limitFile ? 51 : 255);
    EXPECT_EQ(slider, limitFile ? 51 : 87);
    EXPECT_EQ(bar, slider);
    EXPECT_EQ(shown, "87");
    EXPECT_EQ(limit, limitFile ? "51" : "255");
    EXPECT_EQ(sim->AlignFramesOf('3').back().at(3), 87) << "Start sends what the radio holds";
    // Nothing but the checksum word the start refreshed differs.
    for (std::size_t i = 0; i < kAlignWordBytes; ++i) {
      if (i / 2 != 2) {
        EXPECT_EQ(sim->Memory()[i], memory[i]) << i;
      }
    }
    EXPECT_FALSE(sim->Keyed());
    EXPECT_TRUE(msgs.texts().empty());
    dlg.reset();
    pty.reset();
  }
}

// The item buttons of both groups are one choice; the window keeps its size
// from idle through every item, the widest heading is whole, and the second
// meter shows only for the items that read it.
TEST_F(AlignDlgTest, OneItemChosenAcrossBothGroupsInAWindowOfOneSize) {
  WriteDataFile(dir.File("a.K58"), kMobile);
  ASSERT_FALSE(Start({"a.K58"}));
  Serve(kMobile);
  std::vector<int> widths;
  bool txStillChosen = true, rxChosen = false;
  int started = -1;
  QString heading;
  int headingRight = 0, headingNeeds = 0, headingHas = 0;
  bool secondMeterForRx = false, secondMeterForTx = true;
  bool headingAreaBlankForTx = false;
  auto width = [&](CAlignDlg& w) { widths.push_back(w.width()); };
  Align({Do(width), Press(3611), Release(3611), Press(1070), Release(1070),
         Do([&](CAlignDlg& w) {
           txStillChosen = FindControl<QRadioButton>(&w, 3611)->isChecked();
           rxChosen = FindControl<QRadioButton>(&w, 1070)->isChecked();
         }),
         Click(kAlignItemStartId),
         Do([&](CAlignDlg& w) {
           width(w);
           started = w.Session().Item();
           auto* label = FindControl<QLabel>(&w, kAlignLabel2Id);
           heading = label->text();
           headingNeeds = label->fontMetrics().horizontalAdvance(heading);
           headingHas = label->contentsRect().width();
           headingRight = label->mapTo(&w, QPoint(label->width(), 0)).x();
           secondMeterForRx = FindControl<CMeterProgress>(&w, kAlignMeter2Id)->isVisible();
         }),
         Click(kAlignItemCancelId), Do(width), Press(3611), Release(3611), Click(kAlignItemStartId),
         Do([&](CAlignDlg& w) {
           width(w);
           secondMeterForTx = FindControl<CMeterProgress>(&w, kAlignMeter2Id)->isVisible();
           // Nothing is drawn where the second meter's heading would be.
           auto* label = FindControl<QLabel>(&w, kAlignLabel2Id);
           const QImage shot = w.grab().toImage();
           const QRect area(label->mapTo(&w, QPoint(0, 0)), label->size());
           const QRgb background = shot.pixel(area.topLeft());
           headingAreaBlankForTx = !area.isEmpty();
           for (int y = area.top(); y <= area.bottom(); ++y)
             for (int x = area.left(); x <= area.right(); ++x)
               if (shot.pixel(x, y) != background) headingAreaBlankForTx = false;
         }),
         Click(kAlignItemCancelId), Do(width), Click(kAlignExitId)});
  EXPECT_FALSE(txStillChosen);
  EXPECT_TRUE(rxChosen);
  EXPECT_EQ(started, kItemTightNoise) << "Start runs the item shown chosen";
  EXPECT_EQ(heading, QStringLiteral("Receiver Noise Level"));
  EXPECT_GE(headingHas, headingNeeds);
  ASSERT_EQ(widths.size(), 5u);
  EXPECT_LE(headingRight, widths[1]);
  for (int w : widths) EXPECT_EQ(w, widths[0]);
  EXPECT_TRUE(secondMeterForRx);
  EXPECT_FALSE(secondMeterForTx);
  EXPECT_TRUE(headingAreaBlankForTx);
  EXPECT_FALSE(sim->Keyed());
}

// A message box over the alignment window, and what the window showed
// beside it when it came up.
class MessagesOverTheWindow : public ScriptedMessages {
public:
  int Show(const std::string& text, const std::string& caption, unsigned style) override {
    if (auto* w = qobject_cast<CAlignDlg*>(QApplication::activeModalWidget())) {
      const auto shown = [w](int id) {
        auto* label = FindControl<QLabel>(w, id);
        return label->isVisible() ? label->text().toStdString() : std::string();
      };
      besideIt.push_back(shown(kAlignValueId) + "/" + shown(kAlignLimitId));
    }
    return ScriptedMessages::Show(text, caption, style);
  }
  std::vector<std::string> besideIt;  // the level and its maximum, as shown
};

// A start that fails shows no level or maximum of the item before it beside
// the message that tells of the failure.
TEST_F(AlignDlgTest, AFailedStartShowsNothingOfTheItemBefore) {
  WriteDataFile(dir.File("a.K58"), kMobile);
  ASSERT_FALSE(Start({"a.K58"}));
  Serve(kMobile);
  MessagesOverTheWindow messages;
  std::string firstItem;
  Align({Click(3611), Click(kAlignItemStartId),
         Do([&](CAlignDlg& w) {
           firstItem = FindControl<QLabel>(&w, kAlignValueId)->text().toStdString() + "/" +
                       FindControl<QLabel>(&w, kAlignLimitId)->text().toStdString();
         }),
         Click(kAlignItemOkId),
         // The radio refuses the next command.
         Do([&](CAlignDlg&) {
           pty->Stop();
           sim->Plan({SimFault::kNak, sim->Replies(), 1});
           pty->Start();
         }),
         Click(3615), Click(kAlignItemStartId),
         [&](CAlignDlg&) { return !messages.shown().empty(); }, Click(kAlignItemCancelId), Click(kAlignExitId)});
  EXPECT_NE(firstItem, "/");
  ASSERT_FALSE(messages.besideIt.empty());
  EXPECT_EQ(messages.besideIt.front(), "/") << "the power item's " << firstItem;
  EXPECT_FALSE(sim->Keyed());
}

// How each start dialog ends after a failure: the mobile one closes itself;
// the portable one stays open after a failure it has told, until the user
// closes it, and closes when Esc is pressed during the upload.
TEST_F(AlignDlgTest, PortableStartStaysOpenAfterAFailureAndClosesOnEscDuringTheUpload) {
  struct Case {
    const char* name;
    Family family;
    bool mismatch;     // the radio is of neither family; else Esc during the upload
    bool staysOpen;
  } cases[] = {
      {"portable, mismatch", kPortable, true, true},
      {"mobile, mismatch", kMobile, true, false},
      {"portable, Esc in the upload", kPortable, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string name = c.family == kPortable ? "a.P58" : "a.K58";
    WriteDataFile(dir.File(name), c.family);
    ASSERT_FALSE(Start({name}));
    std::vector<std::uint8_t> memory = DefaultRadio(c.family, true);
    if (c.mismatch) memory[249] = 0x45;
    Serve(c.family, memory, !c.mismatch);
    bool escSent = false, openAfterItEnded = false, windowSeen = false;
    QTimer driver;
    driver.setInterval(2);
    QObject::connect(&driver, &QTimer::timeout, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (auto* preset = qobject_cast<CAlignPresetDlg*>(modal)) {
        FindControl<QPushButton>(preset, kAlignStartId)->click();
        return;
      }
      if (qobject_cast<CAlignDlg*>(modal)) {
        windowSeen = true;
        modal->close();
        return;
      }
      auto* start = qobject_cast<CAlignStartDlg*>(modal);
      if (start == nullptr) return;
      const QString status = FindControl<QLabel>(start, kAlignStatus1Id)->text();
      if (!c.mismatch && !escSent && status.startsWith(QStringLiteral("Now uploading"))) {
        QTest::keyClick(start, Qt::Key_Escape);
        escSent = true;
        return;
      }
      if (start->Running() || start->Result() == -1) return;
      // The start has ended and its dialog is still there: the user closes it.
      openAfterItEnded = true;
      QTest::keyClick(start, Qt::Key_Escape);
    });
    driver.start();
    dlg->Action(kCmdAlignment)->trigger();
    driver.stop();
    EXPECT_EQ(openAfterItEnded, c.staysOpen);
    EXPECT_FALSE(windowSeen);
    if (!c.mismatch) {
      EXPECT_TRUE(escSent);
    }
    const std::vector<std::string> told = msgs.texts();
    if (c.mismatch) {
      EXPECT_EQ(told, (std::vector<std::string>{"Hardware configuration mismatched!"}));
    }
    msgs.clear();
    dlg.reset();
    pty.reset();
  }
}

// Every item of both windows, as a technician runs it on a default file:
// Start, the slider a few steps down, the meter read, Ok.
TEST_F(AlignDlgTest, EveryItemRunsMovesItsMeterAndStores) {
  for (const Family family : {kMobile, kPortable}) {
    SCOPED_TRACE(family);
    const std::string name = family == kPortable ? "a.P58" : "a.K58";
    WriteDataFile(dir.File(name), family);
    ASSERT_FALSE(Start({name}));
    Serve(family);
    std::deque<WalkStep> walk;
    std::vector<int> ran;
    std::vector<int> metersShown;
    for (int item = 0; item < kItemNone; ++item) {
      const int id = AlignItemButtonId(family, item);
      if (id == 0) continue;
      walk.push_back([id, item, &ran](CAlignDlg& w) {
        auto* button = FindControl<QRadioButton>(&w, id);
        if (button->isEnabled()) {
          button->click();
          FindControl<QPushButton>(&w, kAlignItemStartId)->click();
          ran.push_back(item);
        }
        return true;
      });
      walk.push_back([](CAlignDlg& w) {
        if (!w.Session().Measuring()) return true;
        auto* slider = FindControl<CMeterSlider>(&w, kAlignSliderId);
        if (slider->isVisible()) slider->setValue(std::max(0, slider->value() - 3));
        return true;
      });
      walk.push_back([&metersShown](CAlignDlg& w) {
        if (w.Session().Polling() && w.Session().Meter() < 0) return false;
        if (w.Session().Polling()) metersShown.push_back(w.Session().Item());
        return true;
      });
      walk.push_back([](CAlignDlg& w) {
        if (w.Session().Measuring()) FindControl<QPushButton>(&w, kAlignItemOkId)->click();
        return true;
      });
    }
    walk.push_back(Click(kAlignExitId));
    Align(walk);
    EXPECT_GE(ran.size(), family == kPortable ? 15u : 13u);
    EXPECT_GE(metersShown.size(), 5u);
    EXPECT_FALSE(sim->Keyed());
    EXPECT_EQ(sim->Restarts(), 1) << "RX Tune restarts the radio";
    EXPECT_TRUE(sim->Aligning());
    EXPECT_TRUE(msgs.texts().empty()) << msgs.texts().front();
    dlg.reset();
    pty.reset();
  }
}

TEST(AlignStepTexts, SelectionBySetAndBits) {
  // A mobile product code and bit 0x10: the UHF/VHF heading.
  const std::string high = AlignStepText(kMobile, kItemPowerHigh, 39, 0x71);
  EXPECT_EQ(high.rfind("This parameter is used to align TX High power (UHF 45W,  VHF 50W).\r\n\r\nStep 1:", 0), 0u);
  EXPECT_NE(high.find("Tx Power High:UHF 45[W]"), std::string::npos);
  EXPECT_NE(AlignStepText(kMobile, kItemPowerHigh, 39, 0x61).find("(50W)"), std::string::npos);
  // Another product code: the other set.
  EXPECT_NE(AlignStepText(kMobile, kItemPowerHigh, 5, 0x61).find("(5W)"), std::string::npos);
  // "Power Low-High" with bit 0x10 has the Low item's heading.
  EXPECT_EQ(AlignStepText(kMobile, kItemPowerLowHigh, 39, 0x10).rfind("This parameter is used to align TX Low power (10W).\r\n\r\n", 0), 0u);
  // "S Full Scale RSSI" has the Tight Noise Squelch heading.
  EXPECT_EQ(AlignStepText(kMobile, kItemFullScaleRssi, 39, 0x61).rfind("This parameter is used to align Tight Noise Squelch RSSI.\r\n\r\n", 0), 0u);
  // The VCV target by the band bits, with its plus-minus sign.
  EXPECT_NE(AlignStepText(kMobile, kItemTxVcv, 39, 0x61).find("\"165\u00B13\""), std::string::npos);
  EXPECT_NE(AlignStepText(kMobile, kItemRxVcv, 39, 0x01).find("\"185\u00B13\""), std::string::npos);
  // Threshold Noise SQL: -8 with band bits, -8.5 without.
  EXPECT_NE(AlignStepText(kMobile, kItemThresholdNoise, 39, 0x61).find("            -8dBuV\r\n"), std::string::npos);
  EXPECT_NE(AlignStepText(kMobile, kItemThresholdNoise, 39, 0x01).find("-8.5dBuV"), std::string::npos);
  // The portable window has its own set.
  EXPECT_NE(AlignStepText(kPortable, kItemFullScaleRssi, 0, 0xB9).find("TX SAVE RSSI"), std::string::npos);
  EXPECT_NE(AlignStepText(kPortable, kItemStdDeviation, 0, 0xB9).find("STD Deviation(MIC Sensivity)"), std::string::npos);
  EXPECT_TRUE(AlignStepText(kMobile, kItemStdDeviation, 39, 0x61).empty());
}

TEST(AlignPresetPromptTest, FrequencyLineByBand) {
  struct Case {
    Family family;
    std::uint8_t code;
    const char* line;  // nullptr: no line
  } cases[] = {
      {kMobile, 0x01, "154.100   154.100   134.100   173.900"}, {kMobile, 0x61, "481.100   481.100   450.100   511.900"},
      {kMobile, 0x21, nullptr},                                  {kPortable, 0xB9, "470.100   470.100   450.100   489.900"},
      {kPortable, 0x3C, "161.100   161.100   146.100   173.900"}, {kPortable, 0x3D, nullptr},
  };
  for (const Case& c : cases) {
    const std::string text = AlignPresetPrompt(c.family, c.code);
    const std::string tail = "Wide       Narrow     Wide       Wide\r\n";
    ASSERT_NE(text.find(tail), std::string::npos);
    EXPECT_EQ(text.substr(text.find(tail) + tail.size()), c.line ? c.line : "") << int(c.code);
  }
}
