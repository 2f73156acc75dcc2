#pragma once
// The radio-wide settings pages: Global 1, Global 2, Mobile Special and Key
// Assignment of both families.
#include "pages/PageBase.h"
#include "pages/radio/Global1Page.h"

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
