#include "controls/themes/TBWDrawing.h"

#include <algorithm>
#include <vector>

#include "controls/themes/TBWStockObjects.h"
#include "controls/toolbar/TBCommon.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/win/gdi/SysColors.h"

namespace {

// A negative colour names a system colour by its low byte.
bool IsSystemColor(TColor Color) { return int32_t(Color) < 0; }

// Selects an object for the lifetime of the scope.
class TSelection {
public:
  TSelection(HDC DC, HGDIOBJ Object) : FDC(DC), FOld(SelectObject(DC, Object)) {}
  ~TSelection() { SelectObject(FDC, FOld); }

private:
  HDC FDC;
  HGDIOBJ FOld;
};

}  // namespace

HPEN PenForColor(TColor Color)
{
  if (Color == clNone)
    return CreatePen(PS_NULL, 1, 0);
  return CreatePen(PS_SOLID, 1, ColorToRGB(Color));
}

HBRUSH BrushForColor(TColor Color)
{
  if (Color == clNone)
    return HBRUSH(GetStockObject(NULL_BRUSH));
  if (IsSystemColor(Color))
    if (HBRUSH brush = GetSysColorBrush(int(Color & 0xFF)))
      return brush;
  return CreateSolidBrush(ColorToRGB(Color));
}

bool FillRectColor(HDC DC, const TRect& R, TColor Color)
{
  if (Color == clNone)
    return false;
  HBRUSH brush = BrushForColor(Color);
  FillRect(DC, &R, brush);
  DeleteObject(brush);
  return true;
}

void FrameRectColor(HDC DC, TRect& R, TColor Color, bool Shrink)
{
  if (Color != clNone) {
    HBRUSH brush = BrushForColor(Color);
    FrameRect(DC, &R, brush);
    DeleteObject(brush);
  }
  if (Shrink)
    InflateRect(&R, -1, -1);
}

void DrawLineColor(HDC DC, int X1, int Y1, int X2, int Y2, TColor Color)
{
  const TPoint points[2] = {{X1, Y1}, {X2, Y2}};
  PolylineColor(DC, points, 1, Color);
}

void PolylineColor(HDC DC, const TPoint* Points, int LastIndex, TColor Color)
{
  if (Color == clNone || LastIndex < 1)
    return;
  HPEN pen = PenForColor(Color);
  {
    TSelection selected(DC, pen);
    Polyline(DC, Points, LastIndex + 1);
  }
  DeleteObject(pen);
}

void PolygonColors(HDC DC, const TPoint* Points, int LastIndex, TColor LineColor, TColor FillColor)
{
  if ((LineColor == clNone && FillColor == clNone) || LastIndex < 0)
    return;
  HPEN pen = PenForColor(LineColor);
  HBRUSH brush = BrushForColor(FillColor);
  {
    TSelection selectedPen(DC, pen);
    TSelection selectedBrush(DC, brush);
    Polygon(DC, Points, LastIndex + 1);
  }
  DeleteObject(brush);
  DeleteObject(pen);
}

HBRUSH DitherBrush(TColor C1, TColor C2)
{
  const COLORREF a = ColorToRGB(C1), b = ColorToRGB(C2);
  // 32-bit device bitmap pixels are 0x00RRGGBB; COLORREF keeps red low.
  auto pixel = [](COLORREF c) { return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c); };
  uint32_t bits[64];
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      bits[y * 8 + x] = ((x + y) % 2 == 0) ? pixel(a) : pixel(b);
  HBITMAP pattern = CreateBitmap(8, 8, 1, 32, bits);
  HBRUSH brush = CreatePatternBrush(pattern);
  DeleteObject(pattern);
  return brush;
}

void FillRectDithered(HDC DC, const TRect& R, TColor C1, TColor C2)
{
  HBRUSH brush = DitherBrush(C1, C2);
  FillRect(DC, &R, brush);
  DeleteObject(brush);
}

void DrawFrame3D(HDC DC, TRect& R, TColor TopLeftColor, TColor BottomRightColor, bool ShrinkTopLeft)
{
  --R.Right;
  --R.Bottom;
  const TPoint topLeft[3] = {{R.Left, R.Bottom}, {R.Left, R.Top}, {R.Right, R.Top}};
  PolylineColor(DC, topLeft, 2, TopLeftColor);
  const TPoint bottomRight[3] = {{R.Right, R.Top}, {R.Right, R.Bottom}, {R.Left - 1, R.Bottom}};
  PolylineColor(DC, bottomRight, 2, BottomRightColor);
  if (ShrinkTopLeft) {
    ++R.Left;
    ++R.Top;
  } else {
    --R.Right;
    --R.Bottom;
  }
}

void PaintThroughMask(HDC DC, int X, int Y, int Width, int Height, HDC Mask, bool PaintBlack, TColor Color)
{
  if (Color == clNone)
    return;
  // D xor (S and (P xor D)): the brush where the source is white, the
  // destination where it is black; the mask's bits become white or black
  // through the text and background colours.
  constexpr DWORD PaintWhereSourceIsWhite = 0x00E20746;
  const COLORREF oldText = SetTextColor(DC, PaintBlack ? RGB(255, 255, 255) : RGB(0, 0, 0));
  const COLORREF oldBack = SetBkColor(DC, PaintBlack ? RGB(0, 0, 0) : RGB(255, 255, 255));
  HBRUSH brush = CreateSolidBrush(ColorToRGB(Color));
  {
    TSelection selected(DC, brush);
    BitBlt(DC, X, Y, Width, Height, Mask, 0, 0, PaintWhereSourceIsWhite);
  }
  DeleteObject(brush);
  SetBkColor(DC, oldBack);
  SetTextColor(DC, oldText);
}

void DrawGlyphMask(HDC DC, int X, int Y, TCustomImageList* ImageList, int Index, TColor Color)
{
  if (Color == clNone || !ImageList)
    return;
  const int w = ImageList->Width(), h = ImageList->Height();
  HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
  HDC maskDC = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(maskDC, mask);
  // The list's mask: white where the image is transparent (a list without
  // a background colour leaves those pixels as they were).
  PatBlt(maskDC, 0, 0, w, h, WHITENESS);
  ImageList_Draw(ImageList->Handle(), Index, maskDC, 0, 0, ILD_MASK);
  PaintThroughMask(DC, X, Y, w, h, maskDC, true, Color);
  SelectObject(maskDC, old);
  DeleteDC(maskDC);
  DeleteObject(mask);
}

void DrawGlyphCentered(HDC DC, const TRect& R, TCustomImageList* ImageList, int Index, TColor Color)
{
  if (!ImageList)
    return;
  DrawGlyphMask(DC, R.Left + (R.Right - R.Left - ImageList->Width()) / 2,
                R.Top + (R.Bottom - R.Top - ImageList->Height()) / 2, ImageList, Index, Color);
}

void DrawPatternGlyph(HDC DC, const TRect& R, int Width, int Height, const WORD* Bits, TColor Color)
{
  if (Color == clNone || Width <= 0 || Height <= 0 || Width > 16)
    return;
  // Bitmap rows hold their left-most pixel in the high bit of the first byte,
  // which is the pattern's low byte.
  std::vector<WORD> rows(size_t(Height), 0);
  for (int y = 0; y < Height; ++y)
    rows[size_t(y)] = Bits[y];
  HBITMAP pattern = CreateBitmap(Width, Height, 1, 1, rows.data());
  HDC patternDC = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(patternDC, pattern);
  PaintThroughMask(DC, R.Left + (R.Right - R.Left - Width) / 2, R.Top + (R.Bottom - R.Top - Height) / 2, Width,
                   Height, patternDC, false, Color);
  SelectObject(patternDC, old);
  DeleteDC(patternDC);
  DeleteObject(pattern);
}

void DrawDragFrame(HDC DC, const TRect& NewRect, const TRect* OldRect)
{
  const TSize frame{3, 2};
  DrawHalftoneDragFrame(DC, NewRect, OldRect, frame, frame);
}

void DrawCaptionInColor(TCanvas* Canvas, const TRect& R, TColor Color, const std::string& Caption, UINT Format,
                        bool Rotated)
{
  Canvas->Brush()->SetStyle(bsClear);
  // Drawn on the context itself: it must carry the canvas's font (after a
  // font change the context holds the system font until the canvas selects
  // its own again).
  Canvas->RequiredState({csHandleValid, csFontValid});
  HDC dc = Canvas->Handle();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Color));
  TRect r = R;
  if (Rotated)
    DrawRotatedCaption(dc, Caption, r, Format);
  else
    DrawText(dc, Caption.c_str(), int(Caption.size()), &r, Format);
  Canvas->Brush()->SetStyle(bsSolid);
}

void FillRing(HDC DC, const TRect& Outer, const TRect& Inner, TColor Color)
{
  const TRect bands[4] = {{Outer.Left, Outer.Top, Outer.Right, Inner.Top},
                          {Outer.Left, Inner.Bottom, Outer.Right, Outer.Bottom},
                          {Outer.Left, Inner.Top, Inner.Left, Inner.Bottom},
                          {Inner.Right, Inner.Top, Outer.Right, Inner.Bottom}};
  for (const TRect& band : bands)
    if (band.Right > band.Left && band.Bottom > band.Top)
      FillRectColor(DC, band, Color);
}

void DrawSmallCaptionText(HDC DC, const TRect& R, const std::string& Text, TColor Color, UINT Format,
                          bool Rotated)
{
  if (Text.empty() || Color == clNone)
    return;
  TSelection font(DC, StockObjects().SmallCaptionFont);
  const int oldMode = SetBkMode(DC, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(DC, ColorToRGB(Color));
  TRect r = R;
  if (Rotated)
    DrawRotatedCaption(DC, Text, r, Format);
  else
    DrawText(DC, Text.c_str(), int(Text.size()), &r, Format);
  SetTextColor(DC, oldColor);
  SetBkMode(DC, oldMode);
}

int SmallCaptionTextWidth(HDC DC, const std::string& Text)
{
  TSelection font(DC, StockObjects().SmallCaptionFont);
  TSize size{};
  GetTextExtentPoint32(DC, Text.c_str(), int(Text.size()), &size);
  return size.cx;
}

std::string WindowCaption(HWND Window)
{
  if (!Window)
    return std::string();
  const int length = GetWindowTextLength(Window);
  if (length <= 0)
    return std::string();
  std::string text(size_t(length) + 1, '\0');
  text.resize(size_t(std::max(0, GetWindowText(Window, text.data(), length + 1))));
  return text;
}
