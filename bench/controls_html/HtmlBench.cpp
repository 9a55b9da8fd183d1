// Throughput of the tokenizer (the chat document and a generic page), the
// parse driver, the CSS reader and the cascade, each at three sizes so that
// the growth with the input shows.
#include <benchmark/benchmark.h>

#include <string>

#include "ChatDocument.h"
#include "RecordingSink.h"
#include "TestFonts.h"
#include "controls/html/parser/HtmlParser.h"
#include "controls/html/parser/HtmlReader.h"
#include "controls/html/styles/CssParser.h"
#include "controls/html/styles/PropStack.h"
#include "controls/html/styles/StyleList.h"

namespace {

// A page of about Size bytes: headings, paragraphs with inline markup,
// entities and links, lists, a table, comments and a small style sheet.
std::string GenericPage(std::size_t Size)
{
  std::string Page =
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\r\n<HTML><HEAD><TITLE>Page</TITLE>\r\n"
      "<STYLE>body {font: 10pt arial} p.note {color: #336} td {padding: 2px}</STYLE></HEAD>\r\n<BODY>\r\n";
  for (int Section = 0; Page.size() < Size; ++Section) {
    const std::string N = std::to_string(Section);
    Page += "<H2 id=\"s" + N + "\">Section " + N + "</H2>\r\n<!-- section " + N + " -->\r\n";
    Page += "<P class=note>Lorem ipsum dolor sit amet, <B>consectetur</B> adipiscing elit &amp; sed do "
            "<I>eiusmod</I> tempor &eacute;t&eacute; &#8364;12 &lt;incididunt&gt; ut labore et dolore magna "
            "aliqua. <A HREF=\"page" + N + ".html#top\" TARGET=_blank>Ut enim</A> ad minim veniam.\r\n";
    Page += "<UL><LI>first item<LI>second <FONT COLOR=\"#FF0000\" SIZE=+1>item</FONT><LI>third</UL>\r\n";
    Page += "<TABLE BORDER=1 WIDTH=\"80%\"><TR><TD ALIGN=right>1</TD><TD>one</TD></TR>"
            "<TR><TD COLSPAN=2>two &nbsp; cells</TD></TR></TABLE>\r\n";
  }
  return Page + "</BODY></HTML>\r\n";
}

// A style sheet of about Size bytes with every kind of rule the reader meets.
std::string StyleSheet(std::size_t Size)
{
  std::string Sheet = "<!--\r\n";
  for (int Rule = 0; Sheet.size() < Size; ++Rule) {
    const std::string N = std::to_string(Rule);
    Sheet += "/* rule group " + N + " */\r\n";
    Sheet += "div.c" + N + ", p.c" + N + " {color: #" + std::to_string(100 + Rule % 800) +
             "; margin: 1px 2px 3px 4px; padding: 2px}\r\n";
    Sheet += "ul li.i" + N + " a:hover {font: italic bold 12px/14px 'Times New Roman', serif; "
             "text-decoration: underline}\r\n";
    Sheet += "#id" + N + " {border: 1px solid black; background: url(img" + N + ".gif) #fff no-repeat top left}\r\n";
    Sheet += "@media print { p { color: black } }\r\n";
  }
  return Sheet + "-->\r\n";
}

void Tokenize(benchmark::State& State, const std::string& Text)
{
  TRecordingSink Sink;
  Sink.Record = false;
  THtmlReader Reader(TestFonts());
  std::size_t Symbols = 0;
  for (auto _ : State) {
    Reader.Start(Text, &Sink);
    Reader.PropStack.Clear();
    Reader.PropStack.Add(new TProperties(TestFonts()));
    Reader.PropStack.Last()->CopyDefault(*Sink.Styles.DefProp());
    Reader.GetCh();
    for (Reader.Next(); Reader.Sy != EofSy; Reader.Next())
      ++Symbols;
  }
  benchmark::DoNotOptimize(Symbols);
  State.SetBytesProcessed(int64_t(State.iterations()) * int64_t(Text.size()));
}

void BM_TokenizeChat(benchmark::State& State)
{
  Tokenize(State, ChatDocument(int(State.range(0))));
}
BENCHMARK(BM_TokenizeChat)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_TokenizePage(benchmark::State& State)
{
  Tokenize(State, GenericPage(std::size_t(State.range(0)) << 10));
}
BENCHMARK(BM_TokenizePage)->Arg(256)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);

// Hostile text: comments and declarations never closed, tags never closed,
// references that never end. Time must stay in proportion to the size.
std::string HostilePage(std::size_t Size)
{
  static const char* const Pieces[] = {"<!-- open ", "<!DOCTYPE ", "<b><i><font color=red>", "&#x1F600",
                                       "&amp", "</b>", "<p style=\"margin: 1px\">", "<!"};
  std::string Page;
  for (int I = 0; Page.size() < Size; ++I)
    Page += Pieces[I % 8];
  return Page;
}

void BM_ParseHostile(benchmark::State& State)
{
  const std::string Text = HostilePage(std::size_t(State.range(0)) << 10);
  TRecordingSink Sink;
  Sink.Record = false;
  THtmlParser Parser(TestFonts());
  for (auto _ : State)
    Parser.Parse(Text, Sink);
  State.SetBytesProcessed(int64_t(State.iterations()) * int64_t(Text.size()));
}
BENCHMARK(BM_ParseHostile)->Arg(64)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond);

// The whole parse: link pre-pass, property stack, cascade and the sink.
void BM_ParseChat(benchmark::State& State)
{
  const std::string Text = ChatDocument(int(State.range(0)));
  TRecordingSink Sink;
  Sink.Record = false;
  THtmlParser Parser(TestFonts());
  for (auto _ : State) {
    Parser.Parse(Text, Sink);
    Sink.Styles.StyleDefaultSheet("Times New Roman", "Courier New", 10, 10, 1, true, 0xFF, 0x800080, 0xFF0000, 0, 12);
  }
  State.SetBytesProcessed(int64_t(State.iterations()) * int64_t(Text.size()));
}
BENCHMARK(BM_ParseChat)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_StyleSheet(benchmark::State& State)
{
  const std::string Sheet = StyleSheet(std::size_t(State.range(0)) << 10);
  for (auto _ : State) {
    TStyleList Styles(TestFonts());
    ParseStyleSheetText(Styles, Sheet, "http://host/css/");
    benchmark::DoNotOptimize(Styles.Count());
  }
  State.SetBytesProcessed(int64_t(State.iterations()) * int64_t(Sheet.size()));
}
BENCHMARK(BM_StyleSheet)->Arg(25)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond);

// Elements pushed and popped on the property stack with the chat window's
// sheet and a few descendant and class rules: the cascade per element.
void BM_Cascade(benchmark::State& State)
{
  const int Elements = int(State.range(0));
  TStyleList Styles(TestFonts());
  Styles.StyleDefaultSheet("Times New Roman", "Courier New", 10, 10, 1, true, 0xFF, 0x800080, 0xFF0000, 0, 12);
  ParseStyleSheetText(Styles,
                      "div.moi {color: black; border: 1px black solid; background-color: #AACCAA}"
                      "div.lui {color: black; border: 1px black solid; background-color: #AAAACC}"
                      "div.header {font-family: arial; font-size: 12px; color: white; border: 1px black inset}"
                      "div p b {color: red} ul li {margin-left: 3em} a:hover {color: green} .note {font-size: 90%}",
                      "");
  static const char* const Tags[][2] = {{"div", "header"}, {"b", ""}, {"div", "moi"}, {"p", "note"},
                                        {"a", ""},         {"i", ""}, {"div", "lui"}, {"span", ""}};
  for (auto _ : State) {
    TPropStack Stack(TestFonts());
    Stack.Styles = &Styles;
    auto* Base = new TProperties(TestFonts());
    Base->CopyDefault(*Styles.DefProp());
    Stack.Add(Base);
    Stack.Push("body", "", "", "", "", nullptr);
    for (int I = 0; I < Elements; ++I) {
      const auto& Tag = Tags[I % 8];
      Stack.Push(Tag[0], Tag[1], "", std::string(Tag[0]) == "a" ? "link" : "", "", nullptr);
      if (I % 3 == 2) {
        Stack.Pop();
        Stack.Pop();
      }
    }
  }
  State.SetItemsProcessed(int64_t(State.iterations()) * Elements);
}
BENCHMARK(BM_Cascade)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
