#pragma once
// What the print routines draw on: the printer's page in its own device
// units, the way a printer device context is used. The print command owns
// the document; the routines start and end its pages. Tests record the calls.
#include <cstdint>
#include <string>
#include <vector>

// Left, top, right, bottom in device units; right and bottom are outside it.
struct PrintRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const PrintRect&) const = default;
};

enum class PenStyle { kSolid, kDash, kDot, kNone };

struct PrintPen {
  int width = 0;  // 0: one device pixel, however fine the device
  PenStyle style = PenStyle::kSolid;
  std::uint32_t rgb = 0x000000;
  bool operator==(const PrintPen&) const = default;
};

struct PrintFont {
  std::string face = "MS Sans Serif";
  int pointTenths = 100;
  // Tenths of a degree counter-clockwise; -900 runs the text down the page.
  int escapement = 0;
  bool operator==(const PrintFont&) const = default;
};

// The selected font's metrics, from which the print command lays out its lines.
struct PrintTextMetrics {
  int height = 0;  // ascent + descent
  int externalLeading = 0;
  int averageCharWidth = 0;
};

// The printable area in device units and the device's resolution.
struct PrintPageMetrics {
  int width = 0;
  int height = 0;
  int dotsPerInchX = 0;
  int dotsPerInchY = 0;
};

// A picture to print, such as a page grabbed from the screen.
struct PrintImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0xRRGGBB, row by row from the top
};

class IPrintCanvas {
public:
  virtual ~IPrintCanvas() = default;

  virtual void StartPage() = 0;
  // Harmless when no page is open: the print command ends the last page once more.
  virtual void EndPage() = 0;

  // Each returns what was selected before, for the caller to select back.
  virtual PrintPen SelectPen(const PrintPen& pen) = 0;
  virtual PrintFont SelectFont(const PrintFont& font) = 0;
  virtual PrintFont SelectedFont() const = 0;

  virtual PrintTextMetrics TextMetrics() const = 0;
  virtual PrintPageMetrics PageMetrics() const = 0;
  // How far the text runs in the selected font; without the font's own
  // widths, its average character width for each character.
  virtual int TextWidth(const std::string& text) const {
    return TextMetrics().averageCharWidth * static_cast<int>(text.size());
  }

  // The text's top-left corner (before any escapement) at (x, y), black.
  virtual void TextOut(int x, int y, const std::string& text) = 0;
  // Outlined with the selected pen and filled white, as a printer's default
  // brush does: draw a box before the text that goes in it.
  virtual void Rectangle(const PrintRect& box) = 0;
  // The image stretched over the target.
  virtual void DrawImage(const PrintRect& target, const PrintImage& image) = 0;
};
