#pragma once
// The RF channel list and repeater pages of both families.
#include <QLabel>
#include <QPointer>
#include <array>
#include <cstdint>

#include "framework/ButtonsAndLists.h"
#include "framework/EditControls.h"
#include "framework/GridBinder.h"
#include "framework/GridPage.h"
#include "model/RadioData.h"
#include "model/RadioImage.h"
#include "pages/PageBase.h"

// A grid page that shows one zone's data, the zone set before its window is
// made. A zone handed over is bounded to the 32 zones.
class CZonePageBase : public CGridPage {
public:
  explicit CZonePageBase(int templateId, QSize templateSize = kEmptyPageSize, int fontPoints = 8)
      : CGridPage(templateId, templateSize, fontPoints) {}
  void SetZone(std::uint8_t zone) { m_zone = zone < kZoneCount ? zone : static_cast<std::uint8_t>(kZoneCount - 1); }
  std::uint8_t Zone() const { return m_zone; }

protected:
  std::uint8_t m_zone = 0;
};

// Control numbers of the repeater table the page's own code refers to.
namespace repeater_page {
inline constexpr int kColumns = 16;  // two blocks of 8
inline constexpr int kLastFirstRepeater = kRepeatersPerZone - kColumns;
inline constexpr int kPrev = 1079;
inline constexpr int kNext = 1080;
inline constexpr int kClose = 1211;
inline constexpr int kZoneNumber = 1212;
inline constexpr int kAlias = 1418;
inline constexpr int kChannelList = 1412;
inline constexpr int kDispatchList = 1413;
inline constexpr int kInterconnectList = 1414;
inline constexpr int kRxPhaseList = 1416;
inline constexpr int kTxPhaseList = 1417;
inline constexpr std::array<int, kColumns> kHeads = {1144, 1145, 1156, 1167, 1178, 1189, 1200, 1201,
                                                     1146, 1163, 1164, 1165, 1166, 1168, 1173, 1174};
inline constexpr std::array<int, kColumns> kChannels = {1139,  11513, 11523, 11533, 11543, 11553, 11573, 11623,
                                                        11753, 11763, 11773, 11793, 11843, 11853, 11863, 11873};
inline constexpr std::array<int, kColumns> kTxFreqs = {1135, 1147, 1158, 1169, 1180, 1191, 1202, 1206,
                                                       1188, 1190, 1195, 1196, 1197, 1198, 1208, 1209};
inline constexpr std::array<int, kColumns> kRxFreqs = {1136, 1148, 1159, 1170, 1181, 1192, 1203, 1207,
                                                       1199, 1210, 1213, 1214, 1215, 1216, 1217, 1218};
inline constexpr std::array<int, kColumns> kSpaces = {1137, 1149, 1160, 1171, 1182, 1193, 1204, 1143,
                                                      1219, 1220, 1221, 1222, 1223, 1224, 1225, 1226};
inline constexpr std::array<int, kColumns> kRxPhases = {1335,  13583, 13593, 13603, 13613, 13623, 13633, 13643,
                                                        13963, 13973, 13983, 1399,  14003, 14013, 14023, 14033};
inline constexpr std::array<int, kColumns> kTxPhases = {1336,  13653, 13663, 13673, 13683, 13693, 13703, 13713,
                                                        14043, 14053, 14063, 14073, 14083, 14093, 14103, 14113};
inline constexpr std::array<int, kColumns> kDispatches = {1332,  13373, 13383, 13393, 13403, 13413, 13423, 13433,
                                                          13723, 13733, 13743, 13753, 13763, 13773, 13783, 13793};
inline constexpr std::array<int, kColumns> kInterconnects = {1333,  13443, 13453, 13463, 13473, 13483, 13493, 13503,
                                                             13803, 13813, 13823, 13833, 13843, 13853, 13863, 13873};
}  // namespace repeater_page

// The 20 repeaters of one zone as 16 columns in two blocks of 8, scrolled one
// repeater at a time: each names an RF channel (shown with its frequencies
// and spacing) and carries its data phases, Dispatch and Interconnect. One
// implementation for both families. The first repeater shown survives
// closing the page and opening it for another zone.
class CRepeaterPageBase : public CZonePageBase {
public:
  Family PageFamily() const { return family_; }
  int FirstRepeater() const { return m_firstRepeater; }
  // Rewrites every column, the zone number and the alias from the records.
  void FillRepeaterTable() { RefreshGrid(); }
  void OnPrevRepeaters();
  void OnNextRepeaters();
  void OnClosePage();

  LParam OnUserMessage(unsigned msg, WParam wParam, LParam lParam) override;

protected:
  CRepeaterPageBase(Family family, int templateId);

  void BuildGrid() override;
  int FirstShownItem() const override { return m_firstRepeater; }
  void OnDestroyWindow() override;

private:
  std::uint16_t& Word(int repeater) const;
  void StoreChannel(int repeater, std::uint32_t channel);
  void ShowColumns();

  Family family_;
  int m_firstRepeater = 0;
  QPointer<QLabel> zoneNumber_;
  QPointer<QLabel> alias_;
  std::array<QPointer<QLabel>, repeater_page::kColumns> heads_;
  std::array<QPointer<QLabel>, repeater_page::kColumns> txFreqs_;
  std::array<QPointer<QLabel>, repeater_page::kColumns> rxFreqs_;
  std::array<QPointer<QLabel>, repeater_page::kColumns> spaces_;
};

class CMobileRepeaterPage : public CRepeaterPageBase {
public:
  CMobileRepeaterPage() : CRepeaterPageBase(kMobile, 174) {}
};
class CPortableRepeaterPage : public CRepeaterPageBase {
public:
  CPortableRepeaterPage() : CRepeaterPageBase(kPortable, 121) {}
};

// Control numbers of the RF channel list the page's own code refers to.
namespace rf_list {
inline constexpr int kColumns = 14;
inline constexpr int kStep = 7;  // channels per paging step
inline constexpr int kLastFirstChannel = kChannelCount - kColumns;
inline constexpr int kDefaultSplit = 1497;
inline constexpr int kPrev = 1283;
inline constexpr int kNext = 1284;
inline constexpr int kSpaceList = 1423;
inline constexpr int kEnableList = 1355;
inline constexpr int kRxShiftList = 1356;
inline constexpr int kTxShiftList = 1357;
inline constexpr std::array<int, kColumns> kHeads = {1285, 1286, 1287, 1288, 1289, 1290, 1291,
                                                     1292, 1321, 1322, 1323, 1324, 1325, 1326};
inline constexpr std::array<int, kColumns> kEnables = {1296, 1300, 1304, 1308, 1312, 1316, 1320,
                                                       1330, 1334, 1338, 1342, 1346, 1350, 1354};
inline constexpr std::array<int, kColumns> kRxEdits = {1294,  12981, 13021, 13061, 13101, 13142, 13181,
                                                       13281, 13321, 13361, 13401, 13441, 13481, 13521};
inline constexpr std::array<int, kColumns> kTxEdits = {1293,  12971, 13011, 13051, 13091, 13132, 13171,
                                                       13271, 13311, 13351, 13391, 13431, 13471, 13511};
inline constexpr std::array<int, kColumns> kSpaces = {1295,  12991, 13031, 13071, 13112, 13152, 13191,
                                                      13291, 13331, 13371, 13411, 13451, 13491, 13531};
inline constexpr std::array<int, kColumns> kRxShifts = {1297, 1298, 1299, 1301, 1302, 1303, 1305,
                                                        1306, 1307, 1309, 1310, 1311, 1313, 1314};
inline constexpr std::array<int, kColumns> kTxShifts = {1315, 1317, 1318, 1319, 1327, 1328, 1329,
                                                        1331, 1332, 1333, 1335, 1336, 1337, 1339};
// The first channel after a paging step.
int PrevFirstChannel(int first);
int NextFirstChannel(int first);
}  // namespace rf_list

// The "RF Ch. List" tab: 14 channels as columns in two blocks of 7, paged 7
// at a time, with the page-wide Default Split above. One implementation for
// both families; the portable page has no shift rows.
class CRfChannelListPageBase : public CGridPage {
public:
  Family PageFamily() const { return family_; }
  int FirstChannel() const { return m_firstChannel; }
  // Commits what is being typed, then rewrites every column from the records.
  void RefreshChannelGrid() { RefreshGrid(); }
  void OnPrevChannels();
  void OnNextChannels();

  LParam OnUserMessage(unsigned msg, WParam wParam, LParam lParam) override;

protected:
  explicit CRfChannelListPageBase(Family family);

  void BuildGrid() override;
  int FirstShownItem() const override { return m_firstChannel; }
  // The Default Split as well, when it is being typed in.
  void CommitTyping() override;
  void OnDestroyWindow() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void AddLines(const std::array<std::array<CLinkStatic*, rf_list::kColumns>, 4>& cells);
  CellLook LookOf(int line, int item) const;
  bool IsProgrammed(int channel) const;
  void OnEnableChosen(int channel, bool enable);
  bool CommitRx(int channel, const QString& text);
  bool CommitTx(int channel, const QString& text);
  void ChannelDeleted(int channel);
  void OnSplitTyped();
  void CommitSplit();
  void ShowHeads();
  void Page(int first);

  Family family_;
  int m_firstChannel = 0;
  int blankRxChannel_ = -1;  // taken into use, waiting for its receive frequency
  QPointer<CValueEdit> split_;
  std::array<QPointer<QLabel>, rf_list::kColumns> heads_;
  std::array<CValueEdit*, rf_list::kColumns> rxEdits_{};
  std::array<CValueEdit*, rf_list::kColumns> txEdits_{};
};

class CMobileRfChannelListPage : public CRfChannelListPageBase {
public:
  CMobileRfChannelListPage() : CRfChannelListPageBase(kMobile) {}
};
class CPortableRfChannelListPage : public CRfChannelListPageBase {
public:
  CPortableRfChannelListPage() : CRfChannelListPageBase(kPortable) {}
};
