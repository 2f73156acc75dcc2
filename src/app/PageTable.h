#pragma once
// The main window's pages as data. One table (kPageTable, PageTable.cpp) has
// a row per page class: its slot, family, template number, the tab that shows
// it, its maker and its Shift+F9 handler; the tab rows, the page objects and
// the Shift+F9 route are derived from it. Apart from MakePage nothing here
// touches a page, so the routing can be tested without windows.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <typeinfo>

#include "model/RadioImage.h"
#include "model/RadioModels.h"  // kModelNames, by the Global 1 page's model index

class CScrollablePage;
enum class RomEditHandler : int;

// Every page object of the main dialog, one per class; kPageTable has one row
// for each, in this order.
enum class PageSlot : int {
  kMobileGlobal1,
  kPortableGlobal1,
  kMobileGlobal2,
  kPortableGlobal2,
  kMobileSpecial,
  kMobileSystem,
  kPortableSystem,
  kMobileLtrAdvanced,
  kPortableLtrAdvanced,
  kMobileInterconnect,
  kPortableInterconnect,
  kMobileRepeater,
  kPortableRepeater,
  kMobileLtrGroupBasic,
  kPortableLtrGroupBasic,
  kMobileLtrGroupAdvanced,
  kPortableLtrGroupAdvanced,
  kMobileConvGroupBasic,
  kPortableConvGroupBasic,
  kMobileConvGroupAdvanced,
  kPortableConvGroupAdvanced,
  kMobileDtmfAni,
  kPortableDtmfAni,
  kMobileRfChannelList,
  kPortableRfChannelList,
  kMobileKeyAssign,
  kPortableKeyAssign,
  kMobileFiveTone,
  kPortableFiveTone,
  kCount,  // not a page
};
inline constexpr int kPageSlotCount = static_cast<int>(PageSlot::kCount);

// Template number of a page class (two classes share 173 and 223).
int PageTemplate(PageSlot slot);
Family PageFamily(PageSlot slot);
// The family's Global 1 page.
inline PageSlot Global1Slot(Family family) {
  return family == kPortable ? PageSlot::kPortableGlobal1 : PageSlot::kMobileGlobal1;
}

// A new page object of the slot's class.
std::unique_ptr<CScrollablePage> MakePage(PageSlot slot);
// The slot's page class, and the Shift+F9 handler of its row.
const std::type_info& PageClass(PageSlot slot);
RomEditHandler PageRomEditHandler(PageSlot slot);

// What a tab shows, the same idea in both families, in tab-row order: a
// family's row has each kind the page table gives it a page for.
enum class TabKind : int {
  kGlobal1,
  kGlobal2,
  kMobileSpecial,
  kKeyAssign,
  kRfChannelList,
  kZone,
  kDtmfAni,
  kFiveTone,
};

struct TabEntry {
  TabKind kind;
  const char* caption;
};

// The tab row of a family, position 0 first.
std::span<const TabEntry> TabRow(Family family);
// Position of a tab kind in the family's row; nullopt when the family has none.
std::optional<int> TabPosition(Family family, TabKind kind);

// The Zone tab's sub-pages, each with its own class per family.
enum class ZoneSubPage : int {
  kSystem,
  kLtrAdvanced,
  kInterconnect,
  kRepeater,
  kLtrGroupBasic,
  kLtrGroupAdvanced,
  kConvGroupBasic,
  kConvGroupAdvanced,
};

PageSlot ZoneSubPageSlot(Family family, ZoneSubPage page);
// The sub-page whose template number is `templateNumber` in the family, or
// nullopt for any other number (164-166 and 173 among them).
std::optional<ZoneSubPage> ZoneSubPageOfTemplate(Family family, int templateNumber);
// Template number of the family's zone table page: 163 mobile, 115 portable.
int ZoneTableTemplate(Family family);

// The page a tab position shows. For the Zone tab the sub-page named by
// `zoneSubPage` (template number), falling back to the zone table and
// rewriting `zoneSubPage` to it. nullopt for a position the row lacks.
std::optional<PageSlot> PageForTab(Family family, int position, int& zoneSubPage);

// The user messages that open Zone-tab sub-pages, 0x40A to 0x413.
inline constexpr unsigned kFirstZoneRouteMessage = 0x40A;
inline constexpr unsigned kLastZoneRouteMessage = 0x413;

// How the zone travels with a routing message to the page it opens.
enum class ZoneHandOver : int {
  kFirstSystemKeep,   // low byte of lParam to SetFirstSystem unless it is 255
  kFirstSystem,       // low byte of lParam to SetFirstSystem
  kZoneByte,          // low byte of wParam into the page's zone byte
};

struct ZoneRoute {
  ZoneSubPage opens;
  ZoneHandOver handOver;
};

// nullopt for a message outside 0x40A-0x413.
std::optional<ZoneRoute> ZoneRouteOf(unsigned message);
// The zone byte a route hands to the new page, or nullopt when nothing is
// handed over (0x40B with 255).
std::optional<std::uint8_t> ZoneHandedOver(const ZoneRoute& route, std::uintptr_t wParam, std::intptr_t lParam);

// Menu commands of the "&Menu" popup.
enum MenuCommand : int {
  kCmdGlobal1 = 32785,
  kCmdGlobal2 = 32786,
  kCmdMobileSpecial = 32817,
  kCmdKeyAssign = 32787,
  kCmdRfChannelList = 32788,
  kCmdZone = 32789,
  kCmdDtmfAni = 32790,
  kCmdFiveTone = 32867,
};
// The tab position a page-selection command selects in the family: each item
// opens its own page, so "&Mobile Special" has none in the portable family.
std::optional<int> MenuCommandTabPosition(Family family, int command);
// F2 to F7 select fixed positions 1 to 6 in either family; nullopt otherwise.
std::optional<int> FunctionKeyTabPosition(int fKeyNumber);

