#pragma once
// How the radio-wide pages name a setting's place in the radio-wide record:
// the bits of the record byte that mirrors an image byte, or a 32-bit field
// the record keeps apart (the back-light flag). Resolved against the record
// of the family the page shows.
#include <cstdint>

#include "framework/SettingsBinder.h"
#include "model/GlobalRecord.h"

struct GlobalField {
  int imageByte = -1;
  BitRange bits = kWholeByte;
  std::uint32_t CGlobalRecord::*word = nullptr;
};

constexpr GlobalField At(int imageByte, BitRange bits = kWholeByte) { return {imageByte, bits, nullptr}; }
constexpr GlobalField Word(std::uint32_t CGlobalRecord::*word) { return {-1, kWholeByte, word}; }

// A null reference when the record keeps no copy of that image byte.
inline FieldRef Resolve(CGlobalRecord& record, const GlobalField& field) {
  if (field.word != nullptr) return FieldRef(&(record.*field.word));
  return FieldRef(record.FieldOfImageByte(field.imageByte), field.bits);
}
