#include "platform/base/AnsiStrings.h"

#include "platform/base/CaseMap.h"
#include "platform/base/StringRoutines.h"
#include "platform/base/Utf.h"
#include "platform/base/detail/Collation.h"

namespace {

template <class Map>
std::string MapCase(std::string_view s, Map map)
{
  std::string r;
  r.reserve(s.size());
  for (std::size_t pos = 0; pos < s.size();) {
    // An ASCII byte is its own character and maps to one byte.
    if (static_cast<unsigned char>(s[pos]) < 0x80) {
      r.push_back(char(map(char32_t(s[pos++]))));
      continue;
    }
    std::size_t start = pos;
    bool valid = false;
    char32_t c = DecodeUtf8Char(s, pos, &valid);
    if (valid)
      AppendUtf8(r, map(c));
    else
      r.append(s.substr(start, pos - start));
  }
  return r;
}

std::u32string CodePoints(std::string_view s)
{
  std::u32string r;
  r.reserve(s.size());
  for (std::size_t pos = 0; pos < s.size();) {
    std::size_t start = pos;
    bool valid = false;
    char32_t c = DecodeUtf8Char(s, pos, &valid);
    if (valid) {
      r += c;
    } else {
      // Ill-formed bytes keep their identity: each compares as itself, above
      // every character.
      for (std::size_t i = start; i < pos; ++i)
        r += char32_t(0x110000 + static_cast<unsigned char>(s[i]));
    }
  }
  return r;
}

}  // namespace

// The ASCII letters are mapped inline: names and keys are mostly ASCII.
std::string AnsiUpperCase(std::string_view S)
{
  return MapCase(S, [](char32_t c) { return c >= 'a' && c <= 'z' ? c - 32 : c < 0x80 ? c : UnicodeToUpper(c); });
}

std::string AnsiLowerCase(std::string_view S)
{
  return MapCase(S, [](char32_t c) { return c >= 'A' && c <= 'Z' ? c + 32 : c < 0x80 ? c : UnicodeToLower(c); });
}

namespace {

int Compare(std::string_view S1, std::string_view S2, bool IgnoreCase)
{
  using namespace corvane::detail;
  if (IsAscii(S1) && IsAscii(S2))
    return CollateAscii(S1, S2, IgnoreCase);
  return Collate(CodePoints(S1), CodePoints(S2), IgnoreCase);
}

}  // namespace

int AnsiCompareStr(std::string_view S1, std::string_view S2) { return Compare(S1, S2, false); }
int AnsiCompareText(std::string_view S1, std::string_view S2) { return Compare(S1, S2, true); }

bool AnsiSameStr(std::string_view S1, std::string_view S2) { return S1 == S2; }
bool AnsiSameText(std::string_view S1, std::string_view S2) { return AnsiCompareText(S1, S2) == 0; }
int AnsiPos(std::string_view Substr, std::string_view S) { return Pos(Substr, S); }
