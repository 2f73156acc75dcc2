#pragma once
// What the radio-wide records read of a family's radio data object: group
// counts, which zones, groups and channels are in use, and the product code.
// Behind a small interface so the records can be tested with a hand-made
// radio, and so they read the data where it lives instead of copying it.
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

// The view of a family: the family's radio data object, unless a test has
// installed another. nullptr restores the radio data object.
const IRadioDataView& RadioDataView(Family family);
void SetRadioDataView(Family family, const IRadioDataView* view);

// Tells both radio data objects where the radio-wide records are (key codes,
// option board, model code, default split). Call once at start-up, after
// static construction; calling again does no harm.
void LinkRadioWideRecords();
