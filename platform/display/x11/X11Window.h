// One top-level window of the layer as an X window: its framebuffer (shared
// memory with the server where it can), how it presents itself to the
// window manager (managed and undecorated, or override-redirect for popups,
// menus, hints and tool windows), its properties, and presenting changed
// areas of the framebuffer. Its kind comes from its styles alone.
#pragma once

#include "platform/display/x11/X11Core.h"

#include <X11/extensions/XShm.h>

namespace x11 {

class TX11Window {
public:
  // Without pixels (withPixels false) until RestorePixels.
  TX11Window(TCore& core, HWND hwnd, const TRect& screenRect, bool withPixels);
  ~TX11Window();
  TX11Window(const TX11Window&) = delete;
  TX11Window& operator=(const TX11Window&) = delete;

  HWND Hwnd() const { return FHwnd; }
  Window XWindow() const { return FWindow; }
  TSurface Surface() const;
  const TRect& Rect() const { return FRect; }
  bool OverrideRedirect() const { return FOverrideRedirect; }
  bool Shown() const { return FShown; }
  bool Viewable() const { return FViewable; }
  bool Layered() const { return FArgb; }
  bool UsesSharedMemory() const { return FShm.shmaddr != nullptr; }
  const TDisplayWindowState& State() const { return FState; }

  // Keeps the pixels that still fit, anchored at the top-left corner.
  void Resize(const TRect& screenRect);
  // The pixels go while nothing shows them, and come back cleared.
  void ReleasePixels();
  void RestorePixels();
  bool HasPixels() const { return FBits != nullptr; }
  void Move(const TRect& screenRect);
  void SetState(const TDisplayWindowState& state, Window owner);
  void Show(bool visible);
  void SetTitle(const std::string& title);
  void SetShape(const TRegion* shape);
  // Constant alpha, colour key and per-pixel alpha through a 32-bit visual
  // (the window is made again with it when needed); false when no
  // compositor can show them.
  bool SetLayering(const TDisplayLayering& layering);
  void Present(const TRect& area);  // framebuffer coordinates
  void PresentAll();

  // What the reader learnt from the server.
  void Mapped(bool viewable) { FViewable = viewable; }
  // The geometry the server last reported (screen coordinates).
  TRect ServerRect;
  // The window manager shows it minimised; set by the reader.
  bool WmIconic = false;
  // A geometry the server reports that we asked for ourselves (forgotten
  // then, with the older ones); false for one that came from elsewhere.
  bool AckConfigure(const TRect& reported);

  // The kind of window its styles make it.
  static bool IsPopupKind(const TDisplayWindowState& state);

private:
  void CreateXWindow();
  void DestroyXWindow();
  void Allocate(int width, int height);
  void FreeBuffer();
  void ApplyProperties();
  void ApplyIcon();
  void ApplyShape();
  void ApplyInputShape();
  void PutConverted(const TRect& area);
  uint32_t Layered(uint32_t pixel) const;
  void Asked(const TRect& r);

  TCore& FCore;
  HWND FHwnd;
  Window FWindow = 0;
  GC FGc = nullptr;
  TRect FRect;
  std::vector<TRect> FAsked;  // geometries asked of the server, oldest first
  TDisplayWindowState FState;
  Window FOwner = 0;
  std::string FTitle;
  std::vector<TRect> FShape;
  bool FShaped = false;
  bool FShown = false;
  bool FViewable = false;
  bool FOverrideRedirect = false;
  bool FIconified = false;  // minimised by us (iconified, or unmapped without a window manager)
  bool FArgb = false;
  TDisplayLayering FLayering;
  HICON FIconShown = nullptr;
  // The framebuffer: shared memory, or memory of our own.
  uint32_t* FBits = nullptr;
  int FWidth = 0;
  int FHeight = 0;
  std::vector<uint32_t> FHeap;
  XShmSegmentInfo FShm{};
  XImage* FImage = nullptr;
};

}  // namespace x11
