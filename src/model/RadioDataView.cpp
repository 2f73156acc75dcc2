#include "model/RadioDataView.h"

#include "model/GlobalRecord.h"
#include "model/KeyAssignRecord.h"
#include "model/RadioData.h"
#include "model/SmallRecords.h"

namespace {

// A family's radio data object seen through the view.
template <class Data>
class RadioDataAdapter : public IRadioDataView {
public:
  explicit RadioDataAdapter(const Data& data) : data_(data) {}
  int GroupCount(int zone) const override { return data_.GetSystemGroupCount(zone); }
  bool IsZoneEnabled(int zone) const override { return data_.IsZoneEnabled(zone); }
  bool IsGroupEnabled(int g) const override {
    return g >= 0 && g < kGroupCount && data_.m_groups[static_cast<std::size_t>(g)].IsEnabled();
  }
  bool IsChannelProgrammed(int i) const override {
    if (i < 0 || i >= kChannelCount) return false;
    // An unprogrammed slot keeps 0xFF2E in its first synthesizer word.
    return (ChannelMarker(data_.m_channels[static_cast<std::size_t>(i)]) >> 8) != 0xFF;
  }
  std::uint8_t ProductCode() const override { return static_cast<std::uint8_t>(data_.m_productWord >> 8); }

private:
  static std::uint16_t ChannelMarker(const CMobileChannelRecord& c) { return c.m_rxSynthWord; }
  static std::uint16_t ChannelMarker(const CPortableChannelRecord& c) { return c.m_firstWord; }
  const Data& data_;
};

const RadioDataAdapter<CMobileRadioData> g_mobileView(g_mobileData);
const RadioDataAdapter<CPortableRadioData> g_portableView(g_portableData);
const IRadioDataView* g_installed[2] = {nullptr, nullptr};

int Slot(Family family) { return family == kPortable ? 1 : 0; }

template <class Data>
void Link(Data& data, Family family) {
  data.m_radioWide.anyKeyHoldsFunction = [family](int code) {
    return code >= 0 && code <= 255 && KeyAssignOf(family).HasCode(static_cast<std::uint8_t>(code));
  };
  data.m_radioWide.optionBoard = [family] { return GlobalRecordOf(family).optionBoard; };
  data.m_radioWide.familyCode = [family] { return static_cast<std::uint8_t>(GlobalRecordOf(family).modelCode); };
  data.m_radioWide.defaultSplitMHz = [family] {
    return family == kPortable ? g_portableOpeningMsg.m_defaultSplit : g_mobileOpeningMsg.m_defaultSplit;
  };
}

}  // namespace

const IRadioDataView& RadioDataView(Family family) {
  const IRadioDataView* view = g_installed[Slot(family)];
  if (view != nullptr) return *view;
  return family == kPortable ? static_cast<const IRadioDataView&>(g_portableView) : g_mobileView;
}

void SetRadioDataView(Family family, const IRadioDataView* view) { g_installed[Slot(family)] = view; }

void LinkRadioWideRecords() {
  Link(g_mobileData, kMobile);
  Link(g_portableData, kPortable);
}
