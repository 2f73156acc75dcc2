#include "PrintedText.h"

#include <cstdio>

std::optional<std::string> TextAt(const std::vector<std::string>& calls, int x, int y) {
  const std::string head = "Text " + std::to_string(x) + "," + std::to_string(y) + " \"";
  for (const std::string& call : calls)
    if (call.rfind(head, 0) == 0) return call.substr(head.size(), call.size() - head.size() - 1);
  return std::nullopt;
}

std::vector<std::string> PlacesOf(const std::vector<std::string>& calls, const std::string& text) {
  std::vector<std::string> places;
  const std::string tail = " \"" + text + "\"";
  for (const std::string& call : calls)
    if (call.rfind("Text ", 0) == 0 && call.size() > tail.size() &&
        call.compare(call.size() - tail.size(), tail.size(), tail) == 0)
      places.push_back(call.substr(5, call.size() - 5 - tail.size()));
  return places;
}

int PagesOf(const std::vector<std::string>& calls) {
  int pages = 0;
  for (const std::string& call : calls) pages += call == "StartPage" ? 1 : 0;
  return pages;
}

std::string FirstOutside(const std::vector<std::string>& calls, int width, int height, int charWidth, int textHeight) {
  bool turned = false;  // the font runs the text down the page
  for (const std::string& call : calls) {
    int l = 0, t = 0, r = 0, b = 0;
    if (call.rfind("Font ", 0) == 0) {
      turned = call.size() > 5 && call.compare(call.size() - 5, 5, " -900") == 0;
      continue;
    }
    if (call.rfind("Text ", 0) == 0) {
      if (std::sscanf(call.c_str(), "Text %d,%d", &l, &t) != 2) return call;
      const auto open = call.find('"');
      const int length = static_cast<int>(call.size() - open - 2) * charWidth;
      r = turned ? l : l + length;
      b = turned ? t + length : t + textHeight;
      if (turned) l -= textHeight;
    } else if (call.rfind("Rect ", 0) == 0) {
      if (std::sscanf(call.c_str(), "Rect %d,%d,%d,%d", &l, &t, &r, &b) != 4) return call;
    } else if (call.rfind("Image ", 0) == 0) {
      if (std::sscanf(call.c_str(), "Image %d,%d,%d,%d", &l, &t, &r, &b) != 4) return call;
    } else {
      continue;
    }
    if (l < 0 || t < 0 || r > width || b > height) return call;
  }
  return {};
}

namespace {

bool Overlap(const PrintRect& a, const PrintRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const PrintRect& in, const PrintRect& out) {
  return in.left >= out.left && in.right <= out.right && in.top >= out.top && in.bottom <= out.bottom;
}

std::string Describe(const RecordingCanvas::Drawn& d) {
  return (d.text.empty() ? std::string("box") : "\"" + d.text + "\"") + " " + std::to_string(d.rect.left) + "," +
         std::to_string(d.rect.top) + "," + std::to_string(d.rect.right) + "," + std::to_string(d.rect.bottom) +
         " on page " + std::to_string(d.page);
}

}  // namespace

std::vector<std::string> Overprints(const RecordingCanvas& canvas) {
  std::vector<std::string> found;
  const auto& texts = canvas.texts;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (texts[i].text.empty()) continue;
    for (std::size_t j = i + 1; j < texts.size(); ++j)
      if (!texts[j].text.empty() && texts[j].page == texts[i].page && Overlap(texts[i].rect, texts[j].rect))
        found.push_back(Describe(texts[i]) + " overlaps " + Describe(texts[j]));
    for (const RecordingCanvas::Drawn& box : canvas.boxes)
      if (box.page == texts[i].page && Overlap(texts[i].rect, box.rect) && !Inside(texts[i].rect, box.rect))
        found.push_back(Describe(texts[i]) + " runs over the edge of " + Describe(box));
  }
  return found;
}
