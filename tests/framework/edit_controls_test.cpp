#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "QtTestSupport.h"
#include "framework/EditControls.h"
#include "platform/ControlIds.h"

namespace {
constexpr int kId = 1040;

// One keystroke: a character (below 0x80) or a Qt key.
struct Key {
  int code;
  Qt::KeyboardModifiers mods = Qt::NoModifier;
};

struct KeyCase {
  const char* what;
  QString text;
  int selStart, selEnd;
  Key key;
  QString expectText;
  int expectStart, expectEnd;
  int beeps;
  std::vector<RecordedMessage> messages;
};

void SetSel(QLineEdit* e, const QString& text, int start, int end) {
  e->setText(text);
  if (start == end)
    e->setCursorPosition(start);
  else
    e->setSelection(start, end - start);
}

std::pair<int, int> Sel(const QLineEdit* e) {
  if (e->hasSelectedText()) return {e->selectionStart(), e->selectionEnd()};
  return {e->cursorPosition(), e->cursorPosition()};
}

void Press(QWidget* w, Key k) {
  if (k.code < 0x80)
    QTest::keyClick(w, static_cast<char>(k.code), k.mods);
  else
    QTest::keyClick(w, static_cast<Qt::Key>(k.code), k.mods);
}

// Drives each case through a real edit inside a window that records what
// the edit reports.
template <class Edit>
void RunCases(const std::function<void(Edit*)>& setup, const std::vector<KeyCase>& cases) {
  for (const auto& c : cases) {
    RecordingWindow window;
    auto* edit = new Edit(&window);
    SetControlId(edit, kId);
    setup(edit);
    SetSel(edit, c.text, c.selStart, c.selEnd);
    BeepCounter beeps;
    Press(edit, c.key);
    EXPECT_EQ(edit->text(), c.expectText) << c.what;
    EXPECT_EQ(Sel(edit), std::make_pair(c.expectStart, c.expectEnd)) << c.what;
    EXPECT_EQ(beeps.count(), c.beeps) << c.what;
    EXPECT_EQ(window.messages, c.messages) << c.what;
  }
}

RecordedMessage Msg(unsigned m, LParam l = 0) { return {m, kId, l}; }
const int kBack = Qt::Key_Backspace, kDel = Qt::Key_Delete, kEnter = Qt::Key_Return, kEsc = Qt::Key_Escape;
// How long a key is held down where a test presses keys as a user would.
constexpr int kPressMs = 20;
}  // namespace

TEST(ValueEdit, CountField) {
  // Three digits up to 999, blank and signs refused silently.
  RunCases<CValueEdit>(
      [](CValueEdit* e) {
        e->SetupValueEdit({.intDigits = 3, .maxValue = 999});
        for (char c : {' ', '+', '-'}) e->AddRejectedChar(c);
      },
      {
          {"digit at the end", "12", 2, 2, {'3'}, "123", 3, 3, 0, {Msg(UM_VALUE_EDITED, 12)}},
          {"past the limit", "123", 3, 3, {'4'}, "123", 3, 3, 1, {Msg(UM_VALUE_EDITED, 123)}},
          {"digit inside", "12", 1, 1, {'5'}, "152", 2, 2, 0, {Msg(UM_VALUE_EDITED, 12)}},
          {"replaces all", "123", 0, 3, {'7'}, "7", 1, 1, 0, {Msg(UM_VALUE_EDITED, 0)}},
          {"point over all", "123", 0, 3, {'.'}, "", 0, 0, 1, {Msg(UM_VALUE_EDITED, 0)}},
          {"partial selection stays", "123", 0, 1, {'4'}, "123", 1, 2, 1, {Msg(UM_VALUE_EDITED, 123)}},
          {"letter", "12", 2, 2, {'a'}, "12", 2, 2, 1, {}},
          {"rejected blank", "12", 2, 2, {' '}, "12", 2, 2, 0, {}},
          {"rejected sign", "12", 0, 0, {'-'}, "12", 0, 0, 0, {}},
          {"backspace", "123", 2, 2, {kBack}, "13", 1, 1, 0, {Msg(UM_VALUE_EDITED, 13)}},
          {"backspace deletes a selection", "12345", 2, 4, {kBack}, "125", 2, 2, 0, {Msg(UM_VALUE_EDITED, 125)}},
          {"backspace at the start", "123", 0, 0, {kBack}, "123", 0, 0, 0, {Msg(UM_VALUE_EDITED, 123)}},
          {"backspace over all", "123", 0, 3, {kBack}, "", 0, 0, 0, {Msg(UM_VALUE_EDITED, 0)}},
          {"backspace over a selection at the start", "123", 0, 2, {kBack}, "3", 0, 0, 0, {Msg(UM_VALUE_EDITED, 3)}},
          {"delete", "123", 0, 0, {kDel}, "23", 0, 0, 0, {Msg(UM_VALUE_EDITED, 123)}},
          {"esc", "12", 2, 2, {kEsc}, "12", 2, 2, 0, {}},
      });
}

TEST(ValueEdit, MaximumValueAndFrequencyField) {
  RunCases<CValueEdit>([](CValueEdit* e) { e->SetupValueEdit({.intDigits = 3, .maxValue = 250}); },
                       {
                           {"within 250", "25", 2, 2, {'0'}, "250", 3, 3, 0, {Msg(UM_VALUE_EDITED, 25)}},
                           {"above 250", "26", 2, 2, {'0'}, "26", 2, 2, 1, {Msg(UM_VALUE_EDITED, 26)}},
                           {"blank not rejected", "2", 1, 1, {' '}, "2 ", 2, 2, 0, {Msg(UM_VALUE_EDITED, 2)}},
                       });
  // Four integer characters and five decimals: at most ten characters, one point.
  RunCases<CValueEdit>(
      [](CValueEdit* e) { e->SetupValueEdit({.intDigits = 4, .decimals = 5, .allowSpace = true, .nextOnEnter = true}); },
      {
          {"point", "4625", 4, 4, {'.'}, "4625.", 5, 5, 0, {Msg(UM_VALUE_EDITED, 4625)}},
          {"second point", "462.5", 5, 5, {'.'}, "462.5", 5, 5, 1, {Msg(UM_VALUE_EDITED, 462)}},
          {"eleventh character", "4625.12500", 10, 10, {'1'}, "4625.12500", 10, 10, 1,
           {Msg(UM_VALUE_EDITED, 4625)}},
          {"enter asks to move on", "1", 1, 1, {kEnter}, "1", 1, 1, 0, {Msg(UM_NEXT_CONTROL_2)}},
      });
}

TEST(ValueEdit, ExtraListsHoldTenAndAllowedCharactersPass) {
  CValueEdit edit;
  for (char c : std::string("abcdefghijkl")) edit.AddRejectedChar(c);
  EXPECT_EQ(edit.m_rejectChars, "abcdefghij");
  RunCases<CValueEdit>(
      [](CValueEdit* e) {
        e->SetupValueEdit({.intDigits = 3});
        e->AddAllowedChar('*');
      },
      {{"allowed extra", "1", 1, 1, {'*'}, "1*", 2, 2, 0, {Msg(UM_VALUE_EDITED, 1)}}});
}

TEST(ValueEdit, EnterActsAsTabWithoutNextOnEnter) {
  RecordingWindow window;
  auto* edit = new CValueEdit(&window);
  auto* next = new QLineEdit(&window);
  edit->SetupValueEdit({.intDigits = 3});
  window.show();
  QApplication::setActiveWindow(&window);
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(window.focusWidget(), next);
  EXPECT_TRUE(window.messages.empty());
}

TEST(NameEdit, DtmfDigitField) {
  auto setup = [](CNameEdit* e) {
    e->SetEditLimits(nullptr, 1);
    e->AddAllowedChar('*');
    e->AddAllowedChar('#');
    for (char c : {'e', 'f', 'E', 'F'}) e->AddRejectedChar(c);
  };
  const auto edited = std::vector<RecordedMessage>{Msg(UM_NAME_EDITED)};
  RunCases<CNameEdit>(setup, {
                                 {"digit", "", 0, 0, {'5'}, "5", 1, 1, 0, edited},
                                 {"lower hex upper-cased", "", 0, 0, {'a'}, "A", 1, 1, 0, edited},
                                 {"allowed star", "", 0, 0, {'*'}, "*", 1, 1, 0, edited},
                                 {"rejected E", "", 0, 0, {'E'}, "", 0, 0, 0, {}},
                                 {"G not allowed", "", 0, 0, {'G'}, "", 0, 0, 0, {}},
                                 {"full", "5", 1, 1, {'6'}, "5", 1, 1, 1, edited},
                                 {"full, all selected", "5", 0, 1, {'6'}, "6", 1, 1, 0, edited},
                                 {"backspace takes the last", "5", 0, 0, {kBack}, "", 0, 0, 0, edited},
                                 {"delete swallowed", "5", 0, 0, {kDel}, "5", 0, 0, 0, {}},
                             });
  RunCases<CNameEdit>([](CNameEdit* e) { e->SetEditLimits(nullptr, 8); },
                      {{"no allowed list", "12", 2, 2, {'G'}, "12", 2, 2, 1, {}},
                       {"inside", "12", 1, 1, {'f'}, "1F2", 2, 2, 0, edited}});
}

TEST(UpperEdit, TagField) {
  auto setup = [](CUpperEdit* e) {
    e->SetEditLimits(nullptr, 8);
    e->AddAllowedChar(' ');
    e->AddAllowedChar('+');
    e->AddRejectedChar('+');
  };
  const auto edited = std::vector<RecordedMessage>{Msg(UM_TEXT_EDITED)};
  RunCases<CUpperEdit>(setup, {
                                  {"upper-cased", "", 0, 0, {'a'}, "A", 1, 1, 0, edited},
                                  {"ninth character", "ABCDEFGH", 8, 8, {'I'}, "ABCDEFGH", 8, 8, 1, edited},
                                  {"allowed blank", "AB", 2, 2, {' '}, "AB ", 3, 3, 0, edited},
                                  {"rejected beats allowed", "AB", 2, 2, {'+'}, "AB", 2, 2, 1, edited},
                                  {"not acceptable", "AB", 2, 2, {'-'}, "AB", 2, 2, 1, edited},
                                  // Entered with all of it selected: a refusal leaves the tag whole.
                                  {"refused over all: !", "TAG1", 0, 4, {'!'}, "TAG1", 0, 4, 1, edited},
                                  {"refused over all: -", "TAG1", 0, 4, {'-'}, "TAG1", 0, 4, 1, edited},
                                  {"refused over all: .", "TAG1", 0, 4, {'.'}, "TAG1", 0, 4, 1, edited},
                                  {"rejected over all", "TAG1", 0, 4, {'+'}, "TAG1", 0, 4, 1, edited},
                                  {"accepted over all", "TAG1", 0, 4, {'x'}, "X", 1, 1, 0, edited},
                                  {"backspace at the start", "AB", 0, 0, {kBack}, "A", 0, 0, 0, edited},
                                  {"inserted at the caret", "AC", 1, 1, {'b'}, "ABC", 2, 2, 0, edited},
                                  {"esc swallowed", "AB", 2, 2, {kEsc}, "AB", 2, 2, 0, {}},
                              });
  RunCases<CUpperEdit>([](CUpperEdit* e) { e->SetEditLimits(nullptr, 8); },
                       {{"not ascii", "A", 1, 1, {Qt::Key_Eacute}, "A", 1, 1, 1, edited}});
}

TEST(InsertEdits, CaretMovesWithCtrlTypeNothingAndDoNotBeep) {
  const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
  const std::vector<KeyCase> cases = {
      {"ctrl+left", "1234", 4, 4, {Qt::Key_Left, ctrl}, "1234", 0, 0, 0, {}},
      {"ctrl+right", "1234", 0, 0, {Qt::Key_Right, ctrl}, "1234", 4, 4, 0, {}},
      {"ctrl+letter still types nothing", "1234", 4, 4, {'k', ctrl}, "1234", 4, 4, 1, {}},
  };
  RunCases<CValueEdit>([](CValueEdit* e) { e->SetupValueEdit({.intDigits = 4}); }, cases);
  RunCases<CUpperEdit>([](CUpperEdit* e) { e->SetEditLimits(nullptr, 8); }, cases);
}

TEST(UpperEdit, ReportsToTheNotifyWindowItWasGiven) {
  RecordingWindow page, mainDialog;
  auto* edit = new CUpperEdit(&page);
  SetControlId(edit, kId);
  edit->SetEditLimits(&mainDialog, 8);
  QTest::keyClick(edit, 'x');
  EXPECT_TRUE(page.messages.empty());
  EXPECT_EQ(mainDialog.messages, std::vector<RecordedMessage>{Msg(UM_TEXT_EDITED)});
}

TEST(FilterEdit, ClickToEditWithTheFilterOfItsMode) {
  RecordingWindow window;
  auto* edit = new CFilterEdit(&window);
  edit->m_filterMode = 1;
  edit->m_maxLength = 4;
  edit->setText("123");
  EXPECT_TRUE(edit->isReadOnly());
  EXPECT_EQ(edit->BackColor(), QApplication::palette().color(QPalette::Base));

  QTest::keyClick(edit, 'a');  // refused while showing: nothing starts
  EXPECT_EQ(edit->m_viewMode, 1);
  QTest::keyClick(edit, '5');  // accepted: editing starts and the key replaces the text
  EXPECT_EQ(edit->text(), "5");
  EXPECT_EQ(edit->m_viewMode, 0);
  EXPECT_FALSE(edit->isReadOnly());
  EXPECT_EQ(edit->BackColor(), QApplication::palette().color(QPalette::ToolTipBase));
  QTest::keyClick(edit, Qt::Key_Escape);  // puts the old text back, no commit
  EXPECT_EQ(edit->text(), "123");
  EXPECT_EQ(edit->m_viewMode, 1);
  EXPECT_EQ(edit->m_committed, 0);

  QTest::keyClick(edit, '7');
  QTest::keyClick(edit, '.');
  QTest::keyClick(edit, Qt::Key_Return);  // ends the edit with a commit
  EXPECT_EQ(edit->text(), "7.");
  EXPECT_EQ(edit->m_committed, 1);
  EXPECT_EQ(edit->m_viewMode, 1);

  edit->m_committed = 0;
  edit->setText("123456");
  QTest::keyClick(edit, Qt::Key_Return);  // Enter while showing starts editing, cut to the limit
  EXPECT_EQ(edit->text(), "1234");
  EXPECT_EQ(edit->m_viewMode, 0);
  QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
  QApplication::sendEvent(edit, &out);  // leaving the box commits as Enter does
  EXPECT_EQ(edit->m_committed, 1);
  EXPECT_EQ(edit->m_viewMode, 1);
  EXPECT_FALSE(edit->hasSelectedText());

  QTest::mouseDClick(edit, Qt::LeftButton);
  EXPECT_EQ(edit->m_viewMode, 0);
  EXPECT_TRUE(window.messages.empty());
}

TEST(CharacterFilters, ModesAcceptTheirCharacters) {
  struct Case {
    int mode;
    const char* accepted;
    const char* refused;
  } filter[] = {
      {1, "09. ", "a-+"},      {2, "09 -+", ".a"},        {3, "09ABCDabcd#*", "Ee"},
      {4, "aZ0-()", "!\"#$%&',.;<>?@^{|}~"},               {5, "09. -+", "a"},
      {6, "09 ", ".a"},        {7, "09AFaf", "Gg."},      {8, "09", " ."},
      {42, "a!~", ""},
  };
  for (const auto& c : filter) {
    for (const char* p = c.accepted; *p; ++p) EXPECT_TRUE(FilterEditAccepts(c.mode, *p, 0)) << c.mode << *p;
    for (const char* p = c.refused; *p; ++p) EXPECT_FALSE(FilterEditAccepts(c.mode, *p, 0)) << c.mode << *p;
  }
  // Mode 9: a letter C..N in the second place, digits elsewhere.
  EXPECT_TRUE(FilterEditAccepts(9, 'n', 1));
  EXPECT_FALSE(FilterEditAccepts(9, 'B', 1));
  EXPECT_FALSE(FilterEditAccepts(9, '5', 1));
  EXPECT_TRUE(FilterEditAccepts(9, '5', 0));
  EXPECT_FALSE(FilterEditAccepts(9, 'D', 2));

  Case fiveTone[] = {
      {0, "aZ0-", "!,#%&.;~"}, {1, "0. ", "a"}, {2, "09ABCDEabcde", "Ff "}, {3, "09AFaf", "Gg"},
      {6, "09aZ ", ".-"},      {7, "09", "a "},  {99, "!~", ""},
  };
  for (const auto& c : fiveTone) {
    for (const char* p = c.accepted; *p; ++p) EXPECT_TRUE(FiveToneEditAccepts(c.mode, *p)) << c.mode << *p;
    for (const char* p = c.refused; *p; ++p) EXPECT_FALSE(FiveToneEditAccepts(c.mode, *p)) << c.mode << *p;
  }
  EXPECT_EQ(FilterFiveToneDigitChar('\b'), '\b');
  EXPECT_EQ(FilterFiveToneDigitChar('e'), 'e');
  EXPECT_EQ(FilterFiveToneDigitChar('F'), 0);
  EXPECT_EQ(FilterAlnumSpaceChar(' '), ' ');
  EXPECT_EQ(FilterAlnumSpaceChar('-'), 0);
}

TEST(FiveToneEdit, DropsWhatItsModeRefuses) {
  CFiveToneEdit edit;
  edit.m_inputMode = 2;
  QTest::keyClicks(&edit, "1A fE9#");
  EXPECT_EQ(edit.text(), "1AE9");
  QTest::keyClick(&edit, Qt::Key_Backspace);
  EXPECT_EQ(edit.text(), "1AE");
}

// A paste (Ctrl+V or Shift+Insert) types the clipboard's characters one by
// one: what a keystroke refuses, the paste refuses, with the beep where
// typing beeps.
TEST(FilteringEdits, PasteMeetsTheFilterOfTyping) {
  const auto frequency = [](QWidget* p) {
    auto* e = new CValueEdit(p);
    e->SetupValueEdit({.intDigits = 4, .decimals = 5, .allowSpace = true, .nextOnEnter = true});
    for (char c : {' ', '+', '-'}) e->AddRejectedChar(c);
    return e;
  };
  const auto tag = [](QWidget* p) {
    auto* e = new CUpperEdit(p);
    e->SetEditLimits(nullptr, 8);
    e->AddAllowedChar(' ');
    return e;
  };
  const auto hex = [](QWidget* p) {
    auto* e = new CNameEdit(p);
    e->SetEditLimits(nullptr, 4);
    return e;
  };
  const auto filter = [](QWidget* p) {
    auto* e = new CFilterEdit(p);
    e->m_filterMode = 1;
    e->m_maxLength = 4;
    return e;
  };
  const auto fiveTone = [](QWidget* p) {
    auto* e = new CFiveToneEdit(p);
    e->m_inputMode = 7;
    return e;
  };
  const Key ctrlV{Qt::Key_V, Qt::ControlModifier}, shiftInsert{Qt::Key_Insert, Qt::ShiftModifier};
  struct Case {
    const char* what;
    std::function<QLineEdit*(QWidget*)> make;
    QString text;
    QString clipboard;
    Key key;
    QString expect;
    int beeps;
  } cases[] = {
      {"a frequency over a selected cell", frequency, "450.00000", "460.0125", ctrlV, "460.0125", 0},
      {"a copied line", frequency, "450.00000", "460.0125\r\n", shiftInsert, "460.0125", 0},
      {"a letter beeps", frequency, "", "46a0", ctrlV, "460", 1},
      {"a rejected sign is dropped", frequency, "", "-460", ctrlV, "460", 0},
      {"a second point beeps", frequency, "", "46.0.1", ctrlV, "46.01", 1},
      {"past the length", frequency, "", "460.0125000", ctrlV, "460.012500", 1},
      {"a tab beeps", frequency, "", "4\t6", ctrlV, "46", 1},
      {"a tag upper-cased", tag, "", "ab c-d", ctrlV, "AB CD", 1},
      {"a tag past its length", tag, "", "ABCDEFGHIJ", shiftInsert, "ABCDEFGH", 2},
      {"hex digits", hex, "", "1g2f", ctrlV, "12F", 1},
      {"a click-to-edit box starts editing", filter, "123", "4.5x", ctrlV, "4.5", 0},
      {"a 5-Tone digit edit", fiveTone, "", "12a3", ctrlV, "123", 0},
  };
  for (const Case& c : cases) {
    QWidget window;
    QLineEdit* edit = c.make(&window);
    window.show();
    QApplication::setActiveWindow(&window);
    edit->setFocus();
    edit->setText(c.text);
    edit->selectAll();  // as a cell is entered
    QGuiApplication::clipboard()->setText(c.clipboard);
    BeepCounter beeps;
    QTest::keyClick(edit, static_cast<Qt::Key>(c.key.code), c.key.mods, kPressMs);
    EXPECT_EQ(edit->text(), c.expect) << c.what;
    EXPECT_EQ(beeps.count(), c.beeps) << c.what;
  }
  QGuiApplication::clipboard()->clear();
}

TEST(FilterEdits, KeysTheyDoNotUseReachTheDialog) {
  // Esc cancels and Enter presses the default button, unless the edit takes
  // the key itself (Esc while a click-to-edit box is editing).
  struct Case {
    const char* what;
    std::function<QLineEdit*(QWidget*)> make;
    std::vector<int> keys;
    int result;  // the dialog's result; -1 still open
    bool defaultButton = true;
  };
  const auto upper = [](QWidget* p) {
    auto* e = new CUpperEdit(p);
    e->SetEditLimits(nullptr, 8);
    return e;
  };
  const auto name = [](QWidget* p) {
    auto* e = new CNameEdit(p);
    e->SetEditLimits(nullptr, 4);
    return e;
  };
  const auto value = [](QWidget* p) {
    auto* e = new CValueEdit(p);
    e->SetupValueEdit({.intDigits = 3, .maxValue = 999});
    return e;
  };
  const Case cases[] = {
      {"5-Tone edit, Esc", [](QWidget* p) { return new CFiveToneEdit(p); }, {kEsc}, QDialog::Rejected},
      {"5-Tone edit, Enter", [](QWidget* p) { return new CFiveToneEdit(p); }, {kEnter}, QDialog::Accepted},
      {"filter edit showing, Esc", [](QWidget* p) { return new CFilterEdit(p); }, {kEsc}, QDialog::Rejected},
      {"filter edit editing, Esc", [](QWidget* p) { return new CFilterEdit(p); }, {'5', kEsc}, -1},
      {"filter edit, second Esc", [](QWidget* p) { return new CFilterEdit(p); }, {'5', kEsc, kEsc}, QDialog::Rejected},
      // The edits that turn Enter into Tab and swallow Esc on a page leave
      // both to a dialog box (the radio password): the first Enter is OK.
      {"upper edit, Enter", upper, {'a', 'b', kEnter}, QDialog::Accepted},
      {"upper edit, Esc", upper, {'a', kEsc}, QDialog::Rejected},
      {"name edit, Enter", name, {'1', kEnter}, QDialog::Accepted},
      {"name edit, Esc", name, {kEsc}, QDialog::Rejected},
      {"value edit, Enter", value, {'7', kEnter}, QDialog::Accepted},
      {"value edit, Esc", value, {'7', kEsc}, QDialog::Rejected},
      {"upper edit without a default button, Enter", upper, {'a', kEnter}, -1, false},
      {"value edit without a default button, Esc", value, {kEsc}, -1, false},
  };
  for (const auto& c : cases) {
    QDialog dialog;
    QLineEdit* edit = c.make(&dialog);
    if (auto* f = dynamic_cast<CFilterEdit*>(edit)) f->m_filterMode = 1;
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setAutoDefault(false);
    ok->setDefault(c.defaultButton);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    int result = -1;
    QObject::connect(&dialog, &QDialog::finished, [&result](int r) { result = r; });
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    edit->setFocus();
    for (int k : c.keys) {
      if (k < 0x80)
        QTest::keyClick(edit, static_cast<char>(k), Qt::NoModifier, kPressMs);
      else
        QTest::keyClick(edit, static_cast<Qt::Key>(k), Qt::NoModifier, kPressMs);
    }
    EXPECT_EQ(result, c.result) << c.what;
    if (c.result == -1 && c.keys.back() == kEnter) {
      EXPECT_EQ(dialog.focusWidget(), ok) << c.what << ": Enter moves on";
    }
  }
}
