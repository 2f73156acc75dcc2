#pragma once
// The lines of the per-zone LTR advanced and interconnect grids of both
// families, as data: caption, control numbers of the Default column and
// zone columns 1-5, pick list, choices, the field of each zone and of the
// Default record, and the template row. Free of widgets, so a print routine
// reads the same texts the pages show.
#include <array>
#include <cstdint>
#include <vector>

#include "model/GridSpec.h"
#include "model/RadioImage.h"

class CFamilyModel;

// What a line's cells are.
enum class ZoneCellKind {
  kChoice,          // cells opening a pick list
  kIdentifier,      // number edits, 1..250 or empty, checked at every key
  kConnectDial,     // 15-digit DTMF string edits
  kDisconnectDial,  // one-digit DTMF edits
};

struct ZoneSettingsLine {
  ZoneCellKind kind = ZoneCellKind::kChoice;
  GridLine line;
  int captionId = 0;         // 0: the line shares the caption of the one before
  std::array<int, 6> ids{};  // Default cell (0: none), then zone columns 1-5
  int listId = 0;
  int listRows = 2;          // the open list's height in cell heights
  int y = 0;                 // row position in dialog units
  int dx = 0;                // edit x within its column, width
  int width = 45;
  bool manufacturerOnly = false;  // shown only in manufacturer mode
  bool commitOnSelect = false;    // a click on a row commits
  bool fixedPlace = false;        // the list opens at the page's fixed place
  // Edits shown only for LTR zones (true) or only for the others (false).
  enum class ShownFor { kAll, kLtr, kOther } shownFor = ShownFor::kAll;
};

// The LTR advanced page's Default record: one zone's worth of its fields,
// each in the same bits as the zone byte it stands for. Never saved.
struct LtrAdvancedDefaults {
  std::array<std::uint8_t, 4> ids{0xFF, 0xFF, 0xFF, 0xFF};  // bytes 4-7
  std::uint8_t resume = 0x11;  // byte 8: " 5Sec" / " 5Sec"
  std::uint8_t rise = 0x20;    // byte 9, bits 4-7: "10msec"
  std::uint8_t hang = 10;      // byte 13: "0.5Sec"
  std::uint8_t fade = 6;       // byte 14: "3.0Sec"
  std::uint8_t prefix = 0xFF;  // byte 15: "Disable(FF)"
};

// The interconnect page's Default record (its ID and Connect Dial cells are
// never shown, so it keeps neither).
struct InterconnectDefaults {
  std::uint8_t flags = 0;         // byte 0: bits 3, 5, 6, 7 "Disable"
  std::uint8_t timer = 6;         // byte 1, bits 0-3: "3.0min"
  std::uint8_t disconnect = 0xF0;  // byte 11, bits 4-7: "#"
};

std::vector<ZoneSettingsLine> LtrAdvancedLines(CFamilyModel& model, LtrAdvancedDefaults& defaults);
std::vector<ZoneSettingsLine> InterconnectLines(Family family, CFamilyModel& model, InterconnectDefaults& defaults);
