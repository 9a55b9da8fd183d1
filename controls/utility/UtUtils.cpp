#include "controls/utility/UtUtils.h"

#include <array>
#include <atomic>
#include <cstdlib>

#include "controls/utility/RtFileUtils.h"

namespace {

bool IsDelimiter(char c, std::string_view delimiters)
{
  return delimiters.find(c) != std::string_view::npos;
}

}  // namespace

int NthWordPos(int N, std::string_view S, std::string_view Delimiters)
{
  int count = 0;
  std::size_t i = 0;
  while (i < S.size()) {
    while (i < S.size() && IsDelimiter(S[i], Delimiters))
      ++i;
    if (i >= S.size())
      break;
    if (++count == N)
      return int(i) + 1;
    while (i < S.size() && !IsDelimiter(S[i], Delimiters))
      ++i;
  }
  return 0;
}

std::string NthWord(int N, std::string_view S, std::string_view Delimiters)
{
  int pos = NthWordPos(N, S, Delimiters);
  if (pos == 0)
    return {};
  std::size_t start = std::size_t(pos - 1), end = start;
  while (end < S.size() && !IsDelimiter(S[end], Delimiters))
    ++end;
  return std::string(S.substr(start, end - start));
}

std::uint32_t ModuleFileVersion(const std::string& FileName)
{
  VS_FIXEDFILEINFO info{};
  return ReadFixedFileVersion(FileName, info) ? info.dwFileVersionMS : 0;
}

std::uint32_t ShellVersion()
{
  static std::atomic<std::uint32_t> cached{0};
  std::uint32_t version = cached.load();
  if (version == 0) {
    version = ModuleFileVersion("shell32.dll");
    cached.store(version);
  }
  return version;
}

int NearestLevel(int Value, std::span<const std::uint8_t> Levels)
{
  int best = 0;
  int bestDistance = -1;
  for (std::size_t i = 0; i < Levels.size(); ++i) {
    int distance = std::abs(Value - int(Levels[i]));
    if (bestDistance < 0 || distance < bestDistance) {
      best = int(i);
      bestDistance = distance;
    }
  }
  return best;
}

const std::uint8_t* NearestLevelTable(int Index)
{
  static const auto tables = [] {
    static constexpr std::uint8_t l4[] = {0, 85, 170, 255};
    static constexpr std::uint8_t l6[] = {0, 51, 102, 153, 204, 255};
    static constexpr std::uint8_t l7[] = {0, 43, 85, 128, 170, 213, 255};
    static constexpr std::uint8_t l8[] = {0, 36, 73, 109, 146, 182, 219, 255};
    const std::span<const std::uint8_t> sets[4] = {l4, l6, l7, l8};
    std::array<std::array<std::uint8_t, 256>, 4> t{};
    for (int s = 0; s < 4; ++s)
      for (int v = 0; v < 256; ++v)
        t[std::size_t(s)][std::size_t(v)] = std::uint8_t(NearestLevel(v, sets[s]));
    return t;
  }();
  return Index >= 0 && Index < 4 ? tables[std::size_t(Index)].data() : nullptr;
}
