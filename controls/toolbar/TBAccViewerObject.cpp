// The accessible object of an item viewer (one item shown in one view), when
// a view's window can take actions, and the default action that a client
// requests, run later from the deferred-action window.
#include <cwctype>

#include "controls/toolbar/TBAccSupport.h"
#include "controls/toolbar/TBAccessible.h"
#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBCustomItem.h"
#include "controls/toolbar/TBItemViewer.h"
#include "controls/toolbar/TBView.h"
#include "platform/classes/controls/WinControl.h"

using namespace tbacc;

namespace {

bool InMenuLoop(TTBView* View) { return View->Flags() & vfInMenuLoop; }

// A counted reference to an object as IDispatch, or null.
template <class T>
IDispatch* Counted(T* Object)
{
  if (!Object)
    return nullptr;
  Object->AddRef();
  return static_cast<IAccessible*>(Object);
}

// The submenu view this viewer has open, if any.
TTBView* OpenSubmenuView(TTBItemViewer* Viewer)
{
  TTBView* view = Viewer->View();
  return view->OpenViewer() == Viewer ? view->OpenViewerView() : nullptr;
}

std::string ItemShortCutText(TTBCustomItem* Item)
{
  return Item->ShortCut() ? ShortCutToText(Item->ShortCut()) : std::string();
}

void SelectAndShow(TTBItemViewer* Viewer)
{
  Viewer->View()->SetSelectedViewer(Viewer, false);
  Viewer->View()->ScrollSelectionIntoView();
}

}  // namespace

bool AccWindowUsable(TTBView* View)
{
  TWinControl* control = View->Window();
  HWND wnd = ViewWindow(View);
  if (!wnd || control->ComponentState().Contains(csDesigning) || !IsWindowVisible(wnd))
    return false;
  for (HWND h = wnd; h; h = (GetWindowLong(h, GWL_STYLE) & WS_CHILD) ? GetParent(h) : nullptr)
    if (!IsWindowEnabled(h))
      return false;
  if (InMenuLoop(View))
    return true;
  HWND active = GetActiveWindow();
  if (!active)
    return false;
  for (HWND h = wnd; h; h = GetParent(h))
    if (h == active)
      return true;
  return false;
}

bool AccViewerCanTakeAction(TTBItemViewer* Viewer)
{
  TTBCustomItem* item = Viewer->Item();
  return Viewer->IsReachable() && item->Enabled() && (item->ItemStyle() & tbsfCanSelect) &&
         AccWindowUsable(Viewer->View());
}

void TTBItemViewer::HandleAccDefaultAction(int Flag)
{
  if (Flag == 1 ? !AccViewerCanTakeAction(this) : !AccWindowUsable(FView))
    return;
  SelectAndShow(this);
  if (FView->Flags() & vfInMenuLoop) {
    if (Flag == 1)
      FView->ActivateSelected(false);
  } else if (!FView->ParentView() && !GetCapture()) {
    FView->RunToolbarMenuLoop(Flag == 1 ? TTBMenuLoopOptions(tbmlActivateSelected | tbmlFromAccessibility)
                                        : tbmlFromAccessibility);
  }
}

HRESULT TTBItemViewerAccObject::get_accParent(IDispatch** Parent)
{
  return Guarded([&]() -> HRESULT {
    if (!Parent)
      return E_POINTER;
    *Parent = nullptr;
    if (!FViewer)
      return E_FAIL;
    *Parent = Counted(FViewer->View()->AccObject());
    return *Parent ? S_OK : E_UNEXPECTED;
  });
}

HRESULT TTBItemViewerAccObject::get_accChildCount(LONG* Count)
{
  if (!Count)
    return E_POINTER;
  *Count = 0;
  if (!FViewer)
    return E_FAIL;
  *Count = FViewer->View()->OpenViewer() == FViewer ? 1 : 0;
  return S_OK;
}

HRESULT TTBItemViewerAccObject::get_accChild(VARIANT Child, IDispatch** Object)
{
  return Guarded([&]() -> HRESULT {
    if (!Object)
      return E_POINTER;
    *Object = nullptr;
    if (!FViewer)
      return E_FAIL;
    if (Child.vt != VT_I4)
      return E_INVALIDARG;
    if (Child.lVal == CHILDID_SELF) {
      *Object = Counted(this);
      return S_OK;
    }
    TTBView* submenu = Child.lVal == 1 ? OpenSubmenuView(FViewer) : nullptr;
    if (!submenu)
      return E_INVALIDARG;
    *Object = Counted(submenu->AccObject());
    return *Object ? S_OK : E_UNEXPECTED;
  });
}

HRESULT TTBItemViewerAccObject::get_accName(VARIANT Child, BSTR* Name)
{
  return Guarded([&]() -> HRESULT {
    NoText(Name);
    if (HRESULT hr = CheckValid(FViewer, Child); FAILED(hr))
      return hr;
    std::string name = RemoveAccelMarks(FViewer->CaptionWithoutShortcut());
    if (!FViewer->UsesToolbarStyle())
      if (std::string shortcut = ItemShortCutText(FViewer->Item()); !shortcut.empty())
        name += "\t" + shortcut;
    return AnswerText(Name, name);
  });
}

HRESULT TTBItemViewerAccObject::get_accValue(VARIANT Child, BSTR* Value)
{
  return Guarded([&]() -> HRESULT {
    NoText(Value);
    if (HRESULT hr = CheckValid(FViewer, Child); FAILED(hr))
      return hr;
    std::u16string text;
    bool has = FViewer->GetAccText(text);
    if (!Value)
      return E_POINTER;
    *Value = has ? SysAllocStringLen(text.data(), UINT(text.size())) : SysAllocStringLen(nullptr, 0);
    return has ? S_OK : S_FALSE;
  });
}

HRESULT TTBItemViewerAccObject::get_accDescription(VARIANT, BSTR* Description)
{
  return NoText(Description, FViewer ? S_FALSE : E_FAIL);
}

HRESULT TTBItemViewerAccObject::get_accRole(VARIANT Child, VARIANT* Role)
{
  return Guarded([&]() -> HRESULT {
    if (!Role)
      return E_POINTER;
    VariantInit(Role);
    if (HRESULT hr = CheckValid(FViewer, Child); FAILED(hr))
      return hr;
    SetI4(Role, FViewer->GetAccRole());
    return S_OK;
  });
}

HRESULT TTBItemViewerAccObject::get_accState(VARIANT Child, VARIANT* State)
{
  return Guarded([&]() -> HRESULT {
    if (!State)
      return E_POINTER;
    VariantInit(State);
    if (HRESULT hr = CheckValid(FViewer, Child); FAILED(hr))
      return hr;
    TTBView* view = FViewer->View();
    TTBCustomItem* item = FViewer->Item();
    LONG state = 0;
    if (view->Selected() == FViewer) {
      state |= STATE_SYSTEM_HOTTRACKED;
      if (InMenuLoop(view))
        state |= STATE_SYSTEM_FOCUSED;
      if (view->MouseOnSelected() && view->MouseCaptured())
        state |= STATE_SYSTEM_PRESSED;
    }
    if (item->ItemStyle() & tbsfOpensSubmenu)
      state |= STATE_SYSTEM_HASPOPUP;
    if (FViewer->Shown() || FViewer->Clipped()) {
      if (AccWindowUsable(view))
        state |= STATE_SYSTEM_FOCUSABLE;
    } else {
      state |= STATE_SYSTEM_INVISIBLE;
    }
    if (!item->Enabled() || !(item->ItemStyle() & tbsfCanSelect))
      state |= STATE_SYSTEM_UNAVAILABLE;
    if (item->Checked())
      state |= STATE_SYSTEM_CHECKED;
    SetI4(State, state);
    return S_OK;
  });
}

HRESULT TTBItemViewerAccObject::get_accHelp(VARIANT, BSTR* Help) { return NoText(Help, FViewer ? S_FALSE : E_FAIL); }

HRESULT TTBItemViewerAccObject::get_accHelpTopic(BSTR* HelpFile, VARIANT, LONG* Topic)
{
  if (Topic)
    *Topic = 0;
  return NoText(HelpFile, FViewer ? S_FALSE : E_FAIL);
}

HRESULT TTBItemViewerAccObject::get_accKeyboardShortcut(VARIANT Child, BSTR* Shortcut)
{
  return Guarded([&]() -> HRESULT {
    NoText(Shortcut);
    if (HRESULT hr = CheckValid(FViewer, Child); FAILED(hr))
      return hr;
    char32_t accel = FViewer->ShowsCaption() ? AccelCharOf(FViewer->CaptionWithoutShortcut()) : 0;
    if (!accel)
      return S_FALSE;
    std::string key;
    AppendUtf8(key, char32_t(std::towlower(wint_t(accel))));
    return AnswerText(Shortcut, FViewer->View()->IsPopup() ? key : AltKeyName() + "+" + key);
  });
}

HRESULT TTBItemViewerAccObject::get_accFocus(VARIANT* Child)
{
  if (!Child)
    return E_POINTER;
  VariantInit(Child);
  if (!FViewer)
    return E_FAIL;
  TTBView* view = FViewer->View();
  if (InMenuLoop(view) && view->Selected() == FViewer) {
    SetI4(Child, CHILDID_SELF);
    return S_OK;
  }
  return S_FALSE;
}

HRESULT TTBItemViewerAccObject::get_accSelection(VARIANT* Children)
{
  if (!Children)
    return E_POINTER;
  VariantInit(Children);
  return FViewer ? S_FALSE : E_FAIL;
}

HRESULT TTBItemViewerAccObject::get_accDefaultAction(VARIANT Child, BSTR* Action)
{
  return Guarded([&]() -> HRESULT {
    NoText(Action);
    if (HRESULT hr = CheckValid(FViewer, Child); FAILED(hr))
      return hr;
    if (!AccViewerCanTakeAction(FViewer))
      return S_FALSE;
    TTBView* view = FViewer->View();
    const char* action = view->OpenViewer() == FViewer                      ? "Close"
                         : (FViewer->Item()->ItemStyle() & tbsfOpensSubmenu) ? "Open"
                         : (view->IsPopup() || (view->Traits() & vtMenuBar)) ? "Execute"
                                                                               : "Press";
    return AnswerText(Action, action);
  });
}

HRESULT TTBItemViewerAccObject::accSelect(LONG Flags, VARIANT Child)
{
  return Guarded([&]() -> HRESULT {
    if (HRESULT hr = CheckValid(FViewer, Child); FAILED(hr))
      return hr;
    if (Flags != SELFLAG_TAKEFOCUS)
      return E_INVALIDARG;
    TTBView* view = FViewer->View();
    if (!AccWindowUsable(view) || !(FViewer->Shown() || FViewer->Clipped()))
      return E_FAIL;
    SelectAndShow(FViewer);
    if (!InMenuLoop(view) && !view->ParentView())
      FViewer->PostDefaultAction(0);
    return S_OK;
  });
}

HRESULT TTBItemViewerAccObject::accLocation(LONG* Left, LONG* Top, LONG* Width, LONG* Height, VARIANT Child)
{
  return Guarded([&]() -> HRESULT {
    if (!Left || !Top || !Width || !Height)
      return E_POINTER;
    *Left = *Top = *Width = *Height = 0;
    if (HRESULT hr = CheckValid(FViewer, Child); FAILED(hr))
      return hr;
    HWND wnd = ViewWindow(FViewer->View());
    if (!wnd)
      return E_FAIL;
    TPoint origin(0, 0);
    ClientToScreen(wnd, &origin);
    const TRect& b = FViewer->BoundsRect;
    *Left = b.Left + origin.x;
    *Top = b.Top + origin.y;
    *Width = b.Width();
    *Height = b.Height();
    return S_OK;
  });
}

HRESULT TTBItemViewerAccObject::accNavigate(LONG Direction, VARIANT Start, VARIANT* End)
{
  return Guarded([&]() -> HRESULT {
    if (!End)
      return E_POINTER;
    VariantInit(End);
    if (HRESULT hr = CheckValid(FViewer, Start); FAILED(hr))
      return hr;
    TTBView* view = FViewer->View();
    IDispatch* object = nullptr;
    if (Direction == NAVDIR_FIRSTCHILD || Direction == NAVDIR_LASTCHILD) {
      TTBView* submenu = OpenSubmenuView(FViewer);
      if (!submenu)
        return S_FALSE;
      object = Counted(submenu->AccObject());
    } else {
      int step = (Direction == NAVDIR_UP || Direction == NAVDIR_LEFT || Direction == NAVDIR_PREVIOUS) ? -1
                 : (Direction == NAVDIR_DOWN || Direction == NAVDIR_RIGHT || Direction == NAVDIR_NEXT) ? 1
                                                                                                      : 0;
      if (!step)
        return S_FALSE;
      int i = view->ViewerIndex(FViewer);
      if (i < 0)
        return S_FALSE;
      for (i += step; i >= 0 && i < view->ViewerCount(); i += step)
        if (view->Viewers(i)->IsReachable())
          break;
      if (i < 0 || i >= view->ViewerCount())
        return S_FALSE;
      object = Counted(view->Viewers(i)->AccObject());
    }
    if (!object)
      return E_UNEXPECTED;
    SetDispatch(End, object);
    return S_OK;
  });
}

HRESULT TTBItemViewerAccObject::accHitTest(LONG X, LONG Y, VARIANT* Child)
{
  return Guarded([&]() -> HRESULT {
    if (!Child)
      return E_POINTER;
    VariantInit(Child);
    if (!FViewer)
      return E_FAIL;
    HWND wnd = ViewWindow(FViewer->View());
    TPoint p(X, Y);
    if (!wnd || !ScreenToClient(wnd, &p) || !FViewer->BoundsRect.Contains(p))
      return S_FALSE;
    SetI4(Child, CHILDID_SELF);
    return S_OK;
  });
}

HRESULT TTBItemViewerAccObject::accDoDefaultAction(VARIANT Child)
{
  return Guarded([&]() -> HRESULT {
    if (HRESULT hr = CheckValid(FViewer, Child); FAILED(hr))
      return hr;
    if (!AccViewerCanTakeAction(FViewer))
      return E_FAIL;
    TTBView* view = FViewer->View();
    if (view->OpenViewer() == FViewer) {
      view->LeaveDropDownMode();
      if (InMenuLoop(view) && !view->IsPopup())
        view->FinishCancel();
    } else {
      SelectAndShow(FViewer);
      FViewer->PostDefaultAction(1);
    }
    return S_OK;
  });
}

HRESULT TTBItemViewerAccObject::put_accName(VARIANT, BSTR) { return FViewer ? S_FALSE : E_FAIL; }

HRESULT TTBItemViewerAccObject::put_accValue(VARIANT, BSTR) { return FViewer ? S_FALSE : E_FAIL; }
