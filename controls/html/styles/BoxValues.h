// TBoxValues: a block's box values (colours, margins, borders, padding,
// sizes) as its style gave them. Most blocks of a document share a handful
// of styles, so blocks with equal values hold one copy, interned in the
// document's TBoxValuePool; a block that changes a value gets its own copy
// first, so that the others keep theirs.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <unordered_map>

#include "controls/html/styles/PropNames.h"
#include "controls/html/styles/PropValue.h"

// The box values, indexed by property index (background-color to left).
using TVMarginArray = std::array<TPropValue, LastBoxProp + 1>;

class TBoxValuePool;

class TBoxValues {
public:
  TBoxValues();

  const TPropValue& operator[](std::size_t Index) const { return (*FValues)[Index]; }
  operator const TVMarginArray&() const { return *FValues; }
  // Takes Values, sharing an equal set of Pool when there is one.
  void Assign(const TVMarginArray& Values, TBoxValuePool& Pool);
  // Changes one value of this block only.
  void Set(std::size_t Index, TPropValue Value);

private:
  std::shared_ptr<const TVMarginArray> FValues;
};

// The distinct box value sets of one document.
class TBoxValuePool {
public:
  std::shared_ptr<const TVMarginArray> Intern(const TVMarginArray& Values);
  void Clear() { FSets.clear(); }
  std::size_t Count() const;

private:
  std::unordered_multimap<std::size_t, std::shared_ptr<const TVMarginArray>> FSets;
};
