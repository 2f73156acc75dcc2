#pragma once
// The RF channel list and repeater pages of both families.
#include <cstdint>

#include "pages/PageBase.h"

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
