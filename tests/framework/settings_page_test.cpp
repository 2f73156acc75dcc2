// A small settings page of four rows over a stand-in record: choice rows
// binding bits, a row the page builds itself, an enable group, a hidden row,
// and a box one family does not have.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <memory>
#include <string>
#include <vector>

#include "TestNames.h"
#include "QtTestSupport.h"
#include "framework/SettingsPage.h"

namespace {

// The record the page edits, one per family.
struct Flags {
  std::uint8_t byte = 0;
};

struct FlagField {
  BitRange bits = kWholeByte;
};

enum class Box : std::uint8_t { kMain, kSide, kFoot };
enum class Kind : std::uint8_t { kChoice, kNote };
enum : int { kGroupMode = 1, kGroupBeep = 2 };

constexpr Choice kModes[] = {{"Off", 0}, {"Low", 1}, {"High", 3}};
constexpr Choice kPortableModes[] = {{"Off", 0}, {"On", 1}};
constexpr Choice kSpare[] = {{"A", 0}, {"B", 5}};

using Row = SettingsRow<FlagField, Box, Kind>;
constexpr Row kRows[] = {
    {.label = "Mode", .id = {2001, 3001}, .labelId = {2101, 3101}, .box = Box::kMain, .choices = kModes,
     .portableChoices = kPortableModes, .fallback = 1, .field = {Bits(0, 1)}, .group = kGroupMode},
    {.label = "Beep", .id = {2002, 3002}, .labelId = {0, 0}, .box = Box::kMain, .choices = kDisableEnable,
     .field = {Bit(4)}, .group = kGroupBeep},
    {.label = "Note", .id = {2003, 0}, .labelId = {2103, 0}, .box = Box::kSide, .kind = Kind::kNote},
    {.label = "Spare", .id = {2004, 3004}, .labelId = {0, 0}, .box = Box::kFoot, .choices = kSpare,
     .field = {Bits(5, 7)}, .hidden = true},
};

constexpr SettingsBox<Box> kBoxes[] = {
    {Box::kMain, "Main", {2201, 3201}, {6, 6, 150}},
    {Box::kSide, "Side", {2202, 0}, {170, 6, 150}},  // the portable page has none
    {Box::kFoot, "Foot", {2203, 3203}},
};

class FixturePage : public CSettingsPage {
public:
  FixturePage(Family family, Flags& flags) : CSettingsPage(family, 950, QSize(330, 200)), flags_(flags) {
    SetRows(kRows, kBoxes, [this](const FlagField& field) { return FieldRef(&flags_.byte, field.bits); });
  }
  void EnableGroup(int group, bool enabled) const { SetGroupEnabled(group, enabled); }

  std::vector<std::string> built;  // the custom rows the hook was asked for, by label
  int refreshes = 0;

  void RefreshFromData() override {
    ++refreshes;
    CSettingsPage::RefreshFromData();
  }

protected:
  void BuildCustomRow(const FamilyRow& row, CSettingsForm& form) override {
    built.push_back(row.label);
    EXPECT_EQ(static_cast<Kind>(row.kind), Kind::kNote);
    form.Row<QLineEdit>(row.labelId, row.label, row.id, row.hidden);
  }

private:
  Flags& flags_;
};

class SettingsPageTest : public ::testing::TestWithParam<Family> {
protected:
  void SetUp() override {
    g_dataModified = 0;
    flags.byte = 0xA3;  // Mode 3 "High", Beep 0, Spare 5 "B"
    page = std::make_unique<FixturePage>(GetParam(), flags);
    host.resize(700, 500);
    host.show();
    ASSERT_TRUE(page->Create(&host));
    page->show();
  }
  void TearDown() override {
    page->DestroyWindow();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  bool Mobile() const { return GetParam() == kMobile; }
  int Id(int mobile, int portable) const { return Mobile() ? mobile : portable; }
  template <class T = QComboBox>
  T* Control(int id) const {
    return FindControl<T>(page->Body(), id);
  }

  Flags flags;
  RecordingWindow host;
  std::unique_ptr<FixturePage> page;
};

TEST_P(SettingsPageTest, BuildsTheFamilysBoxesAndRowsAndAsksThePageForItsOwnRows) {
  auto* main = Control<QLabel>(Id(2201, 3201));
  auto* foot = Control<QLabel>(Id(2203, 3203));
  ASSERT_NE(main, nullptr);
  ASSERT_NE(foot, nullptr);
  EXPECT_EQ(main->text(), "Main");
  EXPECT_TRUE(main->font().bold());
  EXPECT_EQ(Control<QLabel>(Id(2101, 3101))->text(), "Mode");
  EXPECT_FALSE(Control<QLabel>(Id(2101, 3101))->font().bold());
  // A row's list stands to the right of its label.
  EXPECT_GT(Control(Id(2001, 3001))->x(), Control<QLabel>(Id(2101, 3101))->x());
  if (Mobile()) {
    EXPECT_EQ(page->built, std::vector<std::string>{"Note"});
    ASSERT_NE(Control<QLineEdit>(2003), nullptr);
    auto* side = Control<QLabel>(2202);
    // "Foot" goes on below "Side", in its column.
    EXPECT_EQ(foot->x(), side->x());
    EXPECT_GT(foot->y(), Control<QLineEdit>(2003)->y());
  } else {
    // No "Side" box and no "Note": "Foot" opens the column "Side" would have.
    EXPECT_TRUE(page->built.empty());
    EXPECT_EQ(Control<QWidget>(2202), nullptr);
    EXPECT_EQ(Control<QWidget>(2003), nullptr);
    EXPECT_GT(foot->x(), main->x() + main->width());
    EXPECT_EQ(foot->y(), main->y());
  }
  // The family's own choices.
  EXPECT_EQ(Control(Id(2001, 3001))->count(), Mobile() ? 3 : 2);
}

TEST_P(SettingsPageTest, ChoiceRowsShowTheirBitsAndAChoiceStoresOnlyThem) {
  QComboBox* mode = Control(Id(2001, 3001));
  QComboBox* beep = Control(Id(2002, 3002));
  // Mobile: 3 is "High"; portable: 3 matches no row and the fallback shows.
  EXPECT_EQ(mode->currentText(), Mobile() ? "High" : "On");
  EXPECT_EQ(beep->currentText(), "Disable");
  EXPECT_EQ(g_dataModified, 0);
  EXPECT_EQ(flags.byte, 0xA3);

  QSignalSpy activated(mode, &QComboBox::activated);
  UserChooses(beep, 1);
  EXPECT_EQ(flags.byte, 0xB3);
  EXPECT_EQ(g_dataModified, 1);
  UserChooses(mode, 0);
  EXPECT_EQ(flags.byte, 0xB0);
  // A refresh selects again and never stores or reports a choice.
  flags.byte = 0x01;
  g_dataModified = 0;
  page->RefreshFromData();
  EXPECT_EQ(mode->currentText(), Mobile() ? "Low" : "On");
  EXPECT_EQ(beep->currentText(), "Disable");
  EXPECT_EQ(activated.count(), 1);
  EXPECT_EQ(g_dataModified, 0);
  EXPECT_EQ(flags.byte, 0x01);
}

TEST_P(SettingsPageTest, GroupsEnableTogetherAndAHiddenRowIsBoundButNeverShown) {
  page->EnableGroup(kGroupMode, false);
  EXPECT_FALSE(Control(Id(2001, 3001))->isEnabled());
  EXPECT_TRUE(Control(Id(2002, 3002))->isEnabled());
  page->EnableGroup(kGroupMode, true);
  EXPECT_TRUE(Control(Id(2001, 3001))->isEnabled());

  QComboBox* spare = Control(Id(2004, 3004));
  ASSERT_NE(spare, nullptr);
  EXPECT_FALSE(spare->isVisibleTo(page.get()));
  EXPECT_EQ(spare->currentText(), "B");
  UserChooses(spare, 0);
  EXPECT_EQ(flags.byte, 0x03);
}

TEST_P(SettingsPageTest, ShowingThePageShowsTheDataAndANewWindowBindsAnew) {
  page->hide();
  flags.byte = 0x10;  // changed elsewhere while the page was away
  page->show();
  EXPECT_EQ(Control(Id(2002, 3002))->currentText(), "Enable");

  QComboBox* old = Control(Id(2001, 3001));
  page->DestroyWindow();
  const int refreshes = page->refreshes;
  // The lists going out store nothing, and no refresh runs while they go.
  g_dataModified = 0;
  UserChooses(old, 0);
  EXPECT_EQ(g_dataModified, 0);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(page->refreshes, refreshes);

  ASSERT_TRUE(page->Create(&host));
  page->show();
  EXPECT_EQ(page->built.size(), Mobile() ? 2u : 0u);
  UserChooses(Control(Id(2001, 3001)), 1);
  EXPECT_EQ(flags.byte, 0x11);
  EXPECT_EQ(g_dataModified, 1);
}

INSTANTIATE_TEST_SUITE_P(Families, SettingsPageTest, ::testing::Values(kMobile, kPortable), FamilyName);

}  // namespace
