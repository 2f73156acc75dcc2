#pragma once
// Template 193 "System Data Copy": asks for the zone (system) into which the
// settings of the source zone are copied.
#include <QDialog>

#include "model/SystemCopy.h"

class QComboBox;

namespace system_copy {
inline constexpr int kSourceCaption = 1499;
inline constexpr int kDestination = 1498;  // the destination list
}  // namespace system_copy

class CSystemDataCopyDlg : public QDialog {
  Q_OBJECT
public:
  // `source` is the zone whose settings are copied (0..31).
  explicit CSystemDataCopyDlg(int source, QWidget* parent = nullptr);

  int Source() const { return m_source; }
  // The destination zone 0..31 after OK; kNoZone after Cancel, Esc, closing,
  // or OK with a typed text that names no row.
  int Result() const { return m_result; }
  QComboBox* DestinationList() const { return m_list; }

  // The zone that row `row` of the list names: the rows list every zone but
  // the source, in zone order.
  static int ZoneOfRow(int row, int source) { return row < source ? row : row + 1; }

  void accept() override;
  void reject() override;

private:
  QComboBox* m_list;
  int m_source;
  int m_result = kNoZone;  // 255: nothing chosen
};
