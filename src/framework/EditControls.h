#pragma once
// The entry fields of the pages and dialogs. Each filters what is typed
// itself, rewrites its text, keeps the caret where the user expects it,
// beeps on refused input and, for three of them, reports every change to
// its notify window with a user message (wParam = its control number).
// Text arrives only through the filters: a paste (Ctrl+V, Shift+Insert) is
// typed character by character; no context menu, drops or middle-click
// paste slip past them.
#include <QColor>
#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <string>

#include "platform/KeyPreview.h"
#include "platform/UserMessages.h"

// ---- Character filters, shared by the filter edits and the 5-Tone pages. ----
// Backspace or a digit: c; one of "ABCDEabcde": c; else 0.
int FilterFiveToneDigitChar(int c);
// Backspace, a digit, a letter or the space: c; else 0.
int FilterAlnumSpaceChar(int c);
// Whether a CFilterEdit in `mode` takes `c` typed at selection start `pos`.
bool FilterEditAccepts(int mode, int c, int pos);
// Whether a CFiveToneEdit in `mode` takes `c`.
bool FiveToneEditAccepts(int mode, int c);

// For a page's event filter: a line edit being entered selects its whole
// text, at the latest before the user's next key or mouse release reaches
// it, so typing replaces it.
void SelectAllOnEntry(QObject* watched, QEvent* event);

// An edit with text and background colours of its own.
class CColorEdit : public QLineEdit, public KeyPreview {
public:
  explicit CColorEdit(QWidget* parent = nullptr);
  void SetColors(const QColor& text, const QColor& back);
  // Editing: window text on the tooltip background. Showing: the window colours.
  void SetEditColors();
  void SetViewColors();
  void EnterEditMode();
  void LeaveEditMode();
  QColor TextColor() const { return textColor_; }
  QColor BackColor() const { return backColor_; }
  bool PreviewKey(QKeyEvent*) override { return false; }

private:
  QColor textColor_;
  QColor backColor_;
};

// A click-to-edit box: showing (read-only) until Enter or a double-click,
// then editing until Enter, a double-click or losing the focus, which sets
// m_committed for the owner to pick up (and clear).
class CNotifyEdit : public CColorEdit {
public:
  explicit CNotifyEdit(QWidget* parent = nullptr);
  bool PreviewKey(QKeyEvent* event) override;

  unsigned char m_viewMode = 1;   // 1 showing, 0 editing
  unsigned char m_committed = 0;  // an edit ended; the owner clears it
  int m_maxLength = 0;            // set by the owner before use

protected:
  virtual void Toggle();
  void StartEditing();
  int shownMaxLength_ = 32767;  // the length limit outside an edit
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};

// A click-to-edit box that also starts editing with the first accepted
// character, filters by m_filterMode, and puts the old text back on Esc.
class CFilterEdit : public CNotifyEdit {
public:
  explicit CFilterEdit(QWidget* parent = nullptr);
  bool PreviewKey(QKeyEvent* event) override;

  QString m_savedText;
  int m_filterMode = 0;

protected:
  void Toggle() override;
  void keyPressEvent(QKeyEvent* event) override;
};

// Shared by the three edits that insert characters themselves.
class CInsertEdit : public QLineEdit, public KeyPreview {
public:
  explicit CInsertEdit(QWidget* parent);

protected:
  struct Selection {
    int start;
    int end;
  };
  Selection GetSel() const;
  // The text a typed character works on: empty when all of it is selected.
  QString WorkedText(const Selection& sel) const;
  // Sets the text and moves the selection one place on.
  void CommonTail(const QString& text, const Selection& sel);
  void Select(int start, int end);
  // Removes the last character wherever the caret is, keeping the selection.
  void RemoveLastChar();
  void SendTab();
  void Notify(unsigned msg, LParam lParam);
  QWidget* NotifyWindow();

  // A typed character (printable, or a control character such as Ctrl+V).
  virtual void OnChar(QChar c) = 0;
  virtual void OnBackspace() = 0;
  virtual void OnDelete(QKeyEvent* event) = 0;
  void keyPressEvent(QKeyEvent* event) override;

  QPointer<QWidget> m_notifyWnd;  // null: the window around the control, found at the first keystroke
};

// How a value edit takes its number; callers name what they set
// (`{.intDigits = 3, .maxValue = 250}`) and leave the rest.
struct ValueEditSettings {
  QWidget* notifyWnd = nullptr;  // null: the window around the control
  int intDigits = 0;
  int decimals = 0;
  bool insertMode = true;
  bool commitOnEnter = false;
  bool allowSign = false;
  bool allowSpace = false;
  int maxValue = 0;  // 0 = no limit
  bool nextOnEnter = false;
};

// Numbers: up to m_intDigits characters, or m_intDigits + 1 + m_decimals with
// decimals, and at most m_maxValue (0 = no limit). Enter moves on, Esc does
// nothing, except in a dialog box with a default button (OK, Cancel).
class CValueEdit : public CInsertEdit {
public:
  explicit CValueEdit(QWidget* parent = nullptr);
  void SetupValueEdit(const ValueEditSettings& settings);
  // Characters refused without a beep; at most 10.
  void AddRejectedChar(char c);
  void AddIgnoredChar(char c) { AddRejectedChar(c); }
  // Extra characters accepted besides the digits and ". + - space"; at most 10.
  void AddAllowedChar(char c);
  bool PreviewKey(QKeyEvent* event) override;

  int m_intDigits = 0;
  int m_decimals = 0;
  unsigned char m_insertMode = 1;
  unsigned char m_commitOnEnter = 0;
  unsigned char m_allowSign = 0;
  unsigned char m_allowSpace = 0;
  int m_maxValue = 0;
  unsigned char m_nextOnEnter = 0;
  std::string m_rejectChars;
  std::string m_allowChars;

protected:
  void OnChar(QChar c) override;
  void OnBackspace() override;
  void OnDelete(QKeyEvent* event) override;
};

// The text fields: at most m_maxLength characters, up to 10 extra allowed
// and 10 rejected characters. Backspace removes the last character wherever
// the caret is; Enter moves on like Tab; Esc and Delete do nothing. In a
// dialog box with a default button Enter and Esc are the dialog's (OK, Cancel).
class CTextLimitEdit : public CInsertEdit {
public:
  // The owner's notify window (null: the window around the control) and the limit.
  void SetEditLimits(QWidget* notifyWnd, int maxLength);
  void AddAllowedChar(char c);
  void AddRejectedChar(char c);
  bool PreviewKey(QKeyEvent* event) override;
  // The widest text the edit takes: its limit in the widest character it
  // accepts at its font, which the page makes room for.
  QString LongestText() const;

  int m_maxLength = 0;
  std::string m_allowChars;
  std::string m_rejectChars;

protected:
  CTextLimitEdit(QWidget* parent, unsigned editedMessage);
  // Whether a typed c ends up in the text (as its upper case).
  virtual bool Takes(QChar c) const = 0;
  void OnBackspace() override;
  void OnDelete(QKeyEvent*) override {}
  const unsigned editedMessage_;
};

// Hexadecimal digits (upper-cased) plus the allowed characters; reports
// UM_NAME_EDITED.
class CNameEdit : public CTextLimitEdit {
public:
  explicit CNameEdit(QWidget* parent = nullptr);

protected:
  bool Takes(QChar c) const override;
  void OnChar(QChar c) override;
};

// Letters and digits (upper-cased) plus the allowed characters, less the
// rejected ones; reports UM_TEXT_EDITED.
class CUpperEdit : public CTextLimitEdit {
public:
  explicit CUpperEdit(QWidget* parent = nullptr);

protected:
  bool Takes(QChar c) const override;
  void OnChar(QChar c) override;
};

// Drops every typed character its input mode refuses.
class CFiveToneEdit : public QLineEdit {
public:
  explicit CFiveToneEdit(QWidget* parent = nullptr);
  int m_inputMode = 0;

protected:
  void keyPressEvent(QKeyEvent* event) override;
};
