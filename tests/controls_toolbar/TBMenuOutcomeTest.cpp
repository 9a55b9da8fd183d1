// The outcomes of keys typed into a menu bar's loop, as a table of scripted
// sessions: accelerators (one match clicks, two only move), F1 with the help
// context of the nearest selected item that has one, and the system menu for
// an unmatched space or "-" at the bar itself (a beep inside a menu).
#include <gtest/gtest.h>

#include "TBScriptedUser.h"
#include "TBToolbarHost.h"

#include <string>
#include <vector>

#include "controls/toolbar/TBCustomItem.h"
#include "controls/toolbar/TBItemViewer.h"
#include "controls/toolbar/TBPopupWindow.h"
#include "controls/toolbar/TBView.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

namespace {

// The window the user works in: it owns the bar and gets the system menu key.
std::vector<LPARAM> SystemMenuKeys;
LRESULT ActiveWindowProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l)
{
  if (msg == WM_SYSCOMMAND && (w & 0xFFF0) == SC_KEYMENU) {
    SystemMenuKeys.push_back(l);
    return 0;
  }
  return DefWindowProc(hwnd, msg, w, l);
}

// One key of a session, and the caption selected in the deepest open menu
// once it has been handled (empty: not checked).
struct TKeyStep {
  std::string Key;  // "F1", "Esc", or text to type
  std::string SelectedAfter;
};

struct TOutcomeCase {
  const char* Name;
  std::vector<TKeyStep> Keys;
  TTBMenuOutcomeKind Kind;
  intptr_t HelpContext;
  std::vector<LPARAM> SystemMenuKeys;
  std::vector<std::string> Clicked;
  int Beeps;
};

class TBMenuOutcomeTest : public ::testing::Test {
public:
  void SetUp() override
  {
    Display = THeadlessDisplay::Use();
    THeadlessDisplay::UseVirtualClock();
    WNDCLASS wc{};
    wc.lpfnWndProc = ActiveWindowProc;
    wc.lpszClassName = "TBMenuOutcomeActive";
    RegisterClass(&wc);
    Active = CreateWindowEx(0, "TBMenuOutcomeActive", "", WS_POPUP | WS_VISIBLE, 300, 300, 300, 200, nullptr, nullptr,
                            nullptr, nullptr);
    SetActiveWindow(Active);
    SetFocus(Active);
    THeadlessDisplay::PumpMessages();
    User.Attach(Display);
  }
  void TearDown() override
  {
    User.Detach();
    DestroyWindow(Active);
    THeadlessDisplay::PumpMessages();
  }

  TTBCustomItem* Add(TTBCustomItem* Parent, TTBCustomItem* Item, const char* Caption)
  {
    Item->SetCaption(Caption);
    if (!(Item->ItemStyle() & tbsfOpensSubmenu))
      Item->OnClick = TNotifyEvent(&Log, &TClickLog::Click);
    Parent->Add(Item);
    return Item;
  }

  // The view that has the keyboard: the deepest open menu.
  static TTBView* Deepest(TTBView* View)
  {
    while (View->OpenViewerView())
      View = View->OpenViewerView();
    return View;
  }

  THeadlessDisplay* Display = nullptr;
  HWND Active = nullptr;
  TClickLog Log;
  TScriptedUser User;
};

TEST_F(TBMenuOutcomeTest, KeysTypedIntoAMenuBar)
{
  const std::vector<TOutcomeCase> cases = {
      {"space at the bar opens the system menu", {{" ", ""}}, tbmoSystemMenu, 0, {' '}, {}, 0},
      {"minus at the bar opens the system menu", {{"-", ""}}, tbmoSystemMenu, 0, {'-'}, {}, 0},
      {"space in a dropped-down menu beeps",
       {{"f", "&Quit"}, {" ", "&Quit"}, {"Esc", ""}, {"Esc", ""}},
       tbmoCancel, 0, {}, {}, 1},
      {"F1 takes the context of the submenu's item", {{"f", "&Quit"}, {"F1", ""}}, tbmoHelp, 42, {}, {}, 0},
      {"F1 takes the selected item's own context", {{"f", "&Quit"}, {"s", "&Save"}, {"F1", ""}}, tbmoHelp, 7, {}, {},
       0},
      {"F1 without any context does nothing",
       {{"e", "&Copy"}, {"F1", "&Copy"}, {"Esc", ""}, {"Esc", ""}},
       tbmoCancel, 0, {}, {}, 0},
      {"two matches move the selection without activating",
       {{"f", "&Quit"}, {"s", "&Save"}, {"s", "&Send"}, {"S", "&Save"}, {"Esc", ""}, {"Esc", ""}},
       tbmoCancel, 0, {}, {}, 0},
      {"one match clicks at once", {{"f", "&Quit"}, {"q", ""}}, tbmoClick, 0, {}, {"&Quit"}, 0},
      {"the first letter of a caption without accelerator", {{"f", "&Quit"}, {"p", ""}}, tbmoClick, 0, {}, {"Print"}, 0},
      {"a disabled only match cancels", {{"f", "&Quit"}, {"d", ""}}, tbmoCancel, 0, {}, {}, 0},
  };
  for (const TOutcomeCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTBRootItem bar(nullptr);
    TTBCustomItem* file = Add(&bar, new TTBSubmenuItem(nullptr), "&File");
    file->SetHelpContext(42);
    Add(file, new TTBItem(nullptr), "&Quit");
    Add(file, new TTBItem(nullptr), "&Save")->SetHelpContext(7);
    Add(file, new TTBItem(nullptr), "&Send");
    Add(file, new TTBItem(nullptr), "&Disabled")->SetEnabled(false);
    Add(file, new TTBItem(nullptr), "Print");
    TTBCustomItem* edit = Add(&bar, new TTBSubmenuItem(nullptr), "&Edit");
    Add(edit, new TTBItem(nullptr), "&Copy");

    TToolbarHost host(Active);
    TTBView view(nullptr, nullptr, &bar, &host, true, false, false);
    host.View = &view;
    view.EnsureLayout();
    host.SetBounds(0, 0, view.NaturalSize().x, view.NaturalSize().y);
    host.Show();
    THeadlessDisplay::PumpMessages();
    Log.Clicked.clear();
    SystemMenuKeys.clear();
    const int beepsBefore = MessageBeepCount();

    // Each step checks what the previous key did, then presses the next one.
    for (size_t i = 0; i < c.Keys.size(); ++i)
      User.Steps.push_back([&, i] {
        if (i > 0 && !c.Keys[i - 1].SelectedAfter.empty()) {
          TTBItemViewer* selected = Deepest(&view)->Selected();
          EXPECT_EQ(selected ? selected->Item()->Caption() : std::string("(none)"), c.Keys[i - 1].SelectedAfter)
              << "after key " << i - 1;
        }
        const std::string& key = c.Keys[i].Key;
        if (key == "F1")
          Display->PressKey(VK_F1);
        else if (key == "Esc")
          Display->PressKey(VK_ESCAPE);
        else
          Display->TypeText(key);
      });
    view.RunToolbarMenuLoop(0);
    EXPECT_FALSE(User.RanOut) << "the menu did not end by itself";
    EXPECT_TRUE(User.Steps.empty()) << "the menu ended before the last key";
    User.Steps.clear();
    User.RanOut = false;
    THeadlessDisplay::PumpMessages();

    EXPECT_EQ(view.PendingOutcome().Kind, c.Kind);
    if (c.Kind == tbmoHelp) {
      EXPECT_EQ(view.PendingOutcome().HelpContext, c.HelpContext);
    }
    if (c.Kind == tbmoSystemMenu) {
      EXPECT_EQ(view.PendingOutcome().Value, static_cast<void*>(Active));
    }
    EXPECT_EQ(SystemMenuKeys, c.SystemMenuKeys);
    EXPECT_EQ(Log.Clicked, c.Clicked);
    EXPECT_EQ(MessageBeepCount() - beepsBefore, c.Beeps);
    EXPECT_EQ(view.OpenViewerWindow(), nullptr);
  }
}

}  // namespace
