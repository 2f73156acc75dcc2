#include "framework/QtPrintCanvas.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <utility>

namespace {

QPen ToQPen(const PrintPen& pen) {
  Qt::PenStyle style = Qt::SolidLine;
  switch (pen.style) {
    case PenStyle::kSolid: style = Qt::SolidLine; break;
    case PenStyle::kDash: style = Qt::DashLine; break;
    case PenStyle::kDot: style = Qt::DotLine; break;
    case PenStyle::kNone: style = Qt::NoPen; break;
  }
  return QPen(QBrush(QColor::fromRgb(pen.rgb)), pen.width, style, Qt::SquareCap, Qt::MiterJoin);
}

QFont ToQFont(const PrintFont& font) {
  QFont f(QString::fromLatin1(font.face));
  f.setStyleHint(QFont::SansSerif);  // the face is seldom installed here
  f.setPointSizeF(font.pointTenths / 10.0);
  return f;
}

PrintTextMetrics MetricsOf(const QFont& font, QPaintDevice* device) {
  const QFontMetrics fm(font, device);
  return {fm.ascent() + fm.descent(), fm.leading(), fm.averageCharWidth()};
}

PrintPageMetrics PageOf(const QPaintDevice* device) {
  return {device->width(), device->height(), device->logicalDpiX(), device->logicalDpiY()};
}

int WidthOf(const QFont& font, QPaintDevice* device, const std::string& text) {
  return QFontMetrics(font, device).horizontalAdvance(QString::fromLatin1(text));
}

QRect ToQRect(const PrintRect& r) { return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)); }

}  // namespace

QtPrintCanvas::QtPrintCanvas(QPaintDevice* device) : m_device(device), m_painter(device) {
  m_painter.setPen(ToQPen(m_pen));
  m_painter.setFont(ToQFont(m_font));
}

QtPrintCanvas::~QtPrintCanvas() {
  if (m_painter.isActive()) m_painter.end();
}

void QtPrintCanvas::StartPage() {
  auto* paged = dynamic_cast<QPagedPaintDevice*>(m_device);
  // The device opens with its first sheet.
  if (m_pageStarted && paged != nullptr) paged->newPage();
  m_pageStarted = true;
}

void QtPrintCanvas::EndPage() {}

PrintPen QtPrintCanvas::SelectPen(const PrintPen& pen) {
  const PrintPen old = m_pen;
  m_pen = pen;
  m_painter.setPen(ToQPen(pen));
  return old;
}

PrintFont QtPrintCanvas::SelectFont(const PrintFont& font) {
  const PrintFont old = m_font;
  m_font = font;
  m_painter.setFont(ToQFont(font));
  return old;
}

PrintTextMetrics QtPrintCanvas::TextMetrics() const { return MetricsOf(ToQFont(m_font), m_device); }

PrintPageMetrics QtPrintCanvas::PageMetrics() const { return PageOf(m_device); }

int QtPrintCanvas::TextWidth(const std::string& text) const { return WidthOf(ToQFont(m_font), m_device, text); }

void QtPrintCanvas::TextOut(int x, int y, const std::string& text) {
  const QFontMetrics fm(m_painter.font(), m_device);
  m_painter.save();
  m_painter.setPen(Qt::black);
  m_painter.translate(x, y);
  m_painter.rotate(-m_font.escapement / 10.0);
  m_painter.drawText(QPoint(0, fm.ascent()), QString::fromLatin1(text));
  m_painter.restore();
}

void QtPrintCanvas::Rectangle(const PrintRect& box) {
  m_painter.setBrush(Qt::white);
  m_painter.drawRect(ToQRect(box).adjusted(0, 0, -1, -1));
  m_painter.setBrush(Qt::NoBrush);
}

void QtPrintCanvas::DrawImage(const PrintRect& target, const PrintImage& image) {
  const auto w = static_cast<std::size_t>(image.width);
  if (image.width <= 0 || image.height <= 0 || image.pixels.size() < w * static_cast<std::size_t>(image.height)) return;
  QImage picture(image.width, image.height, QImage::Format_RGB32);
  for (int y = 0; y < image.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
    const std::uint32_t* row = image.pixels.data() + static_cast<std::size_t>(y) * w;
    for (int x = 0; x < image.width; ++x) line[x] = 0xFF000000u | row[x];
  }
  m_painter.drawImage(ToQRect(target), picture);
}

PrintPen QtMeasureCanvas::SelectPen(const PrintPen& pen) { return std::exchange(m_pen, pen); }
PrintFont QtMeasureCanvas::SelectFont(const PrintFont& font) { return std::exchange(m_font, font); }
PrintTextMetrics QtMeasureCanvas::TextMetrics() const { return MetricsOf(ToQFont(m_font), m_device); }
PrintPageMetrics QtMeasureCanvas::PageMetrics() const { return PageOf(m_device); }
int QtMeasureCanvas::TextWidth(const std::string& text) const { return WidthOf(ToQFont(m_font), m_device, text); }

PrintImage ToPrintImage(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  PrintImage out{rgb.width(), rgb.height(), {}};
  out.pixels.reserve(static_cast<std::size_t>(rgb.width()) * static_cast<std::size_t>(rgb.height()));
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) out.pixels.push_back(line[x] & 0xFFFFFFu);
  }
  return out;
}
