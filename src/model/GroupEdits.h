#pragma once
// The edits of the group pages that reach past one field: a zone's run of
// groups, switching a group on or off, and Scan Memory. A group outside the
// zone's run is refused: the pages show the next zone's groups beside a
// zone's last one, and never write them.
#include "model/RadioData.h"

// A zone's "Revert Group" (zone_field::kRevertGroup) that names none.
inline constexpr std::uint8_t kNoRevertGroup = 0xFF;

// The absolute group indexes of a zone: first .. first + count - 1, never
// past the last group slot (a damaged image can give a first index of 250
// or more, and then the zone has no group to show).
struct ZoneGroupRange {
  int first = 0;
  int count = 0;
  bool Contains(int g) const { return g >= first && g < first + count; }
  int End() const { return first + count; }
};
ZoneGroupRange GroupRangeOf(const CRadioDataCore& data, int zone);

// Switches group g of the zone on or off. Either way the zone's Revert Group
// becomes none; a group switched off that is the zone's selected group
// (kept as an absolute 1-based number) clears the selection. With
// `firstChannelOnSwitchOn` a group that was off is put on RF channel 0.
// false (nothing changed) for a group outside the zone.
bool SwitchGroup(CRadioDataCore& data, int zone, int g, bool on, bool firstChannelOnSwitchOn);

// Sets Scan Memory of group g ("Enable" or "Disable"); false outside the zone.
bool SetGroupScanMemory(CRadioDataCore& data, int zone, int g, bool enable);
// The Default column's Scan Memory, written to the Default record and every
// group of the zone.
void SetDefaultScanMemory(CRadioDataCore& data, int zone, bool enable);

// The sub-audible signalling of a conventional group: its types in the tone
// byte (bits 3-5 receive, bits 0-2 transmit: 0 none, 1 CTCSS, 2 DCS, 3 DCS
// inverted) and its codes (byte 5 receive, byte 4 transmit; kNoToneCode).
std::uint8_t RxSubAudibleType(const CGroupRecord& group);
std::uint8_t TxSubAudibleType(const CGroupRecord& group);
// A new receive type starts its code at the first one (none for NONE); a
// group that had no receive type and no transmit code takes the same type
// for transmitting too, from the first code.
void SetRxSubAudible(CGroupRecord& group, std::uint8_t type);
// A new transmit type starts its code at the first one (none for NONE).
void SetTxSubAudible(CGroupRecord& group, std::uint8_t type);
