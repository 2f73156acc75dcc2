#pragma once
// The LTR and conventional group pages, basic and advanced, of both families.
#include "pages/channel/ChannelPages.h"

class CMobileLtrGroupBasicPage : public CZonePageBase {
public:
  CMobileLtrGroupBasicPage() : CZonePageBase(171) {}
};
class CPortableLtrGroupBasicPage : public CZonePageBase {
public:
  CPortableLtrGroupBasicPage() : CZonePageBase(114) {}
};
class CMobileLtrGroupAdvancedPage : public CZonePageBase {
public:
  CMobileLtrGroupAdvancedPage() : CZonePageBase(172) {}
};
class CPortableLtrGroupAdvancedPage : public CZonePageBase {
public:
  CPortableLtrGroupAdvancedPage() : CZonePageBase(120) {}
};
class CMobileConvGroupBasicPage : public CZonePageBase {
public:
  CMobileConvGroupBasicPage() : CZonePageBase(169) {}
};
class CPortableConvGroupBasicPage : public CZonePageBase {
public:
  CPortableConvGroupBasicPage() : CZonePageBase(118) {}
};
class CMobileConvGroupAdvancedPage : public CZonePageBase {
public:
  CMobileConvGroupAdvancedPage() : CZonePageBase(170) {}
};
class CPortableConvGroupAdvancedPage : public CZonePageBase {
public:
  CPortableConvGroupAdvancedPage() : CZonePageBase(119) {}
};
