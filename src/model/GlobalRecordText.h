#pragma once
// How values of the radio-wide record read as text and are stored from a
// typed text: what a settings page shows and a print routine prints, without
// a widget.
#include <cstdint>
#include <optional>
#include <string>

#include "model/GlobalRecord.h"

// The password: the eight bytes up to the first zero byte, without the
// blanks that pad them.
std::string PasswordText(const CGlobalRecord& record);
// Stores a typed password: blanks pad it to eight bytes, and no password is
// eight zero bytes. A password switches Clone off.
void StorePassword(CGlobalRecord& record, const std::string& typed);
// The record's password text follows its bytes again, as showing the
// password does; a password there switches Clone off.
void TakePasswordFromBytes(CGlobalRecord& record);

// The user LED on and off times are kept in 10 ms units and shown in
// milliseconds: "200msec".
std::string LedTimeText(std::uint8_t stored);
// The stored value of a typed time: the number its text starts with (none is
// 0), rounded to 10 ms; nothing when that is more than 2550 ms.
std::optional<std::uint8_t> LedTimeOfText(const std::string& typed);

// The mobile option board, as rows: board 4 with its code 3, board 3,
// anything else.
enum OptionBoardRow : int { kOptionBoardXld, kOptionBoardXbe, kOptionBoardNone };
inline constexpr const char* kOptionBoardRows[] = {"XLD-200", "XBE-16", "None"};
OptionBoardRow OptionBoardOf(const CGlobalRecord& record);
// Stores a row's board and code; the byte's other bits are the radio's own.
void SetOptionBoard(CGlobalRecord& record, OptionBoardRow row);

// The emergency code as its edit shows it: the digits ("*", "#", "0"-"9",
// "A"-"D"), then blanks up to 15 characters.
std::string EmergencyCodeText(const CGlobalRecord& record);
// Stores the edit's whole text: a blank ends the count (the characters after
// it are kept in their digits), and the digits past the text are cleared.
void StoreEmergencyCode(CGlobalRecord& record, const std::string& typed);

// The mobile AF Min VR level of a typed text: the number its digits start
// with (none is 0); nothing above 31.
std::optional<std::uint8_t> AfMinVrLevelOfText(const std::string& typed);
