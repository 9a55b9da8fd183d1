// Dates and times as text, in the locale's forms (French by default).
//
// FormatDateTime specifiers (letters in either case): c (short date, then the
// long time unless the time is exactly midnight), d dd (day), ddd dddd (short
// and long day name), ddddd dddddd (short and long date), m mm (month, or
// minutes right after an hour), mmm mmmm (month names), yy yyyy, h hh (12-hour
// when an am/pm specifier follows), n nn, s ss, z zzz, t tt (short and long
// time), am/pm a/p ampm, "/" and ":" (the locale's separators), and text
// between single or double quotes.
#pragma once

#include <string>
#include <string_view>

#include "platform/base/DateTime.h"
#include "platform/base/FormatSettings.h"

std::string FormatDateTime(std::string_view Format, TDateTime DateTime,
                           const TFormatSettings& Settings = FormatSettings);
// "dd/mm/yyyy hh:nn:ss", the time left out at exactly midnight.
std::string DateTimeToStr(TDateTime DateTime, const TFormatSettings& Settings = FormatSettings);
std::string DateToStr(TDateTime Date, const TFormatSettings& Settings = FormatSettings);
std::string TimeToStr(TDateTime Time, const TFormatSettings& Settings = FormatSettings);
