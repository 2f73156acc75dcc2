// Read from Radio end to end: the real clone dialog, run by the main
// window's command, reads a simulated radio over a real pseudo-terminal
// that RP58_COM1 names.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <mutex>

#include "CloneFixture.h"
#include "MainDlgFixture.h"
#include "PtyRadio.h"
#include "SimRadio.h"
#include "app/CloneDlg.h"
#include "app/PasswordDlg.h"
#include "framework/EditControls.h"
#include "link/CloneLink.h"
#include "link/RadioSender.h"
#include "model/ConfigFile.h"
#include "model/DataFile.h"
#include "model/Privilege.h"
#include "model/RadioData.h"
#include "model/ScreenData.h"
#include "model/SmallRecords.h"
#include "platform/ControlIds.h"

TEST_F(CloneDlgTest, FullReadSwitchesToTheRadiosFamilyAndShowsItsData) {
  struct Row {
    const char* name;
    Family shown;
    Family radio;
    bool switchedOff;  // the radio waits to be switched off and on
    const char* model;
  };
  const Row rows[] = {
      {"mobile radio, portable shown", kPortable, kMobile, false, "TM-6600-KS8B-50(UHF)"},
      {"portable radio, mobile shown", kMobile, kPortable, false, "TP-752A(UHF)"},
      {"portable radio switched off first", kPortable, kPortable, true, "TP-752A(UHF)"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    StartWith(r.shown);
    g_dataModified = 1;
    msgs.Answer(kIdNo);  // the read replaces the changes
    const std::vector<std::uint8_t> memory = RadioMemory(r.radio);
    CSimRadio& radio = Radio(SimProtocol::kPolled, memory);
    if (r.switchedOff) {
      radio.StartSwitchedOff();
      // Once the program's first call has timed out.
      radio.PowerOnAfterFirstByte(600'000);
    }
    Serve();
    BeepCounter beeps;

    const CloneOutcome out = Read();

    EXPECT_TRUE(out.okShown);
    EXPECT_EQ(out.line1, "Upload is completed");
    const int total = r.radio == kPortable ? 177 : 256;
    EXPECT_EQ(out.counter, "Receive block " + std::to_string(total) + " / " + std::to_string(total));
    EXPECT_EQ(out.progress, total);
    EXPECT_EQ(msgs.texts(), std::vector<std::string>{SaveQuestionOf(r.shown)});
    EXPECT_GE(beeps.count(), 2);  // the start and the end
    EXPECT_EQ(g_cloneOk, 1);
    EXPECT_EQ(g_isPortable, r.radio == kPortable ? 1 : 0);
    EXPECT_EQ(g_dataModified, 0);
    // The settings blocks and every group block in use come from the radio.
    EXPECT_EQ(std::memcmp(g_pRadioImage, memory.data(), kBlockSize * (memory[253] + 1u)), 0);
    EXPECT_EQ(PowerOnText(r.radio), kRadioText);
    // The window follows: the radio's tab row (its Global 1 page after the
    // model timer), no file name, the radio's serial number.
    EXPECT_EQ(dlg->TabBar()->count(), r.radio == kPortable ? 7 : 8);
    EXPECT_FALSE(dlg->TabBar()->isEnabled());
    dlg->OnModelTimer();
    EXPECT_TRUE(dlg->TabBar()->isEnabled());
    EXPECT_EQ(ShownSlot(), r.radio == kPortable ? PageSlot::kPortableGlobal1 : PageSlot::kMobileGlobal1);
    EXPECT_EQ(dlg->FileLine(), "");
    EXPECT_EQ(dlg->ModelLine().toStdString(), r.model);
    EXPECT_EQ(dlg->SerialEdit()->text().toStdString(), CurrentSerialText());
    EXPECT_EQ(dlg->ZoneSubPage(), ZoneTableTemplate(r.radio));
    pty.reset();
    dlg.reset();
  }
}

// Unsaved changes are asked about before the read starts, as Open asks:
// Cancel reads nothing and leaves the window as it was, Yes saves first, No
// reads; the changes are unmarked only once the radio's data replaced them.
TEST_F(CloneDlgTest, ReadAsksBeforeItReplacesUnsavedChanges) {
  struct Row {
    const char* name;
    SaveAnswer save;
    bool reads;
  };
  const Row rows[] = {
      {"cancel", {kIdCancel}, false},
      {"yes, save cancelled", {kIdYes}, false},
      {"yes, saved", {kIdYes, "kept.K58"}, true},
      {"no", {kIdNo}, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    StartWith(kMobile);
    dlg->SelectTab(3);
    std::memcpy(g_mobileModel.records.openingMsg.powerOnText, "EDITED  ", kTextLength);  // an unsaved edit
    g_dataModified = 1;
    Radio(SimProtocol::kPolled, RadioMemory(kPortable));
    Serve();
    Script(r.save);

    const CloneOutcome out = Read();

    ASSERT_FALSE(msgs.texts().empty());
    EXPECT_EQ(msgs.texts()[0], SaveQuestionOf(kMobile));
    EXPECT_EQ(out.ran, r.reads);
    EXPECT_EQ(g_isPortable, r.reads ? 1 : 0);
    EXPECT_EQ(g_dataModified, r.reads ? 0 : 1);
    if (r.reads) {
      EXPECT_EQ(PowerOnText(kPortable), kRadioText);
    } else {
      EXPECT_EQ(PowerOnText(kMobile), "EDITED  ");
      EXPECT_EQ(dlg->CurrentTab(), 3);
      EXPECT_EQ(ShownSlot(), PageSlot::kMobileKeyAssign);
    }
    if (r.save.saveAs) {
      EXPECT_EQ(ReadWholeFile(dir.File(*r.save.saveAs)).size(), kImageSize);
    }
    pty.reset();
    dlg.reset();
  }
}

TEST_F(CloneDlgTest, StreamedReadFillsTheMobileRecords) {
  // A factory file with the streamed layout: 58 blocks, the last one the
  // adjustment block.
  WriteWholeFile(dir.File("MB925.CFG"), {0, 0, 0, 0, 127, 0, 0x00, 0xDC, 0x01, 0x00});
  StartWith(kMobile);
  ASSERT_TRUE(g_config.UsesStreamProtocol());
  g_dataModified = 1;
  msgs.Answer(kIdNo);
  const std::vector<std::uint8_t> memory = RadioMemory(kMobile);
  Radio(SimProtocol::kStreamed, memory);
  Serve();

  const CloneOutcome out = Read();

  EXPECT_EQ(out.line1, "Upload is completed");
  EXPECT_EQ(out.counter, "Receive block 58 / 58");
  EXPECT_EQ(g_cloneOk, 1);
  EXPECT_EQ(g_dataModified, 0);
  EXPECT_EQ(std::memcmp(g_pRadioImage, memory.data(), kBlockSize * 57), 0);
  EXPECT_EQ(std::memcmp(g_adjustCopy.data(), memory.data() + kBlockSize * 57, kBlockSize), 0);
  EXPECT_EQ(PowerOnText(kMobile), kRadioText);
  EXPECT_EQ(g_isPortable, 0);
}

// A file saved after a read is what adjustment recovery writes back into
// that radio: it must hold the radio's own alignment, whatever band the data
// open before held.
TEST_F(CloneDlgTest, ReadThenSaveHoldsTheRadiosOwnAlignment) {
  for (const Family family : {kMobile, kPortable}) {
    SCOPED_TRACE(family == kMobile ? "mobile" : "portable");
    StartWith(family);  // UHF data
    const std::vector<std::uint8_t> memory = RadioMemory(family, false);
    const std::size_t adjust = family == kMobile ? area::kMobileAdjust : area::kPortableAdjust;
    ASSERT_FALSE(std::equal(g_adjustCopy.begin(), g_adjustCopy.begin() + kBlockSize, memory.begin() + adjust));
    Radio(SimProtocol::kPolled, memory);
    Serve();
    ASSERT_EQ(Read().line1, "Upload is completed");
    ASSERT_TRUE(g_dataFile.SaveDataFile(dir.File("read.dat")));
    const std::vector<unsigned char> file = ReadWholeFile(dir.File("read.dat"));
    ASSERT_EQ(file.size(), kImageSize);
    auto same = [&](std::size_t at, std::size_t radioAt, std::size_t n) {
      return std::equal(file.begin() + at, file.begin() + at + n, memory.begin() + radioAt);
    };
    if (family == kMobile) {
      // The adjustment blocks are the copy as read: header, serial and all.
      EXPECT_TRUE(same(area::kMobileAdjust, area::kMobileAdjust, kAdjustCopySize));
    } else {
      // The adjustment block, in the image and as the copy's first block.
      EXPECT_TRUE(same(area::kPortableAdjust, area::kPortableAdjust, kBlockSize));
      EXPECT_TRUE(same(area::kMobileAdjust, area::kPortableAdjust, kBlockSize));
    }
    // The first channel is packed with the tune levels of the radio's own alignment.
    const std::size_t slot = ChannelOffset(family, 0);
    const std::size_t slotSize =
        family == kMobile ? CMobileChannelRecord::kSlotSize : CPortableChannelRecord::kSlotSize;
    EXPECT_TRUE(same(slot, slot, slotSize));
    pty.reset();
    dlg.reset();
  }
}

TEST_F(CloneDlgTest, RadioPasswordIsAskedOnScreenAndAnsweredRight) {
  StartWith(kMobile);
  std::vector<std::uint8_t> memory = RadioMemory(kPortable);
  std::memcpy(memory.data() + area::kRadioPassword, "SECRET  ", 8);
  Radio(SimProtocol::kPolled, memory);
  Serve();
  password = "secret";

  const CloneOutcome out = Read();

  EXPECT_TRUE(passwordAsked);
  EXPECT_EQ(out.line1, "Upload is completed");
  EXPECT_EQ(g_isPortable, 1);
  EXPECT_EQ(PowerOnText(kPortable), kRadioText);
}

// Every failure leaves the image, the records and the family as they were,
// and says what went wrong: in a message box (the dialog closes), or in the
// status lines, which stay on screen until the user presses OK.
TEST_F(CloneDlgTest, FailuresKeepThePreviousDataAndSayWhy) {
  struct Row {
    const char* name;
    std::function<void(std::vector<std::uint8_t>&)> radio;
    std::optional<std::string> password;
    bool noDevice;
    bool streamed;
    std::vector<std::string> boxes;
    std::string line1;  // with the dialog kept open; empty when it closed
  };
  auto none = [](std::vector<std::uint8_t>&) {};
  auto locked = [](std::vector<std::uint8_t>& m) { std::memcpy(m.data() + area::kRadioPassword, "SECRET  ", 8); };
  const Row rows[] = {
      {"no such device", none, std::nullopt, true, false, {"Open err", "Problem with COM port"}, ""},
      {"unknown radio", [](std::vector<std::uint8_t>& m) { m[area::kFamilyCode] = 0x77; }, std::nullopt, false, false,
       {"Hardware configuration mismatched!"}, ""},
      {"wrong password", locked, std::string("guess"), false, false, {"Password mismatched!"}, ""},
      {"password box cancelled", locked, std::nullopt, false, false, {"Password mismatched!"}, ""},
      {"streamed block without its mark", none, std::nullopt, false, true, {}, "Communication Error"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    if (r.streamed) WriteWholeFile(dir.File("MB925.CFG"), {0, 0, 0, 0, 127, 0, 0x00, 0xDC, 0x01, 0x00});
    StartWith(kPortable);
    const std::vector<std::uint8_t> before(g_pRadioImage, g_pRadioImage + kImageSize);
    const std::string text = PowerOnText(kPortable);
    g_dataModified = 1;
    msgs.Answer(kIdNo);  // a read that fails replaces nothing: the changes stay marked
    std::vector<std::uint8_t> memory = RadioMemory(kMobile);
    r.radio(memory);
    CSimRadio& radio = Radio(r.streamed ? SimProtocol::kStreamed : SimProtocol::kPolled, memory);
    if (r.streamed) radio.Plan({SimFault::kBadLength, 0, 1});
    if (r.noDevice)
      setenv("RP58_COM1", dir.File("no-such-tty").c_str(), 1);
    else
      Serve();
    password = r.password;

    const CloneOutcome out = Read();

    EXPECT_TRUE(out.ran);
    std::vector<std::string> boxes = r.boxes;
    if (r.noDevice) boxes[0] += "\n" + dir.File("no-such-tty") + ": No such file or directory";
    boxes.insert(boxes.begin(), SaveQuestionOf(kPortable));
    EXPECT_EQ(msgs.texts(), boxes);
    EXPECT_EQ(out.okShown, !r.line1.empty());
    EXPECT_EQ(out.line1, r.line1);
    EXPECT_EQ(g_cloneOk, 0);
    EXPECT_EQ(g_isPortable, 1);
    EXPECT_EQ(g_dataModified, 1);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), g_pRadioImage));
    EXPECT_EQ(PowerOnText(kPortable), text);
    // Global 1 of the family shown stays on screen; the tabs stay usable.
    EXPECT_EQ(ShownSlot(), PageSlot::kPortableGlobal1);
    EXPECT_TRUE(dlg->TabBar()->isEnabled());
    pty.reset();
    dlg.reset();
    std::remove(dir.File("MB925.CFG").c_str());
    unsetenv("RP58_COM1");
    msgs.clear();
  }
}

TEST_F(CloneDlgTest, EscStopsTheReadAndKeepsThePreviousData) {
  struct Row {
    const char* name;
    bool switchedOff;  // Esc while waiting for the radio to come on
    bool closeWindow;  // the window's close button instead of Esc
  };
  for (const Row& r : {Row{"in the block phase", false, false}, Row{"waiting for the radio", true, false},
                       Row{"window closed in the block phase", false, true}}) {
    SCOPED_TRACE(r.name);
    StartWith(kPortable);
    const std::vector<std::uint8_t> before(g_pRadioImage, g_pRadioImage + kImageSize);
    CSimRadio& radio = Radio(SimProtocol::kPolled, RadioMemory(kMobile));
    if (r.switchedOff) radio.StartSwitchedOff();  // and it never comes on
    Serve();
    // The pause after the fifth block.
    if (!r.switchedOff) clock.HoldAtPause(2000, 5);
    bool pressed = false;
    onRunning = [&](CCloneDlg& clone) {
      if (pressed) return;
      const bool waiting = FindControl<QLabel>(&clone, kCloneStatus1Id)->text() == "Switch radio OFF, then";
      if (r.switchedOff ? !waiting : !clock.Held()) return;
      pressed = true;
      if (r.closeWindow) {
        clone.close();
        EXPECT_TRUE(clone.isVisible());  // not before the engine has let go
      } else {
        QTest::keyClick(&clone, Qt::Key_Escape);
      }
      clock.Release();
    };

    const CloneOutcome out = Read();

    EXPECT_TRUE(pressed);
    EXPECT_FALSE(out.okShown);  // the dialog closed
    EXPECT_TRUE(msgs.texts().empty());
    EXPECT_EQ(g_cloneOk, 0);
    EXPECT_EQ(g_isPortable, 1);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), g_pRadioImage));
    onRunning = nullptr;
    pty.reset();
    dlg.reset();
  }
}

TEST_F(CloneDlgTest, DialogBeforeTheStart) {
  StartWith(kMobile);
  CCloneDlg clone(dlg.get());
  clone.show();
  EXPECT_EQ(clone.windowTitle(), "RP58");
  EXPECT_EQ(FindControl<QLabel>(&clone, kCloneTitleId)->text(), "R e a d   f r o m   R a d i o");
  for (int id : {kCloneOneBlockId, kCloneOkId, kCloneNextRadioId, kCloneContinueId, kCloneSerialId})
    EXPECT_FALSE(FindControl<QWidget>(&clone, id)->isVisible()) << id;
  // Enter and Esc don't close it; Cancel does, and nothing was read.
  QTest::keyClick(&clone, Qt::Key_Escape);
  QTest::keyClick(&clone, Qt::Key_Return);
  EXPECT_TRUE(clone.isVisible());
  FindControl<QPushButton>(&clone, kCloneCancelId)->click();
  EXPECT_FALSE(clone.isVisible());
  EXPECT_EQ(clone.Result(), -1);
}

// ---- Send to Radio ----

namespace {

// A wide UHF channel in a year that asks the narrow-band question.
void WidenFirstChannelIn2014() {
  auto& channel = g_mobileData.m_channels[0];
  channel.m_rxFrequency = channel.m_txFrequency = 460 * kCountsPerMHz;
  channel.m_mode = static_cast<std::uint8_t>((channel.m_mode & 0x3F) | 0x40);
  SetYearSource([] { return 2014; });
}

}  // namespace

TEST_F(CloneDlgTest, ReadSendReadGivesTheSameImageForBothFamilies) {
  for (const Family family : {kMobile, kPortable}) {
    SCOPED_TRACE(family == kMobile ? "mobile" : "portable");
    StartWith(family);
    Radio(SimProtocol::kPolled, RadioInService(family));
    Serve();
    // The first send makes the radio one this program has written; reading
    // it back and sending it again changes nothing from then on.
    std::vector<std::vector<std::uint8_t>> reads;
    for (int pass = 0; pass < 3; ++pass) {
      const CloneOutcome read = Read();
      ASSERT_EQ(read.line1, "Upload is completed");
      reads.emplace_back(g_pRadioImage, g_pRadioImage + kImageSize);
      if (pass == 2) break;
      BeepCounter beeps;
      const CloneOutcome sent = Send();
      ASSERT_EQ(sent.line1, "Download is completed") << sent.counter;
      const int total = family == kPortable ? 177 : 256;
      EXPECT_EQ(sent.counter, "Send block " + std::to_string(total) + " / " + std::to_string(total));
      EXPECT_EQ(sent.progress, total);
      EXPECT_FALSE(sent.nextRadio);
      EXPECT_GE(beeps.count(), 2);
      EXPECT_EQ(g_cloneOk, 1);
      EXPECT_TRUE(msgs.texts().empty()) << msgs.texts()[0];
      // The main window shows the radio's serial number and the data's model.
      EXPECT_EQ(dlg->SerialEdit()->text().toStdString(), CurrentSerialText());
    }
    EXPECT_EQ(reads[1], reads[2]);
    pty.reset();
    EXPECT_EQ(sim->Word(127), 0xA55A);
    dlg.reset();
  }
}

TEST_F(CloneDlgTest, SendRefusesWhatMustNotGoToTheRadio) {
  struct Row {
    const char* name;
    Family data, radio;
    bool noChannel;
    bool wideChannel;  // a wide UHF channel, the caution answered No in 2014
    std::vector<std::string> boxes;
  };
  const Row rows[] = {
      {"no channel programmed", kMobile, kMobile, true, false, {"RF Ch. #1 has not been programmed."}},
      {"wide channel kept", kMobile, kMobile, false, true, {}},
      {"portable radio, mobile data", kMobile, kPortable, false, false, {"Hardware configuration mismatched!"}},
      {"mobile radio, portable data", kPortable, kMobile, false, false, {"Hardware configuration mismatched!"}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    StartWith(r.data);
    if (r.noChannel) {
      for (auto& c : g_mobileData.m_channels) c.m_programmed = 0;
    }
    if (r.wideChannel) {
      WidenFirstChannelIn2014();
      msgs.Answer(kIdNo);
    }
    const std::vector<std::uint8_t> before(g_pRadioImage, g_pRadioImage + kImageSize);
    const std::vector<std::uint8_t> memory = RadioInService(r.radio);
    Radio(SimProtocol::kPolled, memory);
    Serve();

    const CloneOutcome out = Send();

    SetYearSource(nullptr);
    EXPECT_TRUE(out.ran);
    EXPECT_FALSE(out.okShown);
    if (r.wideChannel) {
      ASSERT_EQ(msgs.texts().size(), 1u);
      EXPECT_EQ(msgs.texts()[0].rfind("FCC Rule Caution!\n", 0), 0u);
      EXPECT_TRUE(g_mobileData.m_channels[0].IsWide());
    } else {
      EXPECT_EQ(msgs.texts(), r.boxes);
    }
    EXPECT_EQ(g_cloneOk, 0);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), g_pRadioImage));
    pty.reset();
    EXPECT_TRUE(sim->Writes().empty());
    EXPECT_EQ(sim->Memory(), memory);
    dlg.reset();
    msgs.clear();
  }
}

TEST_F(CloneDlgTest, InterruptedSendLeavesTheRadioMarkedInvalidAndSaysSo) {
  StartWith(kMobile);
  const std::vector<std::uint8_t> before(g_pRadioImage, g_pRadioImage + kImageSize);
  const std::string serial = CurrentSerialText();
  CSimRadio& radio = Radio(SimProtocol::kPolled, RadioInService(kMobile));
  // The radio stops answering in the middle of the blocks, as when the cable comes out.
  radio.Plan({SimFault::kSilence, 155, 100000});
  Serve();

  const CloneOutcome out = Send();

  EXPECT_TRUE(out.okShown);  // the reason stays on screen
  EXPECT_EQ(out.line1, " Download Error!");
  EXPECT_EQ(g_cloneOk, 0);
  EXPECT_TRUE(std::equal(before.begin(), before.end(), g_pRadioImage));
  EXPECT_EQ(CurrentSerialText(), serial);
  pty.reset();
  EXPECT_EQ(sim->Word(127), 0xFFFF);
}

TEST_F(CloneDlgTest, ABoxTheSendWentOnFromDoesNotHideALaterFailure) {
  struct Row {
    const char* name;
    bool wideChannel;      // the caution answered Yes
    bool wrongChecksum;    // the radio's alignment sum is off
    std::string box;
  };
  const Row rows[] = {
      {"narrow-band caution", true, false, "FCC Rule Caution!\n"},
      {"alignment checksum", false, true, "Adjustment Data Checksum mismatched!"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    StartWith(kMobile);
    if (r.wideChannel) {
      WidenFirstChannelIn2014();
      msgs.Answer(kIdYes);
    }
    std::vector<std::uint8_t> memory = RadioInService(kMobile);
    if (r.wrongChecksum) memory[4] ^= 0x01;
    CSimRadio& radio = Radio(SimProtocol::kPolled, memory);
    radio.Plan({SimFault::kSilence, 155, 100000});
    Serve();

    const CloneOutcome out = Send();

    SetYearSource(nullptr);
    ASSERT_EQ(msgs.texts().size(), 1u);
    EXPECT_EQ(msgs.texts()[0].rfind(r.box, 0), 0u);
    // The radio is left marked invalid: that stays on screen.
    EXPECT_TRUE(out.okShown);
    EXPECT_EQ(out.line1, " Download Error!");
    EXPECT_EQ(g_cloneOk, 0);
    pty.reset();
    EXPECT_EQ(sim->Word(127), 0xFFFF);
    dlg.reset();
    msgs.clear();
  }
}

TEST_F(CloneDlgTest, ServiceModeNumbersEachRadioAndEscLeavesTheEntry) {
  StartWith(kMobile);
  g_serviceMode = 1;
  Radio(SimProtocol::kPolled, RadioInService(kMobile));
  Serve();
  std::vector<std::string> shown;
  std::vector<std::string> line2;
  onSerialEntry = [&](CCloneDlg& clone) {
    auto* edit = FindControl<QLineEdit>(&clone, kCloneSerialId);
    shown.push_back(edit->text().toStdString());
    line2.push_back(FindControl<QLabel>(&clone, kCloneStatus2Id)->text().toStdString());
    EXPECT_TRUE(FindControl<QPushButton>(&clone, kCloneContinueId)->isVisible());
    if (shown.size() == 1) {
      edit->clear();
      edit->setFocus();
      QTest::keyClicks(edit, "7x");  // letters don't go in
      QTest::keyClick(edit, Qt::Key_Return);
    } else {
      QTest::keyClick(edit, Qt::Key_Escape);
    }
  };
  nextRadios = 1;

  const CloneOutcome out = Send();

  EXPECT_EQ(shown, (std::vector<std::string>{"0000", "0008"}));
  EXPECT_EQ(line2[0], "Serial No.(MAX 4 fig)");
  EXPECT_TRUE(out.nextRadio);
  EXPECT_EQ(out.line1, "Download is completed");
  EXPECT_EQ(g_serviceSerial.substr(4), "0008");
  EXPECT_EQ(CurrentSerialText().substr(4), "0008");
  pty.reset();
  // The radio carries 0007 in its serial-number bytes.
  const std::vector<std::uint8_t>& mem = sim->Memory();
  EXPECT_EQ(mem[area::kMobileAdjust + 382], 0x00);
  EXPECT_EQ(mem[area::kMobileAdjust + 383], 0x07);
  EXPECT_EQ(sim->Word(127), 0xA55A);
}

TEST_F(CloneDlgTest, SendDialogBeforeTheStart) {
  StartWith(kMobile);
  for (const bool romEditor : {false, true}) {
    g_config.SetRomEditorMode(romEditor);
    CCloneDlg clone(dlg.get());
    clone.SetDirection(kCloneSend);
    clone.show();
    EXPECT_EQ(FindControl<QLabel>(&clone, kCloneTitleId)->text(), "S e n d    t o    R a d i o");
    auto* box = FindControl<QCheckBox>(&clone, kCloneOneBlockId);
    EXPECT_EQ(box->isVisible(), romEditor);
    if (!romEditor) continue;
    EXPECT_EQ(FindControl<QLabel>(&clone, kCloneRangeHintId)->text(), "H(0-ffH)");
    box->click();
    EXPECT_TRUE(FindControl<QLineEdit>(&clone, kCloneBlockEditId)->isVisible());
    box->click();
    EXPECT_FALSE(FindControl<QLineEdit>(&clone, kCloneBlockEditId)->isVisible());
  }
  g_config.SetRomEditorMode(false);
}

TEST_F(CloneDlgTest, StreamedSendAsksForThePowerCycleAndPushesTheBlocks) {
  WriteWholeFile(dir.File("MB925.CFG"), {0, 0, 0, 0, 127, 0, 0x00, 0xDC, 0x01, 0x00});
  StartWith(kMobile);
  ASSERT_TRUE(g_config.UsesStreamProtocol());
  Radio(SimProtocol::kStreamed, RadioMemory(kMobile));
  Serve();
  bool cycled = false;
  onRunning = [&](CCloneDlg& clone) {
    if (cycled || FindControl<QLabel>(&clone, kCloneStatus1Id)->text() != "Switch radio OFF, then") return;
    // The two lines arrive as two queued calls from the worker; the radio is
    // switched only once both say so, else `cycled` stays false and the send fails.
    if (FindControl<QLabel>(&clone, kCloneStatus2Id)->text() != "back ON to start downloading") return;
    cycled = true;
    sim->RequestPowerCycle();
  };

  const CloneOutcome out = Send();

  EXPECT_TRUE(cycled);
  EXPECT_EQ(out.line1, "Download is completed");
  EXPECT_EQ(out.counter, "Send block 33 / 33");
  EXPECT_TRUE(msgs.texts().empty());
  pty.reset();
  EXPECT_EQ(sim->Writes().size(), 33u);
  // What went is the packed data, with the settings checksum in word 1.
  EXPECT_EQ(std::memcmp(sim->Memory().data(), g_pRadioImage, kBlockSize * 33), 0);
}
