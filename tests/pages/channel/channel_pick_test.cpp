// The RF channel pick list shared by the repeater and group pages: one grid
// line of three channel cells over zone 1's first repeater words, opened and
// committed by keys as a user does.
#include <gtest/gtest.h>

#include <QTest>
#include <array>
#include <string>

#include "PageFixture.h"
#include "framework/GridBinder.h"
#include "framework/ScrollablePage.h"
#include "model/FamilyModel.h"
#include "pages/channel/ChannelPick.h"

namespace {

CRadioDataCore& DataOf(Family family) { return ModelOf(family).radioData; }

// Programs exactly the given channels of the family.
void ProgramOnly(Family family, std::initializer_list<int> channels) {
  const auto program = [&](auto& data) {
    for (auto& c : data.m_channels) c.m_programmed = 0;
    for (int i : channels) {
      data.m_channels[static_cast<std::size_t>(i)].m_programmed = 1;
      data.m_channels[static_cast<std::size_t>(i)].m_rxFrequency = 45000000 + 2500 * static_cast<unsigned>(i);
      data.m_channels[static_cast<std::size_t>(i)].m_txFrequency = 45500000 + 2500 * static_cast<unsigned>(i);
    }
  };
  if (family == kPortable)
    program(g_portableData);
  else
    program(g_mobileData);
}

class PickPage : public CScrollablePage {
public:
  explicit PickPage(Family family) : CScrollablePage(903, QSize(200, 120)), family_(family) {}

  CGridBinder grid;
  std::array<CLinkStatic*, 3> cells{};
  CHotListBox* list = nullptr;

protected:
  bool OnInitDialog() override {
    CScrollablePage::OnInitDialog();
    for (int c = 0; c < 3; ++c) cells[static_cast<std::size_t>(c)] = Place<CLinkStatic>(1100 + c, 10 + 40 * c, 10, 36, 10);
    list = Place<CHotListBox>(1300, 0, 0, 10, 10);
    list->hide();
    grid.SetItemCount([] { return 3; });
    GridLine channel;
    channel.caption = "Channel #";
    channel.field = [this](int item) {
      return FieldRef(&DataOf(family_).m_repeaters[0][static_cast<std::size_t>(item)], Bits(0, 9));
    };
    UseChannelPick(channel, family_);
    grid.AddLine({channel, list, {cells.begin(), cells.end()}, nullptr, 4, {}});
    grid.Refresh();
    return true;
  }
  void OnDestroyWindow() override { grid.Clear(); }
  LParam OnUserMessage(unsigned msg, WParam id, LParam) override {
    grid.OnUserMessage(msg, id);
    return 0;
  }

private:
  Family family_;
};

class ChannelPickFixture : public PageFixture<PickPage, CLinkStatic> {
protected:
  void Start() override {
    ProgramOnly(family, {4, 9, 639});
    page = std::make_unique<PickPage>(family);
    Show();
  }
  std::uint16_t& Word(int r) { return DataOf(family).m_repeaters[0][static_cast<std::size_t>(r)]; }
  void Store(int column, std::uint16_t word) {
    Word(column) = word;
    page->grid.Refresh();
  }
};

TEST_P(ChannelPickFixture, OpensOnTheStoredChannelByValueAndEnterKeepsIt) {
  struct Case {
    std::uint16_t word;
    int row;
    const char* cell;
    const char* why;
  } cases[] = {
      {0x6009, 2, " 10", "a programmed channel: its own row, whatever the other bits"},
      {0x027F, 3, "640", "the last channel"},
      {0x03FF, 0, "None", "no channel"},
      {0x0005, 0, "  6", "a channel not programmed: \"None\" is offered, the cell still names it"},
      {0x0280, 0, "None", "an index past the last channel (from a foreign file)"},
  };
  for (const Case& c : cases) {
    Store(1, c.word);
    g_dataModified = 0;
    EXPECT_EQ(page->cells[1]->text(), c.cell) << c.why;
    QTest::mouseClick(page->cells[1], Qt::LeftButton);
    ASSERT_EQ(page->grid.OpenList(), page->list) << c.why;
    EXPECT_EQ(page->list->count(), 4);
    EXPECT_EQ(page->list->item(0)->text(), "None TX       RX");
    EXPECT_EQ(page->list->currentRow(), c.row) << c.why;
    if (c.row == 0) {
      page->grid.Close();  // Enter here would store "None": that is a user's choice, not opening's
      EXPECT_EQ(Word(1), c.word) << c.why;
      continue;
    }
    QTest::keyClick(page->list, Qt::Key_Return);
    EXPECT_EQ(Word(1), c.word) << c.why;
    EXPECT_FALSE(page->list->isVisible());
  }
}

TEST_P(ChannelPickFixture, ACommitWithNoRowSelectedStoresNothing) {
  Store(2, 0x0409);
  g_dataModified = 0;
  QTest::mouseClick(page->cells[2], Qt::LeftButton);
  page->list->setCurrentRow(-1);
  QTest::keyClick(page->list, Qt::Key_Return);
  EXPECT_EQ(Word(2), 0x0409);
  EXPECT_EQ(g_dataModified, 0);

  // A picked row stores its channel into the 10 bits only.
  page->list->setCurrentRow(1);
  QTest::keyClick(page->list, Qt::Key_Return);
  EXPECT_EQ(Word(2), 0x0404);
  EXPECT_EQ(g_dataModified, 1);
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, ChannelPickFixture, ::testing::Values(kMobile, kPortable));

TEST(ChannelPick, RowsFollowTheProgrammedChannelsAndRowsMapBackToChannels) {
  FreshProgramState fresh;
  ProgramOnly(kPortable, {0, 7});
  ProgramOnly(kMobile, {3});
  const ChoiceRows rows = ChannelPickRows(kPortable);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1].text, "  1   455.00000 450.00000 Wide");
  EXPECT_EQ(rows[2].value, 7u);
  EXPECT_EQ(ChannelPickRows(kMobile).size(), 2u);  // each family its own channels

  const std::pair<int, std::optional<std::uint16_t>> picks[] = {
      {0, 0x3FF}, {2, 7}, {-1, std::nullopt}, {3, std::nullopt}};
  for (auto [row, channel] : picks) EXPECT_EQ(ChannelOfPickRow(rows, row), channel) << row;
  EXPECT_EQ(ChannelPickRow(rows, 7), 2);
  EXPECT_EQ(ChannelPickRow(rows, 1), 0);
}

TEST(ChannelPick, CellTexts) {
  const std::pair<std::uint32_t, const char*> texts[] = {
      {0, "  1"}, {98, " 99"}, {639, "640"}, {640, "None"}, {1022, "None"}, {0x3FF, "None"}};
  for (auto [channel, text] : texts) EXPECT_EQ(ChannelNumberText(channel), text) << channel;
}

}  // namespace
