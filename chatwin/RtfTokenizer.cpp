#include "chatwin/RtfTokenizer.h"

#include <limits>

#include "chatwin/detail/RtfCharacters.h"
#include "platform/base/AsciiChars.h"

TRtfToken TRtfTokenizer::Next()
{
  TRtfToken token;
  if (FPos >= FSource.size())
    return token;
  char c = FSource[FPos];
  switch (c) {
  case '{':
    ++FPos;
    token.Kind = TRtfTokenKind::GroupStart;
    return token;
  case '}':
    ++FPos;
    token.Kind = TRtfTokenKind::GroupEnd;
    return token;
  case '\\':
    return ReadControl();
  default: {
    std::size_t start = FPos;
    while (FPos < FSource.size() && FSource[FPos] != '\\' && FSource[FPos] != '{' && FSource[FPos] != '}')
      ++FPos;
    token.Kind = TRtfTokenKind::Text;
    token.Text = FSource.substr(start, FPos - start);
    return token;
  }
  }
}

TRtfToken TRtfTokenizer::ReadControl()
{
  TRtfToken token;
  ++FPos;  // the backslash
  if (FPos >= FSource.size())
    return token;  // a lone backslash at the end ends the text
  char c = FSource[FPos];
  if (!IsAsciiLetter(c)) {
    ++FPos;
    if (c == '\'') {
      int high = FPos < FSource.size() ? HexDigitValue(FSource[FPos]) : -1;
      int low = FPos + 1 < FSource.size() ? HexDigitValue(FSource[FPos + 1]) : -1;
      if (high >= 0 && low >= 0) {
        FPos += 2;
        token.Kind = TRtfTokenKind::HexByte;
        token.Byte = std::uint8_t(high * 16 + low);
        return token;
      }
      // A malformed escape stands for nothing, with its one hexadecimal digit
      // if it has one; what follows is read as usual.
      if (high >= 0)
        ++FPos;
      token.Kind = TRtfTokenKind::ControlSymbol;
      token.Text = FSource.substr(FPos - 1, 0);
      return token;
    }
    token.Kind = TRtfTokenKind::ControlSymbol;
    token.Text = FSource.substr(FPos - 1, 1);
    return token;
  }

  std::size_t start = FPos;
  while (FPos < FSource.size() && IsAsciiLetter(FSource[FPos]))
    ++FPos;
  token.Kind = TRtfTokenKind::ControlWord;
  token.Text = FSource.substr(start, FPos - start);

  bool negative = false;
  if (FPos + 1 < FSource.size() && FSource[FPos] == '-' && IsAsciiDigit(FSource[FPos + 1])) {
    negative = true;
    ++FPos;
  }
  if (FPos < FSource.size() && IsAsciiDigit(FSource[FPos])) {
    // Every digit belongs to the parameter; a value beyond 32 bits saturates.
    std::int64_t value = 0;
    constexpr std::int64_t limit = std::numeric_limits<std::int32_t>::max();
    while (FPos < FSource.size() && IsAsciiDigit(FSource[FPos])) {
      if (value <= limit)
        value = value * 10 + (FSource[FPos] - '0');
      ++FPos;
    }
    if (value > limit)
      value = limit;
    token.HasParameter = true;
    token.Parameter = std::int32_t(negative ? -value : value);
  }
  // One blank after a control word delimits it and is part of it.
  if (FPos < FSource.size() && FSource[FPos] == ' ')
    ++FPos;
  if (token.Text == "bin" && token.HasParameter && token.Parameter > 0)
    SkipBinary(token.Parameter);
  return token;
}

void TRtfTokenizer::SkipBinary(std::int32_t Count)
{
  std::size_t left = FSource.size() - FPos;
  FPos += std::size_t(Count) < left ? std::size_t(Count) : left;
}
