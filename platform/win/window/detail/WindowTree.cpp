// The tree of windows: parents, owners, children, text, long values,
// properties and state.
#include "platform/win/window/WindowTree.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

#include "platform/base/LastError.h"
#include "platform/base/Utf.h"
#include "platform/win/gdi/Edges.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/window/DisplayBackend.h"
#include "platform/win/window/Input.h"
#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/Painting.h"
#include "platform/win/window/SystemInfo.h"
#include "platform/win/window/WindowPos.h"
#include "platform/win/window/detail/Core.h"

using namespace wincore;

BOOL IsWindow(HWND hwnd)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = Resolve(hwnd);
  if (w && w->Foreign)
    return ForeignAlive(w) ? TRUE : FALSE;
  return w && w != Core().MessageRoot ? TRUE : FALSE;
}

BOOL IsChild(HWND parent, HWND hwnd)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* p = ResolveLocal(parent);
  TWnd* w = ResolveLocal(hwnd);
  if (!p || !w || p == w)
    return FALSE;
  // Only through child links: an owned popup is not a child.
  for (TWnd* x = w; x && (x->Style & WS_CHILD); x = x->Parent)
    if (x->Parent == p)
      return TRUE;
  return FALSE;
}

HWND GetDesktopWindow() { return Core().Desktop->Handle; }

HWND GetParent(HWND hwnd)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  if (!w)
    return nullptr;
  if (w->Style & WS_CHILD)
    return w->Parent && w->Parent != Core().MessageRoot ? w->Parent->Handle : nullptr;
  if (w->Style & WS_POPUP)
    return w->Owner ? w->Owner->Handle : nullptr;
  return nullptr;
}

HWND GetAncestor(HWND hwnd, UINT flags)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  if (!w || w == Core().Desktop)
    return nullptr;
  switch (flags) {
    case GA_PARENT:
      return w->Parent ? w->Parent->Handle : nullptr;
    case GA_ROOT:
      return RootOf(w)->Handle;
    case GA_ROOTOWNER: {
      TWnd* r = RootOf(w);
      while (r->Owner)
        r = r->Owner;
      return r->Handle;
    }
    default:
      return nullptr;
  }
}

HWND GetWindow(HWND hwnd, UINT command)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  if (!w)
    return nullptr;
  auto siblings = [&]() -> const std::vector<TWnd*>* { return w->Parent ? &w->Parent->Children : nullptr; };
  switch (command) {
    case GW_CHILD:
      return w->Children.empty() ? nullptr : w->Children.front()->Handle;
    case GW_OWNER:
      return w->Owner ? w->Owner->Handle : nullptr;
    case GW_HWNDFIRST:
    case GW_HWNDLAST: {
      auto* list = siblings();
      if (!list || list->empty())
        return nullptr;
      return command == GW_HWNDFIRST ? list->front()->Handle : list->back()->Handle;
    }
    case GW_HWNDNEXT:
    case GW_HWNDPREV: {
      auto* list = siblings();
      if (!list)
        return nullptr;
      auto it = std::find(list->begin(), list->end(), w);
      if (it == list->end())
        return nullptr;
      if (command == GW_HWNDNEXT)
        return it + 1 == list->end() ? nullptr : (*(it + 1))->Handle;
      return it == list->begin() ? nullptr : (*(it - 1))->Handle;
    }
    case GW_ENABLEDPOPUP:
      for (auto& slot : Core().Slots)
        if (slot.Wnd && slot.Wnd->Owner == w && (slot.Wnd->Style & WS_VISIBLE) && !(slot.Wnd->Style & WS_DISABLED))
          return slot.Wnd->Handle;
      return nullptr;
    default:
      return nullptr;
  }
}

HWND GetTopWindow(HWND hwnd) { return GetWindow(hwnd ? hwnd : GetDesktopWindow(), GW_CHILD); }

HWND GetNextWindow(HWND hwnd, UINT command) { return GetWindow(hwnd, command); }

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM param)
{
  std::vector<HWND> all;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* p = parent ? ResolveLocal(parent) : Core().Desktop;
    if (!p || !proc)
      return FALSE;
    std::vector<TWnd*> tree;
    CollectPreOrder(p, tree);
    for (std::size_t i = 1; i < tree.size(); ++i)
      all.push_back(tree[i]->Handle);
  }
  for (HWND h : all)
    if (IsWindow(h) && !proc(h, param))
      return FALSE;
  return TRUE;
}

BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC proc, LPARAM param)
{
  std::vector<HWND> all;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    for (TWnd* w : Core().Desktop->Children)
      if (w->Thread && w->Thread->Id == threadId)
        all.push_back(w->Handle);
  }
  if (!proc)
    return FALSE;
  for (HWND h : all)
    if (IsWindow(h) && !proc(h, param))
      return FALSE;
  return TRUE;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM param)
{
  std::vector<HWND> all;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    for (TWnd* w : Core().Desktop->Children)
      all.push_back(w->Handle);
  }
  if (!proc)
    return FALSE;
  for (HWND h : all)
    if (IsWindow(h) && !proc(h, param))
      return FALSE;
  return TRUE;
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = Resolve(hwnd);
  if (!w)
    return 0;
  if (processId)
    *processId = w->Foreign ? DWORD(w->ForeignPid) : DWORD(getpid());
  return w->Foreign || !w->Thread ? 0 : w->Thread->Id;
}

BOOL SetWindowText(HWND hwnd, LPCSTR text)
{
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    if (!ResolveLocal(hwnd))
      return FALSE;
  }
  return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE : FALSE;
}

int GetWindowText(HWND hwnd, LPSTR buffer, int size)
{
  if (!buffer || size <= 0)
    return 0;
  buffer[0] = 0;
  bool local;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = Resolve(hwnd);
    if (!w)
      return 0;
    local = !w->Foreign && w->Thread.get() == &CurrentThread();
    if (!local) {
      // Another thread's or process's window: its stored text, without a message.
      std::string_view t = w->Text;
      std::size_t n = std::min<std::size_t>(std::size_t(size - 1), t.size());
      std::memcpy(buffer, t.data(), n);
      buffer[n] = 0;
      return int(n);
    }
  }
  return int(SendMessage(hwnd, WM_GETTEXT, WPARAM(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLength(HWND hwnd)
{
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = Resolve(hwnd);
    if (!w)
      return 0;
    if (w->Foreign || w->Thread.get() != &CurrentThread())
      return int(w->Text.size());
  }
  return int(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

LONG_PTR GetWindowLongPtr(HWND hwnd, int index)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->WndProc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->Instance);
    case GWLP_HWNDPARENT: {
      TWnd* p = (w->Style & WS_CHILD) ? w->Parent : w->Owner;
      return reinterpret_cast<LONG_PTR>(p ? p->Handle : nullptr);
    }
    case GWLP_ID: return w->Id;
    case GWL_STYLE: return LONG_PTR(LONG(w->Style));
    case GWL_EXSTYLE: return LONG_PTR(LONG(w->ExStyle));
    case GWLP_USERDATA: return w->UserData;
    default:
      if (index >= 0 && std::size_t(index) + sizeof(LONG_PTR) <= w->Extra.size()) {
        LONG_PTR v;
        std::memcpy(&v, w->Extra.data() + index, sizeof v);
        return v;
      }
      if (index >= 0 && std::size_t(index) + sizeof(LONG) <= w->Extra.size()) {
        LONG v;
        std::memcpy(&v, w->Extra.data() + index, sizeof v);
        return v;
      }
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
  }
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value)
{
  TCore& core = Core();
  LONG_PTR old;
  DWORD oldStyle = 0;
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    old = GetWindowLongPtr(hwnd, index);
    switch (index) {
      case GWLP_WNDPROC: w->WndProc = reinterpret_cast<WNDPROC>(value); return old;
      case GWLP_HINSTANCE: w->Instance = reinterpret_cast<HINSTANCE>(value); return old;
      case GWLP_ID: w->Id = value; return old;
      case GWLP_USERDATA: w->UserData = value; return old;
      case GWLP_HWNDPARENT:
        if (!(w->Style & WS_CHILD)) {
          TWnd* o = ResolveLocal(reinterpret_cast<HWND>(value));
          w->Owner = o ? RootOf(o) : nullptr;
          if (w->Owner == w)
            w->Owner = nullptr;
          TellDisplayWindowState(w);
        }
        return old;
      case GWL_STYLE:
      case GWL_EXSTYLE:
        oldStyle = DWORD(old);
        break;
      default:
        if (index >= 0 && std::size_t(index) + sizeof(LONG_PTR) <= w->Extra.size()) {
          std::memcpy(w->Extra.data() + index, &value, sizeof value);
          return old;
        }
        if (index >= 0 && std::size_t(index) + sizeof(LONG) <= w->Extra.size()) {
          LONG v = LONG(value);
          std::memcpy(w->Extra.data() + index, &v, sizeof v);
          return old;
        }
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
  }
  // Styles: the window hears of the change before and after.
  struct {
    DWORD styleOld;
    DWORD styleNew;
  } ss{oldStyle, DWORD(value)};
  SendMessage(hwnd, WM_STYLECHANGING, WPARAM(index), reinterpret_cast<LPARAM>(&ss));
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w)
      return 0;
    if (index == GWL_STYLE) {
      // Visibility changes go through ShowWindow, never through the style alone.
      w->Style = (ss.styleNew & ~WS_VISIBLE) | (w->Style & WS_VISIBLE);
      GeometryChanged();
    } else {
      w->ExStyle = ss.styleNew;
      // A window that stops being layered forgets its layering and shows opaque.
      if (!(w->ExStyle & WS_EX_LAYERED) && (oldStyle & WS_EX_LAYERED)) {
        w->Alpha = 255;
        w->ColorKey = 0;
        w->LayeredFlags = 0;
        w->PerPixelAlpha = false;
        w->LayeredByUpdate = false;
        if (w->HasSurface && core.Display)
          core.Display->SetWindowLayering(hwnd, TDisplayLayering());
      }
    }
    TellDisplayWindowState(w);
    // A caption, a minimised state or layering set through the styles
    // decides whether a window out of sight keeps its pixels.
    FollowPixelNeed(w);
  }
  SendMessage(hwnd, WM_STYLECHANGED, WPARAM(index), reinterpret_cast<LPARAM>(&ss));
  return old;
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

namespace {
bool SameProp(const std::string& stored, LPCSTR name)
{
  auto v = reinterpret_cast<std::uintptr_t>(name);
  if (v <= 0xFFFF)
    return stored == "#" + std::to_string(v);
  return strcasecmp(stored.c_str(), name) == 0;
}
std::string PropKey(LPCSTR name)
{
  auto v = reinterpret_cast<std::uintptr_t>(name);
  return v <= 0xFFFF ? "#" + std::to_string(v) : std::string(name);
}
}  // namespace

BOOL SetProp(HWND hwnd, LPCSTR name, HANDLE data)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  if (!w || !name)
    return FALSE;
  for (auto& p : w->Props)
    if (SameProp(p.first, name)) {
      p.second = data;
      return TRUE;
    }
  w->Props.emplace_back(PropKey(name), data);
  return TRUE;
}

HANDLE GetProp(HWND hwnd, LPCSTR name)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  if (!w || !name)
    return nullptr;
  for (auto& p : w->Props)
    if (SameProp(p.first, name))
      return p.second;
  return nullptr;
}

HANDLE RemoveProp(HWND hwnd, LPCSTR name)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  if (!w || !name)
    return nullptr;
  for (auto it = w->Props.begin(); it != w->Props.end(); ++it)
    if (SameProp(it->first, name)) {
      HANDLE data = it->second;
      w->Props.erase(it);
      return data;
    }
  return nullptr;
}

int EnumProps(HWND hwnd, PROPENUMPROC proc)
{
  std::vector<std::pair<std::string, HANDLE>> props;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w || !proc)
      return -1;
    props = w->Props;
  }
  int last = -1;
  for (auto& p : props) {
    last = proc(hwnd, p.first.c_str(), p.second);
    if (!last)
      break;
  }
  return last;
}

BOOL IsWindowVisible(HWND hwnd)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = Resolve(hwnd);
  if (!w)
    return FALSE;
  if (w->Foreign)
    return TRUE;
  return IsVisibleChain(w) ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  return w && !(w->Style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable)
{
  bool wasDisabled;
  bool loseFocus = false;
  bool loseCapture = false;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w)
      return FALSE;
    wasDisabled = (w->Style & WS_DISABLED) != 0;
    if (bool(enable) == !wasDisabled)
      return wasDisabled;
    if (enable) {
      w->Style &= ~WS_DISABLED;
    } else {
      w->Style |= WS_DISABLED;
      TWnd* f = ResolveLocal(Core().Focus);
      loseFocus = f && IsDescendant(w, f);
      loseCapture = Core().Capture == hwnd;
    }
  }
  if (loseFocus)
    SetFocus(nullptr);
  if (loseCapture)
    ReleaseCapture();
  SendMessage(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return wasDisabled;
}

BOOL IsIconic(HWND hwnd)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  return w && (w->Style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  return w && (w->Style & WS_MAXIMIZE) ? TRUE : FALSE;
}

HWND SetParent(HWND hwnd, HWND newParent)
{
  TCore& core = Core();
  HWND old;
  bool visible;
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    TWnd* w = ResolveLocal(hwnd);
    TWnd* p = newParent ? ResolveLocal(newParent) : core.Desktop;
    if (!w || !p || w == core.Desktop || IsDescendant(w, p))
      return nullptr;
    old = w->Parent ? w->Parent->Handle : nullptr;
    visible = (w->Style & WS_VISIBLE) != 0;
  }
  if (visible)
    ShowWindow(hwnd, SW_HIDE);
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    TWnd* w = ResolveLocal(hwnd);
    TWnd* p = newParent ? ResolveLocal(newParent) : core.Desktop;
    if (!w || !p)
      return nullptr;
    bool wasTop = IsTopLevel(w);
    Unlink(w);
    LinkAt(p, w, nullptr, false);
    w->MessageOnly = p->MessageOnly;
    bool nowTop = IsTopLevel(w);
    if (wasTop && !nowTop && w->HasSurface) {
      ReleaseWindowDCs(w);
      if (core.Display)
        core.Display->DestroyFramebuffer(hwnd);
      w->HasSurface = false;
      w->PixelsReleased = false;
      w->Surface = TSurface();
    } else if (!wasTop && nowTop && core.Display) {
      ReleaseWindowDCs(w);
      const bool withPixels = WantsPixels(w);
      w->Surface = core.Display->CreateFramebuffer(hwnd, ScreenWindowRect(w), withPixels);
      w->HasSurface = !withPixels || w->Surface.Bits != nullptr;
      w->PixelsReleased = !withPixels;
    } else {
      ReleaseWindowDCs(w);
    }
    GeometryChanged();
  }
  if (visible)
    ShowWindow(hwnd, SW_SHOWNA);
  PublishWindowsChanged();
  return old;
}
