#include "controls/html/document/BlockBox.h"

#include <cassert>

#include "controls/html/styles/PropValue.h"

TBlockBox& TBlockBox::operator=(const TBlockBox& Other)
{
  if (this == &Other)
    return *this;
  FValues = Other.FValues;
  FSides = Other.FSides ? std::make_unique<std::array<int, SideCount>>(*Other.FSides) : nullptr;
  return *this;
}

int TBlockBox::Slot(std::size_t Index)
{
  assert(Index >= std::size_t(FirstBoxProp) && Index <= std::size_t(LastBoxProp));
  if (Index == piBackgroundColor)
    return 0;
  if (Index >= piMarginTop && Index <= piBorderLeftWidth)
    return int(Index - piMarginTop) + 1;
  if (Index >= piWidth && Index <= piLeft)
    return int(Index - piWidth) + 13;
  return -1;
}

std::size_t TBlockBox::SideSlot(std::size_t Index)
{
  return Index == piBorderColor ? 0 : Index - piBorderTopColor + 1;
}

int& TBlockBox::operator[](std::size_t Index)
{
  const int S = Slot(Index);
  if (S >= 0)
    return FValues[std::size_t(S)];
  if (!FSides) {
    FSides = std::make_unique<std::array<int, SideCount>>();
    FSides->fill(IntNull);
  }
  return (*FSides)[SideSlot(Index)];
}

int TBlockBox::operator[](std::size_t Index) const
{
  const int S = Slot(Index);
  if (S >= 0)
    return FValues[std::size_t(S)];
  return FSides ? (*FSides)[SideSlot(Index)] : IntNull;
}

void TBlockBox::Take(const TMarginArray& M, bool WithSides)
{
  FValues[0] = M[piBackgroundColor];
  for (std::size_t I = piMarginTop; I <= piBorderLeftWidth; ++I)
    FValues[I - piMarginTop + 1] = M[I];
  for (std::size_t I = piWidth; I <= piLeft; ++I)
    FValues[I - piWidth + 13] = M[I];
  if (!WithSides) {
    FSides.reset();
    return;
  }
  if (!FSides)
    FSides = std::make_unique<std::array<int, SideCount>>();
  (*FSides)[0] = M[piBorderColor];
  for (std::size_t I = piBorderTopColor; I <= piBorderLeftStyle; ++I)
    (*FSides)[I - piBorderTopColor + 1] = M[I];
}
