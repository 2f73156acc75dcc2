#pragma once
// The DTMF ANI and 5-Tone pages of both families.
#include "pages/PageBase.h"

class CMobileDtmfAniPage : public CScrollablePage {
public:
  CMobileDtmfAniPage() : CScrollablePage(162, kEmptyPageSize) {}
};
class CPortableDtmfAniPage : public CScrollablePage {
public:
  CPortableDtmfAniPage() : CScrollablePage(122, kEmptyPageSize) {}
};
class CMobileFiveTonePage : public CScrollablePage {
public:
  CMobileFiveTonePage() : CScrollablePage(223, kEmptyPageSize) {}
};
class CPortableFiveTonePage : public CScrollablePage {
public:
  CPortableFiveTonePage() : CScrollablePage(223, kEmptyPageSize) {}
};
