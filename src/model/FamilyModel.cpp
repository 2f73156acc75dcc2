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

// Both models, and the names of their radio data, live in this one
// translation unit, so the records are built in this order and before
// anything here refers to them. The names are references: they are bound
// before any code runs, whatever the order of the other translation units.
CMobileModel g_mobileModel;
CPortableModel g_portableModel;

CMobileRadioData& g_mobileData = g_mobileModel.records.data;
CPortableRadioData& g_portableData = g_portableModel.records.data;

CFamilyModel& ModelOf(Family family) {
  return family == kPortable ? static_cast<CFamilyModel&>(g_portableModel) : g_mobileModel;
}

CFamilyModel& CurrentModel() { return ModelOf(g_isPortable ? kPortable : kMobile); }

void RebuildFamilyModels() {
  BuildAnew(g_mobileModel);
  BuildAnew(g_portableModel);
}

namespace {
const FreshStartReset kFreshStart(&RebuildFamilyModels);
}  // namespace
