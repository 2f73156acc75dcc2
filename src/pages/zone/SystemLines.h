#pragma once
// The lines of the zone table of both families, as data: caption, cells
// (control numbers of the Default cell and zone columns 1-5), pick list,
// choices and field of each zone's cell. Free of widgets, so a print
// routine reads the same texts the page shows.
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "model/GridSpec.h"
#include "model/RadioImage.h"

class CFamilyModel;

// The Default column's own record, never saved: six bytes laid out like
// zone bytes 0, 1, 2, 9, 10 and 12, starting from each line's default row.
struct ZoneDefaults {
  std::uint8_t power = 0;           // byte 0: End of TX Tone, Primary TX Power "High"
  std::uint8_t timer = 6 << 4;      // byte 1: "3.0min"
  std::uint8_t home = 0;            // byte 2: "Area0", Home Channel "None"
  std::uint8_t ltrOption = 5;       // byte 9: 10 scan words
  std::uint8_t revertGroup = 0xFF;  // byte 10: "None"
  std::uint8_t type = 0x80;         // byte 12: Talk Permit Tone on
};

enum class SystemRow : int {
  kEnable,
  kFormat,
  kEndOfTxTone,  // portable only: the mobile template hides it
  kTxTimeout,
  kPower,
  kRevertGroup,
  kZoneScan,     // mobile only
  kAreaCode,
  kHomeChannel,
  kTalkPermitTone,
  kMultipleGroupDecode,
  kScanWords,
};

struct SystemLine {
  SystemRow row;
  GridLine line;
  std::array<int, 6> ids{};  // Default cell (0: none shown), then zone columns 1-5
  int listId = 0;
  int listRows = 2;          // the open list's height in cell heights
  bool ltrOnly = false;      // grey and disabled on a conventional zone
  // Runs after a commit (the Enable line's is the page's own).
  std::function<void(int item, std::uint32_t oldValue, std::uint32_t newValue)> afterCommit;
  bool hookStores = false;
};

// The lines of the family's page, top to bottom. The fields are those of
// the family's model; the Default cells write into `defaults`.
std::vector<SystemLine> SystemLines(Family family, CFamilyModel& model, ZoneDefaults& defaults);
