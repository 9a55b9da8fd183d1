#include "controls/html/styles/ColorNames.h"

#include <algorithm>
#include <iterator>

#include "controls/html/styles/StyleNumbers.h"
#include "platform/base/HexDigit.h"
#include "platform/base/StringRoutines.h"

namespace {

struct TColorName {
  const char* Name;
  TColor Color;
};

// Alphabetical without case. The system colours are 0xFF000000 plus the
// platform's index; "threedhighlight" is the 3D highlight (20) and
// "threedlightshadow" the 3D light colour (22). "hightlighttext" keeps its
// historical spelling: it is the only name of the highlighted-text colour.
constexpr TColorName ColorList[] = {
    {"activeborder", TColor(0xFF00000A)},
    {"activecaption", TColor(0xFF000002)},
    {"aliceblue", 0x00FFF8F0},
    {"antiquewhite", 0x00D7EBFA},
    {"appworkSpace", TColor(0xFF00000C)},
    {"aqua", 0x00FFFF00},
    {"aquamarine", 0x00D4FF7F},
    {"azure", 0x00FFFFF0},
    {"background", TColor(0xFF000001)},
    {"beige", 0x00DCF5F5},
    {"bisque", 0x00C4E4FF},
    {"black", 0x00000000},
    {"blanchedalmond", 0x00CDEBFF},
    {"blue", 0x00FF0000},
    {"blueviolet", 0x00E22B8A},
    {"brown", 0x002A2AA5},
    {"burlywood", 0x0087B8DE},
    {"buttonface", TColor(0xFF00000F)},
    {"buttonhighlight", TColor(0xFF000014)},
    {"buttonshadow", TColor(0xFF000010)},
    {"buttontext", TColor(0xFF000012)},
    {"cadetblue", 0x00A09E5F},
    {"captiontext", TColor(0xFF000009)},
    {"chartreuse", 0x0000FF7F},
    {"chocolate", 0x001E69D2},
    {"coral", 0x00507FFF},
    {"cornflowerblue", 0x00ED9564},
    {"cornsilk", 0x00DCF8FF},
    {"crimson", 0x003C14DC},
    {"cyan", 0x00FFFF00},
    {"darkblue", 0x008B0000},
    {"darkcyan", 0x008B8B00},
    {"darkgoldenrod", 0x000B86B8},
    {"darkgray", 0x00A9A9A9},
    {"darkgreen", 0x00006400},
    {"darkgrey", 0x00A9A9A9},
    {"darkkhaki", 0x006BB7BD},
    {"darkmagenta", 0x008B008B},
    {"darkolivegreen", 0x002F6B55},
    {"darkorange", 0x00008CFF},
    {"darkorchid", 0x00CC3299},
    {"darkred", 0x0000008B},
    {"darksalmon", 0x007A96E9},
    {"darkseagreen", 0x008FBC8F},
    {"darkslateblue", 0x008B3D48},
    {"darkslategray", 0x004F4F2F},
    {"darkslategrey", 0x004F4F2F},
    {"darkturquoise", 0x00D1CE00},
    {"darkviolet", 0x00D30094},
    {"deeppink", 0x009314FF},
    {"deepskyblue", 0x00FFBF00},
    {"dimgray", 0x00696969},
    {"dimgrey", 0x00696969},
    {"dodgerblue", 0x00FF901E},
    {"firebrick", 0x002222B2},
    {"floralwhite", 0x00F0FAFF},
    {"forestgreen", 0x00228B22},
    {"fuchsia", 0x00FF00FF},
    {"gainsboro", 0x00DCDCDC},
    {"ghostwhite", 0x00FFF8F8},
    {"gold", 0x0000D7FF},
    {"goldenrod", 0x0020A5DA},
    {"gray", 0x00808080},
    {"graytext", TColor(0xFF000011)},
    {"green", 0x00008000},
    {"greenyellow", 0x002FFFAD},
    {"grey", 0x00808080},
    {"highlight", TColor(0xFF00000D)},
    {"hightlighttext", TColor(0xFF00000E)},
    {"honeydew", 0x00F0FFF0},
    {"hotpink", 0x00B469FF},
    {"inactiveborder", TColor(0xFF00000B)},
    {"inactivecaption", TColor(0xFF000003)},
    {"inactivecaptiontext", TColor(0xFF000013)},
    {"indianred", 0x005C5CCD},
    {"indigo", 0x0082004B},
    {"infobackground", TColor(0xFF000018)},
    {"infotext", TColor(0xFF000017)},
    {"ivory", 0x00F0FFFF},
    {"khaki", 0x008CE6F0},
    {"lavender", 0x00FAE6E6},
    {"lavenderblush", 0x00F5F0FF},
    {"lawngreen", 0x0000FC7C},
    {"lemonchiffon", 0x00CDFAFF},
    {"lightblue", 0x00E6D8AD},
    {"lightcoral", 0x008080F0},
    {"lightcyan", 0x00FFFFE0},
    {"lightgoldenrodyellow", 0x00D2FAFA},
    {"lightgray", 0x00D3D3D3},
    {"lightgreen", 0x0090EE90},
    {"lightgrey", 0x00D3D3D3},
    {"lightpink", 0x00C1B6FF},
    {"lightsalmon", 0x007AA0FF},
    {"lightseagreen", 0x00AAB220},
    {"lightskyblue", 0x00FACE87},
    {"lightslategray", 0x00998877},
    {"lightslategrey", 0x00998877},
    {"lightsteelblue", 0x00DEC4B0},
    {"lightyellow", 0x00E0FFFF},
    {"lime", 0x0000FF00},
    {"limegreen", 0x0032CD32},
    {"linen", 0x00E6F0FA},
    {"magenta", 0x00FF00FF},
    {"maroon", 0x00000080},
    {"mediumaquamarine", 0x00AACD66},
    {"mediumblue", 0x00CD0000},
    {"mediumorchid", 0x00D355BA},
    {"mediumpurple", 0x00DB7093},
    {"mediumseagreen", 0x0071B33C},
    {"mediumslateblue", 0x00EE687B},
    {"mediumspringgreen", 0x009AFA00},
    {"mediumturquoise", 0x00CCD148},
    {"mediumvioletred", 0x008515C7},
    {"menu", TColor(0xFF000004)},
    {"menutext", TColor(0xFF000007)},
    {"midnightblue", 0x00701919},
    {"mintcream", 0x00FAFFF5},
    {"mistyrose", 0x00E1E4FF},
    {"moccasin", 0x00B5E4FF},
    {"navajowhite", 0x00ADDEFF},
    {"navy", 0x00800000},
    {"oldlace", 0x00E6F5FD},
    {"olive", 0x00008080},
    {"olivedrab", 0x00238E6B},
    {"orange", 0x0000A5FF},
    {"orangered", 0x000045FF},
    {"orchid", 0x00D670DA},
    {"palegoldenrod", 0x00AAE8EE},
    {"palegreen", 0x0098FB98},
    {"paleturquoise", 0x00EEEEAF},
    {"palevioletred", 0x009370DB},
    {"papayawhip", 0x00D5EFFF},
    {"peachpuff", 0x00B9DAFF},
    {"peru", 0x003F85CD},
    {"pink", 0x00CBC0FF},
    {"plum", 0x00DDA0DD},
    {"powderblue", 0x00E6E0B0},
    {"purple", 0x00800080},
    {"red", 0x000000FF},
    {"rosybrown", 0x008F8FBC},
    {"royalblue", 0x00E16941},
    {"saddlebrown", 0x0013458B},
    {"salmon", 0x007280FA},
    {"sandybrown", 0x0060A4F4},
    {"scrollbar", TColor(0xFF000000)},
    {"seagreen", 0x00578B2E},
    {"seashell", 0x00EEF5FF},
    {"sienna", 0x002D52A0},
    {"silver", 0x00C0C0C0},
    {"skyblue", 0x00EBCE87},
    {"slateblue", 0x00CD5A6A},
    {"slategray", 0x00908070},
    {"slategrey", 0x00908070},
    {"snow", 0x00FAFAFF},
    {"springgreen", 0x007FFF00},
    {"steelblue", 0x00B48246},
    {"tan", 0x008CB4D2},
    {"teal", 0x00808000},
    {"thistle", 0x00D8BFD8},
    {"threeddarkshadow", TColor(0xFF000015)},
    {"threedface", TColor(0xFF00000F)},
    {"threedhighlight", TColor(0xFF000014)},
    {"threedlightshadow", TColor(0xFF000016)},
    {"threedshadow", TColor(0xFF000010)},
    {"tomato", 0x004763FF},
    {"transparent", 0x1FFFFFFF},
    {"turquoise", 0x00D0E040},
    {"violet", 0x00EE82EE},
    {"wheat", 0x00B3DEF5},
    {"white", 0x00FFFFFF},
    {"whitesmoke", 0x00F5F5F5},
    {"window", TColor(0xFF000005)},
    {"windowframe", TColor(0xFF000006)},
    {"windowtext", TColor(0xFF000008)},
    {"yellow", 0x0000FFFF},
    {"yellowgreen", 0x0032CD9A},
};

// The last colour read, with the form it was read in.
struct TColorCache {
  std::string Text = std::string(1, '\0');
  bool NeedPound = false;
  TColor Color = 0;
};
TColorCache Cache;

// An rgb() component: a percentage of 255 or an integer, limited to 0..255.
int RgbComponent(std::string_view Text)
{
  std::string S = Trim(Text);
  double V = 0;
  if (!S.empty() && S.back() == '%') {
    S.pop_back();
    if (!ReadNumber(Trim(S), V))
      V = 0;
    V = RoundToInt(V * 2.55);
  } else if (!ReadNumber(S, V) || S.find_first_of(".eE") != std::string::npos) {
    V = 0;
  }
  return int(std::clamp(V, 0.0, 255.0));
}

bool ReadRgb(const std::string& S, TColor& Color)
{
  std::size_t Open = S.find('(', S.find("rgb"));
  std::size_t Close = Open == std::string::npos ? Open : S.find(')', Open);
  if (Close == std::string::npos)
    return false;
  std::string_view Inside = std::string_view(S).substr(Open + 1, Close - Open - 1);
  int Parts[3];
  for (int I = 0; I < 3; ++I) {
    std::size_t Comma = Inside.find(',');
    if (I < 2 && Comma == std::string_view::npos)
      return false;  // fewer than three components
    Parts[I] = RgbComponent(Inside.substr(0, Comma));
    Inside = Comma == std::string_view::npos ? std::string_view() : Inside.substr(Comma + 1);
  }
  Color = Parts[0] | (Parts[1] << 8) | (Parts[2] << 16) | PaletteRelative;
  return true;
}

bool ReadHex(const std::string& S, bool NeedPound, TColor& Color)
{
  std::size_t Pound = S.rfind('#');
  if (Pound == std::string::npos && NeedPound)
    return false;
  std::string Digits = Trim(Pound == std::string::npos ? std::string_view(S) : std::string_view(S).substr(Pound + 1));
  if (Digits.size() <= 3) {
    std::string Doubled;
    for (char C : Digits)
      Doubled += std::string(2, C);
    Digits = Doubled;
  }
  // More than six digits would reach the flag bits and the "no colour" and
  // system-colour values.
  if (Digits.empty() || Digits.size() > 6)
    return false;
  int Value = 0;
  for (char C : Digits) {
    int H = HexDigitValue(C);
    if (H < 0)
      return false;
    Value = Value * 16 + H;
  }
  const int R = (Value >> 16) & 0xFF, G = (Value >> 8) & 0xFF, B = Value & 0xFF;
  Color = R | (G << 8) | (B << 16) | PaletteRelative;
  return true;
}

}  // namespace

bool ColorFromString(std::string_view Text, bool NeedPound, TColor& Color)
{
  const std::string S = LowerCase(Trim(Text));
  if (S == Cache.Text && NeedPound == Cache.NeedPound) {
    Color = Cache.Color;
    return true;
  }
  bool Found = false;
  if (!S.empty() && S[0] != '#' && S.find("rgb(") == std::string::npos) {
    auto It = std::lower_bound(std::begin(ColorList), std::end(ColorList), S,
                               [](const TColorName& N, const std::string& Key) { return CompareText(N.Name, Key) < 0; });
    if (It != std::end(ColorList) && SameText(It->Name, S)) {
      Color = It->Color;
      Found = true;
    }
  }
  if (!Found)
    Found = S.find("rgb") == std::string::npos ? ReadHex(S, NeedPound, Color) : ReadRgb(S, Color);
  if (Found)
    Cache = {S, NeedPound, Color};
  return Found;
}

int ColorNameCount()
{
  return int(std::size(ColorList));
}

std::string_view ColorNameAt(int Index)
{
  return ColorList[Index].Name;
}
