#pragma once
// A channel or repeater page of either family, started as a fresh program
// finds the family's UHF radio, inside a stand-in main window that records
// the user messages the page sends it.
#include <QApplication>
#include <QTest>

#include "PageFixture.h"
#include "model/ChannelEdit.h"
#include "pages/channel/ChannelPages.h"

template <class Base, class MobilePage, class PortablePage>
class ChannelPageFixture : public PageFixture<Base, CLinkStatic> {
protected:
  void Start() override {
    this->StartDefaultRadio();
    this->template Make<MobilePage, PortablePage>();
    BeforeCreate();
    this->Show({850, 650});
  }
  virtual void BeforeCreate() {}

  // Runs f on channel i of the family, with its codec context.
  template <class F>
  decltype(auto) Channel(int i, F&& f) {
    const auto at = static_cast<std::size_t>(i);
    if (this->family == kPortable) return f(g_portableData.m_channels[at], g_portableData.ChannelContext());
    return f(g_mobileData.m_channels[at], g_mobileData.ChannelContext());
  }
  bool Programmed(int i) {
    return Channel(i, [](auto& c, const ChannelCodecContext&) { return c.IsProgrammed(); });
  }
  FrequencyCount RxOf(int i) {
    return Channel(i, [](auto& c, const ChannelCodecContext&) { return c.m_rxFrequency; });
  }
  FrequencyCount TxOf(int i) {
    return Channel(i, [](auto& c, const ChannelCodecContext&) { return c.m_txFrequency; });
  }
  // Programs a channel as typing its receive frequency would.
  void Program(int i, double rxMHz) {
    Channel(i, [rxMHz](auto& c, const ChannelCodecContext& ctx) { c.CommitRxFrequency(rxMHz, ctx); });
  }

  // Leaves whatever has the focus as Tab does.
  void Tab() {
    QWidget* w = QApplication::focusWidget();
    ASSERT_NE(w, nullptr);
    QTest::keyClick(w, Qt::Key_Tab);
    Settle();
  }
  int Deletions() const {
    int n = 0;
    for (const RecordedMessage& m : this->host.messages) n += m.msg == UM_CHANNEL_DELETED ? 1 : 0;
    return n;
  }
};

class RfListFixture
    : public ChannelPageFixture<CRfChannelListPageBase, CMobileRfChannelListPage, CPortableRfChannelListPage> {
protected:
  CValueEdit* Rx(int column) const { return Control<CValueEdit>(rf_list::kRxEdits[static_cast<std::size_t>(column)]); }
  CValueEdit* Tx(int column) const { return Control<CValueEdit>(rf_list::kTxEdits[static_cast<std::size_t>(column)]); }
  CLinkStatic* EnableCell(int column) const { return Control(rf_list::kEnables[static_cast<std::size_t>(column)]); }
  CLinkStatic* SpaceCell(int column) const { return Control(rf_list::kSpaces[static_cast<std::size_t>(column)]); }
  void Program(int i, double rxMHz) {
    ChannelPageFixture::Program(i, rxMHz);
    page->RefreshChannelGrid();
  }
};
