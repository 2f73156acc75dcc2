#include "model/KeyAssignRecord.h"

#include <algorithm>

#include "model/Digits.h"
#include "model/FamilyModel.h"
#include "model/GlobalRecordFields.h"
#include "model/MessageBox.h"

namespace {

// Image positions of the key record.
namespace key {
constexpr std::size_t kCodes = 188;      // codes 1..12, each pair of bytes swapped
constexpr std::size_t kCode13 = 201;
constexpr std::size_t kExtraZ = 202;     // high nibble
constexpr std::size_t kExtraXY = 203;    // X high, Y low
constexpr std::size_t kFlags = 208;      // b0-2
constexpr int kPairedCodes = 12;
}  // namespace key

// Key function of each extra-field value 1..13 (13 = Monitor); 0, 14 and 15
// name none. Both families' radios use these fields.
constexpr std::uint8_t kExtraFunctions[16] = {0, 3, 4, 5, 6, 7, 8, 30, 31, 18, 64, 65, 66, 1, 0, 0};


const KeyAssignFamily kMobileKeys = {kMobile, 46, 78, {1, 0, 0, 0, 12, 13, 64, 0, 0, 0, 67, 68, 0}};
const KeyAssignFamily kPortableKeys = {kPortable, 42, 73, {1, 2, 0, 0, 0, 0, 64, 0, 0, 0, 0, 0, 0}};

std::size_t CodeByte(int k) {
  return k < key::kPairedCodes ? key::kCodes + static_cast<std::size_t>(k ^ 1) : key::kCode13;
}

}  // namespace

CKeyAssignRecord::CKeyAssignRecord(const KeyAssignFamily& family) : family_(&family) { SetDefaults(); }
CMobileKeyAssignRecord::CMobileKeyAssignRecord() : CKeyAssignRecord(kMobileKeys) {}
CPortableKeyAssignRecord::CPortableKeyAssignRecord() : CKeyAssignRecord(kPortableKeys) {}

std::uint8_t CKeyAssignRecord::ExtraCodeFunction(int value) {
  return (value >= 0 && value < 16) ? kExtraFunctions[value] : 0;
}

int CKeyAssignRecord::InUseIndex(int code) const {
  if (code >= 1 && code <= 31) return code - 1;
  if (code >= 64 && code <= family_->lastCode) return code - 33;
  return -1;
}

bool CKeyAssignRecord::IsInUse(int code) const {
  const int i = InUseIndex(code);
  return i >= 0 && inUse[static_cast<std::size_t>(i)] != 0;
}

void CKeyAssignRecord::SetInUse(int code, bool on) {
  const int i = InUseIndex(code);
  if (i >= 0) inUse[static_cast<std::size_t>(i)] = on ? 1 : 0;
}

void CKeyAssignRecord::RebuildInUse() {
  inUse.fill(0);
  // A code outside the catalogue (from a file or a radio) marks nothing but
  // is kept, so it goes back to the radio unchanged.
  for (std::uint8_t code : keyFunc)
    if (code != 0) SetInUse(code, true);
  for (std::uint8_t value : extraCodes)
    if (value != 0) SetInUse(ExtraCodeFunction(value), true);
}

bool CKeyAssignRecord::HasCode(std::uint8_t code) const {
  return std::find(keyFunc.begin(), keyFunc.end(), code) != keyFunc.end();
}

void CKeyAssignRecord::SetDefaults() {
  keyFunc = family_->defaults;
  extraCodes.fill(0);
  keyFlags = {1, 0, 0};
  RebuildInUse();
}

void CKeyAssignRecord::Unpack(const std::uint8_t* image) {
  for (int k = 0; k < kKeyCodeCount; ++k) keyFunc[static_cast<std::size_t>(k)] = image[CodeByte(k)];
  extraCodes = {static_cast<std::uint8_t>(image[key::kExtraXY] >> 4),
                static_cast<std::uint8_t>(image[key::kExtraXY] & 0x0F),
                static_cast<std::uint8_t>(image[key::kExtraZ] >> 4)};
  for (int i = 0; i < kKeyFlagCount; ++i)
    keyFlags[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((image[key::kFlags] >> i) & 1);
  RebuildInUse();
}

bool CKeyAssignRecord::CanDial(const CFamilyModel& model) {
  if (model.family == kMobile) return IsMobileProductCode(model.RadioDataView().ProductCode());
  return ValueOf(model.global, global::kPortableCanDial) != 0;
}

int CKeyAssignRecord::Pack(const CFamilyModel& model, std::uint8_t* image) const {
  if (HasCode(kKeyPhone) && CanDial(model) && model.dtmf.DialMemoryDigitCount(kDialMemoryZero) == 0) {
    ShowMessageBox(kPhoneKeyRefusal, kMsgOk);
    return 0;
  }
  for (int k = 0; k < kKeyCodeCount; ++k) image[CodeByte(k)] = keyFunc[static_cast<std::size_t>(k)];
  image[key::kExtraZ] = static_cast<std::uint8_t>((image[key::kExtraZ] & 0x0F) | ((extraCodes[2] & 0x0F) << 4));
  image[key::kExtraXY] = static_cast<std::uint8_t>(((extraCodes[0] & 0x0F) << 4) | (extraCodes[1] & 0x0F));
  std::uint8_t flags = image[key::kFlags] & 0xF8;
  for (int i = 0; i < kKeyFlagCount; ++i) flags |= static_cast<std::uint8_t>((keyFlags[static_cast<std::size_t>(i)] & 1) << i);
  image[key::kFlags] = flags;
  return 1;
}
