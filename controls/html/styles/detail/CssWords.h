// Word-level helpers of the CSS reader, visible to its tests.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace CssWords {

// Up to Max words of Value: blanks collapsed, ", " joined to ",", a quoted
// stretch kept in its word, and a "/" after a word's first character
// starting a word of its own ("12px/14px" gives "12px" and "/14px").
std::vector<std::string> SplitWords(std::string_view Value, std::size_t Max);
// Takes up to Max url() groups (rgb() groups when no url() is left) out of
// Value.
std::vector<std::string> ExtractGroups(std::string& Value, std::size_t Max);
// One pair of matching quotes removed from a value of more than one character.
std::string RemoveQuotes(std::string_view Value);
// A descendant selector in the style list's key form; NextSequence is asked
// once for a selector with blanks.
template <class Sequence>
std::string NormaliseSelector(const std::string& Selector, Sequence&& NextSequence);

}  // namespace CssWords

template <class Sequence>
std::string CssWords::NormaliseSelector(const std::string& Selector, Sequence&& NextSequence)
{
  if (Selector.find(' ') == std::string::npos)
    return Selector;
  std::vector<std::string> Parts;
  std::size_t Start = 0;
  while (Start < Selector.size()) {
    std::size_t Blank = Selector.find(' ', Start);
    if (Blank == std::string::npos)
      Blank = Selector.size();
    if (Blank > Start)
      Parts.push_back(Selector.substr(Start, Blank - Start));
    Start = Blank + 1;
  }
  if (Parts.size() < 2)
    return Parts.empty() ? std::string() : Parts[0];
  std::string Key = Parts.back() + " " + std::to_string(Parts.size() - 1) + NextSequence();
  for (std::size_t I = Parts.size() - 1; I-- > 0;)
    Key += Parts[I] + " ";
  return Key;
}
