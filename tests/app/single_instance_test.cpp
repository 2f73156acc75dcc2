#include <gtest/gtest.h>

#include "ScriptedMessages.h"
#include "app/SingleInstance.h"

TEST(SingleInstance, SecondLockIsRefusedUntilTheFirstEnds) {
  TempDir dir;
  {
    CSingleInstanceLock first;
    ASSERT_EQ(first.Acquire(dir.path() + "/run"), CSingleInstanceLock::kAcquired);
    CSingleInstanceLock second;
    EXPECT_EQ(second.Acquire(dir.path() + "/run"), CSingleInstanceLock::kHeldElsewhere);
    EXPECT_FALSE(second.Held());
  }
  CSingleInstanceLock again;
  EXPECT_EQ(again.Acquire(dir.path() + "/run"), CSingleInstanceLock::kAcquired);
}

TEST(SingleInstance, AFolderThatCannotHoldTheLockRunsUnguarded) {
  TempDir dir;
  CSingleInstanceLock lock;
  EXPECT_EQ(lock.Acquire(dir.path() + "/missing/deeper"), CSingleInstanceLock::kUnavailable);
}
