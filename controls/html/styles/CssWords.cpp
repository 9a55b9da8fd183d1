#include "controls/html/styles/detail/CssWords.h"

#include "platform/base/StringRoutines.h"

namespace CssWords {

std::vector<std::string> SplitWords(std::string_view Value, std::size_t Max)
{
  std::string S = Trim(Value);
  // Every run of blanks becomes one, and a blank after a comma goes, so that
  // "Arial, serif" stays one word.
  std::string Collapsed;
  Collapsed.reserve(S.size());
  for (char C : S) {
    if (C == ' ' && !Collapsed.empty() && (Collapsed.back() == ' ' || Collapsed.back() == ','))
      continue;
    Collapsed += C;
  }

  std::vector<std::string> Words;
  auto AddWord = [&](std::string Word) {
    std::size_t Slash = Word.find('/', 1);
    if (Slash != std::string::npos && Words.size() < Max) {
      Words.push_back(Word.substr(0, Slash));
      Word.erase(0, Slash);
    }
    if (Words.size() < Max)
      Words.push_back(std::move(Word));
  };
  std::string Word;
  char Quote = 0;
  for (char C : Collapsed) {
    if (Quote) {
      if (C == Quote)
        Quote = 0;
    } else if (C == '"' || C == '\'') {
      Quote = C;
    } else if (C == ' ') {
      AddWord(std::move(Word));
      Word.clear();
      if (Words.size() >= Max)
        return Words;
      continue;
    }
    Word += C;
  }
  if (!Word.empty())
    AddWord(std::move(Word));
  return Words;
}

std::vector<std::string> ExtractGroups(std::string& Value, std::size_t Max)
{
  std::vector<std::string> Groups;
  while (Groups.size() < Max) {
    std::size_t Open = Value.find("url(");
    if (Open == std::string::npos)
      Open = Value.find("rgb(");
    std::size_t Close = Value.find(')');
    if (Open == std::string::npos || Close == std::string::npos || Close < Open)
      break;
    Groups.push_back(Value.substr(Open, Close - Open + 1));
    Value.erase(Open, Close - Open + 1);
  }
  return Groups;
}

std::string RemoveQuotes(std::string_view Value)
{
  if (Value.size() > 1 && (Value.front() == '"' || Value.front() == '\'') && Value.back() == Value.front())
    return std::string(Value.substr(1, Value.size() - 2));
  return std::string(Value);
}

}  // namespace CssWords
