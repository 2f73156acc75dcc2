#pragma once
// The four radio models the program programs, in the order of the MODEL
// list: the two mobile models, then the two portable ones.
#include <array>
#include <cstdint>

#include "model/RadioImage.h"

inline constexpr int kModelCount = 4;
inline constexpr std::array<const char*, kModelCount> kModelNames = {
    "TM-6600-KS8B-50(UHF)", "TM-6600-KR3B-50(VHF)", "TP-752A(UHF)", "TP-741A(VHF)"};
// The family code each model stores in image byte 0x20.
inline constexpr std::array<std::uint8_t, kModelCount> kModelCodes = {kFamilyMobileUhf, kFamilyMobileVhf,
                                                                      kFamilyPortableUhf, kFamilyPortableVhf};

constexpr Family FamilyOfModelRow(int row) { return row < 2 ? kMobile : kPortable; }
