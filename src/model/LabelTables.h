#pragma once
// Texts of the choices every page shares, and the value tables that map their
// rows to stored codes. Plain data: the pages show them, printing and the
// records may read them.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// A value table whose stored values are single bytes: the default row, then
// the stored value of each row.
template <std::size_t N>
struct ByteValueTable {
  std::uint32_t defaultRow;
  std::array<std::uint8_t, N> values;
};

// "0.5sec" .. "9.9sec", then "10.sec".
extern const std::array<std::string, 96> g_secondsTexts;
// CTCSS tones in Hz, index = stored CTCSS code. The last 11 tones were added
// to the radio after the first 39 and keep their later codes.
extern const std::array<std::string, 50> g_ctcssToneTexts;
// DCS codes (three octal digits), index = stored DCS code.
extern const std::array<std::string, 106> g_dcsCodeTexts;

// Row -> stored code; both are the identity, row 0 is the default.
extern const ByteValueTable<50> g_ctcssCodeValues;
extern const ByteValueTable<106> g_dcsCodeValues;
