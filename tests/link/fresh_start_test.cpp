// The link's own state comes back with the fresh start.
#include <gtest/gtest.h>

#include "ProgramState.h"
#include "link/CloneLink.h"
#include "link/RadioSender.h"

TEST(FreshStart, TheLinksStateComesBack) {
  FreshProgramState fresh;
  g_cloneOk = true;
  g_radioPassword.fill('7');
  g_serviceSerial = "0N010042";

  ResetProgramState();

  EXPECT_FALSE(g_cloneOk);
  EXPECT_EQ(g_radioPassword, decltype(g_radioPassword){});
  EXPECT_TRUE(g_serviceSerial.empty());
}
