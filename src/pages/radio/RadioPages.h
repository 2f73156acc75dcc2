#pragma once
// The radio-wide settings pages: Global 1, Global 2, Mobile Special and Key
// Assignment of both families.
#include "model/RadioImage.h"
#include "pages/PageBase.h"

class CGlobal1PageBase : public CScrollablePage {
public:
  CGlobal1PageBase(int templateId, Family family) : CScrollablePage(templateId, kEmptyPageSize), m_family(family) {}
  // Index into the main window's model names: 0 UHF and 1 VHF mobile, 2 UHF
  // and 3 VHF portable, by the model code of the family's radio-wide record.
  int ModelIndex() const;

protected:
  Family m_family;
};

class CMobileGlobal1Page : public CGlobal1PageBase {
public:
  CMobileGlobal1Page() : CGlobal1PageBase(139, kMobile) {}
};
class CPortableGlobal1Page : public CGlobal1PageBase {
public:
  CPortableGlobal1Page() : CGlobal1PageBase(109, kPortable) {}
};

class CMobileGlobal2Page : public CScrollablePage {
public:
  CMobileGlobal2Page() : CScrollablePage(140, kEmptyPageSize) {}
};
class CPortableGlobal2Page : public CScrollablePage {
public:
  CPortableGlobal2Page() : CScrollablePage(110, kEmptyPageSize) {}
};

class CMobileSpecialPage : public CScrollablePage {
public:
  CMobileSpecialPage() : CScrollablePage(232, kEmptyPageSize) {}
};

class CMobileKeyAssignPage : public CScrollablePage {
public:
  CMobileKeyAssignPage() : CScrollablePage(142, kEmptyPageSize) {}
};
class CPortableKeyAssignPage : public CScrollablePage {
public:
  CPortableKeyAssignPage() : CScrollablePage(215, kEmptyPageSize) {}
};
