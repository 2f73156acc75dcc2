#pragma once
// A print canvas for tests: every call becomes one readable line, so a print
// routine is checked by comparing a few lines with the layout it should draw:
//   StartPage / EndPage
//   Pen 4 solid #000000
//   Font "MS Sans Serif" 80 -900
//   Text 10,20 "Zone No. 001"
//   Rect 10,20,100,40
//   Image 50,50,3000,1800 500x300
// The metrics it answers are plain fields a test may set, whatever font is
// selected, unless the test says which size they are for (then they follow
// the selected size) or hands it a canvas to measure with (a real font's
// widths). Each text and box
// is also kept with the rectangle it takes, for the overprint checks.
#include <string>
#include <vector>

#include "model/PrintCanvas.h"

class RecordingCanvas : public IPrintCanvas {
public:
  void StartPage() override;
  void EndPage() override;
  PrintPen SelectPen(const PrintPen& pen) override;
  PrintFont SelectFont(const PrintFont& font) override;
  PrintFont SelectedFont() const override { return m_font; }
  PrintTextMetrics TextMetrics() const override;
  PrintPageMetrics PageMetrics() const override { return page; }
  int TextWidth(const std::string& text) const override;
  void TextOut(int x, int y, const std::string& text) override;
  void Rectangle(const PrintRect& box) override;
  void DrawImage(const PrintRect& target, const PrintImage& image) override;

  std::vector<std::string> calls;
  // A 9-point font and a letter page on a 600 dpi printer.
  PrintTextMetrics metrics{75, 0, 31};
  PrintPageMetrics page{4800, 6350, 600, 600};
  // When set, the size in tenths of a point that `metrics` are for.
  int metricsPointTenths = 0;
  // Measures fonts and texts when set; its font follows this canvas's.
  IPrintCanvas* measure = nullptr;

  // What each text covers on its page (a turned text runs down from its
  // point, its lower side to the left), and each box.
  struct Drawn {
    int page = 0;
    PrintRect rect;
    std::string text;  // empty for a box
  };
  std::vector<Drawn> texts;
  std::vector<Drawn> boxes;

private:
  int pages_ = 0;
  PrintPen m_pen;
  PrintFont m_font;
};
