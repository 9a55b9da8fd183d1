#include "controls/html/parser/MarkupTables.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>

namespace {

struct TTagRow {
  const char* Name;
  Symb Start;
};

// Rows 1 to 53 have the end symbol HtmlEndSy + row - 1.
constexpr TTagRow TagTable[TagRowCount] = {
    {"HTML", HtmlSy},         {"TITLE", TitleSy},     {"BODY", BodySy},       {"HEAD", HeadSy},
    {"B", BSy},               {"I", ISy},             {"H", HSy},             {"EM", EmSy},
    {"STRONG", StrongSy},     {"U", USy},             {"CITE", CiteSy},       {"VAR", VarSy},
    {"TT", TTSy},             {"CODE", CodeSy},       {"KBD", KbdSy},         {"SAMP", SampSy},
    {"OL", OLSy},             {"UL", ULSy},           {"DIR", DirSy},         {"MENU", MenuSy},
    {"DL", DLSy},             {"A", ASy},             {"ADDRESS", AddressSy}, {"BLOCKQUOTE", BlockQuoteSy},
    {"PRE", PreSy},           {"CENTER", CenterSy},   {"TABLE", TableSy},     {"TD", TDSy},
    {"TH", THSy},             {"CAPTION", CaptionSy}, {"FORM", FormSy},       {"TEXTAREA", TextAreaSy},
    {"SELECT", SelectSy},     {"OPTION", OptionSy},   {"FONT", FontSy},       {"SUB", SubSy},
    {"SUP", SupSy},           {"BIG", BigSy},         {"SMALL", SmallSy},     {"P", PSy},
    {"MAP", MapSy},           {"FRAMESET", FrameSetSy}, {"NOFRAMES", NoFramesSy}, {"SCRIPT", ScriptSy},
    {"DIV", DivSy},           {"S", SSy},             {"STRIKE", StrikeSy},   {"TR", TRSy},
    {"NOBR", NoBrSy},         {"STYLE", StyleSy},     {"SPAN", SpanSy},       {"COLGROUP", ColGroupSy},
    {"LABEL", LabelSy},
    {"LI", LISy},             {"BR", BRSy},           {"HR", HRSy},           {"DD", DDSy},
    {"DT", DTSy},             {"IMG", ImageSy},       {"BASE", BaseSy},       {"BUTTON", ButtonSy},
    {"INPUT", InputSy},       {"SELECTED", SelectedSy}, {"BASEFONT", BaseFontSy}, {"AREA", AreaSy},
    {"FRAME", FrameSy},       {"PAGE", PageSy},       {"BGSOUND", BgSoundSy}, {"WRAP", WrapSy},
    {"META", MetaSy},         {"PANEL", PanelSy},     {"WBR", WbrSy},         {"LINK", LinkSy},
    {"COL", ColSy},
};

struct TAttributeRow {
  const char* Name;
  Symb Sy;
};

// The second VALUE row is never reached: the first matching row wins.
constexpr TAttributeRow AttributeTable[83] = {
    {"HREF", HrefSy},
    {"NAME", NameSy},
    {"SRC", SrcSy},
    {"ALT", AltSy},
    {"ALIGN", AlignSy},
    {"TEXT", TextSy},
    {"BGCOLOR", BgColorSy},
    {"LINK", LinkSy},
    {"BACKGROUND", BackgroundSy},
    {"COLSPAN", ColSpanSy},
    {"ROWSPAN", RowSpanSy},
    {"BORDER", BorderSy},
    {"CELLPADDING", CellPaddingSy},
    {"CELLSPACING", CellSpacingSy},
    {"VALIGN", VAlignSy},
    {"WIDTH", WidthSy},
    {"START", StartSy},
    {"VALUE", ValueSy},
    {"TYPE", TypeSy},
    {"CHECKBOX", CheckBoxSy},
    {"RADIO", RadioSy},
    {"METHOD", MethodSy},
    {"ACTION", ActionSy},
    {"CHECKED", CheckedSy},
    {"SIZE", SizeSy},
    {"MAXLENGTH", MaxLengthSy},
    {"COLS", ColsSy},
    {"ROWS", RowsSy},
    {"MULTIPLE", MultipleSy},
    {"VALUE", ValueSy},
    {"SELECTED", SelectedSy},
    {"FACE", FaceSy},
    {"COLOR", ColorSy},
    {"TRANSP", TranspSy},
    {"CLEAR", ClearSy},
    {"ISMAP", IsMapSy},
    {"BORDERCOLOR", BorderColorSy},
    {"USEMAP", UseMapSy},
    {"SHAPE", ShapeSy},
    {"COORDS", CoordsSy},
    {"NOHREF", NoHrefSy},
    {"HEIGHT", HeightSy},
    {"PLAIN", PlainSy},
    {"TARGET", TargetSy},
    {"NORESIZE", NoResizeSy},
    {"SCROLLING", ScrollingSy},
    {"HSPACE", HSpaceSy},
    {"LANGUAGE", LanguageSy},
    {"FRAMEBORDER", FrameBorderSy},
    {"MARGINWIDTH", MarginWidthSy},
    {"MARGINHEIGHT", MarginHeightSy},
    {"LOOP", LoopSy},
    {"ONCLICK", OnClickSy},
    {"WRAP", WrapSy},
    {"NOSHADE", NoShadeSy},
    {"HTTP-EQUIV", HttpEqSy},
    {"CONTENT", ContentSy},
    {"ENCTYPE", EncTypeSy},
    {"VLINK", VLinkSy},
    {"OLINK", OLinkSy},
    {"ACTIVE", ActiveSy},
    {"VSPACE", VSpaceSy},
    {"CLASS", ClassSy},
    {"ID", IDSy},
    {"STYLE", StyleSy},
    {"REL", RelSy},
    {"REV", RevSy},
    {"NOWRAP", NoWrapSy},
    {"BORDERCOLORLIGHT", BorderColorLightSy},
    {"BORDERCOLORDARK", BorderColorDarkSy},
    {"CHARSET", CharSetSy},
    {"RATIO", RatioSy},
    {"TITLE", TitleSy},
    {"ONFOCUS", OnFocusSy},
    {"ONBLUR", OnBlurSy},
    {"ONCHANGE", OnChangeSy},
    {"SPAN", SpanSy},
    {"TABINDEX", TabIndexSy},
    {"BGPROPERTIES", BgPropertiesSy},
    {"DISABLED", DisabledSy},
    {"TOPMARGIN", TopMarginSy},
    {"LEFTMARGIN", LeftMarginSy},
    {"LABEL", LabelSy},
};

std::string Lower(const char* Name)
{
  std::string Result(Name);
  for (char& C : Result)
    C = char(std::tolower(static_cast<unsigned char>(C)));
  return Result;
}

// The tables as lookups by name. A name's first row wins, as a search in
// table order would find it.
const std::unordered_map<std::string_view, int>& TagRows()
{
  static const std::unordered_map<std::string_view, int> Rows = [] {
    std::unordered_map<std::string_view, int> R;
    for (int Row = 0; Row < TagRowCount; ++Row)
      R.emplace(TagTable[Row].Name, Row);
    return R;
  }();
  return Rows;
}

const std::unordered_map<std::string_view, Symb>& AttributeRows()
{
  static const std::unordered_map<std::string_view, Symb> Rows = [] {
    std::unordered_map<std::string_view, Symb> R;
    for (const TAttributeRow& Row : AttributeTable)
      R.emplace(Row.Name, Row.Sy);
    return R;
  }();
  return Rows;
}

}  // namespace

Symb TagSymbol(std::string_view UpperName, bool StartTag)
{
  const auto& Rows = TagRows();
  auto It = Rows.find(UpperName);
  if (It == Rows.end())
    return CommandSy;
  const int Row = It->second;
  if (StartTag)
    return TagTable[Row].Start;
  return Row < TagRowsWithEnd ? Symb(HtmlEndSy + Row) : CommandSy;
}

std::string TagNameOfStart(Symb Sy)
{
  if (Sy < TagRowCount)
    return Lower(TagTable[Sy].Name);
  return {};
}

std::string TagNameOfEnd(Symb Sy)
{
  if (IsEndTagSymbol(Sy))
    return Lower(TagTable[Sy - HtmlEndSy].Name);
  return {};
}

Symb EndSymbolOf(Symb StartSy)
{
  return StartSy < TagRowsWithEnd ? Symb(HtmlEndSy + StartSy) : CommandSy;
}

Symb AttributeSymbol(std::string_view UpperName)
{
  const auto& Rows = AttributeRows();
  auto It = Rows.find(UpperName);
  return It == Rows.end() ? OtherAttribute : It->second;
}

std::string AttributeWord(Symb Sy)
{
  auto Row = std::find_if(std::begin(AttributeTable), std::end(AttributeTable),
                          [Sy](const TAttributeRow& R) { return R.Sy == Sy; });
  return Row == std::end(AttributeTable) ? std::string() : std::string(Row->Name);
}
