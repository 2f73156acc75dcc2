#pragma once
// Value <-> text rules of the per-zone interconnect and LTR advanced
// settings, free of widgets: the pages type and show them, a printed zone
// table prints them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class CRadioDataCore;

// An identifier byte of a zone (Interconnect LTR ID, block and inhibit IDs):
// 1..250, 255 = none.
inline constexpr std::uint8_t kNoIdentifier = 0xFF;
inline constexpr char kBadIdentifierText[] = "The code you set up is wrong.\nYou can set up between 1 to 250.";

// What an identifier edit shows: "%d", empty for none.
std::string IdentifierText(std::uint8_t value);
// What a typed identifier stores: none for an empty text (or one blank),
// the number of its leading digits when that is 1..250; nullopt for anything
// else (0, 251..999), which the page refuses with kBadIdentifierText.
std::optional<std::uint8_t> ParseIdentifier(std::string_view text);

// One DTMF digit value (0..15) as typed: '0'-'9', 'A'-'D', '*' (14), '#' (15).
char DialDigitChar(int value);
// A typed dial character's value; a blank (or anything else) is 0.
int DialCharValue(char c);

// The Connect Dial of a conventional zone: the digit count in the high
// nibble of zone byte 2, digit 1 in its low nibble, then two digits per byte
// (high nibble first) up to byte 9.
inline constexpr int kConnectDialDigits = 15;
// The dial as its cell shows it: the digits, padded with blanks to 15.
std::string ConnectDialText(const CRadioDataCore& data, int zone);
// Stores a dial cell's text: the count is where the first blank stands (the
// padding marks the end), every digit nibble from the text, 0 past it.
void StoreConnectDial(CRadioDataCore& data, int zone, std::string_view text);
