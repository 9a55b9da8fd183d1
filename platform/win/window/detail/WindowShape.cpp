// The shape and translucency of windows.
#include "platform/win/window/WindowPos.h"

#include <algorithm>
#include <functional>

#include "platform/base/LastError.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/window/DisplayBackend.h"
#include "platform/win/window/Input.h"
#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/Painting.h"
#include "platform/win/window/SystemInfo.h"
#include "platform/win/window/WindowTree.h"
#include "platform/win/window/detail/Core.h"

using namespace wincore;

int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw)
{
  TRect rect;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w)
      return 0;
    const TRegion* value = region ? RegionOf(region) : nullptr;
    if (region && !value)
      return 0;
    if (w->WindowRgnHandle && w->WindowRgnHandle != region)
      DeleteObject(w->WindowRgnHandle);
    w->WindowRgnHandle = region;
    w->WindowRgn = value ? std::make_unique<TRegion>(*value) : nullptr;
    GeometryChanged();
    if (w->HasSurface && Core().Display)
      Core().Display->SetWindowShape(hwnd, w->WindowRgn.get());
    rect = w->Rect;
  }
  if (redraw)
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return 1;
}

int GetWindowRgn(HWND hwnd, HRGN region)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  if (!w || !w->WindowRgnHandle || !region)
    return 0;
  return CombineRgn(region, w->WindowRgnHandle, nullptr, RGN_COPY);
}

namespace {

uint32_t PixelOfColor(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

// A top-level layered window that a display able to compose it shows; false
// (with the reason in the last error) otherwise, so callers take their
// fallback instead of believing a translucency nobody shows.
bool CanLayer(TWnd* w)
{
  if (!w || !(w->ExStyle & WS_EX_LAYERED) || !IsTopLevel(w)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  TDisplayBackend* display = Core().Display.get();
  if (!display || !w->HasSurface || !display->SupportsLayeredWindows()) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return false;
  }
  return true;
}

bool ShowLayering(TWnd* w, const TDisplayLayering& layering)
{
  if (Core().Display->SetWindowLayering(w->Handle, layering))
    return true;
  SetLastError(ERROR_NOT_SUPPORTED);
  return false;
}

}  // namespace

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags)
{
  bool repaint;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!CanLayer(w))
      return FALSE;
    TDisplayLayering layering;
    layering.Alpha = (flags & LWA_ALPHA) ? alpha : 255;
    layering.UseColorKey = flags & LWA_COLORKEY;
    layering.ColorKey = PixelOfColor(key);
    if (!ShowLayering(w, layering))
      return FALSE;
    w->ColorKey = key;
    w->Alpha = alpha;
    w->LayeredFlags = flags;
    w->PerPixelAlpha = false;
    repaint = w->LayeredByUpdate;
    w->LayeredByUpdate = false;
    // Painted pixels can go again while it is out of sight.
    FollowPixelNeed(w);
  }
  // Painted by the window system again, from now on.
  if (repaint)
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  return TRUE;
}

BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  if (!w || !(w->ExStyle & WS_EX_LAYERED))
    return FALSE;
  if (key)
    *key = w->ColorKey;
  if (alpha)
    *alpha = w->Alpha;
  if (flags)
    *flags = w->LayeredFlags;
  return TRUE;
}

BOOL UpdateLayeredWindow(HWND hwnd, HDC, const TPoint* destination, const TSize* size, HDC source,
                         const TPoint* sourcePoint, COLORREF key, const BLENDFUNCTION* blend, DWORD flags)
{
  {
    // The blend is the display's to show before the pixels arrive, so the
    // first present already mixes them as asked.
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!CanLayer(w))
      return FALSE;
    TDisplayLayering layering;
    bool alpha = (flags & ULW_ALPHA) && blend;
    layering.Alpha = alpha ? blend->SourceConstantAlpha : 255;
    layering.PerPixelAlpha = alpha && (blend->AlphaFormat & AC_SRC_ALPHA);
    layering.UseColorKey = flags & ULW_COLORKEY;
    layering.ColorKey = PixelOfColor(key);
    if (!ShowLayering(w, layering))
      return FALSE;
    w->ColorKey = key;
    w->Alpha = layering.Alpha;
    w->PerPixelAlpha = layering.PerPixelAlpha;
    w->LayeredFlags = (layering.UseColorKey ? LWA_COLORKEY : 0) | (alpha ? LWA_ALPHA : 0);
    w->LayeredByUpdate = true;
    // Its pixels are the caller's from now on, kept while it is hidden.
    FollowPixelNeed(w);
  }
  if (destination || size) {
    TRect r;
    GetWindowRect(hwnd, &r);
    int x = destination ? destination->x : r.Left, y = destination ? destination->y : r.Top;
    int cx = size ? size->cx : r.Width(), cy = size ? size->cy : r.Height();
    SetWindowPos(hwnd, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  if (!w)
    return FALSE;
  if (source && w->HasSurface && w->Surface.Bits) {
    // Straight into the framebuffer, shown or not: a layered window is often
    // filled while hidden and shown afterwards.
    TRect whole(0, 0, w->Surface.Width, w->Surface.Height);
    HDC dc = CreateSurfaceDC(w->Surface, TPoint(), TRegion(whole), hwnd);
    TPoint from = sourcePoint ? *sourcePoint : TPoint();
    BitBlt(dc, 0, 0, whole.Width(), whole.Height(), source, from.x, from.y, SRCCOPY);
    DeleteSurfaceDC(dc);
    Core().Display->Present(hwnd, TRegion(whole));
  }
  w->Update = TRegion();
  w->FrameUpdate = TRegion();
  w->Erase = false;
  UpdatePaintCount(w);
  return TRUE;
}
