// Creation and destruction of windows.
#include "platform/win/window/WindowTree.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "platform/base/FreedMemory.h"
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

namespace wincore {
TClassRec* FindClass(LPCSTR name);
void FillMinMaxInfo(TWnd* w, MINMAXINFO& mmi);
void ActivateOtherWindow(HWND leaving);
}  // namespace wincore

namespace {

bool Fail(DWORD code)
{
  SetLastError(code);
  return false;
}

// The default frame of a window that gets one whatever its style says.
DWORD NormaliseStyle(DWORD style)
{
  if (!(style & (WS_CHILD | WS_POPUP)))
    style |= WS_CAPTION | WS_CLIPSIBLINGS;  // overlapped windows always have a caption
  if (!(style & WS_CHILD))
    style |= WS_CLIPSIBLINGS;
  return style;
}

DWORD NormaliseExStyle(DWORD style, DWORD ex)
{
  if ((style & WS_THICKFRAME) || (style & WS_CAPTION) == WS_DLGFRAME || (ex & WS_EX_DLGMODALFRAME) ||
      (!(style & (WS_CHILD | WS_POPUP))))
    ex |= WS_EX_WINDOWEDGE;
  return ex;
}

}  // namespace

namespace {

LOGFONTW WideFont(const LOGFONTA& a)
{
  LOGFONTW w;
  w.lfHeight = a.lfHeight;
  w.lfWidth = a.lfWidth;
  w.lfEscapement = a.lfEscapement;
  w.lfOrientation = a.lfOrientation;
  w.lfWeight = a.lfWeight;
  w.lfItalic = a.lfItalic;
  w.lfUnderline = a.lfUnderline;
  w.lfStrikeOut = a.lfStrikeOut;
  w.lfCharSet = a.lfCharSet;
  w.lfOutPrecision = a.lfOutPrecision;
  w.lfClipPrecision = a.lfClipPrecision;
  w.lfQuality = a.lfQuality;
  w.lfPitchAndFamily = a.lfPitchAndFamily;
  std::u16string face = UTF8Decode(std::string_view(a.lfFaceName, strnlen(a.lfFaceName, LF_FACESIZE)));
  face.resize(std::min<std::size_t>(face.size(), LF_FACESIZE - 1));
  std::copy(face.begin(), face.end(), w.lfFaceName);
  return w;
}

std::u16string CaptionText(HWND hwnd)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  return w ? UTF8Decode(w->Text) : std::u16string();
}

// The drawing layer draws captions with our texts and fonts.
void ConnectCaptions()
{
  static bool done = [] {
    SetCaptionTextSource(CaptionText);
    NONCLIENTMETRICS m;
    if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0))
      SetCaptionFonts(WideFont(m.lfCaptionFont), WideFont(m.lfSmCaptionFont));
    return true;
  }();
  (void)done;
}

// The windows that hear of a child's creation or destruction: its parent and
// the parent's ancestors up to the top-level window, stopping after one with
// WS_EX_NOPARENTNOTIFY.
std::vector<HWND> ParentNotifyChain(HWND parent)
{
  std::vector<HWND> chain;
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  for (TWnd* p = ResolveLocal(parent); p && p != Core().Desktop && !p->MessageOnly; p = p->Parent) {
    chain.push_back(p->Handle);
    if (!(p->Style & WS_CHILD) || (p->ExStyle & WS_EX_NOPARENTNOTIFY))
      break;
  }
  return chain;
}

}  // namespace

HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menu, HINSTANCE instance, void* param)
{
  ConnectCaptions();
  TCore& core = Core();
  auto thread = CurrentThreadPtr();
  TWnd* w = new TWnd;
  HWND hwnd;
  TWnd* parentWnd;
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    TClassRec* cls = FindClass(className);
    if (!cls) {
      delete w;
      Fail(ERROR_CANNOT_FIND_WND_CLASS);
      return nullptr;
    }
    if (parent == HWND_MESSAGE) {
      parentWnd = core.MessageRoot;
      w->MessageOnly = true;
      style &= ~(WS_CHILD | WS_VISIBLE);
    } else if (style & WS_CHILD) {
      parentWnd = ResolveLocal(parent);
      if (!parentWnd || parentWnd == core.Desktop) {
        delete w;
        Fail(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
      }
      if (parentWnd->MessageOnly)
        w->MessageOnly = true;
    } else {
      parentWnd = core.Desktop;
      if (parent) {
        TWnd* owner = ResolveLocal(parent);
        if (!owner) {
          delete w;
          Fail(ERROR_INVALID_WINDOW_HANDLE);
          return nullptr;
        }
        // The owner is always a top-level window.
        w->Owner = RootOf(owner) == core.Desktop ? nullptr : RootOf(owner);
      }
    }
    w->Class = cls;
    cls->WindowCount++;
    w->Thread = thread;
    w->WndProc = cls->WndProc;
    w->Style = w->MessageOnly ? style : NormaliseStyle(style);
    w->ExStyle = NormaliseExStyle(w->Style, exStyle);
    w->Instance = instance;
    w->Id = (style & WS_CHILD) ? reinterpret_cast<LONG_PTR>(menu) : 0;
    w->Extra.assign(std::size_t(cls->WndExtra), 0);
    // Default positions and sizes.
    if (!(style & WS_CHILD) && !w->MessageOnly) {
      TRect screen = core.Desktop->Rect;
      if (x == CW_USEDEFAULT) {
        x = screen.Left + 26;
        y = screen.Top + 26;
      }
      if (width == CW_USEDEFAULT) {
        width = screen.Width() * 3 / 4;
        height = screen.Height() * 3 / 4;
      }
    } else {
      if (x == CW_USEDEFAULT)
        x = y = 0;
      if (width == CW_USEDEFAULT)
        width = height = 0;
    }
    w->Rect = TRect(x, y, x + std::max(width, 0), y + std::max(height, 0));
    w->Client = w->Rect;
    w->NormalRect = w->Rect;
    hwnd = AddHandle(w);
    w->Handle = hwnd;
    // Children go below their siblings, top-level windows on top.
    LinkAt(parentWnd, w, nullptr, (style & WS_CHILD) != 0);
  }
  CREATESTRUCT cs;
  cs.lpCreateParams = param;
  cs.hInstance = instance;
  cs.hMenu = menu;
  cs.hwndParent = parent == HWND_MESSAGE ? nullptr : parent;
  cs.cx = width;
  cs.cy = height;
  cs.x = x;
  cs.y = y;
  cs.style = LONG(w->Style);
  cs.lpszName = windowName;
  cs.lpszClass = className;
  cs.dwExStyle = w->ExStyle;
  if (HasHooks(WH_CBT)) {
    CBT_CREATEWND cbt{&cs, HWND_TOP};
    if (CallHooks(WH_CBT, HCBT_CREATEWND, reinterpret_cast<WPARAM>(hwnd), reinterpret_cast<LPARAM>(&cbt))) {
      // Refused before it was born: it goes without a message.
      std::lock_guard<std::recursive_mutex> cl(core.Lock);
      if (ResolveLocal(hwnd) == w) {
        Unlink(w);
        w->Class->WindowCount--;
        RemoveHandle(hwnd);
        delete w;
      }
      return nullptr;
    }
  }
  bool resizable;
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    resizable = !w->MessageOnly && IsTopLevel(w) && (w->Style & (WS_THICKFRAME | WS_CAPTION));
  }
  if (resizable) {
    MINMAXINFO mmi;
    {
      std::lock_guard<std::recursive_mutex> cl(core.Lock);
      FillMinMaxInfo(w, mmi);
    }
    SendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    if (ResolveLocal(hwnd) == w && (w->Style & WS_THICKFRAME)) {
      w->Rect.Right = w->Rect.Left + std::clamp<LONG>(w->Rect.Width(), mmi.ptMinTrackSize.x, std::max(mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x));
      w->Rect.Bottom = w->Rect.Top + std::clamp<LONG>(w->Rect.Height(), mmi.ptMinTrackSize.y, std::max(mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y));
      cs.cx = w->Rect.Width();
      cs.cy = w->Rect.Height();
    }
  }
  if (!SendMessage(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    DestroyWindow(hwnd);
    Fail(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  // The client area, then the framebuffer of a top-level window.
  TRect rc;
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    if (ResolveLocal(hwnd) != w)
      return nullptr;
    rc = w->Rect;
  }
  SendMessage(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rc));
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    if (ResolveLocal(hwnd) != w)
      return nullptr;
    w->Client = rc;
    GeometryChanged();
    if (w->Client.Right < w->Client.Left)
      w->Client.Right = w->Client.Left;
    if (w->Client.Bottom < w->Client.Top)
      w->Client.Bottom = w->Client.Top;
    if (IsTopLevel(w)) {
      if (TDisplayBackend* display = Display()) {
        const bool withPixels = WantsPixels(w);
        w->Surface = display->CreateFramebuffer(hwnd, w->Rect, withPixels);
        w->HasSurface = !withPixels || w->Surface.Bits != nullptr;
        w->PixelsReleased = !withPixels;
        TellDisplayWindowState(w);
        if (w->HasSurface && !w->Text.empty())
          display->SetWindowTitle(hwnd, w->Text);
      }
    }
  }
  if (SendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  TRect client;
  TRect windowRect;
  HWND notifyParent = nullptr;
  LONG_PTR id;
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    if (ResolveLocal(hwnd) != w)
      return nullptr;
    id = w->Id;
    client = w->Client;
    windowRect = w->Rect;
    if ((w->Style & WS_CHILD) && !(w->ExStyle & WS_EX_NOPARENTNOTIFY))
      notifyParent = w->Parent->Handle;
  }
  SendMessage(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(WORD(client.Width()), WORD(client.Height())));
  SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(WORD(SHORT(client.Left)), WORD(SHORT(client.Top))));
  if (notifyParent) {
    for (HWND p : ParentNotifyChain(notifyParent))
      SendMessage(p, WM_PARENTNOTIFY, MAKEWPARAM(WORD(WM_CREATE), WORD(id)), reinterpret_cast<LPARAM>(hwnd));
  }
  bool visible;
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    if (ResolveLocal(hwnd) != w)
      return nullptr;
    visible = (w->Style & WS_VISIBLE) != 0;
    if (visible) {
      w->Style &= ~WS_VISIBLE;
      GeometryChanged();
    }
  }
  if (visible)
    ShowWindow(hwnd, (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOW);
  PublishWindowsChanged();
  return IsWindow(hwnd) ? hwnd : nullptr;
}

namespace {

void SendDestroy(HWND hwnd)
{
  SendMessage(hwnd, WM_DESTROY, 0, 0);
  std::vector<HWND> children;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    if (TWnd* w = ResolveLocal(hwnd))
      for (TWnd* c : w->Children)
        children.push_back(c->Handle);
  }
  for (HWND c : children)
    SendDestroy(c);
}

void FreeTree(TWnd* w)
{
  TCore& core = Core();
  for (TWnd* c : std::vector<TWnd*>(w->Children))
    FreeTree(c);
  HWND h = w->Handle;
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    if (ResolveLocal(h) != w)
      return;
  }
  SendMessage(h, WM_NCDESTROY, 0, 0);
  KillWindowTimers(*w->Thread, h);
  std::lock_guard<std::recursive_mutex> cl(core.Lock);
  if (ResolveLocal(h) != w)
    return;
  if (core.Focus == h)
    core.Focus = nullptr;
  if (core.Active == h)
    core.Active = nullptr;
  if (core.Capture == h)
    core.Capture = nullptr;
  if (core.Track.Hwnd == h)
    core.Track = {};
  if (core.LockedUpdate == h)
    core.LockedUpdate = nullptr;
  if (w->Thread->Caret.Owner == h)
    w->Thread->Caret = TCaret();  // its pixels go with the window
  if (w->NeedsPaintCounted)
    w->Thread->NeedPaint--;
  ReleaseWindowDCs(w);
  if (w->HasSurface && core.Display) {
    core.Display->DestroyFramebuffer(h);
    // With its pixels go the window's controls and data: worth giving back.
    NoteLargeRelease(std::size_t(std::abs(w->Surface.StrideBytes)) * std::size_t(w->Surface.Height));
  }
  if (w->WindowRgnHandle)
    DeleteObject(w->WindowRgnHandle);
  for (TWnd* c : w->Children)
    c->Parent = nullptr;
  Unlink(w);
  // Owned windows outlive nothing: they were destroyed first; clear stale links.
  for (auto& slot : core.Slots)
    if (slot.Wnd && slot.Wnd->Owner == w)
      slot.Wnd->Owner = nullptr;
  if (w->Class)
    w->Class->WindowCount--;
  RemoveHandle(h);
  delete w;
}

}  // namespace

BOOL DestroyWindow(HWND hwnd)
{
  TCore& core = Core();
  TWnd* w;
  std::vector<HWND> owned;
  HWND notify = nullptr;
  LONG_PTR id;
  bool wasVisible;
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    w = ResolveLocal(hwnd);
    if (!w || w == core.Desktop || w == core.MessageRoot)
      return Fail(ERROR_INVALID_WINDOW_HANDLE);
    if (w->Thread.get() != &CurrentThread())
      return Fail(ERROR_ACCESS_DENIED_WINDOW);
    if (w->Destroying)
      return TRUE;
    for (auto& slot : core.Slots)
      if (slot.Wnd && slot.Wnd->Owner == w && !slot.Wnd->Destroying)
        owned.push_back(slot.Wnd->Handle);
    if ((w->Style & WS_CHILD) && !(w->ExStyle & WS_EX_NOPARENTNOTIFY) && w->Parent)
      notify = w->Parent->Handle;
    id = w->Id;
    wasVisible = (w->Style & WS_VISIBLE) != 0;
  }
  if (HasHooks(WH_CBT) && CallHooks(WH_CBT, HCBT_DESTROYWND, reinterpret_cast<WPARAM>(hwnd), 0))
    return FALSE;
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    if (ResolveLocal(hwnd) != w)
      return FALSE;
    w->Destroying = true;
  }
  // Owned windows go first.
  for (HWND o : owned)
    DestroyWindow(o);
  if (wasVisible)
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  DestroyDropShadow(hwnd);
  // Input state leaves the dying tree.
  HWND capture = GetCapture();
  bool loseFocus = false;
  bool wasActive = false;
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    TWnd* cw = ResolveLocal(capture);
    if (!(cw && IsDescendant(w, cw)))
      capture = nullptr;
    TWnd* fw = ResolveLocal(core.Focus);
    loseFocus = fw && IsDescendant(w, fw);
    wasActive = core.Active == hwnd;
  }
  if (capture)
    ReleaseCapture();
  if (wasActive)
    ActivateOtherWindow(hwnd);
  if (loseFocus) {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    TWnd* fw = ResolveLocal(core.Focus);
    loseFocus = fw && IsDescendant(w, fw);
  }
  if (loseFocus)
    SetFocus(nullptr);
  if (notify)
    for (HWND p : ParentNotifyChain(notify))
      SendMessage(p, WM_PARENTNOTIFY, MAKEWPARAM(WORD(WM_DESTROY), WORD(id)), reinterpret_cast<LPARAM>(hwnd));
  SendDestroy(hwnd);
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    if (ResolveLocal(hwnd) != w)
      return TRUE;
  }
  FreeTree(w);
  PublishWindowsChanged();
  return TRUE;
}

