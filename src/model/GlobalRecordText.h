#pragma once
// How values of the radio-wide record read as text and are stored from a
// typed text: what a settings page shows and a print routine prints, without
// a widget.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/GlobalRecord.h"
#include "model/Settings.h"

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

// The functions of the mobile accessory connector's lines (ACC Port1-6), as
// the Mobile Special page offers them. "Data mode" is an input of Port6 only.
inline constexpr Choice kAccInputFunctions[] = {
    {"None", 0},     {"MON", 1},          {"Dimmer", 2},   {"Hook", 3},     {"Scan", 4},      {"Emergency", 6},
    {"CH SW0", 8},   {"CH SW1", 9},       {"CH SW2", 10},  {"CH SW3", 11},  {"TX Low power", 13},
    {"Call 1", 14},  {"Call 2", 15},      {"AF Min VR", 19}, {"Ext Beep", 21}, {"MIC PTT Inhibit", 22},
    {"AF MUTE", 24}, {"Data mode", 25}};
inline constexpr Choice kAccOutputFunctions[] = {
    {"None", 0}, {"Busy", 1},     {"AF Mute", 2},        {"ACC1", 3},           {"ACC2", 4},
    {"Horn Alert", 5}, {"Public Address", 6}, {"PTT", 7}, {"TX Power", 8}, {"Short cut GP1", 14},
    {"Short cut GP2", 15}, {"Short cut GP3", 16}, {"Short cut GP4", 17}};
inline constexpr int kAccInputPort6 = 4;  // the fifth input is Port6's
inline constexpr std::uint32_t kAccDataMode = 25;

// Pickers that share one set of values, each value held by one picker at a
// time: the values picker `own` may show, "none" first, then every
// candidate no other picker holds and its own, in the candidates' order.
std::vector<std::uint8_t> ExclusiveRows(std::uint8_t none, std::span<const std::uint8_t> candidates,
                                        std::span<const std::uint8_t> held, std::size_t own);

// The functions the list of an ACC port offers (port: 0-4 of its side).
std::vector<std::uint8_t> AccFunctionRows(const CGlobalRecord& record, bool input, int port);
// Stores a port's function. A line is an input or an output: a function on
// one side of ACC Port1-4 clears the other side.
void StoreAccFunction(CGlobalRecord& record, bool input, int port, std::uint8_t code);
// The text of a function code of a side; "" for a code no row holds.
const char* AccFunctionText(bool input, std::uint8_t code);
