// What the viewer's text and style code needs to know about fonts: whether a
// face is installed, the realised metrics of a font, the widths of text and
// the screen's resolution. The drawing layer answers for the screen; the
// fixed-metric implementation answers the same questions without fonts, for
// tests and for a process that has not installed the drawing layer's one.
#pragma once

#include <string>
#include <string_view>

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

class THtmlFontMetrics {
public:
  virtual ~THtmlFontMetrics() = default;

  virtual int PixelsPerInch() const = 0;
  virtual bool FaceInstalled(std::string_view Face) const = 0;
  virtual THtmlTextMetrics Metrics(const THtmlFontDesc& Font) const = 0;
  // Extents[i] receives the width of the first i + 1 characters of Text.
  virtual void TextExtents(const THtmlFontDesc& Font, const char16_t* Text, int Count, int* Extents) const = 0;
};

// Fixed metrics: 96 pixels per inch; a character height E gives internal
// leading E / 5, ascent four fifths of the cell, external leading E / 10;
// every character is E / 2 wide (one more in bold), ideographs E wide. The
// faces it knows are given at construction; the symbol faces realise the
// symbol character set, and DEFAULT_CHARSET realises as itself.
class TFixedFontMetrics : public THtmlFontMetrics {
public:
  TFixedFontMetrics();
  explicit TFixedFontMetrics(std::string Faces);  // a comma-separated list

  int PixelsPerInch() const override { return 96; }
  bool FaceInstalled(std::string_view Face) const override;
  THtmlTextMetrics Metrics(const THtmlFontDesc& Font) const override;
  void TextExtents(const THtmlFontDesc& Font, const char16_t* Text, int Count, int* Extents) const override;

  // The width of one character in Font.
  int CharWidth(const THtmlFontDesc& Font, char16_t Ch) const;

private:
  std::string FFaces;  // lower-cased, each followed by ","
};

// The font metrics of the screen: the drawing layer installs its own at start;
// until then (and in tests) a TFixedFontMetrics with the usual faces answers.
THtmlFontMetrics& ScreenFontMetrics();
// Installs Metrics (not owned); null restores the fixed metrics.
void SetScreenFontMetrics(THtmlFontMetrics* Metrics);
