#include "platform/win/gdi/DeviceContext.h"

#include <algorithm>
#include <utility>
#include <atomic>

#include "platform/win/gdi/Objects.h"
#include "platform/win/gdi/Palettes.h"
#include "platform/win/gdi/Regions.h"
#include "platform/win/gdi/SurfaceDC.h"
#include "platform/win/gdi/detail/DCData.h"
#include "platform/win/gdi/detail/PrintJob.h"

namespace gdi {

namespace {
std::atomic<bool> GLowColor{false};

void SelectDefaults(TDCState& s)
{
  s.PenHandle = GetStockObject(BLACK_PEN);
  s.Pen = Lookup<TGdiPen>(s.PenHandle);
  s.BrushHandle = GetStockObject(WHITE_BRUSH);
  s.Brush = Lookup<TGdiBrush>(s.BrushHandle);
  s.FontHandle = GetStockObject(SYSTEM_FONT);
  s.Font = Lookup<TGdiFont>(s.FontHandle);
  s.PaletteHandle = GetStockObject(DEFAULT_PALETTE);
  s.Palette = Lookup<TGdiPalette>(s.PaletteHandle);
}
}  // namespace

THandleTable<TDC>& DCs()
{
  static THandleTable<TDC> table(0x44);
  return table;
}

namespace {
std::shared_ptr<TDC> Find(HDC dc) { return DCs().Get(reinterpret_cast<std::uintptr_t>(dc)); }
}  // namespace

std::shared_ptr<TDC> LookupDC(HDC dc)
{
  auto found = Find(dc);
  // One load and compare on the drawing path; the window system is asked
  // again only after a change of window geometry.
  if (found && found->Generation) {
    uint64_t now = found->Generation->load(std::memory_order_acquire);
    if (found->Seen.exchange(now, std::memory_order_acq_rel) != now)
      found->Refresh(dc);
  }
  return found;
}

std::shared_ptr<TGdiBitmap> SelectedBitmap(const TDC& dc)
{
  return dc.Memory ? dc.S.Bitmap : nullptr;
}

TRegion DeviceClip(const TDC& dc)
{
  TRegion visible;
  TPoint origin;
  if (dc.Memory) {
    visible = TRegion(TRect(0, 0, dc.S.Bitmap ? dc.S.Bitmap->Width : 0, dc.S.Bitmap ? dc.S.Bitmap->Height : 0));
  } else {
    visible = dc.Visible.Intersect(TRect(0, 0, dc.Surface.Width, dc.Surface.Height));
    origin = dc.Origin;
    visible.Offset(-origin.x, -origin.y);
  }
  if (dc.S.HasClip)
    visible = visible.Intersect(dc.S.Clip);
  return visible;
}

TDrawAccess::TDrawAccess(HDC dc, TMode mode) : TDrawAccess(dc, static_cast<const TRect*>(nullptr), mode) {}

TDrawAccess::TDrawAccess(HDC dc, const TRect* bounds, TMode mode) : FDC(LookupDC(dc)), FMode(mode)
{
  if (!FDC)
    return;
  TRegion visible;
  if (FDC->Memory) {
    FTargetBitmap = FDC->S.Bitmap;
    if (!FTargetBitmap)
      return;
    if (!(mode == ReadOnly && bounds && FTargetBitmap->BitsPixel != 32 && ReadArea(*bounds)))
      Surface = FTargetBitmap->BeginDraw();
    visible = TRegion(TRect(0, 0, Surface.Width, Surface.Height));
  } else {
    Surface = FDC->Surface;
    DeviceOffset = FDC->Origin;
    visible = FDC->Visible.Intersect(TRect(0, 0, Surface.Width, Surface.Height));
  }
  if (FDC->S.HasClip) {
    TRegion clip = FDC->S.Clip;
    clip.Offset(DeviceOffset.x, DeviceOffset.y);
    visible = visible.Intersect(clip);
  }
  Clip = std::move(visible);
  Offset = DeviceOffset + FDC->S.ViewportOrg - FDC->S.WindowOrg;
  if (!FDC->Mirror || !Surface.Bits || Clip.IsEmpty())
    return;
  // The screen DC reaches the whole screen: fetching all of it for each
  // call made a dragged frame crawl.
  FReach = Clip.Bounds();
  if (bounds) {
    IntersectRect(FReach, FReach, ToSurface(*bounds));  // empty when they do not meet
    Clip = Clip.Intersect(FReach);
  }
  if (FReach.IsEmpty())
    return;
  FMirror = FDC->Mirror;
  FMirror->BeforeAccess(FReach);
}

bool TDrawAccess::ReadArea(const TRect& bounds)
{
  // Logical to bitmap pixels, as Offset maps them for a memory DC.
  TPoint toBitmap = FDC->S.ViewportOrg - FDC->S.WindowOrg;
  TRect area(bounds.Left + toBitmap.x, bounds.Top + toBitmap.y, bounds.Right + toBitmap.x, bounds.Bottom + toBitmap.y);
  const TGdiBitmap& bitmap = *FTargetBitmap;
  if (!IntersectRect(area, area, TRect(0, 0, bitmap.Width, bitmap.Height)))
    return false;
  const int w = area.Width(), h = area.Height();
  FReadPixels.resize(std::size_t(w) * std::size_t(h));
  for (int y = 0; y < h; ++y)
    bitmap.ReadRow(area.Top + y, area.Left, w, FReadPixels.data() + std::size_t(y) * std::size_t(w));
  Surface = TSurface{FReadPixels.data(), w, h, w * 4};
  DeviceOffset = TPoint(-area.Left, -area.Top);
  return true;
}

TDrawAccess::~TDrawAccess()
{
  if (FTargetBitmap && FReadPixels.empty())
    FTargetBitmap->EndDraw(FMode == ReadWrite);
  if (FMirror)
    FMirror->AfterAccess(FReach);
}

uint32_t TDrawAccess::PixelOf(COLORREF c) const
{
  COLORREF rgb = c & 0xFFFFFF;
  if ((c & 0xFF000000) == 0x01000000) {  // an index into the selected palette
    auto& pal = FDC->S.Palette;
    UINT i = c & 0xFFFF;
    if (pal && i < pal->Entries.size())
      rgb = RGB(pal->Entries[i].peRed, pal->Entries[i].peGreen, pal->Entries[i].peBlue);
    else
      rgb = 0;
  }
  if (Mono()) {
    int sum = GetRValue(rgb) + GetGValue(rgb) + GetBValue(rgb);
    return sum >= 383 ? 0xFFFFFF : 0;
  }
  if (FTargetBitmap && FTargetBitmap->BitsPixel <= 8)
    return FTargetBitmap->PixelFromIndex(FTargetBitmap->NearestIndex(ToPixel(rgb)));
  if (!FDC->Memory && LowColorDisplay())
    rgb = GetNearestColor(nullptr, rgb);
  return ToPixel(rgb);
}

}  // namespace gdi

using namespace gdi;

HDC CreateSurfaceDC(const TSurface& surface, TPoint origin, const TRegion& visible, HWND window)
{
  auto dc = std::make_shared<TDC>();
  dc->Surface = surface;
  dc->Origin = origin;
  dc->Visible = visible;
  dc->Window = window;
  SelectDefaults(dc->S);
  return reinterpret_cast<HDC>(DCs().Add(dc));
}

void SetSurfaceDCGeometry(HDC h, const TSurface& surface, TPoint origin, const TRegion& visible)
{
  if (auto dc = Find(h); dc && !dc->Memory) {
    dc->Surface = surface;
    dc->Origin = origin;
    dc->Visible = visible;
  }
}

void SetSurfaceDCTracking(HDC h, const std::atomic<uint64_t>* generation, TSurfaceDCRefresh refresh)
{
  auto dc = Find(h);
  if (!dc || dc->Memory)
    return;
  dc->Generation = refresh ? generation : nullptr;
  dc->Refresh = refresh;
  if (generation)
    dc->Seen.store(generation->load(std::memory_order_acquire), std::memory_order_release);
}

void SetSurfaceDCMirror(HDC h, std::shared_ptr<TSurfaceMirror> mirror)
{
  if (auto dc = LookupDC(h); dc && !dc->Memory)
    dc->Mirror = std::move(mirror);
}

HWND WindowFromDC(HDC h)
{
  auto dc = LookupDC(h);
  return dc ? dc->Window : nullptr;
}

void DeleteSurfaceDC(HDC h)
{
  if (auto dc = Find(h); dc && !dc->Memory)
    DCs().Remove(reinterpret_cast<std::uintptr_t>(h));
}

bool GetDCSurface(HDC h, TSurface& surface, TPoint& origin)
{
  auto dc = LookupDC(h);
  if (!dc)
    return false;
  if (dc->Memory) {
    if (!dc->S.Bitmap)
      return false;
    surface = dc->S.Bitmap->BeginDraw();
    dc->S.Bitmap->EndDraw();
    origin = {};
    return dc->S.Bitmap->BitsPixel == 32;
  }
  surface = dc->Surface;
  origin = dc->Origin;
  return true;
}

HDC CreateCompatibleDC(HDC)
{
  auto dc = std::make_shared<TDC>();
  dc->Memory = true;
  SelectDefaults(dc->S);
  dc->S.BitmapHandle = StockBitmap();
  dc->S.Bitmap = Lookup<TGdiBitmap>(dc->S.BitmapHandle);
  return reinterpret_cast<HDC>(DCs().Add(dc));
}

BOOL DeleteDC(HDC h)
{
  auto dc = LookupDC(h);
  // Window and screen DCs go back to the window system (ReleaseDC), never here.
  if (!dc || !dc->Memory)
    return FALSE;
  // The selected bitmap is free to go into another DC again.
  auto release = [&](TDCState& s) {
    if (s.Bitmap && s.Bitmap->SelectedInto == h)
      s.Bitmap->SelectedInto = nullptr;
  };
  release(dc->S);
  for (auto& s : dc->Saved)
    release(s);
  DCs().Remove(reinterpret_cast<std::uintptr_t>(h));
  return TRUE;
}

int SaveDC(HDC h)
{
  auto dc = LookupDC(h);
  if (!dc)
    return 0;
  dc->Saved.push_back(dc->S);
  return int(dc->Saved.size());
}

BOOL RestoreDC(HDC h, int saved)
{
  auto dc = LookupDC(h);
  if (!dc)
    return FALSE;
  int count = int(dc->Saved.size());
  int level = saved < 0 ? count + 1 + saved : saved;
  if (level < 1 || level > count)
    return FALSE;
  TDCState state = dc->Saved[level - 1];
  dc->Saved.resize(level - 1);
  if (dc->Memory && state.Bitmap != dc->S.Bitmap) {
    if (dc->S.Bitmap && dc->S.Bitmap->SelectedInto == h)
      dc->S.Bitmap->SelectedInto = nullptr;
    if (state.Bitmap)
      state.Bitmap->SelectedInto = h;
  }
  dc->S = std::move(state);
  return TRUE;
}

namespace {
template <class F>
BOOL WithDC(HDC h, F f)
{
  auto dc = LookupDC(h);
  if (!dc)
    return FALSE;
  f(*dc);
  return TRUE;
}

BOOL SetPointState(HDC h, TPoint TDCState::*field, TPoint value, TPoint* old)
{
  return WithDC(h, [&](TDC& dc) {
    if (old)
      *old = dc.S.*field;
    dc.S.*field = value;
  });
}
}  // namespace

BOOL SetWindowOrgEx(HDC h, int x, int y, TPoint* old) { return SetPointState(h, &TDCState::WindowOrg, {x, y}, old); }
BOOL GetWindowOrgEx(HDC h, TPoint* org) { return WithDC(h, [&](TDC& dc) { if (org) *org = dc.S.WindowOrg; }); }
BOOL OffsetWindowOrgEx(HDC h, int dx, int dy, TPoint* old)
{
  return WithDC(h, [&](TDC& dc) {
    if (old)
      *old = dc.S.WindowOrg;
    dc.S.WindowOrg = dc.S.WindowOrg + TPoint(dx, dy);
  });
}
BOOL SetViewportOrgEx(HDC h, int x, int y, TPoint* old) { return SetPointState(h, &TDCState::ViewportOrg, {x, y}, old); }
BOOL GetViewportOrgEx(HDC h, TPoint* org) { return WithDC(h, [&](TDC& dc) { if (org) *org = dc.S.ViewportOrg; }); }
BOOL OffsetViewportOrgEx(HDC h, int dx, int dy, TPoint* old)
{
  return WithDC(h, [&](TDC& dc) {
    if (old)
      *old = dc.S.ViewportOrg;
    dc.S.ViewportOrg = dc.S.ViewportOrg + TPoint(dx, dy);
  });
}
BOOL SetBrushOrgEx(HDC h, int x, int y, TPoint* old) { return SetPointState(h, &TDCState::BrushOrg, {x, y}, old); }
BOOL GetBrushOrgEx(HDC h, TPoint* org) { return WithDC(h, [&](TDC& dc) { if (org) *org = dc.S.BrushOrg; }); }
BOOL GetCurrentPositionEx(HDC h, TPoint* pos) { return WithDC(h, [&](TDC& dc) { if (pos) *pos = dc.S.CurrentPos; }); }

BOOL LPtoDP(HDC h, TPoint* points, int count)
{
  return WithDC(h, [&](TDC& dc) {
    for (int i = 0; points && i < count; ++i)
      points[i] = points[i] - dc.S.WindowOrg + dc.S.ViewportOrg;
  });
}

BOOL DPtoLP(HDC h, TPoint* points, int count)
{
  return WithDC(h, [&](TDC& dc) {
    for (int i = 0; points && i < count; ++i)
      points[i] = points[i] - dc.S.ViewportOrg + dc.S.WindowOrg;
  });
}

int SetMapMode(HDC h, int mode)
{
  auto dc = LookupDC(h);
  if (!dc || mode != MM_TEXT)
    return 0;
  return std::exchange(dc->S.MapMode, mode);
}
int GetMapMode(HDC h)
{
  auto dc = LookupDC(h);
  return dc ? dc->S.MapMode : 0;
}

namespace {
template <class T>
T Exchange(HDC h, T TDCState::*field, T value, T failure)
{
  auto dc = LookupDC(h);
  if (!dc)
    return failure;
  return std::exchange(dc->S.*field, value);
}
template <class T>
T Read(HDC h, T TDCState::*field, T failure)
{
  auto dc = LookupDC(h);
  return dc ? dc->S.*field : failure;
}
}  // namespace

COLORREF SetTextColor(HDC h, COLORREF c) { return Exchange<COLORREF>(h, &TDCState::TextColor, c, CLR_INVALID); }
COLORREF GetTextColor(HDC h) { return Read<COLORREF>(h, &TDCState::TextColor, CLR_INVALID); }
COLORREF SetBkColor(HDC h, COLORREF c) { return Exchange<COLORREF>(h, &TDCState::BkColor, c, CLR_INVALID); }
COLORREF GetBkColor(HDC h) { return Read<COLORREF>(h, &TDCState::BkColor, CLR_INVALID); }
COLORREF SetDCBrushColor(HDC h, COLORREF c) { return Exchange<COLORREF>(h, &TDCState::DCBrushColor, c, CLR_INVALID); }
COLORREF SetDCPenColor(HDC h, COLORREF c) { return Exchange<COLORREF>(h, &TDCState::DCPenColor, c, CLR_INVALID); }
int SetBkMode(HDC h, int mode)
{
  if (mode != TRANSPARENT && mode != OPAQUE)
    return 0;
  return Exchange<int>(h, &TDCState::BkMode, mode, 0);
}
int GetBkMode(HDC h) { return Read<int>(h, &TDCState::BkMode, 0); }
int SetROP2(HDC h, int mode)
{
  if (mode < R2_BLACK || mode > R2_WHITE)
    return 0;
  return Exchange<int>(h, &TDCState::Rop2, mode, 0);
}
int GetROP2(HDC h) { return Read<int>(h, &TDCState::Rop2, 0); }
UINT SetTextAlign(HDC h, UINT align) { return Exchange<UINT>(h, &TDCState::TextAlign, align, GDI_ERROR); }
UINT GetTextAlign(HDC h) { return Read<UINT>(h, &TDCState::TextAlign, GDI_ERROR); }
int SetStretchBltMode(HDC h, int mode)
{
  if (mode < BLACKONWHITE || mode > HALFTONE)
    return 0;
  return Exchange<int>(h, &TDCState::StretchMode, mode, 0);
}
int GetStretchBltMode(HDC h) { return Read<int>(h, &TDCState::StretchMode, 0); }
int SetPolyFillMode(HDC h, int mode)
{
  if (mode != ALTERNATE && mode != WINDING)
    return 0;
  return Exchange<int>(h, &TDCState::PolyFillMode, mode, 0);
}
int GetPolyFillMode(HDC h) { return Read<int>(h, &TDCState::PolyFillMode, 0); }
int SetTextCharacterExtra(HDC h, int extra) { return Exchange<int>(h, &TDCState::CharExtra, extra, int(0x80000000)); }
int GetTextCharacterExtra(HDC h) { return Read<int>(h, &TDCState::CharExtra, int(0x80000000)); }

BOOL SetTextJustification(HDC h, int breakExtra, int breakCount)
{
  return WithDC(h, [&](TDC& dc) {
    dc.S.JustBreakExtra = breakCount > 0 ? breakExtra : 0;
    dc.S.JustBreakCount = breakCount > 0 ? breakCount : 0;
  });
}

void SetLowColorDisplay(bool lowColor) { GLowColor = lowColor; }
bool LowColorDisplay() { return GLowColor; }

namespace {
std::atomic<int> GScreenPixelsPerInch{96};
}

bool SetScreenPixelsPerInch(int ppi)
{
  if (ppi < 48 || ppi > 480)
    return false;
  GScreenPixelsPerInch = ppi;
  return true;
}

int ScreenPixelsPerInch() { return GScreenPixelsPerInch; }

int GetDeviceCaps(HDC h, int index)
{
  auto dc = LookupDC(h);
  if (!dc)
    return 0;
  if (dc->Printer)
    return PrinterDeviceCaps(*dc->Printer, index);
  bool low = LowColorDisplay();
  int width = dc->Memory ? (dc->S.Bitmap ? dc->S.Bitmap->Width : 0) : dc->Surface.Width;
  int height = dc->Memory ? (dc->S.Bitmap ? dc->S.Bitmap->Height : 0) : dc->Surface.Height;
  switch (index) {
  case DRIVERVERSION: return 0x4000;
  case TECHNOLOGY: return DT_RASDISPLAY;
  case HORZRES: case DESKTOPHORZRES: return width;
  case VERTRES: case DESKTOPVERTRES: return height;
  case HORZSIZE: return width * 254 / 960;   // millimetres at 96 pixels per inch
  case VERTSIZE: return height * 254 / 960;
  case BITSPIXEL: return low ? 8 : 32;
  case PLANES: return 1;
  case NUMCOLORS: return low ? 20 : -1;
  case NUMBRUSHES: case NUMPENS: return -1;
  case RASTERCAPS: return RC_BITBLT | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB | (low ? RC_PALETTE : 0);
  case ASPECTX: case ASPECTY: return 36;
  case LOGPIXELSX: case LOGPIXELSY: return ScreenPixelsPerInch();
  case SIZEPALETTE: return low ? 256 : 0;
  case NUMRESERVED: return low ? 20 : 0;
  case COLORRES: return low ? 18 : 24;
  default: return 0;
  }
}

HGDIOBJ GetCurrentObject(HDC h, UINT type)
{
  auto dc = LookupDC(h);
  if (!dc)
    return nullptr;
  switch (type) {
  case OBJ_PEN: return dc->S.PenHandle;
  case OBJ_BRUSH: return dc->S.BrushHandle;
  case OBJ_FONT: return dc->S.FontHandle;
  case OBJ_PAL: return dc->S.PaletteHandle;
  case OBJ_BITMAP: return dc->S.BitmapHandle;
  default: return nullptr;
  }
}

BOOL GdiFlush() { return TRUE; }

// Clipping -------------------------------------------------------------------

namespace {
int RegionKind(const TRegion& r) { return r.IsEmpty() ? NULLREGION : r.IsRect() ? SIMPLEREGION : COMPLEXREGION; }

// The clip region in device coordinates as the combining calls see it: the
// whole device when none is selected.
TRegion CurrentClipOrAll(const TDC& dc)
{
  if (dc.S.HasClip)
    return dc.S.Clip;
  return TRegion(TRect(-0x4000000, -0x4000000, 0x4000000, 0x4000000));
}

TRect LogicalToDevice(const TDC& dc, TRect r)
{
  TPoint d = dc.S.ViewportOrg - dc.S.WindowOrg;
  if (r.Left > r.Right)
    std::swap(r.Left, r.Right);
  if (r.Top > r.Bottom)
    std::swap(r.Top, r.Bottom);
  return {r.Left + d.x, r.Top + d.y, r.Right + d.x, r.Bottom + d.y};
}
}  // namespace

int SelectClipRgn(HDC h, HRGN rgn) { return ExtSelectClipRgn(h, rgn, RGN_COPY); }

int ExtSelectClipRgn(HDC h, HRGN rgn, int mode)
{
  auto dc = LookupDC(h);
  if (!dc)
    return ERROR;
  const TRegion* r = RegionOf(rgn);
  if (!r) {
    if (mode != RGN_COPY)
      return ERROR;
    dc->S.HasClip = false;  // a null region removes the clip
    dc->S.Clip.Clear();
    return RegionKind(DeviceClip(*dc));
  }
  TRegion clip;
  switch (mode) {
  case RGN_COPY: clip = *r; break;
  case RGN_AND: clip = CurrentClipOrAll(*dc).Intersect(*r); break;
  case RGN_OR: clip = dc->S.HasClip ? dc->S.Clip.Union(*r) : CurrentClipOrAll(*dc); break;
  case RGN_XOR: clip = CurrentClipOrAll(*dc).Xor(*r); break;
  case RGN_DIFF: clip = CurrentClipOrAll(*dc).Subtract(*r); break;
  default: return ERROR;
  }
  dc->S.Clip = std::move(clip);
  dc->S.HasClip = true;
  return RegionKind(DeviceClip(*dc));
}

int IntersectClipRect(HDC h, int left, int top, int right, int bottom)
{
  auto dc = LookupDC(h);
  if (!dc)
    return ERROR;
  dc->S.Clip = CurrentClipOrAll(*dc).Intersect(LogicalToDevice(*dc, {left, top, right, bottom}));
  dc->S.HasClip = true;
  return RegionKind(DeviceClip(*dc));
}

int ExcludeClipRect(HDC h, int left, int top, int right, int bottom)
{
  auto dc = LookupDC(h);
  if (!dc)
    return ERROR;
  dc->S.Clip = CurrentClipOrAll(*dc).Subtract(TRegion(LogicalToDevice(*dc, {left, top, right, bottom})));
  dc->S.HasClip = true;
  return RegionKind(DeviceClip(*dc));
}

int OffsetClipRgn(HDC h, int dx, int dy)
{
  auto dc = LookupDC(h);
  if (!dc)
    return ERROR;
  if (dc->S.HasClip)
    dc->S.Clip.Offset(dx, dy);
  return RegionKind(DeviceClip(*dc));
}

int GetClipRgn(HDC h, HRGN rgn)
{
  auto dc = LookupDC(h);
  if (!dc || !RegionOf(rgn))
    return -1;
  if (!dc->S.HasClip)
    return 0;
  SetRegionOf(rgn, dc->S.Clip);
  return 1;
}

int GetClipBox(HDC h, TRect* rect)
{
  auto dc = LookupDC(h);
  if (!dc || !rect)
    return ERROR;
  TRegion clip = DeviceClip(*dc);
  TRect b = clip.Bounds();
  if (!clip.IsEmpty()) {
    TPoint d = dc->S.WindowOrg - dc->S.ViewportOrg;
    OffsetRect(&b, d.x, d.y);
  }
  *rect = b;
  return RegionKind(clip);
}

BOOL RectVisible(HDC h, const TRect* rect)
{
  auto dc = LookupDC(h);
  if (!dc || !rect)
    return FALSE;
  return DeviceClip(*dc).Intersects(LogicalToDevice(*dc, *rect)) ? TRUE : FALSE;
}

BOOL PtVisible(HDC h, int x, int y)
{
  auto dc = LookupDC(h);
  if (!dc)
    return FALSE;
  return DeviceClip(*dc).Contains(TPoint(x, y) - dc->S.WindowOrg + dc->S.ViewportOrg) ? TRUE : FALSE;
}
