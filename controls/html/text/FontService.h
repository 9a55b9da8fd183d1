// THtmlFontService: everything the viewer asks of fonts, in one small
// interface: whether a face is installed, the realised metrics of a font, the
// widths of text, the resolution fonts are sized for, and drawing text. The
// viewer is handed one and never looks for fonts elsewhere, so that measuring
// and drawing always go through the same fonts. TRasterFontService answers
// through the drawing layer's fonts; TFixedFontService answers with fixed
// metrics, for tests that must not depend on the fonts installed.
#pragma once

#include <string>
#include <string_view>

#include "platform/base/Geometry.h"
#include "platform/base/Types.h"
#include "platform/classes/graphics/GraphicsTypes.h"  // TFontStyle, TFontStyles
#include "platform/win/gdi/GdiConsts.h"               // the character sets

// A font as the viewer asks for it. Height is in pixels; a negative height is
// the character height without internal leading, as the platform's fonts take it.
struct THtmlFontDesc {
  std::string Name;
  int Height = 0;
  TFontStyles Style;
  BYTE CharSet = DEFAULT_CHARSET;
  int CharExtra = 0;  // pixels added after every character (letter spacing)
};

// The metrics of a realised font, in pixels.
struct THtmlTextMetrics {
  int Height = 0;
  int Ascent = 0;
  int Descent = 0;
  int InternalLeading = 0;
  int ExternalLeading = 0;
  int AveCharWidth = 0;
  int MaxCharWidth = 0;
  BYTE CharSet = ANSI_CHARSET;
};

// How far an italic run leans past its measured width: a tenth of the font
// height; nothing for upright text. Layout adds it to each measured run.
inline int ItalicOverhang(TFontStyles Style, const THtmlTextMetrics& Metrics)
{
  return Style.Contains(fsItalic) ? Metrics.Height / 10 : 0;
}
inline int ItalicOverhang(const THtmlFontDesc& Font, const THtmlTextMetrics& Metrics)
{
  return ItalicOverhang(Font.Style, Metrics);
}

class THtmlFontService {
public:
  virtual ~THtmlFontService() = default;

  // The resolution font sizes in points and lengths in inches convert with.
  virtual int PixelsPerInch() const = 0;
  virtual bool FaceInstalled(std::string_view Face) const = 0;
  virtual THtmlTextMetrics Metrics(const THtmlFontDesc& Font) const = 0;
  // Extents[i] receives the width of the first i + 1 characters of Text.
  // Characters advance by their own widths (no kerning across them), so that
  // part of a measured run is as wide as the difference of its extents:
  // layout measures each font run once and reads its pieces from it.
  virtual void TextExtents(const THtmlFontDesc& Font, const char16_t* Text, int Count, int* Extents) const = 0;
  // Draws the first Count characters of Text on DC with the top of their
  // cell at (X, Y), in Color; Background fills the measured cell first
  // unless it is clNone. With Clip, nothing is drawn outside it. The text
  // advances exactly as TextExtents measures it.
  virtual void DrawText(HDC DC, int X, int Y, const THtmlFontDesc& Font, TColor Color, TColor Background,
                        const char16_t* Text, int Count, const TRect* Clip = nullptr) const = 0;
};
