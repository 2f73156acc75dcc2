#include "app/PageSet.h"

namespace {

using PageMaker = std::unique_ptr<CScrollablePage> (*)();

template <class T>
std::unique_ptr<CScrollablePage> Make() {
  return std::make_unique<T>();
}

// In PageSlot order.
constexpr std::array<PageMaker, kPageSlotCount> kMakers = {
    Make<CMobileGlobal1Page>,         Make<CPortableGlobal1Page>,      Make<CMobileGlobal2Page>,
    Make<CPortableGlobal2Page>,       Make<CMobileSpecialPage>,        Make<CMobileSystemPage>,
    Make<CPortableSystemPage>,        Make<CMobileLtrAdvancedPage>,    Make<CPortableLtrAdvancedPage>,
    Make<CMobileInterconnectPage>,    Make<CPortableInterconnectPage>, Make<CMobileRepeaterPage>,
    Make<CPortableRepeaterPage>,      Make<CMobileLtrGroupBasicPage>,  Make<CPortableLtrGroupBasicPage>,
    Make<CMobileLtrGroupAdvancedPage>, Make<CPortableLtrGroupAdvancedPage>, Make<CMobileConvGroupBasicPage>,
    Make<CPortableConvGroupBasicPage>, Make<CMobileConvGroupAdvancedPage>, Make<CPortableConvGroupAdvancedPage>,
    Make<CMobileDtmfAniPage>,         Make<CPortableDtmfAniPage>,      Make<CMobileRfChannelListPage>,
    Make<CPortableRfChannelListPage>, Make<CMobileKeyAssignPage>,      Make<CPortableKeyAssignPage>,
    Make<CMobileFiveTonePage>,        Make<CPortableFiveTonePage>,
};

}  // namespace

CScrollablePage& CPageSet::Page(PageSlot slot) {
  auto& page = m_pages[static_cast<std::size_t>(slot)];
  if (page == nullptr) page = kMakers[static_cast<std::size_t>(slot)]();
  return *page;
}

bool CPageSet::HasWindow(PageSlot slot) const {
  const CScrollablePage* page = Built(slot);
  return page != nullptr && page->HasWindow();
}

std::optional<PageSlot> CPageSet::FirstWithWindow() const {
  for (int i = 0; i < kPageSlotCount; ++i)
    if (HasWindow(static_cast<PageSlot>(i))) return static_cast<PageSlot>(i);
  return std::nullopt;
}

CGlobal1Page& CPageSet::Global1(Family family) {
  return static_cast<CGlobal1Page&>(Page(Global1Slot(family)));
}

void CPageSet::HandZone(PageSlot slot, ZoneHandOver how, std::uint8_t zone) {
  CScrollablePage& page = Page(slot);
  switch (how) {
    case ZoneHandOver::kFirstSystem:
    case ZoneHandOver::kFirstSystemKeep:
      if (auto* p = dynamic_cast<CFirstSystemPageBase*>(&page)) p->SetFirstSystem(zone);
      break;
    case ZoneHandOver::kZoneByte:
      if (auto* p = dynamic_cast<CZonePageBase*>(&page)) p->SetZone(zone);
      break;
  }
}
