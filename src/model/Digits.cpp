#include "model/Digits.h"

#include <cctype>

#include "model/PrintCanvas.h"

int HexCharToValue(char c) { return c < ':' ? c - '0' : c - 55; }

int CharToHexValue(char c) {
  c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 55;
  return 0;
}

namespace {
char DigitOr(int value, char other, int limit) {
  if (value >= 0 && value <= 9) return static_cast<char>('0' + value);
  if (value >= 10 && value <= limit) return static_cast<char>('A' + value - 10);
  return other;
}
}  // namespace

char DtmfDigitToChar(int value) {
  if (value == 14) return '*';
  if (value == 15) return '#';
  return DigitOr(value, '-', 13);
}

char HexDigitToCharOrDash(int value) { return DigitOr(value, '-', 15); }
char HexDigitToCharOrZero(int value) { return DigitOr(value, '0', 15); }

bool IsMobileProductCode(std::uint8_t code) { return code == 0x0B || code == 0x27; }

void PrintTextLine(IPrintCanvas& canvas, int x, int& y, int step, const std::string& text, int advance) {
  canvas.TextOut(x, y, text);
  if (advance == 1) y += step;
}
