#pragma once
// The radio-wide settings pages: Global 1, Global 2, Mobile Special and Key
// Assignment of both families.
#include "pages/PageBase.h"

class CGlobal1PageBase : public CSettingsPage {
public:
  CGlobal1PageBase(int templateId, int defaultModel) : CSettingsPage(templateId), m_modelIndex(defaultModel) {}
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

class CMobileGlobal2Page : public CSettingsPage {
public:
  CMobileGlobal2Page() : CSettingsPage(140) {}
};
class CPortableGlobal2Page : public CSettingsPage {
public:
  CPortableGlobal2Page() : CSettingsPage(110) {}
};

class CMobileSpecialPage : public CSettingsPage {
public:
  CMobileSpecialPage() : CSettingsPage(232) {}
};

class CMobileKeyAssignPage : public CSettingsPage {
public:
  CMobileKeyAssignPage() : CSettingsPage(142) {}
};
class CPortableKeyAssignPage : public CSettingsPage {
public:
  CPortableKeyAssignPage() : CSettingsPage(215) {}
};
