#pragma once
// Fixed-width texts of the records: tags, codes and names that the radio
// keeps as exactly N characters with no terminator.
#include <cstddef>
#include <string>

// The text as printf's "%-N.Ns" gives it: cut at N characters (or at a zero
// byte), padded with blanks to exactly N.
std::string FixedWidth(const std::string& text, std::size_t width);
std::string FixedWidth(const char* text, std::size_t width);
// Stores FixedWidth(text, width) and a terminating zero: dst holds width + 1.
void CopyFixedText(char* dst, const std::string& text, std::size_t width);
