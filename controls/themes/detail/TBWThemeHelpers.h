// Small helpers the built-in themes share: view-kind tests and rectangle
// arithmetic.
#pragma once

#include <cstdint>

#include "controls/themes/TBWColors.h"
#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWDrawing.h"
#include "controls/themes/TBWTheme.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/themes/TBWVisualStyles.h"

namespace themes_detail {

inline bool IsMenuBar(std::uint32_t ViewKind) { return (ViewKind & VT_MENUBAR) == VT_MENUBAR; }
inline bool IsToolBoxPopup(std::uint32_t ViewKind) { return (ViewKind & VT_TOOLBOXPOPUP) == VT_TOOLBOXPOPUP; }
inline bool IsSingleControlPopup(std::uint32_t ViewKind) { return (ViewKind & (VT_LISTBOX | 1)) == VT_LISTBOX; }

inline bool ToolbarStyle(const TTBWItemInfo& Info) { return Info.ItemOptions & IO_TOOLBARSTYLE; }
// Enabled and hovered, or disabled and keyboard-selected.
inline bool IsHot(const TTBWItemInfo& Info)
{
  return Info.Enabled ? Info.HoverKind != HK_NONE : Info.HoverKind == HK_DISABLED;
}
inline bool LowColor() { return ThemeSystemState().LowColorDisplay; }

// The visual-style handles the theme manager keeps open.
inline HTHEME ButtonHandle() { return ThemeSystemState().Handles[0]; }
inline HTHEME RebarHandle() { return ThemeSystemState().Handles[2]; }
inline HTHEME ToolbarHandle() { return ThemeSystemState().Handles[3]; }
inline HTHEME WindowHandle() { return ThemeSystemState().Handles[4]; }
inline HTHEME ComboBoxHandle() { return ThemeSystemState().Handles[5]; }
inline HTHEME StatusHandle() { return ThemeSystemState().Handles[7]; }
inline HTHEME SpinHandle() { return ThemeSystemState().Handles[8]; }
// A part of a visual style, optionally clipped.
inline void DrawStyleBackground(HTHEME Theme, HDC DC, int Part, int State, const TRect& R, const TRect* Clip = nullptr)
{
  VisualStyles().DrawThemeBackground(Theme, DC, Part, State, &R, Clip);
}

inline TColor Rgb(TColor C) { return TColor(ColorToRGB(C)); }
// The brightness the themes compare: (76 R + 150 G + 30 B) shr 8.
inline int Brightness(TColor C) { return Luminance(Rgb(C)); }
// (A * W + B * (255 - W)) shr 8 of the resolved colours, and its screen-nearest colour.
inline TColor Mix256(TColor A, TColor B, int W) { return WeightedColorMix(Rgb(A), Rgb(B), W); }
inline TColor NearestMix256(TColor A, TColor B, int W) { return NearestMixedColor(Rgb(A), Rgb(B), W); }

inline TRect Offset(const TRect& R, int Dx, int Dy) { return TRect(R.Left + Dx, R.Top + Dy, R.Right + Dx, R.Bottom + Dy); }
inline TRect Inflated(const TRect& R, int D) { return TRect(R.Left - D, R.Top - D, R.Right + D, R.Bottom + D); }

inline void FilledTriangle(HDC DC, const TPoint (&Points)[3], TColor Color)
{
  PolygonColors(DC, Points, 2, Color, Color);
}

// A frame and, inside it, a fill (either may be clNone).
inline void FrameAndFill(HDC DC, TRect R, TColor Frame, TColor Fill)
{
  FrameRectColor(DC, R, Frame, true);
  FillRectColor(DC, R, Fill);
}

}  // namespace themes_detail
