#pragma once
// The Global 2 page of both families: emergency, power-on, transmission
// guard, QALS and advanced settings, the emergency code and the special
// zone/group pairs (emergency, Home, Short cut #1-#4, Data). The plain lists
// are rows of one table; the page's own code is the code edit, the
// zone/group pairs and which rows are live.
#include <QPointer>
#include <array>
#include <memory>
#include <span>
#include <vector>

#include "framework/EditControls.h"
#include "framework/SettingsPage.h"
#include "model/FamilyModel.h"
#include "model/GlobalRecordFields.h"
#include "pages/PageBase.h"
#include "pages/radio/ZoneGroupPickers.h"

enum class Global2Box : std::uint8_t { kEmergency, kPowerOn, kTxGuard, kQals, kAdvanced, kSpecial };

// kPair: a zone picker and its group picker; kCode: the emergency code edit;
// kPairHeads: the "Zone" and "Group" column heads.
enum class Global2Kind : std::uint8_t { kChoice, kPair, kCode, kPairHeads };

// Enable groups: Data Mode follows the radio kind, Clone the password.
enum Global2Group : int { kGlobal2None = 0, kGlobal2Data = 1, kGlobal2Clone = 2 };

using Global2Row = SettingsRow<GlobalField, Global2Box, Global2Kind>;

std::span<const Global2Row> Global2Rows();

namespace global2 {
inline constexpr int kCode = 1423;
// A pair row: its zone picker, its group picker and the record's zone byte
// (the group byte is the one before it).
struct PairIds {
  int zone;
  int group;
  int zoneByte;
};
inline constexpr PairIds kPairs[] = {
    {10591, 10601, 235},  // Emergency
    {1050, 10552, 141},   // Home
    {10511, 10572, 215},  // Short cut #1
    {10532, 10582, 217},  // Short cut #2
    {10612, 10631, 219},  // Short cut #3
    {10641, 10652, 221},  // Short cut #4
    {10671, 1223, 211},   // Data
};
inline constexpr int kDataZoneByte = 211;
}  // namespace global2

class CGlobal2Page : public CSettingsPage {
public:
  void RefreshFromData() override;
  LParam OnUserMessage(unsigned msg, WParam wParam, LParam lParam) override;

protected:
  CGlobal2Page(Family family, int templateId);

  bool OnInitDialog() override;
  void OnDestroyWindow() override;
  void BuildCustomRow(const FamilyRow& row, CSettingsForm& form) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  struct Pair {
    global2::PairIds ids;
    std::unique_ptr<CZoneGroupPickers> pickers;
  };
  CGlobalRecord& Record() const { return ModelOf(family_).global; }
  const CRadioDataCore& RadioData() const { return ModelOf(family_).radioData; }
  void BuildPair(const FamilyRow& row, CSettingsForm& form);
  void UpdateEnableStates();

  QPointer<CNameEdit> code_;
  std::vector<Pair> pairs_;
  // The portable Data zone as its picker shows it: bits 0-4 of the byte.
  std::uint8_t portableDataZone_ = kNoZone;
};

class CMobileGlobal2Page : public CGlobal2Page {
public:
  CMobileGlobal2Page() : CGlobal2Page(kMobile, 140) {}
};

class CPortableGlobal2Page : public CGlobal2Page {
public:
  CPortableGlobal2Page() : CGlobal2Page(kPortable, 110) {}
};
