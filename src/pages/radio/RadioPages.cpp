#include "pages/radio/RadioPages.h"

#include "model/GlobalRecord.h"

int CGlobal1PageBase::ModelIndex() const {
  const auto code = static_cast<std::uint8_t>(GlobalRecordOf(m_family).modelCode);
  return (m_family == kPortable ? 2 : 0) + (IsUhfFamilyCode(code) ? 0 : 1);
}
