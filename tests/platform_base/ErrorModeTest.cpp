#include <gtest/gtest.h>

#include <thread>

#include "platform/base/ErrorMode.h"
#include "platform/base/LastError.h"
#include "platform/base/ModuleLoader.h"

// Code loads an optional library with the error boxes turned off and puts the
// previous mode back: each call answers the mode it replaces, for the whole
// process, and loading fails quietly under any mode.
TEST(ErrorMode, SetAnswersThePreviousModeForTheWholeProcess)
{
  UINT original = GetErrorMode();
  EXPECT_EQ(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX), original);
  UINT seenElsewhere = 0;
  std::thread([&] { seenElsewhere = GetErrorMode(); }).join();
  EXPECT_EQ(seenElsewhere, SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);

  EXPECT_EQ(LoadLibrary("no-such-library.dll"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);

  EXPECT_EQ(SetErrorMode(original), SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  EXPECT_EQ(GetErrorMode(), original);
  EXPECT_EQ(LoadLibrary("no-such-library.dll"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
}
