// The class library's colour constants and colour names. A TColor is an RGB
// value 0x00BBGGRR, or 0xFF000000 plus a system colour index (SysColors.h),
// or clNone (0x1FFFFFFF: nothing is drawn) or clDefault (0x20000000); a value
// with 0x02000000 set is palette-relative.
#pragma once

#include <string>

#include "platform/base/Types.h"
#include "platform/classes/typinfo/TypInfo.h"
#include "platform/win/gdi/SysColors.h"

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clLtGray = 0xC0C0C0,
                 clDkGray = 0x808080, clWhite = 0xFFFFFF, clMoneyGreen = 0xC0DCC0, clSkyBlue = 0xF0CAA6,
                 clCream = 0xF0FBFF, clMedGray = 0xA4A0A0;

// "clRed", "clBtnFace", ... (case ignored when read).
bool ColorToIdent(std::int32_t Color, std::string& Ident);
bool IdentToColor(const std::string& Ident, std::int32_t& Color);
// The name, or "$" and eight hexadecimal digits ("$00FF8000").
std::string ColorToString(TColor Color);
// A name or a number ("$FF8000", "255"); EConvertError otherwise.
TColor StringToColor(const std::string& S);
// The descriptor of the TColor type, whose values read and write as colour
// names through the type information's integer identifiers.
PTypeInfo TColorTypeInfo();
