// Sys Copy on the zone table page of both families: the System Data Copy
// dialog's list and answers, and what CopySystem carries from one zone to
// another (in the data and in the saved image).
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <functional>

#include "SystemFixture.h"
#include "pages/zone/SystemDataCopyDlg.h"

namespace {

std::size_t ZoneByteAt(int zone, int k) { return 0x480 + 64 * static_cast<std::size_t>(zone) + static_cast<std::size_t>(k); }

class SystemCopy : public SystemFixture {
protected:
  // Runs the Sys Copy button of `column`; `answer` works the dialog while it
  // is open (it must close it).
  void SysCopy(int column, const std::function<void(CSystemDataCopyDlg&)>& answer) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<CSystemDataCopyDlg*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      seen = true;
      answer(*dialog);
      if (dialog->isVisible()) dialog->reject();  // never leaves the test waiting
    });
    page->OnSysCopy(column);
    Settle();
    EXPECT_TRUE(seen);
  }
  static QStringList Rows(const CSystemDataCopyDlg& dialog) {
    QStringList rows;
    for (int i = 0; i < dialog.DestinationList()->count(); ++i) rows << dialog.DestinationList()->itemText(i);
    return rows;
  }
  // Gives every zone's 16 setting bytes values of their own.
  void MarkZoneBytes() {
    for (int z = 0; z < kZoneCount; ++z)
      for (int k = 0; k < kZoneByteCount; ++k) ZoneByte(z, k) = static_cast<std::uint8_t>(z * 16 + k);
  }
};

TEST_P(SystemCopy, TheListOffersEveryZoneButTheSourceAndRowsNameZonesInOrder) {
  struct Case {
    int firstZone, column;
    int row;           // the row chosen
    QString source, first, last;
    int destination;
  };
  for (const Case& c : {Case{0, 0, 0, "System 1", "System 2", "System32", 1},
                        Case{27, 4, 30, "System32", "System 1", "System31", 30},
                        Case{10, 2, 11, "System13", "System 1", "System32", 11},
                        Case{10, 2, 12, "System13", "System 1", "System32", 13}}) {
    CSystemDataCopyDlg dialog(c.firstZone + c.column);
    const QStringList rows = Rows(dialog);
    EXPECT_EQ(FindControl<QLabel>(&dialog, system_copy::kSourceCaption)->text(), c.source);
    ASSERT_EQ(rows.size(), 31);
    EXPECT_EQ(rows.front(), c.first);
    EXPECT_EQ(rows.back(), c.last);
    EXPECT_FALSE(rows.contains(c.source));
    EXPECT_EQ(dialog.DestinationList()->currentIndex(), 0);
    dialog.DestinationList()->setCurrentIndex(c.row);
    dialog.accept();
    EXPECT_EQ(dialog.Result(), c.destination) << c.source.toStdString() << " row " << c.row;
  }
}

TEST_P(SystemCopy, CopiesTheThirteenSettingBytesAndNothingElse) {
  Zones({2, 3, 1, 4}, {true, false, false, true});
  MarkZoneBytes();
  Data().m_repeaters[3][0] = 7;
  Data().m_zoneNames[1] = Text9{'C', 'O', 'N', 'V', ' ', ' ', ' ', ' ', '\0'};
  const auto groups = Data().m_groups;
  const auto repeaters = Data().m_repeaters;
  const auto names = Data().m_zoneNames;
  const auto counts = Data().m_groupCounts;
  const auto flags = Data().m_zoneFlags;
  page->SetFirstSystem(1);
  page->RefreshGrid();

  // Column 2 is zone 3 (LTR); its row 1 names zone 1 (conventional).
  SysCopy(2, [](CSystemDataCopyDlg& d) {
    d.DestinationList()->setCurrentIndex(1);
    d.accept();
  });
  for (int k = 0; k < kZoneByteCount; ++k)
    EXPECT_EQ(ZoneByte(1, k), k < 13 ? 3 * 16 + k : 1 * 16 + k) << "byte " << k;
  for (int z : {0, 2, 3})
    for (int k = 0; k < kZoneByteCount; ++k) EXPECT_EQ(ZoneByte(z, k), z * 16 + k);
  EXPECT_EQ(Data().m_groupCounts, counts);
  EXPECT_EQ(Data().m_zoneFlags, flags);
  EXPECT_EQ(Data().m_zoneNames, names);
  EXPECT_EQ(Data().m_repeaters, repeaters);
  for (std::size_t g = 0; g < groups.size(); ++g) {
    const CGroupRecord& now = Data().m_groups[g];
    EXPECT_TRUE(now.settings == groups[g].settings && now.channelWord == groups[g].channelWord &&
                now.tag == groups[g].tag && now.flags == groups[g].flags)
        << "group " << g;
  }
  EXPECT_EQ(g_dataModified, 1);
}

TEST_P(SystemCopy, ACopiedZoneReachesTheSavedImage) {
  Zones({2, 3}, {true, true});
  ZoneByte(0, 0) = 0x84;  // interconnect on
  ZoneByte(0, 1) = 0x35;
  ZoneByte(0, 10) = 1;    // revert to the zone's second group
  page->CopySystem(1, 0);
  EXPECT_EQ(g_dataModified, 1);
  const std::vector<std::uint8_t> image = Saved();
  ASSERT_GT(image.size(), ZoneByteAt(1, 16));
  for (int k : {0, 1, 10, 12}) EXPECT_EQ(image[ZoneByteAt(1, k)], image[ZoneByteAt(0, k)]) << "byte " << k;
  EXPECT_EQ(image[ZoneByteAt(1, 0)], 0x84);
  EXPECT_EQ(image[ZoneByteAt(1, 1)], 0x35);
}

TEST_P(SystemCopy, NoChosenZoneCopiesNothing) {
  Zones({2, 3}, {true, false});
  MarkZoneBytes();
  const auto bytes = Data().m_zoneBytes;
  const std::vector<std::function<void(CSystemDataCopyDlg&)>> answers = {
      [](CSystemDataCopyDlg& d) { d.reject(); },                      // Cancel
      [](CSystemDataCopyDlg& d) { QTest::keyClick(&d, Qt::Key_Escape); },
      [](CSystemDataCopyDlg& d) { d.close(); },
      [](CSystemDataCopyDlg& d) {  // a typed text that names no row
        d.DestinationList()->setEditText(QStringLiteral("System99"));
        d.accept();
      },
      [](CSystemDataCopyDlg& d) {  // the source itself, which is no row
        d.DestinationList()->setEditText(QStringLiteral("System 1"));
        d.accept();
      },
  };
  for (std::size_t i = 0; i < answers.size(); ++i) {
    SysCopy(0, answers[i]);
    EXPECT_EQ(Data().m_zoneBytes, bytes) << "answer " << i;
    EXPECT_EQ(g_dataModified, 0) << "answer " << i;
  }
  page->CopySystem(kNoZone, 0);
  EXPECT_EQ(Data().m_zoneBytes, bytes);
  EXPECT_EQ(g_dataModified, 0);
}

TEST_P(SystemCopy, ATypedZoneNameIsTheRowItNames) {
  Zones({2, 3, 1}, {true, false, false});
  MarkZoneBytes();
  SysCopy(0, [](CSystemDataCopyDlg& d) {
    d.DestinationList()->setEditText(QStringLiteral("system 3"));
    d.accept();
  });
  EXPECT_EQ(ZoneByte(2, 12), 0 * 16 + 12);
  EXPECT_EQ(ZoneByte(1, 12), 1 * 16 + 12);
}

// Keys on the destination list, which has the focus when the dialog opens:
// Enter is OK at the first press, Esc is Cancel.
TEST_P(SystemCopy, EnterOnTheListCopiesAndEscCopiesNothing) {
  struct Case {
    Qt::Key key;
    bool copied;
  };
  for (const Case& c : {Case{Qt::Key_Escape, false}, Case{Qt::Key_Return, true}}) {
    Zones({2, 3, 1}, {true, false, false});
    MarkZoneBytes();
    g_dataModified = 0;
    SysCopy(0, [&c](CSystemDataCopyDlg& d) {
      ASSERT_TRUE(QTest::qWaitFor([&d] { return QApplication::activeWindow() == &d; }));
      EXPECT_EQ(QApplication::focusWidget(), d.DestinationList());
      QTest::keyClick(d.DestinationList(), Qt::Key_Down, Qt::NoModifier, 20);  // "System 3"
      QTest::keyClick(d.DestinationList(), c.key, Qt::NoModifier, 20);
      EXPECT_FALSE(d.isVisible()) << "one key closes the dialog";
    });
    EXPECT_EQ(ZoneByte(2, 12), c.copied ? 0 * 16 + 12 : 2 * 16 + 12) << c.key;
    EXPECT_EQ(g_dataModified, c.copied ? 1 : 0) << c.key;
  }
}

TEST_P(SystemCopy, TheHiddenButtonsFollowTheirZonesUse) {
  Zones({2, 0, 1}, {true, false, false});
  for (int c = 0; c < kZoneColumns; ++c) {
    auto* button = Control<QPushButton>(system_page::kSysCopy[c]);
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->isVisible());
    EXPECT_EQ(button->isEnabled(), c == 0 || c == 2) << "column " << c;
  }
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, SystemCopy, ::testing::Values(kMobile, kPortable), FamilyName);

}  // namespace
