// The connection to the X server shared by the parts of the x11 display: the
// lock that guards every use of it, the atoms, error trapping, and what the
// desktop around us offers (a window manager, a compositor). Private to this
// folder: the X headers never leave it.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <string>
#include <vector>

// The platform's headers come first: the X headers define macros (None,
// Bool, Status, True, False, ...) that would rewrite their names. The base
// layer's dates stay out: their Time() is not X's Time.
#include "platform/base/Utf.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/shell/ShellNotify.h"
#include "platform/win/window/window.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace x11 {

// The index the window system counts a mouse button by (left 0, right 1,
// middle 2) of an X button number; -1 for the others (wheel, side buttons).
inline int ButtonIndex(unsigned Button)
{
  return Button == Button1 ? 0 : Button == Button3 ? 1 : Button == Button2 ? 2 : -1;
}

// Work the reader does once it has let go of the lock (calls into the layer).
using TActions = std::vector<std::function<void()>>;

struct TAtoms {
  Atom WmProtocols, WmDeleteWindow, WmState, WmChangeState, WmTransientFor, WmClientLeader, NetWmPing, NetWmPid,
      NetWmName, NetWmIconName, NetWmIcon, NetWmWindowType, NetWmWindowTypeNormal, NetWmWindowTypeDialog,
      NetWmWindowTypeUtility, NetWmWindowTypePopupMenu, NetWmWindowTypeDropdownMenu, NetWmWindowTypeTooltip,
      NetWmWindowTypeNotification, NetWmState, NetWmStateAbove, NetWmStateSkipTaskbar, NetWmStateSkipPager,
      NetWmStateHidden, NetWmMoveResize, NetActiveWindow, NetSupported, NetSupportingWmCheck, NetWorkArea,
      NetCurrentDesktop, MotifWmHints, Utf8String, Clipboard, Targets, Multiple, Timestamp, Text, TextPlainUtf8,
      TextPlain, Incr, SelectionProperty, CompositorSelection, TraySelection, TrayOpcode, TrayVisual, Manager,
      XembedInfo, Xembed, XdndAware, XdndProxy, XdndEnter, XdndPosition, XdndStatus, XdndLeave, XdndDrop, XdndFinished,
      XdndSelection, XdndTypeList, XdndActionCopy, XdndActionMove, XdndActionLink, XdndActionAsk, XdndActionPrivate;
};

// Xlib's default error handler ends the process; ours records the last
// error so that a caller can check a request that may fail.
class TErrorTrap {
public:
  explicit TErrorTrap(Display* dpy);
  ~TErrorTrap();
  // Waits for the server to answer everything sent, then tells whether one
  // of the requests made since the trap was set failed.
  bool Failed();

private:
  Display* FDpy;
  unsigned long FFirstSerial;
};

class TCore {
public:
  // Opens the display named by DISPLAY; Dpy stays null when that fails.
  TCore();
  ~TCore();

  Display* Dpy = nullptr;
  int Screen = 0;
  Window Root = 0;
  Visual* RgbVisual = nullptr;  // 24-bit TrueColor, or the default visual
  int RgbDepth = 0;
  Colormap RgbColormap = 0;
  Visual* ArgbVisual = nullptr;  // 32-bit TrueColor with alpha, when offered
  Colormap ArgbColormap = 0;
  bool DirectRgb = false;  // 0x00RRGGBB pixels go to the server as they are
  bool ShmUsable = false;  // framebuffers may live in memory shared with the server
  TAtoms A{};
  // A hidden window of ours: client leader, selection owner, property target.
  Window Leader = 0;
  // The last server time an event told us (for selections and activation).
  Time LastTime = CurrentTime;
  int XFixesEvent = -1;  // first event number of the XFixes extension, or -1

  // Guards Dpy and every structure of the display; taken by the window
  // system's calls and by the reader thread around its Xlib work.
  std::recursive_mutex Lock;
  // Wakes the reader: events that a reply read into Xlib's queue wait there.
  int WakeFd = -1;
  void WakeReader();

  Atom Intern(const char* name);
  std::string AtomName(Atom atom);
  // A property as 32-bit items (longs in Xlib's format), or bytes.
  bool GetLongs(Window w, Atom property, Atom type, std::vector<long>& out);
  bool GetBytes(Window w, Atom property, std::vector<unsigned char>& out, Atom* typeOut = nullptr);
  void SetLongs(Window w, Atom property, Atom type, const std::vector<long>& values);
  void SetUtf8(Window w, Atom property, const std::string& text);

  // The window manager's check window when one runs (EWMH), else None; and
  // whether it supports a hint.
  Window WindowManager();
  bool WmKnown = false;  // cleared when the root's hints change
  Window WmCache = 0;
  bool WmSupports(Atom hint);
  bool CompositorRuns();
  TRect ScreenRect();
  // The desktop's work area, asked of the server once and again only after
  // the root tells of a change (the reader clears WorkAreaKnown): the
  // window system asks for it with every system metric.
  TRect WorkArea();
  bool WorkAreaKnown = false;
  TRect WorkAreaCache;
  // Whether the server's shape extension takes input shapes (1.1 or later),
  // asked once: a window asks at every creation and change of state.
  bool InputShapes();
  // The screen position of a window's top-left corner.
  TPoint RootPosition(Window w);
  // The server's time now, asked with a property change on the leader (an
  // empty append): for requests that must not be older than the user's last
  // action elsewhere, such as activation. Under the lock.
  Time ServerTime();

private:
  TRect AskWorkArea();
  int FInputShapes = -1;  // unknown until first asked
};

// The connection that found the server answering, handed over once (null
// when none is kept): the core takes it rather than opening another.
Display* TakeProbeConnection();

// Holds the core's lock; on leaving, sends what was asked and wakes the
// reader when replies brought events into Xlib's queue.
class TLocked {
public:
  explicit TLocked(TCore& core);
  ~TLocked();
  TLocked(const TLocked&) = delete;
  TLocked& operator=(const TLocked&) = delete;

private:
  TCore& FCore;
};

// 0x00RRGGBB pixels (optionally with a constant alpha, premultiplied) in the
// pixel format of a visual.
unsigned long PixelFor(const Visual* visual, int depth, uint32_t rgb, int alpha);
// A pixel whose colours are already premultiplied by its alpha (0xAARRGGBB).
unsigned long PremultipliedPixelFor(const Visual* visual, int depth, uint32_t argb);
// A TrueColor visual's pixel as 0x00RRGGBB.
uint32_t RgbOfPixel(const Visual* visual, unsigned long pixel);

}  // namespace x11
