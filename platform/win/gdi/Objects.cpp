#include "platform/win/gdi/Objects.h"

#include <algorithm>
#include <utility>
#include <cstring>
#include <mutex>

#include "platform/base/Utf.h"
#include "platform/win/gdi/Palettes.h"
#include "platform/win/gdi/Regions.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/detail/DCData.h"

namespace gdi {

THandleTable<TGdiObject>& Objects()
{
  static THandleTable<TGdiObject> table(0x47);
  return table;
}

HGDIOBJ AddObject(std::shared_ptr<TGdiObject> object)
{
  return reinterpret_cast<HGDIOBJ>(Objects().Add(std::move(object)));
}

std::shared_ptr<TGdiBitmap> NewBitmap(int width, int height, int bitsPixel, bool dibSection, bool bottomUp)
{
  if (width <= 0 || height <= 0 || width > 0x8000 || height > 0x8000)
    return nullptr;
  auto b = std::make_shared<TGdiBitmap>();
  b->Width = width;
  b->Height = height;
  b->BitsPixel = bitsPixel;
  b->Stride = ((width * bitsPixel + 31) / 32) * 4;
  b->IsDIBSection = dibSection;
  b->BottomUp = bottomUp;
  std::size_t bytes = std::size_t(b->Stride) * std::size_t(height);
  if (bytes > (std::size_t(1) << 30))
    return nullptr;
  b->Storage.assign(bytes, 0);
  b->Bits = b->Storage.data();
  if (bitsPixel == 1 && !dibSection)
    b->SetColors({RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}});
  return b;
}

uint32_t TGdiBitmap::PixelFromIndex(int index) const
{
  if (index < 0 || std::size_t(index) >= FColors.size())
    return 0;
  const RGBQUAD& q = FColors[std::size_t(index)];
  return (uint32_t(q.rgbRed) << 16) | (uint32_t(q.rgbGreen) << 8) | q.rgbBlue;
}

void TGdiBitmap::SetColors(std::vector<RGBQUAD> colors)
{
  FColors = std::move(colors);
  FNearest = TNearestColor(FColors);
}

uint32_t TGdiBitmap::PixelAt(int x, int y) const
{
  const uint8_t* row = RowPtr(y);
  switch (BitsPixel) {
  case 32: {
    uint32_t v;
    std::memcpy(&v, row + 4 * x, 4);
    return v & 0xFFFFFF;
  }
  case 24: return (uint32_t(row[3 * x + 2]) << 16) | (uint32_t(row[3 * x + 1]) << 8) | row[3 * x];
  case 16: {
    uint32_t v = row[2 * x] | (uint32_t(row[2 * x + 1]) << 8);
    uint32_t r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
    return (((r << 3) | (r >> 2)) << 16) | (((g << 3) | (g >> 2)) << 8) | ((b << 3) | (b >> 2));
  }
  case 8:
  case 4:
  case 1: return PixelFromIndex(IndexAt(x, y));
  default: return 0;
  }
}

void TGdiBitmap::SetPixelAt(int x, int y, uint32_t rgb)
{
  uint8_t* row = RowPtr(y);
  switch (BitsPixel) {
  case 32: std::memcpy(row + 4 * x, &rgb, 4); break;
  case 24:
    row[3 * x] = BYTE(rgb);
    row[3 * x + 1] = BYTE(rgb >> 8);
    row[3 * x + 2] = BYTE(rgb >> 16);
    break;
  case 16: {
    uint32_t v = (((rgb >> 19) & 31) << 10) | (((rgb >> 11) & 31) << 5) | ((rgb >> 3) & 31);
    row[2 * x] = BYTE(v);
    row[2 * x + 1] = BYTE(v >> 8);
    break;
  }
  case 8:
  case 4:
  case 1: SetIndexAt(x, y, IndexOf(rgb)); break;
  default: break;
  }
}

int TGdiBitmap::IndexOf(uint32_t rgb) const
{
  if (IsMono())
    return ((rgb >> 16) & 0xFF) + ((rgb >> 8) & 0xFF) + (rgb & 0xFF) >= 383 ? 1 : 0;
  return NearestIndex(rgb);
}

void TGdiBitmap::ReadRow(int y, int x, int n, uint32_t* out) const
{
  if (BitsPixel == 32) {
    std::memcpy(out, RowPtr(y) + 4 * x, std::size_t(n) * 4);
    for (int i = 0; i < n; ++i)
      out[i] &= 0xFFFFFF;
  } else if (BitsPixel <= 8) {
    // Every index's colour once, then one look-up per pixel.
    uint32_t colours[256];
    for (int i = 0; i < (1 << BitsPixel); ++i)
      colours[i] = PixelFromIndex(i);
    if (BitsPixel == 8) {
      const uint8_t* row = RowPtr(y) + x;
      for (int i = 0; i < n; ++i)
        out[i] = colours[row[i]];
    } else {
      for (int i = 0; i < n; ++i)
        out[i] = colours[IndexAt(x + i, y)];
    }
  } else if (BitsPixel == 24) {
    const uint8_t* p = RowPtr(y) + 3 * x;
    for (int i = 0; i < n; ++i, p += 3)
      out[i] = (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
  } else {
    for (int i = 0; i < n; ++i)
      out[i] = PixelAt(x + i, y);
  }
}

void TGdiBitmap::WriteRow(int y, int x, int n, const uint32_t* in)
{
  if (BitsPixel == 32) {
    std::memcpy(RowPtr(y) + 4 * x, in, std::size_t(n) * 4);
  } else if (BitsPixel <= 8) {
    // Neighbours often share a colour: look it up once per run.
    uint32_t last = 0;
    int index = IndexOf(0);
    for (int i = 0; i < n; ++i) {
      uint32_t rgb = in[i] & 0xFFFFFF;
      if (rgb != last) {
        last = rgb;
        index = IndexOf(rgb);
      }
      SetIndexAt(x + i, y, index);
    }
  } else {
    for (int i = 0; i < n; ++i)
      SetPixelAt(x + i, y, in[i] & 0xFFFFFF);
  }
}

TSurface TGdiBitmap::BeginDraw()
{
  if (BitsPixel == 32) {
    TSurface s;
    s.Bits = reinterpret_cast<uint32_t*>(RowPtr(0));
    s.Width = Width;
    s.Height = Height;
    s.StrideBytes = BottomUp ? -Stride : Stride;
    return s;
  }
  Shadow.resize(std::size_t(Width) * std::size_t(Height));
  for (int y = 0; y < Height; ++y)
    ReadRow(y, 0, Width, Shadow.data() + std::size_t(y) * std::size_t(Width));
  return TSurface{Shadow.data(), Width, Height, Width * 4};
}

void TGdiBitmap::EndDraw(bool writeBack)
{
  if (BitsPixel == 32 || Shadow.empty())
    return;
  for (int y = 0; writeBack && y < Height; ++y)
    WriteRow(y, 0, Width, Shadow.data() + std::size_t(y) * std::size_t(Width));
  Shadow.clear();
  Shadow.shrink_to_fit();
}

namespace {

struct TStock {
  HGDIOBJ Objects[20] = {};
  HBITMAP Bitmap = nullptr;
};

std::shared_ptr<TGdiObject> MakeFont(int height, int weight, const char* face)
{
  auto f = std::make_shared<TGdiFont>();
  f->Log.lfHeight = height;
  f->Log.lfWeight = weight;
  f->Log.lfCharSet = DEFAULT_CHARSET;
  for (int i = 0; face[i] && i < LF_FACESIZE - 1; ++i)
    f->Log.lfFaceName[i] = char16_t(face[i]);
  return f;
}

const TStock& Stock()
{
  static TStock stock = [] {
    TStock s;
    auto brush = [](COLORREF c, UINT style = BS_SOLID) {
      auto b = std::make_shared<TGdiBrush>();
      b->Style = style;
      b->Color = c;
      return b;
    };
    auto pen = [](COLORREF c, UINT style = PS_SOLID) {
      auto p = std::make_shared<TGdiPen>();
      p->Style = style;
      p->Color = c;
      return p;
    };
    std::shared_ptr<TGdiObject> objects[20] = {
        brush(0xFFFFFF), brush(0xC0C0C0), brush(0x808080), brush(0x404040), brush(0), brush(0, BS_NULL),
        pen(0xFFFFFF), pen(0), pen(0, PS_NULL), nullptr,
        MakeFont(12, FW_NORMAL, "Courier New"), MakeFont(12, FW_NORMAL, "Courier New"),
        MakeFont(12, FW_NORMAL, "MS Sans Serif"), MakeFont(16, FW_BOLD, "MS Sans Serif"),
        MakeFont(16, FW_BOLD, "MS Sans Serif"), nullptr, MakeFont(16, FW_NORMAL, "Courier New"),
        MakeFont(-11, FW_NORMAL, "MS Sans Serif"), brush(0xFFFFFF), pen(0)};
    auto palette = std::make_shared<TGdiPalette>();
    palette->Entries = DefaultPaletteEntries();
    objects[DEFAULT_PALETTE] = palette;
    for (int i = 0; i < 20; ++i)
      if (objects[i]) {
        objects[i]->Stock = true;
        s.Objects[i] = AddObject(objects[i]);
      }
    auto bitmap = NewBitmap(1, 1, 1, false, false);
    bitmap->Stock = true;
    s.Bitmap = AddObject(bitmap);
    return s;
  }();
  return stock;
}

std::string Utf8Face(const char16_t* face)
{
  std::size_t n = 0;
  while (n < LF_FACESIZE && face[n])
    ++n;
  return UTF8Encode(std::u16string_view(face, n));
}

}  // namespace

}  // namespace gdi

using namespace gdi;

HGDIOBJ GetStockObject(int index)
{
  if (index < 0 || index >= 20)
    return nullptr;
  return Stock().Objects[index];
}

HBITMAP StockBitmap() { return Stock().Bitmap; }

HPEN CreatePen(int style, int width, COLORREF color)
{
  auto p = std::make_shared<TGdiPen>();
  p->Style = UINT(style);
  if ((p->Style & PS_STYLE_MASK) > PS_ALTERNATE)
    return nullptr;
  p->Width = std::max(width, 0);
  p->Color = color;
  return AddObject(p);
}

HPEN CreatePenIndirect(const LOGPEN* pen)
{
  return pen ? CreatePen(int(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor) : nullptr;
}

HBRUSH CreateSolidBrush(COLORREF color)
{
  auto b = std::make_shared<TGdiBrush>();
  b->Color = color;
  return AddObject(b);
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color)
{
  if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS)
    return nullptr;
  auto b = std::make_shared<TGdiBrush>();
  b->Style = BS_HATCHED;
  b->Hatch = ULONG_PTR(hatch);
  b->Color = color;
  return AddObject(b);
}

HBRUSH CreatePatternBrush(HBITMAP bitmap)
{
  auto bm = Lookup<TGdiBitmap>(bitmap);
  if (!bm)
    return nullptr;
  auto b = std::make_shared<TGdiBrush>();
  b->Style = BS_PATTERN;
  b->PatternWidth = bm->Width;
  b->PatternHeight = bm->Height;
  b->PatternMono = bm->IsMono();
  b->Pattern.resize(std::size_t(bm->Width) * std::size_t(bm->Height));
  for (int y = 0; y < bm->Height; ++y)
    for (int x = 0; x < bm->Width; ++x) {
      uint32_t p = bm->PixelAt(x, y);
      b->Pattern[std::size_t(y) * std::size_t(bm->Width) + std::size_t(x)] = b->PatternMono ? (p ? 1u : 0u) : p;
    }
  return AddObject(b);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* lb)
{
  if (!lb)
    return nullptr;
  switch (lb->lbStyle) {
  case BS_SOLID: return CreateSolidBrush(lb->lbColor);
  case BS_NULL: {
    auto b = std::make_shared<TGdiBrush>();
    b->Style = BS_NULL;
    return AddObject(b);
  }
  case BS_HATCHED: return CreateHatchBrush(int(lb->lbHatch), lb->lbColor);
  case BS_PATTERN: return CreatePatternBrush(reinterpret_cast<HBITMAP>(lb->lbHatch));
  default: return nullptr;
  }
}

HGDIOBJ SelectObject(HDC h, HGDIOBJ object)
{
  auto dc = LookupDC(h);
  auto o = Objects().Get(reinterpret_cast<std::uintptr_t>(object));
  if (!dc || !o)
    return nullptr;
  TDCState& s = dc->S;
  switch (o->Type) {
  case OBJ_PEN: s.Pen = std::static_pointer_cast<TGdiPen>(std::move(o)); return std::exchange(s.PenHandle, object);
  case OBJ_BRUSH: s.Brush = std::static_pointer_cast<TGdiBrush>(std::move(o)); return std::exchange(s.BrushHandle, object);
  case OBJ_FONT: s.Font = std::static_pointer_cast<TGdiFont>(std::move(o)); return std::exchange(s.FontHandle, object);
  case OBJ_REGION: return reinterpret_cast<HGDIOBJ>(std::intptr_t(SelectClipRgn(h, object)));
  case OBJ_BITMAP: {
    auto bm = std::static_pointer_cast<TGdiBitmap>(o);
    // Only memory DCs hold bitmaps, and a bitmap sits in one DC at a time.
    if (!dc->Memory || (bm->SelectedInto && bm->SelectedInto != h && !bm->Stock))
      return nullptr;
    if (s.Bitmap && s.Bitmap->SelectedInto == h)
      s.Bitmap->SelectedInto = nullptr;
    if (!bm->Stock)
      bm->SelectedInto = h;
    s.Bitmap = bm;
    return std::exchange(s.BitmapHandle, object);
  }
  default: return nullptr;  // palettes go through SelectPalette
  }
}

BOOL DeleteObject(HGDIOBJ object)
{
  auto o = Objects().Get(reinterpret_cast<std::uintptr_t>(object));
  if (!o)
    return FALSE;
  if (o->Stock)
    return TRUE;
  if (auto bm = std::dynamic_pointer_cast<TGdiBitmap>(o); bm && bm->SelectedInto) {
    // A bitmap in a DC stays until the DC lets it go: the platform refuses this.
    if (LookupDC(bm->SelectedInto))
      return FALSE;
  }
  Objects().Remove(reinterpret_cast<std::uintptr_t>(object));
  return TRUE;
}

DWORD GetObjectType(HGDIOBJ object)
{
  auto o = Objects().Get(reinterpret_cast<std::uintptr_t>(object));
  return o ? o->Type : 0;
}

DWORD GetObjectType(HDC h)
{
  auto dc = LookupDC(h);
  return dc ? (dc->Memory ? OBJ_MEMDC : OBJ_DC) : 0;
}

namespace {
int CopyOut(const void* value, int valueSize, int size, void* buffer)
{
  if (!buffer)
    return valueSize;
  int n = std::min(size, valueSize);
  if (n <= 0)
    return 0;
  std::memcpy(buffer, value, std::size_t(n));
  return n;
}

int GetObjectImpl(HGDIOBJ object, int size, void* buffer, bool wide)
{
  auto o = Objects().Get(reinterpret_cast<std::uintptr_t>(object));
  if (!o)
    return 0;
  switch (o->Type) {
  case OBJ_PEN: {
    auto& p = static_cast<TGdiPen&>(*o);
    LOGPEN lp{p.Style, TPoint(p.Width, 0), p.Color};
    return CopyOut(&lp, sizeof lp, size, buffer);
  }
  case OBJ_BRUSH: {
    auto& b = static_cast<TGdiBrush&>(*o);
    LOGBRUSH lb{b.Style, b.Color, b.Hatch};
    return CopyOut(&lb, sizeof lb, size, buffer);
  }
  case OBJ_FONT: {
    auto& f = static_cast<TGdiFont&>(*o);
    if (wide)
      return CopyOut(&f.Log, sizeof f.Log, size, buffer);
    LOGFONTA a;
    std::memcpy(static_cast<void*>(&a), &f.Log, offsetof(LOGFONTA, lfFaceName));
    std::string face = Utf8Face(f.Log.lfFaceName);
    std::memcpy(a.lfFaceName, face.data(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1));
    return CopyOut(&a, sizeof a, size, buffer);
  }
  case OBJ_PAL: {
    WORD n = WORD(static_cast<TGdiPalette&>(*o).Entries.size());
    return CopyOut(&n, sizeof n, size, buffer);
  }
  case OBJ_BITMAP: {
    auto& b = static_cast<TGdiBitmap&>(*o);
    DIBSECTION ds;
    ds.dsBm.bmWidth = b.Width;
    ds.dsBm.bmHeight = b.Height;
    ds.dsBm.bmPlanes = 1;
    ds.dsBm.bmBitsPixel = WORD(b.BitsPixel);
    // Device bitmaps report rows padded to 16 bits, DIB sections to 32.
    ds.dsBm.bmWidthBytes = b.IsDIBSection ? b.Stride : ((b.Width * b.BitsPixel + 15) / 16) * 2;
    ds.dsBm.bmBits = b.IsDIBSection ? b.Bits : nullptr;
    if (!b.IsDIBSection || size < int(sizeof(DIBSECTION)))
      return CopyOut(&ds.dsBm, sizeof(BITMAP), size, buffer);
    ds.dsBmih.biWidth = b.Width;
    ds.dsBmih.biHeight = b.BottomUp ? b.Height : -b.Height;
    ds.dsBmih.biBitCount = WORD(b.BitsPixel);
    ds.dsBmih.biSizeImage = DWORD(b.Stride * b.Height);
    ds.dsBmih.biClrUsed = DWORD(b.Colors().size());
    return CopyOut(&ds, sizeof ds, size, buffer);
  }
  case OBJ_REGION: return 0;
  default: return 0;
  }
}
}  // namespace

int GetObject(HGDIOBJ object, int size, void* buffer) { return GetObjectImpl(object, size, buffer, false); }
int GetObjectA(HGDIOBJ object, int size, void* buffer) { return GetObjectImpl(object, size, buffer, false); }
int GetObjectW(HGDIOBJ object, int size, void* buffer) { return GetObjectImpl(object, size, buffer, true); }
