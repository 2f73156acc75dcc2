#pragma once
// The zone (system) table pages of both families: a "Default" column and
// five zone columns over the 32 zones of the family's model. One
// implementation; the families differ by their lines (SystemLines.h) and
// template.
#include <QPointer>
#include <array>
#include <vector>

#include "framework/ButtonsAndLists.h"
#include "framework/EditControls.h"
#include "framework/GridBinder.h"
#include "model/RadioImage.h"
#include "pages/PageBase.h"
#include "pages/zone/SystemLines.h"

class QLabel;

// Control numbers the page's own code refers to.
namespace system_page {
inline constexpr int kPrevZone = 1079;
inline constexpr int kNextZone = 1080;
inline constexpr int kInterconnect = 1119;
inline constexpr int kLtrAdvanced = 1184;
inline constexpr std::array<int, 5> kHeaders = {1081, 1082, 1083, 1084, 1085};
inline constexpr std::array<int, 5> kCounts = {1312, 13131, 13141, 13151, 13161};
inline constexpr std::array<int, 5> kAliases = {10672, 10682, 10691, 11201, 10861};
inline constexpr std::array<int, 5> kRepeaters = {1185, 1187, 1188, 1189, 1190};
inline constexpr std::array<int, 5> kGroups = {1186, 1192, 1193, 1194, 1195};
inline constexpr std::array<int, 5> kSysCopy = {1473, 1474, 1475, 1476, 1477};  // never shown
}  // namespace system_page

class CSystemPageBase : public CFirstSystemPageBase {
public:
  Family PageFamily() const { return family_; }
  // The Default column's record; it lives as long as the page object.
  ZoneDefaults& Defaults() { return defaults_; }
  // The Sys Copy button of a column (0..4): asks for the destination zone in
  // the System Data Copy dialog, then copies the column's zone onto it.
  void OnSysCopy(int column);
  // Copies setting bytes 0-12 of zone `source` to zone `destination`
  // (kNoZone: nothing) and marks the data changed.
  void CopySystem(int destination, int source);

  LParam OnUserMessage(unsigned msg, WParam wParam, LParam lParam) override;

protected:
  CSystemPageBase(Family family, int templateId);

  void BuildGrid() override;
  void OnDestroyWindow() override;

private:
  CellLook LookOf(int line, int item) const;
  void UpdateButtons();
  void OnEnableChosen(int zone, std::uint32_t value);
  bool CommitCount(int zone, const QString& text);
  void CheckGroupTotal(int column);
  void StoreAlias(int zone, const QString& text);
  void ReportZoneOff(int zone, bool emergency, bool home);
  void Navigate(unsigned msg, WParam wParam, LParam lParam);
  void OnButton(int id);

  Family family_;
  ZoneDefaults defaults_;
  std::vector<SystemLine> lines_;
  std::vector<int> lineRows_;  // the binder's line number -> index into lines_ (-1: edit lines)
  int countLine_ = -1;
  int aliasLine_ = -1;
  std::array<QPointer<CValueEdit>, 5> counts_;
  std::array<QPointer<CUpperEdit>, 5> aliases_;
  std::array<QPointer<QLabel>, 5> headers_;
  std::array<QPointer<CFlatButton>, 5> repeaters_;
  std::array<QPointer<CFlatButton>, 5> groups_;
  std::array<QPointer<CFlatButton>, 5> sysCopy_;
};

class CMobileSystemPage : public CSystemPageBase {
public:
  CMobileSystemPage() : CSystemPageBase(kMobile, 163) {}
};
class CPortableSystemPage : public CSystemPageBase {
public:
  CPortableSystemPage() : CSystemPageBase(kPortable, 115) {}
};
