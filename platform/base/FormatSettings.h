// The locale settings of number and date formatting. The process runs with
// the French settings: decimal comma, "dd/mm/yyyy" dates and "hh:nn:ss" times,
// French day and month names.
#pragma once

#include <string>

struct TFormatSettings {
  // Currency: 3 is "1 €", 8 is "-1 €" (the number, a space and the symbol).
  unsigned char CurrencyFormat = 3;
  unsigned char NegCurrFormat = 8;
  std::string ThousandSeparator = "\xC2\xA0";  // a no-break space
  char DecimalSeparator = ',';
  unsigned char CurrencyDecimals = 2;
  char DateSeparator = '/';
  char TimeSeparator = ':';
  char ListSeparator = ';';
  std::string CurrencyString = "€";
  std::string ShortDateFormat = "dd/mm/yyyy";
  std::string LongDateFormat = "dddd d mmmm yyyy";
  std::string TimeAMString;
  std::string TimePMString;
  std::string ShortTimeFormat = "hh:nn";
  std::string LongTimeFormat = "hh:nn:ss";
  std::string ShortMonthNames[12] = {"janv.", "févr.", "mars", "avr.", "mai", "juin",
                                     "juil.", "août", "sept.", "oct.", "nov.", "déc."};
  std::string LongMonthNames[12] = {"janvier", "février", "mars",      "avril",   "mai",      "juin",
                                    "juillet", "août",    "septembre", "octobre", "novembre", "décembre"};
  std::string ShortDayNames[7] = {"dim.", "lun.", "mar.", "mer.", "jeu.", "ven.", "sam."};
  std::string LongDayNames[7] = {"dimanche", "lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi"};
  int TwoDigitYearCenturyWindow = 50;
};

// The process's settings, read by every routine that takes none.
extern TFormatSettings FormatSettings;
