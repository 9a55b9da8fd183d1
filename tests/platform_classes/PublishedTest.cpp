#include <gtest/gtest.h>

#include "platform/classes/classes.h"  // the umbrella, so that it stays whole

TEST(PublishedTest, EnumerationsSetsAndPropertiesReadByName)
{
  EXPECT_EQ(GetEnumName(TypeInfo<TPenMode>(), pmNotXor), "pmNotXor");
  EXPECT_EQ(GetEnumValue(TypeInfo<TBrushStyle>(), "BSDIAGCROSS"), bsDiagCross);
  EXPECT_EQ(SetTypeSize(TypeInfo<TComponentState>()), 2u);

  TFont font;
  const TPropInfo* style = GetPropInfo(TypeInfo<TFont>(), "style");
  ASSERT_NE(style, nullptr);
  SetOrdProp(&font, style, TFontStyles{fsBold, fsUnderline}.ToInteger());
  EXPECT_TRUE(font.Style() == (TFontStyles{fsBold, fsUnderline}));
  EXPECT_EQ(GetStrProp(&font, GetPropInfo(TypeInfo<TFont>(), "Name")), "MS Sans Serif");

  TPopupMenu menu(nullptr);
  const TPropInfo* alignment = GetPropInfo(TypeInfo<TPopupMenu>(), "Alignment");
  SetOrdProp(&menu, alignment, paCenter);
  EXPECT_EQ(menu.Alignment(), paCenter);
  EXPECT_NE(GetPropInfo(TypeInfo<TPopupMenu>(), "Name"), nullptr);  // from TComponent
}

TEST(PublishedTest, ColoursReadAndWriteByName)
{
  struct Case {
    TColor Color;
    const char* Text;
  } cases[] = {
      {clRed, "clRed"}, {clBtnFace, "clBtnFace"}, {clNone, "clNone"}, {clDefault, "clDefault"},
      {TColor(0x00FF8000), "$00FF8000"}, {clSilver, "clSilver"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ColorToString(c.Color), c.Text);
    EXPECT_EQ(StringToColor(c.Text), c.Color) << c.Text;
  }
  EXPECT_EQ(StringToColor("CLWINDOW"), clWindow);
  EXPECT_EQ(StringToColor("255"), clRed);
  EXPECT_THROW(StringToColor("clNothing"), EConvertError);
  std::int32_t value = 0;
  ASSERT_TRUE(FindIdentToInt(TColorTypeInfo())("clSilver", value));
  EXPECT_EQ(value, clSilver);
}
