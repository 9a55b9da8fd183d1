// Floating-point numbers to and from text, with the locale's decimal
// separator (a comma in the French settings).
#pragma once

#include <string>
#include <string_view>

#include "platform/base/FormatSettings.h"

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// Precision counts significant digits (at most 17 are meaningful for a double);
// Digits is the minimum of exponent digits (ffGeneral, ffExponent) or the
// number of decimals (ffFixed, ffNumber, ffCurrency). "NAN", "INF" and "-INF"
// stand for the special values.
std::string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits,
                        const TFormatSettings& Settings = FormatSettings);
// General format with 15 significant digits: 1.5 -> "1,5", 1E20 -> "1E20".
std::string FloatToStr(double Value, const TFormatSettings& Settings = FormatSettings);
// A picture of "0", "#", ".", ",", "E+0", quoted text and up to three sections
// (positive;negative;zero): FormatFloat("#,##0.00", 1234.5) -> "1 234,50".
std::string FormatFloat(std::string_view Format, double Value, const TFormatSettings& Settings = FormatSettings);

// Blanks around, a sign, digits with the decimal separator, an exponent.
// StrToFloat raises EConvertError for anything else.
double StrToFloat(std::string_view S, const TFormatSettings& Settings = FormatSettings);
bool TryStrToFloat(std::string_view S, double& Value, const TFormatSettings& Settings = FormatSettings);
double StrToFloatDef(std::string_view S, double Default, const TFormatSettings& Settings = FormatSettings);
