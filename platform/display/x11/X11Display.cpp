#include "platform/display/x11/X11DisplayState.h"

#include <cstdlib>
#include <mutex>
#include <utility>

#include "platform/win/ole/DragDropBridge.h"
#include "platform/win/window/MessageQueue.h"

using namespace x11;

namespace {

// _NET_WM_MOVERESIZE directions, by the layer's WMSZ_* edge (0: a move).
const long MoveResizeDirection[9] = {8, 7, 3, 1, 0, 2, 5, 6, 4};

// The connection that found the display answering, kept until the display
// takes it as its own: a server whose last client leaves resets, and a
// connection asked for during the reset fails, which would leave x11 chosen
// with no connection (windows nobody sees) on a server without other clients.
std::mutex ProbeLock;
Display* Probe = nullptr;

void KeepProbe(Display* probe)
{
  std::lock_guard<std::mutex> lock(ProbeLock);
  if (Probe)
    XCloseDisplay(Probe);
  Probe = probe;
}

}  // namespace

// The display's connection is the probe's when one is kept (one connection
// set up instead of two).
Display* x11::TakeProbeConnection()
{
  std::lock_guard<std::mutex> lock(ProbeLock);
  return std::exchange(Probe, nullptr);
}

TX11Window* TX11Display::TState::Find(HWND hwnd)
{
  auto it = Windows.find(hwnd);
  return it == Windows.end() ? nullptr : it->second.get();
}

TX11Window* TX11Display::TState::FindX(Window w)
{
  for (auto& [h, win] : Windows)
    if (win->XWindow() == w)
      return win.get();
  return nullptr;
}

bool TX11Display::TState::PointInOurWindows(TPoint p)
{
  for (auto& [h, win] : Windows)
    if (win->Viewable() && win->ServerRect.Contains(p))
      return true;
  return false;
}

TX11Display::TX11Display() : FState(std::make_unique<TState>())
{
  TState& s = *FState;
  if (!s.Core.Dpy)
    return;
  s.Keyboard = std::make_unique<TX11Keyboard>(s.Core);
  s.Transfer = std::make_unique<TX11Transfer>(s.Core);
  s.Clipboard = std::make_unique<TX11Clipboard>(s.Core, *s.Transfer);
  s.DropTarget = std::make_unique<TX11DropTarget>(s.Core, *s.Transfer);
  s.DragSource = std::make_unique<TX11DragSource>(s.Core, *s.Transfer, [&s](Window w) { return s.FindX(w) != nullptr; });
  s.Tray = std::make_unique<TX11Tray>(s.Core);
  s.Cursors = std::make_unique<TX11Cursors>(s.Core);
  s.Compositor = s.Core.CompositorRuns();
  s.Reader = std::thread([&s] { s.ReaderLoop(); });
  s.Transfer->SetReaderThread(s.Reader.get_id());
  SetDragDropBridge(s.DragSource.get());
}

TX11Display::~TX11Display()
{
  TState& s = *FState;
  if (s.DragSource)
    SetDragDropBridge(nullptr);
  if (s.Reader.joinable()) {
    s.Stop = true;
    s.Core.WakeReader();
    s.Reader.join();
  }
  std::lock_guard<std::recursive_mutex> lock(s.Core.Lock);
  s.Windows.clear();
  s.Tray.reset();
  s.Cursors.reset();
  s.DragSource.reset();
  s.DropTarget.reset();
  s.Clipboard.reset();
  s.Transfer.reset();
  s.Keyboard.reset();
}

TX11Display* TX11Display::Current() { return dynamic_cast<TX11Display*>(CurrentDisplayBackend()); }

bool TX11Display::Connected() const { return FState->Core.Dpy != nullptr; }

unsigned long TX11Display::NativeWindow(HWND topLevel) const
{
  std::lock_guard<std::recursive_mutex> lock(FState->Core.Lock);
  TX11Window* w = FState->Find(topLevel);
  return w ? w->XWindow() : 0;
}

bool TX11Display::SharesMemory(HWND topLevel) const
{
  std::lock_guard<std::recursive_mutex> lock(FState->Core.Lock);
  TX11Window* w = FState->Find(topLevel);
  return w && w->UsesSharedMemory();
}

bool TX11Display::HoldsPixels(HWND topLevel) const
{
  if (!FState->Core.Dpy) {
    auto it = FState->Detached.find(topLevel);
    return it != FState->Detached.end() && !it->second.Pixels.empty();
  }
  std::lock_guard<std::recursive_mutex> lock(FState->Core.Lock);
  TX11Window* w = FState->Find(topLevel);
  return w && w->HasPixels();
}

void TX11Display::Sync()
{
  TState& s = *FState;
  if (!s.Core.Dpy)
    return;
  std::uint64_t seen;
  {
    TLocked lock(s.Core);
    XSync(s.Core.Dpy, False);
    std::lock_guard<std::mutex> sync(s.SyncLock);
    seen = s.Batches;
  }
  // Two batches: the one that may be running, then one that saw everything.
  std::unique_lock<std::mutex> sync(s.SyncLock);
  auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (s.Batches < seen + 2 && !s.Stop && std::chrono::steady_clock::now() < limit) {
    sync.unlock();
    s.Core.WakeReader();
    // The batch may be sending to this thread (a format the clipboard owner
    // renders for another program): answer it, or both wait out the limit.
    PeekMessage(nullptr, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    sync.lock();
    s.SyncDone.wait_for(sync, std::chrono::milliseconds(20), [&] { return s.Batches >= seen + 2 || s.Stop; });
  }
}

std::string TX11Display::Name() const { return "x11"; }

std::vector<TDisplayMonitor> TX11Display::Monitors()
{
  TDisplayMonitor m;
  if (!FState->Core.Dpy) {
    m.Bounds = m.WorkArea = TRect(0, 0, 1024, 768);
    return {m};
  }
  TLocked lock(FState->Core);
  m.Bounds = FState->Core.ScreenRect();
  m.WorkArea = FState->Core.WorkArea();
  return {m};
}

TSurface TX11Display::CreateFramebuffer(HWND window, const TRect& screenRect, bool withPixels)
{
  TState& s = *FState;
  if (!s.Core.Dpy) {
    TState::TDetached& detached = s.Detached[window];
    detached.Rect = screenRect;
    detached.Pixels.clear();
    if (!withPixels)
      return TSurface();
    detached.Pixels.assign(std::size_t(std::max(screenRect.Width(), 1)) * std::size_t(std::max(screenRect.Height(), 1)), 0);
    TSurface surface;
    surface.Bits = detached.Pixels.data();
    surface.Width = std::max(screenRect.Width(), 1);
    surface.Height = std::max(screenRect.Height(), 1);
    surface.StrideBytes = surface.Width * 4;
    return surface;
  }
  TLocked lock(s.Core);
  auto& slot = s.Windows[window];
  slot = std::make_unique<TX11Window>(s.Core, window, screenRect, withPixels);
  s.Keyboard->WindowCreated(slot->XWindow());
  s.DropTarget->MakeAware(slot->XWindow());
  if (s.CurrentCursor)
    XDefineCursor(s.Core.Dpy, slot->XWindow(), s.CurrentCursor);
  return slot->Surface();
}

TSurface TX11Display::ResizeFramebuffer(HWND window, const TRect& screenRect)
{
  TState& s = *FState;
  if (!s.Core.Dpy) {
    auto it = s.Detached.find(window);
    bool withPixels = it != s.Detached.end() && !it->second.Pixels.empty();
    return CreateFramebuffer(window, screenRect, withPixels);
  }
  TLocked lock(s.Core);
  TX11Window* w = s.Find(window);
  if (!w)
    return TSurface();
  w->Resize(screenRect);
  return w->Surface();
}

void TX11Display::DestroyFramebuffer(HWND window)
{
  TState& s = *FState;
  if (!s.Core.Dpy) {
    s.Detached.erase(window);
    return;
  }
  TLocked lock(s.Core);
  TX11Window* w = s.Find(window);
  if (!w)
    return;
  Window x = w->XWindow();
  if (s.Grab == x) {
    XUngrabPointer(s.Core.Dpy, CurrentTime);
    if (s.KeyboardGrab)
      XUngrabKeyboard(s.Core.Dpy, CurrentTime);
    s.Grab = 0;
    s.KeyboardGrab = false;
  }
  if (s.PendingFocus == x)
    s.PendingFocus = 0;
  if (s.PendingGrab == x)
    s.PendingGrab = 0;
  s.Keyboard->WindowDestroyed(x);
  s.Windows.erase(window);
}

bool TX11Display::ReleasePixels(HWND window)
{
  TState& s = *FState;
  if (!s.Core.Dpy) {
    auto it = s.Detached.find(window);
    if (it == s.Detached.end())
      return false;
    std::vector<uint32_t>().swap(it->second.Pixels);
    return true;
  }
  TLocked lock(s.Core);
  TX11Window* w = s.Find(window);
  if (!w)
    return false;
  w->ReleasePixels();
  return true;
}

TSurface TX11Display::RestorePixels(HWND window)
{
  TState& s = *FState;
  if (!s.Core.Dpy) {
    auto it = s.Detached.find(window);
    if (it == s.Detached.end())
      return TSurface();
    return CreateFramebuffer(window, it->second.Rect, true);
  }
  TLocked lock(s.Core);
  TX11Window* w = s.Find(window);
  if (!w)
    return TSurface();
  w->RestorePixels();
  return w->Surface();
}

void TX11Display::Present(HWND window, const TRegion& changed)
{
  TState& s = *FState;
  if (!s.Core.Dpy)
    return;
  TLocked lock(s.Core);
  TX11Window* w = s.Find(window);
  if (!w)
    return;
  // Many small pieces go as the one rectangle around them.
  if (changed.Rects().size() > 16) {
    w->Present(changed.Bounds());
    return;
  }
  for (const TRect& r : changed.Rects())
    w->Present(r);
}

void TX11Display::MoveWindow(HWND window, const TRect& screenRect)
{
  if (!FState->Core.Dpy)
    return;
  TLocked lock(FState->Core);
  if (TX11Window* w = FState->Find(window))
    w->Move(screenRect);
}

void TX11Display::ShowWindow(HWND window, bool visible)
{
  if (!FState->Core.Dpy)
    return;
  TLocked lock(FState->Core);
  if (TX11Window* w = FState->Find(window))
    w->Show(visible);
}

void TX11Display::RestackWindows(const std::vector<HWND>& topFirst)
{
  TState& s = *FState;
  if (!s.Core.Dpy)
    return;
  TLocked lock(s.Core);
  std::vector<Window> managed, popups;
  for (HWND h : topFirst)
    if (TX11Window* w = s.Find(h); w && w->Shown())
      (w->OverrideRedirect() ? popups : managed).push_back(w->XWindow());
  // Where a window manager runs, it stacks the windows it manages (owned
  // ones above their owner); without one, ours keep the layer's order.
  if (managed.size() > 1 && !s.Core.WindowManager()) {
    TErrorTrap trap(s.Core.Dpy);
    XRestackWindows(s.Core.Dpy, managed.data(), int(managed.size()));
  }
  // Popups stay above everything, in the layer's order among themselves.
  for (auto it = popups.rbegin(); it != popups.rend(); ++it)
    XRaiseWindow(s.Core.Dpy, *it);
}

void TX11Display::SetWindowShape(HWND window, const TRegion* shape)
{
  if (!FState->Core.Dpy)
    return;
  TLocked lock(FState->Core);
  if (TX11Window* w = FState->Find(window))
    w->SetShape(shape);
}

void TX11Display::SetWindowTitle(HWND window, const std::string& title)
{
  if (!FState->Core.Dpy)
    return;
  TLocked lock(FState->Core);
  if (TX11Window* w = FState->Find(window))
    w->SetTitle(title);
}

bool TX11Display::SetWindowAlpha(HWND window, BYTE alpha)
{
  TDisplayLayering layering;
  layering.Alpha = alpha;
  return SetWindowLayering(window, layering);
}

bool TX11Display::SetWindowLayering(HWND window, const TDisplayLayering& layering)
{
  TState& s = *FState;
  if (!s.Core.Dpy)
    return false;
  TLocked lock(s.Core);
  TX11Window* w = s.Find(window);
  if (!w)
    return false;
  Window before = w->XWindow();
  bool ok = w->SetLayering(layering);
  if (w->XWindow() != before) {
    s.Keyboard->WindowDestroyed(before);
    s.Keyboard->WindowCreated(w->XWindow());
    s.DropTarget->MakeAware(w->XWindow());
    if (s.CurrentCursor)
      XDefineCursor(s.Core.Dpy, w->XWindow(), s.CurrentCursor);
  }
  return ok;
}

bool TX11Display::SupportsLayeredWindows() const { return FState->Compositor; }

bool TX11Display::ReadScreen(const TRect& area, const TSurface& into)
{
  TState& s = *FState;
  if (!s.Core.Dpy || !into.Bits || into.Width != area.Width() || into.Height != area.Height())
    return false;
  TLocked lock(s.Core);
  TRect screen = s.Core.ScreenRect(), r;
  if (!IntersectRect(&r, &area, &screen))
    return true;  // off the screen: nothing shows there
  // The root with what lies on it: the windows, or what a compositor made of them.
  TErrorTrap trap(s.Core.Dpy);
  XImage* image = XGetImage(s.Core.Dpy, s.Core.Root, r.Left, r.Top, unsigned(r.Width()), unsigned(r.Height()),
                            AllPlanes, ZPixmap);
  if (trap.Failed() || !image) {
    if (image)
      XDestroyImage(image);
    return false;
  }
  const Visual* visual = DefaultVisual(s.Core.Dpy, s.Core.Screen);
  for (int y = 0; y < r.Height(); ++y) {
    uint32_t* row = into.Row(r.Top - area.Top + y) + (r.Left - area.Left);
    for (int x = 0; x < r.Width(); ++x)
      row[x] = RgbOfPixel(visual, XGetPixel(image, x, y));
  }
  XDestroyImage(image);
  return true;
}

bool TX11Display::DrawOnScreen(const TRect& area, const TSurface& pixels)
{
  TState& s = *FState;
  if (!s.Core.Dpy || !pixels.Bits || pixels.Width != area.Width() || pixels.Height != area.Height())
    return false;
  TLocked lock(s.Core);
  TRect screen = s.Core.ScreenRect(), r;
  if (!IntersectRect(&r, &area, &screen))
    return true;
  Display* dpy = s.Core.Dpy;
  Visual* visual = DefaultVisual(dpy, s.Core.Screen);
  int depth = DefaultDepth(dpy, s.Core.Screen);
  XImage* image =
      XCreateImage(dpy, visual, unsigned(depth), ZPixmap, 0, nullptr, unsigned(r.Width()), unsigned(r.Height()), 32, 0);
  if (!image)
    return false;
  image->data = static_cast<char*>(std::malloc(std::size_t(image->bytes_per_line) * std::size_t(r.Height())));
  if (!image->data) {
    XDestroyImage(image);
    return false;
  }
  for (int y = 0; y < r.Height(); ++y) {
    const uint32_t* row = pixels.Row(r.Top - area.Top + y) + (r.Left - area.Left);
    for (int x = 0; x < r.Width(); ++x)
      XPutPixel(image, x, y, PixelFor(visual, depth, row[x] & 0xFFFFFF, 255));
  }
  // Drawn on the root through every window on it, as on a screen: a window
  // that presents there again covers it.
  XGCValues values;
  values.subwindow_mode = IncludeInferiors;
  GC gc = XCreateGC(dpy, s.Core.Root, GCSubwindowMode, &values);
  XPutImage(dpy, s.Core.Root, gc, image, 0, 0, r.Left, r.Top, unsigned(r.Width()), unsigned(r.Height()));
  XFreeGC(dpy, gc);
  XDestroyImage(image);
  return true;
}

void TX11Display::ShowCursor(HCURSOR cursor)
{
  TState& s = *FState;
  if (!s.Core.Dpy)
    return;
  TLocked lock(s.Core);
  s.CurrentCursor = s.Cursors->Get(cursor);
  for (auto& [h, w] : s.Windows)
    XDefineCursor(s.Core.Dpy, w->XWindow(), s.CurrentCursor);
}

void TX11Display::WarpPointer(TPoint p)
{
  if (!FState->Core.Dpy)
    return;
  TLocked lock(FState->Core);
  XWarpPointer(FState->Core.Dpy, 0, FState->Core.Root, 0, 0, 0, 0, p.x, p.y);
}

void TX11Display::CaptureChanged(HWND window)
{
  TState& s = *FState;
  if (!s.Core.Dpy)
    return;
  // The window system is asked before our lock is taken (its lock comes first).
  HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
  TLocked lock(s.Core);
  Display* dpy = s.Core.Dpy;
  TX11Window* w = root ? s.Find(root) : nullptr;
  if (w && w->XWindow() == s.Grab)
    return;
  // A window with no X window of its own (the drag loop's message-only one)
  // keeps the grab where it is, so the pointer's moves over other programs
  // keep coming; the button's own grab does the same when none was taken.
  if (window && !w)
    return;
  s.PendingGrab = 0;
  if (s.Grab) {
    XUngrabPointer(dpy, CurrentTime);
    if (s.KeyboardGrab)
      XUngrabKeyboard(dpy, CurrentTime);
    s.Grab = 0;
    s.KeyboardGrab = false;
  }
  if (!w)
    return;
  // Without the grab a press on another program's window would never reach
  // us, and a menu would wait for it for ever.
  if (!w->Viewable())
    s.PendingGrab = w->XWindow();
  else
    s.GrabPointerFor(w);
}

void TX11Display::TState::GrabPointerFor(TX11Window* w)
{
  Display* dpy = Core.Dpy;
  // Menus and other popups take the keys too, wherever the focus is. The
  // keyboard goes first: the server ignores a release of the frozen pointer
  // (XAllowEvents) whose time is earlier than our latest grab of any device,
  // so a keyboard grab taken once the pointer thawed could postdate a press
  // already held for us, and that press would never be replayed.
  bool keyboard = w->OverrideRedirect() &&
                  XGrabKeyboard(dpy, w->XWindow(), True, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess;
  // Sync mode: each press freezes the pointer until we know whether it
  // belongs to us or is to be replayed to the window under it.
  unsigned mask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask | LeaveWindowMask;
  int g = XGrabPointer(dpy, w->XWindow(), True, mask, GrabModeSync, GrabModeAsync, 0, 0, CurrentTime);
  if (g != GrabSuccess) {
    if (keyboard)
      XUngrabKeyboard(dpy, CurrentTime);
    // Another program holds a grab for a moment (or the window is not shown
    // yet): the reader tries again until the capture moves.
    PendingGrab = w->XWindow();
    return;
  }
  PendingGrab = 0;
  Grab = w->XWindow();
  KeyboardGrab = keyboard;
  XAllowEvents(dpy, SyncPointer, CurrentTime);
}

bool TX11Display::Idle() { return false; }

void TX11Display::ClipboardOwned(bool owned)
{
  if (FState->Core.Dpy)
    FState->Clipboard->Own(owned);
}

std::vector<std::string> TX11Display::ForeignClipboardFormats()
{
  return FState->Core.Dpy ? FState->Clipboard->ForeignFormats() : std::vector<std::string>();
}

bool TX11Display::FetchForeignClipboard(const std::string& format, std::vector<BYTE>& data)
{
  return FState->Core.Dpy && FState->Clipboard->Fetch(format, data);
}

void TX11Display::UpdateWindowState(HWND window, const TDisplayWindowState& state)
{
  if (!FState->Core.Dpy)
    return;
  TLocked lock(FState->Core);
  TX11Window* w = FState->Find(window);
  if (!w)
    return;
  TX11Window* owner = state.Owner ? FState->Find(state.Owner) : nullptr;
  w->SetState(state, owner ? owner->XWindow() : 0);
}

void TX11Display::WindowActivated(HWND window)
{
  TState& s = *FState;
  if (!s.Core.Dpy)
    return;
  TLocked lock(s.Core);
  TX11Window* w = s.Find(window);
  if (!w || w->OverrideRedirect() || s.Focus == w->XWindow())
    return;
  Display* dpy = s.Core.Dpy;
  if (s.Core.WmSupports(s.Core.A.NetActiveWindow)) {
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = w->XWindow();
    ev.xclient.message_type = s.Core.A.NetActiveWindow;
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = 1;  // asked by an application
    // The time of the request itself: a window manager that guards the
    // focus refuses requests older than the user's last action (or with no
    // time), and the layer activates windows on its own too (a new message).
    ev.xclient.data.l[1] = long(s.Core.ServerTime());
    ev.xclient.data.l[2] = long(s.Focus);
    XSendEvent(dpy, s.Core.Root, False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
    return;
  }
  if (s.Core.WindowManager())
    return;  // the window manager decides
  XRaiseWindow(dpy, w->XWindow());
  if (!w->Viewable()) {
    s.PendingFocus = w->XWindow();
    return;
  }
  TErrorTrap trap(dpy);
  XSetInputFocus(dpy, w->XWindow(), RevertToParent, CurrentTime);
}

bool TX11Display::BeginMoveSize(HWND window, int edge, TPoint screenPoint)
{
  TState& s = *FState;
  if (!s.Core.Dpy || edge > 8)
    return false;
  TLocked lock(s.Core);
  TX11Window* w = s.Find(window);
  if (!w || w->OverrideRedirect() || !s.Core.WmSupports(s.Core.A.NetWmMoveResize))
    return false;
  // The press's grab is ours until we let it go; the window manager takes it from there.
  XUngrabPointer(s.Core.Dpy, CurrentTime);
  s.Grab = 0;
  XEvent ev{};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = w->XWindow();
  ev.xclient.message_type = s.Core.A.NetWmMoveResize;
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = screenPoint.x;
  ev.xclient.data.l[1] = screenPoint.y;
  ev.xclient.data.l[2] = MoveResizeDirection[edge < 0 ? 0 : edge];
  ev.xclient.data.l[3] = Button1;
  ev.xclient.data.l[4] = 1;  // asked by an application
  XSendEvent(s.Core.Dpy, s.Core.Root, False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
  return true;
}

bool TX11Display::ShowNotifyIcon(HWND window, UINT id, HICON icon, const std::string& tip)
{
  if (!FState->Core.Dpy)
    return false;
  TLocked lock(FState->Core);
  return FState->Tray->Show(window, id, icon, tip);
}

void TX11Display::RemoveNotifyIcon(HWND window, UINT id)
{
  if (!FState->Core.Dpy)
    return;
  TLocked lock(FState->Core);
  FState->Tray->Remove(window, id);
}

bool TX11Display::NotifyIconRect(HWND window, UINT id, TRect& rect)
{
  if (!FState->Core.Dpy)
    return false;
  TLocked lock(FState->Core);
  return FState->Tray->IconRect(window, id, rect);
}

bool RegisterX11Display()
{
  const char* name = std::getenv("DISPLAY");
  if (!name || !*name)
    return false;
  XInitThreads();
  // Only a display that answers is offered; otherwise the default falls to headless.
  Display* probe = XOpenDisplay(nullptr);
  if (!probe)
    return false;
  KeepProbe(probe);
  RegisterDisplayBackend("x11", [] {
    std::unique_ptr<TDisplayBackend> display(new TX11Display);
    KeepProbe(nullptr);
    return display;
  });
  return true;
}
