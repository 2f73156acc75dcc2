#include "app/SerialNumber.h"

#include <cctype>

bool IsSerialCharValid(int pos, char c) {
  const char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (pos == 1) return (u >= 'B' && u <= 'N') || (u >= 'Q' && u <= 'S');
  if (pos < 0 || pos >= kSerialLength) return false;
  return u >= '0' && u <= '9';
}

SerialEditResult ApplySerialEdit(const std::string& text, const std::string& stored) {
  SerialEditResult r;
  r.stored = stored;
  if (text.empty()) {
    r.stored.assign(kSerialLength, '0');
    return r;
  }
  bool valid = text.size() <= static_cast<std::size_t>(kSerialLength);
  for (std::size_t i = 0; valid && i < text.size(); ++i) valid = IsSerialCharValid(static_cast<int>(i), text[i]);
  if (valid) {
    r.stored.assign(kSerialLength, '0');
    for (std::size_t i = 0; i < text.size(); ++i)
      r.stored[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
    r.clearRecoverSerial = true;
    return r;
  }
  r.textValid = false;
  r.restoredText = stored.substr(0, std::min(text.size() - 1, stored.size()));
  return r;
}
