#include "controls/html/styles/StyleConversions.h"

#include <algorithm>
#include <cmath>

#include "controls/html/styles/StyleNumbers.h"
#include "controls/html/text/FontService.h"
#include "platform/base/StringRoutines.h"

namespace {

double DefaultPointSize = 12;

// The number and the unit of a length or size.
double SplitLength(std::string_view S, std::string& Unit)
{
  std::string Text = Trim(S);
  std::size_t Length = 0;
  double V = NumberPrefix(Text, Length);
  Unit = Trim(std::string_view(Text).substr(Length));
  return V;
}

}  // namespace

double DefPointSize()
{
  return DefaultPointSize;
}

void SetDefPointSize(double Size)
{
  DefaultPointSize = Size;
}

int LengthConv(std::string_view S, bool Relative, int Base, int EmSize, int ExSize, int PixelsPerInch, int Default)
{
  std::string Unit;
  const double V = SplitLength(S, Unit);
  const double Ppi = PixelsPerInch;
  double Result;
  if (Unit == "in")
    Result = Ppi * V;
  else if (Unit == "cm")
    Result = Ppi * V / 2.54;
  else if (Unit == "mm")
    Result = Ppi * V / 25.4;
  else if (Unit == "pt")
    Result = V * Ppi / 72;
  else if (Unit == "px")
    Result = V;
  else if (Unit == "pc")
    Result = V * Ppi / 6;
  else if (Unit == "em")
    Result = EmSize * V;
  else if (Unit == "ex")
    Result = ExSize * V;
  else if (Unit == "%")
    Result = Base * V / 100;
  else if (Unit.empty())
    Result = Relative ? Base * V : V;
  else
    return Default;
  return RoundToInt(Result);
}

namespace {

double UnboundFontSize(std::string_view S, double OldSize, int PixelsPerInch)
{
  std::string Unit;
  const double V = SplitLength(S, Unit);
  const double Ppi = PixelsPerInch;
  const double D = DefaultPointSize;
  if (Unit == "in")
    return V * 72;
  if (Unit == "cm")
    return V * 72 / 2.54;
  if (Unit == "mm")
    return V * 72 / 25.4;
  if (Unit == "pt")
    return V;
  if (Unit == "px")
    return V * 72 / Ppi;
  if (Unit == "pc")
    return V * 12;
  if (Unit == "em")
    return OldSize * V;
  if (Unit == "ex")
    return OldSize * V / 2;
  if (Unit == "%")
    return OldSize * V / 100;
  if (Unit.empty())
    return V * 72 / Ppi;
  if (Unit == "smaller")
    return OldSize * 0.75;
  if (Unit == "larger")
    return OldSize * 1.25;
  if (Unit == "xx-small")
    return D / 1.5;
  if (Unit == "x-small")
    return D / 1.2;
  if (Unit == "small")
    return D;
  if (Unit == "medium")
    return D * 1.2;
  if (Unit == "large")
    return D * 1.5;
  if (Unit == "x-large")
    return D * 2;
  if (Unit == "xx-large")
    return D * 3;
  return D;
}

}  // namespace

double BoundFontPoints(double Size)
{
  if (std::isnan(Size))
    return DefaultPointSize;
  return std::clamp(Size, 0.0, MaxFontPoints);
}

double FontSizeConv(std::string_view S, double OldSize, int PixelsPerInch)
{
  return BoundFontPoints(UnboundFontSize(S, OldSize, PixelsPerInch));
}

TAlignmentStyle AlignmentFromString(std::string_view S)
{
  const std::string L = LowerCase(S);
  if (L == "top")
    return aTop;
  if (L == "middle" || L == "absmiddle" || L == "center")
    return aMiddle;
  if (L == "left")
    return aLeft;
  if (L == "right")
    return aRight;
  if (L == "bottom")
    return aBottom;
  if (L == "baseline")
    return aBaseline;
  if (L == "justify")
    return aJustify;
  return aNone;
}

TCssBorderStyle BorderStyleFromString(std::string_view S)
{
  static constexpr std::string_view Words[] = {"none",   "solid",  "inset",  "outset", "groove",
                                               "ridge",  "dashed", "dotted", "double"};
  // Every block reads its four side styles: the length (4 to 6 letters) and
  // the first letter rule out most words before a full comparison.
  if (S.size() < 4 || S.size() > 6)
    return bssNone;
  for (int I = 0; I < 9; ++I)
    if (S[0] == Words[I][0] && S == Words[I])
      return TCssBorderStyle(I);
  return bssNone;
}

std::string ReadURL(const TPropValue& V)
{
  if (!V.IsString())
    return {};
  const std::string& S = V.AsString();
  std::size_t Open = S.find("url(");
  if (Open == std::string::npos)
    return {};
  std::string Reference = S.substr(Open + 4);
  std::size_t Close = Reference.find(')');
  if (Close != std::string::npos)
    Reference.erase(Close);
  if (Reference.size() > 2 && (Reference[0] == '"' || Reference[0] == '\''))
    Reference = Reference.substr(1, Reference.size() - 2);
  return Reference;
}

bool ReadFontName(const THtmlFontService& Fonts, std::string_view List, std::string& Name)
{
  std::size_t Start = 0;
  while (Start <= List.size()) {
    std::size_t Comma = List.find(',', Start);
    if (Comma == std::string_view::npos)
      Comma = List.size();
    std::string Face = Trim(List.substr(Start, Comma - Start));
    Start = Comma + 1;
    if (SameText(Face, "serif"))
      Face = "Times New Roman";
    else if (SameText(Face, "monospace"))
      Face = "Courier New";
    else if (SameText(Face, "sans-serif"))
      Face = "Arial";
    else if (SameText(Face, "cursive"))
      Face = "Lucida Handwriting";
    if (!Face.empty() && (Face.front() == '"' || Face.front() == '\''))
      Face.erase(0, 1);
    if (!Face.empty() && (Face.back() == '"' || Face.back() == '\''))
      Face.pop_back();
    if (!Face.empty() && Fonts.FaceInstalled(Face)) {
      Name = Face;
      return true;
    }
  }
  return false;
}
