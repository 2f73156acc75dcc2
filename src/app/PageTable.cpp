#include "app/PageTable.h"

#include "app/PageSet.h"
#include "app/RomEditRoute.h"

namespace {

template <class Page>
std::unique_ptr<CScrollablePage> Make() {
  return std::make_unique<Page>();
}

struct PageRow {
  PageSlot slot;
  Family family;
  int templateNumber;
  TabKind tab;
  std::optional<ZoneSubPage> zone;  // which Zone-tab sub-page, on the Zone tab
  RomEditHandler romEdit;
  std::unique_ptr<CScrollablePage> (*make)();
  const std::type_info* pageClass;
};

template <class Page>
constexpr PageRow Row(PageSlot slot, Family family, int templateNumber, TabKind tab, RomEditHandler romEdit,
                      std::optional<ZoneSubPage> zone = std::nullopt) {
  return {slot, family, templateNumber, tab, zone, romEdit, Make<Page>, &typeid(Page)};
}

using S = PageSlot;
using enum TabKind;
using enum ZoneSubPage;
// Shift+F9: the portable pages ask the portable configuration, except the
// portable LTR groups basic and RF Ch. List pages, which ask the mobile one
// like every mobile page; the 5-Tone pages ignore the key.
constexpr RomEditHandler P = RomEditHandler::kOnRomEditKey;
constexpr RomEditHandler M = RomEditHandler::kOnRomEditorCommand;
constexpr RomEditHandler N = RomEditHandler::kNone;

// One row per page class, in PageSlot order (two classes share 173 and 223).
constexpr PageRow kPageTable[] = {
    Row<CMobileGlobal1Page>(S::kMobileGlobal1, kMobile, 139, kGlobal1, M),
    Row<CPortableGlobal1Page>(S::kPortableGlobal1, kPortable, 109, kGlobal1, P),
    Row<CMobileGlobal2Page>(S::kMobileGlobal2, kMobile, 140, kGlobal2, M),
    Row<CPortableGlobal2Page>(S::kPortableGlobal2, kPortable, 110, kGlobal2, P),
    Row<CMobileSpecialPage>(S::kMobileSpecial, kMobile, 232, TabKind::kMobileSpecial, M),
    Row<CMobileSystemPage>(S::kMobileSystem, kMobile, 163, kZone, M, kSystem),
    Row<CPortableSystemPage>(S::kPortableSystem, kPortable, 115, kZone, P, kSystem),
    Row<CMobileLtrAdvancedPage>(S::kMobileLtrAdvanced, kMobile, 167, kZone, M, kLtrAdvanced),
    Row<CPortableLtrAdvancedPage>(S::kPortableLtrAdvanced, kPortable, 116, kZone, P, kLtrAdvanced),
    Row<CMobileInterconnectPage>(S::kMobileInterconnect, kMobile, 168, kZone, M, kInterconnect),
    Row<CPortableInterconnectPage>(S::kPortableInterconnect, kPortable, 117, kZone, P, kInterconnect),
    Row<CMobileRepeaterPage>(S::kMobileRepeater, kMobile, 174, kZone, M, kRepeater),
    Row<CPortableRepeaterPage>(S::kPortableRepeater, kPortable, 121, kZone, P, kRepeater),
    Row<CMobileLtrGroupBasicPage>(S::kMobileLtrGroupBasic, kMobile, 171, kZone, M, kLtrGroupBasic),
    Row<CPortableLtrGroupBasicPage>(S::kPortableLtrGroupBasic, kPortable, 114, kZone, M, kLtrGroupBasic),
    Row<CMobileLtrGroupAdvancedPage>(S::kMobileLtrGroupAdvanced, kMobile, 172, kZone, M, kLtrGroupAdvanced),
    Row<CPortableLtrGroupAdvancedPage>(S::kPortableLtrGroupAdvanced, kPortable, 120, kZone, P, kLtrGroupAdvanced),
    Row<CMobileConvGroupBasicPage>(S::kMobileConvGroupBasic, kMobile, 169, kZone, M, kConvGroupBasic),
    Row<CPortableConvGroupBasicPage>(S::kPortableConvGroupBasic, kPortable, 118, kZone, P, kConvGroupBasic),
    Row<CMobileConvGroupAdvancedPage>(S::kMobileConvGroupAdvanced, kMobile, 170, kZone, M, kConvGroupAdvanced),
    Row<CPortableConvGroupAdvancedPage>(S::kPortableConvGroupAdvanced, kPortable, 119, kZone, P, kConvGroupAdvanced),
    Row<CMobileDtmfAniPage>(S::kMobileDtmfAni, kMobile, 162, kDtmfAni, M),
    Row<CPortableDtmfAniPage>(S::kPortableDtmfAni, kPortable, 122, kDtmfAni, P),
    Row<CMobileRfChannelListPage>(S::kMobileRfChannelList, kMobile, 173, kRfChannelList, M),
    Row<CPortableRfChannelListPage>(S::kPortableRfChannelList, kPortable, 173, kRfChannelList, M),
    Row<CMobileKeyAssignPage>(S::kMobileKeyAssign, kMobile, 142, kKeyAssign, M),
    Row<CPortableKeyAssignPage>(S::kPortableKeyAssign, kPortable, 215, kKeyAssign, P),
    Row<CMobileFiveTonePage>(S::kMobileFiveTone, kMobile, 223, kFiveTone, N),
    Row<CPortableFiveTonePage>(S::kPortableFiveTone, kPortable, 223, kFiveTone, N),
};

constexpr bool RowsInSlotOrder() {
  for (std::size_t i = 0; i < std::size(kPageTable); ++i)
    if (kPageTable[i].slot != static_cast<PageSlot>(i)) return false;
  return true;
}
static_assert(std::size(kPageTable) == kPageSlotCount, "one page table row per PageSlot");
static_assert(RowsInSlotOrder(), "page table row i is PageSlot i");

constexpr int kZoneSubPageCount = static_cast<int>(ZoneSubPage::kConvGroupAdvanced) + 1;

constexpr int RowsShowing(Family family, TabKind tab, std::optional<ZoneSubPage> zone) {
  int n = 0;
  for (const PageRow& row : kPageTable) n += row.family == family && row.tab == tab && row.zone == zone ? 1 : 0;
  return n;
}
// Every Zone-tab sub-page has exactly one page in each family, every other
// tab at most one.
constexpr bool EachTabShowsOnePage() {
  for (const Family family : {kMobile, kPortable}) {
    for (int z = 0; z < kZoneSubPageCount; ++z)
      if (RowsShowing(family, kZone, static_cast<ZoneSubPage>(z)) != 1) return false;
    for (const PageRow& row : kPageTable)
      if (row.tab != kZone && RowsShowing(family, row.tab, std::nullopt) > 1) return false;
    if (RowsShowing(family, kZone, std::nullopt) != 0) return false;
  }
  return true;
}
static_assert(EachTabShowsOnePage());

// Each tab's caption and the "&Menu" item that selects it, in TabKind order.
struct TabInfo {
  TabKind kind;
  const char* caption;
  MenuCommand command;
};
constexpr TabInfo kTabs[] = {
    {kGlobal1, "Global 1", kCmdGlobal1},
    {kGlobal2, "Global 2", kCmdGlobal2},
    {TabKind::kMobileSpecial, "Mobile Special", kCmdMobileSpecial},
    {kKeyAssign, "Key Assignment", kCmdKeyAssign},
    {kRfChannelList, "RF Ch. List", kCmdRfChannelList},
    {kZone, "Zone", kCmdZone},
    {kDtmfAni, "DTMF ANI", kCmdDtmfAni},
    {kFiveTone, "5-Tone", kCmdFiveTone},
};
constexpr bool TabsInKindOrder() {
  for (std::size_t i = 0; i < std::size(kTabs); ++i)
    if (kTabs[i].kind != static_cast<TabKind>(i)) return false;
  return true;
}
static_assert(TabsInKindOrder(), "tab row i is TabKind i");

constexpr bool FamilyHasTab(Family family, TabKind tab) {
  for (const PageRow& row : kPageTable)
    if (row.family == family && row.tab == tab) return true;
  return false;
}

struct FamilyTabRow {
  std::array<TabEntry, std::size(kTabs)> tabs{};
  std::size_t count = 0;
};
constexpr FamilyTabRow MakeTabRow(Family family) {
  FamilyTabRow row;
  for (const TabInfo& tab : kTabs)
    if (FamilyHasTab(family, tab.kind)) row.tabs[row.count++] = {tab.kind, tab.caption};
  return row;
}
constexpr FamilyTabRow kMobileRow = MakeTabRow(kMobile);
constexpr FamilyTabRow kPortableRow = MakeTabRow(kPortable);

const PageRow& RowOf(PageSlot slot) { return kPageTable[static_cast<std::size_t>(slot)]; }

// The family's page of a tab (its zone table for the Zone tab).
PageSlot TabSlot(Family family, TabKind kind) {
  const std::optional<ZoneSubPage> zone = kind == kZone ? std::optional(kSystem) : std::nullopt;
  for (const PageRow& row : kPageTable)
    if (row.family == family && row.tab == kind && row.zone == zone) return row.slot;
  return PageSlot::kMobileGlobal1;
}

constexpr ZoneRoute kRoutes[] = {
    {ZoneSubPage::kInterconnect, ZoneHandOver::kFirstSystem},       // 0x40A
    {ZoneSubPage::kSystem, ZoneHandOver::kFirstSystemKeep},         // 0x40B
    {ZoneSubPage::kLtrAdvanced, ZoneHandOver::kFirstSystem},        // 0x40C
    {ZoneSubPage::kRepeater, ZoneHandOver::kZoneByte},              // 0x40D
    {ZoneSubPage::kLtrGroupBasic, ZoneHandOver::kZoneByte},         // 0x40E
    {ZoneSubPage::kLtrGroupAdvanced, ZoneHandOver::kZoneByte},      // 0x40F
    {ZoneSubPage::kLtrGroupBasic, ZoneHandOver::kZoneByte},         // 0x410
    {ZoneSubPage::kConvGroupBasic, ZoneHandOver::kZoneByte},        // 0x411
    {ZoneSubPage::kConvGroupAdvanced, ZoneHandOver::kZoneByte},     // 0x412
    {ZoneSubPage::kConvGroupBasic, ZoneHandOver::kZoneByte},        // 0x413
};

}  // namespace

int PageTemplate(PageSlot slot) { return RowOf(slot).templateNumber; }
Family PageFamily(PageSlot slot) { return RowOf(slot).family; }
std::unique_ptr<CScrollablePage> MakePage(PageSlot slot) { return RowOf(slot).make(); }
const std::type_info& PageClass(PageSlot slot) { return *RowOf(slot).pageClass; }
RomEditHandler PageRomEditHandler(PageSlot slot) { return RowOf(slot).romEdit; }

std::span<const TabEntry> TabRow(Family family) {
  const FamilyTabRow& row = family == kPortable ? kPortableRow : kMobileRow;
  return {row.tabs.data(), row.count};
}

std::optional<int> TabPosition(Family family, TabKind kind) {
  const auto row = TabRow(family);
  for (std::size_t i = 0; i < row.size(); ++i)
    if (row[i].kind == kind) return static_cast<int>(i);
  return std::nullopt;
}

PageSlot ZoneSubPageSlot(Family family, ZoneSubPage page) {
  for (const PageRow& row : kPageTable)
    if (row.family == family && row.zone == page) return row.slot;
  return TabSlot(family, kZone);  // every sub-page has its row (checked above)
}

std::optional<ZoneSubPage> ZoneSubPageOfTemplate(Family family, int templateNumber) {
  for (const PageRow& row : kPageTable)
    if (row.family == family && row.zone && row.templateNumber == templateNumber) return row.zone;
  return std::nullopt;
}

int ZoneTableTemplate(Family family) { return PageTemplate(ZoneSubPageSlot(family, ZoneSubPage::kSystem)); }

std::optional<PageSlot> PageForTab(Family family, int position, int& zoneSubPage) {
  const auto row = TabRow(family);
  if (position < 0 || position >= static_cast<int>(row.size())) return std::nullopt;
  const TabKind kind = row[static_cast<std::size_t>(position)].kind;
  if (kind != TabKind::kZone) return TabSlot(family, kind);
  const auto sub = ZoneSubPageOfTemplate(family, zoneSubPage);
  if (sub) return ZoneSubPageSlot(family, *sub);
  zoneSubPage = ZoneTableTemplate(family);
  return ZoneSubPageSlot(family, ZoneSubPage::kSystem);
}

std::optional<ZoneRoute> ZoneRouteOf(unsigned message) {
  if (message < kFirstZoneRouteMessage || message > kLastZoneRouteMessage) return std::nullopt;
  return kRoutes[message - kFirstZoneRouteMessage];
}

std::optional<std::uint8_t> ZoneHandedOver(const ZoneRoute& route, std::uintptr_t wParam, std::intptr_t lParam) {
  const auto lowL = static_cast<std::uint8_t>(lParam & 0xFF);
  switch (route.handOver) {
    case ZoneHandOver::kFirstSystemKeep:
      // 255 keeps the zone table where it was; so does any lParam whose whole
      // value is 255, as the pages send it.
      if (lParam == 255) return std::nullopt;
      return lowL;
    case ZoneHandOver::kFirstSystem:
      return lowL;
    case ZoneHandOver::kZoneByte:
      return static_cast<std::uint8_t>(wParam & 0xFF);
  }
  return std::nullopt;
}

std::optional<int> MenuCommandTabPosition(Family family, int command) {
  for (const TabInfo& tab : kTabs)
    if (tab.command == command) return TabPosition(family, tab.kind);
  return std::nullopt;
}

std::optional<int> FunctionKeyTabPosition(int fKeyNumber) {
  if (fKeyNumber < 2 || fKeyNumber > 7) return std::nullopt;
  return fKeyNumber - 1;
}
