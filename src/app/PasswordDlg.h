#pragma once
// The privilege password prompt of the -m and -s start options. Only a salted
// hash of each password lives in the program.
#include <QDialog>
#include <QString>
#include <cstdint>
#include <string>

#include "platform/UserMessages.h"

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

class CUpperEdit;

// Template 103 "Password": the radio's own password, asked when a read finds
// one. Up to 8 characters, upper-cased, kept blank-padded to 8.
class CRadioPasswordDlg : public QDialog, public UserMessageTarget {
  Q_OBJECT
public:
  explicit CRadioPasswordDlg(QWidget* parent = nullptr);
  const std::string& Entry() const { return m_entry; }
  CUpperEdit* Edit() const { return m_edit; }
  LParam OnUserMessage(unsigned msg, WParam wParam, LParam lParam) override;

protected:
  void customEvent(QEvent* e) override;

private:
  CUpperEdit* m_edit;
  std::string m_entry;  // empty until a key was typed
};

// True only after OK with the entry equal to the radio's 8 password bytes
// (compared as zero-terminated texts).
bool CheckRadioPassword(const std::uint8_t (&radioPassword)[9]);
// The comparison alone: the blank-padded entry against the radio's bytes.
bool RadioPasswordMatches(const std::string& paddedEntry, const std::uint8_t (&radioPassword)[9]);
