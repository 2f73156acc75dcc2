#include "model/ZonePrint.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "model/Digits.h"
#include "model/KeyAssignRecord.h"
#include "model/LabelTables.h"
#include "model/PrintTable.h"
#include "model/ZoneGroups.h"
#include "model/ZoneSettingsText.h"

namespace {

constexpr int kCellChars = 23;  // a settings cell is 23 characters wide
constexpr int kTitleColumn = 40;
constexpr std::uint16_t kNoRepeaterChannel = 0x3FF;

std::string Format(const char* format, int value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

const char* EnableText(bool on) { return on ? "Enable" : "Disable"; }
std::string Mark(bool on) { return on ? "V" : ""; }

// What differs between the two families' zone prints.
struct ZoneFamily {
  bool endOfTxTone;     // the portable strips carry it
  bool mobileGroupBytes;  // the mobile texts of 2nd TX Power, Encryption; Flat AF and ANI Monitor columns
  bool saveColumns;     // RX save, TX save (and the LTR Paging Function)
  bool pagingByModel;   // the paging cell shows the digit alone (a mobile radio or a dialling portable)
};

ZoneFamily FamilyOf(const CFamilyModel& model) {
  const bool canDial = CKeyAssignRecord::CanDial(model);
  const bool mobile = model.family == kMobile;
  return {!mobile, mobile, !canDial, canDial};
}

class CZonePrinter {
public:
  CZonePrinter(IPrintCanvas& canvas, const CFamilyModel& model, int u, int x0, int h, int p)
      : canvas_(canvas), model_(model), data_(model.radioData), family_(FamilyOf(model)), u_(u), x0_(x0), h_(h), p_(p),
        at_{canvas, u, x0, h, p + 2 * h} {}

  void Zone(int zone);

private:
  std::uint32_t Value(ZoneField field, int zone) const { return data_.ZoneValue(zone, field); }
  std::string Identifier(ZoneField field, int zone) const { return IdentifierText(static_cast<std::uint8_t>(Value(field, zone))); }
  int Bottom() const { return canvas_.PageMetrics().height; }
  void NewPage() {
    canvas_.EndPage();
    at_.y = p_ + 2 * h_;
    canvas_.StartPage();
  }
  // A new page first when `lines` more lines would pass the page bottom.
  void KeepTogether(int lines) {
    if (at_.y + lines * h_ > Bottom()) NewPage();
  }

  struct Cell {
    const char* label;
    std::string value;
    int valueOffset = 0;  // the value's x past the cell's left edge
  };
  // Label boxes on the current line, value boxes on the next; y ends below the values.
  void Strip(const std::vector<Cell>& cells);
  void LtrAdvancedStrip(int zone);
  // A text in the box that ends at `right`: a text too wide for it is printed smaller.
  void Fit(int x, int y, int right, const std::string& text) {
    PrintFittedText(canvas_, x, y, right - x - u_ / 4, text);
  }
  void Title(int x, const char* text) {
    PrintTextLine(canvas_, x, at_.y, h_, text, 1);
  }
  void RepeaterTable(int zone, int left);
  void LtrGroupTable(int zone, int left);
  void ConventionalGroupTable(int zone, int left);

  struct Column {
    int width;
    const char* first;   // rotated: the lower line; else the label on the last heading line
    const char* second;  // rotated two-line heading: the upper line
    bool rotated;
    std::function<std::string(int group)> value;
    int splitAt = 0;  // a column of two halves (type and code), the second at this offset
    std::function<std::string(int group)> value2 = nullptr;
    const char* heading = nullptr;  // a title on the heading's second line
    bool atEdge = false;  // a rotated column whose value starts at the box's edge
  };
  void GroupTable(int zone, int left, const std::vector<Column>& columns);
  std::vector<Column> MarkColumns(bool ltr) const;

  IPrintCanvas& canvas_;
  const CFamilyModel& model_;
  const CRadioDataCore& data_;
  ZoneFamily family_;
  int u_, x0_, h_, p_;
  PrintCursor at_;
};

void CZonePrinter::Strip(const std::vector<Cell>& cells) {
  const int w = kCellChars * u_;
  for (std::size_t k = 0; k < cells.size(); ++k) {
    const int x = x0_ + static_cast<int>(k) * w;
    canvas_.Rectangle({x, at_.y, x + w, at_.y + h_});
    Fit(x, at_.y, x + w, cells[k].label);
  }
  at_.y += h_;
  for (std::size_t k = 0; k < cells.size(); ++k) {
    const int x = x0_ + static_cast<int>(k) * w;
    canvas_.Rectangle({x, at_.y, x + w, at_.y + h_});
    Fit(x + cells[k].valueOffset, at_.y, x + w, cells[k].value);
  }
  at_.y += h_;
}

void CZonePrinter::LtrAdvancedStrip(int zone) {
  const int w = kCellChars * u_;
  const int half = w / 2;
  const auto hang = [](std::uint32_t v) {
    return v == 10 ? "0.5Sec" : v == 20 ? "1.0Sec" : v == 40 ? "2.0Sec" : "3.0Sec";
  };
  const auto fade = [](std::uint32_t v) {
    return v == 1 ? "0.5Sec" : v == 2 ? "1.0Sec" : v == 4 ? "2.0Sec" : v == 6 ? "3.0Sec" : v == 8 ? "4.0Sec" : "5.0Sec";
  };
  const auto resumeText = [](std::uint32_t v) { return Format("%2dSec", static_cast<int>(v) * 5); };
  struct Advanced {
    const char* label;
    std::string value;
    std::string stop;  // a split cell: the stop ID
    bool split;
  };
  const Advanced cells[] = {
      {"Channel Hang Time", hang(Value(zone_field::kHangTime, zone)), "", false},
      {"Channel Fade Time", fade(Value(zone_field::kFadeTime, zone)), "", false},
      {"Block ID Setting", Identifier(zone_field::kBlockStart, zone), Identifier(zone_field::kBlockStop, zone), true},
      {"Decode Resume Time", resumeText(Value(zone_field::kDecodeResume, zone)), "", false},
      {"TX Inhibit ID", Identifier(zone_field::kInhibitStart, zone), Identifier(zone_field::kInhibitStop, zone), true},
      {"Inhibit Resume Time", resumeText(Value(zone_field::kInhibitResume, zone)), "", false},
  };
  const int top = at_.y;
  for (int k = 0; k < 6; ++k) {
    const int x = x0_ + k * w;
    canvas_.Rectangle({x, top, x + w, top + 2 * h_});
    if (cells[k].split) {
      Fit(x, top, x + w, cells[k].label);
      canvas_.Rectangle({x, top + h_, x + half, top + 2 * h_});
      Fit(x, top + h_, x + half, "Start");
      canvas_.Rectangle({x + half, top + h_, x + 2 * half, top + 2 * h_});
      Fit(x + half, top + h_, x + 2 * half, "Stop");
    } else {
      Fit(x, top + h_, x + w, cells[k].label);
    }
  }
  at_.y = top + 2 * h_;
  for (int k = 0; k < 6; ++k) {
    const int x = x0_ + k * w;
    if (cells[k].split) {
      canvas_.Rectangle({x, at_.y, x + half, at_.y + h_});
      Fit(x, at_.y, x + half, cells[k].value);
      canvas_.Rectangle({x + half, at_.y, x + 2 * half, at_.y + h_});
      Fit(x + half, at_.y, x + 2 * half, cells[k].stop);
    } else {
      canvas_.Rectangle({x, at_.y, x + w, at_.y + h_});
      Fit(x, at_.y, x + w, cells[k].value);
    }
  }
  at_.y += h_;
}

void CZonePrinter::Zone(int zone) {
  using namespace zone_print;
  canvas_.StartPage();
  at_.y = p_ + 2 * h_;
  PrintTextLine(canvas_, x0_, at_.y, h_, Format("Zone No. %.3d", zone + 1), 1);

  using namespace zone_field;
  const bool ltr = ZoneFormat(model_, zone) == "LTR";
  const auto timeout = [](std::uint32_t v) {
    return v >= 1 && v <= 13 ? Format("%d", static_cast<int>(v / 2)) + (v % 2 ? ".5min" : ".0min") : std::string("7.0min");
  };
  const std::uint32_t power = Value(kPrimaryTxPower, zone);
  const char* txPower = power == 0 ? "High" : !family_.mobileGroupBytes ? "Low" : power == 4 ? "Low-High" : "Low-Mid";
  const auto enable = [this, zone](ZoneField field) { return EnableText(Value(field, zone) != 0); };
  const Text9& alias = data_.m_zoneNames[static_cast<std::size_t>(zone)];

  std::vector<Cell> first{{"Number of Groups", std::to_string(data_.GetSystemGroupCount(zone))},
                          {"Zone Format", ZoneFormat(model_, zone)},
                          {"Alias", std::string(alias.data(), 8)}};
  if (family_.endOfTxTone) first.push_back({"End of TX Tone", enable(kEndOfTxTone)});
  first.push_back({"TX Timeout Timer", timeout(Value(kTxTimeout, zone))});
  first.push_back({"Primary TX Power", txPower});
  if (!ltr) first.push_back({"Revert Group", RevertGroup(model_, zone)});
  Strip(first);
  at_.y += h_;
  if (ltr) {
    Strip({{"Revert Group", RevertGroup(model_, zone)},
           {"Area code", Value(kAreaCode, zone) ? "Area1" : "Area0"},
           {"Home channel Number", HomeChannel(model_, zone)},
           {"Talk Permit Tone", enable(kTalkPermitTone)},
           {"Multiple Group Decode", enable(kMultipleGroupDecode)},
           {"Scan words", std::to_string(Value(kScanWords, zone) + 5)}});
    at_.y += h_;
    Title(x0_ + kTitleColumn * u_, "LTR Advanced features");
    LtrAdvancedStrip(zone);
    at_.y += h_;
  }
  Title(x0_ + kTitleColumn * u_, "Interconnect Setting");
  if (!family_.endOfTxTone) at_.y += h_;  // the mobile strip stands a line lower
  std::vector<Cell> interconnect;
  if (family_.endOfTxTone) interconnect.push_back({"End of TX Tone", enable(kInterconnectEndOfTxTone)});
  interconnect.push_back({"TX Timeout Timer", timeout(Value(kInterconnectTimeout, zone))});
  interconnect.push_back({"Phone Interconnect", enable(kPhoneInterconnect)});
  if (ltr)
    interconnect.push_back({"Interconnect LTR ID", Identifier(kInterconnectId, zone)});
  else
    interconnect.push_back({"Connect Dial", ConnectDial(model_, zone)});
  interconnect.push_back({"Disconnect Dial", std::string(1, DialDigitChar(static_cast<int>(Value(kDisconnectDial, zone)))),
                          (kCellChars * u_) / 2 - u_ / 2});
  interconnect.push_back({"Interconnect Only RX", enable(kInterconnectOnlyRx)});
  interconnect.push_back({"Auto Interconnect", enable(kAutoInterconnect)});
  Strip(interconnect);
  at_.y += h_;

  if (ltr) {
    RepeaterTable(zone, x0_ + kCellChars * u_);
    LtrGroupTable(zone, x0_ + kCellChars * u_);
  } else {
    ConventionalGroupTable(zone, x0_);
  }
  canvas_.EndPage();
}

void CZonePrinter::RepeaterTable(int zone, int left) {
  const int w = 14 * u_;
  KeepTogether(3);  // the title and the two heading lines
  Title(left + kTitleColumn * u_ - kCellChars, "Repeater");
  const char* labels[] = {"Repeater #", "Channel", "RX Freq.", "TX Freq.", "ch Space", "Dispatch", "Interconnect", " Phase", " Phase"};
  for (int k = 0; k < 9; ++k) {
    const int x = left + k * w;
    canvas_.Rectangle({x, at_.y, x + w, at_.y + 2 * h_});
    if (k == 7) Fit(x, at_.y, x + w, "TX Data");
    if (k == 8) Fit(x, at_.y, x + w, "RX Data");
    Fit(x, at_.y + h_, x + w, labels[k]);
  }
  at_.y += 2 * h_;
  for (int r = 0; r < kRepeatersPerZone; ++r) {
    const std::uint16_t word = data_.m_repeaters[static_cast<std::size_t>(zone)][static_cast<std::size_t>(r)];
    const int channel = word & kNoRepeaterChannel;
    if (channel == kNoRepeaterChannel) continue;
    KeepTogether(1);
    const PrintedChannel c = ChannelForPrint(model_, channel);
    const std::string cells[] = {Format("%2d", r + 1),
                                 Format("%3d", channel + 1),
                                 c.exists ? FrequencyText(c.rx) : "",
                                 c.exists ? FrequencyText(c.tx) : "",
                                 c.exists ? (c.narrow ? "Narrow" : "Wide") : "",
                                 EnableText(word & 0x4000),
                                 EnableText(word & 0x2000),
                                 word & 0x0400 ? "Invert" : "Normal",
                                 word & 0x0800 ? "Invert" : "Normal"};
    for (int k = 0; k < 9; ++k) {
      const int x = left + k * w;
      canvas_.Rectangle({x, at_.y, x + w, at_.y + h_});
      Fit(x, at_.y, x + w, cells[k]);
    }
    at_.y += h_;
  }
}

std::vector<CZonePrinter::Column> CZonePrinter::MarkColumns(bool ltr) const {
  using namespace group_field;
  const CRadioDataCore& d = data_;
  const auto value = [&d](int g, GroupField field) { return d.m_groups[static_cast<std::size_t>(g)].Value(field); };
  const auto bit = [value](GroupField field) { return [value, field](int g) { return Mark(value(g, field) != 0); }; };
  const bool mobile = family_.mobileGroupBytes;
  const CFamilyModel& m = model_;
  std::vector<Column> c;
  if (!ltr) c.push_back({4, "Monitor", nullptr, true, bit(kMonitor)});
  c.push_back({4, "TX Inhibit", nullptr, true, bit(kTxInhibit)});
  if (ltr)
    c.push_back({8, "Timer", "Time out", true, bit(kTimer)});
  else
    c.push_back({4, "Timeout Timer", nullptr, true, bit(kTimer)});
  if (!ltr) c.push_back({4, "Busy Lockout", nullptr, true, [&m](int g) { return zone_print::BusyLockout(m, g); }});
  c.push_back({4, "Compander", nullptr, true, bit(kCompander)});
  c.push_back({4, "Scan Memory", nullptr, true, [&d](int g) {
                 const std::uint8_t f = d.m_groups[static_cast<std::size_t>(g)].flags;
                 const bool up = f & group_flag::kSetting1, down = f & group_flag::kSetting4;
                 return std::string(up && down ? "V" : up ? "U" : down ? "D" : "");
               }});
  c.push_back({4, "Call Alert", nullptr, true, bit(kCallAlert)});
  c.push_back({4, "ANI", nullptr, true, bit(kAni)});
  if (!ltr && mobile) c.push_back({4, "ANI Monitor", nullptr, true, bit(kAniMonitor)});
  c.push_back({4, "Encryption", nullptr, true, bit(mobile ? kMobileEncryption : kPortableEncryption)});
  c.push_back({8, "(by user)", "Talk Around", true, bit(kTalkAroundUser)});
  c.push_back({8, "(Fixed)", "Talk Around", true, bit(kTalkAroundFixed)});
  c.push_back({4, "2nd TX Power", nullptr, true, [&m](int g) { return zone_print::SecondTxPower(m, g); }});
  if (mobile)
    c.push_back({4, "Flat AF", nullptr, true, [value](int g) { return std::string(value(g, kFlatAf) ? "F" : "N"); }});
  if (!ltr) {
    c.push_back({4, "Paging", nullptr, true, [&m](int g) { return zone_print::Paging(m, g); }});
    c.push_back({4, "QALS", nullptr, true, bit(kQals)});
  }
  if (family_.saveColumns) {
    // The mobile radio keeps no save bits: its cells stay empty.
    const auto save = [bit, mobile](GroupField field) -> std::function<std::string(int)> {
      if (mobile) return [](int) { return std::string(); };
      return bit(field);
    };
    c.push_back({4, "RX save", nullptr, true, save(kRxSave)});
    c.push_back({4, "TX save", nullptr, true, save(kTxSave)});
    if (ltr) c.push_back({4, "Paging Function", nullptr, true, bit(kFunction)});
  }
  return c;
}

void CZonePrinter::GroupTable(int zone, int left, const std::vector<Column>& columns) {
  KeepTogether(7);  // the title and the six heading lines
  Title(left + kTitleColumn * u_ - kCellChars, "Group Setting");
  const int top = at_.y;
  int x = left;
  for (const Column& c : columns) {
    canvas_.Rectangle({x, top, x + c.width, top + 6 * h_});
    if (!c.rotated) {
      if (c.heading != nullptr) Fit(x, top + h_, x + c.width, c.heading);
      Fit(x, top + 5 * h_, c.splitAt != 0 ? x + c.splitAt : x + c.width, c.first);
      if (c.splitAt != 0) Fit(x + c.splitAt, top + 5 * h_, x + c.width, c.second);
    }
    x += c.width;
  }
  // The rotated headings run down from the top of their boxes.
  const PrintFont old = canvas_.SelectFont({.pointTenths = 80, .escapement = -900});
  x = left;
  for (const Column& c : columns) {
    if (c.rotated) {
      canvas_.TextOut(x + 3 * u_, top, c.first);
      if (c.second != nullptr) canvas_.TextOut(x + 7 * u_, top, c.second);
    }
    x += c.width;
  }
  canvas_.SelectFont(old);
  at_.y = top + 6 * h_;

  const int first = data_.FirstGroupOf(zone);
  const int end = std::min(first + data_.GetSystemGroupCount(zone), kGroupCount);
  for (int g = first; g < end; ++g) {
    x = left;
    for (const Column& c : columns) {
      const int offset = !c.rotated || c.atEdge ? 0 : c.width == 8 * u_ ? 3 * u_ : u_;
      if (c.splitAt != 0) {
        canvas_.Rectangle({x, at_.y, x + c.splitAt, at_.y + h_});
        Fit(x, at_.y, x + c.splitAt, c.value(g));
        canvas_.Rectangle({x + c.splitAt, at_.y, x + c.width, at_.y + h_});
        Fit(x + c.splitAt, at_.y, x + c.width, c.value2(g));
      } else {
        canvas_.Rectangle({x, at_.y, x + c.width, at_.y + h_});
        Fit(x + offset, at_.y, x + c.width, c.value(g));
      }
      x += c.width;
    }
    at_.y += h_;
    if (at_.y + 2 * h_ > Bottom()) NewPage();
  }
  at_.y += h_;
}

void CZonePrinter::LtrGroupTable(int zone, int left) {
  at_.y += 2 * h_;
  const CRadioDataCore& d = data_;
  const auto group = [&d](int g) -> const CGroupRecord& { return d.m_groups[static_cast<std::size_t>(g)]; };
  const int w = 14 * u_;
  std::vector<Column> columns{
      {w, "Group", nullptr, false, [](int g) { return Format("GRP. %3d", g + 1); }},
      {w, "Tag", nullptr, false, [group](int g) { return std::string(group(g).tag.data(), 8); }},
      {w, "TX ID", nullptr, false,
       [group](int g) { return IdentifierText(static_cast<std::uint8_t>(group(g).Value(group_field::kTxId))); }},
      {w, "RX ID", nullptr, false,
       [group](int g) { return IdentifierText(static_cast<std::uint8_t>(group(g).Value(group_field::kRxId))); }},
  };
  for (Column& c : MarkColumns(true)) {
    c.width *= u_;
    columns.push_back(std::move(c));
  }
  GroupTable(zone, left - (u_ * kCellChars) / 2, columns);
}

void CZonePrinter::ConventionalGroupTable(int zone, int left) {
  const CFamilyModel& m = model_;
  const CRadioDataCore& d = data_;
  const auto group = [&d](int g) -> const CGroupRecord& { return d.m_groups[static_cast<std::size_t>(g)]; };
  const auto channel = [&m, group](int g) { return ChannelForPrint(m, group(g).Channel()); };
  const bool mobile = family_.mobileGroupBytes;
  // The mobile table narrows the tag and frequency columns to make room for two more marks.
  const int tagWidth = mobile ? static_cast<int>(13 * u_ * 0.9) : 13 * u_;
  const int freqWidth = mobile ? static_cast<int>(13 * u_ * 0.85) : 13 * u_;
  std::vector<Column> columns{
      {4 * u_, "Groups", nullptr, true, [](int g) { return Format("%3d", g + 1); }, 0, nullptr, nullptr, true},
      {tagWidth, "Tag", nullptr, false, [group](int g) { return std::string(group(g).tag.data(), 8); }},
      {freqWidth, "TX Freq.", nullptr, false, [channel](int g) { const auto c = channel(g); return c.exists ? FrequencyText(c.tx) : ""; }},
      {freqWidth, "RX Freq.", nullptr, false, [channel](int g) { const auto c = channel(g); return c.exists ? FrequencyText(c.rx) : ""; }},
      {4 * u_, "N/W", nullptr, true, [channel](int g) { const auto c = channel(g); return std::string(!c.exists ? "" : c.narrow ? "N" : "W"); }},
  };
  for (const bool rx : {true, false}) {
    Column c{26 * u_, "Type", "Code", false, [&m, rx](int g) { return zone_print::ToneType(m, g, rx); }, 13 * u_,
             [&m, rx](int g) { return zone_print::ToneCode(m, g, rx); }, rx ? "Subaudible signal(RX)" : "Subaudible signal(TX)"};
    columns.push_back(std::move(c));
  }
  for (Column& c : MarkColumns(false)) {
    c.width *= u_;
    columns.push_back(std::move(c));
  }
  GroupTable(zone, left, columns);
}

}  // namespace

namespace zone_print {

std::string ZoneFormat(const CFamilyModel& model, int zone) {
  return ZoneKindOf(model.radioData, zone) == ZoneKind::kLtr ? "LTR" : "Conventional";
}

std::string HomeChannel(const CFamilyModel& model, int zone) {
  const int n = static_cast<int>(model.radioData.ZoneValue(zone, zone_field::kHomeRepeater));
  if (n < 1 || n > kRepeatersPerZone) return "None";
  const std::uint16_t word = model.radioData.m_repeaters[static_cast<std::size_t>(zone)][static_cast<std::size_t>(n - 1)];
  return (word & kNoRepeaterChannel) == kNoRepeaterChannel ? "None" : std::to_string(n);
}

std::string RevertGroup(const CFamilyModel& model, int zone) {
  const int v = static_cast<int>(model.radioData.ZoneValue(zone, zone_field::kRevertGroup));
  const int g = model.radioData.FirstGroupOf(zone) + v;
  return v == 255 || g >= kGroupCount ? "None" : Format("Grp %2d", g + 1);
}

std::string ConnectDial(const CFamilyModel& model, int zone) { return ConnectDialText(model.radioData, zone); }

std::string BusyLockout(const CFamilyModel& model, int group) {
  // 2 is Correct and 3 Incorrect, as the group page words them.
  static const char* const kLetters[] = {"", "B", "C", "I"};
  return kLetters[model.radioData.m_groups[static_cast<std::size_t>(group)].Value(group_field::kBusyLockout)];
}

std::string SecondTxPower(const CFamilyModel& model, int group) {
  const std::uint32_t v = model.radioData.m_groups[static_cast<std::size_t>(group)].Value(group_field::kSecondTxPower);
  if (v == 7) return "";
  if (v == 0) return "H";
  if (model.family == kPortable) return "L";
  return v == 4 ? "LH" : "LM";
}

std::string Paging(const CFamilyModel& model, int group) {
  const CGroupRecord& g = model.radioData.m_groups[static_cast<std::size_t>(group)];
  const bool on = g.Value(group_field::kFunction) != 0;
  const std::uint32_t code = g.Value(group_field::kFunctionNumber);
  const std::string digit = code <= 8 ? std::to_string(code + 1) : "0";
  if (FamilyOf(model).pagingByModel) return on ? digit : "";
  const std::uint32_t s = 2 * g.Value(group_field::kFunctionHigh) + (on ? 1 : 0);
  return s == 0 ? "" : s == 1 ? digit : "S";
}

std::string ToneType(const CFamilyModel& model, int group, bool rx) {
  const CGroupRecord& g = model.radioData.m_groups[static_cast<std::size_t>(group)];
  const std::uint32_t type = g.Value(rx ? group_field::kRxSubAudible : group_field::kTxSubAudible);
  return type == 0 ? "NONE" : type == 1 ? "CTCSS" : type == 2 ? "DCS" : "DCS Invert";
}

std::string ToneCode(const CFamilyModel& model, int group, bool rx) {
  const CGroupRecord& g = model.radioData.m_groups[static_cast<std::size_t>(group)];
  const std::uint32_t type = g.Value(rx ? group_field::kRxSubAudible : group_field::kTxSubAudible);
  const std::uint32_t code = g.Value(rx ? group_field::kRxCode : group_field::kTxCode);
  if (type == 0) return "";
  if (type == 1) return code < g_ctcssToneTexts.size() ? g_ctcssToneTexts[code] : "";
  return code < g_dcsCodeTexts.size() ? g_dcsCodeTexts[code] : "";
}

}  // namespace zone_print

void PrintSystemTable(IPrintCanvas& canvas, const CFamilyModel& model, int u, int x0, int h, int p) {
  const CTablePen pen(canvas);
  CZonePrinter printer(canvas, model, u, x0, h, p);
  for (int zone = 0; zone < kZoneCount; ++zone)
    if (model.radioData.IsZoneEnabled(zone)) printer.Zone(zone);
}
