// TFixedFontService: fonts with fixed metrics that no installed font
// influences, for tests of measuring, layout and painting.
#pragma once

#include <string>
#include <string_view>

#include "controls/html/text/FontService.h"

// 96 pixels per inch; a character height E gives internal leading E / 5,
// ascent four fifths of the cell, external leading E / 10; every character is
// E / 2 wide (one more in bold), ideographs E wide, each plus the font's
// CharExtra. The faces it knows are given at construction; the symbol faces
// realise the symbol character set, and DEFAULT_CHARSET realises as itself.
//
// Drawing paints every character but the blanks as a solid box: columns
// from its left edge up to one short of its advance, rows from the internal
// leading down to the baseline; underline is the row below the baseline,
// strike-out the row at half the ascent. So a test sees exactly where each
// character went, and ink never leaves the measured cell.
class TFixedFontService : public THtmlFontService {
public:
  TFixedFontService();
  explicit TFixedFontService(std::string Faces);  // a comma-separated list

  int PixelsPerInch() const override { return 96; }
  bool FaceInstalled(std::string_view Face) const override;
  THtmlTextMetrics Metrics(const THtmlFontDesc& Font) const override;
  void TextExtents(const THtmlFontDesc& Font, const char16_t* Text, int Count, int* Extents) const override;
  void DrawText(HDC DC, int X, int Y, const THtmlFontDesc& Font, TColor Color, TColor Background,
                const char16_t* Text, int Count, const TRect* Clip = nullptr) const override;

  // The advance of one character in Font.
  int CharWidth(const THtmlFontDesc& Font, char16_t Ch) const;

private:
  std::string FFaces;  // lower-cased, each followed by ","
};
