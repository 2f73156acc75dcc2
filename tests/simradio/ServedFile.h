#pragma once
// A data file served as a radio's memory, as rp58-simradio serves it, so a
// test meets the radio a user starts from the README.
#include <memory>
#include <string>

#include "SimRadio.h"

// Loads the file into the working data (the image, the records) and gives a
// radio holding its image; nullptr when the file does not load. A streamed
// radio's layout follows its EEPROM end word (63 or 127); its alignment mode
// answers as a radio of the file's family.
std::unique_ptr<CSimRadio> RadioServingFile(const std::string& path, SimProtocol protocol, int eepromEnd = 127);
