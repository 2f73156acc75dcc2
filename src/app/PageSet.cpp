#include "app/PageSet.h"

CScrollablePage& CPageSet::Page(PageSlot slot) {
  auto& page = m_pages[static_cast<std::size_t>(slot)];
  if (page == nullptr) page = MakePage(slot);
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
