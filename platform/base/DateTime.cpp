#include "platform/base/DateTime.h"

#include <cmath>

#include "platform/base/Exception.h"
#include "platform/base/SysConsts.h"
#include "platform/base/Clock.h"

namespace {

constexpr WORD MonthDays[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                   {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

// Days since 1 January of year 1 (day 1) and milliseconds of the day.
struct Stamp {
  long long Days = 0;
  long long MSecs = 0;
};

Stamp ToStamp(TDateTime value)
{
  // The whole part counts days toward zero; the fraction's magnitude is the time.
  double whole = std::trunc(value);
  Stamp s;
  s.Days = DateDelta + (long long)whole;
  s.MSecs = std::llround(std::fabs(value - whole) * MSecsPerDay);
  if (s.MSecs >= MSecsPerDay) {
    // Rounding reached the next midnight: it belongs to the next day.
    s.MSecs -= MSecsPerDay;
    s.Days += value < 0 ? -1 : 1;
  }
  return s;
}

void DaysToDate(long long days, WORD& year, WORD& month, WORD& day)
{
  if (days <= 0 || days > 3652059) {  // outside 1 January 1 .. 31 December 9999
    year = month = day = 0;
    return;
  }
  long long t = days - 1;
  long long y = 1;
  long long n400 = t / 146097;
  t %= 146097;
  long long n100 = t / 36524;
  t %= 36524;
  if (n100 == 4) {
    n100 = 3;
    t += 36524;
  }
  long long n4 = t / 1461;
  t %= 1461;
  long long n1 = t / 365;
  t %= 365;
  if (n1 == 4) {
    n1 = 3;
    t += 365;
  }
  y += n400 * 400 + n100 * 100 + n4 * 4 + n1;
  const WORD* table = MonthDays[IsLeapYear(WORD(y)) ? 1 : 0];
  int m = 0;
  while (t >= table[m]) {
    t -= table[m];
    ++m;
  }
  year = WORD(y);
  month = WORD(m + 1);
  day = WORD(t + 1);
}

}  // namespace

bool IsLeapYear(WORD Year) { return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0); }

WORD DaysInAMonth(WORD Year, WORD Month)
{
  if (Month < 1 || Month > 12)
    return 0;
  return MonthDays[IsLeapYear(Year) ? 1 : 0][Month - 1];
}

bool TryEncodeDate(WORD Year, WORD Month, WORD Day, TDateTime& Date)
{
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInAMonth(Year, Month))
    return false;
  const WORD* table = MonthDays[IsLeapYear(Year) ? 1 : 0];
  long long days = Day;
  for (int m = 0; m < Month - 1; ++m)
    days += table[m];
  long long y = Year - 1;
  days += y * 365 + y / 4 - y / 100 + y / 400;
  Date = double(days - DateDelta);
  return true;
}

bool TryEncodeTime(WORD Hour, WORD Min, WORD Sec, WORD MSec, TDateTime& Time)
{
  if (Hour >= HoursPerDay || Min >= 60 || Sec >= 60 || MSec >= 1000)
    return false;
  Time = double(((Hour * 60 + Min) * 60 + Sec) * 1000 + MSec) / MSecsPerDay;
  return true;
}

TDateTime EncodeDate(WORD Year, WORD Month, WORD Day)
{
  TDateTime d = 0;
  if (!TryEncodeDate(Year, Month, Day, d))
    throw EConvertError(SDateEncodeError);
  return d;
}

TDateTime EncodeTime(WORD Hour, WORD Min, WORD Sec, WORD MSec)
{
  TDateTime t = 0;
  if (!TryEncodeTime(Hour, Min, Sec, MSec, t))
    throw EConvertError(STimeEncodeError);
  return t;
}

void DecodeDateTime(TDateTime Value, WORD& Year, WORD& Month, WORD& Day, WORD& Hour, WORD& Min, WORD& Sec,
                    WORD& MSec)
{
  if (!std::isfinite(Value) || std::fabs(Value) > 3.0e6) {
    Year = Month = Day = Hour = Min = Sec = MSec = 0;
    return;
  }
  Stamp s = ToStamp(Value);
  DaysToDate(s.Days, Year, Month, Day);
  long long ms = s.MSecs;
  Hour = WORD(ms / 3600000);
  Min = WORD(ms / 60000 % 60);
  Sec = WORD(ms / 1000 % 60);
  MSec = WORD(ms % 1000);
}

void DecodeDate(TDateTime Date, WORD& Year, WORD& Month, WORD& Day)
{
  WORD h, n, s, z;
  DecodeDateTime(Date, Year, Month, Day, h, n, s, z);
}

void DecodeTime(TDateTime Time, WORD& Hour, WORD& Min, WORD& Sec, WORD& MSec)
{
  WORD y, m, d;
  DecodeDateTime(Time, y, m, d, Hour, Min, Sec, MSec);
}

int DayOfWeek(TDateTime Date)
{
  if (!std::isfinite(Date) || std::fabs(Date) > 3.0e6)
    return 0;
  long long days = DateDelta + (long long)std::trunc(Date);
  return int(((days % 7) + 7) % 7) + 1;
}

TDateTime Now()
{
  // The layer's clock, so a test on the virtual clock sees its own time.
  SYSTEMTIME t{};
  GetLocalTime(&t);
  TDateTime date = 0, time = 0;
  TryEncodeDate(t.wYear, t.wMonth, t.wDay, date);
  TryEncodeTime(t.wHour, t.wMinute, t.wSecond, t.wMilliseconds, time);
  return date + time;
}

TDateTime Date() { return std::trunc(Now()); }
TDateTime Time()
{
  TDateTime now = Now();
  return now - std::trunc(now);
}
