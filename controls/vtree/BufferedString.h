// Growable text buffers for the export formats: a block that grows in steps
// of 4096 characters, so long exports append without reallocating per piece.
#pragma once

#include <cstddef>
#include <string>

template <class Char>
class TBasicBufferedString {
public:
  static constexpr std::size_t Step = 4096;
  // A line break grows the block once this little room is left: 2 bytes in
  // the 8-bit buffer, 4 characters in the wide one.
  static constexpr std::size_t NewLineReserve = sizeof(Char) == 1 ? 2 : 4;

  void Add(const std::basic_string<Char>& S)
  {
    if (S.size() >= Free())
      Grow(S.size());
    FText.append(S);
  }
  void AddNewLine()
  {
    if (Free() <= NewLineReserve)
      Grow(0);
    FText.push_back(Char('\r'));
    FText.push_back(Char('\n'));
  }
  const std::basic_string<Char>& AsString() const { return FText; }
  // Characters the block holds (its allocated size).
  std::size_t BlockSize() const { return FBlock; }

private:
  std::size_t Free() const { return FBlock - FText.size(); }
  void Grow(std::size_t Needed)
  {
    do
      FBlock += Step;
    while (FBlock - FText.size() <= Needed);
    FText.reserve(FBlock);
  }

  std::size_t FBlock = 0;
  std::basic_string<Char> FText;
};

using TBufferedString = TBasicBufferedString<char>;
using TWideBufferedString = TBasicBufferedString<char16_t>;
