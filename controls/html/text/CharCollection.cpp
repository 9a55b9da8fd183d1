#include "controls/html/text/CharCollection.h"

TCharCollection::TCharCollection()
{
  SetCapacity(300);
}

void TCharCollection::SetCapacity(int NewCapacity)
{
  FCapacity = NewCapacity;
  FChars.reserve(std::size_t(NewCapacity));
  FPositions.reserve(std::size_t(NewCapacity));
}

void TCharCollection::Grow()
{
  SetCapacity(FCapacity + TextBufferGrowth(FCapacity));
}

void TCharCollection::Concat(const TCharCollection& Other)
{
  const int Sum = Count() + Other.Count();
  if (Sum >= FCapacity)
    SetCapacity(Sum + 50);
  FChars += Other.FChars;
  FPositions.insert(FPositions.end(), Other.FPositions.begin(), Other.FPositions.end());
}

void TCharCollection::AddRun(std::string_view Chars, int FirstPosition)
{
  const int N = int(Chars.size());
  if (FCapacity < Count() + N) {
    int Capacity = FCapacity;
    while (Capacity < Count() + N)
      Capacity += TextBufferGrowth(Capacity);
    SetCapacity(Capacity);
  }
  FChars += Chars;
  for (int I = 0; I < N; ++I)
    FPositions.push_back(FirstPosition + I);
}
