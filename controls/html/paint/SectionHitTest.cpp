// Hit testing of a laid-out text section: the character under a point, the
// point of a character, the link or title under a point, and the copy of
// the selected text. Measuring follows painting exactly (justification
// included), so that a caret lands on the painted glyph boundaries.
#include <algorithm>

#include "controls/html/document/MapItem.h"
#include "controls/html/document/Section.h"
#include "controls/html/document/SectionList.h"

// NOTE: no measurement is cached between calls: a cache keyed on a pointer
// into the text and a distance answers stale counts once the text is freed
// and its memory reused, or after a relayout with other fonts.

namespace {

// How many characters of Line lie left of X (document), with the width they take.
int CountAt(const TSection& S, const LineRec& Line, int X, int& Width)
{
  const int D = X - Line.PaintX;
  Width = 0;
  if (D <= 0)
    return 0;
  int C = 0;
  while (C < Line.CharsInLine) {
    const int W = S.LineTextWidth(Line, C + 1);
    if (W > D)
      break;
    Width = W;
    ++C;
  }
  return C;
}

}  // namespace

int TSection::CharIndexAt(int X, int Y, bool& InText, int& CaretX, int& CaretY, int& CaretHeight)
{
  InText = false;
  if (X < PaintLeft || Lines.empty())
    return -1;
  int LineTop = TopY;
  int Before = 0;
  for (const LineRec& Line : Lines) {
    const int Box = Line.BoxHeight();
    if (Y >= LineTop && Y < LineTop + Box && Line.CharsInLine > 0) {
      if (X > Line.PaintX + Line.RoomWidth)
        return -1;
      CaretHeight = Line.TextHeight;
      CaretY = LineTop + Line.LeadAbove;
      if (X < Line.PaintX) {
        CaretX = Line.PaintX;
        return StartPos + Line.Start;
      }
      int Width = 0;
      int C = CountAt(*this, Line, X, Width);
      CaretX = Line.PaintX + Width;
      if (C < Line.CharsInLine) {
        const int Next = LineTextWidth(Line, C + 1);
        InText = true;
        if (X - Line.PaintX > (Width + Next) / 2) {
          ++C;
          CaretX = Line.PaintX + Next;
        }
      }
      return StartPos + Line.Start + C;
    }
    LineTop += Box;
    Before += Line.CharsInLine;
  }
  return -1;
}

bool TSection::CaretPoint(int Pos, int& X, int& Y) const
{
  if (CharCount == 0 || Pos < StartPos || Pos > StartPos + CharCount)
    return false;
  const int Offset = Pos - StartPos;
  int LineTop = TopY;
  for (std::size_t I = 0; I < Lines.size(); ++I) {
    const LineRec& Line = Lines[I];
    const bool LastLine = I + 1 == Lines.size();
    if (Line.CharsInLine > 0 && Offset >= Line.Start &&
        (Offset < Line.Start + Line.CharsInLine || (LastLine && Offset == Line.Start + Line.CharsInLine))) {
      X = Line.PaintX + LineTextWidth(Line, Offset - Line.Start);
      Y = LineTop + Line.LeadAbove;
      return true;
    }
    LineTop += Line.BoxHeight();
  }
  return false;
}

TImageObj* TSection::HitImage(int X, int Y)
{
  return Images.ImageAt(X, Y);
}

bool TSection::HitLink(int X, int Y, THitLink& Hit)
{
  if (TImageObj* Image = Images.ImageAt(X, Y)) {
    Hit.Title = Image->Title();
    if (!Hit.Title.empty())
      Hit.Flags |= THitLink::HasTitle;
    Document->HoverImage = Image;
    if (Image->FormControl()) {
      Hit.Flags |= THitLink::HasControl;
      Hit.Control = Image->FormControl();
      Hit.ControlX = X - Image->DrawX;
      Hit.ControlY = Y - Image->DrawY;
      return true;
    }
    if (Image->UseMap) {
      if (TMapItem* Map = Document->FindMap(Image->MapName())) {
        TUrlTarget Link;
        std::string Title;
        if (Map->GetURL(X - Image->DrawX, Y - Image->DrawY, Link, Title)) {
          Hit.Flags |= THitLink::HasTarget;
          Hit.MapUrl = Link.URL;
          if (!Title.empty()) {
            Hit.Flags |= THitLink::HasTitle;
            Hit.Title = Title;
          }
        }
      }
      return Hit.Flags != 0;
    }
    TFontObj* F = Fonts.GetFontObjAt(Image->Pos);
    if (F && F->IsLink()) {
      Hit.Flags |= THitLink::HasTarget;
      Hit.Target = &F->UrlTarget();
      Document->HoverLink = F;
      if (Image->IsMap)
        Hit.MapUrl = F->UrlTarget().URL + "?" + std::to_string(X - Image->DrawX) + "," +
                     std::to_string(Y - Image->DrawY);
    }
    return Hit.Flags != 0;
  }
  for (const LineRec& Line : Lines) {
    if (Line.CharsInLine == 0 || !(Y > Line.PaintY - 1 && Y <= Line.PaintY + Line.TextHeight))
      continue;
    if (X < Line.PaintX)
      return false;
    int Width = 0;
    const int C = CountAt(*this, Line, X, Width);
    if (C >= Line.CharsInLine)
      return false;
    const int Index = Line.Start + C;
    if (Text[std::size_t(Index)] == ImgPanMark)
      return false;
    TFontObj* F = Fonts.GetFontObjAt(Index);
    if (F->IsLink()) {
      Hit.Flags |= THitLink::HasTarget;
      Hit.Target = &F->UrlTarget();
      Document->HoverLink = F;
    }
    if (!F->Title().empty()) {
      Hit.Flags |= THitLink::HasTitle;
      Hit.Title = F->Title();
    }
    return Hit.Flags != 0;
  }
  return false;
}

void TSection::CopySelection()
{
  const int SelS = Document->SelStart, SelE = Document->SelEnd;
  if (SelE <= StartPos || SelS >= StartPos + CharCount || SelS >= SelE)
    return;
  for (const LineRec& Line : Lines) {
    const int From = std::max(SelS - StartPos, Line.Start);
    const int To = std::min(SelE - StartPos, Line.Start + Line.CharsInLine);
    for (int I = From; I < To; ++I) {
      const char16_t C = Text[std::size_t(I)];
      if (C == BrkMark)
        Document->CopyBuffer += u"\r\n";
      else if (C != ImgPanMark && C != FmCtlMark)
        Document->CopyBuffer += C;
    }
  }
  if (SelE > StartPos + CharCount)
    Document->CopyBuffer += u"\r\n";
}
