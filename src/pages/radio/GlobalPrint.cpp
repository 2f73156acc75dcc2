// The Global 1 and Global 2 tables as printed: a frame per group of
// settings, its heading, and each setting's label with its value in a box.
#include <functional>
#include <string>
#include <vector>

#include "model/Digits.h"
#include "model/GlobalRecordFields.h"
#include "model/GlobalRecordText.h"
#include "model/PrintTable.h"
#include "model/RadioModels.h"
#include "pages/radio/Global1Page.h"
#include "pages/radio/Global2Page.h"
#include "pages/radio/RadioPrints.h"

namespace {

using ValueText = std::function<std::string()>;

// One printed line of a group: a label (no label when null) and its value box.
struct Line {
  const char* label;
  int labelColumn;
  int v;
  int r;
  ValueText value;
  // A second box on the same line (the emergency zone/group pair).
  int v2 = 0;
  int r2 = 0;
  ValueText value2 = nullptr;
};

struct Group {
  const char* heading;
  bool sharesLine;  // the first line stands on the heading's line
  std::vector<Line> lines;
};

// Groups one under the other from line 2, one empty line apart, each framed
// from column 0 to `width`.
void PrintGroups(IPrintCanvas& canvas, int u, int x0, int h, int p, int width, const std::vector<Group>& groups) {
  PrintCursor at{canvas, u, x0, h, p + 2 * h};
  bool first = true;
  for (const Group& group : groups) {
    if (!first) at.y += h;
    first = false;
    const int lines = static_cast<int>(group.lines.size()) + (group.sharesLine ? 0 : 1);
    at.Frame(0, width, lines);
    // A heading that shares its line ends before the line's first text.
    const Line& beside = group.lines.front();
    const int headingEnd = !group.sharesLine ? width : beside.label != nullptr ? beside.labelColumn : beside.v;
    at.Text(0, group.heading, group.sharesLine ? 0 : 1, headingEnd);
    for (const Line& line : group.lines) {
      if (line.label != nullptr) at.Text(line.labelColumn, line.label, line.value ? 0 : 1, line.value ? line.v : width);
      if (!line.value) continue;  // a label on a line of its own
      if (line.value2) {
        at.Value(line.v, line.r, line.value(), 0);
        at.Value(line.v2, line.r2, line.value2());
      } else {
        at.Value(line.v, line.r, line.value());
      }
    }
  }
}

// A setting's printed text: the first choice that holds the value, else the
// last choice.
template <class Row>
std::string LastChoiceRule(const Row& row, const CFamilyModel& model) {
  const Choices choices = row.ChoicesOf(model.family);
  return ChoiceText(choices, ValueOf(model.global, row.field), static_cast<int>(choices.size()) - 1);
}

template <class Row, class Box>
const Row& RowOf(std::span<const Row> rows, Box box, const std::string& label, Family family) {
  for (const Row& row : rows)
    if (row.box == box && label == row.label && row.id[family] != 0) return row;
  return rows.front();  // every printed label has its row
}

// The page's row text, as the page shows the setting.
ValueText Setting1(const CFamilyModel& model, Global1Box box, const char* label) {
  const Global1Row& row = RowOf(Global1Rows(), box, label, model.family);
  return [&row, &model] { return LastChoiceRule(row, model); };
}
ValueText Setting2(const CFamilyModel& model, Global2Box box, const char* label) {
  const Global2Row& row = RowOf(Global2Rows(), box, label, model.family);
  return [&row, &model] { return LastChoiceRule(row, model); };
}

// Printed lower case, where the page shows "Disable" and "Enable".
ValueText QalsBeep(const CFamilyModel& model) {
  return [&model] { return std::string(ValueOf(model.global, global::kQalsBeep) != 0 ? "on" : "off"); };
}

// Values no choice holds print the first choice.
ValueText DualWatch(const CFamilyModel& model, const char* label) {
  const Global1Row& row = RowOf(Global1Rows(), Global1Box::kScan, label, model.family);
  return [&row, &model] { return std::string(ChoiceText(row.choices, ValueOf(model.global, row.field), 0)); };
}

using Pair = std::uint8_t CGlobalRecord::*;
ValueText Zone(const CFamilyModel& model, const char* format, Pair zone) {
  return [&model, format, zone] { return PairZoneText(format, model.global.*zone); };
}
ValueText GroupOf(const CFamilyModel& model, Pair zone, Pair group) {
  return [&model, zone, group] { return PairGroupText(model.global.*zone, model.global.*group); };
}

std::vector<Group> Global1Groups(const CFamilyModel& model) {
  using B = Global1Box;
  const CGlobalRecord& g = model.global;
  const ValueText modelName = [&model] { return std::string(PrintedModelName(model)); };
  const ValueText password = [&g] { return PasswordText(g); };
  const auto line = [&model](const char* label, int v, B box) {
    return Line{label, 8, v, 44, Setting1(model, box, label)};
  };
  const auto audible = [&](bool withMic) {
    std::vector<Line> lines;
    if (withMic) {
      lines.push_back(line("Microphone Sens.", 26, B::kAudible));
      lines.push_back(line("Beep Level", 26, B::kAudible));
    }
    lines.push_back(line("Scan Beep", 26, B::kAudible));
    lines.push_back(line("Power on Tone", 26, B::kAudible));
    lines.push_back(line("Controls Tones", 26, B::kAudible));
    lines.push_back({"QALS Beep", 8, 26, 44, QalsBeep(model)});
    return Group{"Audible Sounds", false, lines};
  };
  const Group micHook{"Microphone Hook Function",
                      false,
                      {line("Off Hook Scan", 26, B::kMicHook), line("Off Hook Monitor", 26, B::kMicHook),
                       line("Off Hook Horn", 26, B::kMicHook)}};
  std::vector<Line> scan;
  if (model.family == kMobile) scan.push_back(line("Zone Scan", 32, B::kScan));
  scan.push_back({"Dual Watch Time A", 8, 32, 44, DualWatch(model, "Dual Watch Time A")});
  scan.push_back({"Dual Watch Time B", 8, 32, 44, DualWatch(model, "Dual Watch Time B")});
  for (const char* label : {"Scan Resume Time1(RX)", "Scan Resume Time2(TX)", "Home Grp Scan", "Scan Beep",
                            "Revert Group", "Talk Back"})
    scan.push_back(line(label, 32, B::kScan));
  if (model.family == kMobile) scan.push_back(line("Scan Display", 32, B::kScan));
  const Group scanGroup{"Scan Function", false, scan};
  const Group passwordGroup{"Password", false, {{nullptr, 0, 32, 44, password}}};

  if (model.family == kPortable) {
    // A radio without the dialling hardware has no microphone settings.
    const bool mic = ValueOf(g, global::kPortableCanDial) != 0;
    std::vector<Group> groups{{"MODEL", true, {{nullptr, 0, 10, 44, modelName}}},
                              audible(mic),
                              {"Power saving",
                               false,
                               {line("RX save mode", 26, B::kPowerSaving), line("Low Battery Alert", 26, B::kPowerSaving)}}};
    if (mic) groups.push_back(micHook);
    groups.push_back(scanGroup);
    groups.push_back(passwordGroup);
    groups.push_back({"Handheld", false, {{"Rotary Switch mode", 3, 26, 44, Setting1(model, B::kHandheld, "Rotary Switch mode")}}});
    return groups;
  }
  const ValueText tagging = [&model] {
    const Global1Row& row = RowOf(Global1Rows(), B::kDisplay, "Zone./Grp. Tagging", kMobile);
    return std::string(ChoiceText(row.choices, ValueOf(model.global, row.field), -1));
  };
  const ValueText ledOn = [&g] { return LedTimeText(g.ledOnTime); };
  const ValueText ledOff = [&g] { return LedTimeText(g.ledOffTime); };
  return {{"MODEL", true, {{nullptr, 0, 10, 44, modelName}}},
          {"Display",
           true,
           {{"Zone./Grp. Tagging", 8, 0, 0, nullptr},
            {nullptr, 0, 10, 44, tagging},
            line("Back Light", 20, B::kDisplay),
            line("Back Light Dimmer", 30, B::kDisplay),
            line("LCD contrast", 26, B::kDisplay),
            {"User LED On time", 8, 28, 44, ledOn},
            {"User LED Off time", 8, 28, 44, ledOff}}},
          audible(true),
          micHook,
          scanGroup,
          passwordGroup};
}

std::vector<Group> Global2Groups(const CFamilyModel& model) {
  using B = Global2Box;
  const bool mobile = model.family == kMobile;
  const auto line = [&model](const char* label, int v, B box) {
    return Line{label, 8, v, 44, Setting2(model, box, label)};
  };
  // "Zone/Group" stands further in than the other labels: the heading
  // "Emergency" shares its line.
  std::vector<Line> emergency{{"Zone/Group", 12, 26, 35, Zone(model, "Sys %2d", &CGlobalRecord::emergencyZone), 36, 45,
                               GroupOf(model, &CGlobalRecord::emergencyZone, &CGlobalRecord::emergencyGroup)},
                              line("Lock Out", 26, B::kEmergency),
                              {"Code", 8, 26, 44, [&model] { return EmergencyCodeText(model.global); }},
                              line("Tx Time", 26, B::kEmergency),
                              line("Rx Time", 26, B::kEmergency),
                              line("EMRG. AF Mute", 26, B::kEmergency)};
  if (mobile) emergency.push_back(line("Display", 26, B::kEmergency));
  emergency.push_back(line("LCD", 26, B::kEmergency));
  emergency.push_back(line("LED", 26, B::kEmergency));
  if (mobile)
    for (const char* label : {"LED Blink", "LED Color", "Key Inhibit", "Silent mode"})
      emergency.push_back(line(label, 26, B::kEmergency));
  emergency.push_back(line("Emergency Time", 26, B::kEmergency));
  emergency.push_back(line("Key Holding Time", 26, B::kEmergency));

  std::vector<Line> qals{{"QALS Beep", 8, 26, 44, QalsBeep(model)}, line("QALS Tx Time", 26, B::kQals)};
  if (mobile) qals.push_back(line("QALS mode", 26, B::kQals));

  std::vector<Line> advanced;
  if (!mobile) advanced.push_back(line("Key Holding Time", 28, B::kAdvanced));
  advanced.push_back(line("SQL. Level Offset", 28, B::kAdvanced));
  if (mobile) advanced.push_back(line("Data Mode", 28, B::kAdvanced));
  advanced.push_back(line("Clone", 28, B::kAdvanced));
  advanced.push_back(line("PTT Interlock", 28, B::kAdvanced));

  const Global2Row& powerOn = RowOf(Global2Rows(), B::kPowerOn, mobile ? "Power On Status" : "Receiver Status", model.family);
  std::vector<Group> groups{
      {"Emergency", true, emergency},
      {"Power On Status", false, {{"Receiver Status", 8, 26, 45, [&powerOn, &model] { return LastChoiceRule(powerOn, model); }}}},
      {"Transmission guard",
       false,
       {line("T.O.T Penalty Time", 28, B::kTxGuard), line("T.O.T Release Time", 28, B::kTxGuard)}},
      {"QALS Option", false, qals},
      {"Radio Advanced Setting", false, advanced}};
  // The mobile pick lists name the Home zone a system, the others zones;
  // the portable print names them all systems.
  const char* const special = mobile ? "Zone %2d" : "Sys %2d";
  const auto pair = [&](const char* heading, const char* zoneFormat, Pair zone, Pair group) {
    return Group{heading,
                 true,
                 {{"Zone", 18, 28, 44, Zone(model, zoneFormat, zone)}, {"Group", 18, 28, 44, GroupOf(model, zone, group)}}};
  };
  groups.push_back(pair("Home", "Sys %2d", &CGlobalRecord::homeZone, &CGlobalRecord::homeGroup));
  groups.push_back(pair("Short cut #1", special, &CGlobalRecord::shortcut1Zone, &CGlobalRecord::shortcut1Group));
  groups.push_back(pair("Short cut #2", special, &CGlobalRecord::shortcut2Zone, &CGlobalRecord::shortcut2Group));
  groups.push_back(pair("Short cut #3", special, &CGlobalRecord::shortcut3Zone, &CGlobalRecord::shortcut3Group));
  groups.push_back(pair("Short cut #4", special, &CGlobalRecord::shortcut4Zone, &CGlobalRecord::shortcut4Group));
  if (mobile && IsMobileProductCode(model.RadioDataView().ProductCode()))
    groups.push_back(pair("Data", "Zone %2d", &CGlobalRecord::dataZone, &CGlobalRecord::dataGroup));
  return groups;
}

}  // namespace

const char* PrintedModelName(const CFamilyModel& model) {
  const auto code = static_cast<std::uint8_t>(model.global.modelCode);
  const std::uint8_t product = model.RadioDataView().ProductCode();
  const bool mobileProduct = IsMobileProductCode(product);
  if ((code == kFamilyMobileUhf || code == kFamilyPortableUhf) && mobileProduct) return kModelNames[0];
  if ((code == kFamilyMobileVhf || code == kFamilyPortableVhf) && mobileProduct) return kModelNames[1];
  if (code == kFamilyPortableUhf && product != 11) return kModelNames[2];
  if (code == kFamilyPortableVhf && product != 11) return kModelNames[3];
  return "";
}

void PrintGlobal1Page(IPrintCanvas& canvas, const CFamilyModel& model, int u, int x0, int h, int p) {
  const CTablePen pen(canvas);
  if (model.family == kMobile) canvas.StartPage();
  PrintGroups(canvas, u, x0, h, p, 45, Global1Groups(model));
}

void PrintGlobal2Page(IPrintCanvas& canvas, const CFamilyModel& model, int u, int x0, int h, int p) {
  const CTablePen pen(canvas);
  PrintGroups(canvas, u, x0, h, p, 50, Global2Groups(model));
  if (model.family == kMobile) canvas.EndPage();
}
