// The readers' view of the stream being read: characters one at a time out of
// blocks of 8192 bytes, with the ability to go back to a position already
// read. Finish puts the stream just after the last character consumed.
#pragma once

#include <array>
#include <cstdint>

#include "platform/base/Stream.h"

class TUtSimpleXML;

// The blanks that separate the parts of a tag and of the prolog.
inline bool IsXmlBlank(char C) { return C == ' ' || C == '\t' || C == '\r' || C == '\n'; }

class TXmlSource {
public:
  // Document, when given, hears of every block read (OnLoadProgress).
  TXmlSource(TStream& Stream, TUtSimpleXML* Document);

  // The next character; false at the end of the data.
  bool Next(char& C)
  {
    if (FPos == FLength && !Refill())
      return false;
    C = FBlock[FPos++];
    return true;
  }
  // The position of the next character, counted from the stream's start.
  std::int64_t Position() const { return FBlockStart + std::int64_t(FPos); }
  // Goes back to a position already read.
  void Reset(std::int64_t Position);
  // Puts the stream just after the last character consumed.
  void Finish();

private:
  bool Refill();

  TStream& FStream;
  TUtSimpleXML* FDocument;
  std::array<char, 8192> FBlock;
  std::int64_t FBlockStart;  // stream position of FBlock[0]
  std::size_t FPos = 0;
  std::size_t FLength = 0;
};
