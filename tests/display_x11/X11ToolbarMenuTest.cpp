// The toolbar framework's popup menu on real windows: override-redirect
// popups at the computed places, the pointer and keyboard taken while the
// menu runs, the keyboard opening the submenu, a click choosing its item,
// and the screen showing the same pixels as the headless golden picture.
#include "X11TestSupport.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "controls/toolbar/TBCustomItem.h"
#include "tests/controls_toolbar/TBGoldenScenes.h"
#include "tests/support/GoldenImage.h"

namespace {

std::atomic<bool> gRescued{false};

LRESULT MenuOwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  // A test's rescue when the menu did not end as it should: the loop
  // dispatches this, and losing the capture ends it.
  if (msg == WM_APP) {
    gRescued = true;
    ReleaseCapture();
    return 0;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

struct TPopupGeometry {
  Window Id = 0;
  int X = 0, Y = 0, W = 0, H = 0;
};

// Shown override-redirect windows that were not there before.
std::vector<TPopupGeometry> NewPopups(Display* x, const std::vector<Window>& before)
{
  std::vector<TPopupGeometry> found;
  Window root, parent, *children = nullptr;
  unsigned n = 0;
  if (!XQueryTree(x, DefaultRootWindow(x), &root, &parent, &children, &n))
    return found;
  for (unsigned i = 0; i < n; ++i) {
    XWindowAttributes a;
    if (std::find(before.begin(), before.end(), children[i]) == before.end() &&
        XGetWindowAttributes(x, children[i], &a) && a.map_state == IsViewable && a.override_redirect)
      found.push_back(TPopupGeometry{children[i], a.x, a.y, a.width, a.height});
  }
  if (children)
    XFree(children);
  return found;
}

std::vector<Window> Ids(const std::vector<TPopupGeometry>& popups)
{
  std::vector<Window> ids;
  for (const auto& p : popups)
    ids.push_back(p.Id);
  return ids;
}

struct TClicks {
  std::vector<std::string> Captions;
  void Click(TObject* Sender) { Captions.push_back(static_cast<TTBCustomItem*>(Sender)->Caption()); }
};

class X11ToolbarMenuTest : public X11Fixture {};

TEST_F(X11ToolbarMenuTest, PopupMenuWithSubmenuDrivenByKeysAndMouseLooksLikeTheGolden)
{
  SetBuiltinFontOnly(true);
  WNDCLASS wc{};
  wc.lpfnWndProc = &MenuOwnerProc;
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = "X11ToolbarMenuOwner";
  RegisterClass(&wc);
  HWND owner = Track(CreateWindowEx(0, "X11ToolbarMenuOwner", "Menus", WS_OVERLAPPEDWINDOW, 300, 300, 300, 200,
                                    nullptr, nullptr, nullptr, nullptr));
  ShowWindow(owner, SW_SHOW);
  ASSERT_TRUE(PumpUntil([&] { return Viewable(XOf(owner)); }));
  SetFocus(owner);

  TMenuScene scene;
  TClicks clicks;
  TTBCustomItem* recent = scene.Root.Items(5);
  recent->Items(0)->OnClick = TNotifyEvent(&clicks, &TClicks::Click);
  TPixelImage golden;
  ASSERT_TRUE(ReadPng(std::string(TOOLBAR_GOLDEN_DIR) + "/menu-popup.png", golden));

  std::vector<Window> before = Ids(NewPopups(X, {}));
  gRescued = false;
  std::atomic<bool> closed{false};
  bool sawMenu = false, sawGrab = false, samePixels = false, sawSubmenu = false;
  TPopupGeometry menu, submenu;
  std::thread user([&] {
    sawMenu = WaitUntil([&] {
      auto popups = NewPopups(X, before);
      if (popups.size() != 1)
        return false;
      menu = popups[0];
      return true;
    });
    sawGrab = sawMenu && WaitUntil([&] {
      int status = XGrabPointer(X, DefaultRootWindow(X), False, ButtonPressMask, GrabModeAsync, GrabModeAsync, None,
                                None, CurrentTime);
      if (status == GrabSuccess)
        XUngrabPointer(X, CurrentTime);
      XSync(X, False);
      return status == AlreadyGrabbed;
    });
    // The menu paints once it is shown: wait for the finished picture.
    samePixels = sawMenu && menu.W == golden.Width && menu.H == golden.Height &&
                 WaitUntil([&] { return ServerPixels(menu.Id, menu.W, menu.H) == golden.Pixels; });
    if (sawGrab) {
      // Down to "Recent" (the separator is skipped), then Right opens it.
      for (int i = 0; i < 5; ++i)
        TypeKeySym(XK_Down);
      TypeKeySym(XK_Right);
      sawSubmenu = WaitUntil([&] {
        std::vector<Window> known = before;
        known.push_back(menu.Id);
        auto popups = NewPopups(X, known);
        if (popups.size() != 1)
          return false;
        submenu = popups[0];
        return true;
      });
    }
    if (sawSubmenu)
      Click(submenu.X + submenu.W / 2, submenu.Y + 3 + 4);
    if (!WaitUntil([&] { return closed.load(); }))
      PostMessage(owner, WM_APP, 0, 0);
  });
  scene.Root.PopupAtPoint(40, 30, false, tbpaLeft);
  closed = true;
  user.join();

  EXPECT_TRUE(sawMenu) << "the menu showed as one override-redirect window";
  EXPECT_EQ(menu.X, 40);
  EXPECT_EQ(menu.Y, 30);
  EXPECT_TRUE(sawGrab) << "the menu took the pointer";
  EXPECT_TRUE(samePixels) << "the screen shows the headless golden picture (" << menu.W << "x" << menu.H << " against "
                          << golden.Width << "x" << golden.Height << ")";
  EXPECT_TRUE(sawSubmenu) << "Down and Right opened the submenu";
  // Beside the menu, frames overlapping, level with the "Recent" row.
  EXPECT_EQ(submenu.X, menu.X + menu.W - 6);
  EXPECT_GT(submenu.Y, menu.Y);
  EXPECT_LT(submenu.Y, menu.Y + menu.H);
  EXPECT_FALSE(gRescued) << "the click on the submenu item ended the menu";
  EXPECT_TRUE(PumpUntil([&] { return !clicks.Captions.empty(); })) << "the chosen item's click ran";
  EXPECT_EQ(clicks.Captions, std::vector<std::string>{"&1 notes.txt"});
  EXPECT_TRUE(NewPopups(X, before).empty()) << "the popups are gone";
  SetBuiltinFontOnly(false);
}

}  // namespace
