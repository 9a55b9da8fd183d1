#include "platform/base/CaseMap.h"

#include <clocale>
#include <cstring>
#include <string>
#include <string_view>
#include <wctype.h>

#include "platform/base/Utf.h"

namespace {

// The built-in "C.UTF-8" locale carries the Unicode case tables; the process
// locale is left alone (it may be "C" and must not change number formats).
locale_t UnicodeLocale()
{
  static locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(0));
  return locale;
}

// Latin-1 and Latin Extended-A, for a machine whose C library lacks the
// Unicode locale: enough for the French texts of the system.
char32_t FallbackUpper(char32_t c)
{
  if (c == 0x17F)  // the long s has no form of its own in this range
    return 'S';
  if (c >= 'a' && c <= 'z')
    return c - 32;
  if ((c >= 0xE0 && c <= 0xFE && c != 0xF7))
    return c - 32;
  if (c == 0xFF)
    return 0x178;
  if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149) {
    bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (oddUpper ? (c % 2 == 0) : (c % 2 == 1))
      return c - 1;
  }
  return c;
}

char32_t FallbackLower(char32_t c)
{
  if (c >= 'A' && c <= 'Z')
    return c + 32;
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7))
    return c + 32;
  if (c == 0x178)
    return 0xFF;
  if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149) {
    bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (oddUpper ? (c % 2 == 1) : (c % 2 == 0))
      return c + 1;
  }
  return c;
}

template <class Map>
DWORD ConvertWide(LPWSTR text, DWORD length, Map map)
{
  if (!text)
    return 0;
  std::u16string_view view(text, length);
  for (std::size_t pos = 0; pos < view.size();) {
    std::size_t start = pos;
    bool valid = false;
    char32_t c = DecodeUtf16Char(view, pos, &valid);
    if (!valid)
      continue;
    char32_t mapped = map(c);
    std::u16string units;
    AppendUtf16(units, mapped);
    if (units.size() == pos - start)
      std::memcpy(text + start, units.data(), units.size() * sizeof(char16_t));
  }
  return length;
}

template <class Map>
DWORD ConvertNarrow(LPSTR text, DWORD length, Map map)
{
  if (!text)
    return 0;
  std::string_view view(text, length);
  for (std::size_t pos = 0; pos < view.size();) {
    std::size_t start = pos;
    bool valid = false;
    char32_t c = DecodeUtf8Char(view, pos, &valid);
    if (!valid)
      continue;
    std::string bytes;
    AppendUtf8(bytes, map(c));
    if (bytes.size() == pos - start)
      std::memcpy(text + start, bytes.data(), bytes.size());
  }
  return length;
}

}  // namespace

char32_t UnicodeToUpper(char32_t c)
{
  if (c < 0x80)
    return (c >= 'a' && c <= 'z') ? c - 32 : c;
  if (locale_t l = UnicodeLocale())
    return char32_t(towupper_l(wint_t(c), l));
  return FallbackUpper(c);
}

char32_t UnicodeToLower(char32_t c)
{
  if (c < 0x80)
    return (c >= 'A' && c <= 'Z') ? c + 32 : c;
  if (locale_t l = UnicodeLocale())
    return char32_t(towlower_l(wint_t(c), l));
  return FallbackLower(c);
}

DWORD CharUpperBuffW(LPWSTR lpsz, DWORD cchLength) { return ConvertWide(lpsz, cchLength, UnicodeToUpper); }
DWORD CharLowerBuffW(LPWSTR lpsz, DWORD cchLength) { return ConvertWide(lpsz, cchLength, UnicodeToLower); }
DWORD CharUpperBuffA(LPSTR lpsz, DWORD cchLength) { return ConvertNarrow(lpsz, cchLength, UnicodeToUpper); }
DWORD CharLowerBuffA(LPSTR lpsz, DWORD cchLength) { return ConvertNarrow(lpsz, cchLength, UnicodeToLower); }

namespace {

WORD CharType1(char32_t c)
{
  WORD t = 0;
  if (UnicodeToLower(c) != c)
    t |= C1_UPPER | C1_ALPHA;
  if (UnicodeToUpper(c) != c)
    t |= C1_LOWER | C1_ALPHA;
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
    t |= C1_ALPHA;
  if (c >= '0' && c <= '9')
    t |= C1_DIGIT | C1_XDIGIT;
  if ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))
    t |= C1_XDIGIT;
  if (c == ' ' || (c >= 0x09 && c <= 0x0D) || c == 0xA0)
    t |= C1_SPACE;
  if (c == ' ' || c == '\t' || c == 0xA0)
    t |= C1_BLANK;
  if (c < 0x20 || c == 0x7F)
    t |= C1_CNTRL;
  if (c > 0x20 && c < 0x7F && !(t & (C1_ALPHA | C1_DIGIT)))
    t |= C1_PUNCT;
  return t;
}

// Each unit of a character gets the character's type; ill-formed units 0.
template <typename TView, typename TDecode>
BOOL StringTypes(DWORD infoType, TView view, bool withZero, WORD* types, TDecode decode)
{
  if (infoType != CT_CTYPE1 || !types)
    return FALSE;
  for (std::size_t i = 0; i < view.size();) {
    std::size_t start = i;
    bool valid = true;
    char32_t c = decode(view, i, &valid);
    for (std::size_t k = start; k < i; ++k)
      types[k] = valid ? CharType1(c) : 0;
  }
  if (withZero)
    types[view.size()] = CharType1(0);  // the terminating zero counts too
  return TRUE;
}

}  // namespace

BOOL GetStringTypeExW(DWORD, DWORD infoType, LPCWSTR text, int count, WORD* types)
{
  if (!text || count < -1)
    return FALSE;
  std::u16string_view view = count < 0 ? std::u16string_view(text) : std::u16string_view(text, std::size_t(count));
  return StringTypes(infoType, view, count < 0, types,
                     [](std::u16string_view v, std::size_t& i, bool* ok) { return DecodeUtf16Char(v, i, ok); });
}

BOOL GetStringTypeExA(DWORD, DWORD infoType, LPCSTR text, int count, WORD* types)
{
  if (!text || count < -1)
    return FALSE;
  std::string_view view = count < 0 ? std::string_view(text) : std::string_view(text, std::size_t(count));
  return StringTypes(infoType, view, count < 0, types,
                     [](std::string_view v, std::size_t& i, bool* ok) { return DecodeUtf8Char(v, i, ok); });
}
