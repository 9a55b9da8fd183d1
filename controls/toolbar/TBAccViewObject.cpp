// The accessible object of a view: a menu bar, toolbar or popup menu as a
// whole, whose children are its reachable item viewers.
#include "controls/toolbar/TBAccSupport.h"
#include "controls/toolbar/TBAccessible.h"
#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBCustomItem.h"
#include "controls/toolbar/TBItemViewer.h"
#include "controls/toolbar/TBView.h"
#include "platform/classes/controls/WinControl.h"

using namespace tbacc;

namespace {

// The n-th reachable viewer, counting from 1.
TTBItemViewer* ReachableViewer(TTBView* View, LONG N)
{
  for (int i = 0; i < View->ViewerCount(); ++i) {
    TTBItemViewer* v = View->Viewers(i);
    if (v->IsReachable() && --N == 0)
      return v;
  }
  return nullptr;
}

// A counted reference to a viewer's object as IDispatch.
IDispatch* DispatchOf(TTBItemViewer* Viewer)
{
  TTBItemViewerAccObject* object = Viewer->AccObject();
  if (!object)
    return nullptr;
  object->AddRef();
  return static_cast<IAccessible*>(object);
}

}  // namespace

HRESULT TTBViewAccObject::get_accParent(IDispatch** Parent)
{
  return Guarded([&]() -> HRESULT {
    if (!Parent)
      return E_POINTER;
    *Parent = nullptr;
    if (!FView)
      return E_FAIL;
    if (TTBView* parent = FView->ParentView(); parent && parent->OpenViewer()) {
      *Parent = DispatchOf(parent->OpenViewer());
      return *Parent ? S_OK : E_UNEXPECTED;
    }
    return AccessibleOfWindow(ViewWindow(FView), *Parent) ? S_OK : E_UNEXPECTED;
  });
}

HRESULT TTBViewAccObject::get_accChildCount(LONG* Count)
{
  return Guarded([&]() -> HRESULT {
    if (!Count)
      return E_POINTER;
    *Count = 0;
    if (!FView)
      return E_FAIL;
    for (int i = 0; i < FView->ViewerCount(); ++i)
      if (FView->Viewers(i)->IsReachable())
        ++*Count;
    return S_OK;
  });
}

HRESULT TTBViewAccObject::get_accChild(VARIANT Child, IDispatch** Object)
{
  return Guarded([&]() -> HRESULT {
    if (!Object)
      return E_POINTER;
    *Object = nullptr;
    if (!FView)
      return E_FAIL;
    if (Child.vt != VT_I4)
      return E_INVALIDARG;
    if (Child.lVal == CHILDID_SELF) {
      AddRef();
      *Object = static_cast<IAccessible*>(this);
      return S_OK;
    }
    TTBItemViewer* viewer = Child.lVal > 0 ? ReachableViewer(FView, Child.lVal) : nullptr;
    if (!viewer)
      return E_INVALIDARG;
    // A control item shows a window of its own, which answers for itself.
    if (auto* item = dynamic_cast<TTBControlItem*>(viewer->Item()))
      if (auto* control = dynamic_cast<TWinControl*>(item->Control()); control && control->HandleAllocated())
        return AccessibleOfWindow(control->Handle(), *Object) ? S_OK : E_UNEXPECTED;
    *Object = DispatchOf(viewer);
    return *Object ? S_OK : E_UNEXPECTED;
  });
}

HRESULT TTBViewAccObject::get_accName(VARIANT Child, BSTR* Name)
{
  return Guarded([&]() -> HRESULT {
    NoText(Name);
    if (HRESULT hr = CheckValid(FView, Child); FAILED(hr))
      return hr;
    std::string name;
    if (TTBView* parent = FView->ParentView(); parent && parent->OpenViewer())
      name = RemoveAccelMarks(parent->OpenViewer()->CaptionWithoutShortcut());
    if (name.empty())
      if (HWND wnd = ViewWindow(FView)) {
        char text[512] = {};
        GetWindowText(wnd, text, int(sizeof text));
        name = text;
      }
    return AnswerText(Name, name);
  });
}

HRESULT TTBViewAccObject::get_accValue(VARIANT, BSTR* Value)
{
  return NoText(Value, FView ? S_FALSE : E_FAIL);
}

HRESULT TTBViewAccObject::get_accDescription(VARIANT, BSTR* Description)
{
  return NoText(Description, FView ? S_FALSE : E_FAIL);
}

HRESULT TTBViewAccObject::get_accRole(VARIANT Child, VARIANT* Role)
{
  return Guarded([&]() -> HRESULT {
    if (!Role)
      return E_POINTER;
    VariantInit(Role);
    if (HRESULT hr = CheckValid(FView, Child); FAILED(hr))
      return hr;
    SetI4(Role, FView->IsPopup() ? ROLE_SYSTEM_MENUPOPUP
                : (FView->Traits() & vtMenuBar) ? ROLE_SYSTEM_MENUBAR
                                                : ROLE_SYSTEM_TOOLBAR);
    return S_OK;
  });
}

HRESULT TTBViewAccObject::get_accState(VARIANT Child, VARIANT* State)
{
  if (!State)
    return E_POINTER;
  VariantInit(State);
  if (HRESULT hr = CheckValid(FView, Child); FAILED(hr))
    return hr;
  SetI4(State, 0);
  return S_OK;
}

HRESULT TTBViewAccObject::get_accHelp(VARIANT, BSTR* Help) { return NoText(Help, FView ? S_FALSE : E_FAIL); }

HRESULT TTBViewAccObject::get_accHelpTopic(BSTR* HelpFile, VARIANT, LONG* Topic)
{
  if (Topic)
    *Topic = 0;
  return NoText(HelpFile, FView ? S_FALSE : E_FAIL);
}

HRESULT TTBViewAccObject::get_accKeyboardShortcut(VARIANT Child, BSTR* Shortcut)
{
  return Guarded([&]() -> HRESULT {
    NoText(Shortcut);
    if (HRESULT hr = CheckValid(FView, Child); FAILED(hr))
      return hr;
    if (FView->Traits() & vtMenuBar)
      return AnswerText(Shortcut, AltKeyName());
    return S_FALSE;
  });
}

HRESULT TTBViewAccObject::get_accFocus(VARIANT* Child)
{
  if (!Child)
    return E_POINTER;
  VariantInit(Child);
  return FView ? S_FALSE : E_FAIL;
}

HRESULT TTBViewAccObject::get_accSelection(VARIANT* Children)
{
  if (!Children)
    return E_POINTER;
  VariantInit(Children);
  return FView ? S_FALSE : E_FAIL;
}

HRESULT TTBViewAccObject::get_accDefaultAction(VARIANT, BSTR* Action)
{
  return NoText(Action, FView ? S_FALSE : E_FAIL);
}

HRESULT TTBViewAccObject::accSelect(LONG, VARIANT) { return FView ? DISP_E_MEMBERNOTFOUND : E_FAIL; }

HRESULT TTBViewAccObject::accLocation(LONG* Left, LONG* Top, LONG* Width, LONG* Height, VARIANT Child)
{
  return Guarded([&]() -> HRESULT {
    if (!Left || !Top || !Width || !Height)
      return E_POINTER;
    *Left = *Top = *Width = *Height = 0;
    if (HRESULT hr = CheckValid(FView, Child); FAILED(hr))
      return hr;
    TRect r;
    HWND wnd = ViewWindow(FView);
    if (!wnd || !GetWindowRect(wnd, &r))
      return E_FAIL;
    *Left = r.Left;
    *Top = r.Top;
    *Width = r.Width();
    *Height = r.Height();
    return S_OK;
  });
}

HRESULT TTBViewAccObject::accNavigate(LONG Direction, VARIANT Start, VARIANT* End)
{
  return Guarded([&]() -> HRESULT {
    if (!End)
      return E_POINTER;
    VariantInit(End);
    if (HRESULT hr = CheckValid(FView, Start); FAILED(hr))
      return hr;
    TTBItemViewer* found = nullptr;
    if (Direction == NAVDIR_FIRSTCHILD || Direction == NAVDIR_LASTCHILD)
      for (int i = 0; i < FView->ViewerCount(); ++i) {
        TTBItemViewer* v = FView->Viewers(i);
        if (v->IsReachable()) {
          found = v;
          if (Direction == NAVDIR_FIRSTCHILD)
            break;
        }
      }
    if (!found)
      return S_FALSE;
    IDispatch* object = DispatchOf(found);
    if (!object)
      return E_UNEXPECTED;
    SetDispatch(End, object);
    return S_OK;
  });
}

HRESULT TTBViewAccObject::accHitTest(LONG X, LONG Y, VARIANT* Child)
{
  return Guarded([&]() -> HRESULT {
    if (!Child)
      return E_POINTER;
    VariantInit(Child);
    if (!FView)
      return E_FAIL;
    HWND wnd = ViewWindow(FView);
    TRect r;
    if (!wnd || !GetWindowRect(wnd, &r) || !r.Contains(TPoint(X, Y)))
      return S_FALSE;
    TPoint p(X, Y);
    ScreenToClient(wnd, &p);
    HWND under = ChildWindowFromPointEx(wnd, p, CWP_SKIPINVISIBLE);
    if (under && under != wnd) {
      IDispatch* object = nullptr;
      if (!AccessibleOfWindow(under, object))
        return E_UNEXPECTED;
      SetDispatch(Child, object);
      return S_OK;
    }
    if (TTBItemViewer* viewer = FView->ViewerFromPoint(p)) {
      IDispatch* object = DispatchOf(viewer);
      if (!object)
        return E_UNEXPECTED;
      SetDispatch(Child, object);
      return S_OK;
    }
    SetI4(Child, CHILDID_SELF);
    return S_OK;
  });
}

HRESULT TTBViewAccObject::accDoDefaultAction(VARIANT) { return FView ? S_FALSE : E_FAIL; }

HRESULT TTBViewAccObject::put_accName(VARIANT, BSTR) { return FView ? S_FALSE : E_FAIL; }

HRESULT TTBViewAccObject::put_accValue(VARIANT, BSTR) { return FView ? S_FALSE : E_FAIL; }
