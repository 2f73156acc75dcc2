#pragma once
// The Mobile Special page: the mobile radio's accessory side. Microphone
// sensitivity, horn alert, ignition sense, external PTT and the AF Min VR
// level; the function of each line of the 15-pin accessory connector as an
// input or an output; and the zone and sixteen groups the connector selects.
// The plain lists are rows of one table; the page's own code is the level
// edit and the lists whose values one picker at a time may hold.
#include <QPointer>
#include <array>
#include <span>
#include <vector>

#include "framework/EditControls.h"
#include "framework/SettingsPage.h"
#include "model/FamilyModel.h"
#include "model/GlobalRecordFields.h"
#include "pages/PageBase.h"
#include "pages/radio/ZoneGroupPickers.h"

enum class MobileSpecialBox : std::uint8_t { kMisc, kPort, kGroupSwitch };
enum class MobileSpecialKind : std::uint8_t { kChoice, kAfMinVr, kPortHeads, kAccPort, kDsubZone, kDsubGroup };

using MobileSpecialRow = SettingsRow<GlobalField, MobileSpecialBox, MobileSpecialKind>;

std::span<const MobileSpecialRow> MobileSpecialRows();

namespace mobile_special {
inline constexpr int kAfMinVr = 2325;
inline constexpr int kZone = 2350;
inline constexpr int kFirstGroup = 2351;  // "# 0"; "# n" is kFirstGroup + n
inline constexpr int kGroupPositions = 16;
// A line of the connector: its input and output pickers (0 = none) and
// which port of each side it is.
struct AccLine {
  int input;
  int output;
  int inputPort;
  int outputPort;
};
inline constexpr AccLine kLines[] = {
    {2331, 2341, 0, 0}, {2332, 2342, 1, 1}, {2333, 2343, 2, 2},
    {2334, 2344, 3, 3}, {0, 2345, -1, 4},   {2335, 0, 4, -1},
};
}  // namespace mobile_special

class CMobileSpecialPage : public CSettingsPage {
public:
  CMobileSpecialPage();

  void RefreshFromData() override;
  LParam OnUserMessage(unsigned msg, WParam wParam, LParam lParam) override;

protected:
  bool OnInitDialog() override;
  void OnDestroyWindow() override;
  void BuildCustomRow(const FamilyRow& row, CSettingsForm& form) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  // A list whose rows stand for the values in `values`.
  struct ValueList {
    QPointer<QComboBox> combo;
    std::vector<std::uint8_t> values;
  };
  CGlobalRecord& Record() const { return g_mobileModel.global; }
  void RefreshAcc(bool input);
  void RefreshGroupSwitchTable();
  void OnAccPicked(bool input, int port, int row);
  void OnGroupPicked(int position, int row);
  void ShowAfMinVr();
  void CommitAfMinVr();

  QPointer<CValueEdit> afMinVr_;
  bool afMinVrTyped_ = false;
  std::array<ValueList, kAccPorts> inputs_{};
  std::array<ValueList, kAccPorts> outputs_{};
  std::unique_ptr<CComboChoiceList> zone_;
  std::array<ValueList, mobile_special::kGroupPositions> groups_{};
};
