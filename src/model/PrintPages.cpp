#include "model/PrintPages.h"

#include <algorithm>
#include <cmath>

PrintLayout PrintLayoutOf(const PrintTextMetrics& metrics) {
  const int line = metrics.height + metrics.externalLeading;
  const int pad = line / 6;
  return {metrics.averageCharWidth, 4 * metrics.averageCharWidth, line + 2 * pad, pad};
}

CPagedCanvas::CPagedCanvas(IPrintCanvas& device, double scale) : device_(device), scale_(scale > 0 ? scale : 1.0) {}

int CPagedCanvas::Scaled(int v) const { return static_cast<int>(std::lround(v * scale_)); }
int CPagedCanvas::Unscaled(int v) const { return static_cast<int>(std::lround(v / scale_)); }

void CPagedCanvas::StartPage() { EndPage(); }

void CPagedCanvas::EndPage() {
  if (!open_) return;
  device_.EndPage();
  open_ = false;
}

PrintPen CPagedCanvas::SelectPen(const PrintPen& pen) {
  const PrintPen old = pen_;
  pen_ = pen;
  PrintPen scaled = pen;
  scaled.width = Scaled(pen.width);
  device_.SelectPen(scaled);
  return old;
}

PrintFont CPagedCanvas::SelectFont(const PrintFont& font) {
  const PrintFont old = font_;
  font_ = font;
  PrintFont scaled = font;
  scaled.pointTenths = std::max(1, Scaled(font.pointTenths));
  device_.SelectFont(scaled);
  return old;
}

PrintTextMetrics CPagedCanvas::TextMetrics() const {
  const PrintTextMetrics m = device_.TextMetrics();
  return {Unscaled(m.height), Unscaled(m.externalLeading), Unscaled(m.averageCharWidth)};
}

PrintPageMetrics CPagedCanvas::PageMetrics() const {
  const PrintPageMetrics m = device_.PageMetrics();
  return {Unscaled(m.width), Unscaled(m.height), Unscaled(m.dotsPerInchX), Unscaled(m.dotsPerInchY)};
}

int CPagedCanvas::TextWidth(const std::string& text) const { return Unscaled(device_.TextWidth(text)); }

void CPagedCanvas::Drawing(int left, int top, int right, int bottom) {
  if (!open_) {
    device_.StartPage();
    open_ = true;
    ++pages_;
  }
  if (!drawn_) extent_ = {left, top, right, bottom};
  drawn_ = true;
  extent_.left = std::min(extent_.left, left);
  extent_.top = std::min(extent_.top, top);
  extent_.right = std::max(extent_.right, right);
  extent_.bottom = std::max(extent_.bottom, bottom);
}

void CPagedCanvas::TextOut(int x, int y, const std::string& text) {
  const int width = TextWidth(text);
  const int height = TextMetrics().height;
  // Text turned down the page runs from its point downwards, its lower side to the left.
  if (font_.escapement == -900)
    Drawing(x - height, y, x, y + width);
  else
    Drawing(x, y, x + width, y + height);
  device_.TextOut(Scaled(x), Scaled(y), text);
}

void CPagedCanvas::Rectangle(const PrintRect& box) {
  // The pen straddles the outline.
  const int half = pen_.width / 2;
  Drawing(box.left - half, box.top - half, box.right + half, box.bottom + half);
  device_.Rectangle({Scaled(box.left), Scaled(box.top), Scaled(box.right), Scaled(box.bottom)});
}

void CPagedCanvas::DrawImage(const PrintRect& target, const PrintImage& image) {
  Drawing(target.left, target.top, target.right, target.bottom);
  device_.DrawImage({Scaled(target.left), Scaled(target.top), Scaled(target.right), Scaled(target.bottom)}, image);
}
