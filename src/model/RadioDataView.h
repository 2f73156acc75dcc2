#pragma once
// What the radio-wide records read of a family's radio data object: group
// counts, which zones, groups and channels are in use, and the product code.
// Behind a small interface so the records can be tested with a hand-made
// radio, and so they read the data where it lives instead of copying it.
// The family model (FamilyModel.h) answers it for its own radio data.
#include <cstdint>

#include "model/RadioImage.h"

class IRadioDataView {
public:
  virtual ~IRadioDataView() = default;
  virtual int GroupCount(int zone) const = 0;           // 0 for a zone outside 0..31
  virtual bool IsZoneEnabled(int zone) const = 0;       // false outside 0..31
  virtual bool IsGroupEnabled(int group) const = 0;     // false outside 0..249
  virtual bool IsChannelProgrammed(int channel) const = 0;  // by the synthesizer-word marker
  virtual std::uint8_t ProductCode() const = 0;
};
