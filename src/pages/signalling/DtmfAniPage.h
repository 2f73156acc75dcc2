#pragma once
// The DTMF ANI page of both families: DTMF signalling, ten dial memories
// (tag and digits), ten individual paging codes with their decode switch,
// and the ANI settings. The plain lists are rows of one table; the page's
// own code is its digit and tag boxes, which store keystroke by keystroke,
// and the paging rows, whose code box follows its decode switch.
#include <QComboBox>
#include <QPointer>
#include <array>
#include <span>

#include "framework/EditControls.h"
#include "framework/SettingsPage.h"
#include "model/DtmfData.h"
#include "model/FamilyModel.h"
#include "model/GlobalRecordFields.h"
#include "pages/PageBase.h"

enum class DtmfAniBox : std::uint8_t { kGlobal, kDialMemory, kPagingParameters, kPagingCodes, kAni };

// kPauseCode: the pause character box; kDialHeads / kPagingHeads: the column
// heads; kDialMemory: a memory's tag and digit boxes; kPagingCode: a paging
// row's code box and decode list; kAniCode: one of the two ANI code boxes.
enum class DtmfAniKind : std::uint8_t {
  kChoice,
  kPauseCode,
  kDialHeads,
  kDialMemory,
  kPagingHeads,
  kPagingCode,
  kAniCode,
};

// A row's setting: a field of the DTMF record, or else of the radio-wide one.
struct DtmfAniField {
  DtmfField dtmf{};
  GlobalField global{};
};

using DtmfAniRow = SettingsRow<DtmfAniField, DtmfAniBox, DtmfAniKind>;

std::span<const DtmfAniRow> DtmfAniRows();

namespace dtmf_ani {
inline constexpr int kPauseCode = 1130;
inline constexpr int kKeyPad = 1133;
inline constexpr int kAniCode = 1185;
inline constexpr int kAniPttOffCode = 1186;
// The boxes of memories 0-9 (#1..#9, then #0).
inline constexpr std::array<int, kDialMemories> kTagIds = {11343, 11363, 11383, 11403, 11423,
                                                           11443, 11463, 11483, 11503, 11524};
inline constexpr std::array<int, kDialMemories> kDialIds = {11353, 11373, 11393, 11413, 11433,
                                                            11453, 11473, 11493, 11514, 11534};
// The code box and decode list of paging codes 0-9, per family.
struct PagingIds {
  int code;
  int decoding;
};
inline constexpr PagingIds kPagingIds[2][kDialMemories] = {
    {{1807, 1808}, {1809, 1810}, {1811, 1812}, {1814, 1813}, {1815, 1816},
     {1818, 1817}, {1820, 1819}, {1822, 1821}, {1824, 1823}, {1826, 1825}},
    {{11591, 1158}, {11612, 1160}, {11692, 1168}, {11713, 1170}, {11733, 1172},
     {11752, 1174}, {1177, 1176}, {11792, 1178}, {1181, 1180}, {1183, 1182}},
};
// Enable group of the DTMF KeyPad list.
inline constexpr int kKeyPadGroup = 1;

// Whether the family's radio has no DTMF key pad to switch on.
bool KeyPadGreyed(const CFamilyModel& model, Family family);
}  // namespace dtmf_ani

class CDtmfAniPage : public CSettingsPage {
public:
  void RefreshFromData() override;
  LParam OnUserMessage(unsigned msg, WParam wParam, LParam lParam) override;

protected:
  CDtmfAniPage(Family family, int templateId);

  bool OnInitDialog() override;
  void OnDestroyWindow() override;
  void BuildCustomRow(const FamilyRow& row, CSettingsForm& form) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  CDtmfData& Dtmf() const { return ModelOf(family_).dtmf; }
  // A digit box as the page sets it up; `extras`: '*' and '#' are typed too.
  CNameEdit* DigitBox(CSettingsForm& form, const FamilyRow& row, int length, bool extras);
  void ShowPagingCode(int i);

  QPointer<CNameEdit> pauseCode_;
  QPointer<CNameEdit> aniCode_;
  QPointer<CNameEdit> aniPttOffCode_;
  std::array<QPointer<CUpperEdit>, kDialMemories> tags_;
  std::array<QPointer<CNameEdit>, kDialMemories> dials_;
  std::array<QPointer<CNameEdit>, kDialMemories> pagingCodes_;
};

class CMobileDtmfAniPage : public CDtmfAniPage {
public:
  CMobileDtmfAniPage() : CDtmfAniPage(kMobile, 162) {}
};

class CPortableDtmfAniPage : public CDtmfAniPage {
public:
  CPortableDtmfAniPage() : CDtmfAniPage(kPortable, 122) {}
};
