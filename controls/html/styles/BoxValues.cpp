#include "controls/html/styles/BoxValues.h"

#include <algorithm>
#include <cstdint>

#include "controls/html/styles/Properties.h"

namespace {

// The count of the set every block starts from, shared by all documents: it
// is never counted, so that no two documents ever write it.
constexpr std::uint32_t Uncounted = UINT32_MAX;

const TBoxValueSet* EmptySet()
{
  static const TBoxValueSet* const Empty = [] {
    auto* Set = new TBoxValueSet(TVMarginArray{});
    Set->Refs = Uncounted;
    return Set;
  }();
  return Empty;
}

void AddRef(const TBoxValueSet* Set)
{
  if (Set->Refs != Uncounted)
    ++Set->Refs;
}

void DropRef(const TBoxValueSet* Set)
{
  if (Set->Refs != Uncounted && --Set->Refs == 0)
    delete Set;
}

std::size_t HashOf(const TVMarginArray& Values)
{
  std::size_t H = 0;
  for (const TPropValue& V : Values)
    H = H * 1000003u ^ V.Hash();
  return H;
}

// Hostile styles give lengths like 1e9px; bounding them keeps the layout
// arithmetic clear of overflow.
constexpr int MaxBoxLength = 1000000;

void KeepLengthsSane(TMarginArray& M)
{
  for (int I = piMarginTop; I <= piLeft; ++I) {
    if (I >= piBorderTopColor && I <= piBorderLeftStyle)
      continue;
    int& V = M[std::size_t(I)];
    if (IsGivenValue(V))
      V = std::clamp(V, -MaxBoxLength, MaxBoxLength);
  }
}

}  // namespace

TBoxValues::TBoxValues() : FSet(EmptySet())
{
  AddRef(FSet);
}

TBoxValues::TBoxValues(const TBoxValues& Other) : FSet(Other.FSet)
{
  AddRef(FSet);
}

TBoxValues& TBoxValues::operator=(const TBoxValues& Other)
{
  Hold(Other.FSet);
  return *this;
}

TBoxValues::~TBoxValues()
{
  DropRef(FSet);
}

void TBoxValues::Hold(const TBoxValueSet* Set)
{
  AddRef(Set);  // first: Set may be the one held now
  DropRef(FSet);
  FSet = Set;
}

void TBoxValues::Assign(const TVMarginArray& Values, TBoxValuePool& Pool)
{
  Hold(Pool.Intern(Values));
}

void TBoxValues::Set(std::size_t Index, TPropValue Value)
{
  if (FSet->Values[Index] == Value)
    return;
  auto* Own = new TBoxValueSet(FSet->Values);
  Own->Values[Index] = std::move(Value);
  Hold(Own);
}

void TBoxValues::Convert(const TBoxBases& Bases, TMarginArray& M, int& AutoCount) const
{
  const TBoxValueSet::TConversion* Hit = nullptr;
  for (const auto& C : FSet->Cache)
    if (C.Used && C.Bases == Bases) {
      Hit = &C;
      break;
    }
  if (!Hit) {
    auto& Slot = FSet->Cache[FSet->NextSlot];
    FSet->NextSlot = (FSet->NextSlot + 1) % TBoxValueSet::CacheSize;
    Slot.Pixels.fill(0);
    ConvMargArray(FSet->Values, Bases.BaseWidth, Bases.BaseHeight, Bases.EmSize, Bases.ExSize, Bases.PixelsPerInch,
                  Slot.Pixels, Slot.AutoCount);
    KeepLengthsSane(Slot.Pixels);
    Slot.Bases = Bases;
    Slot.Used = true;
    Hit = &Slot;
  }
  const int Top = M[piMarginTop], Bottom = M[piMarginBottom];
  std::copy(Hit->Pixels.begin() + FirstBoxProp, Hit->Pixels.end(), M.begin() + FirstBoxProp);
  M[piMarginTop] = Top;
  M[piMarginBottom] = Bottom;
  KeepLengthsSane(M);  // only the vertical margins can still be out of bounds
  AutoCount = Hit->AutoCount;
}

TBoxValuePool::~TBoxValuePool()
{
  Clear();
}

const TBoxValueSet* TBoxValuePool::Intern(const TVMarginArray& Values)
{
  if (auto* Recent = FRecent.Find([&](const auto& Set) { return Set->Values == Values; }))
    return *Recent;
  const std::size_t H = HashOf(Values);
  auto [First, Last] = FSets.equal_range(H);
  auto Found = FSets.end();
  for (auto It = First; It != Last; ++It)
    if (It->second->Values == Values) {
      Found = It;
      break;
    }
  if (Found == FSets.end()) {
    auto* Set = new TBoxValueSet(Values);
    AddRef(Set);
    Found = FSets.emplace(H, Set);
  }
  return FRecent.Remember(Found->second);
}

void TBoxValuePool::Clear()
{
  for (auto& [Hash, Set] : FSets)
    DropRef(Set);
  FSets.clear();
  FRecent.Clear();
}

std::size_t TBoxValuePool::Count() const
{
  return FSets.size();
}
