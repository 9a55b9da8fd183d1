#include "controls/html/document/Block.h"

#include <algorithm>
#include <climits>

#include "controls/html/document/ImageObj.h"
#include "controls/html/document/Section.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/layout/IndentManager.h"
#include "controls/html/paint/BackgroundTiles.h"
#include "controls/html/paint/DrawingHelpers.h"
#include "controls/html/parser/Attributes.h"
#include "platform/win/gdi/gdi.h"

namespace {

long long Clamp64(long long V)
{
  return std::clamp<long long>(V, -1000000000LL, 1000000000LL);
}

}  // namespace

void TBlockCell::DropTrailingBottomMargin()
{
  for (auto It = Sections.rbegin(); It != Sections.rend(); ++It) {
    auto* B = AsBlock(It->get());
    if (!B)
      return;
    if (B->Positioning == posAbsolute)
      continue;
    if (auto* LI = dynamic_cast<TBlockLI*>(B)) {
      LI->MyCell->DropTrailingBottomMargin();
      return;
    }
    if (B->BottomAuto)
      B->MargArray[piMarginBottom] = 0;
    return;
  }
}

TBlock::TBlock(TSectionList* ADocument, TCellBasic* Parent, TProperties& Props, TAttributeList* Attributes,
               const std::string& ATag)
    : TSectionBase(ADocument), MyCell(std::make_unique<TBlockCell>(ADocument))
{
  MyCell->Tag = ATag;
  TAlignmentStyle Align;
  if (Props.GetFloat(Align))
    Floating = Align == aLeft ? 5 : Align == aRight ? 6 : 0;
  TClearAttrType Clear;
  if (Props.GetClear(Clear))
    ClearAttr = int(Clear);
  HasBorderStyle = Props.HasBorderStyle();
  Props.Font();  // sizes em and ex
  EmSize = Props.EmSize();
  ExSize = Props.ExSize();
  DisplayNone = Props.DisplayNone();
  Title = Props.PropTitle;
  Positioning = int(Props.GetPositionKind());
  Visible = Props.GetVisibility() != viHidden;
  ReadBoxValues(Props);
  if (Positioning != posStatic) {
    ZValue = Props.GetZIndex() * 10;
    if (Positioning == posAbsolute && ZValue == 0)
      ZValue = 1;
  } else if (Floating && ZValue == 0) {
    ZValue = 1;
  }
  (void)Attributes;
  std::string Picture;
  if (Props.GetBackgroundImage(Picture) && !Picture.empty()) {
    BGImage = std::make_unique<TImageObj>(ADocument, Picture);
    Props.GetBackgroundPos(EmSize, ExSize, BGPos);
  }
  CollapseMargins(Parent);
}

TBlock::~TBlock() = default;

void TBlock::ReadBoxValues(const TProperties& Props)
{
  TVMarginArray Values;
  Props.GetVMarginArray(Values);
  MargArrayO.Assign(Values, Document->BoxValuePool);
}

void TBlock::CollapseMargins(TCellBasic* Parent)
{
  int Autos = 0;
  const int Ppi = Document->Fonts.PixelsPerInch();
  ConvVertMargins(MargArrayO, 400, EmSize, ExSize, Ppi, MargArray, TopAuto, BottomAuto);
  MargArrayO.Convert({400, 400, EmSize, ExSize, Ppi}, MargArray, Autos);
  int& Top = MargArray[piMarginTop];
  if (Positioning == posAbsolute) {
    if (TopAuto)
      Top = 0;
    return;
  }
  if (Floating || !Parent)
    return;
  TSectionBase* Prev = nullptr;
  for (auto It = Parent->Sections.rbegin(); It != Parent->Sections.rend(); ++It) {
    auto* B = AsBlock(It->get());
    if (!B || B->Positioning != posAbsolute) {
      Prev = It->get();
      break;
    }
  }
  if (auto* B = AsBlock(Prev)) {
    // The previous block's bottom margin joins this top margin.
    int& Bottom = B->MargArray[piMarginBottom];
    if (Bottom >= 0 && Top >= 0)
      Top = std::max(Top, Bottom);
    else if (Bottom < 0 && Top < 0)
      Top = std::min(Top, Bottom);
    else
      Top = Top + Bottom;
    Bottom = 0;
  } else if (Prev) {
    if (Parent->Tag == "li" && (ATagIs("ul") || ATagIs("ol")) && TopAuto)
      Top = 0;
  }
  if (!Prev && TopAuto)
    Top = 0;
}

bool TBlock::ATagIs(const std::string& T) const
{
  return MyCell->Tag == T;
}

void TBlock::FinishText()
{
  // The content is complete: the last block of it keeps no droppable margin.
}

int TBlock::FindWidth(int W, int AutoCount)
{
  int Min = 0, Max = 0;
  MyCell->MeasureWidths(Min, Max);
  const int BP = BoxPaddingLeft() + BoxPaddingRight();
  int& ML = MargArray[piMarginLeft];
  int& MR = MargArray[piMarginRight];
  int& Wd = MargArray[piWidth];
  auto AutoWidth = [&] {
    if (Positioning == posAbsolute)
      return int(std::min<long long>(Max, Clamp64((long long)W - BP - ValueOrZero(ML) - ValueOrZero(MR) - ValueOrZero(MargArray[piLeft]))));
    return int(std::max<long long>(Min, Clamp64((long long)W - BP - ValueOrZero(ML) - ValueOrZero(MR))));
  };
  switch (AutoCount) {
  case 0:
    return std::max(Min, Wd);
  case 1:
    if (Wd == Auto)
      return AutoWidth();
    Wd = std::max(Wd, Min);
    if (MR != Auto && ML == Auto)
      ML = std::max(0, int(Clamp64((long long)W - BP - MR - Wd)));
    else if (MR == Auto) {
      MR = Floating ? 0 : std::max(0, int(Clamp64((long long)W - BP - ValueOrZero(ML) - Wd)));
    }
    return Wd;
  case 2:
    if (Wd == Auto) {
      if (ML == Auto) ML = 0;
      if (MR == Auto) MR = 0;
      return AutoWidth();
    }
    ML = MR = std::max(0, int(Clamp64((long long)W - Wd - BP))) / 2;
    return Wd;
  default:
    ML = MR = 0;
    return AutoWidth();
  }
}

int TBlock::LayOut(int X, int& Pos, int& MaxWidth, IndentManager& IMgr, int AvailHeight, int Width, int Y)
{
  StartPos = Pos;
  if (DisplayNone) {
    ContentHeight = PaintHeight = 0;
    TopY = LayoutTop = PaintTop = BottomY = PaintBottom = Y;
    MaxWidth = 0;
    return 0;
  }
  LayoutTop = PaintTop = Y;
  // 1. Clearing: start below the floats on the cleared sides.
  int CL = 0, CR = 0;
  IMgr.ClearPositions(CL, CR);
  ClearOffset = 0;
  if (ClearAttr == clLeft) ClearOffset = std::max(0, CL - Y - 1);
  else if (ClearAttr == clRight) ClearOffset = std::max(0, CR - Y - 1);
  else if (ClearAttr == clAll) ClearOffset = std::max(0, std::max(CL, CR) - Y - 1);

  // 2. The box values against the real width.
  int Autos = 0;
  const int Ppi = Document->Fonts.PixelsPerInch();
  const int Top = MargArray[piMarginTop], Bottom = MargArray[piMarginBottom];
  MargArrayO.Convert({Width, AvailHeight, EmSize, ExSize, Ppi}, MargArray, Autos);
  MargArray[piMarginTop] = Top;
  MargArray[piMarginBottom] = Bottom;
  if (MargArray[piWidth] == IntNull) {  // no width given: auto
    MargArray[piWidth] = Auto;
    ++Autos;
  }
  for (int I : {int(piMarginLeft), int(piMarginRight), int(piPaddingLeft), int(piPaddingRight), int(piPaddingTop),
                int(piPaddingBottom)})
    if (MargArray[std::size_t(I)] == IntNull) MargArray[std::size_t(I)] = 0;
  TopP = MargArray[piTop] == Auto || MargArray[piTop] == IntNull ? 0 : MargArray[piTop];
  LeftP = MargArray[piLeft] == Auto || MargArray[piLeft] == IntNull ? 0 : MargArray[piLeft];

  // 3. The content width.
  NewWidth = std::max(0, FindWidth(Width, Autos));
  if (MargArrayO[piWidth].IsString() && MargArrayO[piWidth].AsString().find('%') != std::string::npos)
    NewWidth = std::min(NewWidth, std::max(0, Width - ValueOrZero(MargArray[piMarginLeft]) - ValueOrZero(MargArray[piMarginRight]) -
                                                  BoxPaddingLeft() - BoxPaddingRight()));
  const int ML = ValueOrZero(MargArray[piMarginLeft]), MR = ValueOrZero(MargArray[piMarginRight]);

  // 4. The horizontal place.
  const int YAt = Y + ClearOffset;
  if (Floating == 5)
    ContentLeft = std::max(X, IMgr.LeftIndent(YAt)) + ML + BoxPaddingLeft();
  else if (Floating == 6)
    ContentLeft = std::min(X + Width, IMgr.RightSide(YAt)) - MR - BoxPaddingRight() - NewWidth;
  else
    ContentLeft = X + ML + BoxPaddingLeft();
  if (Positioning == posAbsolute)
    ContentLeft = LeftP + ML + BoxPaddingLeft();
  if (BulletRoom) {
    const int Need = IMgr.LeftIndent(YAt) + 35;
    if (ContentLeft < Need) {
      NewWidth = std::max(0, NewWidth - (Need - ContentLeft));
      ContentLeft = Need;
    }
  }

  // 5. The content, with indents of its own.
  ContentTop = YAt + MargArray[piMarginTop] + MargArray[piBorderTopWidth] + MargArray[piPaddingTop];
  if (Positioning == posAbsolute)
    ContentTop = TopP + MargArray[piMarginTop] + MargArray[piBorderTopWidth] + MargArray[piPaddingTop];
  // The content's lines run between its own edges: two records owned by
  // this block, so that they narrow nothing outside it.
  // A relative box lays its content out where it will be painted.
  const int CLeft = ContentLeft + (Positioning == posRelative ? LeftP : 0);
  const int CTop = ContentTop + (Positioning == posRelative ? TopP : 0);
  const TObject* SaveOwner = IMgr.CurrentOwner;
  IMgr.CurrentOwner = this;
  const int LI = IMgr.AddLeft(CLeft, CTop);
  const int RI = IMgr.AddRight(CLeft + NewWidth, CTop);
  const int Height = MargArray[piHeight];
  const int RefHeight = Height > 0 && Height != Auto && Height != IntNull ? Height : AvailHeight;
  int ContentMax = 0;
  const int CH = MyCell->DoLayout(CLeft, CTop, NewWidth, RefHeight, IMgr, ContentMax, Pos);
  IMgr.DeleteRight(RI);
  IMgr.DeleteLeft(LI);
  IMgr.CurrentOwner = SaveOwner;
  (void)CH;

  // 6. The bottoms.
  CharCount = Pos - StartPos;
  MaxWidth = ML + MR + BoxPaddingLeft() + BoxPaddingRight() + std::max(ContentMax, NewWidth);
  ContentBot = std::max(ContentTop, MyCell->ContentBottom - (Positioning == posRelative ? TopP : 0));
  if (Height > 0 && Height != Auto && Height != IntNull)
    ContentBot = std::max(ContentBot, ContentTop + Height);
  const int SectionBottom =
      ContentBot + MargArray[piPaddingBottom] + MargArray[piBorderBottomWidth] + MargArray[piMarginBottom];
  PaintBottom = std::max(ContentBot, MyCell->PaintBottom) + MargArray[piPaddingBottom] +
                MargArray[piBorderBottomWidth];
  ContentHeight = SectionBottom - Y;
  TopY = Y;
  BottomY = Y + ContentHeight;

  // 7. Floats and absolute boxes take no height in the flow.
  if (Floating == 5 || Floating == 6) {
    const TObject* Save = IMgr.CurrentOwner;
    IMgr.CurrentOwner = nullptr;
    if (Floating == 5) {
      const int I = IMgr.AddLeft(ContentLeft + NewWidth + MR + BoxPaddingRight(), Y);
      IMgr.SetLeftBottom(I, PaintBottom);
    } else {
      const int I = IMgr.AddRight(ContentLeft - BoxPaddingLeft() - ML, Y);
      IMgr.SetRightBottom(I, PaintBottom);
    }
    IMgr.CurrentOwner = Save;
    PaintHeight = ContentHeight;
    ContentHeight = 0;
  } else if (Positioning == posAbsolute) {
    PaintHeight = ContentHeight;
    ContentHeight = 0;
  } else {
    PaintHeight = std::max(ContentHeight, IMgr.FloatsBottom() - Y);
  }
  PaintBottom = std::max(PaintBottom, Y + PaintHeight);
  MeasureBackground(Width, AvailHeight);
  BuildDrawList();
  return ContentHeight;
}

void TBlock::MeasureBackground(int Width, int AvailHeight)
{
  if (!BGImage || !Document->ShowImages)
    return;
  BGImage->Measure(AvailHeight, Width, nullptr);
  if (BGImage->Missing)
    BGImage.reset();  // a picture that cannot be had is dropped, the block still paints
}

bool TBlock::BuildDrawList()
{
  const std::size_t Count = MyCell->Sections.size();
  if (!DrawList.empty() && DrawList.size() == Count)
    return true;
  auto ByZ = [](const TSectionBase* A, const TSectionBase* B) { return A->ZValue < B->ZValue; };
  // Content added at the end since the list was made, in z order after it
  // (a conversation growing by a message): the list grows by it.
  if (DrawListInFlowOrder && !DrawList.empty() && DrawList.size() < Count && DrawListRemovals == MyCell->Removals &&
      DrawList.back() == MyCell->Sections[DrawList.size() - 1].get()) {
    const std::size_t Old = DrawList.size();
    bool Sorted = true;
    for (std::size_t I = Old; I < Count && Sorted; ++I)
      Sorted = !ByZ(MyCell->Sections[I].get(), I == Old ? DrawList.back() : MyCell->Sections[I - 1].get());
    if (Sorted) {
      for (std::size_t I = Old; I < Count; ++I)
        DrawList.push_back(MyCell->Sections[I].get());
      return true;
    }
  }
  DrawList.clear();
  DrawList.reserve(Count);
  for (auto& S : MyCell->Sections)
    DrawList.push_back(S.get());
  DrawListRemovals = MyCell->Removals;
  // Negative z first, then z 0 in document order, then positive z; equal
  // values keep document order. Content already in that order (the usual
  // case: no z-index at all) is left as it is, saving the sort's buffer.
  DrawListInFlowOrder = std::is_sorted(DrawList.begin(), DrawList.end(), ByZ);
  if (!DrawListInFlowOrder)
    std::stable_sort(DrawList.begin(), DrawList.end(), ByZ);
  return false;
}

int TBlock::Paint(HDC DC, const TRect& Clip, int X)
{
  (void)X;
  const int Result = PaintTop + ContentHeight;
  if (DisplayNone || !Visible)
    return Result;
  const int YOff = Document->YOff;
  const int DX = Positioning == posRelative ? LeftP : 0;
  const int DY = Positioning == posRelative ? TopP : 0;
  const TRect Padding{ContentLeft - MargArray[piPaddingLeft] + DX,
                      ContentTop - MargArray[piPaddingTop] - YOff + DY,
                      ContentLeft + NewWidth + MargArray[piPaddingRight] + DX,
                      ContentBot + MargArray[piPaddingBottom] - YOff + DY};
  const TRect Border{Padding.Left - MargArray[piBorderLeftWidth], Padding.Top - MargArray[piBorderTopWidth],
                     Padding.Right + MargArray[piBorderRightWidth], Padding.Bottom + MargArray[piBorderBottomWidth]};
  BorderRect = Border;
  if (Border.Bottom > Clip.Top && Border.Top < Clip.Bottom) {
    const int Bg = MargArray[piBackgroundColor];
    if (Bg != clNone && Bg != IntNull)
      FillSolid(DC, Padding, TColor(Bg));
    if (BGImage && Document->ShowImages)
      DrawTiledBackground(DC, Padding, Clip, *BGImage, BGPos);
    if (HasBorderStyle)
      DrawBorder(DC, Border, Padding);
  }
  for (TSectionBase* S : DrawList)
    if (S->PaintBottom - YOff > Clip.Top && S->PaintTop - YOff < Clip.Bottom)
      S->Paint(DC, Clip, ContentLeft + DX);
  return Result;
}

void TBlock::DrawBorder(HDC DC, const TRect& Border, const TRect& Padding)
{
  TBorderColors Colors;
  TBorderStyles Styles;
  for (int S = 0; S < 4; ++S) {
    // The style model orders sides top, right, bottom, left; the painter left, top, right, bottom.
    const int Side = (S + 3) % 4;
    const int C = MargArray[std::size_t(piBorderTopColor + Side)];
    Colors[std::size_t(S)] = C == IntNull || C == clNone ? TColor(MargArray[piBorderColor] == IntNull ? 0
                                                                                                     : MargArray[piBorderColor])
                                                         : TColor(C);
    if (Colors[std::size_t(S)] == clNone)
      Colors[std::size_t(S)] = 0;
    const int St = MargArray[std::size_t(piBorderTopStyle + Side)];
    Styles[std::size_t(S)] = St >= 0 && St <= 8 ? St : 0;
  }
  ::DrawBorder(DC, Border, Padding, Colors, Styles, clNone);
}

void TBlock::MeasureWidths(int& Min, int& Max)
{
  if (DisplayNone) {
    Min = Max = 0;
    return;
  }
  int CMin = 0, CMax = 0;
  MyCell->MeasureWidths(CMin, CMax);
  TMarginArray M{};
  int Autos = 0;
  MargArrayO.Convert({0, 400, EmSize, ExSize, Document->Fonts.PixelsPerInch()}, M, Autos);
  const int Wd = M[piWidth] == Auto ? 0 : ValueOrZero(M[piWidth]);
  const int Outer = ValueOrZero(M[piMarginLeft]) + ValueOrZero(M[piMarginRight]) + ValueOrZero(M[piBorderLeftWidth]) +
                    ValueOrZero(M[piBorderRightWidth]) + ValueOrZero(M[piPaddingLeft]) + ValueOrZero(M[piPaddingRight]);
  Min = Outer + std::max(CMin, Wd);
  Max = Wd > 0 ? Min : Outer + std::max(CMax, Wd);
}

bool TBlock::HitLink(int X, int Y, THitLink& Hit)
{
  if (DisplayNone)
    return false;
  for (auto It = DrawList.rbegin(); It != DrawList.rend(); ++It)
    if (MyCell->Holds(**It, Y) && (*It)->HitLink(X, Y, Hit))
      return true;
  if (!Title.empty() && X >= BorderRect.Left && X < BorderRect.Right && Y - Document->YOff >= BorderRect.Top &&
      Y - Document->YOff < BorderRect.Bottom) {
    Hit.Flags |= THitLink::HasTitle;
    Hit.Title = Title;
    return true;
  }
  return false;
}

TImageObj* TBlock::HitImage(int X, int Y)
{
  if (DisplayNone)
    return nullptr;
  for (auto It = DrawList.rbegin(); It != DrawList.rend(); ++It)
    if (MyCell->Holds(**It, Y))
      if (TImageObj* I = (*It)->HitImage(X, Y))
        return I;
  return nullptr;
}

int TBlock::CharIndexAt(int X, int Y, bool& InText, int& CaretX, int& CaretY, int& CaretHeight)
{
  InText = false;
  return DisplayNone ? -1 : MyCell->CharIndexAt(X, Y, InText, CaretX, CaretY, CaretHeight);
}

bool TBlock::CaretPoint(int Pos, int& X, int& Y) const
{
  return !DisplayNone && MyCell->CaretPoint(Pos, X, Y);
}

bool TBlock::CharAt(int Pos, char16_t& Ch) const
{
  return !DisplayNone && Pos >= StartPos && Pos < StartPos + CharCount && MyCell->CharAt(Pos, Ch);
}

int TBlock::DocToSource(int Pos) const
{
  return DisplayNone ? -1 : MyCell->DocToSource(Pos);
}

int TBlock::SourceToDoc(int Source, bool TowardsPrevious) const
{
  return DisplayNone ? -1 : MyCell->SourceToDoc(Source, TowardsPrevious);
}

void TBlock::CopySelection()
{
  if (DisplayNone)
    return;
  MyCell->CopySelection();
  if (MyCell->Tag == "p" && Document->SelEnd > StartPos + CharCount && Document->SelStart < StartPos + CharCount)
    Document->CopyBuffer += u"\r\n";
}

// --- TBodyBlock

TBodyBlock::TBodyBlock(TSectionList* ADocument, TCellBasic* Parent, TProperties& Props, TAttributeList* Attributes,
                       const std::string& ATag)
    : TBlock(ADocument, Parent, Props, Attributes, ATag)
{
  if (BGImage) {
    Document->BackgroundImage = BGImage->Source;
    Document->BackgroundPos = BGPos;
    BGImage.reset();
  }
}

int TBodyBlock::LayOut(int X, int& Pos, int& MaxWidth, IndentManager& IMgr, int AvailHeight, int Width, int Y)
{
  (void)X;
  StartPos = Pos;
  int Autos = 0;
  const int Ppi = Document->Fonts.PixelsPerInch();
  const int Top = MargArray[piMarginTop], Bottom = MargArray[piMarginBottom];
  MargArrayO.Convert({Width, AvailHeight, EmSize, ExSize, Ppi}, MargArray, Autos);
  MargArray[piMarginTop] = Top;
  MargArray[piMarginBottom] = Bottom;
  for (int I = piMarginTop; I <= piBorderLeftWidth; ++I)
    MargArray[std::size_t(I)] = ValueOrZero(MargArray[std::size_t(I)]);
  NewWidth = std::max(0, Width - MargArray[piMarginLeft] - MargArray[piMarginRight] - BoxPaddingLeft() -
                             BoxPaddingRight());
  ContentLeft = MargArray[piMarginLeft] + BoxPaddingLeft();
  ContentTop = Y + MargArray[piMarginTop] + MargArray[piPaddingTop] + MargArray[piBorderTopWidth];
  IMgr.Reset(0, Width);
  IMgr.Clear();
  IMgr.Reset(ContentLeft, ContentLeft + NewWidth);
  int ContentMax = 0;
  // Content added at the end alone: from the last section laid out before
  // (a block after it takes that section's bottom margin into its own).
  const bool Resume = Document->ResumeLayout && LaidOutWidth == Width && LaidOutHeight == AvailHeight &&
                      LaidOutCount > 0 && LaidOutTop == Y;
  const std::size_t LaidOutFrom = Resume ? LaidOutCount - 1 : 0;
  MyCell->DoLayoutFrom(LaidOutFrom, FlowMarks, ContentLeft, ContentTop, NewWidth, AvailHeight, IMgr, ContentMax, Pos);
  LaidOutWidth = Width;
  LaidOutHeight = AvailHeight;
  LaidOutTop = Y;
  LaidOutCount = MyCell->Sections.size();
  CharCount = Pos - StartPos;
  ContentBot = std::max(ContentTop, MyCell->ContentBottom);
  ContentHeight = ContentBot + MargArray[piPaddingBottom] + MargArray[piBorderBottomWidth] +
                  MargArray[piMarginBottom] - Y;
  PaintHeight = std::max(ContentHeight, MyCell->PaintBottom - Y);
  TopY = LayoutTop = PaintTop = Y;
  BottomY = Y + ContentHeight;
  PaintBottom = Y + PaintHeight;
  MaxWidth = std::max(Width, std::max(ContentMax, NewWidth) + MargArray[piMarginLeft] + MargArray[piMarginRight]);
  const std::size_t ListedBefore = DrawList.size();
  // A list made anew (not grown at its end) is measured whole.
  const bool Kept = BuildDrawList();
  UpdatePaintBounds(Kept ? std::min(LaidOutFrom, ListedBefore) : 0);
  return ContentHeight;
}

void TBodyBlock::UpdatePaintBounds(std::size_t From)
{
  const std::size_t Count = DrawList.size();
  if (!DrawListInFlowOrder) {
    PaintReach.clear();
    PaintFloor.clear();
    return;
  }
  if (From > PaintReach.size() || PaintFloor.size() != PaintReach.size())
    From = 0;
  PaintReach.resize(Count);
  PaintFloor.resize(Count);
  for (std::size_t I = From; I < Count; ++I)
    PaintReach[I] = std::max(I ? PaintReach[I - 1] : INT_MIN, DrawList[I]->PaintBottom);
  int Highest = INT_MAX;
  for (std::size_t I = Count; I-- > From;)
    PaintFloor[I] = Highest = std::min(Highest, DrawList[I]->PaintTop);
  // Content placed anew above what came before lowers the floor before it;
  // a floor left lower than needed only makes a paint look further.
  for (std::size_t I = From; I-- > 0 && PaintFloor[I] > Highest;)
    PaintFloor[I] = Highest;
}

int TBodyBlock::Paint(HDC DC, const TRect& Clip, int X)
{
  (void)X;
  const int YOff = Document->YOff;
  std::size_t First = 0;
  const bool Bounded = !DrawList.empty() && PaintReach.size() == DrawList.size();
  // What ends above the clip is passed over without being visited.
  if (Bounded)
    First = std::size_t(std::upper_bound(PaintReach.begin(), PaintReach.end(), Clip.Top + YOff) - PaintReach.begin());
  for (std::size_t I = First; I < DrawList.size(); ++I) {
    // Nothing from here on starts above the clip's bottom.
    if (Bounded && PaintFloor[I] - YOff >= Clip.Bottom)
      break;
    TSectionBase* S = DrawList[I];
    if (S->PaintBottom - YOff > Clip.Top && S->PaintTop - YOff < Clip.Bottom)
      S->Paint(DC, Clip, ContentLeft);
  }
  return PaintTop + ContentHeight;
}

bool TBodyBlock::HitLink(int X, int Y, THitLink& Hit)
{
  for (auto It = DrawList.rbegin(); It != DrawList.rend(); ++It)
    if (MyCell->Holds(**It, Y) && (*It)->HitLink(X, Y, Hit))
      return true;
  if (!Title.empty()) {
    Hit.Flags |= THitLink::HasTitle;
    Hit.Title = Title;
    return true;
  }
  return false;
}
