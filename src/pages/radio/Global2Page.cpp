#include "pages/radio/Global2Page.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "framework/SettingsForm.h"
#include "pages/radio/RadioPageLayout.h"
#include "model/Digits.h"
#include "model/DtmfData.h"
#include "model/GlobalRecordText.h"
#include "model/RadioData.h"

namespace {

using radio_layout::kLeftColumn;
using radio_layout::kRightColumn;
using radio_layout::SplitRow;

constexpr SettingsBox<Global2Box> kMobileBoxes[] = {
    {Global2Box::kEmergency, "Emergency", {1424, 1424}, kLeftColumn},
    {Global2Box::kQals, "QALS Option", {1429, 1429}},
    {Global2Box::kAdvanced, "Radio Advanced Setting", {1430, 1430}, kRightColumn},
    {Global2Box::kPowerOn, "Power On Status", {1426, 1426}},
    {Global2Box::kTxGuard, "Transmission guard", {1427, 1427}},
    {Global2Box::kSpecial, "Special Zone/Group", {1436, 1436}},
};
constexpr SettingsBox<Global2Box> kPortableBoxes[] = {
    {Global2Box::kEmergency, "Emergency", {1424, 1424}, kLeftColumn},
    {Global2Box::kPowerOn, "Power On Status", {1426, 1426}},
    {Global2Box::kTxGuard, "Transmission guard", {1427, 1427}},
    {Global2Box::kQals, "QALS Option", {1429, 1429}},
    {Global2Box::kAdvanced, "Radio Advanced Setting", {1430, 1430}, kRightColumn},
    {Global2Box::kSpecial, "Special Zone/Group", {1436, 1436}},
};

constexpr int kCodeLength = 15;
constexpr int kPairLabelRoom = 28;  // dialog units the pair rows take from their labels
constexpr int kGroupHead = 1563;

// The record's bytes of a pair, by its zone byte.
std::pair<std::uint8_t*, std::uint8_t*> PairBytes(CGlobalRecord& r, int zoneByte) {
  switch (zoneByte) {
    case 235: return {&r.emergencyZone, &r.emergencyGroup};
    case 141: return {&r.homeZone, &r.homeGroup};
    case 215: return {&r.shortcut1Zone, &r.shortcut1Group};
    case 217: return {&r.shortcut2Zone, &r.shortcut2Group};
    case 219: return {&r.shortcut3Zone, &r.shortcut3Group};
    case 221: return {&r.shortcut4Zone, &r.shortcut4Group};
    default: return {&r.dataZone, &r.dataGroup};
  }
}


}  // namespace

CGlobal2Page::CGlobal2Page(Family family, int templateId) : CSettingsPage(family, templateId, QSize(367, 300), 9) {
  const auto resolve = [this](const GlobalField& field) { return Resolve(Record(), field); };
  if (family == kPortable) {
    SetRows(Global2Rows(), kPortableBoxes, resolve);
  } else {
    SetRows(Global2Rows(), kMobileBoxes, resolve);
  }
}

bool CGlobal2Page::OnInitDialog() {
  pairs_.clear();
  return CSettingsPage::OnInitDialog();
}

void CGlobal2Page::BuildCustomRow(const FamilyRow& row, CSettingsForm& form) {
  switch (static_cast<Global2Kind>(row.kind)) {
    case Global2Kind::kPair:
      BuildPair(row, form);
      break;
    case Global2Kind::kCode: {
      auto* edit = form.Row<CNameEdit>(row.labelId, row.label, row.id);
      edit->SetEditLimits(nullptr, kCodeLength);
      for (const char c : {'*', '#'}) edit->AddAllowedChar(c);
      for (const char c : {'e', 'f', 'E', 'F'}) edit->AddRejectedChar(c);
      edit->installEventFilter(this);
      code_ = edit;
      break;
    }
    case Global2Kind::kPairHeads: {
      auto* zone = form.Row<QLabel>(0, "", row.id);
      auto* group = Place<QLabel>(kGroupHead, 0, 0, 1, 1);
      zone->setText(QStringLiteral("Zone"));
      group->setText(QStringLiteral("Group"));
      SplitRow(zone, group, Units().ToPixelsX(kPairLabelRoom));
      break;
    }
    case Global2Kind::kChoice:
      break;
  }
}

void CGlobal2Page::BuildPair(const FamilyRow& row, CSettingsForm& form) {
  const auto* ids = std::find_if(std::begin(global2::kPairs), std::end(global2::kPairs),
                                 [&](const global2::PairIds& p) { return p.zone == row.id; });
  if (ids == std::end(global2::kPairs)) return;
  auto* zone = form.Row<QComboBox>(row.labelId, row.label, ids->zone);
  auto* group = Place<QComboBox>(ids->group, 0, 0, 1, 1);
  SplitRow(zone, group, Units().ToPixelsX(kPairLabelRoom));
  if (ids->zone != global2::kPairs[0].zone) {
    if (auto* label = FindControl<QLabel>(Body(), row.labelId)) label->setFont(BoldFont());
  }
  auto [zoneByte, groupByte] = PairBytes(Record(), ids->zoneByte);
  // The portable radio keeps the Data zone in bits 0-4; its pickers are never live.
  if (family_ == kPortable && ids->zoneByte == global2::kDataZoneByte) zoneByte = &portableDataZone_;
  pairs_.push_back({*ids, std::make_unique<CZoneGroupPickers>(zone, group, zoneByte, groupByte)});
  CZoneGroupPickers* pickers = pairs_.back().pickers.get();
  connect(zone, &QComboBox::activated, this, [this, pickers](int r) {
    if (pickers->OnZonePicked(RadioData(), r)) g_dataModified = true;
  });
  connect(group, &QComboBox::activated, this, [pickers](int r) {
    if (pickers->OnGroupPicked(r)) g_dataModified = true;
  });
}

void CGlobal2Page::RefreshFromData() {
  if (!HasWindow() || code_ == nullptr) return;
  CSettingsPage::RefreshFromData();
  {
    const QSignalBlocker block(code_.data());
    code_->setText(QString::fromStdString(EmergencyCodeText(Record())));
  }
  portableDataZone_ = Record().dataZone & 0x1F;
  for (const Pair& p : pairs_) p.pickers->Refresh(RadioData());
  UpdateEnableStates();
}

void CGlobal2Page::UpdateEnableStates() {
  // Data mode belongs to radios with a mobile product code.
  const bool data = family_ == kMobile && IsMobileProductCode(ModelOf(family_).RadioDataView().ProductCode());
  SetGroupEnabled(kGlobal2Data, data);
  for (const int id : {global2::kPairs[6].zone, global2::kPairs[6].group})
    if (auto* combo = FindControl<QComboBox>(Body(), id)) combo->setEnabled(data);
  // A radio with a password cannot be cloned.
  SetGroupEnabled(kGlobal2Clone, Record().passwordText.empty());
}

void CGlobal2Page::OnDestroyWindow() {
  pairs_.clear();
  CSettingsPage::OnDestroyWindow();
}

bool CGlobal2Page::eventFilter(QObject* watched, QEvent* event) {
  // Entering the code selects its whole text, so typing replaces it.
  if (event->type() == QEvent::FocusIn && ControlId(watched) == global2::kCode)
    QTimer::singleShot(0, static_cast<QLineEdit*>(watched), &QLineEdit::selectAll);
  return CSettingsPage::eventFilter(watched, event);
}

LParam CGlobal2Page::OnUserMessage(unsigned msg, WParam wParam, LParam) {
  // The code is stored at every keystroke.
  if (msg == UM_NAME_EDITED && static_cast<int>(wParam) == global2::kCode && code_ != nullptr) {
    StoreEmergencyCode(Record(), code_->text().toStdString());
    g_dataModified = true;
  }
  return 0;
}
