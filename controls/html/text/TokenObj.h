// TokenObj: wide text with one source position per character. Every run of
// text the parser reads travels in one, from the tokenizer to the sections.
#pragma once

#include <string>
#include <vector>

#include "platform/base/Object.h"
#include "platform/base/Types.h"

class TCharCollection;

class TokenObj : public TObject {
public:
  TokenObj();

  void AddUnicodeChar(char16_t Ch, int Position);
  // Converts the collection's bytes through CodePage and appends the wide
  // characters, each with the position of the first byte of its character.
  void AddString(const TCharCollection& Collection, UINT CodePage);
  void Clear() { FChars.clear(); FPositions.clear(); }

  int Count() const { return int(FChars.size()); }
  int Capacity() const { return FCapacity; }
  const std::u16string& Text() const { return FChars; }
  const std::vector<int>& Positions() const { return FPositions; }

private:
  void Reserve(int Needed);

  std::u16string FChars;
  std::vector<int> FPositions;
  int FCapacity = 0;
};
