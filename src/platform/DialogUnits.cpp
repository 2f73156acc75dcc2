#include "platform/DialogUnits.h"

#include <QApplication>
#include <QFontMetrics>

namespace {
// a * b / c rounded half away from zero.
int MulDivRound(int a, int b, int c) {
  const long long p = static_cast<long long>(a) * b;
  return static_cast<int>((p >= 0 ? p + c / 2 : p - c / 2) / c);
}
}  // namespace

QFont DialogFont(int pointSize) {
  QFont font = QApplication::font();
  font.setPointSize(pointSize);
  return font;
}

DialogUnits::DialogUnits(const QFont& font) {
  const QFontMetrics fm(font);
  // The average over the 52 letters, rounded, as dialog base units are measured.
  const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  baseX_ = std::max(1, (fm.horizontalAdvance(letters) / 26 + 1) / 2);
  baseY_ = std::max(1, fm.height());
}

int DialogUnits::ToPixelsX(int dlu) const { return MulDivRound(dlu, baseX_, 4); }
int DialogUnits::ToPixelsY(int dlu) const { return MulDivRound(dlu, baseY_, 8); }

QRect DialogUnits::ToPixels(int x, int y, int width, int height) const {
  return QRect(ToPixelsX(x), ToPixelsY(y), ToPixelsX(width), ToPixelsY(height));
}
