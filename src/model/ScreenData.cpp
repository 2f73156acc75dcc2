#include "model/ScreenData.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "model/BandRecord.h"
#include "model/DataFile.h"
#include "model/DtmfData.h"
#include "model/FiveTone.h"
#include "model/GlobalRecord.h"
#include "model/KeyAssignRecord.h"
#include "model/MessageBox.h"
#include "model/RadioData.h"
#include "model/RadioDataView.h"
#include "model/RadioImage.h"
#include "model/RadioInfoRecord.h"
#include "model/SmallRecords.h"

namespace {

IDataFileView* g_view = nullptr;

// The records of one family, in one place, so every driver below is written
// once for both.
struct FamilyRecords {
  CBandRecord& band;
  CGlobalRecord& global;
  CSmallRecord& small;
  CDtmfData& dtmf;
  CKeyAssignRecord& keys;
  CFlag207Record& flag207;
  COpeningMsgRecord& openingMsg;
  CRadioInfoRecord& radioInfo;
  CFiveToneCommonRecord& fiveToneCommon;
  CFiveToneCodeTable& fiveToneEncode;
  CFiveToneCodeTable& fiveToneDecode;
  std::size_t adjustArea;
};

FamilyRecords Records(Family family) {
  if (family == kPortable)
    return {g_portableBand,        g_portableGlobalRecord,  g_portableSmall,         g_portableDtmfData,
            g_portableKeyAssign,   g_portableFlag207,       g_portableOpeningMsg,    g_portableRadioInfo,
            g_portableFiveToneCommon, g_portableFiveToneEncode, g_portableFiveToneDecode, area::kPortableAdjust};
  return {g_mobileBand,        g_mobileGlobalRecord,  g_mobileSmall,         g_mobileDtmfData,
          g_mobileKeyAssign,   g_mobileFlag207,       g_mobileOpeningMsg,    g_mobileRadioInfo,
          g_mobileFiveToneCommon, g_mobileFiveToneEncode, g_mobileFiveToneDecode, area::kMobileAdjust};
}

Family CurrentFamily() {
  // The radio data objects ask the radio-wide records for key codes, the
  // option board and the split; make sure they know where those live.
  LinkRadioWideRecords();
  return g_isPortable ? kPortable : kMobile;
}

// Runs f with the radio data object of the current family.
template <class F>
auto WithRadioData(F&& f) {
  if (g_isPortable) return f(g_portableData);
  return f(g_mobileData);
}

// Everything the pack and the default build share: the zone, group and
// channel areas with their checks. 0 when a check refused.
template <class Data>
int PackRecordsAndData(Data& data, FamilyRecords& r, std::uint8_t* image, bool defaultImage) {
  data.DisableUnassignedGroups();
  if ((defaultImage ? r.global.PackDefault(image, 0) : r.global.Pack(image, 0)) == 0) return 0;
  if (data.ValidateBeforeWrite(image) == 0) return 0;
  const int dtmf = g_isPortable ? r.dtmf.StoreDtmfDataChecked(image) : r.dtmf.StoreDtmfData(image);
  if (dtmf == 0) return 0;
  if (r.keys.Pack(image) == 0) return 0;
  for (int g = 0; g < kGroupCount; ++g)
    if (data.StoreGroup(g, image) == 0) return 0;
  for (int i = 0; i < kChannelCount; ++i) {
    const std::size_t slot = ChannelOffset(data.Traits().family, i);
    data.StoreChannel(i, image + slot);
  }
  if (defaultImage)
    r.global.PackDefault(image, 1);
  else
    r.global.Pack(image, 1);
  return 1;
}

// Packs into a copy of the image and commits only a complete pack, so a
// refused check leaves the image exactly as it was.
template <class Pack>
int PackIntoScratch(std::uint8_t* image, Pack&& pack) {
  std::vector<std::uint8_t> scratch(image, image + kImageSize);
  const int result = pack(scratch.data());
  if (result != 0) std::memcpy(image, scratch.data(), kImageSize);
  return result;
}

}  // namespace

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
    for (int g = 0; g < kGroupCount; ++g) {
      char tag[16];
      std::snprintf(tag, sizeof tag, "GROUP%3.3d", g + 1);
      g_mobileData.m_groups[g].SetTag(tag);
    }
  }
  if (g_view != nullptr) g_view->UpdateModelLine();
  return true;
}

void UnpackImageToScreens(const std::uint8_t* image) {
  FamilyRecords r = Records(CurrentFamily());
  r.band.Unpack(image);
  r.global.Unpack(image);
  r.small.Unpack(image);
  r.dtmf.LoadDtmfData(image);
  r.keys.Unpack(image);
  r.flag207.Unpack(image);
  r.openingMsg.Unpack(image);
  WithRadioData([&](auto& data) {
    data.LoadFromImage(image);
    for (int g = 0; g < kGroupCount; ++g) data.LoadGroup(g, image);
    for (int i = 0; i < kChannelCount; ++i) {
      const std::size_t slot = ChannelOffset(data.Traits().family, i);
      data.LoadChannel(i, image + slot);
    }
  });
  // Once more now that groups and channels are known. The home view numbers
  // its group over all zones too, so it needs the counts just loaded.
  r.global.Unpack(image);
  r.small.Unpack(image);
  r.fiveToneCommon.Unpack(image);
  r.fiveToneEncode.Load(image);
  r.fiveToneDecode.Load(image);
  if (g_isPortable)
    g_portableFiveToneTones.Unpack(image);
  else
    g_mobileFiveToneCodes.Unpack(image);
}

int UnpackAdjustmentData(const std::uint8_t* image, std::uint8_t* adjustCopy, int decodeHeader) {
  WithRadioData([&](auto& data) { data.LoadAdjustmentData(image, adjustCopy, decodeHeader); });
  return Records(CurrentFamily()).radioInfo.Unpack(image, adjustCopy);
}

void ResetScreensToDefaults() {
  FamilyRecords r = Records(CurrentFamily());
  r.band.SetDefaults(IsUhfFamilyCode(static_cast<std::uint8_t>(r.global.modelCode)));
  r.global.SetDefaults();
  r.small.SetDefaults();
  r.dtmf.InitDtmfData();
  r.keys.SetDefaults();
  r.flag207.SetDefaults();
  r.openingMsg.SetDefaults();
  WithRadioData([](auto& data) { data.SetDefaults(); });
  if (g_isPortable) g_portableFiveToneCommon.SetDefaults();
  r.global.SetDefaults();
}

int PackScreensToImage(std::uint8_t* image) {
  const int result = PackIntoScratch(image, [](std::uint8_t* img) {
    FamilyRecords r = Records(CurrentFamily());
    const int packed = WithRadioData([&](auto& data) { return PackRecordsAndData(data, r, img, false); });
    if (packed == 0) return 0;
    r.radioInfo.PackSerial(img + r.adjustArea);
    const int common = r.fiveToneCommon.Pack(img);
    if (common == 0) return 0;
    r.fiveToneEncode.Store(img);
    r.fiveToneDecode.Store(img);
    if (g_isPortable)
      g_portableFiveToneTones.Pack(img);
    else
      g_mobileFiveToneCodes.Pack(img);
    return common;
  });
  // A data file takes its adjustment data from the copy, not the image: the
  // serial number typed in the main window must reach the copy too, or a save
  // would quietly drop it.
  if (result != 0) Records(CurrentFamily()).radioInfo.PackSerial(g_adjustCopy.data());
  return result;
}

void BuildDefaultImage(std::uint8_t* image) {
  PackIntoScratch(image, [](std::uint8_t* img) {
    FamilyRecords r = Records(CurrentFamily());
    if (g_isPortable) std::memset(img + area::kPortableBlank, 0xFF, 0x2FC - area::kPortableBlank);
    r.band.WriteDefaultBlock(img, IsUhfFamilyCode(static_cast<std::uint8_t>(r.global.modelCode)));
    const int packed = WithRadioData([&](auto& data) { return PackRecordsAndData(data, r, img, true); });
    if (packed == 0) return 0;
    WithRadioData([img](auto& data) {
      data.StoreAdjustmentData(g_adjustCopy.data());
      // The channels' tune levels are computed from the per-radio tuning
      // bytes; a default image carries the ones its records were packed with,
      // so loading it back gives the same channel data.
      const RadioFamilyTraits& traits = data.Traits();
      std::memcpy(img + traits.tuningOffset, data.m_tuning.data(), static_cast<std::size_t>(traits.tuningCount));
      // Likewise the identification word: without the product code a
      // default mobile file would lose its tail and its band limits on load.
      img[area::kIdentWord] = static_cast<std::uint8_t>(data.m_productWord & 0xFF);
      img[area::kProductCode] = static_cast<std::uint8_t>((data.m_productWord >> 8) & 0xFF);
    });
    // The portable radio-wide record never writes its model byte; a default
    // image carries it so that it identifies as a portable radio.
    if (g_isPortable) img[area::kModelByte] = g_portableGlobalRecord.modelByte;
    if (g_isPortable) g_portableFiveToneTones.WriteDefaultImageArea(img);
    return r.fiveToneCommon.Pack(img);
  });
}

int FindWideNarrowbandChannel() {
  return WithRadioData([](auto& data) {
    const ChannelCodecContext ctx = data.ChannelContext();
    for (int i = 0; i < kChannelCount; ++i)
      if (data.m_channels[i].NeedsNarrowing(ctx)) return i;
    return -1;
  });
}

void NarrowWideChannelsFrom(int first) {
  WithRadioData([first](auto& data) {
    const ChannelCodecContext ctx = data.ChannelContext();
    for (int i = first < 0 ? 0 : first; i < kChannelCount; ++i)
      if (data.m_channels[i].NeedsNarrowing(ctx)) data.m_channels[i].MakeNarrow();
  });
}

std::string CurrentSerialText() { return Records(CurrentFamily()).radioInfo.serialText; }
