#pragma once
// The bottom-right grip that resizes the window it sits in (control 59936).
#include <QSizeGrip>

inline constexpr int kSizeGripId = 59936;

class CSizeGrip : public QSizeGrip {
public:
  explicit CSizeGrip(QWidget* parent);
  // Keeps the grip's size and puts its bottom-right corner on the corner of
  // `client` (in the parent's coordinates).
  void MoveToCorner(const QRect& client);
};
