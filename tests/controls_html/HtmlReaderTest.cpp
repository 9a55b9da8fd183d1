#include <gtest/gtest.h>

#include <map>

#include "ChatDocument.h"
#include "GoldenFile.h"
#include "RecordingSink.h"
#include "TestFonts.h"
#include "controls/html/parser/HtmlReader.h"
#include "controls/html/styles/Properties.h"
#include "platform/base/StringList.h"

namespace {

// Gives Reader a base entry with Sink's defaults that reads code page 1252 (or UTF-8).
void AddBaseEntry(THtmlReader& Reader, TRecordingSink& Sink, bool Utf8)
{
  auto* Base = new TProperties(TestFonts());
  Base->CopyDefault(*Sink.Styles.DefProp());
  if (Utf8)
    Base->AssignUTF8();
  else
    Base->AssignCharSet(0);
  Reader.PropStack.Add(Base);
}

// A reader over Text whose base entry reads code page 1252 (or UTF-8).
class TReaderFixture {
public:
  explicit TReaderFixture(const std::string& Text, bool Utf8 = false)
  {
    Reader.Start(Text, &Sink);
    AddBaseEntry(Reader, Sink, Utf8);
    Reader.GetCh();
    Reader.Next();
  }

  TRecordingSink Sink;
  THtmlReader Reader{TestFonts()};
};

// Each snippet with the symbols it reads as, in code page 1252.
std::string EdgeCases()
{
  const char* const Snippets[] = {
      "<H1>a</H2 >b<H7>c<HR><H>",
      "</LI></BR></IMG></COL></FONT>",
      "a < b <<b>c",
      "<!DOCTYPE html><p>x",
      "<!-- a -- b -->c<!---->d<!-- x -- -->e<!-- y --!>f",
      "&amp x&foo;y &#233; &#8364; &#x41;&#66&#X43;",
      "x&amp;y",
      "&#Z &#xZ &#; &",
      "&<b>x</b>&&amp;",
      "&#128512; &#x1F600; &#55357; &#99999999999;",
      "&#0;&#9;&#13;&#150;",
      "<TABLE BORDER WIDTH=50% HEIGHT=\"25%\" CELLPADDING=5px ALIGN=center>",
      "<INPUT VALUE=\"&euro\" ALT=\"&euro;\" TITLE=\"&eacute\" NAME='a&amp;b' SIZE=+3>",
      "<TD COLSPAN=2000000000 ROWSPAN=\"99999\" WIDTH=1e9 HEIGHT=-40000 START=-5>",
      "<P ID=Foo id=bar Data-X = 'q' >",
      "<img src=a.gif alt=\"line\r\nbreak\">",
      "a\r\nb\n\rc\rd\ne\tf",
      "one\x01two\x08<b>three</b>",
      "<!-- never closed <b>bold</b>",
      "a <!DOCTYPE never closed",
      "<!--#include file=\"x.inc\"-->after",
      "<scrIPT language=x>if (a<b) {}</script>",
      "<b",
  };
  std::string Dump;
  for (const char* Snippet : Snippets)
    Dump += "== " + Quoted(std::string(Snippet)) + "\n" + SymbolStream(Snippet, 1252);
  return Dump;
}

}  // namespace

TEST(HtmlReaderTest, ChatDocumentSymbols)
{
  const std::string Text = ChatHead() + ChatFragment(0) + ChatFragment(1) + ChatFragment(2);
  EXPECT_GOLDEN("chat-symbols.txt", SymbolStream(Text));
}

TEST(HtmlReaderTest, EdgeCaseSymbols)
{
  EXPECT_GOLDEN("edge-symbols.txt", EdgeCases());
}

TEST(HtmlReaderTest, EntityPositionsAndCodePages)
{
  TReaderFixture F("x&amp;y");
  EXPECT_EQ(F.Reader.Token.Text(), u"x&y");
  EXPECT_EQ(F.Reader.Token.Positions(), (std::vector<int>{0, 1, 6}));
  // A numeric reference is a character of its own in UTF-8 text, not a byte
  // to pair with its neighbours.
  TReaderFixture U("caf&#233;s \xC3\xA9", true);
  EXPECT_EQ(U.Reader.Token.Text(), u"caf\u00E9s \u00E9");
  EXPECT_EQ(U.Reader.Token.Positions(), (std::vector<int>{0, 1, 2, 3, 9, 10, 11}));
  TReaderFixture W("&#128512;");
  EXPECT_EQ(W.Reader.Token.Text(), u"\U0001F600");
  EXPECT_EQ(W.Reader.Token.Positions(), (std::vector<int>{0, 0}));
}

TEST(HtmlReaderTest, BlanksCollapseWithTheirPositions)
{
  // A run of blanks reads as one space at the position of its first blank,
  // wherever the run falls against the reader's four-kilobyte progress steps.
  TReaderFixture F("a b  c\td \r\ne <b>");
  EXPECT_EQ(F.Reader.Token.Text(), u"a b c d e ");
  EXPECT_EQ(F.Reader.Token.Positions(), (std::vector<int>{0, 1, 2, 3, 5, 6, 7, 8, 11, 12}));
  TReaderFixture C("a <!-- c --> b");
  EXPECT_EQ(C.Reader.Token.Text(), u"a b");
  EXPECT_EQ(C.Reader.Token.Positions(), (std::vector<int>{0, 1, 13}));
  for (std::size_t Words : {4093u, 4094u, 4095u}) {
    const std::string Text = std::string(Words, 'x') + " y z  w";
    TReaderFixture G(Text);
    const std::u16string& Read = G.Reader.Token.Text();
    EXPECT_EQ(std::string(Read.begin(), Read.end()), Text.substr(0, Text.size() - 3) + " w") << Words;
    std::vector<int> Expected(Text.size() - 1);
    for (std::size_t I = 0; I < Expected.size(); ++I)
      Expected[I] = int(I < Expected.size() - 1 ? I : I + 1);
    EXPECT_EQ(G.Reader.Token.Positions(), Expected) << Words;
  }
}

TEST(HtmlReaderTest, AttributeValues)
{
  TReaderFixture F("<TABLE BORDER WIDTH=50% HEIGHT=\"25 %\" COLSPAN=5000 VALUE=\"&euro;\" TITLE=\"&eacute\">"
                   "<TD BORDER ALIGN>");
  ASSERT_EQ(F.Reader.Sy, TableSy);
  const TAttributeList& A = F.Reader.Attributes;
  EXPECT_EQ(A.Find(BorderSy)->Value, 1);
  EXPECT_EQ(A.Find(WidthSy)->Value, 50);
  EXPECT_EQ(A.Find(WidthSy)->Name, "50%");
  EXPECT_EQ(A.Find(HeightSy)->Value, 0);  // "25 " is not a number
  EXPECT_EQ(A.Find(ColSpanSy)->Value, 1000);
  EXPECT_EQ(A.Find(ValueSy)->Name, "\x80");
  EXPECT_EQ(A.Find(TitleSy)->Name, "\xE9");
  // The next tag's attributes start blank, although the list hands out the
  // objects the previous tag filled.
  F.Reader.Next();
  ASSERT_EQ(F.Reader.Sy, TDSy);
  ASSERT_EQ(A.Count(), 2);
  EXPECT_EQ(A.Items(1)->Which, AlignSy);
  EXPECT_EQ(A.Items(1)->WhichName, "ALIGN");
  EXPECT_EQ(A.Items(1)->Name, "");
  EXPECT_EQ(A.Items(1)->Value, 0);
  TReaderFixture U("<IMG ALT=\"&eacute;t&#233;\" TITLE=\"&#x1F600;\">", true);
  EXPECT_EQ(U.Reader.Attributes.Find(AltSy)->Name, "\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(U.Reader.Attributes.Find(TitleSy)->Name, "\xF0\x9F\x98\x80");
  // Values read in runs: across the progress points every 4 KB, with the
  // line ends of a quoted value dropped.
  const std::string Long(9000, 'x');
  TReaderFixture L("<IMG ALT=\"" + Long + "\r\n" + Long + "\" SRC=" + Long + "> ");
  EXPECT_EQ(L.Reader.Attributes.Find(AltSy)->Name, Long + Long);
  EXPECT_EQ(L.Reader.Attributes.Find(SrcSy)->Name, Long);
}

TEST(HtmlReaderTest, IdNamesAreEnteredExceptInTheLinkPrePass)
{
  TReaderFixture F("<p id=\"Here\">x");
  EXPECT_EQ(F.Sink.Journal, "id \"Here\" @12\n");  // the character after the value
  TRecordingSink Sink;
  THtmlReader Reader(TestFonts());
  Reader.Start("<p id=x>", &Sink);
  Reader.PropStack.Add(new TProperties(TestFonts()));
  Reader.LinkSearch = true;
  Reader.GetCh();
  Reader.Next();
  EXPECT_EQ(Sink.Journal, "");
}

TEST(HtmlReaderTest, LineEndsFoldToOne)
{
  // In a TEXTAREA every line end is a symbol: CR LF, LF CR, CR and LF are one
  // each, and a pair of pairs is two.
  TReaderFixture F("");
  F.Reader.Start("a\r\nb\n\rc\rd\ne\r\n\r\nf</textarea>", &F.Sink);
  F.Reader.LiteralMode = true;
  F.Reader.GetCh();
  std::string Seen;
  for (F.Reader.NextTextAreaSymbol(); F.Reader.Sy != TextAreaClosedSy && F.Reader.Sy != EofSy;
       F.Reader.NextTextAreaSymbol())
    Seen += F.Reader.Sy == EolSy ? std::string("|") : std::string(1, char(F.Reader.Token.Text()[0]));
  EXPECT_EQ(Seen, "a|b|c|d|e||f");
  EXPECT_EQ(F.Reader.Sy, TextAreaClosedSy);
}

TEST(HtmlReaderTest, ProgressEveryFourKilobytes)
{
  TRecordingSink Sink;
  Sink.Share = 75;
  THtmlReader Reader(TestFonts());
  Reader.Start(std::string(10000, 'x'), &Sink);
  Reader.PropStack.Add(new TProperties(TestFonts()));
  Reader.GetCh();
  Reader.Next();
  EXPECT_EQ(Sink.Journal, "progress 30\nprogress 61\n");  // 75 x 4096 / 10000, 75 x 8192 / 10000
}

namespace {

// An include event that answers from a table of commands.
class TIncluder : public TObject {
public:
  std::map<std::string, std::string> Texts;
  std::vector<std::string> Seen;
  void Include(TObject*, const std::string& Command, TStringList* Params, std::string& IString)
  {
    std::string Line = Command;
    for (int I = 0; I < Params->Count(); ++I)
      Line += " " + Params->Strings(I);
    Seen.push_back(Line);
    IString = Texts[Command];
  }
};

std::string ReadAll(THtmlReader& Reader)
{
  std::string Text;
  Reader.GetCh();
  for (Reader.Next(); Reader.Sy != EofSy; Reader.Next())
    Text += Reader.Sy == TextSy ? std::string(Reader.Token.Text().begin(), Reader.Token.Text().end()) : "<tag>";
  return Text;
}

}  // namespace

TEST(HtmlReaderTest, IncludeCommentsAreServedByTheEvent)
{
  TIncluder Includer;
  Includer.Texts["ECHO"] = "[echo <!--#INNER-->]";
  Includer.Texts["INNER"] = "inner";
  Includer.Texts["LOOP"] = "<!--#LOOP-->x";
  TRecordingSink Sink;
  THtmlReader Reader(TestFonts());
  Reader.OnInclude = TIncludeType(&Includer, &TIncluder::Include);
  Reader.Start("a<!--#ECHO var=\"A &amp; B\" n=5-->b<!--#LOOP-->c", &Sink);
  Reader.PropStack.Add(new TProperties(TestFonts()));
  const std::string Text = ReadAll(Reader);
  EXPECT_EQ(Includer.Seen.front(), "ECHO VAR=A & B N=5");
  // An include that names itself expands only so deep.
  EXPECT_EQ(Text, "a[echo inner]b" + std::string(THtmlReader::MaxIncludeDepth, 'x') + "c");
}

namespace {

// Every symbol with its heading number, and its text or attributes.
std::string SymbolsWithAttributes(THtmlReader& Reader)
{
  std::string Dump;
  Reader.GetCh();
  for (Reader.Next(); Reader.Sy != EofSy; Reader.Next()) {
    Dump += "[" + std::to_string(int(Reader.Sy)) + "/" + std::to_string(Reader.HeadingNumber) + "]";
    if (Reader.Sy == TextSy)
      Dump += std::string(Reader.Token.Text().begin(), Reader.Token.Text().end());
    for (int I = 0; I < Reader.Attributes.Count(); ++I) {
      const TAttribute* A = Reader.Attributes.Items(I);
      Dump += " " + A->WhichName + "(" + std::to_string(int(A->Which)) + ")=" + std::to_string(A->Value) + ":" +
              A->Name;
    }
    Dump += "\n";
  }
  return Dump;
}

}  // namespace

// The text of an include comment is read one character at a time, the
// document's own text in runs: random markup must read the same either way.
TEST(HtmlReaderTest, RunsReadAsCharacterByCharacter)
{
  const char Alphabet[] = "    \t\r\n<<>>&;#xX1a b/=\"'!-HhDdIiVvBbRr&amp;\x01\xC3\xA9%+";
  const char* const Pieces[] = {"<DIV class=\"x y\">", "</div>", "<br>", "<IMG src='a b.gif' width=12 height=\"5%\">",
                                "&eacute;", "&#233;", "<!-- c -->", " ", "  ", "word "};
  std::uint32_t Seed = 12345;
  auto Random = [&Seed] {
    Seed = Seed * 1103515245u + 12345u;
    return Seed >> 8;
  };
  for (int Round = 0; Round < 3000; ++Round) {
    std::string Text;
    for (int Length = int(Random() % 200); Length > 0; --Length) {
      if (Random() % 10 == 0)
        Text += Pieces[Random() % std::size(Pieces)];
      else
        Text += Alphabet[Random() % (sizeof Alphabet - 1)];
    }
    for (bool Utf8 : {false, true}) {
      TIncluder Includer;
      Includer.Texts["T"] = Text;
      TRecordingSink DirectSink, IncludedSink;
      THtmlReader Direct(TestFonts()), Included(TestFonts());
      Direct.Start(Text, &DirectSink);
      Included.Start("<!--#T-->", &IncludedSink);
      for (THtmlReader* Reader : {&Direct, &Included}) {
        Reader->OnInclude = TIncludeType(&Includer, &TIncluder::Include);
        AddBaseEntry(*Reader, DirectSink, Utf8);
      }
      ASSERT_EQ(SymbolsWithAttributes(Direct), SymbolsWithAttributes(Included)) << Quoted(Text);
    }
  }
}

TEST(HtmlReaderTest, AShortTextAfterALongOneKeepsNoRoomOfIt)
{
  // The parser's link reader reads each appended message and is then emptied:
  // a large message's room must not stay with it until the next one.
  THtmlReader Reader(TestFonts());
  Reader.Start(std::string(1 << 20, 'x'), nullptr);
  Reader.Start(std::string(), nullptr);
  EXPECT_LT(Reader.GivenText()->capacity(), std::size_t(1024));
  Reader.Start("<p>court", nullptr);
  EXPECT_EQ(Reader.DocText(), "<p>court");
  EXPECT_LT(Reader.GivenText()->capacity(), std::size_t(1024));
}

TEST(HtmlReaderTest, ABorrowedTextIsReadWhereItIsAndOnToWhatItsOwnerAdds)
{
  struct TCase {
    const char* First;
    std::string_view Added;
    const char* ReadFirst;
    const char* ReadAdded;
  };
  // A NUL ends the document: what follows it is read only once it is gone.
  const TCase Cases[] = {
      {"<p>un", "<b>deux</b>", "<tag>un", "<tag>deux<tag>"},
      {"avant", "<i>ensuite", "avant", "<tag>ensuite"},
      {"<p>a", std::string_view("<b>b\0c", 6), "<tag>a", "<tag>b"},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.First);
    const std::string Added(C.Added);
    std::string Owner = C.First;
    THtmlReader Reader(TestFonts());
    Reader.StartBorrowed(Owner, nullptr);
    EXPECT_EQ(Reader.GivenText(), nullptr);
    EXPECT_EQ(Reader.DocText().data(), Owner.data());  // no copy
    EXPECT_EQ(ReadAll(Reader), C.ReadFirst);
    // The owner's text moves as it grows past its room.
    Owner.shrink_to_fit();
    const std::size_t Read = Owner.size();
    Owner += Added + std::string(64, ' ');
    Reader.Rebase(Owner);
    EXPECT_EQ(Reader.DocText(), std::string_view(Owner).substr(0, Read));
    Owner.resize(Owner.size() - 64);
    Reader.ReadOnTo(Owner);
    EXPECT_EQ(Reader.DocText().data(), Owner.data());
    EXPECT_EQ(ReadAll(Reader), C.ReadAdded);
    // Read on again: past a NUL nothing more is ever read.
    const bool EndedByNul = Added.find('\0') != std::string::npos;
    Owner += "<u>plus";
    Reader.ReadOnTo(Owner);
    EXPECT_EQ(ReadAll(Reader), EndedByNul ? "" : "<tag>plus");
  }
}

TEST(HtmlReaderTest, AConvertedTextKeepsTheTextAsGiven)
{
  // The viewer shows the source as it was loaded, also when the reader reads
  // it converted.
  const std::string Given = "<p>\x1B$B$3$s\x1B(B";
  THtmlReader Reader(TestFonts());
  Reader.Start(Given, nullptr);
  Reader.StartConverted("<p>converti");
  ASSERT_NE(Reader.GivenText(), nullptr);
  EXPECT_EQ(*Reader.GivenText(), Given);
  EXPECT_EQ(ReadAll(Reader), "<tag>converti");
  std::string Owner = Given;
  Reader.StartBorrowed(Owner, nullptr);
  Reader.StartConverted("<p>converti");
  EXPECT_EQ(Reader.GivenText(), nullptr);  // its owner holds it
  EXPECT_EQ(ReadAll(Reader), "<tag>converti");
}
