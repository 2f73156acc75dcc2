// Shift+F9 on the pages: each page class runs the handler its row names, and
// the two handlers ask different configurations.
#include <gtest/gtest.h>

#include <cstdio>

#include "PageHost.h"
#include "ProgramState.h"
#include "QtTestSupport.h"
#include "ScriptedMessages.h"
#include "app/PageSet.h"
#include "app/RomEditRoute.h"
#include "model/ConfigFile.h"

namespace {

const std::string kRefused = "ROM Editor can't be carried out\n";

// Ten bytes: COM, LPT, EEPROM end word, flash start, little-endian.
std::vector<unsigned char> FactoryFile() { return {0, 0, 0, 0, 0x7F, 0, 0x00, 0x80, 0x03, 0x00}; }

struct RomEditRouteTest : ::testing::Test {
  FreshProgramState fresh;
  TempDir dir;
  ScriptedMessages msgs;
  FakeMainDlg main{nullptr};
  void SetUp() override { g_pMainDlg = &main; }

  void ReadConfigs(bool mobileFactory, bool portableFactory) {
    std::remove("MB925.CFG");
    std::remove("MB407.CFG");
    if (mobileFactory) WriteWholeFile("MB925.CFG", FactoryFile());
    if (portableFactory) WriteWholeFile("MB407.CFG", FactoryFile());
    g_config.ReadConfig();
    g_portableConfig.ReadConfig();
  }
};

}  // namespace

TEST_F(RomEditRouteTest, EachPageClassAsksTheConfigurationOfItsRow) {
  using enum PageSlot;
  constexpr auto P = RomEditHandler::kOnRomEditKey;
  constexpr auto M = RomEditHandler::kOnRomEditorCommand;
  constexpr auto N = RomEditHandler::kNone;
  const struct {
    PageSlot slot;
    RomEditHandler handler;
  } pages[] = {
      {kMobileGlobal1, M},         {kPortableGlobal1, P},          {kMobileGlobal2, M},
      {kPortableGlobal2, P},       {kMobileSpecial, M},            {kMobileSystem, M},
      {kPortableSystem, P},        {kMobileLtrAdvanced, M},        {kPortableLtrAdvanced, P},
      {kMobileInterconnect, M},    {kPortableInterconnect, P},     {kMobileRepeater, M},
      {kPortableRepeater, P},      {kMobileLtrGroupBasic, M},      {kPortableLtrGroupBasic, M},
      {kMobileLtrGroupAdvanced, M}, {kPortableLtrGroupAdvanced, P}, {kMobileConvGroupBasic, M},
      {kPortableConvGroupBasic, P}, {kMobileConvGroupAdvanced, M}, {kPortableConvGroupAdvanced, P},
      {kMobileDtmfAni, M},         {kPortableDtmfAni, P},          {kMobileRfChannelList, M},
      {kPortableRfChannelList, M}, {kMobileKeyAssign, M},          {kPortableKeyAssign, P},
      {kMobileFiveTone, N},        {kPortableFiveTone, N},
  };
  static_assert(std::size(pages) == kPageSlotCount);
  // Which factory files exist: mobile, portable.
  const std::pair<bool, bool> files[] = {{false, false}, {true, false}, {false, true}, {true, true}};
  CPageSet set;
  for (const auto& [mobileFactory, portableFactory] : files) {
    ReadConfigs(mobileFactory, portableFactory);
    for (const auto& p : pages) {
      CScrollablePage& page = set.Page(p.slot);
      SCOPED_TRACE(PageClassName(page) + (mobileFactory ? " mobile file" : "") +
                   (portableFactory ? " portable file" : ""));
      EXPECT_EQ(RomEditHandlerOf(PageClassName(page)), p.handler);
      const bool asked = p.handler != N;
      const bool found = p.handler == M ? mobileFactory : portableFactory;
      main.romEdits = 0;
      msgs.clear();
      BeepCounter beeps;
      RunPageRomEditCommand(page);
      EXPECT_EQ(main.romEdits, asked && found ? 1 : 0);
      EXPECT_EQ(msgs.texts(), asked && !found ? std::vector<std::string>{kRefused} : std::vector<std::string>{});
      EXPECT_EQ(beeps.count(), asked && !found ? 1 : 0);
    }
  }
}

TEST_F(RomEditRouteTest, PagesNotYetBuiltHaveTheirRowsAndUnknownClassesNone) {
  EXPECT_EQ(RomEditHandlerOf("CBlankPage"), RomEditHandler::kOnRomEditorCommand);
  EXPECT_EQ(RomEditHandlerOf("CPortableKeyAssignSystemPage"), RomEditHandler::kOnRomEditorCommand);
  EXPECT_EQ(RomEditHandlerOf("CMobileFiveTonePage"), RomEditHandler::kNone);
  EXPECT_EQ(RomEditHandlerOf(""), RomEditHandler::kNone);
}
