// Painting of a laid-out text section: its lines, run by run, with the
// selection in inverse colours, inline images, floats deferred to the
// document's draw list, the caret and justification.
#include <algorithm>

#include "controls/html/document/Section.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/paint/DrawingHelpers.h"
#include "platform/win/gdi/gdi.h"

namespace {

bool IsSpace(char16_t C) { return C == u' ' || C == 0xA0; }

// The extra pixels justification gives the Index-th space of a line.
int SpaceExtra(const LineRec& L, int Index)
{
  if (L.SpaceCount <= 0 || Index >= L.SpaceCount)
    return 0;
  return L.SpareWidth / L.SpaceCount + (Index < L.SpareWidth % L.SpaceCount ? 1 : 0);
}

}  // namespace

int TSection::LineTextWidth(const LineRec& Line, int Count) const
{
  int W = RunWidth(Line.Start, Count);
  if (Line.SpaceCount > 0) {
    int Spaces = 0;
    for (int I = Line.Start; I < Line.Start + Count; ++I)
      if (IsSpace(Text[std::size_t(I)]))
        W += SpaceExtra(Line, Spaces++);
  }
  return W;
}

void TSection::PaintInlineBoxes(HDC DC, const LineRec& Line, int End)
{
  Document->ConvertInlineList();
  const int LineFirst = StartPos + Line.Start, LineEnd = StartPos + End;
  const int YOff = Document->YOff;
  for (const TInlineRec& R : Document->InlineList) {
    if (R.StartB >= LineEnd || R.EndB <= LineFirst)
      continue;
    const bool OpenStart = R.StartB < LineFirst, OpenEnd = R.EndB > LineEnd;
    const int From = std::max(R.StartB, LineFirst) - StartPos, To = std::min(R.EndB, LineEnd) - StartPos;
    const TRect Content{Line.PaintX + LineTextWidth(Line, From - Line.Start), Line.PaintY - YOff,
                        Line.PaintX + LineTextWidth(Line, To - Line.Start), Line.PaintY + Line.TextHeight - YOff};
    // A box that goes on past this line has no side there.
    const int Left = OpenStart ? 0 : R.Border[0], Right = OpenEnd ? 0 : R.Border[2];
    FillSolid(DC, Content, R.Background);
    const TRect Border{Content.Left - Left, Content.Top - R.Border[1], Content.Right + Right,
                       Content.Bottom + R.Border[3]};
    TBorderColors Colors;
    TBorderStyles Styles;
    for (int S = 0; S < 4; ++S) {
      Colors[std::size_t(S)] = R.BorderColor[S];
      Styles[std::size_t(S)] = (S == 0 && OpenStart) || (S == 2 && OpenEnd) ? 0 : R.BorderStyle[S];
    }
    ::DrawBorder(DC, Border, Content, Colors, Styles, clNone);
  }
}

int TSection::Paint(HDC DC, const TRect& Clip, int X)
{
  PaintLeft = X;
  const int YOff = Document->YOff;
  if (CharCount == 0 || PaintBottom - YOff <= Clip.Top || PaintTop - YOff >= Clip.Bottom)
    return PaintTop + ContentHeight;
  const int SelS = Document->SelStart - StartPos, SelE = Document->SelEnd - StartPos;
  const THtmlFontService& FS = Document->Fonts;
  int Y = PaintTop;
  for (LineRec& Line : Lines) {
    const int LineTop = Y;
    Y += Line.BoxHeight();
    // A printed page never cuts a line: the page ends above it instead.
    if (Document->Printing && !Document->LineOnPage(LineTop, Line.BoxHeight()))
      break;
    if (LineTop + Line.BoxHeight() - YOff <= Clip.Top || LineTop - YOff >= Clip.Bottom)
      continue;
    Line.PaintY = LineTop + Line.LeadAbove;
    Line.PaintX = X + Line.OffsetX;
    const int Baseline = Line.PaintY + Line.TextHeight - Line.MaxDescent;
    int PX = Line.PaintX;
    int Spaces = 0;
    int End = Line.Start + Line.CharsInLine;
    // Trailing spaces and a line break are not painted.
    if (!Preformatted)
      while (End > Line.Start && (Text[std::size_t(End) - 1] == u' ' || Text[std::size_t(End) - 1] == BrkMark))
        --End;
    if (!Document->InlineList.empty())
      PaintInlineBoxes(DC, Line, End);
    for (int I = Line.Start; I < End;) {
      const char16_t C = Text[std::size_t(I)];
      TFontObj* F = Fonts.GetFontObjAt(I);
      if (C == ImgPanMark) {
        if (TImageObj* Image = Images.FindImage(I)) {
          if (Image->Floating()) {
            Document->DrawList.push_back({Image, F, Image->IndentX, Image->DrawY});
          } else {
            Image->Draw(DC, PX + Image->HSpaceL, Baseline, Line.PaintY, F);
            PX += Image->TotalWidth();
          }
        }
        ++I;
        continue;
      }
      if (C == BrkMark || C == FmCtlMark) {
        ++I;
        continue;
      }
      // A run ends at a font change, a marker, a selection edge or (when
      // justified) after a space.
      int N = std::min(End - I, Fonts.GetFontCountAt(I, CharCount));
      int K = 0;
      while (K < N) {
        const char16_t D = Text[std::size_t(I + K)];
        if (D == ImgPanMark || D == BrkMark || D == FmCtlMark)
          break;
        if (K > 0 && (I + K == SelS || I + K == SelE))
          break;
        ++K;
        if (Line.SpaceCount > 0 && IsSpace(D))
          break;
      }
      const bool Selected = I >= SelS && I < SelE;
      const THtmlFontDesc Desc = F->Font->Desc();
      TColor Color = Document->Printing ? Document->PrintTextColor(F->Font->Color) : F->Font->Color;
      TColor Back = F->Font->bgColor;
      if (Selected) {
        const TColor Text = Back != clNone ? Back : TColor(PlainColor(Color) ^ 0xFFFFFF);
        Back = Color;
        Color = Text;
      }
      int Shift = 0;
      if (F->VertAlign == 9) Shift = -F->FontHeight() / 3;
      else if (F->VertAlign == 8) Shift = F->Descent() / 2 + 1;
      const int TopOfCell = Baseline - F->Ascent() + Shift - YOff;
      const TRect LineClip{Clip.Left, std::max(Clip.Top, Line.PaintY - YOff), Clip.Right,
                           std::min(Clip.Bottom, Line.PaintY + Line.TextHeight - YOff)};
      FS.DrawText(DC, PX, TopOfCell, Desc, Color, Back, WideText(I, K), K, Preformatted ? &LineClip : nullptr);
      if (Document->ShowCaret && Document->CaretPos == StartPos + I && SelS == SelE)
        SolidLine(DC, PX, TopOfCell, PX, TopOfCell + F->FontHeight(), Color);
      PX += RunWidth(I, K);
      if (Line.SpaceCount > 0 && IsSpace(Text[std::size_t(I + K - 1)]))
        PX += SpaceExtra(Line, Spaces++);
      if (F->Focused) {
        const TRect R{PX - RunWidth(I, K) - 1, Baseline + F->Descent() - F->FontHeight() - YOff, PX + 1,
                      Baseline + F->Descent() - YOff};
        DrawFocusRect(DC, &R);
      }
      I += std::max(K, 1);
    }
    if (Document->ShowCaret && Document->CaretPos == StartPos + CharCount && &Line == &Lines.back() &&
        SelS == SelE) {
      const TFontObj* F = Fonts.GetFontObjAt(CharCount - 1);
      SolidLine(DC, PX, Line.PaintY - YOff, PX, Line.PaintY + Line.TextHeight - YOff, F->Font->Color);
    }
  }
  return PaintTop + ContentHeight;
}

