#include "controls/html/text/FontMetrics.h"

#include <algorithm>
#include <climits>

#include "platform/base/StringRoutines.h"

namespace {

THtmlFontMetrics* Installed = nullptr;

// Heights beyond this are taken as this: no screen shows a larger glyph, and
// the metrics derived from it stay within range.
constexpr int MaxCharacterHeight = 100000;

int CharacterHeight(const THtmlFontDesc& Font)
{
  if (Font.Height == 0)
    return 13;
  if (Font.Height < 0)
    return Font.Height < -MaxCharacterHeight ? MaxCharacterHeight : -Font.Height;
  return std::clamp(Font.Height / 6 * 5, 1, MaxCharacterHeight);  // the cell height less its leading
}

}  // namespace

TFixedFontMetrics::TFixedFontMetrics()
    : TFixedFontMetrics("Times New Roman,Arial,Courier New,Arial Unicode MS,Lucida Handwriting,Symbol")
{
}

TFixedFontMetrics::TFixedFontMetrics(std::string Faces)
{
  for (std::size_t Start = 0; Start <= Faces.size();) {
    std::size_t Comma = Faces.find(',', Start);
    if (Comma == std::string::npos)
      Comma = Faces.size();
    std::string Face = LowerCase(Trim(std::string_view(Faces).substr(Start, Comma - Start)));
    if (!Face.empty())
      FFaces += "," + Face + ",";
    Start = Comma + 1;
  }
}

bool TFixedFontMetrics::FaceInstalled(std::string_view Face) const
{
  std::string Key = "," + LowerCase(Trim(Face)) + ",";
  return Key.size() > 2 && FFaces.find(Key) != std::string::npos;
}

THtmlTextMetrics TFixedFontMetrics::Metrics(const THtmlFontDesc& Font) const
{
  const int E = CharacterHeight(Font);
  THtmlTextMetrics M;
  M.InternalLeading = E / 5;
  M.Height = E + M.InternalLeading;
  M.Ascent = M.Height * 4 / 5;
  M.Descent = M.Height - M.Ascent;
  M.ExternalLeading = E / 10;
  M.AveCharWidth = std::max(1, E / 2) + (Font.Style.Contains(fsBold) ? 1 : 0);
  M.MaxCharWidth = std::max(1, E);
  if (SameText(Trim(Font.Name), "symbol"))
    M.CharSet = SYMBOL_CHARSET;
  else
    M.CharSet = Font.CharSet;
  return M;
}

int TFixedFontMetrics::CharWidth(const THtmlFontDesc& Font, char16_t Ch) const
{
  const int E = CharacterHeight(Font);
  const int Bold = Font.Style.Contains(fsBold) ? 1 : 0;
  if (Ch >= 0x2E80 && Ch < 0xD800)
    return std::max(1, E) + Bold;
  return std::max(1, E / 2) + Bold;
}

void TFixedFontMetrics::TextExtents(const THtmlFontDesc& Font, const char16_t* Text, int Count, int* Extents) const
{
  long long Width = 0;
  for (int I = 0; I < Count; ++I) {
    Width = std::min<long long>(Width + CharWidth(Font, Text[I]), INT_MAX);
    Extents[I] = int(Width);
  }
}

THtmlFontMetrics& ScreenFontMetrics()
{
  static TFixedFontMetrics Fixed;
  return Installed ? *Installed : Fixed;
}

void SetScreenFontMetrics(THtmlFontMetrics* Metrics)
{
  Installed = Metrics;
}
