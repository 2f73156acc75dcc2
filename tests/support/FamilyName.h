#pragma once
// The family as a parameterised test's name shows it.
#include <gtest/gtest.h>

#include <string>

#include "model/RadioImage.h"

inline std::string FamilyName(const ::testing::TestParamInfo<Family>& info) {
  return info.param == kPortable ? "Portable" : "Mobile";
}
