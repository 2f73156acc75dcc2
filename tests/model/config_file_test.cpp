#include <gtest/gtest.h>

#include <vector>

#include "ScriptedMessages.h"
#include "model/ConfigFile.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Le(std::initializer_list<std::uint32_t> words16) {
  Bytes b;
  for (auto w : words16) {
    b.push_back(w & 0xFF);
    b.push_back((w >> 8) & 0xFF);
  }
  return b;
}

Bytes Factory(std::uint16_t com, std::uint16_t lpt, std::uint16_t eepromEnd, std::uint32_t flash) {
  Bytes b = Le({com, lpt, eepromEnd});
  for (int i = 0; i < 4; ++i) b.push_back((flash >> (8 * i)) & 0xFF);
  return b;
}

struct Layout {
  int blocks, lastEeprom, lastSettings, dataStart, lastChannel, adjLow, adjHigh, firstAdjust, marker, lastUser;
  bool stream;
};

void ExpectLayout(const CConfigFileBase& c, const Layout& l) {
  EXPECT_EQ(c.GetBlockCount(), l.blocks);
  EXPECT_EQ(c.GetLastEepromBlock(), l.lastEeprom);
  EXPECT_EQ(c.GetLastSettingsBlock(), l.lastSettings);
  EXPECT_EQ(c.GetDataStartBlock(), l.dataStart);
  EXPECT_EQ(c.GetLastChannelBlock(), l.lastChannel);
  EXPECT_EQ(c.GetAdjustWordLow(), l.adjLow);
  EXPECT_EQ(c.GetAdjustWordHigh(), l.adjHigh);
  EXPECT_EQ(c.GetFirstAdjustBlock(), l.firstAdjust);
  EXPECT_EQ(c.GetValidMarkerWord(), l.marker);
  EXPECT_EQ(c.GetLastUserWord(), l.lastUser);
  EXPECT_EQ(c.UsesStreamProtocol(), l.stream);
}

}  // namespace

TEST(ConfigFile, NoFilesGiveDefaultLayoutsAndNoMessage) {
  TempDir dir;
  ScriptedMessages msgs;
  CConfigFile mobile;
  CPortableConfigFile portable;
  mobile.ReadConfig();
  portable.ReadConfig();
  EXPECT_TRUE(msgs.shown().empty());
  EXPECT_EQ(mobile.GetComPortIndex(), 0);
  EXPECT_FALSE(mobile.HasFactoryFile());
  EXPECT_EQ(mobile.GetFlashRomStart(), 0x38000u);
  ExpectLayout(mobile, {256, 1, 8, 9, 184, 3, 16, 254, 127, 119, false});
  EXPECT_EQ(portable.GetFlashRomStart(), 0x1A500u);
  ExpectLayout(portable, {168, 1, 8, 9, 166, 2, 14, 167, 127, 119, false});
  // Each object keeps its own limits: the portable default of entry 4 stays
  // out of the mobile table although the portable object reads last.
  EXPECT_EQ(portable.Ranges()[4], 51);
  EXPECT_EQ(mobile.Ranges()[4], 255);
  for (const CConfigFileBase* c : {static_cast<const CConfigFileBase*>(&mobile), static_cast<const CConfigFileBase*>(&portable)}) {
    EXPECT_EQ(c->Ranges()[0], 255);
    EXPECT_EQ(c->Ranges2()[6], 0);
    EXPECT_EQ(c->Ranges2()[7], 255);
  }
  EXPECT_EQ(mobile.Ranges2()[16], 188);  // only the mobile object sets 16 and 17
  EXPECT_FALSE(FileExists("RP58.CFG"));
}

TEST(ConfigFile, FactoryFileFixesTheLayout) {
  struct Row {
    const char* name;
    bool portable;
    std::uint16_t eepromEnd;
    std::uint32_t flash;
    std::uint32_t expectedFlash;
    Layout layout;
    std::vector<std::string> messages;
  };
  const Row rows[] = {
      {"stream radio", false, 63, 0x1DC00, 0x1DC00, {57, 0, 6, 6, 55, 2, 11, 56, 63, 60, true}, {}},
      {"mobile 0x1A500", false, 127, 0x1A500, 0x1A500, {168, 1, 8, 9, 166, 2, 3, 167, 127, 119, false}, {}},
      {"0x1B400", true, 63, 0x1B400, 0x1B400, {137, 0, 7, 8, 135, 2, 12, 137, 127, 97, false}, {}},
      {"portable refuses 0x38000", true, 127, 0x38000, 0x1A500,
       {168, 1, 8, 9, 166, 2, 14, 167, 127, 119, false}, {"Bad flash ROM start address\ndefault data are used"}},
      {"mobile bad flash", false, 127, 0x12345, 0x1A500,
       {168, 1, 8, 9, 166, 2, 14, 167, 127, 119, false}, {"Bad flash ROM start address\ndefault data are used"}},
      {"bad eeprom end", false, 100, 0x1DC00, 0x1DC00,
       {58, 1, 6, 6, 55, 2, 11, 56, 63, 60, true}, {"Bad EEPROM end address\ndefault data are used"}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    TempDir dir;
    ScriptedMessages msgs;
    WriteWholeFile(r.portable ? "MB407.CFG" : "MB925.CFG", Factory(3, 1, r.eepromEnd, r.flash));
    CConfigFile mobile;
    CPortableConfigFile portable;
    CConfigFileBase& c = r.portable ? static_cast<CConfigFileBase&>(portable) : mobile;
    c.ReadConfig();
    EXPECT_TRUE(c.HasFactoryFile());
    EXPECT_EQ(c.GetComPortIndex(), 3);  // the factory's port wins over the user file
    EXPECT_EQ(c.GetFlashRomStart(), r.expectedFlash);
    ExpectLayout(c, r.layout);
    EXPECT_EQ(msgs.texts(), r.messages);
  }
}

TEST(ConfigFile, ShortFilesTakeDefaultsForTheirTail) {
  TempDir dir;
  ScriptedMessages msgs;
  // 20 bytes: COM, LPT, word 1, the 8 bytes, word 2, and two first-meter limits.
  Bytes user = Le({2, 1, 0x1234});
  for (int i = 0; i < 8; ++i) user.push_back(0x12);
  Bytes tail = Le({77, 10, 20});
  user.insert(user.end(), tail.begin(), tail.end());
  ASSERT_EQ(user.size(), 20u);
  WriteWholeFile("RP58.CFG", user);
  CConfigFile c;
  c.ReadConfig();
  EXPECT_EQ(c.GetComPortIndex(), 2);
  EXPECT_EQ(c.GetLptPortIndex(), 1);
  EXPECT_EQ(c.Ranges()[0], 10);
  EXPECT_EQ(c.Ranges()[1], 20);
  for (int i = 2; i < 10; ++i) EXPECT_EQ(c.Ranges()[i], 255) << i;
  for (int i = 0; i < 10; ++i) EXPECT_EQ(c.Ranges2()[i], i < 7 ? 0 : 255) << i;

  // A 4-byte factory file: the port indexes become 0, the layout keeps the
  // constructor values, and no message shows.
  WriteWholeFile("MB925.CFG", Le({5, 1}));
  CConfigFile f;
  f.ReadConfig();
  EXPECT_EQ(f.GetComPortIndex(), 0);
  EXPECT_EQ(f.GetLptPortIndex(), 0);
  EXPECT_EQ(f.GetFlashRomStart(), 0x38000u);
  EXPECT_EQ(f.GetBlockCount(), 256);
  EXPECT_TRUE(msgs.shown().empty());
}

TEST(ConfigFile, WriteRoundTripsTheCarriedFields) {
  TempDir dir;
  Bytes user = Le({1, 0, 0xBEEF});
  for (int i = 0; i < 8; ++i) user.push_back(static_cast<unsigned char>(0x10 + i));
  Bytes rest = Le({9});
  user.insert(user.end(), rest.begin(), rest.end());
  for (int i = 0; i < 20; ++i) {
    Bytes w = Le({static_cast<std::uint32_t>(100 + i)});
    user.insert(user.end(), w.begin(), w.end());
  }
  ASSERT_EQ(user.size(), 56u);
  WriteWholeFile("RP58.CFG", user);
  CConfigFile c;
  c.ReadConfig();
  ASSERT_TRUE(c.WriteConfig());
  EXPECT_EQ(ReadWholeFile("RP58.CFG"), user);  // nibble swap undone on the way out
}

TEST(ConfigFile, ChoosingCom5WritesIndex4) {
  for (bool userExists : {true, false}) {
    for (bool factoryExists : {true, false}) {
      SCOPED_TRACE(std::string(userExists ? "user file" : "no user file") + (factoryExists ? ", factory" : ""));
      TempDir dir;
      if (userExists) WriteWholeFile("RP58.CFG", Bytes(56, 0));
      if (factoryExists) WriteWholeFile("MB925.CFG", Factory(0, 0, 63, 0x1DC00));
      CConfigFile c;
      c.ReadConfig();
      c.SetComPortIndex(4);
      ASSERT_TRUE(c.WriteConfig());
      const Bytes written = ReadWholeFile("RP58.CFG");
      ASSERT_EQ(written.size(), userExists ? 56u : 36u);
      EXPECT_EQ(written[0], 4);
      EXPECT_EQ(written[1], 0);
      EXPECT_EQ(FileExists("MB925.CFG"), factoryExists);  // never created
      if (factoryExists) {
        EXPECT_EQ(ReadWholeFile("MB925.CFG"), Factory(4, 0, 63, 0x1DC00));
      }
      if (!userExists) {
        // What a read of the short new file would give.
        for (int i = 0; i < 10; ++i) EXPECT_EQ(c.Ranges2()[i], i < 7 ? 0 : 255);
        CConfigFile again;
        again.ReadConfig();
        EXPECT_EQ(again.GetComPortIndex(), 4);
      }
    }
  }
}

TEST(ConfigFile, PortIndexesOutsideTheirRangeStoreZero) {
  CConfigFile c;
  const std::pair<int, int> com[] = {{-1, 0}, {0, 0}, {15, 15}, {16, 0}, {300, 0}};
  for (auto [in, out] : com) {
    c.SetComPortIndex(static_cast<std::int16_t>(in));
    EXPECT_EQ(c.GetComPortIndex(), out) << in;
  }
  c.SetLptPortIndex(1);
  EXPECT_EQ(c.GetLptPortIndex(), 1);
  c.SetLptPortIndex(2);
  EXPECT_EQ(c.GetLptPortIndex(), 0);
}

// An index no choice could give, read from either file, means COM1: the port
// opened, the name in the messages and the dialog's selection then agree.
TEST(ConfigFile, ComIndexesReadOutsideTheirRangeMeanCom1) {
  struct Row {
    std::uint16_t user;
    int factory;  // -1: no factory file
    int index;
  };
  const Row rows[] = {{20, -1, 0}, {16, -1, 0}, {0xFFFF, -1, 0}, {15, -1, 15},
                      {3, 20, 0},  {20, 3, 3},  {3, 15, 15}};
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "user " << row.user << ", factory " << row.factory);
    TempDir dir;
    Bytes user = Le({row.user, 0});
    user.resize(56, 0);
    WriteWholeFile("RP58.CFG", user);
    if (row.factory >= 0)
      WriteWholeFile("MB925.CFG", Factory(static_cast<std::uint16_t>(row.factory), 0, 127, 0x38000));
    CConfigFile c;
    c.ReadConfig();
    EXPECT_EQ(c.GetComPortIndex(), row.index);
  }
}

TEST(ConfigFile, EachFamilyKeepsTheLimitsItsOwnFileGave) {
  TempDir dir;
  // A whole user file with slider limits from `first` (entry 4: 255) and
  // second-meter limits from first + 10.
  auto userFile = [](std::uint32_t first) {
    Bytes b = Le({0, 0, 0});
    b.resize(14, 0);
    Bytes tail = Le({8});
    for (std::uint32_t i = 0; i < 20; ++i) {
      const Bytes w = Le({i == 4 ? 255 : first + i});
      tail.insert(tail.end(), w.begin(), w.end());
    }
    b.insert(b.end(), tail.begin(), tail.end());
    return b;
  };
  const Bytes mobileFile = userFile(10);
  ASSERT_EQ(mobileFile.size(), 56u);
  WriteWholeFile("RP58.CFG", mobileFile);
  for (const bool portableFileThere : {false, true}) {
    if (portableFileThere) WriteWholeFile("RB36.CFG", userFile(100));
    for (const bool portableFirst : {false, true}) {
      SCOPED_TRACE(std::to_string(portableFileThere) + std::to_string(portableFirst));
      CConfigFile mobile;
      CPortableConfigFile portable;
      if (portableFirst) portable.ReadConfig();
      mobile.ReadConfig();
      if (!portableFirst) portable.ReadConfig();
      for (int i = 0; i < kCfgStoredRanges; ++i) {
        EXPECT_EQ(mobile.Ranges()[i], i == 4 ? 255 : 10 + i) << i;
        EXPECT_EQ(mobile.Ranges2()[i], 20 + i) << i;
        if (portableFileThere) {
          EXPECT_EQ(portable.Ranges()[i], i == 4 ? 255 : 100 + i) << i;
          EXPECT_EQ(portable.Ranges2()[i], 110 + i) << i;
        }
      }
      if (!portableFileThere) {
        EXPECT_EQ(portable.Ranges()[4], 51);
      }
      // A save writes the mobile file's own limits back.
      ASSERT_TRUE(mobile.WriteConfig());
      EXPECT_EQ(ReadWholeFile("RP58.CFG"), mobileFile);
    }
  }
}
