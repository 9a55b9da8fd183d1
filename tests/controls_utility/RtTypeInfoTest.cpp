#include <gtest/gtest.h>

#include "SampleTypes.h"
#include "controls/utility/rtti/RtClassTypeInfo.h"
#include "controls/utility/rtti/RtEnumerationTypeInfo.h"
#include "controls/utility/rtti/RtEventTypeInfo.h"
#include "controls/utility/rtti/RtGeneratedTypes.h"
#include "controls/utility/rtti/RtRTTI.h"

namespace {

// Whether the wrapper answers the interface I.
template <class I>
bool Answers(PTypeInfo type)
{
  return bool(RtTypeInfoAs<I>(type));
}

}  // namespace

TEST(RtTypeInfo, FactoryChoosesTheWrapperByKind)
{
  auto longString = std::make_unique<TTypeInfo>(tkLString, "string");
  auto variant = std::make_unique<TTypeInfo>(tkVariant, "Variant");
  auto method = NewMethodType("TNotifyEvent", mkProcedure, {{{}, "Sender", "TObject"}});
  struct Case {
    PTypeInfo type;
    bool ordinal, range, enumeration, set, classInfo, event, interfaceInfo, int64;
  } cases[] = {
      {TypeInfo<int>(), true, true, false, false, false, false, false, false},
      {TypeInfo<char>(), true, true, false, false, false, false, false, false},
      {TypeInfo<TLetter>(), true, true, true, false, false, false, false, false},
      {TypeInfo<TLetters>(), true, false, false, true, false, false, false, false},
      {TypeInfo<TSampleItem>(), false, false, false, false, true, false, false, false},
      {method.get(), false, false, false, false, false, true, false, false},
      {TypeInfo<ISample>(), false, false, false, false, false, false, true, false},
      {TypeInfo<std::int64_t>(), false, false, false, false, false, false, false, true},
      {longString.get(), false, false, false, false, false, false, false, false},
      {variant.get(), false, false, false, false, false, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type->Name);
    ASSERT_TRUE(Answers<IRtTypeInfo>(c.type));
    EXPECT_TRUE(Answers<IUnknown>(c.type));
    EXPECT_EQ(Answers<IRtOrdinalTypeInfo>(c.type), c.ordinal);
    EXPECT_EQ(Answers<IRtOrdinalRangeTypeInfo>(c.type), c.range);
    EXPECT_EQ(Answers<IRtEnumerationTypeInfo>(c.type), c.enumeration);
    EXPECT_EQ(Answers<IRtSetInfo>(c.type), c.set);
    EXPECT_EQ(Answers<IRtClassInfo>(c.type), c.classInfo);
    EXPECT_EQ(Answers<IRtEventInfo>(c.type), c.event);
    EXPECT_EQ(Answers<IRtInterfaceInfo>(c.type), c.interfaceInfo);
    EXPECT_EQ(Answers<IRtInt64Info>(c.type), c.int64);
  }
  EXPECT_FALSE(RtTypeInfoFor(nullptr));
}

TEST(RtTypeInfo, UnsignedLongRangeWidensToAPositiveMaximum)
{
  auto range = RtTypeInfoAs<IRtOrdinalRangeTypeInfo>(TypeInfo<std::uint32_t>());
  ASSERT_TRUE(range);
  EXPECT_EQ(range->MinValue(), 0);
  EXPECT_EQ(range->MaxValue(), 4294967295LL);
  EXPECT_EQ(RtTypeInfoAs<IRtOrdinalRangeTypeInfo>(TypeInfo<std::int8_t>())->MinValue(), -128);
}

TEST(RtTypeInfo, EnumerationNamesAndCaseInsensitiveLookup)
{
  auto e = RtTypeInfoAs<IRtEnumerationTypeInfo>(TypeInfo<TCheckBoxState>());
  ASSERT_TRUE(e);
  EXPECT_EQ(e->IndexOfName("CBCHECKED"), 1);
  EXPECT_EQ(e->IndexOfName("cbMaybe"), -1);
  EXPECT_EQ(e->Names(2), "cbGrayed");
  EXPECT_EQ(e->UnitName(), "StdCtrls");
  EXPECT_EQ(e->BaseType().Get(), e.Get());
  // Indexes past the names would read past the descriptor.
  EXPECT_THROW(e->Names(3), EListError);
  EXPECT_THROW(e->Names(-1), EListError);

  // A sub-range reads its names from its base type.
  auto sub = NewSubrangeType("TLetterBC", TypeInfo<TLetter>(), 1, 2);
  auto s = RtTypeInfoAs<IRtEnumerationTypeInfo>(sub.get());
  ASSERT_TRUE(s);
  EXPECT_EQ(s->BaseType()->TypeName(), "TLetter");
  EXPECT_EQ(s->IndexOfName("ltc"), 2);
  EXPECT_EQ(s->IndexOfName("ltA"), -1);  // outside the sub-range
  EXPECT_EQ(s->Names(4), "ltE");         // any name of the base type
}

TEST(RtTypeInfo, PropertySpecifiersDecodeByTheirHighByte)
{
  struct Case {
    std::uint32_t spec;
    TRtPropSpecKind kind;
    std::int32_t value;
  } cases[] = {
      {0xFE000010u, pskVirtualMethod, 16}, {0xFEFFFFF8u, pskVirtualMethod, -8}, {0xFF000008u, pskField, 8},
      {0u, pskConstant, 0},                {1u, pskConstant, 1},                {0x00401000u, pskStaticMethod, 0x401000},
      {2u, pskStaticMethod, 2},            {0x12345678u, pskStaticMethod, 0x12345678},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TRtPropInfo::SpecKind(c.spec), c.kind) << std::hex << c.spec;
    EXPECT_EQ(TRtPropInfo::SpecValue(c.spec), c.value) << std::hex << c.spec;
  }
}

TEST(RtTypeInfo, ClassPropertiesRunOverOwnThenInheritedRecords)
{
  // A parent with 5 properties and a child with 3 of its own.
  auto parent = std::make_unique<TTypeInfo>(tkClass, "TParent");
  auto child = std::make_unique<TTypeInfo>(tkClass, "TChild");
  for (int i = 0; i < 5; ++i) {
    TPropInfo p;
    p.Name = "P" + std::to_string(i);
    p.PropType = TypeInfo<int>();
    parent->Data.Props.push_back(p);
  }
  parent->Data.PropCount = 5;
  for (int i = 0; i < 3; ++i) {
    TPropInfo p;
    p.Name = "C" + std::to_string(i);
    p.PropType = TypeInfo<int>();
    child->Data.Props.push_back(p);
  }
  child->Data.PropCount = 8;
  child->Data.ParentInfo = parent.get();

  auto c = RtTypeInfoAs<IRtClassInfo>(child.get());
  ASSERT_TRUE(c);
  EXPECT_EQ(c->PropertyCount(), 3);
  EXPECT_EQ(c->TotalPropertyCount(), 8);
  EXPECT_EQ(c->Properties(2)->PropName(), "C2");
  EXPECT_EQ(c->Properties(4)->PropName(), "P1");
  EXPECT_EQ(c->Properties(7)->PropName(), "P4");
  EXPECT_THROW(c->Properties(8), EListError);
  EXPECT_THROW(c->Properties(-1), EListError);
  EXPECT_EQ(c->ParentInfo()->TypeName(), "TParent");
  EXPECT_FALSE(RtTypeInfoAs<IRtClassInfo>(parent.get())->ParentInfo());
}

TEST(RtTypeInfo, PropertyRecordsOfADescribedClass)
{
  auto c = RtTypeInfoAs<IRtClassInfo>(TypeInfo<TSampleItem>());
  ASSERT_TRUE(c);
  EXPECT_EQ(c->ClassRef(), &typeid(TSampleItem));
  auto count = c->Properties(0);
  EXPECT_TRUE(count->HasDefaultValue());
  EXPECT_EQ(count->PropDefault(), 3);
  EXPECT_FALSE(count->HasIndexValue());
  EXPECT_EQ(count->ReaderKind(), pskStaticMethod);
  auto state = c->Properties(1);
  EXPECT_EQ(state->PropType()->TypeName(), "TCheckBoxState");
  EXPECT_EQ(state->StoredKind(), pskConstant);
  TSampleItem item;
  EXPECT_FALSE(state->IsStoredIn(&item));
  EXPECT_TRUE(count->IsStoredIn(&item));
  EXPECT_EQ(c->Properties(2)->ReaderKind(), pskField);
}

TEST(RtTypeInfo, MethodParametersAndResultType)
{
  auto function = NewMethodType("TQuery", mkFunction,
                                {{TParamFlags{pfVar}, "Value", "Integer"}, {TParamFlags{pfConst}, "Name", "string"}},
                                "Boolean");
  auto classFunction = NewMethodType("TClassQuery", mkClassFunction, {}, "Boolean");
  auto f = RtTypeInfoAs<IRtEventInfo>(function.get());
  ASSERT_TRUE(f);
  EXPECT_EQ(f->ParameterCount(), 2);
  EXPECT_EQ(f->Parameters(1)->ParamName(), "Name");
  EXPECT_EQ(f->Parameters(0)->RecordSize(), 5 + 7 + 3);
  EXPECT_TRUE(f->Parameters(0)->ParamFlags() == TParamFlags{pfVar});
  EXPECT_EQ(f->ResultTypeName(), "Boolean");
  EXPECT_THROW(f->Parameters(2), EListError);
  EXPECT_EQ(RtTypeInfoAs<IRtEventInfo>(classFunction.get())->ResultTypeName(), "");
}

TEST(RtTypeInfo, InterfaceGuidOnlyWithItsFlag)
{
  auto i = RtTypeInfoAs<IRtInterfaceInfo>(TypeInfo<IDerivedSample>());
  ASSERT_TRUE(i);
  EXPECT_TRUE(i->IntfGuid() == IDerivedSample::IID);
  EXPECT_EQ(i->ParentInfo()->TypeName(), "ISample");

  auto bare = std::make_unique<TTypeInfo>(tkInterface, "IBare");
  bare->Data.Guid = ISample::IID;  // present, but not flagged
  EXPECT_TRUE(RtTypeInfoAs<IRtInterfaceInfo>(bare.get())->IntfGuid() == GUID{});
}

TEST(RtTypeInfo, DynamicArrayElementTypePrefersTheCleanUpType)
{
  auto strings = NewDynArrayType("TStringArray", "Samples", 8, TypeInfo<std::string>(), true, 256);
  auto ints = NewDynArrayType("TIntArray", "Samples", 4, TypeInfo<int>(), false, 3);
  auto s = RtTypeInfoAs<IRtDynArrayInfo>(strings.get());
  auto i = RtTypeInfoAs<IRtDynArrayInfo>(ints.get());
  EXPECT_TRUE(s->ElementsNeedCleanup());
  EXPECT_EQ(s->ElementType()->TypeName(), "string");
  EXPECT_FALSE(i->ElementsNeedCleanup());
  EXPECT_EQ(i->ElementType()->TypeName(), "Integer");
  EXPECT_EQ(i->VarType(), 3);
}

TEST(RtTypeInfo, GeneratedDescriptorsGoWithTheirLastUse)
{
  PTypeInfo base = RtAddGeneratedTypeInfo(NewEnumType("TGenBase", "Gen", {"x", "y", "z"}));
  PTypeInfo sub = RtAddGeneratedTypeInfo(NewSubrangeType("TGenSub", base, 1, 2));
  PTypeInfo set = RtAddGeneratedTypeInfo(NewSetType("TGenSet", sub));
  ASSERT_EQ(RtGeneratedTypeInfoCount(), 3);
  // The set holds a use of its element type, the sub-range one of its base.
  EXPECT_TRUE(RtUseGeneratedTypeInfo(set));
  RtRemoveGeneratedTypeInfo(set);
  EXPECT_EQ(RtGeneratedTypeInfoCount(), 3);
  RtRemoveGeneratedTypeInfo(set);
  EXPECT_EQ(RtGeneratedTypeInfoCount(), 0);  // the set, then its element type, then the base
  RtRemoveGeneratedTypeInfo(set);            // unknown now: ignored
  EXPECT_FALSE(RtUseGeneratedTypeInfo(set));

  RtAddGeneratedTypeInfo(NewEnumType("TGenA", "Gen", {"a"}));
  RtAddGeneratedTypeInfo(NewEnumType("TGenB", "Gen", {"b"}));
  RtClearGeneratedTypeInfos();
  EXPECT_EQ(RtGeneratedTypeInfoCount(), 0);
}
