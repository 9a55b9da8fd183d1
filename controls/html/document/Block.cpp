#include "controls/html/document/Block.h"

#include <algorithm>
#include <climits>

#include "controls/html/document/ImageObj.h"
#include "controls/html/document/Section.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/document/SlotPool.h"
#include "controls/html/layout/IndentManager.h"
#include "controls/html/paint/BackgroundTiles.h"
#include "controls/html/paint/DrawingHelpers.h"
#include "controls/html/parser/Attributes.h"
#include "platform/win/gdi/gdi.h"

// A conversation makes two blocks a message and keeps them all: a block
// takes a 152-byte slot.
static_assert(sizeof(TBlock) <= 152);

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

void* TBlock::operator new(std::size_t Size) { return AllocateSlot(SlotPoolOf<TBlock>(), Size); }

void TBlock::operator delete(void* Object, std::size_t Size) noexcept { FreeSlot(SlotPoolOf<TBlock>(), Object, Size); }

TBlock::TBlock(TSectionList* ADocument, TCellBasic* Parent, TProperties& Props, TAttributeList* Attributes,
               const std::string& ATag)
    : TSectionBase(ADocument), MargArray(ADocument->BlockBoxPool), MyCell(ADocument)
{
  MyCell->Tag = ATag;
  TAlignmentStyle Align;
  if (Props.GetFloat(Align))
    Floating = Align == aLeft ? 5 : Align == aRight ? 6 : 0;
  TClearAttrType Clear;
  if (Props.GetClear(Clear))
    ClearAttr = std::uint8_t(Clear);
  HasBorderStyle = Props.HasBorderStyle();
  Props.Font();  // sizes em and ex
  EmSize = Props.EmSize();
  ExSize = Props.ExSize();
  DisplayNone = Props.DisplayNone();
  if (!Props.PropTitle.empty())
    Extras().Title = Props.PropTitle;
  Positioning = std::uint8_t(Props.GetPositionKind());
  Visible = Props.GetVisibility() != viHidden;
  ReadBoxValues(Props);
  if (Positioning != posStatic) {
    const int Z = Props.GetZIndex() * 10;
    SetZValue(Positioning == posAbsolute && Z == 0 ? 1 : Z);
  } else if (Floating) {
    SetZValue(1);
  }
  (void)Attributes;
  std::string Picture;
  if (Props.GetBackgroundImage(Picture) && !Picture.empty()) {
    Extras().BGImage = std::make_unique<TImageObj>(ADocument, Picture);
    Props.GetBackgroundPos(EmSize, ExSize, FExtras->BGPos);
  }
  CollapseMargins(Parent);
}

TBlock::~TBlock() = default;

TBlockExtras::~TBlockExtras() = default;

TBlockExtras& TBlock::Extras()
{
  if (!FExtras)
    FExtras = std::make_unique<TBlockExtras>();
  return *FExtras;
}

// A zero is what a block without extras answers: it makes none.
void TBlock::SetZValue(int Z)
{
  if (Z != 0 || FExtras)
    Extras().ZValue = Z;
}

void TBlock::SetOffsets(int Top, int Left)
{
  if (Top != 0 || Left != 0 || FExtras) {
    TBlockExtras& E = Extras();
    E.TopP = Top;
    E.LeftP = Left;
  }
}

const std::string& TBlock::Title() const
{
  static const std::string NoTitle;
  return FExtras ? FExtras->Title : NoTitle;
}

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
  TMarginArray M{};
  bool TopIsAuto = false, BottomIsAuto = false;
  ConvVertMargins(MargArrayO, 400, EmSize, ExSize, Ppi, M, TopIsAuto, BottomIsAuto);
  TopAuto = TopIsAuto;
  BottomAuto = BottomIsAuto;
  MargArrayO.Convert({400, 400, EmSize, ExSize, Ppi}, M, Autos);
  M[piMarginTop] = CollapsedTop(Parent, M[piMarginTop]);
  MargArray.Take(M);
}

int TBlock::CollapsedTop(TCellBasic* Parent, int Top)
{
  if (Positioning == posAbsolute)
    return TopAuto ? 0 : Top;
  if (Floating || !Parent)
    return Top;
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
    const int Bottom = B->MargArray[piMarginBottom];
    if (Bottom >= 0 && Top >= 0)
      Top = std::max(Top, Bottom);
    else if (Bottom < 0 && Top < 0)
      Top = std::min(Top, Bottom);
    else
      Top = Top + Bottom;
    B->MargArray[piMarginBottom] = 0;
  } else if (Prev) {
    if (Parent->Tag == "li" && (ATagIs("ul") || ATagIs("ol")) && TopAuto)
      Top = 0;
  }
  if (!Prev && TopAuto)
    Top = 0;
  return Top;
}

int TBlock::ConvertKeepingMargins(const TBoxBases& Bases, TMarginArray& M) const
{
  const int Top = MargArray[piMarginTop], Bottom = MargArray[piMarginBottom];
  M = {};
  int Autos = 0;
  MargArrayO.Convert(Bases, M, Autos);
  M[piMarginTop] = Top;
  M[piMarginBottom] = Bottom;
  return Autos;
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
  auto ML = MargArray[piMarginLeft];
  auto MR = MargArray[piMarginRight];
  auto Wd = MargArray[piWidth];
  auto AutoWidth = [&] {
    if (Positioning == posAbsolute)
      return int(std::min<long long>(Max, Clamp64((long long)W - BP - ValueOrZero(ML) - ValueOrZero(MR) - ValueOrZero(MargArray[piLeft]))));
    return int(std::max<long long>(Min, Clamp64((long long)W - BP - ValueOrZero(ML) - ValueOrZero(MR))));
  };
  switch (AutoCount) {
  case 0:
    return std::max(Min, int(Wd));
  case 1:
    if (Wd == Auto)
      return AutoWidth();
    Wd = std::max(int(Wd), Min);
    if (MR != Auto && ML == Auto)
      ML = std::max(0, int(Clamp64((long long)W - BP - MR - Wd)));
    else if (MR == Auto) {
      MR = Floating ? 0 : std::max(0, int(Clamp64((long long)W - BP - ValueOrZero(ML) - Wd)));
    }
    return int(Wd);
  case 2:
    if (Wd == Auto) {
      if (ML == Auto) ML = 0;
      if (MR == Auto) MR = 0;
      return AutoWidth();
    }
    ML = MR = std::max(0, int(Clamp64((long long)W - Wd - BP))) / 2;
    return int(Wd);
  default:
    ML = MR = 0;
    return AutoWidth();
  }
}

int TBlock::LayOut(int X, int& Pos, int& MaxWidth, IndentManager& IMgr, int AvailHeight, int Width, int Y)
{
  StartPos = Pos;
  if (DisplayNone) {
    ContentHeight = 0;
    TopY = PaintTop = PaintBottom = Y;
    MaxWidth = 0;
    return 0;
  }
  PaintTop = Y;
  // 1. Clearing: start below the floats on the cleared sides.
  int CL = 0, CR = 0;
  IMgr.ClearPositions(CL, CR);
  int ClearOffset = 0;
  if (ClearAttr == clLeft) ClearOffset = std::max(0, CL - Y - 1);
  else if (ClearAttr == clRight) ClearOffset = std::max(0, CR - Y - 1);
  else if (ClearAttr == clAll) ClearOffset = std::max(0, std::max(CL, CR) - Y - 1);

  // 2. The box values against the real width.
  TMarginArray M;
  int Autos = ConvertKeepingMargins({Width, AvailHeight, EmSize, ExSize, Document->Fonts.PixelsPerInch()}, M);
  if (M[piWidth] == IntNull) {  // no width given: auto
    M[piWidth] = Auto;
    ++Autos;
  }
  for (int I : {int(piMarginLeft), int(piMarginRight), int(piPaddingLeft), int(piPaddingRight), int(piPaddingTop),
                int(piPaddingBottom)})
    if (M[std::size_t(I)] == IntNull) M[std::size_t(I)] = 0;
  MargArray.Take(M);
  SetOffsets(MargArray[piTop] == Auto || MargArray[piTop] == IntNull ? 0 : MargArray[piTop],
             MargArray[piLeft] == Auto || MargArray[piLeft] == IntNull ? 0 : MargArray[piLeft]);
  const int TopP = this->TopP(), LeftP = this->LeftP();

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
  if (Positioning == posRelative) {
    // Its background and border are painted shifted too: the mouse and the
    // painting of a band find them there.
    PaintBottom = std::max(PaintBottom, ContentBot + TopP + MargArray[piPaddingBottom] + MargArray[piBorderBottomWidth]);
    PaintTop = std::min(PaintTop, Y + TopP);
  }
  ContentHeight = SectionBottom - Y;
  TopY = Y;

  // 7. Floats and absolute boxes take no height in the flow.
  int PaintHeight;
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
  TImageObj* Picture = BGImage();
  if (!Picture || !Document->ShowImages)
    return;
  Picture->Measure(AvailHeight, Width, nullptr);
  if (Picture->Missing)
    FExtras->BGImage.reset();  // a picture that cannot be had is dropped, the block still paints
}

void TBlock::ForgetPaintOrder()
{
  if (FExtras)
    FExtras->ZOrder = {};
  FListed = 0;
}

bool TBlock::BuildDrawList()
{
  const std::size_t Count = MyCell->Sections.size();
  const bool SameContent = FListed > 0 && !MyCell->SectionsDropped;
  if (SameContent && FListed == Count)
    return true;
  // Only blocks are z-ordered; the rest of the content has z 0.
  auto ZOf = [](const TSectionBase* S) { return S->IsBlock() ? static_cast<const TBlock*>(S)->ZValue() : 0; };
  auto ByZ = [&](const TSectionBase* A, const TSectionBase* B) { return ZOf(A) < ZOf(B); };
  // Content added at the end since the list was made, in z order after it
  // (a conversation growing by a message): the list grows by it.
  if (SameContent && PaintsInFlowOrder() && FListed < Count) {
    const std::size_t Old = FListed;
    bool Sorted = true;
    for (std::size_t I = Old; I < Count && Sorted; ++I)
      Sorted = !ByZ(MyCell->Sections[I].get(), MyCell->Sections[I - 1].get());
    if (Sorted) {
      FListed = std::uint32_t(Count);
      return true;
    }
  }
  FListed = std::uint32_t(Count);
  MyCell->SectionsDropped = false;
  // Negative z first, then z 0 in document order, then positive z; equal
  // values keep document order. Content already in that order (the usual
  // case: no z-index at all) is painted as it stands, and nothing is kept.
  auto ByZOf = [&](const std::unique_ptr<TSectionBase>& A, const std::unique_ptr<TSectionBase>& B) {
    return ByZ(A.get(), B.get());
  };
  if (std::is_sorted(MyCell->Sections.begin(), MyCell->Sections.end(), ByZOf)) {
    if (FExtras)
      FExtras->ZOrder = {};
    return false;
  }
  std::vector<TSectionBase*> Order;
  Order.reserve(Count);
  for (auto& S : MyCell->Sections)
    Order.push_back(S.get());
  std::stable_sort(Order.begin(), Order.end(), ByZ);
  Extras().ZOrder = std::move(Order);
  return false;
}

TRect TBlock::PaddingBox() const
{
  const int YOff = Document->YOff;
  const int DX = Positioning == posRelative ? LeftP() : 0;
  const int DY = Positioning == posRelative ? TopP() : 0;
  return {ContentLeft - MargArray[piPaddingLeft] + DX, ContentTop - MargArray[piPaddingTop] - YOff + DY,
          ContentLeft + NewWidth + MargArray[piPaddingRight] + DX, ContentBot + MargArray[piPaddingBottom] - YOff + DY};
}

TRect TBlock::BorderBox() const
{
  const TRect Padding = PaddingBox();
  return {Padding.Left - MargArray[piBorderLeftWidth], Padding.Top - MargArray[piBorderTopWidth],
          Padding.Right + MargArray[piBorderRightWidth], Padding.Bottom + MargArray[piBorderBottomWidth]};
}

int TBlock::Paint(HDC DC, const TRect& Clip, int X)
{
  (void)X;
  const int Result = PaintTop + ContentHeight;
  if (DisplayNone || !Visible)
    return Result;
  const int YOff = Document->YOff;
  const int DX = Positioning == posRelative ? LeftP() : 0;
  const TRect Padding = PaddingBox();
  const TRect Border = BorderBox();
  if (Border.Bottom > Clip.Top && Border.Top < Clip.Bottom) {
    const int Bg = MargArray[piBackgroundColor];
    if (Bg != clNone && Bg != IntNull)
      FillSolid(DC, Padding, TColor(Bg));
    if (TImageObj* Picture = BGImage(); Picture && Document->ShowImages)
      DrawTiledBackground(DC, Padding, Clip, *Picture, FExtras->BGPos);
    if (HasBorderStyle)
      DrawBorder(DC, Border, Padding);
  }
  for (std::size_t I = 0, N = PaintCount(); I < N; ++I) {
    TSectionBase* S = PaintAt(I);
    if (S->PaintBottom - YOff > Clip.Top && S->PaintTop - YOff < Clip.Bottom)
      S->Paint(DC, Clip, ContentLeft + DX);
  }
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
  for (std::size_t I = PaintCount(); I-- > 0;)
    if (TSectionBase* S = PaintAt(I); MyCell->Holds(*S, Y) && S->HitLink(X, Y, Hit))
      return true;
  if (const TRect Border = BorderBox(); !Title().empty() && X >= Border.Left && X < Border.Right &&
                                        Y - Document->YOff >= Border.Top && Y - Document->YOff < Border.Bottom) {
    Hit.Flags |= THitLink::HasTitle;
    Hit.Title = Title();
    return true;
  }
  return false;
}

TImageObj* TBlock::HitImage(int X, int Y)
{
  if (DisplayNone)
    return nullptr;
  for (std::size_t I = PaintCount(); I-- > 0;)
    if (TSectionBase* S = PaintAt(I); MyCell->Holds(*S, Y))
      if (TImageObj* Image = S->HitImage(X, Y))
        return Image;
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
  if (TImageObj* Picture = BGImage()) {
    Document->BackgroundImage = Picture->Source;
    Document->BackgroundPos = FExtras->BGPos;
    FExtras->BGImage.reset();
  }
}

int TBodyBlock::LayOut(int X, int& Pos, int& MaxWidth, IndentManager& IMgr, int AvailHeight, int Width, int Y)
{
  (void)X;
  StartPos = Pos;
  TMarginArray M;
  ConvertKeepingMargins({Width, AvailHeight, EmSize, ExSize, Document->Fonts.PixelsPerInch()}, M);
  for (int I = piMarginTop; I <= piBorderLeftWidth; ++I)
    M[std::size_t(I)] = ValueOrZero(M[std::size_t(I)]);
  MargArray.Take(M);
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
  MyCell->DoLayoutFrom(LaidOutFrom, FlowMark, ContentLeft, ContentTop, NewWidth, AvailHeight, IMgr, ContentMax, Pos);
  LaidOutWidth = Width;
  LaidOutHeight = AvailHeight;
  LaidOutTop = Y;
  LaidOutCount = MyCell->Sections.size();
  CharCount = Pos - StartPos;
  ContentBot = std::max(ContentTop, MyCell->ContentBottom);
  ContentHeight = ContentBot + MargArray[piPaddingBottom] + MargArray[piBorderBottomWidth] +
                  MargArray[piMarginBottom] - Y;
  TopY = PaintTop = Y;
  PaintBottom = Y + std::max(ContentHeight, MyCell->PaintBottom - Y);
  MaxWidth = std::max(Width, std::max(ContentMax, NewWidth) + MargArray[piMarginLeft] + MargArray[piMarginRight]);
  const std::size_t ListedBefore = PaintCount();
  // A list made anew (not grown at its end) is measured whole.
  const bool Kept = BuildDrawList();
  UpdatePaintBounds(Kept ? std::min(LaidOutFrom, ListedBefore) : 0);
  return ContentHeight;
}

void TBodyBlock::UpdatePaintBounds(std::size_t From)
{
  const std::size_t Count = PaintCount();
  if (!PaintsInFlowOrder()) {
    RunReach.clear();
    RunFloor.clear();
    BoundsCount = 0;
    return;
  }
  const std::size_t Runs = (Count + BoundsRun - 1) / BoundsRun;
  if (From > BoundsCount || RunFloor.size() != RunReach.size())
    From = 0;
  const std::size_t FirstRun = From / BoundsRun;
  // A conversation grows by a few sections at a time: room for a quarter
  // more at most, not for as many again.
  if (Runs > RunReach.capacity()) {
    RunReach.reserve(Runs + Runs / 4 + 1);
    RunFloor.reserve(Runs + Runs / 4 + 1);
  }
  RunReach.resize(Runs);
  RunFloor.resize(Runs);
  BoundsCount = Count;
  for (std::size_t R = FirstRun; R < Runs; ++R) {
    int Reach = R ? RunReach[R - 1] : INT_MIN;
    for (std::size_t I = R * BoundsRun, End = std::min(Count, I + BoundsRun); I < End; ++I)
      Reach = std::max(Reach, PaintAt(I)->PaintBottom);
    RunReach[R] = Reach;
  }
  int Highest = INT_MAX;
  for (std::size_t R = Runs; R-- > FirstRun;) {
    for (std::size_t I = R * BoundsRun, End = std::min(Count, I + BoundsRun); I < End; ++I)
      Highest = std::min(Highest, PaintAt(I)->PaintTop);
    RunFloor[R] = Highest;
  }
  // Content placed anew above what came before lowers the floor before it;
  // a floor left lower than needed only makes a paint look further.
  for (std::size_t R = std::min(FirstRun, Runs); R-- > 0 && RunFloor[R] > Highest;)
    RunFloor[R] = Highest;
}

int TBodyBlock::Paint(HDC DC, const TRect& Clip, int X)
{
  (void)X;
  const int YOff = Document->YOff;
  const std::size_t Count = PaintCount();
  std::size_t First = 0;
  const bool Bounded = Count > 0 && BoundsCount == Count && RunReach.size() == (Count + BoundsRun - 1) / BoundsRun;
  // The runs that end above the clip are passed over without being visited.
  if (Bounded)
    First = std::size_t(std::upper_bound(RunReach.begin(), RunReach.end(), Clip.Top + YOff) - RunReach.begin()) *
            BoundsRun;
  for (std::size_t I = First; I < Count; ++I) {
    // Nothing from this run on starts above the clip's bottom.
    if (Bounded && I % BoundsRun == 0 && RunFloor[I / BoundsRun] - YOff >= Clip.Bottom)
      break;
    TSectionBase* S = PaintAt(I);
    if (S->PaintBottom - YOff > Clip.Top && S->PaintTop - YOff < Clip.Bottom)
      S->Paint(DC, Clip, ContentLeft);
  }
  return PaintTop + ContentHeight;
}

bool TBodyBlock::HitLink(int X, int Y, THitLink& Hit)
{
  for (std::size_t I = PaintCount(); I-- > 0;)
    if (TSectionBase* S = PaintAt(I); MyCell->Holds(*S, Y) && S->HitLink(X, Y, Hit))
      return true;
  if (!Title().empty()) {
    Hit.Flags |= THitLink::HasTitle;
    Hit.Title = Title();
    return true;
  }
  return false;
}
