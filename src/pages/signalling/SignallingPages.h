#pragma once
// The DTMF ANI and 5-Tone pages of both families.
#include "pages/PageBase.h"
#include "pages/signalling/DtmfAniPage.h"

class CMobileFiveTonePage : public CScrollablePage {
public:
  CMobileFiveTonePage() : CScrollablePage(223, kEmptyPageSize) {}
};
class CPortableFiveTonePage : public CScrollablePage {
public:
  CPortableFiveTonePage() : CScrollablePage(223, kEmptyPageSize) {}
};
