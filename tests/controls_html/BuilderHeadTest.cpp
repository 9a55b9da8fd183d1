// What the head of a document does to it: linked style sheets (only from
// where the document may read, only as much as it may read), META notices
// and character sets.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "TestFonts.h"
#include "controls/html/builder/HtmlBuilder.h"
#include "controls/html/document/Block.h"
#include "controls/html/document/Section.h"
#include "controls/html/document/SectionList.h"
#include "platform/base/StringList.h"

namespace {

namespace fs = std::filesystem;

// A folder of this test's own: test cases run in parallel processes.
fs::path MakeTempFolder()
{
  std::string pattern = (fs::temp_directory_path() / "corvane-linked-sheets-XXXXXX").string();
  return ::mkdtemp(pattern.data()) ? fs::path(pattern) : fs::path();
}

struct TSheetFolder {
  fs::path Root = MakeTempFolder();
  TSheetFolder()
  {
    fs::create_directories(Root / "allowed");
    std::ofstream(Root / "allowed" / "green.css") << "div.x {background-color: #00FF00}\n";
    std::ofstream(Root / "outside.css") << "div.x {background-color: #FF0000}\n";
  }
  ~TSheetFolder()
  {
    std::error_code ignored;
    fs::remove_all(Root, ignored);
  }
};

std::unique_ptr<TSectionList> DocumentWithSheets(const TSheetFolder& F)
{
  auto Doc = std::make_unique<TSectionList>(TestFonts());
  Doc->SetDefaults("Times New Roman", "Courier New", 0, 12, 0xFF0000, 0x800080, 0x0000FF, 0xFFFFFF);
  Doc->RestrictFiles = true;
  Doc->AllowedFolders = {(F.Root / "allowed").string()};
  return Doc;
}

// The background colour the DIV of class x was built with (clNone: none).
int DivBackground(TSectionList& Doc)
{
  Doc.DoLogic(400, 300);
  auto* Body = dynamic_cast<TBlock*>(Doc.Sections.front().get());
  for (auto& S : Body->MyCell->Sections)
    if (auto* B = dynamic_cast<TBlock*>(S.get()))
      return B->MargArray[piBackgroundColor] & 0xFFFFFF;
  return -1;
}

std::string PageLinking(const std::string& Href, const std::string& Rel = "stylesheet")
{
  return "<HTML><HEAD><LINK REL=\"" + Rel + "\" HREF=\"" + Href + "\"></HEAD><BODY><DIV class=x>t</DIV>";
}

}  // namespace

TEST(BuilderHeadTest, LinkedSheetsComeOnlyFromAllowedFiles)
{
  TSheetFolder F;
  struct {
    std::string Href, Rel;
    int Background;
  } Cases[] = {
      {(F.Root / "allowed" / "green.css").string(), "stylesheet", 0x00FF00},
      {(F.Root / "allowed" / "green.css").string(), "StyleSheet", 0x00FF00},
      {(F.Root / "allowed" / "green.css").string(), "alternate", clNone & 0xFFFFFF},
      {(F.Root / "outside.css").string(), "stylesheet", clNone & 0xFFFFFF},
      {(F.Root / "allowed" / ".." / "outside.css").string(), "stylesheet", clNone & 0xFFFFFF},
      {(F.Root / "allowed" / "missing.css").string(), "stylesheet", clNone & 0xFFFFFF},
  };
  for (const auto& C : Cases) {
    auto Doc = DocumentWithSheets(F);
    ParseHtmlIntoSections(PageLinking(C.Href, C.Rel), *Doc);
    EXPECT_EQ(DivBackground(*Doc), C.Background) << C.Href << " " << C.Rel;
  }
  // Over the size limit: not read at all.
  auto Doc = DocumentWithSheets(F);
  Doc->MaxFileBytes = 10;
  ParseHtmlIntoSections(PageLinking((F.Root / "allowed" / "green.css").string()), *Doc);
  EXPECT_EQ(DivBackground(*Doc), clNone & 0xFFFFFF);
  // Turned off by the chat configuration.
  Doc = DocumentWithSheets(F);
  Doc->LoadLinkedSheets = false;
  ParseHtmlIntoSections(PageLinking((F.Root / "allowed" / "green.css").string()), *Doc);
  EXPECT_EQ(DivBackground(*Doc), clNone & 0xFFFFFF);
}

TEST(BuilderHeadTest, TheStreamRequestSuppliesTheSheetAndTheLinkIsReported)
{
  TSheetFolder F;
  auto Doc = DocumentWithSheets(F);
  std::string Asked, Reported;
  Doc->OnStreamRequest = [&](const std::string& Href, std::string& Data) {
    Asked = Href;
    Data = "div.x {background-color: #0000FF}";
    return true;
  };
  Doc->OnLink = [&](const std::string& Rel, const std::string& Rev, const std::string& Href) {
    Reported = Rel + "|" + Rev + "|" + Href;
  };
  ParseHtmlIntoSections("<HEAD><LINK REL=stylesheet REV=made HREF=\"http://h/s.css\"></HEAD><BODY><DIV class=x>t</DIV>",
                        *Doc);
  EXPECT_EQ(Asked, "http://h/s.css");
  EXPECT_EQ(Reported, "stylesheet|made|http://h/s.css");
  EXPECT_EQ(DivBackground(*Doc), 0xFF0000);  // blue: colours are kept blue-green-red
}

TEST(BuilderHeadTest, MetaSetsTheCharacterSetAndIsReported)
{
  TSheetFolder F;
  auto Doc = DocumentWithSheets(F);
  std::string Reported;
  Doc->OnMeta = [&](const std::string& HttpEquiv, const std::string& Name, const std::string& Content) {
    Reported = HttpEquiv + "|" + Name + "|" + Content;
  };
  ParseHtmlIntoSections("<HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1251\">"
                        "</HEAD><BODY>\xC0\xE1",
                        *Doc);
  EXPECT_EQ(Reported, "Content-Type||text/html; charset=windows-1251");
  auto* Body = dynamic_cast<TBlock*>(Doc->Sections.front().get());
  auto* Text = dynamic_cast<TSection*>(Body->MyCell->Sections.front().get());
  ASSERT_NE(Text, nullptr);
  EXPECT_EQ(Text->Text.substr(0, 2), u"\u0410\u0431");
}

namespace {

// Answers every include comment with its command in brackets.
class TBracketIncluder : public TObject {
public:
  int Calls = 0;
  void Include(TObject*, const std::string& Command, TStringList*, std::string& IString)
  {
    ++Calls;
    IString = "[" + Command + "]";
  }
};

}  // namespace

TEST(BuilderHeadTest, IncludeCommentsAreReplacedByTheViewersText)
{
  TSheetFolder F;
  auto Doc = DocumentWithSheets(F);
  TBracketIncluder Includer;
  Doc->OnInclude = decltype(Doc->OnInclude)(&Includer, &TBracketIncluder::Include);
  ParseHtmlIntoSections("<BODY>a<!--#ECHO var=\"x\"-->b", *Doc);
  Doc->DoLogic(400, 300);
  auto* Body = dynamic_cast<TBlock*>(Doc->Sections.front().get());
  std::u16string Text;
  for (int Pos = Body->StartPos; Pos < Body->StartPos + Body->CharCount; ++Pos) {
    char16_t Ch = 0;
    if (Body->CharAt(Pos, Ch))
      Text += Ch;
  }
  EXPECT_EQ(Includer.Calls, 1);
  EXPECT_EQ(Text, u"a[ECHO]b");
}
