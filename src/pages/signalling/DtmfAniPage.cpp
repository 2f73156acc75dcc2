#include "pages/signalling/DtmfAniPage.h"

#include <QEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <algorithm>

#include "framework/EditControls.h"
#include "framework/SettingsForm.h"
#include "model/Digits.h"
#include "model/RadioData.h"

namespace {

constexpr SettingsColumn kLeftColumn = {6, 6, 176};
constexpr SettingsColumn kRightColumn = {186, 6, 176};

constexpr SettingsBox<DtmfAniBox> kBoxes[] = {
    {DtmfAniBox::kGlobal, "Global seting", {1424, 1424}, kLeftColumn},
    {DtmfAniBox::kDialMemory, "Individual Dial Memory setting", {1426, 1426}},
    {DtmfAniBox::kPagingParameters, "Paging Parameter setting Menu", {1427, 1427}, kRightColumn},
    {DtmfAniBox::kPagingCodes, "Individual Paging code setting", {1428, 1428}},
    {DtmfAniBox::kAni, "ANI Setting", {1429, 1429}},
};

// Dialog units: a label's room, and where a row's boxes start from its label.
constexpr int kLabelWidth = 100;
constexpr int kControlWidth = 62;
constexpr int kDialTagX = 46, kDialTagWidth = 42, kDialDigitsWidth = 72;
constexpr int kPagingCodeX = 30, kPagingCodeWidth = 24, kDecodingWidth = 40;
constexpr int kPauseCodeWidth = 16;
constexpr int kGap = 3;
// The right column's lists and boxes take this much from their short labels.
constexpr int kRightBorrow = 24;
constexpr int kWideRows[] = {1184, 1187, 1188, 11564, dtmf_ani::kAniCode, dtmf_ani::kAniPttOffCode};

constexpr int kDialLength = 15;
constexpr int kPagingLength = 3;

// A digit box takes 0-9 and A-D; `extras`: also '*' and '#'.
void SetUpDigitBox(CNameEdit* edit, int length, bool extras) {
  edit->SetEditLimits(nullptr, length);
  if (extras)
    for (const char c : {'*', '#'}) edit->AddAllowedChar(c);
  for (const char c : {'e', 'f', 'E', 'F'}) edit->AddRejectedChar(c);
}

template <std::size_t N>
int IndexOf(const std::array<int, N>& ids, int id) {
  const auto it = std::find(ids.begin(), ids.end(), id);
  return it == ids.end() ? -1 : static_cast<int>(it - ids.begin());
}

}  // namespace

bool dtmf_ani::KeyPadGreyed(const CFamilyModel& model, Family family) {
  if (family == kPortable) return ValueOf(model.global, global::kPortableCanDial) != 0;
  return IsMobileProductCode(model.RadioDataView().ProductCode()) &&
         ValueOf(model.global, global::kMobileNoKeyPad) != 0;
}

CDtmfAniPage::CDtmfAniPage(Family family, int templateId) : CSettingsPage(family, templateId, QSize(365, 300), 9) {
  CSettingsForm::Metrics metrics;
  metrics.labelWidth = kLabelWidth;
  metrics.controlWidth = kControlWidth;
  SetFormMetrics(metrics);
  SetRows(DtmfAniRows(), kBoxes, [this](const DtmfAniField& field) {
    if (field.dtmf.byte != nullptr || field.dtmf.pagingWord >= 0) return Resolve(Dtmf(), field.dtmf);
    return Resolve(ModelOf(family_).global, field.global);
  });
}

bool CDtmfAniPage::OnInitDialog() {
  CSettingsPage::OnInitDialog();
  const int borrow = Units().ToPixelsX(kRightBorrow);
  for (const int id : kWideRows) {
    if (QWidget* w = FindControl(Body(), id)) {
      QRect g = w->geometry();
      g.setLeft(g.left() - borrow);
      w->setGeometry(g);
    }
  }
  return true;
}

CNameEdit* CDtmfAniPage::DigitBox(CSettingsForm& form, const FamilyRow& row, int length, bool extras) {
  auto* edit = form.Row<CNameEdit>(row.labelId, row.label, row.id, row.hidden);
  SetUpDigitBox(edit, length, extras);
  edit->installEventFilter(this);
  return edit;
}

void CDtmfAniPage::BuildCustomRow(const FamilyRow& row, CSettingsForm& form) {
  const DialogUnits& u = Units();
  // Puts `w` on the row of `anchor` (a control the form placed), `x` dialog
  // units right of the row's label.
  const auto put = [&u](QWidget* anchor, QWidget* w, int x, int width) {
    const QRect a = anchor->geometry();
    const int labelLeft = a.left() - u.ToPixelsX(kLabelWidth + 2);
    w->setGeometry(labelLeft + u.ToPixelsX(x), a.top(), u.ToPixelsX(width), a.height());
  };
  switch (static_cast<DtmfAniKind>(row.kind)) {
    case DtmfAniKind::kPauseCode: {
      pauseCode_ = DigitBox(form, row, 1, true);
      pauseCode_->resize(u.ToPixelsX(kPauseCodeWidth), pauseCode_->height());
      break;
    }
    case DtmfAniKind::kAniCode:
      (row.id == dtmf_ani::kAniCode ? aniCode_ : aniPttOffCode_) = DigitBox(form, row, kDialLength, true);
      break;
    case DtmfAniKind::kDialHeads:
    case DtmfAniKind::kPagingHeads: {
      const bool dial = static_cast<DtmfAniKind>(row.kind) == DtmfAniKind::kDialHeads;
      auto* first = form.Row<QLabel>(0, "", 0);
      auto* second = Place<QLabel>(0, 0, 0, 1, 1);
      first->setText(dial ? QStringLiteral("Dial Tagging") : QStringLiteral("Code"));
      second->setText(dial ? QStringLiteral("Dial #") : QStringLiteral("Decoding"));
      put(first, second, dial ? kDialTagX + kDialTagWidth + kGap : kPagingCodeX + kPagingCodeWidth + kGap,
          dial ? kDialDigitsWidth : kDecodingWidth);
      put(first, first, dial ? kDialTagX : kPagingCodeX, dial ? kDialTagWidth : kPagingCodeWidth + kGap);
      break;
    }
    case DtmfAniKind::kDialMemory: {
      const int m = IndexOf(dtmf_ani::kTagIds, row.id);
      if (m < 0) break;
      auto* tag = form.Row<CUpperEdit>(row.labelId, row.label, row.id);
      tag->SetEditLimits(nullptr, kDialTagLength);
      tag->AddAllowedChar(' ');
      tag->installEventFilter(this);
      auto* dial = Place<CNameEdit>(dtmf_ani::kDialIds[static_cast<std::size_t>(m)], 0, 0, 1, 1);
      SetUpDigitBox(dial, kDialLength, true);
      dial->installEventFilter(this);
      put(tag, dial, kDialTagX + kDialTagWidth + kGap, kDialDigitsWidth);
      put(tag, tag, kDialTagX, kDialTagWidth);
      tags_[static_cast<std::size_t>(m)] = tag;
      dials_[static_cast<std::size_t>(m)] = dial;
      break;
    }
    case DtmfAniKind::kPagingCode: {
      const auto& ids = dtmf_ani::kPagingIds[Column()];
      const auto* at = std::find_if(std::begin(ids), std::end(ids), [&](const auto& p) { return p.code == row.id; });
      if (at == std::end(ids)) break;
      const int i = static_cast<int>(at - std::begin(ids));
      auto* code = DigitBox(form, row, kPagingLength, false);
      auto* decoding = Place<QComboBox>(at->decoding, 0, 0, 1, 1);
      put(code, decoding, kPagingCodeX + kPagingCodeWidth + kGap, kDecodingWidth);
      put(code, code, kPagingCodeX, kPagingCodeWidth);
      pagingCodes_[static_cast<std::size_t>(i)] = code;
      BindChoice(decoding, row, [this, i] { ShowPagingCode(i); });
      break;
    }
    case DtmfAniKind::kChoice:
      break;
  }
}

void CDtmfAniPage::ShowPagingCode(int i) {
  CNameEdit* code = pagingCodes_[static_cast<std::size_t>(i)];
  if (code == nullptr) return;
  const QSignalBlocker block(code);
  code->setText(QString::fromStdString(Dtmf().FormatPagingCode(i)));
  // A code is typed only while its decode is on.
  code->setEnabled(PagingDecodeOn(Dtmf().pagingCodes[static_cast<std::size_t>(i)]));
}

void CDtmfAniPage::RefreshFromData() {
  if (!HasWindow() || pauseCode_ == nullptr) return;
  CSettingsPage::RefreshFromData();
  const CDtmfData& dtmf = Dtmf();
  const auto set = [](QLineEdit* edit, const std::string& text) {
    if (edit == nullptr) return;
    const QSignalBlocker block(edit);
    edit->setText(QString::fromStdString(text));
  };
  set(pauseCode_, std::string(1, PauseCharacterText(dtmf.pauseOptions)));
  SetGroupEnabled(dtmf_ani::kKeyPadGroup, !dtmf_ani::KeyPadGreyed(ModelOf(family_), family_));
  for (int m = 0; m < kDialMemories; ++m) {
    set(tags_[static_cast<std::size_t>(m)], dtmf.DialTagText(m));
    set(dials_[static_cast<std::size_t>(m)], dtmf.FormatDialNumber(m));
    ShowPagingCode(m);
  }
  set(aniCode_, dtmf.FormatAniCode());
  set(aniPttOffCode_, dtmf.FormatAniPttOffCode());
}

void CDtmfAniPage::OnDestroyWindow() {
  pauseCode_ = nullptr;
  CSettingsPage::OnDestroyWindow();
}

bool CDtmfAniPage::eventFilter(QObject* watched, QEvent* event) {
  SelectAllOnEntry(watched, event);
  return CSettingsPage::eventFilter(watched, event);
}

LParam CDtmfAniPage::OnUserMessage(unsigned msg, WParam wParam, LParam) {
  // Every box stores its whole text at each keystroke.
  const int id = static_cast<int>(wParam);
  auto* edit = FindControl<QLineEdit>(Body(), id);
  const std::string text = edit != nullptr ? edit->text().toStdString() : std::string();
  CDtmfData& dtmf = Dtmf();
  if (msg == UM_NAME_EDITED) {
    const auto& paging = dtmf_ani::kPagingIds[Column()];
    const auto* code = std::find_if(std::begin(paging), std::end(paging), [id](const auto& p) { return p.code == id; });
    if (id == dtmf_ani::kPauseCode) {
      dtmf.pauseOptions = static_cast<std::uint8_t>(
          dtmf_field::kPauseCode.bits.Put(dtmf.pauseOptions, static_cast<std::uint32_t>(PauseCharacterValue(text))));
    } else if (const int m = IndexOf(dtmf_ani::kDialIds, id); m >= 0) {
      dtmf.StoreDialNumber(m, text);
    } else if (code != std::end(paging)) {
      dtmf.StorePagingCode(static_cast<int>(code - std::begin(paging)), text);
    } else if (id == dtmf_ani::kAniCode) {
      dtmf.StoreAniCode(text);
    } else if (id == dtmf_ani::kAniPttOffCode) {
      dtmf.StoreAniPttOffCode(text);
    }
    g_dataModified = true;
  } else if (msg == UM_TEXT_EDITED) {
    if (const int m = IndexOf(dtmf_ani::kTagIds, id); m >= 0) {
      dtmf.StoreDialTag(m, text);
      g_dataModified = true;
    }
  }
  return 0;
}
