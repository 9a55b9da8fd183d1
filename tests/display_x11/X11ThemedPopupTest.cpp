// The themed popup menu on real windows: opened under the gallery host's
// menu bar by a click, with its drop shadow where a compositing manager runs
// and none where none does; the screen then shows the headless golden picture.
// Escape closes it and leaves no popup or shadow window behind.
#include "X11TestSupport.h"


#include <algorithm>
#include <atomic>
#include <thread>

#include "GalleryHost.h"
#include "X11ScreenPeek.h"
#include "GalleryProfile.h"
#include "controls/themes/TBWDefaultTheme.h"
#include "controls/themes/TBWNexus.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/themes/TBWThemeRegistry.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Form.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "tests/support/GoldenImage.h"

namespace {

constexpr unsigned long KeyEscape = 0xFF1B;

class X11ThemedPopupTest : public X11Fixture {
protected:
  void SetUp() override
  {
    X11Fixture::SetUp();
    UseGalleryFontAndRegistry();
    Application()->Initialize();
    RegisterDefaultTheme();
    CreateThemeNexus("Default");
    SelectGalleryLook(GallerySchemes()[0], GalleryPaths()[0]);
    Images.SetHandle(MakeGalleryImages());
  }
  void TearDown() override
  {
    FreeThemeNexus();
    ClearThemeRegistry();
    FreeThemeManager();
    SetBuiltinFontOnly(false);
    X11Fixture::TearDown();
  }

  // Opens the host's "Fichier" menu with a click, lets Check look at the
  // screen while it is open, then closes it with Escape. Answers the
  // most override-redirect windows the open menu showed at once.
  std::vector<XWin> OpenAndClose(TGalleryHost& Host, const std::function<void(const std::function<std::vector<XWin>()>&)>& Check)
  {
    const TRect opener = Host.MenuBarItemRect(0);
    const std::vector<XWin> before = ShownOverrideRedirect(X, {});
    std::vector<XWin> shown;
    std::atomic<bool> closed{false}, escaped{false};
    bool menuGone = false;
    std::thread user([&] {
      Click((opener.Left + opener.Right) / 2, (opener.Top + opener.Bottom) / 2);
      WaitUntil([&] {
        shown = ShownOverrideRedirect(X, before);
        return !shown.empty();
      });
      auto current = [&] {
        const std::vector<XWin> now = ShownOverrideRedirect(X, before);
        if (now.size() > shown.size())
          shown = now;
        return now;
      };
      Check(current);
      // The first Escape closes the menu and leaves its menu-bar item
      // selected; the second leaves the menu bar.
      TypeKeySym(KeyEscape);
      menuGone = WaitUntil([&] { return ShownOverrideRedirect(X, before).empty(); }, 10000);
      TypeKeySym(KeyEscape);
      escaped = true;
      WaitUntil([&] { return closed.load(); });
    });
    // The click opens the menu's loop inside this pump; Escape ends it.
    PumpUntil([&] { return escaped.load() && GetCapture() == nullptr; });
    closed = true;
    user.join();
    EXPECT_TRUE(menuGone) << "Escape did not take the menu and its shadow off the screen";
    EXPECT_TRUE(ShownOverrideRedirect(X, before).empty()) << "a popup or shadow window stayed on the screen";
    EXPECT_EQ(GetCapture(), nullptr) << "the menu bar kept the mouse";
    return shown;
  }

  TCustomImageList Images{nullptr, 16, 16};
};

TEST_F(X11ThemedPopupTest, WithoutACompositorTheMenuLooksLikeTheHeadlessGoldenAndClosesCleanly)
{
  ASSERT_FALSE(Backend->SupportsLayeredWindows()) << "the test's X server runs no compositing manager";
  TPixelImage golden;
  ASSERT_TRUE(ReadPng(std::string(THEME_GALLERY_GOLDEN_DIR) + "/default-plain-classic-menuopen-nocompositor.png", golden));
  TGalleryHost host(&Images, 0);
  ASSERT_TRUE(PumpUntil([&] { return Viewable(XOf(host.Form()->Handle())); }));
  const TRect dock = host.DockRect();
  const TRect area(dock.Left, dock.Top, dock.Left + golden.Width, dock.Top + golden.Height);
  bool same = false;
  const std::vector<XWin> shown = OpenAndClose(host, [&](const auto&) {
    same = WaitUntil([&] { return ScreenArea(X, area) == golden; }, 10000);
  });
  EXPECT_EQ(shown.size(), 1u) << "the menu alone, no shadow window";
  EXPECT_TRUE(same) << "the screen differs from the headless golden picture";
}

TEST_F(X11ThemedPopupTest, WithACompositorTheMenuCastsItsShadowAndTakesItAlong)
{
  if (!StartCompositor())
    GTEST_SKIP() << "no compositing manager installed";
  TGalleryHost host(&Images, 0);
  ASSERT_TRUE(PumpUntil([&] { return Viewable(XOf(host.Form()->Handle())); }));
  const uint32_t face = ScreenArea(X, TRect(380, 300, 381, 301)).Pixels.at(0);
  bool darker = false;
  const std::vector<XWin> shown = OpenAndClose(host, [&](const auto& Current) {
    // The menu and, below it, its shadow.
    std::vector<XWin> Windows;
    WaitUntil([&] { return (Windows = Current()).size() >= 2; }, 5000);
    TRect menu;
    for (XWin w : Windows) {
      const TRect r = ScreenRectOf(X, w);
      if (r.Width() * r.Height() > menu.Width() * menu.Height())
        menu = r;
    }
    // Just right of the menu's right edge, half way down: darker than the form.
    const int y = (menu.Top + menu.Bottom) / 2;
    darker = WaitUntil([&] {
      const uint32_t p = ScreenArea(X, TRect(menu.Right + 1, y, menu.Right + 2, y + 1)).Pixels.at(0);
      return (p & 0xFF) < (face & 0xFF) && (p >> 8 & 0xFF) < (face >> 8 & 0xFF);
    }, 10000);
  });
  EXPECT_GE(shown.size(), 2u) << "the menu came without its shadow window";
  EXPECT_TRUE(darker) << "no shadow beside the menu";
}

}  // namespace
