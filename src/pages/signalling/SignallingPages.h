#pragma once
// The DTMF ANI and 5-Tone pages of both families.
#include "pages/PageBase.h"

class CMobileDtmfAniPage : public CSettingsPage {
public:
  CMobileDtmfAniPage() : CSettingsPage(162) {}
};
class CPortableDtmfAniPage : public CSettingsPage {
public:
  CPortableDtmfAniPage() : CSettingsPage(122) {}
};
class CMobileFiveTonePage : public CSettingsPage {
public:
  CMobileFiveTonePage() : CSettingsPage(223) {}
};
class CPortableFiveTonePage : public CSettingsPage {
public:
  CPortableFiveTonePage() : CSettingsPage(223) {}
};
