#include "pages/group/GroupPageBase.h"

#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QStyle>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>

#include "framework/EditControls.h"
#include "model/FamilyModel.h"
#include "model/MessageBox.h"
#include "platform/Beep.h"

namespace {

// Where the grid goes, in dialog units.
struct GridLayout {
  static constexpr int kLabelX = 0;
  static constexpr int kLabelWidth = 84;
  static constexpr int kDefaultX = 85;
  static constexpr int kFirstColumnX = 125;
  static constexpr int kColumnStep = 40;
  static constexpr int kCellWidth = 40;
  static constexpr int kCellHeight = 12;
  static constexpr int kHeaderY = 2;
  static constexpr int kButtonsY = 15;
  static constexpr int kHeadingY = 35;
  static constexpr int kViewButtonGap = 18;

  static int X(int column) { return column < 0 ? kDefaultX : kFirstColumnX + kColumnStep * column; }
};

constexpr int kTagLength = 8;
constexpr int kIdDigits = 3;
constexpr int kIdMaxValue = 999;
constexpr int kGroupNumberLabel = 1424;
constexpr int kDefaultCaption = 1425;
constexpr int kNumberCaption = 1449;
constexpr int kAliasCaption = 1450;
constexpr int kFormatCaption = 1451;
constexpr const char* kIdMessage = "The code you set up is wrong.\nYou can set up between 1 to 250.";

std::string Printf(const char* format, int value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// A zone alias or group tag as its cell shows it: the blanks that pad the
// 8 characters are not part of what was typed.
QString PaddedText(const char* text) {
  QString s = QString::fromLatin1(text, static_cast<int>(strnlen(text, kTagLength)));
  while (s.endsWith(QLatin1Char(' '))) s.chop(1);
  return s;
}

CellLook LookOfState(GroupCellState state) {
  switch (state) {
    case GroupCellState::kOpen:
      return CellLook::Editable;
    case GroupCellState::kReadOnly:
      return CellLook::ReadOnly;
    case GroupCellState::kDefault:
      return CellLook::DefaultColumn;
    case GroupCellState::kClosed:
      break;
  }
  return CellLook::Disabled;
}

}  // namespace

CGroupPageBase::CGroupPageBase(Family family, GroupZoneKind kind, GroupView view, int templateId)
    : CZonePageBase(templateId), family_(family), kind_(kind), view_(view) {}

ZoneGroupRange CGroupPageBase::Range() const { return GroupRangeOf(ModelOf(family_).radioData, m_zone); }

void CGroupPageBase::BuildGrid() {
  using L = GridLayout;
  edits_.clear();
  txEdited_.reset();
  rows_ = MakeGroupRows(family_, kind_, view_, ModelOf(family_), m_zone);
  firstVisible_ = Range().first;
  const ZoneGroupRange range = Range();
  const auto label = [&](int id, const char* text, int x, int y, int width, bool bold) {
    auto* l = Place<QLabel>(id, x, y, width, L::kCellHeight);
    l->setText(QString::fromUtf8(text));
    if (bold) l->setFont(BoldFont());
    return l;
  };
  const auto field = [&](int id, int x, int width) {
    auto* l = Place<QLabel>(id, x, L::kHeaderY, width, L::kCellHeight - 2);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return l;
  };

  // The header: the zone's number, alias and format.
  label(kNumberCaption, "Zone #", 0, L::kHeaderY, 28, false);
  field(group_page::kZoneNumber, 28, 20);
  label(kAliasCaption, "Alias", 54, L::kHeaderY, 22, false);
  field(group_page::kAlias, 76, 45);
  label(kFormatCaption, "Zone format", 127, L::kHeaderY, 45, false);
  field(group_page::kZoneFormat, 172, 55);

  // The buttons over the columns.
  const int maxFirst = std::max(range.first, range.End() - kGroupColumns);
  auto* left = Place<CRepeatButton>(group_page::kScrollLeft, L::kDefaultX, L::kButtonsY, 30, 20);
  left->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
  left->SetupRepeat(this, &firstVisible_, firstVisible_, true, 1, range.first, maxFirst);
  connect(left, &QPushButton::clicked, this, [this] { OnButton(group_page::kScrollLeft); });
  auto* close = Place<CFlatButton>(group_page::kClose, 200, L::kButtonsY, 45, 15);
  close->setText(QStringLiteral("Close"));
  connect(close, &QPushButton::clicked, this, [this] { OnButton(group_page::kClose); });
  auto* right = Place<CRepeatButton>(group_page::kScrollRight, 335, L::kButtonsY, 30, 20);
  right->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
  right->SetupRepeat(this, &firstVisible_, firstVisible_, false, 1, range.first, maxFirst);
  connect(right, &QPushButton::clicked, this, [this] { OnButton(group_page::kScrollRight); });

  // Headings and row labels.
  label(kGroupNumberLabel, "Group #", L::kLabelX, L::kHeadingY, L::kLabelWidth, true);
  auto* caption = label(kDefaultCaption, "Default", L::kDefaultX, L::kHeadingY, L::kCellWidth, false);
  caption->setAlignment(Qt::AlignCenter);
  for (int c = 0; c < kGroupColumns; ++c) {
    headings_[c] = label(group_page::kHeadings[c], c == 0 ? "Grp  #1" : "", L::X(c), L::kHeadingY, L::kCellWidth, false);
    headings_[c]->setAlignment(Qt::AlignCenter);
  }
  int lastY = L::kHeadingY;
  for (const GroupRow& row : rows_.rows) {
    if (*row.label != '\0') label(row.labelId, row.label, L::kLabelX, row.y, L::kLabelWidth, true);
    lastY = std::max(lastY, row.y);
  }
  for (const GroupPageRows::Note& note : rows_.notes)
    label(note.id, note.text, L::kDefaultX, note.y, 280, false)->setAlignment(Qt::AlignCenter);

  // Cells in the Tab order: the Default column, then column by column.
  const auto cell = [&](int id, int column, int y) {
    auto* c = Place<CLinkStatic>(id, L::X(column), y, L::kCellWidth, L::kCellHeight);
    c->setFrameStyle(QFrame::Box | QFrame::Plain);
    c->setAlignment(Qt::AlignCenter);
    QFont f = c->font();
    f.setPointSizeF(f.pointSizeF() - 1);
    c->setFont(f);
    return c;
  };
  const std::size_t n = rows_.rows.size();
  std::vector<CLinkStatic*> defaults(n, nullptr);
  for (std::size_t i = 0; i < n; ++i)
    if (rows_.rows[i].defaultId != 0) defaults[i] = cell(rows_.rows[i].defaultId, kDefaultColumn, rows_.rows[i].y);
  std::vector<std::vector<CLinkStatic*>> cells(n);
  std::vector<std::array<QPointer<QLineEdit>, kGroupColumns>> edits(n);
  for (int c = 0; c < kGroupColumns; ++c) {
    for (std::size_t i = 0; i < n; ++i) {
      const GroupRow& row = rows_.rows[i];
      const int id = row.ids[static_cast<std::size_t>(c)];
      switch (row.kind) {
        case GroupRowKind::kOnOff:
        case GroupRowKind::kValue:
          cells[i].push_back(cell(id, c, row.y));
          break;
        case GroupRowKind::kTag: {
          auto* tag = Place<CUpperEdit>(id, L::X(c), row.y, L::kCellWidth, L::kCellHeight);
          tag->SetEditLimits(nullptr, kTagLength);
          tag->AddAllowedChar(' ');
          edits[i][c] = tag;
          break;
        }
        case GroupRowKind::kReadOnly: {
          // Plain text: no focus, no typing.
          auto* shown = Place<QLineEdit>(id, L::X(c), row.y, L::kCellWidth, L::kCellHeight);
          shown->setReadOnly(true);
          shown->setFocusPolicy(Qt::NoFocus);
          shown->setAlignment(Qt::AlignCenter);
          edits[i][c] = shown;
          continue;
        }
        case GroupRowKind::kTxId:
        case GroupRowKind::kRxId: {
          auto* edit = Place<CValueEdit>(id, L::X(c), row.y, L::kCellWidth, L::kCellHeight);
          edit->SetupValueEdit({.intDigits = kIdDigits, .maxValue = kIdMaxValue, .nextOnEnter = row.kind == GroupRowKind::kTxId});
          for (const char ch : {' ', '+', '-'}) edit->AddAllowedChar(ch);
          edits[i][c] = edit;
          break;
        }
      }
      if (edits[i][c] != nullptr) edits[i][c]->setAlignment(Qt::AlignCenter);
    }
  }
  auto* view = Place<CFlatButton>(rows_.viewButtonId, L::kDefaultX, lastY + L::kViewButtonGap, 280, 15);
  view->setText(QString::fromLatin1(rows_.viewButtonText));
  const int viewId = rows_.viewButtonId;
  connect(view, &QPushButton::clicked, this, [this, viewId] { OnButton(viewId); });

  // The lines, in row order: the look rule gets the binder's number.
  grid_.SetItemCount([this] { return Range().count == 0 ? 0 : kGroupCount; });
  lineRows_.clear();
  std::map<int, CHotListBox*> lists;
  CRadioDataCore& data = ModelOf(family_).radioData;
  for (std::size_t i = 0; i < n; ++i) {
    const GroupRow& row = rows_.rows[i];
    if (row.kind == GroupRowKind::kOnOff || row.kind == GroupRowKind::kValue) {
      CHotListBox*& list = lists[row.listId];
      if (list == nullptr) {
        list = Place<CHotListBox>(row.listId, 0, 0, 10, 10);
        list->hide();
      }
      const int line = grid_.AddLine({row.line, list, cells[i], defaults[i], row.listRows, row.afterCommit, row.hookStores});
      // A list several cells wide opens left of its cell in the last three
      // columns, so it stays on the page.
      if (row.listColumns > 1)
        grid_.SetListPlacement(line, row.listColumns, [](int column) { return column >= kGroupColumns / 2; });
    } else {
      GridEditLine line;
      line.edits.assign(edits[i].begin(), edits[i].end());
      if (row.kind == GroupRowKind::kReadOnly) {
        line.text = [read = row.readText](int g) { return QString::fromStdString(read ? read(g) : std::string()); };
      } else if (row.kind == GroupRowKind::kTag) {
        line.text = [&data](int g) { return PaddedText(data.m_groups[static_cast<std::size_t>(g)].tag.data()); };
      } else {
        const GroupField id = row.kind == GroupRowKind::kTxId ? group_field::kTxId : group_field::kRxId;
        line.text = [&data, id](int g) {
          return QString::fromStdString(
              GroupIdText(static_cast<std::uint8_t>(data.m_groups[static_cast<std::size_t>(g)].Value(id))));
        };
        if (row.kind == GroupRowKind::kTxId) line.commit = [this](int g, const QString&) { return CopyTxToRx(g); };
      }
      grid_.AddEditLine(std::move(line));
      edits_.push_back({row.kind, edits[i]});
    }
    lineRows_.push_back(static_cast<int>(i));
  }
  grid_.SetLookRule([this](int line, int item) { return LookOf(line, item); });
  grid_.SetDefaultLookRule([this](int line) {
    const GroupRow& row = rows_.rows[static_cast<std::size_t>(lineRows_[static_cast<std::size_t>(line)])];
    return LookOfState(row.defaultState ? row.defaultState() : GroupCellState::kDefault);
  });
  grid_.SetAfterRefresh([this] { UpdateHeadings(); });
}

CellLook CGroupPageBase::LookOf(int line, int item) const {
  if (!Range().Contains(item)) return CellLook::Disabled;
  if (line < 0 || line >= static_cast<int>(lineRows_.size())) return CellLook::Disabled;
  const GroupRow& row = rows_.rows[static_cast<std::size_t>(lineRows_[static_cast<std::size_t>(line)])];
  if (row.kind == GroupRowKind::kOnOff) return CellLook::Editable;
  return LookOfState(row.state ? row.state(item) : StateOfOnGroup(ModelOf(family_).radioData, item));
}

void CGroupPageBase::UpdateHeadings() {
  const CRadioDataCore& data = ModelOf(family_).radioData;
  const ZoneGroupRange range = Range();
  for (int c = 0; c < kGroupColumns; ++c) {
    QLabel* heading = headings_[c];
    if (heading == nullptr) continue;
    const int number = firstVisible_ + c + 1;
    if (number <= kGroupCount) heading->setText(QString::fromStdString(Printf("GRP. %3d", number)));
    heading->setEnabled(c < range.count);
  }
  if (auto* number = FindControl<QLabel>(Body(), group_page::kZoneNumber))
    number->setText(QString::number(m_zone + 1));
  if (auto* alias = FindControl<QLabel>(Body(), group_page::kAlias))
    alias->setText(PaddedText(data.m_zoneNames[m_zone].data()));
  if (auto* format = FindControl<QLabel>(Body(), group_page::kZoneFormat))
    format->setText(QString::fromLatin1(rows_.zoneFormat));
}

void CGroupPageBase::ScrollGroups(int delta) {
  MessageBeep();
  const ZoneGroupRange range = Range();
  if (delta < 0 && firstVisible_ > range.first) --firstVisible_;
  if (delta > 0 && firstVisible_ < range.End() - kGroupColumns && firstVisible_ < kGroupCount - kGroupColumns)
    ++firstVisible_;
  grid_.Dismiss();
  RefreshGrid();
}

// ---------------------------------------------------------------------------
// Tags and IDs

std::optional<std::pair<const CGroupPageBase::EditCells*, int>> CGroupPageBase::EditAt(WParam id) const {
  for (const EditCells& row : edits_)
    for (int c = 0; c < kGroupColumns; ++c)
      if (row.edits[c] != nullptr && static_cast<WParam>(ControlId(row.edits[c])) == id)
        return std::make_pair(&row, c);
  return std::nullopt;
}

void CGroupPageBase::StoreTag(int column, const QString& text) {
  const int g = grid_.ItemOfColumn(column);
  if (!Range().Contains(g)) return;
  ModelOf(family_).radioData.m_groups[static_cast<std::size_t>(g)].SetPaddedTag(text.toUpper().toStdString());
  g_dataModified = true;
}

void CGroupPageBase::CheckId(GroupRowKind kind, int column) {
  const int g = grid_.ItemOfColumn(column);
  const EditCells* row = nullptr;
  for (const EditCells& r : edits_)
    if (r.kind == kind) row = &r;
  if (!Range().Contains(g) || row == nullptr || row->edits[column] == nullptr) return;
  QLineEdit* edit = row->edits[column];
  const FieldRef stored = ModelOf(family_).radioData.m_groups[static_cast<std::size_t>(g)].Ref(
      kind == GroupRowKind::kTxId ? group_field::kTxId : group_field::kRxId);
  const std::optional<std::uint8_t> id = ParseGroupId(edit->text().toStdString());
  if (!id) {
    ShowMessageBox(kIdMessage);
    edit->setText(QString::fromStdString(GroupIdText(static_cast<std::uint8_t>(stored.Get()))));
    return;
  }
  stored.Set(*id);
  if (kind == GroupRowKind::kTxId) txEdited_ = g;
  g_dataModified = true;
}

bool CGroupPageBase::CopyTxToRx(int g) {
  if (txEdited_ != g) return false;
  txEdited_.reset();
  CGroupRecord& group = ModelOf(family_).radioData.m_groups[static_cast<std::size_t>(g)];
  group.Set(group_field::kRxId, group.Value(group_field::kTxId));
  return true;
}

// ---------------------------------------------------------------------------
// Navigation

void CGroupPageBase::Navigate(unsigned msg, WParam wParam, LParam lParam) {
  MessageBeep();
  grid_.CommitFocusedEdit();
  PostToMainWindow(this, msg, wParam, lParam);
}

void CGroupPageBase::OnButton(int id) {
  if (id == group_page::kScrollLeft) return ScrollGroups(-1);
  if (id == group_page::kScrollRight) return ScrollGroups(1);
  if (id == group_page::kClose) return Navigate(UM_OPEN_SYSTEM_PAGE, 0, 255);
  if (id == rows_.viewButtonId) return Navigate(rows_.viewMessage, m_zone, 0);
}

LParam CGroupPageBase::OnUserMessage(unsigned msg, WParam wParam, LParam lParam) {
  switch (msg) {
    case UM_REPEAT_STEP:
      firstVisible_ = static_cast<int>(lParam);
      grid_.Dismiss();
      RefreshGrid();
      return 0;
    case UM_BUTTON_ENTER: {
      const bool known = wParam == group_page::kScrollLeft || wParam == group_page::kScrollRight ||
                         wParam == group_page::kClose || wParam == static_cast<WParam>(rows_.viewButtonId);
      auto* button = known ? FindControl<QPushButton>(Body(), static_cast<int>(wParam)) : nullptr;
      if (button != nullptr && button->isEnabled()) button->click();
      return 0;
    }
    case UM_VALUE_EDITED:
      if (const auto at = EditAt(wParam)) CheckId(at->first->kind, at->second);
      return 0;
    case UM_TEXT_EDITED:
      if (const auto at = EditAt(wParam); at && at->first->kind == GroupRowKind::kTag)
        StoreTag(at->second, at->first->edits[at->second]->text());
      return 0;
    default:
      return CZonePageBase::OnUserMessage(msg, wParam, lParam);
  }
}

bool CGroupPageBase::PreviewKey(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
    if (g_pMainDlg != nullptr) g_pMainDlg->ShowHelpPage(rows_.helpPage);
    return true;
  }
  return CZonePageBase::PreviewKey(event);
}

// ---------------------------------------------------------------------------
// Window life

bool CGroupPageBase::eventFilter(QObject* watched, QEvent* event) {
  // Entering the TX ID starts a new typing of it.
  if (event->type() == QEvent::FocusIn) {
    if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
      if (const auto at = EditAt(static_cast<WParam>(ControlId(edit))); at && at->first->kind == GroupRowKind::kTxId)
        txEdited_.reset();
    }
  }
  return CZonePageBase::eventFilter(watched, event);
}

void CGroupPageBase::scrollContentsBy(int dx, int dy) {
  CZonePageBase::scrollContentsBy(dx, dy);
  grid_.Dismiss();
}

void CGroupPageBase::OnDestroyWindow() {
  // A TX ID still being typed is copied to its RX ID as its focus loss would.
  CZonePageBase::OnDestroyWindow();
  edits_.clear();
  headings_ = {};
  txEdited_.reset();
}
