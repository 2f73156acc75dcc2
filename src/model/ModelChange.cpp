#include "model/ModelChange.h"

#include "model/DataFile.h"
#include "model/FamilyModel.h"
#include "model/RadioModels.h"
#include "model/ScreenData.h"

namespace {

constexpr std::uint32_t kProductCodeMask = 0xFF00;
constexpr std::uint8_t kMobileProductCode = 0x0B;
// Product-code bits kept when a mobile radio becomes a portable model: what
// is left is never a mobile product code.
constexpr std::uint8_t kPortableProductKeep = 0xF4;
// Model-word byte (249): bits 4-5 tell the families apart.
constexpr std::uint8_t kModelByteFamilyBits = 0x10;
constexpr std::uint8_t kModelByteMobile = 0x20;
constexpr std::uint8_t kModelBytePortableBits = 0x3F;
constexpr std::uint8_t kModelBytePortable = 0x30;

// Channel 1's frequency of a freshly chosen model, in 10 Hz counts.
constexpr std::uint32_t kUhfChannel1 = 45000000;
constexpr std::uint32_t kMobileVhfChannel1 = 13400000;
constexpr std::uint32_t kPortableVhfChannel1 = 14600000;

void SetRecordModel(CGlobalRecord& record, std::uint8_t code, std::uint8_t modelByte) {
  record.modelCode = code;
  record.modelGroup = code & record.FamilyData().modelMask;
  record.modelByte = modelByte;
}

std::uint32_t& ProductWordOf(Family family) { return ModelOf(family).radioData.m_productWord; }

}  // namespace

ModelChoice ModelChoiceOfRow(int row) {
  const std::uint8_t code = kModelCodes[static_cast<std::size_t>(row)];
  return {row, code, FamilyOfModelRow(row), IsUhfFamilyCode(code)};
}

const char* DefaultDataFileOf(Family family, bool uhf) {
  if (family == kPortable) return uhf ? kDefaultPortableUhfFile : kDefaultPortableVhfFile;
  return uhf ? kDefaultMobileUhfFile : kDefaultMobileVhfFile;
}

void ApplyModelDefaults(Family family) {
  CFamilyModel& records = ModelOf(family);
  const bool uhf = IsUhfFamilyCode(static_cast<std::uint8_t>(records.global.modelCode));
  records.band.SetDefaults(uhf);
  records.openingMsg.SetDefaultSplit(CBandRecord::DefaultSplitMHz(uhf));
}

void ApplyModelChoice(const ModelChoice& model, Family pageFamily) {
  std::uint32_t& product = ProductWordOf(pageFamily);
  CGlobalRecord& record = ModelOf(model.family).global;
  if (model.family == kMobile) {
    product = (product & 0xFF) | (std::uint32_t{kMobileProductCode} << 8);
    g_isPortable = false;
    SetRecordModel(record, model.code,
                   static_cast<std::uint8_t>((record.modelByte & ~kModelByteFamilyBits) | kModelByteMobile));
  } else {
    const std::uint32_t code = ((product & kProductCodeMask) >> 8) & kPortableProductKeep;
    product = (product & ~kProductCodeMask) | (code << 8);
    g_isPortable = true;
    SetRecordModel(record, model.code, static_cast<std::uint8_t>(record.modelByte | kModelBytePortableBits));
  }
  ApplyModelDefaults(pageFamily);
}

int LoadModelDefaults(const ModelChoice& model, Family pageFamily, const std::string& dir) {
  // The working directory is the program's folder, where Data/ lives.
  const int loaded = g_dataFile.LoadDataFile(DefaultDataFileOf(model.family, model.uhf), dir);
  if (loaded == 0) ResetScreensToDefaults();
  if (model.family == pageFamily) {
    const std::uint32_t count =
        model.uhf ? kUhfChannel1 : (model.family == kMobile ? kMobileVhfChannel1 : kPortableVhfChannel1);
    if (pageFamily == kMobile) {
      g_mobileData.SetChannelRxFrequency(0, count);
      g_mobileData.SetChannelTxFrequency(0, count);
    } else {
      g_portableData.SetChannelRxFrequency(0, count);
      g_portableData.SetChannelTxFrequency(0, count);
    }
  }
  if (loaded == 0) BuildDefaultImage(g_pRadioImage);
  // The page shows the chosen model until the main window replaces it.
  SetRecordModel(ModelOf(pageFamily).global, model.code,
                 model.family == kMobile ? kModelByteMobile : kModelBytePortable);
  // A failed load rebuilt the tabs over the records it found, and timer 2 may
  // have re-created Global 1 while its message was open: both showed records
  // that have been reset since. Show the data as it now is.
  if (loaded == 0) {
    if (IDataFileView* view = GetDataFileView()) view->RebuildTabs();
  }
  return loaded;
}

void ResetToDefaultModel(std::uint8_t modelCode) {
  int row = 0;
  for (std::size_t r = 0; r < kModelCodes.size(); ++r)
    if (kModelCodes[r] == modelCode) row = static_cast<int>(r);
  const ModelChoice model = ModelChoiceOfRow(row);
  ApplyModelChoice(model, model.family);
  ResetScreensToDefaults();
  ApplyModelDefaults(model.family);
}
