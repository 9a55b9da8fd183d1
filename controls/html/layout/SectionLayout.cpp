// Line layout of a text section: its minimum and maximum widths, and the
// breaking of its content into lines between the indents of its cell.
#include <algorithm>

#include "controls/html/document/Section.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/layout/IndentManager.h"
#include "controls/html/text/TextMeasure.h"

namespace {

bool IsCJK(char16_t C) { return C > 0x2FFF; }
bool IsMarker(char16_t C) { return C == FmCtlMark || C == ImgPanMark || C == BrkMark; }
bool IsHighSurrogate(char16_t C) { return C >= 0xD800 && C <= 0xDBFF; }
bool IsLowSurrogate(char16_t C) { return C >= 0xDC00 && C <= 0xDFFF; }

}  // namespace

// Walks [Start, End) piece by piece: an inline image (OnImage gets it, or
// nullptr for a floating or missing one, and answers false to stop before
// it), the break and form-control markers (skipped), and runs of text in one
// font up to the next marker (OnText gets the run's font, the piece and where
// the font's run ends, and answers how many of the piece's characters it
// took; taking fewer stops the walk). Answers where the walk stopped.
template <class TOnImage, class TOnText>
int TSection::WalkPieces(int Start, int End, TOnImage OnImage, TOnText OnText) const
{
  int I = Start;
  while (I < End) {
    const char16_t C = Text[std::size_t(I)];
    if (C == ImgPanMark) {
      const TImageObj* Image = Images.FindImage(I);
      if (!OnImage(Image && !Image->Floating() ? Image : nullptr))
        break;
      ++I;
      continue;
    }
    if (C == BrkMark || C == FmCtlMark) {
      ++I;
      continue;
    }
    // One search finds the run and where it ends.
    int Index = 0;
    const TFontObj* F = Fonts.GetFontObjAt(I, &Index);
    const int RunEnd = F->Pos > I                        ? F->Pos
                       : std::size_t(Index) + 1 < Fonts.Items.size() ? Fonts.Items[std::size_t(Index) + 1]->Pos
                                                                     : CharCount;
    const int N = std::min(End - I, RunEnd - I);
    const int K = NextMarker(I, I + N) - I;
    const int Taken = OnText(F, I, K, std::min(CharCount, RunEnd));
    I += Taken;
    if (Taken < K)
      break;
  }
  return I;
}

int TSection::NextMarker(int I, int Limit) const
{
  TSectionList::TMarkerSearch Own;
  TSectionList::TMarkerSearch& Known = Document ? Document->MarkerSearch : Own;
  if (Known.Section != this)
    Known = {this, 0, -1};
  const int Length = int(Text.size());
  if (I >= Known.From && I <= Known.At)
    return std::min(Known.At, Limit);
  int J = I;
  if (I < Known.From && Known.At >= 0) {
    // Before the stretch known to hold no marker: only the gap is read.
    while (J < Known.From && !IsMarker(Text[std::size_t(J)]))
      ++J;
    if (J == Known.From) {
      Known.From = I;
      return std::min(Known.At, Limit);
    }
  } else {
    while (J < Length && !IsMarker(Text[std::size_t(J)]))
      ++J;
  }
  Known.From = I;
  Known.At = J;
  return std::min(J, Limit);
}

const int* TSection::CachedExtents(const TFontObj& F, int I, int Count, int RunEnd, int& Base) const
{
  const int RunStart = F.Pos;
  if (I < RunStart || I + Count > RunEnd || RunStart < 0)
    return nullptr;
  // Measured on its own, a piece that starts or ends inside a surrogate pair
  // reads a lone half where the run reads the pair.
  auto SplitsPair = [&](int At) {
    return At > RunStart && At < RunEnd && IsHighSurrogate(Text[std::size_t(At) - 1]) &&
           IsLowSurrogate(Text[std::size_t(At)]);
  };
  if (SplitsPair(I) || SplitsPair(I + Count))
    return nullptr;
  const int Length = RunEnd - RunStart;
  std::vector<int>& Store = Document->ExtentStore;
  // A run's place in the store: its room, how many characters were measured
  // (0: none yet), then their extents. The run keeps only where it starts.
  constexpr int RoomAt = 0, CountAt = 1, ExtentsFrom = 2;
  const bool Held = F.ExtentsAt >= 0 && F.ExtentsGeneration == Document->ExtentGeneration;
  if (!Held || Store[std::size_t(F.ExtentsAt + CountAt)] != Length) {
    if (!Held || Store[std::size_t(F.ExtentsAt + RoomAt)] < Length) {
      constexpr std::size_t Bound = TSectionList::ExtentStoreBound;
      const std::size_t Slot = std::size_t(ExtentsFrom) + std::size_t(Length);
      if (!Store.empty() && Store.size() + Slot > Bound) {
        // Full: every run measured so far forgets its extents (and measures
        // again when next asked), so that the store's peak stays bounded.
        ++Document->ExtentGeneration;
        Store.clear();
      }
      const std::size_t Needed = Store.size() + Slot;
      if (Needed > Store.capacity())
        Store.reserve(std::max(Needed, std::min(2 * Store.capacity(), Bound)));
      F.ExtentsGeneration = Document->ExtentGeneration;
      F.ExtentsAt = int(Store.size());
      Store.resize(Needed);
      Store[std::size_t(F.ExtentsAt + RoomAt)] = Length;
    }
    int* Measured = Store.data() + F.ExtentsAt + ExtentsFrom;
    std::fill_n(Measured, Length, 0);
    Document->Fonts.TextExtents(F.Font->Desc(), WideText(RunStart, Length), Length, Measured);
    Store[std::size_t(F.ExtentsAt + CountAt)] = Length;
  }
  // Valid until the next run is measured (the store may grow then).
  const int* Extents = Store.data() + F.ExtentsAt + ExtentsFrom;
  Base = I > RunStart ? Extents[I - RunStart - 1] : 0;
  return Extents + (I - RunStart);
}

int TSection::RunWidth(int Start, int Count, bool IgnoreTrailing) const
{
  int End = Start + Count;
  if (IgnoreTrailing)
    while (End > Start && (Text[std::size_t(End) - 1] == u' ' || Text[std::size_t(End) - 1] == BrkMark))
      --End;
  long long W = 0;
  WalkPieces(
      Start, End,
      [&](const TImageObj* Image) {
        if (Image)
          W += Image->TotalWidth();
        return true;
      },
      [&](const TFontObj* F, int I, int K, int RunEnd) {
        int Base = 0;
        if (K <= 0)
          W += F->Overhang();
        else if (const int* Extents = CachedExtents(*F, I, K, RunEnd, Base))
          W += Extents[K - 1] - Base + F->Overhang();
        else
          W += TextWidth(Document->Fonts, F->Font->Desc(), WideText(I, K), K) + F->Overhang();
        return std::max(K, 1);
      });
  return int(std::min<long long>(W, 100000000));
}

int TSection::FitCount(int Start, int Count, int Width, int& Used) const
{
  Used = 0;
  const int Stop = WalkPieces(
      Start, Start + Count,
      [&](const TImageObj* Image) {
        const int W = Image ? Image->TotalWidth() : 0;
        if (Used + W > Width)
          return false;
        Used += W;
        return true;
      },
      [&](const TFontObj* F, int I, int K, int RunEnd) {
        int PieceWidth = 0;
        const int Room = Width - Used - F->Overhang();
        int Base = 0;
        const int* Extents = Room > 0 && K > 0 ? CachedExtents(*F, I, K, RunEnd, Base) : nullptr;
        int Fit = 0;
        if (Extents) {
          while (Fit < K && Extents[Fit] - Base <= Room)
            ++Fit;
          PieceWidth = Fit > 0 ? Extents[Fit - 1] - Base : 0;
        } else {
          Fit = FitText(Document->Fonts, F->Font->Desc(), WideText(I, K), K, Room, PieceWidth);
        }
        Used += PieceWidth + (Fit > 0 ? F->Overhang() : 0);
        return Fit;
      });
  return Stop - Start;
}

void TSection::MeasureWidths(int& Min, int& Max)
{
  if (CachedMin >= 1 && Images.Count() == 0) {
    Min = CachedMin;
    Max = CachedMax;
    return;
  }
  Min = Max = 0;
  if (CharCount == 0)
    return;
  if (Preformatted) {
    Max = CachedMax != 0 ? CachedMax : RunWidth(0, CharCount);
    Min = std::min(2000, Max);
    CachedMin = Min;
    CachedMax = Max;
    return;
  }
  int FloatTotal = 0;
  for (auto& Image : Images.Items) {
    Image->Measure(0, 0, Fonts.GetFontObjAt(Image->Pos));
    if (Image->PercentWidth)
      continue;
    if (Image->Floating()) {
      FloatTotal += Image->TotalWidth();
      AllowBreak(Image->Pos);
    } else {
      Min = std::max(Min, Image->TotalWidth());
    }
  }
  auto StretchWidth = [&](int Start, int Count) {
    const int W = RunWidth(Start, Count);
    if (Start != 0)
      return W;
    if (FirstIndentPercent > 0)
      return int((long long)W * 100 / (100 - FirstIndentPercent));
    return W + FirstIndent;
  };
  int Widest = 0;
  for (int S = 0; S < CharCount;) {
    int E = S;
    while (E < CharCount && Text[std::size_t(E)] != BrkMark)
      ++E;
    Widest = std::max(Widest, StretchWidth(S, E - S));
    S = E + 1;
  }
  Max = FloatTotal + Widest;
  // Words.
  int I = 0;
  while (I < CharCount) {
    while (I < CharCount && (Text[std::size_t(I)] == u' ' || IsMarker(Text[std::size_t(I)])))
      ++I;
    if (I >= CharCount)
      break;
    int J = I;
    if (IsCJK(Text[std::size_t(I)]) && MayBreak(I)) {
      J = I + 1;
    } else {
      while (J < CharCount) {
        const char16_t X = Text[std::size_t(J)];
        if ((IsMarker(X) || X == u' ' || X == u'-' || X == u'?' || IsCJK(X)) && MayBreak(J))
          break;
        ++J;
      }
      if (J < CharCount && (Text[std::size_t(J)] == u'-' || Text[std::size_t(J)] == u'?'))
        ++J;
    }
    Min = std::max(Min, StretchWidth(I, J - I) - (I == 0 ? 0 : 0));
    I = std::max(J, I + 1);
  }
  Min = std::max(Min, FloatTotal);
  CachedMin = Min;
  CachedMax = Max;
}

int TSection::FirstIndentFor(int Width) const
{
  if (FirstIndentPercent > 0)
    return int((long long)Width * FirstIndentPercent / 100);
  return FirstIndent;
}

namespace {

// Places a floating image at Y between the current indents.
void PlaceFloat(TImageObj& Image, IndentManager& IMgr, int Y)
{
  const TObject* Save = IMgr.CurrentOwner;
  IMgr.CurrentOwner = nullptr;
  if (Image.Align == TImageObj::AlignLeft) {
    const int L = IMgr.LeftIndent(Y);
    Image.IndentX = L + Image.HSpaceL;
    IMgr.SetLeftBottom(IMgr.AddLeft(L + Image.TotalWidth(), Y), Y + Image.TotalHeight());
  } else {
    const int Edge = IMgr.RightSide(Y) - Image.TotalWidth();
    Image.IndentX = Edge + Image.HSpaceL;
    IMgr.SetRightBottom(IMgr.AddRight(Edge, Y), Y + Image.TotalHeight());
  }
  Image.DrawY = Y + Image.VSpaceT;
  Image.DrawX = Image.IndentX;
  IMgr.CurrentOwner = Save;
}

int ClearSpace(const IndentManager& IMgr, int Mode, int Y)
{
  if (Mode == 0)
    return 0;
  int L = 0, R = 0;
  IMgr.ClearPositions(L, R);
  // ClearPositions answers one past the bottom; the float's bottom is the
  // first row below it.
  L = L > 0 ? L - 1 : 0;
  R = R > 0 ? R - 1 : 0;
  const int Bottom = Mode == 1 ? L : Mode == 2 ? R : std::max(L, R);
  return std::max(0, Bottom - Y);
}

}  // namespace

int TSection::LayOut(int X, int& Pos, int& MaxWidth, IndentManager& IMgr, int AvailHeight, int Width, int Y)
{
  PaintTop = TopY = Y;
  StartPos = Pos;
  ContentHeight = 0;
  Lines.clear();
  const int Top = Y;
  // 1. An empty section is only its clear space.
  if (CharCount == 0) {
    ContentHeight = ClearSpace(IMgr, ClearMode, Y);
    if (Preformatted)
      ContentHeight = Fonts.GetFontObjAt(0)->LineHeight();
    PaintBottom = Y + ContentHeight;
    MaxWidth = 0;
    Lines.Fit();
    return ContentHeight;
  }
  // 2. The widths: a preformatted section never wraps.
  const int SaveRight = IMgr.RightEdge();
  if (Preformatted)
    IMgr.SetRightEdge(X + 32000);
  const int FirstLineIndent = FirstIndentFor(Width);
  const int LineWidth = std::min(IMgr.RightSide(Y) - IMgr.LeftIndent(Y), Width);
  MaxWidth = LineWidth;
  for (auto& Image : Images.Items) {
    Image->Measure(AvailHeight, LineWidth, Fonts.GetFontObjAt(Image->Pos));
    MaxWidth = std::max(MaxWidth, Image->TotalWidth());
  }
  // 3. Clear space first.
  const int Clear = ClearSpace(IMgr, ClearMode, Y);
  if (Clear > 0) {
    LineRec Empty;
    Empty.TextHeight = Clear;
    Lines.push_back(Empty);
    ContentHeight += Clear;
    Y += Clear;
  }
  int LowestFloat = 0;
  // 4. The lines.
  int Start = 0;
  bool First = true;
  int Guard = 0;
  int NextBreak = -1;
  while (Start < CharCount && ++Guard < 10000000) {
    const int N = CharCount - Start;
    // Floats at the start of the line are placed before it is fitted.
    while (Start < CharCount && Text[std::size_t(Start)] == ImgPanMark) {
      TImageObj* Image = Images.FindImage(Start);
      if (!Image || !Image->Floating())
        break;
      PlaceFloat(*Image, IMgr, Y);
      LowestFloat = std::max(LowestFloat, Y + Image->TotalHeight());
      LineRec Zero;
      Zero.Start = Start;
      Zero.CharsInLine = 1;
      Zero.PaintX = X;
      Lines.push_back(Zero);
      ++Start;
    }
    if (Start >= CharCount)
      break;
    const int Left = IMgr.LeftIndent(Y) + (First ? FirstLineIndent : 0);
    const int Right = IMgr.RightSide(Y);
    int Count = CharCount - Start;
    (void)N;
    // A forced break ends the line (the next one is looked for once, not
    // again for every line before it).
    if (NextBreak < Start) {
      NextBreak = Start;
      while (NextBreak < CharCount && Text[std::size_t(NextBreak)] != BrkMark)
        ++NextBreak;
    }
    const int BreakAt = NextBreak < CharCount ? NextBreak : -1;
    int Limit = BreakAt >= 0 ? BreakAt - Start + 1 : Count;
    int Used = 0;
    int Fit = Preformatted ? Limit : FitCount(Start, Limit, Right - Left, Used);
    if (Fit == 0) {
      // Below the floats there is more room only when they narrow this line;
      // a line as wide as the cell lays its first character out overflowing.
      const int Wider = IMgr.NextWiderY(Y);
      if (Wider > Y && Right - Left < Width) {
        LineRec Empty;
        Empty.Start = Start;
        Empty.TextHeight = Wider - Y;
        Lines.push_back(Empty);
        ContentHeight += Wider - Y;
        Y = Wider;
        continue;
      }
      Fit = 1;
    }
    int LineLen;
    if (Fit >= Limit) {
      LineLen = Limit;
    } else {
      const int C = Start + Fit - 1;  // the last character that fits
      const int Nx = C + 1;
      const char16_t Cc = Text[std::size_t(C)];
      const char16_t Nc = Text[std::size_t(Nx)];
      LineLen = -1;
      if (((Cc == FmCtlMark || Cc == ImgPanMark || Cc == u' ') && MayBreak(C)) ||
          Cc == BrkMark || IsCJK(Cc)) {
        LineLen = Fit;
      } else if (Nc == u' ' && MayBreak(C)) {
        LineLen = Fit;
      } else if ((Nc == FmCtlMark || Nc == ImgPanMark || IsCJK(Nc)) && MayBreak(Nx)) {
        LineLen = Fit;
      } else {
        for (int I = C; I > Start; --I) {
          const char16_t B = Text[std::size_t(I)];
          const bool Opp = (B == FmCtlMark || B == ImgPanMark || B == u' ' || B == u'-' || B == u'?' || IsCJK(B) ||
                            (I + 1 < CharCount && IsCJK(Text[std::size_t(I) + 1]))) &&
                           MayBreak(I);
          if (Opp) {
            LineLen = I - Start + 1;
            break;
          }
        }
      }
      if (LineLen < 0) {
        // A word longer than the line: it overflows to its end.
        const int Wider = IMgr.NextWiderY(Y);
        if (Wider > Y && Right - Left < Width) {
          LineRec Empty;
          Empty.Start = Start;
          Empty.TextHeight = Wider - Y;
          Lines.push_back(Empty);
          ContentHeight += Wider - Y;
          Y = Wider;
          continue;
        }
        int I = C + 1;
        while (I < CharCount) {
          const char16_t B = Text[std::size_t(I)];
          if ((B == u'-' || B == u'?') && MayBreak(I)) {
            ++I;
            break;
          }
          if ((B == FmCtlMark || B == ImgPanMark || B == BrkMark || B == u' ' || IsCJK(B)) &&
              MayBreak(I))
            break;
          ++I;
        }
        LineLen = I - Start;
        MaxWidth = std::max(MaxWidth, RunWidth(Start, LineLen, true) + (First ? FirstLineIndent : 0));
      }
      // Spaces after the break, and a break right after them, stay on the line.
      while (Start + LineLen < CharCount && Text[std::size_t(Start + LineLen)] == u' ')
        ++LineLen;
      if (Start + LineLen < CharCount && Text[std::size_t(Start + LineLen)] == BrkMark &&
          Text[std::size_t(Start + LineLen - 1)] == u' ')
        ++LineLen;
    }
    LineRec Line;
    Line.Start = Start;
    Line.CharsInLine = LineLen;
    std::vector<TImageObj*> Floats;
    for (int I = Start; I < Start + LineLen; ++I)
      if (Text[std::size_t(I)] == ImgPanMark)
        if (TImageObj* Image = Images.FindImage(I); Image && Image->Floating())
          Floats.push_back(Image);
    const bool Last = Start + LineLen >= CharCount;
    const int H = CompleteLine(Line, X, Y, IMgr, First ? FirstLineIndent : 0, Last, Floats);
    Lines.push_back(Line);
    ContentHeight += H;
    Y += H;
    for (TImageObj* Image : Floats) {
      PlaceFloat(*Image, IMgr, Y);
      LowestFloat = std::max(LowestFloat, Y + Image->TotalHeight());
    }
    Start += LineLen;
    First = false;
  }
  if (Preformatted) {
    IMgr.SetRightEdge(SaveRight);
    // The whole of the widest line is wanted: the page scrolls rather than wraps.
    int Min = 0, Max = 0;
    MeasureWidths(Min, Max);
    MaxWidth = std::max(MaxWidth, Max);
  }
  // 5. The bottoms, and the first baseline for a list item's marker.
  Lines.Fit();
  Pos += CharCount;
  if (Document->FirstLineY && *Document->FirstLineY == 0) {
    for (const LineRec& L : Lines)
      if (L.CharsInLine > 0 && L.TextHeight > 0) {
        int Yl = Top;
        for (const LineRec& P : Lines) {
          if (&P == &L)
            break;
          Yl += P.BoxHeight();
        }
        *Document->FirstLineY = Yl + L.LeadAbove + L.TextHeight - L.MaxDescent;
        break;
      }
  }
  PaintBottom = Top + std::max(LowestFloat - Top, ContentHeight);
  return ContentHeight;
}

int TSection::CompleteLine(LineRec& Line, int X, int Y, IndentManager& IMgr, int Indent, bool LastLine,
                           std::vector<TImageObj*>& Floats)
{
  (void)Floats;
  const int S = Line.Start, K = Line.CharsInLine;
  bool OnlyMarkers = true;
  for (int I = S; I < S + K; ++I)
    if (!(Text[std::size_t(I)] == FmCtlMark || Text[std::size_t(I)] == ImgPanMark))
      OnlyMarkers = false;
  Line.TextHeight = 0;
  Line.MaxDescent = 0;
  if (!OnlyMarkers) {
    for (int I = S; I < S + K;) {
      int Index = 0;
      const TFontObj* F = Fonts.GetFontObjAt(I, &Index);
      Line.TextHeight = std::max(Line.TextHeight, F->FontHeight());
      Line.MaxDescent = std::max(Line.MaxDescent, F->Descent());
      I += std::max(1, Fonts.GetFontCountAt(I, CharCount));
    }
  }
  if (LineBoxHeight >= 0) {
    const int D = LineBoxHeight - Line.TextHeight;
    Line.LeadAbove = D / 2;
    Line.LeadBelow = D - Line.LeadAbove;
  }
  for (int I = S; I < S + K; ++I) {
    if (Text[std::size_t(I)] != ImgPanMark)
      continue;
    TImageObj* Image = Images.FindImage(I);
    if (!Image || Image->Floating())
      continue;
    if (OnlyMarkers && Line.TextHeight == 0) {
      const TFontObj* F = Fonts.GetFontObjAt(S);
      Line.TextHeight = F->FontHeight();
      Line.MaxDescent = F->Descent();
    }
    const int H = Image->TotalHeight();
    switch (Image->Align) {
    case TImageObj::AlignTop:
      Line.LeadBelow = std::max(Line.LeadBelow, H - Line.TextHeight);
      break;
    case TImageObj::AlignMiddle: {
      const int Half = (H - Line.TextHeight) / 2;
      Line.LeadBelow = std::max(Line.LeadBelow, Half);
      Line.LeadAbove = std::max(Line.LeadAbove, (H - Line.TextHeight) - Half);
      break;
    }
    default:
      Line.LeadAbove = std::max(Line.LeadAbove, H + Line.MaxDescent - Line.TextHeight);
      break;
    }
  }
  for (int I = S; I < S + K;) {
    TFontObj* F = Fonts.GetFontObjAt(I);
    if (F->IsLink())
      F->SetYValue(Y);
    I += std::max(1, Fonts.GetFontCountAt(I, CharCount));
  }
  const int Left = IMgr.LeftIndent(Y) + Indent;
  const int Right = IMgr.RightSide(Y);
  const int TextWidth = RunWidth(S, K, true);
  switch (Alignment) {
  case 2: Line.OffsetX = (Left + Right - TextWidth) / 2 - X; break;
  case 3: Line.OffsetX = Right - X - TextWidth; break;
  default: Line.OffsetX = Left - X; break;
  }
  if (Preformatted)
    Line.OffsetX = Left - X;
  Line.SpaceCount = 0;
  Line.SpareWidth = 0;
  if (Alignment == 4 && !LastLine && Text[std::size_t(S + K - 1)] != BrkMark) {
    int End = S + K;
    while (End > S && Text[std::size_t(End) - 1] == u' ')
      --End;
    for (int I = S; I < End - 1; ++I)
      if (Text[std::size_t(I)] == u' ' || Text[std::size_t(I)] == 0xA0)
        ++Line.SpaceCount;
    Line.SpareWidth = Line.SpaceCount > 0 ? std::max(0, Right - Left - TextWidth) : 0;
  }
  Line.RoomWidth = Right - Left;
  Line.PaintX = X + Line.OffsetX;
  Line.PaintY = Y + Line.LeadAbove;
  return Line.BoxHeight();
}
