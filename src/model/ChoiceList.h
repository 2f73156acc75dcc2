#pragma once
// The small list the radio data fills for the pick lists of the pages: a
// text per row and the value each row stands for. The Qt combo and list
// boxes implement it; tests use a plain vector.
#include <cstdint>
#include <string>

class IChoiceList {
public:
  virtual ~IChoiceList() = default;
  // Removes every row (and its value).
  virtual void Clear() = 0;
  // Appends a row with the text and returns its index.
  virtual int Append(const std::string& text) = 0;
  // Records the value that row stands for (a zone, group or channel index).
  virtual void SetRowValue(int row, std::uint32_t value) = 0;
  // Selects a row; -1 leaves no row selected.
  virtual void Select(int row) = 0;
};
