#include "ServedFile.h"

#include <vector>

#include "model/DataFile.h"
#include "model/RadioImage.h"

std::unique_ptr<CSimRadio> RadioServingFile(const std::string& path, SimProtocol protocol, int eepromEnd) {
  if (!AllocateRadioImage() || g_dataFile.LoadDataFile(path, ".") != 1) return nullptr;
  std::vector<std::uint8_t> memory(g_pRadioImage, g_pRadioImage + kImageBufferSize);
  const int lastEeprom = eepromEnd == 63 ? 0 : 1;
  auto radio = std::make_unique<CSimRadio>(protocol, memory, lastEeprom, lastEeprom + 57);
  radio->SetFamily(FamilyOfCode(memory[area::kFamilyCode]) == kPortable);
  return radio;
}
