// The objects behind drawing handles (pens, brushes, fonts, bitmaps, palettes,
// regions) and the one handle table they share.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/win/gdi/GdiConsts.h"
#include "platform/win/gdi/GdiTypes.h"
#include "platform/win/gdi/Region.h"
#include "platform/win/gdi/SurfaceDC.h"
#include "platform/win/gdi/detail/HandleTable.h"
#include "platform/win/gdi/detail/NearestColor.h"

namespace gdi {

struct TGdiObject {
  explicit TGdiObject(DWORD type) : Type(type) {}
  virtual ~TGdiObject() = default;
  DWORD Type;
  bool Stock = false;
};

struct TGdiPen : TGdiObject {
  static constexpr DWORD Kind = OBJ_PEN;
  TGdiPen() : TGdiObject(Kind) {}
  UINT Style = PS_SOLID;
  int Width = 1;
  COLORREF Color = 0;
};

struct TGdiBitmap;

struct TGdiBrush : TGdiObject {
  static constexpr DWORD Kind = OBJ_BRUSH;
  TGdiBrush() : TGdiObject(Kind) {}
  UINT Style = BS_SOLID;
  COLORREF Color = 0;
  ULONG_PTR Hatch = 0;
  int SysColorIndex = -1;
  // A pattern brush keeps a copy of its bitmap: 32-bit pixels, or for a
  // monochrome bitmap 0 and 1, painted later with the DC's text and
  // background colours.
  std::vector<uint32_t> Pattern;
  int PatternWidth = 0;
  int PatternHeight = 0;
  bool PatternMono = false;
};

class TFontInstance;

struct TGdiFont : TGdiObject {
  static constexpr DWORD Kind = OBJ_FONT;
  TGdiFont() : TGdiObject(Kind) {}
  LOGFONTW Log;  // never changes once the handle exists
  // The instance that draws it, resolved on first use (see ResolvedFont):
  // looking it up by its logical font on every text call costs more than
  // measuring the text.
  TSpinLock ResolvedLock;
  std::shared_ptr<TFontInstance> Resolved;
  bool ResolvedBuiltinOnly = false;
};

struct TGdiBitmap : TGdiObject {
  static constexpr DWORD Kind = OBJ_BITMAP;
  TGdiBitmap() : TGdiObject(Kind) {}
  int Width = 0;
  int Height = 0;
  int BitsPixel = 32;
  int Stride = 0;          // bytes per stored row, a multiple of 4
  bool BottomUp = false;   // DIB sections with a positive height
  bool IsDIBSection = false;
  std::vector<uint8_t> Storage;
  uint8_t* Bits = nullptr;
  std::vector<uint32_t> Shadow;  // 32-bit working copy while a DC draws into a bitmap of another depth
  HDC SelectedInto = nullptr;

  // A monochrome bitmap whose pixels a blit maps through the text and
  // background colours.
  bool IsMono() const { return BitsPixel == 1 && !IsDIBSection; }
  uint8_t* RowPtr(int y) { return Bits + std::ptrdiff_t(BottomUp ? Height - 1 - y : y) * Stride; }
  const uint8_t* RowPtr(int y) const { return Bits + std::ptrdiff_t(BottomUp ? Height - 1 - y : y) * Stride; }
  // 0x00RRGGBB of one pixel, any depth.
  uint32_t PixelAt(int x, int y) const;
  void SetPixelAt(int x, int y, uint32_t rgb);
  // The same for n pixels of row y from x: the depth is looked at once per run.
  void ReadRow(int y, int x, int n, uint32_t* out) const;
  void WriteRow(int y, int x, int n, const uint32_t* in);
  // The table index of a pixel of a 1-, 4- or 8-bit bitmap, and the index a
  // colour takes there (a monochrome bitmap's by brightness).
  int IndexAt(int x, int y) const
  {
    const uint8_t* row = RowPtr(y);
    switch (BitsPixel) {
    case 8: return row[x];
    case 4: return (row[x / 2] >> ((x & 1) ? 0 : 4)) & 15;
    default: return (row[x / 8] >> (7 - (x & 7))) & 1;
    }
  }
  void SetIndexAt(int x, int y, int index)
  {
    uint8_t* row = RowPtr(y);
    switch (BitsPixel) {
    case 8: row[x] = uint8_t(index); break;
    case 4: {
      int shift = (x & 1) ? 0 : 4;
      row[x / 2] = uint8_t((row[x / 2] & ~(15 << shift)) | (index << shift));
      break;
    }
    default: {
      int bit = 7 - (x & 7);
      row[x / 8] = uint8_t((row[x / 8] & ~(1 << bit)) | (index << bit));
      break;
    }
    }
  }
  int IndexOf(uint32_t rgb) const;
  // The 32-bit surface to draw on: the bits themselves at 32 bits, else the
  // shadow, loaded from the bits.
  TSurface BeginDraw();
  // Writes the shadow back into the bits after drawing (unless only read),
  // and drops it.
  void EndDraw(bool writeBack = true);
  // The colour table of 1-, 4- and 8-bit bitmaps. Changes go through
  // SetColors, which keeps the nearest-colour index in step.
  const std::vector<RGBQUAD>& Colors() const { return FColors; }
  void SetColors(std::vector<RGBQUAD> colors);
  // The table entry nearest to 0x00RRGGBB (the lowest index among equals).
  int NearestIndex(uint32_t rgb) const { return FNearest.Index(rgb); }
  uint32_t PixelFromIndex(int index) const;

private:
  std::vector<RGBQUAD> FColors;
  TNearestColor FNearest;
};

struct TGdiPalette : TGdiObject {
  static constexpr DWORD Kind = OBJ_PAL;
  TGdiPalette() : TGdiObject(Kind) {}
  std::vector<PALETTEENTRY> Entries;
};

struct TGdiRegion : TGdiObject {
  static constexpr DWORD Kind = OBJ_REGION;
  TGdiRegion() : TGdiObject(Kind) {}
  TRegion Region;
};

THandleTable<TGdiObject>& Objects();

// The object behind a handle when it is of kind T (each kind is one class,
// named by its fixed Type), else null.
template <class T>
std::shared_ptr<T> Lookup(HGDIOBJ h)
{
  auto object = Objects().Get(reinterpret_cast<std::uintptr_t>(h));
  if constexpr (std::is_same_v<T, TGdiObject>) {
    return object;
  } else {
    if (!object || object->Type != T::Kind)
      return nullptr;
    return std::static_pointer_cast<T>(std::move(object));
  }
}
HGDIOBJ AddObject(std::shared_ptr<TGdiObject> object);

// Allocates a bitmap with rows padded to 4 bytes, bits zeroed.
std::shared_ptr<TGdiBitmap> NewBitmap(int width, int height, int bitsPixel, bool dibSection, bool bottomUp);

// 0x00RRGGBB <-> COLORREF.
inline uint32_t ToPixel(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }
inline COLORREF ToColorRef(uint32_t p) { return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF); }

}  // namespace gdi
