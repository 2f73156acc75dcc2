#pragma once
// What the radio-wide pages of the 367 x 300 template share in their layout:
// two columns of boxes, and rows with two controls side by side.
#include <QWidget>

#include "framework/SettingsPage.h"

namespace radio_layout {
inline constexpr int kColumnWidth = 176;
inline constexpr SettingsColumn kLeftColumn = {6, 6, kColumnWidth};
inline constexpr SettingsColumn kRightColumn = {186, 6, kColumnWidth};

// Splits the place of a row's control in two halves, the second for
// `second`, after taking `borrow` pixels from the label's room on its left:
// a short label leaves two lists room enough for their texts.
inline void SplitRow(QWidget* first, QWidget* second, int borrow = 0) {
  QRect g = first->geometry();
  g.setLeft(g.left() - borrow);
  const int half = (g.width() - 3) / 2;
  first->setGeometry(g.x(), g.y(), half, g.height());
  second->setGeometry(g.x() + half + 3, g.y(), g.width() - half - 3, g.height());
}
}  // namespace radio_layout
