#pragma once
// The main window with a simulated radio on a pseudo-terminal that RP58_COM1
// names, and a driver that runs the clone dialog as the user would.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <mutex>

#include "MainDlgFixture.h"
#include "PtyRadio.h"
#include "SimRadio.h"
#include "app/CloneDlg.h"
#include "app/PasswordDlg.h"
#include "model/RadioData.h"
#include "model/SmallRecords.h"
#include "platform/ControlIds.h"


inline constexpr char kRadioText[] = "RADIO 01";
// How long the driver holds a key down.
inline constexpr int kKeyPressMs = 20;

// Real time, but no pauses: the transfer costs only what the wire takes.
// It can hold the engine at one of its pauses until the test lets it go.
class FastClock : public CSystemClock {
public:
  void SleepMicros(std::uint64_t micros) override {
    std::unique_lock lock(mutex_);
    if (micros != holdMicros_ || ++sleeps_ != holdAt_) return;
    held_ = true;
    changed_.wait(lock, [this] { return !held_; });
  }
  // Holds at the n-th pause of this length.
  void HoldAtPause(std::uint64_t micros, int n) {
    std::lock_guard lock(mutex_);
    sleeps_ = 0;
    holdMicros_ = micros;
    holdAt_ = n;
  }
  bool Held() {
    std::lock_guard lock(mutex_);
    return held_;
  }
  void Release() {
    {
      std::lock_guard lock(mutex_);
      held_ = false;
    }
    changed_.notify_all();
  }

private:
  std::mutex mutex_;
  std::condition_variable changed_;
  int sleeps_ = 0;
  std::uint64_t holdMicros_ = 0;
  int holdAt_ = -1;
  bool held_ = false;
};

// A radio of the family and band, made from the shipped default file: identified as
// a radio of that family and carrying its own power-on text.
inline std::vector<std::uint8_t> RadioMemory(Family family, bool uhf = true) {
  const std::string source =
      std::string(RP58_PROGRAM_DIR) + "/Data/DEFAULT" + (uhf ? "U." : "V.") + (family == kPortable ? "P58" : "K58");
  const std::vector<unsigned char> file = ReadWholeFile(source);
  std::vector<std::uint8_t> memory(file.begin(), file.end());
  memory.resize(kImageBufferSize, 0xFF);
  memory[area::kProductCode] = 39;
  memory[249] = family == kPortable ? 0x35 : 0x25;
  std::memcpy(memory.data() + area::kPowerOnText, kRadioText, kTextLength);
  return memory;
}

inline std::uint16_t ImageWord(const std::uint8_t* m, int w) {
  return static_cast<std::uint16_t>(m[2 * w + 1] << 8 | m[2 * w]);
}

// A radio of the family that has been in service: its alignment checksum
// right and its memory marked valid.
inline std::vector<std::uint8_t> RadioInService(Family family, bool uhf = true) {
  std::vector<std::uint8_t> m = RadioMemory(family, uhf);
  const int low = family == kMobile ? 3 : 2, high = family == kMobile ? 16 : 14;
  std::uint16_t sum = 0;
  for (int w = low; w <= high; ++w) sum = static_cast<std::uint16_t>(sum + ImageWord(m.data(), w));
  m[2 * (low - 1)] = static_cast<std::uint8_t>(sum);
  m[2 * (low - 1) + 1] = static_cast<std::uint8_t>(sum >> 8);
  m[2 * 127] = 0x5A;
  m[2 * 127 + 1] = 0xA5;
  return m;
}

inline std::string PowerOnText(Family family) { return ModelOf(family).openingMsg.powerOnText; }

// The question before a read replaces unsaved changes, with the file that
// StartWith loaded.
inline std::string SaveQuestionOf(Family family) {
  return std::string("Save changes to start.") + (family == kPortable ? "P58" : "K58") + "?";
}

// What the clone dialog showed when its transfer ended.
struct CloneOutcome {
  bool ran = false;
  bool okShown = false;  // the dialog stayed open with "OK" (or "Next Radio")
  bool nextRadio = false;
  std::string line1, line2, counter;
  int progress = -1;
  bool counterShown = false, progressShown = false;
};


class CloneDlgTest : public MainDlgTest {
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

  // Starts the main window with a data file of the family loaded.
  void StartWith(Family family) {
    const std::string name = family == kPortable ? "start.P58" : "start.K58";
    WriteDataFile(dir.File(name), family);
    ASSERT_FALSE(Start({name}));
    ASSERT_EQ(g_isPortable, family == kPortable ? 1 : 0);
    msgs.clear();
  }

  // A radio, later put on a pseudo-terminal by Serve.
  CSimRadio& Radio(SimProtocol protocol, const std::vector<std::uint8_t>& memory) {
    pty.reset();
    sim = std::make_unique<CSimRadio>(protocol, memory, 1, 58);
    return *sim;
  }
  // Puts the radio on a pseudo-terminal and COM1 on it.
  void Serve() {
    pty = std::make_unique<CPtyRadio>(*sim);
    ASSERT_TRUE(pty->Create());
    setenv("RP58_COM1", pty->Path().c_str(), 1);
    pty->Start();
  }

  // Runs "&Read from Radio" from the menu as the user would: Start, then
  // whatever the radio asks, then OK. Returns what the dialog showed at the
  // end of its transfer.
  CloneOutcome Read() { return Run(kCmdReadFromRadio); }
  // The same for "&Send to Radio"; in service mode "Next Radio" takes the
  // place of OK: it is pressed nextRadios times, then the dialog cancelled.
  CloneOutcome Send() { return Run(kCmdSendToRadio); }

  CloneOutcome Run(int command) {
    return RunFrom([this, command] { dlg->Action(command)->trigger(); });
  }
  // The same from whatever opens the clone dialog (the memory editor's buttons).
  CloneOutcome RunFrom(const std::function<void()>& open) {
    CloneOutcome outcome;
    bool started = false;
    bool ran = false;
    QElapsedTimer running;
    QTimer driver;
    driver.setInterval(1);
    QObject::connect(&driver, &QTimer::timeout, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (auto* pw = qobject_cast<CRadioPasswordDlg*>(modal)) {
        // Typed into the box and answered with one Enter, or Esc.
        if (pw == answeredBox) {
          ADD_FAILURE() << "the password box stayed open after its Enter or Esc";
          pw->reject();
          return;
        }
        passwordAsked = true;
        answeredBox = pw;
        if (!QTest::qWaitFor([pw] { return QApplication::activeWindow() == pw; })) ADD_FAILURE() << "the password box is not active";
        EXPECT_EQ(QApplication::focusWidget(), pw->Edit());
        if (password) QTest::keyClicks(pw->Edit(), QString::fromStdString(*password), Qt::NoModifier, kKeyPressMs);
        QTest::keyClick(pw->Edit(), password ? Qt::Key_Return : Qt::Key_Escape, Qt::NoModifier, kKeyPressMs);
        return;
      }
      auto* clone = qobject_cast<CCloneDlg*>(modal);
      if (clone == nullptr) return;
      if (!started) {
        started = ran = true;
        if (beforeStart) beforeStart(*clone);
        running.start();
        FindControl<QPushButton>(clone, kCloneStartId)->click();
        return;
      }
      // A user gives up on a radio that never answers: a transfer still
      // running after thirty seconds, near five times the longest here (a
      // send that waits out the radio's silences), is ended with Esc, so a
      // broken frame fails the test instead of hanging it.
      if (clone->TransferRunning() && running.hasExpired(30'000)) {
        ADD_FAILURE() << "the transfer still ran after thirty seconds";
        running.start();
        QTest::keyClick(clone, Qt::Key_Escape);
        return;
      }
      if (onRunning && clone->TransferRunning()) onRunning(*clone);
      if (clone->SerialEntryOpen()) {
        if (onSerialEntry) onSerialEntry(*clone);
        return;
      }
      auto* ok = FindControl<QPushButton>(clone, kCloneOkId);
      auto* next = FindControl<QPushButton>(clone, kCloneNextRadioId);
      QPushButton* finish = ok->isVisible() ? ok : next->isVisible() ? next : nullptr;
      if (clone->TransferRunning() || finish == nullptr) return;
      outcome.okShown = true;
      outcome.nextRadio = finish == next;
      outcome.line1 = FindControl<QLabel>(clone, kCloneStatus1Id)->text().toStdString();
      outcome.line2 = FindControl<QLabel>(clone, kCloneStatus2Id)->text().toStdString();
      outcome.counter = FindControl<QLabel>(clone, kCloneCounterId)->text().toStdString();
      outcome.progress = FindControl<QProgressBar>(clone, kCloneProgressId)->value();
      outcome.counterShown = FindControl<QLabel>(clone, kCloneCounterId)->isVisible();
      outcome.progressShown = FindControl<QProgressBar>(clone, kCloneProgressId)->isVisible();
      finish->click();
      if (finish != next) return;
      if (nextRadios-- > 0) {
        started = false;
        return;
      }
      FindControl<QPushButton>(clone, kCloneCancelId)->click();
    });
    driver.start();
    open();
    driver.stop();
    outcome.ran = ran;
    return outcome;
  }

  FastClock clock;
  std::unique_ptr<CSimRadio> sim;
  std::unique_ptr<CPtyRadio> pty;  // serves sim: goes first
  std::optional<std::string> password;  // nullopt: the password box is cancelled
  bool passwordAsked = false;
  QPointer<QDialog> answeredBox;  // the password box last answered
  std::function<void(CCloneDlg&)> beforeStart;
  std::function<void(CCloneDlg&)> onRunning;
  std::function<void(CCloneDlg&)> onSerialEntry;
  int nextRadios = 0;
};

