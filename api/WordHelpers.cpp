#include "api/WordHelpers.h"

std::string StrReplaceAll(std::string_view S, std::string_view Old, std::string_view New)
{
  if (Old.empty())
    return std::string(S);
  std::string result;
  result.reserve(S.size());
  std::size_t from = 0;
  for (std::size_t found; (found = S.find(Old, from)) != std::string_view::npos; from = found + Old.size()) {
    result.append(S.substr(from, found - from));
    result.append(New);
  }
  result.append(S.substr(from));
  return result;
}

namespace {

bool IsDelimiter(const TWordDelimiters& delimiters, char c)
{
  return delimiters.Contains(static_cast<unsigned char>(c));
}

}  // namespace

int NthWordPos(int N, std::string_view S, const TWordDelimiters& Delimiters)
{
  std::size_t i = 0;
  int count = 0;
  while (i < S.size() && count != N) {
    while (i < S.size() && IsDelimiter(Delimiters, S[i]))
      ++i;
    if (i < S.size()) {
      ++count;
      if (count == N)
        return int(i) + 1;
      while (i < S.size() && !IsDelimiter(Delimiters, S[i]))
        ++i;
    }
  }
  return 0;
}

std::string NthWord(int N, std::string_view S, const TWordDelimiters& Delimiters)
{
  int position = NthWordPos(N, S, Delimiters);
  if (position == 0)
    return {};
  std::size_t start = std::size_t(position) - 1;
  std::size_t end = start;
  while (end < S.size() && !IsDelimiter(Delimiters, S[end]))
    ++end;
  return std::string(S.substr(start, end - start));
}
