// TBlockBox: a block's box in pixels (the sentinels IntNull and Auto kept):
// background and side colours, margins (the vertical ones once collapsed),
// padding, border widths and styles, width, height, top and left, indexed by
// property index like a TMarginArray, without the entries before
// background-color that a box never uses.
//
// Blocks of one style laid out at one width hold equal boxes (a conversation
// makes two blocks a message, all alike), so the values live in a set
// interned in the document's TBlockBoxPool and a block holds one pointer.
// A set never changes: writing a value finds or makes the set with that value
// changed. Reads cost one indirection, as an array member's would not, but a
// block no longer carries 26 values.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <unordered_set>

#include "controls/html/RecentRing.h"
#include "controls/html/styles/BoxValues.h"

class TBlockBoxPool;

// One distinct box, shared by the blocks that hold it.
struct TBlockBoxSet {
  using TValues = std::array<int, LastBoxProp - FirstBoxProp + 1>;
  TValues Values{};
  std::size_t Hash = 0;
  std::uint32_t Refs = 0;          // the blocks holding it
  TBlockBoxPool* Pool = nullptr;   // where it is interned; null once the pool is gone
};

class TBlockBox {
public:
  // One value of the box, read as an int and written through the pool.
  class TRef {
  public:
    operator int() const { return FBox.FSet->Values[FSlot]; }
    TRef& operator=(int Value)
    {
      FBox.SetSlot(FSlot, Value);
      return *this;
    }
    TRef& operator+=(int Delta) { return *this = int(*this) + Delta; }
    // "A = B = 0" assigns the value, not the reference.
    TRef& operator=(const TRef& Other) { return *this = int(Other); }

  private:
    friend class TBlockBox;
    TRef(TBlockBox& Box, std::size_t Slot) : FBox(Box), FSlot(Slot) {}
    TBlockBox& FBox;
    std::size_t FSlot;
  };

  // Starts with every value 0.
  explicit TBlockBox(TBlockBoxPool& Pool);
  TBlockBox(const TBlockBox&) = delete;
  TBlockBox& operator=(const TBlockBox&) = delete;
  ~TBlockBox();

  // Index runs from FirstBoxProp (background-color) to LastBoxProp (left).
  TRef operator[](std::size_t Index) { return TRef(*this, Slot(Index)); }
  int operator[](std::size_t Index) const { return FSet->Values[Slot(Index)]; }
  // Takes the box values of a conversion.
  void Take(const TMarginArray& M);
  // The blocks holding the same set hold equal boxes.
  const TBlockBoxSet* Set() const { return FSet; }

private:
  static std::size_t Slot(std::size_t Index)
  {
    assert(Index >= std::size_t(FirstBoxProp) && Index <= std::size_t(LastBoxProp));
    return Index - std::size_t(FirstBoxProp);
  }
  void SetSlot(std::size_t Slot, int Value);
  // Holds the set equal to Values in place of the one held so far.
  void Hold(const TBlockBoxSet::TValues& Values);
  TBlockBoxSet* FSet;
};

// The distinct boxes of one document's blocks. A set lives while a block
// holds it, so the pool keeps no more sets than there are blocks, and in a
// conversation a handful.
class TBlockBoxPool {
public:
  TBlockBoxPool() = default;
  TBlockBoxPool(const TBlockBoxPool&) = delete;
  TBlockBoxPool& operator=(const TBlockBoxPool&) = delete;
  ~TBlockBoxPool();

  // The set equal to Values, with one more holder.
  TBlockBoxSet* Acquire(const TBlockBoxSet::TValues& Values);
  // One holder less; the set is freed with its last holder.
  static void Release(TBlockBoxSet* Set);
  std::size_t Count() const;

private:
  void Forget(TBlockBoxSet* Set);
  struct THashOf {
    std::size_t operator()(const TBlockBoxSet* S) const { return S->Hash; }
  };
  struct TEqualValues {
    bool operator()(const TBlockBoxSet* A, const TBlockBoxSet* B) const { return A->Values == B->Values; }
  };
  std::unordered_set<TBlockBoxSet*, THashOf, TEqualValues> FSets;
  // The sets acquired last: layout asks again and again for the few boxes
  // of a page, and comparing with these costs less than hashing the values.
  TRecentRing<TBlockBoxSet*, 4> FRecent;
};
