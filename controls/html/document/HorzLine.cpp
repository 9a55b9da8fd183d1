#include "controls/html/document/HorzLine.h"

#include <algorithm>

#include "controls/html/document/Block.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/layout/IndentManager.h"
#include "controls/html/paint/DrawingHelpers.h"
#include "controls/html/parser/Attributes.h"
#include "controls/html/styles/ColorNames.h"
#include "platform/base/StringRoutines.h"
#include "platform/win/gdi/gdi.h"

THorzLine::THorzLine(TSectionList* ADocument, TAttributeList& Attributes, TProperties& Props)
    : TSectionBase(ADocument)
{
  for (int I = 0; I < Attributes.Count(); ++I) {
    const TAttribute* A = Attributes.Items(I);
    switch (A->Which) {
    case AlignSy: {
      const std::string S = LowerCase(A->Name);
      Align = S == "left" ? 1 : S == "right" ? 3 : 2;
      break;
    }
    case WidthSy:
      if (A->Value > 0) {
        if (A->Name.find('%') == std::string::npos)
          Props.AssignFromAttribute(piWidth, TPropValue(A->Value));
        else if (A->Value <= 100)
          Props.AssignFromAttribute(piWidth, TPropValue(std::to_string(A->Value) + "%"));
      }
      break;
    case SizeSy:
      if (A->Value >= 1 && A->Value <= 20)
        VSize = A->Value;
      break;
    case ColorSy: {
      TColor C;
      if (ColorFromString(A->Name, false, C))
        Props.AssignFromAttribute(piColor, TPropValue(int(C)));
      break;
    }
    case NoShadeSy:
      NoShade = true;
      break;
    default:
      break;
    }
  }
  Props.AssignFromAttribute(piHeight, TPropValue(VSize));
  if (Props.ExplicitFlags[piColor] && Props.Props[piColor].IsNumber())
    Color = TColor(Props.Props[piColor].AsInteger());
  if (Props.ExplicitFlags[piTextAlign] && Props.Props[piTextAlign].IsString()) {
    const std::string S = Props.Props[piTextAlign].AsString();
    if (S == "left") Align = 1;
    else if (S == "right") Align = 3;
    else if (S == "center") Align = 2;
  }
}

void THorzLine::CopySelection()
{
  if (Document->SelStart <= StartPos && Document->SelEnd > StartPos)
    Document->CopyBuffer += u"\r\n";
}

int THorzLine::LayOut(int X, int& Pos, int& MaxWidth, IndentManager& IMgr, int AvailHeight, int Width, int Y)
{
  (void)AvailHeight;
  StartPos = Pos;
  XLeft = std::max(X, IMgr.LeftIndent(Y));
  HWidth = std::max(0, std::min(X + Width - XLeft, IMgr.RightSide(Y) - XLeft));
  MaxWidth = HWidth;
  ContentHeight = VSize;
  TopY = PaintTop = Y;
  PaintBottom = Y + VSize;
  return VSize;
}

int THorzLine::Paint(HDC DC, const TRect& Clip, int X)
{
  (void)X;
  const int Y = PaintTop - Document->YOff;
  if (Y + VSize <= Clip.Top || Y >= Clip.Bottom)
    return PaintTop + ContentHeight;
  const int L = XLeft, R = XLeft + HWidth - 1, B = Y + VSize - 1;
  if (Color != clNone) {
    FillSolid(DC, {L, Y, R + 1, Y + VSize}, Color);
  } else {
    const bool White = (PlainColor(Document->Background) & 0xFFFFFF) == 0xFFFFFF;
    const TColor First = NoShade ? TColor(0) : White ? TColor(0xC0C0C0) : TColor(clBtnHighlight);
    const TColor Second = NoShade ? TColor(0) : TColor(clBtnShadow);
    FillSolid(DC, {R, Y, R + 1, B + 1}, First);
    FillSolid(DC, {L, B, R + 1, B + 1}, First);
    FillSolid(DC, {L, Y, L + 1, B + 1}, Second);
    FillSolid(DC, {L, Y, R, Y + 1}, Second);
  }
  return PaintTop + ContentHeight;
}

int THRBlock::FindWidth(int W, int AutoCount)
{
  (void)AutoCount;
  if (Positioning == posAbsolute)
    Align = 1;
  auto ML = MargArray[piMarginLeft];
  auto MR = MargArray[piMarginRight];
  if (ML == Auto || ML == IntNull) ML = 0;
  if (MR == Auto || MR == IntNull) MR = 0;
  const int Room = std::max(0, W - ML - MR - BoxPaddingLeft() - BoxPaddingRight());
  const int Wd = MargArray[piWidth];
  const int Result = Wd == Auto || Wd == IntNull || Wd <= 0 ? std::max(15, Room) : std::min(Wd, Room);
  if (Align == 2)
    ML += (Room - Result) / 2;
  else if (Align == 3)
    ML += Room - Result;
  if (Line)
    Line->VSize = std::max(1, MargArray[piHeight] > 0 ? MargArray[piHeight] : Line->VSize);
  return Result;
}
