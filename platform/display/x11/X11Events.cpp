// The reader thread: waits on the X connection, turns events into the
// window system's input (after letting go of the display's lock), repaints
// exposed areas from the framebuffers, and answers the window manager, the
// clipboard's requestors and the tray.
#include "platform/display/x11/X11DisplayState.h"

#include <X11/extensions/Xfixes.h>
#include <poll.h>
#include <unistd.h>

using namespace x11;

namespace {

const unsigned ButtonMasks[3] = {Button1Mask, Button3Mask, Button2Mask};

Time EventTime(const XEvent& ev)
{
  switch (ev.type) {
    case KeyPress:
    case KeyRelease: return ev.xkey.time;
    case ButtonPress:
    case ButtonRelease: return ev.xbutton.time;
    case MotionNotify: return ev.xmotion.time;
    case EnterNotify:
    case LeaveNotify: return ev.xcrossing.time;
    case PropertyNotify: return ev.xproperty.time;
    default: return CurrentTime;
  }
}

}  // namespace

void TX11Display::TState::ReaderLoop()
{
  Display* dpy = Core.Dpy;
  pollfd fds[2] = {{ConnectionNumber(dpy), POLLIN, 0}, {Core.WakeFd, POLLIN, 0}};
  bool first = true;
  bool grabPending = false;
  while (!Stop) {
    if (!first)
      poll(fds, 2, grabPending ? 20 : 500);
    if (fds[1].revents & POLLIN) {
      uint64_t count;
      ssize_t n = read(Core.WakeFd, &count, sizeof count);
      (void)n;
    }
    TActions actions;
    {
      TLocked lock(Core);
      if (first) {
        // The clipboard starts out as the desktop's when another program owns
        // it: ask that owner for it. Not when the layer took it meanwhile.
        Window owner = XGetSelectionOwner(dpy, Core.A.Clipboard);
        if (owner && owner != Core.Leader)
          actions.push_back([] { InputClipboardTaken(); });
        first = false;
      }
      while (XPending(dpy)) {
        XEvent ev;
        XNextEvent(dpy, &ev);
        if (Keyboard->Filter(ev))
          continue;
        Handle(ev, actions);
      }
      EndBatch(actions);
      Transfer->DropStaleTransfers();
      if (TX11Window* w = PendingGrab ? FindX(PendingGrab) : nullptr; w && w->Viewable())
        GrabPointerFor(w);
      grabPending = PendingGrab != 0;
    }
    for (auto& action : actions)
      action();
    {
      std::lock_guard<std::mutex> sync(SyncLock);
      ++Batches;
    }
    SyncDone.notify_all();
  }
}

void TX11Display::TState::FlushMotion(TActions& actions)
{
  if (!MotionPending)
    return;
  MotionPending = false;
  TPoint at = Motion;
  bool outside = !PointInOurWindows(at);
  if (at == LastPoint && outside == LastOutside)
    return;
  LastPoint = at;
  LastOutside = outside;
  if (outside)
    actions.push_back([at] { InputMouseOutside(at); });
  else
    actions.push_back([at] { InputMouseMove(at); });
}

// Buttons the window system holds down that the server says are up (a
// window manager took the release, say) are let go.
void TX11Display::TState::SyncButtons(unsigned state, TPoint at, TActions& actions)
{
  for (int i = 0; i < 3; ++i)
    if ((ButtonsDown & (1u << i)) && !(state & ButtonMasks[i])) {
      ButtonsDown &= ~(1u << i);
      actions.push_back([i, at] { InputMouseOutside(at, i, false); });
    }
}

void TX11Display::TState::HandlePointer(XEvent& ev, TX11Window* w, TActions& actions)
{
  Display* dpy = Core.Dpy;
  switch (ev.type) {
    case MotionNotify:
      SyncButtons(ev.xmotion.state, TPoint(ev.xmotion.x_root, ev.xmotion.y_root), actions);
      MotionPending = true;
      Motion = TPoint(ev.xmotion.x_root, ev.xmotion.y_root);
      LeavePending = false;
      return;
    case EnterNotify:
      if (ev.xcrossing.mode != NotifyNormal)
        return;
      SyncButtons(ev.xcrossing.state, TPoint(ev.xcrossing.x_root, ev.xcrossing.y_root), actions);
      LeavePending = false;
      MotionPending = true;
      Motion = TPoint(ev.xcrossing.x_root, ev.xcrossing.y_root);
      return;
    case LeaveNotify:
      if (ev.xcrossing.mode != NotifyNormal || ev.xcrossing.detail == NotifyInferior)
        return;
      FlushMotion(actions);
      LeavePending = true;
      LeavePoint = TPoint(ev.xcrossing.x_root, ev.xcrossing.y_root);
      return;
    default:
      break;
  }
  // A button.
  FlushMotion(actions);
  bool down = ev.type == ButtonPress;
  TPoint at(ev.xbutton.x_root, ev.xbutton.y_root);
  bool outside = !PointInOurWindows(at);
  if (Grab) {
    if (down && outside) {
      // A press outside every window of ours while the capture is held (a
      // menu runs, say): it goes on to the window under the pointer, and
      // the capture's loop ends.
      XAllowEvents(dpy, ReplayPointer, ev.xbutton.time);
      if (KeyboardGrab)
        XUngrabKeyboard(dpy, ev.xbutton.time);
      Grab = 0;
      KeyboardGrab = false;
      LastPoint = at;
      LastOutside = true;
      actions.push_back([at] {
        InputMouseOutside(at);
        InputCaptureLost();
      });
      return;
    }
    XAllowEvents(dpy, SyncPointer, ev.xbutton.time);
  }
  (void)w;
  if (at != LastPoint || outside != LastOutside) {
    LastPoint = at;
    LastOutside = outside;
    if (outside)
      actions.push_back([at] { InputMouseOutside(at); });
    else
      actions.push_back([at] { InputMouseMove(at); });
  }
  if (ev.xbutton.button == Button4 || ev.xbutton.button == Button5) {
    if (down) {
      int delta = ev.xbutton.button == Button4 ? 120 : -120;
      actions.push_back([delta] { InputMouseWheel(delta); });
    }
    return;
  }
  int button = ButtonIndex(ev.xbutton.button);
  if (button < 0)
    return;
  if (down)
    ButtonsDown |= 1u << button;
  else
    ButtonsDown &= ~(1u << button);
  if (outside)
    actions.push_back([at, button, down] { InputMouseOutside(at, button, down); });
  else
    actions.push_back([button, down] { InputMouseButton(button, down); });
}

void TX11Display::TState::Handle(XEvent& ev, TActions& actions)
{
  Display* dpy = Core.Dpy;
  if (Time t = EventTime(ev))
    Core.LastTime = t;
  if (Core.XFixesEvent >= 0 && ev.type == Core.XFixesEvent + XFixesSelectionNotify) {
    auto& fixes = reinterpret_cast<XFixesSelectionNotifyEvent&>(ev);
    if (fixes.selection == Core.A.Clipboard)
      Clipboard->OnOwnerChanged(actions);
    else if (fixes.selection == Core.A.CompositorSelection)
      Compositor = Core.CompositorRuns();
    else if (fixes.selection == Core.A.TraySelection)
      Tray->TrayChanged();
    return;
  }
  if (ev.type == MappingNotify) {
    XRefreshKeyboardMapping(&ev.xmapping);
    return;
  }
  if (Tray->OnEvent(ev, actions))
    return;
  switch (ev.type) {
    case SelectionRequest:
      if (ev.xselectionrequest.selection == Core.A.XdndSelection)
        DragSource->OnSelectionRequest(ev.xselectionrequest);
      else
        Clipboard->OnSelectionRequest(ev.xselectionrequest, actions);
      return;
    case SelectionClear:
      Clipboard->OnSelectionClear(ev.xselectionclear, actions);
      return;
    case SelectionNotify:
      Transfer->OnSelectionNotify(ev.xselection);
      return;
    case ClientMessage:
      // Drag and drop: answers to our drags come to the leader, drags of
      // other programs to our windows.
      if (DragSource->OnClientMessage(ev.xclient) || DropTarget->OnClientMessage(ev.xclient, actions))
        return;
      break;
    default:
      break;
  }
  if (ev.xany.window == Core.Root) {
    if (ev.type == PropertyNotify &&
        (ev.xproperty.atom == Core.A.NetSupportingWmCheck || ev.xproperty.atom == Core.A.NetSupported))
      Core.WmKnown = false;
    if ((ev.type == PropertyNotify && (ev.xproperty.atom == Core.A.NetWorkArea ||
                                       ev.xproperty.atom == Core.A.NetCurrentDesktop)) ||
        ev.type == ConfigureNotify) {
      Core.WorkAreaKnown = false;
      actions.push_back([] { InputDisplayChanged(); });
    }
    else if (ev.type == ClientMessage && ev.xclient.message_type == Core.A.Manager &&
             Atom(ev.xclient.data.l[1]) == Core.A.TraySelection)
      Tray->TrayChanged();
    return;
  }
  TX11Window* w = FindX(ev.xany.window);
  if (!w) {
    if (ev.type == PropertyNotify)
      Transfer->OnPropertyNotify(ev.xproperty);  // the requestor of a large transfer, or our leader
    return;
  }
  HWND hwnd = w->Hwnd();
  switch (ev.type) {
    case Expose:
      w->Present(TRect(ev.xexpose.x, ev.xexpose.y, ev.xexpose.x + ev.xexpose.width, ev.xexpose.y + ev.xexpose.height));
      break;
    case MapNotify:
      w->Mapped(true);
      if (PendingGrab == w->XWindow()) {
        PendingGrab = 0;
        GrabPointerFor(w);
      }
      if (PendingFocus == w->XWindow()) {
        PendingFocus = 0;
        TErrorTrap trap(dpy);
        XSetInputFocus(dpy, w->XWindow(), RevertToParent, CurrentTime);
      }
      break;
    case UnmapNotify:
      w->Mapped(false);
      break;
    case ConfigureNotify: {
      XConfigureEvent& c = ev.xconfigure;
      TPoint at(c.x, c.y);
      bool managed = !w->OverrideRedirect() && Core.WindowManager();
      if (!c.send_event && managed)
        at = Core.RootPosition(w->XWindow());  // inside a window manager's frame
      TRect now(at.x, at.y, at.x + c.width, at.y + c.height);
      TRect asked = w->Rect();
      w->ServerRect = now;
      // Only a window manager moves our windows; what it settles on, the layer follows.
      if (!w->AckConfigure(now) && managed && now != asked && w->Shown())
        actions.push_back([hwnd, now] { InputWindowMoved(hwnd, now); });
      break;
    }
    case PropertyNotify:
      if (ev.xproperty.atom == Core.A.WmState && !w->OverrideRedirect()) {
        std::vector<long> state;
        bool iconic = Core.GetLongs(w->XWindow(), Core.A.WmState, Core.A.WmState, state) && !state.empty() &&
                      state[0] == IconicState;
        bool minimized = w->State().Style & WS_MINIMIZE;
        if (iconic != w->WmIconic) {
          w->WmIconic = iconic;
          // The user minimised or restored it from the desktop (the task bar, say).
          if (iconic && !minimized)
            actions.push_back([hwnd] { PostMessage(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0); });
          else if (!iconic && minimized)
            actions.push_back([hwnd] { PostMessage(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0); });
        }
      }
      break;
    case ClientMessage:
      if (ev.xclient.message_type == Core.A.WmProtocols) {
        Atom protocol = Atom(ev.xclient.data.l[0]);
        if (protocol == Core.A.WmDeleteWindow) {
          actions.push_back([hwnd] { InputCloseRequest(hwnd); });
        } else if (protocol == Core.A.NetWmPing) {
          XEvent pong = ev;
          pong.xclient.window = Core.Root;
          XSendEvent(dpy, Core.Root, False, SubstructureNotifyMask | SubstructureRedirectMask, &pong);
        }
      }
      break;
    case FocusIn:
    case FocusOut: {
      int detail = ev.xfocus.detail;
      int mode = ev.xfocus.mode;
      if (detail == NotifyInferior || detail == NotifyPointer || detail == NotifyPointerRoot ||
          detail == NotifyDetailNone || (mode != NotifyNormal && mode != NotifyWhileGrabbed))
        break;
      Keyboard->Focus(w->XWindow(), ev.type == FocusIn);
      if (ev.type == FocusIn)
        Focus = w->XWindow();
      else if (Focus == w->XWindow())
        Focus = 0;
      break;
    }
    case KeyPress:
    case KeyRelease:
      FlushMotion(actions);
      for (const TKeyInput& k : Keyboard->Translate(ev.xkey)) {
        if (k.Down)
          KeysDown.insert(k.Vk);
        else
          KeysDown.erase(k.Vk);
        actions.push_back([k] { InputKey(k.Vk, k.Down, k.Char, k.Scan, k.Extended); });
      }
      break;
    case MotionNotify:
    case EnterNotify:
    case LeaveNotify:
    case ButtonPress:
    case ButtonRelease:
      HandlePointer(ev, w, actions);
      break;
    default:
      break;
  }
}

void TX11Display::TState::EndBatch(TActions& actions)
{
  FlushMotion(actions);
  if (LeavePending && !Grab) {
    LeavePending = false;
    // The pointer went to another program's window or the bare desktop.
    TPoint at = LeavePoint;
    LastPoint = at;
    LastOutside = true;
    actions.push_back([at] { InputMouseOutside(at); });
  }
  if (Focus == ReportedFocus)
    return;
  if (Focus) {
    ReportedFocus = Focus;
    if (TX11Window* w = FindX(Focus)) {
      HWND hwnd = w->Hwnd();
      actions.push_back([hwnd] { InputWindowActivated(hwnd); });
    }
    return;
  }
  // The focus left us: only another program taking it deactivates the
  // application (a focus fallen back to the root is nobody's).
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(Core.Dpy, &focus, &revert);
  ReportedFocus = 0;
  if (focus == 0 || focus == PointerRoot || focus == Core.Root || FindX(focus))
    return;
  std::set<BYTE> held;
  held.swap(KeysDown);
  actions.push_back([held] {
    for (BYTE vk : held)
      InputKey(vk, false);
    InputAppActivation(false);
  });
}
