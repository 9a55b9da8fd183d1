#include "chatwin/widgets/UtSimpleXMLElemCData.h"

#include "chatwin/widgets/UtSimpleXMLInvalid.h"
#include "chatwin/widgets/detail/XmlExpect.h"
#include "chatwin/widgets/detail/XmlSink.h"
#include "chatwin/widgets/detail/XmlSource.h"

void TUtSimpleXmlElemCData::ReadFrom(TXmlSource& Source, TUtSimpleXML*, int)
{
  ExpectText(Source, "<![CDATA[", SInvalidCDataExpected, SInvalidCDataEnd);
  std::string text;
  char c;
  for (;;) {
    if (!Source.Next(c))
      XmlError(SInvalidCDataEnd);
    // Brackets not followed by the rest of the end marker stay in the text.
    if (c == '>' && text.size() >= 2 && text[text.size() - 1] == ']' && text[text.size() - 2] == ']') {
      text.resize(text.size() - 2);
      break;
    }
    text.push_back(c);
  }
  SetValue(text);
}

void TUtSimpleXmlElemCData::WriteTo(TXmlSink& Sink, const std::string& Level, TUtSimpleXMLSaveProgress* Progress)
{
  std::string& out = Sink.Text();
  out.append(Level);
  out.append("<![CDATA[");
  out.append(Value());
  out.append("]]>\r\n");
  Sink.Check();
  NodeWritten(Progress);
}
