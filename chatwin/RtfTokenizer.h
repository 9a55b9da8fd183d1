// A tokenizer for RTF 1.x text (the format of rich-text messages): groups,
// control words with their numeric parameter and delimiter blank, control
// symbols, hexadecimal character escapes and text runs. Binary data announced
// by \binN is skipped here, since it is not tokens. It never fails: malformed
// input yields the tokens it can, and the input's end ends the stream.
#pragma once

#include <cstdint>
#include <string_view>

enum class TRtfTokenKind : std::uint8_t {
  GroupStart,     // "{"
  GroupEnd,       // "}"
  ControlWord,    // "\name" with an optional signed parameter
  ControlSymbol,  // "\" and one non-letter, as "\{" or "\~"
  HexByte,        // "\'hh", either case
  Text,           // a run of other characters, CR and LF included
  End,
};

struct TRtfToken {
  TRtfTokenKind Kind = TRtfTokenKind::End;
  std::string_view Text;   // the word's name, the symbol, or the run
  bool HasParameter = false;
  std::int32_t Parameter = 0;  // saturated to the 32-bit range
  std::uint8_t Byte = 0;       // the value of a HexByte
};

class TRtfTokenizer {
public:
  explicit TRtfTokenizer(std::string_view Source) : FSource(Source) {}

  TRtfToken Next();

private:
  TRtfToken ReadControl();
  void SkipBinary(std::int32_t Count);

  std::string_view FSource;
  std::size_t FPos = 0;
};
