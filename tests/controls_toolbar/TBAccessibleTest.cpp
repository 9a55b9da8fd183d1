// The accessible objects of views and item viewers, asked the way a screen
// reader asks them, on real views in headless windows.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "controls/toolbar/TBAccessible.h"
#include "controls/toolbar/TBCustomItem.h"
#include "controls/toolbar/TBItemViewer.h"
#include "controls/toolbar/TBPopupWindow.h"
#include "controls/toolbar/TBView.h"
#include "TBToolbarHost.h"
#include "platform/base/Utf.h"
#include "platform/classes/controls/CustomControl.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

namespace {

VARIANT I4(LONG Value)
{
  VARIANT v;
  v.vt = VT_I4;
  v.lVal = Value;
  return v;
}
const VARIANT Self = I4(CHILDID_SELF);

std::string Text(BSTR B)
{
  std::string s = B ? UTF8Encode(std::u16string_view(B, SysStringLen(B))) : std::string();
  SysFreeString(B);
  return s;
}

std::string NameOf(IAccessible* Object)
{
  BSTR name = nullptr;
  EXPECT_EQ(Object->get_accName(Self, &name), S_OK);
  return Text(name);
}

// A counted IAccessible of what an answer named.
IAccessible* AccessibleOf(IDispatch* Object)
{
  void* p = nullptr;
  if (!Object || FAILED(Object->QueryInterface(IID_IAccessible, &p)))
    return nullptr;
  Object->Release();
  return static_cast<IAccessible*>(p);
}

LRESULT FrameProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) { return DefWindowProc(hwnd, msg, w, l); }

class TBAccessibleTest : public ::testing::Test {
public:
  void SetUp() override
  {
    Display = THeadlessDisplay::Use();
    THeadlessDisplay::UseVirtualClock();
    ASSERT_TRUE(AccessibilityAvailable());
    WNDCLASS wc{};
    wc.lpfnWndProc = FrameProc;
    wc.lpszClassName = "TBAccFrame";
    RegisterClass(&wc);
    Frame = CreateWindowEx(0, "TBAccFrame", "Frame", WS_POPUP | WS_VISIBLE, 100, 100, 400, 200, nullptr, nullptr,
                           nullptr, nullptr);
    SetActiveWindow(Frame);
    auto add = [&](TTBCustomItem* item, const char* caption) {
      item->SetCaption(caption);
      if (!(item->ItemStyle() & tbsfOpensSubmenu))
        item->OnClick = TNotifyEvent(&Log, &TClickLog::Click);
      Bar.Add(item);
      return item;
    };
    File = static_cast<TTBSubmenuItem*>(add(new TTBSubmenuItem(nullptr), "&File"));
    auto* quit = new TTBItem(nullptr);
    quit->SetCaption("&Quit");
    File->Add(quit);
    Hidden = add(new TTBItem(nullptr), "Hidden");
    Hidden->SetVisible(false);
    Open = add(new TTBItem(nullptr), "&Open");
    Open->SetShortCut(ShortCut('O', TShiftState{ssCtrl}));
    Checked = add(new TTBItem(nullptr), "C&heck");
    Checked->SetChecked(true);
    Disabled = add(new TTBItem(nullptr), "&Disabled");
    Disabled->SetEnabled(false);
    Host = new TToolbarHost(Frame);
  }

  void TearDown() override
  {
    delete BarView;
    delete Host;
    DestroyWindow(Frame);
    THeadlessDisplay::PumpMessages();
  }

  // The bar as a toolbar (or menu bar) in the frame.
  TTBView* ShowBar(bool MenuBar)
  {
    BarView = new TTBView(nullptr, nullptr, &Bar, Host, true, false, false);
    if (MenuBar)
      BarView->SetTraits(vtMenuBar);
    Host->View = BarView;
    BarView->EnsureLayout();
    Host->SetBounds(10, 10, BarView->NaturalSize().x, BarView->NaturalSize().y);
    Host->Show();
    THeadlessDisplay::PumpMessages();
    return BarView;
  }

  IAccessible* ObjectOfViewer(TTBView* View, TTBCustomItem* Item)
  {
    TTBItemViewerAccObject* object = View->FindViewerOfItem(Item)->AccObject();
    object->AddRef();
    return object;
  }

  THeadlessDisplay* Display = nullptr;
  HWND Frame = nullptr;
  TTBRootItem Bar{nullptr};
  TTBSubmenuItem* File = nullptr;
  TTBCustomItem *Hidden = nullptr, *Open = nullptr, *Checked = nullptr, *Disabled = nullptr;
  TToolbarHost* Host = nullptr;
  TTBView* BarView = nullptr;
  TClickLog Log;
};

TEST_F(TBAccessibleTest, ViewObjectAnswersForTheBarAndItsReachableItems)
{
  TTBView* view = ShowBar(true);
  IAccessible* object = view->AccObject();
  VARIANT role;
  ASSERT_EQ(object->get_accRole(Self, &role), S_OK);
  EXPECT_EQ(role.lVal, ROLE_SYSTEM_MENUBAR);
  BSTR shortcut = nullptr;
  ASSERT_EQ(object->get_accKeyboardShortcut(Self, &shortcut), S_OK);
  std::string alt = Text(shortcut);
  EXPECT_EQ(alt, AltKeyName());
  EXPECT_FALSE(alt.empty());

  LONG count = 0;
  ASSERT_EQ(object->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 4) << "the hidden item counted as a child";
  IDispatch* child = nullptr;
  ASSERT_EQ(object->get_accChild(Self, &child), S_OK);
  EXPECT_EQ(AccessibleOf(child), object);
  object->Release();
  const char* names[] = {"File", "Open", "Check", "Disabled"};
  for (LONG n = 1; n <= 4; ++n) {
    ASSERT_EQ(object->get_accChild(I4(n), &child), S_OK);
    IAccessible* item = AccessibleOf(child);
    EXPECT_EQ(NameOf(item), names[n - 1]);
    item->Release();
  }
  EXPECT_EQ(object->get_accChild(I4(5), &child), E_INVALIDARG);
  VARIANT text;
  text.vt = VT_BSTR;
  text.bstrVal = nullptr;
  EXPECT_EQ(object->get_accChild(text, &child), E_INVALIDARG);
  EXPECT_EQ(object->get_accName(I4(1), &shortcut), E_INVALIDARG);

  LONG l, t, w, h;
  ASSERT_EQ(object->accLocation(&l, &t, &w, &h, Self), S_OK);
  TRect r;
  GetWindowRect(Host->Handle(), &r);
  EXPECT_EQ(TRect(l, t, l + w, t + h), r);
  EXPECT_EQ(object->accSelect(SELFLAG_TAKEFOCUS, Self), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(object->accDoDefaultAction(Self), S_FALSE);

  VARIANT end;
  ASSERT_EQ(object->accNavigate(NAVDIR_LASTCHILD, Self, &end), S_OK);
  ASSERT_EQ(end.vt, VT_DISPATCH);
  IAccessible* last = AccessibleOf(end.pdispVal);
  EXPECT_EQ(NameOf(last), "Disabled");
  last->Release();
  EXPECT_EQ(object->accNavigate(NAVDIR_NEXT, Self, &end), S_FALSE);

  // Hit tests: an item, the bar's empty end, and outside the bar.
  const TRect& b = view->FindViewerOfItem(Open)->BoundsRect;
  TPoint p = Host->ClientToScreen(TPoint(b.Left + 2, b.Top + 2));
  VARIANT hit;
  ASSERT_EQ(object->accHitTest(p.x, p.y, &hit), S_OK);
  ASSERT_EQ(hit.vt, VT_DISPATCH);
  IAccessible* hitItem = AccessibleOf(hit.pdispVal);
  EXPECT_EQ(NameOf(hitItem), "Open");
  hitItem->Release();
  EXPECT_EQ(object->accHitTest(r.Left - 5, r.Top, &hit), S_FALSE);
}

TEST_F(TBAccessibleTest, RolesAndShortcutsOfToolbarAndPopupViews)
{
  TTBView* view = ShowBar(false);
  VARIANT role;
  ASSERT_EQ(view->AccObject()->get_accRole(Self, &role), S_OK);
  EXPECT_EQ(role.lVal, ROLE_SYSTEM_TOOLBAR);
  BSTR shortcut = nullptr;
  EXPECT_EQ(view->AccObject()->get_accKeyboardShortcut(Self, &shortcut), S_FALSE);

  TTBPopupWindow* popup = Bar.CreatePopup(nullptr, nullptr, false, false, false, TPoint(50, 300), tbpaLeft);
  ASSERT_EQ(popup->View()->AccObject()->get_accRole(Self, &role), S_OK);
  EXPECT_EQ(role.lVal, ROLE_SYSTEM_MENUPOPUP);
  // An item with F as its accelerator: the letter alone in a popup, the Alt
  // key's name, "+" and the letter on a bar.
  IAccessible* inPopup = ObjectOfViewer(popup->View(), File);
  ASSERT_EQ(inPopup->get_accKeyboardShortcut(Self, &shortcut), S_OK);
  EXPECT_EQ(Text(shortcut), "f");
  IAccessible* onBar = ObjectOfViewer(view, File);
  ASSERT_EQ(onBar->get_accKeyboardShortcut(Self, &shortcut), S_OK);
  EXPECT_EQ(Text(shortcut), AltKeyName() + "+f");
  // A menu item with a shortcut is named with it; on a toolbar by its caption.
  IAccessible* open = ObjectOfViewer(popup->View(), Open);
  EXPECT_EQ(NameOf(open), "Open\tCtrl+O");
  IAccessible* openOnBar = ObjectOfViewer(view, Open);
  EXPECT_EQ(NameOf(openOnBar), "Open");
  for (IAccessible* o : {inPopup, onBar, open, openOnBar})
    o->Release();
  delete popup;
}

struct TAccessibleStateCase {
  const char* What;
  int Item;  // 0 File, 1 Open, 2 Check, 3 Disabled
  bool Select, InLoop, Pressed;
  LONG Want;
};

TEST_F(TBAccessibleTest, ItemStatesAndDefaultActions)
{
  TTBView* view = ShowBar(false);
  TTBCustomItem* items[] = {File, Open, Checked, Disabled};
  constexpr LONG focusable = STATE_SYSTEM_FOCUSABLE;
  const TAccessibleStateCase cases[] = {
      {"plain item", 1, false, false, false, focusable},
      {"submenu item", 0, false, false, false, focusable | STATE_SYSTEM_HASPOPUP},
      {"checked item", 2, false, false, false, focusable | STATE_SYSTEM_CHECKED},
      {"disabled item", 3, false, false, false, focusable | STATE_SYSTEM_UNAVAILABLE},
      {"selected outside a loop", 1, true, false, false, focusable | STATE_SYSTEM_HOTTRACKED},
      {"selected in the loop", 1, true, true, false,
       focusable | STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_FOCUSED},
  };
  for (const TAccessibleStateCase& c : cases) {
    SCOPED_TRACE(c.What);
    view->SetSelectedViewer(c.Select ? view->FindViewerOfItem(items[c.Item]) : nullptr, false);
    if (c.InLoop)
      view->IncludeFlags(vfInMenuLoop);
    IAccessible* object = ObjectOfViewer(view, items[c.Item]);
    VARIANT state;
    ASSERT_EQ(object->get_accState(Self, &state), S_OK);
    EXPECT_EQ(state.lVal, c.Want);
    VARIANT focus;
    EXPECT_EQ(object->get_accFocus(&focus), c.Select && c.InLoop ? S_OK : S_FALSE);
    object->Release();
    view->ExcludeFlags(vfInMenuLoop);
  }
  view->SetSelectedViewer(nullptr, false);

  // Outside the active window nothing can take an action.
  IAccessible* open = ObjectOfViewer(view, Open);
  BSTR action = nullptr;
  ASSERT_EQ(open->get_accDefaultAction(Self, &action), S_OK);
  EXPECT_EQ(Text(action), "Press");
  SetActiveWindow(nullptr);
  EXPECT_EQ(open->get_accDefaultAction(Self, &action), S_FALSE);
  EXPECT_EQ(open->accDoDefaultAction(Self), E_FAIL);
  VARIANT state;
  open->get_accState(Self, &state);
  EXPECT_FALSE(state.lVal & STATE_SYSTEM_FOCUSABLE);
  open->Release();
  SetActiveWindow(Frame);
  IAccessible* file = ObjectOfViewer(view, File);
  ASSERT_EQ(file->get_accDefaultAction(Self, &action), S_OK);
  EXPECT_EQ(Text(action), "Open");
  IAccessible* disabled = ObjectOfViewer(view, Disabled);
  EXPECT_EQ(disabled->get_accDefaultAction(Self, &action), S_FALSE);
  EXPECT_EQ(disabled->accDoDefaultAction(Self), E_FAIL);
  EXPECT_EQ(disabled->accSelect(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION, Self), E_INVALIDARG);
  file->Release();
  disabled->Release();
}

TEST_F(TBAccessibleTest, DefaultActionClicksTheItemOnceTheClientHasItsAnswer)
{
  TTBView* view = ShowBar(false);
  IAccessible* open = ObjectOfViewer(view, Open);
  ASSERT_EQ(open->accDoDefaultAction(Self), S_OK);
  EXPECT_TRUE(Log.Clicked.empty()) << "the action ran inside the client's call";
  for (int i = 0; i < 5 && Log.Clicked.empty(); ++i)
    THeadlessDisplay::PumpMessages();
  EXPECT_EQ(Log.Clicked, (std::vector<std::string>{"&Open"}));
  EXPECT_FALSE(view->Flags() & vfInMenuLoop);
  open->Release();
}

// Every method of a view's or viewer's object, with the answer it gave.
std::vector<HRESULT> AskEverything(IAccessible* O)
{
  std::vector<HRESULT> r;
  IDispatch* d = nullptr;
  LONG n = 0, l = 0, t = 0, w = 0, h = 0;
  BSTR s = nullptr;
  VARIANT v;
  auto text = [&](HRESULT hr) {
    SysFreeString(s);
    s = nullptr;
    r.push_back(hr);
  };
  r.push_back(O->get_accParent(&d));
  r.push_back(O->get_accChildCount(&n));
  r.push_back(O->get_accChild(Self, &d));
  text(O->get_accName(Self, &s));
  text(O->get_accValue(Self, &s));
  text(O->get_accDescription(Self, &s));
  r.push_back(O->get_accRole(Self, &v));
  r.push_back(O->get_accState(Self, &v));
  text(O->get_accHelp(Self, &s));
  text(O->get_accHelpTopic(&s, Self, &n));
  text(O->get_accKeyboardShortcut(Self, &s));
  r.push_back(O->get_accFocus(&v));
  r.push_back(O->get_accSelection(&v));
  text(O->get_accDefaultAction(Self, &s));
  r.push_back(O->accSelect(SELFLAG_TAKEFOCUS, Self));
  r.push_back(O->accLocation(&l, &t, &w, &h, Self));
  r.push_back(O->accNavigate(NAVDIR_NEXT, Self, &v));
  r.push_back(O->accHitTest(0, 0, &v));
  r.push_back(O->accDoDefaultAction(Self));
  r.push_back(O->put_accName(Self, nullptr));
  r.push_back(O->put_accValue(Self, nullptr));
  return r;
}

TEST_F(TBAccessibleTest, ObjectsKeptPastTheirViewAnswerEFailFromEveryMethod)
{
  TTBView* view = ShowBar(true);
  IAccessible* viewObject = view->AccObject();
  viewObject->AddRef();
  IAccessible* itemObject = ObjectOfViewer(view, Open);
  EXPECT_EQ(LiveViewAccObjects(), 1);
  EXPECT_EQ(LiveViewerAccObjects(), 1);
  delete BarView;
  BarView = nullptr;
  Host->View = nullptr;
  for (IAccessible* o : {viewObject, itemObject}) {
    std::vector<HRESULT> answers = AskEverything(o);
    ASSERT_EQ(answers.size(), 21u);
    for (size_t i = 0; i < answers.size(); ++i)
      EXPECT_EQ(answers[i], E_FAIL) << "method " << i << " of the " << (o == viewObject ? "view" : "item");
  }
  viewObject->Release();
  itemObject->Release();
  EXPECT_EQ(LiveViewAccObjects(), 0);
  EXPECT_EQ(LiveViewerAccObjects(), 0);
}

std::vector<std::pair<HWND, LONG>> FocusEvents;
void RecordFocus(HWINEVENTHOOK, DWORD, HWND Wnd, LONG ObjectId, LONG ChildId, DWORD, DWORD)
{
  if (ObjectId == OBJID_CLIENT)
    FocusEvents.push_back({Wnd, ChildId});
}

TEST_F(TBAccessibleTest, FocusEventsNameTheChildThatTheWindowsObjectHands)
{
  FocusEvents.clear();
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &RecordFocus, 0, 0,
                                       WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  TTBPopupWindow* popup = Bar.CreatePopup(nullptr, nullptr, false, true, false, TPoint(50, 300), tbpaLeft);
  TTBView* view = popup->View();
  view->MoveSelection(true);
  view->MoveSelection(true);
  THeadlessDisplay::PumpMessages();
  UnhookWinEvent(hook);
  ASSERT_GE(FocusEvents.size(), 3u);
  // What a screen reader does with a focus event: it asks the window for
  // its client object, then that object for the child.
  std::vector<std::string> named;
  for (auto [wnd, childId] : FocusEvents) {
    ASSERT_EQ(wnd, popup->Handle());
    void* p = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(wnd, DWORD(OBJID_CLIENT), IID_IAccessible, &p), S_OK);
    auto* object = static_cast<IAccessible*>(p);
    EXPECT_EQ(object, static_cast<IAccessible*>(view->AccObject())) << "WM_GETOBJECT did not answer the view";
    IDispatch* child = nullptr;
    ASSERT_EQ(object->get_accChild(I4(childId), &child), S_OK);
    IAccessible* item = AccessibleOf(child);
    named.push_back(NameOf(item));
    item->Release();
    object->Release();
  }
  // The hidden second item has no child number: the first three events name
  // File, Open and Check.
  EXPECT_EQ(named[0], "File");
  EXPECT_EQ(named[1], "Open\tCtrl+O");
  EXPECT_EQ(named[2], "Check");
  delete popup;
}

std::set<IUnknown*> ClientHeld;
HRESULT CutClient(IUnknown* Object, DWORD)
{
  // The client's connection goes, and with it the reference it held.
  if (ClientHeld.erase(Object))
    Object->Release();
  return S_OK;
}

TEST_F(TBAccessibleTest, EndOfProgramDisconnectsObjectsThatFreeThemselvesMeanwhile)
{
  TTBView* view = ShowBar(true);
  IAccessible* viewObject = view->AccObject();
  viewObject->AddRef();
  IAccessible* itemObject = ObjectOfViewer(view, File);
  ClientHeld = {viewObject, itemObject};
  delete BarView;
  BarView = nullptr;
  Host->View = nullptr;
  SetAccDisconnectProc(&CutClient);
  DisconnectAccessibleObjects();
  SetAccDisconnectProc(nullptr);
  EXPECT_TRUE(ClientHeld.empty());
  EXPECT_EQ(LiveViewAccObjects(), 0);
  EXPECT_EQ(LiveViewerAccObjects(), 0);
}

}  // namespace
