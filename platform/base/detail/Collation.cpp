#include "platform/base/detail/Collation.h"

#include "platform/base/CaseMap.h"

namespace corvane::detail {

namespace {

// Base letters of U+00C0 to U+017F; "*" keeps the character itself.
constexpr char Latin1Bases[] = "AAAAAA*CEEEEIIIIDNOOOOO*OUUUUY**aaaaaa*ceeeeiiiidnooooo*ouuuuy*y";
constexpr char LatinABases[] =
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIiIiJjKkkLlLlLlLlLlNnNnNnnNnOoOoOoOoRrRrRrSsSsSsSs"
    "TtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";
static_assert(sizeof(Latin1Bases) == 65 && sizeof(LatinABases) == 129);

char32_t BaseLetter(char32_t c)
{
  char base = '*';
  if (c >= 0xC0 && c <= 0xFF)
    base = Latin1Bases[c - 0xC0];
  else if (c >= 0x100 && c <= 0x17F)
    base = LatinABases[c - 0x100];
  return base == '*' ? c : char32_t(base);
}

int Sign(long long v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

template <class Key>
int CompareBy(const std::u32string& a, const std::u32string& b, Key key)
{
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    long long ka = key(a[i]), kb = key(b[i]);
    if (ka != kb)
      return Sign(ka - kb);
  }
  return Sign(static_cast<long long>(a.size()) - static_cast<long long>(b.size()));
}

}  // namespace

int Collate(const std::u32string& a, const std::u32string& b, bool ignoreCase)
{
  auto primary = [](char32_t c) { return (long long)UnicodeToUpper(BaseLetter(c)); };
  auto secondary = [](char32_t c) {
    char32_t lower = UnicodeToLower(c);
    return BaseLetter(lower) == lower ? 0LL : (long long)lower;
  };
  // Lower case first: a lower-case letter weighs 0, an upper-case one 1.
  auto tertiary = [](char32_t c) { return UnicodeToLower(c) == c ? 0LL : 1LL; };
  if (int r = CompareBy(a, b, primary))
    return r;
  if (int r = CompareBy(a, b, secondary))
    return r;
  if (ignoreCase)
    return CompareBy(a, b, [](char32_t c) { return (long long)UnicodeToUpper(c); });
  if (int r = CompareBy(a, b, tertiary))
    return r;
  return CompareBy(a, b, [](char32_t c) { return (long long)c; });
}

}  // namespace corvane::detail
