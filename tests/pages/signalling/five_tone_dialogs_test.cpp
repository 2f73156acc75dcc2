#include <QTest>
#include <QTimer>

#include "../radio/RadioPageFixture.h"
#include "model/FiveTone.h"
#include "pages/signalling/FiveToneDialogs.h"
#include "pages/signalling/SignallingPages.h"

namespace {

using namespace five_tone_dlg;
using Base = RadioPageFixture<CMobileFiveTonePage, CPortableFiveTonePage>;

class FiveToneDialogTest : public Base {
protected:
  void TearDown() override {
    dlg.reset();
    Base::TearDown();
  }
  template <class Dlg>
  Dlg* Open() {
    dlg.reset();
    auto* d = new Dlg(family, &host);
    dlg.reset(d);
    d->show();
    QApplication::setActiveWindow(d);
    Settle();
    return d;
  }
  template <class T = QWidget>
  T* In(int id) const {
    return FindControl<T>(dlg.get(), id);
  }
  void Key(QWidget* w, Qt::Key key) {
    QTest::keyClick(w, key);
    Settle();
  }
  void Focus(QWidget* w) {
    w->setFocus();
    Settle();
  }
  CFiveToneCommonRecord& Common() const { return ModelOf(family).fiveToneCommon; }
  CFiveToneCodeTable& Encode() const { return ModelOf(family).fiveToneEncode; }
  CFiveToneCodeTable& Decode() const { return ModelOf(family).fiveToneDecode; }

  std::unique_ptr<QDialog> dlg;
};

constexpr int kPressMs = 20;  // how long a key is held down
constexpr int kGroupTone = 15924, kCall1 = 16104, kLeadIn = 16074, kDecode1 = 16194, kCompare3 = 16014;

TEST_P(FiveToneDialogTest, MillisecondFieldsStoreWholeTensWithinTheirRange) {
  struct Case {
    const char* typed;
    std::uint8_t stored;
    const char* shown;
  };
  const Case cases[] = {{"3000", 250, "2500 ms"}, {"7", 0, "   0 ms"}, {"12.9", 1, "  10 ms"}, {"1275", 127, "1270 ms"}};
  Open<CFiveToneCommonDlg>();
  auto* field = In<QLineEdit>(kLeadIn);
  ASSERT_NE(field, nullptr);
  for (const Case& c : cases) {
    g_dataModified = 0;
    Focus(field);
    QTest::keyClicks(field, c.typed);
    Focus(In(kGroupTone));  // leaving the field stores it
    EXPECT_EQ(Common().leadInDelay, c.stored) << c.typed;
    EXPECT_EQ(field->text(), c.shown) << c.typed;
    EXPECT_EQ(g_dataModified, 1) << c.typed;
  }
}

TEST_P(FiveToneDialogTest, EscInAMillisecondFieldShowsItsValueWithTheUnitAgain) {
  Open<CFiveToneCommonDlg>();
  auto* field = In<QLineEdit>(kLeadIn);
  ASSERT_NE(field, nullptr);
  const std::uint8_t stored = Common().leadInDelay;
  const QString shown = field->text();
  ASSERT_TRUE(shown.endsWith(" ms"));
  // Started by a typed digit, and by Enter (which cuts the text to the typing limit).
  for (const std::vector<Qt::Key>& start : {std::vector<Qt::Key>{Qt::Key_5}, std::vector<Qt::Key>{Qt::Key_Return}}) {
    g_dataModified = 0;
    Focus(field);
    for (Qt::Key k : start) QTest::keyClick(field, k, Qt::NoModifier, kPressMs);
    ASSERT_NE(field->text(), shown);
    QTest::keyClick(field, Qt::Key_Escape, Qt::NoModifier, kPressMs);
    Settle();
    EXPECT_EQ(field->text(), shown);
    EXPECT_TRUE(dlg->isVisible());  // the field took the Esc
    Focus(In(kGroupTone));
    EXPECT_EQ(field->text(), shown);
    EXPECT_EQ(Common().leadInDelay, stored);
    EXPECT_EQ(g_dataModified, 0);
  }
  // The field still takes a value afterwards.
  Focus(field);
  QTest::keyClicks(field, "40", Qt::NoModifier, kPressMs);
  Focus(In(kGroupTone));
  EXPECT_EQ(field->text(), "  40 ms");
}

// Enter ends the edit and stores the value at once; Enter again and Esc only
// start and drop a new edit, so OK keeps the value.
TEST_P(FiveToneDialogTest, EnterInAMillisecondFieldStoresItsValue) {
  const struct {
    int id;
    std::uint8_t CFiveToneCommonRecord::*field;
  } fields[] = {{16054, &CFiveToneCommonRecord::extendedFirstTone},
                {kLeadIn, &CFiveToneCommonRecord::leadInDelay},
                {16094, &CFiveToneCommonRecord::leadOutDelay}};
  for (const auto& f : fields) {
    Common().*f.field = 0;
    Common().Pack(g_pRadioImage);
    Open<CFiveToneCommonDlg>();
    auto* field = In<QLineEdit>(f.id);
    ASSERT_NE(field, nullptr) << f.id;
    ASSERT_EQ(field->text(), "   0 ms") << f.id;
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClicks(field, "70", Qt::NoModifier, kPressMs);
    Key(field, Qt::Key_Return);
    EXPECT_EQ(field->text(), "  70 ms") << f.id;
    EXPECT_EQ(Common().*f.field, 7) << f.id;
    Key(field, Qt::Key_Return);
    Key(field, Qt::Key_Escape);
    EXPECT_EQ(field->text(), "  70 ms") << f.id;
    QTest::mouseClick(In(kOk), Qt::LeftButton);
    Settle();
    EXPECT_EQ(dlg->result(), QDialog::Accepted) << f.id;
    Open<CFiveToneCommonDlg>();
    EXPECT_EQ(In<QLineEdit>(f.id)->text(), "  70 ms") << f.id;
    EXPECT_EQ(Common().*f.field, 7) << f.id;
  }
}

TEST_P(FiveToneDialogTest, CancelPutsTheRecordAndTheChangedFlagBack) {
  TempDir dir;
  const std::string file = LoadDefaultFile(dir);
  const std::size_t area = Common().AreaOffset();
  const std::vector<std::uint8_t> before(g_pRadioImage + area, g_pRadioImage + area + 16);
  const std::uint8_t tone = Common().groupTone;
  g_dataModified = 0;
  Open<CFiveToneCommonDlg>();
  UserPicks(In<QComboBox>(kGroupTone), tone == 3 ? "Tone 4" : "Tone 3");
  In<QCheckBox>(kDecode1)->toggle();
  EXPECT_EQ(g_dataModified, 1);
  Key(In(kGroupTone), Qt::Key_Escape);
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(Common().groupTone, tone);
  EXPECT_EQ(g_dataModified, 0);
  ASSERT_TRUE(g_dataFile.SaveDataFile(file));
  EXPECT_EQ(std::vector<std::uint8_t>(g_pRadioImage + area, g_pRadioImage + area + 16), before);
  Open<CFiveToneCommonDlg>();
  EXPECT_EQ(In<QComboBox>(kGroupTone)->currentIndex(), tone);
}

TEST_P(FiveToneDialogTest, OkPacksTheListsAndTheBoxesThatChanged) {
  Open<CFiveToneCommonDlg>();
  UserPicks(In<QComboBox>(kGroupTone), "Tone C");
  auto* box = In<QCheckBox>(kCompare3);
  const bool ticked = box->isChecked();
  // Enter on a box ticks or clears it; the dialog stays open.
  Focus(box);
  Key(box, Qt::Key_Return);
  EXPECT_NE(box->isChecked(), ticked);
  EXPECT_TRUE(dlg->isVisible());
  Key(box, Qt::Key_Space);  // back, and over again: the field is untouched by it
  Key(box, Qt::Key_Space);
  g_dataModified = 0;
  Focus(In(kOk));
  Key(In(kOk), Qt::Key_Return);
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(dlg->result(), QDialog::Accepted);
  EXPECT_EQ(Common().compareDigit[2], ticked ? 1 : 0);
  EXPECT_EQ(g_dataModified, 1);
  CMobileFiveToneCommonRecord back;
  static_cast<CFiveToneCommonRecord&>(back) = Common();
  back.Unpack(g_pRadioImage);
  EXPECT_EQ(back.groupTone, 12);
  EXPECT_EQ(back.compareDigit[2], ticked ? 1 : 0);
}

TEST_P(FiveToneDialogTest, AValueWithoutARowShowsTheInitialRowAndStays) {
  Common().call1EncodeCode = 9;
  Common().Pack(g_pRadioImage);
  Open<CFiveToneCommonDlg>();
  EXPECT_EQ(In<QComboBox>(kCall1)->currentText(), "ENC NO.1");
  EXPECT_EQ(Common().call1EncodeCode, 9);
  // Enter on a list does nothing.
  Focus(In(kCall1));
  Key(In(kCall1), Qt::Key_Return);
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_EQ(Common().call1EncodeCode, 9);
}

TEST_P(FiveToneDialogTest, F1ShowsTheFocusedControlsHelp) {
  Open<CFiveToneCommonDlg>();
  Focus(In(kGroupTone));
  Key(In(kGroupTone), Qt::Key_F1);
  Focus(In(kOk));
  Key(In(kOk), Qt::Key_F1);
  EXPECT_EQ(mainDlg.helps, (std::vector<int>{kGroupTone, 15904}));
  // Every control of the Encode/Decode dialog shows that dialog's page.
  auto* codes = Open<CFiveToneCodeDlg>();
  Focus(codes->SpecialGrid());
  Key(codes->SpecialGrid(), Qt::Key_F1);
  EXPECT_EQ(mainDlg.helps.back(), kEncodeGrid);
}

// ---------------------------------------------------------------------------

class FiveToneCodeDialogTest : public FiveToneDialogTest {
protected:
  CFiveToneCodeDlg* OpenCodes() { return Open<CFiveToneCodeDlg>(); }
  CFiveToneCodeDlg* Codes() const { return static_cast<CFiveToneCodeDlg*>(dlg.get()); }
  QLineEdit* Editor() const { return In<QLineEdit>(kEditor); }
  void GoTo(CFlexGrid* grid, int row, int col) {
    grid->setFocus();
    grid->SetCurrent(row, col);
    Settle();
  }
};

TEST_P(FiveToneCodeDialogTest, TypingOnACodeCellOpensTheEditorAndEnterStoresIt) {
  OpenCodes();
  CFlexGrid* encode = Codes()->EncodeGrid();
  GoTo(encode, 2, 1);
  QTest::keyClicks(encode, "f");  // no 5-tone digit
  EXPECT_FALSE(Editor()->isVisible());
  QTest::keyClicks(encode, "3");
  ASSERT_TRUE(Editor()->isVisible());
  EXPECT_EQ(Editor()->text(), "3");
  EXPECT_EQ(Editor()->cursorPosition(), 1);
  Key(Editor(), Qt::Key_Return);
  EXPECT_FALSE(Editor()->isVisible());
  EXPECT_EQ(encode->TextMatrix(2, 1), "3    ");
  EXPECT_STREQ(Encode().rows[0].code, "3    ");
  // A tag takes letters.
  GoTo(encode, 3, 2);
  QTest::keyClicks(encode, "f");
  ASSERT_TRUE(Editor()->isVisible());
  QTest::keyClicks(Editor(), "ire");
  Key(Editor(), Qt::Key_Return);
  EXPECT_EQ(encode->TextMatrix(3, 2), "FIRE    ");
}

TEST_P(FiveToneCodeDialogTest, SpaceSwitchesEachKindOfCell) {
  Decode().rows[0].head[0] = static_cast<std::uint8_t>((Decode().rows[0].head[0] & ~7) | 6);  // beep tone G
  Encode().rows[0].head[0] &= static_cast<std::uint8_t>(~0xE0);  // mute Null, selected
  Decode().Store(g_pRadioImage);
  Encode().Store(g_pRadioImage);
  OpenCodes();
  CFlexGrid* decode = Codes()->DecodeGrid();
  CFlexGrid* encode = Codes()->EncodeGrid();
  GoTo(decode, 2, 3);
  EXPECT_EQ(decode->Text(), "G");
  Key(decode, Qt::Key_Space);
  EXPECT_EQ(decode->Text(), "Disable");
  Key(decode, Qt::Key_Space);
  EXPECT_EQ(decode->Text(), "A");
  GoTo(encode, 2, 3);
  for (const char* shown : {"Open ", " Close", "Null "}) {
    Key(encode, Qt::Key_Space);
    EXPECT_EQ(encode->Text(), shown);
  }
  GoTo(encode, 2, 4);
  EXPECT_TRUE(encode->CellCheck(2, 4));
  Key(encode, Qt::Key_Space);
  EXPECT_EQ(encode->Text(), "-");
  EXPECT_FALSE(encode->CellCheck(2, 4));
  // A double click on a switch switches it; on a heading it does nothing.
  QTest::mouseDClick(encode->viewport(), Qt::LeftButton, {}, encode->CellRect(2, 4, encode->viewport()).center());
  Settle();
  EXPECT_TRUE(encode->CellCheck(2, 4));
  QTest::mouseDClick(encode->viewport(), Qt::LeftButton, {}, encode->CellRect(0, 2, encode->viewport()).center());
  Settle();
  EXPECT_FALSE(Editor()->isVisible());
  EXPECT_EQ(encode->Row(), 2);
}

TEST_P(FiveToneCodeDialogTest, AnEditLandsOnItsOwnGridAndRow) {
  OpenCodes();
  CFlexGrid* decode = Codes()->DecodeGrid();
  CFlexGrid* special = Codes()->SpecialGrid();
  const std::string kill = Decode().rows[6].code;
  GoTo(decode, 4, 1);  // "Decode 3"
  QTest::keyClicks(decode, "1");
  QTest::keyClicks(Editor(), "2345");
  // Clicking the special codes moves their current cell, then the editor goes.
  special->SetCurrent(1, 1);
  special->setFocus();
  Settle();
  EXPECT_STREQ(Decode().rows[2].code, "12345");
  EXPECT_EQ(Decode().rows[6].code, kill);
  EXPECT_EQ(decode->TextMatrix(4, 1), "12345");
  // Editing "KILL" writes decode row 6.
  QTest::keyClicks(special, "9");
  Key(Editor(), Qt::Key_Return);
  EXPECT_STREQ(Decode().rows[6].code, "9    ");
  EXPECT_EQ(special->TextMatrix(1, 1), "9    ");
}

TEST_P(FiveToneCodeDialogTest, CancelAndEscGiveTheTablesBackOkStoresThem) {
  const std::string code = Encode().rows[1].code;
  g_dataModified = 0;
  OpenCodes();
  CFlexGrid* encode = Codes()->EncodeGrid();
  GoTo(encode, 3, 1);
  QTest::keyClicks(encode, "4");
  Key(Editor(), Qt::Key_Return);
  GoTo(encode, 3, 5);
  Key(encode, Qt::Key_Space);
  // Esc in an open editor commits the cell's own text, then cancels.
  GoTo(encode, 4, 1);
  QTest::keyClicks(encode, "5");
  Key(Editor(), Qt::Key_Escape);
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(Encode().rows[1].code, code);
  EXPECT_EQ(g_dataModified, 0);

  OpenCodes();
  encode = Codes()->EncodeGrid();
  EXPECT_EQ(encode->TextMatrix(3, 1).toStdString(), code);
  GoTo(encode, 3, 1);
  QTest::keyClicks(encode, "4");
  Key(Editor(), Qt::Key_Return);
  // OK with the editor open commits first.
  GoTo(encode, 5, 2);
  QTest::keyClicks(encode, "x");
  Codes()->findChild<QPushButton*>(QString::number(kOk))->click();
  Settle();
  EXPECT_EQ(dlg->result(), QDialog::Accepted);
  CMobileFiveToneEncodeTable mobile;
  CPortableFiveToneEncodeTable portable;
  CFiveToneCodeTable& back = family == kMobile ? static_cast<CFiveToneCodeTable&>(mobile) : portable;
  back.Load(g_pRadioImage);
  EXPECT_STREQ(back.rows[1].code, "4    ");
  EXPECT_STREQ(back.rows[3].tag, "X       ");
  EXPECT_EQ(g_dataModified, 1);
}

TEST_P(FiveToneCodeDialogTest, TabFromCancelWalksTheThreeGrids) {
  OpenCodes();
  auto* cancel = In(kCancel);
  Focus(cancel);
  Key(cancel, Qt::Key_Tab);
  EXPECT_TRUE(Codes()->EncodeGrid()->hasFocus());
  EXPECT_EQ(Codes()->EncodeGrid()->Row(), 2);
  Key(Codes()->EncodeGrid(), Qt::Key_Tab);
  EXPECT_TRUE(Codes()->DecodeGrid()->hasFocus());
  Key(Codes()->DecodeGrid(), Qt::Key_Tab);
  EXPECT_TRUE(Codes()->SpecialGrid()->hasFocus());
  EXPECT_EQ(Codes()->SpecialGrid()->Row(), 0);
  EXPECT_EQ(Codes()->SpecialGrid()->Col(), 1);
  EXPECT_EQ(Codes()->EncodeGrid()->TextMatrix(0, 6), "Input Digit");
  EXPECT_EQ(Codes()->EncodeGrid()->columnSpan(0, 6), 5);
  EXPECT_EQ(Codes()->DecodeGrid()->columnSpan(0, 3), 2);
  // The twip widths grow where the font needs it: no switch text is cut.
  CFlexGrid* decode = Codes()->DecodeGrid();
  EXPECT_GT(decode->columnWidth(3), decode->fontMetrics().horizontalAdvance("Disable"));
  EXPECT_GE(decode->columnWidth(1), 800 / 15);
}

// The page's buttons open the dialogs modally over the main window.
TEST_P(FiveToneDialogTest, PageButtonsOpenTheDialogsOverTheMainWindow) {
  for (const int button : {five_tone_page::kCommonSystem, five_tone_page::kEncodeDecode}) {
    QWidget* seenParent = nullptr;
    QString title;
    QTimer::singleShot(0, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr) return;
      seenParent = modal->parentWidget();
      title = modal->windowTitle();
      static_cast<QDialog*>(modal)->reject();
    });
    Control<QPushButton>(button)->click();
    EXPECT_EQ(seenParent, &host) << button;
    EXPECT_EQ(title, "5-Tone") << button;
  }
}

INSTANTIATE_TEST_SUITE_P(Families, FiveToneDialogTest, ::testing::Values(kMobile, kPortable), FamilyName);
INSTANTIATE_TEST_SUITE_P(Families, FiveToneCodeDialogTest, ::testing::Values(kMobile, kPortable), FamilyName);

}  // namespace
