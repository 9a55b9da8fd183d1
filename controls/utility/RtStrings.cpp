#include "controls/utility/RtStrings.h"

#include <array>
#include <cstdint>

#include "platform/base/CaseMap.h"

namespace {

struct CharTables {
  std::array<std::uint16_t, 256> Types{};
  std::array<char, 256> Lower{};
  std::array<char, 256> Upper{};
  std::array<char, 256> Reverse{};
};

unsigned ClassifyByte(unsigned c)
{
  unsigned flags = 0;
  if (c >= 'A' && c <= 'Z')
    flags |= C1_UPPER | C1_ALPHA;
  if (c >= 'a' && c <= 'z')
    flags |= C1_LOWER | C1_ALPHA;
  if (c >= '0' && c <= '9')
    flags |= C1_DIGIT;
  if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'))
    flags |= C1_XDIGIT;
  if (c == ' ' || (c >= 9 && c <= 13))
    flags |= C1_SPACE;
  if (c == ' ' || c == 9)
    flags |= C1_BLANK;
  if (c < 32 || c == 127)
    flags |= C1_CNTRL;
  if (c > 32 && c < 127 && !(flags & (C1_ALPHA | C1_DIGIT)))
    flags |= C1_PUNCT;
  return flags;
}

// Built once: the type table first, then the case tables, which read it.
const CharTables& Tables()
{
  static const CharTables tables = [] {
    CharTables t;
    for (unsigned c = 0; c < 256; ++c)
      t.Types[c] = std::uint16_t(ClassifyByte(c));
    for (unsigned c = 0; c < 256; ++c) {
      char lower = char(c), upper = char(c);
      CharLowerBuffA(&lower, 1);
      CharUpperBuffA(&upper, 1);
      t.Lower[c] = lower;
      t.Upper[c] = upper;
      t.Reverse[c] = (t.Types[c] & C1_UPPER) ? lower : (t.Types[c] & C1_LOWER) ? upper : char(c);
    }
    return t;
  }();
  return tables;
}

}  // namespace

unsigned CharTypeFlags(char Ch)
{
  return Tables().Types[std::uint8_t(Ch)];
}

bool IsLowerCaseChar(char Ch)
{
  return (CharTypeFlags(Ch) & C1_LOWER) != 0;
}

bool IsUpperCaseChar(char Ch)
{
  return (CharTypeFlags(Ch) & C1_UPPER) != 0;
}

char LowerCaseChar(char Ch)
{
  return Tables().Lower[std::uint8_t(Ch)];
}

char UpperCaseChar(char Ch)
{
  return Tables().Upper[std::uint8_t(Ch)];
}

char ReverseCaseChar(char Ch)
{
  return Tables().Reverse[std::uint8_t(Ch)];
}

int CountChar(std::string_view S, char Ch)
{
  int n = 0;
  for (char c : S)
    n += c == Ch;
  return n;
}

std::string LeftChars(std::string_view S, int N)
{
  if (N <= 0)
    return {};
  return std::string(S.substr(0, std::size_t(N)));
}

std::string CharsFrom(std::string_view S, int N)
{
  std::size_t start = N <= 1 ? 0 : std::size_t(N - 1);
  return start >= S.size() ? std::string() : std::string(S.substr(start));
}

void SplitString(std::string_view S, std::string_view Separator, std::vector<std::string>& List, bool AllowEmpty)
{
  List.clear();
  // An empty separator is found everywhere and would never consume the text.
  if (!Separator.empty()) {
    for (std::size_t at = S.find(Separator); at != std::string_view::npos; at = S.find(Separator)) {
      if (at > 0 || AllowEmpty)
        List.emplace_back(S.substr(0, at));
      S.remove_prefix(at + Separator.size());
    }
  }
  if (!S.empty())
    List.emplace_back(S);
}

std::string JoinStrings(const std::vector<std::string>& List, std::string_view Separator, bool AllowEmpty)
{
  std::string result;
  bool appended = false;
  for (const std::string& entry : List) {
    if (entry.empty() && !AllowEmpty)
      continue;
    result += entry;
    result += Separator;
    appended = true;
  }
  // Only a separator that was appended is taken off again.
  if (appended)
    result.resize(result.size() - Separator.size());
  return result;
}
