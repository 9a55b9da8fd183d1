#include "controls/html/document/BlockBox.h"

#include <algorithm>

namespace {

std::size_t HashOfBox(const TBlockBoxSet::TValues& Values)
{
  std::size_t H = 0;
  for (int V : Values)
    H = H * 1000003u ^ std::size_t(unsigned(V));
  return H;
}

}  // namespace

TBlockBox::TBlockBox(TBlockBoxPool& Pool) : FSet(Pool.Acquire(TBlockBoxSet::TValues{})) {}

TBlockBox::~TBlockBox()
{
  TBlockBoxPool::Release(FSet);
}

void TBlockBox::Take(const TMarginArray& M)
{
  TBlockBoxSet::TValues Values;
  std::copy(M.begin() + FirstBoxProp, M.begin() + LastBoxProp + 1, Values.begin());
  Hold(Values);
}

void TBlockBox::SetSlot(std::size_t Slot, int Value)
{
  if (FSet->Values[Slot] == Value)
    return;
  TBlockBoxSet::TValues Values = FSet->Values;
  Values[Slot] = Value;
  Hold(Values);
}

void TBlockBox::Hold(const TBlockBoxSet::TValues& Values)
{
  if (Values == FSet->Values)
    return;
  TBlockBoxSet* Next;
  if (FSet->Pool) {
    Next = FSet->Pool->Acquire(Values);
  } else {
    // The document is gone: the block keeps a set of its own.
    Next = new TBlockBoxSet{Values, HashOfBox(Values), 1, nullptr};
  }
  TBlockBoxPool::Release(FSet);
  FSet = Next;
}

TBlockBoxPool::~TBlockBoxPool()
{
  // Blocks outliving the document keep their sets, which then free themselves.
  for (TBlockBoxSet* Set : FSets)
    Set->Pool = nullptr;
}

TBlockBoxSet* TBlockBoxPool::Acquire(const TBlockBoxSet::TValues& Values)
{
  if (TBlockBoxSet** Recent = FRecent.Find([&](const TBlockBoxSet* S) { return S && S->Values == Values; })) {
    ++(*Recent)->Refs;
    return *Recent;
  }
  TBlockBoxSet Probe{Values, HashOfBox(Values), 0, nullptr};
  auto Found = FSets.find(&Probe);
  TBlockBoxSet* Set;
  if (Found != FSets.end()) {
    Set = *Found;
  } else {
    Set = new TBlockBoxSet{Values, Probe.Hash, 0, this};
    FSets.insert(Set);
  }
  FRecent.Remember(Set);
  ++Set->Refs;
  return Set;
}

void TBlockBoxPool::Release(TBlockBoxSet* Set)
{
  if (--Set->Refs > 0)
    return;
  if (Set->Pool)
    Set->Pool->Forget(Set);
  delete Set;
}

void TBlockBoxPool::Forget(TBlockBoxSet* Set)
{
  FSets.erase(Set);
  while (TBlockBoxSet** Recent = FRecent.Find([Set](const TBlockBoxSet* S) { return S == Set; }))
    *Recent = nullptr;
}

std::size_t TBlockBoxPool::Count() const
{
  return FSets.size();
}
