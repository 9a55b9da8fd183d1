#include "controls/html/text/TextMeasure.h"

#include <vector>

int TextWidth(const THtmlFontService& Fonts, const THtmlFontDesc& Font, const char16_t* Text, int Count)
{
  if (Count <= 0)
    return 0;
  std::vector<int> Extents(std::size_t(Count), 0);
  Fonts.TextExtents(Font, Text, Count, Extents.data());
  return Extents.back();
}

int FitText(const THtmlFontService& Fonts, const THtmlFontDesc& Font, const char16_t* Text, int Count,
            int MaxWidth, int& Width)
{
  Width = 0;
  if (MaxWidth <= 0 || Count <= 0)
    return 0;
  std::vector<int> Extents(std::size_t(Count), 0);
  Fonts.TextExtents(Font, Text, Count, Extents.data());
  int Fit = 0;
  while (Fit < Count && Extents[std::size_t(Fit)] <= MaxWidth)
    ++Fit;
  Width = Fit > 0 ? Extents[std::size_t(Fit - 1)] : 0;
  return Fit;
}
