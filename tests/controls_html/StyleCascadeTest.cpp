#include <gtest/gtest.h>

#include "Printers.h"
#include "TestFonts.h"

#include "controls/html/styles/ColorNames.h"
#include "controls/html/styles/CssParser.h"
#include "controls/html/styles/PropStack.h"
#include "controls/html/styles/Properties.h"
#include "controls/html/styles/StyleList.h"

namespace {

// A style list with the default sheet, and a stack whose bottom entry copies
// its default rule.
class StyleCascadeTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    Styles.StyleDefaultSheet("Times New Roman", "Courier New", 10, 10, 1, true, 0x0000FF, 0x800080, 0xFF0000, 0, 12);
    Stack.Styles = &Styles;
    auto* Base = new TProperties(TestFonts());
    Base->CopyDefault(*Styles.DefProp());
    Stack.Add(Base);
  }

  TProperties* Push(const std::string& Tag, const std::string& Class = "", const std::string& Pseudo = "",
                    TProperties* Style = nullptr)
  {
    return Stack.Push(Tag, Class, "", Pseudo, "", Style);
  }

  // Adds a sheet as the CSS reader reads it.
  void AddSheet(const std::string& Sheet) { ParseStyleSheetText(Styles, Sheet, ""); }

  TStyleList Styles{TestFonts()};
  TPropStack Stack{TestFonts()};
};

std::string Family(const TProperties* P) { return P->Props[piFontFamily].AsString(); }

}  // namespace

TEST_F(StyleCascadeTest, LinkRulesMergeInOrder)
{
  // "a" declarations reach "::link" too; then "::link", "a" and ":link" are
  // merged in that order.
  Styles.AddModifyProp("a", "font-family", "from-a");
  EXPECT_EQ(Family(Styles.RuleOf("::link")), "from-a");
  Styles.AddModifyProp("::link", "font-family", "from-link-state");
  EXPECT_EQ(Family(Push("a", "", "link")), "from-a");
  Stack.Pop();
  Styles.AddModifyProp(":link", "font-family", "from-pseudo");
  EXPECT_EQ(Family(Push("a", "", "link")), "from-pseudo");
  Stack.Pop();
  // A colour given for "a" overrides the default link colour.
  Styles.AddModifyProp("a", "color", "green");
  EXPECT_EQ(Push("a", "", "link")->Props[piColor], TPropValue(0x00008000));
}

TEST_F(StyleCascadeTest, ClassIdAndPseudoKeys)
{
  AddSheet("p {color: red} .note {color: blue} p.note {font-weight: bold} #x {font-style: italic}"
           " p.note#x {text-decoration: underline}");
  TProperties* P = Stack.Push("p", "note", "x", "", "", nullptr);
  EXPECT_EQ(P->Props[piColor], TPropValue(0x00FF0000));  // blue: names carry no palette flag
  EXPECT_EQ(P->Props[piFontWeight], TPropValue("bold"));
  EXPECT_EQ(P->Props[piFontStyle], TPropValue("italic"));
  EXPECT_EQ(P->Props[piTextDecoration], TPropValue("underline"));
  EXPECT_TRUE(P->ExplicitFlags[piColor]);
  // A "hover" element takes only its pseudo-class rules.
  Styles.AddModifyProp("p:hover", "font-family", "hovered");
  EXPECT_TRUE(Styles.LinksActive());
  TProperties* H = Stack.Push("p", "note", "", "hover", "", nullptr);
  EXPECT_EQ(Family(H), "hovered");
  EXPECT_EQ(H->Props[piFontWeight], TPropValue("bold"));  // inherited from the p below, not from p.note
}

TEST_F(StyleCascadeTest, DescendantRulesFollowTheStack)
{
  AddSheet("li {font-family: plain} ul li {font-family: in-ul} div ul li {font-style: italic}");
  EXPECT_NE(Styles.RuleOf("li 110ul "), nullptr);
  Push("ul");
  TProperties* InUl = Push("li");
  EXPECT_EQ(Family(InUl), "in-ul");  // the descendant rule comes after "li"
  EXPECT_FALSE(InUl->Props[piFontStyle] == TPropValue("italic"));
  Stack.Pop();
  Stack.Pop();
  Push("div");
  Push("span");
  Push("ul");
  EXPECT_EQ(Push("li")->Props[piFontStyle], TPropValue("italic"));  // ancestors need not be parents
  while (Stack.Count() > 1)
    Stack.Pop();
  Push("ol");
  EXPECT_EQ(Family(Push("li")), "plain");
}

TEST_F(StyleCascadeTest, DescendantKeysUseTenCompounds)
{
  AddSheet("a b c d e f g h i j k {font-family: deep}");
  for (const char* Tag : {"b", "c", "d", "e", "f", "g", "h", "i", "j"})
    Push(Tag);
  EXPECT_EQ(Family(Push("k")), "deep");  // the eleventh compound, "a", is not looked at
}

TEST_F(StyleCascadeTest, StyleAttributeComesLastAndSizesConvert)
{
  AddSheet("span {color: red; font-size: 2em}");
  TProperties Style(TestFonts());
  ParseStyleAttribute("color: blue", Style);
  TProperties* Parent = Push("div");
  Parent->Props[piFontSize] = 10.0;
  TProperties* Span = Push("span", "", "", &Style);
  EXPECT_EQ(Span->Props[piColor], TPropValue(0x00FF0000));
  EXPECT_EQ(Span->Props[piFontSize], TPropValue(20.0));
  ASSERT_NE(Span->PropStyle, nullptr);
  EXPECT_NE(Span->PropStyle, &Style);  // the element keeps a copy of its STYLE set
}

TEST_F(StyleCascadeTest, LinkFontsForTheFourStates)
{
  AddSheet("a:hover {text-decoration: none} a:visited {font-weight: bold}");
  TProperties* Link = Push("a", "", "link");
  ASSERT_TRUE(Link->HasFontInfo());
  const TFontInfoArray& Fonts = *Link->FontInfo();
  EXPECT_EQ(Fonts.Ar(TFontInfoArray::LFont).Color, 0x02FF0000);
  EXPECT_TRUE(Fonts.Ar(TFontInfoArray::LFont).Style.Contains(fsUnderline));
  EXPECT_EQ(Fonts.Ar(TFontInfoArray::VFont).Color, 0x02800080);
  EXPECT_TRUE(Fonts.Ar(TFontInfoArray::VFont).Style.Contains(fsBold));
  EXPECT_EQ(Fonts.Ar(TFontInfoArray::HLFont).Color, 0x020000FF);
  EXPECT_FALSE(Fonts.Ar(TFontInfoArray::HLFont).Style.Contains(fsUnderline));
  EXPECT_TRUE(Fonts.Ar(TFontInfoArray::HVFont).Style.Contains(fsBold));
  EXPECT_FALSE(Fonts.Ar(TFontInfoArray::HVFont).Style.Contains(fsUnderline));
  EXPECT_EQ(Stack.Count(), 2);  // the temporary entries are gone
  // Text inside the link inherits its fonts.
  EXPECT_TRUE(Push("b")->HasFontInfo());
}

TEST_F(StyleCascadeTest, PoppingAnElementLeftOpenReinheritsTheOnesAboveUnlessItStoodOnTheBase)
{
  // Right above the base the entries above keep their values; deeper they
  // inherit again from what is left below them.
  for (int Depth : {1, 2}) {
    Stack.Clear();
    SetUp();
    if (Depth == 2)
      Push("body");
    Push("b");
    TProperties* I = Push("i");
    EXPECT_EQ(I->Props[piFontWeight], TPropValue("bold"));
    Stack.PopAName("b");
    ASSERT_EQ(Stack.Last(), I);
    EXPECT_EQ(I->Props[piFontWeight], TPropValue(Depth == 1 ? "bold" : "normal")) << Depth;
    EXPECT_EQ(I->Props[piFontStyle], TPropValue("italic")) << Depth;
    Stack.PopAName("nothing-open");
    EXPECT_EQ(Stack.Last(), I);
  }
}

TEST_F(StyleCascadeTest, BorderedElementsEndTheirInlineBoxWhenPopped)
{
  struct TCatcher : TObject {
    std::vector<std::string> Ended;
    void End(TProperties* P) { Ended.push_back(P->PropTag); }
  } Catcher;
  Stack.OnEndInlineBox = Method<void(TProperties*)>(&Catcher, &TCatcher::End);
  AddSheet("span.box {border: 1px solid red} span.flat {border-style: none}");
  Push("span", "box");
  Push("span", "flat");
  Stack.PopAName("span");
  Stack.PopAName("span");
  EXPECT_EQ(Catcher.Ended, std::vector<std::string>{"span"});
}

TEST_F(StyleCascadeTest, StackDepthIsBounded)
{
  for (int I = 0; I < 1000; ++I)
    Push("b");
  EXPECT_LE(Stack.Count(), TPropStack::MaxDepth + 1);
  EXPECT_EQ(Stack.Items(0)->PropTag, "default");
  Stack.Pop();
  Stack.Clear();
  EXPECT_EQ(Stack.Count(), 0);
}

TEST_F(StyleCascadeTest, DefaultSheet)
{
  struct Case {
    const char* Key;
    int Prop;
    TPropValue Value;
  } Cases[] = {
      {"h1", piFontSize, 24.0},          {"h6", piFontSize, 8.0},
      {"pre", piFontSize, 10.0},         {"pre", piFontFamily, "Courier New"},
      {"p 11pre", piMarginTop, 0},       {"p", piMarginBottom, AutoParagraph},
      {"ul", piListStyleType, "blank"},  {"dl", piMarginLeft, 0},
      {"dd", piMarginLeft, 40},          {"blockquote", piMarginBottom, 14},
      {"th", piFontWeight, "bold"},      {"samp", piFontSize, "0.833em"},
      {"address", piFontStyle, "italic"}, {"strike", piTextDecoration, "line-through"},
      {"caption", piTextAlign, "center"}, {"textarea", piFontFamily, "Courier New"},
      {"select", piFontFamily, "Arial Unicode MS, Arial"}, {"hr", piMarginTop, 10},
      {"::link", piColor, 0x02FF0000},   {"::link", piTextDecoration, "underline"},
      {"default", piMarginLeft, 10},     {"default", piVisibility, int(viVisible)},
      {"sub", piVerticalAlign, "sub"},   {"table", piTextAlign, "none"},
  };
  for (const Case& C : Cases) {
    const TProperties* Rule = Styles.RuleOf(C.Key);
    ASSERT_NE(Rule, nullptr) << C.Key;
    EXPECT_EQ(Rule->Props[std::size_t(C.Prop)], C.Value) << C.Key << " " << PropName(C.Prop);
  }
  EXPECT_NE(Styles.RuleOf("null"), nullptr);
  EXPECT_DOUBLE_EQ(DefPointSize(), 12);
  EXPECT_EQ(Styles.NextSequence(), "10");
  EXPECT_EQ(Styles.NextSequence(), "11");

  Styles.StyleDefaultSheet("Arial", "Courier New", 0, 0, 1, false, 0, 0, 0, 0, 10);
  EXPECT_EQ(Styles.RuleOf("::link")->Props[piTextDecoration], TPropValue("none"));
  EXPECT_EQ(Styles.RuleOf("h1")->Props[piFontSize], TPropValue(20.0));
  EXPECT_EQ(Styles.NextSequence(), "10");  // a new sheet counts from 10 again
}

TEST_F(StyleCascadeTest, AddModifyProp)
{
  EXPECT_FALSE(Styles.AddModifyProp("p", "colour", "red"));
  EXPECT_TRUE(Styles.AddModifyProp(":link", "color", "#010203"));
  EXPECT_EQ(Styles.RuleOf("::hover")->Props[piColor], TPropValue(0x02030201));
  EXPECT_EQ(Styles.RuleOf("::visited")->Props[piColor], TPropValue(0x02030201));
  EXPECT_TRUE(Styles.AddModifyProp("p", "color", "not a colour"));
  EXPECT_TRUE(Styles.RuleOf("p")->Props[piColor].IsEmpty());
  Styles.ModifyLinkColor("visited", 7);
  EXPECT_EQ(Styles.RuleOf("::visited")->Props[piColor], TPropValue(7));
}

TEST_F(StyleCascadeTest, ARuleChangedAfterAnElementTookItReachesTheNextElement)
{
  // The cascade of div.note is kept after the first element; the values the
  // rule sets later, a box value among them, must still reach the next one.
  Styles.AddModifyProp("div.note", "font-family", "first");
  TProperties* First = Push("div", "note");
  EXPECT_EQ(Family(First), "first");
  EXPECT_EQ(First->Props[piMarginTop], TPropValue(IntNull));
  Stack.Pop();
  Styles.AddModifyProp("div.note", "margin-top", "5px");
  Styles.AddModifyProp("div.note", "color", "#010203");
  TProperties* Second = Push("div", "note");
  EXPECT_EQ(Family(Second), "first");
  EXPECT_EQ(Second->Props[piMarginTop], TPropValue("5px"));
  EXPECT_EQ(Second->Props[piColor], TPropValue(0x02030201));
}
