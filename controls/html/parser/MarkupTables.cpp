#include "controls/html/parser/MarkupTables.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>

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

// A lookup of the upper-case names of a table, built once. Open addressing
// over a short byte hash: markup names are a few letters long, and a tag or
// attribute is looked up for every one read, so this beats a general hash
// map. A name's first row wins, as a search in table order would find it.
class TNameIndex {
public:
  void Add(std::string_view Name, int Value)
  {
    std::size_t S = Hash(Name);
    while (FSlots[S].Value >= 0) {
      if (Matches(FSlots[S], Name))
        return;
      S = (S + 1) & (SlotCount - 1);
    }
    FSlots[S] = {Name.data(), Name.size(), Value};
  }
  // The value of Name, or -1.
  int Find(std::string_view Name) const
  {
    for (std::size_t S = Hash(Name);; S = (S + 1) & (SlotCount - 1)) {
      const TSlot& Slot = FSlots[S];
      if (Slot.Value < 0 || Matches(Slot, Name))
        return Slot.Value;
    }
  }

private:
  // Well above the rows of either table, so that probes stay short and an
  // empty slot always ends a search.
  static constexpr std::size_t SlotCount = 512;
  struct TSlot {
    const char* Name = nullptr;
    std::size_t Length = 0;
    int Value = -1;
  };
  static bool Matches(const TSlot& Slot, std::string_view Name)
  {
    return Slot.Length == Name.size() && std::memcmp(Slot.Name, Name.data(), Name.size()) == 0;
  }
  static std::size_t Hash(std::string_view Name)
  {
    std::uint32_t H = 2166136261u;
    for (char C : Name)
      H = (H ^ static_cast<unsigned char>(C)) * 16777619u;
    return (H ^ (H >> 16)) & (SlotCount - 1);
  }
  TSlot FSlots[SlotCount];
};

const TNameIndex& TagRows()
{
  static const TNameIndex Rows = [] {
    TNameIndex R;
    for (int Row = 0; Row < TagRowCount; ++Row)
      R.Add(TagTable[Row].Name, Row);
    return R;
  }();
  return Rows;
}

const TNameIndex& AttributeRows()
{
  static const TNameIndex Rows = [] {
    TNameIndex R;
    for (const TAttributeRow& Row : AttributeTable)
      R.Add(Row.Name, Row.Sy);
    return R;
  }();
  return Rows;
}

}  // namespace

Symb TagSymbol(std::string_view UpperName, bool StartTag)
{
  const int Row = TagRows().Find(UpperName);
  if (Row < 0)
    return CommandSy;
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
  const int Sy = AttributeRows().Find(UpperName);
  return Sy < 0 ? OtherAttribute : Symb(Sy);
}

std::string AttributeWord(Symb Sy)
{
  auto Row = std::find_if(std::begin(AttributeTable), std::end(AttributeTable),
                          [Sy](const TAttributeRow& R) { return R.Sy == Sy; });
  return Row == std::end(AttributeTable) ? std::string() : std::string(Row->Name);
}
