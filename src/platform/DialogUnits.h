#pragma once
// Window layouts are given in dialog units of the dialog font: a horizontal
// unit is a quarter of the font's average character width, a vertical unit
// an eighth of its height.
#include <QFont>
#include <QRect>

// The desktop's default UI font at the given point size (templates ask for 8 or 9).
QFont DialogFont(int pointSize = 8);

class DialogUnits {
public:
  explicit DialogUnits(const QFont& font = DialogFont());
  int BaseX() const { return baseX_; }
  int BaseY() const { return baseY_; }
  int ToPixelsX(int dlu) const;
  int ToPixelsY(int dlu) const;
  QRect ToPixels(int x, int y, int width, int height) const;

private:
  int baseX_;
  int baseY_;
};
