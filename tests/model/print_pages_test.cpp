#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "PrintedText.h"
#include "RecordingCanvas.h"
#include "model/PrintPages.h"
#include "model/PrintTable.h"

namespace {

using Calls = std::vector<std::string>;

Calls Paged(const std::function<void(IPrintCanvas&)>& routine, int* pages = nullptr) {
  RecordingCanvas device;
  CPagedCanvas paged(device);
  routine(paged);
  paged.EndPage();  // as the print command ends the last page
  if (pages != nullptr) *pages = paged.Pages();
  return device.calls;
}

}  // namespace

TEST(PagedCanvas, PagesOpenWhereSomethingIsDrawnWhateverTheRoutinesStartAndEnd) {
  struct Case {
    const char* what;
    std::function<void(IPrintCanvas&)> routine;
    Calls calls;
    int pages;
  };
  const Case cases[] = {
      {"nothing drawn: no page", [](IPrintCanvas& c) { c.StartPage(); c.EndPage(); c.EndPage(); }, {}, 0},
      {"drawing without a page start opens one",
       [](IPrintCanvas& c) { c.TextOut(1, 2, "A"); },
       {"StartPage", "Text 1,2 \"A\"", "EndPage"}, 1},
      {"a start on an untouched page does nothing",
       [](IPrintCanvas& c) { c.StartPage(); c.StartPage(); c.TextOut(1, 2, "A"); c.EndPage(); c.EndPage(); },
       {"StartPage", "Text 1,2 \"A\"", "EndPage"}, 1},
      {"a start after drawing ends the page",
       [](IPrintCanvas& c) { c.Rectangle({1, 2, 3, 4}); c.StartPage(); c.TextOut(5, 6, "B"); },
       {"StartPage", "Rect 1,2,3,4", "EndPage", "StartPage", "Text 5,6 \"B\"", "EndPage"}, 2},
      {"a table that ends its page, then one that starts none",
       [](IPrintCanvas& c) { c.TextOut(1, 1, "G1"); c.EndPage(); c.TextOut(1, 1, "MS"); },
       {"StartPage", "Text 1,1 \"G1\"", "EndPage", "StartPage", "Text 1,1 \"MS\"", "EndPage"}, 2},
  };
  for (const Case& c : cases) {
    int pages = -1;
    EXPECT_EQ(Paged(c.routine, &pages), c.calls) << c.what;
    EXPECT_EQ(pages, c.pages) << c.what;
  }
}

TEST(PagedCanvas, AScaledDocumentDrawsSmallerAndReadsALargerPage) {
  RecordingCanvas device;
  CPagedCanvas paged(device, 0.5);
  EXPECT_EQ(paged.PageMetrics().width, 2 * device.page.width);
  EXPECT_EQ(paged.PageMetrics().height, 2 * device.page.height);
  EXPECT_EQ(paged.TextMetrics().averageCharWidth, 62);
  EXPECT_EQ(paged.SelectFont({.pointTenths = 90}), PrintFont{});
  paged.SelectPen({4, PenStyle::kSolid, 0});
  paged.Rectangle({100, 200, 300, 400});
  paged.TextOut(100, 200, "Grp  1");
  EXPECT_EQ(device.calls, (Calls{"Font \"MS Sans Serif\" 45 0", "Pen 2 solid #000000", "StartPage", "Rect 50,100,150,200",
                                 "Text 50,100 \"Grp  1\""}));
  // The reach is in the routine's units: six characters of 62.
  EXPECT_EQ(paged.Extent().right, 100 + 6 * 62);
  EXPECT_EQ(paged.Extent().left, 98);  // half the pen outside the box
}

TEST(PagedCanvas, TheLayoutNumbersComeFromTheFontsHeightAndLeading) {
  const PrintLayout l = PrintLayoutOf({75, 6, 31});
  EXPECT_EQ(l.p, 13);      // 81 / 6
  EXPECT_EQ(l.h, 81 + 26);
  EXPECT_EQ(l.u, 31);
  EXPECT_EQ(l.x0, 124);
}

// A value that does not fit its box at the print font takes the largest
// smaller size that does, centred on its line; the font then goes back.
TEST(PrintCursor, AValueTooWideForItsBoxIsPrintedSmallerInsideIt) {
  RecordingCanvas canvas;
  canvas.metricsPointTenths = 90;  // 31 units a character, 75 high at 9 points
  canvas.SelectFont({.pointTenths = 90});
  canvas.calls.clear();
  PrintCursor at{canvas, 31, 0, 99, 1000};
  at.Value(10, 20, "12345678", 0);      // 248 units in a box of 310: as it is
  at.Value(30, 45, "123456789ABCD*#ABCD");  // 589 units in 465 less a quarter character
  EXPECT_EQ(canvas.calls, (Calls{"Rect 310,1000,620,1079", "Text 310,1000 \"12345678\"", "Rect 930,1000,1395,1079",
                                 "Font \"MS Sans Serif\" 69 0", "Text 930,1009 \"123456789ABCD*#ABCD\"",
                                 "Font \"MS Sans Serif\" 90 0"}));
  EXPECT_EQ(Overprints(canvas), std::vector<std::string>{});
  EXPECT_EQ(at.y, 1099);
}
