// The memory-block editor in the main window: opening and closing it, hex
// edits and what they change, its file and radio buttons.
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTextBlock>
#include <algorithm>
#include <set>
#include <filesystem>

#include "CloneFixture.h"
#include "app/RomEditDlg.h"
#include "model/ConfigFile.h"
#include "model/DataFile.h"
#include "model/ScreenData.h"

namespace {

// COM1, LPT1, EEPROM end word 127, flash from 0x38000.
const std::vector<unsigned char> kMobileFactory = {0, 0, 0, 0, 0x7F, 0, 0x00, 0x80, 0x03, 0x00};
constexpr int kPowerOnBlock = static_cast<int>(area::kPowerOnText / kBlockSize);  // 6

class RomEditTest : public CloneDlgTest {
protected:
  void SetUp() override {
    CloneDlgTest::SetUp();
    WriteWholeFile("MB925.CFG", kMobileFactory);
  }

  CRomEditDlg* Open() {
    dlg->RunCommand(kCmdRomEdit);
    return dlg->RomEditor();
  }
  // Types `keys` into the dump with the caret at line `row`, column `column`.
  static void Type(CRomEditDlg* editor, int block, int row, int column, const char* keys) {
    g_romEditBlock = block;
    editor->ShowBlock();
    editor->Dump()->SetDumpCaret(row * kDumpLineLength + column);
    QTest::keyClicks(editor->Dump(), QString::fromLatin1(keys));
  }
  static std::string Line(CRomEditDlg* editor, int row) {
    return editor->Dump()->toPlainText().split(QLatin1Char('\n')).at(row).toStdString();
  }
};

}  // namespace

TEST_F(RomEditTest, OpensOnceAndTheMainWindowLearnsWhenItHasGone) {
  StartWith(kMobile);
  CRomEditDlg* editor = Open();
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(editor->isVisible());
  EXPECT_EQ(editor->windowTitle(), "RB036 ROM EDIT");
  EXPECT_EQ(editor->BlockText(), "00h");
  // Asked again while it is open: the same window.
  QTest::keyClick(dlg.get(), Qt::Key_F9, Qt::ShiftModifier);
  EXPECT_EQ(dlg->RomEditor(), editor);
  EXPECT_EQ(dlg->findChildren<CRomEditDlg*>().size(), 1);

  FindControl<QPushButton>(editor, kRomEditCloseId)->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(dlg->RomEditor(), nullptr);
  EXPECT_TRUE(dlg->findChildren<CRomEditDlg*>().isEmpty());
  // A new one after it went.
  CRomEditDlg* again = Open();
  ASSERT_NE(again, nullptr);
  EXPECT_TRUE(again->isVisible());
}

TEST_F(RomEditTest, BlockButtonsStayInsideTheLayout) {
  StartWith(kMobile);
  CRomEditDlg* editor = Open();
  ASSERT_NE(editor, nullptr);
  const struct {
    int id;
    const char* shown;
  } steps[] = {{kRomEditUpId, "00h"},     {kRomEditDownId, "01h"}, {kRomEditDownId, "02h"},
               {kRomEditBottomId, "FFh"}, {kRomEditDownId, "FFh"}, {kRomEditUpId, "FEh"},
               {kRomEditTopId, "00h"}};
  for (const auto& s : steps) {
    FindControl<QPushButton>(editor, s.id)->click();
    EXPECT_EQ(editor->BlockText(), s.shown) << s.id;
  }
  g_romEditBlock = 2;
  editor->ShowBlock();
  EXPECT_EQ(Line(editor, 0).substr(0, 7), "38000: ");
}

// UP and DOWN with real presses while the main window runs under exec(), as
// the program runs it: a click steps one block, a held button repeats (the
// number moves while held), and the release shows the block it ends on.
TEST_F(RomEditTest, UpAndDownStepOnceOnAClickAndRepeatWhileHeld) {
  StartWith(kMobile);
  bool ran = false;
  const auto presses = [&] {
    ran = true;
    CRomEditDlg* editor = Open();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(editor));
    ASSERT_EQ(QApplication::activeModalWidget(), dlg.get());
    auto* down = FindControl<QPushButton>(editor, kRomEditDownId);
    auto* up = FindControl<QPushButton>(editor, kRomEditUpId);
    const auto firstAddress = [](int block) {
      return DumpText(DumpLayoutOf(g_config, true), block, g_pRadioImage, g_adjustCopy.data()).substr(0, 7);
    };
    const auto press = [](QPushButton* button, int ms) {
      QTest::mousePress(button, Qt::LeftButton);
      QTest::qWait(ms);
      QTest::mouseRelease(button, Qt::LeftButton);
    };
    press(down, 100);
    EXPECT_EQ(editor->BlockText(), "01h");
    EXPECT_EQ(Line(editor, 0).substr(0, 7), firstAddress(1));

    QTest::mousePress(down, Qt::LeftButton);
    QTest::qWait(2000);
    const int held = g_romEditBlock;
    // A step every 200 ms: ten at most, and most of them even on a busy machine.
    EXPECT_GE(held, 1 + 5);
    EXPECT_LE(held, 1 + 10);
    EXPECT_EQ(editor->BlockText().toStdString(), BlockNumberText(held));
    QTest::mouseRelease(down, Qt::LeftButton);
    EXPECT_EQ(g_romEditBlock, held + 1);
    EXPECT_EQ(Line(editor, 0).substr(0, 7), firstAddress(held + 1));

    press(up, 100);
    EXPECT_EQ(editor->BlockText().toStdString(), BlockNumberText(held));
    EXPECT_EQ(Line(editor, 0).substr(0, 7), firstAddress(held));
  };
  QTimer::singleShot(0, dlg.get(), [&] {
    presses();
    dlg->done(0);
  });
  // As main() does: the window is shown by its exec().
  dlg->hide();
  dlg->exec();
  EXPECT_TRUE(ran);
}

// The pixel columns of `image` inside `band` that hold ink (dark text).
std::set<int> InkColumns(const QImage& image, const QRect& band) {
  std::set<int> columns;
  for (int x = band.left(); x <= band.right(); ++x)
    for (int y = band.top(); y <= band.bottom(); ++y)
      if (qGray(image.pixel(x, y)) < 128) {
        columns.insert(x);
        break;
      }
  return columns;
}

// Whether every column of `a` has one of `b` at most a pixel away.
bool EachNear(const std::set<int>& a, const std::set<int>& b) {
  return std::all_of(a.begin(), a.end(), [&b](int x) {
    const auto at = b.lower_bound(x - 1);
    return at != b.end() && *at <= x + 1;
  });
}

// The column heading stands over the dump's columns: on a block whose first
// line reads "00 01 ... 0F", the heading's ink falls on the pixel columns of
// that line's, so no two numbers run together ("07" and "08" touched).
TEST_F(RomEditTest, TheColumnHeadingStandsOverTheDumpsColumns) {
  StartWith(kMobile);
  CRomEditDlg* editor = Open();
  ASSERT_NE(editor, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(editor));
  for (std::size_t i = 0; i < 16; ++i) g_pRadioImage[2 * kBlockSize + i] = static_cast<std::uint8_t>(i);
  g_romEditBlock = 2;
  editor->ShowBlock();
  editor->Dump()->SetDumpCaret(7 * kDumpLineLength + kDumpFirstDigitColumn);  // the caret off the first line
  QLabel* heading = nullptr;
  for (QLabel* label : editor->findChildren<QLabel*>())
    if (label->text().startsWith(QStringLiteral("          00 01"))) heading = label;
  ASSERT_NE(heading, nullptr);
  const QImage shot = editor->grab().toImage();
  QPlainTextEdit* dump = editor->Dump();
  const QRect firstLine = dump->cursorRect(QTextCursor(dump->document()->firstBlock()));
  const QPoint viewport = dump->viewport()->mapTo(editor, QPoint(0, 0));
  const QRect lineBand(viewport.x(), viewport.y() + firstLine.top(), dump->viewport()->width(), firstLine.height());
  const QRect headingBand(heading->mapTo(editor, QPoint(0, 0)), heading->size());
  const std::set<int> heads = InkColumns(shot, headingBand);
  ASSERT_FALSE(heads.empty());
  std::set<int> line;
  for (int x : InkColumns(shot, lineBand))
    if (x >= *heads.begin() - 1 && x <= *heads.rbegin() + 1) line.insert(x);
  EXPECT_TRUE(EachNear(heads, line));
  EXPECT_TRUE(EachNear(line, heads));
}

// A hex edit marks the data changed, reaches the records (a normal save packs
// them back over the image and keeps the edit) and clears with the next load.
TEST_F(RomEditTest, HexEditsMarkTheDataChangedAndSurviveAPackedSave) {
  StartWith(kMobile);
  CRomEditDlg* editor = Open();
  ASSERT_NE(editor, nullptr);
  ASSERT_EQ(g_dataModified, 0);
  // The power-on text's first character becomes 'Z' (0x5A).
  Type(editor, kPowerOnBlock, 0, 7, "5a");
  EXPECT_EQ(g_pRadioImage[area::kPowerOnText], 0x5A);
  EXPECT_EQ(Line(editor, 0).substr(7, 3), "5A ");
  EXPECT_EQ(g_dataModified, 1);
  EXPECT_TRUE(g_config.IsRawImageEdited());
  EXPECT_EQ(g_mobileModel.records.openingMsg.powerOnText[0], 'Z');

  ASSERT_TRUE(g_dataFile.SaveDataFile(dir.File("edited.K58")));
  EXPECT_EQ(ReadWholeFile(dir.File("edited.K58")).at(area::kPowerOnText), 0x5A);

  // A refused key changes nothing.
  BeepCounter beeps;
  Type(editor, 0, 1, 7, "5");  // word 8: alignment data
  EXPECT_EQ(beeps.count(), 1);

  g_dataModified = 0;
  ASSERT_EQ(g_dataFile.LoadDataFile(dir.File("start.K58"), dir.path()), 1);
  EXPECT_FALSE(g_config.IsRawImageEdited());
  // The open editor shows the image that replaced the edited one.
  EXPECT_NE(Line(editor, 0).substr(7, 3), "5A ");
}

// A nibble the save would turn back (block 0 byte 42 b4, which the radio
// never keeps) is refused with the beep, so the dump only ever shows what
// FILE SAVE writes; the digit beside it is the user's.
TEST_F(RomEditTest, ANibbleTheSaveWouldUndoIsRefusedAndTheDumpShowsWhatIsSaved) {
  StartWith(kMobile);
  CRomEditDlg* editor = Open();
  ASSERT_NE(editor, nullptr);
  ASSERT_EQ(g_pRadioImage[42], 0x08);
  // Image byte 42 is shown at place 43 of block 0 (words high byte first).
  constexpr int kRow = 2, kColumn = kDumpFirstDigitColumn + 3 * 11;
  ASSERT_EQ(Line(editor, kRow).substr(kColumn, 3), "08 ");
  BeepCounter beeps;
  Type(editor, 0, kRow, kColumn, "1");
  EXPECT_EQ(beeps.count(), 1);
  EXPECT_EQ(Line(editor, kRow).substr(kColumn, 3), "08 ");
  EXPECT_EQ(editor->Dump()->DumpCaret(), kRow * kDumpLineLength + kColumn);
  EXPECT_EQ(g_pRadioImage[42], 0x08);
  EXPECT_EQ(g_dataModified, 0);

  Type(editor, 0, kRow, kColumn + 1, "9");
  EXPECT_EQ(beeps.count(), 1);
  EXPECT_EQ(Line(editor, kRow).substr(kColumn, 3), "09 ");
  files.Choose(dir.File("edited.K58"));
  QTest::mouseClick(FindControl<QPushButton>(editor, kRomEditSaveId), Qt::LeftButton);
  EXPECT_EQ(ReadWholeFile(dir.File("edited.K58")).at(42), 0x09);
  EXPECT_EQ(Line(editor, kRow).substr(kColumn, 3), "09 ");
}

// FILE SAVE is the main Save: the loaded family's extension is offered and
// appended, and a name of the other family is refused.
TEST_F(RomEditTest, FileSaveTakesTheLoadedFamilysExtension) {
  StartWith(kPortable);
  CRomEditDlg* editor = Open();
  ASSERT_NE(editor, nullptr);
  auto* save = FindControl<QPushButton>(editor, kRomEditSaveId);
  files.Choose(dir.File("radio"));
  QTest::mouseClick(save, Qt::LeftButton);
  ASSERT_FALSE(files.requests().empty());
  EXPECT_TRUE(files.requests().back().save);
  const std::vector<FileFilter>& filters = files.requests().back().request.filters;
  ASSERT_EQ(filters.size(), 1u);
  EXPECT_EQ(filters[0].text, "*.P58");
  EXPECT_EQ(filters[0].pattern, "*.P58");
  EXPECT_EQ(files.requests().back().request.title, "Select save file");
  ASSERT_TRUE(std::filesystem::exists(dir.File("radio.P58")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("radio.K58")));
  EXPECT_EQ(FamilyOfCode(ReadWholeFile(dir.File("radio.P58")).at(area::kFamilyCode)), kPortable);

  files.Choose(dir.File("other.K58"));
  QTest::mouseClick(save, Qt::LeftButton);
  EXPECT_EQ(msgs.texts(),
            std::vector<std::string>{"Problem opening file\n    " + dir.File("other.K58") + "\n\n   Press any key"});
  EXPECT_FALSE(std::filesystem::exists(dir.File("other.K58")));
}

TEST_F(RomEditTest, FileLoadAsksTheSaveQuestionFirst) {
  StartWith(kMobile);
  CRomEditDlg* editor = Open();
  ASSERT_NE(editor, nullptr);
  Type(editor, kPowerOnBlock, 0, 7, "5a");
  WriteDataFile(dir.File("other.K58"), kMobile, false);
  msgs.Answer(kIdCancel);
  FindControl<QPushButton>(editor, kRomEditLoadId)->click();
  EXPECT_EQ(msgs.texts(), std::vector<std::string>{SaveQuestionOf(kMobile)});
  EXPECT_EQ(g_pRadioImage[area::kPowerOnText], 0x5A);  // cancelled: nothing loaded

  msgs.clear();
  msgs.Answer(kIdNo);
  files.Choose(dir.File("other.K58"));
  FindControl<QPushButton>(editor, kRomEditLoadId)->click();
  EXPECT_EQ(msgs.texts(), std::vector<std::string>{SaveQuestionOf(kMobile)});
  EXPECT_EQ(dlg->FileLine(), "File:other.K58");
  EXPECT_EQ(dlg->ModelLine(), "TM-6600-KR3B-50(VHF)");
  EXPECT_EQ(g_dataModified, 0);
  EXPECT_EQ(editor->BlockText(), "00h");
}

// From the editor: one block of the hex-edited image goes to the radio as it
// is; the records, changed after the edit, are not packed over it.
TEST_F(RomEditTest, OneBlockSendCarriesTheEditedBlockOnly) {
  for (const Family family : {kMobile, kPortable}) {
    SCOPED_TRACE(family == kMobile ? "mobile" : "portable");
    StartWith(family);
    const std::vector<std::uint8_t> memory = RadioMemory(family);
    Radio(SimProtocol::kPolled, memory);
    Serve();
    CRomEditDlg* editor = Open();
    ASSERT_NE(editor, nullptr);
    Type(editor, kPowerOnBlock, 0, 7, "5a");
    ASSERT_EQ(g_pRadioImage[area::kPowerOnText], 0x5A);
    // A record that no longer matches the image: a pack would send it.
    ModelOf(family).openingMsg.powerOnText[1] = 'Q';
    beforeStart = [](CCloneDlg& clone) {
      FindControl<QCheckBox>(&clone, kCloneOneBlockId)->click();
      FindControl<QLineEdit>(&clone, kCloneBlockEditId)->setText(QStringLiteral("6"));
    };
    const CloneOutcome out = RunFrom([editor] { FindControl<QPushButton>(editor, kRomEditSendId)->click(); });
    EXPECT_TRUE(out.okShown);
    EXPECT_EQ(out.line1, "Download is completed");
    pty.reset();
    const std::vector<SimWrite>& writes = sim->Writes();
    // Between the markers that fence the memory writes, only the block.
    const auto first = std::find(writes.begin(), writes.end(), SimWrite{SimWrite::kWord, 127, 0xFFFF});
    ASSERT_NE(first, writes.end());
    const std::vector<SimWrite> between(first + 1, writes.end());
    EXPECT_EQ(between, (std::vector<SimWrite>{{SimWrite::kBlock, kPowerOnBlock - 2}, {SimWrite::kWord, 127, 0xA55A}}));
    const std::vector<std::uint8_t>& radio = sim->Memory();
    const auto at = static_cast<std::ptrdiff_t>(kPowerOnBlock * kBlockSize);
    EXPECT_TRUE(std::equal(radio.begin() + at, radio.begin() + at + static_cast<std::ptrdiff_t>(kBlockSize),
                           g_pRadioImage + at));
    EXPECT_TRUE(std::equal(radio.begin() + kBlockSize * 2, radio.begin() + at, memory.begin() + kBlockSize * 2));
    EXPECT_EQ(radio[area::kPowerOnText + 1], g_pRadioImage[area::kPowerOnText + 1]);
    EXPECT_NE(radio[area::kPowerOnText + 1], 'Q');
    beforeStart = nullptr;
    dlg.reset();
  }
}

// The editor's read is the main window's: the question first, then the
// radio's family with its tab row.
TEST_F(RomEditTest, ReadFromTheEditorSwitchesFamilyLikeTheMainRead) {
  StartWith(kMobile);
  g_dataModified = 1;
  Radio(SimProtocol::kPolled, RadioMemory(kPortable));
  Serve();
  CRomEditDlg* editor = Open();
  ASSERT_NE(editor, nullptr);
  g_romEditBlock = 5;
  editor->ShowBlock();
  msgs.Answer(kIdNo);
  const CloneOutcome out = RunFrom([editor] { FindControl<QPushButton>(editor, kRomEditReadId)->click(); });
  EXPECT_TRUE(out.okShown);
  EXPECT_EQ(msgs.texts(), std::vector<std::string>{SaveQuestionOf(kMobile)});
  EXPECT_EQ(g_isPortable, 1);
  EXPECT_EQ(dlg->TabBar()->count(), 7);  // the portable row
  EXPECT_EQ(dlg->ZoneSubPage(), 115);
  EXPECT_EQ(dlg->FileLine(), "");
  EXPECT_EQ(editor->BlockText(), "00h");
  EXPECT_EQ(PowerOnText(kPortable), kRadioText);
  EXPECT_FALSE(g_config.IsRawImageEdited());
  // The editor's mode reached both configurations.
  EXPECT_TRUE(g_config.IsRomEditorMode());
  EXPECT_TRUE(g_portableConfig.IsRomEditorMode());
}

// A read through the editor, or in manufacturer mode, reads every block and
// keeps the radio's adjustment copy as it is; the records must still take
// that radio's alignment, not the one of the file open before (the other
// band), or the first channel is packed with the wrong band and tune bytes.
// A save with no edit is then the radio's memory, and a send with no edit
// gives the radio back what it held.
TEST_F(RomEditTest, ReadWithoutEditSavesAndSendsBackTheRadiosBytes) {
  for (const Family family : {kMobile, kPortable}) {
    for (const bool uhfRadio : {true, false}) {
      for (const bool manufacturer : {false, true}) {
        SCOPED_TRACE(std::string(family == kMobile ? "mobile" : "portable") + (uhfRadio ? " UHF" : " VHF") +
                     (manufacturer ? " manufacturer mode" : " editor"));
        const std::string open = family == kPortable ? "open.P58" : "open.K58";
        WriteDataFile(dir.File(open), family, !uhfRadio);
        ASSERT_FALSE(Start({open}));
        g_manufacturerMode = manufacturer;
        std::vector<std::uint8_t> memory = RadioInService(family, uhfRadio);
        memory[182] |= 0x01;  // as every send leaves it: word 91 goes out with bit 0 set
        Radio(SimProtocol::kPolled, memory);
        Serve();
        CRomEditDlg* editor = Open();
        ASSERT_NE(editor, nullptr);
        auto* read = FindControl<QPushButton>(editor, kRomEditReadId);
        const CloneOutcome out = manufacturer ? Read() : RunFrom([read] { QTest::mouseClick(read, Qt::LeftButton); });
        ASSERT_EQ(out.line1, "Upload is completed");
        ASSERT_TRUE(msgs.texts().empty()) << msgs.texts()[0];

        const std::string saved = dir.File(family == kPortable ? "read.P58" : "read.K58");
        files.Choose(saved);
        QTest::mouseClick(FindControl<QPushButton>(editor, kRomEditSaveId), Qt::LeftButton);
        EXPECT_TRUE(msgs.texts().empty()) << msgs.texts()[0];
        const std::vector<unsigned char> file = ReadWholeFile(saved);
        ASSERT_EQ(file.size(), kImageSize);
        // A portable file keeps the adjustment block's copy where a mobile file has its copy.
        const std::size_t copyAt = area::kMobileAdjust;
        std::vector<std::size_t> differing;
        for (std::size_t i = 0; i < kImageSize; ++i) {
          const bool copy = family == kPortable && i >= copyAt && i < copyAt + kBlockSize;
          if (family == kPortable && i >= copyAt + kBlockSize) continue;
          if (file[i] != (copy ? memory[area::kPortableAdjust + i - copyAt] : memory[i])) differing.push_back(i);
        }
        EXPECT_EQ(differing, std::vector<std::size_t>{});

        // The send with no edit: the radio ends as it was.
        auto* send = FindControl<QPushButton>(editor, kRomEditSendId);
        const CloneOutcome sent = manufacturer ? Send() : RunFrom([send] { QTest::mouseClick(send, Qt::LeftButton); });
        ASSERT_EQ(sent.line1, "Download is completed");
        EXPECT_TRUE(msgs.texts().empty()) << msgs.texts()[0];
        pty.reset();
        const std::vector<std::uint8_t>& radio = sim->Memory();
        differing.clear();
        for (std::size_t i = 0; i < kImageBufferSize; ++i)
          if (radio[i] != memory[i]) differing.push_back(i);
        EXPECT_EQ(differing, std::vector<std::size_t>{});
        dlg.reset();
        g_manufacturerMode = false;
      }
    }
  }
}

// A radio of the streamed protocol holds the first 57 blocks of the image and
// its adjustment block, which a file keeps where the adjustment copy starts;
// the channel area lies past its memory, so a read of it leaves every channel
// unprogrammed, and its send writes only the first 33 blocks (37 in
// manufacturer mode). Read through the main window, the memory editor or in
// manufacturer mode, over the file of another aligned radio of either band,
// or over a portable file: the radio is mobile and so are the tabs, the save
// with no edit is the radio's memory, and the send with no edit goes and gives
// the radio back what it held (a radio in service already holds the settings
// sum every send writes).
TEST_F(RomEditTest, StreamedReadWithoutEditSavesAndSendsBackTheRadiosBytes) {
  WriteWholeFile("MB925.CFG", {0, 0, 0, 0, 0x7F, 0, 0x00, 0xDC, 0x01, 0x00});
  constexpr std::size_t kRadioBlocks = 57;  // then its adjustment block
  enum Path { kMainWindow, kEditor, kManufacturer };
  const char* const pathNames[] = {"main window", "editor", "manufacturer mode"};
  enum OpenFile { kOtherBand, kSameBand, kPortableFile };
  const char* const openNames[] = {"other band open, ", "same band open, ", "portable file open, "};
  for (const bool uhfRadio : {true, false}) {
    for (const OpenFile openFile : {kOtherBand, kSameBand, kPortableFile}) {
      for (const Path path : {kMainWindow, kEditor, kManufacturer}) {
        SCOPED_TRACE(std::string(uhfRadio ? "UHF radio, " : "VHF radio, ") + openNames[openFile] + pathNames[path]);
        // The file of another radio: its own tuning bytes and alignment copy.
        const bool portable = openFile == kPortableFile;
        const std::string openName = portable ? "open.P58" : "open.K58";
        std::vector<unsigned char> open =
            ReadWholeFile(std::string(RP58_PROGRAM_DIR) + "/Data/DEFAULT" +
                          (uhfRadio != (openFile == kOtherBand) ? "U" : "V") + (portable ? ".P58" : ".K58"));
        if (!portable) {
          for (std::size_t i = area::kMobileTuning; i < area::kMobileTuning + 16; ++i) open[i] ^= 0x21;
          for (std::size_t i = 0; i < kAdjustCopySize; ++i) open[area::kMobileAdjust + i] ^= 0x5A;
        }
        WriteWholeFile(dir.File(openName), open);
        ASSERT_FALSE(Start({openName}));
        ASSERT_EQ(g_isPortable, portable);
        ASSERT_TRUE(g_config.UsesStreamProtocol());
        msgs.clear();
        g_manufacturerMode = path == kManufacturer;
        std::vector<std::uint8_t> memory = RadioMemory(kMobile, uhfRadio);
        std::uint8_t sum = 0;  // of the bytes of words 2..12, in word 1
        for (std::size_t i = 4; i <= 25; ++i) sum = static_cast<std::uint8_t>(sum + memory[i]);
        memory[2] = sum;
        memory[3] = 0;
        Radio(SimProtocol::kStreamed, memory);
        Serve();
        CRomEditDlg* editor = path == kEditor ? Open() : nullptr;
        const auto click = [editor](int id) {
          return [editor, id] { QTest::mouseClick(FindControl<QPushButton>(editor, id), Qt::LeftButton); };
        };

        const CloneOutcome out = editor ? RunFrom(click(kRomEditReadId)) : Read();
        ASSERT_EQ(out.line1, "Upload is completed");
        ASSERT_TRUE(msgs.texts().empty()) << msgs.texts()[0];
        EXPECT_EQ(g_isPortable, 0);
        EXPECT_EQ(dlg->TabBar()->count(), 8);  // the mobile row
        EXPECT_EQ(dlg->ZoneSubPage(), ZoneTableTemplate(kMobile));
        EXPECT_EQ(dlg->FileLine(), "");
        // A portable file's name does not stay with the radio's memory.
        EXPECT_FALSE(g_dataFileName.ends_with(".P58"));
        EXPECT_EQ(g_dataFileName.ends_with(".K58"), !portable);

        const std::string saved = dir.File("read.K58");
        std::remove(saved.c_str());
        files.Choose(saved);
        if (editor)
          click(kRomEditSaveId)();
        else
          dlg->Action(kCmdSaveFile)->trigger();
        ASSERT_TRUE(msgs.texts().empty()) << msgs.texts()[0];
        const std::vector<unsigned char> file = ReadWholeFile(saved);
        ASSERT_EQ(file.size(), kImageSize);
        std::vector<std::size_t> differing;
        for (std::size_t i = 0; i < kBlockSize * kRadioBlocks; ++i)
          if (file[i] != memory[i]) differing.push_back(i);
        for (std::size_t i = 0; i < kBlockSize; ++i)
          if (file[area::kMobileAdjust + i] != memory[kBlockSize * kRadioBlocks + i])
            differing.push_back(area::kMobileAdjust + i);
        EXPECT_EQ(differing, std::vector<std::size_t>{});

        bool cycled = false;
        onRunning = [&](CCloneDlg& clone) {
          if (cycled || FindControl<QLabel>(&clone, kCloneStatus2Id)->text() != "back ON to start downloading") return;
          cycled = true;
          sim->RequestPowerCycle();
        };
        const CloneOutcome sent = editor ? RunFrom(click(kRomEditSendId)) : Send();
        onRunning = nullptr;
        EXPECT_EQ(sent.line1, "Download is completed");
        EXPECT_EQ(sent.counter, path == kManufacturer ? "Send block 37 / 37" : "Send block 33 / 33");
        EXPECT_TRUE(msgs.texts().empty()) << msgs.texts()[0];
        pty.reset();
        const std::vector<std::uint8_t>& radio = sim->Memory();
        differing.clear();
        for (std::size_t i = 0; i < kBlockSize * (kRadioBlocks + 1); ++i)
          if (radio[i] != memory[i]) differing.push_back(i);
        EXPECT_EQ(differing, std::vector<std::size_t>{});
        dlg.reset();
        g_manufacturerMode = false;
      }
    }
  }
}
