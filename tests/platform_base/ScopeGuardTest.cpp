#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "platform/base/ScopeGuard.h"

namespace {

// Leaves a scope holding both guards, normally or by an exception; answers
// which cleanups ran ("exit", "failure").
std::string Leave(bool raise)
{
  std::string ran;
  try {
    ScopeExit exit([&] { ran += "exit;"; });
    OnFailure failure([&] { ran += "failure;"; });
    if (raise)
      throw std::runtime_error("raised");
  } catch (const std::runtime_error&) {
    ran += "caught;";
  }
  return ran;
}

}  // namespace

TEST(ScopeGuard, ScopeExitRunsEitherWayAndOnFailureOnlyOnAnException)
{
  EXPECT_EQ(Leave(false), "exit;");
  // The later guard runs first, both before the handler.
  EXPECT_EQ(Leave(true), "failure;exit;caught;");
}

TEST(ScopeGuard, DismissedGuardsDoNothing)
{
  int runs = 0;
  {
    ScopeExit guard([&] { ++runs; });
    guard.Dismiss();
  }
  try {
    OnFailure guard([&] { ++runs; });
    guard.Dismiss();
    throw 1;
  } catch (int) {
  }
  EXPECT_EQ(runs, 0);
}

TEST(ScopeGuard, ACleanupThatRaisesOnTheWayOutRaisesButNeverHidesTheFirstException)
{
  auto raisingCleanup = [](bool alsoRaiseInside) {
    ScopeExit guard([] { throw std::logic_error("cleanup"); });
    if (alsoRaiseInside)
      throw std::runtime_error("body");
  };
  EXPECT_THROW(raisingCleanup(false), std::logic_error);
  EXPECT_THROW(raisingCleanup(true), std::runtime_error);
}

TEST(ScopeGuard, AGuardMadeWhileAnExceptionUnwindsJudgesItsOwnScope)
{
  // In a destructor running during unwinding, a guard whose own scope ends
  // normally is no failure.
  std::string ran;
  struct TCleaner {
    std::string& Ran;
    ~TCleaner()
    {
      OnFailure failure([&] { Ran += "failure;"; });
      ScopeExit exit([&] { Ran += "exit;"; });
    }
  };
  try {
    TCleaner cleaner{ran};
    throw 1;
  } catch (int) {
  }
  EXPECT_EQ(ran, "exit;");
}
