#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QStyle>
#include <cstdio>

#include "framework/EditControls.h"
#include "model/ChannelEdit.h"
#include "model/FamilyModel.h"
#include "pages/channel/ChannelPages.h"
#include "platform/Beep.h"

namespace {

using namespace rf_list;

// Template 173: 365 x 300 dialog units of a 9-point font.
constexpr QSize kTemplateSize{365, 300};
constexpr int kTemplateFontPoints = 9;

struct Layout {
  static constexpr int kCellWidth = 40;
  static constexpr int kCellHeight = 12;
  // Upper block: columns 0-6; lower block: 7-13.
  static int X(int column) { return column < kStep ? 54 + 40 * column : 55 + 40 * (column - kStep); }
  enum Row { kHead, kEnable, kRx, kTx, kSpace, kRxShift, kTxShift };
  static int Y(int column, Row row) {
    static constexpr int kUpper[] = {51, 63, 75, 87, 99, 111, 123};
    static constexpr int kLower[] = {165, 177, 189, 201, 214, 226, 238};
    return column < kStep ? kUpper[row] : kLower[row];
  }
};

// The lines of the grid, in the binder's order.
enum Line : int { kEnableLine, kSpaceLine, kRxShiftLine, kTxShiftLine };

constexpr Choice kEnableChoices[] = {{"Enable", 1}, {"Disable", 0}};  // the programmed bit
constexpr Choice kMobileSpacing[] = {{"Narrow", 0}, {"Wide", 1}};     // bits 6-7 of the mode byte
constexpr Choice kPortableSpacing[] = {{"Wide", 0}, {"Narrow", 1}};   // the narrow bit

// Runs f on channel i of the family's radio data, with its codec context.
template <class F>
decltype(auto) WithChannel(Family family, int i, F&& f) {
  const auto at = static_cast<std::size_t>(i);
  if (family == kPortable) return f(g_portableData.m_channels[at], g_portableData.ChannelContext());
  return f(g_mobileData.m_channels[at], g_mobileData.ChannelContext());
}

template <std::size_t N>
int ColumnOf(const std::array<int, N>& ids, WParam id) {
  for (std::size_t c = 0; c < N; ++c)
    if (static_cast<WParam>(ids[c]) == id) return static_cast<int>(c);
  return -1;
}

}  // namespace

int rf_list::PrevFirstChannel(int first) {
  if (first > kStep - 1) return first - kStep;
  return 0;
}

int rf_list::NextFirstChannel(int first) {
  if (first + 3 * kStep < kChannelCount) return first + kStep;
  return first < kLastFirstChannel ? kLastFirstChannel : first;
}

CRfChannelListPageBase::CRfChannelListPageBase(Family family)
    : CGridPage(173, kTemplateSize, kTemplateFontPoints), family_(family) {}

void CRfChannelListPageBase::BuildGrid() {
  using L = Layout;
  blankRxChannel_ = -1;
  const bool mobile = family_ == kMobile;
  const auto label = [&](int id, const char* text, int x, int y, int w, int h, bool bold) {
    auto* l = Place<QLabel>(id, x, y, w, h);
    l->setText(QString::fromLatin1(text));
    if (bold) l->setFont(BoldFont());
    return l;
  };
  label(-1, "Default Split", 0, 15, 60, 12, false);
  split_ = Place<CValueEdit>(kDefaultSplit, 60, 15, 35, 12);
  split_->SetupValueEdit({.intDigits = 3, .decimals = 1, .allowSign = true});
  split_->AddRejectedChar(' ');
  label(-1, "MHz", 100, 15, 25, 12, false);

  auto* prev = Place<CRepeatButton>(kPrev, 55, 31, 30, 20);
  prev->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
  prev->SetupRepeat(nullptr, &m_firstChannel, m_firstChannel, true, kStep, 0, kLastFirstChannel);
  connect(prev, &QPushButton::clicked, this, [this] { OnPrevChannels(); });
  auto* next = Place<CRepeatButton>(kNext, 305, 31, 30, 20);
  next->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
  next->SetupRepeat(nullptr, &m_firstChannel, m_firstChannel, false, kStep, 0, kLastFirstChannel);
  connect(next, &QPushButton::clicked, this, [this] { OnNextChannels(); });

  // Row captions of both blocks; the shift rows are the mobile radio's.
  struct Caption {
    int upper, lower;
    const char* text;
    int upperY, lowerY;
    bool mobileOnly;
  };
  static constexpr Caption kCaptions[] = {
      {1424, 1428, "Mobile Rx", 79, 193, false}, {1426, 1429, "Mobile Tx", 91, 205, false},
      {1427, 1430, "Ch. Space", 103, 217, false}, {1431, 1432, "Rx Shift", 115, 230, true},
      {1433, 1434, "Tx Shift", 127, 242, true},
  };
  for (const Caption& c : kCaptions) {
    if (c.mobileOnly && !mobile) continue;
    label(c.upper, c.text, 0, c.upperY, 40, 8, true);
    label(c.lower, c.text, 0, c.lowerY, 40, 8, true);
  }

  // Column by column, top to bottom: the Tab order.
  std::array<std::array<CLinkStatic*, kColumns>, 4> cells{};
  const auto cell = [&](int id, int column, L::Row row) {
    auto* c = Place<CLinkStatic>(id, L::X(column), L::Y(column, row), L::kCellWidth, L::kCellHeight);
    c->setFrameStyle(QFrame::Box | QFrame::Plain);
    c->setAlignment(Qt::AlignCenter);
    return c;
  };
  const auto edit = [&](int id, int column, L::Row row) {
    auto* e = Place<CValueEdit>(id, L::X(column), L::Y(column, row), L::kCellWidth, L::kCellHeight);
    e->SetupValueEdit({.intDigits = 4, .decimals = 5, .nextOnEnter = true});
    for (const char ch : {' ', '+', '-'}) e->AddIgnoredChar(ch);
    return e;
  };
  for (int k = 0; k < kColumns; ++k) {
    const auto c = static_cast<std::size_t>(k);
    heads_[c] = Place<QLabel>(kHeads[c], L::X(k), L::Y(k, L::kHead), L::kCellWidth, L::kCellHeight);
    heads_[c]->setFrameStyle(QFrame::Box | QFrame::Plain);
    heads_[c]->setAlignment(Qt::AlignCenter);
    cells[kEnableLine][c] = cell(kEnables[c], k, L::kEnable);
    rxEdits_[c] = edit(kRxEdits[c], k, L::kRx);
    txEdits_[c] = edit(kTxEdits[c], k, L::kTx);
    cells[kSpaceLine][c] = cell(kSpaces[c], k, L::kSpace);
    if (mobile) {
      cells[kRxShiftLine][c] = cell(kRxShifts[c], k, L::kRxShift);
      cells[kTxShiftLine][c] = cell(kTxShifts[c], k, L::kTxShift);
    }
  }
  AddLines(cells);
}

void CRfChannelListPageBase::AddLines(const std::array<std::array<CLinkStatic*, kColumns>, 4>& cells) {
  const Family family = family_;
  const auto channelByte = [family](int item, std::uint8_t CMobileChannelRecord::*mobileField,
                                    std::uint8_t CPortableChannelRecord::*portableField) {
    const auto at = static_cast<std::size_t>(item);
    return family == kPortable ? &(g_portableData.m_channels[at].*portableField)
                               : &(g_mobileData.m_channels[at].*mobileField);
  };
  const auto list = [this](int id) {
    auto* l = Place<CHotListBox>(id, 0, 0, 10, 10);
    l->hide();
    return l;
  };
  // Columns 6 and 13 end their block: their lists open to the left.
  const auto opensLeft = [](int column) { return column % kStep == kStep - 1; };
  const auto add = [&](Line line, GridLine spec, int listId) {
    GridListLine l{spec, list(listId), {cells[line].begin(), cells[line].end()}, nullptr, 2, {}, false};
    if (line == kEnableLine) {
      l.hookStores = true;
      l.afterCommit = [this](int item, std::uint32_t, std::uint32_t value) { OnEnableChosen(item, value == 1); };
    }
    grid_.SetListPlacement(grid_.AddLine(std::move(l)), 1, opensLeft);
  };

  GridLine enable;
  enable.choices = kEnableChoices;
  enable.field = [=](int item) {
    return FieldRef(channelByte(item, &CMobileChannelRecord::m_programmed, &CPortableChannelRecord::m_programmed),
                    Bit(0));
  };
  add(kEnableLine, enable, kEnableList);

  GridLine space;
  space.caption = "Ch. Space";
  if (family == kPortable) {
    space.choices = kPortableSpacing;
    space.field = [](int item) { return FieldRef(&g_portableData.m_channels[static_cast<std::size_t>(item)].m_flags, Bit(0)); };
  } else {
    // Codes 2 and 3 are no wide channel: they read "Narrow", the fallback.
    space.choices = kMobileSpacing;
    space.field = [](int item) { return FieldRef(&g_mobileData.m_channels[static_cast<std::size_t>(item)].m_mode, Bits(6, 7)); };
  }
  add(kSpaceLine, space, kSpaceList);

  if (family == kMobile) {
    const auto shift = [](const char* caption, int bit) {
      GridLine l;
      l.caption = caption;
      l.choices = kDisableEnable;
      l.field = [bit](int item) {
        return FieldRef(&g_mobileData.m_channels[static_cast<std::size_t>(item)].m_bandTune[2], Bit(bit));
      };
      return l;
    };
    add(kRxShiftLine, shift("Rx Shift", 5), kRxShiftList);
    add(kTxShiftLine, shift("Tx Shift", 6), kTxShiftList);
  }

  grid_.AddEditLine({{rxEdits_.begin(), rxEdits_.end()},
                     [this](int item) {
                       if (item == blankRxChannel_) return QString::fromLatin1(kBlankFrequencyText.data(), kBlankFrequencyText.size());
                       return WithChannel(family_, item, [](const auto& ch, const ChannelCodecContext&) {
                         return QString::fromStdString(FrequencyEditText(ch.m_rxFrequency, ch.IsProgrammed()));
                       });
                     },
                     [this](int item, const QString& text) { return CommitRx(item, text); }});
  grid_.AddEditLine({{txEdits_.begin(), txEdits_.end()},
                     [this](int item) {
                       return WithChannel(family_, item, [](const auto& ch, const ChannelCodecContext&) {
                         return QString::fromStdString(FrequencyEditText(ch.m_txFrequency, ch.IsProgrammed()));
                       });
                     },
                     [this](int item, const QString& text) { return CommitTx(item, text); }});

  grid_.SetItemCount([] { return kChannelCount; });
  grid_.SetLookRule([this](int line, int item) { return LookOf(line, item); });
  grid_.SetAfterRefresh([this] { ShowHeads(); });
}

bool CRfChannelListPageBase::IsProgrammed(int channel) const {
  return WithChannel(family_, channel, [](const auto& ch, const ChannelCodecContext&) { return ch.IsProgrammed(); });
}

CellLook CRfChannelListPageBase::LookOf(int line, int item) const {
  // The enable cell is always live; the rest of a column follows its channel.
  if (line == kEnableLine) return CellLook::Editable;
  return IsProgrammed(item) ? CellLook::Editable : CellLook::Disabled;
}

void CRfChannelListPageBase::ShowHeads() {
  for (int k = 0; k < kColumns; ++k) {
    if (heads_[static_cast<std::size_t>(k)] == nullptr) continue;
    heads_[static_cast<std::size_t>(k)]->setText(QStringLiteral("Ch #%1").arg(m_firstChannel + 1 + k));
  }
  if (split_ != nullptr && !split_->hasFocus()) {
    const QSignalBlocker block(split_);
    split_->setText(QString::fromStdString(SplitText(ModelOf(family_).openingMsg.m_defaultSplit)));
  }
}

// ---------------------------------------------------------------------------
// Editing

void CRfChannelListPageBase::ChannelDeleted(int channel) {
  // At once: the references are cleared before anything else reads them.
  if (g_pMainDlg != nullptr) SendUserMessage(g_pMainDlg->Window(), UM_CHANNEL_DELETED, static_cast<WParam>(channel), 0);
}

void CRfChannelListPageBase::OnEnableChosen(int channel, bool enable) {
  if (channel < 0) return;
  if (!enable) {
    if (blankRxChannel_ == channel) blankRxChannel_ = -1;
    WithChannel(family_, channel, [](auto& ch, const ChannelCodecContext&) { ch.SetProgrammed(false); });
    ChannelDeleted(channel);
    return;
  }
  // A channel taken into use asks for its receive frequency: its receive
  // edit shows blanks, and the focus moves on into it.
  if (WithChannel(family_, channel, [](auto& ch, const ChannelCodecContext&) { return ch.Enable(); }))
    blankRxChannel_ = channel;
}

bool CRfChannelListPageBase::CommitRx(int channel, const QString& text) {
  const bool waiting = blankRxChannel_ == channel;
  blankRxChannel_ = -1;
  // Ten blanks left in a programmed channel's edit take it out of use, also
  // untouched (the edit "Enable" left blank).
  if (text == QLatin1String(kBlankFrequencyText.data(), static_cast<qsizetype>(kBlankFrequencyText.size()))) {
    if (!IsProgrammed(channel)) return false;
    WithChannel(family_, channel, [](auto& ch, const ChannelCodecContext&) { ch.SetProgrammed(false); });
    ChannelDeleted(channel);
    return true;
  }
  // Passing through stores nothing: a typed transmit frequency and the shift
  // choices stay.
  if (text == grid_.FocusText()) {
    if (waiting) grid_.Refresh();
    return false;
  }
  const double rx = ParseTypedNumber(text.toStdString());
  WithChannel(family_, channel, [rx](auto& ch, const ChannelCodecContext& ctx) { ch.CommitRxFrequency(rx, ctx); });
  return true;
}

bool CRfChannelListPageBase::CommitTx(int channel, const QString& text) {
  if (text == grid_.FocusText()) return false;
  const double tx = ParseTypedNumber(text.toStdString());
  if (WithChannel(family_, channel,
                  [tx](auto& ch, const ChannelCodecContext& ctx) { return ch.CommitTxFrequency(tx, ctx); }))
    return true;
  grid_.Refresh();  // a frequency typed for a channel out of use is dropped
  return false;
}

void CRfChannelListPageBase::OnSplitTyped() {
  if (split_ == nullptr) return;
  double& split = ModelOf(family_).openingMsg.m_defaultSplit;
  const double typed = ParseTypedNumber(split_->text().toStdString());
  if (IsSplitInRange(typed)) {
    split = typed;
  } else {
    MessageBeep();
    const QSignalBlocker block(split_);
    split_->setText(QString::fromStdString(SplitTypedText(split)));
  }
}

void CRfChannelListPageBase::CommitSplit() {
  if (split_ == nullptr) return;
  double& split = ModelOf(family_).openingMsg.m_defaultSplit;
  split = SettleSplit(ParseTypedNumber(split_->text().toStdString()));
  const QSignalBlocker block(split_);
  split_->setText(QString::fromStdString(SplitText(split)));
}

void CRfChannelListPageBase::CommitTyping() {
  CGridPage::CommitTyping();
  if (split_ != nullptr && split_->hasFocus()) CommitSplit();
}

// ---------------------------------------------------------------------------
// Paging

void CRfChannelListPageBase::Page(int first) {
  // What is being typed belongs to the channel shown before.
  CommitTyping();
  grid_.Dismiss();
  blankRxChannel_ = -1;
  m_firstChannel = first;
  RefreshGrid();
}

void CRfChannelListPageBase::OnPrevChannels() {
  MessageBeep();
  Page(PrevFirstChannel(m_firstChannel));
}

void CRfChannelListPageBase::OnNextChannels() {
  MessageBeep();
  Page(NextFirstChannel(m_firstChannel));
}

LParam CRfChannelListPageBase::OnUserMessage(unsigned msg, WParam wParam, LParam lParam) {
  switch (msg) {
    case UM_REPEAT_STEP:
      // The button has written the new first channel already; the binder
      // still knows the channels shown, so a commit lands there.
      Page(static_cast<int>(lParam));
      return 0;
    case UM_BUTTON_ENTER:
      if (wParam == static_cast<WParam>(kPrev)) OnPrevChannels();
      if (wParam == static_cast<WParam>(kNext)) OnNextChannels();
      return 0;
    case UM_VALUE_EDITED:
      if (wParam == static_cast<WParam>(kDefaultSplit)) OnSplitTyped();
      g_dataModified = true;
      return 0;
    default:
      return CGridPage::OnUserMessage(msg, wParam, lParam);
  }
}

// ---------------------------------------------------------------------------
// Window life

bool CRfChannelListPageBase::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && watched == split_) CommitSplit();
  return CGridPage::eventFilter(watched, event);
}

void CRfChannelListPageBase::OnDestroyWindow() {
  CGridPage::OnDestroyWindow();
  split_ = nullptr;
  heads_ = {};
  rxEdits_ = {};
  txEdits_ = {};
}
