// The state behind a device-context handle, and the access object every
// drawing call takes: it resolves the handle, prepares the target surface and
// the effective clip, and writes a bitmap of another depth back at the end.
#pragma once

#include <atomic>
#include <memory>
#include <vector>

#include "platform/win/gdi/detail/GdiObjects.h"

namespace gdi {

struct TDCState {
  std::shared_ptr<TGdiPen> Pen;
  HGDIOBJ PenHandle = nullptr;
  std::shared_ptr<TGdiBrush> Brush;
  HGDIOBJ BrushHandle = nullptr;
  std::shared_ptr<TGdiFont> Font;
  HGDIOBJ FontHandle = nullptr;
  std::shared_ptr<TGdiPalette> Palette;
  HGDIOBJ PaletteHandle = nullptr;
  std::shared_ptr<TGdiBitmap> Bitmap;  // memory DCs only
  HGDIOBJ BitmapHandle = nullptr;
  COLORREF TextColor = 0x000000;
  COLORREF BkColor = 0xFFFFFF;
  COLORREF DCBrushColor = 0xFFFFFF;
  COLORREF DCPenColor = 0x000000;
  int BkMode = OPAQUE;
  int Rop2 = R2_COPYPEN;
  UINT TextAlign = TA_LEFT | TA_TOP;
  int StretchMode = BLACKONWHITE;
  int PolyFillMode = ALTERNATE;
  int MapMode = MM_TEXT;
  TPoint WindowOrg;
  TPoint ViewportOrg;
  TPoint BrushOrg;
  TPoint CurrentPos;
  bool HasClip = false;
  TRegion Clip;  // device coordinates
  int JustBreakExtra = 0;
  int JustBreakCount = 0;
  int CharExtra = 0;
};

struct TPrintJob;  // Printing.cpp

struct TDC {
  bool Memory = false;
  // Printer DCs: a memory DC over the page being printed, and its job.
  std::shared_ptr<TPrintJob> Printer;
  HWND Window = nullptr;
  TSurface Surface;  // surface DCs
  TPoint Origin;
  TRegion Visible;
  std::shared_ptr<TSurfaceMirror> Mirror;  // surface DCs over pixels kept elsewhere
  // Window DCs: the window system's geometry generation, the value the
  // geometry was computed at, and how to compute it again (SetSurfaceDCTracking).
  const std::atomic<uint64_t>* Generation = nullptr;
  std::atomic<uint64_t> Seen{0};
  TSurfaceDCRefresh Refresh = nullptr;
  TDCState S;
  std::vector<TDCState> Saved;
};

THandleTable<TDC>& DCs();
// The DC behind a handle, its geometry brought up to date first when it
// follows a window that changed since.
std::shared_ptr<TDC> LookupDC(HDC dc);

// A DC ready to draw: surface, device-to-surface offset and the effective clip
// (surface pixels). Logical coordinates map to surface pixels by adding Offset.
class TDrawAccess {
public:
  // A read-only access (a blit source, a pixel read) leaves a bitmap of
  // another depth as it was: its pixels are not written back.
  enum TMode { ReadWrite, ReadOnly };
  explicit TDrawAccess(HDC dc, TMode mode = ReadWrite);
  // For a call that touches nothing outside bounds (logical coordinates):
  // over pixels mirrored from elsewhere (the screen) only that part is
  // fetched before and handed on after, and the clip is cut down to it.
  TDrawAccess(HDC dc, const TRect& bounds, TMode mode = ReadWrite) : TDrawAccess(dc, &bounds, mode) {}
  // The same where a call knows its bounds only at times (null: it does not).
  TDrawAccess(HDC dc, const TRect* bounds, TMode mode = ReadWrite);
  ~TDrawAccess();
  TDrawAccess(const TDrawAccess&) = delete;
  TDrawAccess& operator=(const TDrawAccess&) = delete;

  explicit operator bool() const { return FDC != nullptr && Surface.Bits != nullptr; }
  TDC& DC() const { return *FDC; }
  TDCState& State() const { return FDC->S; }
  // Logical point to surface pixel.
  TPoint ToSurface(TPoint p) const { return p + Offset; }
  TRect ToSurface(const TRect& r) const { return {r.Left + Offset.x, r.Top + Offset.y, r.Right + Offset.x, r.Bottom + Offset.y}; }
  // True when the target is a monochrome bitmap: colours are reduced to black and white.
  bool Mono() const { return FTargetBitmap && FTargetBitmap->IsMono(); }
  uint32_t PixelOf(COLORREF c) const;

  TSurface Surface;
  TPoint Offset;      // logical -> surface
  TPoint DeviceOffset;  // device -> surface (the DC origin)
  TRegion Clip;       // surface pixels

private:
  // A read-only access to a bitmap of another depth: only the bounds'
  // pixels, converted to 32 bits; the surface covers that area alone (a
  // full copy per blit from a strip of pictures cost more than the blit).
  // False when the bounds miss the bitmap.
  bool ReadArea(const TRect& bounds);

  std::shared_ptr<TDC> FDC;
  std::vector<uint32_t> FReadPixels;  // the area read, when not empty
  std::shared_ptr<TGdiBitmap> FTargetBitmap;
  TMode FMode;
  std::shared_ptr<TSurfaceMirror> FMirror;
  TRect FReach;
};

// The effective clip of a DC in device coordinates (for GetClipBox and RectVisible).
TRegion DeviceClip(const TDC& dc);
// The surface of a DC and its bitmap (memory DCs), for blit sources.
std::shared_ptr<TGdiBitmap> SelectedBitmap(const TDC& dc);

}  // namespace gdi
