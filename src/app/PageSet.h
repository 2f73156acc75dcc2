#pragma once
// The main window's page objects, one per page class, and the one place that
// maps a PageSlot to its object.
#include <array>
#include <cstdint>
#include <optional>

#include "app/PageTable.h"
#include "pages/PageBase.h"
#include "pages/channel/ChannelPages.h"
#include "pages/group/GroupPages.h"
#include "pages/radio/RadioPages.h"
#include "pages/signalling/SignallingPages.h"
#include "pages/zone/SystemPages.h"

class CPageSet {
public:
  CPageSet();

  CScrollablePage& Page(PageSlot slot);
  bool HasWindow(PageSlot slot) { return Page(slot).HasWindow(); }
  // Every page that has a window, in slot order (normally one at most).
  std::optional<PageSlot> FirstWithWindow();

  // Hands a zone to a page before its window is made.
  void HandZone(PageSlot slot, ZoneHandOver how, std::uint8_t zone);

  CMobileGlobal1Page mobileGlobal1;
  CPortableGlobal1Page portableGlobal1;
  CMobileGlobal2Page mobileGlobal2;
  CPortableGlobal2Page portableGlobal2;
  CMobileSpecialPage mobileSpecial;
  CMobileSystemPage mobileSystem;
  CPortableSystemPage portableSystem;
  CMobileLtrAdvancedPage mobileLtrAdvanced;
  CPortableLtrAdvancedPage portableLtrAdvanced;
  CMobileInterconnectPage mobileInterconnect;
  CPortableInterconnectPage portableInterconnect;
  CMobileRepeaterPage mobileRepeater;
  CPortableRepeaterPage portableRepeater;
  CMobileLtrGroupBasicPage mobileLtrGroupBasic;
  CPortableLtrGroupBasicPage portableLtrGroupBasic;
  CMobileLtrGroupAdvancedPage mobileLtrGroupAdvanced;
  CPortableLtrGroupAdvancedPage portableLtrGroupAdvanced;
  CMobileConvGroupBasicPage mobileConvGroupBasic;
  CPortableConvGroupBasicPage portableConvGroupBasic;
  CMobileConvGroupAdvancedPage mobileConvGroupAdvanced;
  CPortableConvGroupAdvancedPage portableConvGroupAdvanced;
  CMobileDtmfAniPage mobileDtmfAni;
  CPortableDtmfAniPage portableDtmfAni;
  CMobileRfChannelListPage mobileRfChannelList;
  CPortableRfChannelListPage portableRfChannelList;
  CMobileKeyAssignPage mobileKeyAssign;
  CPortableKeyAssignPage portableKeyAssign;
  CMobileFiveTonePage mobileFiveTone;
  CPortableFiveTonePage portableFiveTone;

private:
  std::array<CScrollablePage*, kPageSlotCount> m_slots;
};
