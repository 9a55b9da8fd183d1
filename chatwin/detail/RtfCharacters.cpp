#include "chatwin/detail/RtfCharacters.h"

#include <array>

#include "platform/base/CodePage.h"
#include "platform/base/Utf.h"

namespace {

// Pages where one character may take more than one byte.
bool IsMultiByteCodePage(int codePage)
{
  switch (codePage) {
  case 932:
  case 936:
  case 949:
  case 950:
  case 1361:
  case 20932:
  case 50220:
  case 50221:
  case 50222:
  case 51932:
  case 51936:
  case 51949:
  case 52936:
  case 54936:
  case 65000:
  case 65001:
    return true;
  default:
    return false;
  }
}

struct TUpperHalf {
  int CodePage = -1;
  std::array<std::string, 128> Chars;
};

const TUpperHalf& UpperHalfOf(int codePage)
{
  // Messages of one conversation share their page: keep the last table.
  thread_local TUpperHalf table;
  if (table.CodePage != codePage) {
    for (int i = 0; i < 128; ++i) {
      char byte = char(0x80 + i);
      table.Chars[std::size_t(i)] = UTF8Encode(CodePageToWide(UINT(codePage), std::string_view(&byte, 1)));
    }
    table.CodePage = codePage;
  }
  return table;
}

}  // namespace

bool IsKnownCodePage(int CodePage)
{
  return CodePage > 0 && IsValidCodePage(UINT(CodePage));
}

void AppendCodePageText(int CodePage, std::string_view Bytes, std::string& Out)
{
  if (IsMultiByteCodePage(CodePage)) {
    Out += UTF8Encode(CodePageToWide(UINT(CodePage), Bytes));
    return;
  }
  const TUpperHalf& upper = UpperHalfOf(CodePage);
  for (char c : Bytes) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80)
      Out.push_back(c);
    else
      Out += upper.Chars[byte - 0x80];
  }
}

void AppendUtf16Text(std::u16string_view Units, std::string& Out)
{
  Out += UTF8Encode(Units);
}
