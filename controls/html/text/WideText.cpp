#include "controls/html/text/WideText.h"

int WidePos(std::u16string_view Substr, std::u16string_view Text)
{
  if (Substr.empty() || Substr.size() > Text.size())
    return 0;
  std::size_t At = Text.find(Substr);
  return At == std::u16string_view::npos ? 0 : int(At) + 1;
}

std::size_t WideStrScan(std::u16string_view Text, char16_t Ch)
{
  return Text.find(Ch);
}

std::size_t WideStrRScan(std::u16string_view Text, char16_t Ch)
{
  return Text.rfind(Ch);
}

std::u16string WideTrim(std::u16string_view Text)
{
  std::size_t First = 0;
  std::size_t Last = Text.size();
  while (First < Last && Text[First] < 33)
    ++First;
  while (Last > First && Text[Last - 1] < 33)
    --Last;
  return std::u16string(Text.substr(First, Last - First));
}
