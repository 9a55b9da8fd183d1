// The x11 display: each top-level window of the layer is an X window on the
// display that DISPLAY names; input, the window manager's requests, the
// clipboard and the system tray come back through the window system's input
// entry points from a reader thread. No X header is needed to use it.
#pragma once

#include <memory>

#include "platform/win/window/DisplayBackend.h"

class TX11Display : public TDisplayBackend {
public:
  TX11Display();
  ~TX11Display() override;

  // The instance in use, when the x11 display was chosen.
  static TX11Display* Current();
  // False when the display could not be opened (windows then get memory only).
  bool Connected() const;
  // The X window that shows a top-level window (0 when none), and whether
  // its framebuffer is memory shared with the server.
  unsigned long NativeWindow(HWND topLevel) const;
  bool SharesMemory(HWND topLevel) const;
  // Whether a top-level window has pixels now (none while hidden or minimised).
  bool HoldsPixels(HWND topLevel) const;
  // Waits until the server has handled every request and the reader has
  // fed the window system everything that came back so far.
  void Sync();

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
  void UpdateWindowState(HWND window, const TDisplayWindowState& state) override;
  void WindowActivated(HWND window) override;
  bool BeginMoveSize(HWND window, int edge, TPoint screenPoint) override;
  bool ShowNotifyIcon(HWND window, UINT id, HICON icon, const std::string& tip) override;
  void RemoveNotifyIcon(HWND window, UINT id) override;
  bool NotifyIconRect(HWND window, UINT id, TRect& rect) override;

  struct TState;

private:
  std::unique_ptr<TState> FState;
};

// Makes "x11" available to SelectDisplayBackend when DISPLAY names a display
// that can be opened; true when it did. The program's start-up unit
// (platform/startup) calls it beside RegisterHeadlessDisplay().
bool RegisterX11Display();
