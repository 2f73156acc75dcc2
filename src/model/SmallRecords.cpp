#include "model/SmallRecords.h"

#include <cstring>

#include "model/FamilyModel.h"

namespace {

constexpr std::size_t kHomeGroup = 140;
constexpr std::size_t kHomeZone = 141;
constexpr std::size_t kDisplayOptions = 182;
constexpr std::size_t kDualWatchA = 184;
constexpr std::size_t kSaveOptions = 186;
constexpr std::size_t kDualWatchB = 187;
constexpr std::size_t kAdvancedOptions = 205;
constexpr std::size_t kEmergencyOptions = 207;
constexpr std::size_t kPowerOnOptions = 208;
constexpr std::size_t kEmergencyKeyOptions = 209;

struct BitCopy {
  std::size_t byte;
  int bit;
};
constexpr BitCopy kOpeningBits[4] = {{kDisplayOptions, 6}, {kSaveOptions, 3}, {kAdvancedOptions, 1},
                                     {kEmergencyKeyOptions, 4}};

int Bit(const std::uint8_t* image, std::size_t byte, int bit) { return (image[byte] >> bit) & 1; }

}  // namespace

const std::array<const char*, 13> g_bandRangeLabels13 = {
    "Disable", "Enable", "Disable", "Enable", "Disable", "Enable", "Disable",
    "Enable",  "Disable", "Enable", "Disable", "Enable", "Disable"};
const std::array<const char*, 7> g_bandRangeLabels7 = {"Disable", "Enable", "Disable", "Enable",
                                                       "Disable", "Enable", "Disable"};

void COpeningMsgRecord::SetDefaults() {
  m_defaultSplit = 0.0;
  std::memcpy(powerOnText, "SELFTEST", 9);
  copiedBits = {1, 0, 0, 0};
}

void COpeningMsgRecord::Unpack(const std::uint8_t* image) {
  std::memcpy(powerOnText, image + area::kPowerOnText, kTextLength);
  powerOnText[kTextLength] = '\0';
  for (std::size_t i = 0; i < copiedBits.size(); ++i)
    copiedBits[i] = static_cast<std::uint8_t>(Bit(image, kOpeningBits[i].byte, kOpeningBits[i].bit));
}

void CSmallRecord::SetDefaults() {
  homeGroupNumber = 0;
  homeZoneNumber = family_ == kPortable ? 255 : 0;
  homeGrpScan = 0;
  talkBack = 1;
  dualWatchTimeA = 10;
  dualWatchTimeB = 10;
  revertGroup = 0;
}

void CSmallRecord::Unpack(const CFamilyModel& model, const std::uint8_t* image) {
  const std::uint8_t zone = image[kHomeZone] & 31;
  homeZoneNumber = static_cast<std::uint8_t>(zone + 1);
  // No home group (or one its zone cannot hold) reads as 0, not as a number
  // in some other zone.
  const std::uint8_t group = image[kHomeZone] == kNoZone
                                 ? kNoGroup
                                 : CGlobalRecord::ToAbsoluteGroup(model, image[kHomeGroup], zone);
  homeGroupNumber = group == kNoGroup ? 0 : static_cast<std::uint8_t>(group + 1);
  homeGrpScan = static_cast<std::uint8_t>(Bit(image, kDisplayOptions, 5));
  talkBack = static_cast<std::uint8_t>(Bit(image, kDisplayOptions, 4));
  dualWatchTimeA = image[kDualWatchA];
  dualWatchTimeB = image[kDualWatchB];
  revertGroup = static_cast<std::uint8_t>((image[kPowerOnOptions] >> 3) & 3);
}

void CFlag207Record::Unpack(const std::uint8_t* image) {
  flag = static_cast<std::uint8_t>(Bit(image, kEmergencyOptions, 7));
}
