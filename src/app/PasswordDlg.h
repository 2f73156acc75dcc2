#pragma once
// The privilege password prompt of the -m and -s start options. Only a salted
// hash of each password lives in the program.
#include <QDialog>
#include <QString>
#include <string>

class QLineEdit;

enum class Privilege { kManufacturer, kService };

// Whether an entry (upper-cased first) is the privilege's password. An empty
// entry never matches.
bool PasswordMatches(const std::string& entry, Privilege privilege);

// Template 130 "PASSWORD": "Enter password", masked edit 1002, OK and Cancel.
class CPasswordDlg : public QDialog {
  Q_OBJECT
public:
  explicit CPasswordDlg(QWidget* parent = nullptr);
  // The text typed; empty after Cancel.
  QString Password() const { return m_password; }

  void accept() override;
  void reject() override;

private:
  QLineEdit* m_edit;
  QString m_password;
};

// Where the typed password comes from: by default the dialog above, run
// modally; tests script it. nullptr restores the dialog.
using PasswordPrompt = QString (*)();
void SetPasswordPrompt(PasswordPrompt prompt);

// Run the prompt; 0 when the entry is the privilege's password, -1 otherwise.
// A wrong password shows nothing.
int CheckManufacturerPassword();
int CheckServicePassword();
