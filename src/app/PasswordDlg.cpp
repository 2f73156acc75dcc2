#include "app/PasswordDlg.h"

#include <QCryptographicHash>
#include <cstring>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/DialogButtons.h"
#include "framework/EditControls.h"
#include "model/FreshStart.h"
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

PasswordPrompt g_prompt;  // set by the fresh start below

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

namespace {
void FreshPasswordPrompt() { SetPasswordPrompt(nullptr); }  // the dialog
const FreshStartReset kFreshStart(&FreshPasswordPrompt);
}  // namespace

int CheckManufacturerPassword() { return CheckPassword(Privilege::kManufacturer); }
int CheckServicePassword() { return CheckPassword(Privilege::kService); }

CRadioPasswordDlg::CRadioPasswordDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Password"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Detected Password protection!!"), this));
  layout->addWidget(new QLabel(QStringLiteral("Please enter your Password."), this));
  m_edit = new CUpperEdit(this);
  SetControlId(m_edit, 1073);
  m_edit->setEchoMode(QLineEdit::Password);
  m_edit->SetEditLimits(this, 8);
  layout->addWidget(m_edit);
  AddDialogButtons(this, layout);
}

LParam CRadioPasswordDlg::OnUserMessage(unsigned msg, WParam wParam, LParam) {
  if (msg != UM_TEXT_EDITED) return 0;
  if (auto* edit = FindControl<QLineEdit>(this, static_cast<int>(wParam))) {
    m_entry = edit->text().toStdString();
    if (m_entry.size() < 8) m_entry.resize(8, ' ');
  }
  return 0;
}

void CRadioPasswordDlg::customEvent(QEvent* e) {
  if (!DeliverUserMessage(e)) QDialog::customEvent(e);
}

bool RadioPasswordMatches(const std::string& paddedEntry, const std::uint8_t (&radioPassword)[9]) {
  // Up to the first zero byte, never past the buffer.
  const auto* bytes = reinterpret_cast<const char*>(radioPassword);
  const std::string radio(bytes, strnlen(bytes, sizeof radioPassword));
  return std::string(paddedEntry.c_str()) == radio;
}

bool CheckRadioPassword(const std::uint8_t (&radioPassword)[9]) {
  CRadioPasswordDlg dlg;
  if (dlg.exec() != QDialog::Accepted) return false;
  return RadioPasswordMatches(dlg.Entry(), radioPassword);
}
