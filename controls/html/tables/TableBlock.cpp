#include "controls/html/tables/TableBlock.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "controls/html/document/SectionList.h"
#include "controls/html/layout/IndentManager.h"
#include "controls/html/paint/DrawingHelpers.h"
#include "controls/html/parser/Attributes.h"
#include "controls/html/styles/ColorNames.h"
#include "controls/html/tables/TableCell.h"
#include "controls/html/tables/TableLayout.h"
#include "platform/base/StringRoutines.h"

namespace {

// ALIGN of a table or a caption pair: centre, or a float.
void ReadTableAlign(TAttributeList& Attributes, int& Justify, std::uint8_t& Floating, bool StyleFloats)
{
  if (const TAttribute* A = Attributes.Find(AlignSy)) {
    const std::string S = UpperCase(Trim(A->Name));
    if (S == "CENTER")
      Justify = 2;
    else if (S == "LEFT" && !StyleFloats)
      Floating = 5;
    else if (S == "RIGHT" && !StyleFloats)
      Floating = 6;
  }
}

}  // namespace

TTableBlock::TTableBlock(TSectionList* ADocument, TCellBasic* Parent, TProperties& Props, TAttributeList& Attributes,
                         ThtmlTable* ATable)
    : TBlock(ADocument, Parent, Props, &Attributes, "table"), Table(ATable)
{
  MyCell->Sections.push_back(std::unique_ptr<TSectionBase>(ATable));
  const bool StyleFloats = Floating != 0;
  ReadTableAlign(Attributes, Justify, Floating, StyleFloats);
  for (int I = 0; I < Attributes.Count(); ++I) {
    const TAttribute* A = Attributes.Items(I);
    switch (A->Which) {
    case BgColorSy: HasBgColor = ReadBgColorAttribute(A->Name, BgColor) || HasBgColor; break;
    case WidthSy: ReadWidthAttribute(A->Name, A->Value, WidthAttr, WidthPercent); break;
    case HeightSy:
      if (!Props.ExplicitFlags[piHeight] && A->Value > 0)
        MargArrayO.Set(piHeight, A->Name.find('%') != std::string::npos ? TPropValue(std::to_string(A->Value) + "%")
                                                                         : TPropValue(std::min(A->Value, 32767)));
      break;
    case HSpaceSy: HSpace = std::min(40, std::abs(A->Value)); break;
    case VSpaceSy: VSpace = std::min(200, std::abs(A->Value)); break;
    default: break;
    }
  }
  // A style width: a percentage in per-mille, pixels including border and padding.
  const TPropValue& W = MargArrayO[piWidth];
  if (W.IsString() && !W.AsString().empty()) {
    const std::string S = Trim(W.AsString());
    if (S.find('%') != std::string::npos) {
      const int Pct = std::atoi(S.c_str());
      if (Pct > 0) {
        WidthAttr = std::min(1000, Pct * 10);
        WidthPercent = true;
      }
    } else if (MargArray[piWidth] > 0 && IsGivenValue(MargArray[piWidth])) {
      WidthAttr = MargArray[piWidth];
      WidthPercent = false;
    }
  } else if (W.IsNumber() && IsGivenValue(W.AsInteger()) && W.AsInteger() > 0) {
    WidthAttr = W.AsInteger();
    WidthPercent = false;
  }
  // The block lays out its content width itself.
  MargArrayO.Set(piWidth, TPropValue());
  // BORDER without a style border: a raised frame of that width.
  bool StyleBorder = false;
  for (int S = 0; S < 4; ++S)
    StyleBorder = StyleBorder || Props.ExplicitFlags[std::size_t(piBorderTopStyle + S)];
  if (Table->Border > 0 && !StyleBorder && !Props.ExplicitFlags[piBorderStyle]) {
    HtmlBorder = true;
    HasBorderStyle = true;
    for (int S = 0; S < 4; ++S) {
      MargArrayO.Set(std::size_t(piBorderTopWidth + S), TPropValue(Table->Border));
      MargArrayO.Set(std::size_t(piBorderTopStyle + S), TPropValue(3));  // outset
    }
  }
  if (Floating && ZValue() == 0)
    SetZValue(1);
  ConvertBox(400);
}

void TTableBlock::ConvertBox(int W)
{
  int Autos = 0;
  const int Top = MargArray[piMarginTop], Bottom = MargArray[piMarginBottom];
  TMarginArray Converted{};
  ConvMargArray(MargArrayO, W, 0, EmSize, ExSize, Document->Fonts.PixelsPerInch(), Converted, Autos);
  Converted[piMarginTop] = Top;
  Converted[piMarginBottom] = Bottom;
  for (int I = piPaddingTop; I <= piBorderLeftWidth; ++I)
    if (!IsGivenValue(Converted[std::size_t(I)]))
      Converted[std::size_t(I)] = 0;
  MargArray.Take(Converted);
}

int TTableBlock::OuterWidth(int W)
{
  const int BP = BoxPaddingLeft() + BoxPaddingRight();
  int Result;
  Table->FixedWidth = 0;
  if (InCaptionPair && PairWidth > 0) {
    Result = PairWidth - BP;
    Table->FixedWidth = std::max(0, Result);
  } else if (WidthAttr > 0 && WidthPercent) {
    Result = int((long long)W * WidthAttr / 1000) - ValueOrZero(MargArray[piMarginLeft]) - ValueOrZero(MargArray[piMarginRight]) - BP;
    Table->FixedWidth = std::max(0, Result);
  } else if (WidthAttr > 0) {
    Result = WidthAttr - BP;
    Table->FixedWidth = std::max(0, Result);
  } else {
    int Min = 0, Max = 0;
    Table->MeasureWidths(Min, Max);
    const int Room = W - ValueOrZero(MargArray[piMarginLeft]) - ValueOrZero(MargArray[piMarginRight]) - BP;
    Result = Max <= Room ? Max : std::max(Min, Room);
  }
  int Min = 0, Max = 0;
  Table->MeasureWidths(Min, Max);
  return std::max(Min, Result);
}

int TTableBlock::FindWidth(int W, int AutoCount)
{
  (void)AutoCount;
  auto ML = MargArray[piMarginLeft];
  auto MR = MargArray[piMarginRight];
  if (InCaptionPair) {
    ML = MR = 0;
  } else {
    if (!IsGivenValue(ML)) ML = 0;
    if (!IsGivenValue(MR)) MR = 0;
    if (Floating) {
      if (ML == 0) ML = HSpace;
      if (MR == 0) MR = HSpace;
      if (MargArray[piMarginTop] == 0) MargArray[piMarginTop] = VSpace;
      if (MargArray[piMarginBottom] == 0) MargArray[piMarginBottom] = VSpace;
    }
  }
  if (!IsGivenValue(MargArray[piBackgroundColor]) || MargArray[piBackgroundColor] == int(clNone)) {
    if (HasBgColor)
      MargArray[piBackgroundColor] = int(BgColor);
  }
  const int Bg = MargArray[piBackgroundColor];
  Table->HasBackground = IsGivenValue(Bg) && Bg != int(clNone);
  Table->BackgroundColor = Table->HasBackground ? TColor(Bg) : 0;
  const int Height = MargArray[piHeight];
  Table->HeightSpec = IsGivenValue(Height) && Height > 0 ? Height - MargArray[piPaddingTop] - MargArray[piPaddingBottom] -
                                                        MargArray[piBorderTopWidth] - MargArray[piBorderBottomWidth]
                                                  : 0;
  const int Result = OuterWidth(W);
  if (!InCaptionPair && ML == 0 && MR == 0 && (Justify == 2 || Justify == 3)) {
    const int Spare = std::max(0, W - Result - BoxPaddingLeft() - BoxPaddingRight());
    ML = Justify == 2 ? Spare / 2 : Spare;
  }
  return Result;
}

void TTableBlock::MeasureWidths(int& Min, int& Max)
{
  const int BP = BoxPaddingLeft() + BoxPaddingRight();
  if (WidthAttr > 0 && !WidthPercent) {
    Table->FixedWidth = std::max(0, WidthAttr - BP);
    Table->MeasureWidths(Min, Max);
    Min = Max = std::max(Min, Table->FixedWidth) + BP;
    return;
  }
  Table->FixedWidth = 0;
  Table->MeasureWidths(Min, Max);
  Min += BP;
  Max += BP;
}

void TTableBlock::DrawBorder(HDC DC, const TRect& Border, const TRect& Padding)
{
  if (!HtmlBorder) {
    TBlock::DrawBorder(DC, Border, Padding);
    return;
  }
  // Raised: light on the left and top, dark on the right and bottom.
  const int W = Table->Border;
  for (int I = 0; I < W; ++I) {
    const int L = Border.Left + I, T = Border.Top + I, R = Border.Right - 1 - I, B = Border.Bottom - 1 - I;
    SolidLine(DC, L, T, R, T, Table->LightColor);
    SolidLine(DC, L, T, L, B, Table->LightColor);
    SolidLine(DC, R, T, R, B + 1, Table->DarkColor);
    SolidLine(DC, L, B, R + 1, B, Table->DarkColor);
  }
}

TTableAndCaptionBlock::TTableAndCaptionBlock(TSectionList* ADocument, TCellBasic* Parent, TProperties& Props,
                                             TAttributeList& Attributes, TTableBlock* ATableBlock)
    : TBlock(ADocument, Parent, Props, &Attributes, "tablecaption"), TableBlock(ATableBlock)
{
  ReadTableAlign(Attributes, Justify, Floating, Floating != 0);
  if (Floating && ZValue() == 0)
    SetZValue(1);
  TableBlock->InCaptionPair = true;
  TableBlock->Floating = 0;
  TableBlock->SetZValue(0);
  HasBorderStyle = false;
  for (int I = piMarginTop; I <= piBorderLeftWidth; ++I)
    MargArrayO.Set(std::size_t(I), TPropValue(0));
  MargArrayO.Set(piBackgroundColor, TPropValue());
}

void TTableAndCaptionBlock::Assemble()
{
  MyCell->Sections.clear();
  if (CaptionBlock && CaptionOnTop)
    MyCell->Sections.push_back(std::unique_ptr<TSectionBase>(CaptionBlock));
  MyCell->Sections.push_back(std::unique_ptr<TSectionBase>(TableBlock));
  if (CaptionBlock && !CaptionOnTop)
    MyCell->Sections.push_back(std::unique_ptr<TSectionBase>(CaptionBlock));
  ForgetPaintOrder();
}

int TTableAndCaptionBlock::FindWidth(int W, int AutoCount)
{
  (void)AutoCount;
  MargArray[piMarginLeft] = MargArray[piMarginRight] = 0;
  TableBlock->PairWidth = 0;
  TableBlock->ConvertBox(W);
  const int TableWidth = TableBlock->OuterWidth(W) + TableBlock->MargArray[piBorderLeftWidth] +
                         TableBlock->MargArray[piBorderRightWidth] + TableBlock->MargArray[piPaddingLeft] +
                         TableBlock->MargArray[piPaddingRight];
  int CapMin = 0, CapMax = 0;
  if (CaptionBlock)
    CaptionBlock->MeasureWidths(CapMin, CapMax);
  const int Result = std::max(TableWidth, CapMin);
  TableBlock->PairWidth = Result;
  if (Justify == 2 || Justify == 3) {
    const int Spare = std::max(0, W - Result);
    MargArray[piMarginLeft] = Justify == 2 ? Spare / 2 : Spare;
  }
  return Result;
}

void TTableAndCaptionBlock::MeasureWidths(int& Min, int& Max)
{
  TableBlock->MeasureWidths(Min, Max);
  if (CaptionBlock) {
    int CMin = 0, CMax = 0;
    CaptionBlock->MeasureWidths(CMin, CMax);
    Min = std::max(Min, CMin);
    Max = std::max(Max, CMax);
  }
}

namespace {

// The room between the floats at Y: the block starts right of a left float
// and ends left of a right one.
int LayOutBetweenFloats(TBlock& Block, int& OffsetLeft, int X, int& Pos, int& MaxWidth, IndentManager& IMgr,
                        int AvailHeight, int Width, int Y)
{
  OffsetLeft = 0;
  if (Block.Floating == 5 || Block.Floating == 6 || Block.Positioning == posAbsolute)
    return Block.TBlock::LayOut(X, Pos, MaxWidth, IMgr, AvailHeight, Width, Y);
  const int NewX = std::max(X, IMgr.LeftIndent(Y));
  const int NewWidth = std::max(0, std::min(X + Width, IMgr.RightSide(Y)) - NewX);
  OffsetLeft = NewX - X;
  return Block.TBlock::LayOut(NewX, Pos, MaxWidth, IMgr, AvailHeight, NewWidth, Y);
}

}  // namespace

int TTableBlock::LayOut(int X, int& Pos, int& MaxWidth, IndentManager& IMgr, int AvailHeight, int Width, int Y)
{
  if (InCaptionPair)  // the pair was placed already
    return TBlock::LayOut(X, Pos, MaxWidth, IMgr, AvailHeight, Width, Y);
  return LayOutBetweenFloats(*this, OffsetLeft, X, Pos, MaxWidth, IMgr, AvailHeight, Width, Y);
}

int TTableAndCaptionBlock::LayOut(int X, int& Pos, int& MaxWidth, IndentManager& IMgr, int AvailHeight, int Width,
                                  int Y)
{
  return LayOutBetweenFloats(*this, OffsetLeft, X, Pos, MaxWidth, IMgr, AvailHeight, Width, Y);
}
