#pragma once
// What each print command prints, and how a print is laid out on a device:
// once on a canvas that only measures, to learn its pages and how far it
// reaches, then on the device, scaled down when the widest table would run
// past the paintable width. Free of Qt, so the layout is tested on a
// recording canvas.
#include <functional>
#include <string>

#include "model/FamilyModel.h"
#include "model/PrintCanvas.h"
#include "model/PrintPages.h"

// The print kinds of the "&Print" menu's table commands.
enum class PrintKind : int {
  kGlobal = 0,
  kZone = 1,
  kRfChannels = 4,
  kDtmf = 5,
  kFiveToneTable = 6,
  kFiveToneCodes = 7,
};

// A whole printed document: the routines of a print kind with the layout
// numbers of the selected font.
using PrintRoutine = std::function<void(IPrintCanvas& canvas, const PrintLayout& layout)>;

// The routine of a kind for the model's family; empty while none is built.
PrintRoutine PrintRoutineOf(PrintKind kind, const CFamilyModel& model);
// The point size (tenths) the kind's tables are laid out for.
int PrintPointTenths(PrintKind kind);

// A picture placed at (50, 50) with 6 device units per pixel.
PrintRect PicturePlacement(const PrintImage& image);
// Prints the picture there: "No bitmap defined." (std::runtime_error) for an empty one.
void PrintPicture(IPrintCanvas& canvas, const PrintImage& image);

struct PrintPlan {
  int pages = 0;       // 0: the document draws nothing
  double scale = 1.0;  // at most 1
  PrintLayout layout;
};

// Runs the routine on `measure` (a canvas of the device that need not draw)
// and finds the scale at which every page fits the paintable area.
PrintPlan PlanPrint(IPrintCanvas& measure, int pointTenths, const PrintRoutine& routine);
// Prints the planned document on the device; returns its pages.
int DrawPrint(IPrintCanvas& device, int pointTenths, const PrintPlan& plan, const PrintRoutine& routine);
