#include <gtest/gtest.h>

#include "Printers.h"
#include "TestFonts.h"
#include "controls/html/parser/Attributes.h"
#include "controls/html/parser/IDNameList.h"
#include "controls/html/parser/UrlTarget.h"
#include "controls/html/styles/Properties.h"
#include "platform/base/StringList.h"

namespace {

// A laid-out document that knows the characters from 100 to 199.
class TFakeDocument : public TPositionLookup {
public:
  int PositionY(int Position) override { return Position >= 100 && Position < 200 ? Position * 2 : 0; }
};

// A document object that registers itself in the name list.
class TOwnObject : public TIDObject {
public:
  explicit TOwnObject(int& Live) : FLive(Live) { ++FLive; }
  ~TOwnObject() override { --FLive; }
  int YPosition() override { return 7; }

private:
  int& FLive;
};

}  // namespace

TEST(AttributesTest, ListAnswersClassIdTitleAndStyle)
{
  TAttributeList List;
  List.Add(new TAttribute(ClassSy, "CLASS", 0, "Note"));
  List.Add(new TAttribute(IDSy, "ID", 0, "First"));
  List.Add(new TAttribute(IDSy, "ID", 0, "Second"));
  List.Add(new TAttribute(TitleSy, "TITLE", 0, "Mixed Case"));
  List.Add(new TAttribute(StyleSy, "STYLE", 0, "color: red"));
  List.Add(new TAttribute(OtherAttribute, "DATA-X", 0, "v"));
  EXPECT_EQ(List.TheClass(), "note");
  EXPECT_EQ(List.TheID(), "first");
  EXPECT_EQ(List.TheTitle(), "Mixed Case");
  EXPECT_EQ(List.Find(OtherAttribute)->WhichName, "DATA-X");
  EXPECT_EQ(List.Find(HrefSy), nullptr);
  TProperties* Style = List.TheStyle(TestFonts());
  ASSERT_NE(Style, nullptr);
  EXPECT_EQ(Style->Props[piColor], TPropValue(0x000000FF));
  EXPECT_NE(List.TheStyle(TestFonts()), nullptr);  // asked again: a new set replaces (and frees) the first
  std::unique_ptr<TStringList> Lines = List.CreateStringList();
  ASSERT_EQ(Lines->Count(), 6);
  EXPECT_EQ(Lines->Strings(0), "CLASS=Note");

  List.Clear();
  EXPECT_EQ(List.Count(), 0);
  EXPECT_EQ(List.TheID(), "");
  EXPECT_EQ(List.TheStyle(TestFonts()), nullptr);
}

TEST(AttributesTest, LinksAreNumberedInTurn)
{
  TUrlTarget A, B;
  A.Assign("a.htm", "_blank");
  B.Assign("b.htm", "");
  EXPECT_EQ(B.ID, A.ID + 1);
  A.TabIndex = 3;
  B.Copy(A);
  EXPECT_EQ(B.URL, "a.htm");
  EXPECT_EQ(B.Target, "_blank");
  EXPECT_EQ(B.ID, A.ID);
  EXPECT_EQ(B.TabIndex, 3);
  B.Clear();
  EXPECT_EQ(B.URL, "");
  EXPECT_EQ(B.ID, 0);
  EXPECT_EQ(B.TabIndex, 0);
}

TEST(AttributesTest, NameListKeepsTheLatestAndFreesOnlyWhatItMade)
{
  TFakeDocument Document;
  int Live = 0;
  TOwnObject* Own = new TOwnObject(Live);
  {
    TIDNameList Names(&Document);
    Names.AddChPosObject("top", 150);
    Names.AddChPosObject("top", 120);  // the first position object is freed
    Names.AddChPosObject("nowhere", 5);
    Names.AddObject("picture", Own);
    ASSERT_EQ(Names.Count(), 3);
    int Index = 0;
    ASSERT_TRUE(Names.Find("TOP", Index));  // names are found without case
    EXPECT_EQ(Names.IDObject(Index)->YPosition(), 240);
    ASSERT_TRUE(Names.Find("nowhere", Index));
    EXPECT_EQ(Names.IDObject(Index)->YPosition(), 0);
    Names.AddChPosObject("picture", 130);  // replaces the image's entry but leaves the image alone
    EXPECT_EQ(Live, 1);
    // Names added in any order read back sorted, without case.
    for (const char* Name : {"zeta", "Alpha", "mid"})
      Names.AddChPosObject(Name, 100);
    ASSERT_EQ(Names.Count(), 6);
    EXPECT_EQ(Names.Strings(0), "Alpha");
    EXPECT_EQ(Names.Strings(5), "zeta");
    Names.AddChPosObject("ALPHA", 101);
    EXPECT_EQ(Names.Count(), 6);
    ASSERT_TRUE(Names.Find("alpha", Index));
    EXPECT_EQ(Names.IDObject(Index)->YPosition(), 202);
  }
  EXPECT_EQ(Live, 1);
  delete Own;
}
