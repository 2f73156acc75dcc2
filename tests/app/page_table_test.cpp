#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/PageTable.h"

namespace {
std::vector<std::string> Captions(Family f) {
  std::vector<std::string> out;
  for (const TabEntry& e : TabRow(f)) out.push_back(e.caption);
  return out;
}
}  // namespace

TEST(PageTable, TabRowsOfBothFamilies) {
  EXPECT_EQ(Captions(kMobile), (std::vector<std::string>{"Global 1", "Global 2", "Mobile Special", "Key Assignment",
                                                          "RF Ch. List", "Zone", "DTMF ANI", "5-Tone"}));
  EXPECT_EQ(Captions(kPortable), (std::vector<std::string>{"Global 1", "Global 2", "Key Assignment", "RF Ch. List",
                                                            "Zone", "DTMF ANI", "5-Tone"}));
}

TEST(PageTable, EachTabShowsTheFamilysPage) {
  struct Row {
    Family family;
    int position;
    int templateNumber;
  };
  const Row rows[] = {
      {kMobile, 0, 139},   {kMobile, 1, 140},   {kMobile, 2, 232},   {kMobile, 3, 142},   {kMobile, 4, 173},
      {kMobile, 5, 163},   {kMobile, 6, 162},   {kMobile, 7, 223},   {kPortable, 0, 109}, {kPortable, 1, 110},
      {kPortable, 2, 215}, {kPortable, 3, 173}, {kPortable, 4, 115}, {kPortable, 5, 122}, {kPortable, 6, 223},
  };
  for (const Row& r : rows) {
    int zoneSubPage = 0;
    const auto slot = PageForTab(r.family, r.position, zoneSubPage);
    ASSERT_TRUE(slot) << r.family << "/" << r.position;
    EXPECT_EQ(PageTemplate(*slot), r.templateNumber) << r.family << "/" << r.position;
    EXPECT_EQ(PageFamily(*slot), r.family);
  }
  int zoneSubPage = 163;
  EXPECT_FALSE(PageForTab(kPortable, 7, zoneSubPage));
  EXPECT_FALSE(PageForTab(kMobile, -1, zoneSubPage));
}

TEST(PageTable, ZoneTabShowsTheRememberedSubPageOrTheZoneTable) {
  struct Row {
    Family family;
    int remembered;
    int shown;
  };
  const Row rows[] = {
      {kMobile, 174, 174}, {kMobile, 167, 167}, {kMobile, 170, 170}, {kMobile, 173, 163},
      {kMobile, 164, 163}, {kMobile, 115, 163}, {kPortable, 121, 121}, {kPortable, 114, 114},
      {kPortable, 163, 115}, {kPortable, 122, 115},
  };
  for (const Row& r : rows) {
    int zoneSubPage = r.remembered;
    const int position = *TabPosition(r.family, TabKind::kZone);
    const auto slot = PageForTab(r.family, position, zoneSubPage);
    ASSERT_TRUE(slot);
    EXPECT_EQ(PageTemplate(*slot), r.shown) << r.remembered;
    EXPECT_EQ(zoneSubPage, r.shown) << r.remembered;
  }
}

TEST(PageTable, RoutingMessagesOpenTheirPagesWithTheirZone) {
  struct Row {
    unsigned message;
    int mobileTemplate;
    int portableTemplate;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    int zone;  // -1: nothing handed over
  };
  const Row rows[] = {
      {0x40A, 168, 117, 0, 0x105, 5},  {0x40B, 163, 115, 0, 7, 7},     {0x40B, 163, 115, 0, 255, -1},
      {0x40C, 167, 116, 0, 12, 12},    {0x40D, 174, 121, 0x103, 0, 3}, {0x40E, 171, 114, 9, 0, 9},
      {0x40F, 172, 120, 31, 0, 31},    {0x410, 171, 114, 2, 0, 2},     {0x411, 169, 118, 4, 0, 4},
      {0x412, 170, 119, 6, 0, 6},      {0x413, 169, 118, 8, 0, 8},
  };
  for (const Row& r : rows) {
    const auto route = ZoneRouteOf(r.message);
    ASSERT_TRUE(route) << std::hex << r.message;
    EXPECT_EQ(PageTemplate(ZoneSubPageSlot(kMobile, route->opens)), r.mobileTemplate) << std::hex << r.message;
    EXPECT_EQ(PageTemplate(ZoneSubPageSlot(kPortable, route->opens)), r.portableTemplate) << std::hex << r.message;
    const auto zone = ZoneHandedOver(*route, r.wParam, r.lParam);
    EXPECT_EQ(zone ? int(*zone) : -1, r.zone) << std::hex << r.message;
  }
  EXPECT_FALSE(ZoneRouteOf(0x409));
  EXPECT_FALSE(ZoneRouteOf(0x414));
}

TEST(PageTable, MenuItemsOpenTheirOwnPageInEachFamily) {
  struct Row {
    int command;
    int mobile;
    int portable;  // -1: no such tab
  };
  const Row rows[] = {
      {kCmdGlobal1, 0, 0},      {kCmdGlobal2, 1, 1},       {kCmdMobileSpecial, 2, -1}, {kCmdKeyAssign, 3, 2},
      {kCmdRfChannelList, 4, 3}, {kCmdZone, 5, 4},         {kCmdDtmfAni, 6, 5},        {kCmdFiveTone, 7, 6},
  };
  for (const Row& r : rows) {
    const auto m = MenuCommandTabPosition(kMobile, r.command);
    const auto p = MenuCommandTabPosition(kPortable, r.command);
    EXPECT_EQ(m ? *m : -1, r.mobile) << r.command;
    EXPECT_EQ(p ? *p : -1, r.portable) << r.command;
  }
  // The function keys keep their fixed positions in both families.
  EXPECT_EQ(FunctionKeyTabPosition(2), 1);
  EXPECT_EQ(FunctionKeyTabPosition(7), 6);
  EXPECT_FALSE(FunctionKeyTabPosition(1));
  EXPECT_FALSE(FunctionKeyTabPosition(8));
}
