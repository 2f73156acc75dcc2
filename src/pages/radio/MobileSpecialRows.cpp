// The settings of the Mobile Special page, as the radio stores them.
#include "pages/radio/MobileSpecialPage.h"

namespace {

using B = MobileSpecialBox;
using K = MobileSpecialKind;

constexpr Choice kExtMicSense[] = {{"+10db", 253}, {"+6db", 160}, {"+3db", 113}, {"Standard", 80},
                                   {"-3db", 57},   {"-6db", 40},  {"-10db", 25}};
constexpr Choice kHornAlertTime[] = {{"No Limited", 0}, {"10 sec", 1}, {"20 sec", 2}, {"30 sec", 3},
                                     {"40 sec", 4},     {"50 sec", 5}, {"60 sec", 6}, {"3 min", 7}};

constexpr MobileSpecialRow Line(const char* label, const mobile_special::AccLine& line) {
  return {.label = label, .id = {line.input != 0 ? line.input : line.output, 0}, .labelId = {0, 0}, .box = B::kPort,
          .kind = K::kAccPort};
}
constexpr MobileSpecialRow Position(const char* label, int n) {
  return {.label = label, .id = {mobile_special::kFirstGroup + n, 0}, .labelId = {0, 0}, .box = B::kGroupSwitch,
          .kind = K::kDsubGroup};
}

using mobile_special::kLines;

constexpr MobileSpecialRow kRows[] = {
    // Miscellaneous
    {.label = "Ext. Mic Sense", .id = {2321, 0}, .labelId = {0, 0}, .box = B::kMisc, .choices = kExtMicSense,
     .field = global::kExtMicSense},
    {.label = "Horn Alert Time", .id = {2322, 0}, .labelId = {0, 0}, .box = B::kMisc, .choices = kHornAlertTime,
     .field = global::kHornAlertTime},
    {.label = "Ignition Sense", .id = {2323, 0}, .labelId = {0, 0}, .box = B::kMisc, .choices = kDisableEnable,
     .field = global::kIgnitionSense},
    {.label = "External PTT", .id = {2324, 0}, .labelId = {0, 0}, .box = B::kMisc, .choices = kDisableEnable,
     .field = global::kExternalPtt},
    {.label = "AF Min VR level", .id = {mobile_special::kAfMinVr, 0}, .labelId = {2326, 0}, .box = B::kMisc,
     .kind = K::kAfMinVr},
    // DSUB-15 Port
    {.label = "", .id = {2330, 0}, .labelId = {0, 0}, .box = B::kPort, .kind = K::kPortHeads},
    Line("ACC Port1", kLines[0]),
    Line("ACC Port2", kLines[1]),
    Line("ACC Port3", kLines[2]),
    Line("ACC Port4", kLines[3]),
    Line("ACC Port5", kLines[4]),
    Line("ACC Port6", kLines[5]),
    // DSUB-15 Group Switch Table
    {.label = "Zone", .id = {mobile_special::kZone, 0}, .labelId = {0, 0}, .box = B::kGroupSwitch,
     .kind = K::kDsubZone},
    Position("# 0", 0),   Position("# 1", 1),   Position("# 2", 2),   Position("# 3", 3),
    Position("# 4", 4),   Position("# 5", 5),   Position("# 6", 6),   Position("# 7", 7),
    Position("# 8", 8),   Position("# 9", 9),   Position("# 10", 10), Position("# 11", 11),
    Position("# 12", 12), Position("# 13", 13), Position("# 14", 14), Position("# 15", 15),
};

}  // namespace

std::span<const MobileSpecialRow> MobileSpecialRows() { return kRows; }
