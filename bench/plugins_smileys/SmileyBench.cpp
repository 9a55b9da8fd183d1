// The smiley processor's replacement on messages of growing size, with one
// smiley every 50 characters (40 in a 2,000-character message), over a table
// of the size a newsreader ships.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "plugins/smileys/SmileyReplacer.h"

namespace {

std::vector<TSmiley> Table()
{
  std::vector<TSmiley> table;
  const char* faces[] = {":)", ":-)", ";)", ";-)", ":(", ":-(", ":D", ":-D", ":p", ":-p", ":o", ":-o",
                         ":|", ":-|", ":/", ":-/", ":'(", "8)", "8-)", "<3", ":*", ":-*", "^^", "xD"};
  for (const char* face : faces)
    table.push_back({face, std::string("img") + std::to_string(table.size()) + ".gif"});
  for (int i = 0; i < 40; ++i)
    table.push_back({":smiley" + std::to_string(i) + ":", "s" + std::to_string(i) + ".gif"});
  return table;
}

// Words with punctuation and colons that start no smiley, and a smiley of
// the table every 50 characters.
std::string Message(std::size_t size)
{
  const char* smileys[] = {":)", ";-)", ":D", "<3", ":smiley7:", ":'("};
  std::string text;
  for (int i = 0; text.size() < size; ++i) {
    text += "Salut, voici : une phrase & du <texte> ";
    text.resize(std::min(text.size(), std::size_t(i + 1) * 50 - 3), ' ');
    text += smileys[i % 6];
    text += ' ';
  }
  text.resize(size);
  return text;
}

void BM_ReplacePlainText(benchmark::State& state)
{
  const TSmileyReplacer replacer(Table(), "/home/user/.mesnews/");
  const std::string text = Message(std::size_t(state.range(0)));
  for (auto _ : state)
    benchmark::DoNotOptimize(replacer.Replace(text, mkText));
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(std::int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_ReplacePlainText)->Arg(2000)->Arg(4000)->Arg(8000)->Arg(16000)->Complexity(benchmark::oN);

void BM_ReplaceHtml(benchmark::State& state)
{
  const TSmileyReplacer replacer(Table(), "/home/user/.mesnews/");
  const std::string text = Message(std::size_t(state.range(0)));
  for (auto _ : state)
    benchmark::DoNotOptimize(replacer.Replace(text, mkHtml));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReplaceHtml)->Arg(2000)->Arg(16000)->Complexity(benchmark::oN);

}  // namespace
