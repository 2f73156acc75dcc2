#pragma once
// The pick list of RF channels that the repeater and group pages open over a
// channel cell: "None TX       RX" (value 0x3FF), then one row per channel
// programmed at that moment (value its index), rebuilt each time it opens.
// It opens on the stored channel by value, never by the cell's text: on that
// channel's row when the channel is programmed, else on "None" (no channel,
// an index past the last channel from a foreign file, or a channel disabled
// since). A commit with no row selected stores nothing, so Enter on a list
// just opened keeps the channel it had.
#include <cstdint>
#include <optional>
#include <string>

#include "model/GridSpec.h"
#include "model/RadioImage.h"

// The rows of the family's channel list, as its radio data fills them.
ChoiceRows ChannelPickRows(Family family);
// The row the list opens on for a stored channel index.
int ChannelPickRow(const ChoiceRows& rows, std::uint32_t channel);
// The channel index a selected row stands for (0x3FF for "None"); nothing
// when no row is selected or the list has no such row.
std::optional<std::uint16_t> ChannelOfPickRow(const ChoiceRows& rows, int row);
// A channel cell's text: "None" for no channel or an index past the last
// channel, else the 1-based number right-aligned in three characters.
std::string ChannelNumberText(std::uint32_t channel);
// Makes a grid line's list the family's channel pick list: rows built at
// each opening, opening on the stored channel, cells showing
// ChannelNumberText. The line's field is the channel's 10 bits.
void UseChannelPick(GridLine& line, Family family);
