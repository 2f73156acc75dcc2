#include "app/PageSet.h"

CPageSet::CPageSet()
    :  // In PageSlot order.
      m_slots{&mobileGlobal1,          &portableGlobal1,          &mobileGlobal2,          &portableGlobal2,
              &mobileSpecial,          &mobileSystem,             &portableSystem,         &mobileLtrAdvanced,
              &portableLtrAdvanced,    &mobileInterconnect,       &portableInterconnect,   &mobileRepeater,
              &portableRepeater,       &mobileLtrGroupBasic,      &portableLtrGroupBasic,  &mobileLtrGroupAdvanced,
              &portableLtrGroupAdvanced, &mobileConvGroupBasic,   &portableConvGroupBasic, &mobileConvGroupAdvanced,
              &portableConvGroupAdvanced, &mobileDtmfAni,         &portableDtmfAni,        &mobileRfChannelList,
              &portableRfChannelList,  &mobileKeyAssign,          &portableKeyAssign,      &mobileFiveTone,
              &portableFiveTone} {}

CScrollablePage& CPageSet::Page(PageSlot slot) { return *m_slots[static_cast<std::size_t>(slot)]; }

std::optional<PageSlot> CPageSet::FirstWithWindow() {
  for (int i = 0; i < kPageSlotCount; ++i)
    if (m_slots[static_cast<std::size_t>(i)]->HasWindow()) return static_cast<PageSlot>(i);
  return std::nullopt;
}

void CPageSet::HandZone(PageSlot slot, ZoneHandOver how, std::uint8_t zone) {
  CScrollablePage& page = Page(slot);
  switch (how) {
    case ZoneHandOver::kDisplayMode:
      if (auto* p = dynamic_cast<CInterconnectPageBase*>(&page)) p->SetDisplayMode(zone);
      break;
    case ZoneHandOver::kFirstSystem:
    case ZoneHandOver::kFirstSystemKeep:
      if (auto* p = dynamic_cast<CFirstSystemPageBase*>(&page)) p->SetFirstSystem(zone);
      break;
    case ZoneHandOver::kZoneByte:
      if (auto* p = dynamic_cast<CZonePageBase*>(&page)) p->SetZone(zone);
      break;
  }
}
