#include "pages/radio/ZoneGroupPickers.h"

#include <QSignalBlocker>

#include "model/RadioData.h"

void CComboChoiceList::Clear() {
  values_.clear();
  if (combo_ == nullptr) return;
  const QSignalBlocker block(combo_.data());
  combo_->clear();
}

int CComboChoiceList::Append(const std::string& text) {
  values_.push_back(kNoGroup);
  if (combo_ != nullptr) {
    const QSignalBlocker block(combo_.data());
    combo_->addItem(QString::fromStdString(text));
  }
  return static_cast<int>(values_.size()) - 1;
}

void CComboChoiceList::SetRowValue(int row, std::uint32_t value) {
  if (row >= 0 && row < static_cast<int>(values_.size()))
    values_[static_cast<std::size_t>(row)] = static_cast<std::uint8_t>(value);
}

void CComboChoiceList::Select(int row) {
  if (combo_ == nullptr) return;
  const QSignalBlocker block(combo_.data());
  combo_->setCurrentIndex(row);
}

std::optional<std::uint8_t> CComboChoiceList::ValueAt(int row) const {
  if (row < 0 || row >= static_cast<int>(values_.size())) return std::nullopt;
  return values_[static_cast<std::size_t>(row)];
}

void CZoneGroupPickers::Refresh(const CRadioDataCore& data) {
  zoneList_.Clear();
  data.FillZoneCombo(zoneList_, *zone_);
  data.FillGroupCombo(groupList_, *zone_, *group_);
}

bool CZoneGroupPickers::OnZonePicked(const CRadioDataCore& data, int row) {
  const std::optional<std::uint8_t> zone = zoneList_.ValueAt(row);
  if (!zone) return false;
  if (*zone != *zone_) *group_ = kNoGroup;
  *zone_ = *zone;
  data.FillGroupCombo(groupList_, *zone_, *group_);
  return true;
}

bool CZoneGroupPickers::OnGroupPicked(int row) {
  const std::optional<std::uint8_t> group = groupList_.ValueAt(row);
  if (!group) return false;
  *group_ = *group;
  return true;
}
