// Sets of an enumeration with the system's bit layout: the element of ordinal
// N is bit N mod 8 of byte (N div 8 - Low div 8), and the set takes
// (High div 8 - Low div 8 + 1) bytes, three bytes being widened to four. Stored
// sets and type information rely on this layout.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <type_traits>

// The ordinal range of an enumeration used in sets. Enumerations that are
// stored or described by type information declare their exact range with
// CORVANE_ENUM_RANGE; others get the widest set (256 elements).
template <class E>
struct EnumRange {
  static constexpr int Low = 0;
  static constexpr int High = 255;
};

#define CORVANE_ENUM_RANGE(E, low, high)    \
  template <>                               \
  struct EnumRange<E> {                     \
    static constexpr int Low = (low);       \
    static constexpr int High = (high);     \
  }

template <class E>
class Set {
public:
  static constexpr int Low = EnumRange<E>::Low;
  static constexpr int High = EnumRange<E>::High;
  static_assert(Low >= 0 && High <= 255 && Low <= High, "a set holds ordinals 0 to 255");
  static constexpr std::size_t Size = [] {
    std::size_t n = std::size_t(High / 8 - Low / 8 + 1);
    return n == 3 ? std::size_t(4) : n;
  }();

  constexpr Set() = default;
  constexpr Set(std::initializer_list<E> elements)
  {
    for (E e : elements)
      Include(e);
  }

  // Whether the ordinal lies in the enumeration's range; elements outside it
  // are never members and cannot be included.
  static constexpr bool InRange(int ordinal) { return ordinal >= Low && ordinal <= High; }

  constexpr bool Contains(E e) const
  {
    int o = Ordinal(e);
    return InRange(o) && (FBytes[Byte(o)] & Bit(o)) != 0;
  }
  constexpr Set& Include(E e)
  {
    int o = Ordinal(e);
    if (InRange(o))
      FBytes[Byte(o)] |= Bit(o);
    return *this;
  }
  constexpr Set& Exclude(E e)
  {
    int o = Ordinal(e);
    if (InRange(o))
      FBytes[Byte(o)] &= std::uint8_t(~Bit(o));
    return *this;
  }
  constexpr bool Empty() const
  {
    for (auto b : FBytes)
      if (b)
        return false;
    return true;
  }

  constexpr Set& operator+=(E e) { return Include(e); }
  constexpr Set& operator-=(E e) { return Exclude(e); }
  constexpr Set& operator+=(const Set& o)
  {
    for (std::size_t i = 0; i < Size; ++i)
      FBytes[i] |= o.FBytes[i];
    return *this;
  }
  constexpr Set& operator-=(const Set& o)
  {
    for (std::size_t i = 0; i < Size; ++i)
      FBytes[i] &= std::uint8_t(~o.FBytes[i]);
    return *this;
  }
  constexpr Set& operator*=(const Set& o)
  {
    for (std::size_t i = 0; i < Size; ++i)
      FBytes[i] &= o.FBytes[i];
    return *this;
  }
  friend constexpr Set operator+(Set a, const Set& b) { return a += b; }
  friend constexpr Set operator-(Set a, const Set& b) { return a -= b; }
  friend constexpr Set operator*(Set a, const Set& b) { return a *= b; }
  friend constexpr Set operator+(Set a, E e) { return a += e; }
  friend constexpr Set operator-(Set a, E e) { return a -= e; }
  friend constexpr bool operator==(const Set& a, const Set& b) { return a.FBytes == b.FBytes; }
  // Subset and superset, as the system's "<=" and ">=" on sets.
  friend constexpr bool operator<=(const Set& a, const Set& b) { return (a - b).Empty(); }
  friend constexpr bool operator>=(const Set& a, const Set& b) { return (b - a).Empty(); }

  // The stored form: Size bytes in the layout described above.
  const std::uint8_t* Bytes() const { return FBytes.data(); }
  std::uint8_t* Bytes() { return FBytes.data(); }

  // The set as an integer, for sets of at most four bytes (how type information
  // and settings stores pass small sets).
  std::uint32_t ToInteger() const
  {
    static_assert(Size <= 4, "only sets of up to four bytes are integers");
    std::uint32_t v = 0;
    std::memcpy(&v, FBytes.data(), Size);
    return v;
  }
  static Set FromInteger(std::uint32_t v)
  {
    static_assert(Size <= 4, "only sets of up to four bytes are integers");
    Set s;
    std::memcpy(s.FBytes.data(), &v, Size);
    s.ClearOutOfRange();
    return s;
  }

private:
  static constexpr int Ordinal(E e)
  {
    // Characters are ordinals 0 to 255 whatever the signedness of char.
    if constexpr (std::is_same_v<E, char>)
      return static_cast<unsigned char>(e);
    else
      return static_cast<int>(e);
  }
  static constexpr std::size_t Byte(int o) { return std::size_t(o / 8 - Low / 8); }
  static constexpr std::uint8_t Bit(int o) { return std::uint8_t(1u << (o % 8)); }

  // Bits below Low or above High in the outer bytes are not elements.
  void ClearOutOfRange()
  {
    for (int o = (Low / 8) * 8; o < Low; ++o)
      FBytes[Byte(o)] &= std::uint8_t(~Bit(o));
    for (int o = High + 1; o < int(Low / 8 * 8 + Size * 8); ++o)
      if (Byte(o) < Size)
        FBytes[Byte(o)] &= std::uint8_t(~Bit(o));
  }

  std::array<std::uint8_t, Size> FBytes{};
};
