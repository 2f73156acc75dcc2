// The settings of the Global 2 page, as the radio stores them.
#include "pages/radio/Global2Page.h"

namespace {

using B = Global2Box;
using K = Global2Kind;

constexpr Choice kTxTime[] = {{"  5sec", 0}, {" 10sec", 1}, {" 15sec", 2}, {" 20sec", 3}, {" 25sec", 4}, {" 30sec", 5},
                              {" 35sec", 6}, {" 40sec", 7}, {" 45sec", 8}, {" 50sec", 9}, {" 55sec", 10}, {" 60sec", 11},
                              {" 65sec", 12}, {" 70sec", 13}, {" 75sec", 14}, {" 80sec", 15}};
constexpr Choice kRxTime[] = {{" 10sec", 0}, {" 20sec", 1},  {" 30sec", 2},  {" 40sec", 3},  {" 50sec", 4},  {" 60sec", 5},
                              {" 70sec", 6}, {" 80sec", 7},  {" 90sec", 8},  {"100sec", 9},  {"110sec", 10}, {"120sec", 11},
                              {"130sec", 12}, {"140sec", 13}, {"150sec", 14}, {"160sec", 15}};
constexpr Choice kEmergencyTime[] = {{" 10Min", 0}, {" 20Min", 1},  {" 30Min", 2},  {" 40Min", 3},  {" 50Min", 4},
                                     {" 60Min", 5}, {" 70Min", 6},  {" 80Min", 7},  {" 90Min", 8},  {"100Min", 9},
                                     {"110Min", 10}, {"120Min", 11}, {"130Min", 12}, {"140Min", 13}, {"150Min", 14},
                                     {"160Min", 15}};
constexpr Choice kKeyHoldingTime[] = {{"0.5s", 0}, {"1.0s", 1}, {"2.0s", 2}, {"3.0s", 3}};
constexpr Choice kLedBlink[] = {{"Off", 0}, {"Mode 1", 4}, {"Mode 2", 5}, {"Mode 3", 6}, {"User", 7}};
constexpr Choice kLedColor[] = {{"Green", 2}, {"Red", 1}, {"Yellow", 3}};
constexpr Choice kOffOn[] = {{"Off", 0}, {"On", 1}};
constexpr Choice kQalsTxTime[] = {{"25sec", 0}, {"55sec", 1}};
constexpr Choice kQalsMode[] = {{"TRX", 0}, {"RX", 1}, {"TX", 2}};
constexpr Choice kSqlOffset[] = {{"0", 0}, {"1", 1}, {"2", 2}, {"3", 3},   {"4", 4},   {"5", 5}, {"6", 6},
                                 {"7", 7}, {"8", 8}, {"9", 9}, {"10", 10}, {"11", 11}, {"12", 12}};
constexpr Choice kDataMode[] = {{"Disable", 1}, {"Enable", 2}};
constexpr Choice kPowerOnMobile[] = {{"Back Up Zone/Grp", 0}, {"Zone 1", 1}};
constexpr Choice kPowerOnPortable[] = {{"Back Up Zone/Grp", 0}, {"System 1", 1}};
constexpr Choice kTotPenalty[] = {{"0sec", 0}, {"6sec", 1}, {"20sec", 2}, {"60sec", 3}};
constexpr Choice kTotRelease[] = {{"0sec", 0}, {"2sec", 1}, {"3sec", 2}, {"5sec", 3}};
constexpr Choice kAdvancedKeyHolding[] = {{"50ms", 0}, {"150ms", 1}, {"300ms", 2}, {"650ms", 3}};

constexpr Global2Row kRows[] = {
    // Emergency
    {.label = "Zone/Group", .id = {10591, 10591}, .labelId = {1543, 1543}, .box = B::kEmergency, .kind = K::kPair},
    {.label = "Lock Out", .id = {1716, 1716}, .labelId = {1544, 1544}, .box = B::kEmergency, .choices = kDisableEnable,
     .field = global::kEmergencyLockOut},
    {.label = "Code", .id = {global2::kCode, global2::kCode}, .labelId = {1545, 1545}, .box = B::kEmergency,
     .kind = K::kCode},
    {.label = "Tx Time", .id = {1037, 1037}, .labelId = {1546, 1546}, .box = B::kEmergency, .choices = kTxTime,
     .fallback = 4, .field = global::kEmergencyTxTime},
    {.label = "Rx Time", .id = {10401, 10401}, .labelId = {1547, 1547}, .box = B::kEmergency, .choices = kRxTime,
     .fallback = 4, .field = global::kEmergencyRxTime},
    {.label = "EMRG. AF Mute", .id = {10391, 10391}, .labelId = {1548, 1548}, .box = B::kEmergency,
     .choices = kDisableEnable, .field = global::kEmergencyAfMute},
    {.label = "Display", .id = {10681, 0}, .labelId = {1553, 0}, .box = B::kEmergency, .choices = kDisableEnable,
     .field = global::kEmergencyDisplay},
    {.label = "LCD", .id = {10621, 10621}, .labelId = {1549, 1549}, .box = B::kEmergency, .choices = kDisableEnable,
     .field = global::kEmergencyLcd},
    {.label = "LED", .id = {10281, 10281}, .labelId = {1550, 1550}, .box = B::kEmergency, .choices = kDisableEnable,
     .field = global::kEmergencyLed},
    {.label = "LED Blink", .id = {1069, 0}, .labelId = {1556, 0}, .box = B::kEmergency, .choices = kLedBlink,
     .field = global::kEmergencyLedBlink},
    {.label = "LED Color", .id = {1070, 0}, .labelId = {1564, 0}, .box = B::kEmergency, .choices = kLedColor,
     .fallback = 1, .field = global::kEmergencyLedColor},
    {.label = "Key Inhibit", .id = {1071, 0}, .labelId = {1565, 0}, .box = B::kEmergency, .choices = kDisableEnable,
     .field = global::kEmergencyKeyInhibit},
    {.label = "Silent mode", .id = {1073, 0}, .labelId = {1567, 0}, .box = B::kEmergency, .choices = kOffOn,
     .field = global::kSilentMode},
    {.label = "Emergency Time", .id = {1052, 1052}, .labelId = {1551, 1551}, .box = B::kEmergency,
     .choices = kEmergencyTime, .fallback = 3, .field = global::kEmergencyTime},
    {.label = "Key Holding Time", .id = {10291, 10291}, .labelId = {1552, 1552}, .box = B::kEmergency,
     .choices = kKeyHoldingTime, .fallback = 1, .field = global::kEmergencyKeyHoldingTime},
    // Power On Status
    {.label = "Power On Status", .id = {10311, 0}, .labelId = {0, 0}, .box = B::kPowerOn, .choices = kPowerOnMobile,
     .field = global::kPowerOnStatus},
    {.label = "Receiver Status", .id = {0, 10311}, .labelId = {0, 0}, .box = B::kPowerOn,
     .choices = kPowerOnPortable, .field = global::kPowerOnStatus},
    // Transmission guard
    {.label = "T.O.T Penalty Time", .id = {10321, 10321}, .labelId = {1554, 1554}, .box = B::kTxGuard,
     .choices = kTotPenalty, .field = global::kTotPenaltyTime},
    {.label = "T.O.T Release Time", .id = {1048, 1048}, .labelId = {1555, 1555}, .box = B::kTxGuard,
     .choices = kTotRelease, .fallback = 1, .field = global::kTotReleaseTime},
    // QALS Option
    {.label = "QALS Beep", .id = {1045, 1045}, .labelId = {1240, 1240}, .box = B::kQals, .choices = kDisableEnable,
     .fallback = 1, .field = global::kQalsBeep},
    {.label = "QALS Tx Time", .id = {1046, 1046}, .labelId = {12462, 12462}, .box = B::kQals, .choices = kQalsTxTime,
     .field = global::kQalsTxTime},
    {.label = "QALS mode", .id = {1074, 0}, .labelId = {12472, 0}, .box = B::kQals, .choices = kQalsMode,
     .field = global::kQalsMode},
    // Radio Advanced Setting
    {.label = "Key Holding Time", .id = {0, 1049}, .labelId = {0, 1557}, .box = B::kAdvanced,
     .choices = kAdvancedKeyHolding, .field = global::kAdvancedKeyHoldingTime},
    {.label = "SQL. Level Offset", .id = {1042, 0}, .labelId = {1558, 0}, .box = B::kAdvanced, .choices = kSqlOffset,
     .fallback = 9, .field = global::kSqlLevelOffset},
    {.label = "SQL. Level Offset", .id = {0, 1042}, .labelId = {0, 1558}, .box = B::kAdvanced, .choices = kSqlOffset,
     .fallback = 9, .field = global::kPortableSqlLevelOffset},
    {.label = "Clone", .id = {10541, 10541}, .labelId = {1560, 1560}, .box = B::kAdvanced, .choices = kDisableEnable,
     .field = global::kClone, .group = kGlobal2Clone},
    {.label = "Data Mode", .id = {10661, 10661}, .labelId = {1572, 1572}, .box = B::kAdvanced, .choices = kDataMode,
     .field = global::kDataMode, .group = kGlobal2Data},
    {.label = "PTT Interlock", .id = {1056, 1056}, .labelId = {1561, 1561}, .box = B::kAdvanced,
     .choices = kDisableEnable, .fallback = 1, .field = global::kPttInterlock},
    // Special Zone/Group
    {.label = "", .id = {1562, 1562}, .labelId = {0, 0}, .box = B::kSpecial, .kind = K::kPairHeads},
    {.label = "Home", .id = {1050, 1050}, .labelId = {1431, 1431}, .box = B::kSpecial, .kind = K::kPair},
    {.label = "Short cut #1", .id = {10511, 10511}, .labelId = {1432, 1432}, .box = B::kSpecial, .kind = K::kPair},
    {.label = "Short cut #2", .id = {10532, 10532}, .labelId = {1434, 1434}, .box = B::kSpecial, .kind = K::kPair},
    {.label = "Short cut #3", .id = {10612, 10612}, .labelId = {1433, 1433}, .box = B::kSpecial, .kind = K::kPair},
    {.label = "Short cut #4", .id = {10641, 10641}, .labelId = {1438, 1438}, .box = B::kSpecial, .kind = K::kPair},
    {.label = "Data", .id = {10671, 10671}, .labelId = {1435, 1435}, .box = B::kSpecial, .kind = K::kPair},
};

}  // namespace

std::span<const Global2Row> Global2Rows() { return kRows; }
