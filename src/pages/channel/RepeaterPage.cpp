#include <QLabel>
#include <QStyle>
#include <cstdio>

#include "model/ChannelEdit.h"
#include "model/FamilyModel.h"
#include "pages/channel/ChannelPages.h"
#include "pages/channel/ChannelPick.h"
#include "platform/Beep.h"

namespace {

using namespace repeater_page;

// Templates 174 and 121: 365 x 300 dialog units of a 9-point font.
constexpr QSize kTemplateSize{365, 300};
constexpr int kTemplateFontPoints = 9;

struct Layout {
  static constexpr int kBlock = 8;
  static constexpr int kCellWidth = 35;
  static constexpr int kCellHeight = 12;
  static int X(int column) { return 60 + kCellWidth * (column % kBlock); }
  enum Row { kHead, kChannel, kTx, kRx, kSpace, kRxPhase, kTxPhase, kDispatch, kInterconnect, kRows };
  static constexpr int kTop[kRows] = {25, 37, 49, 61, 73, 97, 109, 121, 133};
  static constexpr int kBottom[kRows] = {166, 178, 190, 202, 214, 238, 249, 261, 273};
  static int Y(int column, Row row) { return column < kBlock ? kTop[row] : kBottom[row]; }
};

// The lines of the grid, in the binder's order.
enum Line : int { kChannelLine, kRxPhaseLine, kTxPhaseLine, kDispatchLine, kInterconnectLine };

constexpr Choice kPhases[] = {{"Normal", 0}, {"Invert", 1}};

constexpr std::uint16_t kChannelBits = repeater_word::kChannelMask;

}  // namespace

CRepeaterPageBase::CRepeaterPageBase(Family family, int templateId)
    : CZonePageBase(templateId, kTemplateSize, kTemplateFontPoints), family_(family) {}

std::uint16_t& CRepeaterPageBase::Word(int repeater) const {
  return ModelOf(family_).radioData.m_repeaters[m_zone][static_cast<std::size_t>(repeater)];
}

void CRepeaterPageBase::BuildGrid() {
  using L = Layout;
  const auto label = [&](int id, const char* text, int x, int y, int w, int h) {
    auto* l = Place<QLabel>(id, x, y, w, h);
    l->setText(QString::fromLatin1(text));
    return l;
  };
  const auto box = [&](int id, int x, int y, int w, int h) {
    auto* l = Place<QLabel>(id, x, y, w, h);
    l->setFrameStyle(QFrame::Box | QFrame::Plain);
    l->setAlignment(Qt::AlignCenter);
    return l;
  };
  label(-1, "Zone # ", 0, 5, 28, 10);
  zoneNumber_ = box(kZoneNumber, 28, 4, 20, 12);
  label(-1, "Alias", 225, 5, 20, 10);
  alias_ = box(kAlias, 247, 4, 45, 12);

  auto* prev = Place<CRepeatButton>(kPrev, 85, 2, 30, 16);
  prev->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
  // While held the arrows only step the number; the click on release redraws.
  prev->SetupRepeat(nullptr, &m_firstRepeater, m_firstRepeater, true, 1, 0, kLastFirstRepeater);
  connect(prev, &QPushButton::clicked, this, [this] { OnPrevRepeaters(); });
  auto* close = Place<CFlatButton>(kClose, 170, 2, 45, 15);
  close->setText(QStringLiteral("Close"));
  connect(close, &QPushButton::clicked, this, [this] { OnClosePage(); });

  struct Caption {
    int top, bottom;
    const char* text;
    L::Row row;
  };
  static constexpr Caption kCaptions[] = {
      {1424, 1435, "Repeater #", L::kHead},       {1426, 1436, "Channel #", L::kChannel},
      {1427, 1437, "Tx Freq", L::kTx},            {1428, 1439, "Rx Freq", L::kRx},
      {1429, 1440, "Ch. Space", L::kSpace},       {1433, 1471, "Rx Data Phase", L::kRxPhase},
      {1438, 1472, "Tx Data Phase", L::kTxPhase}, {1431, 1468, "Dispatch", L::kDispatch},
      {1432, 1469, "Interconnect", L::kInterconnect},
  };
  for (const Caption& c : kCaptions) {
    for (const int column : {0, L::kBlock}) {
      QLabel* l = label(column == 0 ? c.top : c.bottom, c.text, 0, L::Y(column, c.row), 60, L::kCellHeight);
      l->setFont(BoldFont());
    }
  }

  // Column by column, top to bottom: the Tab order.
  std::array<std::array<CLinkStatic*, kColumns>, 5> cells{};
  const auto cell = [&](int id, int column, L::Row row) {
    auto* c = Place<CLinkStatic>(id, L::X(column), L::Y(column, row), L::kCellWidth, L::kCellHeight);
    c->setFrameStyle(QFrame::Box | QFrame::Plain);
    c->setAlignment(Qt::AlignCenter);
    return c;
  };
  const auto value = [&](int id, int column, L::Row row) {
    QLabel* l = box(id, L::X(column), L::Y(column, row), L::kCellWidth, L::kCellHeight);
    l->setAutoFillBackground(true);
    // The desktop font is wider than the template's: "465.00000" must fit.
    QFont f = l->font();
    f.setPointSizeF(f.pointSizeF() - 1);
    l->setFont(f);
    return QPointer<QLabel>(l);
  };
  for (int c = 0; c < kColumns; ++c) {
    const auto k = static_cast<std::size_t>(c);
    heads_[k] = box(kHeads[k], L::X(c), L::Y(c, L::kHead), L::kCellWidth, L::kCellHeight);
    cells[kChannelLine][k] = cell(kChannels[k], c, L::kChannel);
    txFreqs_[k] = value(kTxFreqs[k], c, L::kTx);
    rxFreqs_[k] = value(kRxFreqs[k], c, L::kRx);
    spaces_[k] = value(kSpaces[k], c, L::kSpace);
    cells[kRxPhaseLine][k] = cell(kRxPhases[k], c, L::kRxPhase);
    cells[kTxPhaseLine][k] = cell(kTxPhases[k], c, L::kTxPhase);
    cells[kDispatchLine][k] = cell(kDispatches[k], c, L::kDispatch);
    cells[kInterconnectLine][k] = cell(kInterconnects[k], c, L::kInterconnect);
  }
  auto* next = Place<CRepeatButton>(kNext, 330, 2, 30, 16);
  next->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
  next->SetupRepeat(nullptr, &m_firstRepeater, m_firstRepeater, false, 1, 0, kLastFirstRepeater);
  connect(next, &QPushButton::clicked, this, [this] { OnNextRepeaters(); });
  // The Tab order of the template: the cells, then both arrows and Close.
  setTabOrder(cells[kInterconnectLine][kColumns - 1], prev);
  setTabOrder(prev, next);
  setTabOrder(next, close);

  const auto list = [this](int id) {
    auto* l = Place<CHotListBox>(id, 0, 0, 10, 10);
    l->hide();
    return l;
  };
  const auto bits = [this](int bit) {
    return [this, bit](int item) { return FieldRef(&Word(item), Bit(bit)); };
  };
  const auto add = [&](Line line, GridLine spec, int listId, int widthCells, int rows, int firstLeft) {
    GridListLine l{spec, list(listId), {cells[line].begin(), cells[line].end()}, nullptr, rows, {}, false, false, {}};
    if (line == kChannelLine) {
      l.hookStores = true;
      l.afterCommit = [this](int item, std::uint32_t, std::uint32_t channel) { StoreChannel(item, channel); };
    }
    // The last columns of each block open their list to the left of the cell.
    grid_.SetListPlacement(grid_.AddLine(std::move(l)), widthCells,
                           [firstLeft](int column) { return column % L::kBlock >= firstLeft; });
  };

  GridLine channel;
  channel.caption = "Channel #";
  channel.field = [this](int item) { return FieldRef(&Word(item), Bits(0, 9)); };
  UseChannelPick(channel, family_);
  add(kChannelLine, channel, kChannelList, 3, 4, 5);

  const auto attribute = [&](Line line, const char* caption, Choices choices, int fallback, int bit, int listId) {
    GridLine l;
    l.caption = caption;
    l.choices = choices;
    l.fallbackRow = fallback;
    l.field = bits(bit);
    add(line, l, listId, 1, 2, L::kBlock - 1);
  };
  attribute(kRxPhaseLine, "Rx Data Phase", kPhases, 0, 11, kRxPhaseList);
  attribute(kTxPhaseLine, "Tx Data Phase", kPhases, 0, 10, kTxPhaseList);
  attribute(kDispatchLine, "Dispatch", kDisableEnable, 1, 14, kDispatchList);
  attribute(kInterconnectLine, "Interconnect", kDisableEnable, 0, 13, kInterconnectList);

  grid_.SetItemCount([] { return kRepeatersPerZone; });
  // A repeater without a channel (or naming none of the channels) takes no
  // attribute changes.
  grid_.SetLookRule([this](int line, int item) {
    if (line == kChannelLine) return CellLook::Editable;
    return (Word(item) & kChannelBits) < kChannelCount ? CellLook::Editable : CellLook::Disabled;
  });
  grid_.SetAfterRefresh([this] { ShowColumns(); });
}

void CRepeaterPageBase::StoreChannel(int repeater, std::uint32_t channel) {
  std::uint16_t& word = Word(repeater);
  word = WithRepeaterChannel(word, static_cast<std::uint16_t>(channel));
}

void CRepeaterPageBase::ShowColumns() {
  const auto text = [](const char* format, double value) {
    char s[32];
    std::snprintf(s, sizeof s, format, value);
    return QString::fromLatin1(s);
  };
  for (int c = 0; c < kColumns; ++c) {
    const auto k = static_cast<std::size_t>(c);
    if (heads_[k] == nullptr || txFreqs_[k] == nullptr || rxFreqs_[k] == nullptr || spaces_[k] == nullptr) continue;
    const int repeater = m_firstRepeater + c;
    heads_[k]->setText(QStringLiteral("RPT#%1").arg(repeater + 1));
    const int ch = repeater < kRepeatersPerZone ? Word(repeater) & kChannelBits : kChannelBits;
    // 640..1022 name no channel: shown like "None", the word kept as it is.
    const bool named = ch < kChannelCount;
    QString tx, rx, space;
    if (named) {
      const auto show = [&](const auto& record) {
        tx = text("%9.5f", record.m_txFrequency * 0.00001);
        rx = text("%9.5f", record.m_rxFrequency * 0.00001);
        space = QString::fromLatin1(record.IsWide() ? "Wide" : "Narrow");
      };
      if (family_ == kPortable)
        show(g_portableData.m_channels[static_cast<std::size_t>(ch)]);
      else
        show(g_mobileData.m_channels[static_cast<std::size_t>(ch)]);
    }
    const std::array<std::pair<QLabel*, QString>, 3> values = {{{txFreqs_[k], tx}, {rxFreqs_[k], rx}, {spaces_[k], space}}};
    for (const auto& [label, value] : values) {
      // Grey without a channel; shown only, so never a focus or click target.
      label->setText(value);
      QPalette p = label->palette();
      const QColor ground = CellLookColor(named ? CellLook::Editable : CellLook::Disabled);
      p.setColor(QPalette::Window, ground);
      p.setColor(QPalette::Base, ground);
      label->setPalette(p);
    }
  }
  if (zoneNumber_ != nullptr) zoneNumber_->setText(QString::number(m_zone + 1));
  if (alias_ != nullptr) {
    const Text9& name = ModelOf(family_).radioData.m_zoneNames[m_zone];
    alias_->setText(QString::fromLatin1(name.data(), static_cast<qsizetype>(strnlen(name.data(), name.size() - 1))));
  }
}

void CRepeaterPageBase::OnPrevRepeaters() {
  MessageBeep();
  if (m_firstRepeater > 0) --m_firstRepeater;
  grid_.Dismiss();
  RefreshGrid();
}

void CRepeaterPageBase::OnNextRepeaters() {
  MessageBeep();
  if (m_firstRepeater < kLastFirstRepeater) ++m_firstRepeater;
  grid_.Dismiss();
  RefreshGrid();
}

void CRepeaterPageBase::OnClosePage() {
  MessageBeep();
  PostToMainWindow(this, UM_OPEN_SYSTEM_PAGE, 0, 255);
}

LParam CRepeaterPageBase::OnUserMessage(unsigned msg, WParam wParam, LParam lParam) {
  if (msg != UM_BUTTON_ENTER) {
    // UM_REPEAT_STEP among them: a held arrow redraws on its release.
    return CZonePageBase::OnUserMessage(msg, wParam, lParam);
  }
  if (wParam == static_cast<WParam>(kPrev)) OnPrevRepeaters();
  if (wParam == static_cast<WParam>(kNext)) OnNextRepeaters();
  if (wParam == static_cast<WParam>(kClose)) OnClosePage();
  return 0;
}

void CRepeaterPageBase::OnDestroyWindow() {
  CZonePageBase::OnDestroyWindow();
  zoneNumber_ = nullptr;
  alias_ = nullptr;
  heads_ = {};
  txFreqs_ = {};
  rxFreqs_ = {};
  spaces_ = {};
}
