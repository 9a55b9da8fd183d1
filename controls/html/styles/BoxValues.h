// TBoxValues: a block's box values (colours, margins, borders, padding,
// sizes) as its style gave them. Most blocks of a document share a handful
// of styles, so blocks with equal values hold one copy, interned in the
// document's TBoxValuePool; a block that changes a value gets its own copy
// first, so that the others keep theirs.
//
// Layout converts the values to pixels against the containing width, the
// height, the font's em and ex and the resolution. Those inputs repeat across
// blocks and layouts, so each shared set keeps its last few conversions and
// the keyword and unit parsing runs once per set instead of once per block.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "controls/html/RecentRing.h"
#include "controls/html/styles/PropNames.h"
#include "controls/html/styles/PropValue.h"

// The box values, indexed by property index (background-color to left).
using TVMarginArray = std::array<TPropValue, LastBoxProp + 1>;
// The same values converted to pixels (or the sentinels IntNull and Auto).
using TMarginArray = std::array<int, LastBoxProp + 1>;

// What a conversion of box values depends on besides the values.
struct TBoxBases {
  int BaseWidth = 0;
  int BaseHeight = 0;
  int EmSize = 0;
  int ExSize = 0;
  int PixelsPerInch = 0;
  friend bool operator==(const TBoxBases&, const TBoxBases&) = default;
};

// One set of box values and its recent conversions. The cache is filled
// during layout, which runs on the document's thread only.
struct TBoxValueSet {
  explicit TBoxValueSet(const TVMarginArray& AValues) : Values(AValues) {}

  struct TConversion {
    TBoxBases Bases;
    TMarginArray Pixels{};
    int AutoCount = 0;
    bool Used = false;
  };
  static constexpr std::size_t CacheSize = 4;

  TVMarginArray Values;
  mutable std::array<TConversion, CacheSize> Cache;
  mutable std::size_t NextSlot = 0;
  // The holders of the set (the pool among them): a count inside the set
  // costs a block one pointer where a shared pointer costs two.
  mutable std::uint32_t Refs = 0;
};

class TBoxValuePool;

class TBoxValues {
public:
  TBoxValues();
  TBoxValues(const TBoxValues& Other);
  TBoxValues& operator=(const TBoxValues& Other);
  ~TBoxValues();

  const TPropValue& operator[](std::size_t Index) const { return FSet->Values[Index]; }
  operator const TVMarginArray&() const { return FSet->Values; }
  // Takes Values, sharing an equal set of Pool when there is one.
  void Assign(const TVMarginArray& Values, TBoxValuePool& Pool);
  // Changes one value of this block only.
  void Set(std::size_t Index, TPropValue Value);

  // Converts the values against Bases into M (ConvMargArray, lengths kept
  // within sane bounds). The vertical margins of M are left as they were,
  // only bounded: ConvVertMargins sets them.
  void Convert(const TBoxBases& Bases, TMarginArray& M, int& AutoCount) const;

private:
  // Holds Set in place of the one held so far.
  void Hold(const TBoxValueSet* Set);
  const TBoxValueSet* FSet;
};

// The distinct box value sets of one document.
// The pool holds each of its sets until it is cleared; a block holding one
// keeps it past that.
class TBoxValuePool {
public:
  TBoxValuePool() = default;
  TBoxValuePool(const TBoxValuePool&) = delete;
  TBoxValuePool& operator=(const TBoxValuePool&) = delete;
  ~TBoxValuePool();
  // The pool's set equal to Values (made when there is none yet).
  const TBoxValueSet* Intern(const TVMarginArray& Values);
  void Clear();
  std::size_t Count() const;

private:
  std::unordered_multimap<std::size_t, const TBoxValueSet*> FSets;
  // The sets interned last: blocks come in runs of a few styles, and
  // comparing with these is cheaper than hashing 35 values.
  TRecentRing<const TBoxValueSet*, 4> FRecent;
};
