#include "platform/base/detail/Collation.h"

#include <algorithm>

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

int CollateAscii(std::string_view a, std::string_view b, bool ignoreCase)
{
  // ASCII has no accents, so the accent level never decides; the primary
  // level is the upper-cased byte, which also settles a comparison ignoring
  // case.
  auto upper = [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 32 : int(c); };
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i)
    if (int d = upper(static_cast<unsigned char>(a[i])) - upper(static_cast<unsigned char>(b[i])))
      return Sign(d);
  if (a.size() != b.size() || ignoreCase)
    return Sign(static_cast<long long>(a.size()) - static_cast<long long>(b.size()));
  // Equal but for case: lower case first, then the byte itself.
  auto isUpper = [](char c) { return c >= 'A' && c <= 'Z'; };
  for (std::size_t i = 0; i < n; ++i)
    if (isUpper(a[i]) != isUpper(b[i]))
      return isUpper(a[i]) ? 1 : -1;
  for (std::size_t i = 0; i < n; ++i)
    if (a[i] != b[i])
      return Sign(static_cast<unsigned char>(a[i]) - static_cast<unsigned char>(b[i]));
  return 0;
}

bool IsAscii(std::string_view s)
{
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80)
      return false;
  return true;
}

}  // namespace corvane::detail
