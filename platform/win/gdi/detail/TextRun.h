// Text as the text calls work on it: code points with the unit index each came
// from, and the drawing of one line in the selected font.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/Utf.h"
#include "platform/win/gdi/detail/DCData.h"
#include "platform/win/gdi/detail/FontEngine.h"

namespace gdi {

struct TTextRun {
  std::u32string Chars;
  std::vector<int> Units;  // the unit index of each character; one more entry: the total
  static TTextRun FromUtf8(const char* text, int count);
  static TTextRun FromUtf16(const char16_t* text, int count);
  // The same into this run, keeping its storage: measuring reuses one run.
  void AssignUtf8(const char* text, int count);
  void AssignUtf16(const char16_t* text, int count);
};

// Copies text into a caller's buffer of room units with its terminating zero,
// cut before a character that does not fit whole (a UTF-8 sequence, a
// surrogate pair); answers the units copied, 0 when room is below 1.
template <class Char>
int CopyWholeCharacters(std::basic_string_view<Char> text, int room, Char* out)
{
  if (room < 1)
    return 0;
  std::size_t n = std::min(text.size(), std::size_t(room - 1));
  if constexpr (sizeof(Char) == 1) {
    n = CutAtCharBoundary(std::string_view(text.data(), text.size()), n).size();
  } else {
    while (n > 0 && n < text.size() && (char16_t(text[n]) & 0xFC00) == 0xDC00)
      --n;
  }
  std::copy_n(text.begin(), n, out);
  out[n] = 0;
  return int(n);
}

std::shared_ptr<TFontInstance> SelectedFont(const TDC& dc);
// The advance of each character with the DC's character extra and justification.
std::vector<int> Advances(const TDC& dc, TFontInstance& font, const std::u32string& chars);
void Advances(const TDC& dc, TFontInstance& font, const std::u32string& chars, std::vector<int>& adv);

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
