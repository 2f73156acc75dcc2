#pragma once
// The RF channel list, repeater, LTR advanced and interconnect pages of both
// families.
#include <cstdint>

#include "pages/PageBase.h"

// SetFirstSystem: the zone shown first.
class CLtrAdvancedPageBase : public CFirstSystemPageBase {
public:
  using CFirstSystemPageBase::CFirstSystemPageBase;
};
class CMobileLtrAdvancedPage : public CLtrAdvancedPageBase {
public:
  CMobileLtrAdvancedPage() : CLtrAdvancedPageBase(167) {}
};
class CPortableLtrAdvancedPage : public CLtrAdvancedPageBase {
public:
  CPortableLtrAdvancedPage() : CLtrAdvancedPageBase(116) {}
};

class CInterconnectPageBase : public CScrollablePage {
public:
  explicit CInterconnectPageBase(int templateId) : CScrollablePage(templateId, kEmptyPageSize) {}
  // The first zone shown by the zone table that opened the page.
  void SetDisplayMode(std::uint8_t value) { m_displayMode = value; }
  std::uint8_t DisplayMode() const { return m_displayMode; }

protected:
  std::uint8_t m_displayMode = 0;
};
class CMobileInterconnectPage : public CInterconnectPageBase {
public:
  CMobileInterconnectPage() : CInterconnectPageBase(168) {}
};
class CPortableInterconnectPage : public CInterconnectPageBase {
public:
  CPortableInterconnectPage() : CInterconnectPageBase(117) {}
};

// A page that shows one zone's data, the zone set before its window is made.
class CZonePageBase : public CScrollablePage {
public:
  explicit CZonePageBase(int templateId) : CScrollablePage(templateId, kEmptyPageSize) {}
  void SetZone(std::uint8_t zone) { m_zone = zone; }
  std::uint8_t Zone() const { return m_zone; }

protected:
  std::uint8_t m_zone = 0;
};
class CMobileRepeaterPage : public CZonePageBase {
public:
  CMobileRepeaterPage() : CZonePageBase(174) {}
};
class CPortableRepeaterPage : public CZonePageBase {
public:
  CPortableRepeaterPage() : CZonePageBase(121) {}
};

class CMobileRfChannelListPage : public CScrollablePage {
public:
  CMobileRfChannelListPage() : CScrollablePage(173, kEmptyPageSize) {}
};
class CPortableRfChannelListPage : public CScrollablePage {
public:
  CPortableRfChannelListPage() : CScrollablePage(173, kEmptyPageSize) {}
};
