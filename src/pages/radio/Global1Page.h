#pragma once
// The Global 1 page of both families: the MODEL choice and the radio-wide
// display, sound, power-saving, microphone-hook, scan, password, handheld
// and (mobile) option-board settings. Every setting is a row of one table;
// the two page classes differ only by the column of the table they use. The
// page's own code is the MODEL choice and its model change, the password,
// the LED times and the option board.
#include <QPointer>
#include <array>
#include <span>

#include "framework/ButtonsAndLists.h"
#include "framework/EditControls.h"
#include "framework/SettingsPage.h"
#include "model/FamilyModel.h"
#include "model/GlobalRecordFields.h"
#include "model/RadioImage.h"
#include "pages/PageBase.h"

// The boxes of the page, left column first; MODEL stands above them.
enum class Global1Box : std::uint8_t {
  kModel,
  kDisplay,
  kAudible,
  kPowerSaving,
  kMicHook,
  kScan,
  kPassword,
  kHandheld,
  kOptionBoard,
};

// What a row's control is; only kChoice rows are plain bound lists.
enum class Global1Kind : std::uint8_t { kChoice, kModel, kLedOnTime, kLedOffTime, kPassword, kOptionBoard };

// Enable groups: A is live on a radio with a mobile product code, B on the
// others; "LCD Angle" is never live.
enum Global1Group : int { kGroupNone = 0, kGroupA = 1, kGroupB = 2, kGroupNever = 3 };

using Global1Row = SettingsRow<GlobalField, Global1Box, Global1Kind>;

// Every row, in the order of the page within its box.
std::span<const Global1Row> Global1Rows();

// Control numbers the page's own code refers to.
namespace global1 {
inline constexpr std::array<int, 2> kModel = {1026, 16501};
inline constexpr std::array<int, 2> kPassword = {1002, 1677};
inline constexpr std::array<int, 2> kAudibleScanBeep = {1031, 1656};
inline constexpr std::array<int, 2> kScanScanBeep = {1064, 1674};
inline constexpr int kLedOnTime = 1626;
inline constexpr int kLedOffTime = 1627;
inline constexpr int kOptionBoard = 1593;
}  // namespace global1

class CGlobal1Page : public CSettingsPage {
public:
  // Index into the main window's model names: 0 UHF and 1 VHF mobile, 2 UHF
  // and 3 VHF portable, by the model code of the family's radio-wide record.
  int ModelIndex() const;

  // Refills and reselects every control from the family's record.
  void RefreshFromData() override;

  LParam OnUserMessage(unsigned msg, WParam wParam, LParam lParam) override;

protected:
  CGlobal1Page(Family family, int templateId);

  bool OnInitDialog() override;
  void OnDestroyWindow() override;
  void BuildCustomRow(const FamilyRow& row, CSettingsForm& form) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  CGlobalRecord& Record() const { return ModelOf(family_).global; }

  void OnModelActivated(int row);
  void OnModelChange(int row);
  void SelectModelRow(bool afterCancel);
  void OnPasswordCommitted();
  void ShowPassword();
  void CommitLedTime(int which);
  void CommitPendingEdits();
  void ShowLedTime(int which);
  void OnOptionBoardActivated(int row);
  void SelectOptionBoard();
  void UpdateEnableStates();

  int modelRow_ = 0;  // the MODEL row shown
  QPointer<CKeyCombo> model_;
  QPointer<CUpperEdit> password_;
  std::array<QPointer<CValueEdit>, 2> led_;
  std::array<bool, 2> ledPending_{};
  QPointer<QComboBox> optionBoard_;
};

class CMobileGlobal1Page : public CGlobal1Page {
public:
  CMobileGlobal1Page() : CGlobal1Page(kMobile, 139) {}
};

class CPortableGlobal1Page : public CGlobal1Page {
public:
  CPortableGlobal1Page() : CGlobal1Page(kPortable, 109) {}
};
