#pragma once
// The zones' share of the one table of 250 group records: each zone owns a
// run of consecutive records, in zone order, so changing one zone's count
// moves every later zone's records. These functions keep the records, the
// counts, the free-record counter, the zone flags and every reference to a
// group (radio-wide pairs, selected groups) consistent; the zone pages only
// word the result.
#include <cstdint>

class CFamilyModel;
class CRadioDataCore;

// What a zone's format (zone_field::kFormat) makes it. Kinds 0 and 3
// are neither: pages show them as not conventional, and writes meant for LTR
// zones skip them.
enum class ZoneKind : int { kOther = 0, kLtr = 1, kConventional = 2 };
ZoneKind ZoneKindOf(const CRadioDataCore& data, int zone);

// Five zone columns: the first shown zone lies in 0..27.
inline constexpr int kZoneColumns = 5;
int ClampFirstZone(int zone);

// Set when the Enable choice switched a zone from off to on, else clear; the
// group pages read it.
extern bool g_newlyEnabledSystem;

// Record g as a fresh group of `zone`: default settings for the zone's
// format, tag "GROUP%3.3d" of g + 1. The flags are the caller's.
void InitDefaultGroupRecord(CRadioDataCore& data, int g, int zone);

// Whether `zone` can hold n groups beside the other zones' (n up to the free
// records plus its own).
bool GroupCountFits(const CRadioDataCore& data, int zone, int n);

struct GroupCountResult {
  bool refused = false;  // more than fit: nothing changed
  bool changed = false;  // a count, record, flag or reference changed
  bool keptOne = false;  // 0 asked of the only zone with groups: it keeps one
  int count = 0;         // the zone's count afterwards
};

// Gives `zone` n groups (a negative n is 0). Later zones' records move as
// whole records, records the zone gains or frees get the defaults (flags 0),
// the zone's Revert Group becomes none when its count changes, its flag bit 0
// follows the count, and every group reference follows its group (one to a
// removed group becomes none).
GroupCountResult SetGroupCount(CFamilyModel& model, int zone, int n);

// What switching a zone's groups off cleared of the radio-wide zones.
struct ZoneOffResult {
  GroupCountResult count;
  bool emergencyCleared = false;  // "Delete Emergency System %d"
  bool homeCleared = false;       // "Delete Home System %d"
};

// A count commit: SetGroupCount, then, when the zone is left without
// groups, the Emergency and Home System naming it become none.
ZoneOffResult CommitGroupCount(CFamilyModel& model, int zone, int n);
// "Disable": the same with a count of 0.
ZoneOffResult DisableZone(CFamilyModel& model, int zone);
// "Enable": sets the zone's in-use flag; true when it was off.
bool EnableZone(CFamilyModel& model, int zone);
