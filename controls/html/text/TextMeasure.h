// Measuring wide text in a font through the font metrics of the screen.
#pragma once

#include "controls/html/text/FontMetrics.h"

// The width of the first Count characters of Text.
int TextWidth(const THtmlFontMetrics& Metrics, const THtmlFontDesc& Font, const char16_t* Text, int Count);
// How many of the first Count characters fit in MaxWidth, and their width in
// Width; 0 and 0 when MaxWidth is not positive or Count is 0.
int FitText(const THtmlFontMetrics& Metrics, const THtmlFontDesc& Font, const char16_t* Text, int Count,
            int MaxWidth, int& Width);
