#pragma once
// Digit conversions shared by the records, the clone link and the print
// routines, and the one routine through which every printed table draws a line.
#include <cstdint>
#include <string>

class IPrintCanvas;

// c - '0' below ':', otherwise c - 55 ('A'-'F' give 10-15); no case folding,
// so 'a' gives 42. Callers rely on exactly this.
int HexCharToValue(char c);
// Upper-cases c first; '0'-'9' and 'A'-'F' give their value, anything else 0.
int CharToHexValue(char c);
// '0'-'9', 'A'-'D' for 10-13, '*' for 14, '#' for 15, '-' otherwise.
char DtmfDigitToChar(int value);
// '0'-'9', 'A'-'F' for 10-15; '-' (or '0') for anything else.
char HexDigitToCharOrDash(int value);
char HexDigitToCharOrZero(int value);
// The product codes of the mobile family (image byte 3).
bool IsMobileProductCode(std::uint8_t code);

// Draws text at (x, y); moves y down by step only when advance is exactly 1,
// so a row's columns can be drawn one call at a time.
void PrintTextLine(IPrintCanvas& canvas, int x, int& y, int step, const std::string& text, int advance);
