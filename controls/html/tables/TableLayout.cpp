#include "controls/html/tables/TableLayout.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "controls/html/document/SectionList.h"
#include "controls/html/layout/IndentManager.h"
#include "controls/html/parser/Attributes.h"
#include "controls/html/styles/ColorNames.h"
#include "platform/base/MulDiv.h"

namespace {

// MulDiv with rounding in 64 bits; a zero divisor gives 0 (the layout's
// proportional steps then do nothing instead of failing).
int MulDivZ(long long A, long long B, long long C)
{
  if (C == 0)
    return 0;
  const long long P = A * B;
  const long long Half = (C > 0 ? C : -C) / 2;
  const long long R = (P >= 0) == (C > 0) ? (P + (P >= 0 ? Half : -Half)) / C : (P + (P >= 0 ? Half : -Half)) / C;
  return int(std::clamp<long long>(R, -1000000000LL, 1000000000LL));
}

int Sum(const std::vector<int>& V, int From = 0, int Count = -1)
{
  long long S = 0;
  const int End = Count < 0 ? int(V.size()) : std::min(int(V.size()), From + Count);
  for (int I = From; I < End; ++I)
    S += V[std::size_t(I)];
  return int(std::clamp<long long>(S, -1000000000LL, 1000000000LL));
}

}  // namespace

int RoundHalfEven(double V)
{
  return int(std::nearbyint(V));  // the default rounding mode rounds halves to even
}

ThtmlTable::ThtmlTable(TSectionList* ADocument, TAttributeList& Attributes) : TSectionBase(ADocument)
{
  for (int I = 0; I < Attributes.Count(); ++I) {
    const TAttribute* A = Attributes.Items(I);
    switch (A->Which) {
    case BorderSy:
      Border = A->Name.empty() ? 1 : std::clamp(A->Value, 0, 100);
      break;
    case CellPaddingSy:
      if (A->Value >= 0)
        Padding = std::min(A->Value, 50);
      break;
    case CellSpacingSy:
      if (A->Value >= 0)
        Spacing = std::min(A->Value, 40);
      break;
    case BorderColorSy:
    case BorderColorLightSy:
    case BorderColorDarkSy: {
      TColor C;
      if (!ColorFromString(A->Name, false, C))
        break;
      if (A->Which != BorderColorDarkSy)
        LightColor = C;
      if (A->Which != BorderColorLightSy)
        DarkColor = C;
      break;
    }
    default: break;
    }
  }
}

void ThtmlTable::Prepare()
{
  if (Prepared)
    return;
  Prepared = true;
  const int R = int(Rows.size());
  long long Slots = 0;
  for (int r = 0; r < R; ++r) {
    TCellList& Row = *Rows[std::size_t(r)];
    for (int i = int(Row.Slots.size()) - 1; i >= 0; --i) {
      TCellSlot& Slot = Row.Slots[std::size_t(i)];
      TCellObj* Cell = Slot.Cell.get();
      if (!Cell)
        continue;
      if (Row.HasBackground && !Cell->HasBackground) {
        Cell->HasBackground = true;
        Cell->Background = Row.Background;
      }
      Cell->Init(Padding, Border > 0);
      if (Cell->SpecWd > 0 && !Cell->WidthPercent)
        HasFixedCells = true;
      if (HasBackground && !Cell->HasBackground) {
        Cell->HasBackground = true;
        Cell->Background = BackgroundColor;
      }
      // Spans end at the last row, at the widest grid, and within the slot budget.
      Slot.ColSpan = std::clamp(Slot.ColSpan, 1, std::max(1, MaxColumns - i));
      Slot.RowSpan = std::clamp(Slot.RowSpan, 1, R - r);
      if (Slots + (long long)Slot.ColSpan * Slot.RowSpan > MaxGridSlots)
        Slot.RowSpan = int(std::max<long long>(1, (MaxGridSlots - Slots) / Slot.ColSpan));
      Slots += (long long)Slot.ColSpan * Slot.RowSpan;
      Cell->ColSpan = Slot.ColSpan;
      Cell->RowSpan = Slot.RowSpan;
      if (Slot.ColSpan > 1) {
        std::vector<TCellSlot> Fillers(std::size_t(Slot.ColSpan - 1));
        for (TCellSlot& F : Fillers) {
          F.ColSpan = 0;
          F.RowSpan = Slot.RowSpan >= 2 ? Slot.RowSpan : 1;
        }
        Row.Slots.insert(Row.Slots.begin() + i + 1, std::make_move_iterator(Fillers.begin()),
                         std::make_move_iterator(Fillers.end()));
      }
    }
    if (int(Row.Slots.size()) > MaxColumns)
      Row.Slots.resize(std::size_t(MaxColumns));
  }
  auto Widest = [&] {
    int N = 0;
    for (auto& Row : Rows)
      N = std::max(N, int(Row->Slots.size()));
    return N;
  };
  // Row spans: the rows below get fillers in the spanned column.
  ColumnCount = Widest();
  for (int c = 0; c < ColumnCount; ++c)
    for (int r = 0; r < R; ++r) {
      auto& Row = Rows[std::size_t(r)]->Slots;
      if (c >= int(Row.size()))
        continue;
      TCellSlot& Slot = Row[std::size_t(c)];
      Slot.RowSpan = std::min(Slot.RowSpan, R - r);
      if (Slot.Cell)
        Slot.Cell->RowSpan = Slot.RowSpan;
      for (int k = 1; k < Slot.RowSpan; ++k) {
        auto& Below = Rows[std::size_t(r + k)]->Slots;
        while (int(Below.size()) < c) {
          TCellSlot F;
          F.ColSpan = F.RowSpan = 0;
          Below.push_back(std::move(F));
        }
        if (int(Below.size()) >= MaxColumns)
          continue;
        TCellSlot F;
        F.ColSpan = F.RowSpan = 0;
        Below.insert(Below.begin() + c, std::move(F));
      }
    }
  ColumnCount = std::min(Widest(), MaxColumns);
  for (auto& Row : Rows)
    if (int(Row->Slots.size()) > ColumnCount)
      Row->Slots.resize(std::size_t(ColumnCount));
  if (!ColumnSpecs.empty()) {
    bool AnyFixed = false;
    for (auto& Row : Rows)
      for (int c = 0; c < std::min(ColumnCount, int(Row->Slots.size())); ++c) {
        TCellObj* Cell = Row->Slots[std::size_t(c)].Cell.get();
        if (!Cell)
          continue;
        if (c < int(ColumnSpecs.size()) && ColumnSpecs[std::size_t(c)].Width > 0) {
          Cell->SpecWd = ColumnSpecs[std::size_t(c)].Width;
          Cell->WidthPercent = ColumnSpecs[std::size_t(c)].IsPercent;
        }
        if (!Cell->WidthPercent)
          AnyFixed = true;
      }
    HasFixedCells = AnyFixed;
    ColumnSpecs.clear();
  }
  ColWidth.assign(std::size_t(ColumnCount), 0);
  ColMax.assign(std::size_t(ColumnCount), 0);
  ColMin.assign(std::size_t(ColumnCount), 0);
  ColPermille.assign(std::size_t(ColumnCount), 0);
}

bool ThtmlTable::MeasuredThisCycle(int& TotalMin, int& TotalMax) const
{
  // Once per layout cycle: nested tables are measured by every level above them.
  if (!Document || MeasureStamp < 0 || MeasureStamp != Document->LayoutCycle)
    return false;
  TotalMin = MeasuredMin;
  TotalMax = MeasuredMax;
  return true;
}

std::vector<ThtmlTable::TMeasured> ThtmlTable::MeasureCells()
{
  std::vector<TMeasured> Result;
  for (int r = 0; r < int(Rows.size()); ++r) {
    auto& Row = Rows[std::size_t(r)]->Slots;
    for (int c = 0; c < int(Row.size()); ++c) {
      TCellObj* Cell = Row[std::size_t(c)].Cell.get();
      if (!Cell || Row[std::size_t(c)].ColSpan <= 0)
        continue;
      int Min = 0, Max = 0;
      Cell->MinMax(Min, Max);
      const int D = Cell->HzSpace + Spacing;
      const int Span = std::min(Row[std::size_t(c)].ColSpan, ColumnCount - c);
      Result.push_back({r, c, Span, Min + D, Max + D, Cell});
    }
  }
  std::stable_sort(Result.begin(), Result.end(), [](const TMeasured& A, const TMeasured& B) { return A.Span < B.Span; });
  return Result;
}

void ThtmlTable::MeasureColumnsFixed(int& TotalMin, int& TotalMax)
{
  if (MeasuredThisCycle(TotalMin, TotalMax))
    return;
  std::fill(ColMin.begin(), ColMin.end(), 0);
  std::fill(ColMax.begin(), ColMax.end(), 0);
  RowHeight.clear();
  for (TMeasured& M : MeasureCells()) {
    const int W = M.Cell->WidthPercent ? 0 : M.Cell->SpecWd;
    if (M.Span == 1) {
      if (W > 0)
        M.Max = std::max(M.Min, W + M.Cell->HzSpace + Spacing);
      ColMin[std::size_t(M.Col)] = std::max(ColMin[std::size_t(M.Col)], M.Min);
      ColMax[std::size_t(M.Col)] = std::max(ColMax[std::size_t(M.Col)], M.Max);
      continue;
    }
    if (W > 0) {
      M.Min = std::max(M.Min, W);
      M.Max = std::max(M.Min, W);
    }
    for (auto* Col : {&ColMin, &ColMax}) {
      const int Need = Col == &ColMin ? M.Min : M.Max;
      const int S = Sum(*Col, M.Col, M.Span);
      if (S >= Need)
        continue;
      if (S == 0) {
        (*Col)[std::size_t(M.Col)] = Need;
      } else {
        for (int i = M.Col; i < M.Col + M.Span; ++i)
          (*Col)[std::size_t(i)] += MulDivZ((*Col)[std::size_t(i)], Need - S, S);
      }
    }
  }
  TotalMin = Sum(ColMin);
  TotalMax = Sum(ColMax);
}

void ThtmlTable::MeasureColumns(int Width, int& TotalMin, int& TotalMax)
{
  if (MeasuredThisCycle(TotalMin, TotalMax))
    return;
  std::fill(ColMin.begin(), ColMin.end(), 0);
  std::fill(ColMax.begin(), ColMax.end(), 0);
  std::fill(ColPermille.begin(), ColPermille.end(), 0);
  RowHeight.clear();
  for (TMeasured& M : MeasureCells()) {
    int P = 0;
    if (M.Cell->WidthPercent)
      P = M.Cell->SpecWd;
    else if (M.Cell->SpecWd > 0 && Width > 0)
      P = std::min(1000, MulDivZ(M.Cell->SpecWd, 1000, Width));
    const std::size_t C = std::size_t(M.Col);
    if (M.Span == 1) {
      ColMax[C] = std::max(ColMax[C], M.Max);
      ColMin[C] = std::max(ColMin[C], M.Min);
      ColPermille[C] = std::max(ColPermille[C], P);
      continue;
    }
    const int SM = Sum(ColMax, M.Col, M.Span), Sm = Sum(ColMin, M.Col, M.Span);
    int Sp = 0, Z = 0;
    for (int i = M.Col; i < M.Col + M.Span; ++i) {
      if (ColPermille[std::size_t(i)] > 0)
        Sp += ColPermille[std::size_t(i)];
      else
        ++Z;
    }
    const int Em = M.Min - Sm, EM = M.Max - SM;
    if (P > 0 || Sp > 0) {
      const int A = Z > 0 ? std::max(0, (P - Sp) / Z) : 0;
      if (Z == 0 && Sp < P) {
        for (int i = M.Col; i < M.Col + M.Span; ++i)
          ColPermille[std::size_t(i)] = MulDivZ(ColPermille[std::size_t(i)], P, Sp);
      } else if (A > 0) {
        for (int i = M.Col; i < M.Col + M.Span; ++i)
          if (ColPermille[std::size_t(i)] == 0)
            ColPermille[std::size_t(i)] = A;
      }
      const int T = std::max(Sp, P);
      if (Em > 0)
        for (int i = M.Col; i < M.Col + M.Span; ++i)
          ColMin[std::size_t(i)] += Z <= 0 || SM <= 0 ? MulDivZ(Em, ColPermille[std::size_t(i)], T)
                                                      : MulDivZ(Em, ColMax[std::size_t(i)], SM);
      if (EM > 0)
        for (int i = M.Col; i < M.Col + M.Span; ++i)
          ColMax[std::size_t(i)] += MulDivZ(EM, ColPermille[std::size_t(i)], T);
    } else {
      for (auto* Col : {&ColMin, &ColMax}) {
        const int Need = Col == &ColMin ? M.Min : M.Max;
        const int S = Col == &ColMin ? Sm : SM;
        if (Need - S <= 0)
          continue;
        for (int i = M.Col; i < M.Col + M.Span; ++i)
          (*Col)[std::size_t(i)] = S == 0 ? Need / M.Span : MulDivZ(Need, (*Col)[std::size_t(i)], S);
        const int Short = Need - Sum(*Col, M.Col, M.Span);
        if (Short > 0)
          (*Col)[std::size_t(M.Col)] += Short;
      }
    }
  }
  TotalMin = MeasuredMin = Sum(ColMin);
  TotalMax = MeasuredMax = Sum(ColMax);
  if (Document)
    MeasureStamp = Document->LayoutCycle;
}

void ThtmlTable::SpreadFixed(int W, bool Specified)
{
  int m = 0, M = 0;
  MeasureColumnsFixed(m, M);
  if (W < m) {
    ColWidth = ColMin;
    return;
  }
  if (W >= M && !Specified) {
    ColWidth = ColMax;
    return;
  }
  for (int i = 0; i < ColumnCount; ++i) {
    const std::size_t I = std::size_t(i);
    ColWidth[I] = M == m ? ColMin[I] + MulDivZ(ColMin[I], W - m, m)
                         : ColMin[I] + MulDivZ(ColMax[I] - ColMin[I], W - m, M - m);
  }
  // Rounding: one pass settles the difference a pixel at a time.
  int S = Sum(ColWidth);
  for (int i = 0; i < ColumnCount && S != W; ++i) {
    const std::size_t I = std::size_t(i);
    if (S < W) {
      ++ColWidth[I];
      ++S;
    } else if (ColMin[I] < ColMax[I] && ColWidth[I] > 0) {
      --ColWidth[I];
      --S;
    }
  }
}

void ThtmlTable::FitToWidth(int W)
{
  if (ColumnCount == 0)
    return;
  std::vector<bool> Fixed(std::size_t(ColumnCount), false);
  int F = 0, S = 0, P = 0;
  for (int i = 0; i < ColumnCount; ++i) {
    const std::size_t I = std::size_t(i);
    if (ColPermille[I] == 0) {
      ColWidth[I] = ColMin[I];
      ++F;
      S += std::max(0, ColMax[I] - ColMin[I]);
    } else {
      const int Share = MulDivZ(W, ColPermille[I], 1000);
      if (Share > ColMin[I]) {
        ColWidth[I] = Share;
        P += ColPermille[I];
      } else {
        ColWidth[I] = ColMin[I];
        Fixed[I] = true;
      }
    }
  }
  int D = Sum(ColWidth) - W;
  if (D < 0) {
    if (F == 0) {
      if (P > 0)
        for (int i = 0; i < ColumnCount; ++i)
          if (ColPermille[std::size_t(i)] > 0 && !Fixed[std::size_t(i)])
            ColWidth[std::size_t(i)] += MulDivZ(-D, ColPermille[std::size_t(i)], P);
    } else if (S > 0 && S >= -D / 4) {
      for (int i = 0; i < ColumnCount; ++i)
        if (ColPermille[std::size_t(i)] == 0)
          ColWidth[std::size_t(i)] += MulDivZ(-D, std::max(0, ColMax[std::size_t(i)] - ColMin[std::size_t(i)]), S);
    } else {
      for (int i = 0; i < ColumnCount; ++i)
        if (ColPermille[std::size_t(i)] == 0)
          ColWidth[std::size_t(i)] += -D / F;
    }
  } else if (D > 0) {
    for (int Iter = 0; Iter < 4 && P > 0; ++Iter) {
      bool Any = false;
      for (int i = 0; i < ColumnCount; ++i) {
        const std::size_t I = std::size_t(i);
        if (ColPermille[I] == 0 || Fixed[I])
          continue;
        if (ColWidth[I] - MulDivZ(D, ColPermille[I], P) < ColMin[I]) {
          D -= ColWidth[I] - ColMin[I];
          P -= ColPermille[I];
          ColWidth[I] = ColMin[I];
          Fixed[I] = true;
          Any = true;
        }
      }
      if (!Any)
        break;
    }
    if (P > 0 && D > 0) {
      const int D0 = D, P0 = P;
      for (int i = 0; i < ColumnCount; ++i)
        if (ColPermille[std::size_t(i)] > 0 && !Fixed[std::size_t(i)])
          ColWidth[std::size_t(i)] -= MulDivZ(D0, ColPermille[std::size_t(i)], P0);
    }
  }
  const int Left = Sum(ColWidth) - W;
  if (Left > 0) {
    for (int i = 0; i < ColumnCount; ++i)
      if (!Fixed[std::size_t(i)]) {
        ColWidth[std::size_t(i)] = std::max(0, ColWidth[std::size_t(i)] - Left);
        break;
      }
  } else if (Left < 0) {
    ColWidth[0] -= Left;
  }
}

void ThtmlTable::FitNatural(int m, int M, int W)
{
  if (ColumnCount == 0)
    return;
  const int P = Sum(ColPermille);
  if ((P > 0 && P <= 1000) || FixedWidth > 0) {
    int N = 0, Q = 0;
    for (int i = 0; i < ColumnCount; ++i) {
      const std::size_t I = std::size_t(i);
      if (ColPermille[I] > 0)
        N = std::max(N, MulDivZ(ColMax[I], 1000, ColPermille[I]));
      else
        Q += ColMax[I];
    }
    const int B = P < 1000 ? MulDivZ(Q, 1000, 1000 - P) : Q <= 0 ? 0 : 30000;
    int X = std::max(N, B);
    if (W >= X) {
      if (FixedWidth > 0)
        X = W;
      const int Rest = MulDivZ(X, 1000 - P, 1000);
      for (int i = 0; i < ColumnCount; ++i) {
        const std::size_t I = std::size_t(i);
        ColWidth[I] = ColPermille[I] > 0 ? MulDivZ(X, ColPermille[I], 1000) : Q <= 0 ? 0 : MulDivZ(Rest, ColMax[I], Q);
      }
      return;
    }
    long long Previous = 268435455;
    for (;;) {
      bool AnyPermille = false;
      long long S = 0, T = 0;
      for (int i = 0; i < ColumnCount; ++i) {
        const std::size_t I = std::size_t(i);
        if (ColPermille[I] > 0 && MulDivZ(W, ColPermille[I], 1000) < ColMin[I])
          ColPermille[I] = 0;
        if (ColPermille[I] > 0) {
          AnyPermille = true;
          T += MulDivZ(W, ColPermille[I], 1000);
        } else {
          S += ColMin[I];
        }
      }
      if (!AnyPermille)
        break;
      if (W < S + T) {
        long long Room = W - S;
        if (Room >= Previous)
          Room = Previous - 1;
        Previous = Room;
        if (Room <= 0 || T <= 0) {
          std::fill(ColPermille.begin(), ColPermille.end(), 0);
          break;
        }
        for (int& Pm : ColPermille)
          if (Pm > 0)
            Pm = MulDivZ(Pm, Room, T);
        continue;
      }
      for (int i = 0; i < ColumnCount; ++i) {
        const std::size_t I = std::size_t(i);
        if (ColPermille[I] > 0)
          ColMin[I] = ColMax[I] = MulDivZ(W, ColPermille[I], 1000);
      }
      m = Sum(ColMin);
      M = Sum(ColMax);
      break;
    }
  }
  if (M == m) {
    for (int i = 0; i < ColumnCount; ++i)
      ColWidth[std::size_t(i)] = ColMin[std::size_t(i)] + (W - m) / ColumnCount;
  } else {
    for (int i = 0; i < ColumnCount; ++i) {
      const std::size_t I = std::size_t(i);
      ColWidth[I] = ColMin[I] + MulDivZ(ColMax[I] - ColMin[I], W - m, M - m);
    }
  }
  const int Rest = W - Sum(ColWidth);
  if (Rest != 0) {
    int Best = 0;
    if (M != m)
      for (int i = 1; i < ColumnCount; ++i)
        if (ColMax[std::size_t(i)] - ColMin[std::size_t(i)] > ColMax[std::size_t(Best)] - ColMin[std::size_t(Best)])
          Best = i;
    ColWidth[std::size_t(Best)] += Rest;
  }
}

int ThtmlTable::LayOutRowCells(int R, int Span, int PercentBase, int& Pos, int& Specified, bool& HasSpec)
{
  int Result = 0;
  auto& Row = Rows[std::size_t(R)]->Slots;
  int X = PaintLeftX;
  for (int c = 0; c < int(Row.size()); ++c) {
    const int ColX = X;
    X += c < ColumnCount ? ColWidth[std::size_t(c)] : 0;
    TCellSlot& Slot = Row[std::size_t(c)];
    if (!Slot.Cell || Slot.ColSpan <= 0)
      continue;
    TCellObj& Cell = *Slot.Cell;
    Cell.Wd = Sum(ColWidth, c, Slot.ColSpan);
    if (Slot.RowSpan != Span)
      continue;
    const int Spec = Cell.SpecHt > 0 ? Cell.SpecHt : Cell.SpecHtPercent > 0 ? MulDivZ(Cell.SpecHtPercent, PercentBase, 100) : 0;
    Cell.LayOutContent(ColX, ContentY, Spacing, std::max(0, Spec - Cell.VrSpace), Pos, false);
    Result = std::max(Result, Cell.ContentHt + Cell.VrSpace);
    if (Cell.SpecHt > 0) {
      Result = std::max(Result, std::max(Cell.ContentHt, Cell.SpecHt));
      HasSpec = true;
    } else if (Cell.SpecHtPercent > 0) {
      Specified = std::max(Specified, Spec);
      HasSpec = true;
    }
  }
  Specified = std::max(Specified, Result);
  return Result;
}

void ThtmlTable::ComputeRowHeights(int AvailHeight, int& Pos)
{
  const int R = int(Rows.size());
  const int Hp = AvailHeight - Spacing;
  std::vector<int> C(std::size_t(R), 0), Sp(std::size_t(R), 0);
  std::vector<bool> Flag(std::size_t(R), false);
  const int PercentBase = std::max(0, Hp - R * Spacing);
  int MaxSpan = 1;
  for (auto& Row : Rows)
    for (auto& Slot : Row->Slots)
      if (Slot.Cell)
        MaxSpan = std::max(MaxSpan, Slot.RowSpan);
  for (int s = 1; s <= MaxSpan; ++s) {
    for (int r = 0; r + s <= R; ++r) {
      bool Any = s == 1;
      for (auto& Slot : Rows[std::size_t(r)]->Slots)
        Any = Any || (Slot.Cell && Slot.RowSpan == s);
      if (!Any)
        continue;
      int Spec = 0;
      bool HasSpec = false;
      const int Result = LayOutRowCells(r, s, PercentBase, Pos, Spec, HasSpec);
      const int c = Result + Spacing, sp = Spec + Spacing;
      if (s == 1) {
        C[std::size_t(r)] = c;
        Sp[std::size_t(r)] = sp;
        Flag[std::size_t(r)] = HasSpec;
      } else if (c > Spacing) {
        for (int k = r; k < r + s; ++k)
          Flag[std::size_t(k)] = Flag[std::size_t(k)] || HasSpec;
        for (auto* V : {&C, &Sp}) {
          const int Need = V == &C ? c : sp;
          const int Have = Sum(*V, r, s);
          if (Have >= Need)
            continue;
          for (int k = r; k < r + s; ++k)
            (*V)[std::size_t(k)] += (Need - Have) / s;
          (*V)[std::size_t(r + s - 1)] += (Need - Have) % s;
        }
      }
    }
  }
  const int sC = Sum(C), sS = Sum(Sp);
  const int u = int(std::count(Flag.begin(), Flag.end(), false));
  RowHeight = C;
  if (R == 0 || sC >= Hp)
    return;
  if (sS < Hp) {
    if (u == 0) {
      int Used = 0;
      for (int r = 0; r < R; ++r) {
        RowHeight[std::size_t(r)] = r == R - 1 ? Hp - Used : RoundHalfEven(double(Sp[std::size_t(r)]) * Hp / std::max(1, sS));
        Used += RowHeight[std::size_t(r)];
      }
    } else {
      RowHeight = Sp;
      const int Extra = Hp - sS;
      int Seen = 0;
      for (int r = 0; r < R; ++r)
        if (!Flag[std::size_t(r)]) {
          ++Seen;
          RowHeight[std::size_t(r)] += Extra / u + (Seen == u ? Extra % u : 0);
        }
    }
  } else {
    int Used = 0;
    for (int r = 0; r < R; ++r) {
      const std::size_t I = std::size_t(r);
      RowHeight[I] = r == R - 1 ? Hp - Used
                                : C[I] + RoundHalfEven(double(Sp[I] - C[I]) * (Hp - sC) / std::max(1, sS - sC));
      Used += RowHeight[I];
    }
  }
}

void ThtmlTable::MeasureWidths(int& Min, int& Max)
{
  Prepare();
  if (!HasFixedCells || FixedWidth > 0)
    MeasureColumns(FixedWidth, Min, Max);
  else
    MeasureColumnsFixed(Min, Max);
  Min = std::max(Min + Spacing, FixedWidth);
  Max = std::max(Max + Spacing, FixedWidth);
}

int ThtmlTable::LayOut(int X, int& Pos, int& MaxWidth, IndentManager& IMgr, int AvailHeight, int Width, int Y)
{
  TSectionList& Doc = *Document;
  ++Doc.TableNestLevel;
  struct TLevel {
    TSectionList& D;
    ~TLevel() { --D.TableNestLevel; }
  } Level{Doc};
  NestLevel = Doc.TableNestLevel;
  (void)AvailHeight;
  StartPos = Pos;
  PaintTop = TopY = Y;
  Prepare();
  // Between the floats at this height.
  const int Left = std::max(X, IMgr.LeftIndent(Y));
  const int Right = std::min(X + Width, IMgr.RightSide(Y));
  PaintLeftX = Left + OffsetLeft;
  const int GridWidth = (FixedWidth > 0 ? FixedWidth : std::max(0, Right - Left)) - Spacing;
  if (FixedWidth == 0 && HasFixedCells) {
    SpreadFixed(GridWidth, false);
  } else {
    int m = 0, M = 0;
    MeasureColumns(GridWidth, m, M);
    if (m >= GridWidth)
      ColWidth = ColMin;
    else if (FixedWidth == 0)
      FitNatural(m, M, GridWidth);
    else
      FitToWidth(GridWidth);
  }
  TotalWidth = Spacing + Sum(ColWidth);
  ContentY = Y;
  int Scratch = Pos;
  if (RowHeight.size() != Rows.size() || (Doc.TableFinalPass && NestLevel <= 4))
    ComputeRowHeights(HeightSpec, Scratch);
  ContentHeight = Sum(RowHeight) + Spacing;

  const bool Outermost = NestLevel == 1;
  if (Outermost)
    Doc.TableFinalPass = true;
  int RowY = Y;
  for (int r = 0; r < int(Rows.size()); ++r) {
    TCellList& Row = *Rows[std::size_t(r)];
    Row.RowHeight = RowHeight[std::size_t(r)];
    Row.SpanHeight = 0;
    int ColX = PaintLeftX;
    for (int c = 0; c < int(Row.Slots.size()); ++c) {
      const int ThisX = ColX;
      ColX += ColWidth[std::size_t(c)];
      TCellSlot& Slot = Row.Slots[std::size_t(c)];
      if (!Slot.Cell || Slot.ColSpan <= 0)
        continue;
      TCellObj& Cell = *Slot.Cell;
      Cell.Wd = Sum(ColWidth, c, Slot.ColSpan);
      Cell.Ht = Sum(RowHeight, r, Slot.RowSpan);
      Row.SpanHeight = std::max(Row.SpanHeight, Cell.Ht);
      if (Doc.TableFinalPass)
        Cell.LayOutContent(ThisX, RowY, Spacing, Cell.Ht, Pos, true);
      else {
        Cell.DrawX = ThisX;
        Cell.DrawY = RowY;
      }
    }
    RowY += Row.RowHeight;
  }
  if (Outermost)
    Doc.TableFinalPass = false;
  if (Pos == StartPos)
    Pos = Scratch;  // the cells were laid out before the final pass only
  CharCount = Pos - StartPos;
  MaxWidth = TotalWidth;
  BottomY = Y + ContentHeight;
  PaintBottom = BottomY;
  return ContentHeight;
}

int ThtmlTable::Paint(HDC DC, const TRect& Clip, int X)
{
  (void)X;
  const int YOff = Document->YOff;
  const int Top = PaintTop - YOff;
  if (Top + ContentHeight <= Clip.Top || Top >= Clip.Bottom || PaintLeftX + TotalWidth <= Clip.Left ||
      PaintLeftX >= Clip.Right)
    return PaintTop + ContentHeight;
  PaintTopY = Top;
  int RowY = PaintTop;
  for (std::size_t R = 0; R < Rows.size(); ++R) {
    auto& Row = Rows[R];
    if (Document->Printing && PageEndsBefore(*Row, RowY, R == 0))
      break;
    const int Bottom = RowY + std::max(Row->RowHeight, Row->SpanHeight) + Spacing;
    if (Bottom - YOff > Clip.Top && RowY - YOff < Clip.Bottom) {
      int ColX = PaintLeftX;
      for (int c = 0; c < int(Row->Slots.size()); ++c) {
        TCellSlot& Slot = Row->Slots[std::size_t(c)];
        if (Slot.Cell && Slot.ColSpan > 0)
          Slot.Cell->Paint(DC, Clip, ColX, RowY - YOff, Spacing, Border > 0, LightColor, DarkColor);
        ColX += ColWidth[std::size_t(c)];
      }
    }
    if (Document->Printing && Row->PageBreakAfter)
      Document->EndPageAt(RowY + Row->RowHeight + Spacing / 2);
    RowY += Row->RowHeight;
  }
  return PaintTop + ContentHeight;
}

bool ThtmlTable::PageEndsBefore(const TCellList& Row, int RowY, bool FirstRow)
{
  TSectionList& Doc = *Document;
  const int Half = Spacing / 2;
  if (RowY >= Doc.PageBottom)
    return true;  // on a later page
  const bool AtPageTop = RowY <= Doc.YOff;
  const bool Crosses = RowY + Row.RowHeight > Doc.PageBottom;
  const bool Fits = Row.RowHeight <= Doc.PageHeight;
  if (!AtPageTop && (Row.PageBreakBefore || (Row.AvoidBreakInside && Crosses && Fits))) {
    Doc.EndPageAt(RowY + Half);
    return true;
  }
  // A row that begins in the lowest third of the page goes whole to the next.
  if (!AtPageTop && Crosses && Fits && RowY - Doc.YOff >= Doc.PageHeight * 2 / 3) {
    Doc.EndPageAt(RowY + (FirstRow ? 0 : Half));
    return true;
  }
  return false;
}

TCellObj* ThtmlTable::CellAt(int X, int Y) const
{
  if (Y < TopY || Y >= BottomY || X < PaintLeftX || X > PaintLeftX + TotalWidth)
    return nullptr;
  for (auto& Row : Rows)
    for (auto& Slot : Row->Slots)
      if (TCellObj* C = Slot.Cell.get(); C && Slot.ColSpan > 0 && X >= C->DrawX && X < C->DrawX + C->Wd &&
                                         Y >= C->DrawY && Y < C->DrawY + C->Ht)
        return C;
  return nullptr;
}

bool ThtmlTable::HitLink(int X, int Y, THitLink& Hit)
{
  TCellObj* C = CellAt(X, Y);
  return C && C->Cell->HitLink(X, Y, Hit);
}

TImageObj* ThtmlTable::HitImage(int X, int Y)
{
  TCellObj* C = CellAt(X, Y);
  return C ? C->Cell->HitImage(X, Y) : nullptr;
}

int ThtmlTable::CharIndexAt(int X, int Y, bool& InText, int& CaretX, int& CaretY, int& CaretHeight)
{
  InText = false;
  TCellObj* C = CellAt(X, Y);
  return C ? C->Cell->CharIndexAt(X, Y, InText, CaretX, CaretY, CaretHeight) : -1;
}

bool ThtmlTable::CaretPoint(int Pos, int& X, int& Y) const
{
  if (Pos < StartPos || Pos > StartPos + CharCount)
    return false;
  for (auto& Row : Rows)
    for (auto& Slot : Row->Slots)
      if (Slot.Cell && Slot.Cell->Cell->CaretPoint(Pos, X, Y))
        return true;
  return false;
}

bool ThtmlTable::CharAt(int Pos, char16_t& Ch) const
{
  if (Pos < StartPos || Pos >= StartPos + CharCount)
    return false;
  for (auto& Row : Rows)
    for (auto& Slot : Row->Slots)
      if (Slot.Cell && Slot.Cell->Cell->CharAt(Pos, Ch))
        return true;
  return false;
}

int ThtmlTable::DocToSource(int Pos) const
{
  for (auto& Row : Rows)
    for (auto& Slot : Row->Slots)
      if (Slot.Cell)
        if (const int S = Slot.Cell->Cell->DocToSource(Pos); S >= 0)
          return S;
  return -1;
}

int ThtmlTable::SourceToDoc(int Source, bool TowardsPrevious) const
{
  if (TowardsPrevious) {
    for (auto R = Rows.rbegin(); R != Rows.rend(); ++R)
      for (auto S = (*R)->Slots.rbegin(); S != (*R)->Slots.rend(); ++S)
        if (S->Cell)
          if (const int P = S->Cell->Cell->SourceToDoc(Source, true); P >= 0)
            return P;
    return -1;
  }
  for (auto& Row : Rows)
    for (auto& Slot : Row->Slots)
      if (Slot.Cell)
        if (const int P = Slot.Cell->Cell->SourceToDoc(Source, false); P >= 0)
          return P;
  return -1;
}

void ThtmlTable::CopySelection()
{
  for (auto& Row : Rows)
    for (auto& Slot : Row->Slots)
      if (Slot.Cell)
        Slot.Cell->Cell->CopySelection();
}
