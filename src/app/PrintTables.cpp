#include "app/PrintTables.h"

#include <algorithm>
#include <stdexcept>

#include "model/ListPrints.h"
#include "model/ZonePrint.h"
#include "pages/radio/RadioPrints.h"

namespace {

constexpr int kRightTableColumns = 55;  // the Global 2 table stands right of Global 1
constexpr int kPicturePixel = 6;
constexpr int kPictureCorner = 50;
// What the fitted drawing keeps free of the paintable edge, for rounding.
constexpr double kFitMargin = 0.995;

PrintRoutine GlobalPrint(const CFamilyModel& model) {
  return [&model](IPrintCanvas& canvas, const PrintLayout& l) {
    PrintGlobal1Page(canvas, model, l.u, l.x0, l.h, l.p);
    PrintGlobal2Page(canvas, model, l.u, l.x0 + kRightTableColumns * l.u, l.h, l.p);
    if (model.family == kMobile) PrintMobileSpecial(canvas, model, l.u, l.x0, l.h, l.p);
  };
}

}  // namespace

PrintRoutine PrintRoutineOf(PrintKind kind, const CFamilyModel& model) {
  switch (kind) {
    case PrintKind::kGlobal: return GlobalPrint(model);
    case PrintKind::kRfChannels:
      return [&model](IPrintCanvas& canvas, const PrintLayout& l) {
        if (model.family == kMobile)
          PrintMobileRfChannelList(canvas, model, l.u, l.x0, l.h, l.p);
        else
          PrintPortableRfChannelList(canvas, model, l.u, l.x0, l.h, l.p);
      };
    case PrintKind::kDtmf:
      return [&model](IPrintCanvas& canvas, const PrintLayout& l) { PrintDtmfAniPage(canvas, model, l.u, l.x0, l.h, l.p); };
    case PrintKind::kFiveToneTable:
      return [&model](IPrintCanvas& canvas, const PrintLayout& l) { PrintFiveToneTable(canvas, model, l.u, l.x0, l.h, l.p); };
    case PrintKind::kFiveToneCodes:
      return [&model](IPrintCanvas& canvas, const PrintLayout& l) { PrintFiveToneCodes(canvas, model, l.u, l.x0, l.h, l.p); };
    case PrintKind::kZone:
      return [&model](IPrintCanvas& canvas, const PrintLayout& l) { PrintSystemTable(canvas, model, l.u, l.x0, l.h, l.p); };
  }
  return {};
}

int PrintPointTenths(PrintKind kind) { return kind == PrintKind::kZone ? kZoneTablePointTenths : kTablePointTenths; }

PrintRect PicturePlacement(const PrintImage& image) {
  return {kPictureCorner, kPictureCorner, kPicturePixel * image.width, kPicturePixel * image.height};
}

void PrintPicture(IPrintCanvas& canvas, const PrintImage& image) {
  if (image.width <= 0 || image.height <= 0) throw std::runtime_error("No bitmap defined.");
  canvas.StartPage();
  canvas.DrawImage(PicturePlacement(image), image);
  canvas.EndPage();
}

PrintPlan PlanPrint(IPrintCanvas& measure, int pointTenths, const PrintRoutine& routine) {
  CPagedCanvas paged(measure);
  const PrintFont old = paged.SelectFont({.pointTenths = pointTenths});
  PrintPlan plan;
  plan.layout = PrintLayoutOf(paged.TextMetrics());
  routine(paged, plan.layout);
  paged.SelectFont(old);
  paged.EndPage();
  plan.pages = paged.Pages();
  const PrintExtent reach = paged.Extent();
  const PrintPageMetrics page = paged.PageMetrics();
  if (reach.right > page.width && reach.right > 0)
    plan.scale = std::min(plan.scale, kFitMargin * page.width / reach.right);
  if (reach.bottom > page.height && reach.bottom > 0)
    plan.scale = std::min(plan.scale, kFitMargin * page.height / reach.bottom);
  return plan;
}

int DrawPrint(IPrintCanvas& device, int pointTenths, const PrintPlan& plan, const PrintRoutine& routine) {
  CPagedCanvas paged(device, plan.scale);
  const PrintFont old = paged.SelectFont({.pointTenths = pointTenths});
  routine(paged, plan.layout);
  paged.SelectFont(old);
  paged.EndPage();
  return paged.Pages();
}
