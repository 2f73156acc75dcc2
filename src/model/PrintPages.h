#pragma once
// What every printed table shares: the layout numbers the print command
// hands each print routine, and the page rules of a printed document.
#include <string>

#include "model/PrintCanvas.h"

// The print font: the point sizes the tables are laid out for.
inline constexpr int kTablePointTenths = 90;
inline constexpr int kZoneTablePointTenths = 80;

// The numbers every print routine is called with, in device units: the
// average character width u, the left edge x0 (four characters in), the
// line step h and the top pad p. Line n of a table lies at p + n * h.
struct PrintLayout {
  int u = 0;
  int x0 = 0;
  int h = 0;
  int p = 0;
};
// From the selected font: L = height + external leading, p = L / 6,
// h = L + 2p, u = the average character width.
PrintLayout PrintLayoutOf(const PrintTextMetrics& metrics);

// The part of the page something was drawn on, in the canvas's units.
struct PrintExtent {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// A document's pages over a device canvas, whatever order the routines
// start and end them in:
//  - a page start with nothing drawn since the last one does nothing;
//  - a page start after drawing ends that page;
//  - drawing with no page open opens one;
//  - a page end with no page open does nothing.
// So a page is opened on the device only when something is drawn on it, and
// a document that draws nothing has no page at all.
//
// Everything is drawn `scale` times its size (fonts and pens too), and the
// metrics read back are the device's divided by it, so a routine lays out
// a table as if the page were that much larger.
class CPagedCanvas : public IPrintCanvas {
public:
  explicit CPagedCanvas(IPrintCanvas& device, double scale = 1.0);

  void StartPage() override;
  void EndPage() override;
  PrintPen SelectPen(const PrintPen& pen) override;
  PrintFont SelectFont(const PrintFont& font) override;
  PrintFont SelectedFont() const override { return font_; }
  PrintTextMetrics TextMetrics() const override;
  PrintPageMetrics PageMetrics() const override;
  int TextWidth(const std::string& text) const override;
  void TextOut(int x, int y, const std::string& text) override;
  void Rectangle(const PrintRect& box) override;
  void DrawImage(const PrintRect& target, const PrintImage& image) override;

  // Pages opened so far.
  int Pages() const { return pages_; }
  // How far the drawing has reached on any page, in the routines' units.
  PrintExtent Extent() const { return extent_; }

private:
  void Drawing(int left, int top, int right, int bottom);
  int Scaled(int v) const;
  int Unscaled(int v) const;

  IPrintCanvas& device_;
  double scale_;
  PrintPen pen_;
  PrintFont font_;
  bool open_ = false;
  bool drawn_ = false;
  int pages_ = 0;
  PrintExtent extent_;
};
