#include <gtest/gtest.h>

#include <regex>

#include "SampleTypes.h"
#include "controls/utility/UtExceptions.h"
#include "controls/utility/rtti/RtRTTI.h"
#include "controls/utility/rtti/RtTextOutput.h"
#include "controls/utility/rtti/RtTypeText.h"

namespace {

// The listing of a type, with the descriptor's address masked.
std::string Info(PTypeInfo type)
{
  InterfacePtr<TRtTextOutput> out(new TRtTextOutput);
  RtTypeInfoFor(type)->WriteInfo(out.Get());
  return std::regex_replace(out->Text(), std::regex("Type info: [0-9A-F]{8}"), "Type info: $$ADDR");
}

std::string Declaration(PTypeInfo type)
{
  InterfacePtr<TRtTextOutput> out(new TRtTextOutput);
  RtTypeInfoFor(type)->WriteDeclaration(out.Get());
  return out->Text();
}

}  // namespace

TEST(RtTypeText, SetsToTextWithAndWithoutRanges)
{
  struct Case {
    TLetters set;
    bool brackets, ranges;
    const char* text;
  } cases[] = {
      {{ltA, ltB, ltC, ltE}, true, false, "[ltA, ltB, ltC, ltE]"},
      {{ltA, ltB, ltC, ltE}, true, true, "[ltA .. ltC, ltE]"},
      {{ltA, ltB, ltC, ltE}, false, true, "ltA .. ltC, ltE"},
      {{ltB, ltD}, true, true, "[ltB, ltD]"},
      {{ltD, ltE}, true, true, "[ltD .. ltE]"},
      {{}, true, true, "[]"},
      {{}, false, false, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SetToText(c.set, c.brackets, c.ranges), c.text);
}

TEST(RtTypeText, TextToSetTrimsSplitsAndExpandsRanges)
{
  struct Case {
    const char* text;
    TLetters set;
  } cases[] = {
      {"[ ltb , ltD ]", {ltB, ltD}}, {"", {}}, {"[]", {}}, {"[ltA .. ltC, ltE]", {ltA, ltB, ltC, ltE}},
      {"ltD..ltB", {}},               {"ltA,", {ltA}}, {"ltA,,ltC", {ltA, ltC}}, {"[ltE]", {ltE}},
  };
  for (const Case& c : cases)
    EXPECT_TRUE(TextToSet<TLetter>(c.text) == c.set) << c.text << " gives " << SetToText(TextToSet<TLetter>(c.text));
}

TEST(RtTypeText, BadElementsAreRefusedAndLeaveTheSetAlone)
{
  struct Case {
    const char* text;
    const char* message;
  } cases[] = {
      {"[x]", "Unknown identifier 'x'."},
      {"[ltA, lt9 .. ltB]", "Unknown identifier 'lt9'."},
      {"[ltA .. nope]", "Unknown identifier 'nope'."},
  };
  for (const Case& c : cases) {
    TLetters set{ltE};
    try {
      TextToSet(TypeInfo<TLetters>(), std::span<std::uint8_t>(set.Bytes(), TLetters::Size), c.text);
      ADD_FAILURE() << c.text;
    } catch (const ERtRTTI& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_TRUE(set == TLetters{ltE}) << c.text;
  }

  // Numbers of an integer element type: outside the range the bits would lie
  // outside the set's bytes.
  auto range = NewOrdinalType(tkInteger, "TSmall", otUByte, 0, 15);
  auto setType = NewSetType("TSmallSet", range.get());
  std::uint8_t bytes[4] = {0, 0, 0xAB, 0xCD};
  ASSERT_EQ(SetTypeSize(setType.get()), 2u);
  std::span<std::uint8_t> value(bytes, 2);
  for (const char* text : {"[300]", "[3 .. 16]", "[-1]"}) {
    try {
      TextToSet(setType.get(), value, text);
      ADD_FAILURE() << text;
    } catch (const ERtRTTI& e) {
      EXPECT_NE(e.Message().find("Value out of range (ordinal="), std::string::npos) << e.Message();
    }
  }
  EXPECT_THROW(TextToSet(setType.get(), value, "[3, x]"), EConvertError);
  TextToSet(setType.get(), value, "[0, 9 .. 10, 15]");
  EXPECT_EQ(bytes[0], 0x01);
  EXPECT_EQ(bytes[1], 0x86);
  EXPECT_EQ(bytes[2], 0xAB);  // nothing past the set's bytes
  // A buffer smaller than the set is refused.
  EXPECT_THROW(TextToSet(setType.get(), std::span<std::uint8_t>(bytes, 1), "[1]"), ERangeError);
}

TEST(RtTypeText, FillingASetClearsOnlyItsOwnBytes)
{
  // Elements 6 to 9 sit at bits 6 to 9: both bytes are the set's.
  auto range = NewOrdinalType(tkInteger, "TSixToNine", otUByte, 6, 9);
  auto setType = NewSetType("TSixToNineSet", range.get());
  std::uint8_t bytes[3] = {0xFF, 0xFF, 0x5A};
  SetListToElements(setType.get(), std::span<std::uint8_t>(bytes, 3), {"7"});
  EXPECT_EQ(bytes[0], 0x80);
  EXPECT_EQ(bytes[1], 0x00);
  EXPECT_EQ(bytes[2], 0x5A);
  std::vector<std::string> list{"keep"};
  SetElementsToList(setType.get(), std::span<const std::uint8_t>(bytes, 2), true, list);
  EXPECT_EQ(list, (std::vector<std::string>{"keep", "7"}));
}

TEST(RtTypeText, AFullByteRangeSetListsItsLastElementOnce)
{
  auto setType = NewSetType("TByteSet", TypeInfo<std::uint8_t>());
  std::vector<std::uint8_t> bytes(32, 0);
  bytes[31] = 0x80;
  EXPECT_EQ(SetToText(setType.get(), bytes, true, true), "[255]");
  bytes[0] = 0x01;
  bytes[31] = 0xC0;
  EXPECT_EQ(SetToText(setType.get(), bytes, true, true), "[0, 254 .. 255]");
  // Characters are listed as numbers.
  TCharSet chars{'A', 'B'};
  EXPECT_EQ(SetToText(chars, true, true), "[65 .. 66]");
}

TEST(RtTypeText, OrdinalAndGuidTexts)
{
  std::uint8_t value = 1;
  EXPECT_EQ(OrdinalToText(TypeInfo<TCheckBoxState>(), &value), "cbChecked");
  value = 7;
  EXPECT_EQ(OrdinalToText(TypeInfo<TCheckBoxState>(), &value), "Value out of range (ordinal=7).");
  EXPECT_EQ(GuidToText(MakeGUID("{7DAD5220-46EA-11D5-B0C0-4854E825F345}")),
            "{7dad5220-46ea-11d5-b0c0-4854e825f345}");
}

TEST(RtTypeText, EnumerationAndSetListings)
{
  EXPECT_EQ(Info(TypeInfo<TCheckBoxState>()),
            "Name: TCheckBoxState\n"
            "Type kind: tkEnumeration\n"
            "Type info: $ADDR\n"
            "Ordinal type: otUByte\n"
            "Min value: 0\n"
            "Max value: 2\n"
            "Unit name: StdCtrls\n"
            "Names: (cbUnchecked, cbChecked, cbGrayed)\n");
  EXPECT_EQ(Declaration(TypeInfo<TCheckBoxState>()),
            "TCheckBoxState = (cbUnchecked, cbChecked, cbGrayed); // otUByte\n");

  EXPECT_EQ(Info(TypeInfo<TLetters>()),
            "Name: TLetters\n"
            "Type kind: tkSet\n"
            "Type info: $ADDR\n"
            "Ordinal type: otUByte\n"
            "Based on: \n"
            "  Name: TLetter\n"
            "  Type kind: tkEnumeration\n"
            "  Type info: $ADDR\n"
            "  Ordinal type: otUByte\n"
            "  Min value: 0\n"
            "  Max value: 4\n"
            "  Unit name: Letters\n"
            "  Names: (ltA, ltB, ltC, ltD, ltE)\n");
  EXPECT_EQ(Declaration(TypeInfo<TLetters>()), "TLetters = set of TLetter; // otUByte\n");

  // Anonymous element types are declared in place.
  auto anonymous = NewEnumType(".1", "Samples", {"red", "green"});
  auto colours = NewSetType("TColours", anonymous.get());
  EXPECT_EQ(Declaration(colours.get()), "TColours = set of (red, green); // otUByte\n");
  auto sub = NewSubrangeType("TLetterBC", TypeInfo<TLetter>(), 1, 2);
  EXPECT_EQ(Declaration(sub.get()), "TLetterBC = ltB .. ltC; // otUByte\n");
}

TEST(RtTypeText, OrdinalRangeFloatStringAndInt64Declarations)
{
  auto range = NewOrdinalType(tkInteger, "TRange", otUByte, 1, 10);
  auto letters = NewOrdinalType(tkChar, "TUpper", otUByte, 'A', 'Z');
  auto controls = NewOrdinalType(tkChar, "TLow", otUByte, 0, 31);
  auto shortString = std::make_unique<TTypeInfo>(tkString, "TName");
  shortString->Data.MaxLength = 40;
  auto unknown = std::make_unique<TTypeInfo>(tkRecord, "TPoint");
  EXPECT_EQ(Declaration(range.get()), "TRange = 1 .. 10; // otUByte\n");
  EXPECT_EQ(Declaration(letters.get()), "TUpper = 'A' .. 'Z'; // otUByte\n");
  EXPECT_EQ(Declaration(controls.get()), "TLow = #0 .. #31; // otUByte\n");
  EXPECT_EQ(Declaration(TypeInfo<double>()), "Double = type Double;\n");
  EXPECT_EQ(Declaration(shortString.get()), "TName = string[40];\n");
  EXPECT_EQ(Declaration(TypeInfo<std::int64_t>()), "Int64 = -9223372036854775808 .. 9223372036854775807;\n");
  EXPECT_EQ(Declaration(unknown.get()), "// Declaration for 'TPoint' not supported.");
  EXPECT_EQ(Info(shortString.get()),
            "Name: TName\nType kind: tkString\nType info: $ADDR\nMax length: 40\n");
  EXPECT_EQ(Info(TypeInfo<float>()), "Name: Single\nType kind: tkFloat\nType info: $ADDR\nFloat type: ftSingle\n");
}

TEST(RtTypeText, ClassListingAndDeclaration)
{
  std::string info = Info(TypeInfo<TSampleItem>());
  EXPECT_EQ(info.substr(0, info.find("  Count")),
            "Name: TSampleItem\n"
            "Type kind: tkClass\n"
            "Type info: $ADDR\n"
            "Class name: TSampleItem\n"
            "Parent: TPersistent\n"
            "Unit name: Samples\n"
            "Property count: 3 (3)\n");
  // Accessor numbers and the field offset depend on the declaration: match their shape.
  EXPECT_TRUE(std::regex_search(info, std::regex("  Count: Integer\n"
                                                 "    \\[default 3\\]\n"
                                                 "    \\[read static method \\$0000000[0-9A-F]\\]\n"
                                                 "    \\[write static method \\$0000000[0-9A-F]\\]\n"
                                                 "    \\[stored=True\\]\n"
                                                 "  State: TCheckBoxState\n")))
      << info;
  EXPECT_TRUE(std::regex_search(info, std::regex("    \\[stored=False\\]\n  Caption: string\n"
                                                 "    \\[read field \\$000000[0-9A-F]{2}\\]\n")))
      << info;

  std::string declaration = Declaration(TypeInfo<TSampleItem>());
  EXPECT_TRUE(std::regex_match(declaration,
                               std::regex("TSampleItem = class\\(TPersistent\\) // unit Samples\n"
                                          "published\n"
                                          "  property Count: Integer read \\[static method \\$[0-9A-F]{8}\\] "
                                          "write \\[static method \\$[0-9A-F]{8}\\] stored = True default 3;\n"
                                          "  property State: TCheckBoxState read .* stored = False;\n"
                                          "  property Caption: string read \\[field \\$[0-9A-F]{8}\\] "
                                          "write \\[field \\$[0-9A-F]{8}\\] stored = True;\n"
                                          "end;\n")))
      << declaration;

  // A class whose parent is TObject declares no parent list.
  EXPECT_EQ(Declaration(TypeInfo<TPersistent>()), "TPersistent = class // unit Persistent\nend;\n");
}

TEST(RtTypeText, MethodListingAndDeclaration)
{
  auto method = NewMethodType("TSampleEvent", mkFunction,
                              {{TParamFlags{pfVar}, "Value", "Integer"},
                               {TParamFlags{pfConst, pfArray}, "Args", "TVarRec"},
                               {TParamFlags{pfOut}, "Text", "string"},
                               {TParamFlags{}, "Sender", ""}},
                              "Boolean");
  EXPECT_EQ(Declaration(method.get()),
            "TSampleEvent = function(var Value: Integer; const Args: array of const; out Text: string; Sender)"
            ": Boolean of object;\n");
  EXPECT_EQ(Info(method.get()),
            "Name: TSampleEvent\n"
            "Type kind: tkMethod\n"
            "Type info: $ADDR\n"
            "Method kind: mkFunction\n"
            "Parameter count: 4\n"
            "  Name: Value\n  Type: Integer\n  Flags: [pfVar]\n"
            "\n"
            "  Name: Args\n  Type: TVarRec\n  Flags: [pfConst, pfArray]\n"
            "\n"
            "  Name: Text\n  Type: string\n  Flags: [pfOut]\n"
            "\n"
            "  Name: Sender\n  Type: \n  Flags: []\n"
            "Return type: Boolean\n");
  auto notify = NewMethodType("TNotifyEvent", mkProcedure, {{{}, "Sender", "TObject"}});
  EXPECT_EQ(Declaration(notify.get()), "TNotifyEvent = procedure(Sender: TObject) of object;\n");
}

TEST(RtTypeText, InterfaceListingAndDeclaration)
{
  EXPECT_EQ(Info(TypeInfo<IDerivedSample>()),
            "Name: IDerivedSample\n"
            "Type kind: tkInterface\n"
            "Type info: $ADDR\n"
            "GUID: {11111111-2222-3333-4444-555555555555}\n"
            "Flags: [ifHasGuid]\n"
            "Unit name: Samples\n"
            "Parent: ISample\n"
            "Property count: 0\n");
  EXPECT_EQ(Declaration(TypeInfo<IDerivedSample>()),
            "IDerivedSample = interface(ISample) // unit Samples\n"
            "  ['{11111111-2222-3333-4444-555555555555}']\n"
            "end;\n");
  EXPECT_EQ(Declaration(TypeInfo<ISample>()),
            "ISample = interface // unit Samples\n"
            "  ['{0a1b2c3d-4e5f-6071-8293-a4b5c6d7e8f9}']\n"
            "end;\n");
}

TEST(RtTypeText, DynamicArrayListingAndDeclaration)
{
  auto anonymous = NewEnumType(".2", "Samples", {"one", "two"});
  auto array = NewDynArrayType("TTwoArray", "Samples", 1, anonymous.get(), false, 17);
  auto none = NewDynArrayType("TNoneArray", "Samples", 4, nullptr, false, 0);
  EXPECT_EQ(Declaration(array.get()), "TTwoArray = array of (one, two); // Unit Samples\n");
  EXPECT_EQ(Declaration(none.get()), "TNoneArray = array of ???; // Unit Samples\n");
  EXPECT_EQ(Info(array.get()),
            "Name: TTwoArray\n"
            "Type kind: tkDynArray\n"
            "Type info: $ADDR\n"
            "Element size: 1\n"
            "Element type: \n"
            "  Name: .2\n"
            "  Type kind: tkEnumeration\n"
            "  Type info: $ADDR\n"
            "  Ordinal type: otUByte\n"
            "  Min value: 0\n"
            "  Max value: 1\n"
            "  Unit name: Samples\n"
            "  Names: (one, two)\n"
            "Elements need clean up: False\n"
            "Variant type: 17\n"
            "Unit name: Samples\n");
}
