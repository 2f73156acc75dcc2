#pragma once
// Names of parameterised tests: a family, a data file.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "model/RadioImage.h"

inline std::string FamilyName(const ::testing::TestParamInfo<Family>& info) {
  return info.param == kPortable ? "Portable" : "Mobile";
}

// The file's name with every character but letters and digits made '_'.
template <class Name>
std::string FileTestName(const ::testing::TestParamInfo<Name>& info) {
  std::string name = info.param;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}
