#include "model/FamilyModel.h"

template <class Records>
CFamilyModelOf<Records>::CFamilyModelOf()
    : CFamilyModel(this->records) {
  LinkRecords();
}

template <class Records>
void CFamilyModelOf<Records>::LinkRecords() {
  // The radio data reads its band and split from this model's own records.
  Records& r = this->records;
  r.data.m_radioWide.familyCode = [&global = r.global] { return static_cast<std::uint8_t>(global.modelCode); };
  r.data.m_radioWide.defaultSplitMHz = [&opening = r.openingMsg] { return opening.m_defaultSplit; };
}

template <class Records>
void CFamilyModelOf<Records>::ClearUnpackedRecords() {
  Records& r = this->records;
  const CDefaultGroupRecord defaultGroup = r.data.m_defaultGroup;
  const auto tuning = r.data.m_tuning;
  const auto adjust = r.data.m_adjust;
  const auto radioInfo = r.radioInfo;
  const double defaultSplit = r.openingMsg.m_defaultSplit;
  // Built anew in place, every reference into the records stays good.
  BuildAnew(r);
  LinkRecords();
  r.data.m_defaultGroup = defaultGroup;
  r.data.m_tuning = tuning;
  r.data.m_adjust = adjust;
  r.radioInfo = radioInfo;
  r.openingMsg.m_defaultSplit = defaultSplit;
}

template class CFamilyModelOf<MobileRecords>;
template class CFamilyModelOf<PortableRecords>;

// Both models, and every name the pages use for their records, live in this
// one translation unit, so the records are built in this order and before
// anything here refers to them. The names are references: they are bound
// before any code runs, whatever the order of the other translation units.
CMobileModel g_mobileModel;
CPortableModel g_portableModel;

CMobileBandRecord& g_mobileBand = g_mobileModel.records.band;
CPortableBandRecord& g_portableBand = g_portableModel.records.band;
CMobileGlobalRecord& g_mobileGlobalRecord = g_mobileModel.records.global;
CPortableGlobalRecord& g_portableGlobalRecord = g_portableModel.records.global;
CMobileSmallRecord& g_mobileSmall = g_mobileModel.records.small;
CPortableSmallRecord& g_portableSmall = g_portableModel.records.small;
CMobileFlag207Record& g_mobileFlag207 = g_mobileModel.records.flag207;
CPortableFlag207Record& g_portableFlag207 = g_portableModel.records.flag207;
CMobileOpeningMsgRecord& g_mobileOpeningMsg = g_mobileModel.records.openingMsg;
CPortableOpeningMsgRecord& g_portableOpeningMsg = g_portableModel.records.openingMsg;
CMobileDtmfData& g_mobileDtmfData = g_mobileModel.records.dtmf;
CPortableDtmfData& g_portableDtmfData = g_portableModel.records.dtmf;
CMobileKeyAssignRecord& g_mobileKeyAssign = g_mobileModel.records.keys;
CPortableKeyAssignRecord& g_portableKeyAssign = g_portableModel.records.keys;
KeyCodeArray& g_mobileKeyFunc = g_mobileModel.records.keys.keyFunc;
KeyCodeArray& g_portableKeyFunc = g_portableModel.records.keys.keyFunc;
KeyInUseArray& g_mobileKeyFuncInUse = g_mobileModel.records.keys.inUse;
KeyInUseArray& g_portableKeyFuncInUse = g_portableModel.records.keys.inUse;
CMobileRadioInfoRecord& g_mobileRadioInfo = g_mobileModel.records.radioInfo;
CPortableRadioInfoRecord& g_portableRadioInfo = g_portableModel.records.radioInfo;
CMobileFiveToneCommonRecord& g_mobileFiveToneCommon = g_mobileModel.records.fiveToneCommon;
CPortableFiveToneCommonRecord& g_portableFiveToneCommon = g_portableModel.records.fiveToneCommon;
CMobileFiveToneEncodeTable& g_mobileFiveToneEncode = g_mobileModel.records.fiveToneEncode;
CMobileFiveToneDecodeTable& g_mobileFiveToneDecode = g_mobileModel.records.fiveToneDecode;
CPortableFiveToneEncodeTable& g_portableFiveToneEncode = g_portableModel.records.fiveToneEncode;
CPortableFiveToneDecodeTable& g_portableFiveToneDecode = g_portableModel.records.fiveToneDecode;
CFiveToneCodeRecord& g_mobileFiveToneCodes = g_mobileModel.records.fiveToneCodes;
CFiveToneToneRecord& g_portableFiveToneTones = g_portableModel.records.fiveToneTones;

CMobileRadioData& g_mobileData = g_mobileModel.records.data;
CPortableRadioData& g_portableData = g_portableModel.records.data;
CDefaultGroupRecord& g_mobileDefaultGroup = g_mobileModel.records.data.m_defaultGroup;
CDefaultGroupRecord& g_portableDefaultGroup = g_portableModel.records.data.m_defaultGroup;
GroupTable& g_mobileGroupTable = g_mobileModel.records.data.m_groups;
GroupTable& g_portableGroupTable = g_portableModel.records.data.m_groups;
ZoneByteArray& g_mobileSystemGroupCount = g_mobileModel.records.data.m_groupCounts;
ZoneByteArray& g_portableSystemGroupCount = g_portableModel.records.data.m_groupCounts;
ZoneByteArray& g_mobileSystemFlags = g_mobileModel.records.data.m_zoneFlags;
ZoneByteArray& g_portableSystemFlags = g_portableModel.records.data.m_zoneFlags;
ZoneTextArray& g_mobileSystemAlias = g_mobileModel.records.data.m_zoneNames;
ZoneTextArray& g_portableSystemAlias = g_portableModel.records.data.m_zoneNames;
ZoneByteArray& g_mobileZoneSelectedGroup = g_mobileModel.records.data.m_selectedGroup;
ZoneByteArray& g_mobileSystemSelectedGroup = g_mobileModel.records.data.m_selectedGroup;
ZoneByteArray& g_portableZoneSelectedGroup = g_portableModel.records.data.m_selectedGroup;
ZoneByteRows& g_mobileSystemArrays = g_mobileModel.records.data.m_zoneBytes;
ZoneByteRows& g_portableSystemArrays = g_portableModel.records.data.m_zoneBytes;
RepeaterTable& g_mobileRepeaterTable = g_mobileModel.records.data.m_repeaters;
RepeaterTable& g_portableRepeaterTable = g_portableModel.records.data.m_repeaters;
int& g_mobileFreeGroups = g_mobileModel.records.data.m_freeGroups;
int& g_portableFreeGroups = g_portableModel.records.data.m_freeGroups;
int& g_mobileMaxGroups = g_mobileModel.records.data.m_maxGroups;
int& g_portableMaxGroups = g_portableModel.records.data.m_maxGroups;
std::uint32_t& g_mobileProductWord = g_mobileModel.records.data.m_productWord;
std::uint32_t& g_portableProductWord = g_portableModel.records.data.m_productWord;

CFamilyModel& ModelOf(Family family) {
  return family == kPortable ? static_cast<CFamilyModel&>(g_portableModel) : g_mobileModel;
}

CFamilyModel& CurrentModel() { return ModelOf(g_isPortable ? kPortable : kMobile); }

void RebuildFamilyModels() {
  BuildAnew(g_mobileModel);
  BuildAnew(g_portableModel);
}
