#include "controls/html/document/CellBasic.h"

#include "controls/html/document/SectionList.h"
#include "controls/html/layout/IndentManager.h"
#include "platform/base/Exception.h"

#include <algorithm>

TCellBasic::~TCellBasic() = default;

void TCellBasic::Add(TSectionBase* Section)
{
  if (!Section)
    return;
  std::unique_ptr<TSectionBase> Owned(Section);
  Owned->FinishText();
  if (Owned->IsEmpty())
    return;
  // A long flow (a conversation's body) grows by a quarter at a time rather
  // than doubling, so that it never keeps up to as much room again unused.
  if (Sections.size() == Sections.capacity())
    Sections.reserve(Sections.size() + Sections.size() / 4 + 1);
  Sections.push_back(std::move(Owned));
  FMeasureStamp = -1;
}

void TCellBasic::MeasureWidths(int& Min, int& Max)
{
  if (Document && FMeasureStamp >= 0 && FMeasureStamp == Document->LayoutCycle) {
    Min = FMeasuredMin;
    Max = FMeasuredMax;
    return;
  }
  Min = Max = 0;
  for (auto& S : Sections) {
    int Mn = 0, Mx = 0;
    S->MeasureWidths(Mn, Mx);
    Min = std::max(Min, Mn);
    Max = std::max(Max, Mx);
  }
  FMeasuredMin = Min;
  FMeasuredMax = Max;
  FMeasureStamp = Document ? Document->LayoutCycle : -1;
}

int TCellBasic::DoLayout(int X, int Y, int Width, int AvailHeight, IndentManager& IMgr, int& MaxWidth, int& Pos)
{
  return LayoutSections(0, nullptr, X, Y, Width, AvailHeight, IMgr, MaxWidth, Pos);
}

int TCellBasic::DoLayoutFrom(std::size_t From, TResumeMark& Mark, int X, int Y, int Width, int AvailHeight,
                             IndentManager& IMgr, int& MaxWidth, int& Pos)
{
  if (From >= Sections.size() || Mark.Index != From || !Mark.Flow.Plain)
    From = 0;
  return LayoutSections(From, &Mark, X, Y, Width, AvailHeight, IMgr, MaxWidth, Pos);
}

int TCellBasic::LayoutSections(std::size_t From, TResumeMark* Mark, int X, int Y, int Width, int AvailHeight,
                               IndentManager& IMgr, int& MaxWidth, int& Pos)
{
  const int Top = Y;
  MaxWidth = 0;
  PaintBottom = Y;
  if (From > 0) {
    const TFlowMark& M = Mark->Flow;
    Y = M.Y;
    Pos = M.Pos;
    MaxWidth = M.MaxWidth;
    PaintBottom = M.PaintBottom;
  }
  // The mark of the last section laid out in this pass; none when no
  // section was (the next layout then starts from the first).
  TResumeMark Last;
  for (std::size_t I = From; I < Sections.size();) {
    auto& S = Sections[I];
    TFlowMark Before;
    if (Mark)
      Before = {Y, Pos, MaxWidth, PaintBottom, IMgr.LeftCount() == 0 && IMgr.RightCount() == 0};
    int SectionMax = 0;
    try {
      Y += S->LayOut(X, Pos, SectionMax, IMgr, AvailHeight, Width, Y);
    } catch (const Exception& E) {
      // A section that cannot be laid out is dropped, and the page goes on
      // without it: noted in the log, never shown to the user.
      Document->LogLayoutFault(E.Message());
      Sections.erase(Sections.begin() + std::ptrdiff_t(I));
      SectionsDropped = true;
      FMeasureStamp = -1;
      continue;
    }
    if (Mark)
      Last = {I, Before};
    MaxWidth = std::max(MaxWidth, SectionMax);
    PaintBottom = std::max(PaintBottom, S->PaintBottom);
    ++I;
  }
  if (Mark)
    *Mark = Last;
  ContentBottom = Y;
  PaintBottom = std::max(PaintBottom, Y);
  return Y - Top;
}

int TCellBasic::Draw(HDC DC, const TRect& Clip, int X, int Y)
{
  for (auto& S : Sections)
    Y = std::max(Y, S->Paint(DC, Clip, X));
  return Y;
}

bool TCellBasic::HitLink(int X, int Y, THitLink& Hit)
{
  for (auto& S : Sections)
    if (Holds(*S, Y) && S->HitLink(X, Y, Hit))
      return true;
  return false;
}

TImageObj* TCellBasic::HitImage(int X, int Y)
{
  for (auto& S : Sections)
    if (Holds(*S, Y))
      if (TImageObj* Image = S->HitImage(X, Y))
        return Image;
  return nullptr;
}

int TCellBasic::CharIndexAt(int X, int Y, bool& InText, int& CaretX, int& CaretY, int& CaretHeight)
{
  InText = false;
  for (auto& S : Sections) {
    if (!Holds(*S, Y))
      continue;
    const int Pos = S->CharIndexAt(X, Y, InText, CaretX, CaretY, CaretHeight);
    if (Pos >= 0)
      return Pos;
  }
  return -1;
}

bool TCellBasic::CaretPoint(int Pos, int& X, int& Y) const
{
  for (auto& S : Sections)
    if (S->CaretPoint(Pos, X, Y))
      return true;
  return false;
}

bool TCellBasic::CharAt(int Pos, char16_t& Ch) const
{
  for (auto& S : Sections)
    if (S->CharAt(Pos, Ch))
      return true;
  return false;
}

int TCellBasic::DocToSource(int Pos) const
{
  for (auto& S : Sections) {
    const int Source = S->DocToSource(Pos);
    if (Source >= 0)
      return Source;
  }
  return -1;
}

int TCellBasic::SourceToDoc(int Source, bool TowardsPrevious) const
{
  // Towards the previous character the last section that starts at or
  // before Source answers; otherwise the first that ends after it.
  if (TowardsPrevious) {
    for (auto It = Sections.rbegin(); It != Sections.rend(); ++It) {
      const int Pos = (*It)->SourceToDoc(Source, true);
      if (Pos >= 0)
        return Pos;
    }
    return -1;
  }
  for (auto& S : Sections) {
    const int Pos = S->SourceToDoc(Source, false);
    if (Pos >= 0)
      return Pos;
  }
  return -1;
}

void TCellBasic::CopySelection()
{
  for (auto& S : Sections)
    S->CopySelection();
}
