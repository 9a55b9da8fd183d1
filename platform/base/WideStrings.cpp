#include "platform/base/WideStrings.h"

#include "platform/base/CaseMap.h"
#include "platform/base/detail/Collation.h"

namespace {

std::u32string CodePoints(std::u16string_view s)
{
  std::u32string r;
  r.reserve(s.size());
  for (std::size_t pos = 0; pos < s.size();) {
    std::size_t start = pos;
    bool valid = false;
    char32_t c = DecodeUtf16Char(s, pos, &valid);
    r += valid ? c : char32_t(0x110000 + s[start]);
  }
  return r;
}

}  // namespace

WideString WideUpperCase(std::u16string_view S)
{
  WideString r(S);
  CharUpperBuffW(r.data(), DWORD(r.size()));
  return r;
}

WideString WideLowerCase(std::u16string_view S)
{
  WideString r(S);
  CharLowerBuffW(r.data(), DWORD(r.size()));
  return r;
}

int WideCompareStr(std::u16string_view S1, std::u16string_view S2)
{
  int r = S1.compare(S2);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int WideCompareText(std::u16string_view S1, std::u16string_view S2)
{
  return corvane::detail::Collate(CodePoints(S1), CodePoints(S2), true);
}

bool WideSameStr(std::u16string_view S1, std::u16string_view S2) { return S1 == S2; }
bool WideSameText(std::u16string_view S1, std::u16string_view S2) { return WideCompareText(S1, S2) == 0; }
