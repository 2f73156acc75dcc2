// The repeater table page of both families: scrolling, a default zone, the
// channel pick and its follow-up bits, the attribute lists, repeater words
// naming no channel, and what a save keeps.
#include <QPushButton>

#include "ShownTexts.h"
#include "ChannelPageFixture.h"
#include "model/DataFile.h"

namespace {

using namespace repeater_page;

class RepeaterFixture : public ChannelPageFixture<CRepeaterPageBase, CMobileRepeaterPage, CPortableRepeaterPage> {
protected:
  void BeforeCreate() override { page->SetZone(2); }
  std::uint16_t& Word(int zone, int r) const {
    return ModelOf(family).radioData.m_repeaters[static_cast<std::size_t>(zone)][static_cast<std::size_t>(r)];
  }
  CLinkStatic* Cell(const std::array<int, kColumns>& ids, int column) const { return Control(ids[static_cast<std::size_t>(column)]); }
  QLabel* Value(const std::array<int, kColumns>& ids, int column) const {
    return Control<QLabel>(ids[static_cast<std::size_t>(column)]);
  }
  // Opens the page again at the zone, at the size it builds itself.
  void Reopen(int zone) {
    Close();
    page->SetZone(static_cast<std::uint8_t>(zone));
    Show();
  }
};

TEST_P(RepeaterFixture, ADefaultZone) {
  EXPECT_EQ(Control<QLabel>(kZoneNumber)->text(), "3");
  for (int c = 0; c < kColumns; ++c) {
    EXPECT_EQ(Value(kHeads, c)->text(), QStringLiteral("RPT#%1").arg(c + 1));
    EXPECT_EQ(Cell(kChannels, c)->text(), "None");
    EXPECT_EQ(Value(kTxFreqs, c)->text(), "");
    EXPECT_EQ(Value(kSpaces, c)->palette().color(QPalette::Window), CellLookColor(CellLook::Disabled));
    const std::pair<const std::array<int, kColumns>*, const char*> attributes[] = {
        {&kDispatches, "Disable"}, {&kInterconnects, "Disable"}, {&kRxPhases, "Normal"}, {&kTxPhases, "Normal"}};
    for (auto [ids, text] : attributes) {
      EXPECT_EQ(Cell(*ids, c)->text(), text);
      EXPECT_FALSE(Cell(*ids, c)->isEnabled());
    }
  }
  EXPECT_EQ(g_dataModified, 0);
}

TEST_P(RepeaterFixture, ScrollsOneRepeaterAtATimeAndKeepsItsPlace) {
  BeepCounter beeps;
  for (int i = 0; i < 5; ++i) Control<QPushButton>(kNext)->click();
  EXPECT_EQ(page->FirstRepeater(), 4);
  EXPECT_EQ(Value(kHeads, 0)->text(), "RPT#5");
  EXPECT_EQ(Value(kHeads, 15)->text(), "RPT#20");
  EXPECT_EQ(beeps.count(), 5);  // the last click at the limit beeps too

  // The last zone, last repeater: the last word of the table.
  Word(31, 19) = 0x0004;
  Program(4, 460.0);
  Reopen(200);  // a zone number past the zones is bounded
  EXPECT_EQ(Control<QLabel>(kZoneNumber)->text(), "32");
  EXPECT_EQ(page->FirstRepeater(), 4);
  EXPECT_EQ(Cell(kChannels, 15)->text(), "  5");
  EXPECT_EQ(Value(kRxFreqs, 15)->text(), "460.00000");
  for (int i = 0; i < 5; ++i) Control<QPushButton>(kPrev)->click();
  EXPECT_EQ(Value(kHeads, 0)->text(), "RPT#1");
}

TEST_P(RepeaterFixture, PickingAChannelSetsItsFollowUpBits) {
  Program(4, 450.0);
  Channel(4, [](auto& c, const ChannelCodecContext&) { c.m_txFrequency = 14600000; });
  QTest::mouseClick(Cell(kChannels, 1), Qt::LeftButton);
  CHotListBox* list = page->Grid().OpenList();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->currentRow(), 0);  // no channel yet
  const QList<QListWidgetItem*> rows = list->findItems(QStringLiteral("  5   "), Qt::MatchStartsWith);
  ASSERT_EQ(rows.size(), 1);
  const int row = list->row(rows[0]);
  list->setCurrentRow(row);
  QTest::keyClick(list, Qt::Key_Return);
  Settle();
  EXPECT_EQ(Word(2, 1), 0x6404);
  EXPECT_EQ(g_dataModified, 1);
  EXPECT_EQ(Cell(kChannels, 1)->text(), "  5");
  EXPECT_EQ(Value(kTxFreqs, 1)->text(), "146.00000");
  EXPECT_EQ(Cell(kDispatches, 1)->text(), "Enable");
  EXPECT_EQ(Cell(kTxPhases, 1)->text(), "Invert");
  EXPECT_TRUE(Cell(kRxPhases, 1)->isEnabled());

  // Reopened, the list stands on the channel: Enter keeps it.
  QTest::mouseClick(Cell(kChannels, 1), Qt::LeftButton);
  EXPECT_EQ(page->Grid().OpenList()->currentRow(), row);
  QTest::keyClick(page->Grid().OpenList(), Qt::Key_Return);
  EXPECT_EQ(Word(2, 1), 0x6404);

  // "None" clears Dispatch, Interconnect and Data Application, keeps the phases.
  Word(2, 1) = 0x7C04;
  page->FillRepeaterTable();
  QTest::mouseClick(Cell(kChannels, 1), Qt::LeftButton);
  page->Grid().OpenList()->setCurrentRow(0);
  QTest::keyClick(page->Grid().OpenList(), Qt::Key_Return);
  EXPECT_EQ(Word(2, 1), 0x0FFF);
  EXPECT_FALSE(Cell(kDispatches, 1)->isEnabled());
}

TEST_P(RepeaterFixture, AttributeListsStoreTheirBitOnly) {
  Word(2, 7) = 0x0004;
  page->FillRepeaterTable();
  struct Case {
    const std::array<int, kColumns>* cells;
    int row;
    std::uint16_t word;
  } cases[] = {{&kDispatches, 1, 0x4004}, {&kInterconnects, 1, 0x6004}, {&kRxPhases, 1, 0x6804},
               {&kTxPhases, 1, 0x6C04}, {&kDispatches, 0, 0x2C04}};
  for (const Case& c : cases) {
    QTest::mouseClick(Cell(*c.cells, 7), Qt::LeftButton);
    CHotListBox* list = page->Grid().OpenList();
    ASSERT_NE(list, nullptr);
    // Column 8 ends its block: the list opens to the left of the cell.
    EXPECT_LT(list->geometry().left(), Cell(*c.cells, 7)->geometry().left());
    list->setCurrentRow(c.row);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(Word(2, 7), c.word);
  }
}

TEST_P(RepeaterFixture, AWordNamingNoChannelShowsNoneAndIsKept) {
  TempDir dir;
  Word(2, 3) = 0x2A80;  // channel field 640
  page->FillRepeaterTable();
  EXPECT_EQ(Cell(kChannels, 3)->text(), "None");
  EXPECT_EQ(Value(kTxFreqs, 3)->text(), "");
  EXPECT_FALSE(Cell(kDispatches, 3)->isEnabled());
  QTest::mouseClick(Cell(kChannels, 3), Qt::LeftButton);
  EXPECT_EQ(page->Grid().OpenList()->currentRow(), 0);
  page->Grid().Close();

  const std::string file = dir.File(family == kMobile ? "R.K58" : "R.P58");
  ASSERT_TRUE(g_dataFile.SaveDataFile(file)) << (messages.texts().empty() ? "" : messages.texts()[0]);
  const std::size_t at = 0x490 + 64 * 2 + 2 * 3;
  EXPECT_EQ(g_pRadioImage[at], 0x2A);
  EXPECT_EQ(g_pRadioImage[at + 1], 0x80);
  Word(2, 3) = 0;
  ASSERT_EQ(g_dataFile.LoadDataFile(file, dir.path()), 1);
  EXPECT_EQ(Word(2, 3), 0x2A80);
}

TEST_P(RepeaterFixture, CloseGoesBackToTheZoneTableLater) {
  Control<QPushButton>(kClose)->click();
  EXPECT_TRUE(host.messages.empty());  // posted
  Settle();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0], (RecordedMessage{UM_OPEN_SYSTEM_PAGE, 0, 255}));
}

// The channel pick list shows each channel's row whole, its Wide/Narrow
// included, without a horizontal scroll bar over its rows.
TEST_P(RepeaterFixture, TheChannelPickListShowsItsRowsWhole) {
  for (int c = 0; c < 12; ++c) Program(c, 450.0 + c);
  Reopen(2);
  QTest::mouseClick(Cell(kChannels, 1), Qt::LeftButton);
  CHotListBox* list = page->Grid().OpenList();
  ASSERT_NE(list, nullptr);
  ASSERT_GT(list->count(), 4);
  EXPECT_EQ(CutListRows(list), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, RepeaterFixture, ::testing::Values(kMobile, kPortable));

TEST(RepeaterWord, AChannelPickSetsOrClearsItsFollowUpBits) {
  const std::tuple<std::uint16_t, std::uint16_t, std::uint16_t> cases[] = {
      {0x03FF, 4, 0x6404}, {0x7C04, 0x3FF, 0x0FFF}, {0x8BFF, 639, 0xEE7F}, {0x9000, 0x3FF, 0x83FF}};
  for (auto [word, channel, result] : cases) EXPECT_EQ(WithRepeaterChannel(word, channel), result) << std::hex << word;
}

}  // namespace
