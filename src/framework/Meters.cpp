#include "framework/Meters.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionSlider>
#include <algorithm>

namespace {
QColor Sys(QPalette::ColorRole role) { return QApplication::palette().color(role); }

// Halfway from `a` to `b`, per component.
QColor Between(const QColor& a, const QColor& b) {
  return QColor(a.red() + (b.red() - a.red()) / 2, a.green() + (b.green() - a.green()) / 2,
                a.blue() + (b.blue() - a.blue()) / 2);
}

// A line from (x1, y1) towards (x2, y2) without its last pixel, so that
// joined segments meet without overdrawing. Only straight lines occur.
void LineTo(QPainter& p, int x1, int y1, int x2, int y2) {
  const int dx = (x2 > x1) - (x2 < x1);
  const int dy = (y2 > y1) - (y2 < y1);
  if (dx == 0 && dy == 0) return;
  p.drawLine(x1, y1, x2 - dx, y2 - dy);
}

void Pixel(QPainter& p, const QColor& c, int x, int y) {
  p.setPen(c);
  p.drawPoint(x, y);
}

// The bevel of a meter bar (L, T, R, B with R and B just outside the bar).
void DrawBarBevel(QPainter& p, const CMeterProgress& m, int L, int T, int R, int B) {
  p.setPen(m.m_barColor);
  LineTo(p, L, T + 1, L, T);
  LineTo(p, L, T, R, T);
  LineTo(p, L + 1, B - 2, L + 1, T + 1);
  LineTo(p, R - 3, B - 3, R - 3, T + 1);
  Pixel(p, m.m_barColor, R - 2, T + 1);
  p.setPen(m.m_light1);
  LineTo(p, L + 2, B - 3, L + 2, T + 1);
  LineTo(p, R - 4, B - 3, R - 4, T + 1);
  Pixel(p, m.m_light1, L + 1, T + 1);
  Pixel(p, m.m_light1, R - 3, T + 1);
  p.setPen(m.m_light2);
  LineTo(p, L + 3, B - 3, L + 3, T + 1);
  LineTo(p, R - 5, B - 3, R - 5, T + 1);
  Pixel(p, m.m_light2, L + 2, T + 1);
  Pixel(p, m.m_light2, R - 4, T + 1);
  p.setPen(m.m_dark1);
  LineTo(p, L, B - 1, L, T + 1);
  LineTo(p, L + 2, B - 2, R - 2, B - 2);
  LineTo(p, R - 2, B - 2, R - 2, T + 1);
  Pixel(p, m.m_dark1, R - 1, T + 1);
  p.setPen(m.m_dark2);
  LineTo(p, L + 1, B - 1, R - 1, B - 1);
  LineTo(p, R - 1, B - 1, R - 1, T + 1);
}
}  // namespace

QColor LightenColor(const QColor& color, int amount) {
  auto up = [amount](int c) { return c + amount < 256 ? c + amount : c; };
  return QColor(up(color.red()), up(color.green()), up(color.blue()));
}

QColor DarkenColor(const QColor& color, int amount) {
  auto down = [amount](int c) { return c >= amount ? c - amount : c; };
  return QColor(down(color.red()), down(color.green()), down(color.blue()));
}

QRect MeterBarRect(const QRect& client, int lower, int upper, int position) {
  if (upper == lower) return QRect();
  const double share = static_cast<double>(position - lower) * client.height() / (upper - lower);
  const int height = std::clamp(static_cast<int>(share), 0, client.height());
  return QRect(client.x(), client.y() + client.height() - height, client.width(), height);
}

// ---- CMeterProgress ----

CMeterProgress::CMeterProgress(QWidget* parent) : QProgressBar(parent) {
  setOrientation(Qt::Vertical);
  setTextVisible(false);
  m_barColor = Sys(QPalette::Highlight);
  m_light1 = LightenColor(m_barColor, kShadeStep);
  m_light2 = LightenColor(m_light1, kShadeStep);
  m_light3 = LightenColor(m_light2, kShadeStep);
  m_dark1 = DarkenColor(m_barColor, kShadeStep);
  m_dark2 = DarkenColor(m_dark1, kShadeStep);
}

void CMeterProgress::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Sys(QPalette::Button));
  const QRect bar = MeterBarRect(rect(), minimum(), maximum(), value());
  if (bar.isEmpty()) return;
  p.fillRect(bar, m_light3);
  const int L = bar.x(), T = bar.y(), R = bar.x() + bar.width(), B = bar.y() + bar.height();
  if (bar.height() < 4) {
    p.setPen(m_dark1);
    p.setBrush(m_barColor);
    p.drawRect(L, T, R - L - 1, B - T - 1);
    return;
  }
  DrawBarBevel(p, *this, L, T, R, B);
}

// ---- CMeterSlider ----

CMeterSlider::CMeterSlider(QWidget* parent) : QSlider(Qt::Vertical, parent) {
  setTickPosition(QSlider::TicksBothSides);
  m_channelColor = Sys(QPalette::Base);
  m_selectionColor = Sys(QPalette::Highlight);
  const QColor face = Sys(QPalette::Button), shadow = Sys(QPalette::Dark), darkShadow = Sys(QPalette::Shadow);
  m_edgeDark = Between(shadow, darkShadow);
  m_edgeMid = Between(face, shadow);
  m_edgeLight = Sys(QPalette::Light);
  SetThumbColor(face);
}

void CMeterSlider::ComputeShades() {
  m_light1 = LightenColor(m_thumbColor, kShadeStep);
  m_light2 = LightenColor(m_light1, kShadeStep);
  m_dark1 = DarkenColor(m_thumbColor, kShadeStep);
  m_dark2 = DarkenColor(m_dark1, kShadeStep);
}

void CMeterSlider::SetThumbColor(const QColor& color) {
  m_thumbColor = color;
  ComputeShades();
  update();
}

void CMeterSlider::SetSelection(int start, int end) {
  selStart_ = start;
  selEnd_ = end;
  update();
}

QColor CMeterSlider::DrawnThumbColor() const {
  return isSliderDown() ? DarkenColor(m_thumbColor, kShadeStep) : m_thumbColor;
}

void CMeterSlider::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QStyleOptionSlider opt;
  initStyleOption(&opt);

  // The style draws the ticks; the channel and the thumb are ours.
  QStyleOptionSlider ticks = opt;
  ticks.subControls = QStyle::SC_SliderTickmarks;
  style()->drawComplexControl(QStyle::CC_Slider, &ticks, &p, this);

  QRect channel = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, this);
  const int shrink = (minimum() != 0 || maximum() != 0) ? 2 : 1;
  channel.adjust(0, shrink, 0, -shrink);
  p.setBrush(isEnabled() ? m_channelColor : Sys(QPalette::Button));
  p.setPen(channel.width() >= 4 ? QPen(m_edgeDark) : Qt::NoPen);
  p.drawRoundedRect(channel.adjusted(0, 0, -1, -1), 2, 2);
  const int l = channel.left(), t = channel.top(), r = channel.right(), b = channel.bottom();
  p.setPen(m_edgeMid);
  p.drawLine(l, t + 1, l, b - 1);
  p.drawLine(l + 1, t, r - 1, t);
  p.setPen(m_edgeLight);
  p.drawLine(r, t + 1, r, b - 1);
  p.drawLine(l + 1, b, r - 1, b);
  if (selStart_ < selEnd_ && maximum() > minimum()) {
    // A vertical slider has its minimum at the bottom.
    auto y = [&](int v) {
      return b - static_cast<int>(static_cast<double>(v - minimum()) * (b - t) / (maximum() - minimum()));
    };
    p.fillRect(QRect(QPoint(l + 1, y(selEnd_)), QPoint(r - 1, y(selStart_))), m_selectionColor);
  }

  // The thumb, one shade darker while pressed.
  const QRect thumb = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
  const QColor face = DrawnThumbColor();
  const QColor light1 = LightenColor(face, kShadeStep), light2 = LightenColor(light1, kShadeStep);
  const QColor dark1 = DarkenColor(face, kShadeStep), dark2 = DarkenColor(dark1, kShadeStep);
  p.setPen(Sys(QPalette::WindowText));
  p.setBrush(face);
  p.drawRoundedRect(thumb.adjusted(0, 0, -1, -1), 2, 2);
  const QRect in = thumb.adjusted(1, 1, -2, -2);
  p.setPen(light1);
  p.drawLine(in.left(), in.top(), in.right(), in.top());
  p.drawLine(in.left(), in.top(), in.left(), in.bottom());
  p.setPen(dark1);
  p.drawLine(in.left(), in.bottom(), in.right(), in.bottom());
  p.drawLine(in.right(), in.top(), in.right(), in.bottom());
  Pixel(p, light2, in.left(), in.top());
  Pixel(p, face, in.right(), in.top());
  Pixel(p, face, in.left(), in.bottom());
  Pixel(p, dark2, in.right(), in.bottom());
}
