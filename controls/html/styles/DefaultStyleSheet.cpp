// The rules every document starts with, built from the viewer's defaults.
#include "controls/html/styles/ColorNames.h"
#include "controls/html/styles/Properties.h"
#include "controls/html/styles/StyleList.h"

void TStyleList::StyleDefaultSheet(const std::string& FontName, const std::string& PreFontName, int MarginWidth,
                                   int MarginHeight, int CharSet, bool LinkUnderline, TColor OverColor,
                                   TColor VisitedColor, TColor HotSpotColor, TColor FontColor, double FontSize)
{
  Clear();
  SetDefPointSize(FontSize);

  TProperties* P = AddRule("default");
  P->Props[piFontFamily] = FontName;
  P->Props[piFontSize] = FontSize;
  P->Props[piFontStyle] = "none";
  P->Props[piFontWeight] = "normal";
  P->Props[piTextAlign] = "left";
  P->Props[piTextDecoration] = "none";
  P->Props[piTextTransform] = int(txNone);
  P->Props[piFontVariant] = "normal";
  P->Props[piColor] = FontColor;
  P->Props[piMarginTop] = MarginHeight;
  P->Props[piMarginBottom] = MarginHeight;
  P->Props[piMarginLeft] = MarginWidth;
  P->Props[piMarginRight] = MarginWidth;
  P->Props[piVisibility] = int(viVisible);
  P->Props[piLetterSpacing] = 0;
  P->AssignCharSet(CharSet);
  FDefProp = P;

  P = AddRule("::link");
  P->Props[piColor] = HotSpotColor | PaletteRelative;
  P->Props[piTextDecoration] = LinkUnderline ? "underline" : "none";
  AddRule("::visited")->Props[piColor] = VisitedColor | PaletteRelative;
  AddRule("::hover")->Props[piColor] = OverColor | PaletteRelative;
  AddRule("null");

  P = AddRule("pre");
  P->Props[piFontFamily] = PreFontName;
  P->Props[piFontSize] = FontSize * 10 / 12;
  P->Props[piFontStyle] = "none";
  P->Props[piFontWeight] = "normal";
  P->Props[piTextDecoration] = "none";

  P = AddRule("p");
  P->Props[piMarginTop] = AutoParagraph;
  P->Props[piMarginBottom] = AutoParagraph;
  AddRule("p 11pre")->Props[piMarginTop] = 0;

  for (const char* List : {"ul", "ol", "menu", "dir", "dl", "dd", "blockquote"}) {
    P = AddRule(List);
    P->Props[piMarginLeft] = 35;
    P->Props[piMarginTop] = 0;
    P->Props[piMarginBottom] = 0;
    const std::string Name = List;
    if (Name == "dl") {
      P->Props[piMarginLeft] = 0;
      P->Props[piListStyleType] = "none";
    } else if (Name == "dd") {
      P->Props[piMarginLeft] = 40;
    } else if (Name == "blockquote") {
      P->Props[piMarginTop] = AutoParagraph;
      P->Props[piMarginBottom] = 14;
    } else {
      P->Props[piListStyleType] = "blank";
      P->Props[piMarginTop] = AutoParagraph;
      P->Props[piMarginBottom] = AutoParagraph;
    }
  }

  P = AddRule("code");
  P->Props[piFontFamily] = PreFontName;
  P->Props[piFontSize] = "0.833em";
  for (const char* Copy : {"tt", "kbd", "samp"})
    AddDuplicate(Copy, *P);

  P = AddRule("b");
  P->Props[piFontWeight] = "bold";
  for (const char* Copy : {"strong", "th"})
    AddDuplicate(Copy, *P);

  P = AddRule("sup");
  P->Props[piFontSize] = "75%";
  P->Props[piVerticalAlign] = "super";
  P = AddRule("sub");
  P->Props[piFontSize] = "75%";
  P->Props[piVerticalAlign] = "sub";

  AddRule("big")->Props[piFontSize] = "1.25em";
  AddRule("small")->Props[piFontSize] = "0.75em";
  AddRule("table")->Props[piTextAlign] = "none";

  P = AddRule("i");
  P->Props[piFontStyle] = "italic";
  for (const char* Copy : {"em", "cite", "var", "address"})
    AddDuplicate(Copy, *P);

  AddRule("u")->Props[piTextDecoration] = "underline";
  P = AddRule("s");
  P->Props[piTextDecoration] = "line-through";
  AddDuplicate("strike", *P);

  P = AddRule("center");
  P->Props[piTextAlign] = "center";
  AddDuplicate("caption", *P);

  P = AddRule("input");
  P->Props[piFontFamily] = "Arial Unicode MS, Arial";
  P->Props[piFontSize] = "10pt";
  P->Props[piFontStyle] = "none";
  P->Props[piFontWeight] = "normal";
  P->Props[piTextAlign] = "left";
  P->Props[piTextDecoration] = "none";
  P->Props[piColor] = FontColor;
  AddDuplicate("select", *P);
  AddDuplicate("textarea", *P)->Props[piFontFamily] = PreFontName;

  P = AddRule("hr");
  P->Props[piMarginLeft] = 0;
  P->Props[piMarginRight] = 0;
  P->Props[piMarginTop] = 10;
  P->Props[piMarginBottom] = 10;

  static constexpr int HeadingSizes[6] = {24, 18, 14, 12, 10, 8};
  for (int H = 0; H < 6; ++H) {
    P = AddRule("h" + std::to_string(H + 1));
    P->Props[piFontSize] = FontSize / 12 * HeadingSizes[H];
    P->Props[piMarginTop] = 19;
    P->Props[piMarginBottom] = 19;
    P->Props[piFontWeight] = "bold";
  }
}
