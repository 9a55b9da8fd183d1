// Device contexts over pixel surfaces: the seam between the window system and
// the drawing layer. The window system owns framebuffers and computes which of
// their pixels a window may touch; it wraps them in DCs with these calls.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "platform/base/Geometry.h"
#include "platform/win/gdi/Region.h"

// A 32-bit surface: each pixel a uint32_t 0x00RRGGBB; row y starts at
// Bits + y * StrideBytes bytes (a negative stride walks a bottom-up buffer).
struct TSurface {
  uint32_t* Bits = nullptr;
  int Width = 0;
  int Height = 0;
  int StrideBytes = 0;

  uint32_t* Row(int y) const { return reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(Bits) + std::intptr_t(y) * StrideBytes); }
};

// A DC whose device point (0,0) is origin in surface pixels; visible (surface
// pixels) bounds every drawing operation, together with any clip region the
// DC's user selects (device coordinates). window is what WindowFromDC answers.
HDC CreateSurfaceDC(const TSurface& surface, TPoint origin, const TRegion& visible, HWND window);
// Moves a DC to another surface, origin or visible region; its drawing state
// (objects, colours, clip region, origins) stays.
void SetSurfaceDCGeometry(HDC dc, const TSurface& surface, TPoint origin, const TRegion& visible);
// A DC that follows its window: the window system moves generation on
// whenever window geometry changes (shown, hidden, moved, resized, restacked,
// reshaped). Before a call uses the DC, refresh(dc) is called if generation
// moved since the DC was tracked or last refreshed; it sets the geometry anew
// (SetSurfaceDCGeometry). A null generation stops the tracking.
using TSurfaceDCRefresh = void (*)(HDC dc);
void SetSurfaceDCTracking(HDC dc, const std::atomic<uint64_t>* generation, TSurfaceDCRefresh refresh);
HWND WindowFromDC(HDC dc);
void DeleteSurfaceDC(HDC dc);
// The pixel surface a DC draws into and its device origin; false for a stale DC.
bool GetDCSurface(HDC dc, TSurface& surface, TPoint& origin);

// A surface that mirrors pixels kept elsewhere (the screen): told before a
// drawing call reads or writes it, and after, with the surface pixels the
// call could reach (what it can touch, within its clip), so it can fetch them
// first and hand on what changed afterwards.
class TSurfaceMirror {
public:
  virtual ~TSurfaceMirror() = default;
  virtual void BeforeAccess(const TRect& reach) = 0;
  virtual void AfterAccess(const TRect& reach) = 0;
};
// Attaches a mirror to a surface DC (null detaches it).
void SetSurfaceDCMirror(HDC dc, std::shared_ptr<TSurfaceMirror> mirror);
