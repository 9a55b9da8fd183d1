// Conversions of style text: lengths to pixels, font sizes to points, the
// keyword enumerations, url() references and font family lists.
#pragma once

#include <string>
#include <string_view>

#include "controls/html/styles/BackgroundPosition.h"
#include "controls/html/styles/PropValue.h"

class THtmlFontService;

enum TAlignmentStyle { aNone, aTop, aMiddle, aBaseline, aBottom, aLeft, aRight, aJustify, aSub, aSuper };
enum TClearAttrType { clrNone, clLeft, clRight, clAll };
enum TPositionType { posStatic, posAbsolute, posRelative };
enum TVisibilityType { viHidden = 1, viVisible = 2 };
enum TTextTransformType { txNone, txUpper, txLower };
enum TCssBorderStyle { bssNone, bssSolid, bssInset, bssOutset, bssGroove, bssRidge, bssDashed, bssDotted, bssDouble };

// The default point size of the document, stored when the default style
// sheet is built; the reference of the font-size keywords.
double DefPointSize();
void SetDefPointSize(double Size);

// A length in whole pixels: in, cm, mm, pt, px, pc, em, ex and % (of Base); a
// bare number is Base times it when Relative, else pixels; any other unit
// gives Default. The absolute units convert at PixelsPerInch. The number is the longest numeric prefix (cut before the
// first "e", so that "2em" reads 2 em).
int LengthConv(std::string_view S, bool Relative, int Base, int EmSize, int ExSize, int PixelsPerInch, int Default);
// A font size in points against the parent's OldSize: the units above, the
// keywords smaller and larger, and xx-small to xx-large from the default size;
// pixels and bare numbers convert at PixelsPerInch.
// The result lies between 0 and MaxFontPoints (sizes relative to their parent
// would otherwise grow without end through nested elements).
double FontSizeConv(std::string_view S, double OldSize, int PixelsPerInch);
inline constexpr double MaxFontPoints = 10000;
// A size in points brought into 0 .. MaxFontPoints (a value that is no number
// becomes the default size).
double BoundFontPoints(double Size);

TAlignmentStyle AlignmentFromString(std::string_view S);
TCssBorderStyle BorderStyleFromString(std::string_view S);
// The reference inside "url(...)", without one pair of quotes; empty when the
// value is not a string holding "url(".
std::string ReadURL(const TPropValue& V);
// The first face of a comma-separated family list that Fonts has installed,
// generic families mapped to faces; false (Name unchanged) when none is.
bool ReadFontName(const THtmlFontService& Fonts, std::string_view List, std::string& Name);
