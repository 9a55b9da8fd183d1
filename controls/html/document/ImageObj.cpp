#include "controls/html/document/ImageObj.h"

#include <algorithm>
#include <cstdlib>

#include "controls/html/document/FontObj.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/document/SlotPool.h"
#include "controls/html/forms/FormVariants.h"
#include "controls/html/images/GIFImage.h"
#include "controls/html/images/ImageDrawing.h"
#include "controls/html/paint/DrawingHelpers.h"
#include "controls/html/paint/ViewerResources.h"
#include "platform/base/Utf.h"
#include "controls/html/parser/Attributes.h"
#include "controls/html/styles/Properties.h"
#include "platform/base/Clock.h"
#include "platform/base/StringRoutines.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/controls/WinControl.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/win/gdi/gdi.h"

namespace {

// Multiply then divide with rounding, in 64 bits; a zero divisor gives 0.
int MulDivSafe(long long A, long long B, long long C)
{
  if (C == 0)
    return 0;
  const long long R = (A * B + (C > 0 ? C / 2 : -C / 2)) / C;
  return int(std::clamp<long long>(R, 0, TImageObj::MaxSize));
}

int ClampSize(int V)
{
  return std::clamp(V, 0, TImageObj::MaxSize);
}

}  // namespace

void* TImageObj::operator new(std::size_t Size) { return AllocateSlot(SlotPoolOf<TImageObj>(), Size); }

void TImageObj::operator delete(void* Object, std::size_t Size) noexcept { FreeSlot(SlotPoolOf<TImageObj>(), Object, Size); }

TImageObj::TImageObj(TSectionList* ADocument, int APos, TAttributeList& Attributes) : Document(ADocument), Pos(APos)
{
  bool HaveHSpace = false;
  for (int I = 0; I < Attributes.Count(); ++I) {
    const TAttribute* A = Attributes.Items(I);
    switch (A->Which) {
    case SrcSy: Source = Trim(A->Name); break;
    case AltSy: SetAlt(A->Name); SetTitle(A->Name); break;
    case TitleSy: SetTitle(A->Name); break;
    case AlignSy: {
      const std::string S = UpperCase(A->Name);
      Align = S == "TOP" ? AlignTop : S == "MIDDLE" || S == "ABSMIDDLE" ? AlignMiddle : S == "LEFT" ? AlignLeft
              : S == "RIGHT" ? AlignRight : AlignBaseline;
      break;
    }
    case BorderSy: NoBorder = A->Value == 0; break;
    case WidthSy:
      if (A->Name.find('%') != std::string::npos && A->Value >= 1 && A->Value <= 100) {
        SpecWidth = A->Value;
        PercentWidth = true;
      } else {
        SpecWidth = ClampSize(A->Value);
      }
      break;
    case HeightSy:
      if (A->Name.find('%') != std::string::npos && A->Value >= 1 && A->Value <= 100) {
        SpecHeight = A->Value;
        PercentHeight = true;
      } else {
        SpecHeight = ClampSize(std::max(1, A->Value));
      }
      break;
    case HSpaceSy: HSpaceL = HSpaceR = std::min(40, std::abs(A->Value)); HaveHSpace = true; break;
    case VSpaceSy: VSpaceT = VSpaceB = std::min(40, std::abs(A->Value)); break;
    case TranspSy: Transparent = 1; break;
    case IsMapSy: IsMap = true; break;
    case ActiveSy: Active = true; break;
    case UseMapSy: {
      UseMap = true;
      std::string Name = UpperCase(Trim(A->Name));
      if (Name.size() > 1 && Name[0] == '#')
        Name.erase(0, 1);
      SetMapName(Name);
      break;
    }
    default: break;
    }
  }
  if (!HaveHSpace && Floating())
    HSpaceL = HSpaceR = 3;
}

TImageObj::TImageObj(TSectionList* ADocument, const std::string& ASource) : Document(ADocument), Source(ASource)
{
  NoBorder = true;
}

const std::string& TImageObj::NoText()
{
  static const std::string None;
  return None;
}

TImageObj::TRarePart& TImageObj::RarePart()
{
  if (!FRare)
    FRare = std::make_unique<TRarePart>();
  return *FRare;
}

void TImageObj::SetAlt(const std::string& Value)
{
  if (FRare || !Value.empty())
    RarePart().Alt = Value;
}

void TImageObj::SetTitle(const std::string& Value)
{
  if (FRare || !Value.empty())
    RarePart().Title = Value;
}

void TImageObj::SetMapName(const std::string& Value)
{
  if (FRare || !Value.empty())
    RarePart().MapName = Value;
}

void TImageObj::SetFormControl(TImageFormControlObj* Value)
{
  if (FRare || Value)
    RarePart().FormControl = Value;
}

TImageObj::~TImageObj()
{
  LetGo();
  if (Document) {
    std::erase(Document->AnimList, this);
    std::erase(Document->ShownPictures, this);
  }
}

void TImageObj::LetGo()
{
  if (OwnsImage)
    delete Image;
  else if (Cached && Document)
    Document->ReleaseImage(Source);
  if (Waiting && Document)
    Document->ForgetPending(this);
  Image = nullptr;
  Mask = nullptr;
  OwnsImage = Cached = Waiting = SharedGif = false;
}

void TImageObj::ApplyStyle(TProperties& Props)
{
  TAlignmentStyle A;
  if (Props.GetVertAlign(A)) {
    Align = A == aTop ? AlignTop : A == aMiddle ? AlignMiddle : A == aBottom ? AlignBottom : AlignBaseline;
  }
  if (Props.GetFloat(A) && (A == aLeft || A == aRight)) {
    Align = A == aLeft ? AlignLeft : AlignRight;
    if (HSpaceR == 0)
      HSpaceL = HSpaceR = 3;
  }
  auto Length = [&](int Index, std::int16_t& Out) {
    const TPropValue& V = Props.Props[std::size_t(Index)];
    if (!Props.ExplicitFlags[std::size_t(Index)])
      return;
    if (V.IsNumber() && V.AsInteger() != IntNull)
      Out = std::clamp(V.AsInteger(), 0, 40);
    else if (V.IsString())
      Out = std::clamp(LengthConv(V.AsString(), false, 0, Props.EmSize(), Props.ExSize(),
                                  Props.Fonts().PixelsPerInch(), Out), 0, 40);
  };
  Length(piMarginLeft, HSpaceL);
  Length(piMarginRight, HSpaceR);
  Length(piMarginTop, VSpaceT);
  Length(piMarginBottom, VSpaceB);
  if (!Props.PropTitle.empty())
    SetTitle(Props.PropTitle);
  if (Props.ExplicitFlags[piBorderStyle] && Props.GetBorderStyle() == bssNone)
    NoBorder = true;
}

void TImageObj::ShowErrorPicture()
{
  Missing = true;
  Image = ErrorBitmap();
  Mask = ErrorBitmapMask();
}

void TImageObj::ShowPlaceholder()
{
  Missing = true;
  Image = DefBitmap();
  Mask = nullptr;
}

void TImageObj::Obtain()
{
  const bool Shown = Document && Document->ShowImages;
  if (Requested && !Shown) {
    // Pictures were switched off: the placeholder stands in until they are on again.
    LetGo();
    Requested = false;
    FixedSize = false;
  }
  if (Requested)
    return;
  if (!Shown) {
    if (Image != DefBitmap())
      FixedSize = false;
    ShowPlaceholder();
    return;
  }
  if (Missing)
    FixedSize = false;  // the placeholder's size was no picture's
  Requested = true;
  Missing = false;
  Image = nullptr;
  // A source already asked for and still coming is not asked for again.
  if (!Source.empty() && Document->IsPending(Source)) {
    Waiting = true;
    Document->AddPending(Source, this);
    ShowPlaceholder();
    return;
  }
  bool FromCache = false, Later = false;
  int Transp = Transparent;
  TBitmap* M = nullptr;
  TPersistent* Picture = Document->GetTheBitmap(Source, Transp, M, FromCache, Later);
  if (!Picture) {
    if (Later) {
      Waiting = true;
      Document->AddPending(Source, this);
      ShowPlaceholder();
    } else {
      ShowErrorPicture();
    }
    return;
  }
  Transparent = Transp;
  Mask = M;
  Image = Picture;
  Cached = true;
  if (auto* Gif = dynamic_cast<TGIFImage*>(Picture)) {
    // Each IMG animates by itself, on its own copy made when it is first
    // shown (OwnGifCopy); a state image moves only when hovered.
    SharedGif = true;
    if (!Active && Gif->IsAnimated()) {
      FAnimationStart = timeGetTime();
      Document->AnimList.push_back(this);
    }
  }
}

void TImageObj::OwnGifCopy()
{
  if (!SharedGif)
    return;
  auto* Copy = new TGIFImage(static_cast<TGIFImage*>(Image));
  if (!Active && Copy->IsAnimated())
    Copy->StartAnimationAt(FAnimationStart);
  // The copy shares the decoded frames: the cache entry is no longer used.
  if (Document)
    Document->ReleaseImage(Source);
  Image = Copy;
  OwnsImage = true;
  Cached = SharedGif = false;
}

void TImageObj::Reload(bool Failed)
{
  Waiting = false;  // the document has taken it out of its pending list
  LetGo();
  Requested = Failed;
  if (Failed)
    ShowErrorPicture();
  else
    Missing = false;
  FixedSize = false;
}

void TImageObj::Measure(int AvailHeight, int AvailWidth, const TFontObj* Font)
{
  Obtain();
  int NW = 0, NH = 0;
  if (auto* Gif = dynamic_cast<TGIFImage*>(Image)) {
    NW = Gif->Width();
    NH = Gif->Height();
  } else if (auto* Bmp = dynamic_cast<TBitmap*>(Image)) {
    NW = Bmp->Width();
    NH = Bmp->Height();
  }
  if (!FixedSize || PercentWidth || PercentHeight) {
    const bool GotW = SpecWidth >= 0, GotH = SpecHeight >= 0;
    if (Missing) {
      if (GotW && GotH && !PercentWidth && !PercentHeight) {
        ImageWidth = SpecWidth;
        ImageHeight = SpecHeight;
        FixedSize = true;
      } else {
        ImageWidth = NW;
        ImageHeight = NH;
      }
    } else if (PercentWidth) {
      ImageWidth = MulDivSafe(std::max(0, AvailWidth), SpecWidth, 100);
      ImageHeight = !GotH         ? MulDivSafe(ImageWidth, NH, NW)
                    : PercentHeight ? MulDivSafe(std::max(0, AvailHeight), SpecHeight, 100)
                                    : SpecHeight;
    } else if (PercentHeight) {
      ImageHeight = MulDivSafe(std::max(0, AvailHeight), SpecHeight, 100);
      ImageWidth = GotW ? SpecWidth : MulDivSafe(ImageHeight, NW, NH);
    } else {
      ImageWidth = GotW ? SpecWidth : GotH ? MulDivSafe(SpecHeight, NW, NH) : NW;
      ImageHeight = GotH ? SpecHeight : GotW ? MulDivSafe(SpecWidth, NH, NW) : NH;
      FixedSize = true;
    }
    if (Missing && !FixedSize) {
      // A missing picture grows to hold its alt text beside the small picture.
      const THtmlFontDesc AltFont = AltTextFont(Document->Fonts);
      const std::u16string W = UTF8Decode(Alt());
      std::vector<int> Ext(W.size());
      if (!W.empty())
        Document->Fonts.TextExtents(AltFont, W.data(), int(W.size()), Ext.data());
      const int TW = Ext.empty() ? 0 : Ext.back();
      ImageWidth = std::clamp(std::max(ImageWidth, TW + 2 + 24), 0, MaxSize);
      ImageHeight = std::max(ImageHeight, std::max(24, Document->Fonts.Metrics(AltFont).Height));
    }
  }
  Bordered = !NoBorder && Font && Font->IsLink();
  ClientWidth = ImageWidth + (Bordered ? 2 : 0);
  ClientHeight = ImageHeight + (Bordered ? 2 : 0);
}

void TImageObj::Draw(HDC DC, int X, int Baseline, int LineTop, const TFontObj* Font)
{
  int Y;
  switch (Align) {
  case AlignTop: Y = LineTop + VSpaceT; break;
  case AlignMiddle:
    Y = Baseline + (Font ? Font->Descent() - Font->FontHeight() / 2 : 0) - (ClientHeight + VSpaceB - VSpaceT) / 2;
    break;
  case AlignLeft:
  case AlignRight: Y = LineTop + VSpaceT; break;
  default: Y = Baseline - ClientHeight - VSpaceB; break;
  }
  DrawX = X;
  DrawY = Y;
  const int SY = Y - Document->YOff;
  const int PX = X + (Bordered ? 1 : 0), PY = SY + (Bordered ? 1 : 0);
  if (Bordered) {
    HBRUSH Brush = CreateSolidBrush(PlainColor(Font ? Font->Font->Color : 0));
    const TRect R{X, SY, X + ClientWidth, SY + ClientHeight};
    FrameRect(DC, &R, Brush);
    DeleteObject(Brush);
  }
  if (Missing)
    DrawMissing(DC, PX, PY, Font);
  else
    DrawPicture(DC, PX, PY, ImageWidth, ImageHeight);
  if (HasFocus(Font)) {
    const TRect R{X, SY, X + ClientWidth, SY + ClientHeight};
    HBRUSH White = CreateSolidBrush(RGB(255, 255, 255));
    HGDIOBJ OldBrush = SelectObject(DC, White);
    const COLORREF OldText = SetTextColor(DC, RGB(0, 0, 0));
    DrawFocusRect(DC, &R);
    SetTextColor(DC, OldText);
    SelectObject(DC, OldBrush);
    DeleteObject(White);
  }
}

bool TImageObj::HasFocus(const TFontObj* Font) const
{
  if (const TImageFormControlObj* Control = FormControl(); Control && Control->Focused)
    return true;
  return Font && Font->IsLink() && Font->Focused;
}

void TImageObj::DrawMissing(HDC DC, int X, int Y, const TFontObj* Font)
{
  const TRect Box{X, Y, X + ImageWidth, Y + ImageHeight};
  if (!Bordered)
    RaisedFrame(DC, *Document, Box, false, 1);
  auto* Picture = dynamic_cast<TBitmap*>(Image);
  if (Picture && ImageWidth >= 24 && ImageHeight >= 24) {
    const int W = std::min(Picture->Width(), ImageWidth - 8), H = std::min(Picture->Height(), ImageHeight - 8);
    if (Mask)
      PrintMaskedImage(DC, Picture, Mask, X + 4, Y + 4, W, H);
    else
      DrawBitmapThroughCopy(DC, X + 4, Y + 4, Picture, W, H);
  }
  if (Alt().empty())
    return;
  const THtmlFontDesc AltFont = AltTextFont(Document->Fonts);
  const int LineHeight = Document->Fonts.Metrics(AltFont).Height;
  const int Top = Y + std::clamp((ImageHeight - LineHeight) / 2, 0, 4);
  WrapText(DC, Document->Fonts, AltFont, Font ? Font->Font->Color : TColor(0), {X + 24, Top, Box.Right, Box.Bottom},
           UTF8Decode(Alt()));
}

void TImageObj::DrawPicture(HDC DC, int X, int Y, int W, int H)
{
  if (Missing)
    return;
  OwnGifCopy();
  if (auto* Gif = dynamic_cast<TGIFImage*>(Image)) {
    TCanvas Canvas;
    Canvas.SetHandle(DC);
    if (!ShownByLastPaint && Document) {
      ShownByLastPaint = true;
      Document->ShownPictures.push_back(this);
    }
    Gif->SetVisible(true);
    Gif->DrawFrame(&Canvas, X, Y, W, H);
    Canvas.SetHandle(nullptr);
  } else if (auto* Bmp = dynamic_cast<TBitmap*>(Image)) {
    if (Mask && Transparent != 0)
      PrintMaskedImage(DC, Bmp, Mask, X, Y, W, H);
    else
      StretchBlt(DC, X, Y, W, H, Bmp->Canvas()->Handle(), 0, 0, Bmp->Width(), Bmp->Height(), SRCCOPY);
  }
}

void TImageObj::SetHover(int State)
{
  if (State == HoverState)
    return;
  HoverState = State;
  if (Active)
    OwnGifCopy();
  auto* Gif = Active ? dynamic_cast<TGIFImage*>(Image) : nullptr;
  if (!Gif)
    return;
  const int Frames = Gif->NumFrames();
  if (Frames == 2) {
    Gif->SetCurrentFrame(State == 0 ? 1 : 2);
  } else if (Frames == 3) {
    Gif->SetCurrentFrame(State == 0 ? 1 : State == 1 ? 2 : 3);
  } else if (State != 0) {
    Gif->SetAnimate(true);
    if (std::find(Document->AnimList.begin(), Document->AnimList.end(), this) == Document->AnimList.end())
      Document->AnimList.push_back(this);
  }
  if (State == 0) {
    Gif->SetAnimate(false);
    if (Frames <= 3)
      Gif->SetCurrentFrame(1);
    std::erase(Document->AnimList, this);
  }
  if (Document->PaintPanel)
    Document->PaintPanel->Invalidate();
}

TImageObj* TImageObjList::FindImage(int Pos) const
{
  auto It = std::lower_bound(Items.begin(), Items.end(), Pos,
                             [](const std::unique_ptr<TImageObj>& I, int P) { return I->Pos < P; });
  return It != Items.end() && (*It)->Pos == Pos ? It->get() : nullptr;
}

int TImageObjList::GetImageCountAt(int Pos) const
{
  for (auto& I : Items)
    if (I->Pos >= Pos)
      return I->Pos - Pos;
  return 99999999;
}

TImageObj* TImageObjList::ImageAt(int X, int Y) const
{
  for (auto& I : Items)
    if (X >= I->DrawX && X < I->DrawX + I->ClientWidth && Y >= I->DrawY && Y < I->DrawY + I->ClientHeight)
      return I.get();
  return nullptr;
}
