// Where the Key Assignment page of each family puts its keys.
#include "pages/radio/KeyAssignPage.h"

namespace {

constexpr Qt::Alignment kCentre = Qt::AlignCenter;
constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

// Mobile: six key columns, the Press row above the Press-and-hold row.
KeyPageLayout MobileLayout() {
  KeyPageLayout l{kMobile, 8, QRect(0, 15, 360, 115), {}, {}, {}, true, true};
  l.buttonIds = {1486, 14871, 14881, 1500, 14891, 14901, 14911, 1503, 14921, 14931, 14941, 14981};
  constexpr int kColumns[] = {76, 121, 165, 209, 254, 298};
  for (int k = 0; k < kAssignableKeys; ++k)
    l.buttons[static_cast<std::size_t>(k)] = QRect(kColumns[k % kPhysicalKeys], IsHoldKey(k) ? 185 : 159, 42, 23);
  l.labels = {{1618, "Press", QRect(7, 159, 64, 23), kLeft}, {1619, "Press and hold", QRect(7, 185, 64, 23), kLeft}};
  constexpr int kHeadX[] = {77, 121, 165, 209, 254, 298};
  for (int j = 0; j < kPhysicalKeys; ++j) {
    const auto name = CKeyAssignModel::KeyNames(kMobile)[static_cast<std::size_t>(j)];
    l.labels.push_back({1620 + j, name, QRect(kHeadX[j], 147, 41, 13), kCentre});
  }
  return l;
}

// Portable: six key rows, Press in the first column, Press and hold in the second.
KeyPageLayout PortableLayout() {
  KeyPageLayout l{kPortable, 9, QRect(156, 10, 206, 212), {}, {}, {}, false, false};
  l.buttonIds = {1486, 14871, 14881, 1500, 14891, 14901, 14911, 1503, 14921, 14931, 14941, 14951};
  constexpr int kRows[] = {52, 79, 106, 133, 160, 187};
  for (int k = 0; k < kAssignableKeys; ++k)
    l.buttons[static_cast<std::size_t>(k)] = QRect(IsHoldKey(k) ? 88 : 45, kRows[k % kPhysicalKeys], 42, 26);
  // The headings sit on the buttons; "Press and hold" takes two lines.
  constexpr Qt::Alignment kOnTop = Qt::AlignHCenter | Qt::AlignBottom;
  l.labels = {{0, "Press", QRect(45, 29, 42, 20), kOnTop}, {0, "Press and hold", QRect(88, 29, 45, 20), kOnTop}};
  for (int j = 0; j < kPhysicalKeys; ++j) {
    const auto name = CKeyAssignModel::KeyNames(kPortable)[static_cast<std::size_t>(j)];
    l.labels.push_back({0, name, QRect(2, kRows[j], 40, 26), j < 2 ? kLeft : kRight});
  }
  return l;
}

}  // namespace

const KeyPageLayout& KeyPageLayoutOf(Family family) {
  static const KeyPageLayout mobile = MobileLayout();
  static const KeyPageLayout portable = PortableLayout();
  return family == kPortable ? portable : mobile;
}
