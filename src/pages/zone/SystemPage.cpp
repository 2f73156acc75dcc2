#include <QApplication>
#include <QLabel>
#include <QStyle>
#include <cstdio>
#include <cstring>
#include <utility>

#include "framework/EditControls.h"
#include "model/FamilyModel.h"
#include "model/MessageBox.h"
#include "model/SystemCopy.h"
#include "model/ZoneGroups.h"
#include "pages/zone/SystemDataCopyDlg.h"
#include "pages/zone/SystemPages.h"
#include "platform/Beep.h"

namespace {

// Templates 163 and 115: 367 x 300 dialog units of a 9-point font.
constexpr QSize kTemplateSize{367, 300};
constexpr int kTemplateFontPoints = 9;

// Where the grid's cells go, in dialog units.
struct GridLayout {
  static constexpr int kLabelX = 0;
  static constexpr int kLabelWidth = 88;
  static constexpr int kDefaultX = 91;
  static constexpr std::array<int, kZoneColumns> kColumnX = {136, 181, 225, 270, 315};
  static constexpr int kCellWidth = 44;
  static constexpr int kCellHeight = 12;
  static constexpr int kRowStep = 12;
  static constexpr int kCaptionY = 20;
  static constexpr int kEnableY = 30;
  static constexpr int kCountY = 42;
  static constexpr int kFormatY = 54;
  static constexpr int kAliasY = 66;
  static constexpr int kUpperRowsY = 78;  // the rows under Alias
  static constexpr int kInterconnectY = 128;
  static constexpr int kHeadingY = 146;
  static constexpr int kLtrRowsY = 160;   // the LTR information
  static constexpr int kLtrAdvancedY = 222;
  static constexpr int kRepeatersY = 240;
  static constexpr int kGroupsY = 257;
  static constexpr int kSysCopyY = 273;
  static constexpr int kButtonHeight = 15;

  // x of a column: kDefaultColumn or 0..4.
  static int X(int column) { return column < 0 ? kDefaultX : kColumnX[static_cast<std::size_t>(column)]; }
};

constexpr int kCountDigits = 3;
constexpr int kAliasLength = 8;
constexpr int kFirstLabelId = 1424;
constexpr int kHeadingId = 1439;
constexpr int kDefaultCaptionId = 1425;

std::string Printf(const char* format, int value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

template <std::size_t N>
int ColumnOf(const std::array<int, N>& ids, WParam id) {
  for (std::size_t c = 0; c < N; ++c)
    if (static_cast<WParam>(ids[c]) == id) return static_cast<int>(c);
  return -1;
}

}  // namespace

CSystemPageBase::CSystemPageBase(Family family, int templateId)
    : CFirstSystemPageBase(templateId, kTemplateSize, kTemplateFontPoints), family_(family) {}

void CSystemPageBase::BuildGrid() {
  using L = GridLayout;
  lines_ = SystemLines(family_, ModelOf(family_), defaults_);
  QWidget* body = Body();
  int labelId = kFirstLabelId;
  const auto label = [&](const char* text, int y) {
    auto* l = Place<QLabel>(labelId++, L::kLabelX, y, L::kLabelWidth, L::kCellHeight);
    l->setText(QString::fromLatin1(text));
    l->setFont(BoldFont());
  };

  // Rows: the Enable row, the counts, the format, the aliases, then the
  // rows under Alias and the LTR information in their own blocks.
  std::vector<int> rowY(lines_.size());
  int upperY = L::kUpperRowsY;
  int ltrY = L::kLtrRowsY;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const SystemLine& l = lines_[i];
    if (l.row == SystemRow::kEnable)
      rowY[i] = L::kEnableY;
    else if (l.row == SystemRow::kFormat)
      rowY[i] = L::kFormatY;
    else if (l.ltrOnly)
      rowY[i] = std::exchange(ltrY, ltrY + L::kRowStep);
    else
      rowY[i] = std::exchange(upperY, upperY + L::kRowStep);
  }

  auto* prev = Place<CRepeatButton>(system_page::kPrevZone, L::kColumnX[0], 0, 30, 20);
  prev->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
  prev->SetupRepeat(this, &m_firstSystem, m_firstSystem, true, 1, 0, kLastFirstSystem);
  connect(prev, &QPushButton::clicked, this, [this] { StepZone(-1); });
  auto* next = Place<CRepeatButton>(system_page::kNextZone, 330, 0, 30, 20);
  next->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
  next->SetupRepeat(this, &m_firstSystem, m_firstSystem, false, 1, 0, kLastFirstSystem);
  connect(next, &QPushButton::clicked, this, [this] { StepZone(1); });

  auto* caption = Place<QLabel>(kDefaultCaptionId, L::kDefaultX, L::kCaptionY, L::kCellWidth, 10);
  caption->setText(QStringLiteral("Default"));
  caption->setAlignment(Qt::AlignCenter);
  for (int c = 0; c < kZoneColumns; ++c) {
    headers_[c] = Place<QLabel>(system_page::kHeaders[c], L::X(c), L::kCaptionY, L::kCellWidth, 10);
    headers_[c]->setAlignment(Qt::AlignCenter);
  }
  label("Number of Groups", L::kCountY);
  label("Alias", L::kAliasY);
  for (std::size_t i = 0; i < lines_.size(); ++i)
    if (*lines_[i].line.caption != '\0') label(lines_[i].line.caption, rowY[i]);
  auto* heading = Place<QLabel>(kHeadingId, L::kLabelX, L::kHeadingY, 120, L::kCellHeight);
  heading->setText(QStringLiteral("LTR Information"));
  heading->setFont(BoldFont());

  // Cells in the Tab order: the Default column, then column by column.
  const auto cell = [&](int id, int column, int y) {
    auto* c = Place<CLinkStatic>(id, L::X(column), y, L::kCellWidth, L::kCellHeight);
    c->setFrameStyle(QFrame::Box | QFrame::Plain);
    c->setAlignment(Qt::AlignCenter);
    // The desktop font is wider than the template's: "Conventional" must fit.
    QFont f = c->font();
    f.setPointSizeF(f.pointSizeF() - 1);
    c->setFont(f);
    return c;
  };
  std::vector<CLinkStatic*> defaults(lines_.size(), nullptr);
  for (std::size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i].ids[0] != 0) defaults[i] = cell(lines_[i].ids[0], kDefaultColumn, rowY[i]);
  std::vector<std::vector<CLinkStatic*>> cells(lines_.size());
  for (int c = 0; c < kZoneColumns; ++c) {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      cells[i].push_back(cell(lines_[i].ids[static_cast<std::size_t>(c) + 1], c, rowY[i]));
      if (lines_[i].row == SystemRow::kEnable) {
        // Digits only: a blank or a sign would make "0" of a count.
        auto* count = Place<CValueEdit>(system_page::kCounts[c], L::X(c), L::kCountY, L::kCellWidth, L::kCellHeight);
        count->SetupValueEdit({.intDigits = kCountDigits});
        for (const char ch : {' ', '+', '-'}) count->AddRejectedChar(ch);
        counts_[c] = count;
      } else if (lines_[i].row == SystemRow::kFormat) {
        auto* alias = Place<CUpperEdit>(system_page::kAliases[c], L::X(c), L::kAliasY, L::kCellWidth, L::kCellHeight);
        alias->SetEditLimits(nullptr, kAliasLength);
        alias->AddAllowedChar(' ');
        aliases_[c] = alias;
      }
    }
    repeaters_[c] = Place<CFlatButton>(system_page::kRepeaters[c], L::X(c), L::kRepeatersY, L::kCellWidth + 1, L::kButtonHeight);
    repeaters_[c]->setText(QStringLiteral("Repeaters"));
    groups_[c] = Place<CFlatButton>(system_page::kGroups[c], L::X(c), L::kGroupsY, L::kCellWidth + 1, L::kButtonHeight);
    groups_[c]->setText(QStringLiteral("Groups"));
    sysCopy_[c] = Place<CFlatButton>(system_page::kSysCopy[c], L::X(c), L::kSysCopyY, L::kCellWidth + 1, L::kButtonHeight);
    sysCopy_[c]->setText(QStringLiteral("Sys Copy"));
    sysCopy_[c]->hide();
    connect(sysCopy_[c], &QPushButton::clicked, this, [this, c] { OnSysCopy(c); });
  }
  auto* interconnect = Place<CFlatButton>(system_page::kInterconnect, 135, L::kInterconnectY, 225, L::kButtonHeight);
  interconnect->setText(QStringLiteral("Interconnect Setting"));
  auto* advanced = Place<CFlatButton>(system_page::kLtrAdvanced, 135, L::kLtrAdvancedY, 225, L::kButtonHeight);
  advanced->setText(QStringLiteral("LTR Advanced features"));
  for (int id : {system_page::kInterconnect, system_page::kLtrAdvanced})
    connect(FindControl<QPushButton>(body, id), &QPushButton::clicked, this, [this, id] { OnButton(id); });
  for (int c = 0; c < kZoneColumns; ++c) {
    for (int id : {system_page::kRepeaters[c], system_page::kGroups[c]})
      connect(FindControl<QPushButton>(body, id), &QPushButton::clicked, this, [this, id] { OnButton(id); });
  }

  // The lines, in their order: the look rule gets the binder's number.
  grid_.SetItemCount([] { return kZoneCount; });
  lineRows_.clear();
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const SystemLine& l = lines_[i];
    auto* list = Place<CHotListBox>(l.listId, 0, 0, 10, 10);
    list->hide();
    GridListLine line{l.line, list, cells[i], defaults[i], l.listRows, l.afterCommit, l.hookStores};
    if (l.row == SystemRow::kEnable)
      line.afterCommit = [this](int item, std::uint32_t, std::uint32_t value) { OnEnableChosen(item, value); };
    grid_.AddLine(std::move(line));
    lineRows_.push_back(static_cast<int>(i));
  }
  CRadioDataCore& data = ModelOf(family_).radioData;
  countLine_ = grid_.AddEditLine(
      {{counts_.begin(), counts_.end()},
       [&data](int item) { return QString::number(data.GetSystemGroupCount(item)); },
       [this](int item, const QString& text) { return CommitCount(item, text); }});
  lineRows_.push_back(-1);
  aliasLine_ = grid_.AddEditLine(
      {{aliases_.begin(), aliases_.end()},
       [&data](int item) {
         // The blanks that pad the slot are not part of what the user typed.
         const Text9& name = data.m_zoneNames[static_cast<std::size_t>(item)];
         QString text = QString::fromLatin1(name.data(), static_cast<int>(strnlen(name.data(), kAliasLength)));
         while (text.endsWith(QLatin1Char(' '))) text.chop(1);
         return text;
       },
       // Stored at each keystroke: merely passing through leaves a file's
       // alias as it was.
       nullptr});
  lineRows_.push_back(-1);
  grid_.SetLookRule([this](int line, int item) { return LookOf(line, item); });
  grid_.SetAfterRefresh([this] { UpdateButtons(); });
}

CellLook CSystemPageBase::LookOf(int line, int item) const {
  const CRadioDataCore& data = ModelOf(family_).radioData;
  const int row = line >= 0 && line < static_cast<int>(lineRows_.size()) ? lineRows_[static_cast<std::size_t>(line)] : -1;
  const SystemLine* l = row >= 0 ? &lines_[static_cast<std::size_t>(row)] : nullptr;
  if (l != nullptr && l->row == SystemRow::kEnable) return CellLook::Editable;
  if (!data.IsZoneEnabled(item)) return CellLook::Disabled;
  // Zone kinds other than LTR and conventional keep their LTR rows open.
  if (l != nullptr && l->ltrOnly && ZoneKindOf(data, item) == ZoneKind::kConventional) return CellLook::Disabled;
  return CellLook::Editable;
}

void CSystemPageBase::UpdateButtons() {
  const CRadioDataCore& data = ModelOf(family_).radioData;
  for (int c = 0; c < kZoneColumns; ++c) {
    const int zone = m_firstSystem + c;
    if (headers_[c] != nullptr) headers_[c]->setText(QString::fromStdString(Printf("Zone %2d", zone + 1)));
    const bool inUse = data.IsZoneEnabled(zone);
    if (repeaters_[c] != nullptr) repeaters_[c]->setEnabled(inUse && ZoneKindOf(data, zone) != ZoneKind::kConventional);
    // A zone switched on with no group yet has no group page to show.
    if (groups_[c] != nullptr) groups_[c]->setEnabled(inUse && data.GetSystemGroupCount(zone) > 0);
    if (sysCopy_[c] != nullptr) sysCopy_[c]->setEnabled(inUse);
  }
}

// ---------------------------------------------------------------------------
// Group counts and zone switching

void CSystemPageBase::ReportZoneOff(int zone, bool emergency, bool home) {
  if (emergency) ShowMessageBox(Printf("Delete Emergency System %d", zone + 1));
  if (home) ShowMessageBox(Printf("Delete Home System %d", zone + 1));
}

void CSystemPageBase::OnEnableChosen(int zone, std::uint32_t value) {
  if (zone < 0) return;
  CFamilyModel& model = ModelOf(family_);
  if (value == 0) {
    const ZoneOffResult off = DisableZone(model, zone);
    ReportZoneOff(zone, off.emergencyCleared, off.homeCleared);
  } else {
    EnableZone(model, zone);
  }
}

bool CSystemPageBase::CommitCount(int zone, const QString& text) {
  // The edit holds digits only; "", "0" and "00" alike are a count of 0.
  const ZoneOffResult r = CommitGroupCount(ModelOf(family_), zone, text.toInt());
  ReportZoneOff(zone, r.emergencyCleared, r.homeCleared);
  if (!r.count.changed) grid_.Refresh();  // shows what the count is
  return r.count.changed;
}

void CSystemPageBase::CheckGroupTotal(int column) {
  CValueEdit* edit = counts_[static_cast<std::size_t>(column)];
  const int zone = m_firstSystem + column;
  g_dataModified = true;
  const CRadioDataCore& data = ModelOf(family_).radioData;
  if (edit == nullptr || GroupCountFits(data, zone, edit->text().toInt())) return;
  // The count goes back before the box takes the focus, so the commit that
  // the focus loss runs sees the zone's own count.
  edit->setText(QString::number(data.GetSystemGroupCount(zone)));
  ShowMessageBox("Too many groups");
}

void CSystemPageBase::StoreAlias(int zone, const QString& text) {
  Text9& name = ModelOf(family_).radioData.m_zoneNames[static_cast<std::size_t>(zone)];
  const QByteArray typed = text.toUpper().toLatin1().left(kAliasLength);
  Text9 now{};
  for (int i = 0; i < kAliasLength; ++i) now[static_cast<std::size_t>(i)] = i < typed.size() ? typed[i] : ' ';
  name = now;
  g_dataModified = true;
}

// ---------------------------------------------------------------------------
// Copying a zone's settings

void CSystemPageBase::OnSysCopy(int column) {
  if (column < 0 || column >= kZoneColumns) return;
  const int source = m_firstSystem + column;
  grid_.CommitFocusedEdit();
  grid_.Dismiss();
  MessageBeep();
  CSystemDataCopyDlg dialog(source, window());
  dialog.exec();
  CopySystem(dialog.Result(), source);
}

void CSystemPageBase::CopySystem(int destination, int source) {
  if (!CopyZoneSettings(ModelOf(family_).radioData, destination, source)) return;
  g_dataModified = true;
  RefreshGrid();
}

// ---------------------------------------------------------------------------
// Navigation

void CSystemPageBase::Navigate(unsigned msg, WParam wParam, LParam lParam) {
  MessageBeep();
  grid_.CommitFocusedEdit();
  PostToMainWindow(this, msg, wParam, lParam);
}

void CSystemPageBase::OnButton(int id) {
  const CRadioDataCore& data = ModelOf(family_).radioData;
  if (id == system_page::kInterconnect) return Navigate(UM_OPEN_INTERCONNECT, 0, m_firstSystem);
  if (id == system_page::kLtrAdvanced) return Navigate(UM_OPEN_LTR_ADVANCED, 0, m_firstSystem);
  if (const int c = ColumnOf(system_page::kRepeaters, static_cast<WParam>(id)); c >= 0)
    return Navigate(UM_OPEN_REPEATER, static_cast<WParam>(m_firstSystem + c), 0);
  if (const int c = ColumnOf(system_page::kGroups, static_cast<WParam>(id)); c >= 0) {
    const int zone = m_firstSystem + c;
    Navigate(ZoneKindOf(data, zone) == ZoneKind::kLtr ? UM_OPEN_LTR_GROUPS : UM_OPEN_CONV_GROUPS,
             static_cast<WParam>(zone), 0);
  }
}

LParam CSystemPageBase::OnUserMessage(unsigned msg, WParam wParam, LParam lParam) {
  switch (msg) {
    case UM_BUTTON_ENTER: {
      const bool known = wParam == system_page::kPrevZone || wParam == system_page::kNextZone ||
                         wParam == system_page::kInterconnect || wParam == system_page::kLtrAdvanced ||
                         ColumnOf(system_page::kRepeaters, wParam) >= 0 || ColumnOf(system_page::kGroups, wParam) >= 0;
      auto* button = known ? FindControl<QPushButton>(Body(), static_cast<int>(wParam)) : nullptr;
      if (button != nullptr && button->isEnabled()) button->click();
      return 0;
    }
    case UM_VALUE_EDITED:
      if (const int c = ColumnOf(system_page::kCounts, wParam); c >= 0) CheckGroupTotal(c);
      return 0;
    case UM_TEXT_EDITED:
      if (const int c = ColumnOf(system_page::kAliases, wParam); c >= 0 && aliases_[c] != nullptr) {
        StoreAlias(m_firstSystem + c, aliases_[c]->text());
      }
      return 0;
    default:
      return CFirstSystemPageBase::OnUserMessage(msg, wParam, lParam);
  }
}

void CSystemPageBase::OnDestroyWindow() {
  // A count still being typed commits as its focus loss would.
  CFirstSystemPageBase::OnDestroyWindow();
  counts_ = {};
  aliases_ = {};
}
