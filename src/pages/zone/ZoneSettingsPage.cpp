#include <QLabel>
#include <QStyle>
#include <cstdio>
#include <string>

#include "framework/ButtonsAndLists.h"
#include "framework/EditControls.h"
#include "model/FamilyModel.h"
#include "model/MessageBox.h"
#include "model/Privilege.h"
#include "model/ZoneGroups.h"
#include "model/ZoneSettingsText.h"
#include "pages/zone/ZoneSettingsPages.h"
#include "platform/Beep.h"

namespace {

namespace ids = zone_settings_page;

// Templates 167/116 and 168/117: 367 x 300 dialog units of a 9-point font.
constexpr QSize kTemplateSize{367, 300};
constexpr int kTemplateFontPoints = 9;
constexpr int kCellHeight = 12;
constexpr int kIdentifierDigits = 3;
constexpr int kIdentifierLargest = 999;
constexpr int kDisconnectDigits = 1;

constexpr ZoneGridFrame kLtrAdvancedFrame{"LTR advanced Features", 95, 40, 12, 95, 140, 330, 35, 230};
constexpr ZoneGridFrame kInterconnectFrame{"Interconnect setting", 85, 35, 10, 85, 130, 325, 30, 220};

std::string ZoneHead(int zone) {
  char text[32];
  std::snprintf(text, sizeof text, "Zone %2d", zone + 1);
  return text;
}

}  // namespace

CZoneSettingsPage::CZoneSettingsPage(Family family, int templateId, const ZoneGridFrame& frame)
    : CFirstSystemPageBase(templateId, kTemplateSize, kTemplateFontPoints), family_(family), frame_(frame) {}

void CZoneSettingsPage::BuildGrid() {
  lines_ = Lines();
  auto* prev = Place<CRepeatButton>(ids::kPrevZone, frame_.prevX, 0, 30, 20);
  prev->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
  prev->SetupRepeat(this, &m_firstSystem, m_firstSystem, true, 1, 0, kLastFirstSystem);
  connect(prev, &QPushButton::clicked, this, [this] { StepZone(-1); });
  auto* close = Place<CFlatButton>(ids::kClose, frame_.closeX, 0, 45, 15);
  close->setText(QStringLiteral("Close"));
  connect(close, &QPushButton::clicked, this, [this] { Navigate(UM_OPEN_SYSTEM_PAGE, m_firstSystem); });
  auto* next = Place<CRepeatButton>(ids::kNextZone, frame_.nextX, 0, frame_.nextWidth, 20);
  next->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
  next->SetupRepeat(this, &m_firstSystem, m_firstSystem, false, 1, 0, kLastFirstSystem);
  connect(next, &QPushButton::clicked, this, [this] { StepZone(1); });

  auto* heading = Place<QLabel>(ids::kHeading, frame_.defaultX, 25, 270, 8);
  heading->setText(QString::fromLatin1(frame_.heading));
  heading->setAlignment(Qt::AlignCenter);
  heading->setFont(BoldFont());
  auto* defaultHead = Place<QLabel>(0, frame_.defaultX, frame_.headY, 45, frame_.headHeight);
  defaultHead->setText(QStringLiteral("Default"));
  defaultHead->setFrameStyle(QFrame::Box | QFrame::Plain);
  for (int c = 0; c < kZoneColumns; ++c) {
    headers_[c] = Place<QLabel>(ids::kHeaders[c], X(c), frame_.headY, 45, frame_.headHeight);
    headers_[c]->setFrameStyle(QFrame::Box | QFrame::Plain);
    headers_[c]->setAlignment(Qt::AlignCenter);
  }

  const bool manufacturer = g_manufacturerMode;
  const auto shown = [manufacturer](const ZoneSettingsLine& l) { return manufacturer || !l.manufacturerOnly; };
  for (const ZoneSettingsLine& l : lines_) {
    if (l.captionId == 0) continue;
    auto* caption = Place<QLabel>(l.captionId, 0, l.y, frame_.captionWidth, kCellHeight);
    caption->setText(QString::fromLatin1(l.line.caption));
    caption->setFont(BoldFont());
    caption->setVisible(shown(l));
  }
  BuildOwnControls();

  // The lists first, then the cells in the Tab order: the Default column,
  // then column by column.
  std::vector<CHotListBox*> lists(lines_.size(), nullptr);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind != ZoneCellKind::kChoice) continue;
    lists[i] = Place<CHotListBox>(lines_[i].listId, 0, 0, 10, 10);
    lists[i]->hide();
  }
  const auto place = [&](const ZoneSettingsLine& l, int column) -> QWidget* {
    const int id = l.ids[static_cast<std::size_t>(column + 1)];
    const int x = X(column) + l.dx;
    QWidget* w = nullptr;
    switch (l.kind) {
      case ZoneCellKind::kChoice: {
        auto* cell = Place<CLinkStatic>(id, x, l.y, l.width, kCellHeight);
        cell->setFrameStyle(QFrame::Box | QFrame::Plain);
        cell->setAlignment(Qt::AlignCenter);
        w = cell;
        break;
      }
      case ZoneCellKind::kIdentifier: {
        auto* edit = Place<CValueEdit>(id, x, l.y, l.width, kCellHeight);
        // Digits only: a blank or a sign would be read as no number.
        edit->SetupValueEdit({.intDigits = kIdentifierDigits, .maxValue = kIdentifierLargest});
        for (const char ch : {' ', '+', '-'}) edit->AddIgnoredChar(ch);
        w = edit;
        break;
      }
      case ZoneCellKind::kConnectDial:
      case ZoneCellKind::kDisconnectDial: {
        auto* edit = Place<CNameEdit>(id, x, l.y, l.width, kCellHeight);
        edit->SetEditLimits(nullptr, l.kind == ZoneCellKind::kConnectDial ? kConnectDialDigits : kDisconnectDigits);
        for (const char ch : {'*', '#'}) edit->AddAllowedChar(ch);
        for (const char ch : {'e', 'f', 'E', 'F'}) edit->AddRejectedChar(ch);
        w = edit;
        break;
      }
    }
    if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->setAlignment(Qt::AlignCenter);
    w->setVisible(shown(l));
    return w;
  };
  std::vector<QWidget*> defaults(lines_.size(), nullptr);
  for (std::size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i].ids[0] != 0) defaults[i] = place(lines_[i], kDefaultColumn);
  std::vector<std::vector<QWidget*>> cells(lines_.size());
  for (int c = 0; c < kZoneColumns; ++c)
    for (std::size_t i = 0; i < lines_.size(); ++i) cells[i].push_back(place(lines_[i], c));

  grid_.SetItemCount([] { return kZoneCount; });
  const CRadioDataCore& data = ModelOf(family_).radioData;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const ZoneSettingsLine& l = lines_[i];
    if (l.kind == ZoneCellKind::kChoice) {
      GridListLine line;
      line.line = l.line;
      line.list = lists[i];
      line.defaultCell = static_cast<CLinkStatic*>(defaults[i]);
      line.listRows = l.listRows;
      for (QWidget* w : cells[i]) line.cells.push_back(static_cast<CLinkStatic*>(w));
      line.commitOnSelect = l.commitOnSelect;
      if (l.fixedPlace) line.fixedPlace = [this](int column) { return FixedListPlace(column); };
      grid_.AddLine(std::move(line));
      continue;
    }
    GridEditLine line;
    for (QWidget* w : cells[i]) line.edits.push_back(static_cast<QLineEdit*>(w));
    line.defaultEdit = static_cast<QLineEdit*>(defaults[i]);
    line.text = [this, i](int item) { return EditText(lines_[i], item); };
    line.edited = [this, i](int item, const QString& text) { return OnEdited(lines_[i], item, text); };
    if (l.shownFor != ZoneSettingsLine::ShownFor::kAll) {
      const bool ltr = l.shownFor == ZoneSettingsLine::ShownFor::kLtr;
      line.shown = [&data, ltr](int item) { return (ZoneKindOf(data, item) == ZoneKind::kLtr) == ltr; };
    }
    grid_.AddEditLine(std::move(line));
  }
  grid_.SetLookRule([this, &data](int, int item) {
    return data.IsZoneEnabled(item) && ZoneKindEditable(item) ? CellLook::Editable : CellLook::Disabled;
  });
  grid_.SetAfterRefresh([this] { UpdateHeads(); });
}

QRect CZoneSettingsPage::FixedListPlace(int column) const {
  // Over the column heads, at the same place whatever row was clicked; the
  // last column's opens left of the fourth's.
  static constexpr int kX[] = {131, 171, 211, 251, 291, 262};
  QRect place = Units().ToPixels(kX[column + 1], 37, 58, 34);
  // The columns stand further right where a row label made room for itself.
  if (headers_[0] != nullptr) place.translate(headers_[0]->x() - Units().ToPixelsX(X(0)), 0);
  return place;
}

void CZoneSettingsPage::UpdateHeads() {
  for (int c = 0; c < kZoneColumns; ++c)
    if (headers_[c] != nullptr) headers_[c]->setText(QString::fromStdString(ZoneHead(m_firstSystem + c)));
}

QString CZoneSettingsPage::EditText(const ZoneSettingsLine& l, int item) const {
  switch (l.kind) {
    case ZoneCellKind::kIdentifier:
      return QString::fromStdString(IdentifierText(static_cast<std::uint8_t>(l.line.Value(item))));
    case ZoneCellKind::kConnectDial: {
      // The padding the dial's text ends in is not shown: a digit typed at
      // its end goes on the dial.
      QString text = QString::fromStdString(ConnectDialText(ModelOf(family_).radioData, item));
      while (text.endsWith(QLatin1Char(' '))) text.chop(1);
      return text;
    }
    case ZoneCellKind::kDisconnectDial:
      return QString(QLatin1Char(DialDigitChar(static_cast<int>(l.line.Value(item)))));
    case ZoneCellKind::kChoice:
      break;
  }
  return {};
}

EditOutcome CZoneSettingsPage::OnEdited(const ZoneSettingsLine& l, int item, const QString& text) {
  const std::string typed = text.toStdString();
  switch (l.kind) {
    case ZoneCellKind::kIdentifier: {
      const std::optional<std::uint8_t> id = ParseIdentifier(typed);
      if (!id) {
        ShowMessageBox(kBadIdentifierText);
        return EditOutcome::kRefused;
      }
      l.line.Store(item, *id, kZoneCount);
      return EditOutcome::kStored;
    }
    case ZoneCellKind::kConnectDial:
      if (item < 0) return EditOutcome::kNothing;
      StoreConnectDial(ModelOf(family_).radioData, item, typed);
      return EditOutcome::kStored;
    case ZoneCellKind::kDisconnectDial:
      l.line.Store(item, static_cast<std::uint32_t>(typed.empty() ? 0 : DialCharValue(typed[0])), kZoneCount);
      return EditOutcome::kStored;
    case ZoneCellKind::kChoice:
      break;
  }
  return EditOutcome::kNothing;
}

void CZoneSettingsPage::Navigate(unsigned msg, LParam lParam) {
  MessageBeep();
  PostToMainWindow(this, msg, 0, lParam);
}

LParam CZoneSettingsPage::OnUserMessage(unsigned msg, WParam wParam, LParam lParam) {
  switch (msg) {
    case UM_BUTTON_ENTER: {
      const int id = static_cast<int>(wParam);
      const bool known = id == ids::kPrevZone || id == ids::kNextZone || id == ids::kClose || IsOwnButton(id);
      auto* button = known ? FindControl<QPushButton>(Body(), id) : nullptr;
      if (button != nullptr && button->isEnabled()) button->click();
      return 0;
    }
    default:
      return CFirstSystemPageBase::OnUserMessage(msg, wParam, lParam);
  }
}

void CZoneSettingsPage::OnDestroyWindow() {
  CFirstSystemPageBase::OnDestroyWindow();
  headers_ = {};
}

// ---------------------------------------------------------------------------
// LTR advanced features

CLtrAdvancedPageBase::CLtrAdvancedPageBase(Family family, int templateId)
    : CZoneSettingsPage(family, templateId, kLtrAdvancedFrame) {}

std::vector<ZoneSettingsLine> CLtrAdvancedPageBase::Lines() { return LtrAdvancedLines(ModelOf(PageFamily()), defaults_); }

// Only an LTR zone has these settings: any other's bytes 2..9 are its
// Connect Dial.
bool CLtrAdvancedPageBase::ZoneKindEditable(int zone) const {
  return ZoneKindOf(ModelOf(PageFamily()).radioData, zone) == ZoneKind::kLtr;
}

void CLtrAdvancedPageBase::BuildOwnControls() {
  auto* block = Place<QLabel>(1433, 0, 112, 95, kCellHeight);
  block->setText(QStringLiteral("Block ID's setting"));
  block->setFont(BoldFont());
  auto* button = Place<CFlatButton>(zone_settings_page::kInterconnect, 115, 185, 225, 15);
  button->setText(QStringLiteral("Interconnect Setting"));
  connect(button, &QPushButton::clicked, this, [this] { OnOwnButton(zone_settings_page::kInterconnect); });
}

void CLtrAdvancedPageBase::OnOwnButton(int id) {
  if (id == zone_settings_page::kInterconnect) Navigate(UM_OPEN_INTERCONNECT, m_firstSystem);
}

// ---------------------------------------------------------------------------
// Interconnect settings

CInterconnectPageBase::CInterconnectPageBase(Family family, int templateId)
    : CZoneSettingsPage(family, templateId, kInterconnectFrame) {}

std::vector<ZoneSettingsLine> CInterconnectPageBase::Lines() {
  return InterconnectLines(PageFamily(), ModelOf(PageFamily()), defaults_);
}
