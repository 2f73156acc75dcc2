#include "RecordingCanvas.h"

#include <cstdio>

namespace {

std::string Corners(const PrintRect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

const char* StyleName(PenStyle style) {
  switch (style) {
    case PenStyle::kSolid: return "solid";
    case PenStyle::kDash: return "dash";
    case PenStyle::kDot: return "dot";
    case PenStyle::kNone: return "none";
  }
  return "?";
}

}  // namespace

void RecordingCanvas::StartPage() {
  calls.emplace_back("StartPage");
  ++pages_;
}
void RecordingCanvas::EndPage() { calls.emplace_back("EndPage"); }

PrintPen RecordingCanvas::SelectPen(const PrintPen& pen) {
  char rgb[8];
  std::snprintf(rgb, sizeof rgb, "%06X", static_cast<unsigned>(pen.rgb & 0xFFFFFF));
  calls.push_back("Pen " + std::to_string(pen.width) + " " + StyleName(pen.style) + " #" + rgb);
  const PrintPen old = m_pen;
  m_pen = pen;
  return old;
}

PrintFont RecordingCanvas::SelectFont(const PrintFont& font) {
  calls.push_back("Font \"" + font.face + "\" " + std::to_string(font.pointTenths) + " " +
                  std::to_string(font.escapement));
  const PrintFont old = m_font;
  m_font = font;
  if (measure != nullptr) measure->SelectFont(font);
  return old;
}

PrintTextMetrics RecordingCanvas::TextMetrics() const {
  if (measure != nullptr) return measure->TextMetrics();
  if (metricsPointTenths <= 0 || m_font.pointTenths == metricsPointTenths) return metrics;
  const auto scaled = [this](int v) { return v * m_font.pointTenths / metricsPointTenths; };
  return {scaled(metrics.height), scaled(metrics.externalLeading), scaled(metrics.averageCharWidth)};
}

int RecordingCanvas::TextWidth(const std::string& text) const {
  if (measure != nullptr) return measure->TextWidth(text);
  return TextMetrics().averageCharWidth * static_cast<int>(text.size());
}

void RecordingCanvas::TextOut(int x, int y, const std::string& text) {
  calls.push_back("Text " + std::to_string(x) + "," + std::to_string(y) + " \"" + text + "\"");
  const int width = TextWidth(text);
  const int height = TextMetrics().height;
  const PrintRect rect = m_font.escapement == -900 ? PrintRect{x - height, y, x, y + width}
                                                   : PrintRect{x, y, x + width, y + height};
  texts.push_back({pages_, rect, text});
}

void RecordingCanvas::Rectangle(const PrintRect& box) {
  calls.push_back("Rect " + Corners(box));
  boxes.push_back({pages_, box, {}});
}

void RecordingCanvas::DrawImage(const PrintRect& target, const PrintImage& image) {
  calls.push_back("Image " + Corners(target) + " " + std::to_string(image.width) + "x" +
                  std::to_string(image.height));
}
