#include "controls/html/text/CodePageText.h"

#include <cstdint>
#include <cstring>

#include "platform/base/CodePage.h"

namespace {

UINT Effective(UINT CodePage)
{
  if (CodePage == CP_ACP || CodePage == CP_THREAD_ACP)
    return GetACP();
  if (CodePage == CP_OEMCP)
    return GetOEMCP();
  return CodePage;
}

void AppendUtf8WithPositions(std::string_view Bytes, const int* BytePositions, std::u16string& Chars,
                             std::vector<int>& Positions)
{
  std::size_t At = 0;
  while (At < Bytes.size()) {
    const int Position = BytePositions[At];
    const unsigned char Lead = static_cast<unsigned char>(Bytes[At]);
    if (Lead < 0x80) {
      // A run of ASCII goes over in one piece: one character per byte.
      std::size_t End = At + 1;
      // Eight bytes at a time while none has its top bit set.
      while (End + 8 <= Bytes.size()) {
        std::uint64_t Word;
        std::memcpy(&Word, Bytes.data() + End, 8);
        if ((Word & 0x8080808080808080u) != 0)
          break;
        End += 8;
      }
      while (End < Bytes.size() && static_cast<unsigned char>(Bytes[End]) < 0x80)
        ++End;
      const std::size_t Old = Chars.size();
      Chars.resize(Old + (End - At));
      for (std::size_t I = At; I < End; ++I)
        Chars[Old + (I - At)] = char16_t(static_cast<unsigned char>(Bytes[I]));
      Positions.insert(Positions.end(), BytePositions + At, BytePositions + End);
      At = End;
      continue;
    }
    char32_t C = DecodeUtf8Char(Bytes, At);
    std::size_t Before = Chars.size();
    AppendUtf16(Chars, C);
    Positions.insert(Positions.end(), Chars.size() - Before, Position);
  }
}

// Converts one character at a time, so that each wide character is tied to
// the bytes it came from.
void AppendByCharacter(std::string_view Bytes, const int* BytePositions, UINT CodePage, std::u16string& Chars,
                       std::vector<int>& Positions)
{
  std::size_t At = 0;
  while (At < Bytes.size()) {
    std::size_t Length = 1;
    if (IsDBCSLeadByteEx(CodePage, BYTE(Bytes[At])) && At + 1 < Bytes.size())
      Length = 2;
    std::u16string Piece = CodePageToWide(CodePage, Bytes.substr(At, Length));
    Chars += Piece;
    Positions.insert(Positions.end(), Piece.size(), BytePositions[At]);
    At += Length;
  }
}

}  // namespace

bool IsMultiByteCodePage(UINT CodePage)
{
  const UINT Page = Effective(CodePage);
  switch (Page) {
  case CP_UTF8:
  case 932:
  case 936:
  case 949:
  case 950:
  case 1361:
  case 20932:
    return true;
  default:
    return false;
  }
}

std::u16string MultibyteToWideString(UINT CodePage, std::string_view Text)
{
  const UINT Page = Effective(CodePage);
  if (Page == CP_UTF8)
    return UTF8Decode(Text);
  bool Known = false;
  std::u16string Result = CodePageToWide(Page, Text, &Known);
  if (!Known || (Result.empty() && !Text.empty()))
    return UTF8Decode(Text);
  return Result;
}

std::string WideStringToMultibyte(UINT CodePage, std::u16string_view Text)
{
  const UINT Page = Effective(CodePage);
  if (Page == CP_UTF8)
    return UTF8Encode(Text);
  bool Known = false;
  std::string Result = WideToCodePage(Page, Text, &Known);
  if (!Known || (Result.empty() && !Text.empty()))
    return UTF8Encode(Text);
  return Result;
}

void AppendConverted(std::string_view Bytes, const int* BytePositions, UINT CodePage, std::u16string& Chars,
                     std::vector<int>& Positions)
{
  UINT Page = Effective(CodePage);
  if (Page != CP_UTF8) {
    bool Known = false;
    std::u16string Whole = CodePageToWide(Page, Bytes, &Known);
    if (Known && !(Whole.empty() && !Bytes.empty())) {
      if (Whole.size() == Bytes.size()) {
        Chars += Whole;
        Positions.insert(Positions.end(), BytePositions, BytePositions + Bytes.size());
      } else {
        AppendByCharacter(Bytes, BytePositions, Page, Chars, Positions);
      }
      return;
    }
    Page = CP_UTF8;  // a page the platform cannot serve reads as the layer's own
  }
  AppendUtf8WithPositions(Bytes, BytePositions, Chars, Positions);
}
