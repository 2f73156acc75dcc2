#pragma once
// Compares every record of a family model with a copy, record by record, and
// names the first channel, group or record that differs.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "RecordDifferences.h"

// A copy of a model's records, kept off the stack (640 channels).
template <class Records>
std::unique_ptr<Records> CopyOfRecords(const Records& r) {
  return std::make_unique<Records>(r);
}

template <class Records>
::testing::AssertionResult SameRecords(const Records& a, const Records& b) {
  const std::string differ = RecordDifferences(a, b);
  if (differ.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "records differ: " << differ;
}
