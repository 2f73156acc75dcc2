#include "ProgramState.h"

#include "model/ConfigFile.h"
#include "model/DataFile.h"
#include "model/FamilyModel.h"
#include "model/Privilege.h"
#include "model/RadioImage.h"
#include "model/ScreenData.h"
#include "model/ZoneGroups.h"

void ResetProgramState() {
  ReleaseRadioImage();
  SetImageAllocator(nullptr);
  g_adjustCopy.fill(0);
  g_isPortable = 0;
  g_isPortableSaved = 0;
  g_dataModified = 0;
  g_newlyEnabledSystem = 0;
  g_imageLoaded = 0;
  g_saveWithoutPack = 0;
  g_dataFileName = kDefaultDataFileName;
  g_manufacturerMode = 0;
  g_serviceMode = 0;
  RebuildFamilyModels();
  BuildAnew(g_config);
  BuildAnew(g_portableConfig);
  SetDataFileView(nullptr);
  SetYearSource(nullptr);
}
