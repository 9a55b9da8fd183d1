#include "chatwin/widgets/UtSimpleXMLElemDocType.h"

#include "chatwin/widgets/UtSimpleXMLInvalid.h"
#include "chatwin/widgets/detail/XmlExpect.h"
#include "chatwin/widgets/detail/XmlSink.h"
#include "chatwin/widgets/detail/XmlSource.h"
#include "platform/base/StringRoutines.h"

void TUtSimpleXmlElemDocType::ReadFrom(TXmlSource& Source, TUtSimpleXML*, int)
{
  ExpectText(Source, "<!DOCTYPE", SInvalidHeaderExpected, SInvalidDocumentEnd);
  std::string text;
  bool inSubset = false;  // after "[", "]" must come before the closing ">"
  char c;
  for (;;) {
    if (!Source.Next(c))
      XmlError(SInvalidDocumentEnd);
    if (c == '>' && !inSubset)
      break;
    if (c == '[')
      inSubset = true;
    else if (c == ']')
      inSubset = false;
    text.push_back(c);
  }
  SetValue(Trim(text));
}

void TUtSimpleXmlElemDocType::WriteTo(TXmlSink& Sink, const std::string&, TUtSimpleXMLSaveProgress* Progress)
{
  std::string& out = Sink.Text();
  out.append("<!DOCTYPE ");
  out.append(Value());
  out.append(">\r\n");
  Sink.Check();
  NodeWritten(Progress);
}
