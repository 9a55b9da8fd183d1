#include <algorithm>

#include "controls/html/document/Block.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/paint/DrawingHelpers.h"
#include "platform/win/gdi/gdi.h"

TBlockLI::TBlockLI(TSectionList* ADocument, TCellBasic* Parent, TProperties& Props, TAttributeList* Attributes,
                   const std::string& ATag, TListKind AKind, int ALevel, int ANumber, char ATypeChar, bool APlain)
    : TBlock(ADocument, Parent, Props, Attributes, ATag), ListKind(AKind), ListNumber(ANumber)
{
  switch (ListKind) {
  case Ordered:
    ListStyle = ATypeChar == 'A'   ? lsUpperAlpha
                : ATypeChar == 'I' ? lsUpperRoman
                : ATypeChar == 'a' ? lsLowerAlpha
                : ATypeChar == 'i' ? lsLowerRoman
                                   : lsDecimal;
    break;
  case Unordered:
    ListStyle = APlain ? lsNone : ALevel % 3 == 0 ? lsSquare : ALevel % 3 == 1 ? lsDisc : lsCircle;
    break;
  case Outside:
    ListStyle = lsDisc;
    if (MargArrayO[piMarginLeft].IsNumber() &&
        (MargArrayO[piMarginLeft].AsInteger() == IntNull || MargArrayO[piMarginLeft].AsInteger() == 0))
      MargArrayO.Set(piMarginLeft, TPropValue(16));
    break;
  default:
    ListStyle = lsBlank;
    break;
  }
  // The lists' own entries say "blank"; anything else came from a style.
  if (const TListStyleType FromStyle = Props.GetListStyleType(); FromStyle != lsBlank)
    ListStyle = FromStyle;
  MarkerFont = Props.GetFont();
}

std::string TBlockLI::MarkerLabel() const
{
  return ListItemLabel(ListNumber, ListStyle);
}

int TBlockLI::LayOut(int X, int& Pos, int& MaxWidth, IndentManager& IMgr, int AvailHeight, int Width, int Y)
{
  FirstLineHt = 0;
  int* Save = Document->FirstLineY;
  Document->FirstLineY = &FirstLineHt;
  const int Result = TBlock::LayOut(X, Pos, MaxWidth, IMgr, AvailHeight, Width, Y);
  Document->FirstLineY = Save;
  return Result;
}

int TBlockLI::Paint(HDC DC, const TRect& Clip, int X)
{
  const int Result = TBlock::Paint(DC, Clip, X);
  if (DisplayNone || !Visible || ListKind == Definition || ListStyle == lsBlank || ListStyle == lsNone)
    return Result;
  const int Y = FirstLineHt - Document->YOff;
  if (FirstLineHt == 0 || Y < Clip.Top - 50 || Y > Clip.Bottom + 50)
    return Result;
  const int CX = ContentLeft + (Positioning == posRelative ? LeftP() : 0);
  const TColor Color = MarkerFont->Color;
  HBRUSH Brush = CreateSolidBrush(PlainColor(Color));
  HPEN Pen = CreatePen(PS_SOLID, 1, PlainColor(Color));
  HGDIOBJ OldPen = SelectObject(DC, Pen);
  switch (ListStyle) {
  case lsCircle: {
    HGDIOBJ OldBrush = SelectObject(DC, GetStockObject(NULL_BRUSH));
    Ellipse(DC, CX - 16, Y - 7, CX - 9, Y);
    SelectObject(DC, OldBrush);
    break;
  }
  case lsDisc: {
    HGDIOBJ OldBrush = SelectObject(DC, Brush);
    Ellipse(DC, CX - 15, Y - 6, CX - 10, Y - 1);
    SelectObject(DC, OldBrush);
    break;
  }
  case lsSquare:
    FillSolid(DC, {CX - 15, Y - 6, CX - 10, Y - 1}, Color);
    break;
  default: {
    const std::string Label = MarkerLabel();
    const std::u16string Wide(Label.begin(), Label.end());
    const THtmlFontDesc Desc = MarkerFont->Desc();
    const THtmlTextMetrics M = Document->Fonts.Metrics(Desc);
    std::vector<int> Ext(Wide.size());
    Document->Fonts.TextExtents(Desc, Wide.data(), int(Wide.size()), Ext.data());
    const int W = Ext.empty() ? 0 : Ext.back();
    Document->Fonts.DrawText(DC, CX - 10 - W, Y - M.Ascent, Desc, Color, clNone, Wide.data(), int(Wide.size()));
    break;
  }
  }
  SelectObject(DC, OldPen);
  DeleteObject(Pen);
  DeleteObject(Brush);
  return Result;
}
