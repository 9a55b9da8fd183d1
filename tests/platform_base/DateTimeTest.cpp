#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "platform/base/DateTime.h"
#include "platform/base/DateTimeFormat.h"
#include "platform/base/Exception.h"
#include "platform/base/VirtualClock.h"

TEST(DateTime, EncodesDaysFromTheEpochOf1899)
{
  struct Case {
    WORD y, m, d;
    double value;
  } cases[] = {{1899, 12, 30, 0}, {1900, 1, 1, 2}, {1899, 12, 29, -1}, {2000, 2, 29, 36585},
               {1970, 1, 1, 25569}, {1, 1, 1, -693593}, {9999, 12, 31, 2958465}};
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.value) << c.y << "-" << c.m << "-" << c.d;
    WORD y, m, d;
    DecodeDate(c.value, y, m, d);
    EXPECT_EQ(y, c.y);
    EXPECT_EQ(m, c.m);
    EXPECT_EQ(d, c.d);
  }
}

TEST(DateTime, BadValuesRaiseConvertErrors)
{
  struct Case {
    WORD y, m, d;
  } dates[] = {{2001, 2, 29}, {1900, 2, 29}, {2000, 13, 1}, {2000, 0, 1}, {2000, 1, 0}, {0, 1, 1}, {10000, 1, 1},
               {2000, 4, 31}};
  for (const auto& c : dates)
    EXPECT_THROW(EncodeDate(c.y, c.m, c.d), EConvertError) << c.y << "-" << c.m << "-" << c.d;
  struct Time {
    WORD h, n, s, ms;
  } times[] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}};
  for (const auto& t : times)
    EXPECT_THROW(EncodeTime(t.h, t.n, t.s, t.ms), EConvertError);
  try {
    EncodeDate(2001, 2, 29);
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Argument d'encodage de date incorrect");
  }
}

TEST(DateTime, DecodesTimesAndCarriesRoundingIntoTheNextDay)
{
  WORD y, m, d, h, n, s, ms;
  DecodeDateTime(EncodeDate(2026, 12, 8) + EncodeTime(23, 31, 19, 250), y, m, d, h, n, s, ms);
  EXPECT_EQ((std::array<int, 7>{y, m, d, h, n, s, ms}), (std::array<int, 7>{2026, 12, 8, 23, 31, 19, 250}));
  // Less than half a millisecond before midnight: the next day at 00:00, not hour 24.
  DecodeDateTime(EncodeDate(2026, 12, 31) + 1 - 1e-9, y, m, d, h, n, s, ms);
  EXPECT_EQ((std::array<int, 7>{y, m, d, h, n, s, ms}), (std::array<int, 7>{2027, 1, 1, 0, 0, 0, 0}));
  // A negative value: the whole part counts the day, the fraction the time.
  DecodeDateTime(-1.25, y, m, d, h, n, s, ms);
  EXPECT_EQ((std::array<int, 5>{y, m, d, h, n}), (std::array<int, 5>{1899, 12, 29, 6, 0}));
  EXPECT_EQ(DayOfWeek(0), 7);  // 30 December 1899 was a Saturday
  EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 6)), 1);
}

TEST(DateTime, DateTimeToStrLeavesOutMidnight)
{
  TDateTime day = EncodeDate(2026, 12, 8);
  EXPECT_EQ(DateTimeToStr(day + EncodeTime(23, 31, 19, 0)), "08/12/2026 23:31:19");
  EXPECT_EQ(DateTimeToStr(day), "08/12/2026");
  EXPECT_EQ(DateTimeToStr(day + EncodeTime(0, 0, 0, 400)), "08/12/2026");  // milliseconds do not count
  EXPECT_EQ(DateTimeToStr(day + EncodeTime(0, 0, 1, 0)), "08/12/2026 00:00:01");
  EXPECT_EQ(DateToStr(day + 0.5), "08/12/2026");
  EXPECT_EQ(TimeToStr(day + EncodeTime(7, 5, 3, 0)), "07:05:03");
}

TEST(DateTime, FormatDateTimeSpecifiers)
{
  TDateTime t = EncodeDate(2026, 2, 5) + EncodeTime(7, 4, 9, 45);  // a Thursday
  struct Case {
    const char* format;
    const char* expected;
  } cases[] = {
      {"d dd ddd dddd", "5 05 jeu. jeudi"},
      {"m mm mmm mmmm", "2 02 févr. février"},
      {"yy yyyy y", "26 2026 26"},
      {"h hh n nn s ss z zzz", "7 07 4 04 9 09 45 045"},
      {"hh:mm", "07:04"},          // m right after an hour is minutes
      {"hh' h 'mm", "07 h 04"},    // ... even with quoted text between
      {"mm/dd", "02/05"},
      {"h:nn am/pm", "7:04 am"},
      {"h:nn AM/PM", "7:04 AM"},
      {"h a/p", "7 a"},
      {"ddddd", "05/02/2026"},
      {"dddddd", "jeudi 5 février 2026"},
      {"t|tt", "07:04|07:04:09"},
      {"c", "05/02/2026 07:04:09"},
      {"'le' d \"à\" hh", "le 5 à 07"},
      {"'unclosed", "unclosed"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatDateTime(c.format, t), c.expected) << c.format;
  TDateTime evening = EncodeDate(2026, 2, 5) + EncodeTime(12, 30, 0, 0);
  EXPECT_EQ(FormatDateTime("hh:nn am/pm", evening), "12:30 pm");
  EXPECT_EQ(FormatDateTime("h am/pm", EncodeDate(2026, 2, 5)), "12 am");
}

TEST(DateTime, NowFollowsTheVirtualClock)
{
  EnableVirtualClock();
  SYSTEMTIME local{2026, 12, 2, 8, 23, 31, 19, 0};
  SetVirtualLocalTime(local);
  EXPECT_EQ(DateTimeToStr(Now()), "08/12/2026 23:31:19");
  AdvanceVirtualClock(41 * 1000);
  EXPECT_EQ(DateTimeToStr(Now()), "08/12/2026 23:32:00");
  EXPECT_EQ(Date(), EncodeDate(2026, 12, 8));
  EXPECT_NEAR(Time(), EncodeTime(23, 32, 0, 0), 1e-9);
  DisableVirtualClock();
}
