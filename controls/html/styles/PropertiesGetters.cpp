// The typed getters of TProperties and the conversions of its box values.
#include "controls/html/styles/Properties.h"

#include <algorithm>
#include <climits>

#include "controls/html/styles/StyleNumbers.h"
#include "platform/base/StringRoutines.h"

TColor TProperties::GetBackgroundColor() const
{
  const TPropValue& V = Props[piBackgroundColor];
  return V.IsNumber() && ExplicitFlags[piBackgroundColor] ? V.AsInteger() : clNone;
}

TColor TProperties::GetExplicitForegroundColor() const
{
  const TPropValue& V = Props[piColor];
  return V.IsNumber() && ExplicitFlags[piColor] ? V.AsInteger() : clNone;
}

void TProperties::SetFontBG()
{
  const TPropValue& V = Props[piBackgroundColor];
  if (V.IsNumber() && ExplicitFlags[piBackgroundColor])
    FFontBG = V.AsInteger();
}

bool TProperties::GetBackgroundImage(std::string& S) const
{
  const TPropValue& V = Props[piBackgroundImage];
  if (!V.IsString())
    return false;
  if (V.AsString() == "none") {
    S.clear();
    return true;
  }
  S = ReadURL(V);
  return V.AsString().find("url(") != std::string::npos;
}

void TProperties::GetBackgroundPos(int EmSize, int ExSize, TBackgroundPosRec& P) const
{
  P = {};
  const int PixelsPerInch = FFonts.PixelsPerInch();
  const TPropValue& Position = Props[piBackgroundPosition];
  if (Position.IsString()) {
    const std::string S = Trim(Position.AsString());
    std::string Items[2];
    std::size_t Blank = S.find(' ');
    Items[0] = S.substr(0, Blank);
    if (Blank != std::string::npos)
      Items[1] = Trim(std::string_view(S).substr(Blank));
    const int Count = Items[1].empty() ? 1 : 2;
    TBackgroundPosition* Slots[2] = {&P.X, &P.Y};
    int Next = 0;  // the slot the next item goes to
    for (int I = 0; I < Count; ++I) {
      const std::string& Item = Items[I];
      TBackgroundPosition Entry;
      if (Item == "left" || Item == "right") {
        Entry.Kind = Item == "left" ? bpLeft : bpRight;
        // A horizontal word second: the first item was vertical after all,
        // unless it already went to Y ("bottom left").
        if (I == 1 && Items[0] != "top" && Items[0] != "bottom")
          P.Y = P.X;
        P.X = Entry;
        Next = 1;
        continue;
      }
      if (Item == "top" || Item == "bottom") {
        Entry.Kind = Item == "top" ? bpTop : bpBottom;
        P.Y = Entry;
        if (I == 0)
          Next = 0;
        continue;
      }
      if (Item == "center") {
        Entry.Kind = bpCenter;
      } else {
        Entry.Kind = Item.find('%') != std::string::npos ? bpPercent : bpLength;
        Entry.Value = LengthConv(Item, false, 100, EmSize, ExSize, PixelsPerInch, 0);
      }
      *Slots[Next] = Entry;
      Next = 1;
    }
    if (Count == 1) {
      if (Items[0] == "top" || Items[0] == "bottom")
        P.X.Kind = bpCenter;
      else
        P.Y.Kind = bpCenter;
    }
  }
  const std::string& Repeat = Props[piBackgroundRepeat].AsString();
  P.X.Repeat = P.Y.Repeat = true;
  if (Repeat == "no-repeat")
    P.X.Repeat = P.Y.Repeat = false;
  else if (Repeat == "repeat-x")
    P.Y.Repeat = false;
  else if (Repeat == "repeat-y")
    P.X.Repeat = false;
  P.X.Fixed = P.Y.Fixed = Props[piBackgroundAttachment].AsString() == "fixed";
}

bool TProperties::GetVertAlign(TAlignmentStyle& Align) const
{
  const TPropValue& V = Props[piVerticalAlign];
  if (!V.IsString())
    return false;
  const std::string& S = V.AsString();
  if (S == "top" || S == "text-top")
    Align = aTop;
  else if (S == "middle")
    Align = aMiddle;
  else if (S == "baseline")
    Align = aBaseline;
  else if (S == "bottom")
    Align = aBottom;
  else if (S == "sub")
    Align = aSub;
  else if (S == "super")
    Align = aSuper;
  else
    return false;
  return true;
}

bool TProperties::GetFloat(TAlignmentStyle& Align) const
{
  const std::string& S = Props[piFloat].AsString();
  if (S == "left")
    Align = aLeft;
  else if (S == "right")
    Align = aRight;
  else if (S == "none")
    Align = aNone;
  else
    return false;
  return true;
}

bool TProperties::GetClear(TClearAttrType& Clear) const
{
  const std::string& S = Props[piClear].AsString();
  if (S == "left")
    Clear = clLeft;
  else if (S == "right")
    Clear = clRight;
  else if (S == "both")
    Clear = clAll;
  else if (S == "none")
    Clear = clrNone;
  else
    return false;
  return true;
}

TListStyleType TProperties::GetListStyleType() const
{
  static constexpr std::string_view Names[] = {"blank", "circle",      "decimal", "disc",        "lower-alpha",
                                               "lower-roman", "none", "square",  "upper-alpha", "upper-roman"};
  const TPropValue& V = Props[piListStyleType];
  if (V.IsString())
    for (int I = 0; I < 10; ++I)
      if (V.AsString() == Names[I])
        return TListStyleType(I);
  return lsBlank;
}

std::string TProperties::GetListStyleImage() const
{
  return ReadURL(Props[piListStyleImage]);
}

TPositionType TProperties::GetPositionKind() const
{
  const std::string& S = Props[piPosition].AsString();
  if (S == "absolute")
    return posAbsolute;
  if (S == "relative")
    return posRelative;
  return posStatic;
}

TVisibilityType TProperties::GetVisibility() const
{
  const TPropValue& V = Props[piVisibility];
  return V.IsInteger() && V.AsInteger() == viHidden ? viHidden : viVisible;
}

int TProperties::GetZIndex() const
{
  const TPropValue& V = Props[piZIndex];
  if (V.IsNumber())
    return V.AsInteger();
  double Z = 0;
  return ReadNumber(Trim(V.AsString()), Z) ? RoundToInt(Z) : 0;
}

bool TProperties::DisplayNone() const
{
  return Props[piDisplay].AsString() == "none";
}

int TProperties::GetLineHeight(int NewHeight) const
{
  const TPropValue& V = Props[piLineHeight];
  if (!V.IsString())
    return -1;
  double Factor = 0;
  if (ReadNumber(Trim(V.AsString()), Factor))
    return RoundToInt(NewHeight * Factor);
  return LengthConv(V.AsString(), true, FEmSize, FEmSize, FExSize, FFonts.PixelsPerInch(), 0);
}

int TProperties::GetTextIndent(bool& PC) const
{
  PC = false;
  const TPropValue& V = Props[piTextIndent];
  if (!V.IsString())
    return 0;
  if (V.AsString().find('%') != std::string::npos) {
    PC = true;
    std::size_t Length = 0;
    return RoundToInt(NumberPrefix(Trim(V.AsString()), Length));
  }
  return LengthConv(V.AsString(), false, FEmSize, FEmSize, FEmSize, FFonts.PixelsPerInch(), 0);
}

TTextTransformType TProperties::GetTextTransform() const
{
  const TPropValue& V = Props[piTextTransform];
  if (V.IsInteger() && V.AsInteger() >= txNone && V.AsInteger() <= txLower)
    return TTextTransformType(V.AsInteger());
  return txNone;
}

std::string TProperties::GetFontVariant() const
{
  const TPropValue& V = Props[piFontVariant];
  return V.IsString() ? V.AsString() : "normal";
}

void TProperties::GetPageBreaks(bool& Before, bool& After, bool& Intact) const
{
  Before = Props[piPageBreakBefore].AsString() == "always";
  After = Props[piPageBreakAfter].AsString() == "always";
  Intact = Props[piPageBreakInside].AsString() == "avoid";
}

TCssBorderStyle TProperties::GetBorderStyle() const
{
  return BorderStyleFromString(Props[piBorderStyle].AsString());
}

bool TProperties::BorderStyleNotBlank() const
{
  return Props[piBorderStyle].IsString();
}

bool TProperties::HasBorderStyle() const
{
  return GetBorderStyle() != bssNone;
}

void TProperties::GetVMarginArray(TVMarginArray& VM) const
{
  for (int I = FirstBoxProp; I <= LastBoxProp; ++I) {
    const TPropValue& V = Props[std::size_t(I)];
    if (I >= piBorderTopStyle && I <= piBorderLeftStyle)
      VM[std::size_t(I)] = V.IsString() ? int(BorderStyleFromString(V.AsString())) : 0;
    else
      VM[std::size_t(I)] = V;
  }
}

namespace {

int SideStyle(const TPropValue& V)
{
  if (V.IsString())
    return BorderStyleFromString(V.AsString());
  return V.IsNumber() ? V.AsInteger() : 0;
}

}  // namespace

void ConvMargArray(const TVMarginArray& VM, int BaseWidth, int BaseHeight, int EmSize, int ExSize, int PixelsPerInch,
                   TMarginArray& M,
                   int& AutoCount)
{
  AutoCount = 0;
  for (int I = FirstBoxProp; I <= LastBoxProp; ++I) {
    const TPropValue& V = VM[std::size_t(I)];
    int& Out = M[std::size_t(I)];
    switch (I) {
    case piBackgroundColor:
    case piBorderColor:
      Out = V.IsNumber() ? V.AsInteger() : clNone;
      break;
    case piMarginTop:
    case piMarginBottom:
      break;  // ConvVertMargins
    case piMarginRight:
    case piMarginLeft:
      if (V.IsString()) {
        if (V.AsString() == "auto") {
          Out = Auto;
          ++AutoCount;
        } else {
          Out = LengthConv(V.AsString(), false, BaseWidth, EmSize, ExSize, PixelsPerInch, 0);
        }
      } else {
        Out = V.AsInteger();
      }
      break;
    case piPaddingTop:
    case piPaddingRight:
    case piPaddingBottom:
    case piPaddingLeft:
    case piHeight:
      if (V.IsString()) {
        Out = LengthConv(V.AsString(), false, I == piHeight ? BaseHeight : BaseWidth, EmSize, ExSize, PixelsPerInch,
                         0);
        if (I == piHeight && V.AsString().find('%') != std::string::npos) {
          const long long Extra = (long long)M[piPaddingTop] + M[piPaddingBottom] + M[piBorderTopWidth] +
                                  M[piBorderBottomWidth];
          Out = int(std::clamp<long long>(Out - Extra, INT_MIN, INT_MAX));
        }
      } else {
        Out = V.AsInteger();
      }
      break;
    case piBorderTopWidth:
    case piBorderRightWidth:
    case piBorderBottomWidth:
    case piBorderLeftWidth:
      if (SideStyle(VM[std::size_t(I - piBorderTopWidth + piBorderTopStyle)]) == bssNone)
        Out = 0;
      else if (V.IsString())
        Out = V.AsString() == "thin"     ? 2
              : V.AsString() == "medium" ? 4
              : V.AsString() == "thick"  ? 6
                                         : LengthConv(V.AsString(), false, BaseWidth, EmSize, ExSize, PixelsPerInch, 4);
      else if (V.IsNumber() && V.AsInteger() != IntNull)
        Out = V.AsInteger();
      else
        Out = 4;
      break;
    case piWidth:
    case piTop:
    case piLeft:
      if (V.IsString())
        Out = LengthConv(V.AsString(), false, BaseWidth, EmSize, ExSize, PixelsPerInch, Auto);
      else
        Out = V.IsNumber() ? V.AsInteger() : Auto;
      if (I == piWidth && Out == Auto)
        ++AutoCount;
      break;
    default:  // the side colours and styles
      Out = V.IsString() ? LengthConv(V.AsString(), false, BaseWidth, EmSize, ExSize, PixelsPerInch, 0)
                         : V.AsInteger();
      break;
    }
  }
}

void ConvVertMargins(const TVMarginArray& VM, int Base, int EmSize, int ExSize, int PixelsPerInch, TMarginArray& M,
                     bool& TopAuto, bool& BottomAuto)
{
  TopAuto = BottomAuto = false;
  for (int I : {int(piMarginTop), int(piMarginBottom)}) {
    const TPropValue& V = VM[std::size_t(I)];
    int& Out = M[std::size_t(I)];
    if (V.IsString()) {
      Out = LengthConv(V.AsString(), false, Base, EmSize, ExSize, PixelsPerInch, 0);
    } else if (V.IsNumber()) {
      Out = V.AsInteger();
      if (Out == IntNull) {
        Out = 0;
      } else if (Out == AutoParagraph) {
        Out = 14;
        (I == piMarginTop ? TopAuto : BottomAuto) = true;
      }
    } else {
      Out = 0;
    }
  }
}

void ConvPaddingArray(const TVMarginArray& VM, int EmSize, int ExSize, int PixelsPerInch, TMarginArray& M)
{
  for (int I = piPaddingTop; I <= piPaddingLeft; ++I) {
    const TPropValue& V = VM[std::size_t(I)];
    if (V.IsString())
      M[std::size_t(I)] = LengthConv(V.AsString(), false, -100, EmSize, ExSize, PixelsPerInch, 0);
    else if (V.IsNumber() && V.AsInteger() != IntNull)
      M[std::size_t(I)] = V.AsInteger();
    else
      M[std::size_t(I)] = -1;
  }
}

void ConvCellMargins(const TVMarginArray& VM, int BaseWidth, int BaseHeight, int EmSize, int ExSize, int PixelsPerInch,
                     TMarginArray& M)
{
  for (int I = piMarginTop; I <= piMarginLeft; ++I) {
    const TPropValue& V = VM[std::size_t(I)];
    M[std::size_t(I)] =
        V.IsString() ? LengthConv(V.AsString(), false, BaseWidth, EmSize, ExSize, PixelsPerInch, 0) : V.AsInteger();
  }
  for (int I : {int(piWidth), int(piHeight)}) {
    const TPropValue& V = VM[std::size_t(I)];
    const int Base = I == piWidth ? BaseWidth : BaseHeight;
    M[std::size_t(I)] = V.IsString() ? LengthConv(V.AsString(), false, Base, EmSize, ExSize, PixelsPerInch, Auto)
                        : V.IsNumber() ? V.AsInteger()
                                       : Auto;
  }
}
