#pragma once
// The main window's page objects, one per page class, and the one place that
// maps a PageSlot to its object. An object is made the first time its slot
// is asked for, so start-up builds only the pages it shows.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "app/PageTable.h"
#include "pages/PageBase.h"
#include "pages/channel/ChannelPages.h"
#include "pages/group/GroupPages.h"
#include "pages/radio/RadioPages.h"
#include "pages/signalling/SignallingPages.h"
#include "pages/zone/SystemPages.h"
#include "pages/zone/ZoneSettingsPages.h"

class CPageSet {
public:
  // The slot's page object, made on first use.
  CScrollablePage& Page(PageSlot slot);
  // The slot's page object, or nullptr while nothing has asked for it.
  CScrollablePage* Built(PageSlot slot) const { return m_pages[static_cast<std::size_t>(slot)].get(); }
  bool HasWindow(PageSlot slot) const;
  // Every page that has a window, in slot order (normally one at most).
  std::optional<PageSlot> FirstWithWindow() const;

  CGlobal1Page& Global1(Family family);

  // Hands a zone to a page before its window is made.
  void HandZone(PageSlot slot, ZoneHandOver how, std::uint8_t zone);

private:
  std::array<std::unique_ptr<CScrollablePage>, kPageSlotCount> m_pages;
};
