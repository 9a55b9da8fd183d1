#include "platform/classes/graphics/Colors.h"

#include <limits>
#include <memory>

#include "platform/base/AnsiStrings.h"
#include "platform/base/IntConversions.h"

namespace {

struct TColorName {
  TColor Value;
  const char* Name;
};

constexpr TColorName Colors[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
};

}  // namespace

bool ColorToIdent(std::int32_t Color, std::string& Ident)
{
  for (const auto& c : Colors)
    if (c.Value == Color) {
      Ident = c.Name;
      return true;
    }
  return false;
}

bool IdentToColor(const std::string& Ident, std::int32_t& Color)
{
  for (const auto& c : Colors)
    if (AnsiSameText(c.Name, Ident)) {
      Color = c.Value;
      return true;
    }
  return false;
}

std::string ColorToString(TColor Color)
{
  std::string name;
  if (ColorToIdent(Color, name))
    return name;
  return "$" + IntToHex(unsigned(Color), 8);
}

TColor StringToColor(const std::string& S)
{
  std::int32_t color;
  if (IdentToColor(S, color))
    return color;
  return TColor(StrToInt(S));
}

PTypeInfo TColorTypeInfo()
{
  static const std::unique_ptr<TTypeInfo> info = [] {
    auto made = NewOrdinalType(tkInteger, "TColor", otSLong, std::numeric_limits<std::int32_t>::min(),
                               std::numeric_limits<std::int32_t>::max());
    RegisterIntegerIdents(made.get(), ColorToIdent, IdentToColor);
    return made;
  }();
  return info.get();
}
