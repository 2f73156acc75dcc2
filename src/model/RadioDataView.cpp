#include "model/RadioDataView.h"

namespace {

// Until a radio data object answers, nothing is programmed.
class EmptyRadioData : public IRadioDataView {
public:
  int GroupCount(int) const override { return 0; }
  bool IsZoneEnabled(int) const override { return false; }
  bool IsGroupEnabled(int) const override { return false; }
  bool IsChannelProgrammed(int) const override { return false; }
  std::uint8_t ProductCode() const override { return 0; }
};

const EmptyRadioData g_empty;
const IRadioDataView* g_installed[2] = {nullptr, nullptr};

const IRadioDataView& DefaultView(Family) { return g_empty; }

int Slot(Family family) { return family == kPortable ? 1 : 0; }

}  // namespace

const IRadioDataView& RadioDataView(Family family) {
  const IRadioDataView* view = g_installed[Slot(family)];
  return view != nullptr ? *view : DefaultView(family);
}

void SetRadioDataView(Family family, const IRadioDataView* view) { g_installed[Slot(family)] = view; }
