#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "chatwin/widgets/UtSimpleXML.h"
#include "chatwin/widgets/UtSimpleXMLElemCData.h"
#include "chatwin/widgets/UtSimpleXMLElemClassic.h"
#include "chatwin/widgets/UtSimpleXMLElemComment.h"
#include "chatwin/widgets/UtSimpleXMLElemHeader.h"
#include "chatwin/widgets/UtSimpleXMLElemText.h"
#include "chatwin/widgets/UtSimpleXMLElems.h"
#include "chatwin/widgets/UtSimpleXMLElemsProlog.h"
#include "chatwin/widgets/UtSimpleXMLInvalid.h"
#include "chatwin/widgets/UtSimpleXMLProp.h"
#include "chatwin/widgets/UtSimpleXMLProps.h"
#include "platform/base/StringStream.h"

namespace {

void Load(TUtSimpleXML& xml, const std::string& text)
{
  TStringStream stream(text);
  xml.LoadFromStream(stream);
}

std::string Save(TUtSimpleXML& xml)
{
  TStringStream stream;
  xml.SaveToStream(stream);
  return stream.DataString();
}

// The message of the error that reading Text raises, or "" when it loads.
std::string LoadError(const std::string& text)
{
  TUtSimpleXML xml;
  try {
    Load(xml, text);
  } catch (const TUtSimpleXMLInvalid& e) {
    return e.Message();
  }
  return {};
}

template <class Node>
std::string NodeError(const std::string& text)
{
  Node node;
  TStringStream stream(text);
  try {
    node.LoadFromStream(stream);
  } catch (const TUtSimpleXMLInvalid& e) {
    return e.Message();
  }
  return {};
}

}  // namespace

TEST(UtSimpleXML, AnElementHoldingOnlyTextKeepsItAsItsValue)
{
  TUtSimpleXML xml;
  Load(xml, "<city>Paris</city>");
  EXPECT_EQ(xml.Root()->Name(), "city");
  EXPECT_EQ(xml.Root()->Value(), "Paris");
  EXPECT_EQ(xml.Root()->ItemCount(), 0);
}

TEST(UtSimpleXML, MixedContentKeepsItsOrderWithBlanksCollapsed)
{
  TUtSimpleXML xml;
  Load(xml, "<p>Hello   <b>big</b>  world\t\t here <!--c--><![CDATA[ <raw> ]]></p>");
  TUtSimpleXMLElems* items = xml.Root()->Items();
  ASSERT_EQ(items->Count(), 5);
  EXPECT_NE(dynamic_cast<TUtSimpleXMLElemText*>(items->Item(0)), nullptr);
  EXPECT_EQ(items->Item(0)->Value(), "Hello ");
  EXPECT_EQ(items->Item(1)->Name(), "b");
  EXPECT_EQ(items->Item(1)->Value(), "big");
  EXPECT_EQ(items->Item(2)->Value(), "world\t here ");
  EXPECT_NE(dynamic_cast<TUtSimpleXMLElemComment*>(items->Item(3)), nullptr);
  EXPECT_EQ(items->Item(3)->Value(), "c");
  EXPECT_NE(dynamic_cast<TUtSimpleXmlElemCData*>(items->Item(4)), nullptr);
  EXPECT_EQ(items->Item(4)->Value(), " <raw> ");
}

TEST(UtSimpleXML, AttributesTakeEitherQuoteAndTheirOwnPrefixOnly)
{
  TUtSimpleXML xml;
  Load(xml, "<a x='1\"2' y = \"3'4\" ns:p=\"5\" q=\"6\"z=\"7\"/>");
  TUtSimpleXMLProps* props = xml.Root()->Properties();
  ASSERT_EQ(props->Count(), 5);
  EXPECT_EQ(props->Value("x"), "1\"2");
  EXPECT_EQ(props->Value("y"), "3'4");
  EXPECT_EQ(props->ItemNamed("p")->NameSpace(), "ns");
  // An attribute without a prefix after one with a prefix has none.
  EXPECT_EQ(props->ItemNamed("q")->NameSpace(), "");
  EXPECT_EQ(props->Value("z"), "7");
  EXPECT_EQ(props->Value("absent", "default"), "default");
}

TEST(UtSimpleXML, ValuesAreDecodedOnce)
{
  struct Case {
    const char* written;
    std::string expected;
  } cases[] = {
      {"&#65;", "A"},
      {"&#x41;&#X42;", "AB"},
      {"&#0;", "&#0;"},          // no character 0
      {"&#x41", "&#x41"},        // no ";" before the end
      {"&#12a;", "&#12a;"},      // not a number
      {"&AMP;&Lt;&gT;&apos;&quot;", "&<>'\""},
      {"&foo; & x", "&foo; & x"},
      {"&#xe9;", "\xE9"},                       // the writer's escape of one byte
      {"&#8364;", "\xE2\x82\xAC"},              // above 255: its UTF-8 sequence
      {"&#256;", "\xC4\x80"},
      {"&#x110000;", "&#x110000;"},             // no such character
      {"&#99999999999999999999;", "&#99999999999999999999;"},
      {"a\r\nb\rc", "a\nb\nc"},
      {"a   b\t\tc", "a b\tc"},
      {"&amp;lt;", "&lt;"},
  };
  for (const auto& c : cases) {
    TUtSimpleXML xml;
    Load(xml, std::string("<a v=\"") + c.written + "\">" + c.written + "</a>");
    EXPECT_EQ(xml.Root()->Properties()->Value("v"), c.expected) << c.written;
    EXPECT_EQ(xml.Root()->Value(), c.expected) << c.written;
  }
}

TEST(UtSimpleXML, ReadingErrorsSayWhatWasFound)
{
  struct Case {
    const char* input;
    const char* message;
  } cases[] = {
      {"<a/x", "Invalid XML Element: Expected end of tag but \"x\" found"},
      {"<a>< b/></a>", "Invalid XML Element: malformed tag found (no valid name)"},
      {"<a></b>", "Invalid XML Element: Erroneous end of tag, expecting </a> but </b> found"},
      {"<ns:a></a>", "Invalid XML Element: Erroneous end of tag, expecting </ns:a> but </a> found"},
      {"<a><b></a>", "Invalid XML Element: Erroneous end of tag, expecting </b> but </a> found"},
      {"<a x=\"1\" $>", "Invalid XML Element: Unexpected character in property declaration (\"$\" found)"},
      {"<a x>", "Invalid XML Element: Unexpected character in property declaration (\">\" found)"},
      {"<a x=1>",
       "Invalid XML Element: Unexpected character in property declaration. Expecting \" or ' but \"1\"  found"},
      {"<a><!-- x -- y --></a>", "Invalid Comment: \"--\" not allowed inside comments"},
      {"<a><!-- x", "Invalid Comment: Unexpected end of data"},
      {"<a><![CDATA[x]]", "Invalid CDATA: Unexpected end of data"},
      {"<?xml version=\"1.0\"?x<a/>", "Invalid Header: expected \">\" but found \"x\""},
      {"<?xml version=\"1.0\"", "Invalid Document: Unexpected end of data"},
      {"<!DOCTYPE a [ <!ENTITY x \"y\"> ", "Invalid Document: Unexpected end of data"},
      {"<?xml-stylesheet href=\"a.css\"?x<a/>", "Invalid Stylesheet: expected \">\" but found \"x\""},
      {"<?xml-stylesheet href=\"a.css\"", "Invalid Stylesheet: Unexpected end of data"},
      {"x<a/>", "Invalid Document: Unexpected text in file prolog"},
      {"<?php x ?><a/>", "Invalid Document: Unexpected text in file prolog"},
      {"<a>", "Invalid XML Element: Erroneous end of tag, expecting </a> but </> found"},
      {"<a></a", "Invalid XML Element: Expected end of tag but \"\" found"},
      {"", "Invalid XML Element: Expected beginning of tag but \"\" found"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(LoadError(c.input), c.message) << c.input;

  EXPECT_EQ(NodeError<TUtSimpleXMLElemClassic>("abc"), "Invalid XML Element: Expected beginning of tag but \"a\" found");
  EXPECT_EQ(NodeError<TUtSimpleXMLElemComment>("<!-x"), "Invalid Comment: expected \"-\" but found \"x\"");
  EXPECT_EQ(NodeError<TUtSimpleXmlElemCData>("<![CDATX"), "Invalid CDATA: expected \"A\" but found \"X\"");
  EXPECT_EQ(NodeError<TUtSimpleXMLElemHeader>("<?xmk"), "Invalid Header: expected \"l\" but found \"k\"");
}

TEST(UtSimpleXML, AFailedReadKeepsWhatWasRead)
{
  TUtSimpleXML xml;
  EXPECT_THROW(Load(xml, "<?xml version=\"1.0\"?><a><b/><c x=1/></a>"), TUtSimpleXMLInvalid);
  EXPECT_EQ(xml.Prolog()->Count(), 1);
  EXPECT_EQ(xml.Root()->ItemCount(), 1);
  EXPECT_EQ(xml.Root()->Items()->Item(0)->Name(), "b");
}

TEST(UtSimpleXML, RoundTrip)
{
  const std::string input =
      "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>\n"
      "<!DOCTYPE conv [ <!ELEMENT conv ANY> ]>\n"
      "<!-- saved -->\n"
      "<?xml-stylesheet type=\"text/css\" href=\"a.css\"?>\n"
      "<conv who=\"Zo&amp;&#xe9;\" x:lang=\"fr\">\n"
      "  <msg at='1'>Salut &lt;toi&gt;</msg>\n"
      "  <x:empty/>\n"
      "  <x:list><item>1</item><item/></x:list>\n"
      "  <![CDATA[a]]b]]>\n"
      "</conv>";
  const std::string expected =
      "<?xml version=\"1.0\" standalone=\"yes\" encoding=\"utf-8\"?>\r\n"
      "<!DOCTYPE conv [ <!ELEMENT conv ANY> ]>\r\n"
      "<!-- saved -->\r\n"
      "<?xml-stylesheet type=\"text/css\" href=\"a.css\"?>\r\n"
      "<conv who=\"Zo&amp;&#xe9;\" x:lang=\"fr\">\r\n"
      "  <msg at=\"1\">Salut &lt;toi&gt;</msg>\r\n"
      "  <x:empty/>\r\n"
      "  <x:list>\r\n"
      "    <item>1</item>\r\n"
      "    <item/>\r\n"
      "  </x:list>\r\n"
      "  <![CDATA[a]]b]]>\r\n"
      "</conv>\r\n";
  TUtSimpleXML xml;
  Load(xml, input);
  EXPECT_EQ(Save(xml), expected);
  TUtSimpleXML again;
  Load(again, expected);
  EXPECT_EQ(Save(again), expected);

  auto* header = dynamic_cast<TUtSimpleXMLElemHeader*>(xml.Prolog()->Item(0));
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->Encoding(), "utf-8");
  EXPECT_TRUE(header->StandAlone());
  EXPECT_EQ(header->PropertyCount(), 0);
}

TEST(UtSimpleXML, WritingEscapesAndHeaderDefaults)
{
  TUtSimpleXML xml;
  xml.Prolog()->Add(std::make_unique<TUtSimpleXMLElemHeader>());
  static_cast<TUtSimpleXMLElemHeader*>(xml.Prolog()->Item(0))->SetStandAlone(true);
  xml.Root()->SetName("a");
  xml.Root()->Properties()->Add("q", "\"<'>&");
  xml.Root()->SetValue("caf\xE9 & co");
  EXPECT_EQ(Save(xml),
            "<?xml version=\"1.0\" standalone=\"yes\" encoding=\"iso-8859-1\"?>\r\n"
            "<a q=\"&quot;&lt;&apos;&gt;&amp;\">caf&#xe9; &amp; co</a>\r\n");
}

TEST(UtSimpleXML, IndentAndOptions)
{
  TUtSimpleXML xml;
  xml.SetIndentString("\t");  // blanks and tabs are taken
  EXPECT_EQ(xml.IndentString(), "\t");
  xml.SetIndentString(" x");
  EXPECT_EQ(xml.IndentString(), "\t");
  xml.SetIndentString("\b");
  EXPECT_EQ(xml.IndentString(), "\t");
  Load(xml, "<a><b><c/></b></a>");
  EXPECT_EQ(Save(xml), "<a>\r\n\t<b>\r\n\t\t<c/>\r\n\t</b>\r\n</a>\r\n");
  xml.SetOptions({});
  EXPECT_EQ(Save(xml), "<a>\r\n<b>\r\n<c/>\r\n</b>\r\n</a>\r\n");
}

TEST(UtSimpleXML, ListsFindCreateAndIndex)
{
  TUtSimpleXML xml;
  Load(xml, "<a x=\"1\"><b>1</b><b>2</b></a>");
  TUtSimpleXMLElems* items = xml.Root()->Items();
  EXPECT_EQ(items->ItemNamed("b")->Value(), "1");  // the first match
  EXPECT_EQ(items->Item(2), nullptr);               // an index equal to the count
  EXPECT_EQ(items->Item(-1), nullptr);
  EXPECT_EQ(xml.Root()->Properties()->Item(1), nullptr);
  EXPECT_EQ(items->ItemNamed("c"), nullptr);
  EXPECT_EQ(xml.Root()->Properties()->ItemNamed("y"), nullptr);

  items->Item(1)->SetName("z");
  EXPECT_EQ(items->ItemNamed("z")->Value(), "2");

  xml.SetOptions({sxoAutoCreate, sxoAutoIndent});
  TUtSimpleXMLElem* created = items->ItemNamed("c");
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(items->Count(), 3);
  EXPECT_EQ(created->Value(), "");
  ASSERT_NE(xml.Root()->Properties()->ItemNamed("y"), nullptr);
  EXPECT_EQ(xml.Root()->PropertyCount(), 2);
}

TEST(UtSimpleXML, EventsWhenSomeoneListens)
{
  std::vector<std::string> heard;
  TUtSimpleXML xml;
  struct Recorder {
    std::vector<std::string>* Heard;
    void Tag(TObject*, const std::string& Name) { Heard->push_back("tag " + Name); }
    void Value(TObject*, const std::string& Name, const std::string& V) { Heard->push_back("value " + Name + "=" + V); }
    void Load(TObject*, std::int64_t Position, std::int64_t Total)
    {
      Heard->push_back("load " + std::to_string(Position) + "/" + std::to_string(Total));
    }
    void Save(TObject*, std::int64_t Position, std::int64_t Total)
    {
      Heard->push_back("save " + std::to_string(Position) + "/" + std::to_string(Total));
    }
  } recorder{&heard};
  xml.OnTagParsed = TUtSimpleXMLTagEvent(&recorder, &Recorder::Tag);
  xml.OnValueParsed = TUtSimpleXMLValueEvent(&recorder, &Recorder::Value);
  xml.OnLoadProgress = TUtSimpleXMLProgressEvent(&recorder, &Recorder::Load);
  xml.OnSaveProgress = TUtSimpleXMLProgressEvent(&recorder, &Recorder::Save);

  // Only the root hears of the document: nested elements fire nothing.
  const std::string text = "<!--c--><a><b>x</b>" + std::string(9000, ' ') + "</a>";
  Load(xml, text);
  const std::string size = std::to_string(text.size());
  EXPECT_EQ(heard, (std::vector<std::string>{"load 0/" + size, "load 8192/" + size, "load " + size + "/" + size,
                                             "tag a", "value a=", "load " + size + "/" + size}));
  heard.clear();
  Save(xml);
  EXPECT_EQ(heard, (std::vector<std::string>{"save 1/3", "save 2/3", "save 3/3"}));
}

TEST(UtSimpleXML, ReadingStopsJustAfterTheRoot)
{
  TUtSimpleXML xml;
  TStringStream stream("  <a/>rest");
  xml.LoadFromStream(stream);
  EXPECT_EQ(stream.Position(), 6);
}

TEST(UtSimpleXML, SettingTheFileNameReadsTheFile)
{
  const std::string path = testing::TempDir() + "utsimplexml.xml";
  std::ofstream(path) << "<conv><msg>1</msg></conv>";
  TUtSimpleXML xml;
  xml.SetFileName(path);
  EXPECT_EQ(xml.FileName(), path);
  EXPECT_EQ(xml.Root()->Items()->ItemNamed("msg")->Value(), "1");
  std::remove(path.c_str());
  EXPECT_ANY_THROW(xml.SetFileName(path));
}

TEST(UtSimpleXML, HostileInputEndsWithAnErrorOrADocument)
{
  // Every cut of a valid document either loads or raises the reading error.
  const std::string valid =
      "<?xml version=\"1.0\"?><!DOCTYPE a [<!x>]><!--c--><a p:x=\"&#233;\"><b>t&amp;</b><![CDATA[]]]><c/></a>";
  for (std::size_t cut = 0; cut <= valid.size(); ++cut) {
    TUtSimpleXML xml;
    try {
      Load(xml, valid.substr(0, cut));
    } catch (const TUtSimpleXMLInvalid&) {
    }
  }
  std::string deep;
  for (int i = 0; i < 100000; ++i)
    deep += "<a>";
  EXPECT_EQ(LoadError(deep), "Invalid XML Element: elements nested too deeply");
  std::string nested = "<a>";
  for (int i = 0; i < TUtSimpleXMLElemClassic::MaxDepth; ++i)
    nested += "<a>";
  for (int i = 0; i <= TUtSimpleXMLElemClassic::MaxDepth; ++i)
    nested += "</a>";
  EXPECT_EQ(LoadError(nested), "");
  EXPECT_EQ(LoadError("<a v=\"&#99999999999999999999999;\"/>"), "");
}
