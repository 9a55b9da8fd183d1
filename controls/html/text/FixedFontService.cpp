#include "controls/html/text/FixedFontService.h"

#include <algorithm>
#include <climits>

#include "platform/base/StringRoutines.h"
#include "platform/win/gdi/Objects.h"
#include "platform/win/gdi/Primitives.h"
#include "platform/win/gdi/SysColors.h"

namespace {

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

int ClampToInt(long long Value)
{
  return int(std::clamp<long long>(Value, INT_MIN, INT_MAX));
}

bool IsBlank(char16_t Ch)
{
  return Ch <= 32 || Ch == 160;
}

// Fills Box, cut to Clip when there is one, with Color.
void FillBox(HDC DC, TRect Box, const TRect* Clip, TColor Color)
{
  if (Clip && !IntersectRect(Box, Box, *Clip))
    return;
  if (Box.Left >= Box.Right || Box.Top >= Box.Bottom)
    return;
  HBRUSH Brush = CreateSolidBrush(ColorToRGB(Color));
  FillRect(DC, &Box, Brush);
  DeleteObject(Brush);
}

}  // namespace

TFixedFontService::TFixedFontService()
    : TFixedFontService("Times New Roman,Arial,Courier New,Arial Unicode MS,Lucida Handwriting,Symbol")
{
}

TFixedFontService::TFixedFontService(std::string Faces)
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

bool TFixedFontService::FaceInstalled(std::string_view Face) const
{
  std::string Key = "," + LowerCase(Trim(Face)) + ",";
  return Key.size() > 2 && FFaces.find(Key) != std::string::npos;
}

THtmlTextMetrics TFixedFontService::Metrics(const THtmlFontDesc& Font) const
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

int TFixedFontService::CharWidth(const THtmlFontDesc& Font, char16_t Ch) const
{
  const int E = CharacterHeight(Font);
  const int Bold = Font.Style.Contains(fsBold) ? 1 : 0;
  const int Glyph = (Ch >= 0x2E80 && Ch < 0xD800 ? std::max(1, E) : std::max(1, E / 2)) + Bold;
  return ClampToInt((long long)Glyph + Font.CharExtra);
}

void TFixedFontService::TextExtents(const THtmlFontDesc& Font, const char16_t* Text, int Count, int* Extents) const
{
  long long Width = 0;
  for (int I = 0; I < Count; ++I) {
    Width = std::clamp<long long>(Width + CharWidth(Font, Text[I]), INT_MIN, INT_MAX);
    Extents[I] = int(Width);
  }
}

void TFixedFontService::DrawText(HDC DC, int X, int Y, const THtmlFontDesc& Font, TColor Color, TColor Background,
                                 const char16_t* Text, int Count, const TRect* Clip) const
{
  if (Count <= 0)
    return;
  const THtmlTextMetrics M = Metrics(Font);
  long long Left = X;
  long long Right = X;
  for (int I = 0; I < Count; ++I)
    Right += CharWidth(Font, Text[I]);
  const int Top = Y;
  const int Bottom = ClampToInt((long long)Y + M.Height);
  const int Baseline = ClampToInt((long long)Y + M.Ascent);
  if (Background != clNone)
    FillBox(DC, TRect(ClampToInt(std::min(Left, Right)), Top, ClampToInt(std::max(Left, Right)), Bottom), Clip,
            Background);
  long long Pen = Left;
  for (int I = 0; I < Count; ++I) {
    const int Advance = CharWidth(Font, Text[I]);
    if (!IsBlank(Text[I]) && Advance > 1)
      FillBox(DC, TRect(ClampToInt(Pen), ClampToInt((long long)Top + M.InternalLeading), ClampToInt(Pen + Advance - 1),
                        Baseline),
              Clip, Color);
    Pen += Advance;
  }
  if (Right <= Left)
    return;
  if (Font.Style.Contains(fsUnderline) && M.Descent > 1)
    FillBox(DC, TRect(ClampToInt(Left), Baseline + 1, ClampToInt(Right), Baseline + 2), Clip, Color);
  if (Font.Style.Contains(fsStrikeOut)) {
    const int Row = ClampToInt((long long)Baseline - M.Ascent / 2);
    FillBox(DC, TRect(ClampToInt(Left), Row, ClampToInt(Right), Row + 1), Clip, Color);
  }
}
