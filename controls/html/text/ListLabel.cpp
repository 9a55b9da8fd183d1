#include "controls/html/text/ListLabel.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr const char* Romans[20] = {"i",  "ii",  "iii",  "iv", "v",  "vi",  "vii",  "viii",  "ix",  "x",
                                    "xi", "xii", "xiii", "xiv", "xv", "xvi", "xvii", "xviii", "xix", "xx"};

std::string Upper(std::string S)
{
  for (char& C : S)
    C = char(std::toupper(static_cast<unsigned char>(C)));
  return S;
}

}  // namespace

std::string ListItemLabel(int Number, TListStyleType Style)
{
  const bool Alpha = Style == lsLowerAlpha || Style == lsUpperAlpha;
  const bool Roman = Style == lsLowerRoman || Style == lsUpperRoman;
  std::string Label;
  if (Number >= 1 && Alpha)
    Label = std::string(1, char('a' + std::min(Number - 1, 25)));
  else if (Number >= 1 && Roman)
    Label = Romans[std::min(Number, 20) - 1];
  else
    Label = std::to_string(Number);
  if (Style == lsUpperAlpha || Style == lsUpperRoman)
    Label = Upper(Label);
  return Label + ".";
}
