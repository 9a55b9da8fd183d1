// Bringing a window to the front under a window manager (openbox, started
// for the test): the window manager stacks and focuses the windows it
// manages, so a form brought to the front must ask it for activation, with a
// time no older than the user's last action in another program; a restack
// alone leaves the window behind.
#include "X11ScreenPeek.h"
#include "X11TestSupport.h"
#include "platform/classes/classes.h"

namespace {

class X11ActivationTest : public X11Fixture {};

TEST_F(X11ActivationTest, AFormBroughtToTheFrontComesAboveTheProgramTheUserIsIn)
{
  if (!StartWindowManager())
    GTEST_SKIP() << "no window manager to test with (scripts/setup installs openbox)";
  Application()->Initialize();
  TForm* chat = nullptr;
  Application()->CreateForm(chat);
  chat->SetPosition(poDesigned);
  chat->SetBounds(600, 500, 320, 200);
  chat->SetCaption("Messages avec bob");
  chat->Show();
  ASSERT_TRUE(PumpUntil([&] { return Viewable(XOf(chat->Handle())); }));
  auto active = [&] {
    const std::vector<long> window = Longs(Root(), "_NET_ACTIVE_WINDOW");
    return window.empty() ? XWin(0) : XWin(window[0]);
  };
  auto topmost = [&] {
    const std::vector<long> stacking = Longs(Root(), "_NET_CLIENT_LIST_STACKING");
    return stacking.empty() ? XWin(0) : XWin(stacking.back());
  };

  // The user works in another program, beside the form wherever the
  // manager put it, so that the click cannot land on the form.
  TRect chatRect;
  GetWindowRect(chat->Handle(), &chatRect);
  const int otherLeft = chatRect.Left >= 400 ? 20 : chatRect.Right + 40;
  const XWin other = ShowForeignWindow(otherLeft, 100, 320, 200, "Autre programme");
  TRect otherRect, overlap;
  ASSERT_TRUE(PumpUntil([&] { return Viewable(other); }));
  otherRect = ScreenRectOf(X, other);
  GetWindowRect(chat->Handle(), &chatRect);
  ASSERT_FALSE(IntersectRect(&overlap, &otherRect, &chatRect))
      << "the manager put the other program over the form: other at " << otherRect.Left << "," << otherRect.Top
      << ", form at " << chatRect.Left << "," << chatRect.Top;
  Click(otherRect.Left + otherRect.Width() / 2, otherRect.Top + otherRect.Height() / 2);
  ASSERT_TRUE(PumpUntil([&] { return active() == other && topmost() == other; }))
      << "the window manager did not give the other program the focus: active " << active() << ", top "
      << topmost() << ", other " << other << ", form " << XOf(chat->Handle()) << " at " << otherRect.Left << ","
      << otherRect.Top << " " << otherRect.Width() << "x" << otherRect.Height();
  Pump(100);

  // A message comes for the form: it is brought to the front.
  chat->BringToFront();
  EXPECT_TRUE(PumpUntil([&] { return active() == XOf(chat->Handle()) && topmost() == XOf(chat->Handle()); }))
      << "the form stayed behind the other program";
  EXPECT_EQ(GetActiveWindow(), chat->Handle());

  chat->Free();
  Pump(30);
}

}  // namespace
