#pragma once
// Help: the program's own help pages, HTML files in the help/ folder beside
// the program, shown in one help window at the page of a help context.
#include <QDialog>
#include <QPointer>
#include <QString>
#include <string>

class QTextBrowser;

// The context of Help Topics, which opens the start page.
inline constexpr int kHelpTopicsContext = 32775;

// The help context of a control identifier: the settings of one row share
// one context; an identifier the table does not hold is its own context.
int HelpContextOf(int controlId);

// The help folder: "help" beside the program unless set (tests set it).
void SetHelpFolder(const std::string& folder);
std::string HelpFolder();
// The page shown for a context: index.html for Help Topics, else
// "<context>.html".
std::string HelpPagePath(int context);

// Maps the identifier to its context and shows that page in the help window,
// or "Not Exist Html Help File\n\n   File Path [ %s ]" when the page is missing.
void ShowHelpContext(int controlId);
// Shows a page of the help folder by its file name ("zone.html").
void ShowHelpFile(const std::string& fileName);

// The help window: one per run, reused for every help request, with Back and
// Home (the contents page) above the page. It belongs to the main window,
// which closes it at exit, and it stands over the modal dialog on top (the
// one window such a dialog leaves answering), whichever opens after it.
class CHelpViewer : public QDialog {
  Q_OBJECT
public:
  static CHelpViewer* Instance();  // nullptr until the first help request
  void ShowPage(const QString& path);
  QString CurrentPage() const;

  explicit CHelpViewer(QWidget* parent = nullptr);

  // Stands over `owner` (nullptr: no window) until another modal dialog
  // opens or the owner closes; opens beside it.
  void Follow(QWidget* owner);

protected:
  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

private:
  // Opens beside the window it stands over rather than over it.
  void PlaceBesideOwner();
  QTextBrowser* m_browser;
  QPointer<QWidget> m_owner;
};

// "&Get Started": template 214 "HELP", the getting-started text read-only.
class CHelpDlg : public QDialog {
  Q_OBJECT
public:
  explicit CHelpDlg(QWidget* parent = nullptr);
};

// The getting-started text, lines separated by '\n'.
QString GetStartedText();
