#include "platform/base/DateTimeFormat.h"

#include <cctype>

namespace {

struct Parts {
  WORD Year, Month, Day, Hour, Min, Sec, MSec;
  int WeekDay;  // 1 Sunday .. 7 Saturday
};

std::string Pad(int value, int width)
{
  std::string digits = std::to_string(value);
  if (int(digits.size()) < width)
    digits.insert(0, std::size_t(width) - digits.size(), '0');
  return digits;
}

bool StartsWithNoCase(std::string_view text, std::size_t at, std::string_view word)
{
  if (text.size() - at < word.size())
    return false;
  for (std::size_t i = 0; i < word.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[at + i])) != word[i])
      return false;
  return true;
}

// Whether an am/pm specifier follows position `at` (outside quoted text).
bool TwelveHourClock(std::string_view f, std::size_t at)
{
  for (std::size_t i = at; i < f.size(); ++i) {
    char c = f[i];
    if (c == '\'' || c == '"') {
      std::size_t end = f.find(c, i + 1);
      if (end == std::string_view::npos)
        return false;
      i = end;
    } else if (StartsWithNoCase(f, i, "am/pm") || StartsWithNoCase(f, i, "a/p") || StartsWithNoCase(f, i, "ampm")) {
      return true;
    }
  }
  return false;
}

class DateWriter {
public:
  DateWriter(const Parts& p, const TFormatSettings& fs) : P(p), FS(fs) {}

  void Append(std::string_view f, int depth)
  {
    // Nested formats (c, ddddd, t) are followed twice at most, so a setting
    // that names itself cannot recurse forever.
    if (depth > 2)
      return;
    char lastToken = ' ';
    std::size_t i = 0;
    while (i < f.size()) {
      char starter = f[i];
      char token = char(std::toupper(static_cast<unsigned char>(starter)));
      if (token >= 'A' && token <= 'Z') {
        if (token == 'M' && lastToken == 'H')
          token = 'N';
        lastToken = token;
      }
      std::size_t count = 1;
      auto countRun = [&] {
        while (i + count < f.size() && std::toupper(static_cast<unsigned char>(f[i + count])) ==
                                            std::toupper(static_cast<unsigned char>(starter)))
          ++count;
      };
      switch (token) {
      case 'Y':
        countRun();
        Out += count <= 2 ? Pad(P.Year % 100, 2) : Pad(P.Year, 4);
        break;
      case 'M':
        countRun();
        if (count == 1)
          Out += std::to_string(P.Month);
        else if (count == 2)
          Out += Pad(P.Month, 2);
        else if (P.Month >= 1 && P.Month <= 12)
          Out += count == 3 ? FS.ShortMonthNames[P.Month - 1] : FS.LongMonthNames[P.Month - 1];
        break;
      case 'D':
        countRun();
        if (count == 1)
          Out += std::to_string(P.Day);
        else if (count == 2)
          Out += Pad(P.Day, 2);
        else if (count == 3)
          Out += P.WeekDay ? FS.ShortDayNames[P.WeekDay - 1] : std::string();
        else if (count == 4)
          Out += P.WeekDay ? FS.LongDayNames[P.WeekDay - 1] : std::string();
        else if (count == 5)
          Append(FS.ShortDateFormat, depth + 1);
        else
          Append(FS.LongDateFormat, depth + 1);
        break;
      case 'H': {
        countRun();
        int hour = P.Hour;
        if (TwelveHourClock(f, i + count)) {
          hour %= 12;
          if (hour == 0)
            hour = 12;
        }
        Out += count == 1 ? std::to_string(hour) : Pad(hour, 2);
        break;
      }
      case 'N':
        countRun();
        Out += count == 1 ? std::to_string(P.Min) : Pad(P.Min, 2);
        break;
      case 'S':
        countRun();
        Out += count == 1 ? std::to_string(P.Sec) : Pad(P.Sec, 2);
        break;
      case 'Z':
        countRun();
        Out += count < 3 ? std::to_string(P.MSec) : Pad(P.MSec, 3);
        break;
      case 'T':
        countRun();
        Append(count == 1 ? FS.ShortTimeFormat : FS.LongTimeFormat, depth + 1);
        break;
      case 'C':
        countRun();
        Append(FS.ShortDateFormat, depth + 1);
        if (P.Hour != 0 || P.Min != 0 || P.Sec != 0) {
          Out += ' ';
          Append(FS.LongTimeFormat, depth + 1);
        }
        break;
      case 'A':
        if (StartsWithNoCase(f, i, "am/pm")) {
          Out += P.Hour >= 12 ? f.substr(i + 3, 2) : f.substr(i, 2);
          count = 5;
        } else if (StartsWithNoCase(f, i, "a/p")) {
          Out += P.Hour >= 12 ? f[i + 2] : f[i];
          count = 3;
        } else if (StartsWithNoCase(f, i, "ampm")) {
          Out += P.Hour >= 12 ? FS.TimePMString : FS.TimeAMString;
          count = 4;
        } else {
          Out += starter;
        }
        break;
      case '/':
        Out += FS.DateSeparator;
        break;
      case ':':
        Out += FS.TimeSeparator;
        break;
      case '\'':
      case '"': {
        std::size_t end = f.find(starter, i + 1);
        if (end == std::string_view::npos)
          end = f.size();
        Out += f.substr(i + 1, end - i - 1);
        count = end < f.size() ? end - i + 1 : end - i;
        break;
      }
      default:
        Out += starter;
        break;
      }
      i += count;
    }
  }

  std::string Out;

private:
  const Parts& P;
  const TFormatSettings& FS;
};

}  // namespace

std::string FormatDateTime(std::string_view Format, TDateTime DateTime, const TFormatSettings& Settings)
{
  Parts p{};
  DecodeDateTime(DateTime, p.Year, p.Month, p.Day, p.Hour, p.Min, p.Sec, p.MSec);
  p.WeekDay = p.Year ? DayOfWeek(DateTime) : 0;
  DateWriter writer(p, Settings);
  writer.Append(Format.empty() ? std::string_view("c") : Format, 0);
  return writer.Out;
}

std::string DateTimeToStr(TDateTime DateTime, const TFormatSettings& Settings)
{
  return FormatDateTime("c", DateTime, Settings);
}

std::string DateToStr(TDateTime Date, const TFormatSettings& Settings)
{
  return FormatDateTime("ddddd", Date, Settings);
}

std::string TimeToStr(TDateTime Time, const TFormatSettings& Settings)
{
  return FormatDateTime("tt", Time, Settings);
}
