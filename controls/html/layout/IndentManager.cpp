#include "controls/html/layout/IndentManager.h"

#include <algorithm>

void IndentManager::Clear()
{
  FLeft.clear();
  FRight.clear();
  CurrentOwner = nullptr;
}

void IndentManager::Reset(int LeftEdge, int RightEdge)
{
  FLeftEdge = LeftEdge;
  FRightEdge = RightEdge;
  CurrentOwner = nullptr;
}

bool IndentManager::Applies(const IndentRec& R, int Y) const
{
  return R.Top <= Y && R.Bottom > Y && (!R.Owner || R.Owner == CurrentOwner);
}

int IndentManager::LeftIndent(int Y) const
{
  int Result = FLeftEdge;
  for (const IndentRec& R : FLeft)
    if (Applies(R, Y))
      Result = std::max(Result, R.X);
  return Result;
}

int IndentManager::RightSide(int Y) const
{
  int Result = FRightEdge;
  for (const IndentRec& R : FRight)
    if (Applies(R, Y))
      Result = std::min(Result, R.X);
  return Result;
}

int IndentManager::FloatsBottom() const
{
  int Result = 0;
  for (const auto* List : {&FLeft, &FRight})
    for (const IndentRec& R : *List)
      if (!R.Owner)
        Result = std::max(Result, R.Bottom);
  return Result;
}

void IndentManager::ClearPositions(int& Left, int& Right) const
{
  Left = Right = 0;
  for (const IndentRec& R : FLeft)
    if (!R.Owner)
      Left = std::max(Left, R.Bottom + 1);
  for (const IndentRec& R : FRight)
    if (!R.Owner)
      Right = std::max(Right, R.Bottom + 1);
}

int IndentManager::NextWiderY(int Y) const
{
  int Result = -1;
  for (const auto* List : {&FLeft, &FRight})
    for (const IndentRec& R : *List)
      // An open record's bottom is not known yet: no room is promised there.
      if (!R.Owner && R.Bottom > Y && R.Bottom < OpenBottom && (Result < 0 || R.Bottom < Result))
        Result = R.Bottom;
  return Result < 0 ? Y : Result;
}

int IndentManager::AddLeft(int X, int Top)
{
  FLeft.push_back({X, Top, OpenBottom, CurrentOwner});
  return int(FLeft.size()) - 1;
}

int IndentManager::AddRight(int X, int Top)
{
  FRight.push_back({X, Top, OpenBottom, CurrentOwner});
  return int(FRight.size()) - 1;
}

void IndentManager::DeleteLeft(int Index)
{
  if (Index >= 0 && Index < int(FLeft.size()))
    FLeft.erase(FLeft.begin() + Index);
}

void IndentManager::DeleteRight(int Index)
{
  if (Index >= 0 && Index < int(FRight.size()))
    FRight.erase(FRight.begin() + Index);
}
