#pragma once
// Reading a recorded print: the texts at given places, the page count, and
// whether everything drawn lies on the page.
#include <optional>
#include <string>
#include <vector>

#include "RecordingCanvas.h"
#include "model/PrintPages.h"

// The text drawn with its top-left corner at (x, y), if any.
std::optional<std::string> TextAt(const std::vector<std::string>& calls, int x, int y);
// Where each drawing of the text lies: "x,y".
std::vector<std::string> PlacesOf(const std::vector<std::string>& calls, const std::string& text);
// How many times "StartPage" was recorded.
int PagesOf(const std::vector<std::string>& calls);
// The first recorded text, box or image that reaches outside the page of
// `width` by `height` (a text `charWidth` per character wide and
// `textHeight` high); empty when all lie inside.
std::string FirstOutside(const std::vector<std::string>& calls, int width, int height, int charWidth, int textHeight);

// The overprints of a recorded print, each described: two texts of a page
// whose rectangles overlap, and a text that runs over a box's edge (a text
// lies inside each box or apart from it).
std::vector<std::string> Overprints(const RecordingCanvas& canvas);

// The layout numbers the print command hands the routines for the recording
// canvas's font.
inline PrintLayout RecordingLayout(const RecordingCanvas& canvas) { return PrintLayoutOf(canvas.metrics); }
