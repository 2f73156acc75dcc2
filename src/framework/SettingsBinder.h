#pragma once
// Choice settings as data. A page describes each drop-down list by a row:
// its choices (text and stored value, in row order), the row shown when the
// stored value matches none, and the bits of a record byte that hold the
// value. One binder fills and selects every list from the records, stores a
// user's choice into exactly its bits and marks the data changed. A page
// then writes code only for what its rows cannot say.
#include <QComboBox>
#include <cstdint>
#include <functional>
#include <vector>

#include "model/Settings.h"

struct BoundSetting {
  QComboBox* combo = nullptr;
  Choices choices;
  int fallbackRow = 0;
  FieldRef field;
  int group = 0;  // enable group; 0 = in none
  // Runs after each store of a user's choice (mirrors, follow-up fields).
  std::function<void()> afterStore;
};

class CSettingsBinder {
public:
  // From now on a user's choice in the combo stores into the field.
  void Bind(BoundSetting setting);
  // Forgets every binding; the page's window is going.
  void Clear();

  // Empties and refills every list, then selects the row of its stored value
  // (the fallback row when none matches). Fires no user-choice signal and
  // never marks the data changed.
  void Refresh() const;
  // Selects the row of the stored value again, without refilling.
  void Reselect(const QComboBox* combo) const;
  // Enables or disables every list of an enable group.
  void SetGroupEnabled(int group, bool enabled) const;

  // What a user's choice of `row` does: the row's value into the field,
  // then the data marked changed, every other list of the same field
  // reselected, then the setting's afterStore.
  void Store(const QComboBox* combo, int row) const;

  const std::vector<BoundSetting>& Settings() const { return settings_; }

private:
  const BoundSetting* Find(const QComboBox* combo) const;
  static void Fill(const BoundSetting& s);
  static void Select(const BoundSetting& s);

  std::vector<BoundSetting> settings_;
};
