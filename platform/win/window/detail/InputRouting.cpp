// Display events turned into messages when a thread asks for its next one:
// routing by capture and hit test, double clicks, activation by click, mouse
// leave and hover tracking, and the display's input entry points.
#include "platform/win/window/Input.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/win/window/DisplayBackend.h"
#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/SystemInfo.h"
#include "platform/win/window/VirtualKeys.h"
#include "platform/win/window/WindowPos.h"
#include "platform/win/window/WindowTree.h"
#include "platform/win/window/detail/Core.h"

using namespace wincore;

namespace {

void PushRaw(TRawInput ev)
{
  TCore& core = Core();
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    ev.Time = DWORD(NowMs());
    std::memcpy(ev.Keys, core.AsyncKeys, sizeof ev.Keys);
    // Nobody is taking input (no visible window): keep the newest events only.
    if (core.Raw.size() >= 4096)
      core.Raw.pop_front();
    core.Raw.push_back(ev);
  }
  WakeAll();
}

WPARAM MouseKeys(const BYTE* keys)
{
  WPARAM mk = 0;
  if (keys[VK_LBUTTON] & 0x80)
    mk |= MK_LBUTTON;
  if (keys[VK_RBUTTON] & 0x80)
    mk |= MK_RBUTTON;
  if (keys[VK_MBUTTON] & 0x80)
    mk |= MK_MBUTTON;
  if (keys[VK_SHIFT] & 0x80)
    mk |= MK_SHIFT;
  if (keys[VK_CONTROL] & 0x80)
    mk |= MK_CONTROL;
  return mk;
}

void Deliver(HWND target, const MSG& m, const BYTE* keys)
{
  std::shared_ptr<TThread> t;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(target);
    if (!w)
      return;
    t = w->Thread;
  }
  std::lock_guard<std::mutex> lock(t->M);
  TInputMsg im;
  im.Msg = m;
  std::memcpy(im.Keys, keys, sizeof im.Keys);
  t->Input.push_back(im);
  Wake(*t);
}

void PostLeave(HWND hwnd, bool nonClient)
{
  PostMessage(hwnd, nonClient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
}

void StopHoverTimer(HWND hwnd)
{
  std::shared_ptr<TThread> t;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w)
      return;
    t = w->Thread;
  }
  std::lock_guard<std::mutex> lock(t->M);
  t->Timers.erase(std::remove_if(t->Timers.begin(), t->Timers.end(),
                                 [&](const TTimer& x) { return x.Hwnd == hwnd && x.Id == HoverTimerId; }),
                  t->Timers.end());
}

void StartHoverTimer(HWND hwnd, DWORD time)
{
  std::shared_ptr<TThread> t;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w)
      return;
    t = w->Thread;
  }
  std::lock_guard<std::mutex> lock(t->M);
  for (auto& timer : t->Timers)
    if (timer.Hwnd == hwnd && timer.Id == HoverTimerId) {
      timer.Due = NowMs() + time;
      return;
    }
  TTimer timer;
  timer.Hwnd = hwnd;
  timer.Id = HoverTimerId;
  timer.Interval = time;
  timer.Due = NowMs() + time;
  t->Timers.push_back(timer);
  Wake(*t);
}

// Mouse leave and hover tracking: the window under the pointer (and whether
// the pointer is in its client area) decides.
void UpdateTracking(HWND under, bool inClient)
{
  TMouseTrack track;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    track = Core().Track;
  }
  if (!track.Hwnd)
    return;
  bool nonClient = track.Flags & TME_NONCLIENT;
  bool inside = under == track.Hwnd && inClient != nonClient;
  if (!inside) {
    {
      std::lock_guard<std::recursive_mutex> cl(Core().Lock);
      Core().Track = {};
    }
    StopHoverTimer(track.Hwnd);
    if (track.Flags & TME_LEAVE)
      PostLeave(track.Hwnd, nonClient);
  } else if (track.Flags & TME_HOVER) {
    StartHoverTimer(track.Hwnd, track.HoverTime);
  }
}

const UINT ButtonDown[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
const UINT NcButtonDown[3] = {WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN, WM_NCMBUTTONDOWN};

void CookMouse(const TRawInput& ev)
{
  TCore& core = Core();
  HWND capture;
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    capture = ResolveLocal(core.Capture) ? core.Capture : nullptr;
  }
  if (ev.Kind == TRawInput::Wheel) {
    HWND target;
    {
      std::lock_guard<std::recursive_mutex> cl(core.Lock);
      target = capture ? capture : (ResolveLocal(core.Focus) ? core.Focus : core.Active);
    }
    if (!target)
      return;
    MSG m;
    m.hwnd = target;
    m.message = WM_MOUSEWHEEL;
    m.wParam = MAKEWPARAM(WORD(MouseKeys(ev.Keys)), WORD(SHORT(ev.Delta)));
    m.lParam = MAKELPARAM(WORD(SHORT(ev.Pt.x)), WORD(SHORT(ev.Pt.y)));
    m.time = ev.Time;
    m.pt = ev.Pt;
    Deliver(target, m, ev.Keys);
    return;
  }
  LRESULT hit = HTCLIENT;
  HWND under = ev.Outside ? nullptr : HitTestTree(ev.Pt, &hit, nullptr);
  UpdateTracking(under, hit == HTCLIENT && !ev.Outside);
  HWND target = capture ? capture : under;
  if (capture)
    hit = HTCLIENT;
  if (!target)
    return;
  bool rootDisabled;
  UINT clsStyle = 0;
  HWND root;
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    TWnd* w = ResolveLocal(target);
    if (!w)
      return;
    TWnd* r = RootOf(w);
    root = r->Handle;
    rootDisabled = (r->Style & WS_DISABLED) != 0;
    clsStyle = w->Class ? w->Class->Style : 0;
  }
  if (rootDisabled && !capture)
    hit = HTERROR;
  bool client = hit == HTCLIENT;
  UINT msg;
  if (ev.Kind == TRawInput::MouseMove)
    msg = client ? WM_MOUSEMOVE : WM_NCMOUSEMOVE;
  else
    msg = (client ? ButtonDown : NcButtonDown)[ev.ButtonIndex] + (ev.Down ? 0 : 1);
  if (!capture)
    SendMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(WORD(SHORT(hit)), WORD(msg)));
  if (hit == HTERROR) {
    if (ev.Kind == TRawInput::Button && ev.Down)
      MessageBeep(0);
    return;
  }
  if (ev.Kind == TRawInput::Button && ev.Down) {
    bool inactive;
    {
      std::lock_guard<std::recursive_mutex> cl(core.Lock);
      TWnd* r = ResolveLocal(root);
      inactive = r && core.Active != root && IsTopLevel(r) && !ev.Outside;
    }
    if (inactive) {
      LRESULT ma = SendMessage(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(root), MAKELPARAM(WORD(SHORT(hit)), WORD(msg)));
      if (ma == 0)
        ma = MA_ACTIVATE;
      if (ma == MA_ACTIVATE || ma == MA_ACTIVATEANDEAT) {
        bool canActivate;
        {
          std::lock_guard<std::recursive_mutex> cl(core.Lock);
          TWnd* r = ResolveLocal(root);
          canActivate = r && !(r->ExStyle & WS_EX_NOACTIVATE);
        }
        if (canActivate) {
          ActivateWindow(root, true);
        }
      }
      if (ma == MA_ACTIVATEANDEAT || ma == MA_NOACTIVATEANDEAT)
        return;
    }
    // Double clicks: the same button on the same window, soon enough and near enough.
    bool dbl = false;
    {
      std::lock_guard<std::recursive_mutex> cl(core.Lock);
      int dx = std::abs(ev.Pt.x - core.LastClickPt.x);
      int dy = std::abs(ev.Pt.y - core.LastClickPt.y);
      bool near = dx <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 && dy <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
      bool soon = ev.Time - core.LastClickTime <= GetDoubleClickTime();
      bool allowed = !client || (clsStyle & CS_DBLCLKS);
      dbl = allowed && !core.LastClickWasDouble && core.LastClickWnd == target && core.LastClickMsg == msg && near && soon;
      core.LastClickWnd = target;
      core.LastClickMsg = msg;
      core.LastClickTime = ev.Time;
      core.LastClickPt = ev.Pt;
      core.LastClickWasDouble = dbl;
    }
    if (dbl)
      msg += 2;
  }
  MSG m;
  m.hwnd = target;
  m.message = msg;
  m.time = ev.Time;
  m.pt = ev.Pt;
  if (client) {
    TPoint p = ev.Pt;
    ScreenToClient(target, &p);
    m.wParam = MouseKeys(ev.Keys);
    m.lParam = MAKELPARAM(WORD(SHORT(p.x)), WORD(SHORT(p.y)));
  } else {
    m.wParam = WPARAM(hit);
    m.lParam = MAKELPARAM(WORD(SHORT(ev.Pt.x)), WORD(SHORT(ev.Pt.y)));
  }
  Deliver(target, m, ev.Keys);
}

void CookKey(const TRawInput& ev)
{
  TCore& core = Core();
  HWND target;
  bool noFocus;
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    noFocus = !ResolveLocal(core.Focus);
    target = noFocus ? (ResolveLocal(core.Active) ? core.Active : nullptr) : core.Focus;
  }
  if (!target)
    return;
  bool alt = ev.Keys[VK_MENU] & 0x80;
  bool ctrl = ev.Keys[VK_CONTROL] & 0x80;
  bool sys = (alt && !ctrl) || ev.Vk == VK_F10 || ev.Vk == VK_MENU || ev.Vk == VK_LMENU || ev.Vk == VK_RMENU || noFocus;
  MSG m;
  m.hwnd = target;
  m.message = ev.Down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
  m.wParam = ev.Vk == VK_LMENU || ev.Vk == VK_RMENU ? VK_MENU
             : ev.Vk == VK_LSHIFT || ev.Vk == VK_RSHIFT ? VK_SHIFT
             : ev.Vk == VK_LCONTROL || ev.Vk == VK_RCONTROL ? VK_CONTROL
                                                            : ev.Vk;
  LPARAM l = 1 | (LPARAM(ev.Scan & 0xFF) << 16);
  if (ev.Extended)
    l |= KF_EXTENDED_BIT;
  if (alt)
    l |= KF_ALTDOWN_BIT;
  if (!ev.Down || ev.Repeat)
    l |= KF_REPEAT_BIT;
  if (!ev.Down)
    l |= KF_UP_BIT;
  m.lParam = LPARAM(DWORD(l));
  m.lPrivate = ev.Down ? ev.Char : 0;
  m.time = ev.Time;
  m.pt = ev.Pt;
  Deliver(target, m, ev.Keys);
}

// Whether a retrieval of messages Lo..Hi (0, 0: every message) can take what
// an event of this kind becomes. A mouse event becomes a client or a
// non-client mouse message, decided only when it is cooked.
bool RangeTakesInputOf(TRawInput::TKind Kind, UINT Lo, UINT Hi)
{
  if (Lo == 0 && Hi == 0)
    return true;
  auto overlaps = [&](UINT First, UINT Last) { return Lo <= Last && Hi >= First; };
  switch (Kind) {
    case TRawInput::Key:
      return overlaps(WM_KEYFIRST, WM_KEYLAST);
    case TRawInput::AppActivation:
      return true;
    default:
      return overlaps(WM_MOUSEFIRST, WM_MOUSELAST) || overlaps(WM_NCMOUSEMOVE, WM_NCMBUTTONDBLCLK);
  }
}

}  // namespace

namespace wincore {

bool ThreadTakesInput(TThread& t)
{
  for (TWnd* w : Core().Desktop->Children)
    if (w->Thread.get() == &t && (w->Style & WS_VISIBLE))
      return true;
  TWnd* c = ResolveLocal(Core().Capture);
  return c && c->Thread.get() == &t;
}

bool CookNextRawInput(UINT Lo, UINT Hi)
{
  TRawInput ev;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    if (Core().Raw.empty() || !ThreadTakesInput(CurrentThread()))
      return false;
    if (!RangeTakesInputOf(Core().Raw.front().Kind, Lo, Hi))
      return false;
    ev = Core().Raw.front();
    Core().Raw.pop_front();
  }
  switch (ev.Kind) {
    case TRawInput::Key:
      CookKey(ev);
      break;
    case TRawInput::AppActivation:
      if (ev.Down) {
        HWND target = nullptr;
        {
          std::lock_guard<std::recursive_mutex> cl(Core().Lock);
          for (TWnd* w : Core().Desktop->Children)
            if ((w->Style & WS_VISIBLE) && !(w->ExStyle & WS_EX_NOACTIVATE)) {
              target = w->Handle;
              break;
            }
        }
        // The window becomes active before WM_ACTIVATEAPP goes out, as in
        // ActivateWindow: whoever handles it finds the active window set.
        if (target)
          ActivateWindow(target, false);
        SendActivateApp(true);
      } else {
        ActivateWindow(nullptr, false);
        SendActivateApp(false);
      }
      break;
    default:
      CookMouse(ev);
      break;
  }
  return true;
}

}  // namespace wincore

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track)
{
  if (!track || track->cbSize < sizeof(TRACKMOUSEEVENT))
    return FALSE;
  TCore& core = Core();
  if (track->dwFlags & TME_QUERY) {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    track->dwFlags = core.Track.Flags;
    track->hwndTrack = core.Track.Hwnd;
    track->dwHoverTime = core.Track.HoverTime;
    return TRUE;
  }
  HWND hwnd = track->hwndTrack;
  if (track->dwFlags & TME_CANCEL) {
    {
      std::lock_guard<std::recursive_mutex> cl(core.Lock);
      if (core.Track.Hwnd == hwnd)
        core.Track.Flags &= ~(track->dwFlags & (TME_LEAVE | TME_HOVER));
      if (!(core.Track.Flags & (TME_LEAVE | TME_HOVER)))
        core.Track = {};
    }
    if (track->dwFlags & TME_HOVER)
      StopHoverTimer(hwnd);
    return TRUE;
  }
  bool inside;
  bool nonClient = track->dwFlags & TME_NONCLIENT;
  DWORD hover = track->dwHoverTime == HOVER_DEFAULT ? 400 : track->dwHoverTime;
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w)
      return FALSE;
    TPoint pt = core.CursorPos;
    bool inWindow = IsVisibleChain(w) && ContainsScreenPoint(w, pt);
    bool inClient = ScreenClientRect(w).Contains(pt);
    inside = inWindow && inClient != nonClient;
    if (inside) {
      core.Track.Hwnd = hwnd;
      core.Track.Flags = track->dwFlags & (TME_LEAVE | TME_HOVER | TME_NONCLIENT);
      core.Track.HoverTime = hover;
    }
  }
  if (!inside) {
    // Asked for a window the pointer is not over: it has left already.
    if (track->dwFlags & TME_LEAVE)
      PostLeave(hwnd, nonClient);
    return TRUE;
  }
  if (track->dwFlags & TME_HOVER)
    StartHoverTimer(hwnd, hover);
  return TRUE;
}

// The common-controls name of the same function: one address under both names.
BOOL _TrackMouseEvent(TRACKMOUSEEVENT* track) __attribute__((alias("TrackMouseEvent")));

void InputMouseMove(TPoint p)
{
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    if (Core().CursorClipped) {
      const TRect& r = Core().CursorClip;
      p.x = std::clamp(p.x, r.Left, std::max(r.Left, r.Right - 1));
      p.y = std::clamp(p.y, r.Top, std::max(r.Top, r.Bottom - 1));
    }
    Core().CursorPos = p;
  }
  TRawInput ev;
  ev.Kind = TRawInput::MouseMove;
  ev.Pt = p;
  PushRaw(ev);
}

void InputMouseButton(int button, bool down)
{
  if (button < 0 || button > 2)
    return;
  static const BYTE vks[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
  TRawInput ev;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    Core().AsyncKeys[vks[button]] = down ? 0x80 : 0;
    ev.Pt = Core().CursorPos;
  }
  ev.Kind = TRawInput::Button;
  ev.ButtonIndex = button;
  ev.Down = down;
  PushRaw(ev);
}

void InputMouseWheel(int delta)
{
  TRawInput ev;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    ev.Pt = Core().CursorPos;
  }
  ev.Kind = TRawInput::Wheel;
  ev.Delta = delta;
  PushRaw(ev);
}

void InputKey(BYTE vk, bool down, DWORD character, WORD scanCode, bool extended)
{
  TRawInput ev;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    BYTE* keys = Core().AsyncKeys;
    ev.Repeat = down && (keys[vk] & 0x80);
    auto set = [&](BYTE k) {
      if (down && !(keys[k] & 0x80))
        keys[k] ^= 1;  // the toggle flips on each press
      keys[k] = BYTE((keys[k] & 1) | (down ? 0x80 : 0));
    };
    set(vk);
    // The side-specific keys move their common key too.
    if (vk == VK_LSHIFT || vk == VK_RSHIFT)
      set(VK_SHIFT);
    if (vk == VK_LCONTROL || vk == VK_RCONTROL)
      set(VK_CONTROL);
    if (vk == VK_LMENU || vk == VK_RMENU)
      set(VK_MENU);
    ev.Pt = Core().CursorPos;
  }
  ev.Kind = TRawInput::Key;
  ev.Vk = vk;
  ev.Down = down;
  ev.Char = character;
  ev.Scan = scanCode;
  ev.Extended = extended;
  PushRaw(ev);
}

void InputAppActivation(bool active)
{
  TRawInput ev;
  ev.Kind = TRawInput::AppActivation;
  ev.Down = active;
  PushRaw(ev);
}

void InputWindowMoved(HWND hwnd, const TRect& r)
{
  std::shared_ptr<TThread> owner;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w || !IsTopLevel(w))
      return;
    owner = w->Thread;
  }
  QueueTask(*owner, [hwnd, r] {
    SetWindowPos(hwnd, nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  });
}

void InputCloseRequest(HWND hwnd)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  if (w && IsTopLevel(w))
    PostMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void InputWindowActivated(HWND hwnd)
{
  std::shared_ptr<TThread> owner;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w || !IsTopLevel(w))
      return;
    owner = w->Thread;
  }
  QueueTask(*owner, [hwnd] {
    HWND target = hwnd;
    {
      std::lock_guard<std::recursive_mutex> cl(Core().Lock);
      TWnd* w = ResolveLocal(hwnd);
      if (!w || !(w->Style & WS_VISIBLE))
        return;
      // A window disabled by a modal one passes the activation to it.
      if (w->Style & WS_DISABLED) {
        target = nullptr;
        for (TWnd* c : Core().Desktop->Children)
          if (c->Owner == w && (c->Style & WS_VISIBLE) && !(c->Style & WS_DISABLED) &&
              !(c->ExStyle & WS_EX_NOACTIVATE)) {
            target = c->Handle;
            break;
          }
        if (!target)
          return;
      }
    }
    ActivateWindow(target, false);
  });
}

void InputMouseOutside(TPoint p, int button, bool down)
{
  static const BYTE vks[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
  TRawInput ev;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    Core().CursorPos = p;
    if (button >= 0 && button <= 2)
      Core().AsyncKeys[vks[button]] = down ? 0x80 : 0;
  }
  ev.Kind = button >= 0 && button <= 2 ? TRawInput::Button : TRawInput::MouseMove;
  ev.ButtonIndex = button >= 0 && button <= 2 ? button : 0;
  ev.Down = down;
  ev.Pt = p;
  ev.Outside = true;
  PushRaw(ev);
}

void InputCaptureLost()
{
  HWND capture;
  std::shared_ptr<TThread> owner;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(Core().Capture);
    if (!w)
      return;
    capture = w->Handle;
    owner = w->Thread;
  }
  QueueTask(*owner, [capture] {
    if (GetCapture() != capture)
      return;
    ReleaseCapture();
    // A loop that holds the capture looks at it when its next message comes:
    // give it one.
    PostMessage(capture, WM_NULL, 0, 0);
  });
}

void InputDisplayChanged()
{
  TDisplayBackend* display = CurrentDisplayBackend();
  if (!display)
    return;
  auto monitors = display->Monitors();
  if (monitors.empty())
    return;
  TRect screen = monitors.front().Bounds;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    Core().Desktop->Rect = Core().Desktop->Client = screen;
  }
  PostMessage(HWND_BROADCAST, WM_DISPLAYCHANGE, 32, MAKELPARAM(WORD(screen.Width()), WORD(screen.Height())));
}
