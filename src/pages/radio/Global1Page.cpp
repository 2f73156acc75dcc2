#include "pages/radio/Global1Page.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <filesystem>

#include "framework/ChoiceHelpers.h"
#include "framework/SettingsForm.h"
#include "model/Digits.h"
#include "model/GlobalRecordText.h"
#include "model/ModelChange.h"
#include "model/Privilege.h"
#include "model/RadioData.h"
#include "model/RadioModels.h"

namespace {

// The template: 367 x 300 dialog units, two columns; the left column's
// boxes start under the MODEL row.
constexpr int kColumnWidth = 176;
constexpr SettingsColumn kLeftColumn = {6, 24, kColumnWidth};
constexpr SettingsColumn kRightColumn = {186, 6, kColumnWidth};
constexpr SettingsColumn kModelColumn = {6, 8, kColumnWidth};

// The boxes in the order of the page. MODEL heads the left column, above the
// boxes, but is built last: it is the last stop of the Tab order.
constexpr SettingsBox<Global1Box> kBoxes[] = {
    {Global1Box::kDisplay, "Display", {1424, 1683}, kLeftColumn},
    {Global1Box::kAudible, "Audible Sounds", {1426, 1687}},
    {Global1Box::kPowerSaving, "Power saving", {1432, 1694}},
    {Global1Box::kMicHook, "Microphone Hook Function", {1428, 1699}, kRightColumn},
    {Global1Box::kScan, "Scan Function", {1429, 1703}},
    {Global1Box::kPassword, "Password", {1430, 1712}},
    {Global1Box::kHandheld, "Handheld", {1431, 1713}},
    {Global1Box::kOptionBoard, "Option Board", {1433, 0}},
    {Global1Box::kModel, nullptr, {0, 0}, kModelColumn},
};

constexpr int kPasswordLength = 8;
constexpr int kLedDigits = 4;

// The LED time of each edit.
const GlobalField& LedField(int which) { return which == 0 ? global::kLedOnTime : global::kLedOffTime; }

// MODEL rows as a value table; after a cancelled change a portable code is
// also looked for among the mobile rows.
constexpr std::uint32_t kModelTable[] = {0, kModelCodes[0], kModelCodes[1], kModelCodes[2], kModelCodes[3]};
constexpr std::uint32_t kModelTableCancel[] = {0, kModelCodes[2], kModelCodes[3], kModelCodes[2], kModelCodes[3]};
constexpr std::uint8_t kPortableCodeBits = 0x38;  // bits 3-5, all set in both portable codes

}  // namespace

CGlobal1Page::CGlobal1Page(Family family, int templateId) : CSettingsPage(family, templateId, QSize(367, 300), 9) {
  SetRows(Global1Rows(), kBoxes, [this](const GlobalField& field) { return Resolve(Record(), field); });
}

int CGlobal1Page::ModelIndex() const {
  const auto code = static_cast<std::uint8_t>(Record().modelCode);
  return (family_ == kPortable ? 2 : 0) + (IsUhfFamilyCode(code) ? 0 : 1);
}

bool CGlobal1Page::OnInitDialog() {
  ledPending_ = {};
  return CSettingsPage::OnInitDialog();
}

void CGlobal1Page::BuildCustomRow(const FamilyRow& row, CSettingsForm& form) {
  switch (static_cast<Global1Kind>(row.kind)) {
    case Global1Kind::kLedOnTime:
    case Global1Kind::kLedOffTime: {
      // Whole milliseconds; blank and signs are dropped without a beep.
      auto* edit = form.Row<CValueEdit>(row.labelId, row.label, row.id);
      edit->SetupValueEdit({.intDigits = kLedDigits});
      for (const char c : {' ', '+', '-'}) edit->AddIgnoredChar(c);
      edit->installEventFilter(this);
      led_[static_cast<Global1Kind>(row.kind) == Global1Kind::kLedOnTime ? 0 : 1] = edit;
      break;
    }
    case Global1Kind::kPassword: {
      auto* edit = form.Row<CUpperEdit>(row.labelId, row.label, row.id);
      edit->SetEditLimits(nullptr, kPasswordLength);
      edit->installEventFilter(this);
      password_ = edit;
      break;
    }
    case Global1Kind::kOptionBoard: {
      auto* combo = form.Row<QComboBox>(row.labelId, row.label, row.id);
      // Only the manufacturer chooses the board.
      combo->setEnabled(g_manufacturerMode);
      connect(combo, &QComboBox::activated, this, [this](int r) { OnOptionBoardActivated(r); });
      optionBoard_ = combo;
      break;
    }
    case Global1Kind::kModel: {
      model_ = form.Row<CKeyCombo>(row.labelId, row.label, row.id);
      if (auto* label = FindControl<QLabel>(Body(), row.labelId)) label->setFont(BoldFont());
      model_->SetEditLimits(nullptr, 0);  // typing a letter must not change the model
      connect(model_.data(), &QComboBox::activated, this, [this](int r) { OnModelActivated(r); });
      break;
    }
    case Global1Kind::kChoice:
      break;
  }
}

// ---------------------------------------------------------------------------
// Refresh

void CGlobal1Page::RefreshFromData() {
  if (!HasWindow() || model_ == nullptr) return;
  CommitPendingEdits();
  CSettingsPage::RefreshFromData();
  SelectModelRow(false);
  ShowLedTime(0);
  ShowLedTime(1);
  ShowPassword();
  SelectOptionBoard();
  UpdateEnableStates();
}

void CGlobal1Page::SelectModelRow(bool afterCancel) {
  const CGlobalRecord& r = Record();
  const QSignalBlocker block(model_.data());
  if (!afterCancel) {
    model_->clear();
    for (const char* name : kModelNames) model_->addItem(QString::fromLatin1(name));
    model_->setCurrentIndex(0);
  }
  const bool portableCode = (r.modelCode & kPortableCodeBits) == kPortableCodeBits;
  const ValueTable table = afterCancel && portableCode ? ValueTable(kModelTableCancel) : ValueTable(kModelTable);
  const int row = SelectModelComboByValue(model_.data(), table, static_cast<std::uint8_t>(r.modelCode), r.modelByte);
  // A model byte that fits neither family (a file that never had one) must
  // not show the other family's model: the model code alone decides then.
  if (row < 0 && !afterCancel) {
    const int byCode = RowOfValue(table, kModelCount, r.modelCode);
    if (byCode >= 0) model_->setCurrentIndex(byCode);
  }
  // A cancelled pick is undone: the list shows the model it showed before,
  // never one the data does not hold.
  if (row < 0 && afterCancel) model_->setCurrentIndex(modelRow_);
  modelRow_ = model_->currentIndex();
}

void CGlobal1Page::UpdateEnableStates() {
  bool groupA = false;
  if (family_ == kMobile) groupA = IsMobileProductCode(static_cast<std::uint8_t>(g_mobileData.m_productWord >> 8));
  SetGroupEnabled(kGroupA, groupA);
  SetGroupEnabled(kGroupB, !groupA);
  SetGroupEnabled(kGroupNever, false);
}

// ---------------------------------------------------------------------------
// Password

void CGlobal1Page::ShowPassword() {
  TakePasswordFromBytes(Record());
  const QSignalBlocker block(password_.data());
  password_->setText(QString::fromStdString(Record().passwordText));
}

void CGlobal1Page::OnPasswordCommitted() {
  StorePassword(Record(), password_->text().toUpper().toStdString());
  g_dataModified = true;
}

// ---------------------------------------------------------------------------
// LED times

void CGlobal1Page::ShowLedTime(int which) {
  QLineEdit* edit = led_[static_cast<std::size_t>(which)];
  if (edit == nullptr) return;
  const auto stored = static_cast<std::uint8_t>(ValueOf(Record(), LedField(which)));
  const QSignalBlocker block(edit);
  edit->setText(QString::fromStdString(LedTimeText(stored)));
  ledPending_[static_cast<std::size_t>(which)] = false;
}

void CGlobal1Page::CommitLedTime(int which) {
  QLineEdit* edit = led_[static_cast<std::size_t>(which)];
  if (edit == nullptr) return;
  if (const auto stored = LedTimeOfText(edit->text().toStdString())) {
    Resolve(Record(), LedField(which)).Set(*stored);
    g_dataModified = true;
  }
  ShowLedTime(which);
}

void CGlobal1Page::CommitPendingEdits() {
  for (int which = 0; which < 2; ++which)
    if (ledPending_[static_cast<std::size_t>(which)]) CommitLedTime(which);
}

bool CGlobal1Page::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::FocusIn && type != QEvent::FocusOut) return CScrollablePage::eventFilter(watched, event);
  // Told apart by number: the edits may be on their way out.
  const int id = ControlId(watched);
  const bool led = id == global1::kLedOnTime || id == global1::kLedOffTime;
  if ((led || id == global1::kPassword[Column()]) && type == QEvent::FocusIn) {
    // Entering an edit selects its whole text, so typing replaces it.
    QTimer::singleShot(0, static_cast<QLineEdit*>(watched), &QLineEdit::selectAll);
  }
  // Leaving an edit the user did not touch changes nothing.
  if (led && type == QEvent::FocusOut && !IsClosing()) CommitPendingEdits();
  return CScrollablePage::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// Option board

void CGlobal1Page::SelectOptionBoard() {
  if (optionBoard_ == nullptr) return;
  const QSignalBlocker block(optionBoard_.data());
  optionBoard_->clear();
  for (const char* text : kOptionBoardRows) optionBoard_->addItem(QString::fromLatin1(text));
  optionBoard_->setCurrentIndex(OptionBoardOf(Record()));
}

void CGlobal1Page::OnOptionBoardActivated(int row) {
  SetOptionBoard(Record(), static_cast<OptionBoardRow>(row));
  g_dataModified = true;
}

// ---------------------------------------------------------------------------
// Model change

void CGlobal1Page::OnModelActivated(int row) {
  if (row == modelRow_) return;  // the model shown was picked again
  // Loading the model's data file rebuilds the tabs, which takes this page's
  // window down: run it after the list's own signal has returned.
  QMetaObject::invokeMethod(this, [this, row] { OnModelChange(row); }, Qt::QueuedConnection);
}

void CGlobal1Page::OnModelChange(int row) {
  if (row < 0 || row >= kModelCount) return;
  if (family_ == kPortable) g_portableModelChange = true;
  const int go = g_pMainDlg != nullptr ? g_pMainDlg->ConfirmSaveChanges() : 1;
  if (go != 1) {
    // A stale flag would later put the portable page into the mobile family.
    if (family_ == kPortable) g_portableModelChange = false;
    if (HasWindow() && model_ != nullptr) SelectModelRow(true);
    return;
  }
  std::error_code ec;
  const std::string dir = std::filesystem::current_path(ec).string();
  const ModelChoice model = ModelChoiceOfRow(row);
  ApplyModelChoice(model, family_);
  modelRow_ = row;
  SendUserMessage(g_pMainDlg != nullptr ? g_pMainDlg->Window() : window(), UM_MODEL_CHANGED, 0, row);
  LoadModelDefaults(model, family_, dir);
  RefreshFromData();
}

// ---------------------------------------------------------------------------
// Window life

void CGlobal1Page::OnDestroyWindow() {
  CommitPendingEdits();
  CSettingsPage::OnDestroyWindow();
}

LParam CGlobal1Page::OnUserMessage(unsigned msg, WParam wParam, LParam) {
  const int id = static_cast<int>(wParam);
  if (msg == UM_TEXT_EDITED && id == global1::kPassword[Column()]) OnPasswordCommitted();
  // The LED edits report every change; they are stored when the edit is left.
  if (msg == UM_VALUE_EDITED && (id == global1::kLedOnTime || id == global1::kLedOffTime))
    ledPending_[id == global1::kLedOnTime ? 0 : 1] = true;
  return 0;
}
