#pragma once
// The alignment dialogs' own texts: the preset prompt and each item's step
// instructions, kept as data.
#include <cstdint>
#include <string>

#include "model/RadioImage.h"

// The step instructions of an item (AlignItem) for a family's window: the
// mobile window chooses its set by the product code, some lines by bits of
// the family code.
std::string AlignStepText(Family family, int item, std::uint8_t productCode, std::uint8_t familyCode);

// The preset dialog's prompt, with the frequency line of the radio's band.
std::string AlignPresetPrompt(Family family, std::uint8_t familyCode);

// What RX Tune's Start writes over its step text.
inline constexpr const char* kRxTuneStartText =
    "This parameter is used to align RX Tune.\r\n"
    "Select the middle frequency channel in alignment range.\r\n"
    "Set your SG output level for factory defaults as follows, \r\n"
    "     VHF:-8.0dBuV/UHF:-6.0dBuV\r\n"
    "Pressing the [UP] or  [DOWN] key, to align the maximum RX sensitivity by monitoring it's SINAD level.";
