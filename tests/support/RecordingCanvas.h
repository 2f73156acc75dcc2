#pragma once
// A print canvas for tests: every call becomes one readable line, so a print
// routine is checked by comparing a few lines with the layout it should draw:
//   StartPage / EndPage
//   Pen 4 solid #000000
//   Font "MS Sans Serif" 80 -900
//   Text 10,20 "Zone No. 001"
//   Rect 10,20,100,40
//   Image 50,50,3000,1800 500x300
// The metrics it answers are plain fields a test may set.
#include <string>
#include <vector>

#include "model/PrintCanvas.h"

class RecordingCanvas : public IPrintCanvas {
public:
  void StartPage() override;
  void EndPage() override;
  PrintPen SelectPen(const PrintPen& pen) override;
  PrintFont SelectFont(const PrintFont& font) override;
  PrintTextMetrics TextMetrics() const override { return metrics; }
  PrintPageMetrics PageMetrics() const override { return page; }
  void TextOut(int x, int y, const std::string& text) override;
  void Rectangle(const PrintRect& box) override;
  void DrawImage(const PrintRect& target, const PrintImage& image) override;

  std::vector<std::string> calls;
  // A 9-point font and a letter page on a 600 dpi printer.
  PrintTextMetrics metrics{75, 0, 31};
  PrintPageMetrics page{4800, 6350, 600, 600};

private:
  PrintPen m_pen;
  PrintFont m_font;
};
