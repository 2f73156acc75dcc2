// Writes the four default data files the program ships with: a fresh radio of
// each family and band, built by the same code that builds a default image at
// run time, so the files and the program can never disagree.
//   rp58_mkdefaults <output folder>
#include <cstdio>
#include <string>

#include "model/ConfigFile.h"
#include "model/DataFile.h"
#include "model/ModelChange.h"
#include "model/RadioImage.h"
#include "model/ScreenData.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const std::string out = argv[1];
  // Built without configuration files: the layouts of a radio shop's own
  // files must not leak into the shipped defaults.
  g_config.ReadConfig();
  g_portableConfig.ReadConfig();
  if (!AllocateRadioImage()) return 1;
  const struct {
    std::uint8_t model;
    const char* file;
  } models[] = {{kFamilyMobileUhf, kDefaultMobileUhfFile},
                {kFamilyMobileVhf, kDefaultMobileVhfFile},
                {kFamilyPortableUhf, kDefaultPortableUhfFile},
                {kFamilyPortableVhf, kDefaultPortableVhfFile}};
  for (const auto& m : models) {
    ResetToDefaultModel(m.model);
    ClearRadioImage(g_pRadioImage);
    g_adjustCopy.fill(0xFF);
    BuildDefaultImage(g_pRadioImage);
    const std::string path = out + "/" + m.file;
    if (!g_dataFile.SaveDataFile(path)) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
