// The headless display: framebuffers in memory, synthetic input with the
// message sequences a real display produces, the virtual clock, and PNG
// screenshots. Tests select it with THeadlessDisplay::Use().
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/win/window/DisplayBackend.h"

class THeadlessDisplay : public TDisplayBackend {
public:
  THeadlessDisplay();
  ~THeadlessDisplay() override;

  // Registers the back end, selects it, and answers it. Call before the
  // first window; a later call answers the instance in use.
  static THeadlessDisplay* Use();
  static THeadlessDisplay* Current();

  // The screen: one 1024 x 768 monitor with a 30-pixel panel at the bottom
  // unless a test sets others (windows hear WM_DISPLAYCHANGE).
  void SetMonitors(const std::vector<TDisplayMonitor>& monitors);

  // Plays a screen that cannot compose windows (true by default): layered
  // windows are then reported absent, so callers' fallbacks can be tested.
  void SetLayeredWindowsSupported(bool supported);

  // Input, as a user at a real display gives it: a click is a move, a press
  // and a release; typed text presses the keys it needs (Shift included).
  void MoveMouse(int x, int y);
  void Press(int button = 0);
  void Release(int button = 0);
  void Click(int x, int y, int button = 0);
  void Wheel(int delta);
  void KeyDown(BYTE vk, DWORD character = 0);
  void KeyUp(BYTE vk);
  void PressKey(BYTE vk, DWORD character = 0);
  void TypeText(const std::string& utf8);
  // Another program took the foreground (false) or gave it back (true).
  void SetAppActive(bool active);

  // The virtual clock of the base layer: timers, double clicks and
  // animations follow it once switched on.
  static void UseVirtualClock();
  static void Advance(unsigned milliseconds);

  // Runs every message that is ready (translating and dispatching), without
  // waiting; answers how many were handled.
  static int PumpMessages();

  // Called when a message loop would wait with nothing to do; a script
  // answers true when it did something (injected input, advanced the clock).
  void SetIdleScript(std::function<bool()> script);

  // What the display shows.
  HCURSOR Cursor() const;
  int PresentCount(HWND topLevel) const;
  // The memory the pixels of a top-level window take (0 while it has none).
  std::size_t PixelBytes(HWND topLevel) const;
  bool IsShown(HWND topLevel) const;
  // A pixel (0x00RRGGBB) of a window, in window coordinates (0 while its
  // window holds no pixels: hidden or minimised).
  uint32_t Pixel(HWND hwnd, int x, int y) const;
  // The screen as a person would see it: every shown top-level window in
  // z-order through its shape and layering (alpha, colour key, per-pixel
  // alpha) over a black desktop, and what was drawn on the screen DC and not
  // yet presented over. 0x00RRGGBB, screen coordinates, rows top-down.
  uint32_t ScreenPixel(int x, int y) const;
  std::vector<uint32_t> ScreenImage(const TRect& area) const;
  // Writes the window's area as a PNG file.
  bool Screenshot(HWND hwnd, const std::string& path) const;

  // Another program's clipboard contents, by bridge format name
  // ("CF_UNICODETEXT", or a registered name); taking it tells the process.
  void SetForeignClipboard(const std::map<std::string, std::vector<BYTE>>& contents);
  bool ClipboardOwnedByProcess() const;

  // TDisplayBackend
  std::string Name() const override;
  std::vector<TDisplayMonitor> Monitors() override;
  TSurface CreateFramebuffer(HWND window, const TRect& screenRect, bool withPixels) override;
  TSurface ResizeFramebuffer(HWND window, const TRect& screenRect) override;
  void DestroyFramebuffer(HWND window) override;
  bool ReleasePixels(HWND window) override;
  TSurface RestorePixels(HWND window) override;
  void Present(HWND window, const TRegion& changed) override;
  void MoveWindow(HWND window, const TRect& screenRect) override;
  void ShowWindow(HWND window, bool visible) override;
  void RestackWindows(const std::vector<HWND>& topFirst) override;
  void SetWindowShape(HWND window, const TRegion* shape) override;
  void SetWindowTitle(HWND window, const std::string& title) override;
  bool SetWindowAlpha(HWND window, BYTE alpha) override;
  bool SupportsLayeredWindows() const override;
  bool SetWindowLayering(HWND window, const TDisplayLayering& layering) override;
  bool ReadScreen(const TRect& area, const TSurface& into) override;
  bool DrawOnScreen(const TRect& area, const TSurface& pixels) override;
  void ShowCursor(HCURSOR cursor) override;
  void WarpPointer(TPoint screenPoint) override;
  void CaptureChanged(HWND window) override;
  bool Idle() override;
  void ClipboardOwned(bool owned) override;
  std::vector<std::string> ForeignClipboardFormats() override;
  bool FetchForeignClipboard(const std::string& format, std::vector<BYTE>& data) override;

private:
  struct TState;
  std::unique_ptr<TState> FState;
};

// Makes the headless back end available to SelectDisplayBackend.
void RegisterHeadlessDisplay();
