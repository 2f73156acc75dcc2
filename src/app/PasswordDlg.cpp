#include "app/PasswordDlg.h"

#include <QCryptographicHash>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/DialogButtons.h"
#include "platform/ControlIds.h"

namespace {

constexpr const char* kSalt = "rp58-privilege:";
// SHA-256 of the salt and the upper-case password.
constexpr const char* kManufacturerHash = "a882bd51d00573097853c41abb4d9273c240ba861cf2afb01e2303d409225754";
constexpr const char* kServiceHash = "c41c0698329d23a37841f1388132c56ae90efe385af104a2c1da5598f566a929";

QString RunPasswordDialog() {
  CPasswordDlg dlg;
  dlg.exec();  // the result is not examined: after Cancel the entry is empty
  return dlg.Password();
}

PasswordPrompt g_prompt = nullptr;

int CheckPassword(Privilege privilege) {
  const QString entry = g_prompt != nullptr ? g_prompt() : RunPasswordDialog();
  return PasswordMatches(entry.toStdString(), privilege) ? 0 : -1;
}

}  // namespace

bool PasswordMatches(const std::string& entry, Privilege privilege) {
  if (entry.empty()) return false;
  const QByteArray salted = QByteArray(kSalt) + QString::fromStdString(entry).toUpper().toUtf8();
  const QByteArray hash = QCryptographicHash::hash(salted, QCryptographicHash::Sha256).toHex();
  return hash == (privilege == Privilege::kManufacturer ? kManufacturerHash : kServiceHash);
}

CPasswordDlg::CPasswordDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("PASSWORD"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Enter password"), this));
  m_edit = new QLineEdit(this);
  m_edit->setEchoMode(QLineEdit::Password);
  SetControlId(m_edit, 1002);
  layout->addWidget(m_edit);
  AddDialogButtons(this, layout);
}

void CPasswordDlg::accept() {
  m_password = m_edit->text();
  QDialog::accept();
}

void CPasswordDlg::reject() {
  m_password.clear();
  QDialog::reject();
}

void SetPasswordPrompt(PasswordPrompt prompt) { g_prompt = prompt; }

int CheckManufacturerPassword() { return CheckPassword(Privilege::kManufacturer); }
int CheckServicePassword() { return CheckPassword(Privilege::kService); }
