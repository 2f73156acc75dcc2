#pragma once
// Template 137 "RB036 ROM EDIT": the factory's modeless memory-block editor.
// One 128-byte block at a time as a hex dump whose nibbles can be overtyped;
// the radio is read or one block sent through the clone dialog in editor
// mode, and data files loaded and saved. The window deletes itself when
// closed; the main window holds it through a guarded pointer.
#include <QDialog>
#include <QPlainTextEdit>
#include <string>

#include "model/RomDump.h"
#include "platform/KeyPreview.h"
#include "platform/UserMessages.h"

class CMainDlg;
class CRepeatButton;
class QLineEdit;

// Controls of template 137.
enum RomEditControl : int {
  kRomEditCloseId = 2,
  kRomEditDumpId = 1014,
  kRomEditUpId = 1016,
  kRomEditDownId = 1017,
  kRomEditTopId = 1018,
  kRomEditBottomId = 1019,
  kRomEditReadId = 1020,
  kRomEditSendId = 1021,
  kRomEditLoadId = 1022,
  kRomEditSaveId = 1023,
  kRomEditBlockId = 1051,
};

// The block the editor shows; the UP and DOWN buttons step it while held.
extern int g_romEditBlock;

// The dump edit: shows the text with plain line ends and hands typed
// characters to the editor; the caret moves as in any read-only text.
class CHexEntryEdit : public QPlainTextEdit {
  Q_OBJECT
public:
  explicit CHexEntryEdit(QWidget* parent);
  // The caret as a position in the dump text (lines of 57, "\r\n" counted).
  int DumpCaret() const;
  void SetDumpCaret(int caret);
  void SetDumpText(const std::string& text);

signals:
  void HexKeyTyped(char key);

protected:
  void keyPressEvent(QKeyEvent* event) override;
};

class CRomEditDlg : public QDialog, public KeyPreview, public UserMessageTarget {
  Q_OBJECT
public:
  explicit CRomEditDlg(CMainDlg& main);

  // Rebuilds the dump of the current block from the image.
  void ShowBlock();
  void OnUp();
  void OnDown();
  void OnTop();
  void OnBottom();
  void OnReadFromRadio();
  void OnSendToRadio();
  void OnFileLoad();
  void OnFileSave();
  // A key typed in the dump at its caret.
  void OnHexKey(char key);

  CHexEntryEdit* Dump() const { return m_dump; }
  QString BlockText() const;

  bool PreviewKey(QKeyEvent* event) override;
  LParam OnUserMessage(unsigned msg, WParam wParam, LParam lParam) override;

protected:
  void customEvent(QEvent* e) override;
  void reject() override;

private:
  DumpLayout Layout() const;
  int LastBlock() const;

  CMainDlg& m_main;
  CHexEntryEdit* m_dump = nullptr;
  QLineEdit* m_blockEdit = nullptr;
  CRepeatButton* m_up = nullptr;
  CRepeatButton* m_down = nullptr;
  std::string m_text;
};
