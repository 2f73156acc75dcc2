#include "pages/zone/SystemLines.h"

#include <cstdio>
#include <string>

#include "model/FamilyModel.h"
#include "model/ZoneGroups.h"

namespace {

constexpr Choice kEnableRows[] = {{"Enable", 1}, {"Disable", 0}};
constexpr Choice kFormatRows[] = {{"LTR", 1}, {"Conventional", 2}};
constexpr Choice kTimeoutRows[] = {{"0.5min", 1}, {"1.0min", 2}, {"1.5min", 3},  {"2.0min", 4},  {"2.5min", 5},
                                   {"3.0min", 6}, {"3.5min", 7}, {"4.0min", 8},  {"4.5min", 9},  {"5.0min", 10},
                                   {"5.5min", 11}, {"6.0min", 12}, {"6.5min", 13}, {"7.0min", 14}};
constexpr Choice kMobilePowerRows[] = {{"High", 0}, {"Low-High", 4}, {"Low-Mid", 5}};
constexpr Choice kPortablePowerRows[] = {{"High", 0}, {"Low", 4}};
constexpr Choice kAreaRows[] = {{"Area0", 0}, {"Area1", 1}};
constexpr Choice kScanWordRows[] = {{" 5", 0},  {" 6", 1},  {" 7", 2},  {" 8", 3},  {" 9", 4},  {"10", 5},
                                    {"11", 6},  {"12", 7},  {"13", 8},  {"14", 9},  {"15", 10}, {"16", 11},
                                    {"17", 12}, {"18", 13}, {"19", 14}, {"20", 15}};

constexpr std::uint32_t kNoRevertGroup = 0xFF;

std::string Printf(const char* format, int value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

std::vector<SystemLine> SystemLines(Family family, CFamilyModel& model, ZoneDefaults& defaults) {
  CRadioDataCore& data = model.radioData;
  using namespace zone_field;
  const auto zoneField = [&data = data](ZoneField field) {
    return [&data = data, field](int item) { return data.ZoneRef(item, field); };
  };
  // The Default column's byte of the field.
  const auto defaultField = [](std::uint8_t& byte, ZoneField field) {
    return [p = &byte, bits = field.bits] { return FieldRef(p, bits); };
  };
  const auto isLtr = [&data = data](int item) { return ZoneKindOf(data, item) == ZoneKind::kLtr; };
  // The repeater a home byte names, when it is one of the zone's programmed
  // ones; -1 otherwise (the field has room for 127).
  const auto homeRepeater = [&data = data](int zone, std::uint32_t value) {
    if (value < 1 || value > kRepeatersPerZone) return -1;
    const std::uint16_t word = data.m_repeaters[static_cast<std::size_t>(zone)][value - 1];
    return (word & repeater_word::kChannelMask) != repeater_word::kEmpty ? static_cast<int>(value) - 1 : -1;
  };

  std::vector<SystemLine> lines;
  lines.reserve(12);  // `add` hands out references into it
  const auto add = [&lines](SystemRow row, const char* caption, Choices choices, int fallback, std::array<int, 6> ids,
                            int list, int rows) -> SystemLine& {
    SystemLine l;
    l.row = row;
    l.line.caption = caption;
    l.line.choices = choices;
    l.line.fallbackRow = fallback;
    l.ids = ids;
    l.listId = list;
    l.listRows = rows;
    lines.push_back(std::move(l));
    return lines.back();
  };

  SystemLine& enable = add(SystemRow::kEnable, "", kEnableRows, 0, {0, 1511, 1512, 1513, 1514, 1515}, 1516, 2);
  enable.line.field = [&data = data](int item) { return FieldRef(&data.m_zoneFlags[static_cast<std::size_t>(item)], Bit(0)); };
  enable.hookStores = true;  // switching a zone runs the group-count rules

  SystemLine& format =
      add(SystemRow::kFormat, "Zone format", kFormatRows, 0, {0, 10701, 10781, 10871, 13551, 10891}, 13072, 2);
  format.line.field = zoneField(kFormat);
  format.afterCommit = [&data = data](int item, std::uint32_t oldValue, std::uint32_t newValue) {
    if (item < 0 || oldValue == newValue) return;
    data.InitSystem(item, static_cast<int>(newValue));
    data.ResetSystemGroups(item);
  };

  if (family == kPortable) {
    SystemLine& tone = add(SystemRow::kEndOfTxTone, "End of TX Tone", kDisableEnable, 0,
                           {1072, 1073, 1074, 1075, 1076, 1088}, 1308, 2);
    tone.line.field = zoneField(kEndOfTxTone);
    tone.line.defaultField = defaultField(defaults.power, kEndOfTxTone);
  }

  SystemLine& timeout = add(SystemRow::kTxTimeout, "TX Timeout Timer", kTimeoutRows, 5,
                            {10911, 1092, 10931, 10941, 10951, 10961}, 1309, 4);
  timeout.line.field = zoneField(kTxTimeout);
  timeout.line.defaultField = defaultField(defaults.timer, kTxTimeout);

  SystemLine& power = add(SystemRow::kPower, "Primary TX Power",
                          family == kPortable ? Choices(kPortablePowerRows) : Choices(kMobilePowerRows), 0,
                          {10981, 1099, 11001, 11011, 11021, 11031}, 1311, family == kPortable ? 2 : 3);
  power.line.field = zoneField(kPrimaryTxPower);
  power.line.defaultField = defaultField(defaults.power, kPrimaryTxPower);

  SystemLine& revert =
      add(SystemRow::kRevertGroup, "Revert Group", {}, 0, {11051, 1106, 11071, 11081, 11091, 11101}, 1317, 4);
  revert.line.field = zoneField(kRevertGroup);
  revert.line.defaultField = defaultField(defaults.revertGroup, kRevertGroup);
  revert.line.buildChoices = [&data = data](int item) {
    ChoiceRows rows{{"None", kNoRevertGroup}};
    if (item < 0) return rows;  // the Default column offers "None" only
    const int first = data.FirstGroupOf(item);
    for (int k = 0; k < data.GetSystemGroupCount(item) && first + k < kGroupCount; ++k)
      if (data.m_groups[static_cast<std::size_t>(first + k)].IsEnabled())
        rows.push_back({Printf("Grp %2d", first + k + 1), static_cast<std::uint32_t>(k)});
    return rows;
  };
  // The absolute group number, worked out from the counts: a value from a
  // file past the zone's groups reads no record.
  revert.line.text = [&data = data](int item, std::uint32_t value) {
    if (value == kNoRevertGroup) return std::string("None");
    const int first = item < 0 ? 0 : data.FirstGroupOf(item);
    return Printf("Grp %2d", first + static_cast<int>(value) + 1);
  };

  if (family == kMobile) {
    SystemLine& scan =
        add(SystemRow::kZoneScan, "Zone Scan", kDisableEnable, 1, {0, 1118, 11211, 11221, 11231, 11241}, 1318, 2);
    scan.line.field = [&data = data](int item) {
      return FieldRef(&data.m_zoneFlags[static_cast<std::size_t>(item)], Bit(4));
    };
  }

  // The LTR information: bytes 2-9 hold Connect Dial digits on a
  // conventional zone, so a Default choice reaches LTR zones only.
  SystemLine& area = add(SystemRow::kAreaCode, "AREA Code", kAreaRows, 0, {0, 1198, 11991, 12001, 12011, 12021}, 1319, 2);
  area.line.field = zoneField(kAreaCode);
  area.line.defaultField = defaultField(defaults.home, kAreaCode);
  area.line.fanOutTo = isLtr;
  area.ltrOnly = true;

  SystemLine& home =
      add(SystemRow::kHomeChannel, "Home Channel Number", {}, 0, {0, 1204, 12051, 12061, 12071, 12081}, 1320, 4);
  home.line.field = zoneField(kHomeRepeater);
  home.line.defaultField = defaultField(defaults.home, kHomeRepeater);
  home.line.fanOutTo = isLtr;
  home.ltrOnly = true;
  home.line.buildChoices = [&data = data](int item) {
    ChoiceRows rows{{"None", 0}};
    if (item < 0) return rows;
    for (int r = 0; r < kRepeatersPerZone; ++r)
      if ((data.m_repeaters[static_cast<std::size_t>(item)][static_cast<std::size_t>(r)] & repeater_word::kChannelMask) !=
          repeater_word::kEmpty)
        rows.push_back({Printf("%2d", r + 1), static_cast<std::uint32_t>(r + 1)});
    return rows;
  };
  home.line.text = [homeRepeater](int item, std::uint32_t value) {
    const int r = item < 0 ? -1 : homeRepeater(item, value);
    return r < 0 ? std::string("None") : Printf("%2d", r + 1);
  };
  // The radio wants interconnect and dispatch on its home repeater.
  home.afterCommit = [&data = data, homeRepeater](int item, std::uint32_t, std::uint32_t value) {
    if (item < 0) return;
    const int r = homeRepeater(item, value);
    if (r >= 0) data.m_repeaters[static_cast<std::size_t>(item)][static_cast<std::size_t>(r)] |= repeater_word::kHomeMarks;
  };

  SystemLine& permit = add(SystemRow::kTalkPermitTone, "Talk Permit Tone", kDisableEnable, 1,
                           {0, 1113, 11141, 11151, 11161, 11171}, 1324, 2);
  permit.line.field = zoneField(kTalkPermitTone);
  permit.line.defaultField = defaultField(defaults.type, kTalkPermitTone);
  permit.ltrOnly = true;

  SystemLine& decode = add(SystemRow::kMultipleGroupDecode, "Multiple Group Decode", kDisableEnable, 0,
                           {0, 1219, 12201, 12211, 12221, 12231}, 1322, 2);
  decode.line.field = zoneField(kMultipleGroupDecode);
  decode.line.defaultField = defaultField(defaults.type, kMultipleGroupDecode);
  decode.ltrOnly = true;

  SystemLine& words =
      add(SystemRow::kScanWords, "Scan words", kScanWordRows, 5, {0, 1226, 12271, 12281, 12291, 12301}, 1323, 4);
  words.line.field = zoneField(kScanWords);
  words.line.defaultField = defaultField(defaults.ltrOption, kScanWords);
  words.line.fanOutTo = isLtr;
  words.ltrOnly = true;
  return lines;
}
