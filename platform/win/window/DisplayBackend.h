// The display back end: what the window system asks of the thing that shows
// windows (memory for tests, an X server for the product). Back ends live in
// platform/display/<name>/ and register a factory; the window system never
// links them, so platform_win depends on no display library.
//
// Choosing one happens in one place, SelectDisplayBackend, which the
// program's start-up unit (platform/startup) and the tests call. Without a call, the first
// window system call that needs a display makes the default choice.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/base/Geometry.h"
#include "platform/win/gdi/Region.h"
#include "platform/win/gdi/SurfaceDC.h"

struct TDisplayMonitor {
  TRect Bounds;    // screen coordinates
  TRect WorkArea;  // the part not taken by panels
};

// What a real display needs to know of a top-level window to present it the
// way its styles ask: a managed window or a popup, above its owner, in the
// task bar or not, minimised, and its icons (the window's, else its class's).
struct TDisplayWindowState {
  DWORD Style = 0;
  DWORD ExStyle = 0;
  HWND Owner = nullptr;
  std::string ClassName;
  HICON Icon = nullptr;
  HICON SmallIcon = nullptr;
};

// How a layered top-level window mixes with what lies under it.
struct TDisplayLayering {
  BYTE Alpha = 255;            // constant alpha of the whole window
  bool UseColorKey = false;    // pixels of ColorKey (0x00RRGGBB) are holes
  uint32_t ColorKey = 0;
  bool PerPixelAlpha = false;  // each framebuffer pixel's top byte is its alpha, colours premultiplied
};

// The window system may call these methods while holding its own lock: they
// must not call back into the window system. Input goes the other way through
// the thread-safe entry points of Input.h (and InputClipboardTaken), from any
// thread; waiting message loops wake when it arrives.
class TDisplayBackend {
public:
  virtual ~TDisplayBackend() = default;
  virtual std::string Name() const = 0;

  // The monitors; the first is the primary one and holds (0,0).
  virtual std::vector<TDisplayMonitor> Monitors() = 0;

  // Each top-level window has one framebuffer the size of its window
  // rectangle (32-bit pixels, rows top-down). The window system draws into
  // it and calls Present with what changed. Resizing keeps the pixels that
  // still fit, anchored at the top-left corner: the window system repaints
  // only the frame and what the resize uncovered (unless the window's class
  // asks for a full redraw).
  //
  // A window that is hidden or minimised shows nothing, and its pixels are
  // the largest thing it owns: the window system made it withPixels false,
  // or lets go of them (ReleasePixels; false when the back end keeps them),
  // and asks for them again before it shows (RestorePixels: cleared, the
  // window's size; the window system then repaints all of it). Everything
  // else the display knows of the window stays meanwhile. Without pixels,
  // the surfaces answered are empty (no bits), a resize only changes the
  // size they come back with, and there is nothing to present.
  virtual TSurface CreateFramebuffer(HWND window, const TRect& screenRect, bool withPixels) = 0;
  virtual TSurface ResizeFramebuffer(HWND window, const TRect& screenRect) = 0;
  virtual void DestroyFramebuffer(HWND window) = 0;
  virtual bool ReleasePixels(HWND window) = 0;
  virtual TSurface RestorePixels(HWND window) = 0;
  // Changed pixels, in framebuffer coordinates.
  virtual void Present(HWND window, const TRegion& changed) = 0;
  // Position, visibility, stacking and shape of a top-level window.
  virtual void MoveWindow(HWND window, const TRect& screenRect) = 0;
  virtual void ShowWindow(HWND window, bool visible) = 0;
  virtual void RestackWindows(const std::vector<HWND>& topFirst) = 0;
  virtual void SetWindowShape(HWND window, const TRegion* shape) = 0;
  virtual void SetWindowTitle(HWND window, const std::string& title) = 0;
  // Per-window constant alpha; false when the display cannot show it.
  virtual bool SetWindowAlpha(HWND window, BYTE alpha) = 0;
  virtual bool SupportsLayeredWindows() const = 0;

  // The cursor shape to show (null hides it), and moving the pointer.
  virtual void ShowCursor(HCURSOR cursor) = 0;
  virtual void WarpPointer(TPoint screenPoint) = 0;
  // Mouse capture held by a window of the process (null: released), so that
  // a real display can grab the pointer.
  virtual void CaptureChanged(HWND window) = 0;

  // Called by a thread about to wait for messages with nothing to do: a back
  // end may feed input or advance a test script here. True when it did
  // something, so the thread looks at its queue again instead of waiting.
  virtual bool Idle() = 0;

  // Clipboard bridge. The clipboard's contents live in the process
  // (Clipboard.h); the display is told when the process takes ownership or
  // gives it up, may list the formats another program offers, and fetches
  // their data on demand.
  virtual void ClipboardOwned(bool owned) = 0;
  virtual std::vector<std::string> ForeignClipboardFormats() = 0;
  virtual bool FetchForeignClipboard(const std::string& format, std::vector<BYTE>& data) = 0;

  // What only a desktop with other programs and a window manager makes use
  // of; a display without one keeps the defaults.
  //
  // The styles, owner or icons of a top-level window changed (told at
  // creation, before every showing, on minimise and restore, and when the
  // styles, owner or icons are set).
  virtual void UpdateWindowState(HWND window, const TDisplayWindowState& state);
  // The window system made a top-level window the active one: a desktop
  // gives it the keyboard focus.
  virtual void WindowActivated(HWND window);
  // A move (edge < 0) or resize (edge: WMSZ_*) of a top-level window started
  // with the left button held at screenPoint. True when the desktop's window
  // manager runs it (the window hears InputWindowMoved as it goes); false
  // leaves it to the window system's own loop.
  virtual bool BeginMoveSize(HWND window, int edge, TPoint screenPoint);
  // The shell notification area: the icon of (window, id) shown or changed,
  // or removed. True when the desktop shows it (a tray runs).
  virtual bool ShowNotifyIcon(HWND window, UINT id, HICON icon, const std::string& tip);
  virtual void RemoveNotifyIcon(HWND window, UINT id);
  // Where the desktop shows that icon (screen coordinates); false when nowhere.
  virtual bool NotifyIconRect(HWND window, UINT id, TRect& rect);

  // Layering of a top-level window: constant alpha, colour key, per-pixel
  // alpha. False when the display cannot show what is asked (the window then
  // stays as it was). The default takes constant alpha alone.
  virtual bool SetWindowLayering(HWND window, const TDisplayLayering& layering);
  // The screen as the display shows it: the pixels of area (screen
  // coordinates) into a surface of the area's size. False when it cannot be read.
  virtual bool ReadScreen(const TRect& area, const TSurface& into);
  // Pixels drawn straight on the screen (the screen DC): shown over every
  // window in area until a window presents over them. False when the display
  // cannot show them.
  virtual bool DrawOnScreen(const TRect& area, const TSurface& pixels);
};

using TDisplayFactory = std::unique_ptr<TDisplayBackend> (*)();

// Makes a back end available under a name ("headless", "x11").
void RegisterDisplayBackend(const std::string& name, TDisplayFactory factory);
// Chooses the back end: the one named, or else "x11" when DISPLAY is set and
// it is registered, or else "headless". Replaces a previous choice only while
// no window owns a framebuffer. False when the named one is not registered.
bool SelectDisplayBackend(const std::string& name);
// The back end in use (null before one is chosen).
TDisplayBackend* CurrentDisplayBackend();
