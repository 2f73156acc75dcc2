#include "model/GlobalRecordFields.h"

FieldRef Resolve(CGlobalRecord& record, const GlobalField& field) {
  if (field.word != nullptr) return FieldRef(&(record.*field.word));
  return FieldRef(record.FieldOfImageByte(field.imageByte), field.bits);
}

std::uint32_t ValueOf(const CGlobalRecord& record, const GlobalField& field) {
  // Reading through the reference changes nothing.
  return Resolve(const_cast<CGlobalRecord&>(record), field).Get();
}
