// Measuring wide text in a font through a font service.
#pragma once

#include "controls/html/text/FontService.h"

// The width of the first Count characters of Text.
int TextWidth(const THtmlFontService& Fonts, const THtmlFontDesc& Font, const char16_t* Text, int Count);
// How many of the first Count characters fit in MaxWidth, and their width in
// Width; 0 and 0 when MaxWidth is not positive or Count is 0.
int FitText(const THtmlFontService& Fonts, const THtmlFontDesc& Font, const char16_t* Text, int Count,
            int MaxWidth, int& Width);
