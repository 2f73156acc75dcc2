#pragma once
// The print canvas on a QPainter: a printer, a PDF writer or an image. Paged
// devices get a new sheet at each page after the first; any other device
// draws every page on its one surface.
#include <QImage>
#include <QPainter>

#include "model/PrintCanvas.h"

class QPaintDevice;

class QtPrintCanvas : public IPrintCanvas {
public:
  // Paints on the device from here until the canvas is destroyed: on a
  // printer that is the document.
  explicit QtPrintCanvas(QPaintDevice* device);
  ~QtPrintCanvas() override;
  QtPrintCanvas(const QtPrintCanvas&) = delete;
  QtPrintCanvas& operator=(const QtPrintCanvas&) = delete;

  // False when the device would not start, such as a printer that is gone.
  bool IsActive() const { return m_painter.isActive(); }

  void StartPage() override;
  void EndPage() override;
  PrintPen SelectPen(const PrintPen& pen) override;
  PrintFont SelectFont(const PrintFont& font) override;
  PrintFont SelectedFont() const override { return m_font; }
  PrintTextMetrics TextMetrics() const override;
  PrintPageMetrics PageMetrics() const override;
  int TextWidth(const std::string& text) const override;
  void TextOut(int x, int y, const std::string& text) override;
  void Rectangle(const PrintRect& box) override;
  void DrawImage(const PrintRect& target, const PrintImage& image) override;

private:
  QPaintDevice* m_device;
  QPainter m_painter;
  PrintPen m_pen;
  PrintFont m_font;
  bool m_pageStarted = false;
};

// The measures of a device without painting on it: fonts, text and page
// metrics answer as on a QtPrintCanvas of the device, and drawing does
// nothing. A print is laid out on it before its job starts.
class QtMeasureCanvas : public IPrintCanvas {
public:
  explicit QtMeasureCanvas(QPaintDevice* device) : m_device(device) {}

  void StartPage() override {}
  void EndPage() override {}
  PrintPen SelectPen(const PrintPen& pen) override;
  PrintFont SelectFont(const PrintFont& font) override;
  PrintFont SelectedFont() const override { return m_font; }
  PrintTextMetrics TextMetrics() const override;
  PrintPageMetrics PageMetrics() const override;
  int TextWidth(const std::string& text) const override;
  void TextOut(int, int, const std::string&) override {}
  void Rectangle(const PrintRect&) override {}
  void DrawImage(const PrintRect&, const PrintImage&) override {}

private:
  QPaintDevice* m_device;
  PrintPen m_pen;
  PrintFont m_font;
};

// A picture for the canvas, such as a page from QWidget::grab().
PrintImage ToPrintImage(const QImage& image);
