#include "controls/html/tables/TableCell.h"

#include <algorithm>
#include <climits>

#include "controls/html/document/SectionList.h"
#include "controls/html/paint/DrawingHelpers.h"
#include "controls/html/parser/Attributes.h"
#include "controls/html/styles/ColorNames.h"
#include "platform/base/StringRoutines.h"
#include "platform/win/gdi/gdi.h"

bool ReadWidthAttribute(const std::string& Text, int Value, int& Width, bool& Percent)
{
  if (Text.find('%') != std::string::npos) {
    if (Value < 1 || Value > 100)
      return false;
    Width = Value * 10;
    Percent = true;
    return true;
  }
  if (Value <= 0)
    return false;
  Width = std::min(Value, 32767);
  Percent = false;
  return true;
}

bool ReadBgColorAttribute(const std::string& Text, TColor& Color)
{
  if (!ColorFromString(Text, false, Color))
    return false;
  Color |= 0x02000000;
  return true;
}

bool ReadVAlign(const std::string& Text, TCellAlign& Align)
{
  const std::string S = LowerCase(Trim(Text));
  if (S == "top" || S == "baseline")
    Align = caTop;
  else if (S == "middle")
    Align = caMiddle;
  else if (S == "bottom")
    Align = caBottom;
  else
    return false;
  return true;
}

int TCell::LayOutCell(int X, int Y, int Width, int AvailHeight, int& MaxWidth, int& Pos)
{
  Floats.Clear();
  Floats.Reset(X, X + Width);
  const int Height = DoLayout(X, Y, Width, AvailHeight, Floats, MaxWidth, Pos);
  return std::max(Height, Floats.FloatsBottom() - Y);
}

namespace {

// Narrows a DC's clipping to a rectangle for as long as it lives.
class TClipTo {
public:
  TClipTo(HDC ADC, const TRect& R) : DC(ADC), Saved(CreateRectRgn(0, 0, 0, 0))
  {
    HadClip = GetClipRgn(DC, Saved) == 1;
    auto Lim = [](int V) { return std::clamp(V, -32000, 32000); };
    HRGN Rgn = CreateRectRgn(Lim(R.Left), Lim(R.Top), Lim(R.Right), Lim(R.Bottom));
    ExtSelectClipRgn(DC, Rgn, RGN_AND);
    DeleteObject(Rgn);
  }
  ~TClipTo()
  {
    SelectClipRgn(DC, HadClip ? Saved : nullptr);
    DeleteObject(Saved);
  }
  TClipTo(const TClipTo&) = delete;
  TClipTo& operator=(const TClipTo&) = delete;

private:
  HDC DC;
  HRGN Saved;
  bool HadClip = false;
};

}  // namespace

TCellObj::TCellObj(TSectionList* ADocument, TAttributeList& Attributes, TProperties& Props, TCellAlign RowAlign)
    : Document(ADocument), VAlign(RowAlign), Cell(std::make_unique<TCell>(ADocument))
{
  Cell->Tag = Props.PropTag.empty() ? "td" : Props.PropTag;
  for (int I = 0; I < Attributes.Count(); ++I) {
    const TAttribute* A = Attributes.Items(I);
    switch (A->Which) {
    case BgColorSy: HasBackground = ReadBgColorAttribute(A->Name, Background) || HasBackground; break;
    case BackgroundSy: BackgroundSource = A->Name; break;
    // Spans past these would only make the grid huge; the table cuts row
    // spans to the rows it has.
    case ColSpanSy: ColSpan = std::clamp(A->Value, 1, 1000); break;
    case RowSpanSy: RowSpan = std::clamp(A->Value, 1, 65534); break;
    case WidthSy: ReadWidthAttribute(A->Name, A->Value, SpecWd, WidthPercent); break;
    case HeightSy:
      if (A->Name.find('%') != std::string::npos)
        SpecHtPercent = std::clamp(A->Value, 0, 100);
      else
        SpecHt = std::clamp(A->Value, 0, 32767);
      break;
    case VAlignSy: ReadVAlign(A->Name, VAlign); break;
    case NoWrapSy: NoWrap = true; break;
    default: break;
    }
  }
  // The style: box values against a reference of 100 pixels.
  TVMarginArray VM;
  Props.GetVMarginArray(VM);
  TMarginArray M{};
  int Autos = 0;
  Props.GetFont();
  ConvMargArray(VM, 100, 100, Props.EmSize(), Props.ExSize(), Document->Fonts.PixelsPerInch(), M, Autos);
  if (IsGivenValue(M[piWidth]) && M[piWidth] > 0) {
    const TPropValue& W = VM[piWidth];
    if (W.IsString() && W.AsString().find('%') != std::string::npos) {
      if (M[piWidth] < 100) {
        SpecWd = M[piWidth] * 10;
        WidthPercent = true;
      }
    } else {
      SpecWd = std::min(M[piWidth], 32767);
      WidthPercent = false;
    }
  }
  if (IsGivenValue(M[piHeight]) && M[piHeight] > 0) {
    SpecHt = std::min(M[piHeight], 32767);
    SpecHtPercent = 0;
  }
  const TColor Bg = Props.GetBackgroundColor();
  if (Bg != clNone) {
    HasBackground = true;
    Background = Bg;
  }
  if (std::string Url; Props.GetBackgroundImage(Url) && !Url.empty())
    BackgroundSource = Url;
  for (int S = 0; S < 4; ++S)
    if (IsGivenValue(M[std::size_t(piPaddingTop + S)]))
      Padding[std::size_t(S)] = std::clamp(M[std::size_t(piPaddingTop + S)], 0, 200);
  HasStyleBorder = Props.HasBorderStyle();
  if (HasStyleBorder)
    for (int S = 0; S < 4; ++S) {
      const int W = M[std::size_t(piBorderTopWidth + S)];
      Border[std::size_t(S)] = IsGivenValue(W) ? std::clamp(W, 0, 100) : 0;
      const int C = M[std::size_t(piBorderTopColor + S)];
      BorderColor[std::size_t(S)] = IsGivenValue(C) && C != int(clNone) ? TColor(C)
                                    : IsGivenValue(M[piBorderColor]) && M[piBorderColor] != int(clNone)
                                        ? TColor(M[piBorderColor])
                                        : TColor(0);
      const int St = M[std::size_t(piBorderTopStyle + S)];
      BorderStyle[std::size_t(S)] = St >= 0 && St <= 8 ? St : 0;
    }
  TAlignmentStyle A;
  if (Props.GetVertAlign(A)) {
    if (A == aTop)
      VAlign = caTop;
    else if (A == aMiddle)
      VAlign = caMiddle;
    else if (A == aBottom)
      VAlign = caBottom;
  }
}

void TCellObj::Init(int TablePadding, bool TableHasBorder)
{
  for (int& P : Padding)
    if (P < 0)
      P = TablePadding;
  if (TableHasBorder && !HasStyleBorder)
    for (int& B : Border)
      B = std::max(B, 1);
  HzSpace = Padding[3] + Border[3] + Border[1] + Padding[1];
  VrSpace = Padding[0] + Border[0] + Border[2] + Padding[2];
}

void TCellObj::MinMax(int& Min, int& Max)
{
  Cell->MeasureWidths(Min, Max);
  if (NoWrap)
    Min = Max;
}

int TCellObj::LayOutContent(int X, int Y, int Spacing, int AvailHeight, int& Pos, bool Final)
{
  DrawX = X;
  DrawY = Y;
  if (Final && !IsEmpty()) {
    const int Free = Ht - ContentHt - Spacing - VrSpace;
    YIndent = VAlign == caTop ? 0 : VAlign == caMiddle ? Free / 2 : Free;
    YIndent = std::max(0, YIndent);
  } else {
    YIndent = 0;
  }
  int MaxWidth = 0;
  const int Width = std::max(0, Wd - HzSpace - Spacing);
  const int Height = Cell->LayOutCell(X + Spacing + Padding[3] + Border[3], Y + Spacing + Padding[0] + Border[0] + YIndent,
                                      Width, AvailHeight, MaxWidth, Pos);
  if (!Final)
    ContentHt = Height;
  return Height;
}

void TCellObj::Paint(HDC DC, const TRect& Clip, int X, int Y, int Spacing, bool TableBorder, TColor Light, TColor Dark)
{
  const TRect Box{X + Spacing, Y + Spacing, X + Wd, Y + Ht};
  if (Box.Right <= Clip.Left || Box.Left >= Clip.Right || Box.Bottom <= Clip.Top || Box.Top >= Clip.Bottom)
    return;
  const TRect Pad{Box.Left + Border[3], Box.Top + Border[0], Box.Right - Border[1], Box.Bottom - Border[2]};
  if (HasBackground) {
    TRect Fill = Pad;
    if (TableBorder && !HasStyleBorder) {
      Fill.Left -= 1;
      Fill.Top -= 1;
    } else if (HasStyleBorder) {
      Fill.Right += Border[1] > 0 ? 1 : 0;
      Fill.Bottom += Border[2] > 0 ? 1 : 0;
    }
    FillSolid(DC, Fill, Background);
  }
  if (!BackgroundSource.empty())
    PaintBackgroundImage(DC, Pad);
  if (!IsEmpty() && Box.Bottom > Clip.Top - 200 && Box.Top < Clip.Bottom + 200) {
    // The content is clipped to the cell.
    const TClipTo CellClip(DC, Box);
    const int YOff = Document->YOff;
    (void)YOff;
    Cell->Draw(DC, Clip, Box.Left + Padding[3] + Border[3], Box.Top);
  }
  if (HasStyleBorder) {
    if (Border[0] == 1 && Border[1] == 1 && Border[2] == 1 && Border[3] == 1 && BorderColor[0] == BorderColor[1] &&
        BorderColor[0] == BorderColor[2] && BorderColor[0] == BorderColor[3] && BorderStyle[0] == BorderStyle[1] &&
        BorderStyle[0] == BorderStyle[2] && BorderStyle[0] == BorderStyle[3] && BorderStyle[0] == 1) {
      HBRUSH Brush = CreateSolidBrush(PlainColor(BorderColor[0]));
      FrameRect(DC, &Box, Brush);
      DeleteObject(Brush);
    } else {
      // The painter's sides run left, top, right, bottom.
      const TBorderColors C{BorderColor[3], BorderColor[0], BorderColor[1], BorderColor[2]};
      const TBorderStyles S{BorderStyle[3], BorderStyle[0], BorderStyle[1], BorderStyle[2]};
      ::DrawBorder(DC, Box, Pad, C, S, clNone);
    }
  } else if (TableBorder && !IsEmpty()) {
    // A sunken frame in the table's colours, drawn only where it can be
    // seen: a cell may be far taller or wider than the screen.
    const int Top = std::max(Box.Top, Clip.Top - 1), Bottom = std::min(Box.Bottom, Clip.Bottom + 1);
    const int Left = std::max(Box.Left, Clip.Left - 1), Right = std::min(Box.Right, Clip.Right + 1);
    if (Box.Top >= Clip.Top - 1 && Box.Top <= Clip.Bottom)
      SolidLine(DC, Left, Box.Top, std::min(Box.Right - 1, Right), Box.Top, Dark);
    if (Box.Left >= Clip.Left - 1 && Box.Left <= Clip.Right)
      SolidLine(DC, Box.Left, Top, Box.Left, std::min(Box.Bottom - 1, Bottom), Dark);
    if (Box.Right - 1 >= Clip.Left - 1 && Box.Right - 1 <= Clip.Right)
      SolidLine(DC, Box.Right - 1, Top, Box.Right - 1, Bottom, Light);
    if (Box.Bottom - 1 >= Clip.Top - 1 && Box.Bottom - 1 <= Clip.Bottom)
      SolidLine(DC, Left, Box.Bottom - 1, Right, Box.Bottom - 1, Light);
  }
}

void TCellObj::PaintBackgroundImage(HDC DC, const TRect& Area)
{
  if (!BackgroundImage) {
    BackgroundImage = std::make_unique<TImageObj>(Document, BackgroundSource);
    BackgroundImage->Align = TImageObj::AlignTop;
    BackgroundImage->Measure(0, 0, nullptr);
  }
  TImageObj& Image = *BackgroundImage;
  // A picture that could not be had is no background.
  if (Image.Missing || Image.ClientWidth <= 0 || Image.ClientHeight <= 0)
    return;
  const TClipTo AreaClip(DC, Area);
  TRect Visible;
  GetClipBox(DC, &Visible);
  const int YOff = Document->YOff;  // the picture draws at document y
  for (int Y = Area.Top; Y < std::min(Area.Bottom, Visible.Bottom); Y += Image.ClientHeight) {
    if (Y + Image.ClientHeight <= Visible.Top)
      continue;
    for (int X = Area.Left; X < std::min(Area.Right, Visible.Right); X += Image.ClientWidth)
      if (X + Image.ClientWidth > Visible.Left)
        Image.Draw(DC, X, 0, Y + YOff, nullptr);
  }
}

TCellList::TCellList(TAttributeList* Attributes, TProperties* Props)
{
  if (Attributes)
    for (int I = 0; I < Attributes->Count(); ++I) {
      const TAttribute* A = Attributes->Items(I);
      switch (A->Which) {
      case BgColorSy: HasBackground = ReadBgColorAttribute(A->Name, Background) || HasBackground; break;
      case HeightSy:
        if (A->Name.find('%') != std::string::npos)
          HeightPercent = std::clamp(A->Value, 0, 100);
        else
          HeightSpec = std::clamp(A->Value, 0, 32767);
        break;
      case VAlignSy: ReadVAlign(A->Name, VAlign); break;
      default: break;
      }
    }
  if (Props) {
    const TColor Bg = Props->GetBackgroundColor();
    if (Bg != clNone) {
      HasBackground = true;
      Background = Bg;
    }
    Props->GetPageBreaks(PageBreakBefore, PageBreakAfter, AvoidBreakInside);
  }
}

void TCellList::AddCell(std::unique_ptr<TCellObj> Cell)
{
  TCellSlot Slot;
  if (Cell) {
    Slot.ColSpan = Cell->ColSpan;
    Slot.RowSpan = Cell->RowSpan;
    if (HeightSpec > 0)
      Cell->SpecHt = std::max(HeightSpec, Cell->SpecHt);
    else if (HeightPercent > 0)
      Cell->SpecHtPercent = std::max(HeightPercent, Cell->SpecHtPercent);
  }
  Slot.Cell = std::move(Cell);
  Slots.push_back(std::move(Slot));
}

bool CellBackground(const TCellObj* Cell, TColor& Color)
{
  if (!Cell || !Cell->HasBackground)
    return false;
  Color = Cell->Background;
  return true;
}
