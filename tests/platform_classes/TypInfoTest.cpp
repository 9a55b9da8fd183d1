#include <gtest/gtest.h>

#include "platform/base/Persistent.h"
#include "platform/classes/typinfo/TypInfo.h"
#include "platform/classes/typinfo/TypInfoDeclare.h"

CORVANE_ENUM(TTestShape, "TestUnit", tsCircle, tsSquare, tsTriangle);
using TTestShapes = Set<TTestShape>;
CORVANE_DESCRIBE_SET(TTestShapes);

namespace testns {
enum class Wide : std::int16_t { First, Second };
}
CORVANE_DESCRIBE_ENUM(testns::Wide, "TestUnit", First, Second);

class TTestBase : public TPersistent {
public:
  int Width() const { return FWidth; }
  void SetWidth(int v) { FWidth = v; }
  int FWidth = 0;
};
CORVANE_DESCRIBE_CLASS(TTestBase, TPersistent, "TestUnit",
                       .Property("Width", &TTestBase::Width, &TTestBase::SetWidth).Default(64));

class TTestShapeBox : public TTestBase {
public:
  TTestShape Shape() const { return FShape; }
  void SetShape(TTestShape v) { FShape = v; }
  std::string Caption() const { return FCaption; }
  void SetCaption(const std::string& v) { FCaption = v; }
  double Scale() const { return FScale; }
  void SetScale(double v) { FScale = v; }
  bool CaptionStored() const { return !FCaption.empty(); }
  int Area() { return FWidth * FWidth; }  // a getter that is not const
  void SetArea(int) {}
  TTestShape FShape = tsCircle;
  std::string FCaption;
  double FScale = 1;
  TTestShapes FShapes;
};
CORVANE_DESCRIBE_CLASS(TTestShapeBox, TTestBase, "TestUnit",
                       .Property("Shape", &TTestShapeBox::Shape, &TTestShapeBox::SetShape)
                       .Property("Caption", &TTestShapeBox::Caption, &TTestShapeBox::SetCaption)
                       .Stored(&TTestShapeBox::CaptionStored)
                       .Property("Scale", &TTestShapeBox::Scale, &TTestShapeBox::SetScale)
                       .Field("Shapes", &TTestShapeBox::FShapes)
                       .Property("Area", &TTestShapeBox::Area, &TTestShapeBox::SetArea));

TEST(TypInfo, EnumerationMacroGivesNamesRangeAndExactSetSize)
{
  PTypeInfo t = TypeInfo<TTestShape>();
  EXPECT_EQ(t->Kind, tkEnumeration);
  EXPECT_EQ(t->Name, "TTestShape");
  EXPECT_EQ(t->Data.OrdType, otUByte);
  EXPECT_EQ(OrdinalMax(t), 2);
  EXPECT_EQ(t->Data.UnitName, "TestUnit");
  EXPECT_EQ(EnumBaseType(t), t);
  EXPECT_EQ(GetEnumName(t, 1), "tsSquare");
  EXPECT_EQ(GetEnumName(t, 3), "");
  EXPECT_EQ(GetEnumValue(t, "TSTRIANGLE"), 2);
  EXPECT_EQ(GetEnumValue(t, "tsHexagon"), -1);
  EXPECT_EQ(TTestShapes::Size, 1u);
  EXPECT_EQ(SetTypeSize(TypeInfo<TTestShapes>()), 1u);
  EXPECT_EQ(TypeInfo<TTestShapes>()->Data.CompType, t);

  // A qualified, wider enumeration keeps its bare name and its size.
  PTypeInfo w = TypeInfo<testns::Wide>();
  EXPECT_EQ(w->Name, "Wide");
  EXPECT_EQ(w->Data.OrdType, otSWord);
  EXPECT_EQ(GetEnumName(w, 1), "Second");
}

TEST(TypInfo, OrdinalsReadWithTheirKindsSizeAndSign)
{
  const std::uint8_t bytes[4] = {0xFE, 0xFF, 0xFF, 0xFF};
  struct Case {
    TOrdType type;
    std::int64_t expected;
  } cases[] = {{otSByte, -2}, {otUByte, 254}, {otSWord, -2}, {otUWord, 65534}, {otSLong, -2}, {otULong, 4294967294}};
  for (const Case& c : cases)
    EXPECT_EQ(ReadOrdinal(c.type, bytes), c.expected) << int(c.type);
  EXPECT_EQ(ReadOrdinal(TOrdType(9), bytes), -1);

  std::uint8_t out[4] = {0xAA, 0xAA, 0xAA, 0xAA};
  WriteOrdinal(otUWord, out, 0x1234);
  EXPECT_EQ(out[0], 0x34);
  EXPECT_EQ(out[1], 0x12);
  EXPECT_EQ(out[2], 0xAA);  // only the kind's bytes are written
}

TEST(TypInfo, BuiltinCardinalRangeIsUnsigned)
{
  EXPECT_EQ(OrdinalMax(TypeInfo<std::uint32_t>()), 4294967295LL);
  EXPECT_EQ(OrdinalMin(TypeInfo<std::int32_t>()), -2147483648LL);
  EXPECT_EQ(TypeInfo<bool>()->Name, "Boolean");
  EXPECT_EQ(GetEnumName(TypeInfo<bool>(), 1), "True");
  EXPECT_EQ(TypeInfo<TPersistent>()->Data.ParentInfo, TypeInfo<TObject>());
}

TEST(TypInfo, ClassDescriptorCountsOwnAndInheritedProperties)
{
  PTypeInfo box = TypeInfo<TTestShapeBox>();
  EXPECT_EQ(box->Kind, tkClass);
  EXPECT_EQ(box->Data.ParentInfo, TypeInfo<TTestBase>());
  EXPECT_EQ(box->Data.Props.size(), 5u);
  EXPECT_EQ(box->Data.PropCount, 6);
  EXPECT_EQ(box->Data.Props[0].NameIndex, 1);
  EXPECT_EQ(box->Data.Props[0].PropType, TypeInfo<TTestShape>());
  EXPECT_EQ(box->Data.Props[3].PropType, TypeInfo<TTestShapes>());
  // Fields are stored as field specifiers with their offset.
  EXPECT_EQ(box->Data.Props[3].GetProc >> 24, 0xFFu);
  EXPECT_EQ(box->Data.ClassType, &typeid(TTestShapeBox));

  std::vector<const TPropInfo*> all = GetPropList(box);
  ASSERT_EQ(all.size(), 6u);
  EXPECT_EQ(all[5]->Name, "Width");
  EXPECT_EQ(GetPropInfo(box, "width"), all[5]);
  EXPECT_EQ(GetPropInfo(box, "Height"), nullptr);
}

TEST(TypInfo, TypedPropertyAccessGoesThroughTheRegisteredAccessors)
{
  TTestShapeBox box;
  PTypeInfo info = TypeInfo<TTestShapeBox>();
  SetOrdProp(&box, GetPropInfo(info, "Width"), 120);
  SetOrdProp(&box, GetPropInfo(info, "Shape"), tsTriangle);
  SetStrProp(&box, GetPropInfo(info, "Caption"), "Forme");
  SetFloatProp(&box, GetPropInfo(info, "Scale"), 2.5);
  SetOrdProp(&box, GetPropInfo(info, "Shapes"), TTestShapes{tsSquare}.ToInteger());
  EXPECT_EQ(box.FWidth, 120);
  EXPECT_EQ(box.FShape, tsTriangle);
  EXPECT_EQ(box.FCaption, "Forme");
  EXPECT_EQ(box.FScale, 2.5);
  EXPECT_TRUE(box.FShapes == TTestShapes{tsSquare});
  EXPECT_EQ(GetOrdProp(&box, GetPropInfo(info, "Shape")), 2);
  EXPECT_EQ(GetStrProp(&box, GetPropInfo(info, "Caption")), "Forme");
  EXPECT_EQ(GetOrdProp(&box, GetPropInfo(info, "Area")), 14400);

  // An ordinal outside the enumeration is refused before it reaches the object.
  EXPECT_THROW(SetOrdProp(&box, GetPropInfo(info, "Shape"), 3), ERangeError);
  EXPECT_EQ(box.FShape, tsTriangle);
  // Access of the wrong kind, or on an object of another class.
  EXPECT_THROW(GetFloatProp(&box, GetPropInfo(info, "Caption")), EPropertyError);
  TTestBase other;
  EXPECT_THROW(GetOrdProp(&other, GetPropInfo(info, "Shape")), EPropertyError);
}

TEST(TypInfo, StoredTestsAnswerConstantsAndAccessors)
{
  TTestShapeBox box;
  PTypeInfo info = TypeInfo<TTestShapeBox>();
  EXPECT_TRUE(IsStoredProp(&box, GetPropInfo(info, "Width")));
  EXPECT_FALSE(IsStoredProp(&box, GetPropInfo(info, "Caption")));
  box.FCaption = "x";
  EXPECT_TRUE(IsStoredProp(&box, GetPropInfo(info, "Caption")));
}

TEST(TypInfo, IntegerIdentifierMapsAreFoundByType)
{
  auto colour = NewOrdinalType(tkInteger, "TTestColour", otSLong, -2147483647 - 1, 2147483647);
  EXPECT_FALSE(FindIntToIdent(colour.get()));
  RegisterIntegerIdents(
      colour.get(),
      [](std::int32_t v, std::string& ident) {
        if (v != 0xFF)
          return false;
        ident = "clRed";
        return true;
      },
      [](const std::string& ident, std::int32_t& v) {
        v = 0xFF;
        return ident == "clRed";
      });
  std::string ident;
  ASSERT_TRUE(FindIntToIdent(colour.get()));
  EXPECT_TRUE(FindIntToIdent(colour.get())(0xFF, ident));
  EXPECT_EQ(ident, "clRed");
  std::int32_t v = 0;
  EXPECT_TRUE(FindIdentToInt(colour.get())("clRed", v));
  EXPECT_EQ(v, 0xFF);
}
