#include <gtest/gtest.h>

#include "chatwin/widgets/UtSimpleXML.h"
#include "chatwin/widgets/UtSimpleXMLElemClassic.h"
#include "chatwin/widgets/UtSimpleXMLElems.h"
#include "chatwin/widgets/UtSimpleXMLProps.h"
#include "chatwin/widgets/XmlVariant.h"
#include "platform/base/Exception.h"
#include "platform/base/StringStream.h"

namespace {

struct Document {
  TUtSimpleXML Xml;
  Document()
  {
    TStringStream stream("<conv who=\"Zo\xC3\xA9\"><nick>Bob</nick><Item>1</Item><item>2</item><ITEM>3</ITEM></conv>");
    Xml.LoadFromStream(stream);
  }
  TXmlVariant Root() { return TXmlVariant(Xml.Root()); }
};

}  // namespace

TEST(XmlVariant, PropertiesAreChildrenThenAttributes)
{
  Document doc;
  TXmlProperty nick = doc.Root().GetProperty("nick");
  ASSERT_EQ(nick.Kind, TXmlProperty::Element);
  EXPECT_EQ(nick.Elem->Value(), "Bob");

  TXmlProperty who = doc.Root().GetProperty("who");
  ASSERT_EQ(who.Kind, TXmlProperty::Value);
  EXPECT_EQ(who.Text, u"Zo\u00E9");

  EXPECT_EQ(doc.Root().GetProperty("nothing").Kind, TXmlProperty::None);
  EXPECT_EQ(TXmlVariant().GetProperty("nick").Kind, TXmlProperty::None);

  EXPECT_TRUE(doc.Root().SetProperty("nick", "Alice"));
  EXPECT_TRUE(doc.Root().SetProperty("who", "Moi"));
  EXPECT_FALSE(doc.Root().SetProperty("nothing", "x"));
  EXPECT_EQ(doc.Xml.Root()->Items()->ItemNamed("nick")->Value(), "Alice");
  EXPECT_EQ(doc.Xml.Root()->Properties()->Value("who"), "Moi");

  doc.Xml.SetOptions({sxoAutoCreate});
  TXmlProperty created = doc.Root().GetProperty("new");
  ASSERT_EQ(created.Kind, TXmlProperty::Element);
  EXPECT_EQ(created.Elem->Parent(), doc.Xml.Root());
}

TEST(XmlVariant, CallsPickTheNthChildOfThatName)
{
  Document doc;
  auto call = [&](std::vector<TXmlArgument> args) -> std::string {
    auto found = doc.Root().Call("item", args);
    return found ? found->Elem()->Value() : "none";
  };
  EXPECT_EQ(call({{TXmlArgument::Integer, 1}}), "1");
  EXPECT_EQ(call({{TXmlArgument::Integer, 3}}), "3");
  EXPECT_EQ(call({{TXmlArgument::Empty, 0}}), "1");
  EXPECT_EQ(call({{TXmlArgument::Integer, 4}}), "none");
  EXPECT_EQ(call({{TXmlArgument::Integer, 0}}), "none");
  EXPECT_EQ(call({{TXmlArgument::Other, 0}}), "none");
  EXPECT_EQ(call({}), "none");
  EXPECT_EQ(call({{TXmlArgument::Integer, 1}, {TXmlArgument::Integer, 1}}), "none");
}

TEST(XmlVariant, ConversionsAndClearness)
{
  Document doc;
  TXmlVariant nick(doc.Xml.Root()->Items()->ItemNamed("nick"));
  EXPECT_EQ(nick.AsString(), "<nick>Bob</nick>\r\n");
  EXPECT_EQ(nick.AsWideString(), u"<nick>Bob</nick>\r\n");
  EXPECT_THROW(nick.AsInteger(), EVariantError);
  EXPECT_THROW(nick.AsFloat(), EVariantError);
  EXPECT_THROW(nick.AsBoolean(), EVariantError);
  EXPECT_TRUE(nick.IsClear());  // no children
  EXPECT_FALSE(doc.Root().IsClear());
  EXPECT_TRUE(TXmlVariant().IsClear());
  TXmlVariant copy = doc.Root();
  EXPECT_EQ(copy.Elem(), doc.Xml.Root());
}
