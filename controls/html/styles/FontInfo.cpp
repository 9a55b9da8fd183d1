#include "controls/html/styles/FontInfo.h"

TFontInfoArray::TFontInfoArray()
{
  for (auto& Info : FAr)
    Info = std::make_unique<ThtFontInfo>();
}

void TFontInfoArray::Assign(const TFontInfoArray& Source)
{
  for (int I = 0; I < 4; ++I)
    *FAr[I] = *Source.FAr[I];
}
