#include "model/TextFields.h"

#include <cstring>

std::string FixedWidth(const std::string& text, std::size_t width) {
  return FixedWidth(text.c_str(), width);
}

std::string FixedWidth(const char* text, std::size_t width) {
  std::string out(text, strnlen(text, width));
  out.resize(width, ' ');
  return out;
}

void CopyFixedText(char* dst, const std::string& text, std::size_t width) {
  const std::string fixed = FixedWidth(text, width);
  std::memcpy(dst, fixed.data(), width);
  dst[width] = '\0';
}
