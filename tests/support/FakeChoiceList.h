#pragma once
// A pick list for tests: keeps the rows' texts, values and the selection.
#include <cstdint>
#include <string>
#include <vector>

#include "model/ChoiceList.h"

class FakeChoiceList : public IChoiceList {
public:
  std::vector<std::string> texts;
  std::vector<std::uint32_t> values;
  int selected = -2;  // -2: Select never called

  void Clear() override {
    texts.clear();
    values.clear();
    selected = -1;
  }
  int Append(const std::string& text) override {
    texts.push_back(text);
    values.push_back(0xDEAD);  // a row whose value is never set shows up
    return static_cast<int>(texts.size()) - 1;
  }
  void SetRowValue(int row, std::uint32_t value) override { values.at(static_cast<std::size_t>(row)) = value; }
  void Select(int row) override { selected = row; }
};
