#pragma once
// The alignment windows' bar meters and adjustment slider. Both derive their
// shading from one base colour with the same two helpers; the owner sets
// ranges and positions, the controls only draw.
#include <QColor>
#include <QProgressBar>
#include <QRect>
#include <QSlider>

// Raises each of red, green and blue by `amount` where the sum stays below
// 256; a component that would overflow is left as it is (not clipped).
QColor LightenColor(const QColor& color, int amount);
// Lowers each component by `amount` where it is at least `amount`.
QColor DarkenColor(const QColor& color, int amount);

inline constexpr int kShadeStep = 51;

// The bar of a vertical meter within `client`: from the bottom up to the
// position's share of the range. Empty for a position at the lower end, and
// for a range whose ends are equal (there is nothing to measure against).
QRect MeterBarRect(const QRect& client, int lower, int upper, int position);

// A vertical bar meter with a bevelled bar in shades of the highlight colour.
class CMeterProgress : public QProgressBar {
public:
  explicit CMeterProgress(QWidget* parent = nullptr);
  QColor m_barColor, m_light1, m_light2, m_light3, m_dark1, m_dark2;

protected:
  void paintEvent(QPaintEvent* event) override;
};

// A vertical slider with ticks on both sides, drawn with its own thumb and
// channel; the thumb is one shade darker while pressed.
class CMeterSlider : public QSlider {
public:
  explicit CMeterSlider(QWidget* parent = nullptr);
  void SetThumbColor(const QColor& color);
  // The part of the channel shown in the selection colour; none while start >= end.
  void SetSelection(int start, int end);
  // The thumb's colour as it is drawn now.
  QColor DrawnThumbColor() const;

  QColor m_thumbColor, m_channelColor, m_selectionColor;
  QColor m_light1, m_light2, m_dark1, m_dark2;
  QColor m_edgeDark, m_edgeMid, m_edgeLight;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  void ComputeShades();
  int selStart_ = 0;
  int selEnd_ = 0;
};
