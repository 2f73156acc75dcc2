#pragma once
// Zone and group pickers filled by the radio data ("None", then "Zone %2d"
// or "Grp %2d" rows), each with the map from its rows to the zone or
// absolute group they stand for. A user's pick is read from that map only,
// never from the record's byte, so a stored value no row holds (a zone of a
// foreign image, a group of another zone) stays stored until a row is picked.
#include <QComboBox>
#include <QPointer>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/ChoiceList.h"

class CRadioDataCore;

// A combo box seen as the list the radio data fills, keeping its row map.
class CComboChoiceList : public IChoiceList {
public:
  explicit CComboChoiceList(QComboBox* combo) : combo_(combo) {}
  void Clear() override;
  int Append(const std::string& text) override;
  void SetRowValue(int row, std::uint32_t value) override;
  void Select(int row) override;

  // The value of a row; nullopt for a row the list does not have.
  std::optional<std::uint8_t> ValueAt(int row) const;
  const std::vector<std::uint8_t>& Values() const { return values_; }

private:
  QPointer<QComboBox> combo_;
  std::vector<std::uint8_t> values_;
};

// One zone/group pair of pickers over two record bytes.
class CZoneGroupPickers {
public:
  CZoneGroupPickers(QComboBox* zone, QComboBox* group, std::uint8_t* zoneByte, std::uint8_t* groupByte)
      : zoneList_(zone), groupList_(group), zone_(zoneByte), group_(groupByte) {}

  // Fills both pickers from the record and the radio data; stores nothing.
  void Refresh(const CRadioDataCore& data);
  // A user's pick of a zone row: a new zone clears the group. True when a
  // row was picked (the data is then changed).
  bool OnZonePicked(const CRadioDataCore& data, int row);
  bool OnGroupPicked(int row);

private:
  CComboChoiceList zoneList_;
  CComboChoiceList groupList_;
  std::uint8_t* zone_;
  std::uint8_t* group_;
};
