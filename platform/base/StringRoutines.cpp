#include "platform/base/StringRoutines.h"

#include <algorithm>
#include <cstring>

#include "platform/base/CaseMap.h"
#include "platform/base/Utf.h"

namespace {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; }
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

int CompareBytes(std::string_view a, std::string_view b, char (*map)(char))
{
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    int ca = static_cast<unsigned char>(map(a[i])), cb = static_cast<unsigned char>(map(b[i]));
    if (ca != cb)
      return ca - cb;
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

char Same(char c) { return c; }

// Length in bytes of Pattern matched case-insensitively at S[at], or npos.
std::size_t MatchIgnoringCase(std::string_view s, std::size_t at, std::string_view pattern)
{
  std::size_t i = at, j = 0;
  while (j < pattern.size()) {
    if (i >= s.size())
      return std::string_view::npos;
    char32_t a = UnicodeToUpper(DecodeUtf8Char(s, i));
    char32_t b = UnicodeToUpper(DecodeUtf8Char(pattern, j));
    if (a != b)
      return std::string_view::npos;
  }
  return i - at;
}

}  // namespace

std::string UpperCase(std::string_view s)
{
  std::string r(s);
  std::transform(r.begin(), r.end(), r.begin(), AsciiUpper);
  return r;
}

std::string LowerCase(std::string_view s)
{
  std::string r(s);
  std::transform(r.begin(), r.end(), r.begin(), AsciiLower);
  return r;
}

int CompareStr(std::string_view s1, std::string_view s2) { return CompareBytes(s1, s2, Same); }
int CompareText(std::string_view s1, std::string_view s2) { return CompareBytes(s1, s2, AsciiUpper); }
bool SameText(std::string_view s1, std::string_view s2) { return s1.size() == s2.size() && CompareText(s1, s2) == 0; }

std::string Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

std::string TrimLeft(std::string_view s)
{
  std::size_t i = 0;
  while (i < s.size() && IsBlank(s[i]))
    ++i;
  return std::string(s.substr(i));
}

std::string TrimRight(std::string_view s)
{
  std::size_t n = s.size();
  while (n > 0 && IsBlank(s[n - 1]))
    --n;
  return std::string(s.substr(0, n));
}

int Pos(std::string_view Substr, std::string_view S)
{
  if (Substr.empty())
    return 0;
  std::size_t found = S.find(Substr);
  return found == std::string_view::npos ? 0 : int(found) + 1;
}

std::string Copy(std::string_view S, int Index, int Count)
{
  if (Index < 1)
    Index = 1;
  if (Count <= 0 || std::size_t(Index) > S.size())
    return {};
  std::size_t start = std::size_t(Index - 1);
  return std::string(S.substr(start, std::min<std::size_t>(std::size_t(Count), S.size() - start)));
}

void Delete(std::string& S, int Index, int Count)
{
  if (Index < 1 || std::size_t(Index) > S.size() || Count <= 0)
    return;
  S.erase(std::size_t(Index - 1), std::size_t(Count));
}

void Insert(std::string_view Source, std::string& S, int Index)
{
  Index = std::clamp(Index, 1, int(S.size()) + 1);
  S.insert(std::size_t(Index - 1), Source);
}

std::string StringReplace(std::string_view S, std::string_view OldPattern, std::string_view NewPattern,
                          TReplaceFlags Flags)
{
  if (OldPattern.empty())
    return std::string(S);
  const bool all = Flags.Contains(rfReplaceAll);
  const bool ignoreCase = Flags.Contains(rfIgnoreCase);
  std::string result;
  std::size_t i = 0;
  while (i < S.size()) {
    std::size_t matched = ignoreCase ? MatchIgnoringCase(S, i, OldPattern)
                                     : (S.compare(i, OldPattern.size(), OldPattern) == 0 ? OldPattern.size()
                                                                                         : std::string_view::npos);
    if (matched != std::string_view::npos) {
      result += NewPattern;
      i += matched;
      if (!all) {
        result += S.substr(i);
        return result;
      }
      continue;
    }
    // Step over one whole character, so a match never starts inside one.
    std::size_t next = i;
    DecodeUtf8Char(S, next);
    result += S.substr(i, next - i);
    i = next;
  }
  return result;
}

std::string QuotedStr(std::string_view S) { return AnsiQuotedStr(S, '\''); }

std::string AnsiQuotedStr(std::string_view S, char Quote)
{
  std::string r;
  r.reserve(S.size() + 2);
  r += Quote;
  for (char c : S) {
    r += c;
    if (c == Quote)
      r += Quote;
  }
  r += Quote;
  return r;
}

std::string AnsiExtractQuotedStr(const char*& Src, char Quote)
{
  if (!Src || *Src != Quote)
    return {};
  std::string r;
  const char* p = Src + 1;
  while (*p) {
    if (*p == Quote) {
      if (p[1] != Quote) {
        ++p;
        break;
      }
      ++p;  // a doubled quote stands for one
    }
    r += *p++;
  }
  Src = p;
  return r;
}

std::string AnsiDequotedStr(std::string_view S, char Quote)
{
  std::string text(S);
  const char* p = text.c_str();
  std::string r = AnsiExtractQuotedStr(p, Quote);
  // Only a string that is quoted from end to end loses its quotes.
  if (p == text.c_str() || *p != 0 || text.back() != Quote || text.size() < 2)
    return text;
  return r;
}

std::string StringOfChar(char Ch, int Count) { return Count > 0 ? std::string(std::size_t(Count), Ch) : std::string(); }
