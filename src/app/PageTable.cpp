#include "app/PageTable.h"

namespace {

struct SlotInfo {
  int templateNumber;
  Family family;
};

constexpr std::array<SlotInfo, kPageSlotCount> kSlots = {{
    {139, kMobile}, {109, kPortable},  // Global 1
    {140, kMobile}, {110, kPortable},  // Global 2
    {232, kMobile},                    // Mobile Special
    {163, kMobile}, {115, kPortable},  // zone table
    {167, kMobile}, {116, kPortable},  // LTR advanced
    {168, kMobile}, {117, kPortable},  // interconnect
    {174, kMobile}, {121, kPortable},  // repeaters
    {171, kMobile}, {114, kPortable},  // LTR groups basic
    {172, kMobile}, {120, kPortable},  // LTR groups advanced
    {169, kMobile}, {118, kPortable},  // conventional groups basic
    {170, kMobile}, {119, kPortable},  // conventional groups advanced
    {162, kMobile}, {122, kPortable},  // DTMF ANI
    {173, kMobile}, {173, kPortable},  // RF Ch. List
    {142, kMobile}, {215, kPortable},  // Key Assignment
    {223, kMobile}, {223, kPortable},  // 5-Tone
}};

constexpr TabEntry kMobileRow[] = {
    {TabKind::kGlobal1, "Global 1"},       {TabKind::kGlobal2, "Global 2"},
    {TabKind::kMobileSpecial, "Mobile Special"}, {TabKind::kKeyAssign, "Key Assignment"},
    {TabKind::kRfChannelList, "RF Ch. List"}, {TabKind::kZone, "Zone"},
    {TabKind::kDtmfAni, "DTMF ANI"},       {TabKind::kFiveTone, "5-Tone"},
};
constexpr TabEntry kPortableRow[] = {
    {TabKind::kGlobal1, "Global 1"},       {TabKind::kGlobal2, "Global 2"},
    {TabKind::kKeyAssign, "Key Assignment"}, {TabKind::kRfChannelList, "RF Ch. List"},
    {TabKind::kZone, "Zone"},              {TabKind::kDtmfAni, "DTMF ANI"},
    {TabKind::kFiveTone, "5-Tone"},
};

// Sub-page → slot, mobile then portable, in ZoneSubPage order.
constexpr std::array<std::array<PageSlot, 2>, 8> kZoneSlots = {{
    {PageSlot::kMobileSystem, PageSlot::kPortableSystem},
    {PageSlot::kMobileLtrAdvanced, PageSlot::kPortableLtrAdvanced},
    {PageSlot::kMobileInterconnect, PageSlot::kPortableInterconnect},
    {PageSlot::kMobileRepeater, PageSlot::kPortableRepeater},
    {PageSlot::kMobileLtrGroupBasic, PageSlot::kPortableLtrGroupBasic},
    {PageSlot::kMobileLtrGroupAdvanced, PageSlot::kPortableLtrGroupAdvanced},
    {PageSlot::kMobileConvGroupBasic, PageSlot::kPortableConvGroupBasic},
    {PageSlot::kMobileConvGroupAdvanced, PageSlot::kPortableConvGroupAdvanced},
}};

// Page slot of a tab kind, mobile then portable (Mobile Special is mobile only).
PageSlot TabSlot(Family family, TabKind kind) {
  const bool p = family == kPortable;
  switch (kind) {
    case TabKind::kGlobal1: return p ? PageSlot::kPortableGlobal1 : PageSlot::kMobileGlobal1;
    case TabKind::kGlobal2: return p ? PageSlot::kPortableGlobal2 : PageSlot::kMobileGlobal2;
    case TabKind::kMobileSpecial: return PageSlot::kMobileSpecial;
    case TabKind::kKeyAssign: return p ? PageSlot::kPortableKeyAssign : PageSlot::kMobileKeyAssign;
    case TabKind::kRfChannelList: return p ? PageSlot::kPortableRfChannelList : PageSlot::kMobileRfChannelList;
    case TabKind::kZone: return ZoneSubPageSlot(family, ZoneSubPage::kSystem);
    case TabKind::kDtmfAni: return p ? PageSlot::kPortableDtmfAni : PageSlot::kMobileDtmfAni;
    case TabKind::kFiveTone: return p ? PageSlot::kPortableFiveTone : PageSlot::kMobileFiveTone;
  }
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

int PageTemplate(PageSlot slot) { return kSlots[static_cast<int>(slot)].templateNumber; }
Family PageFamily(PageSlot slot) { return kSlots[static_cast<int>(slot)].family; }

std::span<const TabEntry> TabRow(Family family) {
  if (family == kPortable) return kPortableRow;
  return kMobileRow;
}

std::optional<int> TabPosition(Family family, TabKind kind) {
  const auto row = TabRow(family);
  for (std::size_t i = 0; i < row.size(); ++i)
    if (row[i].kind == kind) return static_cast<int>(i);
  return std::nullopt;
}

PageSlot ZoneSubPageSlot(Family family, ZoneSubPage page) {
  return kZoneSlots[static_cast<int>(page)][family == kPortable ? 1 : 0];
}

std::optional<ZoneSubPage> ZoneSubPageOfTemplate(Family family, int templateNumber) {
  for (std::size_t i = 0; i < kZoneSlots.size(); ++i) {
    const auto page = static_cast<ZoneSubPage>(i);
    if (PageTemplate(ZoneSubPageSlot(family, page)) == templateNumber) return page;
  }
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
  TabKind kind;
  switch (command) {
    case kCmdGlobal1: kind = TabKind::kGlobal1; break;
    case kCmdGlobal2: kind = TabKind::kGlobal2; break;
    case kCmdMobileSpecial: kind = TabKind::kMobileSpecial; break;
    case kCmdKeyAssign: kind = TabKind::kKeyAssign; break;
    case kCmdRfChannelList: kind = TabKind::kRfChannelList; break;
    case kCmdZone: kind = TabKind::kZone; break;
    case kCmdDtmfAni: kind = TabKind::kDtmfAni; break;
    case kCmdFiveTone: kind = TabKind::kFiveTone; break;
    default: return std::nullopt;
  }
  return TabPosition(family, kind);
}

std::optional<int> FunctionKeyTabPosition(int fKeyNumber) {
  if (fKeyNumber < 2 || fKeyNumber > 7) return std::nullopt;
  return fKeyNumber - 1;
}
