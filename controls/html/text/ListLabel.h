// The label of a numbered list item: the number in decimal, a letter or a
// roman numeral, followed by ".".
#pragma once

#include <string>

// List styles as the style property set numbers them (list-style-type).
enum TListStyleType {
  lsBlank, lsCircle, lsDecimal, lsDisc, lsLowerAlpha, lsLowerRoman, lsNone, lsSquare, lsUpperAlpha, lsUpperRoman
};

// Letters count from 1 ("a") and stop at "z"; roman numerals run from 1 to 20
// and larger numbers show "xx". Numbers below 1 have neither a letter nor a
// numeral and are shown in decimal.
std::string ListItemLabel(int Number, TListStyleType Style);
