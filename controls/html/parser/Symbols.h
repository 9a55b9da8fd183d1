// The symbols of the HTML tokenizer: one byte per tag start, tag end and
// attribute word. A tag's start symbol and its row in the tag table share
// their order, and so do the end symbols of the first 53 rows; an attribute
// whose word is also a tag (TITLE, LINK, STYLE, SPAN, WRAP, SELECTED, LABEL)
// uses that tag's start symbol, and the attribute TEXT uses TextSy.
#pragma once

#include "platform/base/Types.h"

enum Symb : BYTE {
  // Start symbols of the tags that have an end tag (rows 1 to 53).
  HtmlSy, TitleSy, BodySy, HeadSy, BSy, ISy, HSy, EmSy, StrongSy, USy, CiteSy, VarSy, TTSy, CodeSy,
  KbdSy, SampSy, OLSy, ULSy, DirSy, MenuSy, DLSy, ASy, AddressSy, BlockQuoteSy, PreSy, CenterSy,
  TableSy, TDSy, THSy, CaptionSy, FormSy, TextAreaSy, SelectSy, OptionSy, FontSy, SubSy, SupSy,
  BigSy, SmallSy, PSy, MapSy, FrameSetSy, NoFramesSy, ScriptSy, DivSy, SSy, StrikeSy, TRSy, NoBrSy,
  StyleSy, SpanSy, ColGroupSy, LabelSy,
  // Start symbols of the tags without an end tag (rows 54 to 74).
  LISy, BRSy, HRSy, DDSy, DTSy, ImageSy, BaseSy, ButtonSy, InputSy, SelectedSy, BaseFontSy, AreaSy,
  FrameSy, PageSy, BgSoundSy, WrapSy, MetaSy, PanelSy, WbrSy, LinkSy, ColSy,
  // End symbols, in the order of rows 1 to 53.
  HtmlEndSy, TitleEndSy, BodyEndSy, HeadEndSy, BEndSy, IEndSy, HEndSy, EmEndSy, StrongEndSy,
  UEndSy, CiteEndSy, VarEndSy, TTEndSy, CodeEndSy, KbdEndSy, SampEndSy, OLEndSy, ULEndSy,
  DirEndSy, MenuEndSy, DLEndSy, AEndSy, AddressEndSy, BlockQuoteEndSy, PreEndSy, CenterEndSy,
  TableEndSy, TDEndSy, THEndSy, CaptionEndSy, FormEndSy, TextAreaEndSy, SelectEndSy, OptionEndSy,
  FontEndSy, SubEndSy, SupEndSy, BigEndSy, SmallEndSy, PEndSy, MapEndSy, FrameSetEndSy,
  NoFramesEndSy, ScriptEndSy, DivEndSy, SEndSy, StrikeEndSy, TREndSy, NoBrEndSy, StyleEndSy,
  SpanEndSy, ColGroupEndSy, LabelEndSy,
  // Symbols that are no tag: a text run, a tag that is in no row (or the end
  // tag of a row without end symbol), the end of the text, and the line ends
  // and closings met while a TEXTAREA or SCRIPT is read literally.
  TextSy, CommandSy, EofSy, EolSy, TextAreaClosedSy, ScriptClosedSy,
  // An attribute word that is in no row of the attribute table.
  OtherAttribute,
  // Attribute words that are no tag.
  HrefSy, NameSy, SrcSy, AltSy, AlignSy, BgColorSy, BackgroundSy, ColSpanSy, RowSpanSy, BorderSy,
  CellPaddingSy, CellSpacingSy, VAlignSy, WidthSy, StartSy, ValueSy, TypeSy, CheckBoxSy, RadioSy,
  MethodSy, ActionSy, CheckedSy, SizeSy, MaxLengthSy, ColsSy, RowsSy, MultipleSy, FaceSy, ColorSy,
  TranspSy, ClearSy, IsMapSy, BorderColorSy, UseMapSy, ShapeSy, CoordsSy, NoHrefSy, HeightSy,
  PlainSy, TargetSy, NoResizeSy, ScrollingSy, HSpaceSy, LanguageSy, FrameBorderSy, MarginWidthSy,
  MarginHeightSy, LoopSy, OnClickSy, NoShadeSy, HttpEqSy, ContentSy, EncTypeSy, VLinkSy, OLinkSy,
  ActiveSy, VSpaceSy, ClassSy, IDSy, RelSy, RevSy, NoWrapSy, BorderColorLightSy,
  BorderColorDarkSy, CharSetSy, RatioSy, OnFocusSy, OnBlurSy, OnChangeSy, TabIndexSy,
  BgPropertiesSy, DisabledSy, TopMarginSy, LeftMarginSy,
};

// Rows of the tag table, and how many of them have an end symbol.
inline constexpr int TagRowCount = 74;
inline constexpr int TagRowsWithEnd = 53;

constexpr bool IsStartTagSymbol(Symb Sy) { return Sy < HtmlEndSy; }
constexpr bool IsEndTagSymbol(Symb Sy) { return Sy >= HtmlEndSy && Sy <= LabelEndSy; }
