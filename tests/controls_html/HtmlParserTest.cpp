#include <gtest/gtest.h>

#include "ChatDocument.h"
#include "GoldenFile.h"
#include "RecordingSink.h"
#include "TestFonts.h"
#include "controls/html/parser/HtmlParser.h"

namespace {

// Documents whose journals are compared with parse-cases.txt.
std::string ParseCases()
{
  const char* const Documents[] = {
      // A control byte in one message hides nothing after it.
      "<BODY><DIV>one\x01</DIV><DIV>two\x07</DIV>",
      // Neither does a comment left open.
      "<BODY><DIV>a <!-- b</DIV><DIV>c</DIV>",
      // A SCRIPT, TEXTAREA or SELECT left open runs to the end, and closes there.
      "<BODY><DIV>x</DIV><SCRIPT>var a = 1;\r\nb()</DIV><DIV>y",
      "<BODY><TEXTAREA>one\r\ntwo</DIV><DIV>three",
      "<BODY><SELECT><OPTION>a</DIV><DIV>b",
      // A STYLE element that ends the text ends the sheet.
      "<STYLE>p {color: red; margin: 1px",
      "<STYLE></STYLE>after an empty sheet",
      // Character sets named by META, or by the text itself.
      "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1251\"><P>\xCF\xF0\xE8",
      "<META HTTP-EQUIV=\"content-type\" CONTENT=\"text/html; charset=utf-8\"><P>\xC3\xA9",
      "<META HTTP-EQUIV=\"content-type\" CONTENT=\"text/html; charset=EUC-JP\"><P>\xA4\xA2\xDF\xA1",
      "\xEF\xBB\xBF<P>\xC3\xA9t\xC3\xA9",
      "<P>\x1B$B\x24\x22\x1B(B!",
      // The head.
      "<HEAD><TITLE>A &amp; B</TITLE><BASE HREF=\"http://h/d/\" TARGET=\"_top\">"
      "<LINK REL=stylesheet HREF=\"s.css\"><META NAME=author CONTENT=\"x\"></HEAD>",
      // Links, names and inline boxes.
      "<STYLE>span.box {border: 1px solid red}</STYLE><A HREF=\"a.htm\" NAME=\"top\">go</A>"
      "<SPAN CLASS=box>boxed<B>bold</SPAN>still bold</B>",
      "<B><I>x</B>y</I>z",
      // A link whose STYLE set is read again after the attribute list moved on.
      "<B><A HREF=x STYLE=\"color: red\">t<I STYLE=\"color: blue\">u</B>v</A>",
      "<P STYLE=\"font-size: 2em; color: #123\">big</P><FONT COLOR=red>not read here</FONT>",
  };
  std::string Dump;
  for (const char* Document : Documents)
    Dump += "== " + Quoted(std::string(Document)) + "\n" + ParseJournal(Document);
  return Dump;
}

}  // namespace

TEST(HtmlParserTest, ChatDocumentJournal)
{
  EXPECT_GOLDEN("chat-journal.txt", ParseJournal(ChatDocument(3)));
}

TEST(HtmlParserTest, CaseJournals)
{
  EXPECT_GOLDEN("parse-cases.txt", ParseCases());
}

TEST(HtmlParserTest, ManyLinksAbove400)
{
  for (int Links : {400, 401}) {
    std::string Text;
    for (int I = 0; I < Links; ++I)
      Text += "<A HREF=x>l</A><A NAME=n>";  // anchors without HREF do not count
    TRecordingSink Sink;
    THtmlParser Parser(TestFonts());
    Parser.Parse(Text, Sink);
    EXPECT_EQ(Parser.LinkCount, Links);
    EXPECT_EQ(Sink.Journal.rfind(Links > 400 ? "many-links yes\n" : "many-links no\n", 0), 0u) << Links;
  }
}

TEST(HtmlParserTest, TitleAndBaseOutliveTheParse)
{
  TRecordingSink Sink;
  THtmlParser Parser(TestFonts());
  Parser.Parse("<TITLE>T&eacute;</TITLE><BASE HREF=\"http://h/\" TARGET=main>", Sink);
  EXPECT_EQ(Parser.Title, u"T\u00E9");
  EXPECT_EQ(Parser.BaseUrl, "http://h/");
  EXPECT_EQ(Parser.BaseTarget, "main");
  EXPECT_EQ(Parser.Reader.PropStack.Count(), 0);  // emptied after the parse
}

TEST(HtmlParserTest, EveryMessageAfterABrokenOneIsRead)
{
  // Each kind of broken message, followed by nine good ones: every good one
  // reaches the document.
  const char* const Broken[] = {"a\x01", "<!-- open", "<!DOCTYPE", "<B", "&#", "<STYLE>x {", "</>", "<SELECT>"};
  for (const char* Message : Broken) {
    std::string Text = ChatHead() + "<BR>\r\n<DIV class=\"moi\">\r\n" + Message + "\r\n</DIV>\r\n";
    for (int I = 0; I < 9; ++I)
      Text += "<BR>\r\n<DIV class=\"lui\">\r\nmessage " + std::to_string(I) + "\r\n</DIV>\r\n";
    const std::string Journal = ParseJournal(Text);
    for (int I = 0; I < 9; ++I)
      EXPECT_NE(Journal.find("message " + std::to_string(I)), std::string::npos) << Quoted(std::string(Message));
  }
}
