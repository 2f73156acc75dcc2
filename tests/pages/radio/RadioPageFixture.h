#pragma once
// A radio-wide page of either family shown inside a stand-in main window,
// with helpers to give the radio zones and groups and to save and reload a
// data file.
#include <QComboBox>

#include "PageFixture.h"
#include "model/DataFile.h"
#include "model/GroupRecord.h"
#include "model/RadioData.h"

// Zones 0..zones-1 in use, each with `groupsEach` groups, all in use.
inline void GiveZones(CRadioDataCore& data, int zones, int groupsEach) {
  for (int z = 0; z < zones; ++z) {
    data.m_zoneFlags[static_cast<std::size_t>(z)] |= zone_flag::kEnabled;
    data.m_groupCounts[static_cast<std::size_t>(z)] = static_cast<std::uint8_t>(groupsEach);
    for (int g = 0; g < groupsEach; ++g)
      data.m_groups[static_cast<std::size_t>(z * groupsEach + g)].flags |= group_flag::kEnabled;
  }
}

inline QStringList Items(const QComboBox* combo) {
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  return items;
}

// Picks the row with the text, as a user does; fails when there is none.
inline void UserPicks(QComboBox* combo, const char* text) {
  ASSERT_NE(combo, nullptr) << text;
  const int row = combo->findText(QString::fromLatin1(text));
  ASSERT_GE(row, 0) << text << " in " << Items(combo).join(",").toStdString();
  UserChooses(combo, row);
}

template <class MobilePage, class PortablePage>
class RadioPageFixture : public PageFixture<CScrollablePage, QComboBox> {
protected:
  void Start() override {
    g_mobileData.m_productWord = 11u << 8;
    Make<MobilePage, PortablePage>();
    Show();
  }

  CGlobalRecord& Record() const { return ModelOf(family).global; }
  CRadioDataCore& Data() const { return ModelOf(family).radioData; }
  void Refresh() {
    if (family == kPortable)
      static_cast<PortablePage&>(*page).RefreshFromData();
    else
      static_cast<MobilePage&>(*page).RefreshFromData();
  }

  // Loads the family's default file into a fresh file of the test's own.
  std::string LoadDefaultFile(TempDir& dir) {
    const std::string file = dir.File(family == kMobile ? "RADIO.K58" : "RADIO.P58");
    WriteWholeFile(file, ReadWholeFile(std::string(RP58_PROGRAM_DIR) + "/" +
                                       (family == kMobile ? kDefaultMobileUhfFile : kDefaultPortableUhfFile)));
    EXPECT_EQ(g_dataFile.LoadDataFile(file, dir.path()), 1);
    Refresh();
    return file;
  }
  // Saves, forgets the image and the records, and loads the file again.
  void SaveAndReload(const std::string& file, TempDir& dir) {
    ASSERT_TRUE(g_dataFile.SaveDataFile(file)) << (messages.texts().empty() ? "" : messages.texts()[0]);
    std::fill(g_pRadioImage, g_pRadioImage + kImageBufferSize, 0);
    Record().SetDefaults();
    ASSERT_EQ(g_dataFile.LoadDataFile(file, dir.path()), 1);
    Refresh();
  }
};
