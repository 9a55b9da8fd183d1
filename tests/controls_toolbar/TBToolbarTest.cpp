// The toolbar and menu bar on a host-like form, driven by keys and the mouse
// on the headless display: the idle script plays the user whenever a menu
// loop waits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <functional>

#include "controls/toolbar/TBFloatingWindowParent.h"
#include "controls/toolbar/TBPopupWindow.h"
#include "controls/toolbar/TBShowAnimation.h"
#include "controls/toolbar/TBThreadHooks.h"
#include "platform/classes/Messages.h"
#include "platform/classes/controls/CustomControl.h"
#include "platform/classes/stdctrls/Edit.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "controls/utility/storage/UtMemoryAppStorage.h"
#include "tests/support/GoldenImage.h"
#include "TBDockTestSupport.h"
#include "TBPlacementStoreAccess.h"
#include "TBScriptedUser.h"
#include "TBToolbarHostForm.h"

namespace {

class TBToolbarTest : public ::testing::Test {
public:
  enum { mFichier, mContacts, mAide };

  void SetUp() override
  {
    Display = THeadlessDisplay::Use();
    THeadlessDisplay::UseVirtualClock();
    Application()->Initialize();
    // The built-in font: the same pixels wherever the tests run.
    SetBuiltinFontOnly(true);
    Host = std::make_unique<THostLikeForm>(Log);
    THeadlessDisplay::PumpMessages();
    Script.Attach(Display);
  }

  void TearDown() override
  {
    EXPECT_TRUE(Steps.empty()) << "the menu ended before the script did";
    Display->SetIdleScript(nullptr);
    Host.reset();
    THeadlessDisplay::PumpMessages();
    SetBuiltinFontOnly(false);
  }

  TTBView* Bar() { return Host->MenuBar->View(); }

  void AltKey(BYTE Vk)
  {
    Display->KeyDown(VK_MENU);
    Display->PressKey(Vk);
    Display->KeyUp(VK_MENU);
    Application()->ProcessMessages();
  }

  THeadlessDisplay* Display = nullptr;
  TItemClickLog Log;
  std::unique_ptr<THostLikeForm> Host;
  TScriptedUser Script;
  std::deque<std::function<void()>>& Steps = Script.Steps;
  bool& RanOut = Script.RanOut;
};

TEST_F(TBToolbarTest, MenuBarModeBringsItsCompanionsAndTurnsThemBack)
{
  TTBToolbar* bar = Host->MenuBar;
  EXPECT_TRUE(bar->FullSize());
  EXPECT_EQ(bar->ShrinkMode(), tbsmWrap);
  EXPECT_FALSE(bar->CloseButton());
  EXPECT_TRUE(bar->ProcessShortCuts());
  EXPECT_TRUE(bar->ControlStyle().Contains(csMenuEvents));
  EXPECT_TRUE(SharedHookInstalled(shGetMessage));
  EXPECT_EQ(TTBCustomToolbar::ShortCutMemberCount(), 1);
  // The menu bar spans the dock.
  EXPECT_EQ(bar->Width(), Host->Dock->ClientWidth());

  bar->SetMenuBar(false);
  EXPECT_FALSE(bar->FullSize());
  EXPECT_EQ(bar->ShrinkMode(), tbsmChevron);
  EXPECT_TRUE(bar->CloseButton());
  EXPECT_FALSE(bar->ProcessShortCuts());
  EXPECT_FALSE(bar->ControlStyle().Contains(csMenuEvents));
  EXPECT_FALSE(SharedHookInstalled(shGetMessage));
  EXPECT_EQ(TTBCustomToolbar::ShortCutMemberCount(), 0);
}

TEST_F(TBToolbarTest, AltLetterDropsDownTheMatchingSubmenu)
{
  Steps = {
      [&] {
        EXPECT_EQ(Bar()->Selected(), Bar()->Viewers(mContacts));
        TTBPopupWindow* drop = Bar()->OpenViewerWindow();
        ASSERT_NE(drop, nullptr) << "Alt+C did not open the Contacts submenu";
        EXPECT_EQ(drop->View()->SourceItem(), Host->MenuBar->Items()->Items(mContacts));
        // The submenu's own accelerator runs its item.
        Display->TypeText("c");
      },
  };
  AltKey('C');
  EXPECT_FALSE(RanOut);
  EXPECT_EQ(Bar()->OpenViewerWindow(), nullptr);
  THeadlessDisplay::PumpMessages();
  EXPECT_EQ(Log.Clicked, std::vector<std::string>{"&Chercher"});
}

TEST_F(TBToolbarTest, F10SelectsTheBarAndArrowsWalkIt)
{
  Steps = {
      [&] {
        EXPECT_EQ(Bar()->Selected(), Bar()->Viewers(mFichier));
        EXPECT_EQ(Bar()->OpenViewerWindow(), nullptr) << "F10 opened a submenu";
        Display->PressKey(VK_RIGHT);
      },
      [&] {
        EXPECT_EQ(Bar()->Selected(), Bar()->Viewers(mContacts));
        Display->PressKey(VK_RIGHT);
      },
      [&] {
        EXPECT_EQ(Bar()->Selected(), Bar()->Viewers(mAide));
        Display->PressKey(VK_LEFT);
      },
      [&] {
        EXPECT_EQ(Bar()->Selected(), Bar()->Viewers(mContacts));
        Display->PressKey(VK_DOWN);
      },
      [&] {
        TTBPopupWindow* drop = Bar()->OpenViewerWindow();
        ASSERT_NE(drop, nullptr) << "Down did not open the selected submenu";
        EXPECT_EQ(drop->View()->SourceItem(), Host->MenuBar->Items()->Items(mContacts));
        Display->PressKey(VK_RETURN);
      },
  };
  Display->PressKey(VK_F10);
  Application()->ProcessMessages();
  EXPECT_FALSE(RanOut);
  EXPECT_FALSE(Bar()->Flags() & vfInMenuLoop);
  THeadlessDisplay::PumpMessages();
  EXPECT_EQ(Log.Clicked, std::vector<std::string>{"&Ajouter"});
}

TEST_F(TBToolbarTest, UnmatchedMenuKeysAreLeftOrRefused)
{
  // Alt+"-" belongs to the platform (the window menu of a child); any other
  // key without an item beeps and is taken.
  struct TCase {
    LPARAM Key;
    LRESULT Result;
    int Beeps;
  };
  for (const TCase& c : {TCase{'-', 0, 0}, TCase{'z', 1, 1}}) {
    SCOPED_TRACE(char(c.Key));
    int beeps = MessageBeepCount();
    EXPECT_EQ(Host->MenuBar->Perform(WM_SYSCOMMAND, SC_KEYMENU, c.Key), c.Result);
    EXPECT_EQ(MessageBeepCount() - beeps, c.Beeps);
  }
  // Typed on the form, Alt+"-" opens no menu and does not beep.
  int beeps = MessageBeepCount();
  AltKey(VK_OEM_MINUS);
  EXPECT_EQ(MessageBeepCount(), beeps);
  EXPECT_EQ(Bar()->Selected(), nullptr);
  // A plain toolbar is no menu bar: it leaves the key menu alone.
  EXPECT_EQ(Host->Tools->Perform(WM_SYSCOMMAND, SC_KEYMENU, 'b'), 0);
  EXPECT_FALSE(RanOut);
}

TEST_F(TBToolbarTest, ShortcutRunsItsItem)
{
  Display->KeyDown(VK_CONTROL);
  Display->PressKey('N');
  Display->KeyUp(VK_CONTROL);
  Application()->ProcessMessages();
  EXPECT_EQ(Log.Clicked, std::vector<std::string>{"&Ajouter"});
  // Not once processing shortcuts is off.
  Log.Clicked.clear();
  Host->MenuBar->SetProcessShortCuts(false);
  Display->KeyDown(VK_CONTROL);
  Display->PressKey('N');
  Display->KeyUp(VK_CONTROL);
  Application()->ProcessMessages();
  EXPECT_TRUE(Log.Clicked.empty());
}

TEST_F(TBToolbarTest, ChevronHidesTheOverflowAndItsPopupShowsIt)
{
  TTBToolbar* tools = Host->Tools;
  TTBView* view = tools->View();
  int hidden = 0;
  for (int i = 0; i < THostLikeForm::ToolButtonCount; ++i)
    hidden += view->Viewers(i)->HiddenByChevron();
  ASSERT_GT(hidden, 0) << "nothing went behind the chevron";
  TTBItemViewer* chevron = view->FindViewerOfItem(tools->ChevronItem());
  ASSERT_TRUE(chevron->Shown());
  EXPECT_LE(chevron->BoundsRect.Right, tools->ClientWidth());
  // The shortest row a chevron toolbar accepts: its first button, the
  // docked frame and the chevron.
  TPoint frame(0, 0);
  tools->DockedFrameSize(frame);
  int length = 0;
  tools->MinimumRowLength(length);
  EXPECT_EQ(length, view->TopPriorityViewer()->BoundsRect.Width() + frame.x + 12);

  Steps = {
      [&] {
        TTBPopupWindow* popup = view->OpenViewerWindow();
        ASSERT_NE(popup, nullptr) << "pressing the chevron did not open its popup";
        int shown = 0;
        for (int i = 0; i < popup->View()->ViewerCount(); ++i)
          shown += popup->View()->Viewers(i)->Shown();
        EXPECT_EQ(shown, hidden);
        Display->PressKey(VK_ESCAPE);
      },
      [&] { Display->PressKey(VK_ESCAPE); },
  };
  const TRect& r = chevron->BoundsRect;
  TPoint at = tools->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
  Display->MoveMouse(at.x, at.y);
  Display->Press();
  THeadlessDisplay::PumpMessages();
  Display->Release();
  THeadlessDisplay::PumpMessages();
  EXPECT_TRUE(Log.Clicked.empty());
}

class TBoxControl : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
};

TEST_F(TBToolbarTest, ChildControlsTakeAPlaceAmongTheItemsAndLeaveIt)
{
  TTBToolbar* bar = Host->MenuBar;
  auto* box = new TBoxControl(Host->Form);
  box->SetBounds(0, 0, 30, 16);
  box->SetParent(bar);
  TTBControlItem* item = bar->ControlItemOf(box);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(bar->Items()->IndexOf(item), bar->Items()->Count() - 1);
  THeadlessDisplay::PumpMessages();
  // Laid out after the last menu.
  const TRect& last = bar->View()->Viewers(mAide)->BoundsRect;
  EXPECT_EQ(box->Left(), last.Right);
  box->SetParent(nullptr);
  EXPECT_EQ(bar->ControlItemOf(box), nullptr);
  EXPECT_EQ(bar->Items()->Count(), 3);
  delete box;
}

TEST_F(TBToolbarTest, HintRectangleIsTheItemUnderTheMouse)
{
  TTBToolbar* tools = Host->Tools;
  tools->Items()->Items(1)->SetHint("Ouvrir|Ouvre un fichier");
  const TRect r = tools->View()->Viewers(1)->BoundsRect;
  THintInfo info;
  info.CursorPos = TPoint(r.Left + 2, r.Top + 2);
  EXPECT_EQ(tools->Perform(CM_HINTSHOW, 0, LPARAM(&info)), 0);
  EXPECT_EQ(info.CursorRect, r);
  EXPECT_EQ(info.HintStr, "Ouvrir");
  info.CursorPos = TPoint(-5, -5);
  EXPECT_NE(tools->Perform(CM_HINTSHOW, 0, LPARAM(&info)), 0) << "a hint with no item under the mouse";
}

TEST_F(TBToolbarTest, SmoothDragFloatsTheToolbarAndFollowsThePointerUntilTheRelease)
{
  // Floating moves the window into a frame, which hides and shows it; the
  // drag must keep the pointer through that.
  TTBToolbar* tools = Host->Tools;
  ASSERT_TRUE(tools->SmoothDrag());
  TRect docked;
  GetWindowRect(tools->Handle(), &docked);
  TPoint handle(docked.Left + 4, (docked.Top + docked.Bottom) / 2);
  TRect afterFirst;
  Steps = {
      [&] { Display->MoveMouse(handle.x + 20, handle.y + 80); },
      [&] {
        ASSERT_TRUE(tools->Floating()) << "the first move out of the dock did not float the toolbar";
        GetWindowRect(tools->FloatFrame()->Handle(), &afterFirst);
        Display->MoveMouse(handle.x + 60, handle.y + 200);
      },
      [&] { Display->Release(); },
  };
  Display->MoveMouse(handle.x, handle.y);
  Display->Press();
  Application()->ProcessMessages();
  EXPECT_FALSE(RanOut);
  ASSERT_TRUE(tools->Floating());
  TRect dropped;
  GetWindowRect(tools->FloatFrame()->Handle(), &dropped);
  EXPECT_EQ(dropped.Left - afterFirst.Left, 40) << "the frame stopped following the pointer";
  EXPECT_EQ(dropped.Top - afterFirst.Top, 120);
}

TEST_F(TBToolbarTest, HostLikeFormLooksAsItsGolden)
{
  const std::string golden = std::string(TOOLBAR_GOLDEN_DIR) + "/host-like-form.png";
  const std::string shot = ::testing::TempDir() + "host-like-form.png";
  ASSERT_TRUE(Display->Screenshot(Host->Form->Handle(), shot));
  TPixelImage image;
  ASSERT_TRUE(ReadPng(shot, image));
  if (std::getenv("CORVANE_WRITE_GOLDEN"))
    WritePng(golden, image);
  std::string message;
  EXPECT_TRUE(MatchesGolden(image, golden, &message)) << message;
}


// A floating toolbar goes back to its dock by its caption: dragged over the
// dock, or double-clicked. The input comes as fast as a hand gives it, all
// of it queued before the toolbar sees the press that starts the drag.
// A docked toolbar too long for its row fits the dock and shows its chevron.
void ExpectOverflowBehindTheChevron(TTBToolbar* Tools)
{
  TTBView* view = Tools->View();
  view->EnsureLayout();
  TTBItemViewer* chevron = view->FindViewerOfItem(Tools->ChevronItem());
  EXPECT_TRUE(chevron->Shown()) << "no chevron on a toolbar longer than its row";
  EXPECT_LE(Tools->BoundsRect().Right, Tools->CurrentDock()->ClientWidth());
  EXPECT_LE(chevron->BoundsRect.Right, Tools->ClientWidth());
  // The length it would like stays the unshortened one, longer than the row.
  TPoint natural(0, 0), frame(0, 0);
  Tools->NaturalContentSize(natural);
  Tools->DockedFrameSize(frame);
  EXPECT_GT(natural.x + frame.x, Tools->CurrentDock()->ClientWidth()) << "the natural length is the shortened one";
}

TEST_F(TBToolbarTest, AChevronToolbarKeepsItsChevronAtAnyPlaceInItsRow)
{
  TTBToolbar* tools = Host->Tools;
  for (int pos : {60, 0, 200}) {
    SCOPED_TRACE(pos);
    tools->SetDockPos(pos);
    Host->Dock->ArrangeWindows();
    THeadlessDisplay::PumpMessages();
    ExpectOverflowBehindTheChevron(tools);
  }
}

TEST_F(TBToolbarTest, AFloatingToolbarDocksBackByItsCaption)
{
  TTBToolbar* tools = Host->Tools;
  HWND handle = tools->Handle();
  const std::vector<std::string> redock = {"changing:dock", "recreating", "hidden:dock", "move", "recreated", "changed"};
  for (bool doubleClick : {false, true}) {
    SCOPED_TRACE(doubleClick ? "double click" : "drag");
    tools->MakeFloating(true);
    tools->MoveFrameTo(TRect(150, 400, 150, 400));
    THeadlessDisplay::PumpMessages();
    ASSERT_TRUE(tools->Floating());
    TRect dock;
    GetWindowRect(Host->Dock->Handle(), &dock);
    TRect frame;
    GetWindowRect(tools->FloatFrame()->Handle(), &frame);
    const TRect caption = tools->FloatFrame()->CaptionRect();
    const TPoint onCaption(frame.Left + caption.Left + 5, frame.Top + caption.Top + 3);
    TDockEventLog log;
    log.Listen(tools);
    THeadlessDisplay::Advance(1000);
    Display->MoveMouse(onCaption.x, onCaption.y);
    Display->Press();
    if (doubleClick) {
      Display->Release();
      Display->Press();
    } else {
      Display->MoveMouse(onCaption.x + 10, onCaption.y - 100);
      Display->MoveMouse(dock.Left + 40, dock.Bottom - 4);
    }
    Display->Release();
    Application()->ProcessMessages();
    EXPECT_FALSE(RanOut);
    EXPECT_EQ(tools->CurrentDock(), Host->Dock);
    EXPECT_EQ(tools->Handle(), handle);
    // Placing the docked window in its row may move it again afterwards.
    std::vector<std::string> change = log.FromTheChange();
    ASSERT_GE(change.size(), redock.size());
    EXPECT_EQ(std::vector<std::string>(change.begin(), change.begin() + long(redock.size())), redock);
    EXPECT_TRUE(std::all_of(change.begin() + long(redock.size()), change.end(), [](const std::string& e) { return e == "move"; }));
    EXPECT_EQ(tools->FloatFrame(), nullptr) << "the frame outlived the drag";
    ExpectOverflowBehindTheChevron(tools);
    tools->OnDockChanging = {};
    tools->OnDockChangingHidden = {};
    tools->OnRecreating = tools->OnMove = tools->OnRecreated = tools->OnDockChanged = {};
  }
  EXPECT_TRUE(Log.Clicked.empty()) << "a press on the caption clicked an item";
}

// The width a floating toolbar wraps at goes into the settings store as
// "FloatRightX" and comes back into a toolbar of the same name, which takes
// the wrapped shape at once.
TEST_F(TBToolbarTest, TheFloatingWrapWidthRoundTripsThroughASettingsStore)
{
  TTBToolbar* tools = Host->Tools;
  tools->SetName("TbOutils");
  tools->MakeFloating(true);
  THeadlessDisplay::PumpMessages();
  const int oneLine = tools->Height();
  std::vector<TPoint> steps = tools->FloatingSizeSteps();
  ASSERT_GE(steps.size(), 2u) << "nothing to wrap";
  const int wrapWidth = steps[1].x;
  tools->SetFloatWrapWidth(wrapWidth);
  const TPoint wrapped(tools->Width(), tools->Height());
  ASSERT_GT(wrapped.y, oneLine);

  TUtMemoryAppStorage store(nullptr);
  tools->SavePlacementValues(PlacementStoreAccess(store, true));
  EXPECT_EQ(store.ReadInteger("TbOutils\\FloatRightX", -1), wrapWidth);
  ASSERT_EQ(store.Values().size(), 1u) << "the toolbar keeps one value";

  tools->SetFloatWrapWidth(0);
  EXPECT_EQ(tools->Height(), oneLine);
  tools->LoadPlacementValues(PlacementStoreAccess(store, false));
  EXPECT_EQ(tools->FloatWrapWidth(), wrapWidth);
  EXPECT_EQ(TPoint(tools->Width(), tools->Height()), wrapped) << "the loaded width did not re-wrap the toolbar";

  // Another toolbar's value, a missing one and a damaged one.
  tools->SetName("TbAutre");
  tools->LoadPlacementValues(PlacementStoreAccess(store, false));
  EXPECT_EQ(tools->FloatWrapWidth(), 0) << "no stored value: one line";
  store.WriteInteger("TbAutre\\FloatRightX", -300);
  tools->LoadPlacementValues(PlacementStoreAccess(store, false));
  EXPECT_EQ(tools->FloatWrapWidth(), 0);
  EXPECT_EQ(tools->Height(), oneLine);
}

// Controls behind the chevron are out of reach: Tab never gives them (or
// what lies inside them) the focus, and they come back once there is room.
TEST_F(TBToolbarTest, ControlsBehindTheChevronTakeNoFocus)
{
  auto* shownEdit = new TEdit(Host->Form);
  shownEdit->SetBounds(0, 0, 40, 18);
  shownEdit->SetParent(Host->MenuBar);
  auto* box = new TBoxControl(Host->Form);
  box->SetBounds(0, 0, 50, 18);
  box->SetParent(Host->Tools);
  auto* hiddenEdit = new TEdit(Host->Form);
  hiddenEdit->SetBounds(2, 2, 30, 14);
  hiddenEdit->SetParent(box);
  THeadlessDisplay::PumpMessages();
  TTBView* view = Host->Tools->View();
  ASSERT_TRUE(view->FindViewerOfItem(Host->Tools->ControlItemOf(box))->HiddenByChevron());

  auto inTabOrder = [&](TWinControl* Control) {
    std::vector<TWinControl*> list;
    Host->Form->GetTabOrderList(list);
    return std::find(list.begin(), list.end(), Control) != list.end();
  };
  EXPECT_TRUE(inTabOrder(shownEdit));
  EXPECT_FALSE(inTabOrder(box));
  EXPECT_FALSE(inTabOrder(hiddenEdit));
  shownEdit->SetFocus();
  for (int i = 0; i < 3; ++i) {
    Display->PressKey(VK_TAB);
    Application()->ProcessMessages();
    EXPECT_FALSE(hiddenEdit->Focused()) << "Tab reached a control behind the chevron";
  }

  // Wide enough for every button: the box shows and its edit is reachable.
  Host->Form->SetBounds(Host->Form->Left(), Host->Form->Top(), 1000, Host->Form->Height());
  THeadlessDisplay::PumpMessages();
  ASSERT_FALSE(view->FindViewerOfItem(Host->Tools->ControlItemOf(box))->HiddenByChevron());
  EXPECT_TRUE(inTabOrder(box));
  EXPECT_TRUE(inTabOrder(hiddenEdit));
}

// A multiple-document form's items on its menu bar: the system menu before
// the bar's own menus, the window buttons after them and before the chevron;
// changed or freed items leave the bar without a trace.
TEST_F(TBToolbarTest, TheMultipleDocumentItemsFrameTheMenuBarsOwnItems)
{
  TTBToolbar* bar = Host->MenuBar;
  TTBView* view = bar->View();
  auto* system = new TTBSubmenuItem(nullptr);
  system->SetCaption("Système");
  auto* buttons = new TTBCustomItem(nullptr);
  for (const char* caption : {"Réduire", "Restaurer", "Fermer"}) {
    auto* button = new TTBItem(nullptr);
    button->SetCaption(caption);
    buttons->Add(button);
  }
  bar->SetMDISystemMenuItem(system);
  bar->SetMDIButtonsItem(buttons);
  THeadlessDisplay::PumpMessages();
  auto captions = [&] {
    std::vector<std::string> list;
    for (int i = 0; i < view->ViewerCount(); ++i)
      list.push_back(view->Viewers(i)->Item()->Caption());
    return list;
  };
  const std::string chevron = bar->ChevronItem()->Caption();
  EXPECT_EQ(captions(), (std::vector<std::string>{"Système", "&Fichier", "&Contacts", "&Aide", "Réduire", "Restaurer",
                                                  "Fermer", chevron}));
  EXPECT_LT(view->Viewers(0)->BoundsRect.Right, view->Viewers(1)->BoundsRect.Right);
  EXPECT_GE(view->Viewers(4)->BoundsRect.Left, view->Viewers(3)->BoundsRect.Right);
  EXPECT_EQ(view->TopPriorityViewer()->Item(), bar->Items()->Items(0)) << "the bar's own items keep their priority";

  // A button deleted, one added, then both items freed.
  delete buttons->Items(1);
  EXPECT_EQ(captions(), (std::vector<std::string>{"Système", "&Fichier", "&Contacts", "&Aide", "Réduire", "Fermer",
                                                  chevron}));
  auto* extra = new TTBItem(nullptr);
  extra->SetCaption("Suivante");
  buttons->Add(extra);
  EXPECT_EQ(view->ViewerCount(), 8);
  delete buttons;
  EXPECT_EQ(bar->MDIButtonsItem(), nullptr);
  EXPECT_EQ(captions(), (std::vector<std::string>{"Système", "&Fichier", "&Contacts", "&Aide", chevron}));
  delete system;
  EXPECT_EQ(bar->MDISystemMenuItem(), nullptr);
  EXPECT_EQ(captions(), (std::vector<std::string>{"&Fichier", "&Contacts", "&Aide", chevron}));
  THeadlessDisplay::PumpMessages();
}

}  // namespace
