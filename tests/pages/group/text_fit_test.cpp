#include "GroupFixture.h"
#include "ShownTexts.h"

namespace {

using GroupTexts = GroupFixture;

// The template's row labels ("Sub Audible Signaling (Rx)") and cell choices
// ("Busy Lockout") are wider than their columns in the desktop font: every
// view of both zone kinds shows each whole, at the page's own size.
TEST_P(GroupTexts, EveryLabelAndCellChoiceOfEveryViewShowsWhole) {
  Zones({2, 8, 3}, {false, true, false});
  const auto check = [this](const char* view) {
    EXPECT_EQ(CutTexts(page->Body()), std::vector<std::string>{}) << view;
  };
  Open<CMobileLtrGroupBasicPage, CPortableLtrGroupBasicPage>(1);
  check("LTR basic");
  Open<CMobileLtrGroupAdvancedPage, CPortableLtrGroupAdvancedPage>(1);
  check("LTR advanced");
  Open<CMobileConvGroupBasicPage, CPortableConvGroupBasicPage>(0);
  check("conventional basic");
  Open<CMobileConvGroupAdvancedPage, CPortableConvGroupAdvancedPage>(0);
  check("conventional advanced");
  // A row label keeps the page's font.
  auto* label = page->Body()->findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->font().pointSizeF(), page->font().pointSizeF());
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, GroupTexts, ::testing::Values(kMobile, kPortable),
                         [](const auto& info) { return info.param == kMobile ? "Mobile" : "Portable"; });

}  // namespace
