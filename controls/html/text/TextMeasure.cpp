#include "controls/html/text/TextMeasure.h"

#include <vector>

namespace {

// The extents of one measurement. Layout measures every run of every line;
// a buffer kept from call to call spares it an allocation each time, which
// on a large document's fragmented heap costs more than the measuring.
int* ScratchExtents(int Count)
{
  thread_local std::vector<int> Extents;
  if (Extents.size() < std::size_t(Count))
    Extents.resize(std::size_t(Count));
  return Extents.data();
}

}  // namespace

int TextWidth(const THtmlFontService& Fonts, const THtmlFontDesc& Font, const char16_t* Text, int Count)
{
  if (Count <= 0)
    return 0;
  int* Extents = ScratchExtents(Count);
  Fonts.TextExtents(Font, Text, Count, Extents);
  return Extents[Count - 1];
}

int FitText(const THtmlFontService& Fonts, const THtmlFontDesc& Font, const char16_t* Text, int Count,
            int MaxWidth, int& Width)
{
  Width = 0;
  if (MaxWidth <= 0 || Count <= 0)
    return 0;
  int* Extents = ScratchExtents(Count);
  Fonts.TextExtents(Font, Text, Count, Extents);
  int Fit = 0;
  while (Fit < Count && Extents[Fit] <= MaxWidth)
    ++Fit;
  Width = Fit > 0 ? Extents[Fit - 1] : 0;
  return Fit;
}
