#include "model/ScreenData.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <type_traits>
#include <vector>

#include "model/DataFile.h"
#include "model/FamilyModel.h"
#include "model/FreshStart.h"
#include "model/MessageBox.h"
#include "model/ModelChange.h"
#include "model/RadioImage.h"
#include "model/RadioModels.h"

namespace {

IDataFileView* g_view;  // set by the fresh start below

std::size_t AdjustArea(Family family) {
  return family == kPortable ? area::kPortableAdjust : area::kMobileAdjust;
}

// Runs f with the model of the current family, as its own type, so the
// drivers below are written once for both.
template <class F>
auto WithModel(F&& f) {
  if (g_isPortable) return f(g_portableModel);
  return f(g_mobileModel);
}

// Everything the pack and the default build share: the zone, group and
// channel areas with their checks. 0 when a check refused.
template <class Model>
int PackRecordsAndData(Model& m, std::uint8_t* image, bool defaultImage) {
  auto& data = m.records.data;
  data.DisableUnassignedGroups();
  if ((defaultImage ? m.global.PackDefault(m, image, 0) : m.global.Pack(m, image, 0)) == 0) return 0;
  if (data.ValidateBeforeWrite(m, image) == 0) return 0;
  const int dtmf = m.family == kPortable ? m.dtmf.StoreDtmfDataChecked(m, image) : m.dtmf.StoreDtmfData(image);
  if (dtmf == 0) return 0;
  if (m.keys.Pack(m, image) == 0) return 0;
  for (int g = 0; g < kGroupCount; ++g)
    if (data.StoreGroup(m, g, image) == 0) return 0;
  for (int i = 0; i < kChannelCount; ++i) {
    const std::size_t slot = ChannelOffset(m.family, i);
    data.StoreChannel(i, image + slot);
  }
  if (defaultImage)
    m.global.PackDefault(m, image, 1);
  else
    m.global.Pack(m, image, 1);
  return 1;
}

// Packs into a copy of the image and commits only a complete pack. A refused
// check also puts back every record the pack had edited on its way (the
// radio-wide pack edits, the unassigned groups switched off, the channels'
// derived fields), so a refused save or send leaves no trace for the next
// save to write.
template <class Model, class Pack>
int PackAllOrNothing(Model& m, std::uint8_t* image, Pack&& pack) {
  std::vector<std::uint8_t> scratch(image, image + kImageSize);
  const auto saved = std::make_unique<std::remove_cvref_t<decltype(m.records)>>(m.records);
  const int result = pack(m, scratch.data());
  if (result != 0)
    std::memcpy(image, scratch.data(), kImageSize);
  else
    m.records = *saved;
  return result;
}

}  // namespace

void SetDataFileView(IDataFileView* view) { g_view = view; }
IDataFileView* GetDataFileView() { return g_view; }

namespace {
void FreshView() { SetDataFileView(nullptr); }
const FreshStartReset kFreshStart(&FreshView);
}  // namespace

namespace {

// Follows the start-up file's own refusal.
const char* const kBuiltInDefaultsNote = "\n\nThe built-in defaults are used.";

// Stands in for the start-up file: the records as they are, identified as
// the default files are (the mobile UHF model of Data/DEFAULTU.K58 with its
// product code), so the mobile-only settings are there just as with the file.
void BuildBuiltInDefaults() {
  static_assert(kModelCodes[0] == kFamilyMobileUhf);
  ApplyModelChoice(ModelChoiceOfRow(0), kMobile);
  BuildDefaultImage(g_pRadioImage);
}

}  // namespace

bool LoadStartupData(const std::string& programDir) {
  if (!AllocateRadioImage()) {
    ShowMessageBox("It is short of memory!");
    return false;
  }
  const bool bundledDefault = g_dataFileName == kDefaultDataFileName;
  if (g_dataFile.LoadDataFile(g_dataFileName, programDir, kBuiltInDefaultsNote) == 0) {
    g_dataFileName = kNoDataFileName;
    BuildBuiltInDefaults();
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
  WithModel([image](auto& m) {
    m.ClearUnpackedRecords();
    auto& data = m.records.data;
    m.band.Unpack(image);
    m.global.Unpack(m, image);
    m.small.Unpack(m, image);
    m.dtmf.LoadDtmfData(image);
    m.keys.Unpack(image);
    m.flag207.Unpack(image);
    m.openingMsg.Unpack(image);
    data.LoadFromImage(image);
    for (int g = 0; g < kGroupCount; ++g) data.LoadGroup(g, image);
    for (int i = 0; i < kChannelCount; ++i) {
      const std::size_t slot = ChannelOffset(m.family, i);
      data.LoadChannel(i, image + slot);
    }
    // Once more now that groups and channels are known. The home view numbers
    // its group over all zones too, so it needs the counts just loaded.
    m.global.Unpack(m, image);
    m.small.Unpack(m, image);
    m.fiveToneCommon.Unpack(image);
    m.fiveToneEncode.Load(image);
    m.fiveToneDecode.Load(image);
  });
  if (g_isPortable)
    g_portableModel.records.fiveToneTones.Unpack(image);
  else
    g_mobileModel.records.fiveToneCodes.Unpack(image);
}

int UnpackAdjustmentData(const std::uint8_t* image, std::uint8_t* adjustCopy, int decodeHeader) {
  return WithModel([&](auto& m) {
    m.records.data.LoadAdjustmentData(image, adjustCopy, decodeHeader);
    return m.radioInfo.Unpack(m, image, adjustCopy);
  });
}

void ResetScreensToDefaults() {
  WithModel([](auto& m) {
    m.band.SetDefaults(IsUhfFamilyCode(static_cast<std::uint8_t>(m.global.modelCode)));
    m.global.SetDefaults();
    m.small.SetDefaults();
    m.dtmf.InitDtmfData();
    m.keys.SetDefaults();
    m.flag207.SetDefaults();
    m.openingMsg.SetDefaults();
    m.records.data.SetDefaults();
  });
  if (g_isPortable) g_portableModel.records.fiveToneCommon.SetDefaults();
  CurrentModel().global.SetDefaults();
}

int PackScreensToImage(std::uint8_t* image) {
  const int result = WithModel([image](auto& model) {
    return PackAllOrNothing(model, image, [](auto& m, std::uint8_t* img) {
      if (PackRecordsAndData(m, img, false) == 0) return 0;
      m.radioInfo.PackSerial(img + AdjustArea(m.family));
      const int common = m.fiveToneCommon.Pack(img);
      if (common == 0) return 0;
      m.fiveToneEncode.Store(img);
      m.fiveToneDecode.Store(img);
      if (g_isPortable)
        g_portableModel.records.fiveToneTones.Pack(img);
      else
        g_mobileModel.records.fiveToneCodes.Pack(img);
      return common;
    });
  });
  // A data file takes its adjustment data from the copy, not the image: the
  // serial number typed in the main window must reach the copy too, or a save
  // would quietly drop it.
  if (result != 0) CurrentModel().radioInfo.PackSerial(g_adjustCopy.data());
  return result;
}

namespace {
// Swallows the messages of a save that is only tried.
class CSilentMessages : public IMessageSink {
public:
  int Show(const std::string&, const std::string&, unsigned) override { return kIdNo; }
};
}  // namespace

namespace {
// An image and adjustment copy with the current family's records packed in.
struct TriedPack {
  std::vector<std::uint8_t> image;
  std::array<std::uint8_t, kAdjustCopySize> adjust;
};

// Packs on copies: the records, the adjustment copy and the message sink are
// as they were afterwards, and no message is shown. With `unpackFirst` the
// records are first unpacked from the image and adjustment copy given; without
// `pack` only that unpack is done. Nothing when a check of the pack refuses.
std::optional<TriedPack> TryPack(const std::uint8_t* image, const std::uint8_t* adjustCopy, bool unpackFirst,
                                 bool pack) {
  return WithModel([&](auto& m) {
    const auto records = std::make_unique<std::remove_cvref_t<decltype(m.records)>>(m.records);
    const auto adjust = g_adjustCopy;
    CSilentMessages silent;
    IMessageSink* const shown = GetMessageSink();
    SetMessageSink(&silent);
    std::vector<std::uint8_t> scratch(image, image + kImageSize);
    scratch.resize(kImageBufferSize, kUnwrittenByte);
    std::copy_n(adjustCopy, kAdjustCopySize, g_adjustCopy.begin());
    if (unpackFirst) {
      UnpackImageToScreens(scratch.data());
      UnpackAdjustmentData(scratch.data(), g_adjustCopy.data(), 1);
    }
    std::optional<TriedPack> packed;
    if (!pack || PackScreensToImage(scratch.data()) != 0) packed = TriedPack{scratch, g_adjustCopy};
    SetMessageSink(shown);
    m.records = *records;
    g_adjustCopy = adjust;
    return packed;
  });
}
}  // namespace

std::optional<std::vector<std::uint8_t>> SavedFileOf(const std::uint8_t* image, const std::uint8_t* adjustCopy) {
  const std::optional<TriedPack> saved = TryPack(image, adjustCopy, true, !g_saveWithoutPack);
  if (!saved) return std::nullopt;
  return FileImageOf(saved->image.data(), saved->adjust.data());
}

bool RecordsDifferFromImage(const std::uint8_t* image, const std::uint8_t* adjustCopy) {
  const std::optional<TriedPack> records = TryPack(image, adjustCopy, false, true);
  const std::optional<TriedPack> unpacked = TryPack(image, adjustCopy, true, true);
  if (!records || !unpacked) return records.has_value() != unpacked.has_value();
  return records->image != unpacked->image || records->adjust != unpacked->adjust;
}

void BuildDefaultImage(std::uint8_t* image) {
  WithModel([image](auto& model) {
    return PackAllOrNothing(model, image, [](auto& m, std::uint8_t* img) {
      auto& data = m.records.data;
      if (g_isPortable) std::memset(img + area::kPortableBlank, 0xFF, 0x2FC - area::kPortableBlank);
      m.band.WriteDefaultBlock(img, IsUhfFamilyCode(static_cast<std::uint8_t>(m.global.modelCode)));
      if (PackRecordsAndData(m, img, true) == 0) return 0;
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
      // The portable radio-wide record never writes its model byte; a default
      // image carries it so that it identifies as a portable radio.
      if (g_isPortable) img[area::kModelByte] = m.global.modelByte;
      if (g_isPortable)
        g_portableModel.records.fiveToneTones.WriteDefaultImageArea(img);
      else
        CFiveToneCodeRecord::WriteDefaultToneScale(img);
      return m.fiveToneCommon.Pack(img);
    });
  });
}

int FindWideNarrowbandChannel() {
  return WithModel([](auto& m) {
    const auto& data = m.records.data;
    const ChannelCodecContext ctx = data.ChannelContext();
    for (int i = 0; i < kChannelCount; ++i)
      if (data.m_channels[i].NeedsNarrowing(ctx)) return i;
    return -1;
  });
}

void NarrowWideChannelsFrom(int first) {
  WithModel([first](auto& m) {
    auto& data = m.records.data;
    const ChannelCodecContext ctx = data.ChannelContext();
    for (int i = first < 0 ? 0 : first; i < kChannelCount; ++i)
      if (data.m_channels[i].NeedsNarrowing(ctx)) data.m_channels[i].MakeNarrow();
  });
}

std::string CurrentSerialText() { return CurrentModel().radioInfo.serialText; }
