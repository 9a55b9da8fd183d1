// Accessible objects of views and item viewers: what a screen reader asks of
// a menu bar, toolbar or popup menu and its items (names, roles, states,
// places, navigation) and the default action or selection it can request.
// Views and viewers make their object on demand; when they go, the object
// stays with whoever holds it and answers E_FAIL from then on. The unit also
// raises win events for the views and popups.
#pragma once

#include <string>

#include "controls/toolbar/TBTypes.h"
#include "platform/win/win.h"

struct TMessage;

// Whether the accessibility run-time ("oleacc.dll" with LresultFromObject and
// AccessibleObjectFromWindow) is there; asked once per process. Views and
// viewers make objects only when it is.
bool AccessibilityAvailable();
// The standard object of a window (OBJID_WINDOW) as IDispatch, a counted
// reference; false when the run-time is absent or the call fails.
bool AccessibleOfWindow(HWND Window, IDispatch*& Object);
// NotifyWinEvent bound by name in "user32.dll"; does nothing where absent.
void CallNotifyWinEvent(DWORD Event, HWND Window, LONG ObjectId, LONG ChildId);
// The keyboard layout's name of the Alt key; "Alt" when it has none.
std::string AltKeyName();

// Answers WM_GETOBJECT for the client object of View's window with the view's
// object; false (the message left to the default handling) otherwise.
bool AnswerAccessibleObject(TTBView* View, TMessage& Message);

// The view's window can take actions now: not being designed, visible,
// enabled up its parents, and either in its menu loop or in the active window.
bool AccWindowUsable(TTBView* View);
// The viewer's item can take the default action: reachable, enabled,
// selectable, and the window usable.
bool AccViewerCanTakeAction(TTBItemViewer* Viewer);

// Base of the objects: IDispatch answers E_NOTIMPL; ClientIsGone is called by
// the view or viewer when it is destroyed.
class TTBBaseAccObject : public TDispatchObject<IAccessible> {
public:
  virtual void ClientIsGone() = 0;
};

// Objects that live in the process-wide list of live objects, so the end of
// the program can disconnect them from their clients.
class TTBCustomAccObject : public TTBBaseAccObject {
public:
  TTBCustomAccObject();
  ~TTBCustomAccObject() override;

private:
  friend void DisconnectAccessibleObjects();
  TTBCustomAccObject* FPrevLive = nullptr;
  TTBCustomAccObject* FNextLive = nullptr;
};

class TTBViewAccObject : public TTBCustomAccObject {
public:
  explicit TTBViewAccObject(TTBView* AView);
  ~TTBViewAccObject() override;
  void ClientIsGone() override { FView = nullptr; }
  TTBView* View() const { return FView; }

  HRESULT get_accParent(IDispatch** Parent) override;
  HRESULT get_accChildCount(LONG* Count) override;
  HRESULT get_accChild(VARIANT Child, IDispatch** Object) override;
  HRESULT get_accName(VARIANT Child, BSTR* Name) override;
  HRESULT get_accValue(VARIANT Child, BSTR* Value) override;
  HRESULT get_accDescription(VARIANT Child, BSTR* Description) override;
  HRESULT get_accRole(VARIANT Child, VARIANT* Role) override;
  HRESULT get_accState(VARIANT Child, VARIANT* State) override;
  HRESULT get_accHelp(VARIANT Child, BSTR* Help) override;
  HRESULT get_accHelpTopic(BSTR* HelpFile, VARIANT Child, LONG* Topic) override;
  HRESULT get_accKeyboardShortcut(VARIANT Child, BSTR* Shortcut) override;
  HRESULT get_accFocus(VARIANT* Child) override;
  HRESULT get_accSelection(VARIANT* Children) override;
  HRESULT get_accDefaultAction(VARIANT Child, BSTR* Action) override;
  HRESULT accSelect(LONG Flags, VARIANT Child) override;
  HRESULT accLocation(LONG* Left, LONG* Top, LONG* Width, LONG* Height, VARIANT Child) override;
  HRESULT accNavigate(LONG Direction, VARIANT Start, VARIANT* End) override;
  HRESULT accHitTest(LONG X, LONG Y, VARIANT* Child) override;
  HRESULT accDoDefaultAction(VARIANT Child) override;
  HRESULT put_accName(VARIANT Child, BSTR Name) override;
  HRESULT put_accValue(VARIANT Child, BSTR Value) override;

private:
  TTBView* FView;
};

class TTBItemViewerAccObject : public TTBCustomAccObject {
public:
  explicit TTBItemViewerAccObject(TTBItemViewer* AViewer);
  ~TTBItemViewerAccObject() override;
  void ClientIsGone() override { FViewer = nullptr; }
  TTBItemViewer* Viewer() const { return FViewer; }

  HRESULT get_accParent(IDispatch** Parent) override;
  HRESULT get_accChildCount(LONG* Count) override;
  HRESULT get_accChild(VARIANT Child, IDispatch** Object) override;
  HRESULT get_accName(VARIANT Child, BSTR* Name) override;
  HRESULT get_accValue(VARIANT Child, BSTR* Value) override;
  HRESULT get_accDescription(VARIANT Child, BSTR* Description) override;
  HRESULT get_accRole(VARIANT Child, VARIANT* Role) override;
  HRESULT get_accState(VARIANT Child, VARIANT* State) override;
  HRESULT get_accHelp(VARIANT Child, BSTR* Help) override;
  HRESULT get_accHelpTopic(BSTR* HelpFile, VARIANT Child, LONG* Topic) override;
  HRESULT get_accKeyboardShortcut(VARIANT Child, BSTR* Shortcut) override;
  HRESULT get_accFocus(VARIANT* Child) override;
  HRESULT get_accSelection(VARIANT* Children) override;
  HRESULT get_accDefaultAction(VARIANT Child, BSTR* Action) override;
  HRESULT accSelect(LONG Flags, VARIANT Child) override;
  HRESULT accLocation(LONG* Left, LONG* Top, LONG* Width, LONG* Height, VARIANT Child) override;
  HRESULT accNavigate(LONG Direction, VARIANT Start, VARIANT* End) override;
  HRESULT accHitTest(LONG X, LONG Y, VARIANT* Child) override;
  HRESULT accDoDefaultAction(VARIANT Child) override;
  HRESULT put_accName(VARIANT Child, BSTR Name) override;
  HRESULT put_accValue(VARIANT Child, BSTR Value) override;

private:
  TTBItemViewer* FViewer;
};

// The end of the program's accessibility: every live object is disconnected
// from its clients (the disconnection may free objects, whose destructors
// take the list's lock: it is never held while disconnecting). Runs at
// process end; tests call it directly.
void DisconnectAccessibleObjects();
// How a live object is cut from its clients: CoDisconnectObject unless a
// test sets its own (null restores it).
using TAccDisconnectProc = HRESULT (*)(IUnknown* Object, DWORD Reserved);
void SetAccDisconnectProc(TAccDisconnectProc Proc);
// Live objects of each kind (tests).
int LiveViewAccObjects();
int LiveViewerAccObjects();
