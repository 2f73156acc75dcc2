#include "GroupFixture.h"
#include "ShownTexts.h"
#include "framework/EditControls.h"

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

// A tag of eight of the widest capitals shows whole once the user has left
// it, in every view that has tags, at the default font and at 144 dpi.
class TagWidth : public GroupFixture {
protected:
  template <class Mobile, class Portable>
  void CheckView(int zone, const char* view) {
    Open<Mobile, Portable>(zone);
    // The groups' own tags: the Default column shows none.
    std::vector<QLineEdit*> tags;
    for (CUpperEdit* tag : page->Body()->findChildren<CUpperEdit*>())
      if (tag->isVisible() && tag->isEnabled() && !tag->text().isEmpty()) tags.push_back(tag);
    ASSERT_GE(tags.size(), 2u) << view;
    for (const char* text : {"WWWWWWWW", "MMMMMMMM"}) {
      for (QLineEdit* tag : {tags.front(), tags.back()}) {
        Type(tag, text);
        Leave();
        EXPECT_EQ(tag->text(), text) << view;
      }
      EXPECT_EQ(CutTexts(page->Body()), std::vector<std::string>{}) << view << " " << text;
    }
  }
  void Check() {
    Zones({2, 8, 3}, {false, true, false});
    CheckView<CMobileLtrGroupBasicPage, CPortableLtrGroupBasicPage>(1, "LTR basic");
    CheckView<CMobileLtrGroupAdvancedPage, CPortableLtrGroupAdvancedPage>(1, "LTR advanced");
    CheckView<CMobileConvGroupBasicPage, CPortableConvGroupBasicPage>(0, "conventional basic");
    CheckView<CMobileConvGroupAdvancedPage, CPortableConvGroupAdvancedPage>(0, "conventional advanced");
  }
};

TEST_P(TagWidth, ATagOfEightWideLettersShowsWholeInEveryView) { Check(); }
TEST_P(TagWidth, ATagOfEightWideLettersShowsWholeInEveryViewAt144Dpi) {
  if (!RanElsewhereAtDpi(144)) Check();
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, TagWidth, ::testing::Values(kMobile, kPortable), FamilyName);

INSTANTIATE_TEST_SUITE_P(BothFamilies, GroupTexts, ::testing::Values(kMobile, kPortable),
                         [](const auto& info) { return info.param == kMobile ? "Mobile" : "Portable"; });

}  // namespace
