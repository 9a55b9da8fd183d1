// The main window's docks as the form places them: the toolbar docks and the
// panels' multi-docks on all four sides, the extended toolbars and items the
// host builds, and each of its three panels docked on each side and floated
// under each theme (pictures in build/<preset>/bin/main-window-docks-*.png).
#include <algorithm>

#include "controls/themes/TBWDockablePanel.h"
#include "controls/themes/TBWMultiDock.h"
#include "controls/themes/TBWSwitcher.h"
#include "controls/themes/XTBToolbars.h"
#include "controls/toolbar/TBFloatingWindowParent.h"
#include "controls/vtree/LazyStringTree.h"
#include "host/NetworkMenus.h"
#include "host/ProgramBindings.h"
#include "platform/win/window/WindowPos.h"
#include "platform/win/window/WindowTree.h"
#include "tests/host/MainWindowHarness.h"

namespace {

class MainWindowDocks : public TMainWindowHarness {
protected:
  TcorvaneMain& OpenProgram()
  {
    PutChatLibrary();
    Put("testnet.net");
    Put("testmp.mp");
    Net()->SetModel(OneGroup("TestNet", {"alice", "bob"}));
    TcorvaneMain& main = Open(ProgramBindings());
    main.Show();
    THeadlessDisplay::PumpMessages();
    return main;
  }
  static TRect ScreenRect(TControl* Control)
  {
    TRect r;
    GetWindowRect(static_cast<TWinControl*>(Control)->Handle(), &r);
    return r;
  }
  static bool Overlap(const TRect& A, const TRect& B)
  {
    return std::max(A.Left, B.Left) < std::min(A.Right, B.Right) && std::max(A.Top, B.Top) < std::min(A.Bottom, B.Bottom);
  }
  static bool Inside(const TRect& Inner, const TRect& Outer)
  {
    return Inner.Left >= Outer.Left && Inner.Top >= Outer.Top && Inner.Right <= Outer.Right &&
           Inner.Bottom <= Outer.Bottom;
  }
};

TEST_F(MainWindowDocks, TheFormPlacesFourToolbarDocksAndFourMultiDocks)
{
  TcorvaneMain& main = OpenProgram();
  const TTBDockPosition sides[] = {dpLeft, dpTop, dpRight, dpBottom};
  const TXTBDockPosition multiSides[] = {dpxLeft, dpxTop, dpxRight, dpxBottom};
  for (int i = 0; i < 4; ++i) {
    ASSERT_NE(main.Docks()[i], nullptr);
    EXPECT_EQ(main.Docks()[i]->Position(), sides[i]);
    EXPECT_EQ(main.Docks()[i]->Parent(), &main);
    ASSERT_NE(main.MultiDocks()[i], nullptr);
    EXPECT_EQ(main.MultiDocks()[i]->Position(), multiSides[i]);
    EXPECT_EQ(main.MultiDocks()[i]->Parent(), &main);
  }
  // The toolbars stand in the top toolbar dock, the panels in the right and bottom multi-docks.
  EXPECT_EQ(main.MenuBar()->CurrentDock(), main.Docks()[1]);
  EXPECT_EQ(main.TbNetWorks()->CurrentDock(), main.Docks()[1]);
  EXPECT_EQ(main.PluginPanel()->CurrentDock(), main.MultiDocks()[2]);
  EXPECT_EQ(main.DisplayPanel()->CurrentDock(), main.MultiDocks()[2]);
  EXPECT_EQ(main.ConsolePanel()->CurrentDock(), main.MultiDocks()[3]);
  // Empty multi-docks take no room.
  EXPECT_EQ(main.MultiDocks()[0]->Width(), 0);
  EXPECT_EQ(main.MultiDocks()[1]->Height(), 0);
}

// The items the host makes are the extended ones: their wide captions are
// what the viewers draw.
TEST_F(MainWindowDocks, TheHostsItemsAreTheExtendedItems)
{
  TcorvaneMain& main = OpenProgram();
  TTBCustomItem* bar = main.MenuBar()->Items();
  for (int i = 0; i < bar->Count(); ++i) {
    EXPECT_NE(dynamic_cast<TXTBSubmenuItem*>(bar->Items(i)), nullptr) << bar->Items(i)->Caption();
    for (int j = 0; j < bar->Items(i)->Count(); ++j) {
      TTBCustomItem* item = bar->Items(i)->Items(j);
      EXPECT_TRUE(dynamic_cast<TXTBCustomItem*>(item) || dynamic_cast<TXTBSeparatorItem*>(item)) << item->Caption();
    }
  }
  TTBCustomItem* network = main.TbNetWorks()->Items()->Items(0);
  auto* submenu = dynamic_cast<TXTBSubmenuItem*>(network);
  ASSERT_NE(submenu, nullptr);
  EXPECT_EQ(submenu->Caption(), u"TestNet");
  for (int j = 0; j < network->Count(); ++j) {
    TTBCustomItem* item = network->Items(j);
    EXPECT_TRUE(dynamic_cast<TXTBItem*>(item) || dynamic_cast<TXTBSeparatorItem*>(item)) << item->Caption();
  }
  auto* style = dynamic_cast<TXTBCustomItem*>(main.mnuStyle()->Items(0));
  ASSERT_NE(style, nullptr);
  EXPECT_EQ(style->Caption(), u"Default");
  // A plug-in's item: wide caption from the 8-bit text the plug-in gave.
  main.Core().AddNetworkMenuItem(0, nullptr, "Rien", "Réglages é");
  auto* plugItem = dynamic_cast<TPlugItem*>(network->Items(network->Count() - 1));
  ASSERT_NE(plugItem, nullptr);
  EXPECT_EQ(plugItem->Caption(), u"Réglages é");
}

// Each panel on each side and floating, under each theme: it sits wholly in
// its dock (or in its floating frame), the dock takes room, and the contact
// tree gives way.
TEST_F(MainWindowDocks, EachPanelDocksOnEverySideAndFloatsUnderEveryTheme)
{
  TcorvaneMain& main = OpenProgram();
  const char* sideNames[] = {"left", "top", "right", "bottom"};
  TTBWDockablePanel* panels[] = {main.ConsolePanel(), main.PluginPanel(), main.DisplayPanel()};
  for (const char* theme : {"Default", "OfficeXP", "Stripes"}) {
    main.Switcher()->SetTheme(theme);
    for (int side = 0; side < 4; ++side) {
      TXTBMultiDock* dock = main.MultiDocks()[side];
      for (TTBWDockablePanel* panel : panels) {
        SCOPED_TRACE(std::string(theme) + " " + sideNames[side] + " " + panel->Caption());
        panel->SetCurrentDock(dock);
        THeadlessDisplay::PumpMessages();
        ASSERT_EQ(panel->CurrentDock(), dock);
        EXPECT_TRUE(panel->Docked());
        const TRect dockRect = ScreenRect(dock);
        const TRect panelRect = ScreenRect(panel);
        EXPECT_TRUE(Inside(panelRect, dockRect));
        EXPECT_GT(panelRect.Right - panelRect.Left, 8);
        EXPECT_GT(panelRect.Bottom - panelRect.Top, 8);
        EXPECT_FALSE(Overlap(dockRect, ScreenRect(main.lstPlugContact())));
        EXPECT_TRUE(Inside(dockRect, ScreenRect(&main)));
      }
      ASSERT_TRUE(Display->Screenshot(main.Handle(), BuiltFolder() + "main-window-docks-" + theme + "-" +
                                                         sideNames[side] + ".png"));
    }
    for (TTBWDockablePanel* panel : panels) {
      SCOPED_TRACE(std::string(theme) + " floating " + panel->Caption());
      panel->MakeFloating(true);
      THeadlessDisplay::PumpMessages();
      ASSERT_TRUE(panel->Floating());
      ASSERT_NE(panel->FloatFrame(), nullptr);
      EXPECT_TRUE(IsWindowVisible(panel->FloatFrame()->Handle()));
      EXPECT_TRUE(Inside(ScreenRect(panel), ScreenRect(panel->FloatFrame())));
      // Back into a dock: the frame goes.
      panel->SetCurrentDock(main.MultiDocks()[2]);
      THeadlessDisplay::PumpMessages();
      EXPECT_TRUE(panel->Docked());
    }
    main.PluginPanel()->MakeFloating(true);
    THeadlessDisplay::PumpMessages();
    ASSERT_TRUE(Display->Screenshot(main.PluginPanel()->FloatFrame()->Handle(),
                                    BuiltFolder() + "main-window-docks-" + theme + "-floating.png"));
    main.PluginPanel()->SetCurrentDock(main.MultiDocks()[2]);
    THeadlessDisplay::PumpMessages();
  }
}

}  // namespace
