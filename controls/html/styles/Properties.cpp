#include "controls/html/styles/Properties.h"

#include <array>
#include <cmath>

#include "controls/html/styles/ColorNames.h"
#include "controls/html/styles/FontMemo.h"
#include "controls/html/styles/StyleNumbers.h"
#include "controls/html/text/FontService.h"

namespace {

int IDCounter = 0;

// Properties an element never takes from its parent: borders, backgrounds,
// positioning, floats, page breaks and display.
constexpr bool NotInherited(int I)
{
  switch (I) {
  case piBorderStyle:
  case piBackgroundColor:
  case piBorderColor:
  case piBackgroundImage:
  case piBackgroundPosition:
  case piBackgroundRepeat:
  case piBackgroundAttachment:
  case piPosition:
  case piFloat:
  case piClear:
  case piPageBreakBefore:
  case piPageBreakAfter:
  case piPageBreakInside:
  case piDisplay:
    return true;
  default:
    return false;
  }
}

constexpr bool IsBoxProp(int I) { return I >= piMarginTop && I <= piLeft; }

// What an element does with each property of its parent, worked out once:
// every element inherits all 55.
enum class TInheritance : unsigned char { Copied, Kept, BoxReset };

constexpr std::array<TInheritance, PropCount> Inheritance = [] {
  std::array<TInheritance, PropCount> Table{};
  for (int I = 0; I < PropCount; ++I)
    Table[std::size_t(I)] = NotInherited(I) ? TInheritance::Kept
                            : IsBoxProp(I)  ? TInheritance::BoxReset
                                            : TInheritance::Copied;
  return Table;
}();

// The indexes of one kind, in order: ResetAndInherit runs a tight loop over
// each kind instead of testing all 55 indexes for every element.
struct TIndexRun {
  std::array<unsigned char, PropCount> Items{};
  std::size_t Count = 0;
  const unsigned char* begin() const { return Items.data(); }
  const unsigned char* end() const { return Items.data() + Count; }
};

constexpr TIndexRun IndexesOf(TInheritance Kind)
{
  TIndexRun Run;
  for (int I = 0; I < PropCount; ++I)
    if (Inheritance[std::size_t(I)] == Kind)
      Run.Items[Run.Count++] = static_cast<unsigned char>(I);
  return Run;
}

constexpr TIndexRun CopiedIndexes = IndexesOf(TInheritance::Copied);
constexpr TIndexRun KeptIndexes = IndexesOf(TInheritance::Kept);
constexpr TIndexRun BoxResetIndexes = IndexesOf(TInheritance::BoxReset);

// The code page of a font character set; CodePage unchanged for a set that
// has none of its own.
void CodePageOfCharSet(int CharSet, UINT& CodePage)
{
  switch (CharSet) {
  case 0: CodePage = 1252; break;
  case 1: CodePage = 0; break;
  case 2: CodePage = 0; break;
  case 77: CodePage = 2; break;
  case 128: CodePage = 932; break;
  case 129: CodePage = 949; break;
  case 130: CodePage = 1361; break;
  case 134: CodePage = 936; break;
  case 136: CodePage = 950; break;
  case 161: CodePage = 1253; break;
  case 162: CodePage = 1254; break;
  case 163: CodePage = 1258; break;
  case 177: CodePage = 1255; break;
  case 178: CodePage = 1256; break;
  case 186: CodePage = 1257; break;
  case 204: CodePage = 1251; break;
  case 222: CodePage = 874; break;
  case 238: CodePage = 1250; break;
  case 255: CodePage = 1; break;
  default: break;
  }
}

}  // namespace

TProperties::TProperties(const THtmlFontService& Fonts) : FFonts(Fonts), FID(0)
{
  Reset();
}

void TProperties::Reset()
{
  ResetAllButValues();
  for (int I = 0; I < PropCount; ++I)
    Props[std::size_t(I)].Clear();
  for (int I = piMarginTop; I <= piLeft; ++I)
    Props[std::size_t(I)].SetInteger(IntNull);
  Props[piZIndex] = 0;
}

void TProperties::ResetAndInherit(const TProperties& Parent)
{
  ResetAllButValues();
  // What Reset and then Inherit leave, each value written once: the ones
  // not taken from the parent are as Reset makes them.
  if (Parent.PropTag == "span") {
    Props = Parent.Props;
    Props[piBorderStyle].Clear();
  } else {
    for (unsigned char I : CopiedIndexes)
      Props[I] = Parent.Props[I];
    for (unsigned char I : KeptIndexes)
      Props[I].Clear();
    for (unsigned char I : BoxResetIndexes)
      Props[I].SetInteger(IntNull);
  }
  InheritState(Parent);
}

void TProperties::ResetAllButValues()
{
  for (std::string* S : {&PropTag, &PropClass, &PropID, &PropPseudo, &PropTitle})
    S->clear();
  PropStyle = nullptr;
  ExplicitFlags.fill(false);
  FOwnStyle.reset();
  FFont.reset();
  FHasFontInfo = false;
  FFontInfo.reset();
  FFontBG = clNone;
  FCharSet = DEFAULT_CHARSET;
  FCodePage = 0;
  FEmSize = 0;
  FExSize = 0;
  FID = ++IDCounter;
}

TProperties::~TProperties() = default;

void TProperties::Copy(const TProperties& Source)
{
  Props = Source.Props;
}

void TProperties::CopyDefault(const TProperties& Default)
{
  Props = Default.Props;
  AssignCharSet(Default.CharSet());
  PropTag = "default";
}

inline void TProperties::InheritProperty(const TProperties& Parent, int I, bool FromSpan)
{
  const std::size_t U = std::size_t(I);
  if (FromSpan) {
    if (I != piBorderStyle)
      Props[U] = Parent.Props[U];
    return;
  }
  switch (Inheritance[U]) {
  case TInheritance::Kept:
    break;
  case TInheritance::BoxReset:
    Props[U].SetInteger(IntNull);
    break;
  case TInheritance::Copied:
    Props[U] = Parent.Props[U];
    break;
  }
}

void TProperties::SetLinkFontsFrom(const TProperties& Parent)
{
  FHasFontInfo = Parent.FHasFontInfo;
  if (FHasFontInfo && Parent.FFontInfo) {
    if (!FFontInfo)
      FFontInfo = std::make_unique<TFontInfoArray>();
    FFontInfo->Assign(*Parent.FFontInfo);
  }
}

void TProperties::Inherit(const TProperties& Parent)
{
  const bool FromSpan = Parent.PropTag == "span";
  for (int I = 0; I < PropCount; ++I)
    InheritProperty(Parent, I, FromSpan);
  InheritState(Parent);
}

void TProperties::InheritState(const TProperties& Parent)
{
  FFontBG = Parent.FFontBG;
  FCharSet = Parent.FCharSet;
  FCodePage = Parent.FCodePage;
  PropTitle = Parent.PropTitle;
  SetLinkFontsFrom(Parent);
  SetEmSize(Parent.FEmSize);
}

void TProperties::Update(const TProperties& Parent, TStyleList* Styles, TPropStack* Stack, int StackIndex)
{
  const bool FromSpan = Parent.PropTag == "span";
  for (int I = 0; I < PropCount; ++I)
    if (!ExplicitFlags[std::size_t(I)])
      InheritProperty(Parent, I, FromSpan);
  FFont.reset();
  if (Parent.FHasFontInfo) {
    SetLinkFontsFrom(Parent);
  } else if (PropPseudo != "link") {
    FFontInfo.reset();
    FHasFontInfo = false;
  } else {
    if (!FFontInfo)
      FFontInfo = std::make_unique<TFontInfoArray>();
    ComputeLinkFonts(Styles, Stack, StackIndex);
    FHasFontInfo = true;
  }
}

void TProperties::AssignFromAttribute(int Index, const TPropValue& Value)
{
  const std::size_t U = std::size_t(Index);
  if (Index < 0 || Index >= PropCount || ExplicitFlags[U])
    return;
  Props[U] = Value;
  ExplicitFlags[U] = true;
  if (!FHasFontInfo || !FFontInfo)
    return;
  for (int L = 0; L < 4; ++L) {
    ThtFontInfo& Info = FFontInfo->Ar(L);
    if (Index == piFontFamily)
      Info.Name = Value.AsString();
    else if (Index == piFontSize)
      Info.Size = BoundFontPoints(Value.AsDouble());
    else if (Index == piColor)
      Info.Color = Value.AsInteger();
  }
}

void TProperties::Assign(int Index, const std::string& Value)
{
  if (Index < 0 || Index >= PropCount)
    return;
  TColor Color = 0;
  switch (Index) {
  case piBorderStyle:
    Props[piBorderStyle] = Value;
    for (int I = piBorderTopStyle; I <= piBorderLeftStyle; ++I)
      Props[std::size_t(I)] = Value;
    break;
  case piColor:
    Props[piColor] = ColorFromString(Value, true, Color) ? Color : 0;
    break;
  case piBackgroundColor:
    Props[piBackgroundColor] = ColorFromString(Value, true, Color) ? Color : clNone;
    break;
  case piBorderColor:
    if (ColorFromString(Value, true, Color)) {
      Props[piBorderColor] = Color;
      for (int I = piBorderTopColor; I <= piBorderLeftColor; ++I)
        Props[std::size_t(I)] = Color;
    }
    break;
  case piBorderTopColor:
  case piBorderRightColor:
  case piBorderBottomColor:
  case piBorderLeftColor:
    if (ColorFromString(Value, true, Color))
      Props[std::size_t(Index)] = Color;
    break;
  case piBorderTopStyle:
  case piBorderRightStyle:
  case piBorderBottomStyle:
  case piBorderLeftStyle:
    if (Value != "none")
      Props[piBorderStyle] = Value;
    Props[std::size_t(Index)] = Value;
    break;
  case piVisibility:
    if (Value == "visible")
      Props[piVisibility] = int(viVisible);
    else if (Value == "hidden")
      Props[piVisibility] = int(viHidden);
    break;
  case piTextTransform:
    Props[piTextTransform] = Value == "uppercase" ? int(txUpper) : Value == "lowercase" ? int(txLower) : int(txNone);
    break;
  case piFontVariant:
    if (Value == "small-caps" || Value == "normal")
      Props[piFontVariant] = Value;
    break;
  default:
    Props[std::size_t(Index)] = Value;
    break;
  }
}

void TProperties::AssignByName(std::string_view Name, const std::string& Value)
{
  int Index = 0;
  if (FindPropIndex(Name, Index))
    Assign(Index, Value);
}

void TProperties::AssignCharSet(int CS)
{
  if (CS == 31) {
    FCharSet = 238;
    FCodePage = 28592;
  } else {
    THtmlFontDesc Arial{"Arial", 0, {}, BYTE(CS)};
    const BYTE Realised = FFonts.Metrics(Arial).CharSet;
    FCharSet = CS == DEFAULT_CHARSET ? DEFAULT_CHARSET : Realised;
    // A font of the default set has the platform's own code page, whatever
    // set the font layer reports for it.
    CodePageOfCharSet(CS == DEFAULT_CHARSET ? DEFAULT_CHARSET : Realised, FCodePage);
  }
  if (FFontInfo)
    for (int L = 0; L < 4; ++L)
      FFontInfo->Ar(L).CharSet = FCharSet;
}

void TProperties::AssignUTF8()
{
  FCodePage = 65001;
  FCharSet = ANSI_CHARSET;
}

void TProperties::GetFontInfo(ThtFontInfo& Info)
{
  Info.bgColor = FFontBG;
  Info.Color = Props[piColor].IsNumber() ? Props[piColor].AsInteger() : 0;
  const TPropValue& Weight = Props[piFontWeight];
  bool Bold = false;
  if (Weight.IsString()) {
    double W = 0;
    Bold = Weight.AsString().find("bold") != std::string::npos || (ReadNumber(Weight.AsString(), W) && W > 599);
  } else if (Weight.IsNumber()) {
    Bold = Weight.AsDouble() > 599;
  }
  Info.Style = {};
  if (Bold)
    Info.Style += fsBold;
  const std::string& FontStyle = Props[piFontStyle].AsString();
  if (FontStyle == "italic" || FontStyle == "oblique")
    Info.Style += fsItalic;
  const std::string& Decoration = Props[piTextDecoration].AsString();
  if (Decoration == "underline")
    Info.Style += fsUnderline;
  else if (Decoration == "line-through")
    Info.Style += fsStrikeOut;
  double Size = 0;
  if (Props[piFontSize].IsNumber())
    Size = Props[piFontSize].AsDouble();
  else if (!ReadNumber(Props[piFontSize].AsString(), Size))
    Size = 0;
  Info.Size = BoundFontPoints(Size);
  Info.CharSet = FCharSet;
  Info.LetterSpacing = Props[piLetterSpacing];
  ReadFontName(FFonts, Props[piFontFamily].AsString(), Info.Name);
}

const TMyFont& TProperties::Font()
{
  if (FFont)
    return *FFont;
  if (FFontMemo)
    if (const TFontMemo::TFont* Known = FFontMemo->Find(*this)) {
      FFont = Known->Font;
      SetEmSize(Known->EmSize);
      return *FFont;
    }
  ThtFontInfo Info;
  GetFontInfo(Info);
  auto Font = std::make_unique<TMyFont>();
  Font->Name = Info.Name;
  Font->Height = -RoundToInt(FFonts.PixelsPerInch() * Info.Size / 72);
  Font->Style = Info.Style;
  Font->bgColor = Info.bgColor;
  Font->Color = Info.Color;
  Font->CharSet = Info.CharSet;
  // Realised first with the default set: a symbol face keeps its own set.
  THtmlFontDesc Desc = Font->Desc();
  Desc.CharSet = DEFAULT_CHARSET;
  THtmlTextMetrics M = FFonts.Metrics(Desc);
  if (M.CharSet == SYMBOL_CHARSET)
    Font->CharSet = SYMBOL_CHARSET;
  if (Font->CharSet != DEFAULT_CHARSET)
    M = FFonts.Metrics(Font->Desc());
  SetEmSize(M.Height - M.InternalLeading);
  Font->tmHeight = M.Height;
  Font->tmAscent = M.Ascent;
  Font->tmInternalLeading = M.InternalLeading;
  Font->tmAveCharWidth = M.AveCharWidth;
  Font->tmDescent = M.Descent;
  Font->tmExternalLeading = M.ExternalLeading;
  Font->tmMaxCharWidth = M.MaxCharWidth;
  Font->tmCharset = M.CharSet;
  const TPropValue& Spacing = Props[piLetterSpacing];
  if (Spacing.IsInteger())
    Font->CharExtra = Spacing.AsInteger();
  else if (Spacing.IsString() && Spacing.AsString() != "normal")
    Font->CharExtra = LengthConv(Spacing.AsString(), false, FEmSize, FEmSize, FExSize, FFonts.PixelsPerInch(), 0);
  FFont = std::move(Font);
  if (FFontMemo)
    FFontMemo->Add(*this, FFont, FEmSize);
  return *FFont;
}

void TProperties::CopyLinkFonts(TFontInfoArray& Target) const
{
  if (FFontInfo)
    Target.Assign(*FFontInfo);
}
