#include "framework/EditControls.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/Beep.h"
#include "platform/ControlIds.h"

namespace {
bool IsDigit(int c) { return c >= '0' && c <= '9'; }
bool IsAsciiLetter(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsPrintableAscii(int c) { return c >= 0x20 && c < 0x7F; }
bool OneOf(int c, const char* set) { return c > 0 && c < 0x80 && std::strchr(set, c) != nullptr; }
bool InList(const std::string& list, QChar c) { return c.unicode() < 0x80 && list.find(char(c.unicode())) != std::string::npos; }

void AddToList(std::string& list, char c) {
  // Each list holds at most 10 characters; later ones are ignored.
  if (list.size() < 10) list.push_back(c);
}

// The leading number of a text, as the C library reads it.
int Atoi(const QString& text) {
  int i = 0;
  const int n = static_cast<int>(text.size());
  while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long v = 0;
  while (i < n && IsDigit(text[i].unicode())) {
    v = std::min<long long>(v * 10 + (text[i++].unicode() - '0'), INT_MAX);
  }
  return static_cast<int>(negative ? -v : v);
}

enum class KeyKind { kPassOn, kBlocked, kBackspace, kDelete, kChar, kPaste };

// What a key press means to a filtering edit. Copy and select-all change no
// text and pass; paste is typed through the filter; every other editing
// shortcut (cut, undo) would go around the filter and is blocked.
KeyKind Classify(const QKeyEvent* e, QChar* typed) {
  switch (e->key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr:
      return KeyKind::kPassOn;  // a modifier on its own types nothing
    default:
      break;
  }
  if (e->matches(QKeySequence::Copy) || e->matches(QKeySequence::SelectAll)) return KeyKind::kPassOn;
  if (e->matches(QKeySequence::Paste)) return KeyKind::kPaste;
  if (e->matches(QKeySequence::Cut) || e->matches(QKeySequence::Undo) || e->matches(QKeySequence::Redo))
    return KeyKind::kBlocked;
  // Enter and Esc type nothing; the window around the edit acts on them.
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Escape) return KeyKind::kPassOn;
  if (e->key() == Qt::Key_Backspace) return KeyKind::kBackspace;
  if (e->key() == Qt::Key_Delete) return KeyKind::kDelete;
  const QString t = e->text();
  // Ctrl with a letter is a shortcut that could edit; with a movement key
  // (no text) it only moves the caret.
  if (e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return t.isEmpty() ? KeyKind::kPassOn : KeyKind::kBlocked;
  if (t.size() == 1 && t[0].isPrint()) {
    *typed = t[0];
    return KeyKind::kChar;
  }
  return t.isEmpty() ? KeyKind::kPassOn : KeyKind::kBlocked;
}

// Pasted text arrives as if typed, one character at a time, so each one
// meets the edit's own filter (and the page's reaction to a keystroke). A
// copied line's end is no part of the value.
void TypeClipboard(QLineEdit* edit) {
  QString text = QGuiApplication::clipboard()->text();
  while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r'))) text.chop(1);
  const QPointer<QLineEdit> alive(edit);
  for (const QChar c : text) {
    // A keystroke that took the focus away (a message) ends the paste.
    if (alive.isNull() || !alive->hasFocus()) return;
    // Printable ASCII has the key code of its upper-case form.
    const int key = c.unicode() < 0x80 ? c.toUpper().unicode() : 0;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(edit, &press);
  }
}

// Keeps text out of a filtering edit except by typing.
class PasteGuard : public QObject {
public:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease)
      return static_cast<QMouseEvent*>(e)->button() == Qt::MiddleButton;
    return false;
  }
};

void TypedInputOnly(QLineEdit* edit) {
  static PasteGuard guard;
  edit->setContextMenuPolicy(Qt::NoContextMenu);
  edit->setAcceptDrops(false);
  edit->setDragEnabled(false);
  edit->setAttribute(Qt::WA_InputMethodEnabled, false);
  edit->installEventFilter(&guard);
}

bool IsEnter(const QKeyEvent* e) { return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter; }

int GetSelStart(const QLineEdit* e) { return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition(); }

// In a dialog box Enter presses its default button and Esc cancels, as in
// every dialog of the program. The edits' own Enter and Esc rules are for
// the pages and the main window, which have no default button.
bool DialogTakesKey(const QWidget* edit, const QKeyEvent* e) {
  if (!IsEnter(e) && e->key() != Qt::Key_Escape) return false;
  const auto* dialog = qobject_cast<const QDialog*>(edit->window());
  if (dialog == nullptr) return false;
  const QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>();
  return std::any_of(buttons.begin(), buttons.end(), [](const QPushButton* b) { return b->isDefault() && b->isVisible(); });
}
}  // namespace

// ---- Character filters ----

int FilterFiveToneDigitChar(int c) { return (c == '\b' || IsDigit(c) || OneOf(c, "ABCDEabcde")) ? c : 0; }

int FilterAlnumSpaceChar(int c) { return (c == '\b' || IsDigit(c) || IsAsciiLetter(c) || c == ' ') ? c : 0; }

bool FilterEditAccepts(int mode, int c, int pos) {
  switch (mode) {
    case 1: return IsDigit(c) || c == '.' || c == ' ';
    case 2: return IsDigit(c) || c == ' ' || c == '-' || c == '+';
    case 3: return IsDigit(c) || OneOf(c, "ABCDabcd#*");
    case 4: return IsPrintableAscii(c) && !OneOf(c, "!\"#$%&',.;<>?@^{|}~");
    case 5: return IsDigit(c) || OneOf(c, ". -+");
    case 6: return IsDigit(c) || c == ' ';
    case 7: return IsDigit(c) || OneOf(c, "ABCDEFabcdef");
    case 8: return IsDigit(c);
    case 9: return pos == 1 ? ((c >= 'C' && c <= 'N') || (c >= 'c' && c <= 'n')) : IsDigit(c);
    default: return true;
  }
}

bool FiveToneEditAccepts(int mode, int c) {
  switch (mode) {
    case 0:
    case 5: return IsPrintableAscii(c) && !OneOf(c, "!,#%&.;~");
    case 1:
    case 4: return IsDigit(c) || c == '.' || c == ' ';
    case 2: return FilterFiveToneDigitChar(c) != 0;
    case 3: return IsDigit(c) || OneOf(c, "ABCDEFabcdef");
    case 6: return FilterAlnumSpaceChar(c) != 0;
    case 7: return IsDigit(c);
    default: return true;
  }
}

// ---- CColorEdit, CNotifyEdit, CFilterEdit ----

CColorEdit::CColorEdit(QWidget* parent) : QLineEdit(parent) { SetViewColors(); }

void CColorEdit::SetColors(const QColor& text, const QColor& back) {
  textColor_ = text;
  backColor_ = back;
  QPalette p = palette();
  p.setColor(QPalette::Text, text);
  p.setColor(QPalette::Base, back);
  setPalette(p);
}

void CColorEdit::SetEditColors() {
  const QPalette system = QApplication::palette();
  SetColors(system.color(QPalette::WindowText), system.color(QPalette::ToolTipBase));
}

void CColorEdit::SetViewColors() {
  const QPalette system = QApplication::palette();
  SetColors(system.color(QPalette::WindowText), system.color(QPalette::Base));
}

void CColorEdit::EnterEditMode() {
  setEnabled(true);
  setReadOnly(false);
  SetEditColors();
}

void CColorEdit::LeaveEditMode() {
  setEnabled(true);
  setReadOnly(true);
  SetViewColors();
}

CNotifyEdit::CNotifyEdit(QWidget* parent) : CColorEdit(parent) { LeaveEditMode(); }

void CNotifyEdit::StartEditing() {
  shownMaxLength_ = maxLength();
  if (m_maxLength > 0) setMaxLength(m_maxLength);  // also cuts the text
  selectAll();
  m_viewMode = 0;
  m_committed = 0;
  EnterEditMode();
}

void CNotifyEdit::Toggle() {
  if (m_viewMode == 0) {
    selectAll();
    m_viewMode = 1;
    m_committed = 1;
    LeaveEditMode();
  } else {
    StartEditing();
  }
}

bool CNotifyEdit::PreviewKey(QKeyEvent* event) {
  if (IsEnter(event)) Toggle();
  return false;  // Enter goes on; the page swallows it
}

void CNotifyEdit::mouseDoubleClickEvent(QMouseEvent* event) {
  CColorEdit::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton) Toggle();
}

void CNotifyEdit::focusOutEvent(QFocusEvent* event) {
  if (m_viewMode == 0) {
    m_viewMode = 1;
    m_committed = 1;
    LeaveEditMode();
  }
  deselect();
  CColorEdit::focusOutEvent(event);
}

CFilterEdit::CFilterEdit(QWidget* parent) : CNotifyEdit(parent) { TypedInputOnly(this); }

void CFilterEdit::Toggle() {
  if (m_viewMode == 1) m_savedText = text();
  CNotifyEdit::Toggle();
}

bool CFilterEdit::PreviewKey(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && m_viewMode == 0) {
    setMaxLength(shownMaxLength_);  // the typing limit would cut the text put back
    setText(m_savedText);
    selectAll();
    m_viewMode = 1;  // no commit: the owner keeps its value
    LeaveEditMode();
    return true;
  }
  return CNotifyEdit::PreviewKey(event);
}

void CFilterEdit::keyPressEvent(QKeyEvent* event) {
  QChar c;
  const KeyKind kind = Classify(event, &c);
  if (kind == KeyKind::kPaste) return TypeClipboard(this);
  if (kind == KeyKind::kBlocked) return;
  if (kind == KeyKind::kChar && !FilterEditAccepts(m_filterMode, c.unicode(), GetSelStart(this))) return;
  if ((kind == KeyKind::kChar || kind == KeyKind::kBackspace) && m_viewMode == 1) {
    // The first accepted character starts editing and replaces the text.
    m_savedText = text();
    StartEditing();
  }
  CNotifyEdit::keyPressEvent(event);
}

// ---- CInsertEdit ----

CInsertEdit::CInsertEdit(QWidget* parent) : QLineEdit(parent) { TypedInputOnly(this); }

CInsertEdit::Selection CInsertEdit::GetSel() const {
  if (hasSelectedText()) return {selectionStart(), selectionEnd()};
  return {cursorPosition(), cursorPosition()};
}

QString CInsertEdit::WorkedText(const Selection& sel) const {
  const QString t = text();
  return (sel.start == 0 && sel.end >= t.size()) ? QString() : t;
}

void CInsertEdit::Select(int start, int end) {
  const int len = static_cast<int>(text().size());
  const int s = std::clamp(start, 0, len);
  const int e = std::clamp(end, 0, len);
  if (s == e)
    setCursorPosition(s);
  else
    setSelection(s, e - s);
}

void CInsertEdit::CommonTail(const QString& t, const Selection& sel) {
  setText(t);
  Select(sel.start + 1, sel.end + 1);
}

void CInsertEdit::RemoveLastChar() {
  const Selection sel = GetSel();
  QString t = text();
  if (!t.isEmpty()) t.chop(1);
  setText(t);
  Select(sel.start, sel.end);
}

void CInsertEdit::SendTab() {
  QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
  QCoreApplication::sendEvent(this, &tab);
}

QWidget* CInsertEdit::NotifyWindow() {
  if (m_notifyWnd.isNull()) m_notifyWnd = NotifyTargetOf(this);
  return m_notifyWnd;
}

void CInsertEdit::Notify(unsigned msg, LParam lParam) {
  SendUserMessage(NotifyWindow(), msg, static_cast<WParam>(ControlId(this)), lParam);
}

void CInsertEdit::keyPressEvent(QKeyEvent* event) {
  QChar c;
  switch (Classify(event, &c)) {
    case KeyKind::kPassOn:
      QLineEdit::keyPressEvent(event);
      return;
    case KeyKind::kBlocked:
      MessageBeep();
      return;
    case KeyKind::kPaste:
      TypeClipboard(this);
      return;
    case KeyKind::kBackspace:
      OnBackspace();
      return;
    case KeyKind::kDelete:
      OnDelete(event);
      return;
    case KeyKind::kChar:
      OnChar(c);
      return;
  }
}

// ---- CValueEdit ----

CValueEdit::CValueEdit(QWidget* parent) : CInsertEdit(parent) {}

void CValueEdit::SetupValueEdit(const ValueEditSettings& settings) {
  m_notifyWnd = settings.notifyWnd;
  m_intDigits = settings.intDigits;
  m_decimals = settings.decimals;
  m_insertMode = settings.insertMode;
  m_commitOnEnter = settings.commitOnEnter;
  m_allowSign = settings.allowSign;
  m_allowSpace = settings.allowSpace;
  m_maxValue = settings.maxValue;
  m_nextOnEnter = settings.nextOnEnter;
}

void CValueEdit::AddRejectedChar(char c) { AddToList(m_rejectChars, c); }
void CValueEdit::AddAllowedChar(char c) { AddToList(m_allowChars, c); }

void CValueEdit::OnChar(QChar ch) {
  const Selection sel = GetSel();
  QString t = WorkedText(sel);
  const int before = Atoi(t);
  const bool hasPoint = t.contains('.');
  const int c = ch.unicode();
  if (!IsDigit(c) && !InList(m_allowChars, ch) && !OneOf(c, ".+- ")) {
    MessageBeep();
    return;
  }
  if (InList(m_rejectChars, ch)) return;
  const int limit = m_intDigits + (m_decimals != 0 ? m_decimals + 1 : 0);
  if (t.size() >= limit || (c == '.' && (m_decimals == 0 || hasPoint))) {
    MessageBeep();
  } else {
    const QString candidate = t.left(sel.start) + ch + t.mid(sel.start);
    if (m_maxValue > 0 && Atoi(candidate) > m_maxValue)
      MessageBeep();
    else
      t = candidate;
  }
  CommonTail(t, sel);
  Notify(UM_VALUE_EDITED, before);
}

void CValueEdit::OnBackspace() {
  const Selection sel = GetSel();
  QString t = text();
  if (sel.end > sel.start) {
    // A selection goes as a whole, as in any edit: a cell entered with its
    // text selected is cleared.
    t.remove(sel.start, sel.end - sel.start);
    setText(t);
    Select(sel.start, sel.start);
  } else if (!t.isEmpty() && sel.start > 0) {
    t.remove(sel.start - 1, 1);
    setText(t);
    Select(sel.start - 1, sel.start - 1);
  }
  Notify(UM_VALUE_EDITED, Atoi(text()));
}

void CValueEdit::OnDelete(QKeyEvent* event) {
  const int before = Atoi(text());
  QLineEdit::keyPressEvent(event);
  Notify(UM_VALUE_EDITED, before);
}

bool CValueEdit::PreviewKey(QKeyEvent* event) {
  if (DialogTakesKey(this, event)) return false;
  if (IsEnter(event)) {
    if (m_nextOnEnter)
      Notify(UM_NEXT_CONTROL_2, 0);
    else
      SendTab();
    return true;
  }
  return event->key() == Qt::Key_Escape;
}

// ---- CNameEdit and CUpperEdit ----

CTextLimitEdit::CTextLimitEdit(QWidget* parent, unsigned editedMessage)
    : CInsertEdit(parent), editedMessage_(editedMessage) {}

void CTextLimitEdit::SetEditLimits(QWidget* notifyWnd, int maxLength) {
  m_notifyWnd = notifyWnd;
  m_maxLength = maxLength;
}
void CTextLimitEdit::AddAllowedChar(char c) { AddToList(m_allowChars, c); }
void CTextLimitEdit::AddRejectedChar(char c) { AddToList(m_rejectChars, c); }

QString CTextLimitEdit::LongestText() const {
  const QFontMetrics fm = fontMetrics();
  QChar widest;
  int width = -1;
  // A lower-case letter shows as its capital, which is measured instead.
  for (char c = ' '; c < 0x7F; ++c) {
    if (c >= 'a' && c <= 'z') continue;
    const QChar ch = QLatin1Char(c);
    if (!Takes(ch) || fm.horizontalAdvance(ch) <= width) continue;
    widest = ch;
    width = fm.horizontalAdvance(ch);
  }
  return width < 0 ? QString() : QString(m_maxLength, widest);
}

void CTextLimitEdit::OnBackspace() {
  RemoveLastChar();
  Notify(editedMessage_, 0);
}

bool CTextLimitEdit::PreviewKey(QKeyEvent* event) {
  if (DialogTakesKey(this, event)) return false;
  if (IsEnter(event)) {
    SendTab();
    return true;
  }
  return event->key() == Qt::Key_Escape || event->key() == Qt::Key_Delete;
}

CNameEdit::CNameEdit(QWidget* parent) : CTextLimitEdit(parent, UM_NAME_EDITED) {}

namespace {
bool IsHexDigit(int c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
}  // namespace

bool CNameEdit::Takes(QChar ch) const {
  return IsHexDigit(ch.unicode()) ? !InList(m_rejectChars, ch) : InList(m_allowChars, ch);
}

void CNameEdit::OnChar(QChar ch) {
  const Selection sel = GetSel();
  QString t = WorkedText(sel);
  const bool hex = IsHexDigit(ch.unicode());
  if (!Takes(ch)) {
    // Only an edit that takes nothing but hexadecimal digits beeps.
    if (!hex && m_allowChars.empty()) MessageBeep();
    return;
  }
  if (hex) ch = ch.toUpper();
  const QString candidate = t.left(sel.start) + ch + t.mid(sel.start);
  if (sel.start < m_maxLength && candidate.size() <= m_maxLength)
    t = candidate;
  else
    MessageBeep();
  CommonTail(t, sel);
  Notify(UM_NAME_EDITED, 0);
}

CUpperEdit::CUpperEdit(QWidget* parent) : CTextLimitEdit(parent, UM_TEXT_EDITED) {}

bool CUpperEdit::Takes(QChar ch) const {
  const int c = ch.unicode();
  // Only ASCII letters: the radio's display and data hold nothing else.
  return (IsDigit(c) || IsAsciiLetter(c) || InList(m_allowChars, ch)) && !InList(m_rejectChars, ch);
}

void CUpperEdit::OnChar(QChar ch) {
  const Selection sel = GetSel();
  QString t = WorkedText(sel);
  if (t.size() < m_maxLength && Takes(ch)) {
    CommonTail(t.left(sel.start) + ch.toUpper() + t.mid(sel.start), sel);
  } else {
    // Refused: the text and its selection stay as they were (a tag entered
    // with all of it selected would otherwise be emptied).
    MessageBeep();
  }
  Notify(UM_TEXT_EDITED, 0);
}

// ---- CFiveToneEdit ----

CFiveToneEdit::CFiveToneEdit(QWidget* parent) : QLineEdit(parent) { TypedInputOnly(this); }

void CFiveToneEdit::keyPressEvent(QKeyEvent* event) {
  QChar c;
  const KeyKind kind = Classify(event, &c);
  if (kind == KeyKind::kPaste) return TypeClipboard(this);
  if (kind == KeyKind::kBlocked) return;
  if (kind == KeyKind::kChar && !FiveToneEditAccepts(m_inputMode, c.unicode())) return;
  QLineEdit::keyPressEvent(event);
}

namespace {

// Set while an edit that took the focus still waits for its selection.
constexpr char kSelectionPending[] = "rp58SelectionPending";

void SelectIfPending(QLineEdit* edit) {
  if (!edit->property(kSelectionPending).toBool()) return;
  edit->setProperty(kSelectionPending, false);
  // Only while it still has the focus: a commit may have greyed it and sent
  // the focus on, and a selection would then mark an edit nobody types in.
  if (edit->hasFocus()) edit->selectAll();
}

}  // namespace

void SelectAllOnEntry(QObject* watched, QEvent* event) {
  auto* edit = qobject_cast<QLineEdit*>(watched);
  if (edit == nullptr) return;
  switch (event->type()) {
    case QEvent::FocusIn:
      // After the event: the click that brings the focus puts the caret
      // where it lands once the focus is in.
      edit->setProperty(kSelectionPending, true);
      QTimer::singleShot(0, edit, [edit] { SelectIfPending(edit); });
      break;
    case QEvent::KeyPress:
    case QEvent::MouseButtonRelease:
      // The user's next step finds the text selected, however soon it
      // comes; and once it has, a late selection must not take what was typed.
      SelectIfPending(edit);
      break;
    case QEvent::MouseMove:
      // A drag selects what the user marks.
      if (static_cast<QMouseEvent*>(event)->buttons() != Qt::NoButton) edit->setProperty(kSelectionPending, false);
      break;
    case QEvent::FocusOut:
      edit->setProperty(kSelectionPending, false);
      break;
    default:
      break;
  }
}
