// A form of ordinary windows and standard controls on the headless display,
// a "view" window that answers WM_GETOBJECT with an object of its own, and
// small readers of IAccessible answers.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

// The object of a view that paints two items itself: two simple children
// (child ids 1 and 2) named by the items. Counts its instances.
class TViewAccessible : public TDispatchObject<IAccessible> {
public:
  explicit TViewAccessible(HWND view);
  ~TViewAccessible() override;
  static int Alive;

  HRESULT get_accParent(IDispatch** parent) override;
  HRESULT get_accChildCount(LONG* count) override;
  HRESULT get_accChild(VARIANT child, IDispatch** object) override;
  HRESULT get_accName(VARIANT child, BSTR* name) override;
  HRESULT get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT get_accValue(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT get_accDescription(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT get_accState(VARIANT, VARIANT*) override { return E_NOTIMPL; }
  HRESULT get_accHelp(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT get_accHelpTopic(BSTR*, VARIANT, LONG*) override { return E_NOTIMPL; }
  HRESULT get_accKeyboardShortcut(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT get_accFocus(VARIANT*) override { return E_NOTIMPL; }
  HRESULT get_accSelection(VARIANT*) override { return E_NOTIMPL; }
  HRESULT get_accDefaultAction(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT accSelect(LONG, VARIANT) override { return E_NOTIMPL; }
  HRESULT accLocation(LONG*, LONG*, LONG*, LONG*, VARIANT) override { return E_NOTIMPL; }
  HRESULT accNavigate(LONG, VARIANT, VARIANT*) override { return E_NOTIMPL; }
  HRESULT accHitTest(LONG, LONG, VARIANT*) override { return E_NOTIMPL; }
  HRESULT accDoDefaultAction(VARIANT) override { return E_NOTIMPL; }
  HRESULT put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
  HWND FView;
};

VARIANT ChildId(LONG id);
// The UTF-8 text of a string answer, then frees it; "<null>" for none.
std::string TakeText(BSTR text);
std::string Name(IAccessible* object, LONG child = CHILDID_SELF);
LONG Role(IAccessible* object);
LONG State(IAccessible* object);
TRect Location(IAccessible* object);
TRect ScreenRect(HWND hwnd);
// The object an answer names (VT_DISPATCH) as IAccessible, or null; clears it.
InterfacePtr<IAccessible> TakeObject(VARIANT& answer);
InterfacePtr<IAccessible> Child(IAccessible* object, LONG child);
InterfacePtr<IAccessible> FromWindow(HWND hwnd, LONG objectId);

// A top-level form "Fenêtre" at (100, 100), 400 by 300, holding in z-order:
// a default push button "&Envoyer", a password edit, a checked check box
// "Gras" below the button, a hidden static, a disabled button, and the view.
class TAccessibilityFixture : public ::testing::Test {
public:
  // BN_CLICKED notifications the form received.
  static int Clicks;

protected:
  void SetUp() override;
  void TearDown() override;
  THeadlessDisplay* Display = nullptr;
  HWND Form = nullptr, Send = nullptr, Password = nullptr, Bold = nullptr, Hidden = nullptr, Disabled = nullptr,
       View = nullptr;
};
