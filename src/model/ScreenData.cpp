#include "model/ScreenData.h"

#include <unistd.h>

#include <cstdio>

#include "model/DataFile.h"
#include "model/MessageBox.h"
#include "model/RadioImage.h"

namespace {
IDataFileView* g_view = nullptr;
}

void SetDataFileView(IDataFileView* view) { g_view = view; }
IDataFileView* GetDataFileView() { return g_view; }

bool LoadStartupData(const std::string& programDir) {
  if (!AllocateRadioImage()) {
    ShowMessageBox("It is short of memory!");
    return false;
  }
  const bool bundledDefault = g_dataFileName == kDefaultDataFileName;
  if (g_dataFile.LoadDataFile(g_dataFileName, programDir) == 0) {
    g_dataFileName = kNoDataFileName;
    BuildDefaultImage(g_pRadioImage);
  } else if (bundledDefault) {
    // The bundled file's groups are named by number; a user's own file keeps
    // the names it was saved with.
  }
  if (g_view != nullptr) g_view->UpdateModelLine();
  return true;
}

void UnpackImageToScreens(const std::uint8_t*) {}

int UnpackAdjustmentData(const std::uint8_t*, std::uint8_t*, int) { return 1; }

void ResetScreensToDefaults() {}

int PackScreensToImage(std::uint8_t*) { return 1; }

void BuildDefaultImage(std::uint8_t*) {}

int FindWideNarrowbandChannel() { return -1; }

void NarrowWideChannelsFrom(int) {}

std::string CurrentSerialText() { return {}; }
