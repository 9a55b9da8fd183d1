#include "controls/html/parser/detail/AttributeText.h"

#include <algorithm>

#include "controls/html/parser/EntityTable.h"
#include "controls/html/parser/Symbols.h"
#include "controls/html/text/CodePageText.h"
#include "platform/base/AsciiChars.h"
#include "platform/base/HexDigit.h"

namespace {

void Emit(std::string& Out, std::uint32_t Code, bool FromDigits, UINT CodePage)
{
  if (Code == 9)
    Out += ' ';
  else if (Code < 32)
    Out += '?';
  else if (FromDigits && Code < 256 && !IsMultiByteCodePage(CodePage))
    Out += char(Code);
  else
    Out += WideStringToMultibyte(CodePage, CodePointText(Code));
}

}  // namespace

std::u16string CodePointText(std::uint32_t Code)
{
  if (Code > 0x10FFFF || (Code >= 0xD800 && Code <= 0xDFFF))
    Code = 0xFFFD;
  if (Code <= 0xFFFF)
    return std::u16string(1, char16_t(Code));
  Code -= 0x10000;
  return {char16_t(0xD800 + (Code >> 10)), char16_t(0xDC00 + (Code & 0x3FF))};
}

std::string DecodeAttributeEntities(std::string_view Raw, UINT CodePage)
{
  std::string Out;
  DecodeAttributeEntities(Raw, CodePage, Out);
  return Out;
}

void DecodeAttributeEntities(std::string_view Raw, UINT CodePage, std::string& Out)
{
  if (Raw.find('&') == std::string_view::npos) {
    Out.assign(Raw);
    return;
  }
  Out.clear();
  Out.reserve(Raw.size());
  const std::size_t N = Raw.size();
  std::size_t I = 0;
  while (I < N) {
    if (Raw[I] != '&') {
      Out += Raw[I++];
      continue;
    }
    const std::size_t Start = I++;
    if (I < N && Raw[I] == '#') {
      std::size_t J = I + 1;
      bool Hex = false;
      if (J < N && (Raw[J] == 'x' || Raw[J] == 'X') && J + 1 < N && HexDigitValue(Raw[J + 1]) >= 0) {
        Hex = true;
        ++J;
      } else if (!(J < N && IsAsciiDigit(Raw[J]))) {
        // "&#" or "&#x" without a digit of the right kind stays as written.
        const std::size_t Kept = J < N && (Raw[J] == 'x' || Raw[J] == 'X') ? J + 1 : J;
        Out.append(Raw.substr(Start, Kept - Start));
        I = Kept;
        continue;
      }
      std::uint32_t Code = 0;
      while (J < N && (Hex ? HexDigitValue(Raw[J]) >= 0 : IsAsciiDigit(Raw[J]))) {
        Code = std::min<std::uint32_t>(Code * (Hex ? 16 : 10) + std::uint32_t(HexDigitValue(Raw[J])), 0x110000);
        ++J;
      }
      if (J < N && Raw[J] == ';')
        ++J;
      Emit(Out, Code, true, CodePage);
      I = J;
    } else if (I < N && IsAsciiLetter(Raw[I])) {
      std::size_t End = I;
      while (End < N && End - I < 11 && (IsAsciiLetter(Raw[End]) || IsAsciiDigit(Raw[End])))
        ++End;
      const int Code = EntityCode(Raw.substr(I, End - I));
      const bool Semicolon = End < N && Raw[End] == ';';
      if (Code >= 0 && (Semicolon || Code < 256)) {
        Emit(Out, std::uint32_t(Code), false, CodePage);
        I = End + (Semicolon ? 1 : 0);
      } else {
        Out.append(Raw.substr(Start, End - Start));
        I = End;
      }
    } else {
      Out += '&';
    }
  }
}

int ClampAttributeValue(BYTE Sy, int Value)
{
  switch (Sy) {
  case ColSpanSy:
    return std::min(Value, 1000);
  case RowSpanSy:
    return std::min(Value, 65534);
  case WidthSy:
  case HeightSy:
  case HSpaceSy:
  case VSpaceSy:
  case BorderSy:
  case CellPaddingSy:
  case CellSpacingSy:
  case SizeSy:
  case ColsSy:
  case RowsSy:
    return std::clamp(Value, -32767, 32767);
  default:
    return Value;
  }
}
