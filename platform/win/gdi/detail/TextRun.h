// Text as the text calls work on it: code points with the unit index each came
// from, and the drawing of one line in the selected font.
#pragma once

#include <string>
#include <vector>

#include "platform/win/gdi/detail/DCData.h"
#include "platform/win/gdi/detail/FontEngine.h"

namespace gdi {

struct TTextRun {
  std::u32string Chars;
  std::vector<int> Units;  // the unit index of each character; one more entry: the total
  static TTextRun FromUtf8(const char* text, int count);
  static TTextRun FromUtf16(const char16_t* text, int count);
};

std::shared_ptr<TFontInstance> SelectedFont(const TDC& dc);
// The advance of each character with the DC's character extra and justification.
std::vector<int> Advances(const TDC& dc, TFontInstance& font, const std::u32string& chars);

struct TLineDraw {
  const int* Dx = nullptr;     // advances per character, or null for the font's
  bool Opaque = false;         // fill the text cells with the background colour
  const TRect* OpaqueRect = nullptr;  // logical; ETO_OPAQUE
  const TRect* ClipRect = nullptr;    // logical
  int UnderlineIndex = -1;     // a character to underline (prefix)
  bool PrefixOnly = false;     // draw the underline alone
};
// Draws chars at the logical reference point with the DC's alignment (and
// escapement of the font); answers the width.
int DrawLine(TDrawAccess& a, TFontInstance& font, TPoint ref, const std::u32string& chars, const TLineDraw& options);

}  // namespace gdi
