#pragma once
// A Global 1 page of either family shown inside a stand-in main window that
// records the user messages it receives.
#include <QComboBox>
#include <QLineEdit>
#include <array>

#include "PageFixture.h"
#include "model/Privilege.h"
#include "model/RadioData.h"
#include "pages/radio/Global1Page.h"

class Global1Fixture : public PageFixture<CGlobal1Page, QComboBox> {
protected:
  void Start() override {
    g_mobileData.m_productWord = 11u << 8;
    g_portableData.m_productWord = 0;
    Make<CMobileGlobal1Page, CPortableGlobal1Page>();
    Show();
  }

  int Col() const { return family == kPortable ? 1 : 0; }
  CGlobalRecord& Record() const { return ModelOf(family).global; }
  using PageFixture::Control;
  // The control of the family's column of an id pair.
  template <class T = QComboBox>
  T* Control(const std::array<int, 2>& ids) const {
    return Control<T>(ids[static_cast<std::size_t>(Col())]);
  }
};
