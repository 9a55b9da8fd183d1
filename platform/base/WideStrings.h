// Wide-text (UTF-16) forms of the string routines, for the callers that hold
// wide text (the HTML viewer, wide captions).
#pragma once

#include <string_view>

#include "platform/base/Utf.h"

WideString WideUpperCase(std::u16string_view S);
WideString WideLowerCase(std::u16string_view S);
// Unit order.
int WideCompareStr(std::u16string_view S1, std::u16string_view S2);
// Locale order without case, as AnsiCompareText.
int WideCompareText(std::u16string_view S1, std::u16string_view S2);
bool WideSameStr(std::u16string_view S1, std::u16string_view S2);
bool WideSameText(std::u16string_view S1, std::u16string_view S2);
