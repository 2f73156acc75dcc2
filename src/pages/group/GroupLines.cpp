#include "pages/group/GroupLines.h"

#include <cstdio>
#include <optional>

#include "model/GroupEdits.h"
#include "model/GroupSignaling.h"
#include "model/LabelTables.h"
#include "pages/channel/ChannelPick.h"
#include "platform/UserMessages.h"

namespace {

namespace gf = group_field;
namespace df = default_group_field;

constexpr Choice kTxInhibit[] = {{"TX Enable", 0}, {"TX Disable", 1}};
// Scan Memory (gf::kScanMemory): 9 both bits ("Enable"), 0 neither. "User"
// and "Dealer" are shown but not offered; their lists open on "Enable".
constexpr std::uint32_t kScanEnable = 9;
constexpr Choice kScanMemory[] = {{"Enable", kScanEnable}, {"Disable", 0}};
constexpr Choice kOnOff[] = {{"Enable", 1}, {"Disable", 0}};

constexpr int kTxInhibitList = 1413;
constexpr int kTimeOutTimerList = 1414;
constexpr int kCompanderList = 1416;
constexpr int kScanMemoryList = 1417;
constexpr int kOnOffList = 1510;

constexpr GroupCellIds kOnOffCells = {1337, 1338, 1339, 1340, 1341, 1342};
constexpr GroupCellIds kTxIdCells = {1232, 12391, 12461, 12531, 12601, 12671};
constexpr GroupCellIds kRxIdCells = {1233, 12401, 12471, 12541, 12611, 12681};

// The control numbers that differ between the families' templates.
struct FamilyCells {
  GroupCellIds tags;
  int txInhibitDefault;
  GroupCellIds txInhibit;
  int timeOutTimerDefault;
  GroupCellIds timeOutTimer;
  int companderDefault;
  GroupCellIds compander;
  int scanMemoryDefault;
  GroupCellIds scanMemory;
};
constexpr FamilyCells kMobileLtrBasicCells = {
    {1717, 1718, 1719, 1720, 1721, 1722},
    1729, {1723, 1724, 1725, 1726, 1727, 1728},
    1730, {1731, 1732, 1733, 1734, 1735, 1736},
    17371, {1738, 17391, 17401, 17411, 17421, 17431},
    17501, {1749, 17481, 17471, 17461, 17451, 17441},
};
constexpr FamilyCells kPortableCells = {
    {1231, 12382, 12452, 12522, 12592, 12662},
    12143, {1227, 12343, 12413, 12483, 12553, 12623},
    12212, {1228, 12352, 12422, 12492, 12562, 12632},
    12232, {1229, 12362, 12432, 12502, 12572, 12642},
    12242, {1230, 12372, 12442, 12512, 12582, 12652},
};

// Where the fields of a group and of the Default record are.
class Fields {
public:
  Fields(CRadioDataCore& data, int zone) : data_(data), zone_(zone) {}

  std::function<FieldRef(int)> Of(GroupField field) const {
    CRadioDataCore* d = &data_;
    return [d, field](int g) { return Group(*d, g).Ref(field); };
  }
  std::function<FieldRef()> Default(DefaultGroupField field) const {
    CDefaultGroupRecord* r = &data_.m_defaultGroup;
    return [r, field] { return r->Ref(field); };
  }
  // A group the zone owns: the only ones a store may write.
  std::function<bool(int)> InZone() const {
    const CRadioDataCore* d = &data_;
    const int zone = zone_;
    return [d, zone](int g) { return GroupRangeOf(*d, zone).Contains(g); };
  }

  // A pick-list line over a group field, with its Default field when set.
  GridLine Line(Choices choices, int fallbackRow, std::function<FieldRef(int)> field,
                std::function<FieldRef()> defaultField = {}) const {
    GridLine line;
    line.choices = choices;
    line.fallbackRow = fallbackRow;
    line.field = std::move(field);
    line.defaultField = std::move(defaultField);
    line.fanOutTo = InZone();
    line.storable = InZone();
    return line;
  }

private:
  // Items reach here only from the binder's columns (0..249) or a fan-out
  // over the zone; anything else reads the last slot rather than past it.
  static CGroupRecord& Group(CRadioDataCore& d, int g) {
    return d.m_groups[static_cast<std::size_t>(g >= 0 && g < kGroupCount ? g : kGroupCount - 1)];
  }

  CRadioDataCore& data_;
  int zone_;
};

GroupRow ValueRow(const char* label, int labelId, int y, int defaultId, const GroupCellIds& ids, int listId,
                  GridLine line) {
  GroupRow row;
  row.label = label;
  row.labelId = labelId;
  row.y = y;
  row.kind = GroupRowKind::kValue;
  row.defaultId = defaultId;
  row.ids = ids;
  row.listId = listId;
  row.line = std::move(line);
  return row;
}

GroupRow EditRow(const char* label, int labelId, int y, GroupRowKind kind, const GroupCellIds& ids) {
  GroupRow row;
  row.label = label;
  row.labelId = labelId;
  row.y = y;
  row.kind = kind;
  row.ids = ids;
  return row;
}

GroupRow OnOffRow(const Fields& f, CRadioDataCore& data, int zone, int y, bool firstChannelOnSwitchOn) {
  GroupRow row = ValueRow("", 0, y, 0, kOnOffCells, kOnOffList, f.Line(kOnOff, 0, f.Of(gf::kEnabled)));
  row.kind = GroupRowKind::kOnOff;
  row.hookStores = true;
  CRadioDataCore* d = &data;
  row.afterCommit = [d, zone, firstChannelOnSwitchOn](int g, std::uint32_t, std::uint32_t value) {
    SwitchGroup(*d, zone, g, value == 1, firstChannelOnSwitchOn);
  };
  return row;
}

GroupRow ScanMemoryRow(const Fields& f, CRadioDataCore& data, int zone, int y, int defaultId, const GroupCellIds& ids) {
  GridLine line = f.Line(kScanMemory, 0, f.Of(gf::kScanMemory), f.Default(df::kScanMemory));
  line.text = [](int, std::uint32_t value) { return std::string(ScanMemoryText(static_cast<std::uint8_t>(value << 1))); };
  GroupRow row = ValueRow("Scan Memory", 1434, y, defaultId, ids, kScanMemoryList, std::move(line));
  row.hookStores = true;
  CRadioDataCore* d = &data;
  row.afterCommit = [d, zone](int g, std::uint32_t, std::uint32_t value) {
    if (g == kDefaultItem)
      SetDefaultScanMemory(*d, zone, value == kScanEnable);
    else
      SetGroupScanMemory(*d, zone, g, value == kScanEnable);
  };
  return row;
}

// The view button of a page: to the other view of the same zone.
GroupPageRows ViewButton(GroupZoneKind kind, GroupView view) {
  GroupPageRows page;
  const bool ltr = kind == GroupZoneKind::kLtr;
  if (view == GroupView::kBasic) {
    page.viewButtonId = 1269;
    page.viewButtonText = "Advanced Features";
    page.viewMessage = ltr ? UM_OPEN_LTR_GROUPS_ADVANCED : UM_OPEN_CONV_GROUPS_ADVANCED;
  } else {
    page.viewButtonId = ltr ? 1322 : 1350;
    page.viewButtonText = "Basic Features";
    page.viewMessage = ltr ? UM_OPEN_LTR_GROUPS_BASIC : UM_OPEN_CONV_GROUPS_BASIC;
  }
  page.zoneFormat = ltr ? "LTR" : "Conventional";
  const bool basic = view == GroupView::kBasic;
  page.helpPage = ltr ? (basic ? "ltrgroups.html" : "ltrgroupsadvanced.html")
                      : (basic ? "convgroups.html" : "convgroupsadvanced.html");
  return page;
}

GroupPageRows LtrBasicRows(Family family, CRadioDataCore& data, int zone) {
  const FamilyCells& c = family == kPortable ? kPortableCells : kMobileLtrBasicCells;
  const Fields f(data, zone);
  GroupPageRows page = ViewButton(GroupZoneKind::kLtr, GroupView::kBasic);
  page.zoneFormat = data.IsLtrZone(zone) ? "LTR" : "Conv";
  std::vector<GroupRow>& rows = page.rows;
  rows.push_back(OnOffRow(f, data, zone, 48, false));
  rows.push_back(EditRow("Tag", 1426, 61, GroupRowKind::kTag, c.tags));
  rows.push_back(EditRow("TX ID", 1427, 74, GroupRowKind::kTxId, kTxIdCells));
  rows.push_back(EditRow("RX ID", 1428, 87, GroupRowKind::kRxId, kRxIdCells));
  rows.push_back(ValueRow("TX Inhibit", 1429, 100, c.txInhibitDefault, c.txInhibit, kTxInhibitList,
                          f.Line(kTxInhibit, 0, f.Of(gf::kTxInhibit), f.Default(df::kTxInhibit))));
  rows.push_back(ValueRow("Time Out Timer", 1430, 113, c.timeOutTimerDefault, c.timeOutTimer, kTimeOutTimerList,
                          f.Line(kDisableEnable, 1, f.Of(gf::kTimer), f.Default(df::kTimer))));
  rows.push_back(ValueRow("Compander", 1432, 126, c.companderDefault, c.compander, kCompanderList,
                          f.Line(kDisableEnable, 0, f.Of(gf::kCompander), f.Default(df::kCompander))));
  rows.push_back(ScanMemoryRow(f, data, zone, 139, c.scanMemoryDefault, c.scanMemory));
  return page;
}

// ---------------------------------------------------------------------------
// Conventional basic

constexpr Choice kSubAudible[] = {{"NONE", 0}, {"CTCSS", 1}, {"DCS", 2}, {"DCS Invert", 3}};
constexpr Choice kMobileBusyLockOut[] = {{"Disable", 0}, {"Busy Lockout", 1}, {"Incorrect", 3}};
constexpr Choice kPortableBusyLockOut[] = {{"Disable", 0}, {"Busy Lockout", 1}, {"Correct", 2}, {"Incorrect", 3}};
constexpr const char* kCodeOff = "  Off";

// The channel a group is on, when it is on one: its frequencies and spacing.
struct ChannelFacts {
  FrequencyCount tx;
  FrequencyCount rx;
  bool wide;
};
std::optional<ChannelFacts> ChannelOfGroup(Family family, const CGroupRecord& group) {
  const int i = group.Channel();
  if (i < 0) return std::nullopt;
  if (family == kPortable) {
    const CPortableChannelRecord& c = g_portableData.m_channels[static_cast<std::size_t>(i)];
    return ChannelFacts{c.m_txFrequency, c.m_rxFrequency, c.IsWide()};
  }
  const CMobileChannelRecord& c = g_mobileData.m_channels[static_cast<std::size_t>(i)];
  return ChannelFacts{c.m_txFrequency, c.m_rxFrequency, c.IsWide()};
}

std::string MHzText(FrequencyCount count) {
  char text[32];
  std::snprintf(text, sizeof text, "%9.5f", CountToMHz(count));
  return text;
}

// The texts and rows of a code cell follow its type: CTCSS tones, DCS codes,
// or nothing to choose.
ChoiceRows CodeRows(std::uint8_t type) {
  ChoiceRows rows;
  if (type == kSubAudibleCtcss) {
    for (std::size_t i = 0; i < g_ctcssToneTexts.size(); ++i) rows.push_back({g_ctcssToneTexts[i], static_cast<std::uint32_t>(i)});
  } else if (type == kSubAudibleDcs || type == kSubAudibleDcsInvert) {
    for (std::size_t i = 0; i < g_dcsCodeTexts.size(); ++i) rows.push_back({g_dcsCodeTexts[i], static_cast<std::uint32_t>(i)});
  }
  return rows;
}
std::string CodeText(std::uint8_t type, std::uint8_t code) {
  const ChoiceRows rows = CodeRows(type);
  if (rows.empty()) return kCodeOff;
  // A code past the table (a hand-made file) shows the first line's text.
  return rows[static_cast<std::size_t>(RowOfChoiceRow(rows, code, 0))].text;
}

GroupRow CodeRow(const Fields& f, CRadioDataCore& data, bool receive, const char* label, int labelId, int y,
                 const GroupCellIds& ids, int listId) {
  CRadioDataCore* d = &data;
  const auto typeOf = [d, receive](int g) {
    const CGroupRecord& group = d->m_groups[static_cast<std::size_t>(g)];
    return receive ? RxSubAudibleType(group) : TxSubAudibleType(group);
  };
  GridLine line = f.Line({}, 0, f.Of(receive ? gf::kRxCode : gf::kTxCode));
  line.buildChoices = [typeOf](int g) { return CodeRows(typeOf(g)); };
  line.text = [typeOf](int g, std::uint32_t value) { return CodeText(typeOf(g), static_cast<std::uint8_t>(value)); };
  GroupRow row = ValueRow(label, labelId, y, 0, ids, listId, std::move(line));
  row.listRows = 6;
  row.state = [d, typeOf](int g) {
    return StateOfOnGroup(*d, g) == GroupCellState::kOpen && !CodeRows(typeOf(g)).empty() ? GroupCellState::kOpen
                                                                                           : GroupCellState::kClosed;
  };
  return row;
}

GroupRow SubAudibleRow(const Fields& f, CRadioDataCore& data, int zone, bool receive, const char* label, int labelId,
                       int y, const GroupCellIds& ids, int listId) {
  GroupRow row = ValueRow(label, labelId, y, 0, ids, listId,
                          f.Line(kSubAudible, 0, f.Of(receive ? gf::kRxSubAudible : gf::kTxSubAudible)));
  row.hookStores = true;
  CRadioDataCore* d = &data;
  row.afterCommit = [d, zone, receive](int g, std::uint32_t, std::uint32_t value) {
    if (!GroupRangeOf(*d, zone).Contains(g)) return;
    CGroupRecord& group = d->m_groups[static_cast<std::size_t>(g)];
    const auto type = static_cast<std::uint8_t>(value & 7);
    if (receive)
      SetRxSubAudible(group, type);
    else
      SetTxSubAudible(group, type);
  };
  return row;
}

GroupRow ChannelRow(const Fields& f, CRadioDataCore& data, Family family, int y) {
  GridLine line = f.Line({}, 0, f.Of(gf::kChannel));
  UseChannelPick(line, family);
  CRadioDataCore* d = &data;
  // A switched-off group shows no channel.
  line.text = [d](int g, std::uint32_t value) {
    return d->m_groups[static_cast<std::size_t>(g)].IsEnabled() ? ChannelNumberText(value) : std::string("None");
  };
  GroupRow row = ValueRow("RF Channel #", 1427, y, 0, {1283, 12922, 13012, 13102, 13192, 13282}, 1423, std::move(line));
  row.listRows = 4;
  row.listColumns = 3;
  return row;
}

GroupRow FrequencyRow(CRadioDataCore& data, Family family, const char* label, int labelId, int y,
                      const GroupCellIds& ids, std::string (*text)(const ChannelFacts&)) {
  GroupRow row = EditRow(label, labelId, y, GroupRowKind::kReadOnly, ids);
  CRadioDataCore* d = &data;
  row.readText = [d, family, text](int g) {
    const CGroupRecord& group = d->m_groups[static_cast<std::size_t>(g)];
    const std::optional<ChannelFacts> channel = group.IsEnabled() ? ChannelOfGroup(family, group) : std::nullopt;
    return channel ? text(*channel) : std::string();
  };
  row.state = [d](int g) {
    return StateOfOnGroup(*d, g) == GroupCellState::kOpen ? GroupCellState::kReadOnly : GroupCellState::kClosed;
  };
  return row;
}

// The RF channel row and the three rows that show its channel, 13 units
// apart from `y`, their labels numbered from `firstLabelId`.
void AddChannelRows(std::vector<GroupRow>& rows, const Fields& f, CRadioDataCore& data, Family family,
                    int firstLabelId, int y, int listId) {
  GroupRow channel = ChannelRow(f, data, family, y);
  channel.labelId = firstLabelId;
  channel.listId = listId;
  rows.push_back(std::move(channel));
  rows.push_back(FrequencyRow(data, family, "Tx Frequency", firstLabelId + 1, y + 13, {1286, 1295, 1304, 1313, 1322, 1331},
                              [](const ChannelFacts& ch) { return MHzText(ch.tx); }));
  rows.push_back(FrequencyRow(data, family, "Rx Frequency", firstLabelId + 2, y + 26, {1287, 1296, 1305, 1314, 1323, 1332},
                              [](const ChannelFacts& ch) { return MHzText(ch.rx); }));
  rows.push_back(FrequencyRow(data, family, "Ch. Space", firstLabelId + 3, y + 39, {1288, 1297, 1306, 1315, 1324, 1333},
                              [](const ChannelFacts& ch) { return std::string(ch.wide ? "Wide" : "Narrow"); }));
}

GroupPageRows ConvBasicRows(Family family, CRadioDataCore& data, int zone) {
  const bool portable = family == kPortable;
  const Fields f(data, zone);
  GroupPageRows page = ViewButton(GroupZoneKind::kConventional, GroupView::kBasic);
  const FamilyCells& c = kPortableCells;  // both templates share these numbers
  std::vector<GroupRow>& rows = page.rows;
  rows.push_back(OnOffRow(f, data, zone, 48, !portable));
  rows.push_back(EditRow("Tag", 1426, 60, GroupRowKind::kTag, c.tags));
  AddChannelRows(rows, f, data, family, 1427, 74, 1423);
  rows.push_back(SubAudibleRow(f, data, zone, true, "Sub Audible Signaling (Rx)", 1431, 126,
                               {1289, 12982, 13072, 13162, 13252, 13342}, 1422));
  rows.push_back(CodeRow(f, data, true, "Decode CTCSS/DCS setting", 1432, 139, {1284, 12932, 13022, 13113, 13202, 13292}, 1425));
  rows.push_back(SubAudibleRow(f, data, zone, false, "Sub Audible Signaling (Tx)", 1434, 152,
                               {1290, 12992, 13082, 13172, 13262, 13352}, 1421));
  rows.push_back(CodeRow(f, data, false, "Encode CTCSS/DCS setting", 1433, 165, {1285, 12942, 13032, 13122, 13212, 13302}, 1442));
  rows.push_back(ValueRow("Monitor", 1438, 178, 12822, {1291, 13003, 13092, 13183, 13272, 13362}, 1420,
                          f.Line(kDisableEnable, 1, f.Of(gf::kMonitor), f.Default(df::kMonitor))));
  rows.push_back(ValueRow("TX Inhibit", 1435, 191, c.txInhibitDefault, c.txInhibit, kTxInhibitList,
                          f.Line(kTxInhibit, 0, f.Of(gf::kTxInhibit), f.Default(df::kTxInhibit))));
  rows.push_back(ValueRow("Time Out Timer", 1436, 204, c.timeOutTimerDefault, c.timeOutTimer, kTimeOutTimerList,
                          f.Line(kDisableEnable, 1, f.Of(gf::kTimer), f.Default(df::kTimer))));
  rows.push_back(ValueRow("Busy Lock Out setting", 1437, 217, 10352, {1036, 10372, 10382, 10393, 10403, 10412}, 1415,
                          f.Line(portable ? Choices(kPortableBusyLockOut) : Choices(kMobileBusyLockOut), 0,
                                 f.Of(gf::kBusyLockout), f.Default(df::kBusyLockout))));
  GroupRow compander = ValueRow("Compander", 1439, 230, c.companderDefault, c.compander, kCompanderList,
                                f.Line(kDisableEnable, 0, f.Of(gf::kCompander), f.Default(df::kCompander)));
  // Open on a narrow channel only, whether the group is on or not.
  CRadioDataCore* d = &data;
  compander.state = [d, family](int g) {
    const std::optional<ChannelFacts> channel = ChannelOfGroup(family, d->m_groups[static_cast<std::size_t>(g)]);
    return channel && !channel->wide ? GroupCellState::kOpen : GroupCellState::kClosed;
  };
  rows.push_back(std::move(compander));
  page.notes.push_back({1441, "(Available on Narrow Channel)", 242});
  GroupRow scan = ScanMemoryRow(f, data, zone, 258, c.scanMemoryDefault, c.scanMemory);
  scan.labelId = 1440;
  rows.push_back(std::move(scan));
  return page;
}

// ---------------------------------------------------------------------------
// Advanced rows, shared by the LTR and conventional views

constexpr Choice kSecondPower4[] = {{"Disable", 7}, {"High", 0}, {"Low-High", 4}, {"Low-Mid", 5}};
constexpr Choice kSecondPower3[] = {{"Disable", 7}, {"High", 0}, {"Low", 4}};
constexpr Choice kMobileEncryption[] = {{"Disable", 0}, {"Key ON", 1}, {"Power ON", 2}, {"ALL ON", 3}};
constexpr Choice kFlatAf[] = {{"Normal", 0}, {"Flat", 1}};
constexpr Choice kLtrSignaling[] = {{"Disable", 0}, {"Signaling", 3}};

// The control numbers of one advanced row: its Default cell (0 none) and
// group cells.
struct RowCells {
  int defaultId;
  GroupCellIds ids;
};

class AdvancedRows {
public:
  AdvancedRows(Family family, CFamilyModel& model, int zone)
      : family_(family),
        data_(model.radioData),
        zone_(zone),
        f_(model.radioData, zone),
        ctx_(SignalingContextOf(model)),
        defaults_(family == kPortable ? kPortableDefaultGroupFields : kMobileDefaultGroupFields) {}

  const SignalingContext& Ctx() const { return ctx_; }
  const Fields& F() const { return f_; }

  GroupRow OnOff(const char* label, int labelId, int y, const RowCells& cells, int listId, GroupField field,
                 DefaultGroupField def) const {
    return ValueRow(label, labelId, y, cells.defaultId, cells.ids, listId,
                    f_.Line(kDisableEnable, 0, f_.Of(field), cells.defaultId != 0 ? f_.Default(def) : nullptr));
  }
  GroupRow CallAlert(int labelId, int y, const RowCells& cells) const {
    return OnOff("Call Alert [Horn]", labelId, y, cells, 1420, gf::kCallAlert, defaults_.callAlert);
  }
  GroupRow Ani(int labelId, int y, const RowCells& cells) const {
    return OnOff("ANI", labelId, y, cells, 1423, gf::kAni, defaults_.ani);
  }
  GroupRow TalkAroundUser(int labelId, int y, const RowCells& cells) const {
    return OnOff("Talk Around (by User)", labelId, y, cells, 1425, gf::kTalkAroundUser, defaults_.talkAroundUser);
  }
  GroupRow TalkAroundFixed(int labelId, int y, const RowCells& cells) const {
    return OnOff("Talk Around (Fixed)", labelId, y, cells, 1427, gf::kTalkAroundFixed, defaults_.talkAroundFixed);
  }
  GroupRow SecondPower(int labelId, int y, const RowCells& cells) const {
    const bool four = family_ == kMobile && ctx_.code1139;
    GroupRow row = ValueRow("2nd Tx Power", labelId, y, cells.defaultId, cells.ids, 1428,
                            f_.Line(four ? Choices(kSecondPower4) : Choices(kSecondPower3), 0,
                                    f_.Of(gf::kSecondTxPower), f_.Default(df::kSecondTxPower)));
    row.listRows = 3;
    return row;
  }
  GroupRow FlatAf(int y, const RowCells& cells) const {
    return ValueRow("Flat AF", 1469, y, cells.defaultId, cells.ids, 1649,
                    f_.Line(kFlatAf, 0, f_.Of(gf::kFlatAf), f_.Default(df::kFlatAf)));
  }
  // The portable RX save and TX save: closed everywhere with product code 11 or 39.
  GroupRow Save(bool rx, int labelId, int y, const RowCells& cells) const {
    const DefaultGroupField def = rx ? defaults_.rxSave : defaults_.txSave;
    GroupRow row =
        OnOff(rx ? "RX save" : "TX save", labelId, y, cells, rx ? 1607 : 1608, rx ? gf::kRxSave : gf::kTxSave, def);
    if (ctx_.code1139) {
      row.state = [](int) { return GroupCellState::kClosed; };
      row.defaultState = [] { return GroupCellState::kClosed; };
    }
    return row;
  }
  GroupRow Encryption(int labelId, int y, const RowCells& cells) const {
    const bool mobile = family_ == kMobile;
    GroupRow row = ValueRow("Encryption", labelId, y, cells.defaultId, cells.ids, 1424,
                            f_.Line(mobile ? Choices(kMobileEncryption) : Choices(kDisableEnable), 0,
                                    f_.Of(mobile ? gf::kMobileEncryption : gf::kPortableEncryption),
                                    f_.Default(mobile ? df::kMobileEncryption : df::kPortableEncryption)));
    row.listRows = mobile ? 4 : 2;
    if (mobile && ctx_.code1139) {
      const CRadioDataCore* d = &data_;
      const SignalingContext ctx = ctx_;
      row.state = [d, ctx](int g) {
        if (StateOfOnGroup(*d, g) != GroupCellState::kOpen) return GroupCellState::kClosed;
        return MobileEncryptionOpen(ctx, MobileFunctionPair(d->m_groups[static_cast<std::size_t>(g)]))
                   ? GroupCellState::kOpen
                   : GroupCellState::kClosed;
      };
      row.defaultState = [d, ctx] {
        return MobileEncryptionOpen(ctx, MobileDefaultFunctionPair(d->m_defaultGroup)) ? GroupCellState::kOpen
                                                                                        : GroupCellState::kClosed;
      };
    }
    return row;
  }

  // The LTR function: "Disable" or "Signaling", both its parts at once.
  GroupRow LtrSignaling(const char* label, int y, const RowCells& cells) const {
    GridLine line = f_.Line(kLtrSignaling, 0, nullptr);
    const CRadioDataCore* d = &data_;
    const SignalingContext ctx = ctx_;
    line.defaultField = [] { return FieldRef(); };
    line.valueOf = [d, ctx](int item) {
      return item == kDefaultItem ? LtrDefaultSignalingValue(ctx, d->m_defaultGroup)
                                  : LtrSignalingValue(ctx, d->m_groups[static_cast<std::size_t>(item)]);
    };
    GroupRow row = ValueRow(label, 1467, y, cells.defaultId, cells.ids, 1429, std::move(line));
    row.hookStores = true;
    CRadioDataCore* w = &data_;
    const int zone = zone_;
    row.afterCommit = [w, ctx, zone](int item, std::uint32_t, std::uint32_t value) {
      const ZoneGroupRange range = GroupRangeOf(*w, zone);
      const bool on = value != 0;
      if (item == kDefaultItem) {
        StoreLtrDefaultSignaling(ctx, w->m_defaultGroup, on);
        for (int g = range.first; g < range.End(); ++g) StoreLtrSignaling(ctx, w->m_groups[static_cast<std::size_t>(g)], on);
      } else if (range.Contains(item)) {
        StoreLtrSignaling(ctx, w->m_groups[static_cast<std::size_t>(item)], on);
      }
    };
    return row;
  }

  // The conventional function, with its lines by product code, board and
  // the cell's encryption.
  GroupRow ConvSignaling(const char* label, int y, const RowCells& cells) const {
    GridLine line = f_.Line({}, 0, nullptr);
    const CRadioDataCore* d = &data_;
    const SignalingContext ctx = ctx_;
    const auto encryptionOf = [d](int item) {
      return static_cast<std::uint8_t>(item == kDefaultItem
                                           ? d->m_defaultGroup.Value(df::kMobileEncryption)
                                           : d->m_groups[static_cast<std::size_t>(item)].Value(gf::kMobileEncryption));
    };
    line.defaultField = [] { return FieldRef(); };
    line.buildChoices = [ctx, encryptionOf](int item) { return ConvSignalingRows(ctx, encryptionOf(item)); };
    line.valueOf = [d, ctx](int item) {
      return item == kDefaultItem ? ConvDefaultSignalingValue(ctx, d->m_defaultGroup)
                                  : ConvSignalingValue(ctx, d->m_groups[static_cast<std::size_t>(item)]);
    };
    // The Default cell reads "Option" whenever the XLD-200 is fitted.
    line.text = [ctx, encryptionOf](int item, std::uint32_t value) {
      const ChoiceRows rows = ConvSignalingRows(ctx, item == kDefaultItem ? 0 : encryptionOf(item));
      return rows[static_cast<std::size_t>(RowOfChoiceRow(rows, value, 0))].text;
    };
    GroupRow row = ValueRow(label, 1462, y, cells.defaultId, cells.ids, 1429, std::move(line));
    row.listRows = !ctx_.Mobile() && ctx_.code1139 ? 2 : 3;
    row.hookStores = true;
    CRadioDataCore* w = &data_;
    const int zone = zone_;
    row.afterCommit = [w, ctx, zone, encryptionOf](int item, std::uint32_t, std::uint32_t value) {
      const int line = RowOfChoiceRow(ConvSignalingRows(ctx, encryptionOf(item)), value, 0);
      const ZoneGroupRange range = GroupRangeOf(*w, zone);
      if (item == kDefaultItem) {
        StoreConvDefaultSignaling(ctx, w->m_defaultGroup, line);
        for (int g = range.first; g < range.End(); ++g)
          StoreConvSignalingFromDefault(ctx, w->m_defaultGroup, w->m_groups[static_cast<std::size_t>(g)], line);
      } else if (range.Contains(item)) {
        StoreConvSignaling(ctx, w->m_groups[static_cast<std::size_t>(item)], line);
      }
    };
    return row;
  }
  GroupRow ConvNumber(const char* label, int y, const GroupCellIds& ids) const {
    GridLine line = f_.Line({}, 0, f_.Of(gf::kFunctionNumber));
    const CRadioDataCore* d = &data_;
    const SignalingContext ctx = ctx_;
    line.buildChoices = [d, ctx](int g) { return ConvNumberRows(ctx, d->m_groups[static_cast<std::size_t>(g)]); };
    line.text = [d, ctx](int g, std::uint32_t) { return ConvNumberText(ctx, d->m_groups[static_cast<std::size_t>(g)]); };
    GroupRow row = ValueRow(label, 1463, y, 0, ids, 1430, std::move(line));
    row.listRows = 3;
    row.state = [d, ctx](int g) {
      return StateOfOnGroup(*d, g) == GroupCellState::kOpen && ConvNumberOpen(ctx, d->m_groups[static_cast<std::size_t>(g)])
                 ? GroupCellState::kOpen
                 : GroupCellState::kClosed;
    };
    return row;
  }
  // Mobile conventional ANI: closed while the group's signalling is on.
  GroupRow ConvAni(int labelId, int y, const RowCells& cells) const {
    GroupRow row = Ani(labelId, y, cells);
    if (family_ == kMobile && ctx_.code1139) {
      const CRadioDataCore* d = &data_;
      const SignalingContext ctx = ctx_;
      row.state = [d, ctx](int g) {
        return StateOfOnGroup(*d, g) == GroupCellState::kOpen && MobileConvAniOpen(ctx, d->m_groups[static_cast<std::size_t>(g)])
                   ? GroupCellState::kOpen
                   : GroupCellState::kClosed;
      };
    }
    return row;
  }

private:
  Family family_;
  CRadioDataCore& data_;
  int zone_;
  Fields f_;
  SignalingContext ctx_;
  const DefaultGroupFamilyFields& defaults_;
};

constexpr GroupCellIds kLtrTxIdCells = {1232, 12391, 12461, 12531, 12601, 12671};
constexpr GroupCellIds kLtrRxIdCells = {1233, 12401, 12471, 12541, 12611, 12681};
constexpr GroupCellIds kTagCells = {1231, 12382, 12452, 12522, 12592, 12662};

GroupPageRows LtrAdvancedRows(Family family, CFamilyModel& model, int zone) {
  CRadioDataCore& data = model.radioData;
  const AdvancedRows a(family, model, zone);
  GroupPageRows page = ViewButton(GroupZoneKind::kLtr, GroupView::kAdvanced);
  page.zoneFormat = "LTR";
  std::vector<GroupRow>& rows = page.rows;
  GroupRow tag = EditRow("Tag", 1448, 48, GroupRowKind::kTag, family == kPortable ? kTagCells : kMobileLtrBasicCells.tags);
  tag.state = [](int) { return GroupCellState::kOpen; };  // an off group keeps its tag open
  rows.push_back(std::move(tag));
  rows.push_back(EditRow("TX ID", 1449, 61, GroupRowKind::kTxId, kLtrTxIdCells));
  rows.push_back(EditRow("RX ID", 1450, 74, GroupRowKind::kRxId, kLtrRxIdCells));
  page.notes.push_back({1451, "Advanced Features", 95});
  if (family == kMobile) {
    rows.push_back(a.CallAlert(1452, 107, {1751, {1752, 1753, 1754, 1755, 1756, 1757}}));
    rows.push_back(a.Ani(1455, 119, {1758, {1759, 1760, 1761, 1762, 1763, 1764}}));
    rows.push_back(a.TalkAroundUser(1457, 132, {1765, {1766, 1767, 1768, 1769, 1770, 1771}}));
    rows.push_back(a.TalkAroundFixed(1459, 144, {1772, {1773, 1774, 1775, 1776, 1777, 1778}}));
    rows.push_back(a.SecondPower(1460, 156, {1779, {1780, 1781, 1782, 1783, 1784, 1785}}));
    rows.push_back(a.FlatAf(168, {17861, {1787, 17881, 17891, 17901, 17911, 17921}}));
    rows.push_back(a.LtrSignaling("Signaling Function", 180, {17931, {1794, 17951, 17961, 17971, 17981, 17991}}));
    rows.push_back(a.Encryption(1456, 192, {18001, {1801, 18021, 18031, 18041, 18051, 18061}}));
    return page;
  }
  rows.push_back(a.CallAlert(1452, 107, {12722, {1273, 12742, 1278, 12892, 13002, 13114}}));
  rows.push_back(a.Ani(1455, 119, {12243, {1243, 12622, 12813, 14392, 13033, 14472}}));
  rows.push_back(a.TalkAroundUser(1457, 132, {12282, {1248, 12643, 14362, 12943, 14432, 13163}}));
  rows.push_back(a.TalkAroundFixed(1459, 144, {12302, {1250, 12692, 12852, 14382, 13073, 13184}}));
  rows.push_back(a.SecondPower(1460, 156, {12342, {1251, 12752, 14342, 14352, 13083, 14002}}));
  rows.push_back(a.Save(true, 1440, 167, {1593, {1594, 1595, 1596, 1597, 1598, 1599}}));
  rows.push_back(a.Save(false, 1465, 179, {1600, {1601, 1602, 1603, 1604, 1605, 1606}}));
  if (a.Ctx().code1139) page.notes.push_back({1464, "Encryption[Requires XBE-14 Optional board]", 195});
  // Product codes 11 and 39 have no paging function on this view.
  if (!a.Ctx().code1139)
    rows.push_back(a.LtrSignaling("Paging Function", 209, {1610, {1611, 1612, 1613, 1614, 1615, 1616}}));
  rows.push_back(a.Encryption(1456, 221, {12272, {1244, 12633, 12823, 12933, 14442, 14372}}));
  (void)data;
  return page;
}

GroupPageRows ConvAdvancedRows(Family family, CFamilyModel& model, int zone) {
  CRadioDataCore& data = model.radioData;
  const bool mobile = family == kMobile;
  const AdvancedRows a(family, model, zone);
  const Fields& f = a.F();
  GroupPageRows page = ViewButton(GroupZoneKind::kConventional, GroupView::kAdvanced);
  std::vector<GroupRow>& rows = page.rows;
  const int p = mobile ? 0 : 1;  // row positions differ from ANI on
  const auto y = [p](int m, int portable) { return p == 0 ? m : portable; };
  rows.push_back(EditRow("Tag", 1448, 47, GroupRowKind::kTag, kTagCells));
  AddChannelRows(rows, f, data, family, 1449, 61, 1426);
  page.notes.push_back({1453, "Advanced Features", 113});
  rows.push_back(a.CallAlert(1454, 123, {0, {1273, 12742, 1278, 12892, 13002, 13114}}));
  if (mobile) {
    rows.push_back(ValueRow("ANI Monitor", 1466, 136, 12252, {1257, 12653, 12842, 14422, 13173, 14652}, 1470,
                            f.Line(kDisableEnable, 0, f.Of(gf::kAniMonitor), f.Default(df::kAniMonitor))));
  }
  rows.push_back(a.ConvAni(1457, y(148, 143), {12243, {1243, 12622, 12813, 14392, 13033, 14472}}));
  rows.push_back(a.TalkAroundUser(1459, y(160, 154), {12282, {1248, 12643, 14362, 12943, 14432, 13163}}));
  rows.push_back(a.TalkAroundFixed(1460, y(172, 166), {12302, {1250, 12692, 12852, 14382, 13073, 13184}}));
  rows.push_back(a.SecondPower(1461, y(184, 178), {12342, {1251, 12752, 14342, 14352, 13083, 14002}}));
  rows.push_back(ValueRow("QALS", 1464, y(196, 190), 12392, {1240, 12462, 12472, 12493, 12532, 12542}, 1440,
                          f.Line(kDisableEnable, 0, f.Of(gf::kQals), f.Default(df::kQals))));
  if (mobile) {
    rows.push_back(a.FlatAf(208, {16422, {1643, 16442, 16452, 16462, 16472, 16482}}));
  } else {
    rows.push_back(a.Save(true, 1468, 202, {1593, {1594, 1595, 1596, 1597, 1598, 1599}}));
    rows.push_back(a.Save(false, 1469, 214, {1600, {1601, 1602, 1603, 1604, 1605, 1606}}));
    page.notes.push_back({1467,
                          a.Ctx().code1139 ? "DTMF Paging ,Encryption[Requires XBE-14 Optional board]"
                                           : "Paging[Requires XBE-14 Optional Board], Encryption",
                          227});
  }
  rows.push_back(a.ConvSignaling(mobile ? "Signaling Function" : "Paging Function", y(219, 237),
                                 {12353, {1255, 12762, 14332, 12983, 13093, 13203}}));
  rows.push_back(a.ConvNumber(mobile ? "Signaling No." : "Paging\u3000encoding #", y(231, 249),
                              {11591, 11612, 11692, 11713, 11733, 11752}));
  rows.push_back(a.Encryption(1458, y(243, 261), {12272, {1244, 12633, 12823, 12933, 14442, 14372}}));
  return page;
}

}  // namespace

GroupCellState StateOfOnGroup(const CRadioDataCore& data, int g) {
  return g >= 0 && g < kGroupCount && data.m_groups[static_cast<std::size_t>(g)].IsEnabled() ? GroupCellState::kOpen
                                                                                             : GroupCellState::kClosed;
}

GroupPageRows MakeGroupRows(Family family, GroupZoneKind kind, GroupView view, CFamilyModel& model, int zone) {
  CRadioDataCore& data = model.radioData;
  if (kind == GroupZoneKind::kLtr && view == GroupView::kBasic) return LtrBasicRows(family, data, zone);
  if (kind == GroupZoneKind::kConventional && view == GroupView::kBasic) return ConvBasicRows(family, data, zone);
  if (kind == GroupZoneKind::kLtr) return LtrAdvancedRows(family, model, zone);
  return ConvAdvancedRows(family, model, zone);
}
