// TRecentRing: the last few answers of a lookup, checked before the lookup's
// own index. A document repeats a handful of fonts, styles and boxes run
// after run, and comparing with a few recent answers costs less than making
// and hashing a key.
#pragma once

#include <array>
#include <cstddef>
#include <utility>

template <class T, std::size_t N>
class TRecentRing {
public:
  // The most recent value Matches accepts, or null.
  template <class TMatch>
  T* Find(TMatch&& Matches)
  {
    return FindIn(*this, Matches);
  }
  template <class TMatch>
  const T* Find(TMatch&& Matches) const
  {
    return FindIn(*this, Matches);
  }
  // Keeps Value in place of the oldest one.
  T& Remember(T Value)
  {
    T& Slot = FSlots[FNext];
    Slot = std::move(Value);
    FNext = (FNext + 1) % N;
    if (FCount < N)
      ++FCount;
    return Slot;
  }
  // Forgets every value: what they point into is gone or may answer otherwise.
  void Clear()
  {
    FSlots = {};
    FCount = 0;
    FNext = 0;
  }

private:
  template <class TSelf, class TMatch>
  static auto FindIn(TSelf& Self, TMatch& Matches) -> decltype(&Self.FSlots[0])
  {
    for (std::size_t I = 1; I <= Self.FCount; ++I) {
      auto& Value = Self.FSlots[(Self.FNext + N - I) % N];
      if (Matches(Value))
        return &Value;
    }
    return nullptr;
  }

  std::array<T, N> FSlots{};
  std::size_t FCount = 0;
  std::size_t FNext = 0;
};
