#include "controls/html/document/MapItem.h"

#include <algorithm>

#include <cstdlib>

#include "controls/html/parser/Attributes.h"
#include "controls/html/parser/UrlTarget.h"
#include "platform/base/StringRoutines.h"
#include "platform/win/gdi/gdi.h"

TMapItem::~TMapItem()
{
  for (TArea& A : Areas)
    if (A.Region)
      DeleteObject(A.Region);
}

std::vector<int> ParseCoords(const std::string& Value)
{
  std::vector<int> Numbers;
  const std::string S = Trim(Value);
  std::size_t I = 0;
  auto Separator = [](char C) { return C == ',' || C == ' ' || C == '\t' || C == '\r' || C == '\n'; };
  while (I < S.size() && Numbers.size() < 301) {
    std::size_t J = I;
    while (J < S.size() && !Separator(S[J]))
      ++J;
    const std::string Token = S.substr(I, std::min<std::size_t>(J - I, 20));
    if (Token.empty())
      break;
    char* End = nullptr;
    const long V = std::strtol(Token.c_str(), &End, 10);
    Numbers.push_back(End && *End == 0 && V >= -1000000 && V <= 1000000 ? int(V) : 0);
    I = J;
    while (I < S.size() && Separator(S[I]))
      ++I;
  }
  return Numbers;
}

void TMapItem::AddArea(const TAttributeList& Attributes)
{
  enum { Rect, Circle, Poly } Shape = Rect;
  TArea Area;
  std::vector<int> Coords;
  for (int I = 0; I < Attributes.Count(); ++I) {
    const TAttribute* A = Attributes.Items(I);
    switch (A->Which) {
    case HrefSy: Area.Href = A->Name; break;
    case NoHrefSy: Area.Href.clear(); break;
    case TargetSy: Area.Target = A->Name; break;
    case TitleSy: Area.Title = A->Name; break;
    case ShapeSy: {
      const std::string S = LowerCase(A->Name).substr(0, 4);
      Shape = S == "circ" ? Circle : S == "poly" ? Poly : Rect;
      break;
    }
    case CoordsSy: Coords = ParseCoords(A->Name); break;
    default: break;
    }
  }
  const std::size_t N = Coords.size();
  if (Shape == Rect && N >= 4)
    Area.Region = CreateRectRgn(Coords[0], Coords[1], Coords[2] + 1, Coords[3] + 1);
  else if (Shape == Circle && N >= 3) {
    // No picture is wider than 32767 pixels: a larger circle covers no more
    // of it, and its region would cost more than the page is worth.
    const int Radius = std::clamp(Coords[2], 0, 16383);
    Area.Region = CreateEllipticRgn(Coords[0] - Radius, Coords[1] - Radius, Coords[0] + Radius + 1,
                                    Coords[1] + Radius + 1);
  }
  else if (Shape == Poly && N >= 6) {
    std::vector<TPoint> Points;
    for (std::size_t I = 0; I + 1 < N; I += 2)
      Points.push_back({Coords[I], Coords[I + 1]});
    Area.Region = CreatePolygonRgn(Points.data(), int(Points.size()), WINDING);
  }
  if (Area.Region)
    Areas.push_back(std::move(Area));
}

bool TMapItem::GetURL(int X, int Y, TUrlTarget& Link, std::string& Title) const
{
  for (const TArea& A : Areas) {
    if (!PtInRegion(A.Region, X, Y))
      continue;
    if (A.Href.empty())
      return false;
    Link.Assign(A.Href, A.Target);
    Title = A.Title;
    return true;
  }
  return false;
}
