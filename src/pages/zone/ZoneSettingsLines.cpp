#include "pages/zone/ZoneSettingsLines.h"

#include "model/FamilyModel.h"
#include "model/ZoneGroups.h"

namespace {

constexpr Choice kRiseRows[] = {{" 5msec", 1}, {"10msec", 2}, {"15msec", 3}, {"20msec", 4}, {"25msec", 5},
                                {"30msec", 6}, {"35msec", 7}, {"40msec", 8}, {"45msec", 9}, {"50msec", 10}};
constexpr Choice kPrefixRows[] = {{"Disable(FF)", 0xFF}, {"10101010", 0xAA}, {"11001100", 0xCC}};
constexpr Choice kHangRows[] = {{"0.5Sec", 10}, {"1.0Sec", 20}, {"2.0Sec", 40}, {"3.0Sec", 60}};
constexpr Choice kFadeRows[] = {{"0.5Sec", 1}, {"1.0Sec", 2}, {"2.0Sec", 4}, {"3.0Sec", 6}, {"4.0Sec", 8}, {"5.0Sec", 10}};
constexpr Choice kResumeRows[] = {{" 0Sec", 0},  {" 5Sec", 1},  {"10Sec", 2},  {"15Sec", 3},  {"20Sec", 4},  {"25Sec", 5},
                                  {"30Sec", 6},  {"35Sec", 7},  {"40Sec", 8},  {"45Sec", 9},  {"50Sec", 10}, {"55Sec", 11},
                                  {"60Sec", 12}, {"65Sec", 13}, {"70Sec", 14}, {"75Sec", 15}};
constexpr Choice kTimeoutRows[] = {{"0.5min", 1},  {"1.0min", 2},  {"1.5min", 3},  {"2.0min", 4},  {"2.5min", 5},
                                   {"3.0min", 6},  {"3.5min", 7},  {"4.0min", 8},  {"4.5min", 9},  {"5.0min", 10},
                                   {"5.5min", 11}, {"6.0min", 12}, {"6.5min", 13}, {"7.0min", 14}};

struct Builder {
  CRadioDataCore& data;
  std::vector<ZoneSettingsLine> lines;

  std::function<FieldRef(int)> Zone(ZoneField field) const {
    return [&d = data, field](int item) { return d.ZoneRef(item, field); };
  }
  // The Default column's byte of the field.
  static std::function<FieldRef()> Default(std::uint8_t& byte, ZoneField field) {
    return [p = &byte, bits = field.bits] { return FieldRef(p, bits); };
  }
  std::function<bool(int)> IsLtr() const {
    return [&d = data](int item) { return ZoneKindOf(d, item) == ZoneKind::kLtr; };
  }
  ZoneSettingsLine& Add(ZoneCellKind kind, int captionId, const char* caption, std::array<int, 6> ids, int y) {
    ZoneSettingsLine l;
    l.kind = kind;
    l.captionId = captionId;
    l.line.caption = caption;
    l.ids = ids;
    l.y = y;
    lines.push_back(std::move(l));
    return lines.back();
  }
  ZoneSettingsLine& Choose(int captionId, const char* caption, Choices choices, int fallback, std::array<int, 6> ids,
                           int list, int y) {
    ZoneSettingsLine& l = Add(ZoneCellKind::kChoice, captionId, caption, ids, y);
    l.line.choices = choices;
    l.line.fallbackRow = fallback;
    l.listId = list;
    l.listRows = choices.size() > 3 ? 4 : 2;
    return l;
  }
};

}  // namespace

std::vector<ZoneSettingsLine> LtrAdvancedLines(CFamilyModel& model, LtrAdvancedDefaults& defaults) {
  using namespace zone_field;
  Builder b{model.radioData, {}};
  b.lines.reserve(12);  // Choose and Add hand out references into it

  // The LTR fields reach conventional zones, whose bytes 2..9 are their
  // Connect Dial, never: a Default choice fans out to LTR zones only.
  ZoneSettingsLine& rise = b.Choose(1424, "LTR Data Rise Time ", kRiseRows, 1, {1123, 1124, 1125, 1126, 1127, 1128}, 1325, 55);
  rise.line.field = b.Zone(kRiseTime);
  rise.line.defaultField = Builder::Default(defaults.rise, kRiseTime);
  rise.line.fanOutTo = b.IsLtr();
  rise.manufacturerOnly = true;
  rise.commitOnSelect = true;

  ZoneSettingsLine& prefix = b.Choose(1426, "Pre fix code", kPrefixRows, 0, {1130, 1131, 1132, 1133, 1134, 1135}, 1326, 69);
  prefix.line.field = b.Zone(kPrefixCode);
  prefix.line.defaultField = Builder::Default(defaults.prefix, kPrefixCode);
  prefix.manufacturerOnly = true;
  prefix.commitOnSelect = true;
  prefix.fixedPlace = true;

  ZoneSettingsLine& hang =
      b.Choose(1427, "Channel Hang Time", kHangRows, 0, {11371, 1138, 11391, 11401, 11411, 11421}, 1327, 83);
  hang.line.field = b.Zone(kHangTime);
  hang.line.defaultField = Builder::Default(defaults.hang, kHangTime);

  ZoneSettingsLine& fade =
      b.Choose(1428, "Channel Fade Time", kFadeRows, 3, {11441, 1147, 11481, 11491, 11501, 11511}, 1328, 97);
  fade.line.field = b.Zone(kFadeTime);
  fade.line.defaultField = Builder::Default(defaults.fade, kFadeTime);

  const auto idPair = [&](int captionId, const char* caption, std::array<ZoneField, 2> pair, std::array<int, 6> starts,
                          std::array<int, 6> stops, int y) {
    for (int half = 0; half < 2; ++half) {
      const ZoneField field = pair[static_cast<std::size_t>(half)];
      ZoneSettingsLine& l =
          b.Add(ZoneCellKind::kIdentifier, half == 0 ? captionId : 0, half == 0 ? caption : "", half == 0 ? starts : stops, y);
      l.line.field = b.Zone(field);
      // The Default record keeps the four IDs in zone byte order.
      l.line.defaultField = Builder::Default(defaults.ids[static_cast<std::size_t>(field.byte - kBlockStart.byte)], field);
      l.line.fanOutTo = b.IsLtr();
      l.dx = half == 0 ? 0 : 23;
      l.width = 22;
    }
  };
  idPair(1429, "Rx ID's         Start/Stop", {kBlockStart, kBlockStop}, {10562, 10603, 10623, 10642, 11531, 11551},
         {10573, 10613, 10632, 10651, 11541, 11561}, 126);

  ZoneSettingsLine& decode =
      b.Choose(1430, "  Decode Resume Time", kResumeRows, 1, {11451, 1159, 11601, 11611, 11621, 11631}, 1329, 140);
  decode.line.field = b.Zone(kDecodeResume);
  decode.line.defaultField = Builder::Default(defaults.resume, kDecodeResume);
  decode.line.fanOutTo = b.IsLtr();

  idPair(1431, "Tx Inhibit ID's Start/Stop", {kInhibitStart, kInhibitStop}, {10583, 1165, 13182, 11721, 11711, 11731},
         {10593, 1166, 11671, 11701, 13561, 11741}, 154);

  ZoneSettingsLine& inhibit =
      b.Choose(1432, "  Tx Inhibit Resume Time", kResumeRows, 1, {11461, 1177, 11781, 11791, 11801, 11811}, 1330, 168);
  inhibit.line.field = b.Zone(kInhibitResume);
  inhibit.line.defaultField = Builder::Default(defaults.resume, kInhibitResume);
  inhibit.line.fanOutTo = b.IsLtr();
  return std::move(b.lines);
}

std::vector<ZoneSettingsLine> InterconnectLines(Family family, CFamilyModel& model, InterconnectDefaults& defaults) {
  using namespace zone_field;
  Builder b{model.radioData, {}};
  b.lines.reserve(8);
  // The portable template has the End of TX Tone row first; the mobile one
  // hides it, so its rows start one row higher.
  const int top = family == kPortable ? 59 : 47;
  const auto at = [top](int rowBelowTimer) {
    constexpr int kRowY[] = {0, 12, 26, 38, 52, 64, 78};
    return top + kRowY[rowBelowTimer];
  };

  if (family == kPortable) {
    ZoneSettingsLine& tone =
        b.Choose(1424, "End of TX Tone", kDisableEnable, 0, {1123, 1131, 1132, 1133, 1134, 1135}, 1318, 45);
    tone.line.field = b.Zone(kInterconnectEndOfTxTone);
    tone.line.defaultField = Builder::Default(defaults.flags, kInterconnectEndOfTxTone);
  }
  ZoneSettingsLine& timer =
      b.Choose(1426, "TX Timeout Timer", kTimeoutRows, 5, {11242, 1137, 11381, 11392, 11402, 48575}, 1319, at(0));
  timer.line.field = b.Zone(kInterconnectTimeout);
  timer.line.defaultField = Builder::Default(defaults.timer, kInterconnectTimeout);

  ZoneSettingsLine& phone =
      b.Choose(1427, "Phone Interconnect ", kDisableEnable, 0, {11251, 1143, 11442, 11452, 11462, 11472}, 1320, at(1));
  phone.line.field = b.Zone(kPhoneInterconnect);
  phone.line.defaultField = Builder::Default(defaults.flags, kPhoneInterconnect);

  // An LTR zone's column shows its ID, any other zone's its Connect Dial:
  // the two share bytes 2..9. Neither has a Default cell.
  ZoneSettingsLine& id =
      b.Add(ZoneCellKind::kIdentifier, 1428, "Interconnect LTR ID", {0, 1149, 11502, 11512, 11522, 11532}, at(2));
  id.line.field = b.Zone(kInterconnectId);
  id.shownFor = ZoneSettingsLine::ShownFor::kLtr;

  ZoneSettingsLine& dial =
      b.Add(ZoneCellKind::kConnectDial, 1429, "Connect Dial", {0, 1155, 11562, 11571, 11581, 11592}, at(3));
  dial.line.field = b.Zone(kConnectDialCount);
  dial.shownFor = ZoneSettingsLine::ShownFor::kOther;

  ZoneSettingsLine& disconnect =
      b.Add(ZoneCellKind::kDisconnectDial, 1430, "Disconnect Dial", {11281, 1161, 11622, 11632, 11641, 11651}, at(4));
  disconnect.line.field = b.Zone(kDisconnectDial);
  disconnect.line.defaultField = Builder::Default(defaults.disconnect, kDisconnectDial);

  ZoneSettingsLine& onlyRx =
      b.Choose(1431, "Interconnect Only Rx", kDisableEnable, 0, {11291, 1167, 11681, 11691, 11702, 11712}, 1321, at(5));
  onlyRx.line.field = b.Zone(kInterconnectOnlyRx);
  onlyRx.line.defaultField = Builder::Default(defaults.flags, kInterconnectOnlyRx);

  ZoneSettingsLine& autoLine =
      b.Choose(1432, "Auto Interconnect", kDisableEnable, 0, {11301, 1175, 11732, 11742, 11761, 11771}, 1322, at(6));
  autoLine.line.field = b.Zone(kAutoInterconnect);
  autoLine.line.defaultField = Builder::Default(defaults.flags, kAutoInterconnect);
  return std::move(b.lines);
}
