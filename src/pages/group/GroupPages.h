#pragma once
// The LTR and conventional group pages, basic and advanced, of both families:
// one frame (GroupPageBase.h) with the rows of each kind and view.
#include "pages/group/GroupPageBase.h"

class CMobileLtrGroupBasicPage : public CGroupPageBase {
public:
  CMobileLtrGroupBasicPage() : CGroupPageBase(kMobile, GroupZoneKind::kLtr, GroupView::kBasic, 171) {}
};
class CPortableLtrGroupBasicPage : public CGroupPageBase {
public:
  CPortableLtrGroupBasicPage() : CGroupPageBase(kPortable, GroupZoneKind::kLtr, GroupView::kBasic, 114) {}
};
class CMobileLtrGroupAdvancedPage : public CGroupPageBase {
public:
  CMobileLtrGroupAdvancedPage() : CGroupPageBase(kMobile, GroupZoneKind::kLtr, GroupView::kAdvanced, 172) {}
};
class CPortableLtrGroupAdvancedPage : public CGroupPageBase {
public:
  CPortableLtrGroupAdvancedPage() : CGroupPageBase(kPortable, GroupZoneKind::kLtr, GroupView::kAdvanced, 120) {}
};
class CMobileConvGroupBasicPage : public CGroupPageBase {
public:
  CMobileConvGroupBasicPage() : CGroupPageBase(kMobile, GroupZoneKind::kConventional, GroupView::kBasic, 169) {}
};
class CPortableConvGroupBasicPage : public CGroupPageBase {
public:
  CPortableConvGroupBasicPage() : CGroupPageBase(kPortable, GroupZoneKind::kConventional, GroupView::kBasic, 118) {}
};
class CMobileConvGroupAdvancedPage : public CGroupPageBase {
public:
  CMobileConvGroupAdvancedPage() : CGroupPageBase(kMobile, GroupZoneKind::kConventional, GroupView::kAdvanced, 170) {}
};
class CPortableConvGroupAdvancedPage : public CGroupPageBase {
public:
  CPortableConvGroupAdvancedPage()
      : CGroupPageBase(kPortable, GroupZoneKind::kConventional, GroupView::kAdvanced, 119) {}
};
