// The settings of the DTMF ANI page, as the radio stores them.
#include "pages/signalling/DtmfAniPage.h"

namespace {

using B = DtmfAniBox;
using K = DtmfAniKind;
namespace d = dtmf_field;

using namespace dtmf_choice;

constexpr DtmfAniField Dtmf(DtmfField f) { return {f, {}}; }
constexpr DtmfAniField Global(GlobalField f) { return {{}, f}; }

// Memory #0 stands first on the page, the paging code "0" last.
constexpr DtmfAniRow DialRow(const char* label, int m) {
  return {.label = label, .id = {dtmf_ani::kTagIds[m], dtmf_ani::kTagIds[m]}, .labelId = {0, 0},
          .box = B::kDialMemory, .kind = K::kDialMemory};
}
constexpr DtmfAniRow PagingRow(const char* label, int i) {
  return {.label = label, .id = {dtmf_ani::kPagingIds[0][i].code, dtmf_ani::kPagingIds[1][i].code},
          .labelId = {0, 0}, .box = B::kPagingCodes, .kind = K::kPagingCode, .choices = kOffOn,
          .field = Dtmf(d::PagingDecode(i))};
}

constexpr DtmfAniRow kRows[] = {
    // Global seting
    {.label = "DTMF Monitor", .id = {10343, 10343}, .labelId = {0, 0}, .box = B::kGlobal, .choices = kDisableEnable,
     .fallback = 1, .field = Global(global::kDtmfMonitor)},
    {.label = "DTMF pause character ", .id = {1129, 1129}, .labelId = {0, 0}, .box = B::kGlobal,
     .choices = kPauseCharacter, .fallback = 1, .field = Dtmf(d::kPauseCharacter)},
    {.label = "DTMF pause character code", .id = {dtmf_ani::kPauseCode, dtmf_ani::kPauseCode}, .labelId = {0, 0},
     .box = B::kGlobal, .kind = K::kPauseCode},
    {.label = "Pause Time", .id = {1131, 1131}, .labelId = {0, 0}, .box = B::kGlobal, .choices = kPauseTime,
     .fallback = 1, .field = Dtmf(d::kPauseTime)},
    {.label = "DTMF Speed", .id = {1132, 1132}, .labelId = {0, 0}, .box = B::kGlobal, .choices = kDtmfSpeed,
     .field = Dtmf(d::kDtmfSpeed)},
    {.label = "DTMF KeyPad", .id = {dtmf_ani::kKeyPad, dtmf_ani::kKeyPad}, .labelId = {0, 0}, .box = B::kGlobal,
     .choices = kDisableEnable, .field = Dtmf(d::kKeyPad), .group = dtmf_ani::kKeyPadGroup},
    // Individual Dial Memory setting
    {.label = "", .id = {-1, -1}, .labelId = {0, 0}, .box = B::kDialMemory, .kind = K::kDialHeads},
    DialRow("Location #0", kDialMemoryZero),
    DialRow("Location #1", 0),
    DialRow("Location #2", 1),
    DialRow("Location #3", 2),
    DialRow("Location #4", 3),
    DialRow("Location #5", 4),
    DialRow("Location #6", 5),
    DialRow("Location #7", 6),
    DialRow("Location #8", 7),
    DialRow("Location #9", 8),
    // Paging Parameter setting Menu
    {.label = "Calling times", .id = {11564, 11564}, .labelId = {0, 0}, .box = B::kPagingParameters,
     .choices = kCallingTimes, .fallback = 2, .field = Dtmf(d::kCallingTimes)},
    {.label = "Answer Back", .id = {1154, 1154}, .labelId = {0, 0}, .box = B::kPagingParameters, .choices = kOffOn,
     .field = Dtmf(d::kAnswerBack), .hidden = true},
    {.label = "Auto Reset", .id = {1157, 1157}, .labelId = {0, 0}, .box = B::kPagingParameters, .choices = kOffOn,
     .field = Dtmf(d::kAutoReset), .hidden = true},
    // Individual Paging code setting
    {.label = "", .id = {-1, -1}, .labelId = {0, 0}, .box = B::kPagingCodes, .kind = K::kPagingHeads},
    PagingRow("1", 0),
    PagingRow("2", 1),
    PagingRow("3", 2),
    PagingRow("4", 3),
    PagingRow("5", 4),
    PagingRow("6", 5),
    PagingRow("7", 6),
    PagingRow("8", 7),
    PagingRow("9", 8),
    PagingRow("0", 9),
    // ANI Setting
    {.label = "ANI Transmission", .id = {1184, 1184}, .labelId = {0, 0}, .box = B::kAni,
     .choices = kAniTransmission, .field = Global(global::kAniTransmission)},
    {.label = "ANI Code", .id = {dtmf_ani::kAniCode, dtmf_ani::kAniCode}, .labelId = {0, 0}, .box = B::kAni,
     .kind = K::kAniCode},
    {.label = "ANI  Speed", .id = {1187, 1187}, .labelId = {0, 0}, .box = B::kAni, .choices = kAniSpeed,
     .fallback = 2, .field = Global(global::kAniSpeed)},
    {.label = "1st digit Delay", .id = {1188, 1188}, .labelId = {0, 0}, .box = B::kAni, .choices = kFirstDigitDelay,
     .field = Global(global::kFirstDigitDelay)},
    {.label = "ANI Code (PTT off)", .id = {dtmf_ani::kAniPttOffCode, dtmf_ani::kAniPttOffCode}, .labelId = {0, 0},
     .box = B::kAni, .kind = K::kAniCode, .hidden = true},
};

}  // namespace

std::span<const DtmfAniRow> DtmfAniRows() { return kRows; }
