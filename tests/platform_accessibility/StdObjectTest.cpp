// The standard objects of ordinary windows: read from the window when asked.
#include "AccessibilityTestSupport.h"

namespace {

TRect ScreenClient(HWND hwnd)
{
  TRect rect;
  GetClientRect(hwnd, &rect);
  TPoint origin;
  ClientToScreen(hwnd, &origin);
  return {origin.x, origin.y, origin.x + rect.Right, origin.y + rect.Bottom};
}

// The window a standard window object stands for, found by its rectangle.
bool IsObjectOf(IAccessible* object, HWND hwnd) { return object && Location(object) == ScreenRect(hwnd); }

InterfacePtr<IAccessible> Navigate(IAccessible* object, LONG direction, LONG start, HRESULT* hr = nullptr)
{
  VARIANT end;
  const HRESULT result = object->accNavigate(direction, ChildId(start), &end);
  if (hr)
    *hr = result;
  return TakeObject(end);
}

}  // namespace

TEST_F(TAccessibilityFixture, WindowObjectHoldsTheClientWhichHoldsTheChildWindows)
{
  auto window = FromWindow(Form, OBJID_WINDOW);
  ASSERT_TRUE(window);
  EXPECT_EQ(Role(window.Get()), ROLE_SYSTEM_WINDOW);
  EXPECT_EQ(Name(window.Get()), "Fenêtre");
  EXPECT_EQ(Location(window.Get()), ScreenRect(Form));
  LONG count = 0;
  ASSERT_EQ(window->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 1);

  auto client = Child(window.Get(), 1);
  ASSERT_TRUE(client);
  EXPECT_EQ(Role(client.Get()), ROLE_SYSTEM_CLIENT);
  EXPECT_EQ(Location(client.Get()), ScreenClient(Form));
  ASSERT_EQ(client->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 6);

  // get_accChild(0) is the object itself; anything but a number is refused.
  IDispatch* self = nullptr;
  ASSERT_EQ(client->get_accChild(ChildId(CHILDID_SELF), &self), S_OK);
  EXPECT_EQ(CanonicalUnknown(self), CanonicalUnknown(client.Get()));
  self->Release();
  VARIANT text;
  text.vt = VT_BSTR;
  text.bstrVal = nullptr;
  IDispatch* none = nullptr;
  EXPECT_EQ(client->get_accChild(text, &none), E_INVALIDARG);
  EXPECT_EQ(client->get_accChild(ChildId(7), &none), E_INVALIDARG);

  // Every child window in z-order, its parent being the form's client.
  const HWND children[] = {Send, Password, Bold, Hidden, Disabled, View};
  for (LONG i = 1; i <= 6; ++i) {
    auto child = Child(client.Get(), i);
    ASSERT_TRUE(child) << i;
    EXPECT_TRUE(IsObjectOf(child.Get(), children[i - 1])) << i;
    IDispatch* parent = nullptr;
    ASSERT_EQ(child->get_accParent(&parent), S_OK);
    auto parentObject = Supports<IAccessible>(parent);
    parent->Release();
    EXPECT_EQ(Role(parentObject.Get()), ROLE_SYSTEM_CLIENT);
    EXPECT_EQ(Location(parentObject.Get()), ScreenClient(Form));
  }
}

TEST_F(TAccessibilityFixture, ClientObjectsAnswerFromTheirClassAndStyles)
{
  SetFocus(Send);
  struct TCase {
    HWND* Window;
    LONG Role;
    LONG State;
    const char* Name;
  } cases[] = {
      {&Send, ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_DEFAULT, "Envoyer"},
      {&Password, ROLE_SYSTEM_TEXT, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_PROTECTED, "<null>"},
      {&Bold, ROLE_SYSTEM_CHECKBUTTON, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_CHECKED, "Gras"},
      {&Hidden, ROLE_SYSTEM_STATICTEXT, STATE_SYSTEM_INVISIBLE, "Caché"},
      {&Disabled, ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_UNAVAILABLE, "Non"},
  };
  for (const auto& c : cases) {
    auto client = FromWindow(*c.Window, OBJID_CLIENT);
    ASSERT_TRUE(client) << c.Name;
    EXPECT_EQ(Role(client.Get()), c.Role) << c.Name;
    EXPECT_EQ(State(client.Get()), c.State) << c.Name;
    EXPECT_EQ(Name(client.Get()), c.Name) << c.Name;
  }
  // A password is never read out.
  auto edit = FromWindow(Password, OBJID_CLIENT);
  BSTR value = nullptr;
  EXPECT_EQ(edit->get_accValue(ChildId(CHILDID_SELF), &value), E_ACCESSDENIED);
  EXPECT_EQ(value, nullptr);
  // Only the object itself is asked about.
  BSTR name = nullptr;
  EXPECT_EQ(edit->get_accName(ChildId(1), &name), E_INVALIDARG);
}

TEST_F(TAccessibilityFixture, NavigationAmongSiblingsAndChildren)
{
  auto send = FromWindow(Send, OBJID_WINDOW);
  HRESULT hr = S_OK;
  EXPECT_TRUE(IsObjectOf(Navigate(send.Get(), NAVDIR_NEXT, CHILDID_SELF).Get(), Password));
  EXPECT_TRUE(IsObjectOf(Navigate(send.Get(), NAVDIR_RIGHT, CHILDID_SELF).Get(), Password));
  EXPECT_TRUE(IsObjectOf(Navigate(send.Get(), NAVDIR_DOWN, CHILDID_SELF).Get(), Bold));
  EXPECT_FALSE(Navigate(send.Get(), NAVDIR_PREVIOUS, CHILDID_SELF, &hr));
  EXPECT_EQ(hr, S_FALSE);
  EXPECT_FALSE(Navigate(send.Get(), NAVDIR_UP, CHILDID_SELF, &hr));
  EXPECT_EQ(hr, S_FALSE);
  auto bold = FromWindow(Bold, OBJID_WINDOW);
  // The hidden static lies nearest below but has no place on screen.
  EXPECT_TRUE(IsObjectOf(Navigate(bold.Get(), NAVDIR_DOWN, CHILDID_SELF).Get(), Disabled));
  EXPECT_TRUE(IsObjectOf(Navigate(bold.Get(), NAVDIR_RIGHT, CHILDID_SELF).Get(), Password));
  EXPECT_TRUE(IsObjectOf(Navigate(bold.Get(), NAVDIR_UP, CHILDID_SELF).Get(), Send));

  auto client = FromWindow(Form, OBJID_CLIENT);
  EXPECT_TRUE(IsObjectOf(Navigate(client.Get(), NAVDIR_FIRSTCHILD, CHILDID_SELF).Get(), Send));
  EXPECT_TRUE(IsObjectOf(Navigate(client.Get(), NAVDIR_LASTCHILD, CHILDID_SELF).Get(), View));
  EXPECT_TRUE(IsObjectOf(Navigate(client.Get(), NAVDIR_NEXT, 2).Get(), Bold));
  EXPECT_FALSE(Navigate(client.Get(), NAVDIR_NEXT, 6, &hr));
  EXPECT_EQ(hr, S_FALSE);
  EXPECT_FALSE(Navigate(client.Get(), NAVDIR_NEXT, 9, &hr));
  EXPECT_EQ(hr, E_INVALIDARG);
  EXPECT_FALSE(Navigate(client.Get(), 9, CHILDID_SELF, &hr));
  EXPECT_EQ(hr, E_INVALIDARG);
}

TEST_F(TAccessibilityFixture, HitTestFindsChildWindows)
{
  auto client = FromWindow(Form, OBJID_CLIENT);
  const TRect area = ScreenClient(Form);
  VARIANT hit;
  ASSERT_EQ(client->accHitTest(area.Left + 20, area.Top + 20, &hit), S_OK);
  EXPECT_TRUE(IsObjectOf(TakeObject(hit).Get(), Send));

  // The view answers with its own object under its window object.
  ASSERT_EQ(client->accHitTest(area.Left + 130, area.Top + 210, &hit), S_OK);
  auto view = TakeObject(hit);
  ASSERT_TRUE(view);
  EXPECT_EQ(Role(Child(view.Get(), 1).Get()), ROLE_SYSTEM_TOOLBAR);

  // Empty client area, and the hidden static skipped: the client itself.
  for (TPoint p : {TPoint(area.Left + 380, area.Top + 150), TPoint(area.Left + 210, area.Top + 110)}) {
    ASSERT_EQ(client->accHitTest(p.x, p.y, &hit), S_OK);
    EXPECT_EQ(hit.vt, VT_I4);
    EXPECT_EQ(hit.lVal, CHILDID_SELF);
  }
  EXPECT_EQ(client->accHitTest(area.Left - 1, area.Top + 20, &hit), S_FALSE);
  EXPECT_EQ(hit.vt, VT_EMPTY);

  // The window object: its frame is itself, its client area the client.
  auto window = FromWindow(Form, OBJID_WINDOW);
  const TRect frame = ScreenRect(Form);
  ASSERT_EQ(window->accHitTest(frame.Left + 1, frame.Top + 1, &hit), S_OK);
  EXPECT_EQ(hit.vt, VT_I4);
  ASSERT_EQ(window->accHitTest(area.Left + 380, area.Top + 150, &hit), S_OK);
  EXPECT_EQ(Role(TakeObject(hit).Get()), ROLE_SYSTEM_CLIENT);
}

TEST_F(TAccessibilityFixture, FocusSelectionAndDefaultAction)
{
  auto edit = FromWindow(Password, OBJID_CLIENT);
  ASSERT_EQ(edit->accSelect(SELFLAG_TAKEFOCUS, ChildId(CHILDID_SELF)), S_OK);
  EXPECT_EQ(GetFocus(), Password);
  EXPECT_TRUE(State(edit.Get()) & STATE_SYSTEM_FOCUSED);
  EXPECT_EQ(edit->accSelect(SELFLAG_TAKESELECTION, ChildId(CHILDID_SELF)), E_INVALIDARG);
  EXPECT_EQ(FromWindow(Disabled, OBJID_CLIENT)->accSelect(SELFLAG_TAKEFOCUS, ChildId(CHILDID_SELF)), E_FAIL);

  VARIANT focus;
  ASSERT_EQ(FromWindow(Form, OBJID_CLIENT)->get_accFocus(&focus), S_OK);
  EXPECT_TRUE(IsObjectOf(TakeObject(focus).Get(), Password));
  ASSERT_EQ(edit->get_accFocus(&focus), S_OK);
  EXPECT_EQ(focus.vt, VT_I4);
  EXPECT_EQ(FromWindow(Send, OBJID_CLIENT)->get_accFocus(&focus), S_FALSE);
  EXPECT_EQ(focus.vt, VT_EMPTY);

  // Buttons are clicked; the click arrives with the messages.
  auto send = FromWindow(Send, OBJID_CLIENT);
  BSTR action = nullptr;
  ASSERT_EQ(send->get_accDefaultAction(ChildId(CHILDID_SELF), &action), S_OK);
  EXPECT_EQ(TakeText(action), "Press");
  ASSERT_EQ(FromWindow(Bold, OBJID_CLIENT)->get_accDefaultAction(ChildId(CHILDID_SELF), &action), S_OK);
  EXPECT_EQ(TakeText(action), "Uncheck");
  ASSERT_EQ(send->accDoDefaultAction(ChildId(CHILDID_SELF)), S_OK);
  EXPECT_EQ(Clicks, 0);
  THeadlessDisplay::PumpMessages();
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(FromWindow(Disabled, OBJID_CLIENT)->accDoDefaultAction(ChildId(CHILDID_SELF)), E_FAIL);
  EXPECT_EQ(edit->accDoDefaultAction(ChildId(CHILDID_SELF)), DISP_E_MEMBERNOTFOUND);
}

TEST_F(TAccessibilityFixture, ObjectOfADestroyedWindowFails)
{
  auto send = FromWindow(Send, OBJID_CLIENT);
  auto window = FromWindow(Send, OBJID_WINDOW);
  DestroyWindow(Send);
  BSTR name = nullptr;
  EXPECT_EQ(send->get_accName(ChildId(CHILDID_SELF), &name), E_FAIL);
  LONG x, y, w, h;
  EXPECT_EQ(send->accLocation(&x, &y, &w, &h, ChildId(CHILDID_SELF)), E_FAIL);
  VARIANT end;
  EXPECT_EQ(window->accNavigate(NAVDIR_NEXT, ChildId(CHILDID_SELF), &end), E_FAIL);
  EXPECT_EQ(window->accHitTest(0, 0, &end), E_FAIL);
  IDispatch* parent = nullptr;
  EXPECT_TRUE(FAILED(send->get_accParent(&parent)));
}
