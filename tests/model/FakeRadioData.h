#pragma once
// A hand-made radio for the radio-wide records: group counts, enabled zones,
// groups and channels, and the product code, installed as the family's radio
// data for the fixture's life.
#include <array>

#include "model/FamilyModel.h"

class FakeRadioData : public IRadioDataView {
public:
  explicit FakeRadioData(Family family) : model_(ModelOf(family)) { model_.SetRadioDataView(this); }
  ~FakeRadioData() override { model_.SetRadioDataView(nullptr); }
  FakeRadioData(const FakeRadioData&) = delete;
  FakeRadioData& operator=(const FakeRadioData&) = delete;

  std::array<int, kZoneCount> counts{};
  std::array<bool, kZoneCount> zones{};
  std::array<bool, kGroupCount> groups{};
  std::array<bool, kChannelCount> channels{};
  std::uint8_t product = 0;

  // Zones 0..n-1 enabled with the given counts, every one of their groups enabled.
  void Assign(std::initializer_list<int> zoneCounts) {
    int z = 0, g = 0;
    for (int c : zoneCounts) {
      counts[z] = c;
      zones[z++] = true;
      for (int i = 0; i < c; ++i) groups[g++] = true;
    }
  }

  int GroupCount(int zone) const override { return zone >= 0 && zone < kZoneCount ? counts[zone] : 0; }
  bool IsZoneEnabled(int zone) const override { return zone >= 0 && zone < kZoneCount && zones[zone]; }
  bool IsGroupEnabled(int g) const override { return g >= 0 && g < kGroupCount && groups[g]; }
  bool IsChannelProgrammed(int i) const override { return i >= 0 && i < kChannelCount && channels[i]; }
  std::uint8_t ProductCode() const override { return product; }

private:
  CFamilyModel& model_;
};
