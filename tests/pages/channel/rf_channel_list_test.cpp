// The RF channel list page of both families: paging, the columns' look,
// typing frequencies, the pick lists, taking channels out of use and back,
// the Default Split, and what reaches the saved image.
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <fstream>
#include <iterator>
#include <vector>

#include "ChannelPageFixture.h"
#include "model/DataFile.h"

namespace {

using namespace rf_list;

TEST(RfChannelPaging, StepsSevenAndStopsAtTheEnds) {
  std::vector<int> forward{0};
  while (forward.back() != NextFirstChannel(forward.back())) forward.push_back(NextFirstChannel(forward.back()));
  EXPECT_EQ(forward[1], 7);
  EXPECT_EQ(forward[forward.size() - 2], 623);
  EXPECT_EQ(forward.back(), 626);  // the last screen shows channels 627..640
  const std::pair<int, int> back[] = {{626, 619}, {7, 0}, {3, 0}, {0, 0}, {140, 133}};
  for (auto [from, to] : back) EXPECT_EQ(PrevFirstChannel(from), to) << from;
}

TEST_P(RfListFixture, HeadsFollowThePagingAndEveryClickBeeps) {
  const auto head = [this](int k) { return Control<QLabel>(kHeads[static_cast<std::size_t>(k)])->text(); };
  EXPECT_EQ(head(0), "Ch #1");
  EXPECT_EQ(head(13), "Ch #14");
  BeepCounter beeps;
  auto* next = Control<QPushButton>(kNext);
  next->click();
  EXPECT_EQ(head(0), "Ch #8");
  for (int i = 0; i < 100; ++i) next->click();
  EXPECT_EQ(page->FirstChannel(), 626);
  EXPECT_EQ(head(13), "Ch #640");
  Control<QPushButton>(kPrev)->click();
  EXPECT_EQ(head(0), "Ch #620");
  EXPECT_EQ(beeps.count(), 102);
  EXPECT_EQ(g_dataModified, 0);
}

TEST_P(RfListFixture, AColumnFollowsItsChannel) {
  Channel(0, [](auto& c, const ChannelCodecContext&) { c.SetProgrammed(false); });
  Program(1, 460.0);
  // Channel 1 (column 0) is not programmed, channel 2 is.
  EXPECT_EQ(EnableCell(0)->text(), "Disable");
  EXPECT_TRUE(EnableCell(0)->isEnabled());
  EXPECT_EQ(Rx(0)->text(), QString(10, ' '));
  EXPECT_EQ(Tx(0)->text(), QString(10, ' '));
  EXPECT_FALSE(Rx(0)->isEnabled());
  EXPECT_FALSE(SpaceCell(0)->isEnabled());
  EXPECT_FALSE(SpaceCell(0)->text().isEmpty());  // a grey cell keeps its text
  EXPECT_EQ(EnableCell(1)->text(), "Enable");
  EXPECT_EQ(Rx(1)->text(), " 460.00000");
  EXPECT_EQ(Tx(1)->text(), family == kPortable ? " 465.00000" : " 465.00000");
  EXPECT_TRUE(Tx(1)->isEnabled());

  // Spacing as the record says: mobile codes 2 and 3 are no wide channel.
  if (family == kMobile) {
    const std::pair<std::uint8_t, const char*> codes[] = {{0x00, "Narrow"}, {0x40, "Wide"}, {0x80, "Narrow"}, {0xC0, "Narrow"}};
    for (auto [mode, text] : codes) {
      g_mobileData.m_channels[1].m_mode = static_cast<std::uint8_t>((g_mobileData.m_channels[1].m_mode & 0x3F) | mode);
      page->RefreshChannelGrid();
      EXPECT_EQ(SpaceCell(1)->text(), text) << int(mode);
    }
  } else {
    g_portableData.m_channels[1].m_flags |= 1;
    page->RefreshChannelGrid();
    EXPECT_EQ(SpaceCell(1)->text(), "Narrow");
    EXPECT_EQ(Control(kRxShifts[0]), nullptr);  // no shift rows
  }
  EXPECT_EQ(g_dataModified, 0);
}

TEST_P(RfListFixture, TypingAReceiveFrequencyPutsItOnTheGridWithTheSplit) {
  Program(2, 450.0);
  Type(Rx(2), "450.003");
  EXPECT_EQ(g_dataModified, 1);  // each keystroke marks the data
  Tab();
  EXPECT_EQ(RxOf(2), 45000500u);
  EXPECT_EQ(TxOf(2), 45500500u);  // the UHF radio's split of 5 MHz
  EXPECT_EQ(Rx(2)->text(), " 450.00500");
  EXPECT_EQ(Tx(2)->text(), " 455.00500");
  Type(Rx(2), "600");
  Tab();
  EXPECT_EQ(RxOf(2), family == kPortable ? 49000000u : 51200000u);
  EXPECT_EQ(TxOf(2), family == kPortable ? 49000000u : 51200000u);
}

// A click gives the edit the focus and its whole text is selected before
// anything the user does next, however soon the keys come: what is typed
// replaces the frequency and is clamped into the band, never refused for a
// full edit, and a selection that comes late never takes what was typed.
TEST_P(RfListFixture, KeysTypedAtOnceAfterAClickReplaceTheFrequency) {
  struct Case {
    const char* typed;
    FrequencyCount mobile, portable;
  };
  const Case cases[] = {{"455", 45500000u, 45500000u}, {"600", 51200000u, 49000000u}, {"3", 45000000u, 45000000u}};
  for (const Case& c : cases)
    for (const bool transmit : {true, false}) {
      SCOPED_TRACE(std::string(c.typed) + (transmit ? " in Tx" : " in Rx"));
      Program(3, 460.0125);
      Control<CValueEdit>(kDefaultSplit)->setFocus();  // the focus elsewhere
      Settle();
      CValueEdit* edit = transmit ? Tx(3) : Rx(3);
      QTest::mouseClick(edit, Qt::LeftButton);
      QTest::keyClicks(edit, QString::fromLatin1(c.typed));
      EXPECT_EQ(edit->text(), QString::fromLatin1(c.typed));
      QTest::keyClick(edit, Qt::Key_Tab);
      Settle();
      EXPECT_EQ(transmit ? TxOf(3) : RxOf(3), family == kMobile ? c.mobile : c.portable);
    }
  // The selection the click asked for does not come after the first key.
  Program(3, 460.0125);
  Control<CValueEdit>(kDefaultSplit)->setFocus();
  Settle();
  QTest::mouseClick(Tx(3), Qt::LeftButton);
  QTest::keyClicks(Tx(3), "45");
  Settle();
  QTest::keyClicks(Tx(3), "5");
  EXPECT_EQ(Tx(3)->text(), "455");
}

TEST_P(RfListFixture, APastedFrequencyDoesWhatTypingItDoes) {
  Program(2, 450.0);
  Program(3, 450.0);
  Type(Rx(2), "460.0125");
  Tab();
  QGuiApplication::clipboard()->setText(QStringLiteral("460.0125"));
  QTest::mouseClick(Rx(3), Qt::LeftButton);
  Settle();
  Rx(3)->selectAll();
  QTest::keyClick(Rx(3), Qt::Key_V, Qt::ControlModifier, 20);
  Tab();
  EXPECT_EQ(RxOf(3), RxOf(2));
  EXPECT_EQ(TxOf(3), TxOf(2));
  EXPECT_EQ(Rx(3)->text(), Rx(2)->text());

  // What typing refuses, the paste refuses with the beep.
  QGuiApplication::clipboard()->setText(QStringLiteral("46x5"));
  QTest::mouseClick(Rx(3), Qt::LeftButton);
  Settle();
  Rx(3)->selectAll();
  BeepCounter beeps;
  QTest::keyClick(Rx(3), Qt::Key_Insert, Qt::ShiftModifier, 20);
  EXPECT_EQ(Rx(3)->text(), "465");
  EXPECT_EQ(beeps.count(), 1);
  QGuiApplication::clipboard()->clear();
}

TEST_P(RfListFixture, PassingThroughCommitsNothing) {
  Program(3, 460.0);
  Type(Tx(3), "467.5");
  Tab();
  EXPECT_EQ(TxOf(3), 46750000u);
  if (family == kMobile) Choose(Control(kRxShifts[3]), 1);  // "Enable", though 460 lies in a "Disable" segment
  g_dataModified = 0;
  Rx(3)->setFocus();
  Settle();
  Tab();
  Tab();
  EXPECT_EQ(TxOf(3), 46750000u);
  EXPECT_EQ(RxOf(3), 46000000u);
  if (family == kMobile) {
    EXPECT_TRUE(g_mobileData.m_channels[3].RxShift());
  }
  EXPECT_EQ(g_dataModified, 0);
}

TEST_P(RfListFixture, TakingAChannelOutOfUseAndBack) {
  Program(4, 460.0);
  const FrequencyCount tx = TxOf(4);
  Choose(EnableCell(4), 1);  // "Disable"
  EXPECT_FALSE(Programmed(4));
  EXPECT_EQ(Deletions(), 1);
  EXPECT_EQ(host.messages.back(), (RecordedMessage{UM_CHANNEL_DELETED, 4, 0}));
  EXPECT_EQ(RxOf(4), 46000000u);  // the frequencies stay in the record
  EXPECT_EQ(Rx(4)->text(), QString(10, ' '));
  EXPECT_FALSE(Tx(4)->isEnabled());

  // "Enable" asks for a new receive frequency: left blank, the channel goes
  // out of use again and the references are cleared a second time.
  Choose(EnableCell(4), 0);
  EXPECT_TRUE(Programmed(4));
  EXPECT_EQ(QApplication::focusWidget(), Rx(4));
  EXPECT_EQ(Rx(4)->text(), QString(10, ' '));
  EXPECT_EQ(TxOf(4), tx);
  if (family == kMobile) {
    EXPECT_EQ(SpaceCell(4)->text(), "Narrow");
  }
  Tab();
  EXPECT_FALSE(Programmed(4));
  EXPECT_EQ(Deletions(), 2);

  // "Enable" again, then a frequency typed: in use with it.
  Choose(EnableCell(4), 0);
  QTest::keyClicks(Rx(4), "470");
  Tab();
  EXPECT_TRUE(Programmed(4));
  EXPECT_EQ(RxOf(4), 47000000u);
  EXPECT_EQ(Deletions(), 2);

  // Ten blanks left in the receive edit: out of use, one more message.
  Rx(4)->setFocus();
  Settle();
  Rx(4)->setText(QString(10, ' '));
  Tab();
  EXPECT_FALSE(Programmed(4));
  EXPECT_EQ(Deletions(), 3);
}

TEST_P(RfListFixture, ATransmitFrequencyForAChannelOutOfUseIsDropped) {
  // The edit is disabled; a text that reaches it anyway stores nothing.
  Channel(5, [](auto& c, const ChannelCodecContext&) { c.SetProgrammed(false); });
  page->RefreshChannelGrid();
  const FrequencyCount before = TxOf(5);
  Tx(5)->setEnabled(true);
  Type(Tx(5), "466");
  Tab();
  EXPECT_EQ(TxOf(5), before);
  EXPECT_EQ(Tx(5)->text(), QString(10, ' '));
}

TEST_P(RfListFixture, WhatIsTypedLandsInTheChannelShownBeforeThePageGoes) {
  Program(3, 460.0);
  Program(10, 460.0);
  Type(Rx(3), "461");
  Control<QPushButton>(kNext)->click();  // channels 8..21 now
  EXPECT_EQ(RxOf(3), 46100000u);
  EXPECT_EQ(RxOf(10), 46000000u);
  Type(Tx(3), "468");  // column 3 shows channel 11 (index 10)
  page->DestroyWindow();
  Settle();
  EXPECT_EQ(TxOf(10), 46800000u);
  ASSERT_TRUE(page->Create(&host));  // reopens at the channels last shown
  page->show();
  Settle();
  EXPECT_EQ(page->FirstChannel(), 7);
}

TEST_P(RfListFixture, ListsOpenOnTheStoredValueAndLeftAtTheBlockEnds) {
  Program(6, 460.0);
  Program(2, 460.0);
  for (int column : {2, 6}) {
    QTest::mouseClick(SpaceCell(column), Qt::LeftButton);
    CHotListBox* list = page->Grid().OpenList();
    ASSERT_NE(list, nullptr);
    const QRect cell(SpaceCell(column)->mapTo(page->Body(), QPoint(0, 0)), SpaceCell(column)->size());
    if (column == 6)
      EXPECT_LT(list->geometry().right(), cell.left()) << column;
    else
      EXPECT_GT(list->geometry().left(), cell.center().x()) << column;
    // Mobile "Wide" is row 1, portable "Wide" row 0.
    EXPECT_EQ(list->currentItem()->text(), "Wide");
    page->Grid().Close();
  }
}

TEST_P(RfListFixture, DefaultSplit) {
  auto* split = Control<CValueEdit>(kDefaultSplit);
  double& stored = ModelOf(family).openingMsg.m_defaultSplit;
  EXPECT_EQ(split->text(), "  5.0");
  Type(split, "99.9");
  EXPECT_DOUBLE_EQ(stored, 99.9);
  EXPECT_EQ(g_dataModified, 1);
  BeepCounter beeps;
  Type(split, "100");
  EXPECT_EQ(beeps.count(), 1);
  EXPECT_EQ(split->text(), "10.0");  // "100" refused: the value typed before it
  EXPECT_DOUBLE_EQ(stored, 10.0);
  Type(split, "-");
  EXPECT_DOUBLE_EQ(stored, 0.0);

  // Leaving cuts to one decimal toward zero and marks nothing.
  const std::pair<const char*, const char*> settled[] = {{"12.37", " 12.3"}, {"-12.37", "-12.3"}, {"12.3", " 12.3"}};
  for (auto [typed, shown] : settled) {
    split->setFocus();
    Settle();
    split->setText(QString::fromLatin1(typed));  // the edit itself takes one decimal only
    g_dataModified = 0;
    Tab();
    EXPECT_EQ(split->text(), shown) << typed;
    EXPECT_EQ(g_dataModified, 0);
  }
  // A receive frequency takes the split now set.
  Program(0, 450.0);
  EXPECT_EQ(TxOf(0), 46230000u);
}

TEST_P(RfListFixture, SavedSlotsHoldWhatThePageChose) {
  TempDir dir;
  const int i = 6;  // a mobile slot past the first gap: 0x1C80 + 25i + 3
  // A wide UHF channel would be narrowed by the save: the mobile radio is a
  // VHF one here, its channel below the narrow-band range.
  if (family == kMobile) ResetToDefaultModel(kFamilyMobileVhf);
  Program(i, family == kMobile ? 147.0 : 460.0);
  Choose(SpaceCell(i), family == kMobile ? 1 : 1);  // mobile "Wide", portable "Narrow"
  if (family == kMobile) Choose(Control(kRxShifts[i]), 1);
  const std::string file = dir.File(family == kMobile ? "A.K58" : "A.P58");
  ASSERT_TRUE(g_dataFile.SaveDataFile(file)) << (messages.texts().empty() ? "" : messages.texts()[0]);
  const std::size_t slot = ChannelOffset(family, i);
  EXPECT_EQ(slot, family == kMobile ? 0x1C80u + 25 * i + 3 : 0x1C80u + 22 * i);
  if (family == kMobile) {
    EXPECT_EQ(g_pRadioImage[slot] >> 6, 1);          // wide
    EXPECT_TRUE(g_pRadioImage[slot + 18] & 0x20);    // receive shift
  } else {
    EXPECT_TRUE(g_pRadioImage[slot + 14] & 0x01);    // narrow
  }
  Choose(EnableCell(i), 1);  // "Disable"
  ASSERT_TRUE(g_dataFile.SaveDataFile(file));
  if (family == kMobile) {
    EXPECT_EQ(g_pRadioImage[slot + 1], 0xFF);
    EXPECT_EQ(g_pRadioImage[slot + 2], 0x2E);
  } else {
    EXPECT_EQ(g_pRadioImage[slot], 0xFF);
  }
  ASSERT_EQ(g_dataFile.LoadDataFile(file, dir.path()), 1);
  page->RefreshChannelGrid();
  EXPECT_FALSE(Programmed(i));
  EXPECT_EQ(EnableCell(i)->text(), "Disable");
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, RfListFixture, ::testing::Values(kMobile, kPortable));

}  // namespace
