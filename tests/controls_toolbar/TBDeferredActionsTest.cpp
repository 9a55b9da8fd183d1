// The thread's deferred-action window: a click whose message cannot be posted
// gives its slot back, and the next click works again.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/toolbar/TBConsts.h"
#include "controls/toolbar/TBCustomItem.h"
#include "controls/toolbar/TBDeferredActions.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

namespace {

struct TClickCount {
  int Clicks = 0;
  void Click(TObject*) { ++Clicks; }
};

TEST(TBDeferredActions, APostThatFailsGivesItsSlotBackAndTheNextClickStillRuns)
{
  THeadlessDisplay::Use();
  TClickCount count;
  TTBItem item(nullptr);
  item.OnClick = TNotifyEvent(&count, &TClickCount::Click);

  PostDeferredClick(&item);
  MSG queued;
  ASSERT_TRUE(PeekMessage(&queued, nullptr, TBM_DEFERREDACTION, TBM_DEFERREDACTION, PM_NOREMOVE));
  HWND window = queued.hwnd;
  THeadlessDisplay::PumpMessages();
  ASSERT_EQ(count.Clicks, 1);
  ASSERT_EQ(PendingDeferredActionCount(), 0);

  // Something destroys the window behind the menu code's back: the post
  // fails, and the slot it had taken is free again.
  ASSERT_TRUE(DestroyWindow(window));
  PostDeferredClick(&item);
  EXPECT_EQ(PendingDeferredActionCount(), 0);
  THeadlessDisplay::PumpMessages();
  EXPECT_EQ(count.Clicks, 1);

  // The dead window is forgotten: the next click gets a new one and runs.
  PostDeferredClick(&item);
  EXPECT_EQ(PendingDeferredActionCount(), 1);
  THeadlessDisplay::PumpMessages();
  EXPECT_EQ(count.Clicks, 2);
  EXPECT_EQ(PendingDeferredActionCount(), 0);
}

}  // namespace
