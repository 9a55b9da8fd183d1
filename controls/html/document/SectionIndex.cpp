#include "controls/html/document/SectionIndex.h"

#include <algorithm>
#include <stdexcept>

void TSectionIndex::Release()
{
  if (FOnHeap)
    delete[] FHeap;
  FBits = 0;
  FOnlySource = 0;
  FShortFlags = FShortRuns = 0;
  FOnHeap = false;
}

void TSectionIndex::Assign(std::string_view Flags, const int* Map, std::size_t MapCount)
{
  Release();
  if (Flags.size() > UINT32_MAX || MapCount > UINT32_MAX)
    throw std::length_error("TSectionIndex");
  // A run starts wherever a character's source does not follow the one
  // before it: counted first, so that the storage is taken once and exactly.
  std::size_t Runs = MapCount > 0 ? 1 : 0;
  for (std::size_t I = 1; I < MapCount; ++I)
    Runs += Map[I] != Map[I - 1] + 1;
  if (Flags.size() > ShortFlags || Runs > 1) {
    const std::size_t Words = (Flags.size() + 63) / 64;
    FHeap = new std::uint64_t[1 + Words + Runs]();
    FOnHeap = true;
    FHeap[0] = std::uint64_t(Flags.size()) | std::uint64_t(Runs) << 32;
    std::uint64_t* Out = FHeap + 1 + Words;
    auto Pack = [](std::size_t Pos, int Source) {
      return std::uint64_t(std::uint32_t(Pos)) | std::uint64_t(std::uint32_t(Source)) << 32;
    };
    if (MapCount > 0)
      *Out++ = Pack(0, Map[0]);
    for (std::size_t I = 1; I < MapCount; ++I)
      if (Map[I] != Map[I - 1] + 1)
        *Out++ = Pack(I, Map[I]);
  } else {
    FShortFlags = std::uint8_t(Flags.size());
    FShortRuns = std::uint8_t(Runs);
    if (MapCount > 0)
      FOnlySource = Map[0];
  }
  for (std::size_t I = 0; I < Flags.size(); ++I)
    if (Flags[I] == 'y')
      AllowBreak(I);
}
