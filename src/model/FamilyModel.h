#pragma once
// The radio data model of one family: every record of the family in one
// aggregate, built and wired together by its constructor, so no record ever
// answers for another family's data or waits to be linked. Rules that cross
// records (pack checks, group conversions, the home view, the pre-write
// validation) take the model as a parameter instead of reaching for globals.
#include <cstddef>
#include <cstdint>

#include "model/BandRecord.h"
#include "model/DtmfData.h"
#include "model/FiveTone.h"
#include "model/FreshStart.h"
#include "model/GlobalRecord.h"
#include "model/KeyAssignRecord.h"
#include "model/RadioData.h"
#include "model/RadioDataView.h"
#include "model/RadioImage.h"
#include "model/RadioInfoRecord.h"
#include "model/SmallRecords.h"

class CFamilyModel {
public:
  virtual ~CFamilyModel() = default;
  CFamilyModel(const CFamilyModel&) = delete;
  CFamilyModel& operator=(const CFamilyModel&) = delete;

  const Family family;
  CBandRecord& band;
  CGlobalRecord& global;
  CSmallRecord& small;
  CFlag207Record& flag207;
  COpeningMsgRecord& openingMsg;
  CDtmfData& dtmf;
  CKeyAssignRecord& keys;
  CRadioInfoRecord& radioInfo;
  CFiveToneCommonRecord& fiveToneCommon;
  CFiveToneCodeTable& fiveToneEncode;
  CFiveToneCodeTable& fiveToneDecode;
  CRadioDataCore& radioData;

  // What the radio-wide records read of the radio data: the family's radio
  // data object, unless a test has installed a hand-made radio. nullptr
  // gives the radio data object back.
  const IRadioDataView& RadioDataView() const { return installedView_ != nullptr ? *installedView_ : ownView_; }
  void SetRadioDataView(const IRadioDataView* view) { installedView_ = view; }

protected:
  // Refers to the records of a family's record set (below).
  template <class Records>
  explicit CFamilyModel(Records& r)
      : family(Records::kFamily),
        band(r.band),
        global(r.global),
        small(r.small),
        flag207(r.flag207),
        openingMsg(r.openingMsg),
        dtmf(r.dtmf),
        keys(r.keys),
        radioInfo(r.radioInfo),
        fiveToneCommon(r.fiveToneCommon),
        fiveToneEncode(r.fiveToneEncode),
        fiveToneDecode(r.fiveToneDecode),
        radioData(r.data),
        ownView_(r.view) {}

private:
  const IRadioDataView& ownView_;
  const IRadioDataView* installedView_ = nullptr;
};

// A family's radio data object seen through IRadioDataView.
template <class Data>
class CRadioDataAdapter : public IRadioDataView {
public:
  explicit CRadioDataAdapter(const Data& data) : data_(&data) {}
  int GroupCount(int zone) const override { return data_->GetSystemGroupCount(zone); }
  bool IsZoneEnabled(int zone) const override { return data_->IsZoneEnabled(zone); }
  bool IsGroupEnabled(int g) const override {
    return g >= 0 && g < kGroupCount && data_->m_groups[static_cast<std::size_t>(g)].IsEnabled();
  }
  bool IsChannelProgrammed(int i) const override {
    if (i < 0 || i >= kChannelCount) return false;
    // An unprogrammed slot keeps 0xFF2E in its first synthesizer word.
    return (ChannelMarker(data_->m_channels[static_cast<std::size_t>(i)]) >> 8) != 0xFF;
  }
  std::uint8_t ProductCode() const override { return static_cast<std::uint8_t>(data_->m_productWord >> 8); }

private:
  static std::uint16_t ChannelMarker(const CMobileChannelRecord& c) { return c.m_rxSynthWord; }
  static std::uint16_t ChannelMarker(const CPortableChannelRecord& c) { return c.m_firstWord; }
  const Data* data_;
};

// The records each family owns, in construction order: the radio data
// object needs the band record built before it. A copy keeps the links of
// the records it was copied from (band, radio-wide links, view), so it is
// only good for putting back into them.
struct MobileRecords {
  static constexpr Family kFamily = kMobile;
  CMobileBandRecord band;
  CMobileGlobalRecord global;
  CMobileSmallRecord small;
  CMobileFlag207Record flag207;
  CMobileOpeningMsgRecord openingMsg;
  CMobileDtmfData dtmf;
  CMobileKeyAssignRecord keys;
  CMobileRadioInfoRecord radioInfo;
  CMobileFiveToneCommonRecord fiveToneCommon;
  CMobileFiveToneEncodeTable fiveToneEncode;
  CMobileFiveToneDecodeTable fiveToneDecode;
  CFiveToneCodeRecord fiveToneCodes;
  CMobileRadioData data{band};
  CRadioDataAdapter<CMobileRadioData> view{data};
};

struct PortableRecords {
  static constexpr Family kFamily = kPortable;
  CPortableBandRecord band;
  CPortableGlobalRecord global;
  CPortableSmallRecord small;
  CPortableFlag207Record flag207;
  CPortableOpeningMsgRecord openingMsg;
  CPortableDtmfData dtmf;
  CPortableKeyAssignRecord keys;
  CPortableRadioInfoRecord radioInfo;
  CPortableFiveToneCommonRecord fiveToneCommon;
  CPortableFiveToneEncodeTable fiveToneEncode;
  CPortableFiveToneDecodeTable fiveToneDecode;
  CFiveToneToneRecord fiveToneTones;
  CPortableRadioData data{band};
  CRadioDataAdapter<CPortableRadioData> view{data};
};

// Holds the records so that they are built before the model refers to them.
template <class Records>
struct RecordHolder {
  Records records;
};

template <class Records>
class CFamilyModelOf final : public RecordHolder<Records>, public CFamilyModel {
public:
  CFamilyModelOf();

  // Puts every record an image unpack fills back as construction left it,
  // so nothing of the data unpacked before survives that the next image
  // doesn't carry (an empty channel slot, for one, sets no spacing). Kept:
  // the group pages' Default column and the channel pages' Default Split,
  // which belong to no file, and what the adjustment unpack fills (tuning
  // bytes, adjustment header, radio information).
  void ClearUnpackedRecords();

private:
  void LinkRecords();
};

using CMobileModel = CFamilyModelOf<MobileRecords>;
using CPortableModel = CFamilyModelOf<PortableRecords>;

extern CMobileModel g_mobileModel;
extern CPortableModel g_portableModel;

CFamilyModel& ModelOf(Family family);
// The model of the family g_isPortable names.
CFamilyModel& CurrentModel();

// Builds both models anew in place: every record as static construction left
// it, no hand-made radio installed. References into the records stay valid.
void RebuildFamilyModels();
