// A canvas over a 32-bit scratch bitmap for theme painting tests, with its
// pixels read back as RGB triples.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWScratchBitmap.h"
#include "controls/themes/TBWTheme.h"
#include "platform/classes/graphics/Canvas.h"

struct TRgb {
  int R = 0, G = 0, B = 0;
  friend bool operator==(const TRgb&, const TRgb&) = default;
};

inline TRgb RgbOf(TColor C)
{
  const COLORREF c = ColorToRGB(C);
  return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

inline std::ostream& operator<<(std::ostream& Out, const TRgb& C)
{
  return Out << "(" << C.R << "," << C.G << "," << C.B << ")";
}

class TThemeTestCanvas {
public:
  TThemeTestCanvas(int Width, int Height) : FSurface(Width, Height) { FCanvas.SetHandle(FSurface.DC()); }
  ~TThemeTestCanvas() { FCanvas.SetHandle(nullptr); }

  TCanvas* Canvas() { return &FCanvas; }
  HDC DC() const { return FSurface.DC(); }
  void Fill(TColor C)
  {
    const TRgb c = RgbOf(C);
    FSurface.Fill(std::uint32_t(c.R) << 16 | std::uint32_t(c.G) << 8 | std::uint32_t(c.B));
  }
  TRgb At(int X, int Y)
  {
    GdiFlush();
    const std::uint32_t p = FSurface.At(X, Y);
    return {int(p >> 16 & 0xFF), int(p >> 8 & 0xFF), int(p & 0xFF)};
  }
  int Width() const { return FSurface.Width(); }
  int Height() const { return FSurface.Height(); }

private:
  TScratchBitmap FSurface;
  TCanvas FCanvas;
};

// The shape the pixels of Color make inside Region, cut to their bounding
// box: one string per row, '#' for the colour and '.' for anything else
// (empty when the colour is not there). Compares glyphs whatever their place.
inline std::vector<std::string> Silhouette(TThemeTestCanvas& C, const TRect& Region, TColor Color)
{
  const TRgb want = RgbOf(Color);
  int left = Region.Right, top = Region.Bottom, right = Region.Left, bottom = Region.Top;
  for (int y = Region.Top; y < Region.Bottom; ++y)
    for (int x = Region.Left; x < Region.Right; ++x)
      if (C.At(x, y) == want) {
        left = std::min(left, x), right = std::max(right, x + 1);
        top = std::min(top, y), bottom = std::max(bottom, y + 1);
      }
  std::vector<std::string> rows;
  for (int y = top; y < bottom; ++y) {
    std::string row;
    for (int x = left; x < right; ++x)
      row += C.At(x, y) == want ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

// What the close box of a horizontal panel caption bar without text shows
// in Color (the cross), as Silhouette gives it.
inline std::vector<std::string> PanelCloseGlyph(TTBWTheme& Theme, TColor Color)
{
  PanelCaptionState state;
  state.IsHorizontalCaption = 1;
  state.ShowCaptionWhenDocked = 1;
  state.CloseButtonState = CDBS_VISIBLE;
  state.EffectiveColor = clWindow;
  const int h = GetSystemMetrics(SM_CYSMCAPTION);
  TThemeTestCanvas bar(80, 50);
  Theme.DrawPanelCaptionBar(bar.Canvas(), TRect(0, 0, 80, 50), state);
  return Silhouette(bar, TRect(80 - h - 2, 0, 80, h), Color);
}

// A floating toolbar's frame record with its caption shown, every part to
// be painted.
inline FloatingPaintState FloatingToolbarState(TPoint Border, int ClientWidth, int ClientHeight)
{
  FloatingPaintState state;
  state.ViewKind = VT_TOOLBAR | VT_FLOATING;
  state.BorderSize = Border;
  state.ClientWidth = ClientWidth;
  state.ClientHeight = ClientHeight;
  state.ShowCaption = 1;
  state.RedrawParts = WRP_BORDER | WRP_CAPTION | WRP_CLOSEBTN;
  return state;
}
