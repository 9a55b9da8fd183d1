#include <gtest/gtest.h>

#include "Printers.h"
#include "TestFonts.h"
#include "controls/html/styles/CssParser.h"
#include "controls/html/styles/Properties.h"
#include "controls/html/styles/detail/CssWords.h"

namespace {

// Records every declaration as "selector|name=value".
class TRecordingCssSink : public TCssSink {
public:
  std::string NextSequence() override { return std::to_string(Sequence++); }
  bool AddModifyProp(const std::string& Selector, const std::string& PropName, const std::string& Value) override
  {
    Calls.push_back(Selector + "|" + PropName + "=" + Value);
    return true;
  }
  int Sequence = 10;
  std::vector<std::string> Calls;
};

// The characters of a text, then NUL for ever, as the tokenizer gives them.
class TNulSource : public TObject {
public:
  explicit TNulSource(std::string Text) : FText(std::move(Text)) {}
  char Next() { return FAt < FText.size() ? FText[FAt++] : '\0'; }
  char Peek() { return FAt < FText.size() ? FText[FAt] : '\0'; }
  std::size_t Reads() const { return FAt; }

private:
  std::string FText;
  std::size_t FAt = 0;
};

std::vector<std::string> Sheet(const std::string& Text, const std::string& Base = "")
{
  TRecordingCssSink Sink;
  ParseStyleSheetText(Sink, Text, Base);
  return Sink.Calls;
}

using Calls = std::vector<std::string>;

}  // namespace

TEST(CssParserTest, BoxShorthands)
{
  struct Case {
    const char* Value;
    Calls Expected;
  } Cases[] = {
      {"1px", {"p|margin-top=1px", "p|margin-right=1px", "p|margin-bottom=1px", "p|margin-left=1px"}},
      {"1px 2px", {"p|margin-top=1px", "p|margin-right=2px", "p|margin-bottom=1px", "p|margin-left=2px"}},
      {"1px 2px 3px", {"p|margin-top=1px", "p|margin-right=2px", "p|margin-bottom=3px", "p|margin-left=2px"}},
      {"1px 2px 3px 4px", {"p|margin-top=1px", "p|margin-right=2px", "p|margin-bottom=3px", "p|margin-left=4px"}},
      {"1px 2px 3px 4px 5px",
       {"p|margin-top=1px", "p|margin-right=2px", "p|margin-bottom=3px", "p|margin-left=4px"}},
      {"", {}},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(Sheet(std::string("p {margin: ") + C.Value + "}"), C.Expected) << C.Value;
  EXPECT_EQ(Sheet("td {border-color: red blue}"),
            (Calls{"td|border-top-color=red", "td|border-right-color=blue", "td|border-bottom-color=red",
                   "td|border-left-color=blue"}));
  EXPECT_EQ(Sheet("td {padding:2PX}").front(), "td|padding-top=2px");
}

TEST(CssParserTest, ChatWindowHead)
{
  TRecordingCssSink Sink;
  // Line ends come folded to CR from the tokenizer.
  TNulSource Source(
      "\r<!--\r"
      "div.moi  {color: black; border: 1px black solid; background-color: #AACCAA}\r"
      "div.header {font-family: arial; font-size: 12px; color: white; border: 1px black inset; "
      "background-color: black}\r"
      "-->\r</STYLE>");
  char Ch = '>';
  ParseStyleSheet(Sink, Ch, TCssGetChar(&Source, &TNulSource::Next), TCssGetChar(&Source, &TNulSource::Peek), "");
  EXPECT_EQ(Ch, '<');
  EXPECT_EQ(Source.Peek(), '/');  // the source stands on the "<" of the closing tag
  const Calls Expected = {
      "div.moi|color=black",
      "div.moi|border-top-width=1px",
      "div.moi|border-right-width=1px",
      "div.moi|border-bottom-width=1px",
      "div.moi|border-left-width=1px",
      "div.moi|border-color=black",
      "div.moi|border-style=solid",
      "div.moi|background-color=#aaccaa",
      "div.header|font-family=arial",
      "div.header|font-size=12px",
      "div.header|color=white",
      "div.header|border-top-width=1px",
      "div.header|border-right-width=1px",
      "div.header|border-bottom-width=1px",
      "div.header|border-left-width=1px",
      "div.header|border-color=black",
      "div.header|border-style=inset",
      "div.header|background-color=black",
  };
  EXPECT_EQ(Sink.Calls, Expected);
}

TEST(CssParserTest, FontAndOtherShorthands)
{
  EXPECT_EQ(Sheet("p {font: italic bold 12px/14px serif}"),
            (Calls{"p|font-style=italic", "p|font-weight=bold", "p|font-size=12px", "p|line-height=14px",
                   "p|font-family=serif"}));
  // The font shorthand keeps the quotes of a family; font-family loses them.
  EXPECT_EQ(Sheet("p {font: 12px 'Times New Roman', serif}"),
            (Calls{"p|font-size=12px", "p|font-family='times new roman',serif"}));
  EXPECT_EQ(Sheet("p {font-family: 'Arial'}"), (Calls{"p|font-family=arial"}));
  EXPECT_EQ(Sheet("p {border-top: 2px dotted rgb(1,2,3)}"),
            (Calls{"p|border-top-color=rgb(1,2,3)", "p|border-top-width=2px", "p|border-top-style=dotted"}));
  EXPECT_EQ(Sheet("body {background: url(x.gif) #fff no-repeat fixed top left}"),
            (Calls{"body|background-image=url(x.gif)", "body|background-color=#fff",
                   "body|background-repeat=no-repeat", "body|background-attachment=fixed",
                   "body|background-position=top left "}));
  EXPECT_EQ(Sheet("body {background: none 50%}"),
            (Calls{"body|background-image=none", "body|background-position=50%"}));
  EXPECT_EQ(Sheet("ul {list-style: square url(dot.gif)}"),
            (Calls{"ul|list-style-type=square", "ul|list-style-image=url(dot.gif)"}));
}

TEST(CssParserTest, SelectorsAreNormalised)
{
  EXPECT_EQ(Sheet("h1, h2 {color:red}"), (Calls{"h1|color=red", "h2|color=red"}));
  EXPECT_EQ(Sheet("div p a {color:red}"), (Calls{"a 210p div |color=red"}));
  EXPECT_EQ(Sheet("P.Note  SPAN {color:red} b i {x:y}"),
            (Calls{"span 110p.note |color=red", "i 111b |x=y"}));
  // Syntax it does not know ends the selector; the rest up to "{" is skipped.
  EXPECT_EQ(Sheet("ul > li {color:red}"), (Calls{"ul|color=red"}));
}

TEST(CssParserTest, CommentsAtRulesAndMarksAreSkipped)
{
  EXPECT_EQ(Sheet("/* c */ p{color:red} @media print { p {color:blue} { } } @import url(x.css); div{x:y}"),
            (Calls{"p|color=red", "div|x=y"}));
  EXPECT_EQ(Sheet("/* a **/ p{color:red}"), (Calls{"p|color=red"}));
  EXPECT_EQ(Sheet("p{color:/**/red}/*x*//*y*/b{x:y}"), (Calls{"p|color=red", "b|x=y"}));
  EXPECT_EQ(Sheet("<!-- p {color: red} -->"), (Calls{"p|color=red"}));
  EXPECT_EQ(Sheet("p {color: red; ; ! ; margin-top : 2px}"), (Calls{"p|color=red", "p|margin-top=2px"}));
  EXPECT_EQ(Sheet("p {a: \"x;y\"}"), (Calls{"p|a=\"x"}));  // a value ends at ";" even in quotes
}

TEST(CssParserTest, SheetsEndAtTheEndOfTheText)
{
  // A STYLE element that ends the document: the reader's NUL ends the sheet
  // wherever it comes.
  for (const char* Text : {"p {color: red", "p {color", "p", "/* open", "@media x { p {", "p, ", ""}) {
    TRecordingCssSink Sink;
    TNulSource Source(Text);
    char Ch = '>';
    ParseStyleSheet(Sink, Ch, TCssGetChar(&Source, &TNulSource::Next), TCssGetChar(&Source, &TNulSource::Peek), "");
    EXPECT_EQ(Ch, '\0') << Text;
  }
  // An empty sheet stops on the "<" of its closing tag.
  TRecordingCssSink Sink;
  TNulSource Source("</style>after");
  char Ch = '>';
  ParseStyleSheet(Sink, Ch, TCssGetChar(&Source, &TNulSource::Next), TCssGetChar(&Source, &TNulSource::Peek), "");
  EXPECT_EQ(Ch, '<');
  EXPECT_EQ(Source.Reads(), 1u);
  EXPECT_TRUE(Sink.Calls.empty());
}

TEST(CssParserTest, UrlsMadeAbsoluteAgainstTheSheetsBase)
{
  EXPECT_EQ(Sheet("p {background: url(../i.gif)}", "http://h/d/"),
            (Calls{"p|background-image=url(http://h/i.gif)"}));
  EXPECT_EQ(Sheet("p {background-image: url('img/a.gif')}", "C:\\site\\"),
            (Calls{"p|background-image=url(C:\\site\\img\\a.gif)"}));
  EXPECT_EQ(Sheet("p {background-image: url(http://x/a.gif)}", "http://h/d/"),
            (Calls{"p|background-image=url(http://x/a.gif)"}));
  EXPECT_EQ(Sheet("p {background-image: url(a.gif)}"), (Calls{"p|background-image=url(a.gif)"}));
}

TEST(CssParserTest, StyleAttribute)
{
  TProperties P(TestFonts());
  ParseStyleAttribute("COLOR: Red; margin: 1px 2px;font: italic 10pt 'Arial' ; border:1px solid; bogus", P);
  EXPECT_EQ(P.Props[piColor], TPropValue(0x000000FF));
  EXPECT_EQ(P.Props[piMarginTop], TPropValue("1px"));
  EXPECT_EQ(P.Props[piMarginLeft], TPropValue("2px"));
  EXPECT_EQ(P.Props[piFontStyle], TPropValue("italic"));
  EXPECT_EQ(P.Props[piFontSize], TPropValue("10pt"));
  EXPECT_EQ(P.Props[piFontFamily], TPropValue("'arial'"));
  EXPECT_EQ(P.Props[piBorderLeftWidth], TPropValue("1px"));
  EXPECT_EQ(P.Props[piBorderStyle], TPropValue("solid"));
  TProperties Q(TestFonts());
  ParseStyleAttribute("font-family=\"x y\";;;width:", Q);
  EXPECT_EQ(Q.Props[piFontFamily], TPropValue("x y"));
  EXPECT_EQ(Q.Props[piWidth], TPropValue(""));
}

TEST(CssParserTest, Words)
{
  using namespace CssWords;
  EXPECT_EQ(SplitWords("  a   b  ", 7), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(SplitWords("'a b' c", 7), (std::vector<std::string>{"'a b'", "c"}));
  EXPECT_EQ(SplitWords("x, y z", 7), (std::vector<std::string>{"x,y", "z"}));
  EXPECT_EQ(SplitWords("1 2 3 4 5", 4).size(), 4u);
  std::string V = "a url(x) rgb(1,2,3) b";
  EXPECT_EQ(ExtractGroups(V, 7), (std::vector<std::string>{"url(x)", "rgb(1,2,3)"}));
  EXPECT_EQ(V, "a   b");
  std::string W = ") url(x)";
  EXPECT_TRUE(ExtractGroups(W, 7).empty());
  EXPECT_EQ(RemoveQuotes("'a'"), "a");
  EXPECT_EQ(RemoveQuotes("'a\""), "'a\"");
  EXPECT_EQ(RemoveQuotes("'"), "'");
}
