// The settings of the Global 1 page, as the radio stores them.
#include "model/RadioModels.h"
#include "pages/radio/Global1Page.h"

namespace {

using B = Global1Box;
using K = Global1Kind;

constexpr Choice kModelChoices[] = {{kModelNames[0], kModelCodes[0]},
                                    {kModelNames[1], kModelCodes[1]},
                                    {kModelNames[2], kModelCodes[2]},
                                    {kModelNames[3], kModelCodes[3]}};
constexpr Choice kLcdAngle[] = {{"Normal", 0}, {"Invert", 1}};
constexpr Choice kTaggingMobile[] = {{"Disable", 0},
                                     {"Alternative with tag time (1 sec)", 2},
                                     {"Alternative with tag time (2 sec)", 4},
                                     {"Alternative with tag time (3 sec)", 6}};
constexpr Choice kTaggingPortable[] = {{"Alternative with Functional key", 0},
                                       {"Alternative with Tag time [Short]", 2},
                                       {"Alternative with Tag time [Long]", 4},
                                       {"Combined", 1}};
constexpr Choice kBackLight[] = {{"Continuous", 0}, {"Key On, Called", 1}};
constexpr Choice kDimmer[] = {{"DM1", 0}, {"DM2", 1}, {"DM3", 2}, {"DM4", 3}};
constexpr Choice kContrast[] = {{"0", 0},  {"1", 1},  {"2", 2},   {"3", 3},   {"4", 4},   {"5", 5},
                                {"6", 6},  {"7", 7},  {"8", 8},   {"9", 9},   {"10", 10}, {"11", 11},
                                {"12", 12}, {"13", 13}, {"14", 14}, {"15", 15}};
constexpr Choice kMicMobile[] = {{"+10db", 0xFD},   {"+6db", 0xA0}, {"+3db", 0x71}, {"Standard", 0x50},
                                 {"-3db", 0x39},    {"-6db", 0x28}, {"-10db", 0x19}};
constexpr Choice kMicPortable[] = {{"Standard", 0xB4}, {"Low", 0x78}};
constexpr Choice kBeepLevel[] = {{"Low", 0x20}, {"Middle", 0x40}, {"High", 0xA0}};
constexpr Choice kRxSave[] = {{"ABS", 0}, {"1:1", 1}, {"1:2", 2}, {"1:3", 3},
                              {"1:4", 4}, {"1:5", 5}, {"1:6", 6}, {"1:7", 7}};
constexpr Choice kApoTime[] = {{"Disable", 0}, {"0.5h", 1}, {"1h", 2}, {"8h", 3}};
constexpr Choice kLockRestriction[] = {{"Panel Keys", 1}, {"Panel Keys + PTT", 3}};
constexpr Choice kOffHookHorn[] = {{"Enable", 0}, {"Disable", 1}};
// Tenths of a second.
constexpr Choice kDualWatch[] = {{"0.7sec", 7},  {"1.0sec", 10}, {"1.5sec", 15}, {"2.0sec", 20}, {"2.5sec", 25},
                                 {"3.0sec", 30}, {"3.5sec", 35}, {"4.0sec", 40}, {"5.0sec", 50}};
constexpr Choice kScanResumeRx[] = {{"250ms", 0}, {"500ms", 1}, {"1sec", 2},   {"2sec", 3},   {"3sec", 4},   {"4sec", 5},
                                    {"5sec", 6},  {"6sec", 7},  {"7sec", 8},   {"8sec", 9},   {"9sec", 10},  {"10sec", 11},
                                    {"11sec", 12}, {"12sec", 13}, {"13sec", 14}, {"14sec", 15}};
constexpr Choice kScanResumeTx[] = {{"2sec", 0},   {"3sec", 1},   {"4sec", 2},   {"5sec", 3},   {"6sec", 4},   {"7sec", 5},
                                    {"8sec", 6},   {"9sec", 7},   {"10sec", 8},  {"15sec", 9},  {"20sec", 10}, {"25sec", 11},
                                    {"30sec", 12}, {"40sec", 13}, {"50sec", 14}, {"60sec", 15}};
constexpr Choice kRevertGroup[] = {{"Start Group", 0}, {"HOME", 1}, {"Last Busy", 3}};
constexpr Choice kScanDisplay[] = {{"Revert Grp", 0}, {"- SCAN -", 1}};
constexpr Choice kNoYes[] = {{"No", 0}, {"Yes", 1}};
constexpr Choice kRotary[] = {{"Group select", 0}, {"Zone select", 1}};

constexpr Global1Row kRows[] = {
    {.label = "MODEL", .id = {1026, 16501}, .labelId = {1425, 1682}, .box = B::kModel, .kind = K::kModel,
     .choices = kModelChoices},
    // Display
    {.label = "LCD Angle", .id = {1027, 1651}, .labelId = {1521, 1684}, .box = B::kDisplay, .choices = kLcdAngle,
     .fallback = 1, .field = global::kLcdAngle, .group = kGroupNever, .hidden = true},
    {.label = "Zone./Grp. Tagging", .id = {1028, 1652}, .labelId = {1522, 1685}, .box = B::kDisplay,
     .choices = kTaggingMobile, .portableChoices = kTaggingPortable, .field = global::kTagging, .group = kGroupA},
    {.label = "Back Light", .id = {1029, 1653}, .labelId = {0, 0}, .box = B::kDisplay, .choices = kBackLight,
     .field = global::kBackLight, .group = kGroupA},
    {.label = "Back Light Dimmer", .id = {1030, 0}, .labelId = {0, 0}, .box = B::kDisplay, .choices = kDimmer,
     .field = global::kBackLightDimmer},
    {.label = "LCD contrast", .id = {1032, 0}, .labelId = {0, 0}, .box = B::kDisplay, .choices = kContrast,
     .field = global::kLcdContrast},
    {.label = "User LED On time", .id = {global1::kLedOnTime, 0}, .labelId = {0, 0}, .box = B::kDisplay,
     .kind = K::kLedOnTime},
    {.label = "User LED Off time", .id = {global1::kLedOffTime, 0}, .labelId = {0, 0}, .box = B::kDisplay,
     .kind = K::kLedOffTime},
    // Audible Sounds
    {.label = "Microphone Sens.", .id = {1033, 1654}, .labelId = {1524, 1688}, .box = B::kAudible,
     .choices = kMicMobile, .portableChoices = kMicPortable, .field = global::kMicrophoneSens, .group = kGroupA},
    {.label = "Beep Level", .id = {1034, 1655}, .labelId = {1525, 1689}, .box = B::kAudible, .choices = kBeepLevel,
     .field = global::kBeepLevel, .group = kGroupA},
    {.label = "Scan Beep", .id = global1::kAudibleScanBeep, .labelId = {1526, 1690}, .box = B::kAudible,
     .choices = kDisableEnable, .fallback = 1, .field = global::kScanBeep},
    {.label = "Power on Tone", .id = {1039, 1657}, .labelId = {1527, 1691}, .box = B::kAudible,
     .choices = kDisableEnable, .field = global::kPowerOnTone},
    {.label = "Controls Tones", .id = {1040, 1658}, .labelId = {1528, 1692}, .box = B::kAudible,
     .choices = kDisableEnable, .field = global::kControlsTones},
    {.label = "QALS Beep", .id = {1043, 1659}, .labelId = {1530, 1693}, .box = B::kAudible, .choices = kDisableEnable,
     .fallback = 1, .field = global::kQalsBeep},
    {.label = "Fuctional Tones", .id = {1041, 1663}, .labelId = {0, 0}, .box = B::kAudible, .choices = kDisableEnable,
     .field = global::kFunctionalTones, .hidden = true},
    // Power saving
    {.label = "RX save mode", .id = {1591, 1660}, .labelId = {1588, 1695}, .box = B::kPowerSaving, .choices = kRxSave,
     .field = global::kRxSaveMode, .group = kGroupB},
    {.label = "Low Battery Alert", .id = {1592, 1661}, .labelId = {1589, 1696}, .box = B::kPowerSaving,
     .choices = kDisableEnable, .fallback = 1, .field = global::kLowBatteryAlert, .group = kGroupB},
    {.label = "APO time", .id = {1590, 1662}, .labelId = {1587, 1697}, .box = B::kPowerSaving, .choices = kApoTime,
     .field = global::kApoTime, .hidden = true},
    // The same bit as "Low Battery Alert"; never seen.
    {.label = "Low Battery", .id = {1044, 1664}, .labelId = {0, 0}, .box = B::kPowerSaving, .choices = kDisableEnable,
     .field = global::kLowBatteryAlert, .hidden = true},
    {.label = "High Battery", .id = {1045, 1665}, .labelId = {0, 0}, .box = B::kPowerSaving, .choices = kDisableEnable,
     .field = global::kHighBattery, .hidden = true},
    {.label = "Lock restriction", .id = {1049, 1681}, .labelId = {0, 0}, .box = B::kPowerSaving,
     .choices = kLockRestriction, .field = global::kLockRestriction, .hidden = true},
    // Microphone Hook Function
    {.label = "Off Hook Scan", .id = {1053, 1666}, .labelId = {1531, 1700}, .box = B::kMicHook,
     .choices = kDisableEnable, .field = global::kOffHookScan, .group = kGroupA},
    {.label = "Off Hook Monitor", .id = {1054, 1667}, .labelId = {1532, 1701}, .box = B::kMicHook,
     .choices = kDisableEnable, .field = global::kOffHookMonitor, .group = kGroupA},
    {.label = "Off Hook Horn", .id = {1055, 1668}, .labelId = {1533, 1702}, .box = B::kMicHook,
     .choices = kOffHookHorn, .field = global::kOffHookHorn, .group = kGroupA},
    // Scan Function
    {.label = "Zone Scan", .id = {1065, 0}, .labelId = {0, 0}, .box = B::kScan, .choices = kDisableEnable,
     .field = global::kZoneScan},
    {.label = "Dual Watch Time A", .id = {1058, 1669}, .labelId = {1534, 1704}, .box = B::kScan, .choices = kDualWatch,
     .field = global::kDualWatchTimeA},
    {.label = "Dual Watch Time B", .id = {1059, 1670}, .labelId = {1535, 1705}, .box = B::kScan, .choices = kDualWatch,
     .field = global::kDualWatchTimeB},
    {.label = "Scan Resume Time1(RX)", .id = {1060, 1671}, .labelId = {1536, 1706}, .box = B::kScan,
     .choices = kScanResumeRx, .fallback = 3, .field = global::kScanResumeRx},
    {.label = "Scan Resume Time2(TX)", .id = {1061, 1672}, .labelId = {1537, 1707}, .box = B::kScan,
     .choices = kScanResumeTx, .fallback = 3, .field = global::kScanResumeTx},
    {.label = "Home Grp Scan", .id = {1062, 1673}, .labelId = {1538, 1708}, .box = B::kScan, .choices = kDisableEnable,
     .field = global::kHomeGrpScan},
    {.label = "Scan Beep", .id = global1::kScanScanBeep, .labelId = {1539, 1709}, .box = B::kScan,
     .choices = kDisableEnable, .fallback = 1, .field = global::kScanBeep},
    {.label = "Revert Group", .id = {1066, 1675}, .labelId = {1540, 1710}, .box = B::kScan, .choices = kRevertGroup,
     .field = global::kRevertGroup},
    {.label = "Talk Back", .id = {1067, 1676}, .labelId = {1541, 1711}, .box = B::kScan, .choices = kDisableEnable,
     .fallback = 1, .field = global::kTalkBack},
    {.label = "Scan Display", .id = {1068, 0}, .labelId = {0, 0}, .box = B::kScan, .choices = kScanDisplay,
     .fallback = 1, .field = global::kScanDisplay},
    {.label = "Scan Edit", .id = {1063, 1680}, .labelId = {0, 0}, .box = B::kScan, .choices = kDisableEnable,
     .fallback = 1, .field = global::kScanEdit, .hidden = true},
    // Packing always sets it; the list still shows what the data holds.
    {.label = "System Scan", .id = {1056, 1679}, .labelId = {0, 0}, .box = B::kScan, .choices = kNoYes,
     .field = global::kSystemScan, .hidden = true},
    // Password, Handheld, Option Board
    {.label = "Password", .id = global1::kPassword, .labelId = {0, 0}, .box = B::kPassword, .kind = K::kPassword},
    {.label = "Rotary Switch mode", .id = {1586, 1678}, .labelId = {1585, 1714}, .box = B::kHandheld,
     .choices = kRotary, .field = global::kRotarySwitchMode, .group = kGroupB},
    {.label = "Option Board", .id = {global1::kOptionBoard, 0}, .labelId = {0, 0}, .box = B::kOptionBoard,
     .kind = K::kOptionBoard},
};

}  // namespace

std::span<const Global1Row> Global1Rows() { return kRows; }
