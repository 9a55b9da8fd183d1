#include "controls/html/text/TokenObj.h"

#include "controls/html/text/CharCollection.h"
#include "controls/html/text/CodePageText.h"

TokenObj::TokenObj()
{
  FCapacity = 300;
  FChars.reserve(300);
  FPositions.reserve(300);
}

void TokenObj::Reserve(int Needed)
{
  if (Needed <= FCapacity)
    return;
  while (FCapacity < Needed)
    FCapacity += TextBufferGrowth(FCapacity);
  FChars.reserve(std::size_t(FCapacity));
  FPositions.reserve(std::size_t(FCapacity));
}

void TokenObj::AddUnicodeChar(char16_t Ch, int Position)
{
  Reserve(Count() + 1);
  FChars.push_back(Ch);
  FPositions.push_back(Position);
}

void TokenObj::AddString(const TCharCollection& Collection, UINT CodePage)
{
  if (Collection.Count() == 0)
    return;
  Reserve(Count() + Collection.Count());
  AppendConverted(Collection.Chars(), Collection.Positions().data(), CodePage, FChars, FPositions);
  if (Count() > FCapacity)
    Reserve(Count());
}
