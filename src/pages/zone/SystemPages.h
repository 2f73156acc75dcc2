#pragma once
// The zone (system) table pages of both families.
#include "pages/PageBase.h"

// SetFirstSystem: the zone shown in the first column.
class CSystemPageBase : public CFirstSystemPageBase {
public:
  using CFirstSystemPageBase::CFirstSystemPageBase;
};

class CMobileSystemPage : public CSystemPageBase {
public:
  CMobileSystemPage() : CSystemPageBase(163) {}
};
class CPortableSystemPage : public CSystemPageBase {
public:
  CPortableSystemPage() : CSystemPageBase(115) {}
};
