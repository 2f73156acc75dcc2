// Each group mark the zone print shows, set through its group page cell: the
// print's column of that mark, and no other cell of the group's row, changes
// to the text the page's choice stands for. The page and the print read the
// same bits, so a bit wrong on either side shows up here.
#include <cstdlib>
#include <map>
#include <string>

#include "GroupFixture.h"
#include "PrintedText.h"
#include "RecordingCanvas.h"
#include "model/GlobalRecordFields.h"
#include "model/PrintPages.h"
#include "model/ZonePrint.h"

namespace {

constexpr int kU = 31;  // the character width handed to the print
constexpr int kConvZone = 0;
constexpr int kLtrZone = 1;

enum class View { kLtrBasic, kLtrAdvanced, kConvBasic, kConvAdvanced };

struct MarkCase {
  const char* mark;  // the print column's (first) heading
  View view;
  int mobileCell;  // the cell of the zone's first group; 0: not on this family's page
  int portableCell;
  int row;  // the line chosen
  const char* printed;
  bool wide = false;  // an 8-character column, its value under its heading
};

// Cells typed from the page templates, texts from the print's value table.
constexpr MarkCase kMarks[] = {
    {"TX Inhibit", View::kLtrBasic, 1723, 1227, 1, "V"},
    {"Timer", View::kLtrBasic, 1731, 1228, 1, "V", true},
    {"Compander", View::kLtrBasic, 1738, 1229, 1, "V"},
    {"Scan Memory", View::kLtrBasic, 1749, 1230, 0, "V"},
    {"Call Alert", View::kLtrAdvanced, 1752, 1273, 1, "V"},
    {"ANI", View::kLtrAdvanced, 1759, 1243, 1, "V"},
    {"(by user)", View::kLtrAdvanced, 1766, 1248, 1, "V", true},
    {"(Fixed)", View::kLtrAdvanced, 1773, 1250, 1, "V", true},
    {"2nd TX Power", View::kLtrAdvanced, 1780, 1251, 1, "H"},
    {"Flat AF", View::kLtrAdvanced, 1787, 0, 1, "F"},
    {"RX save", View::kLtrAdvanced, 0, 1594, 1, "V"},
    {"TX save", View::kLtrAdvanced, 0, 1601, 1, "V"},
    {"Paging Function", View::kLtrAdvanced, 1794, 1611, 1, "V"},
    {"Encryption", View::kLtrAdvanced, 1801, 1244, 1, "V"},
    {"Monitor", View::kConvBasic, 1291, 1291, 0, ""},  // on in a fresh group
    {"TX Inhibit", View::kConvBasic, 1227, 1227, 1, "V"},
    {"Timeout Timer", View::kConvBasic, 1228, 1228, 1, "V"},
    {"Busy Lockout", View::kConvBasic, 1036, 1036, 1, "B"},
    {"Busy Lockout", View::kConvBasic, 1036, 0, 2, "I"},  // the mobile list has no "Correct"
    {"Busy Lockout", View::kConvBasic, 0, 1036, 2, "C"},
    {"Scan Memory", View::kConvBasic, 1230, 1230, 0, "V"},
    {"Call Alert", View::kConvAdvanced, 1273, 1273, 1, "V"},
    {"ANI Monitor", View::kConvAdvanced, 1257, 0, 1, "V"},
    {"ANI", View::kConvAdvanced, 1243, 1243, 1, "V"},
    {"(by user)", View::kConvAdvanced, 1248, 1248, 1, "V", true},
    {"(Fixed)", View::kConvAdvanced, 1250, 1250, 1, "V", true},
    {"2nd TX Power", View::kConvAdvanced, 1251, 0, 2, "LH"},
    {"2nd TX Power", View::kConvAdvanced, 0, 1251, 2, "L"},
    {"Flat AF", View::kConvAdvanced, 1643, 0, 1, "F"},
    {"QALS", View::kConvAdvanced, 1240, 1240, 1, "V"},
    {"RX save", View::kConvAdvanced, 0, 1594, 1, "V"},
    {"TX save", View::kConvAdvanced, 0, 1601, 1, "V"},
    {"Paging", View::kConvAdvanced, 1255, 1255, 1, "1"},
    {"Encryption", View::kConvAdvanced, 1244, 1244, 1, "V"},
};

struct Place {
  int x;
  int y;
};
// "x,y" as PlacesOf gives it.
Place PlaceOf(const std::string& xy) {
  const std::size_t comma = xy.find(',');
  return {std::atoi(xy.substr(0, comma).c_str()), std::atoi(xy.substr(comma + 1).c_str())};
}

class GroupMarksPrint : public GroupFixture {
protected:
  void Start() override {
    GroupFixture::Start();
    Zones({2, 2}, {false, true});
    Data().m_productWord = 0x20u << 8;  // neither 11 nor 39: every line and column
    Resolve(Model().global, global::kPortableCanDial).Set(0);
  }
  void OpenView(View view) {
    switch (view) {
      case View::kLtrBasic:
        return Open<CMobileLtrGroupBasicPage, CPortableLtrGroupBasicPage>(kLtrZone);
      case View::kLtrAdvanced:
        return Open<CMobileLtrGroupAdvancedPage, CPortableLtrGroupAdvancedPage>(kLtrZone);
      case View::kConvBasic:
        return Open<CMobileConvGroupBasicPage, CPortableConvGroupBasicPage>(kConvZone);
      case View::kConvAdvanced:
        return Open<CMobileConvGroupAdvancedPage, CPortableConvGroupAdvancedPage>(kConvZone);
    }
  }
  // The zone's page of the print.
  std::vector<std::string> PrintedZone(bool ltr) const {
    RecordingCanvas canvas;
    CPagedCanvas paged(canvas);
    PrintSystemTable(paged, Model(), kU, 124, 99, 12);
    paged.EndPage();
    std::vector<std::string> page;
    int at = 0;
    for (const std::string& call : canvas.calls) {
      if (call == "StartPage") ++at;
      if (at == (ltr ? 2 : 1)) page.push_back(call);
    }
    return page;
  }
  // The texts of the zone's first group's row (group 1 of the conventional
  // zone, 3 of the LTR zone), by their x.
  static std::map<int, std::string> Row(const std::vector<std::string>& page, bool ltr) {
    const std::vector<std::string> label = PlacesOf(page, ltr ? "GRP.   3" : "  1");
    std::map<int, std::string> row;
    if (label.size() != 1) return row;
    const int y = PlaceOf(label[0]).y;
    for (const std::string& call : page) {
      // Text x,y "text"
      if (call.rfind("Text ", 0) != 0) continue;
      const std::size_t blank = call.find(' ', 5);
      const Place at = PlaceOf(call.substr(5, blank - 5));
      if (at.y == y) row[at.x] = call.substr(blank + 2, call.size() - blank - 3);
    }
    return row;
  }
};

TEST_P(GroupMarksPrint, EachMarkSetOnItsPageChangesOnlyItsPrintColumn) {
  for (const MarkCase& c : kMarks) {
    const int cell = family == kPortable ? c.portableCell : c.mobileCell;
    if (cell == 0) continue;
    SCOPED_TRACE(std::string(c.mark) + " row " + std::to_string(c.row));
    const bool ltr = c.view == View::kLtrBasic || c.view == View::kLtrAdvanced;
    OpenView(c.view);
    const std::vector<std::string> before = PrintedZone(ltr);
    const std::vector<std::string> heading = PlacesOf(before, c.mark);
    ASSERT_EQ(heading.size(), 1u);
    // A turned heading stands 3 characters into its column; a value 1 in
    // (3 in an 8-character column).
    const int x = PlaceOf(heading[0]).x - (c.wide ? 0 : 2 * kU);
    const std::map<int, std::string> was = Row(before, ltr);
    ASSERT_EQ(was.count(x), 1u);

    Choose(cell, c.row);
    std::map<int, std::string> now = Row(PrintedZone(ltr), ltr);
    EXPECT_EQ(now[x], c.printed);
    EXPECT_NE(was.at(x), c.printed);
    now[x] = was.at(x);
    EXPECT_EQ(now, was) << "a cell beside the mark's changed too";
  }
}

INSTANTIATE_TEST_SUITE_P(Families, GroupMarksPrint, ::testing::Values(kMobile, kPortable), FamilyName);

}  // namespace
