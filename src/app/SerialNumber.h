#pragma once
// The radio's serial number as the main window's edit takes it: 8
// characters, a digit, a letter B-N or Q-S, then six digits.
#include <string>

inline constexpr int kSerialLength = 8;

// Whether `c` may stand at position `pos` (0-based) of a serial number.
bool IsSerialCharValid(int pos, char c);

struct SerialEditResult {
  std::string stored;      // the record's new serial text, 8 characters
  bool textValid = true;   // false: the edit must show `restoredText`
  std::string restoredText;
  bool clearRecoverSerial = false;
};

// What a change of the edit's text does to the stored serial `stored`: an
// empty text stores "00000000"; a valid prefix is stored padded with '0'
// (upper-cased); an invalid last keystroke puts back the first n-1 stored
// characters. Every outcome marks the data changed.
SerialEditResult ApplySerialEdit(const std::string& text, const std::string& stored);
