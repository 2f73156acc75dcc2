#pragma once
// The per-zone LTR advanced and interconnect pages of both families.
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
