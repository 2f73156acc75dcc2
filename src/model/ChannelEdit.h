#pragma once
// The texts of the channel list's typed fields and the rules of the Default
// Split, free of widgets (the record's own edits are on the channel record).
#include <cstdint>
#include <string>
#include <string_view>

#include "model/FrequencyRules.h"

// What a disabled channel's frequency edits show, and what, left in a
// receive edit, takes the channel out of use.
inline constexpr std::string_view kBlankFrequencyText = "          ";

// A frequency as its edit shows it: "%10.5f" MHz, ten blanks when the
// channel is not programmed.
std::string FrequencyEditText(FrequencyCount count, bool programmed);

// A number as typed into an edit: leading blanks skipped, then the longest
// number at the start ("450." is 450, "-" and "" are 0). Never the locale's.
double ParseTypedNumber(std::string_view text);

// The Default Split, in MHz: what typing may store, and what leaving the
// edit keeps (limited to the range, then cut to one decimal toward zero).
inline constexpr double kSplitLimitMHz = 99.9;
bool IsSplitInRange(double mhz);
double SettleSplit(double mhz);
std::string SplitText(double mhz);       // "%5.1f"
std::string SplitTypedText(double mhz);  // "%3.1f", put back over a refused keystroke

// A repeater word after its RF channel was picked: the channel in bits 0-9;
// a channel also switches on Dispatch and Interconnect and inverts the
// transmit data phase, "None" (0x3FF) switches off Dispatch, Interconnect
// and Data Application. The receive data phase and bit 15 stay.
std::uint16_t WithRepeaterChannel(std::uint16_t word, std::uint16_t channel);
