#pragma once
// The radio-wide settings pages: Global 1, Global 2, Mobile Special and Key
// Assignment of both families.
#include "pages/PageBase.h"

class CGlobal1PageBase : public CScrollablePage {
public:
  CGlobal1PageBase(int templateId, int defaultModel)
      : CScrollablePage(templateId, kEmptyPageSize), m_modelIndex(defaultModel) {}
  // Index into the main window's model names: 0-1 mobile, 2-3 portable.
  int ModelIndex() const { return m_modelIndex; }

protected:
  int m_modelIndex;
};

class CMobileGlobal1Page : public CGlobal1PageBase {
public:
  CMobileGlobal1Page() : CGlobal1PageBase(139, 0) {}
};
class CPortableGlobal1Page : public CGlobal1PageBase {
public:
  CPortableGlobal1Page() : CGlobal1PageBase(109, 2) {}
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
