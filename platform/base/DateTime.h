// Dates and times: a TDateTime counts days since 30 December 1899 and its
// fraction is the time of day, in local time (-1.25 is 29 December 1899 at
// 06:00: the fraction of a negative value counts forward from midnight).
#pragma once

#include "platform/base/Types.h"

using TDateTime = double;

inline constexpr int HoursPerDay = 24;
inline constexpr int MinsPerDay = HoursPerDay * 60;
inline constexpr int SecsPerDay = MinsPerDay * 60;
inline constexpr int MSecsPerDay = SecsPerDay * 1000;
// Days from 1 January of year 1 to 30 December 1899.
inline constexpr int DateDelta = 693594;

// The local date and time now, read through the layer's clock so that tests
// running on a virtual clock see their own time.
TDateTime Now();
TDateTime Date();
TDateTime Time();

bool IsLeapYear(WORD Year);
// Days of the month (28 to 31).
WORD DaysInAMonth(WORD Year, WORD Month);

// Year 1..9999, month 1..12, day 1..days of the month; EConvertError otherwise.
TDateTime EncodeDate(WORD Year, WORD Month, WORD Day);
// Hour 0..23, minute and second 0..59, milliseconds 0..999; EConvertError otherwise.
TDateTime EncodeTime(WORD Hour, WORD Min, WORD Sec, WORD MSec);
bool TryEncodeDate(WORD Year, WORD Month, WORD Day, TDateTime& Date);
bool TryEncodeTime(WORD Hour, WORD Min, WORD Sec, WORD MSec, TDateTime& Time);
// A value outside year 1 to 9999 decodes as zeros.
void DecodeDate(TDateTime Date, WORD& Year, WORD& Month, WORD& Day);
void DecodeTime(TDateTime Time, WORD& Hour, WORD& Min, WORD& Sec, WORD& MSec);
// Both at once; a time that rounds up to the next midnight moves to the next day.
void DecodeDateTime(TDateTime Value, WORD& Year, WORD& Month, WORD& Day, WORD& Hour, WORD& Min, WORD& Sec,
                    WORD& MSec);

// 1 for Sunday to 7 for Saturday.
int DayOfWeek(TDateTime Date);
