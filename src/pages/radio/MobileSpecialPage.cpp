#include "pages/radio/MobileSpecialPage.h"

#include <QEvent>
#include <QLabel>
#include <QAbstractItemView>
#include <QLineEdit>
#include <QTimer>

#include "framework/SettingsForm.h"
#include "pages/radio/RadioPageLayout.h"
#include "model/GlobalRecordText.h"
#include "model/RadioData.h"
#include "model/TextFields.h"

namespace {

using radio_layout::kLeftColumn;
using radio_layout::kRightColumn;
using radio_layout::SplitRow;

constexpr SettingsBox<MobileSpecialBox> kBoxes[] = {
    {MobileSpecialBox::kMisc, "Miscellaneous", {2301, 0}, kLeftColumn},
    {MobileSpecialBox::kPort, "DSUB-15 Port", {2302, 0}},
    {MobileSpecialBox::kGroupSwitch, "DSUB-15 Group Switch Table", {2303, 0}, kRightColumn},
};

constexpr int kAfMinVrDigits = 2;
constexpr int kLineLabelRoom = 38;  // dialog units the port rows take from their labels
constexpr int kInputHead = 2327, kOutputHead = 2328;


// Refills a list with the texts of its values and selects the row of `own`
// (row 0 when no row holds it).
template <class Text>
void FillValues(QComboBox* combo, const std::vector<std::uint8_t>& values, std::uint8_t own, Text text) {
  const QSignalBlocker block(combo);
  combo->clear();
  int selected = 0;
  for (std::size_t i = 0; i < values.size(); ++i) {
    combo->addItem(text(values[i]));
    if (i > 0 && values[i] == own && selected == 0) selected = static_cast<int>(i);
  }
  combo->setCurrentIndex(selected);
}

}  // namespace

CMobileSpecialPage::CMobileSpecialPage() : CSettingsPage(kMobile, 232, QSize(367, 300), 9) {
  SetRows(MobileSpecialRows(), kBoxes, [this](const GlobalField& field) { return Resolve(Record(), field); });
}

bool CMobileSpecialPage::OnInitDialog() {
  afMinVrTyped_ = false;
  inputs_ = {};
  outputs_ = {};
  groups_ = {};
  return CSettingsPage::OnInitDialog();
}

void CMobileSpecialPage::BuildCustomRow(const FamilyRow& row, CSettingsForm& form) {
  using mobile_special::kLines;
  switch (static_cast<MobileSpecialKind>(row.kind)) {
    case MobileSpecialKind::kAfMinVr: {
      auto* edit = form.Row<CValueEdit>(row.labelId, row.label, row.id);
      // The label reads with the ideographic space between its two words.
      if (auto* label = FindControl<QLabel>(Body(), row.labelId)) label->setText(QString::fromUtf8("AF Min VR\u3000level"));
      edit->SetupValueEdit({.intDigits = kAfMinVrDigits});
      for (const char c : {' ', '+', '-'}) edit->AddIgnoredChar(c);
      edit->installEventFilter(this);
      afMinVr_ = edit;
      break;
    }
    case MobileSpecialKind::kPortHeads: {
      auto* input = form.Row<QLabel>(0, "", kInputHead);
      auto* output = Place<QLabel>(kOutputHead, 0, 0, 1, 1);
      input->setText(QStringLiteral("Input"));
      output->setText(QStringLiteral("Output"));
      SplitRow(input, output, Units().ToPixelsX(kLineLabelRoom));
      break;
    }
    case MobileSpecialKind::kAccPort: {
      const auto* line = std::find_if(std::begin(kLines), std::end(kLines), [&](const mobile_special::AccLine& l) {
        return l.input == row.id || (l.input == 0 && l.output == row.id);
      });
      if (line == std::end(kLines)) return;
      // Port5 has only an output, Port6 only an input: the other half stays empty.
      auto* left = form.Row<QComboBox>(0, row.label, row.id);
      auto* right = Place<QComboBox>(0, 0, 0, 1, 1);
      SplitRow(left, right, Units().ToPixelsX(kLineLabelRoom));
      // The lists open wide enough for their longest function.
      for (QComboBox* half : {left, right}) half->view()->setMinimumWidth(half->width() * 3 / 2);
      QComboBox* input = line->input != 0 ? left : nullptr;
      QComboBox* output = line->output != 0 ? right : nullptr;
      for (QComboBox* half : {left, right}) {
        const int id = half == left ? line->input : line->output;
        if (id != 0) {
          SetControlId(half, id);
        } else {
          half->setObjectName(QString());
          half->hide();
        }
      }
      if (input != nullptr) {
        inputs_[static_cast<std::size_t>(line->inputPort)].combo = input;
        connect(input, &QComboBox::activated, this, [this, port = line->inputPort](int r) { OnAccPicked(true, port, r); });
      }
      if (output != nullptr) {
        outputs_[static_cast<std::size_t>(line->outputPort)].combo = output;
        connect(output, &QComboBox::activated, this,
                [this, port = line->outputPort](int r) { OnAccPicked(false, port, r); });
      }
      break;
    }
    case MobileSpecialKind::kDsubZone: {
      auto* combo = form.Row<QComboBox>(0, row.label, row.id);
      zone_ = std::make_unique<CComboChoiceList>(combo);
      connect(combo, &QComboBox::activated, this, [this](int r) {
        const std::optional<std::uint8_t> zone = zone_->ValueAt(r);
        if (!zone) return;
        // A new zone's groups are other groups: every position starts on none.
        if (*zone != Record().dsubZone) Record().dsubGroup.fill(kNoGroup);
        Record().dsubZone = *zone;
        RefreshGroupSwitchTable();
        g_dataModified = true;
      });
      break;
    }
    case MobileSpecialKind::kDsubGroup: {
      const int n = row.id - mobile_special::kFirstGroup;
      auto* combo = form.Row<QComboBox>(0, row.label, row.id);
      groups_[static_cast<std::size_t>(n)].combo = combo;
      connect(combo, &QComboBox::activated, this, [this, n](int r) { OnGroupPicked(n, r); });
      break;
    }
    case MobileSpecialKind::kChoice:
      break;
  }
}

void CMobileSpecialPage::RefreshFromData() {
  if (!HasWindow() || afMinVr_ == nullptr) return;
  CommitAfMinVr();
  CSettingsPage::RefreshFromData();
  ShowAfMinVr();
  RefreshAcc(true);
  RefreshAcc(false);
  zone_->Clear();
  g_mobileData.FillZoneCombo(*zone_, Record().dsubZone);
  RefreshGroupSwitchTable();
}

// ---------------------------------------------------------------------------
// Accessory lines

void CMobileSpecialPage::RefreshAcc(bool input) {
  auto& lists = input ? inputs_ : outputs_;
  for (int port = 0; port < kAccPorts; ++port) {
    ValueList& list = lists[static_cast<std::size_t>(port)];
    if (list.combo == nullptr) continue;
    list.values = AccFunctionRows(Record(), input, port);
    const auto own = static_cast<std::uint8_t>(
        ValueOf(Record(), input ? global::AccInput(port) : global::AccOutput(port)));
    FillValues(list.combo, list.values, own,
               [input](std::uint8_t code) { return QString::fromLatin1(AccFunctionText(input, code)); });
  }
}

void CMobileSpecialPage::OnAccPicked(bool input, int port, int row) {
  const ValueList& list = (input ? inputs_ : outputs_)[static_cast<std::size_t>(port)];
  if (row < 0 || row >= static_cast<int>(list.values.size())) return;
  StoreAccFunction(Record(), input, port, list.values[static_cast<std::size_t>(row)]);
  RefreshAcc(true);
  RefreshAcc(false);
  g_dataModified = true;
}

// ---------------------------------------------------------------------------
// Group switch table

void CMobileSpecialPage::RefreshGroupSwitchTable() {
  // The enabled groups of the zone, in group order, as the radio data lists them.
  CComboChoiceList zoneGroups(nullptr);
  g_mobileData.FillGroupCombo(zoneGroups, Record().dsubZone, kNoGroup);
  const std::vector<std::uint8_t> candidates(zoneGroups.Values().begin() + 1, zoneGroups.Values().end());
  const auto& held = Record().dsubGroup;
  for (std::size_t n = 0; n < groups_.size(); ++n) {
    ValueList& list = groups_[n];
    if (list.combo == nullptr) continue;
    list.values = ExclusiveRows(kNoGroup, candidates, held, n);
    FillValues(list.combo, list.values, held[n], [](std::uint8_t g) {
      return g == kNoGroup ? QStringLiteral("None") : QString::asprintf("Grp %2d", g + 1);
    });
  }
}

void CMobileSpecialPage::OnGroupPicked(int position, int row) {
  const ValueList& list = groups_[static_cast<std::size_t>(position)];
  if (row < 0 || row >= static_cast<int>(list.values.size())) return;
  Record().dsubGroup[static_cast<std::size_t>(position)] = list.values[static_cast<std::size_t>(row)];
  RefreshGroupSwitchTable();
  g_dataModified = true;
}

// ---------------------------------------------------------------------------
// AF Min VR level

void CMobileSpecialPage::ShowAfMinVr() {
  const QSignalBlocker block(afMinVr_.data());
  afMinVr_->setText(QString::number(Record().afMinVrLevel));
}

void CMobileSpecialPage::CommitAfMinVr() {
  // An edit the user has not typed in changes nothing.
  if (!afMinVrTyped_ || afMinVr_ == nullptr) return;
  afMinVrTyped_ = false;
  if (const auto level = AfMinVrLevelOfText(afMinVr_->text().toStdString())) {
    Record().afMinVrLevel = *level;
    g_dataModified = true;
  }
  ShowAfMinVr();
}

void CMobileSpecialPage::OnDestroyWindow() {
  CommitAfMinVr();
  zone_.reset();
  CSettingsPage::OnDestroyWindow();
}

bool CMobileSpecialPage::eventFilter(QObject* watched, QEvent* event) {
  if (ControlId(watched) == mobile_special::kAfMinVr) {
    // Entering the edit selects its text, so typing replaces it; leaving it stores it.
    if (event->type() == QEvent::FocusIn)
      QTimer::singleShot(0, static_cast<QLineEdit*>(watched), &QLineEdit::selectAll);
    if (event->type() == QEvent::FocusOut && !IsClosing()) CommitAfMinVr();
  }
  return CSettingsPage::eventFilter(watched, event);
}

LParam CMobileSpecialPage::OnUserMessage(unsigned msg, WParam wParam, LParam) {
  // The edit reports every key it takes; the level is stored when the edit is left.
  if (msg == UM_VALUE_EDITED && static_cast<int>(wParam) == mobile_special::kAfMinVr) afMinVrTyped_ = true;
  return 0;
}
