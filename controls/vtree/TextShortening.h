// Shortening a text with "..." to fit a width.
#pragma once

#include <functional>
#include <string>

#include "platform/win/gdi/GdiTypes.h"

// Width of a piece of UTF-16 text in pixels.
using TTextMeasure = std::function<int(const std::u16string&)>;

// The longest prefix (left to right) or suffix (right to left) that fits in
// Width together with the ellipsis; empty when not even the ellipsis fits.
// EllipsisWidth 0 measures "...".
std::u16string ShortenText(const TTextMeasure& Measure, const std::u16string& S, int Width, int EllipsisWidth = 0,
                           bool RightToLeft = false);
// The same, measured with the DC's font.
std::u16string ShortenText(HDC DC, const std::u16string& S, int Width, int EllipsisWidth = 0, bool RightToLeft = false);
