// Everything these objects answer is read from the window when asked, so an
// object held by a client follows the window and fails (E_FAIL) once the
// window is gone.
//
// OBJID_WINDOW: the whole window (ROLE_SYSTEM_WINDOW); its one child is the
// client object (what the window answers to WM_GETOBJECT for OBJID_CLIENT);
// its parent is the client object of the parent window; it navigates among
// its sibling windows. OBJID_CLIENT: the client area, with the role of the
// window's class; its children are the child windows (their OBJID_WINDOW
// objects) and its parent is the window object.
#include "platform/win/accessibility/detail/StdWindowAccessible.h"

#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "platform/base/StringRoutines.h"
#include "platform/base/Utf.h"
#include "platform/win/accessibility/ObjectFromWindow.h"
#include "platform/win/controls/ControlConsts.h"
#include "platform/win/window/window.h"

namespace {

enum class TClassKind { Other, Button, Edit, Static, ListBox, ComboBox, ScrollBar, Menu };

TClassKind ClassKindOf(HWND hwnd)
{
  char name[64] = {};
  GetClassName(hwnd, name, sizeof(name));
  static const struct {
    const char* Name;
    TClassKind Kind;
  } kinds[] = {{"Button", TClassKind::Button},       {"Edit", TClassKind::Edit},
               {"Static", TClassKind::Static},       {"ListBox", TClassKind::ListBox},
               {"ComboBox", TClassKind::ComboBox},   {"ScrollBar", TClassKind::ScrollBar},
               {"#32768", TClassKind::Menu}};
  for (const auto& kind : kinds)
    if (SameText(name, kind.Name))
      return kind.Kind;
  return TClassKind::Other;
}

DWORD ButtonType(HWND hwnd) { return DWORD(GetWindowLong(hwnd, GWL_STYLE)) & BS_TYPEMASK; }

bool IsCheckButton(DWORD type)
{
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}
bool IsRadioButton(DWORD type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }

LONG ClientRole(HWND hwnd)
{
  switch (ClassKindOf(hwnd)) {
    case TClassKind::Button: {
      const DWORD type = ButtonType(hwnd);
      if (IsCheckButton(type))
        return ROLE_SYSTEM_CHECKBUTTON;
      if (IsRadioButton(type))
        return ROLE_SYSTEM_RADIOBUTTON;
      return type == BS_GROUPBOX ? ROLE_SYSTEM_GROUPING : ROLE_SYSTEM_PUSHBUTTON;
    }
    case TClassKind::Edit:
      return ROLE_SYSTEM_TEXT;
    case TClassKind::Static:
      return ROLE_SYSTEM_STATICTEXT;
    case TClassKind::ListBox:
      return ROLE_SYSTEM_LIST;
    case TClassKind::ComboBox:
      return ROLE_SYSTEM_COMBOBOX;
    case TClassKind::ScrollBar:
      return ROLE_SYSTEM_SCROLLBAR;
    case TClassKind::Menu:
      return ROLE_SYSTEM_MENUPOPUP;
    case TClassKind::Other:
      break;
  }
  return ROLE_SYSTEM_CLIENT;
}

// Enabled and visible with every ancestor: a window that can take the focus.
bool IsUsable(HWND hwnd)
{
  if (!IsWindowVisible(hwnd))
    return false;
  for (HWND w = hwnd; w; w = GetParent(w))
    if (!IsWindowEnabled(w))
      return false;
  return true;
}

LONG WindowState(HWND hwnd)
{
  LONG state = 0;
  if (!IsWindowVisible(hwnd))
    state |= STATE_SYSTEM_INVISIBLE;
  if (!IsWindowEnabled(hwnd))
    state |= STATE_SYSTEM_UNAVAILABLE;
  if (IsUsable(hwnd))
    state |= STATE_SYSTEM_FOCUSABLE;
  if (GetFocus() == hwnd)
    state |= STATE_SYSTEM_FOCUSED;
  return state;
}

// The states the window's class adds to its client object.
LONG ClassState(HWND hwnd)
{
  const DWORD style = DWORD(GetWindowLong(hwnd, GWL_STYLE));
  switch (ClassKindOf(hwnd)) {
    case TClassKind::Button: {
      const DWORD type = style & BS_TYPEMASK;
      if (type == BS_DEFPUSHBUTTON)
        return STATE_SYSTEM_DEFAULT;
      if (!IsCheckButton(type) && !IsRadioButton(type))
        return (SendMessage(hwnd, BM_GETSTATE, 0, 0) & BST_PUSHED) ? STATE_SYSTEM_PRESSED : 0;
      const LRESULT check = SendMessage(hwnd, BM_GETCHECK, 0, 0);
      return check == BST_CHECKED ? STATE_SYSTEM_CHECKED : check == BST_INDETERMINATE ? STATE_SYSTEM_MIXED : 0;
    }
    case TClassKind::Edit:
      return ((style & ES_READONLY) ? STATE_SYSTEM_READONLY : 0) | ((style & ES_PASSWORD) ? STATE_SYSTEM_PROTECTED : 0);
    default:
      return 0;
  }
}

std::u16string WindowText(HWND hwnd)
{
  const int length = GetWindowTextLength(hwnd);
  std::string text(std::size_t(length > 0 ? length : 0) + 1, '\0');
  text.resize(std::size_t(GetWindowText(hwnd, text.data(), int(text.size()))));
  return UTF8Decode(text);
}

// A control's caption without its accelerator marks ("&&" is a plain "&").
std::u16string WithoutAccelMarks(const std::u16string& text)
{
  std::u16string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size())
      ++i;
    else if (text[i] == u'&')
      continue;
    out += text[i];
  }
  return out;
}

// S_OK with a new string, S_FALSE with none for empty text.
HRESULT AnswerText(const std::u16string& text, BSTR* out)
{
  if (text.empty())
    return S_FALSE;
  *out = SysAllocStringLen(text.data(), UINT(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

std::vector<HWND> ChildWindows(HWND hwnd)
{
  std::vector<HWND> children;
  for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

TRect ScreenClientRect(HWND hwnd)
{
  TRect rect;
  GetClientRect(hwnd, &rect);
  TPoint origin;
  ClientToScreen(hwnd, &origin);
  return {rect.Left + origin.x, rect.Top + origin.y, rect.Right + origin.x, rect.Bottom + origin.y};
}

TRect ScreenWindowRect(HWND hwnd)
{
  TRect rect;
  GetWindowRect(hwnd, &rect);
  return rect;
}

HRESULT ObjectOf(HWND hwnd, LONG objectId, IDispatch** out)
{
  return AccessibleObjectFromWindow(hwnd, DWORD(objectId), IID_IDispatch, reinterpret_cast<void**>(out));
}

// The variant answer naming the object of a window, or the failure.
HRESULT AnswerObject(HWND hwnd, LONG objectId, VARIANT* out)
{
  IDispatch* object = nullptr;
  const HRESULT hr = ObjectOf(hwnd, objectId, &object);
  if (FAILED(hr))
    return hr;
  out->vt = VT_DISPATCH;
  out->pdispVal = object;
  return S_OK;
}

HRESULT AnswerSelf(VARIANT* out)
{
  out->vt = VT_I4;
  out->lVal = CHILDID_SELF;
  return S_OK;
}

// The window among candidates that lies wholly beyond the reference's edge in
// the direction, nearest to it (then best lined up with it); invisible ones
// have no place and are skipped. Null when none lies there.
HWND NearestInDirection(const std::vector<HWND>& candidates, HWND reference, LONG direction)
{
  const TRect from = ScreenWindowRect(reference);
  HWND best = nullptr;
  long long bestGap = std::numeric_limits<long long>::max(), bestOffset = bestGap;
  for (HWND candidate : candidates) {
    if (candidate == reference || !IsWindowVisible(candidate))
      continue;
    const TRect to = ScreenWindowRect(candidate);
    long long gap = 0, offset = 0;
    const bool vertical = direction == NAVDIR_UP || direction == NAVDIR_DOWN;
    switch (direction) {
      case NAVDIR_UP: gap = from.Top - to.Bottom; break;
      case NAVDIR_DOWN: gap = to.Top - from.Bottom; break;
      case NAVDIR_LEFT: gap = from.Left - to.Right; break;
      default: gap = to.Left - from.Right; break;
    }
    if (gap < 0)
      continue;
    offset = vertical ? std::llabs(0LL + to.Left + to.Right - from.Left - from.Right)
                      : std::llabs(0LL + to.Top + to.Bottom - from.Top - from.Bottom);
    if (gap < bestGap || (gap == bestGap && offset < bestOffset)) {
      best = candidate;
      bestGap = gap;
      bestOffset = offset;
    }
  }
  return best;
}

// The sibling of windows[index] that direction leads to: the next or previous
// one in z-order, or the nearest one on screen; null when none.
HWND SiblingInDirection(const std::vector<HWND>& windows, std::size_t index, LONG direction)
{
  switch (direction) {
    case NAVDIR_NEXT:
      return index + 1 < windows.size() ? windows[index + 1] : nullptr;
    case NAVDIR_PREVIOUS:
      return index > 0 ? windows[index - 1] : nullptr;
    case NAVDIR_UP:
    case NAVDIR_DOWN:
    case NAVDIR_LEFT:
    case NAVDIR_RIGHT:
      return NearestInDirection(windows, windows[index], direction);
    default:
      return nullptr;
  }
}

class TStdWindowAccessible : public TDispatchObject<IAccessible> {
public:
  TStdWindowAccessible(HWND hwnd, LONG objectId) : FWindow(hwnd), FClient(objectId == OBJID_CLIENT) {}

  HRESULT get_accParent(IDispatch** parent) override
  {
    return Answer(parent, [&] {
      if (FClient)
        return ObjectOf(FWindow, OBJID_WINDOW, parent);
      HWND above = GetAncestor(FWindow, GA_PARENT);
      return above ? ObjectOf(above, OBJID_CLIENT, parent) : S_FALSE;
    });
  }

  HRESULT get_accChildCount(LONG* count) override
  {
    return Answer(count, [&] {
      *count = FClient ? LONG(ChildWindows(FWindow).size()) : 1;
      return S_OK;
    });
  }

  HRESULT get_accChild(VARIANT child, IDispatch** object) override
  {
    return Answer(object, [&] {
      if (child.vt != VT_I4)
        return E_INVALIDARG;
      if (child.lVal == CHILDID_SELF)
        return QueryInterface(IID_IDispatch, reinterpret_cast<void**>(object));
      if (!FClient)
        return child.lVal == 1 ? ObjectOf(FWindow, OBJID_CLIENT, object) : E_INVALIDARG;
      const auto children = ChildWindows(FWindow);
      if (child.lVal < 1 || std::size_t(child.lVal) > children.size())
        return E_INVALIDARG;
      return ObjectOf(children[std::size_t(child.lVal) - 1], OBJID_WINDOW, object);
    });
  }

  HRESULT get_accName(VARIANT child, BSTR* name) override
  {
    return AnswerFor(child, name, [&] {
      // An edit's text is its value, not its name.
      if (FClient && ClassKindOf(FWindow) == TClassKind::Edit)
        return S_FALSE;
      return AnswerText(WithoutAccelMarks(WindowText(FWindow)), name);
    });
  }

  HRESULT get_accValue(VARIANT child, BSTR* value) override
  {
    return AnswerFor(child, value, [&] {
      if (!FClient || ClassKindOf(FWindow) != TClassKind::Edit)
        return DISP_E_MEMBERNOTFOUND;
      if (GetWindowLong(FWindow, GWL_STYLE) & ES_PASSWORD)
        return E_ACCESSDENIED;
      const std::u16string text = WindowText(FWindow);
      *value = SysAllocStringLen(text.data(), UINT(text.size()));
      return *value ? S_OK : E_OUTOFMEMORY;
    });
  }

  HRESULT get_accDescription(VARIANT child, BSTR* description) override
  {
    return AnswerFor(child, description, [] { return DISP_E_MEMBERNOTFOUND; });
  }

  HRESULT get_accRole(VARIANT child, VARIANT* role) override
  {
    return AnswerFor(child, role, [&] {
      role->vt = VT_I4;
      role->lVal = FClient ? ClientRole(FWindow) : ROLE_SYSTEM_WINDOW;
      return S_OK;
    });
  }

  HRESULT get_accState(VARIANT child, VARIANT* state) override
  {
    return AnswerFor(child, state, [&] {
      state->vt = VT_I4;
      state->lVal = WindowState(FWindow) | (FClient ? ClassState(FWindow) : 0);
      return S_OK;
    });
  }

  HRESULT get_accHelp(VARIANT child, BSTR* help) override
  {
    return AnswerFor(child, help, [] { return DISP_E_MEMBERNOTFOUND; });
  }

  HRESULT get_accHelpTopic(BSTR* helpFile, VARIANT child, LONG* topic) override
  {
    if (!helpFile || !topic)
      return E_POINTER;
    *topic = 0;
    return AnswerFor(child, helpFile, [] { return DISP_E_MEMBERNOTFOUND; });
  }

  HRESULT get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
  {
    return AnswerFor(child, shortcut, [] { return DISP_E_MEMBERNOTFOUND; });
  }

  HRESULT get_accFocus(VARIANT* child) override
  {
    return Answer(child, [&] {
      HWND focus = GetFocus();
      const bool inside = focus && (focus == FWindow || IsChild(FWindow, focus));
      if (!inside)
        return S_FALSE;
      if (!FClient)
        return AnswerObject(FWindow, OBJID_CLIENT, child);
      if (focus == FWindow)
        return AnswerSelf(child);
      while (GetParent(focus) != FWindow)
        focus = GetParent(focus);
      return AnswerObject(focus, OBJID_WINDOW, child);
    });
  }

  // A window holds no selection of its own.
  HRESULT get_accSelection(VARIANT* children) override
  {
    return Answer(children, [] { return S_FALSE; });
  }

  HRESULT get_accDefaultAction(VARIANT child, BSTR* action) override
  {
    return AnswerFor(child, action, [&] {
      if (!FClient || ClassKindOf(FWindow) != TClassKind::Button)
        return DISP_E_MEMBERNOTFOUND;
      const DWORD type = ButtonType(FWindow);
      if (type == BS_GROUPBOX)
        return DISP_E_MEMBERNOTFOUND;
      const bool checked = SendMessage(FWindow, BM_GETCHECK, 0, 0) == BST_CHECKED;
      return AnswerText(IsCheckButton(type) ? (checked ? u"Uncheck" : u"Check")
                        : IsRadioButton(type) ? u"Check"
                                              : u"Press",
                        action);
    });
  }

  // Windows take the focus; they cannot be selected.
  HRESULT accSelect(LONG flags, VARIANT child) override
  {
    return Checked(child, [&] {
      if (flags != SELFLAG_TAKEFOCUS)
        return E_INVALIDARG;
      if (!IsUsable(FWindow))
        return E_FAIL;
      SetFocus(FWindow);
      return GetFocus() == FWindow ? S_OK : E_FAIL;
    });
  }

  HRESULT accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override
  {
    if (!left || !top || !width || !height)
      return E_POINTER;
    *left = *top = *width = *height = 0;
    return Checked(child, [&] {
      const TRect rect = FClient ? ScreenClientRect(FWindow) : ScreenWindowRect(FWindow);
      *left = rect.Left;
      *top = rect.Top;
      *width = rect.Width();
      *height = rect.Height();
      return S_OK;
    });
  }

  HRESULT accNavigate(LONG direction, VARIANT start, VARIANT* end) override
  {
    return Answer(end, [&] {
      if (start.vt != VT_I4 || direction < NAVDIR_UP || direction > NAVDIR_LASTCHILD)
        return E_INVALIDARG;
      if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
        if (start.lVal != CHILDID_SELF)
          return E_INVALIDARG;
        if (!FClient)
          return AnswerObject(FWindow, OBJID_CLIENT, end);
        const auto children = ChildWindows(FWindow);
        if (children.empty())
          return S_FALSE;
        return AnswerObject(direction == NAVDIR_FIRSTCHILD ? children.front() : children.back(), OBJID_WINDOW, end);
      }
      HWND found = nullptr;
      if (FClient) {
        // A client object is its window's only child: only its own children
        // (the child windows) lie beside one another.
        const auto children = ChildWindows(FWindow);
        if (start.lVal == CHILDID_SELF)
          return S_FALSE;
        if (start.lVal < 1 || std::size_t(start.lVal) > children.size())
          return E_INVALIDARG;
        found = SiblingInDirection(children, std::size_t(start.lVal) - 1, direction);
      } else {
        if (start.lVal != CHILDID_SELF)
          return E_INVALIDARG;
        HWND above = GetAncestor(FWindow, GA_PARENT);
        if (above) {
          const auto siblings = ChildWindows(above);
          for (std::size_t i = 0; i < siblings.size(); ++i)
            if (siblings[i] == FWindow)
              found = SiblingInDirection(siblings, i, direction);
        }
      }
      return found ? AnswerObject(found, OBJID_WINDOW, end) : S_FALSE;
    });
  }

  HRESULT accHitTest(LONG x, LONG y, VARIANT* child) override
  {
    return Answer(child, [&] {
      const TPoint point(x, y);
      if (!FClient) {
        if (!ScreenWindowRect(FWindow).Contains(point))
          return S_FALSE;
        return ScreenClientRect(FWindow).Contains(point) ? AnswerObject(FWindow, OBJID_CLIENT, child)
                                                         : AnswerSelf(child);
      }
      const TRect client = ScreenClientRect(FWindow);
      if (!client.Contains(point))
        return S_FALSE;
      HWND below = ChildWindowFromPointEx(FWindow, point - client.TopLeft(), CWP_SKIPINVISIBLE);
      return below && below != FWindow ? AnswerObject(below, OBJID_WINDOW, child) : AnswerSelf(child);
    });
  }

  // A button is clicked; the click is posted, so a client is never held up
  // by what the click starts (a modal dialog, say).
  HRESULT accDoDefaultAction(VARIANT child) override
  {
    return Checked(child, [&] {
      if (!FClient || ClassKindOf(FWindow) != TClassKind::Button || ButtonType(FWindow) == BS_GROUPBOX)
        return DISP_E_MEMBERNOTFOUND;
      if (!IsUsable(FWindow))
        return E_FAIL;
      return PostMessage(FWindow, BM_CLICK, 0, 0) ? S_OK : E_FAIL;
    });
  }

  HRESULT put_accName(VARIANT child, BSTR) override
  {
    return Checked(child, [] { return DISP_E_MEMBERNOTFOUND; });
  }
  HRESULT put_accValue(VARIANT child, BSTR) override
  {
    return Checked(child, [] { return DISP_E_MEMBERNOTFOUND; });
  }

private:
  HWND FWindow;
  bool FClient;

  static void Clear(IDispatch** out) { *out = nullptr; }
  static void Clear(BSTR* out) { *out = nullptr; }
  static void Clear(LONG* out) { *out = 0; }
  static void Clear(VARIANT* out) { VariantInit(out); }

  // Runs the body while the window exists (else E_FAIL); no exception leaves.
  template <class Body>
  HRESULT Alive(Body body) const
  {
    if (!IsWindow(FWindow))
      return E_FAIL;
    try {
      return body();
    } catch (...) {
      return E_UNEXPECTED;
    }
  }

  // The same with the out-parameter cleared first.
  template <class Out, class Body>
  HRESULT Answer(Out* out, Body body) const
  {
    if (!out)
      return E_POINTER;
    Clear(out);
    return Alive(body);
  }

  // The same for a question about the object itself (other children: E_INVALIDARG).
  template <class Body>
  HRESULT Checked(const VARIANT& child, Body body) const
  {
    return Alive([&] { return child.vt == VT_I4 && child.lVal == CHILDID_SELF ? body() : E_INVALIDARG; });
  }

  template <class Out, class Body>
  HRESULT AnswerFor(const VARIANT& child, Out* out, Body body) const
  {
    if (!out)
      return E_POINTER;
    Clear(out);
    return Checked(child, body);
  }
};

}  // namespace

IAccessible* accessibility_detail::NewStdWindowAccessible(HWND hwnd, LONG objectId)
{
  return new TStdWindowAccessible(hwnd, objectId);
}
