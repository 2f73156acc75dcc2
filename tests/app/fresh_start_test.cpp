// The fresh start in the program's own layers: the page frame, the pages and
// the main window's commands each put back what they keep, and the model's
// and the link's state come back in the same call.
#include <gtest/gtest.h>

#include "PageHost.h"
#include "ProgramState.h"
#include "SimLink.h"
#include "app/CloneDlg.h"
#include "app/Help.h"
#include "app/RomEditDlg.h"
#include "framework/ScrollablePage.h"
#include "link/CloneLink.h"
#include "link/RadioSender.h"
#include "model/RadioImage.h"
#include "pages/PageBase.h"

TEST(FreshStart, EveryLayersStateComesBack) {
  FreshProgramState fresh;
  const std::string helpFolder = HelpFolder();
  CVirtualClock clock;
  FakeMainDlg main{nullptr};
  g_takePageSize = true;
  g_refPageRect = QRect(0, 0, 400, 300);
  g_pageRect = QRect(4, 30, 400, 300);
  g_pageRomEditRoute = [](CScrollablePage&) {};
  g_portableModelChange = true;
  g_printingKeyPage = true;
  g_pMainDlg = &main;
  g_romEditBlock = 9;
  SetCloneClock(&clock);
  SetHelpFolder(std::string(RP58_PROGRAM_DIR) + "/help");
  ShowHelpContext(kHelpTopicsContext);
  ASSERT_NE(CHelpViewer::Instance(), nullptr);
  CHelpViewer::Instance()->close();  // its deletion only posted
  g_cloneOk = true;
  g_serviceSerial = "0N010042";
  g_dataModified = true;

  ResetProgramState();

  EXPECT_FALSE(g_takePageSize);
  EXPECT_TRUE(g_refPageRect.isNull());
  EXPECT_TRUE(g_pageRect.isNull());
  EXPECT_EQ(g_pageRomEditRoute, nullptr);
  EXPECT_FALSE(g_portableModelChange);
  EXPECT_FALSE(g_printingKeyPage);
  EXPECT_EQ(g_pMainDlg, nullptr);
  EXPECT_EQ(g_romEditBlock, 0);
  EXPECT_EQ(CloneClock(), nullptr);
  EXPECT_EQ(HelpFolder(), helpFolder);
  EXPECT_EQ(CHelpViewer::Instance(), nullptr);
  EXPECT_FALSE(g_cloneOk);
  EXPECT_TRUE(g_serviceSerial.empty());
  EXPECT_FALSE(g_dataModified);
}
