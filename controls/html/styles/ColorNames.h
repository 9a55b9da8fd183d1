// Colour values of style sheets and attributes: names, "#rgb", "#rrggbb" and
// rgb() forms.
#pragma once

#include <string>
#include <string_view>

#include "platform/base/Types.h"

// The flag that makes a colour palette-relative when drawn.
inline constexpr TColor PaletteRelative = 0x02000000;

// True, with Color, when S reads as a colour: a name of the colour list (as
// stored, no palette flag), hexadecimal digits after "#" (without "#" only
// when NeedPound is false; up to three digits are doubled), or rgb() with
// three values or percentages; the last two forms carry the palette flag.
// Style sheets ask with NeedPound true, BODY and FONT attributes with false.
bool ColorFromString(std::string_view S, bool NeedPound, TColor& Color);

// The number of names in the colour list, and the name at an index (in
// alphabetical order), for dictionaries and tests.
int ColorNameCount();
std::string_view ColorNameAt(int Index);
